// Cell lookups, placing objects and NPCs, deleting NPCs and random cells.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <set>

namespace {

TEST(Cells, ObjectAtSkipsFloatingPassingObjectsInModeZeroOnly) {
    TWorld w = small_world();
    place_object(row::flowers, at(0, 2, 2), w);
    place_object(row::door, at(0, 2, 2), w);
    EXPECT_EQ(object_at(at(0, 2, 2), 0, w), 1);
    EXPECT_EQ(object_at(at(0, 2, 2), 2, w), 0);
    EXPECT_EQ(object_at(at(0, 2, 3), 2, w), -1);
    EXPECT_EQ(object_at(at(1, 2, 2), 2, w), -1);
    // Only the door blocks: an NPC may stand among flowers.
    w.mapobjects[1].place = at(0, 4, 4);
    EXPECT_TRUE(cell_free(at(0, 2, 2), w));
    EXPECT_FALSE(cell_free(at(0, 4, 4), w));
    EXPECT_FALSE(cell_free(at(0, -1, 0), w));
}

TEST(Cells, ThingsAtListsEverythingWhosePlaceIsTheCell) {
    TWorld w = small_world();
    ASSERT_EQ(place_npc(row::rat, at(0, 1, 1), Tcounter{}, w), 0);
    create_item(row::sword, -1, -1, w, at(0, 1, 1), 0);
    // Held by the NPC standing there.
    create_resource(w, {.row = row::gold, .amount = 4, .npc = 0, .link = links::inventory});
    create_item(row::hat, 0, -1, w, no_place, slot::head);
    create_item(row::sword, -1, -1, w, at(0, 2, 1), 0);
    Tinvitems found;
    things_at(0, at(0, 1, 1), w, found);
    EXPECT_EQ(found, (Tinvitems{{1, 0, 1}, {1, 1, 1}, {2, 0, 1}}));
    things_at(1, at(0, 1, 1), w, found);
    EXPECT_EQ(found, (Tinvitems{{1, 0, 1}, {1, 1, 1}}));
    things_at(2, at(0, 1, 1), w, found);
    EXPECT_EQ(found, (Tinvitems{{2, 0, 1}}));
    for (const Tplace& p : {at(0, -1, 1), at(0, 1, -1), at(-1, 1, 1), at(0, 6, 1), at(0, 1, 5)}) {
        found = {{1, 1, 1}};
        things_at(0, p, w, found);
        EXPECT_TRUE(found.empty());
    }
    EXPECT_EQ(npc_at(at(0, 1, 1), w), 0);
    EXPECT_EQ(npc_at(at(0, 1, 2), w), -1);
}

TEST(Cells, AnyOfRowSkipsEntriesThatNameNoResource) {
    TWorld w = small_world();
    EXPECT_FALSE(any_of_row(row::bullet, {0}, w));  // no placed resources
    create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0);
    tintarray chambers = {-1, 99, -1, 3};
    EXPECT_TRUE(any_of_row(row::bullet, chambers, w));
    EXPECT_FALSE(any_of_row(row::clip, chambers, w));
    EXPECT_FALSE(any_of_row(row::bullet, {-1, 6, -7}, w));
    EXPECT_FALSE(any_of_row(7, {0}, w));
    EXPECT_FALSE(any_of_row(-1, {0}, w));
}

TEST(PlaceObject, AddsBesideObjectsButNeverUnderAnNpcOrOffTheMap) {
    TWorld w = small_world();
    place_object(row::chest, at(0, 1, 1), w);
    place_object(row::chest, at(0, 1, 1), w);
    ASSERT_EQ(w.mapobjects.size(), 2u);
    EXPECT_EQ(w.mapobjects[1].row, row::chest);
    EXPECT_EQ(w.mapobjects[1].place, at(0, 1, 1));
    ASSERT_EQ(place_npc(row::rat, at(0, 2, 2), Tcounter{}, w), 0);
    place_object(row::chest, at(0, 2, 2), w);
    place_object(row::chest, at(0, -1, 2), w);
    place_object(row::chest, at(3, 0, 0), w);
    place_object(3, at(0, 3, 3), w);
    place_object(-1, at(0, 3, 3), w);
    EXPECT_EQ(w.mapobjects.size(), 2u);
}

