// The map view and thing pictures, read back as pixels from small worlds whose
// tile frames are plain colours.
#include "model/render.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr TColor grass = make_color(10, 100, 30);
constexpr TColor red = make_color(200, 0, 0);
constexpr TColor blue = make_color(0, 0, 200);
constexpr TColor yellow = make_color(200, 200, 0);
constexpr TColor cyan = make_color(0, 200, 200);
constexpr TColor grey = make_color(90, 90, 90);

Bitmap solid(int width, int height, TColor colour) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.set_pixel(x, y, colour);
    return b;
}

// A frame in four quadrants: top-left, top-right, bottom-left, bottom-right.
Bitmap quarters(int size, TColor tl, TColor tr, TColor bl, TColor br) {
    Bitmap b(size, size);
    const int h = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) b.set_pixel(x, y, y < h ? (x < h ? tl : tr) : (x < h ? bl : br));
    return b;
}

bool all_pixels(const Bitmap& b, TColor colour) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != colour) return false;
    return true;
}

class Render : public ::testing::Test {
protected:
    TWorld world;
    tiarray frames;

    int frame(const Bitmap& b) {
        frames.push_back(b);
        return static_cast<int>(frames.size()) - 1;
    }
    int frame(int width, int height, TColor colour) { return frame(solid(width, height, colour)); }

    int terrain(std::vector<int32_t> frame_numbers, uint16_t frame_count) {
        Tterrain t;
        t.frame_count = frame_count;
        t.frames = std::move(frame_numbers);
        world.terrains.push_back(t);
        return static_cast<int>(world.terrains.size()) - 1;
    }
    // A map whose every cell holds terrain t.
    int map(int width, int height, int32_t t) {
        Tmap m;
        m.width = width;
        m.height = height;
        m.cells.assign(width, tintarray(height, t));
        world.maps.push_back(m);
        return static_cast<int>(world.maps.size()) - 1;
    }
    Tpitem& item(int x, int y, int picture) {
        Tpitem it;
        make_place(0, x, y, it.place);
        it.image = picture;
        it.holder_object = it.holder_npc = -1;
        world.items.push_back(it);
        return world.items.back();
    }
    Tpres& resource(int x, int y, int one, int many = -1, int amount = 1, int kind = 7) {
        Tpres r;
        make_place(0, x, y, r.place);
        r.image_one = one;
        r.image_many = many;
        r.amount = amount;
        r.kind = kind;
        r.holder_object = r.holder_npc = r.holder_item = r.holder_resource = -1;
        make_invitem(2, -1, 0, r.filling);
        world.resources.push_back(r);
        return world.resources.back();
    }
    Tchar& npc(int x, int y, int figure) {
        Tchar c;
        make_place(0, x, y, c.place);
        c.figure = figure;
        world.npcs.push_back(c);
        return world.npcs.back();
    }
    Tmapobject& object(int x, int y, int picture, bool floating = false, bool visible = true) {
        Tmapobject o;
        make_place(0, x, y, o.place);
        o.frame_count = 1;
        o.frames = {picture};
        o.floating = floating;
        o.visible = visible;
        world.mapobjects.push_back(o);
        return world.mapobjects.back();
    }

    Bitmap render(int left, int top, int columns, int rows, int frame_number = 0, bool show_hidden = false,
                  int map_index = 0) {
        Tplace top_left;
        make_place(map_index, left, top, top_left);
        Bitmap target;
        draw_map_view(world, frames, top_left, columns, rows, frame_number, show_hidden, target);
        return target;
    }
    // The colour at the centre of cell (cx, cy) of a rendered window.
    static TColor cell(const Bitmap& b, int cx, int cy) { return b.pixel(cx * 32 + 16, cy * 32 + 16); }
};

// ---- the map view ----

TEST_F(Render, LargeFrameHasItsBottomRightCornerOnTheCell) {
    map(8, 8, terrain({frame(32, 32, grass)}, 1));
    object(4, 4, frame(64, 64, red));
    const Bitmap view = render(0, 0, 8, 8);
    ASSERT_EQ(view.width(), 256);
    ASSERT_EQ(view.height(), 256);
    for (int v : {96, 127, 159}) {
        EXPECT_EQ(view.pixel(v, 96), red);
        EXPECT_EQ(view.pixel(96, v), red);
        EXPECT_EQ(view.pixel(v, 159), red);
    }
    for (int v : {95, 160}) {
        EXPECT_EQ(view.pixel(v, 120), grass);
        EXPECT_EQ(view.pixel(120, v), grass);
    }
    // The window moves the picture with it; what reaches past the top-left edge is cut off.
    const Bitmap moved = render(2, 1, 4, 4);
    EXPECT_EQ(moved.pixel(32, 64), red);
    EXPECT_EQ(moved.pixel(95, 127), red);
    EXPECT_EQ(moved.pixel(31, 64), grass);
    const Bitmap cut = render(4, 4, 2, 2);
    EXPECT_EQ(cut.pixel(0, 0), red);
    EXPECT_EQ(cut.pixel(31, 31), red);
    EXPECT_EQ(cut.pixel(32, 0), grass);
}

