// The object dialog driven as a designer drives it: the property page and
// SAVE, putting catalogue entries into a chest and taking them out, the
// contents grid, the editors opened from it, and a chest placed on the map,
// filled, edited, saved and opened again.
#include "tests/support/placed_things.h"

#include "mainwindow/page_map.h"
#include "platform/modal.h"

namespace {

using kit::user::click;
using kit::user::close;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class ObjectDialog : public PlacedThingsFixture {
protected:
    // Opens the dialog on the object and its "items" page.
    void open_contents(int32_t object) {
        open_object_dialog(object);
        pick_page(sec().mo, 1);
    }
    const Tinvitems& contents(int32_t object) { return editor.world.mapobjects[object].contents; }
    // The colour the contents grid shows near the top-left corner of entry e.
    TColor shown(int e) {
        sec().sg_o_items.refresh();
        const kit::Rect r = sec().sg_o_items.cell_rect(e % 3, e / 3);
        return sec().sg_o_items.canvas().pixel(r.left + 2, r.top + 2);
    }
};

TEST_F(ObjectDialog, ActivationShowsTheObjectAndSaveWritesEveryField) {
    const int32_t o = place_chest(12);
    Tmapobject& m = editor.world.mapobjects[o];
    m.name = "chest";
    m.height = 7;
    m.form = 1;
    m.hp = 40;
    m.title = "iron bands";
    m.door = m.locked = true;
    m.visible = false;
    open_object_dialog(o);
    TForm2& d = sec();
    EXPECT_EQ(d.caption(), "0");
    EXPECT_EQ(d.mo_name.text(), "chest");
    EXPECT_EQ(d.mo_size.text(), "12");
    EXPECT_EQ(d.mo_height.text(), "7");
    EXPECT_EQ(d.mo_form.text(), "square");
    EXPECT_EQ(d.mo_hp.text(), "40");
    EXPECT_EQ(d.otitle.text(), "iron bands");
    EXPECT_TRUE(d.mo_door.checked() && d.mo_locked.checked() && d.mo_chest.checked());
    EXPECT_FALSE(d.mo_vis.checked() || d.mo_floating.checked());

    // Every check box writes its own flag.
    const std::pair<kit::CheckBox TForm2::*, bool Tmapobject::*> flags[] = {
        {&TForm2::mo_floating, &Tmapobject::floating}, {&TForm2::mo_chest, &Tmapobject::chest},
        {&TForm2::mo_door, &Tmapobject::door},         {&TForm2::mo_locked, &Tmapobject::locked},
        {&TForm2::mo_closed, &Tmapobject::closed},     {&TForm2::mo_pass, &Tmapobject::passing},
        {&TForm2::mo_vis, &Tmapobject::visible},       {&TForm2::mo_trans, &Tmapobject::transmitter},
        {&TForm2::mo_reciv, &Tmapobject::receiver},    {&TForm2::mo_transp, &Tmapobject::transparent},
    };
    for (const auto& [box, flag] : flags) {
        const bool before = m.*flag;
        click(d.*box);
        click(d.Button1);
        EXPECT_EQ(m.*flag, !before) << (d.*box).caption();
    }
    type_text(d.mo_name, "box");
    type_text(d.otitle, "new title");
    kit::user::pick(d.mo_form, 0);
    type_text(d.mo_height, "-3");
    type_text(d.mo_hp, "2000000000");
    click(d.Button1);
    EXPECT_EQ(m.name, "box");
    EXPECT_EQ(m.title, "new title");
    EXPECT_EQ(m.form, 0);
    EXPECT_EQ(m.height, -3);
    EXPECT_EQ(m.hp, 2000000000);

    // A size is brought into 0..32 and shown as stored.
    for (const auto& [typed, stored] : {std::pair{"40", 32}, {"-5", 0}, {"32", 32}, {"0", 0}, {"17", 17}}) {
        type_text(d.mo_size, typed);
        click(d.Button1);
        EXPECT_EQ(m.size, stored) << typed;
        EXPECT_EQ(d.mo_size.text(), std::to_string(stored));
    }
    EXPECT_TRUE(modal_->errors.empty());
}

// A text that is no number in any field writes nothing at all, not even the
// fields before it; the message names the text.
TEST_F(ObjectDialog, SaveWithABadNumberWritesNothing) {
    const int32_t o = place_chest(12);
    open_object_dialog(o);
    TForm2& d = sec();
    const struct {
        kit::Edit TForm2::*field;
        const char* text;
    } cases[] = {
        {&TForm2::mo_size, "big"},
        {&TForm2::mo_height, "x"},
        {&TForm2::mo_hp, ""},
        {&TForm2::mo_hp, "4000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        d.FormActivate();
        const Tmapobject before = editor.world.mapobjects[o];
        type_text(d.mo_name, "renamed");
        type_text(d.mo_size, "20");
        click(d.mo_door);
        type_text(d.*c.field, c.text);
        modal_->errors.clear();
        click(d.Button1);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{"'" + std::string(c.text) + "' is not a valid integer value."});
        EXPECT_EQ(editor.world.mapobjects[o], before);
    }
}

TEST_F(ObjectDialog, TheItemsPageShowsOnlyForAChestAsLoaded) {
    const int32_t o = place_chest();
    editor.world.mapobjects[o].chest = false;
    open_object_dialog(o);
    EXPECT_FALSE(sec().mo_p2.tab_visible());
    click(sec().mo_chest);
    click(sec().Button1);
    EXPECT_TRUE(editor.world.mapobjects[o].chest);
    EXPECT_FALSE(sec().mo_p2.tab_visible());  // not until the next activation
    close(sec());
    open_object_dialog(o);
    EXPECT_TRUE(sec().mo_p2.tab_visible());
    // Another object that is no chest hides the page again, also when it was open.
    pick_page(sec().mo, 1);
    place_object(row::door, at(0, 4, 4), editor.world);
    close(sec());
    open_object_dialog(1);
    EXPECT_FALSE(sec().mo_p2.tab_visible());
    EXPECT_EQ(sec().mo.active_page_index(), 0);
}

// "<" puts the picked item or resource inside while the object holds fewer
// entries than its size / 4; the grid has a row per 12 pixels of size.
TEST_F(ObjectDialog, PutInUpToTheCapacityOfTheSize) {
    const struct {
        int32_t size;
        std::size_t holds;
        int rows;
    } cases[] = {{3, 0, 1}, {4, 1, 1}, {12, 3, 2}, {32, 8, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const int32_t o = place_chest(c.size);
        open_contents(o);
        EXPECT_EQ(sec().sg_o_items.row_count(), c.rows);
        pick_page(sec().pc_itres, 0);
        press_cell(sec().sg_pitems, 0, 0);  // the sword
        for (int k = 0; k < 10; ++k) click(sec().Button2);
        EXPECT_EQ(contents(o).size(), c.holds);
        close(sec());
    }
    EXPECT_TRUE(links_hold(editor.world));
    EXPECT_TRUE(modal_->transcript.empty());  // a full object says nothing
}

TEST_F(ObjectDialog, PutInAResourceAsksTheAmount) {
    const int32_t o = place_chest(8);
    open_contents(o);
    // Before any pick the resources page puts in the catalogue's first row.
    pick_page(sec().pc_itres, 1);
    modal_->quant_answers = {5};
    click(sec().Button2);
    ASSERT_EQ(contents(o).size(), 1u);
    const Tinvitem gold = contents(o)[0];
    EXPECT_EQ(gold, (Tinvitem{thing::resource, gold.index, 5}));
    EXPECT_EQ(editor.world.resources[gold.index].row, row::gold);
    EXPECT_EQ(editor.world.resources[gold.index].amount, 5);
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"ask_quant -> 5"});

