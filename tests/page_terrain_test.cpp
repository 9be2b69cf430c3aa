// The terrain page driven as a designer drives it: picking tiles in the tile
// palette, filling the frames set, ADD, "<- EDIT" and DEL of terrains, and a
// built catalogue that survives Save and Open.
#include "mainwindow/page_terrain.h"

#include "mainwindow/frame_set.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::choose;
using kit::user::click;
using kit::user::pick;
using kit::user::press_cell;
using kit::user::type_text;

class TerrainPage : public EditorFixture {
protected:
    // The tile palette's cell of tile n, scrolled into view, clicked.
    void pick_tile(int n) {
        kit::StringGrid& tiles = tile_palette();
        kit::user::scroll_to(tiles, 0, n / 3);
        press_cell(tiles, n % 3, n / 3);
    }
    // Picks tile n, then clicks slot c of the frames set.
    void set_slot(int c, int n) {
        pick_tile(n);
        press_cell(terrain().tframes, c, 0);
    }
    // Picks the number of frames shown by entry i of cb_timages ("1", "2", "4", "8").
    void choose_frames(int i) { pick(terrain().cb_timages, i); }
    std::string info() { return terrain().Label94.caption(); }
    // The colour at the middle of a cell of a grid.
    static TColor cell_colour(kit::StringGrid& grid, int col, int row) {
        const kit::Rect r = grid.cell_rect(col, row);
        return grid.canvas().pixel(r.left + r.width / 2, r.top + r.height / 2);
    }
    static Tterrain terrain_of(std::initializer_list<int32_t> frames, int8_t kind = 1, uint16_t hardness = 400) {
        Tterrain t;
        t.kind = kind;
        t.hardness = hardness;
        t.frame_count = static_cast<uint16_t>(frames.size());
        t.frames = frames;
        return t;
    }
};

// The information text after each pick, with every slot: the slot clicked
// last reads its tile from before the click.
TEST_F(TerrainPage, PickingATileShowsItAndTheInformationText) {
    pick_tile(5);
    EXPECT_EQ(editor.cur_tile, 5);
    EXPECT_EQ(terrain().selim1.picture().pixel(5, 5), frame_color(5));
    EXPECT_EQ(items().ipitem.picture().pixel(5, 5), frame_color(5));
    EXPECT_EQ(info(), "w:32\rh:32\rcti:5\rcte:0\rcf:0\r0-1\r1-1\r2-1\r3-1\r4-1\r5-1\r6-1\r7-1");

    press_cell(terrain().tframes, 2, 0);
    EXPECT_EQ(terrain().terrain_frames[2], 5);
    EXPECT_EQ(info(), "w:32\rh:32\rcti:5\rcte:0\rcf:2\r0-1\r1-1\r2-1\r3-1\r4-1\r5-1\r6-1\r7-1");
    EXPECT_EQ(cell_colour(terrain().tframes, 2, 0), frame_color(5));

    // A 64-pixel tile, the last one.
    pick_tile(33);
    EXPECT_EQ(info(), "w:64\rh:64\rcti:33\rcte:0\rcf:2\r0-1\r1-1\r25\r3-1\r4-1\r5-1\r6-1\r7-1");
    EXPECT_EQ(terrain().selim1.picture().pixel(60, 60), frame_color(33));
    // A 32-pixel tile after it shows alone: nothing of the larger one around it.
    pick_tile(5);
    EXPECT_EQ(terrain().selim1.picture().pixel(5, 5), frame_color(5));
    EXPECT_EQ(terrain().selim1.picture().pixel(60, 60), clWhite);
}

// The palette's last row has cells past the last tile: picking one changes
// neither the current tile nor the pictures nor the text.
TEST_F(TerrainPage, PickingPastTheLastTileChangesNothing) {
    ASSERT_EQ(editor.tile_count, 34);
    pick_tile(7);
    const std::string before = info();
    for (int n : {34, 35}) {
        pick_tile(n);
        EXPECT_EQ(editor.cur_tile, 7);
        EXPECT_EQ(terrain().selim1.picture().pixel(5, 5), frame_color(7));
        EXPECT_EQ(items().ipitem.picture().pixel(5, 5), frame_color(7));
        EXPECT_EQ(info(), before);
    }
}

// Selecting an item makes its picture the current tile, whatever number it
// holds: a number that names no tile reads as a size of 0 and is no pick for
// a frame slot, which keeps its tile.
TEST_F(TerrainPage, ACurrentTileThatNamesNoTileReadsZeroAndFillsNoSlot) {
    set_slot(0, 4);
    for (int stale : {-1, 34, 1000000}) {
        editor.cur_tile = stale;
        press_cell(terrain().tframes, 0, 0);
        EXPECT_EQ(info(),
                  "w:0\rh:0\rcti:" + std::to_string(stale) + "\rcte:0\rcf:0\r04\r1-1\r2-1\r3-1\r4-1\r5-1\r6-1\r7-1");
        EXPECT_EQ(terrain().terrain_frames[0], 4);
        EXPECT_EQ(cell_colour(terrain().tframes, 0, 0), frame_color(4));
    }
}

