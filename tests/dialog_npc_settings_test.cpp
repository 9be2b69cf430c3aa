// The NPC settings dialog driven as the map's NPC menu opens it: what it
// loads, what "SAVE" writes (everything or nothing), the skill rows, the
// physiological attributes, and a selection that names no NPC.
#include "dialogs/npc_settings.h"
#include "mainwindow/page_npc.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/model_fixture.h"

#include <QImage>
#include <QLineEdit>
#include <QPixmap>

namespace {

using kit::user::click;
using kit::user::close;
using kit::user::pick;
using kit::user::type_text;

class NpcSettings : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        editor.world = small_world();
        for (const char* f : {"humans", "rats", "ghosts"}) editor.world.fracs.push_back({f, 0});
        npc().fill_fractions();
        for (int x = 0; x < 5; ++x) place_npc(row::guard, at(0, x, 0), {}, editor.world);
        Tchar& n = rec(4);
        n.name = "Nell";
        n.self_name = "Nelly";
        n.description = "first\r\nsecond";
        n.fraction = 1;
        n.figure = 3;
        n.portrait = 31;  // a 64 x 64 frame
        n.skills[31] = 32;
        n.last_seen_enemy = {5, 6, 1};
        n.phys_attrs = {{1, 3, 0}, {0, 0, 0}, {2, 9, 0}};
    }
    TForm10& settings() { return dialog<TForm10>(editor.Form10); }
    Tchar& rec(int n) { return editor.world.npcs.at(static_cast<std::size_t>(n)); }
    void open_settings(int npc) {
        editor.cur_placed_npc = npc;
        main_window().set_enabled(false);
        editor.Form10->show();
    }
};

