// The placed index against full scans: after every kind of create, move and
// delete it finds what a scan of every placed list finds, no routine leaves it
// to be repaired, and the map view drawn through it is, pixel for pixel, the
// one a scan of every list draws.
#include "model/placed_index.h"
#include "model/render.h"
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// ---- the reference: the map view as one scan of every placed list draws it ----

bool in_window(const Tplace& p, const Tplace& tl, int columns, int rows) {
    return p.map == tl.map && p.x >= int64_t{tl.x} && p.x < int64_t{tl.x} + columns && p.y >= int64_t{tl.y} &&
           p.y < int64_t{tl.y} + rows;
}

void draw_on_cell(Bitmap& target, const Tplace& tl, const Tplace& p, const Bitmap& picture) {
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, (p.x - tl.x) * 32 + 32 - picture.width(),
               (p.y - tl.y) * 32 + 32 - picture.height(), target, picture);
}

Bitmap scanned_view(const TWorld& world, const tiarray& frames, const Tplace& tl, int columns, int rows,
                    int frame_number, bool show_hidden) {
    // The terrain as the renderer draws it, from a world with nothing placed.
    TWorld ground;
    ground.terrains = world.terrains;
    ground.maps = world.maps;
    Bitmap target;
    draw_map_view(ground, frames, tl, columns, rows, frame_number, show_hidden, target);
    if (tl.map < 0 || tl.map >= static_cast<int64_t>(world.maps.size())) return target;

    for (const Tpitem& it : world.items)
        if (in_window(it.place, tl, columns, rows) && it.holder_object < 0 && it.holder_npc < 0)
            if (const Bitmap* b = tile_frame(frames, it.image)) draw_on_cell(target, tl, it.place, *b);
    Bitmap holder;
    for (std::size_t i = 0; i < world.resources.size(); ++i) {
        const Tpres& r = world.resources[i];
        if (!in_window(r.place, tl, columns, rows) || r.holder_object >= 0 || r.holder_npc >= 0 ||
            r.holder_item >= 0 || r.holder_resource >= 0)
            continue;
        if (draw_thing({thing::resource, static_cast<int32_t>(i), r.amount}, frames, count_never, world, holder))
            draw_on_cell(target, tl, r.place, holder);
    }
    for (const Tchar& n : world.npcs)
        if (in_window(n.place, tl, columns, rows))
            if (const Bitmap* b = tile_frame(frames, n.figure)) draw_on_cell(target, tl, n.place, *b);
    std::vector<std::pair<int32_t, int32_t>> lists[2];
    for (std::size_t i = 0; i < world.mapobjects.size(); ++i) {
        const Tmapobject& o = world.mapobjects[i];
        if (in_window(o.place, tl, columns, rows) && (o.visible || show_hidden))
            lists[o.floating ? 1 : 0].emplace_back(o.place.y, static_cast<int32_t>(i));
    }
    for (auto& list : lists) {
        for (std::size_t p = 0; p < list.size(); ++p) {
            std::size_t least = p;
            for (std::size_t j = p + 1; j < list.size(); ++j)
                if (list[j].first < list[least].first) least = j;
            std::swap(list[p], list[least]);
        }
        for (const auto& [y, i] : list) {
            const Tmapobject& o = world.mapobjects[static_cast<std::size_t>(i)];
            const int c = o.frame_count;
            const std::size_t slot =
                frame_number >= 0 && frame_number <= 7 && (c == 2 || c == 4 || c == 8) ? frame_number % c : 0;
            if (slot < o.frames.size())
                if (const Bitmap* b = tile_frame(frames, o.frames[slot])) draw_on_cell(target, tl, o.place, *b);
        }
    }
    return target;
}

::testing::AssertionResult same_pixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.scan_line(y), b.scan_line(y), static_cast<std::size_t>(a.width()) * 3) != 0)
            return ::testing::AssertionFailure() << "pixel row " << y << " differs";
    return ::testing::AssertionSuccess();
}

