// The items page driven as a designer drives it: the picture from the tile
// palette, ADD and "<- EDIT" with every field checked first, the default
// contents and clip built from the buffers, the allowed ammunition, and
// buffers kept across an Open of a smaller world.
#include "mainwindow/page_items.h"

#include "dialogs/item_template_contents.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_resources.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class ItemsPageTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(page_control(), page::items);
    }
    ItemsPage& page() { return items(); }

    void add(const std::string& name, int item_class, const std::string& load) {
        type_text(page().e_pitem_name, name);
        pick(page().cb_pitem_class, item_class);
        type_text(page().e_pitem_load, load);
        click(page().Button10);
    }
    TColor picture() { return page().ipitem.picture().pixel(5, 5); }
};

TEST_F(ItemsPageTest, CaptionsAreNotCoveredByTheirFields) {
    for (kit::Control* c : std::initializer_list<kit::Control*>{&page().items, &page().gb_pitem_bow,
                                                                &page().gb_pitem_fight, &page().gb_pitem_armour})
        EXPECT_EQ(overlaps(*c), std::vector<std::string>{}) << c->name;
}

TEST_F(ItemsPageTest, AddTakesEveryFieldAndThePicture) {
    pick_tile(7);
    EXPECT_EQ(picture(), frame_color(7));
    const std::pair<kit::Edit*, const char*> typed[] = {
        {&page().e_pitem_HP, "1"},        {&page().e_pitem_weight, "2"},   {&page().e_pitem_value, "3"},
        {&page().e_pitem_arm1, "4"},      {&page().e_pitem_arm2, "5"},     {&page().e_pitem_arm3, "6"},
        {&page().e_pitem_dem1, "7"},      {&page().e_pitem_dem2, "8"},     {&page().e_pitem_dem3, "9"},
        {&page().e_pitem_a, "10"},        {&page().e_pitem_b, "11"},       {&page().e_pitem_c, "12"},
        {&page().e_pitem_attak, "13"},    {&page().e_pitem_defence, "14"}, {&page().e_pitem_block, "15"},
        {&page().e_pitem_cover, "16"},    {&page().e_pitem_skov, "17"},    {&page().e_pitem_penalty, "18"},
        {&page().e_pitem_hands, "65535"}, {&page().e_pitem_volume, "99"}};
    for (const auto& [edit, text] : typed) type_text(*edit, text);
    type_text(page().m_pitem_title, "sharp");
    add("knife", 2, "0");
    ASSERT_EQ(editor.world.pitems.size(), 1u);
    Tpitem expected;
    expected.name = "knife";
    expected.title = "sharp";
    expected.item_class = 2;
    expected.image = 7;
    expected.hp = 1, expected.weight = 2, expected.value = 3;
    expected.arm1 = 4, expected.arm2 = 5, expected.arm3 = 6;
    expected.dem1 = 7, expected.dem2 = 8, expected.dem3 = 9;
    expected.a = 10, expected.b = 11, expected.c = 12;
    expected.attack = 13, expected.defence = 14, expected.block = 15;
    expected.cover = 16, expected.skov = 17, expected.penalty = 18;
    expected.hands = 65535;
    expected.clip = -1;
    EXPECT_EQ(editor.world.pitems[0], expected);
    EXPECT_TRUE(modal_->transcript.empty());
    // The catalogue grid and the map page's palette show it.
    page().sg_pitems.refresh();
    EXPECT_EQ(page().sg_pitems.canvas().pixel(4, 4), frame_color(7));
    for (int i = 0; i < 3; ++i) add("more", 0, "");
    EXPECT_EQ(map().sg_pitems_2.row_count(), 2);
    // "DELETE" deletes nothing.
    click(page().Button12);
    EXPECT_EQ(editor.world.pitems.size(), 4u);
}

// The contents of a new item: the composed rows that are allowed, at most
// "load" of them; a revolver gets one entry per chamber, -1 when empty.
TEST_F(ItemsPageTest, ContentsAreTheAllowedRowsOnePerChamberForARevolver) {
    put_resources({resource_kind::ammo, resource_kind::ammo, resource_kind::ammo});
    struct Case {
        int item_class;
        const char* load;
        tintarray children, contents, expected;
    };
    const int revolver = item_class::revolver;
    const Case cases[] = {
        {revolver, "6", {0, 1}, {0, 1}, {0, 1, -1, -1, -1, -1}},
        {revolver, "6", {0}, {0, 1}, {0, -1, -1, -1, -1, -1}},
        {revolver, "2", {0, 1}, {1, 1, 0}, {1, 1}},
        {revolver, "", {0}, {0}, {}},
        {0, "5", {}, {0, 1}, {}},
        {0, "2", {0, 1, 2}, {2, 1, 0}, {2, 1}},
        {0, "9", {0, 2}, {0, 1, 2, 1}, {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.item_class) + " load " + c.load + " " + testing::PrintToString(c.contents));
        editor.item_children = c.children;
        editor.item_contents = c.contents;
        add("gun", c.item_class, c.load);
        ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
        const Tpitem& it = editor.world.pitems.back();
        EXPECT_EQ(it.contents, c.expected);
        EXPECT_EQ(it.children, c.children);
        EXPECT_EQ(it.load, std::atoi(c.load));
        EXPECT_EQ(editor.item_contents, c.contents);  // the buffer is the designer's
    }
}