    // Picking a resource clears the item pick: on the items page "<" adds nothing.
    press_cell(sec().sg_pres, 1, 0);
    pick_page(sec().pc_itres, 0);
    click(sec().Button2);
    EXPECT_EQ(contents(o).size(), 1u);
    // A cell past the catalogue picks nothing and keeps the pick.
    press_cell(sec().sg_pitems, 1, 0);
    press_cell(sec().sg_pitems, 0, 2);
    click(sec().Button2);
    ASSERT_EQ(contents(o).size(), 2u);
    EXPECT_EQ(editor.world.items[contents(o)[1].index].row, 1);
    EXPECT_TRUE(links_hold(editor.world));
}

// Items show their picture; a stack its one-piece picture at 1, its
// many-pieces picture above; an entry naming nothing shows nothing.
TEST_F(ObjectDialog, TheContentsGridShowsEveryEntrysPicture) {
    TWorld& w = editor.world;
    const int32_t o = place_chest();
    create_item(row::helm, -1, o, w, chest_cell(), slot::inventory);
    create_resource(w, {.row = row::gold, .amount = 1, .object = o, .link = links::inventory});
    create_resource(w, {.row = row::wood, .amount = 5, .object = o, .link = links::inventory});
    w.mapobjects[o].contents.push_back({thing::item, 99, 1});
    open_contents(o);
    EXPECT_EQ(shown(0), frame_color(item_picture(row::helm)));
    EXPECT_EQ(shown(1), frame_color(one_picture(row::gold)));
    EXPECT_EQ(shown(2), frame_color(many_picture(row::wood)));
    EXPECT_EQ(shown(3), clWhite);
    // The amount is written 10 pixels into the cell.
    const kit::Rect r = sec().sg_o_items.cell_rect(2, 0);
    bool text = false;
    for (int x = r.left + 10; x < r.right(); ++x)
        for (int y = r.top + 10; y < r.bottom(); ++y) text |= sec().sg_o_items.canvas().pixel(x, y) == clBlack;
    EXPECT_TRUE(text);
    // The entry naming nothing opens no editor.
    press_cell(sec().sg_o_items, 0, 1, kit::MouseButton::right);
    EXPECT_FALSE(editor.Form3->visible());
    EXPECT_TRUE(sec().enabled());
}