TEST_F(Render, ThingsUseTheMapColourKeys) {
    map(2, 2, terrain({frame(32, 32, grass)}, 1));
    item(0, 0, frame(quarters(32, clWhite, light_shadow_key, dark_shadow_key, red)));
    const Bitmap view = render(0, 0, 2, 2);
    EXPECT_EQ(view.pixel(4, 4), grass);                     // white lets the terrain through
    EXPECT_EQ(view.pixel(20, 4), make_color(0, 80, 10));    // light shadow: 20 darker
    EXPECT_EQ(view.pixel(4, 20), make_color(0, 60, 0));     // dark shadow: 40 darker
    EXPECT_EQ(view.pixel(20, 20), red);
}

// A frame of every kind of pixel: the two shadow keys, white, colour 1 and others.
Bitmap mixed(int width, int height, int seed) {
    const TColor kinds[] = {light_shadow_key, dark_shadow_key, clWhite, vial_transparent};
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = (x * 7 + y * 13 + seed) % 9;
            b.set_pixel(x, y, k < 4 ? kinds[k] : make_color(x * 5 + seed, y * 3, k * 25));
        }
    return b;
}

TEST_F(Render, ThingsAreDrawnAsDrawFrameDrawsThem) {
    map(4, 4, terrain({frame(mixed(32, 32, 3))}, 1));  // shadows darken dark pixels to 0
    const int big = frame(mixed(64, 48, 1));
    const int huge = frame(mixed(160, 150, 2));
    const Bitmap bare = render(0, 0, 4, 4);
    const int cases[][3] = {{big, 0, 0}, {big, 3, 3}, {big, 1, 2}, {big, 3, 0}, {huge, 2, 3}, {huge, 3, 3}};
    for (const auto& [picture, cx, cy] : cases) {
        world.items.clear();
        item(cx, cy, picture);
        Bitmap expected = bare;
        const Bitmap& f = frames[picture];
        draw_frame(light_shadow_key, dark_shadow_key, map_transparent, cx * 32 + 32 - f.width(),
                   cy * 32 + 32 - f.height(), expected, f);
        EXPECT_TRUE(render(0, 0, 4, 4).image() == expected.image()) << picture << " at " << cx << "," << cy;
    }
}

TEST_F(Render, CellsOutsideTheMapAreBlack) {
    map(4, 4, terrain({frame(32, 32, grass)}, 1));
    const Bitmap view = render(-1, -1, 6, 6);
    ASSERT_EQ(view.width(), 192);
    for (int cx = 0; cx < 6; ++cx)
        for (int cy = 0; cy < 6; ++cy) {
            const bool outside = cx == 0 || cy == 0 || cx == 5 || cy == 5;
            EXPECT_EQ(cell(view, cx, cy), outside ? clBlack : grass) << cx << "," << cy;
        }
    EXPECT_EQ(view.pixel(31, 31), clBlack);
    EXPECT_EQ(view.pixel(32, 32), grass);
    EXPECT_EQ(view.pixel(159, 159), grass);
    EXPECT_EQ(view.pixel(160, 160), clBlack);
}

TEST_F(Render, WithoutAMapTheTargetIsOnlySizedAndFilled) {
    const int g = terrain({frame(32, 32, grass)}, 1);
    for (int maps : {0, 1}) {
        if (maps == 1) map(4, 4, g);
        for (int map_index : {-1, maps, 7}) {
            Bitmap target;
            target.canvas().brush_color = cyan;
            Tplace top_left;
            make_place(map_index, 0, 0, top_left);
            draw_map_view(world, frames, top_left, 3, 2, 0, true, target);
            EXPECT_EQ(target.width(), 96);
            EXPECT_EQ(target.height(), 64);
            EXPECT_TRUE(all_pixels(target, cyan)) << "map " << map_index << " of " << maps;
        }
    }
    Bitmap target(10, 10);
    Tplace top_left;
    make_place(0, 0, 0, top_left);
    draw_map_view(world, frames, top_left, -3, 2, 0, true, target);
    EXPECT_TRUE(target.empty());  // a negative size counts as 0
}