TEST_F(ItemsPageTest, AClipNoLongerAllowedIsDroppedAtAdd) {
    put_resources({resource_kind::ammo, resource_kind::clip});
    editor.item_children = {0, 1};
    editor.item_ammo = 1;
    add("gun", 0, "1");
    EXPECT_EQ(editor.world.pitems.back().clip, 1);
    pick(page().lb_pitem_children, 1);
    click(page().Button19);
    EXPECT_EQ(editor.item_children, tintarray{0});
    add("gun", 0, "1");
    EXPECT_EQ(editor.world.pitems.back().clip, -1);
    EXPECT_EQ(editor.item_ammo, -1);
}

// Every field is converted and checked before anything is written; a number
// outside its field's storage is refused, not wrapped.
TEST_F(ItemsPageTest, AFieldThatIsRefusedAddsAndEditsNothing) {
    add("first", 0, "0");
    press_cell(page().sg_pitems, 0, 0);
    struct Case {
        kit::Edit* field;
        int item_class;
        const char* text;
        const char* error;
        bool edit_too;  // "<- EDIT" reads the field as well
    };
    const int revolver = item_class::revolver;
    const Case cases[] = {
        {&page().e_pitem_hands, 0, "65536", "'65536' is not within the range 0..65535.", true},
        {&page().e_pitem_hands, 0, "-1", "'-1' is not within the range 0..65535.", true},
        {&page().e_pitem_penalty, 0, "x", "'x' is not a valid integer value.", true},
        {&page().e_pitem_HP, 0, "2147483648", "'2147483648' is not a valid integer value.", true},
        {&page().e_pitem_load, 0, "-1", "Range check error.", false},
        {&page().e_pitem_load, revolver, "2000000000", "A revolver may have at most 65536 chambers.", false},
        {&page().e_pitem_load, revolver, "65537", "A revolver may have at most 65536 chambers.", false},
        {&page().e_pitem_load, 0, "1e3", "'1e3' is not a valid integer value.", false},
    };
    const TWorld before = editor.world;
    for (const Case& c : cases) {
        for (kit::Button* b : {&page().Button10, &page().Button11}) {
            if (b == &page().Button11 && !c.edit_too) continue;
            SCOPED_TRACE(std::string(c.text) + " " + b->caption());
            type_text(page().e_pitem_name, "changed");
            pick(page().cb_pitem_class, c.item_class);
            type_text(*c.field, c.text);
            modal_->errors.clear();
            click(*b);
            EXPECT_EQ(modal_->errors, std::vector<std::string>{c.error});
            EXPECT_EQ(editor.world, before);
            type_text(*c.field, "0");
        }
    }
    // A revolver of the most chambers the world allows is taken.
    add("drum", revolver, "65536");
    ASSERT_EQ(editor.world.pitems.size(), 2u);
    EXPECT_EQ(editor.world.pitems[1].contents.size(), 65536u);
}

// With several fields refused at once, the one read first is the one named:
// the class, then the numbers (the armour before the damage, whatever the
// layout shows), the hands, and for ADD the load last.
TEST_F(ItemsPageTest, OfSeveralRefusedFieldsTheFirstReadIsNamed) {
    add("first", 0, "0");
    press_cell(page().sg_pitems, 0, 0);
    struct Case {
        std::vector<std::pair<kit::Edit*, std::string>> typed;
        const char* error;
    };
    ItemsPage& p = page();
    const Case cases[] = {
        {{{&p.e_pitem_HP, "h"}, {&p.e_pitem_weight, "w"}}, "'h' is not a valid integer value."},
        {{{&p.e_pitem_value, "v"}, {&p.e_pitem_arm1, "a"}}, "'v' is not a valid integer value."},
        {{{&p.e_pitem_dem1, "d"}, {&p.e_pitem_arm3, "a"}}, "'a' is not a valid integer value."},
        {{{&p.e_pitem_c, "c"}, {&p.e_pitem_attak, "t"}}, "'c' is not a valid integer value."},
        {{{&p.e_pitem_hands, "70000"}, {&p.e_pitem_penalty, "p"}}, "'p' is not a valid integer value."},
        {{{&p.e_pitem_load, "-1"}, {&p.e_pitem_hands, "70000"}}, "'70000' is not within the range 0..65535."},
    };
    for (const Case& c : cases)
        for (kit::Button* b : {&p.Button10, &p.Button11}) expect_refused(c.typed, *b, c.error);
    // No class chosen is named before any number.
    editor.world.pitems[0].item_class = 40;
    press_cell(p.sg_pitems, 0, 0);
    type_text(p.e_pitem_HP, "h");
    modal_->errors.clear();
    click(p.Button11);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Select the class!"});
}

