// Moving items and resources, stack amounts, splitting and merging.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int32_t int_max = std::numeric_limits<int32_t>::max();

TEST(InvAdd, AddsToTheLastMatchingEntryRemovesBelowOneOrAppends) {
    struct Case {
        Tinvitems list;
        Tinvitem add;
        Tinvitems expected;
    } cases[] = {
        {{{2, 5, 3}, {1, 2, 1}}, {2, 5, -3}, {{1, 2, 1}}},
        {{{2, 5, 1}, {2, 5, 1}}, {2, 5, 2}, {{2, 5, 1}, {2, 5, 3}}},
        {{{2, 7, 1}}, {1, 7, 1}, {{2, 7, 1}, {1, 7, 1}}},
        {{}, {2, 1, -4}, {{2, 1, -4}}},
        {{{2, 1, int_max - 1}}, {2, 1, 5}, {{2, 1, int_max}}},
        {{{2, 1, 3}}, {2, 1, std::numeric_limits<int32_t>::min()}, {}},
    };
    for (auto& c : cases) {
        const auto length = inv_add(c.add.kind, c.add.index, c.add.count, c.list);
        EXPECT_EQ(c.list, c.expected);
        EXPECT_EQ(length, static_cast<int32_t>(c.expected.size()));
    }
}

struct Moves : ::testing::Test {
    TWorld w = small_world();
    void SetUp() override {
        ASSERT_EQ(place_npc(row::rat, at(0, 1, 1), Tcounter{}, w), 0);
        ASSERT_EQ(place_npc(row::rat, at(0, 2, 1), Tcounter{}, w), 1);
        place_object(row::chest, at(0, 4, 4), w);
        place_object(row::flowers, at(0, 3, 3), w);
    }
    int32_t gold(int amount, int32_t npc, int32_t link, int32_t object = -1, Tplace p = no_place) {
        return create_resource(
            w, {.row = row::gold, .amount = amount, .npc = npc, .object = object, .place = p, .link = link});
    }
};

TEST_F(Moves, ItemIntoSlotsAndOntoCells) {
    const int32_t helm = create_item(row::helm, -1, -1, w, at(0, 0, 0), 0);
    const int32_t sword = create_item(row::sword, 0, -1, w, no_place, slot::left_hand);
    EXPECT_TRUE(move_item(helm, -1, 0, slot::head, no_place, w));
    EXPECT_EQ(w.npcs[0].head, helm);
    EXPECT_EQ(w.items[helm].slot, slot::head);
    EXPECT_EQ(w.items[helm].holder_npc, 0);

    // Refusals change nothing.
    const TWorld before = w;
    EXPECT_FALSE(move_item(sword, -1, 1, slot::head, no_place, w));   // a sword is no hat
    EXPECT_FALSE(move_item(helm, -1, 0, slot::left_hand, no_place, w));  // hand taken
    EXPECT_FALSE(move_item(sword, -1, -1, 0, at(0, 4, 4), w));       // chest blocks the cell
    EXPECT_FALSE(move_item(sword, -1, -1, 1, at(0, 0, 0), w));       // only slot 0 goes onto a cell
    EXPECT_FALSE(move_item(sword, -1, -1, 0, at(0, 6, 0), w));
    EXPECT_FALSE(move_item(sword, -1, -1, 0, no_place, w));          // slot 0 needs a cell
    EXPECT_FALSE(move_item(sword, 0, 1, 1, no_place, w));            // one holder at a time
    EXPECT_FALSE(move_item(sword, -1, 1, 0, at(0, 0, 0), w));        // a holder and a cell
    EXPECT_FALSE(move_item(sword, -1, 1, 7, no_place, w));
    EXPECT_FALSE(move_item(sword, -1, 2, 1, no_place, w));
    EXPECT_FALSE(move_item(sword, -2, -1, 1, no_place, w));
    EXPECT_FALSE(move_item(sword, -1, -1, slot::body, no_place, w));
    EXPECT_FALSE(move_item(5, -1, 0, 1, no_place, w));
    EXPECT_EQ(w, before);

    EXPECT_TRUE(move_item(sword, -1, -1, 0, at(0, 3, 3), w));  // flowers do not block
    EXPECT_EQ(w.npcs[0].left_hand, (Tinvitem{2, -1, 0}));
    EXPECT_EQ(w.items[sword].place, at(0, 3, 3));
    EXPECT_TRUE(move_item(sword, 0, -1, 1, no_place, w));
    EXPECT_EQ(w.mapobjects[0].contents, (Tinvitems{{1, sword, 1}}));
    EXPECT_TRUE(move_item(sword, -1, 1, 1, no_place, w));
    EXPECT_TRUE(w.mapobjects[0].contents.empty());
    EXPECT_EQ(w.npcs[1].inventory, (Tinvitems{{1, sword, 1}}));
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Moves, ChangeAmountFollowsTheHolderAndDeletesAtZero) {
    const int32_t five = gold(5, 0, 1);
    const int32_t seven = gold(7, 0, 1);
    change_amount(five, -5, w);
    ASSERT_EQ(w.resources.size(), 1u);
    change_amount(0, -5, w);
    EXPECT_EQ(w.resources[0].amount, 2);
    EXPECT_EQ(w.npcs[0].inventory, (Tinvitems{{2, 0, 2}}));
    change_amount(0, int_max, w);
    EXPECT_EQ(w.resources[0].amount, int_max);
    EXPECT_EQ(w.npcs[0].inventory[0].count, int_max);
    (void)seven;

    const int32_t hand = gold(3, 1, links::right_hand);
    change_amount(hand, 4, w);
    EXPECT_EQ(w.npcs[1].right_hand, (Tinvitem{2, hand, 7}));
    EXPECT_TRUE(links_hold(w));

    // Single pieces and things held by items do not change.
    const int32_t rifle = create_item(row::rifle, -1, -1, w, at(0, 0, 0), 0);
    const int32_t clip = w.items[rifle].clip;
    const int32_t round = w.resources[clip].contents[0];
    const int32_t vial = create_resource(w, {.row = row::vial, .npc = 0, .link = links::inventory});
    const TWorld before = w;
    change_amount(clip, -1, w);
    change_amount(round, 5, w);
    change_amount(vial, 2, w);
    change_amount(hand, 0, w);
    change_amount(-1, 1, w);
    EXPECT_EQ(w, before);
}