// "set frame" on the popup of the frames set fills the slot clicked last; a
// right click does not move the slot.
TEST_F(TerrainPage, SetFrameFillsTheSlotClickedLast) {
    set_slot(3, 8);
    pick_tile(9);
    press_cell(terrain().tframes, 6, 0, kit::MouseButton::right);
    ASSERT_EQ(kit::user::open_popup(), &terrain().framemenu);
    choose(terrain().setframe);
    EXPECT_EQ(terrain().terrain_frames, (tintarray{-1, -1, -1, 9, -1, -1, -1, -1}));
    EXPECT_EQ(cell_colour(terrain().tframes, 3, 0), frame_color(9));
}

// ADD takes exactly the chosen number of slots and refuses when one of them
// is empty; the slots after them are never looked at.
TEST_F(TerrainPage, AddTakesTheChosenNumberOfFilledSlots) {
    set_slot(0, 1);
    set_slot(1, 2);
    set_slot(4, 3);
    pick(terrain().cb_ttip, 9);  // water
    type_text(terrain().e_thard, "1200");
    choose_frames(1);  // "2"
    click(terrain().Button1);
    ASSERT_EQ(editor.world.terrains.size(), 1u);
    EXPECT_EQ(editor.world.terrains[0], terrain_of({1, 2}, 9, 1200));
    EXPECT_TRUE(modal_->messages.empty());

    choose_frames(2);  // "4": slot 3 is empty
    click(terrain().Button1);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{frame_set::unfilled_message});
    EXPECT_EQ(editor.world.terrains.size(), 1u);

    // The form is left as it was: the same picture can be added at once.
    choose_frames(0);  // "1"
    click(terrain().Button1);
    click(terrain().Button1);
    ASSERT_EQ(editor.world.terrains.size(), 3u);
    EXPECT_EQ(editor.world.terrains[2], terrain_of({1}, 9, 1200));
    // The catalogue and the map page's palette grow with the list and show it.
    EXPECT_EQ(terrain().sg_terrains.row_count(), 2);
    EXPECT_EQ(map().sg_terrains_2.row_count(), 2);
    EXPECT_EQ(cell_colour(terrain().sg_terrains, 0, 0), frame_color(1));
}

// A terrain from a file whose frames name no tile shows those slots empty:
// ADD refuses them as it refuses empty slots, so no copy names a missing tile.
TEST_F(TerrainPage, AddRefusesSlotsThatNameNoTile) {
    for (int32_t frame : {frames32 + frames64, 100000, -5}) {
        editor.world.terrains = {terrain_of({2, frame})};
        setgrids();
        press_cell(terrain().sg_terrains, 0, 0);
        EXPECT_EQ(cell_colour(terrain().tframes, 1, 0), clWhite);
        click(terrain().Button1);
        EXPECT_EQ(editor.world.terrains.size(), 1u) << frame;
        EXPECT_EQ(modal_->messages.back(), frame_set::unfilled_message);
        // Once the slot takes a tile, ADD takes the set.
        set_slot(1, 4);
        click(terrain().Button1);
        ASSERT_EQ(editor.world.terrains.size(), 2u);
        EXPECT_EQ(editor.world.terrains[1].frames, (tintarray{2, 4}));
    }
}

// The hardness is kept in 16 bits: a number outside them, or no number, is
// refused with an error and neither ADD nor EDIT writes anything.
TEST_F(TerrainPage, AHardnessOutsideSixteenBitsIsRefused) {
    set_slot(0, 1);
    click(terrain().Button1);
    ASSERT_EQ(editor.world.terrains.size(), 1u);
    editor.cur_terrain = 0;
    const std::pair<const char*, const char*> refused[] = {{"70000", "'70000' is not a hardness from 0 to 65535."},
                                                           {"65536", "'65536' is not a hardness from 0 to 65535."},
                                                           {"-1", "'-1' is not a hardness from 0 to 65535."},
                                                           {"4x", "'4x' is not a valid integer value."}};
    for (const auto& [text, message] : refused) {
        for (kit::Button* b : {&terrain().Button1, &terrain().Button2}) {
            modal_->errors.clear();
            type_text(terrain().e_thard, text);
            pick(terrain().cb_ttip, 3);
            click(*b);
            EXPECT_EQ(modal_->errors, std::vector<std::string>{message}) << text;
            ASSERT_EQ(editor.world.terrains.size(), 1u);
            EXPECT_EQ(editor.world.terrains[0], terrain_of({1}, 0, 400));
        }
    }
    // The ends of the range and the empty text (0) are taken.
    modal_->errors.clear();
    for (const auto& [text, value] : {std::pair{"65535", 65535}, {"0", 0}, {"", 0}, {"$10", 16}}) {
        type_text(terrain().e_thard, text);
        click(terrain().Button2);
        EXPECT_EQ(editor.world.terrains[0].hardness, value) << text;
    }
    EXPECT_EQ(modal_->errors.size(), 0u);
}