// Frames in two sizes with both shadow keys and white in them, so that the
// order things are drawn in shows in the pixels.
tiarray test_frames() {
    tiarray frames;
    for (int f = 0; f < 30; ++f) {
        const int size = f % 5 == 4 ? 64 : 32;
        Bitmap b(size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                TColor c = make_color(f * 8, x * 4, y * 4);
                if ((x + y + f) % 7 == 0) c = map_transparent;
                if ((x * y + f) % 13 == 0) c = light_shadow_key;
                if ((x + 2 * y + f) % 17 == 0) c = dark_shadow_key;
                b.set_pixel(x, y, c);
            }
        frames.push_back(b);
    }
    return frames;
}

::testing::AssertionResult draws_as_scan(const TWorld& world, const tiarray& frames, const Tplace& tl, int columns,
                                         int rows, int frame_number = 0, bool show_hidden = true) {
    Bitmap indexed;
    draw_map_view(world, frames, tl, columns, rows, frame_number, show_hidden, indexed);
    return same_pixels(indexed, scanned_view(world, frames, tl, columns, rows, frame_number, show_hidden));
}

// ---- random operations on the small world ----

class Operations {
public:
    explicit Operations(uint32_t seed) : rng_(seed) {}

    int pick(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    // A cell of either map, now and then one off the map.
    Tplace cell(const TWorld& w) {
        const int m = pick(static_cast<int>(w.maps.size()));
        if (pick(12) == 0) return at(m, pick(9) - 2, pick(8) - 2);
        return at(m, pick(w.maps[m].width), pick(w.maps[m].height));
    }
    // An index into a list of n entries, now and then one outside it.
    int index(std::size_t n) { return pick(10) == 0 ? pick(3) - 1 + static_cast<int>(n) : pick(static_cast<int>(n)); }

    // Performs one operation; returns its name for the failure message.
    const char* step(TWorld& w) {
        switch (pick(15)) {
        case 0: create_item(pick(7), -1, -1, w, cell(w), slot::cell); return "create item on a cell";
        case 1: create_item(pick(7), index(w.npcs.size()), index(w.mapobjects.size()), w, no_place, 1 + pick(5));
            return "create item in a holder";
        case 2:
            create_resource(w, {.row = pick(7), .amount = 1 + pick(4), .place = cell(w)});
            return "create resource on a cell";
        case 3:
            create_resource(w, {.row = pick(7),
                                .amount = 1 + pick(4),
                                .npc = pick(2) ? index(w.npcs.size()) : -1,
                                .object = index(w.mapobjects.size()),
                                .link = pick(2) ? links::inventory : links::left_hand});
            return "create resource in a holder";
        case 4: place_object(pick(3), cell(w), w); return "place object";
        case 5: place_npc(pick(2), cell(w), Tcounter{}, w); return "place npc";
        case 6: {
            const bool to_cell = pick(2) == 0;
            move_item(index(w.items.size()), to_cell ? -1 : index(w.mapobjects.size()), -1,
                      to_cell ? slot::cell : slot::inventory, to_cell ? cell(w) : no_place, w);
            return "move item";
        }
        case 7: {
            const bool to_cell = pick(2) == 0;
            move_resource(index(w.resources.size()), pick(3), -1, to_cell ? -1 : index(w.npcs.size()),
                          to_cell ? links::cell : links::inventory, to_cell ? cell(w) : no_place, w);
            return "move resource";
        }
        case 8: detach_resource(index(w.resources.size()), pick(2), w); return "detach resource";
        case 9: change_amount(index(w.resources.size()), pick(5) - 3, w); return "change amount";
        case 10: delete_thing(1 + pick(2), index(pick(2) ? w.items.size() : w.resources.size()), w);
            return "delete thing";
        case 11: delete_mapobject(index(w.mapobjects.size()), w); return "delete object";
        case 12: delete_npc(index(w.npcs.size()), w); return "delete npc";
        case 13: {
            Tevent e = event(action::move_object, index(w.mapobjects.size()));
            e.place = cell(w);
            run_event(-1, Tcounter{}, e, w);
            return "move object event";
        }
        default: {
            // A trigger that moves an object, run on its own.
            if (w.mapobjects.empty()) return "nothing";
            Ttrigger t;
            t.kind = trigger_kind::button;
            t.active = true;
            t.target = index(w.mapobjects.size());
            Tevent e = event(action::move_object, -1);
            e.place = cell(w);
            t.events = {e};
            w.triggers.push_back(t);
            std::string message;
            run_trigger(static_cast<int32_t>(w.triggers.size()) - 1, w, message);
            delete_trigger(static_cast<int32_t>(w.triggers.size()) - 1, w);
            return "move object trigger";
        }
        }
    }

private:
    std::mt19937 rng_;
};

// Every create, move and delete keeps the index true without a repair: after
// each one it agrees with a full scan, the links hold, and the map view drawn
// through it matches the scan's pixel for pixel.
TEST(PlacedIndex, AgreesWithAFullScanAfterEveryOperation) {
    init_tables();
    const tiarray frames = test_frames();
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        TWorld w = small_world();
        for (Tmapobject& o : w.pmapobjects) o.frames = {static_cast<int32_t>(seed % 5)};
        for (Tchar& n : w.pnpcs) n.figure = 4 + static_cast<int32_t>(seed);
        Operations ops(seed);
        Bitmap first;
        draw_map_view(w, frames, at(0, 0, 0), 6, 5, 0, true, first);  // the index is built before the first step
        const int64_t repairs = placed_index_repairs();
        for (int step = 0; step < 150; ++step) {
            const char* what = ops.step(w);
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " step " << step << ": " << what);
            ASSERT_TRUE(placed_index_agrees(w));
            ASSERT_TRUE(links_hold(w));
            if (step % 3 == 0) {
                const int m = ops.pick(2);
                const Tplace tl = at(m, ops.pick(5) - 2, ops.pick(5) - 2);
                ASSERT_TRUE(draws_as_scan(w, frames, tl, 2 + ops.pick(6), 2 + ops.pick(6), ops.pick(8)));
            }
            ASSERT_EQ(placed_index_repairs(), repairs);
        }
    }
}

