// The resources page driven as a designer drives it: pictures picked from the
// tile palette, ADD and "<- EDIT" with every field checked first, the allowed
// children, the filling of a vial, the pickers every page takes resources
// from, and buffers kept across an Open of a smaller world.
#include "mainwindow/page_resources.h"

#include "dialogs/resource_template_contents.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class ResourcesPageTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(page_control(), page::resources);
    }
    ResourcesPage& page() { return resources(); }

    void pick_pictures(int one, int many) {
        pick_tile(one);
        click(page().ipres1);
        pick_tile(many);
        click(page().ipres2);
    }
    // Fills the form as the designer types it and presses ADD.
    void add(const std::string& name, int kind, const std::string& power = "0") {
        type_text(page().epresname, name);
        pick(page().cbprestype, kind);
        type_text(page().eprespower, power);
        click(page().Button13);
    }
    // A template put straight into the catalogue, the pickers refilled.
    static Tpres entry(const std::string& name, int32_t kind, int32_t image = 0) {
        Tpres r;
        r.name = name;
        r.kind = kind;
        r.image_one = image;
        r.image_many = image + 1;
        r.filling.index = -1;
        return r;
    }
    void put(const Tpres& r) {
        editor.world.presources.push_back(r);
        setgrids();
    }
    // The captions and catalogue rows of a picker.
    static std::vector<std::pair<std::string, int>> entries(const kit::ComboBox& picker) {
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < picker.count(); ++i) out.emplace_back(picker.item(i), picker.item_data(i));
        return out;
    }
};

using Entries = std::vector<std::pair<std::string, int>>;

TEST_F(ResourcesPageTest, CaptionsAreNotCoveredByTheirFields) {
    EXPECT_EQ(overlaps(page().resources_page), std::vector<std::string>{});
}

TEST_F(ResourcesPageTest, AddTakesEveryFieldOnceBothPicturesArePicked) {
    click(page().Button13);
    pick_tile(3);
    click(page().ipres1);
    EXPECT_EQ(resources().res_image_one, 3);
    EXPECT_EQ(page().ipres1.picture().pixel(5, 5), frame_color(3));
    click(page().Button13);
    EXPECT_EQ(modal_->messages, (std::vector<std::string>{"Select both images!", "Select both images!"}));
    EXPECT_TRUE(editor.world.presources.empty());

    // A current tile that names no tile (an item's picture may) is not taken.
    editor.cur_tile = 999;
    click(page().ipres2);
    EXPECT_EQ(resources().res_image_many, -1);

    pick_tile(4);
    click(page().ipres2);
    type_text(page().epresvalue, "5");
    type_text(page().epresweight, "2");
    type_text(page().mprestitle, "lead");
    add("bullet", resource_kind::ammo, "7");
    ASSERT_EQ(editor.world.presources.size(), 1u);
    Tpres expected;
    expected.name = "bullet";
    expected.title = "lead";
    expected.kind = resource_kind::ammo;
    expected.value = 5;
    expected.weight = 2;
    expected.power = 7;
    expected.amount = 1;
    expected.image_one = 3;
    expected.image_many = 4;
    expected.holder_item = -1;
    expected.holder_resource = -1;
    expected.filling.index = -1;
    EXPECT_EQ(editor.world.presources[0], expected);
    EXPECT_EQ(modal_->messages.size(), 2u);

    // The catalogue grid, the map palette and the pickers show it.
    EXPECT_EQ(cell_colour(page().sg_presources, 0), frame_color(3));
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 0}}));
    EXPECT_EQ(entries(items().cbexpress2), (Entries{{"bullet", 0}}));
    EXPECT_EQ(entries(page().cbexpress3), (Entries{{"empty", -1}}));
    // The buffers carry over: a second ADD takes the same pictures.
    add("bullet2", resource_kind::ammo);
    ASSERT_EQ(editor.world.presources.size(), 2u);
    EXPECT_EQ(editor.world.presources[1].row, 1);
    EXPECT_EQ(editor.world.presources[1].image_one, 3);
    EXPECT_EQ(map().sg_pres_2.row_count(), 1);
    add("bullet3", resource_kind::ammo);
    EXPECT_EQ(map().sg_pres_2.row_count(), 2);
    EXPECT_EQ(page().sg_presources.row_count(), 2);
}

