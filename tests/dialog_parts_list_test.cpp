// The parts list dialog driven as a designer drives it, opened the way its
// two openers open it: on an object template's parts buffer, and on a placed
// object's parts from the map.
#include "dialogs/parts_list.h"
#include "mainwindow/page_objects.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::click;
using kit::user::press_cell;

class PartsDialog : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        // Items 0..4 show frames 10..14, resources 0..1 frames 20..21.
        for (int k = 0; k < 5; ++k) {
            Tpitem i;
            i.image = 10 + k;
            editor.world.pitems.push_back(i);
        }
        for (int k = 0; k < 2; ++k) {
            Tpres r;
            r.image_one = 20 + k;
            r.image_many = 25;
            editor.world.presources.push_back(r);
        }
    }
    TFinv& parts() { return dialog<TFinv>(editor.Finv); }
    // Opens the dialog on a list, as both openers do.
    void open_on(Tinvitems* list) {
        editor.inv_target = list;
        main_window().set_enabled(false);
        editor.Finv->show();
    }
    void pick_item(int row) { press_cell(parts().sg_pitems, row % 3, row / 3); }
    void pick_resource(int row) {
        kit::user::pick_page(parts().pc_itres, 1);
        press_cell(parts().sg_pres, row % 3, row / 3);
    }
    // "<" with the items page showing.
    void add_item() {
        kit::user::pick_page(parts().pc_itres, 0);
        click(parts().Button2);
    }
    void right_click_entry(int e) { press_cell(parts().sg_items, e % 3, e / 3, kit::MouseButton::right); }
    TColor corner_colour(int e) {
        const kit::Rect r = parts().sg_items.cell_rect(e % 3, e / 3);
        return parts().sg_items.canvas().pixel(r.left + 3, r.top + 3);
    }
    // Whether dark text stands in cell e right of and below its corner's 10 pixels.
    bool count_shown(int e) {
        const kit::Rect r = parts().sg_items.cell_rect(e % 3, e / 3);
        for (int y = r.top + 10; y < r.bottom(); ++y)
            for (int x = r.left + 10; x < r.right(); ++x) {
                const TColor c = parts().sg_items.canvas().pixel(x, y);
                if (color_red(c) < 100 && color_green(c) < 100 && color_blue(c) < 100) return true;
            }
        return false;
    }
};

TEST_F(PartsDialog, ShapeAndClose) {
    TFinv& d = parts();
    EXPECT_EQ(d.name, "Finv");
    EXPECT_EQ(d.caption(), "Items");
    EXPECT_EQ(d.client_width(), 420);
    EXPECT_EQ(d.client_height(), 300);
    EXPECT_FALSE(d.visible());
    EXPECT_EQ(d.pc_itres.page(0)->caption(), "items");
    EXPECT_EQ(d.pc_itres.page(1)->caption(), "resources");
    EXPECT_EQ(d.Button2.caption(), "<");
    open_on(&objects().obj_parts);
    kit::user::close(d);
    EXPECT_FALSE(d.visible());
    EXPECT_TRUE(main_window().enabled());
    // The dialog no longer names the list it was opened on.
    EXPECT_EQ(editor.inv_target, nullptr);
}

// "<" adds the entry picked in the catalogue page that shows, adding to the
// count of a like entry; without a pick there it adds nothing.
TEST_F(PartsDialog, AddCountsLikeEntriesTogether) {
    open_on(&objects().obj_parts);
    click(parts().Button2);
    EXPECT_TRUE(objects().obj_parts.empty());

    pick_item(2);
    add_item();
    add_item();
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 2, 2}}));

    modal_->quant_answers = {3, 4};
    pick_resource(1);
    click(parts().Button2);
    click(parts().Button2);
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 2, 2}, {thing::resource, 1, 7}}));
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_quant -> 3", "ask_quant -> 4"}));

    // A pick on a cell past the item catalogue keeps the pick before it; a
    // pick in one catalogue leaves the other's.
    kit::user::pick_page(parts().pc_itres, 0);
    press_cell(parts().sg_pitems, 2, 1);  // entry 5 of 5
    EXPECT_EQ(parts().sel_item_row, 2);
    EXPECT_EQ(parts().sel_res_row, 1);
    pick_item(4);
    add_item();
    EXPECT_EQ(objects().obj_parts.back(), (Tinvitem{thing::item, 4, 1}));
    EXPECT_EQ(parts().sg_items.row_count(), 2);
}

// Every opening starts without a pick.
TEST_F(PartsDialog, PicksAreClearedOnEveryOpening) {
    open_on(&objects().obj_parts);
    pick_item(1);
    pick_resource(0);
    kit::user::close(parts());
    open_on(&objects().obj_parts);
    EXPECT_EQ(parts().sel_item_row, -1);
    EXPECT_EQ(parts().sel_res_row, -1);
    click(parts().Button2);
    add_item();
    EXPECT_TRUE(objects().obj_parts.empty());
    EXPECT_TRUE(modal_->transcript.empty());
}