// A target that holds the pixels of an earlier picture of its size, and a
// brush colour of its own, shows nothing of either where a map is drawn: every
// cell is drawn whole, inside the map or not, with or without a picture, and
// with pictures smaller or larger than a cell.
TEST_F(Render, ATargetInUseIsDrawnOverWhole) {
    const int g = terrain({frame(mixed(32, 32, 1))}, 1), none = terrain({-1}, 1);
    const int small = terrain({frame(16, 24, red)}, 1), large = terrain({frame(mixed(64, 48, 2))}, 1);
    const int m = map(4, 3, g);
    auto& cells = world.maps[m].cells;
    cells[1][0] = none;
    cells[2][1] = small;
    cells[3][2] = large;
    cells[0][2] = 77;  // no such terrain
    item(1, 1, frame(mixed(40, 40, 3)));
    const Bitmap fresh = render(-1, -1, 6, 5);
    Bitmap target = solid(fresh.width(), fresh.height(), cyan);
    target.canvas().brush_color = yellow;
    Tplace top_left;
    make_place(m, -1, -1, top_left);
    draw_map_view(world, frames, top_left, 6, 5, 0, false, target);
    EXPECT_TRUE(target.image() == fresh.image());
}

TEST_F(Render, TerrainsThatNameNoPictureGiveBlackCells) {
    const int g = frame(32, 32, grass);
    const int small = frame(16, 16, red);
    const int none = terrain({-1}, 1);
    const int beyond = terrain({99}, 1);
    const int short_list = terrain({g, g}, 4);  // frames 2 and 3 missing
    const int smaller = terrain({small}, 1);
    const int m = map(7, 1, 0);
    auto& cells = world.maps[m].cells;
    cells[0][0] = none;
    cells[1][0] = beyond;
    cells[2][0] = short_list;
    cells[3][0] = smaller;
    cells[4][0] = 55;  // no such terrain
    cells[5][0] = -1;
    cells[6][0] = INT32_MAX;
    const Bitmap view = render(0, 0, 7, 1, 3);
    for (int cx : {0, 1, 2, 4, 5, 6}) EXPECT_EQ(cell(view, cx, 0), clBlack) << cx;
    EXPECT_EQ(view.pixel(96, 0), red);
    EXPECT_EQ(view.pixel(96 + 15, 15), red);
    EXPECT_EQ(view.pixel(96 + 16, 15), clBlack);
    EXPECT_EQ(view.pixel(96 + 15, 16), clBlack);
    // A height that promises more rows than the cells hold: the missing row is black.
    world.maps[m].height = 2;
    const Bitmap taller = render(0, 0, 7, 2, 3);
    EXPECT_EQ(taller.pixel(96, 0), red);
    for (int cx = 0; cx < 7; ++cx) EXPECT_EQ(cell(taller, cx, 1), clBlack) << cx;
    world.maps[m].height = 1;

    // A new map before any terrain exists: every cell names terrain 0.
    TWorld empty;
    empty.maps.push_back(world.maps[m]);
    empty.maps[0].cells.assign(7, tintarray(1, 0));
    Bitmap target;
    Tplace top_left;
    make_place(0, 0, 0, top_left);
    draw_map_view(empty, frames, top_left, 7, 1, 0, false, target);
    EXPECT_TRUE(all_pixels(target, clBlack));
}

TEST_F(Render, AnimationFramesOfTerrainsAndObjects) {
    std::vector<TColor> colours;
    tintarray eight;
    for (int k = 0; k < 8; ++k) {
        colours.push_back(make_color(20 * k + 10, 50, 60));
        eight.push_back(frame(32, 32, colours.back()));
    }
    const int t8 = terrain(eight, 8);
    const int t2 = terrain({eight[0], eight[1], eight[2]}, 2);
    const int t4 = terrain({eight[0], eight[1], eight[2], eight[3]}, 4);
    const int t1 = terrain({eight[5], eight[6]}, 1);
    const int t3 = terrain({eight[0], eight[1], eight[2]}, 3);  // not a count the editor stores
    const int t0 = terrain({eight[4]}, 0);
    const int m = map(6, 2, t8);
    const int columns[] = {t8, t2, t4, t1, t3, t0};
    for (int x = 0; x < 6; ++x) world.maps[m].cells[x][0] = world.maps[m].cells[x][1] = columns[x];
    Tmapobject& o = object(0, 1, eight[0]);
    o.frame_count = 4;
    o.frames = {eight[7], eight[6], eight[5], eight[4]};

    for (int k = 0; k < 8; ++k) {
        const Bitmap view = render(0, 0, 6, 2, k);
        EXPECT_EQ(cell(view, 0, 0), colours[k]) << k;
        EXPECT_EQ(cell(view, 1, 0), colours[k % 2]) << k;
        EXPECT_EQ(cell(view, 2, 0), colours[k % 4]) << k;
        EXPECT_EQ(cell(view, 3, 0), colours[5]) << k;
        EXPECT_EQ(cell(view, 4, 0), colours[0]) << k;
        EXPECT_EQ(cell(view, 5, 0), colours[4]) << k;
        EXPECT_EQ(cell(view, 0, 1), colours[7 - k % 4]) << k;
    }
    // An animation frame outside 0..7 shows frame 0.
    for (int k : {-1, 8, 13, 1000}) {
        const Bitmap view = render(0, 0, 6, 2, k);
        EXPECT_EQ(cell(view, 0, 0), colours[0]) << k;
        EXPECT_EQ(cell(view, 1, 0), colours[0]) << k;
        EXPECT_EQ(cell(view, 0, 1), colours[7]) << k;
    }
}