// What a new template holds: the composed contents that are allowed, at most
// "power" of them; a vial holds none but its filling.
TEST_F(ResourcesPageTest, ContentsAreTheAllowedRowsCutToThePower) {
    put(entry("a", resource_kind::ammo));
    put(entry("b", resource_kind::ammo));
    put(entry("c", resource_kind::ammo));
    put(entry("water", resource_kind::liquid, 5));
    pick_pictures(1, 2);
    struct Case {
        tintarray children, contents;
        const char* power;
        int kind;
        int filling_entry;  // in cbexpress3
        tintarray expected;
        int32_t filling;
    };
    const Case cases[] = {
        {{}, {0, 1}, "5", 8, 0, {}, -1},                      // nothing allowed: no contents
        {{0, 2}, {0, 1, 2, 0, 2}, "3", 8, 0, {0, 2, 0}, -1},  // 1 dropped first, then cut to 3
        {{0, 2}, {2, 0}, "5", 8, 0, {2, 0}, -1},
        {{0}, {0, 0}, "0", 8, 0, {}, -1},
        {{0}, {0}, "4", resource_kind::vial, 0, {}, -1},  // "empty"
        {{0}, {0}, "4", resource_kind::vial, 1, {}, 3},   // water
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.contents) + " power " + c.power);
        editor.res_children = c.children;
        editor.res_contents = c.contents;
        pick(page().cbexpress3, c.filling_entry);
        add("new", c.kind, c.power);
        const Tpres& r = editor.world.presources.back();
        EXPECT_EQ(r.contents, c.expected);
        EXPECT_EQ(r.children, c.children);
        EXPECT_EQ(r.filling, (c.filling < 0 ? Tinvitem{0, -1, 0} : Tinvitem{thing::resource, 3, 4}));
        // The buffers are the designer's: ADD changes neither.
        EXPECT_EQ(editor.res_contents, c.contents);
    }
    EXPECT_TRUE(modal_->errors.empty());
}

// Every field is converted and checked before anything is written.
TEST_F(ResourcesPageTest, AFieldThatIsRefusedAddsAndEditsNothing) {
    pick_pictures(1, 2);
    add("first", 0, "1");
    press_cell(page().sg_presources, 0, 0);
    const TWorld before = editor.world;
    struct Case {
        kit::Edit* field;
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {&page().eprespower, "-1", "A resource's power/volume must not be negative."},
        {&page().eprespower, "1.5", "'1.5' is not a valid integer value."},
        {&page().epresweight, "x", "'x' is not a valid integer value."},
        {&page().epresvalue, "4294967296", "'4294967296' is not a valid integer value."},
    };
    for (const Case& c : cases) {
        for (kit::Button* b : {&page().Button13, &page().Button15}) {
            SCOPED_TRACE(std::string(c.text) + " " + b->caption());
            type_text(page().epresname, "changed");
            type_text(*c.field, c.text);
            modal_->errors.clear();
            click(*b);
            EXPECT_EQ(modal_->errors, std::vector<std::string>{c.error});
            EXPECT_EQ(editor.world, before);
            type_text(*c.field, "0");
        }
    }
    // A kind outside the list shows no type, and is not written without one.
    editor.world.presources[0].kind = 99;
    press_cell(page().sg_presources, 0, 0);
    EXPECT_EQ(page().cbprestype.item_index(), -1);
    modal_->errors.clear();
    click(page().Button15);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Select the type!"});
    EXPECT_EQ(editor.world.presources[0].kind, 99);
}