TEST(PlaceNpc, RefusesBlockedCellsAndBadRows) {
    TWorld w = small_world();
    place_object(row::chest, at(0, 1, 1), w);
    place_object(row::flowers, at(0, 2, 2), w);
    ASSERT_EQ(place_npc(row::rat, at(0, 3, 3), Tcounter{}, w), 0);
    EXPECT_EQ(place_npc(row::rat, at(0, 1, 1), Tcounter{}, w), -1);
    EXPECT_EQ(place_npc(row::rat, at(0, 3, 3), Tcounter{}, w), -1);
    EXPECT_EQ(place_npc(row::rat, at(0, 6, 0), Tcounter{}, w), -1);
    EXPECT_EQ(place_npc(row::rat, at(0, 0, -1), Tcounter{}, w), -1);
    EXPECT_EQ(place_npc(2, at(0, 0, 0), Tcounter{}, w), -1);
    EXPECT_EQ(place_npc(-1, at(0, 0, 0), Tcounter{}, w), -1);
    EXPECT_EQ(w.npcs.size(), 1u);
    EXPECT_EQ(place_npc(row::rat, at(0, 2, 2), Tcounter{}, w), 1);
}

TEST(PlaceNpc, CopiesTheTemplateWithItsPointsAndNewCopiesOfItsThings) {
    TWorld w = small_world();
    const Tchar tpl = w.pnpcs[row::guard];
    const int32_t n = place_npc(row::guard, at(0, 2, 3), Tcounter{7, 2}, w);
    ASSERT_EQ(n, 0);
    const Tchar& c = w.npcs[n];
    EXPECT_EQ(c.hp, 400);
    EXPECT_EQ(c.mp, 120);
    EXPECT_EQ(c.sp, 60);
    EXPECT_EQ(c.spawn_counter, (Tcounter{7, 2}));
    EXPECT_EQ(c.last_seen_enemy.map, -1);
    EXPECT_EQ(c.place, at(0, 2, 3));
    EXPECT_EQ(c.name, "guard");
    EXPECT_EQ(c.skills, tpl.skills);
    EXPECT_EQ(c.parts, tpl.parts);
    EXPECT_EQ(c.phys_attrs, tpl.phys_attrs);

    // Inventory: a sword, 5 gold, 3 wood, each a new placed thing held by the NPC.
    ASSERT_EQ(c.inventory.size(), 3u);
    EXPECT_EQ(w.items[c.inventory[0].index].row, row::sword);
    EXPECT_EQ(c.inventory[1], (Tinvitem{2, 0, 5}));
    EXPECT_EQ(w.resources[c.inventory[2].index].row, row::wood);
    EXPECT_EQ(w.items[c.head].row, row::helm);
    EXPECT_EQ(w.items[c.body].row, row::plate);
    EXPECT_EQ(c.left_hand.kind, 1);
    EXPECT_EQ(w.items[c.left_hand.index].row, row::sword);
    EXPECT_EQ(c.right_hand.kind, 2);
    EXPECT_EQ(c.right_hand.count, 7);
    EXPECT_EQ(w.resources[c.right_hand.index].amount, 7);
    EXPECT_EQ(w.items.size(), 4u);
    EXPECT_EQ(w.resources.size(), 3u);
    EXPECT_EQ(w.pnpcs[row::guard], tpl);
    EXPECT_TRUE(links_hold(w));
}

