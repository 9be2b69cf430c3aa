// The map editor's rules: moving placed objects and NPCs onto a cell, and
// painting and placing from the palettes.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Terrain rows beside the small world's grass (kind 3) and water (kind 9).
constexpr int deep_water_row = 2, void_row = 3, missing_row = 4;

TWorld world_with_every_terrain() {
    TWorld w = small_world();
    w.terrains.push_back({400, 1, terrain::deep_water, {2}});
    w.terrains.push_back({400, 1, terrain::void_, {3}});
    return w;
}

void set_terrain(TWorld& w, const Tplace& p, int32_t t) { w.maps[p.map].cells[p.x][p.y] = t; }

TEST(TerrainKindAt, NoTerrainAndNoCellCountAsVoid) {
    TWorld w = world_with_every_terrain();
    set_terrain(w, at(0, 1, 1), row::water);
    set_terrain(w, at(0, 2, 1), deep_water_row);
    set_terrain(w, at(0, 3, 1), missing_row);  // as in a map made before that terrain
    set_terrain(w, at(0, 4, 1), -1);
    EXPECT_EQ(terrain_kind_at(at(0, 0, 0), w), 3);
    EXPECT_EQ(terrain_kind_at(at(0, 1, 1), w), terrain::water);
    EXPECT_EQ(terrain_kind_at(at(0, 2, 1), w), terrain::deep_water);
    for (const Tplace& p : {at(0, 3, 1), at(0, 4, 1), at(0, 6, 0), at(0, 0, -1), at(2, 0, 0), at(-1, 0, 0)})
        EXPECT_EQ(terrain_kind_at(p, w), terrain::void_) << p.map << " " << p.x << " " << p.y;
    // A cell matrix shorter than the map's sides, as a file may hold.
    w.maps[1].cells.assign(2, tintarray(1, row::grass));
    EXPECT_EQ(terrain_kind_at(at(1, 3, 0), w), terrain::void_);
    EXPECT_EQ(terrain_kind_at(at(1, 1, 2), w), terrain::void_);
    EXPECT_EQ(terrain_kind_at(at(1, 1, 0), w), 3);
}

TEST(MapMoveObject, OntoAnyObjectAndTerrainButNoNpc) {
    TWorld w = small_world();
    place_object(row::chest, at(0, 1, 1), w);
    place_object(row::door, at(0, 3, 3), w);
    ASSERT_EQ(place_npc(row::rat, at(0, 4, 4), Tcounter{}, w), 0);
    set_terrain(w, at(0, 3, 3), row::water);
    ASSERT_TRUE(placed_index_agrees(w));

    TWorld before = w;
    CellMove r = map_move_object(0, at(0, 4, 4), w);
    EXPECT_FALSE(r.moved);
    EXPECT_TRUE(r.ends);
    EXPECT_EQ(r.refusal, "Cell is not empty");
    EXPECT_TRUE(w == before);
    // The NPC is asked before the index.
    EXPECT_EQ(map_move_object(9, at(0, 4, 4), w).refusal, "Cell is not empty");

    r = map_move_object(0, at(0, 3, 3), w);
    EXPECT_TRUE(r.moved);
    EXPECT_TRUE(r.ends);
    EXPECT_EQ(r.refusal, "");
    EXPECT_EQ(w.mapobjects[0].place, at(0, 3, 3));
    EXPECT_EQ(object_at(at(0, 1, 1), find_object::any, w), -1);
    EXPECT_TRUE(placed_index_agrees(w));

    before = w;
    for (int32_t gone : {2, -1}) {
        r = map_move_object(gone, at(0, 5, 0), w);
        EXPECT_FALSE(r.moved);
        EXPECT_TRUE(r.ends);
        EXPECT_EQ(r.refusal, "Object not exists");
    }
    r = map_move_object(0, at(0, 6, 0), w);  // no cell: nothing decided
    EXPECT_FALSE(r.moved);
    EXPECT_FALSE(r.ends);
    EXPECT_EQ(r.refusal, "");
    EXPECT_TRUE(w == before);
}