TEST_F(Render, HiddenObjectsOnlyWithShowHiddenNpcsAlways) {
    map(3, 1, terrain({frame(32, 32, grass)}, 1));
    object(0, 0, frame(32, 32, red), false, false);
    object(1, 0, frame(32, 32, blue), true, false);
    npc(2, 0, frame(32, 32, yellow));
    const Bitmap plain = render(0, 0, 3, 1, 0, false);
    EXPECT_EQ(cell(plain, 0, 0), grass);
    EXPECT_EQ(cell(plain, 1, 0), grass);
    EXPECT_EQ(cell(plain, 2, 0), yellow);
    const Bitmap all = render(0, 0, 3, 1, 0, true);
    EXPECT_EQ(cell(all, 0, 0), red);
    EXPECT_EQ(cell(all, 1, 0), blue);
    EXPECT_EQ(cell(all, 2, 0), yellow);
}

TEST_F(Render, HeldThingsAreNotDrawn) {
    map(8, 2, terrain({frame(32, 32, grass)}, 1));
    const int r = frame(32, 32, red);
    item(0, 0, r).holder_object = 0;
    item(1, 0, r).holder_npc = 0;
    item(2, 0, r);
    resource(3, 0, r).holder_object = 0;
    resource(4, 0, r).holder_npc = 0;
    resource(5, 0, r).holder_item = 0;
    resource(6, 0, r).holder_resource = 0;
    resource(7, 0, r);
    // A clip on the ground with its ammunition inside: both share the cell.
    resource(0, 1, frame(32, 32, blue), -1, 1, 8);
    const int clip = static_cast<int>(world.resources.size()) - 1;
    resource(0, 1, frame(32, 32, yellow), -1, 30, 7).holder_resource = clip;

    const Bitmap view = render(0, 0, 8, 2);
    const TColor expected[] = {grass, grass, red, grass, grass, grass, grass, red};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(cell(view, x, 0), expected[x]) << x;
    EXPECT_EQ(cell(view, 0, 1), blue);
}

TEST_F(Render, AResourceThatDrawsNothingDoesNotRepeatTheOneBefore) {
    map(4, 1, terrain({frame(32, 32, grass)}, 1));
    resource(0, 0, frame(32, 32, red));
    resource(1, 0, -1);   // names no picture
    resource(2, 0, 999);  // names no tile frame
    Tpres& vial = resource(3, 0, 0, 0, 1, 13);
    make_invitem(2, 0, -5, vial.filling);  // a filling amount below 0 draws nothing
    world.presources.push_back(world.resources[0]);
    const Bitmap view = render(0, 0, 4, 1);
    EXPECT_EQ(cell(view, 0, 0), red);
    for (int x = 1; x < 4; ++x) EXPECT_EQ(cell(view, x, 0), grass) << x;
}

// The map draws a resource's tile frame straight onto the view: the pixels are
// those of the picture draw_thing gives for it drawn with the map's keys, for
// one and many pieces, empty and filled vials of changing sizes (one after
// the other, so that the vial put together before shows through nowhere),
// and frames of every kind of pixel.
TEST_F(Render, GroundResourcesAsTheirThingPictures) {
    const int ground = frame(mixed(32, 32, 5));
    map(10, 3, terrain({ground}, 1));
    const int small = frame(mixed(32, 32, 1)), large = frame(mixed(64, 64, 2)), odd = frame(mixed(24, 40, 3));
    world.presources = {Tpres{}, Tpres{}};
    world.presources[0].image_one = large;
    world.presources[1].image_one = small;
    const struct {
        int one, many, amount, kind, filled_from, filling;
    } cases[] = {
        {small, large, 1, 7, -1, 0},  {small, large, 3, 7, -1, 0},  {odd, small, 2, 14, -1, 0},
        {small, large, 1, 13, 0, 2},  {small, odd, 1, 13, 1, 1},    {large, small, 1, 13, 0, 0},
        {small, large, 1, 13, 1, 3},  {large, small, 5, 13, -1, 4},
    };
    int x = 1;
    for (const auto& c : cases) {
        make_invitem(2, c.filled_from, c.filling, resource(x, 1 + x % 2, c.one, c.many, c.amount, c.kind).filling);
        ++x;
    }
    const Bitmap view = render(0, 0, 10, 3);

    TWorld bare = world;
    bare.resources.clear();
    Tplace top_left;
    make_place(0, 0, 0, top_left);
    Bitmap expected;
    draw_map_view(bare, frames, top_left, 10, 3, 0, false, expected);
    for (int i = 0; i < static_cast<int>(world.resources.size()); ++i) {
        Tinvitem entry;
        make_invitem(2, i, 1, entry);
        Bitmap picture;
        ASSERT_TRUE(draw_thing(entry, frames, count_never, world, picture)) << i;
        const Tplace& p = world.resources[static_cast<std::size_t>(i)].place;
        draw_frame(light_shadow_key, dark_shadow_key, map_transparent, p.x * 32 + 32 - picture.width(),
                   p.y * 32 + 32 - picture.height(), expected, picture);
    }
    ASSERT_EQ(view.width(), expected.width());
    for (int py = 0; py < view.height(); ++py)
        for (int px = 0; px < view.width(); ++px)
            ASSERT_EQ(view.pixel(px, py), expected.pixel(px, py)) << px << "," << py;
}