// "x" deletes the picked entry, then the first; a pick made on another object
// deletes nothing.
TEST_F(ObjectDialog, TakeOutDeletesThePickedEntryOnlyOnThisObject) {
    TWorld& w = editor.world;
    const int32_t a = place_chest(), b = place_chest();
    for (int row : {row::sword, row::helm, row::hat}) create_item(row, -1, a, w, chest_cell(), slot::inventory);
    create_resource(w, {.row = row::gold, .amount = 3, .object = b, .link = links::inventory});
    open_contents(a);
    press_cell(sec().sg_o_items, 2, 0);
    close(sec());
    open_contents(b);
    click(sec().Button3);  // the pick of the other object names nothing here
    EXPECT_EQ(contents(b).size(), 1u);
    EXPECT_EQ(contents(a).size(), 3u);
    close(sec());

    open_contents(a);
    click(sec().Button3);  // nothing picked since the activation
    EXPECT_EQ(contents(a).size(), 3u);
    press_cell(sec().sg_o_items, 1, 0);
    click(sec().Button3);
    ASSERT_EQ(contents(a).size(), 2u);
    EXPECT_EQ(w.items.size(), 2u);  // the helm is gone from the world
    EXPECT_EQ(w.items[contents(a)[0].index].row, row::sword);
    EXPECT_EQ(w.items[contents(a)[1].index].row, row::hat);
    click(sec().Button3);  // then the first
    ASSERT_EQ(contents(a).size(), 1u);
    EXPECT_EQ(w.items[contents(a)[0].index].row, row::hat);
    click(sec().Button3);
    click(sec().Button3);  // on an emptied object nothing happens
    EXPECT_TRUE(contents(a).empty());
    EXPECT_EQ(contents(b).size(), 1u);
    EXPECT_TRUE(links_hold(w));

    // An entry that names no thing is taken out of the list alone.
    w.mapobjects[b].contents.insert(w.mapobjects[b].contents.begin(), {thing::item, 42, 1});
    close(sec());
    open_contents(b);
    press_cell(sec().sg_o_items, 0, 0);
    click(sec().Button3);
    EXPECT_EQ(contents(b).size(), 1u);
    EXPECT_EQ(w.resources.size(), 1u);
}