TEST(MapMoveNpc, AnyObjectOrNpcKeepsTheMoveArmed) {
    TWorld w = world_with_every_terrain();
    place_object(row::flowers, at(0, 1, 1), w);  // floats and lets things pass
    ASSERT_EQ(place_npc(row::rat, at(0, 2, 2), Tcounter{}, w), 0);
    ASSERT_EQ(place_npc(row::rat, at(0, 3, 3), Tcounter{}, w), 1);
    set_terrain(w, at(0, 5, 4), deep_water_row);

    TWorld before = w;
    for (const Tplace& p : {at(0, 1, 1), at(0, 2, 2), at(0, 3, 3)}) {
        const CellMove r = map_move_npc(1, p, w);
        EXPECT_FALSE(r.moved);
        EXPECT_FALSE(r.ends);
        EXPECT_EQ(r.refusal, "Cell is not empty");
    }
    // The cell is asked before the index.
    EXPECT_EQ(map_move_npc(7, at(0, 2, 2), w).refusal, "Cell is not empty");
    EXPECT_TRUE(w == before);

    const CellMove r = map_move_npc(1, at(0, 5, 4), w);  // the terrain is not asked
    EXPECT_TRUE(r.moved);
    EXPECT_TRUE(r.ends);
    EXPECT_EQ(r.refusal, "");
    EXPECT_EQ(w.npcs[1].place, at(0, 5, 4));
    EXPECT_EQ(npc_at(at(0, 3, 3), w), -1);
    EXPECT_TRUE(placed_index_agrees(w));

    before = w;
    for (int32_t gone : {2, -1}) {
        const CellMove g = map_move_npc(gone, at(0, 0, 0), w);
        EXPECT_FALSE(g.moved);
        EXPECT_TRUE(g.ends);
        EXPECT_EQ(g.refusal, "NPC not exists");
    }
    EXPECT_FALSE(map_move_npc(0, at(1, 4, 0), w).ends);  // no cell: nothing decided
    EXPECT_TRUE(w == before);
}

TEST(MapPaintTerrain, PaintsUnderAnythingWhileTheRowAndCellExist) {
    TWorld w = world_with_every_terrain();
    place_object(row::chest, at(0, 1, 1), w);
    ASSERT_EQ(place_npc(row::rat, at(0, 1, 2), Tcounter{}, w), 0);
    EXPECT_TRUE(map_paint_terrain(void_row, at(0, 1, 1), w));
    EXPECT_TRUE(map_paint_terrain(row::water, at(0, 1, 2), w));
    EXPECT_EQ(w.maps[0].cells[1][1], void_row);
    EXPECT_EQ(w.maps[0].cells[1][2], row::water);

    w.maps[1].cells.assign(3, tintarray(3, row::grass));  // a matrix short of the map's width
    const TWorld before = w;
    EXPECT_FALSE(map_paint_terrain(missing_row, at(0, 0, 0), w));
    EXPECT_FALSE(map_paint_terrain(-1, at(0, 0, 0), w));
    EXPECT_FALSE(map_paint_terrain(row::water, at(0, 0, 5), w));
    EXPECT_FALSE(map_paint_terrain(row::water, at(1, 3, 0), w));
    EXPECT_TRUE(w == before);
}