TEST_F(NpcSettings, LoadsThePlacedNpc) {
    TForm10& d = settings();
    EXPECT_EQ(d.name, "Form10");
    EXPECT_EQ(d.caption(), "Form10");
    EXPECT_FALSE(d.visible());
    open_settings(4);
    EXPECT_EQ(d.caption(), "NPC #4 Nell");
    EXPECT_EQ(d.ename.text(), "Nell");
    EXPECT_EQ(d.esname.text(), "Nelly");
    EXPECT_EQ(d.mdescr.lines(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(d.cbfracs.items(), (std::vector<std::string>{"humans", "rats", "ghosts"}));
    EXPECT_EQ(d.cbfracs.item_index(), 1);
    const Tchar& n = rec(4);
    EXPECT_EQ(d.estr.text(), std::to_string(n.STR));
    EXPECT_EQ(d.econ.text(), std::to_string(n.CON));
    EXPECT_EQ(d.eint.text(), std::to_string(n.INT));
    EXPECT_EQ(d.enpchp.text(), std::to_string(n.hp));
    EXPECT_EQ(d.enpcsp.text(), std::to_string(n.sp));
    EXPECT_EQ(d.skill_edits[3]->text(), "7");
    EXPECT_EQ(d.skill_edits[32]->text(), "32");
    EXPECT_EQ(d.enpc_last_seen_enemy_map.text(), "1");
    EXPECT_EQ(d.enpc_last_seen_enemy_x.text(), "5");
    EXPECT_EQ(d.enpc_last_seen_enemy_y.text(), "6");
    EXPECT_EQ(d.Image1.picture().pixel(5, 5), frame_color(3));
    EXPECT_EQ(d.Image2.picture().pixel(60, 60), frame_color(31));
    // The attribute of value 0 is dropped as soon as the dialog shows.
    EXPECT_EQ(d.lb_pnpc_phys_attrs.items(), (std::vector<std::string>{"fur 3", "fists 9"}));
    EXPECT_EQ(n.phys_attrs, (Tskills{{1, 3, 0}, {2, 9, 0}}));
    EXPECT_EQ(d.cb_pnpc_phys_attr.items(), phys_attrs);
    EXPECT_EQ(d.cb_pnpc_phys_attr.item_index(), 0);

    // Another NPC, whose pictures name no tile frame, shows blank pictures.
    close(d);
    EXPECT_TRUE(main_window().enabled());
    rec(2).figure = -1;
    rec(2).portrait = 999;
    open_settings(2);
    EXPECT_EQ(d.caption(), "NPC #2 guard");
    EXPECT_EQ(d.Image1.picture().pixel(5, 5), clWhite);
    EXPECT_EQ(d.Image2.picture().pixel(60, 60), clWhite);
    EXPECT_EQ(d.cbfracs.item_index(), 0);
    close(d);
}

TEST_F(NpcSettings, SkillRowsStandInTwoColumnsOverThePattern) {
    TForm10& d = settings();
    EXPECT_FALSE(d.lskill.visible());
    EXPECT_FALSE(d.eskill.visible());
    for (int i = 1; i <= 32; ++i) {
        SCOPED_TRACE(i);
        const kit::Label& label = *d.skill_labels[static_cast<std::size_t>(i)];
        const kit::Edit& edit = *d.skill_edits[static_cast<std::size_t>(i)];
        EXPECT_EQ(label.caption(), skill_names[static_cast<std::size_t>(i)]);
        const int dx = i <= 16 ? 0 : 128, dy = ((i - 1) % 16) * 22;
        EXPECT_EQ(label.left(), d.lskill.left() + dx);
        EXPECT_EQ(label.top(), d.lskill.top() + dy);
        EXPECT_EQ(edit.bounds(), (kit::Rect{d.eskill.left() + dx, d.eskill.top() + dy, d.eskill.width(),
                                            d.eskill.height()}));
        // No name runs under a value edit or out of the group.
        for (int j = 1; j <= 32; ++j) {
            const kit::Rect e = d.skill_edits[static_cast<std::size_t>(j)]->bounds(), l = label.bounds();
            EXPECT_FALSE(l.left < e.right() && e.left < l.right() && l.top < e.bottom() && e.top < l.bottom()) << j;
        }
        EXPECT_LT(label.left() + label.width(), d.GroupBox2.width());
    }
    EXPECT_EQ(d.skill_labels[32]->caption(), "");
}

TEST_F(NpcSettings, SaveWritesEveryField) {
    open_settings(4);
    TForm10& d = settings();
    type_text(d.ename, "Bob");
    type_text(d.esname, "Bobby");
    type_text(d.mdescr, "grey");
    pick(d.cbfracs, 2);
    const std::pair<kit::Edit*, int32_t Tchar::*> numbers[] = {
        {&d.estr, &Tchar::STR}, {&d.eagi, &Tchar::AGI},   {&d.edex, &Tchar::DEX},   {&d.econ, &Tchar::CON},
        {&d.eacu, &Tchar::ACU}, {&d.eint, &Tchar::INT},   {&d.ewis, &Tchar::WIS},   {&d.eper, &Tchar::PER},
        {&d.enpchp, &Tchar::hp}, {&d.enpcmp, &Tchar::mp}, {&d.enpcsp, &Tchar::sp}, {&d.enpcsize, &Tchar::size},
    };
    int value = 100;
    for (const auto& [edit, field] : numbers) type_text(*edit, std::to_string(value++));
    type_text(*d.skill_edits[1], "-4");
    type_text(*d.skill_edits[32], "$20");
    type_text(d.enpc_last_seen_enemy_map, "0");
    type_text(d.enpc_last_seen_enemy_x, "2");
    type_text(d.enpc_last_seen_enemy_y, "3");
    const Tchar before = rec(4);
    click(d.Button1);
    EXPECT_TRUE(modal_->errors.empty());

    Tchar expected = before;
    expected.name = "Bob";
    expected.self_name = "Bobby";
    expected.description = "grey";
    expected.fraction = 2;
    value = 100;
    for (const auto& [edit, field] : numbers) expected.*field = value++;
    expected.skills[0] = -4;
    expected.skills[31] = 32;
    expected.last_seen_enemy = {2, 3, 0};
    // Pictures, place, things carried and attributes stay as they were.
    EXPECT_EQ(rec(4), expected);

    // Reopened, the dialog shows what was saved.
    close(d);
    open_settings(4);
    EXPECT_EQ(d.skill_edits[32]->text(), "32");
    EXPECT_EQ(d.ename.text(), "Bob");
}

// One text that is not a number writes nothing at all.
TEST_F(NpcSettings, SaveWritesNothingWhenAFieldIsNoNumber) {
    open_settings(4);
    TForm10& d = settings();
    type_text(d.ename, "Bob");
    type_text(d.estr, "12");
    const std::pair<kit::Edit*, const char*> bad[] = {
        {&d.enpcsp, "x"}, {&d.eper, ""}, {d.skill_edits[32], "3.5"}, {&d.enpc_last_seen_enemy_y, "y1"},
        {&d.enpchp, "2147483648"}};  // beyond 32 bits: refused, not wrapped
    const Tchar before = rec(4);
    for (const auto& [edit, text] : bad) {
        SCOPED_TRACE(edit->name);
        const std::string good = edit->text();
        type_text(*edit, text);
        modal_->errors.clear();
        click(d.Button1);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{"'" + std::string(text) + "' is not a valid integer value."});
        EXPECT_EQ(rec(4), before);
        type_text(*edit, good);
    }
}

// A fraction the list does not show is kept, not replaced by none.
TEST_F(NpcSettings, SaveKeepsAFractionTheListDoesNotShow) {
    rec(4).fraction = 7;
    open_settings(4);
    EXPECT_EQ(settings().cbfracs.item_index(), -1);
    click(settings().Button1);
    EXPECT_EQ(rec(4).fraction, 7);
}

TEST_F(NpcSettings, AttributesAddAndRemove) {
    open_settings(4);
    TForm10& d = settings();
    kit::user::pick_page(d.pc_npc_edit, 1);
    // "fur" 3 then "fur" 5: one line; "claws" 0 and a text that is no number add nothing.
    rec(4).phys_attrs = {{2, 9, 0}};
    d.refresh_phys_attrs_list();
    pick(d.cb_pnpc_phys_attr, 1);
    type_text(d.e_pnpc_phys_attr, "3");
    click(d.Button34);
    EXPECT_EQ(d.lb_pnpc_phys_attrs.items(), (std::vector<std::string>{"fists 9", "fur 3"}));
    type_text(d.e_pnpc_phys_attr, "5");
    click(d.Button34);
    EXPECT_EQ(d.lb_pnpc_phys_attrs.items(), (std::vector<std::string>{"fists 9", "fur 5"}));
    pick(d.cb_pnpc_phys_attr, 0);
    type_text(d.e_pnpc_phys_attr, "0");
    click(d.Button34);
    type_text(d.e_pnpc_phys_attr, "-2");
    click(d.Button34);
    type_text(d.e_pnpc_phys_attr, "z");
    click(d.Button34);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'z' is not a valid integer value."});
    EXPECT_EQ(rec(4).phys_attrs, (Tskills{{2, 9, 0}, {1, 5, 0}}));
    type_text(d.e_pnpc_phys_attr, "4");
    click(d.Button34);
    EXPECT_EQ(d.lb_pnpc_phys_attrs.items(), (std::vector<std::string>{"fists 9", "fur 5", "claws 4"}));

    // REMOVE of the second line: the third moves up. Without a line, nothing.
    click(d.Button47);
    EXPECT_EQ(rec(4).phys_attrs.size(), 3u);
    pick(d.lb_pnpc_phys_attrs, 1);
    click(d.Button47);
    EXPECT_EQ(d.lb_pnpc_phys_attrs.items(), (std::vector<std::string>{"fists 9", "claws 4"}));
    EXPECT_EQ(rec(4).phys_attrs, (Tskills{{2, 9, 0}, {0, 4, 0}}));

    // An attribute number from a file that names no attribute shows no name.
    rec(4).phys_attrs.push_back({7, 2, 0});
    d.refresh_phys_attrs_list();
    EXPECT_EQ(d.lb_pnpc_phys_attrs.item(2), " 2");
}

// After an Open the selection may name no NPC: empty controls, and nothing is written.
TEST_F(NpcSettings, ANpcThatDoesNotExistShowsNothingAndTakesNothing) {
    open_settings(4);
    close(settings());
    const TWorld before = editor.world;
    for (int stale : {5, -1}) {
        SCOPED_TRACE(stale);
        open_settings(stale);
        TForm10& d = settings();
        EXPECT_EQ(d.caption(), "NPC #" + std::to_string(stale) + " ");
        EXPECT_EQ(d.ename.text(), "");
        EXPECT_EQ(d.estr.text(), "");
        EXPECT_EQ(d.skill_edits[1]->text(), "");
        EXPECT_EQ(d.lb_pnpc_phys_attrs.count(), 0);
        EXPECT_EQ(d.Image1.picture().pixel(5, 5), clWhite);
        type_text(d.ename, "Bob");
        type_text(d.estr, "1");
        click(d.Button1);
        type_text(d.e_pnpc_phys_attr, "3");
        click(d.Button34);
        click(d.Button47);
        EXPECT_EQ(editor.world, before);
        EXPECT_TRUE(modal_->transcript.empty());
        close(d);
        EXPECT_TRUE(main_window().enabled());
    }
}

// Whether a field shows the start of its text: its picture, up to just short
// of its right frame, is the picture of a field wide enough for the whole
// text (same font, frame and height). A field scrolled to the end of a text
// longer than itself shows other digits there.
bool shows_start(kit::Edit& edit) {
    auto* field = static_cast<QLineEdit*>(edit.widget());
    QLineEdit wide(field->text(), field->parentWidget());
    wide.setFont(field->font());
    wide.setGeometry(0, 0, 1000, field->height());
    wide.setCursorPosition(0);
    const QImage shown = field->grab().toImage();
    const QImage whole = wide.grab().toImage().convertToFormat(shown.format());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width() - 4; ++x)
            if (shown.pixel(x, y) != whole.pixel(x, y)) return false;
    return true;
}