// With several fields refused at once, the one read first is the one named:
// the weight, the value, the power, then the kind; a negative power only
// after the kind.
TEST_F(ResourcesPageTest, OfSeveralRefusedFieldsTheFirstReadIsNamed) {
    pick_pictures(1, 2);
    add("first", 0, "1");
    // A kind outside the list: the type box shows none.
    editor.world.presources[0].kind = 99;
    press_cell(page().sg_presources, 0, 0);
    ASSERT_EQ(page().cbprestype.item_index(), -1);
    ResourcesPage& p = page();
    struct Case {
        std::vector<std::pair<kit::Edit*, std::string>> typed;
        const char* error;
    };
    const Case cases[] = {
        {{{&p.epresweight, "w"}, {&p.epresvalue, "v"}}, "'w' is not a valid integer value."},
        {{{&p.epresvalue, "v"}, {&p.eprespower, "p"}}, "'v' is not a valid integer value."},
        {{{&p.eprespower, "p"}}, "'p' is not a valid integer value."},
        {{{&p.eprespower, "-1"}}, "Select the type!"},
    };
    for (const Case& c : cases)
        for (kit::Button* b : {&p.Button13, &p.Button15}) expect_refused(c.typed, *b, c.error);
}

TEST_F(ResourcesPageTest, EditWritesTheSelectedRowAndKeepsItsPicturesWithoutAPick) {
    click(page().Button15);  // nothing selected
    EXPECT_TRUE(modal_->transcript.empty());

    Tpres clip = entry("clip9", resource_kind::clip, 6);
    clip.contents = {0, 0};
    put(entry("bullet", resource_kind::ammo, 3));
    put(clip);
    // Picked on the map page's palette: the row is selected, no picture is.
    pick_page(page_control(), page::map);
    pick_page(map().PC2, palette::resources);
    press_cell(map().sg_pres_2, 1, 0);
    ASSERT_EQ(editor.cur_resource, 1);
    pick_page(page_control(), page::resources);
    click(page().Button15);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"Select both images!"});
    EXPECT_EQ(editor.world.presources[1], clip);

    // Selected on the page: its fields and pictures come into the form.
    press_cell(page().sg_presources, 1, 0);
    EXPECT_EQ(page().epresname.text(), "clip9");
    EXPECT_EQ(page().cbprestype.item_index(), resource_kind::clip);
    EXPECT_EQ(page().ipres1.picture().pixel(5, 5), frame_color(6));
    EXPECT_EQ(page().ipres2.picture().pixel(5, 5), frame_color(7));
    editor.res_children = {0};
    type_text(page().epresname, "clip10");
    type_text(page().eprespower, "10");
    click(page().Button15);
    const Tpres& edited = editor.world.presources[1];
    EXPECT_EQ(edited.name, "clip10");
    EXPECT_EQ(edited.power, 10);
    EXPECT_EQ(edited.row, 1);
    EXPECT_EQ(edited.children, tintarray{0});
    EXPECT_EQ(edited.contents, (tintarray{0, 0}));  // kept
    EXPECT_EQ(edited.image_one, 6);
    // The pickers show the new name at once.
    EXPECT_EQ(entries(items().cbexpress2), (Entries{{"bullet", 0}, {"clip10", 1}}));
    EXPECT_EQ(editor.world.presources.size(), 2u);

    // Made a liquid by EDIT: it leaves the ammunition pickers for the filling picker.
    pick(page().cbprestype, resource_kind::liquid);
    click(page().Button15);
    EXPECT_EQ(entries(items().cbexpress2), (Entries{{"bullet", 0}}));
    EXPECT_EQ(entries(page().cbexpress3), (Entries{{"empty", -1}, {"clip10", 1}}));
}