// Selecting a terrain loads it; a terrain from a file may have any number of
// frames: the count box shows the largest listed count not above it, and at
// most eight slots are loaded, never past the frame list.
TEST_F(TerrainPage, SelectingLoadsTheTerrainIntoTheForm) {
    struct Case {
        uint16_t count;
        tintarray frames;
        int shown;  // index of cb_timages
        tintarray loaded;
    };
    const Case cases[] = {
        {2, {4, 5}, 1, {4, 5, -1, -1, -1, -1, -1, -1}},
        {0, {}, 0, {-1, -1, -1, -1, -1, -1, -1, -1}},
        {3, {1, 2, 3}, 1, {1, 2, 3, -1, -1, -1, -1, -1}},
        {8, {1, 2, 3}, 3, {1, 2, 3, -1, -1, -1, -1, -1}},
        {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3, {0, 1, 2, 3, 4, 5, 6, 7}},
        {1, {6, 7, 8}, 0, {6, -1, -1, -1, -1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        Tterrain t = terrain_of({}, 10, 77);
        t.frame_count = c.count;
        t.frames = c.frames;
        editor.world.terrains.push_back(t);
    }
    setgrids();
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(k);
        terrain().terrain_frames.assign(8, 20);
        kit::user::scroll_to(terrain().sg_terrains, 0, static_cast<int>(k / 3));
        press_cell(terrain().sg_terrains, static_cast<int>(k % 3), static_cast<int>(k / 3));
        EXPECT_EQ(editor.cur_terrain, static_cast<int>(k));
        EXPECT_EQ(terrain().cb_ttip.text(), "deep water");
        EXPECT_EQ(terrain().e_thard.text(), "77");
        EXPECT_EQ(terrain().cb_timages.item_index(), cases[k].shown);
        EXPECT_EQ(terrain().terrain_frames, cases[k].loaded);
        EXPECT_EQ(
            info().substr(info().find("cte:")), "cte:" + std::to_string(k) + "\rcf:0" + [&] {
                std::string s;
                for (int i = 0; i < 8; ++i) s += "\r" + std::to_string(i) + std::to_string(cases[k].loaded[i]);
                return s;
            }());
    }
    // A cell past the catalogue selects nothing.
    press_cell(terrain().sg_terrains, 0, 2);
    EXPECT_EQ(editor.cur_terrain, 5);
}

TEST_F(TerrainPage, EditOverwritesOnlyTheSelectedTerrain) {
    for (int k = 0; k < 3; ++k) editor.world.terrains.push_back(terrain_of({k}, 1, 400));
    setgrids();
    const std::vector<Tterrain> before = editor.world.terrains;
    // Without a valid selection nothing happens.
    for (int bad : {-1, 3, 100}) {
        editor.cur_terrain = bad;
        click(terrain().Button2);
        EXPECT_EQ(editor.world.terrains, before);
    }
    press_cell(terrain().sg_terrains, 1, 0);
    pick(terrain().cb_ttip, 4);
    type_text(terrain().e_thard, "3200");
    choose_frames(1);
    set_slot(1, 12);
    click(terrain().Button2);
    // An edit does not refuse empty slots: -1 is copied.
    EXPECT_EQ(editor.world.terrains[1], terrain_of({1, 12}, 4, 3200));
    EXPECT_EQ(editor.world.terrains[0], before[0]);
    EXPECT_EQ(editor.world.terrains[2], before[2]);
    choose_frames(2);
    click(terrain().Button2);
    EXPECT_EQ(editor.world.terrains[1].frames, (tintarray{1, 12, -1, -1}));
    EXPECT_TRUE(modal_->messages.empty());

    // A kind the list does not hold shows no entry and is kept by an edit.
    editor.world.terrains[2].kind = 42;
    press_cell(terrain().sg_terrains, 2, 0);
    EXPECT_EQ(terrain().cb_ttip.item_index(), -1);
    click(terrain().Button2);
    EXPECT_EQ(editor.world.terrains[2], terrain_of({2}, 42, 400));
}

// "<- EDIT" sizes the terrain grid and the map page's terrain palette to the
// rows the entries fill (a third of the count, rounded up), with no empty row
// after a full last one; setgrids keeps giving that empty row.
TEST_F(TerrainPage, EditSizesBothTerrainGridsToTheRowsTheEntriesFill) {
    struct Case {
        int count, rows_after_edit;
    };
    for (const Case c : {Case{1, 1}, Case{3, 1}, Case{4, 2}, Case{6, 2}, Case{7, 3}}) {
        SCOPED_TRACE(std::to_string(c.count) + " terrains");
        editor.world.terrains.assign(static_cast<std::size_t>(c.count), terrain_of({0}));
        setgrids();
        EXPECT_EQ(terrain().sg_terrains.row_count(), c.count / 3 + 1);
        press_cell(terrain().sg_terrains, 0, 0);
        click(terrain().Button2);
        EXPECT_EQ(terrain().sg_terrains.row_count(), c.rows_after_edit);
        EXPECT_EQ(map().sg_terrains_2.row_count(), c.rows_after_edit);
        // The last entry keeps its cell.
        kit::user::scroll_to(terrain().sg_terrains, 0, (c.count - 1) / 3);
        press_cell(terrain().sg_terrains, (c.count - 1) % 3, (c.count - 1) / 3);
        EXPECT_EQ(editor.cur_terrain, c.count - 1);
    }
}

// DEL refuses a terrain any map uses, asks for one no map uses and removes it
// only on Yes; the cells of later terrains follow them.
TEST_F(TerrainPage, DeleteAsksAndKeepsTheMapsTrue) {
    for (int k = 0; k < 4; ++k) editor.world.terrains.push_back(terrain_of({k}));
    Tmap a;
    a.width = 2;
    a.height = 2;
    a.cells = {{0, 3}, {3, 0}};
    Tmap b = a;
    b.cells = {{0, 0}, {0, 2}};
    editor.world.maps = {a, b};
    setgrids();

    // No terrain selected: nothing, without a question.
    editor.cur_terrain = 4;
    click(terrain().Button3);
    EXPECT_TRUE(modal_->transcript.empty());

    // Used on the second map only.
    press_cell(terrain().sg_terrains, 2, 0);
    click(terrain().Button3);
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"message: This territory is used on one of the maps"});
    EXPECT_EQ(editor.world.terrains.size(), 4u);

    press_cell(terrain().sg_terrains, 1, 0);
    modal_->transcript.clear();
    modal_->sure_answers = {false, true};
    click(terrain().Button3);
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"ask_sure -> 0"});
    EXPECT_EQ(editor.world.terrains.size(), 4u);
    click(terrain().Button3);
    ASSERT_EQ(editor.world.terrains.size(), 3u);
    EXPECT_EQ(editor.world.terrains[1], terrain_of({2}));
    EXPECT_EQ(editor.world.maps[0].cells, (tintmatrix{{0, 2}, {2, 0}}));
    EXPECT_EQ(editor.world.maps[1].cells, (tintmatrix{{0, 0}, {0, 1}}));
    // The selection stays where it was, on the terrain that moved there.
    EXPECT_EQ(editor.cur_terrain, 1);
    EXPECT_EQ(terrain().sg_terrains.row_count(), 2);
    EXPECT_EQ(map().sg_terrains_2.row_count(), 2);
}

