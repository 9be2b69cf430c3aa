// The ground dialog: the terrain of the map cell last clicked and the things
// lying loose on it, opened from the map as a designer opens it; editing a
// thing opens its editor over the dialog, deleting it removes it everywhere.
#include "dialogs/ground_dialog.h"
#include "dialogs/item_editor.h"
#include "dialogs/resource_editor.h"
#include "mainwindow/page_map.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::choose;
using kit::user::click;
using kit::user::close;
using kit::user::open_popup;
using kit::user::pick_page;
using kit::user::press_cell;

// A 10 x 10 map "cave" of grass (hardness 400); a dagger, a gun that comes
// with a loaded clip, arrows, clips, a chest and a guard carrying a dagger.
class GroundDialog : public EditorFixture {
protected:
    enum Item { dagger, gun };
    enum Resource { arrows, clip };

    void SetUp() override {
        EditorFixture::SetUp();
        TWorld& w = editor.world;
        Tterrain grass;
        grass.kind = 3;
        grass.hardness = 400;
        grass.frame_count = 1;
        grass.frames = {2};
        w.terrains.push_back(grass);
        for (const auto& [name, image, clip_row] : {std::tuple{"dagger", 5, -1}, {"gun", 6, int{clip}}}) {
            Tpitem i;
            i.name = name;
            i.image = image;
            i.clip = clip_row;
            w.pitems.push_back(i);
        }
        Tpres a;
        a.name = "arrows";
        a.kind = resource_kind::ammo;
        a.image_one = 7;
        a.image_many = 8;
        w.presources.push_back(a);
        Tpres c;
        c.name = "clip";
        c.kind = resource_kind::clip;
        c.image_one = c.image_many = 9;
        w.presources.push_back(c);
        Tmapobject chest;
        chest.name = "chest";
        chest.chest = true;
        chest.frame_count = 1;
        chest.frames = {10};
        chest.visible = true;
        w.pmapobjects.push_back(chest);
        Tchar guard;
        guard.name = "guard";
        guard.figure = 11;
        guard.inventory = {{thing::item, dagger, 1}};
        guard.head = guard.body = -1;
        guard.left_hand.index = guard.right_hand.index = -1;
        w.pnpcs.push_back(guard);
        setgrids();
        pick_page(page_control(), page::map);
        kit::user::type_text(map().e_map_w, "10");
        kit::user::type_text(map().e_map_h, "10");
        kit::user::type_text(map().e_map_name, "cave");
        kit::user::click(map().Button5);
    }

    TForm8& ground() { return dialog<TForm8>(editor.Form8); }
    Tplace at(int x, int y) {
        Tplace p;
        make_place(0, x, y, p);
        return p;
    }
    // Opens the dialog on map cell (x, y), which holds no object and no NPC.
    void open_on(int x, int y) {
        press_cell(map().sg_map, x + 1, y + 1, kit::MouseButton::right);
        ASSERT_TRUE(ground().visible());
        ASSERT_FALSE(main_window().enabled());
    }
    // The colour at (4, 4) of cell e of the dialog's grid, scrolled into view.
    TColor entry_color(int e, int dx = 4, int dy = 4) {
        kit::StringGrid& g = ground().ginv;
        kit::user::scroll_to(g, 0, e / 10);
        const kit::Rect r = g.cell_rect(e % 10, e / 10);
        return g.canvas().pixel(r.left + dx, r.top + dy);
    }
    TColor view(int x, int y) { return map().sg_map.canvas().pixel(22 + x * 32 + 16, 22 + y * 32 + 16); }
    void pick(int e, kit::MenuItem& item) {
        kit::user::scroll_to(ground().ginv, 0, e / 10);
        press_cell(ground().ginv, e % 10, e / 10, kit::MouseButton::right);
        ASSERT_EQ(open_popup(), &ground().gmenu);
        choose(item);
    }
};