// "<- EDIT" changes the pickers only in the entry edited: a renamed entry
// gets its new caption in place, an entry whose kind changed joins or leaves
// a picker at its place in catalogue order, and every picker keeps what it
// shows (the entry chosen, or its first entry when the chosen one left).
TEST_F(ResourcesPageTest, EditKeepsEachPickersChoice) {
    put(entry("bullet", resource_kind::ammo, 3));
    put(entry("shot", resource_kind::ammo, 4));
    put(entry("clip", resource_kind::clip, 5));
    put(entry("water", resource_kind::liquid, 6));
    put(entry("oil", resource_kind::mixture, 7));
    Tpres flask = entry("flask", resource_kind::vial, 8);
    flask.filling = {thing::resource, 4, 2};
    flask.power = 2;
    put(flask);
    pick_page(page_control(), page::items);
    pick(items().cbexpress2, 2);  // clip
    pick_page(page_control(), page::resources);
    pick(page().cbexpress, 1);  // shot
    auto choices = [&] {
        return Entries{{items().cbexpress2.text(), items().cbexpress2.item_index()},
                       {page().cbexpress.text(), page().cbexpress.item_index()},
                       {page().cbexpress3.text(), page().cbexpress3.item_index()}};
    };

    // The flask shows its filling; renamed, every choice stays.
    press_cell(page().sg_presources, 2, 1);
    ASSERT_EQ(page().cbexpress3.item_index(), 2);
    type_text(page().epresname, "flask2");
    click(page().Button15);
    EXPECT_EQ(editor.world.presources[5].name, "flask2");
    EXPECT_EQ(editor.world.presources[5].filling, (Tinvitem{thing::resource, 4, 2}));
    EXPECT_EQ(choices(), (Entries{{"clip", 2}, {"shot", 1}, {"oil", 2}}));

    // The chosen ammunition renamed: the same entry, with its new caption.
    press_cell(page().sg_presources, 1, 0);
    type_text(page().epresname, "shot2");
    click(page().Button15);
    EXPECT_EQ(choices(), (Entries{{"clip", 2}, {"shot2", 1}, {"empty", 0}}));
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 0}, {"shot2", 1}}));

    // Water made ammunition joins both ammunition pickers after the rows
    // before it and leaves the filling picker; the choices stay.
    press_cell(page().sg_presources, 0, 1);
    pick(page().cbexpress3, 2);  // oil
    pick(page().cbprestype, resource_kind::ammo);
    click(page().Button15);
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 0}, {"shot2", 1}, {"water", 3}}));
    EXPECT_EQ(entries(items().cbexpress2), (Entries{{"bullet", 0}, {"shot2", 1}, {"clip", 2}, {"water", 3}}));
    EXPECT_EQ(entries(page().cbexpress3), (Entries{{"empty", -1}, {"oil", 4}}));
    EXPECT_EQ(choices(), (Entries{{"clip", 2}, {"shot2", 1}, {"oil", 1}}));

    // The chosen entry leaves its picker: the picker shows its first entry.
    pick(page().cbexpress, 2);  // water
    pick(page().cbprestype, resource_kind::liquid);
    click(page().Button15);
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 0}, {"shot2", 1}}));
    EXPECT_EQ(entries(page().cbexpress3), (Entries{{"empty", -1}, {"water", 3}, {"oil", 4}}));
    EXPECT_EQ(choices(), (Entries{{"clip", 2}, {"bullet", 0}, {"oil", 2}}));
    // The next setgrids refills them from the catalogue as before.
    setgrids();
    EXPECT_EQ(choices(), (Entries{{"bullet", 0}, {"bullet", 0}, {"empty", 0}}));
}

