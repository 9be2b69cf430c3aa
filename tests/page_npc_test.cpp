// The NPC templates page driven as a designer drives it: ADD and "<- EDIT"
// from the fields and the edit buffers, selecting a template, the
// physiological attributes, and a template composed with the equipment
// dialog, placed in the map page's palette and saved.
#include "mainwindow/page_npc.h"

#include "dialogs/npc_template_equipment.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_map.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

#include <functional>

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class NpcTemplates : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(page_control(), page::npc);
    }

    // The characteristic, point and size edits in the order of the record's fields.
    std::vector<kit::Edit*> number_edits() {
        ::NpcPage& p = npc();
        return {&p.e_pnpc_str, &p.e_pnpc_agi, &p.e_pnpc_dex, &p.e_pnpc_acu, &p.e_pnpc_con, &p.e_pnpc_int,
                &p.e_pnpc_wis, &p.e_pnpc_per, &p.epnpchp,    &p.epnpcmp,    &p.epnpcsp,    &p.epnpcsize};
    }
    static std::vector<int32_t> numbers_of(const Tchar& c) {
        return {c.STR, c.AGI, c.DEX, c.ACU, c.CON, c.INT, c.WIS, c.PER, c.hp, c.mp, c.sp, c.size};
    }
    // Fills every field: the numbers 11, 12, ... in record order, skill i = 100 + i.
    void fill_page(const std::string& name) {
        type_text(npc().e_pnpc_name, name);
        type_text(npc().e_pnpc_selfname, "Bob");
        type_text(npc().m_pnpc_descr, "stands watch");
        int v = 11;
        for (kit::Edit* e : number_edits()) type_text(*e, std::to_string(v++));
        for (int i = 1; i <= 32; ++i) npc().skill_edit(i).set_text(std::to_string(100 + i));
    }
    void set_attribute(int attribute, const std::string& value) {
        pick(npc().cb_pnpc_phys_attr, attribute);
        type_text(npc().e_pnpc_phys_attr, value);
        click(npc().Button34);
    }
    // The colour at the centre of entry e's cell in an NPC grid (32 x 64 cells).
    static TColor cell_colour(kit::StringGrid& g, int e) {
        g.refresh();
        const kit::Rect r = g.cell_rect(e % 3, e / 3);
        return g.canvas().pixel(r.left + 8, r.top + 8);
    }
};