TEST_F(Moves, SplitMergesIntoALikeStackOrMakesANewOne) {
    const int32_t src = gold(10, 0, 1);
    const int32_t like = gold(4, 1, 1);
    EXPECT_TRUE(move_resource(src, 3, -1, 1, 1, no_place, w));
    EXPECT_EQ(w.resources[src].amount, 7);
    EXPECT_EQ(w.resources[like].amount, 7);
    EXPECT_EQ(w.npcs[1].inventory, (Tinvitems{{2, like, 7}}));
    EXPECT_EQ(w.npcs[0].inventory, (Tinvitems{{2, src, 7}}));

    EXPECT_TRUE(move_resource(src, 3, -1, 0, links::right_hand, no_place, w));
    EXPECT_EQ(w.resources[src].amount, 4);
    const Tinvitem hand = w.npcs[0].right_hand;
    EXPECT_EQ(hand.count, 3);
    EXPECT_EQ(w.resources[hand.index].amount, 3);
    // Into the full hand: merges with the like stack there.
    EXPECT_TRUE(move_resource(src, 2, -1, 0, links::right_hand, no_place, w));
    EXPECT_EQ(w.npcs[0].right_hand.count, 5);
    // The whole rest: merges and the source goes.
    EXPECT_TRUE(move_resource(src, 0, -1, 0, links::right_hand, no_place, w));
    EXPECT_EQ(w.npcs[0].inventory, Tinvitems{});
    EXPECT_EQ(w.npcs[0].right_hand.count, 7);
    EXPECT_EQ(w.resources.size(), 2u);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Moves, OntoACellMergesOnlyWithLooseStacks) {
    // The NPC standing on (0, 1, 1) carries gold whose place is that cell.
    const int32_t carried = gold(5, 0, 1);
    const int32_t src = gold(4, 1, 1);
    EXPECT_TRUE(move_resource(src, 0, -1, -1, 0, at(0, 1, 1), w));
    EXPECT_EQ(w.resources[carried].amount, 5);
    EXPECT_EQ(w.resources[src].link, links::cell);
    EXPECT_EQ(w.resources[src].place, at(0, 1, 1));
    const int32_t more = gold(2, 1, 1);
    EXPECT_TRUE(move_resource(more, 0, -1, -1, 0, at(0, 1, 1), w));
    EXPECT_EQ(w.resources.size(), 2u);
    EXPECT_EQ(w.resources[src].amount, 6);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Moves, SingleStacksNeverMergeOrSplit) {
    const int32_t a = create_resource(w, {.row = row::vial, .npc = 0, .link = links::inventory});
    const int32_t b = create_resource(w, {.row = row::vial, .npc = 1, .link = links::inventory});
    EXPECT_TRUE(move_resource(a, 0, -1, 1, 1, no_place, w));
    EXPECT_EQ(w.resources.size(), 2u);
    EXPECT_EQ(w.npcs[1].inventory, (Tinvitems{{2, b, 1}, {2, a, 1}}));
    // A clip a file says has 4 pieces moves whole instead of making pieces from nothing.
    const int32_t clip = create_resource(w, {.row = row::cell, .npc = 0, .link = links::inventory});
    w.resources[clip].amount = 4;
    w.npcs[0].inventory.back().count = 4;
    EXPECT_TRUE(move_resource(clip, 1, -1, 1, 1, no_place, w));
    EXPECT_EQ(w.resources.size(), 3u);
    EXPECT_EQ(w.resources[clip].holder_npc, 1);
}