TEST_F(Render, GroundThingsThenNpcsThenObjectsOnOneCell) {
    map(2, 1, terrain({frame(32, 32, grass)}, 1));
    // Smaller and smaller pictures on the same cell: each layer shows around the next.
    object(0, 0, frame(8, 8, cyan));
    npc(0, 0, frame(16, 16, yellow));
    resource(0, 0, frame(24, 24, blue));
    item(0, 0, frame(32, 32, red));
    // The same layers in reverse sizes on the next cell: the last layer drawn covers all.
    object(1, 0, frame(32, 32, cyan));
    npc(1, 0, frame(24, 24, yellow));
    resource(1, 0, frame(16, 16, blue));
    item(1, 0, frame(8, 8, red));
    const Bitmap view = render(0, 0, 2, 1);
    EXPECT_EQ(view.pixel(2, 2), red);
    EXPECT_EQ(view.pixel(10, 10), blue);
    EXPECT_EQ(view.pixel(18, 18), yellow);
    EXPECT_EQ(view.pixel(28, 28), cyan);
    for (int v : {2, 10, 18, 28}) EXPECT_EQ(view.pixel(32 + v, v), cyan);
}

TEST_F(Render, ObjectsByRowFloatingLastOverNpcsWhateverTheirRows) {
    map(4, 6, terrain({frame(32, 32, grass)}, 1));
    const int tall_red = frame(32, 64, red);
    // Column 0: the object one row lower is listed first but drawn last.
    object(0, 4, tall_red);
    object(0, 3, frame(32, 32, blue));
    // Column 1: a floating object lies over the taller object of a lower row.
    object(1, 3, frame(32, 32, yellow), true);
    object(1, 4, tall_red);
    // Column 2: an object over an NPC of a lower row that reaches into its cell.
    object(2, 3, frame(32, 32, cyan));
    npc(2, 4, tall_red);
    // Column 3: objects at rows 3 and 5 and a floating one at row 2, none overlapping.
    object(3, 2, frame(32, 32, yellow), true);
    object(3, 5, frame(32, 32, blue));
    object(3, 3, frame(32, 32, cyan));

    const Bitmap view = render(0, 0, 4, 6);
    EXPECT_EQ(cell(view, 0, 3), red);
    EXPECT_EQ(cell(view, 1, 3), yellow);
    EXPECT_EQ(cell(view, 1, 4), red);
    EXPECT_EQ(cell(view, 2, 3), cyan);
    EXPECT_EQ(cell(view, 2, 4), red);
    EXPECT_EQ(cell(view, 3, 2), yellow);
    EXPECT_EQ(cell(view, 3, 3), cyan);
    EXPECT_EQ(cell(view, 3, 5), blue);
}

TEST_F(Render, SortingSwapsEqualRowsOutOfListOrder) {
    map(1, 2, terrain({frame(32, 32, grass)}, 1));
    // Rows 1, 1, 0: bringing row 0 forward swaps the first object behind the
    // second, so the first one listed is drawn last.
    object(0, 1, frame(32, 32, blue));
    object(0, 1, frame(32, 32, yellow));
    object(0, 0, frame(32, 32, cyan));
    const Bitmap view = render(0, 0, 1, 2);
    EXPECT_EQ(cell(view, 0, 0), cyan);
    EXPECT_EQ(cell(view, 0, 1), blue);
}