// The world of the renderer's own random tests: pictures and holders naming
// nothing, things off every map and at negative cells, 64-pixel frames.
void random_world(TWorld& world, std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    world = TWorld();
    for (int t = 0; t < 3; ++t) {
        Tterrain terrain;
        terrain.frame_count = static_cast<uint16_t>(1 << t);
        for (int k = 0; k < (1 << t); ++k) terrain.frames.push_back(pick(30));
        world.terrains.push_back(terrain);
    }
    for (int m = 0; m < 3; ++m) {
        Tmap map;
        map.width = 20;
        map.height = 24;
        map.cells.assign(20, tintarray(24, 0));
        for (auto column : map.cells)
            for (auto& c : column) c = pick(4);
        world.maps.push_back(map);
    }
    auto place = [&] { return at(pick(4) - 1, pick(24) - 2, pick(28) - 2); };
    auto holder = [&] { return pick(5) == 0 ? 0 : -1; };
    for (int i = 0; i < 600; ++i) {
        Tpitem it;
        it.place = place();
        it.image = pick(31) - 1;
        it.holder_object = holder();
        it.holder_npc = holder();
        world.items.push_back(it);
        Tpres r;
        r.place = place();
        r.kind = pick(3) == 0 ? resource_kind::vial : pick(15);
        r.amount = pick(5);
        r.image_one = pick(31) - 1;
        r.image_many = pick(31) - 1;
        r.holder_object = holder();
        r.holder_npc = holder();
        r.holder_item = holder();
        r.holder_resource = holder();
        make_invitem(thing::resource, pick(4) - 1, pick(5) - 1, r.filling);
        world.resources.push_back(r);
        if (i < 3) world.presources.push_back(r);
        Tchar c;
        c.place = place();
        c.figure = pick(31) - 1;
        world.npcs.push_back(c);
        Tmapobject o;
        o.place = place();
        o.frame_count = 1 << pick(4);
        for (int k = 0; k < o.frame_count; ++k) o.frames.push_back(pick(31) - 1);
        o.floating = pick(3) == 0;
        o.visible = pick(3) != 0;
        world.mapobjects.push_back(o);
    }
}