// The grid grows with the contents: after a smaller size is saved, and after
// things reach the object other than by "<", every entry can be seen and picked.
TEST_F(ObjectDialog, TheContentsGridGrowsWithTheList) {
    TWorld& w = editor.world;
    const int32_t o = place_chest(32);
    for (int k = 0; k < 8; ++k) create_item(row::sword, -1, o, w, chest_cell(), slot::inventory);
    open_contents(o);
    EXPECT_EQ(sec().sg_o_items.row_count(), 3);
    pick_page(sec().mo, 0);
    type_text(sec().mo_size, "4");
    click(sec().Button1);
    EXPECT_EQ(contents(o).size(), 8u);  // shrinking removes nothing
    EXPECT_EQ(sec().sg_o_items.row_count(), 3);
    pick_page(sec().mo, 1);
    click(sec().Button2);  // full: "<" refuses
    EXPECT_EQ(contents(o).size(), 8u);

    // Two more arrive from outside (as an eject does) and the editor refreshes the dialog.
    for (int k = 0; k < 2; ++k) create_item(row::hat, -1, o, w, chest_cell(), slot::inventory);
    sec().refresh_for_editor();
    EXPECT_EQ(sec().sg_o_items.row_count(), 4);
    kit::user::scroll_to(sec().sg_o_items, 0, 3);
    press_cell(sec().sg_o_items, 0, 3);
    EXPECT_EQ(sec().sel_entry, 9);
    EXPECT_EQ(shown(9), frame_color(item_picture(row::hat)));
    click(sec().Button3);
    EXPECT_EQ(contents(o).size(), 9u);
    EXPECT_EQ(w.items[contents(o).back().index].row, row::hat);
}

// A right click opens the editor of the entry under the mouse with code 2;
// closing it gives the dialog its input back and loads it again.
TEST_F(ObjectDialog, RightClickOpensTheEditorsOfTheThingsInside) {
    TWorld& w = editor.world;
    const int32_t o = place_chest();
    const int32_t sword = create_item(row::sword, -1, o, w, chest_cell(), slot::inventory);
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 4, .object = o, .link = links::inventory});
    open_contents(o);
    const struct {
        int col;
        kit::Window* editor_window;
        int32_t* current;
        uint16_t* code;
        int32_t expected;
    } cases[] = {
        {0, editor.Form3, &editor.cur_placed_item, &editor.item_dlg_opener, sword},
        {1, editor.Form9, &editor.cur_placed_res, &editor.res_dlg_opener, gold},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.editor_window->name);
        *c.code = 0;
        *c.current = -1;
        press_cell(sec().sg_o_items, c.col, 0);
        press_cell(sec().sg_o_items, c.col, 0, kit::MouseButton::right);
        EXPECT_TRUE(c.editor_window->visible());
        EXPECT_TRUE(c.editor_window->active());
        EXPECT_FALSE(sec().enabled());
        EXPECT_EQ(*c.current, c.expected);
        EXPECT_EQ(*c.code, opener::object_dialog);
        close(*c.editor_window);
        EXPECT_TRUE(sec().enabled());
        EXPECT_TRUE(sec().active());
        EXPECT_EQ(sec().sel_entry, -1);  // loaded again
        EXPECT_FALSE(main_window().enabled());
    }
    // A right click past the entries opens nothing.
    press_cell(sec().sg_o_items, 2, 0, kit::MouseButton::right);
    EXPECT_TRUE(sec().enabled());
    close(sec());
    EXPECT_TRUE(main_window().enabled());
}

// Opened on a selection that names no placed object, the dialog shows empty
// controls and no handler does anything.
TEST_F(ObjectDialog, ASelectionNamingNothingShowsEmptyControls) {
    const int32_t o = place_chest();
    create_item(row::sword, -1, o, editor.world, chest_cell(), slot::inventory);
    open_contents(o);
    press_cell(sec().sg_o_items, 0, 0);
    close(sec());
    for (int32_t none : {-1, 1, 1000}) {
        SCOPED_TRACE(none);
        const TWorld before = editor.world;
        open_object_dialog(none);
        TForm2& d = sec();
        EXPECT_EQ(d.mo_name.text(), "");
        EXPECT_EQ(d.mo_size.text(), "");
        EXPECT_EQ(d.mo_hp.text(), "");
        EXPECT_EQ(d.mo_form.item_index(), -1);
        EXPECT_FALSE(d.mo_chest.checked());
        EXPECT_FALSE(d.mo_p2.tab_visible());
        type_text(d.mo_size, "8");
        type_text(d.mo_height, "1");
        type_text(d.mo_hp, "1");
        click(d.Button1);
        click(d.Button2);
        click(d.Button3);
        d.sg_o_itemsMouseDown(kit::MouseButton::right, 5, 5);
        EXPECT_EQ(editor.world, before);
        EXPECT_FALSE(editor.Form3->visible());
        close(d);
        EXPECT_TRUE(main_window().enabled());
    }
    EXPECT_TRUE(modal_->transcript.empty());
}