// On one cell: a chest holding an item, a loose dagger, a guard carrying a
// dagger, a loose gun with its loaded clip, and a stack of 5 arrows. Only the
// two loose items and the stack lie on the ground.
TEST_F(GroundDialog, ListsWhatLiesLooseOnTheCell) {
    TWorld& w = editor.world;
    place_object(0, at(4, 7), w);
    ASSERT_EQ(create_item(dagger, -1, 0, w, no_place, slot::inventory), 0);
    ASSERT_EQ(create_item(dagger, -1, -1, w, at(4, 7), slot::cell), 1);
    Tcounter counter;
    make_counter(0, 0, counter);
    ASSERT_EQ(place_npc(0, at(5, 7), counter, w), 0);
    w.npcs[0].place = w.items[2].place = at(4, 7);  // the guard and what it carries stand there
    ASSERT_EQ(create_item(gun, -1, -1, w, at(4, 7), slot::cell), 3);
    ASSERT_EQ(w.resources.size(), 1u);  // the loaded clip
    ASSERT_EQ(w.resources[0].place, at(4, 7));
    ASSERT_EQ(create_resource(w, {.row = arrows, .amount = 5, .place = at(4, 7)}), 1);

    // The chest stands there: its menu's "ground".
    press_cell(map().sg_map, 5, 8, kit::MouseButton::right);
    ASSERT_EQ(open_popup(), &map().map_menu);
    choose(map().ground1);
    ASSERT_TRUE(ground().visible());
    EXPECT_EQ(ground().caption(), "Form8");
    EXPECT_EQ(ground().Label1.caption(), "Type:grass HARD:400 MAP:cave X:4 Y:7");
    EXPECT_EQ(ground().Label1.bounds(), (kit::Rect{48, 8, 324, 34}));
    EXPECT_EQ(ground().img.picture().pixel(4, 4), frame_color(2));
    EXPECT_EQ(ground().ground_things, (Tinvitems{{thing::item, 1, 1}, {thing::item, 3, 1}, {thing::resource, 1, 5}}));
    EXPECT_EQ(entry_color(0), frame_color(5));
    EXPECT_EQ(entry_color(1), frame_color(6));
    EXPECT_EQ(entry_color(2), frame_color(8));
    bool amount_written = false;  // the stack's amount, written at (20, 20)
    for (int y = 20; y < 32; ++y)
        for (int x = 20; x < 32; ++x) amount_written = amount_written || entry_color(2, x, y) != frame_color(8);
    EXPECT_TRUE(amount_written);
    EXPECT_EQ(entry_color(3), clWhite);
    close(ground());
    EXPECT_TRUE(main_window().enabled());
}