TEST_F(ResourcesPageTest, AVialShowsItsFillingAndEditWithEmptyKeepsIt) {
    put(entry("water", resource_kind::liquid, 5));
    put(entry("oil", resource_kind::mixture, 8));
    Tpres vial = entry("flask", resource_kind::vial, 10);
    vial.filling = {thing::resource, 1, 3};
    vial.power = 3;
    put(vial);
    press_cell(page().sg_presources, 2, 0);
    EXPECT_EQ(page().cbexpress3.item_index(), 2);  // "oil"
    // "<- EDIT" with "empty" keeps the filling; with water it takes water.
    pick(page().cbexpress3, 0);
    click(page().Button15);
    EXPECT_EQ(editor.world.presources[2].filling, (Tinvitem{thing::resource, 1, 3}));
    pick(page().cbexpress3, 1);
    click(page().Button15);
    EXPECT_EQ(editor.world.presources[2].filling, (Tinvitem{thing::resource, 0, 3}));
    // An empty vial, and any other kind, show "empty".
    editor.world.presources[2].filling.count = 0;
    pick(page().cbexpress3, 2);
    press_cell(page().sg_presources, 2, 0);
    EXPECT_EQ(page().cbexpress3.item_index(), 0);
}

TEST_F(ResourcesPageTest, TheAmmoListTakesEachAmmunitionOnce) {
    put(entry("clip9", resource_kind::clip));
    click(page().Button20);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"ammo only"});
    put(entry("bullet", resource_kind::ammo));
    put(entry("shell", resource_kind::ammo));
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 1}, {"shell", 2}}));
    pick(page().cbexpress, 1);
    click(page().Button20);
    pick(page().cbexpress, 0);
    click(page().Button20);
    click(page().Button20);
    EXPECT_EQ(editor.res_children, (tintarray{2, 1}));
    EXPECT_EQ(page().lbpreschidren.items(), (std::vector<std::string>{"shell", "bullet"}));
    EXPECT_EQ(modal_->messages.back(), "already exists");

    click(page().Button21);  // no line chosen
    EXPECT_EQ(editor.res_children.size(), 2u);
    pick(page().lbpreschidren, 0);
    click(page().Button21);
    EXPECT_EQ(editor.res_children, tintarray{1});
    EXPECT_EQ(page().lbpreschidren.items(), std::vector<std::string>{"bullet"});
}

// Buffers and selections survive an Open; rows the opened world does not have
// show no name and no picture, and no record or contents takes them.
TEST_F(ResourcesPageTest, RowsBeyondASmallerOpenedWorldShowNothingAndAreNotTaken) {
    const std::string small = dir_.file("small.wld");
    put(entry("bullet", resource_kind::ammo, 3));
    save_as(small);
    for (int i = 0; i < 5; ++i) put(entry("more", resource_kind::ammo, 10 + i));
    editor.res_children = {0, 4};
    editor.res_contents = {4, 0};
    page().update_rchildren_list();
    press_cell(page().sg_presources, 1, 1);
    ASSERT_EQ(editor.cur_resource, 4);

    open(small);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_EQ(page().lbpreschidren.items(), (std::vector<std::string>{"bullet", ""}));
    EXPECT_EQ(page().sg_presources.row_count(), 1);
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"bullet", 0}}));
    const TWorld opened = editor.world;
    click(page().Button15);  // row 4 is gone
    EXPECT_EQ(editor.world, opened);
    EXPECT_EQ(modal_->transcript.size(), 2u);  // the save and the open, nothing else

    type_text(page().eprespower, "5");
    click(page().Button13);
    ASSERT_EQ(editor.world.presources.size(), 2u);
    EXPECT_EQ(editor.world.presources[1].children, tintarray{0});
    EXPECT_EQ(editor.world.presources[1].contents, tintarray{0});

    // The contents dialog draws nothing for row 4, and "<" does not append it.
    click(page().Button25);
    auto& dialog = this->dialog<TForm7>(editor.Form7);
    ASSERT_TRUE(dialog.visible());
    press_cell(dialog.sg_press, 1, 0);
    EXPECT_EQ(dialog.sel_res_row, 4);
    EXPECT_NE(cell_colour(dialog.sg_press, 1), frame_color(13));
    EXPECT_NE(cell_colour(dialog.sg_pres_inv, 0), frame_color(13));
    EXPECT_EQ(cell_colour(dialog.sg_pres_inv, 1), frame_color(3));
    click(dialog.Button1);
    EXPECT_EQ(editor.res_contents, (tintarray{4, 0}));
    kit::user::close(dialog);
    EXPECT_TRUE(main_window().enabled());
}