// Objects of few rows in one column, of many heights so that they overlap,
// drawn in the order a plain selection sort of each list gives: the pixels
// of every random world are those of drawing the objects in that order.
TEST_F(Render, ObjectsInTheOrderOfASelectionSort) {
    map(1, 6, terrain({frame(32, 32, grass)}, 1));
    std::mt19937 rng(99);
    std::vector<int> heights = {32};  // by frame number: 0 is the grass
    for (int f = 0; f < 60; ++f) {
        heights.push_back(8 * (1 + f % 16));
        frame(32, heights.back(), make_color(f * 4, 255 - f * 4, f * 13));
    }
    const auto selection_sort = [](std::vector<std::pair<int, int>>& list) {
        for (std::size_t p = 0; p < list.size(); ++p) {
            std::size_t least = p;
            for (std::size_t j = p + 1; j < list.size(); ++j)
                if (list[j].first < list[least].first) least = j;
            std::swap(list[p], list[least]);
        }
    };
    for (int trial = 0; trial < 300; ++trial) {
        world.mapobjects.clear();
        refresh_placed_index(world);
        const int n = 1 + static_cast<int>(rng() % (trial < 200 ? 12 : 60));
        const int rows = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < n; ++i)
            object(0, 1 + static_cast<int>(rng() % rows), 1 + static_cast<int>(rng() % 60), rng() % 4 == 0);
        std::vector<std::pair<int, int>> standing, floating;  // (row, index)
        for (int i = 0; i < n; ++i) {
            const Tmapobject& o = world.mapobjects[static_cast<std::size_t>(i)];
            (o.floating ? floating : standing).emplace_back(o.place.y, i);
        }
        selection_sort(standing);
        selection_sort(floating);
        TWorld bare = world;
        bare.mapobjects.clear();
        Tplace top_left;
        make_place(0, 0, 0, top_left);
        Bitmap expected;
        draw_map_view(bare, frames, top_left, 1, 6, 0, false, expected);
        for (const auto* list : {&standing, &floating})
            for (const auto& [row, i] : *list) {
                const int f = world.mapobjects[static_cast<std::size_t>(i)].frames[0];
                draw_frame(light_shadow_key, dark_shadow_key, map_transparent, 0,
                           row * 32 + 32 - heights[static_cast<std::size_t>(f)], expected, frames[f]);
            }
        ASSERT_TRUE(render(0, 0, 1, 6).image() == expected.image()) << "trial " << trial;
    }
}

TEST_F(Render, ObjectPicturesNamingNothingAreSkipped) {
    map(3, 1, terrain({frame(32, 32, grass)}, 1));
    object(0, 0, -1);
    object(1, 0, 500);
    object(2, 0, frame(32, 32, red)).frame_count = 2;  // only one frame listed
    EXPECT_TRUE(all_pixels(render(0, 0, 3, 1, 1), grass));
    const Bitmap view = render(0, 0, 3, 1, 0);
    EXPECT_EQ(cell(view, 2, 0), red);
}

// ---- draw_thing ----

class Thing : public Render {
protected:
    Bitmap drawn(int kind, int index, uint8_t mode, bool* drew = nullptr) {
        Bitmap target = solid(3, 3, grey);
        Tinvitem entry;
        make_invitem(kind, index, 0, entry);
        const bool result = draw_thing(entry, frames, mode, world, target);
        if (drew) *drew = result;
        return target;
    }
    // Whether anything differs from colour in the part of b at or right of and below (20, 20),
    // and whether everything above or left of it is colour.
    static bool marked(const Bitmap& b, TColor colour) {
        bool changed = false;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) {
                const bool in = x >= 20 && y >= 20;
                if (!in) {
                    EXPECT_EQ(b.pixel(x, y), colour) << x << "," << y;
                }
                if (in && b.pixel(x, y) != colour) changed = true;
            }
        return changed;
    }
};

TEST_F(Thing, ItemIsCopiedAtItsFramesSizeWithoutKeys) {
    Bitmap picture = solid(40, 24, red);
    picture.set_pixel(0, 0, clWhite);
    picture.set_pixel(1, 0, light_shadow_key);
    item(0, 0, frame(picture));
    bool drew = false;
    const Bitmap b = drawn(1, 0, count_always, &drew);
    EXPECT_TRUE(drew);
    EXPECT_TRUE(b.image() == picture.image());
}

TEST_F(Thing, NothingToDrawLeavesTheTarget) {
    item(0, 0, -1);
    item(0, 0, 77);
    resource(0, 0, -1, frame(32, 32, red), 1);
    resource(0, 0, frame(32, 32, red), 77, 3);
    const std::pair<int, int> entries[] = {{1, -1}, {1, 0}, {1, 1}, {1, 2}, {2, -1}, {2, 0},
                                           {2, 1},  {2, 4}, {0, 0}, {3, 0}, {-1, 0}};
    for (const auto& [kind, i] : entries) {
        bool drew = true;
        const Bitmap b = drawn(kind, i, count_always, &drew);
        EXPECT_FALSE(drew) << kind << "/" << i;
        EXPECT_EQ(b.width(), 3);
        EXPECT_TRUE(all_pixels(b, grey)) << kind << "/" << i;
    }
}