// A cell whose terrain names no terrain, no picture or no kind shows the blank
// picture, an empty type and (without a terrain) hardness 0; nothing is read
// outside a list.
TEST_F(GroundDialog, TerrainsThatNameNothing) {
    TWorld& w = editor.world;
    struct Case {
        int32_t row;
        tintarray frames;
        int8_t kind;
        const char* text;
        bool picture;
    };
    const Case cases[] = {
        {1, {2}, 3, "Type: HARD:0 MAP:cave X:3 Y:2", false},
        {-1, {2}, 3, "Type: HARD:0 MAP:cave X:3 Y:2", false},
        {0, {}, 3, "Type:grass HARD:400 MAP:cave X:3 Y:2", false},
        {0, {500}, 3, "Type:grass HARD:400 MAP:cave X:3 Y:2", false},
        {0, {2}, 11, "Type: HARD:400 MAP:cave X:3 Y:2", true},
        {0, {2}, -3, "Type: HARD:400 MAP:cave X:3 Y:2", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        w.maps[0].cells[3][2] = c.row;
        w.terrains[0].frames = c.frames;
        w.terrains[0].kind = c.kind;
        open_on(3, 2);
        EXPECT_EQ(ground().Label1.caption(), c.text);
        EXPECT_EQ(ground().img.picture().pixel(4, 4), c.picture ? frame_color(2) : clWhite);
        close(ground());
    }
    // Shown with no cell to show (no map chosen): nothing at all.
    map().cb_maps.set_item_index(-1);
    main_window().set_enabled(false);
    editor.Form8->show();
    EXPECT_EQ(ground().Label1.caption(), "");
    EXPECT_TRUE(ground().ground_things.empty());
    close(ground());
    EXPECT_TRUE(main_window().enabled());
}

// A thing whose picture names no tile leaves its cell empty: the picture of
// the thing before it is not copied again.
TEST_F(GroundDialog, OnlyWhatWasDrawnIsCopied) {
    TWorld& w = editor.world;
    create_item(dagger, -1, -1, w, at(1, 1), slot::cell);
    create_item(gun, -1, -1, w, at(1, 1), slot::cell);
    w.items[1].image = 500;
    w.resources.clear();  // the gun's clip
    w.items[1].clip = -1;
    create_resource(w, {.row = arrows, .amount = 2, .place = at(1, 1)});
    w.resources[0].image_many = -1;
    open_on(1, 1);
    ASSERT_EQ(ground().ground_things.size(), 3u);
    EXPECT_EQ(entry_color(0), frame_color(5));
    EXPECT_EQ(entry_color(1), clWhite);
    EXPECT_EQ(entry_color(2), clWhite);
    close(ground());
}

// More things than the grid's five rows show: it grows, and the 51st and
// later can be edited and deleted.
TEST_F(GroundDialog, TheGridGrowsWithTheList) {
    TWorld& w = editor.world;
    for (int k = 0; k < 55; ++k) create_item(k == 50 ? gun : dagger, -1, -1, w, at(2, 2), slot::cell);
    open_on(2, 2);
    ASSERT_EQ(ground().ground_things.size(), 55u);  // the gun's clip is in the gun
    EXPECT_EQ(ground().ginv.row_count(), 6);
    EXPECT_EQ(entry_color(50), frame_color(6));
    pick(50, ground().edit1);
    EXPECT_TRUE(editor.Form3->visible());
    EXPECT_EQ(editor.cur_placed_item, 50);
    close(*editor.Form3);
    pick(50, ground().delete1);
    EXPECT_EQ(w.items.size(), 54u);
    EXPECT_EQ(ground().ground_things.size(), 54u);
    EXPECT_EQ(entry_color(50), frame_color(5));
    close(ground());
}

// "edit" opens the thing's editor over the dialog with the dialog's opener
// code; closing the editor gives the dialog its input back, closing the dialog
// gives it back to the main window.
TEST_F(GroundDialog, EditOpensTheEditorOverTheDialog) {
    TWorld& w = editor.world;
    create_item(dagger, -1, -1, w, at(6, 6), slot::cell);
    create_resource(w, {.row = arrows, .amount = 3, .place = at(6, 6)});
    open_on(6, 6);
    struct Case {
        int entry;
        kit::Window* SharedState::*editor_window;
        int SharedState::*current;
        uint16_t SharedState::*code;
    };
    const Case cases[] = {{0, &SharedState::Form3, &SharedState::cur_placed_item, &SharedState::item_dlg_opener},
                          {1, &SharedState::Form9, &SharedState::cur_placed_res, &SharedState::res_dlg_opener}};
    for (const Case& c : cases) {
        kit::Window& editor_window = *(editor.*c.editor_window);
        SCOPED_TRACE(editor_window.name);
        editor.*c.current = 7;
        editor.*c.code = 0;
        pick(c.entry, ground().edit1);
        EXPECT_TRUE(editor_window.visible());
        EXPECT_FALSE(ground().enabled());
        EXPECT_EQ(editor.*c.current, 0);
        EXPECT_EQ(editor.*c.code, opener::ground_dialog);
        close(editor_window);
        EXPECT_TRUE(ground().enabled());
        EXPECT_FALSE(main_window().enabled());
    }
    close(ground());
    EXPECT_TRUE(main_window().enabled());
}

// A right click on a grid cell without an entry opens the menu; "edit" and
// "delete" then do nothing, nor does "cancel" anywhere.
TEST_F(GroundDialog, TheMenuOverAnEmptyCellDoesNothing) {
    create_item(dagger, -1, -1, editor.world, at(6, 6), slot::cell);
    open_on(6, 6);
    const TWorld before = editor.world;
    for (kit::MenuItem* item : {&ground().edit1, &ground().delete1, &ground().cancel1}) pick(4, *item);
    pick(0, ground().cancel1);
    EXPECT_TRUE(editor.world == before);
    EXPECT_FALSE(editor.Form3->visible());
    EXPECT_TRUE(ground().enabled());
    // A pick that the list no longer holds (it shrank since the click).
    ground().ground_pick = 0;
    ground().ground_things.clear();
    choose(ground().delete1);
    EXPECT_TRUE(editor.world == before);
    close(ground());
}

TEST_F(GroundDialog, DeletingRemovesTheThingFromTheListAndTheMapAtOnce) {
    TWorld& w = editor.world;
    create_item(dagger, -1, -1, w, at(2, 3), slot::cell);
    create_resource(w, {.row = arrows, .amount = 4, .place = at(2, 3)});
    map().sg_map.refresh();
    EXPECT_EQ(view(2, 3), frame_color(8));  // the arrows lie over the dagger
    open_on(2, 3);
    pick(1, ground().delete1);
    EXPECT_TRUE(w.resources.empty());
    EXPECT_EQ(ground().ground_things, (Tinvitems{{thing::item, 0, 1}}));
    EXPECT_EQ(entry_color(1), clWhite);
    EXPECT_EQ(view(2, 3), frame_color(5));
    pick(0, ground().delete1);
    EXPECT_TRUE(w.items.empty());
    EXPECT_TRUE(ground().ground_things.empty());
    EXPECT_EQ(entry_color(0), clWhite);
    EXPECT_EQ(view(2, 3), frame_color(2));
    close(ground());
}

// What the item and resource editors call on the dialog after they changed
// what lies on the cell: the list and the grid follow.
TEST_F(GroundDialog, AnEditorsRefreshRebuildsTheList) {
    TWorld& w = editor.world;
    create_item(dagger, -1, -1, w, at(2, 3), slot::cell);
    create_item(gun, -1, -1, w, at(2, 3), slot::cell);
    open_on(2, 3);
    ASSERT_EQ(ground().ground_things.size(), 2u);
    move_item(0, -1, -1, slot::cell, at(8, 8), w);
    Dialog* opener = opener_dialog(opener::ground_dialog);
    ASSERT_EQ(opener, &ground());
    opener->refresh_for_editor();
    EXPECT_EQ(ground().ground_things, (Tinvitems{{thing::item, 1, 1}}));
    EXPECT_EQ(entry_color(0), frame_color(6));
    EXPECT_EQ(entry_color(1), clWhite);
    close(ground());
}

// The real editors opened from the dialog: ejecting a gun's clip in the item
// editor lays it on the cell, saving a stack's amount in the resource editor
// changes it; the dialog's list follows each at once.
TEST_F(GroundDialog, TheEditorsEjectAndSaveRebuildTheList) {
    TWorld& w = editor.world;
    ASSERT_EQ(create_item(gun, -1, -1, w, at(5, 5), slot::cell), 0);
    ASSERT_EQ(w.resources.size(), 1u);  // the loaded clip
    create_resource(w, {.row = arrows, .amount = 5, .place = at(5, 5)});
    open_on(5, 5);
    ASSERT_EQ(ground().ground_things, (Tinvitems{{thing::item, 0, 1}, {thing::resource, 1, 5}}));

    pick(0, ground().edit1);
    auto& item_editor = dialog<TForm3>(editor.Form3);
    ASSERT_TRUE(item_editor.visible());
    kit::user::press_at(item_editor.i_i_clip, 4, 4, kit::MouseButton::right);
    ASSERT_EQ(open_popup(), &item_editor.clip_menu);
    choose(item_editor.eject1);
    EXPECT_EQ(ground().ground_things,
              (Tinvitems{{thing::item, 0, 1}, {thing::resource, 0, 1}, {thing::resource, 1, 5}}));
    close(item_editor);

    pick(2, ground().edit1);
    auto& resource_editor = dialog<TForm9>(editor.Form9);
    ASSERT_TRUE(resource_editor.visible());
    kit::user::type_text(resource_editor.Edit1, "9");
    click(resource_editor.Button2);
    EXPECT_EQ(ground().ground_things.back(), (Tinvitem{thing::resource, 1, 9}));
    close(resource_editor);
    EXPECT_TRUE(ground().enabled());
    close(ground());
    EXPECT_TRUE(main_window().enabled());
}

}  // namespace