// Every number field shows the leading digits of every value its 32-bit field
// can hold, the default HP and MP of 10000 among them, when the dialog opens
// and after the designer has typed one and moved on; the design places stay.
TEST_F(NpcSettings, NumberFieldsShowTheLeadingDigits) {
    Tchar& n = rec(2);
    n.CON = n.INT = 1000;
    n.hp = n.mp = 10000;  // CON and INT x 10, as a placed NPC gets them
    n.STR = n.size = std::numeric_limits<int32_t>::min();
    n.sp = n.AGI = std::numeric_limits<int32_t>::max();
    n.skills.fill(std::numeric_limits<int32_t>::min());
    n.last_seen_enemy = {std::numeric_limits<int32_t>::min(), -1234567, std::numeric_limits<int32_t>::max()};
    open_settings(2);
    TForm10& d = settings();
    std::vector<kit::Edit*> numbers = {&d.estr,   &d.eagi,   &d.edex,   &d.econ,     &d.eacu, &d.eint, &d.ewis,
                                       &d.eper,   &d.enpchp, &d.enpcmp, &d.enpcsp,   &d.enpcsize,
                                       &d.enpc_last_seen_enemy_map, &d.enpc_last_seen_enemy_x,
                                       &d.enpc_last_seen_enemy_y,   &d.e_pnpc_phys_attr};
    for (std::size_t i = 1; i <= 32; ++i) numbers.push_back(d.skill_edits[i]);
    EXPECT_EQ(d.enpchp.text(), "10000");
    EXPECT_EQ(d.enpcsize.text(), "-2147483648");
    d.pc_npc_edit.set_active_page_index(0);
    for (kit::Edit* e : numbers) {
        SCOPED_TRACE(e->name + " " + e->text());
        EXPECT_TRUE(shows_start(*e));
    }
    // The design places are kept: HP stays 40 pixels wide at (30, 22).
    EXPECT_EQ(d.enpchp.left(), 30);
    EXPECT_EQ(d.enpchp.width(), 40);

    // Typed, then left for the next field: the start comes back into view.
    type_text(d.enpcmp, "2147483647");
    type_text(d.enpcsp, "-2000000000");
    EXPECT_TRUE(shows_start(d.enpcmp));
    type_text(d.enpc_last_seen_enemy_map, "3");
    EXPECT_TRUE(shows_start(d.enpcsp));
}

}  // namespace