TEST_F(Thing, StacksShowTheirManyPiecesPicture) {
    const int one = frame(32, 32, red);
    const int many = frame(40, 40, blue);
    for (int amount : {5, 2, 1, 0, -3}) {
        world.resources.clear();
        resource(0, 0, one, many, amount);
        const Bitmap b = drawn(2, 0, count_never);
        EXPECT_EQ(b.width(), amount >= 2 ? 40 : 32) << amount;
        EXPECT_TRUE(all_pixels(b, amount >= 2 ? blue : red)) << amount;
    }
}

TEST_F(Thing, AmountIsWrittenAtTwentyTwentyByMode) {
    const int picture = frame(48, 48, red);
    struct Case {
        int32_t kind, amount;
        uint8_t mode;
        bool written;
    };
    const Case cases[] = {{7, 5, count_never, false},  {7, 5, count_above_one, true}, {7, 1, count_above_one, false},
                          {7, 5, count_always, true},  {7, 1, count_always, true},    {0, 0, count_always, true},
                          {7, 5, 3, false},            {8, 5, count_always, false},   {9, 5, count_always, false},
                          {13, 5, count_always, false}, {12, 5, count_always, true}};
    for (const Case& c : cases) {
        world.resources.clear();
        resource(0, 0, picture, picture, c.amount, c.kind);
        const Bitmap b = drawn(2, 0, c.mode);
        EXPECT_EQ(marked(b, red), c.written) << "kind " << c.kind << " amount " << c.amount << " mode "
                                             << int(c.mode);
    }
    // What is written is the amount, in the target canvas's text output.
    world.resources.clear();
    resource(0, 0, picture, picture, 17);
    Bitmap expected = solid(48, 48, red);
    expected.canvas().text_out(20, 20, "17");
    EXPECT_TRUE(drawn(2, 0, count_always).image() == expected.image());
}

// An amount too long for the room right of x 20 in a 32-pixel picture shows
// every digit, ending at the picture's right edge.
TEST_F(Thing, ALongAmountIsNotCutOff) {
    const int picture = frame(32, 32, red);
    for (int32_t amount : {10, 100, 1000}) {
        SCOPED_TRACE(amount);
        world.resources.clear();
        resource(0, 0, picture, picture, amount);
        const Bitmap b = drawn(2, 0, count_always);
        // The same text written with room to spare: the columns it covers.
        Bitmap wide = solid(200, 32, red);
        wide.canvas().text_out(100, 20, std::to_string(amount));
        int last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 32; ++y)
                if (wide.pixel(x, y) != red) last = std::max(last, x);
        const int width = last - 99;
        ASSERT_LE(width, 32);
        const int start = std::min(20, 32 - width);  // where the text starts in the picture
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(b.pixel(x, y), wide.pixel(x - start + 100, y)) << x << "," << y;
    }
}

TEST_F(Thing, VialShowsItsFillingUnderItsGlass) {
    const int empty_glass = frame(32, 32, grey);
    // The glass: colour 1 lets the liquid through, the shadow keys darken it,
    // white is glass like any other colour here.
    const int glass = frame(quarters(32, vial_transparent, light_shadow_key, clWhite, yellow));
    const int liquid = frame(32, 32, grass);
    Tpres water;
    water.image_one = liquid;
    world.presources = {Tpres{}, water};

    struct Case {
        int32_t row, amount;
        bool filled;
    };
    for (const Case& c : std::initializer_list<Case>{{-1, 3, false}, {1, 0, false}, {2, 3, false}, {1, 3, true}}) {
        world.resources.clear();
        Tpres& vial = resource(0, 0, empty_glass, glass, 1, 13);
        make_invitem(2, c.row, c.amount, vial.filling);
        bool drew = false;
        const Bitmap b = drawn(2, 0, count_always, &drew);
        EXPECT_TRUE(drew);
        if (!c.filled) {
            EXPECT_TRUE(all_pixels(b, grey)) << c.row << "/" << c.amount;
            continue;
        }
        EXPECT_EQ(b.pixel(4, 4), grass);
        EXPECT_EQ(b.pixel(20, 4), make_color(0, 80, 10));
        EXPECT_EQ(b.pixel(4, 20), clWhite);
        EXPECT_EQ(b.pixel(20, 20), yellow);
    }
    // The glass lies over the liquid as draw_frame draws it with colour 1 transparent.
    world.resources.clear();
    const int mixed_glass = frame(mixed(40, 36, 5));
    world.presources[1].image_one = frame(mixed(40, 36, 6));
    make_invitem(2, 1, 3, resource(0, 0, empty_glass, mixed_glass, 1, 13).filling);
    Bitmap expected = frames[world.presources[1].image_one];
    draw_frame(light_shadow_key, dark_shadow_key, vial_transparent, 0, 0, expected, frames[mixed_glass]);
    EXPECT_TRUE(drawn(2, 0, count_always).image() == expected.image());

    // A filling amount below 0 draws nothing; so does a liquid that names no picture.
    world.resources.clear();
    make_invitem(2, 1, -2, resource(0, 0, empty_glass, glass, 1, 13).filling);
    world.presources.push_back(Tpres{});
    world.presources.back().image_one = -1;
    make_invitem(2, 2, 2, resource(0, 0, empty_glass, glass, 1, 13).filling);
    for (int i : {0, 1}) {
        bool drew = true;
        EXPECT_TRUE(all_pixels(drawn(2, i, count_always, &drew), grey));
        EXPECT_FALSE(drew);
    }
}