// A designer builds two terrains with pictures from the palette, sees them in
// the map page's palette, saves and opens the world again.
TEST_F(TerrainPage, BuiltTerrainsSurviveSaveAndOpen) {
    set_slot(0, 10);
    set_slot(1, 11);
    choose_frames(1);
    pick(terrain().cb_ttip, 2);
    type_text(terrain().e_thard, "800");
    click(terrain().Button1);

    for (int c = 0; c < 8; ++c) set_slot(c, 20 + c);
    choose_frames(3);
    pick(terrain().cb_ttip, 10);
    type_text(terrain().e_thard, "1");
    click(terrain().Button1);

    const std::vector<Tterrain> built = {terrain_of({10, 11}, 2, 800),
                                         terrain_of({20, 21, 22, 23, 24, 25, 26, 27}, 10, 1)};
    ASSERT_EQ(editor.world.terrains, built);
    kit::user::pick_page(page_control(), page::map);
    EXPECT_EQ(cell_colour(map().sg_terrains_2, 1, 0), frame_color(20));
    press_cell(map().sg_terrains_2, 0, 0);
    EXPECT_EQ(editor.cur_terrain, 0);

    const std::string file = dir_.file("terrains.wld");
    save_as(file);
    editor.world.terrains.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_EQ(editor.world.terrains, built);
    kit::user::pick_page(page_control(), page::terrain);
    press_cell(terrain().sg_terrains, 1, 0);
    EXPECT_EQ(terrain().cb_ttip.text(), "deep water");
    EXPECT_EQ(terrain().e_thard.text(), "1");
    EXPECT_EQ(terrain().cb_timages.text(), "8");
    EXPECT_EQ(terrain().terrain_frames, built[1].frames);
}

}  // namespace