TEST_F(NpcTemplates, AddCopiesThePageAndTheBuffers) {
    fill_page("guard");
    npc().skill_edit(1).set_text("");  // an empty text is 0
    editor.world.pitems.resize(6);     // the rows the buffers name
    editor.world.presources.resize(2);
    editor.npc_head = 4;
    editor.npc_body = 5;
    editor.npc_lhand = {thing::item, 2, 0};
    editor.npc_rhand = {thing::resource, 1, 5};
    editor.npc_items = {{thing::item, 0, 1}, {thing::resource, 1, 3}};
    editor.npc_parts = {{thing::resource, 0, 2}};
    set_attribute(1, "3");
    click(npc().Button22);

    ASSERT_EQ(editor.world.pnpcs.size(), 1u);
    const Tchar& c = editor.world.pnpcs[0];
    EXPECT_EQ(c.name, "guard");
    EXPECT_EQ(c.self_name, "Bob");
    EXPECT_EQ(c.description, "stands watch");
    EXPECT_EQ(numbers_of(c), (std::vector<int32_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
    EXPECT_EQ(c.ACU, 14);  // ACU comes before CON in the record, and its edit is the ACU edit
    EXPECT_EQ(c.skills[0], 0);
    EXPECT_EQ(c.skills[2], 103);  // skill 3's edit lands in skill 3
    EXPECT_EQ(c.skills[31], 132);
    // No picture picked: the first tile frame; no fraction listed: none.
    EXPECT_EQ(c.figure, 0);
    EXPECT_EQ(c.portrait, 0);
    EXPECT_EQ(c.fraction, -1);
    EXPECT_EQ(c.head, 4);
    EXPECT_EQ(c.body, 5);
    EXPECT_EQ(c.left_hand, (Tinvitem{thing::item, 2, 0}));
    EXPECT_EQ(c.right_hand, (Tinvitem{thing::resource, 1, 5}));
    EXPECT_EQ(c.inventory, editor.npc_items);
    EXPECT_EQ(c.parts, editor.npc_parts);
    EXPECT_EQ(c.phys_attrs, (Tskills{{1, 3, 0}}));
    // The attributes went to the template; the other buffers stay.
    EXPECT_TRUE(npc().npc_phys_attrs.empty());
    EXPECT_EQ(npc().lb_pnpc_phys_attrs.count(), 0);
    EXPECT_EQ(editor.npc_head, 4);
    EXPECT_EQ(cell_colour(npc().sg_pnpc, 0), frame_color(0));

    // A second ADD gives an equal template but for the attributes.
    click(npc().Button22);
    ASSERT_EQ(editor.world.pnpcs.size(), 2u);
    Tchar expected = editor.world.pnpcs[0];
    expected.phys_attrs.clear();
    EXPECT_EQ(editor.world.pnpcs[1], expected);

    // Without a name nothing is added, and nothing is said.
    type_text(npc().e_pnpc_name, "");
    click(npc().Button22);
    EXPECT_EQ(editor.world.pnpcs.size(), 2u);
    EXPECT_TRUE(modal_->transcript.empty());
}

// ADD and "<- EDIT" convert every number before they write anything.
TEST_F(NpcTemplates, ATypoAnywhereChangesNothing) {
    fill_page("guard");
    click(npc().Button22);
    const Tchar kept = editor.world.pnpcs.at(0);
    fill_page("other");
    struct Case {
        kit::Edit* edit;
        const char* text;
    };
    const Case cases[] = {{&npc().skill_edit(31), "1o"},
                          {&npc().e_pnpc_con, "x"},
                          {&npc().epnpcsize, "9.5"},
                          {&npc().e_pnpc_str, "5000000000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit->name);
        const std::string before = c.edit->text();
        c.edit->set_text(c.text);
        for (kit::Button* b : {&npc().Button22, &npc().Button35}) {
            modal_->errors.clear();
            click(*b);
            EXPECT_EQ(modal_->errors,
                      std::vector<std::string>{"'" + std::string(c.text) + "' is not a valid integer value."});
            ASSERT_EQ(editor.world.pnpcs.size(), 1u);
            EXPECT_EQ(editor.world.pnpcs[0], kept);
        }
        c.edit->set_text(before);
    }
}

// With several fields refused at once, the one read first is the one named:
// the characteristics in the record's order (ACU before CON), the points,
// the size, then the skills.
TEST_F(NpcTemplates, OfSeveralRefusedFieldsTheFirstReadIsNamed) {
    fill_page("guard");
    click(npc().Button22);
    ::NpcPage& p = npc();
    struct Case {
        kit::Edit* first;
        kit::Edit* second;
    };
    const Case cases[] = {{&p.e_pnpc_acu, &p.e_pnpc_con}, {&p.e_pnpc_per, &p.epnpchp}, {&p.epnpcmp, &p.epnpcsp},
                          {&p.epnpcsize, &p.skill_edit(1)}, {&p.skill_edit(16), &p.skill_edit(17)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first->name);
        for (kit::Button* b : {&p.Button22, &p.Button35})
            expect_refused({{c.second, "second"}, {c.first, "first"}}, *b, "'first' is not a valid integer value.");
    }
}

TEST_F(NpcTemplates, SelectLoadsThePageAndEditWritesItBack) {
    TWorld& w = editor.world;
    w.fracs = {{"elves", 0}, {"orcs", 1}};
    w.fracrel = {{0, 0}, {0, 0}};
    npc().fill_fractions();
    Tchar c;
    c.name = "guard";
    c.self_name = "Bob";
    c.description = "first\r\nsecond";
    c.STR = 1, c.AGI = 2, c.DEX = 3, c.ACU = 4, c.CON = 5, c.INT = 6, c.WIS = 7, c.PER = 8;
    c.hp = 9, c.mp = 10, c.sp = 11, c.size = 12;
    for (std::size_t i = 0; i < 32; ++i) c.skills[i] = static_cast<int32_t>(i * 3);
    c.figure = 4;
    c.portrait = frames32 + 2;
    c.fraction = 1;
    c.head = 6;
    c.body = -1;
    c.left_hand = {thing::resource, 2, 7};
    c.right_hand = {0, -1, 0};
    c.inventory = {{thing::item, 3, 1}};
    c.parts = {{thing::resource, 1, 4}};
    // A number from a file that names no attribute, and an entry of value 0.
    c.phys_attrs = {{7, 3, 0}, {1, 0, 0}, {2, 4, 0}};
    w.pnpcs.push_back(c);
    Tchar stale = c;
    stale.name = "ghost";
    stale.figure = 900;
    stale.portrait = -1;
    stale.fraction = 5;
    w.pnpcs.push_back(stale);
    setgrids();

    press_cell(npc().sg_pnpc, 0, 0);
    EXPECT_EQ(editor.cur_npc, 0);
    EXPECT_EQ(npc().e_pnpc_name.text(), "guard");
    EXPECT_EQ(npc().e_pnpc_selfname.text(), "Bob");
    EXPECT_EQ(npc().m_pnpc_descr.text(), "first\r\nsecond");
    std::vector<std::string> texts;
    for (kit::Edit* e : number_edits()) texts.push_back(e->text());
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(npc().skill_edit(3).text(), "6");
    EXPECT_EQ(npc().skill_edit(32).text(), "93");
    EXPECT_EQ(npc().cb_pnpc_frac.item_index(), 1);
    EXPECT_EQ(npc().i_pnpc_i1.picture().pixel(8, 8), frame_color(4));
    EXPECT_EQ(npc().i_pnpc_i2.picture().pixel(40, 40), frame_color(frames32 + 2));
    EXPECT_EQ(npc().npc_figure, 4);
    EXPECT_EQ(editor.npc_head, 6);
    EXPECT_EQ(editor.npc_body, -1);
    EXPECT_EQ(editor.npc_lhand, c.left_hand);
    EXPECT_EQ(editor.npc_rhand, c.right_hand);
    EXPECT_EQ(editor.npc_items, c.inventory);
    EXPECT_EQ(editor.npc_parts, c.parts);
    EXPECT_EQ(npc().npc_phys_attrs, (Tskills{{7, 3, 0}, {2, 4, 0}}));
    EXPECT_EQ(npc().lb_pnpc_phys_attrs.items(), (std::vector<std::string>{" 3", "fists 4"}));
    EXPECT_EQ(w.pnpcs[0].phys_attrs.size(), 3u);  // the template keeps its list until "<- EDIT"

    // Skill 3 edited and written back: only skill 3 and the dropped attribute change.
    npc().skill_edit(3).set_text("77");
    click(npc().Button35);
    Tchar expected = c;
    expected.skills[2] = 77;
    expected.phys_attrs = {{7, 3, 0}, {2, 4, 0}};
    EXPECT_EQ(w.pnpcs[0], expected);
    EXPECT_EQ(npc().npc_phys_attrs.size(), 2u);  // "<- EDIT" keeps the buffer

    // Pictures that name no tile show blank; a fraction not listed selects none,
    // and "<- EDIT" stores it as none.
    press_cell(npc().sg_pnpc, 1, 0);
    EXPECT_EQ(npc().i_pnpc_i1.picture().pixel(8, 8), clWhite);
    EXPECT_EQ(npc().i_pnpc_i2.picture().pixel(8, 8), clWhite);
    EXPECT_EQ(npc().cb_pnpc_frac.item_index(), -1);
    click(npc().Button35);
    EXPECT_EQ(w.pnpcs[1].fraction, -1);
    EXPECT_EQ(w.pnpcs[1].figure, 900);

    // "<- EDIT" writes into whatever row cur_npc holds (the map palette sets it
    // too), and nothing when that row does not exist.
    type_text(npc().e_pnpc_name, "");
    editor.cur_npc = 0;
    click(npc().Button35);
    EXPECT_EQ(w.pnpcs[0].name, "");
    const std::vector<Tchar> before = w.pnpcs;
    for (int row : {2, -1}) {
        editor.cur_npc = row;
        click(npc().Button35);
        EXPECT_EQ(w.pnpcs, before);
    }
    EXPECT_TRUE(modal_->transcript.empty());
}

// The equipment buffers outlive an Open: a row they keep from a larger world
// names nothing here. ADD refuses it, naming it; "<- EDIT" keeps what the
// template holds already (as a file gave it) but takes no new one.
TEST_F(NpcTemplates, BufferRowsThatNameNothingAreNotStored) {
    editor.world.pitems.resize(1);
    editor.world.presources.resize(1);
    struct Case {
        const char* error;
        std::function<void()> set;
    };
    const Case cases[] = {
        {"The inventory names item 9",
         [this] {
             editor.npc_items = {{thing::item, 0, 1}, {thing::item, 9, 1}};
         }},
        {"The inventory names a thing of kind 5",
         [this] {
             editor.npc_items = {{5, 0, 1}};
         }},
        {"A part names resource 9",
         [this] {
             editor.npc_parts = {{thing::item, 9, 1}};
         }},
        {"The head names item 9", [this] { editor.npc_head = 9; }},
        {"The body names item -3", [this] { editor.npc_body = -3; }},
        {"The left hand names resource 9",
         [this] {
             editor.npc_lhand = {thing::resource, 9, 2};
         }},
        {"The right hand names item 1",
         [this] {
             editor.npc_rhand = {thing::item, 1, 1};
         }},
    };
    fill_page("guard");
    for (const Case& c : cases) {
        editor.npc_items = editor.npc_parts = {};
        editor.npc_head = editor.npc_body = editor.npc_lhand.index = editor.npc_rhand.index = -1;
        c.set();
        click(npc().Button22);
        EXPECT_TRUE(editor.world.pnpcs.empty()) << c.error;
        EXPECT_EQ(modal_->errors.back(),
                  std::string(c.error) + ", which does not exist: right-click it in the INV window to remove it.");
    }

    // A template from a file holding such rows is edited and keeps them.
    Tchar ghost;
    ghost.name = "ghost";
    ghost.head = 9;
    ghost.body = -1;
    ghost.left_hand = {thing::item, 7, 1};
    ghost.right_hand = {thing::resource, -1, 0};
    ghost.inventory = {{thing::resource, 8, 2}};
    editor.world.pnpcs = {ghost};
    setgrids();
    press_cell(npc().sg_pnpc, 0, 0);
    type_text(npc().e_pnpc_name, "ghost 2");
    click(npc().Button35);
    EXPECT_EQ(editor.world.pnpcs[0].name, "ghost 2");
    EXPECT_EQ(editor.world.pnpcs[0].inventory, ghost.inventory);
    EXPECT_EQ(editor.world.pnpcs[0].head, 9);
    editor.npc_body = 9;
    click(npc().Button35);
    EXPECT_EQ(modal_->errors.back(),
              "The body names item 9, which does not exist: right-click it in the INV window to remove it.");
    EXPECT_EQ(editor.world.pnpcs[0].body, -1);
}

TEST_F(NpcTemplates, PicturesComeFromTheTilePalette) {
    press_cell(tile_palette(), 2, 1);  // tile 5
    click(npc().i_pnpc_i1);
    press_cell(tile_palette(), 1, 10);  // tile 31, 64 x 64
    click(npc().i_pnpc_i2);
    EXPECT_EQ(npc().npc_figure, 5);
    EXPECT_EQ(npc().npc_portrait, 31);
    EXPECT_EQ(npc().i_pnpc_i1.picture().pixel(8, 8), frame_color(5));
    EXPECT_EQ(npc().i_pnpc_i2.picture().pixel(40, 40), frame_color(31));
    // A current tile that names no frame is not taken.
    for (int tile : {-1, 5000}) {
        editor.cur_tile = tile;
        click(npc().i_pnpc_i1);
        click(npc().i_pnpc_i2);
    }
    EXPECT_EQ(npc().npc_figure, 5);
    EXPECT_EQ(npc().npc_portrait, 31);
    EXPECT_EQ(npc().i_pnpc_i1.picture().pixel(8, 8), frame_color(5));
}

TEST_F(NpcTemplates, PhysiologicalAttributes) {
    const auto listed = [this] { return npc().lb_pnpc_phys_attrs.items(); };
    set_attribute(0, "5");
    set_attribute(1, "2");
    EXPECT_EQ(listed(), (std::vector<std::string>{"claws 5", "fur 2"}));
    // Setting an attribute already listed replaces its value.
    set_attribute(0, "9");
    EXPECT_EQ(listed(), (std::vector<std::string>{"claws 9", "fur 2"}));
    EXPECT_EQ(npc().npc_phys_attrs, (Tskills{{0, 9, 0}, {1, 2, 0}}));
    // Values below 1 are ignored; a text that is not a number, even an empty one, fails.
    set_attribute(2, "0");
    set_attribute(2, "-4");
    EXPECT_TRUE(modal_->errors.empty());
    for (const char* text : {"", "x"}) {
        modal_->errors.clear();
        set_attribute(2, text);
        EXPECT_EQ(modal_->errors,
                  std::vector<std::string>{"'" + std::string(text) + "' is not a valid integer value."});
    }
    EXPECT_EQ(listed(), (std::vector<std::string>{"claws 9", "fur 2"}));
    // REMOVE needs a chosen line.
    click(npc().Button47);
    EXPECT_EQ(listed().size(), 2u);
    pick(npc().lb_pnpc_phys_attrs, 0);
    click(npc().Button47);
    EXPECT_EQ(listed(), std::vector<std::string>{"fur 2"});
    EXPECT_EQ(npc().npc_phys_attrs, (Tskills{{1, 2, 0}}));
}

// The designer's whole way: two fractions, a "guard" with a hat and a sword
// composed in the equipment dialog, seen in the map page's NPC palette, saved
// and opened again.
TEST_F(NpcTemplates, AGuardWithAHatAndASwordIsSavedAndOpenedWhole) {
    pick_page(page_control(), page::fractions);
    for (const auto& [name, tile] : {std::pair{"guards", 6}, std::pair{"thieves", 7}}) {
        press_cell(tile_palette(), tile % 3, tile / 3);
        click(fractions().ifrac);
        type_text(fractions().efracname, name);
        click(fractions().Button14);
    }
    Tpitem hat, sword;
    hat.name = "hat", hat.item_class = item_class::hat, hat.image = 10;
    sword.name = "sword", sword.item_class = 0, sword.image = 11;
    editor.world.pitems = {hat, sword};
    setgrids();

    pick_page(page_control(), page::npc);
    press_cell(tile_palette(), 0, 4);  // tile 12
    click(npc().i_pnpc_i1);
    press_cell(tile_palette(), 0, 10);  // tile 30, 64 x 64
    click(npc().i_pnpc_i2);
    fill_page("guard");
    pick(npc().cb_pnpc_frac, 0);
    set_attribute(2, "4");
    click(npc().Button23);
    auto& inv = dialog<TForm4>(editor.Form4);
    ASSERT_TRUE(inv.visible());
    EXPECT_FALSE(main_window().enabled());
    press_cell(inv.sg_pnpc_items, 0, 0);
    click(inv.i_pnpc_head);
    press_cell(inv.sg_pnpc_items, 1, 0);
    click(inv.i_pnpc_right);
    kit::user::close(inv);
    EXPECT_TRUE(main_window().enabled());
    click(npc().Button22);

    ASSERT_EQ(editor.world.pnpcs.size(), 1u);
    const Tchar& guard = editor.world.pnpcs[0];
    EXPECT_EQ(guard.head, 0);
    EXPECT_EQ(guard.right_hand, (Tinvitem{thing::item, 1, 0}));
    EXPECT_EQ(guard.fraction, 0);
    EXPECT_EQ(guard.figure, 12);
    EXPECT_EQ(guard.portrait, 30);
    pick_page(page_control(), page::map);
    pick_page(map().PC2, palette::npcs);
    EXPECT_EQ(cell_colour(map().sg_pnpc2, 0), frame_color(12));

    const TWorld built = editor.world;
    const std::string file = dir_.file("guard.wld");
    save_as(file);
    reset_world(editor.world);
    open(file);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_EQ(editor.world.pnpcs, built.pnpcs);
    EXPECT_EQ(editor.world.fracs, built.fracs);
    EXPECT_EQ(editor.world.fracrel, built.fracrel);
    EXPECT_EQ(npc().cb_pnpc_frac.items(), (std::vector<std::string>{"guards", "thieves"}));
}

}  // namespace