// ---- robustness ----

// A random world of things of every kind, many on the rendered map, some held,
// hidden, floating or placed off the map, with frames of several sizes.
void random_world(TWorld& world, tiarray& frames, std::mt19937& rng) {
    world = TWorld{};
    frames.clear();
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int sizes[][2] = {{32, 32}, {64, 64}, {32, 64}, {16, 48}};
    for (int f = 0; f < 24; ++f) {
        const auto& s = sizes[f % 4];
        Bitmap b(s[0], s[1]);
        for (int y = 0; y < s[1]; ++y)
            for (int x = 0; x < s[0]; ++x)
                b.set_pixel(x, y, (x + y + f) % 7 == 0 ? clWhite : make_color(f * 10, x * 4, y * 4));
        frames.push_back(b);
    }
    for (int t = 0; t < 3; ++t) {
        Tterrain terrain;
        terrain.frame_count = static_cast<uint16_t>(1 << t);
        for (int k = 0; k < (1 << t); ++k) terrain.frames.push_back(pick(24));
        world.terrains.push_back(terrain);
    }
    for (int m = 0; m < 3; ++m) {
        Tmap map;
        map.width = 40;
        map.height = 50;
        map.cells.assign(40, tintarray(50, 0));
        for (auto column : map.cells)
            for (auto& c : column) c = pick(4);  // terrain 3 does not exist
        world.maps.push_back(map);
    }
    auto place = [&] {
        Tplace p;
        make_place(pick(4) - 1, pick(44) - 2, pick(54) - 2, p);
        return p;
    };
    auto holder = [&] { return pick(5) == 0 ? 0 : -1; };
    for (int i = 0; i < 1000; ++i) {
        Tpitem it;
        it.place = place();
        it.image = pick(26) - 1;
        it.holder_object = holder();
        it.holder_npc = holder();
        world.items.push_back(it);

        Tpres r;
        r.place = place();
        r.kind = pick(3) == 0 ? 13 : pick(15);
        r.amount = pick(5);
        r.image_one = pick(25) - 1;
        r.image_many = pick(25) - 1;
        r.holder_object = holder();
        r.holder_npc = holder();
        r.holder_item = holder();
        r.holder_resource = holder();
        make_invitem(2, pick(4) - 1, pick(5) - 1, r.filling);
        world.resources.push_back(r);
        if (i < 3) world.presources.push_back(r);

        Tchar c;
        c.place = place();
        c.figure = pick(25) - 1;
        world.npcs.push_back(c);

        Tmapobject o;
        o.place = place();
        o.frame_count = 1 << pick(4);
        for (int k = 0; k < o.frame_count; ++k) o.frames.push_back(pick(25) - 1);
        o.floating = pick(3) == 0;
        o.visible = pick(3) != 0;
        world.mapobjects.push_back(o);
    }
}

// Pictures, terrains and holders that name nothing, things off every map and
// windows past the map's edges: every render keeps within its lists (the
// sanitizers watch) and gives the window's size.
TEST(RenderRandomWorlds, StayWithinEveryList) {
    std::mt19937 rng(12345);
    TWorld world;
    tiarray frames;
    for (int round = 0; round < 4; ++round) {
        random_world(world, frames, rng);
        for (int window = 0; window < 40; ++window) {
            Tplace top_left;
            make_place(static_cast<int>(rng() % 4) - 1, static_cast<int>(rng() % 44) - 4,
                       static_cast<int>(rng() % 54) - 4, top_left);
            const int columns = 1 + static_cast<int>(rng() % 20), rows = 1 + static_cast<int>(rng() % 20);
            Bitmap target;
            draw_map_view(world, frames, top_left, columns, rows, static_cast<int>(rng() % 10) - 1, rng() % 2 == 0,
                          target);
            ASSERT_EQ(target.width(), columns * 32);
            ASSERT_EQ(target.height(), rows * 32);
        }
    }
}

}  // namespace