TEST_F(ItemsPageTest, SelectingShowsTheItemAndEditKeepsLoadAndLists) {
    Tpitem gun;
    gun.name = "colt";
    gun.item_class = item_class::revolver;
    gun.image = 9;
    gun.hp = 40;
    gun.hands = 1;
    gun.load = 6;
    gun.children = {0};
    gun.contents = {0, -1};
    gun.clip = -1;
    editor.world.pitems.push_back(gun);
    Tpitem lost = gun;
    lost.name = "lost";
    lost.image = 500;  // names no tile
    editor.world.pitems.push_back(lost);
    setgrids();
    type_text(page().e_pitem_load, "3");

    press_cell(page().sg_pitems, 0, 0);
    EXPECT_EQ(editor.cur_item, 0);
    EXPECT_EQ(editor.cur_tile, 9);
    EXPECT_EQ(picture(), frame_color(9));
    EXPECT_EQ(page().e_pitem_name.text(), "colt");
    EXPECT_EQ(page().cb_pitem_class.item_index(), item_class::revolver);
    EXPECT_EQ(page().e_pitem_HP.text(), "40");
    EXPECT_EQ(page().e_pitem_hands.text(), "1");
    EXPECT_EQ(page().e_pitem_load.text(), "3");  // not the item's

    type_text(page().e_pitem_HP, "45");
    pick_tile(12);
    click(page().Button11);
    const Tpitem& edited = editor.world.pitems[0];
    EXPECT_EQ(edited.hp, 45);
    EXPECT_EQ(edited.image, 12);
    EXPECT_EQ(edited.load, 6);
    EXPECT_EQ(edited.contents, (tintarray{0, -1}));
    EXPECT_EQ(edited.children, tintarray{0});

    // A picture that names no tile: the current tile takes it, nothing is
    // drawn, and neither ADD nor EDIT takes it.
    press_cell(page().sg_pitems, 1, 0);
    EXPECT_EQ(editor.cur_tile, 500);
    EXPECT_EQ(picture(), clWhite);
    const TWorld before = editor.world;
    click(page().Button11);
    click(page().Button10);
    EXPECT_EQ(modal_->messages, (std::vector<std::string>{"Select the image!", "Select the image!"}));
    EXPECT_EQ(editor.world, before);

    // A class outside the list shows none and is not written without one.
    editor.world.pitems[0].item_class = 40;
    press_cell(page().sg_pitems, 0, 0);
    EXPECT_EQ(page().cb_pitem_class.item_index(), -1);
    click(page().Button11);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Select the class!"});
    EXPECT_EQ(editor.world.pitems[0].item_class, 40);
    // EDIT names no row after an Open of fewer items: nothing happens.
    editor.cur_item = 7;
    click(page().Button11);
    EXPECT_EQ(modal_->errors.size(), 1u);
}

TEST_F(ItemsPageTest, TheAllowedListTakesAmmunitionClipsAndCellsOnce) {
    click(page().Button18);  // an empty picker
    put_resources({resource_kind::ammo, 0, resource_kind::clip, resource_kind::cell});
    ASSERT_EQ(page().cbexpress2.count(), 3);
    for (int i : {2, 0, 1, 0}) {
        pick(page().cbexpress2, i);
        click(page().Button18);
    }
    EXPECT_EQ(editor.item_children, (tintarray{3, 0, 2}));
    EXPECT_EQ(page().lb_pitem_children.items(), (std::vector<std::string>{"r3", "r0", "r2"}));
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"already exists"});
    // The picker keeps an entry made another kind until it is refilled.
    editor.world.presources[0].kind = 0;
    editor.item_children.clear();
    pick(page().cbexpress2, 0);
    click(page().Button18);
    EXPECT_EQ(modal_->messages.back(), "ammo clips and cells only");
    EXPECT_TRUE(editor.item_children.empty());
}