// What the objects and NPC palettes place, by template, terrain and what
// already stands on the cell.
TEST(MapPlace, ObjectsAndNpcsFollowTheTerrainAndWhatStandsThere) {
    enum Palette { objects, npcs };
    struct Case {
        const char* what;
        Palette palette;
        int32_t row;
        int32_t terrain;
        std::function<void(TWorld&)> before;  // what already stands on cell (2, 2)
        bool goes_ahead;
        std::size_t objects, npcs;  // in the world afterwards
    };
    const auto none = [](TWorld&) {};
    const auto chest = [](TWorld& w) { place_object(row::chest, at(0, 2, 2), w); };
    const auto flowers = [](TWorld& w) { place_object(row::flowers, at(0, 2, 2), w); };
    const auto rat = [](TWorld& w) { place_npc(row::rat, at(0, 2, 2), Tcounter{}, w); };
    const Case cases[] = {
        {"sinking object on grass", objects, row::chest, row::grass, none, true, 1, 0},
        {"sinking object on water", objects, row::chest, row::water, none, false, 0, 0},
        {"sinking object on deep water", objects, row::door, deep_water_row, none, false, 0, 0},
        {"sinking object on void", objects, row::chest, void_row, none, false, 0, 0},
        {"sinking object on a terrain that is gone", objects, row::chest, missing_row, none, false, 0, 0},
        {"floating object on water", objects, row::flowers, row::water, none, true, 1, 0},
        {"floating object on void", objects, row::flowers, void_row, none, true, 1, 0},
        {"object beside an object", objects, row::chest, row::grass, chest, true, 2, 0},
        // The rule lets it go ahead; place_object adds nothing under an NPC.
        {"object where an NPC stands", objects, row::flowers, row::grass, rat, true, 0, 1},
        {"object row that is gone", objects, 3, row::grass, none, false, 0, 0},
        {"no object row", objects, -1, row::grass, none, false, 0, 0},
        {"NPC on grass", npcs, row::guard, row::grass, none, true, 0, 1},
        {"NPC on water", npcs, row::rat, row::water, none, false, 0, 0},
        {"NPC on deep water", npcs, row::rat, deep_water_row, none, false, 0, 0},
        {"NPC on void", npcs, row::rat, void_row, none, false, 0, 0},
        {"NPC on a terrain that is gone", npcs, row::rat, missing_row, none, false, 0, 0},
        {"NPC on an object that lets things pass", npcs, row::rat, row::grass, flowers, false, 1, 0},
        {"NPC on a blocking object", npcs, row::rat, row::grass, chest, false, 1, 0},
        {"NPC beside an NPC", npcs, row::rat, row::grass, rat, false, 0, 1},
        // place_npc refuses a row it has no template for.
        {"NPC row that is gone", npcs, 2, row::grass, none, true, 0, 0},
        {"no NPC row", npcs, -1, row::grass, none, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TWorld w = world_with_every_terrain();
        set_terrain(w, at(0, 2, 2), c.terrain);
        c.before(w);
        const TWorld before = w;
        const bool went =
            c.palette == objects ? map_place_object(c.row, at(0, 2, 2), w) : map_place_npc(c.row, at(0, 2, 2), w);
        EXPECT_EQ(went, c.goes_ahead);
        EXPECT_EQ(w.mapobjects.size(), c.objects);
        EXPECT_EQ(w.npcs.size(), c.npcs);
        if (w.mapobjects.size() == before.mapobjects.size() && w.npcs.size() == before.npcs.size()) {
            EXPECT_TRUE(w == before);  // nothing placed, nothing changed
        } else if (c.palette == objects) {
            EXPECT_EQ(w.mapobjects.back().row, c.row);
            EXPECT_EQ(w.mapobjects.back().place, at(0, 2, 2));
        } else {
            EXPECT_EQ(w.npcs.back().place, at(0, 2, 2));
            EXPECT_EQ(w.npcs.back().spawn_counter, Tcounter{});
            EXPECT_TRUE(links_hold(w));
        }
    }
    // Off the map nothing goes ahead.
    TWorld w = small_world();
    EXPECT_FALSE(map_place_object(row::chest, at(0, 6, 0), w));
    EXPECT_FALSE(map_place_npc(row::rat, at(2, 0, 0), w));
    EXPECT_TRUE(w.mapobjects.empty());
    EXPECT_TRUE(w.npcs.empty());
}

TEST(MapPlace, ItemsAndResourcesLieLooseOnTheCell) {
    TWorld w = small_world();
    place_object(row::flowers, at(0, 1, 1), w);
    ASSERT_EQ(place_npc(row::rat, at(0, 1, 1), Tcounter{}, w), 0);
    // Whatever stands there, and whatever the terrain.
    set_terrain(w, at(0, 1, 1), row::water);
    EXPECT_TRUE(map_place_item(row::revolver, at(0, 1, 1), w));
    ASSERT_EQ(w.items.size(), 1u);
    const Tpitem& revolver = w.items[0];
    EXPECT_EQ(revolver.place, at(0, 1, 1));
    EXPECT_EQ(revolver.slot, slot::cell);
    EXPECT_EQ(revolver.holder_npc, -1);
    EXPECT_EQ(revolver.holder_object, -1);
    EXPECT_TRUE(w.npcs[0].inventory.empty());
    EXPECT_TRUE(w.mapobjects[0].contents.empty());

    ASSERT_TRUE(map_takes_resource(row::gold, at(0, 1, 1), w));
    const std::size_t resources = w.resources.size();  // the revolver's bullets
    map_place_resource(row::gold, 25, at(0, 1, 1), w);
    ASSERT_EQ(w.resources.size(), resources + 1);
    const Tpres& gold = w.resources.back();
    EXPECT_EQ(gold.row, row::gold);
    EXPECT_EQ(gold.amount, 25);
    EXPECT_EQ(gold.place, at(0, 1, 1));
    EXPECT_EQ(gold.link, links::cell);
    EXPECT_EQ(gold.holder_npc, -1);
    EXPECT_EQ(gold.holder_object, -1);
    EXPECT_TRUE(links_hold(w));

    // Refused by the rules: no amount is asked, nothing is made.
    const TWorld before = w;
    EXPECT_FALSE(map_place_item(-1, at(0, 2, 2), w));
    EXPECT_FALSE(map_place_item(row::sword, at(0, -1, 2), w));
    EXPECT_FALSE(map_takes_resource(7, at(0, 2, 2), w));
    EXPECT_FALSE(map_takes_resource(-1, at(0, 2, 2), w));
    EXPECT_FALSE(map_takes_resource(row::gold, at(1, 4, 0), w));
    // Going ahead, where the creating routines refuse under their own rules.
    EXPECT_TRUE(map_place_item(6, at(0, 2, 2), w));
    map_place_resource(row::water_res, 3, at(0, 2, 2), w);  // a liquid never lies alone
    map_place_resource(row::gold, 3, at(0, 6, 0), w);
    EXPECT_TRUE(w == before);
}

}  // namespace