// Adding appends to the pickers; any other change refills them; either way
// they list what a full refill lists.
TEST_F(ResourcesPageTest, PickersListTheCatalogueByKind) {
    const int kinds[] = {resource_kind::ammo, resource_kind::clip,   0, resource_kind::cell, resource_kind::liquid,
                         resource_kind::vial, resource_kind::mixture};
    pick_pictures(1, 2);
    for (int k : kinds) add("r" + std::to_string(k), k);
    const Entries ammo{{"r7", 0}, {"r8", 1}, {"r9", 3}};
    EXPECT_EQ(entries(items().cbexpress2), ammo);
    EXPECT_EQ(entries(page().cbexpress), (Entries{{"r7", 0}}));
    EXPECT_EQ(entries(page().cbexpress3), (Entries{{"empty", -1}, {"r12", 4}, {"r14", 6}}));
    for (kit::ComboBox* c : {&items().cbexpress2, &page().cbexpress, &page().cbexpress3})
        EXPECT_EQ(c->item_index(), 0) << c->name;
    EXPECT_EQ(items().il2.count(), 3);
    EXPECT_EQ(resources().il3.count(), 3);

    // A world opened with other entries in the same rows is listed anew.
    const std::string file = dir_.file("w.wld");
    save_as(file);
    editor.world.presources[0].name = "renamed";
    editor.world.presources[1].kind = 0;
    setgrids();
    EXPECT_EQ(entries(items().cbexpress2), (Entries{{"renamed", 0}, {"r9", 3}}));
    open(file);
    EXPECT_EQ(entries(items().cbexpress2), ammo);
    EXPECT_EQ(items().il2.count(), 3);
}

// The designer builds a bullet, a clip of three bullets and a vial of water,
// saves and opens the world again: every field comes back.
TEST_F(ResourcesPageTest, ADesignerBuildsAmmunitionAClipAndAVialAndSavesThem) {
    pick_pictures(3, 4);
    type_text(page().epresvalue, "2");
    add("bullet", resource_kind::ammo, "1");
    type_text(page().epresvalue, "10");
    add("water", resource_kind::liquid, "1");

    pick(page().cbexpress, 0);
    click(page().Button20);
    pick_pictures(6, 7);
    type_text(page().eprespower, "3");
    click(page().Button25);
    auto& dialog = this->dialog<TForm7>(editor.Form7);
    press_cell(dialog.sg_press, 0, 0);
    for (int i = 0; i < 4; ++i) click(dialog.Button1);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"overload"});
    EXPECT_EQ(editor.world.presources.size(), 2u);  // the dialog changes no record
    kit::user::close(dialog);
    type_text(page().mprestitle, "nine rounds");
    add("clip9", resource_kind::clip, "3");

    pick(page().cbexpress3, 1);
    add("flask", resource_kind::vial, "2");
    ASSERT_EQ(editor.world.presources.size(), 4u);
    EXPECT_EQ(editor.world.presources[2].contents, (tintarray{0, 0, 0}));
    EXPECT_EQ(editor.world.presources[2].children, tintarray{0});
    EXPECT_EQ(editor.world.presources[3].filling, (Tinvitem{thing::resource, 1, 2}));
    EXPECT_TRUE(editor.world.presources[3].contents.empty());

    const std::string file = dir_.file("ammo.wld");
    save_as(file);
    // What the file keeps of a catalogue entry: all but its place and holders.
    const auto carried = [](std::vector<Tpres> list) {
        for (Tpres& r : list) {
            r.place = {};
            r.holder_object = r.holder_npc = r.holder_item = r.holder_resource = 0;
        }
        return list;
    };
    const std::vector<Tpres> built = editor.world.presources;
    editor.world.presources.clear();
    open(file);
    EXPECT_EQ(carried(editor.world.presources), carried(built));
    EXPECT_TRUE(modal_->errors.empty());
}

}  // namespace