// The allowed list and the contents dialog after an Open of a smaller world.
TEST_F(ItemsPageTest, RowsBeyondASmallerOpenedWorldShowNothingAndAreNotTaken) {
    const std::string small = dir_.file("small.wld");
    put_resources({resource_kind::ammo});
    save_as(small);
    put_resources({resource_kind::ammo, resource_kind::clip});
    editor.item_children = {0, 1, 2};
    editor.item_contents = {1, 0};
    editor.item_ammo = 2;
    open(small);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_EQ(page().lb_pitem_children.items(), (std::vector<std::string>{"r0", "", ""}));

    type_text(page().e_pitem_load, "5");
    click(page().Button24);
    auto& dialog = this->dialog<TForm6>(editor.Form6);
    ASSERT_TRUE(dialog.visible());
    dialog.sg_pitem_inv.refresh();
    EXPECT_NE(dialog.sg_pitem_inv.canvas().pixel(4, 4), frame_color(11));
    EXPECT_EQ(dialog.ipitem_clip.picture().pixel(5, 5), clWhite);
    press_cell(dialog.sg_press, 1, 0);
    click(dialog.Button1);
    EXPECT_EQ(editor.item_contents, (tintarray{1, 0}));
    kit::user::close(dialog);

    add("gun", item_class::revolver, "3");
    const Tpitem& it = editor.world.pitems.back();
    EXPECT_EQ(it.children, tintarray{0});
    EXPECT_EQ(it.contents, (tintarray{-1, 0, -1}));
    EXPECT_EQ(it.clip, -1);
}

// The designer builds a bullet and a clip of them on the resources page, then
// a revolver "colt" that takes both, sees it on the map page, saves and opens
// the world again.
TEST_F(ItemsPageTest, ADesignerBuildsARevolverThatTakesBulletsAndAClip) {
    ResourcesPage& res = resources();
    pick_page(page_control(), page::resources);
    pick_tile(3);
    click(res.ipres1);
    pick_tile(4);
    click(res.ipres2);
    type_text(res.epresname, "bullet");
    pick(res.cbprestype, resource_kind::ammo);
    click(res.Button13);
    pick(res.cbexpress, 0);
    click(res.Button20);
    type_text(res.epresname, "clip9");
    pick(res.cbprestype, resource_kind::clip);
    type_text(res.eprespower, "9");
    click(res.Button13);

    pick_page(page_control(), page::items);
    for (int i : {0, 1}) {
        pick(page().cbexpress2, i);
        click(page().Button18);
    }
    pick_tile(9);
    type_text(page().e_pitem_hands, "1");
    type_text(page().e_pitem_dem1, "12");
    pick(page().cb_pitem_class, item_class::revolver);
    type_text(page().e_pitem_load, "6");
    click(page().Button24);
    auto& dialog = this->dialog<TForm6>(editor.Form6);
    press_cell(dialog.sg_press, 0, 0);
    click(dialog.Button1);
    click(dialog.Button1);
    press_cell(dialog.sg_press, 1, 0);
    click(dialog.Button2);
    EXPECT_EQ(dialog.ipitem_clip.picture().pixel(5, 5), frame_color(3));
    EXPECT_TRUE(editor.world.pitems.empty());  // the dialog changes no record
    kit::user::close(dialog);
    add("colt", item_class::revolver, "6");
    EXPECT_TRUE(modal_->transcript.empty());

    ASSERT_EQ(editor.world.pitems.size(), 1u);
    const Tpitem colt = editor.world.pitems[0];
    EXPECT_EQ(colt.contents, (tintarray{0, 0, -1, -1, -1, -1}));
    EXPECT_EQ(colt.children, (tintarray{0, 1}));
    EXPECT_EQ(colt.clip, 1);
    EXPECT_EQ(colt.image, 9);
    EXPECT_EQ(colt.hands, 1);
    EXPECT_EQ(colt.dem1, 12);

    pick_page(page_control(), page::map);
    pick_page(map().PC2, palette::items);
    map().sg_pitems_2.refresh();
    EXPECT_EQ(map().sg_pitems_2.canvas().pixel(4, 4), frame_color(9));

    const std::string file = dir_.file("colt.wld");
    save_as(file);
    const TWorld built = editor.world;
    editor.world.pitems.clear();
    open(file);
    ASSERT_EQ(editor.world.pitems.size(), 1u);
    EXPECT_EQ(editor.world.pitems, built.pitems);
    EXPECT_TRUE(modal_->errors.empty());
}

}  // namespace