TEST(PlaceNpc, PointsSaturateInsteadOfOverflowing) {
    TWorld w = small_world();
    w.pnpcs[row::rat].CON = std::numeric_limits<int32_t>::max();
    w.pnpcs[row::rat].INT = std::numeric_limits<int32_t>::min();
    w.pnpcs[row::rat].DEX = 1000000000;
    ASSERT_EQ(place_npc(row::rat, at(0, 0, 0), Tcounter{}, w), 0);
    EXPECT_EQ(w.npcs[0].hp, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(w.npcs[0].mp, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(w.npcs[0].sp, std::numeric_limits<int32_t>::max());
}

TEST(DeleteNpc, DeletesEverythingItHoldsAndRepairsNpcReferences) {
    TWorld w = small_world();
    Tchar& tpl = w.pnpcs[row::guard];
    tpl.inventory = {{1, row::sword, 1}, {1, row::rifle, 1}, {2, row::gold, 5}, {2, row::wood, 1}, {1, row::hat, 1}};
    tpl.head = tpl.body = -1;
    tpl.right_hand = {2, -1, 0};
    ASSERT_EQ(place_npc(row::rat, at(0, 0, 0), Tcounter{}, w), 0);
    ASSERT_EQ(create_item(row::sword, 0, -1, w, no_place, slot::inventory), 0);
    ASSERT_EQ(place_npc(row::guard, at(0, 1, 0), Tcounter{}, w), 1);
    ASSERT_EQ(place_npc(row::rat, at(0, 2, 0), Tcounter{}, w), 2);
    ASSERT_EQ(create_item(row::rifle, 2, -1, w, no_place, slot::right_hand), 5);
    // Items: 0 the first rat's sword, 1..4 the guard's (1..3 inventory, 4 in a hand), 5 the last rat's rifle.
    ASSERT_EQ(w.items.size(), 6u);
    for (int x = 3; x < 6; ++x) place_object(row::chest, at(0, x, 4), w);
    const std::size_t resources_before = w.resources.size();
    w.triggers.resize(4);
    w.triggers[0].kind = 4;
    w.triggers[0].target = 1;
    w.triggers[1].kind = 4;
    w.triggers[1].target = 2;
    w.triggers[1].events = {Tevent{}, Tevent{}};
    w.triggers[1].events[0].action = 20;
    w.triggers[1].events[0].target = 2;
    w.triggers[1].events[1].action = 20;
    w.triggers[1].events[1].target = 1;
    w.triggers[2].kind = 3;  // a button watches an object, not an NPC
    w.triggers[2].target = 2;
    w.triggers[2].events = {Tevent{}};
    w.triggers[2].events[0].action = 17;  // respawn names a template
    w.triggers[2].events[0].target = 1;
    w.player.npc = 2;

    delete_npc(1, w);
    ASSERT_EQ(w.npcs.size(), 2u);
    EXPECT_EQ(w.items.size(), 2u);  // the guard's sword, rifle, hat, and hand sword went
    // The rifle's clip with three rounds, 5 gold and 1 wood went with the guard.
    EXPECT_EQ(w.resources.size(), resources_before - 6);
    EXPECT_EQ(w.triggers[0].target, -1);
    EXPECT_EQ(w.triggers[1].target, 1);
    EXPECT_EQ(w.triggers[1].events[0].target, 1);
    EXPECT_EQ(w.triggers[1].events[1].target, -1);
    EXPECT_EQ(w.triggers[2].target, 2);
    EXPECT_EQ(w.triggers[2].events[0].target, 1);
    EXPECT_EQ(w.player.npc, 1);
    EXPECT_EQ(w.items[1].holder_npc, 1);
    EXPECT_EQ(w.npcs[1].right_hand.index, 1);
    EXPECT_TRUE(links_hold(w));

    delete_npc(1, w);
    EXPECT_EQ(w.player.npc, -1);
    delete_npc(1, w);
    delete_npc(-1, w);
    EXPECT_EQ(w.npcs.size(), 1u);
    EXPECT_TRUE(links_hold(w));
}

// Worlds saved by earlier editors never renumbered holder fields: after an
// NPC was deleted there, the things of the NPCs behind it still name their old
// indexes. What an NPC's inventory and slots list decides what goes with it.
TEST(DeleteNpc, TheInventoryAndSlotsNotStaleHolderFieldsDecideWhatGoes) {
    TWorld w = small_world();
    ASSERT_EQ(place_npc(row::rat, at(0, 0, 0), Tcounter{}, w), 0);
    ASSERT_EQ(place_npc(row::guard, at(0, 1, 0), Tcounter{}, w), 1);
    // As an earlier editor left it: the rat deleted, the guard's things still name NPC 1.
    w.npcs.erase(w.npcs.begin());
    ASSERT_EQ(place_npc(row::rat, at(0, 2, 0), Tcounter{}, w), 1);
    const std::size_t items = w.items.size(), resources = w.resources.size();
    ASSERT_GT(items, 0u);
    ASSERT_GT(resources, 0u);

    delete_npc(1, w);  // the new rat, which holds nothing
    EXPECT_EQ(w.items.size(), items);
    EXPECT_EQ(w.resources.size(), resources);
    EXPECT_EQ(w.npcs[0].inventory.size(), 3u);

    delete_npc(0, w);  // the guard takes every thing it lists with it
    EXPECT_TRUE(w.items.empty());
    EXPECT_TRUE(w.resources.empty());
}

TEST(RandomPlace, NoCellWhenThereIsNone) {
    TWorld w = small_world();
    Tplace p = at(0, 0, 0);
    random_place(2, false, w, p);
    EXPECT_EQ(p, no_place);
    random_place(-1, true, w, p);
    EXPECT_EQ(p, no_place);
    w.maps[1].width = 0;
    random_place(1, false, w, p);
    EXPECT_EQ(p, no_place);
    // Every cell of the cave taken by an NPC.
    w.maps[1].width = 4;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) ASSERT_GE(place_npc(row::rat, at(1, x, y), Tcounter{}, w), 0);
    random_place(1, true, w, p);
    EXPECT_EQ(p, no_place);
    random_place(1, false, w, p);
    EXPECT_TRUE(is_cell(p, w));
    EXPECT_EQ(p.map, 1);
}

TEST(RandomPlace, EveryFreeCellEquallyLikelyAndNoReseedPerCall) {
    TWorld w = small_world();
    random_place_seed(12345);
    place_object(row::chest, at(1, 0, 0), w);
    place_object(row::flowers, at(1, 1, 0), w);  // not blocking
    place_npc(row::rat, at(1, 3, 2), Tcounter{}, w);
    std::map<std::pair<int, int>, int> seen;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        Tplace p;
        random_place(1, true, w, p);
        ASSERT_TRUE(cell_free(p, w));
        ++seen[{p.x, p.y}];
    }
    ASSERT_EQ(seen.size(), 10u);  // 12 cells less the chest and the NPC
    for (const auto& [cell, n] : seen) EXPECT_NEAR(n, draws / 10, draws / 10 / 5) << cell.first << "," << cell.second;

    // The same seed gives the same cells; calls in quick succession differ.
    random_place_seed(7);
    std::vector<Tplace> first(20);
    for (Tplace& p : first) random_place(0, false, w, p);
    random_place_seed(7);
    std::set<std::pair<int, int>> distinct;
    for (const Tplace& expected : first) {
        Tplace p;
        random_place(0, false, w, p);
        EXPECT_EQ(p, expected);
        distinct.insert({p.x, p.y});
    }
    EXPECT_GT(distinct.size(), 5u);
}

TEST(RandomPlace, HugeMapNeedsNoListOfCells) {
    TWorld w = small_world();
    w.maps[1].width = 1 << 20;
    w.maps[1].height = 1 << 20;  // cells are never read
    Tplace p;
    random_place(1, true, w, p);
    EXPECT_TRUE(is_cell(p, w));
}

}  // namespace