TEST_F(Moves, RefusedMovesChangeNothing) {
    const int32_t src = gold(10, 0, 1);
    const int32_t rifle = create_item(row::rifle, 1, -1, w, no_place, 1);
    const int32_t clip = w.items[rifle].clip;
    // A liquid a file placed alone: no new stack can be made of it, so no split.
    const int32_t water = new_placed_resource(row::water_res, 10, w);
    w.resources[water].place = at(0, 5, 0);
    create_item(row::sword, 1, -1, w, no_place, slot::left_hand);
    const TWorld before = w;
    EXPECT_FALSE(move_resource(water, 3, -1, 0, 1, no_place, w));
    EXPECT_FALSE(move_resource(src, -1, -1, 1, 1, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 2, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 5, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 6, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 7, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, -1, 3, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, -1, 1, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, 0, 1, 1, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 0, at(0, 0, 0), w));
    EXPECT_FALSE(move_resource(src, 3, -1, -1, 0, at(0, 4, 4), w));  // the chest blocks
    EXPECT_FALSE(move_resource(src, 3, -1, -1, 0, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, -1, 0, at(0, 0, 5), w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, 1, at(0, 0, 0), w));
    EXPECT_FALSE(move_resource(src, 3, -1, 1, links::left_hand, no_place, w));  // the hand holds a sword
    EXPECT_FALSE(move_resource(clip, 0, -1, 0, 1, no_place, w));      // loaded in the rifle
    EXPECT_FALSE(move_resource(99, 0, -1, 0, 1, no_place, w));
    EXPECT_FALSE(move_resource(src, 3, -1, 5, 1, no_place, w));
    EXPECT_EQ(w, before);
}

TEST_F(Moves, MergeSaturates) {
    const int32_t big = gold(1, 1, 1);
    w.resources[big].amount = int_max - 1;
    w.npcs[1].inventory[0].count = int_max - 1;
    const int32_t src = gold(5, 0, 1);
    EXPECT_TRUE(move_resource(src, 0, -1, 1, 1, no_place, w));
    EXPECT_EQ(w.resources[big].amount, int_max);
    EXPECT_EQ(w.npcs[1].inventory[0].count, int_max);
}

TEST_F(Moves, DetachOntoTheGroundOrIntoTheOuterHolder) {
    const int32_t on_ground = create_item(row::rifle, -1, -1, w, at(1, 3, 2), 0);
    const int32_t clip = w.items[on_ground].clip;
    detach_resource(clip, 0, w);
    EXPECT_EQ(w.items[on_ground].clip, -1);
    EXPECT_EQ(w.resources[clip].place, at(1, 3, 2));
    EXPECT_EQ(w.resources[clip].link, links::cell);
    EXPECT_EQ(w.resources[clip].holder_item, -1);
    EXPECT_TRUE(links_hold(w));

    const int32_t carried = create_item(row::rifle, 0, -1, w, no_place, 1);
    const int32_t clip2 = w.items[carried].clip;
    detach_resource(clip2, 1, w);
    EXPECT_EQ(w.items[carried].clip, -1);
    EXPECT_EQ(w.npcs[0].inventory.back(), (Tinvitem{2, clip2, 1}));
    EXPECT_EQ(w.resources[clip2].link, links::inventory);
    EXPECT_EQ(w.resources[clip2].holder_npc, 0);
    EXPECT_TRUE(links_hold(w));

    // A round out of a revolver leaves its chamber empty.
    const int32_t revolver = create_item(row::revolver, -1, 0, w, no_place, 1);
    const int32_t round = w.items[revolver].contents[2];
    detach_resource(round, 1, w);
    ASSERT_EQ(w.items[revolver].contents.size(), 6u);
    EXPECT_EQ(w.items[revolver].contents[2], -1);
    EXPECT_EQ(w.mapobjects[0].contents.back(), (Tinvitem{2, round, 1}));
    EXPECT_TRUE(links_hold(w));

    // Into the outer holder of an item on the ground, or out of a clip inside an item: nothing.
    const int32_t rifle = create_item(row::rifle, -1, -1, w, at(0, 0, 0), 0);
    const int32_t loaded = w.items[rifle].clip;
    const int32_t inner = w.resources[loaded].contents[0];
    const TWorld before = w;
    detach_resource(loaded, 1, w);
    detach_resource(inner, 0, w);
    detach_resource(inner, 1, w);
    detach_resource(clip, 0, w);  // held by nothing
    detach_resource(-1, 0, w);
    detach_resource(loaded, 2, w);
    EXPECT_EQ(w, before);

    // Out of a loose clip onto its cell.
    detach_resource(w.resources[clip].contents[0], 0, w);
    EXPECT_EQ(w.resources[clip].contents.size(), 2u);
    EXPECT_TRUE(links_hold(w));
}

}  // namespace