// A designer places a chest on the map, opens its properties from the
// object's menu, makes room inside, fills it with a sword and gold, ejects the
// sword's clip into the chest and loads a new one, changes the gold's amount,
// and saves: the world opened from the file is exactly the one saved.
TEST_F(ObjectDialog, FillEditSaveAndOpenAChest) {
    TWorld& w = editor.world;
    w.pitems[row::sword].clip = row::clip;
    w.pitems[row::sword].children = {row::clip};
    w.pitems[row::sword].load = 1;
    // The designer's world, opened; the map page on its first map.
    save_as(dir_.file("start.wld"));
    open(dir_.file("start.wld"));
    pick_page(page_control(), page::map);
    kit::user::pick(map().cb_maps, 0);
    ASSERT_EQ(map().cb_maps.text(), "field");

    // The chest from the objects palette onto cell (2, 2).
    pick_page(map().PC2, palette::objects);
    press_cell(map().sg_objects_2, row::chest, 0);
    press_cell(map().sg_map, 3, 3);
    ASSERT_EQ(w.mapobjects.size(), 1u);
    const int32_t o = 0;
    EXPECT_EQ(w.mapobjects[o].place, chest_cell());
    press_cell(map().sg_map, 3, 3, kit::MouseButton::right);
    ASSERT_EQ(kit::user::open_popup(), &map().map_menu);
    EXPECT_EQ(map().properties.caption(), "properties 0 chest");
    kit::user::choose(map().properties);
    ASSERT_TRUE(sec().visible());
    EXPECT_EQ(sec().caption(), "0");
    EXPECT_FALSE(main_window().enabled());

    // Room for two things: size 8.
    EXPECT_EQ(sec().mo_size.text(), "0");
    type_text(sec().mo_size, "8");
    click(sec().Button1);
    EXPECT_EQ(w.mapobjects[o].size, 8);
    pick_page(sec().mo, 1);
    ASSERT_EQ(sec().mo.active_page_index(), 1);
    pick_page(sec().pc_itres, 0);
    press_cell(sec().sg_pitems, 0, 0);
    click(sec().Button2);
    pick_page(sec().pc_itres, 1);
    press_cell(sec().sg_pres, 0, 0);
    modal_->quant_answers = {5};
    click(sec().Button2);
    ASSERT_EQ(contents(o).size(), 2u);
    const int32_t sword = contents(o)[0].index;
    const int32_t first_clip = w.items[sword].clip;
    ASSERT_GE(first_clip, 0);
    EXPECT_EQ(w.resources[first_clip].contents.size(), 3u);  // its bullets

    // The item editor: eject the clip into the chest, load a new one.
    press_cell(sec().sg_o_items, 0, 0, kit::MouseButton::right);
    TForm3& ie = item_editor();
    kit::user::press_at(ie.i_i_clip, 5, 5, kit::MouseButton::right);
    ASSERT_EQ(kit::user::open_popup(), &ie.clip_menu);
    kit::user::choose(ie.eject1);
    EXPECT_EQ(w.items[sword].clip, -1);
    ASSERT_EQ(contents(o).size(), 3u);
    EXPECT_EQ(contents(o)[2], (Tinvitem{thing::resource, first_clip, 1}));
    EXPECT_EQ(sec().sg_o_items.row_count(), 1);
    click(ie.Button2);
    const int32_t second_clip = w.items[sword].clip;
    EXPECT_GE(second_clip, 0);
    EXPECT_NE(second_clip, first_clip);
    close(ie);

    // The resource editor: 5 gold become 8.
    press_cell(sec().sg_o_items, 1, 0, kit::MouseButton::right);
    type_text(res_editor().Edit1, "8");
    click(res_editor().Button2);
    close(res_editor());
    close(sec());
    const int32_t gold = contents(o)[1].index;
    EXPECT_EQ(w.resources[gold].amount, 8);
    EXPECT_EQ(contents(o)[1].count, 8);
    EXPECT_TRUE(links_hold(w));
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(modal_->errors.empty());

    const TWorld saved = w;
    const std::string file = dir_.file("chest.wld");
    save_as(file);
    w = small_world();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_EQ(w.mapobjects, saved.mapobjects);
    EXPECT_EQ(w.items, saved.items);
    EXPECT_EQ(w.resources, saved.resources);
}

}  // namespace
