// The two test pages: "Test 2" renders 12 x 12 cells of map 0 at a typed
// place and frame, "Test 1" renders the window from (1, 1) and runs the field
// of view over the placed objects. Neither changes the world.
#include "mainwindow/page_tests.h"
#include "tests/support/editor_fixture.h"

#include <climits>

namespace {

using kit::user::click;
using kit::user::pick_page;
using kit::user::type_text;

class TestPages : public EditorFixture {
protected:
    ::TestPages& t() { return test_pages(); }
    // Map 0 of 20 x 20 cells, all terrain 0 (frames 3 and 4), a stone (frame
    // 9) placed at (2, 3) of map 0 and a round tree on map 1.
    void small_world() {
        TWorld& w = editor.world;
        Tterrain terrain;
        terrain.frame_count = 2;
        terrain.frames = {3, 4};
        w.terrains.push_back(terrain);
        for (int m = 0; m < 2; ++m) {
            Tmap map;
            map.width = map.height = 20;
            map.cells.assign(20, tintarray(20, 0));
            w.maps.push_back(map);
        }
        Tmapobject stone;
        stone.form = 1;
        stone.size = 32;
        stone.visible = true;
        stone.frame_count = 1;
        stone.frames = {9};
        make_place(0, 2, 3, stone.place);
        w.mapobjects.push_back(stone);
        Tmapobject tree = stone;
        tree.form = 0;
        make_place(1, 7, 8, tree.place);
        w.mapobjects.push_back(tree);
    }
    // The colour at the centre of window cell (cx, cy) of an image.
    static TColor cell(kit::Image& image, int cx, int cy) { return image.picture().pixel(cx * 32 + 16, cy * 32 + 16); }
    std::string saved_bytes() {
        const std::string file = dir_.file("world.wld");
        save_as(file);
        return read_file(file);
    }
};

// On an empty world both tests draw only the background, say "0" and leave
// the world as it was: the saved bytes before and after are the same.
TEST_F(TestPages, OnAnEmptyWorldTheyDoNothingHarmful) {
    const std::string before = saved_bytes();
    pick_page(page_control(), page::test1);
    click(t().Button9);
    EXPECT_EQ(t().Label6.caption(), "0\n\r");
    EXPECT_EQ(cell(t().Image4, 0, 0), clWhite);
    pick_page(page_control(), page::test2);
    click(t().Button8);
    EXPECT_EQ(cell(t().Image3, 0, 0), cell(t().Image3, 11, 11));
    EXPECT_TRUE(modal_->errors.empty());
    EXPECT_EQ(saved_bytes(), before);
}

TEST_F(TestPages, FieldOfViewTestCountsEveryPlacedObject) {
    small_world();
    const TWorld before = editor.world;
    pick_page(page_control(), page::test1);
    click(t().Button9);
    EXPECT_EQ(t().Label6.caption(), "2\n\r2\n\r");
    // The window from cell (1, 1): the stone at (2, 3) shows in window cell (1, 2).
    EXPECT_EQ(cell(t().Image4, 1, 2), frame_color(9));
    EXPECT_EQ(cell(t().Image4, 0, 0), frame_color(3));
    EXPECT_EQ(t().Image4.picture().pixel(400, 400), clWhite);  // outside the 384 pixels copied

    // Bodies of every shape and size the objects give, the viewer inside one:
    // the routine copes and nothing changes.
    editor.world.mapobjects[0].form = 7;
    editor.world.mapobjects[1].size = 1000;
    make_place(0, 9, 1, editor.world.mapobjects[1].place);
    click(t().Button9);
    EXPECT_EQ(t().Label6.caption(), "2\n\r2\n\r");
    editor.world.mapobjects[0].form = 1;
    editor.world.mapobjects[1] = before.mapobjects[1];
    EXPECT_TRUE(editor.world == before);
    EXPECT_TRUE(modal_->errors.empty());
}

TEST_F(TestPages, MapViewTestRendersTheTypedPlaceAndFrame) {
    small_world();
    const TWorld before = editor.world;
    pick_page(page_control(), page::test2);
    click(t().Button8);  // the design values: cell (1, 1), frame 1
    EXPECT_EQ(cell(t().Image3, 0, 0), frame_color(4));
    EXPECT_EQ(cell(t().Image3, 1, 2), frame_color(9));

    // Beyond the map's edge the cells are black.
    type_text(t().Edit1, "15");
    type_text(t().Edit2, "");
    type_text(t().Edit3, "0");
    click(t().Button8);
    EXPECT_EQ(cell(t().Image3, 4, 0), frame_color(3));
    EXPECT_EQ(cell(t().Image3, 5, 0), clBlack);
    type_text(t().Edit1, std::to_string(INT_MAX));
    type_text(t().Edit2, std::to_string(INT_MIN));
    click(t().Button8);
    EXPECT_EQ(cell(t().Image3, 0, 0), clBlack);
    EXPECT_EQ(cell(t().Image3, 11, 11), clBlack);

    // A text that is no number draws nothing.
    type_text(t().Edit1, "0");
    type_text(t().Edit2, "0");
    type_text(t().Edit3, "two");
    click(t().Button8);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'two' is not a valid integer value."});
    EXPECT_EQ(cell(t().Image3, 0, 0), clBlack);
    EXPECT_TRUE(editor.world == before);
}

}  // namespace