// Each entry shows its catalogue row's picture and its count; an entry whose
// row names no catalogue entry (a list kept through an Open, or read from a
// file) shows its count only.
TEST_F(PartsDialog, EntriesShowPictureAndCountAndAStaleRowOnlyItsCount) {
    objects().obj_parts = {
        {thing::item, 3, 1}, {thing::resource, 0, 12},  {thing::item, 5, 2}, {thing::resource, -1, 4},
        {7, 0, 1},           {thing::item, 1000000, 9}, {thing::item, 0, 1}};
    editor.world.pitems[3].image = 999;  // a picture that names no tile
    open_on(&objects().obj_parts);
    const TColor blank = corner_colour(8);
    EXPECT_EQ(corner_colour(1), frame_color(20));
    EXPECT_EQ(corner_colour(6), frame_color(10));
    for (int e : {0, 2, 3, 4, 5}) EXPECT_EQ(corner_colour(e), blank) << e;
    for (int e = 0; e < 7; ++e) EXPECT_TRUE(count_shown(e)) << e;
    EXPECT_FALSE(count_shown(8));
}

// The list's grid has a row for every three entries as soon as it opens, so
// every entry can be reached.
TEST_F(PartsDialog, TheListGridGrowsWithTheList) {
    for (int k = 0; k < 20; ++k) objects().obj_parts.push_back({thing::item, k % 5, 1});
    open_on(&objects().obj_parts);
    EXPECT_EQ(parts().sg_items.row_count(), 7);
    EXPECT_EQ(parts().sg_pitems.row_count(), 2);
    EXPECT_EQ(parts().sg_pres.row_count(), 1);
    kit::user::scroll_to(parts().sg_items, 0, 6);
    modal_->delete_answers = {true};
    right_click_entry(19);
    EXPECT_EQ(objects().obj_parts.size(), 19u);
}

// A right click asks first and removes the entry under the mouse only on OK;
// an empty cell asks and removes nothing.
TEST_F(PartsDialog, RightClickRemovesAfterTheQuestion) {
    objects().obj_parts = {{thing::item, 0, 1}, {thing::item, 1, 1}, {thing::resource, 1, 3}};
    open_on(&objects().obj_parts);
    modal_->delete_answers = {false, true, true};
    right_click_entry(1);
    EXPECT_EQ(objects().obj_parts.size(), 3u);
    right_click_entry(1);
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 0, 1}, {thing::resource, 1, 3}}));
    right_click_entry(2);  // past the list
    EXPECT_EQ(objects().obj_parts.size(), 2u);
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_delete -> 0", "ask_delete -> 1", "ask_delete -> 1"}));
    // The left button removes nothing.
    press_cell(parts().sg_items, 0, 0);
    EXPECT_EQ(objects().obj_parts.size(), 2u);
}

// Opened on no list: an empty grid, and neither "<" nor a right click does anything.
TEST_F(PartsDialog, WithoutAListNothingHappens) {
    objects().obj_parts = {{thing::item, 0, 1}};
    open_on(nullptr);
    pick_item(0);
    add_item();
    right_click_entry(0);
    EXPECT_EQ(parts().sg_items.row_count(), 1);
    EXPECT_EQ(corner_colour(0), corner_colour(2));
    EXPECT_FALSE(count_shown(0));
    EXPECT_EQ(objects().obj_parts.size(), 1u);
    EXPECT_TRUE(modal_->transcript.empty());
    kit::user::close(parts());
    EXPECT_TRUE(main_window().enabled());
}

// From the map: the dialog edits the placed object's own parts at once and
// leaves the template it was made from as it was; reopened for another placed
// object it shows that object's list and no pick.
TEST_F(PartsDialog, OnAPlacedObjectItEditsThatObjectsParts) {
    Tmapobject chest;
    chest.name = "chest";
    chest.parts = {{thing::item, 0, 1}};
    editor.world.pmapobjects = {chest};
    for (int k = 0; k < 2; ++k) {
        editor.world.mapobjects.push_back(chest);
        make_place(0, k, 0, editor.world.mapobjects.back().place);
    }
    editor.world.mapobjects[1].parts = {{thing::resource, 0, 2}, {thing::resource, 1, 1}};

    editor.cur_placed_object = 0;
    open_on(&editor.world.mapobjects[0].parts);
    pick_item(0);
    add_item();
    modal_->quant_answers = {5};
    pick_resource(1);
    click(parts().Button2);
    kit::user::close(parts());
    EXPECT_EQ(editor.world.mapobjects[0].parts, (Tinvitems{{thing::item, 0, 2}, {thing::resource, 1, 5}}));
    EXPECT_EQ(editor.world.pmapobjects[0].parts, chest.parts);
    EXPECT_EQ(editor.world.mapobjects[1].parts, (Tinvitems{{thing::resource, 0, 2}, {thing::resource, 1, 1}}));

    editor.cur_placed_object = 1;
    open_on(&editor.world.mapobjects[1].parts);
    EXPECT_EQ(parts().sel_item_row, -1);
    EXPECT_EQ(parts().sel_res_row, -1);
    EXPECT_EQ(corner_colour(0), frame_color(20));
    EXPECT_EQ(corner_colour(1), frame_color(21));
    modal_->delete_answers = {true};
    right_click_entry(0);
    kit::user::close(parts());
    EXPECT_EQ(editor.world.mapobjects[1].parts, (Tinvitems{{thing::resource, 1, 1}}));
    EXPECT_EQ(editor.world.mapobjects[0].parts.size(), 2u);
    EXPECT_TRUE(main_window().enabled());
}

}  // namespace