// Crowded cells, equal rows among objects, hidden ones, held things, cells
// off the map's edges and windows of every size, one as tall as many maps:
// every render is the scan's, pixel for pixel.
TEST(PlacedIndex, MapViewIsTheFullScansPixelForPixel) {
    init_tables();
    const tiarray frames = test_frames();
    std::mt19937 rng(4711);
    TWorld world;
    for (int round = 0; round < 3; ++round) {
        random_world(world, rng);
        for (int window = 0; window < 30; ++window) {
            const Tplace tl = at(static_cast<int>(rng() % 4) - 1, static_cast<int>(rng() % 26) - 4,
                                 static_cast<int>(rng() % 30) - 4);
            const int columns = 1 + static_cast<int>(rng() % 12), rows = 1 + static_cast<int>(rng() % 12);
            SCOPED_TRACE(::testing::Message() << "round " << round << " window " << window);
            ASSERT_TRUE(draws_as_scan(world, frames, tl, columns, rows, static_cast<int>(rng() % 10) - 1,
                                      rng() % 2 == 0));
        }
        // Taller than all the rows the index holds: it looks at each row once.
        ASSERT_TRUE(draws_as_scan(world, frames, at(1, -2, -100), 3, 300));
    }
}

// What the designer's pages and a file may do to the lists without a model
// routine: the index finds out when it is read and the picture stays true.
TEST(PlacedIndex, ChangesItWasNotToldOfCostARebuildNotAWrongPicture) {
    init_tables();
    const tiarray frames = test_frames();
    std::mt19937 rng(99);
    TWorld world;
    random_world(world, rng);
    const Tplace tl = at(0, 0, 0);
    ASSERT_TRUE(draws_as_scan(world, frames, tl, 10, 10));

    // Moved out of the window, deleted from the end, appended, the list replaced.
    for (Tmapobject& o : world.mapobjects)
        if (o.place.map == 0 && o.place.x < 10 && o.place.y < 10) o.place.map = 2;
    EXPECT_TRUE(draws_as_scan(world, frames, tl, 10, 10));
    world.items.resize(world.items.size() / 2);
    EXPECT_TRUE(draws_as_scan(world, frames, tl, 10, 10));
    world.npcs.push_back(world.npcs.front());
    world.npcs.back().place = at(0, 3, 3);
    EXPECT_TRUE(draws_as_scan(world, frames, tl, 10, 10));
    std::vector<Tpres> replaced(world.resources.rbegin(), world.resources.rend());
    world.resources = std::move(replaced);
    EXPECT_TRUE(draws_as_scan(world, frames, tl, 10, 10));
    EXPECT_TRUE(placed_index_agrees(world));

    // A reset, then as many things as before somewhere else.
    const std::size_t n = world.mapobjects.size();
    reset_world(world);
    world.maps.resize(1);
    world.maps[0].width = world.maps[0].height = 4;
    Tmapobject o;
    o.visible = true;
    o.frame_count = 1;
    o.frames = {2};
    for (std::size_t i = 0; i < n; ++i) {
        o.place = at(0, static_cast<int32_t>(i % 4), static_cast<int32_t>(i / 4 % 4));
        world.mapobjects.push_back(o);
    }
    EXPECT_TRUE(draws_as_scan(world, frames, tl, 4, 4));
    EXPECT_TRUE(placed_index_agrees(world));
}

// The index is no part of the world's data: a world with it built equals one
// without, and a copy starts with its own, built at its first use.
TEST(PlacedIndex, IsNotPartOfTheWorldsData) {
    init_tables();
    const tiarray frames = test_frames();
    std::mt19937 rng(5);
    TWorld world;
    random_world(world, rng);
    const TWorld before = world;
    ASSERT_TRUE(draws_as_scan(world, frames, at(0, 0, 0), 8, 8));
    EXPECT_EQ(world, before);

    TWorld copy = world;
    for (Tmapobject& o : copy.mapobjects) o.place.x += 1;
    EXPECT_TRUE(draws_as_scan(copy, frames, at(0, 0, 0), 8, 8));
    EXPECT_TRUE(draws_as_scan(world, frames, at(0, 0, 0), 8, 8));
    world = copy;
    EXPECT_TRUE(draws_as_scan(world, frames, at(0, 0, 0), 8, 8));
    EXPECT_TRUE(placed_index_agrees(world));
    TWorld moved = std::move(copy);
    EXPECT_TRUE(placed_index_agrees(moved));
}

}  // namespace
