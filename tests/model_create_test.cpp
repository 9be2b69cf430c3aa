// Creating placed items and resources into their holders or onto cells.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Created : ::testing::Test {
    TWorld w = small_world();
    int32_t npc = -1, chest = -1;
    void SetUp() override {
        npc = place_npc(row::rat, at(0, 1, 1), Tcounter{}, w);
        place_object(row::chest, at(0, 3, 3), w);
        chest = 0;
        ASSERT_EQ(npc, 0);
        ASSERT_EQ(w.mapobjects.size(), 1u);
    }
};

TEST_F(Created, ItemGoesIntoTheNpcSlotThatFitsElseTheObjectElseTheCell) {
    struct Case {
        int item_row;
        int slot;
        bool to_npc;
    } cases[] = {{row::hat, slot::head, true},    {row::sword, slot::head, false}, {row::plate, slot::body, true},
                 {row::helm, slot::body, false},  {row::sword, slot::left_hand, true},
                 {row::sword, slot::right_hand, true}, {row::sword, slot::inventory, true}, {row::sword, 0, false},
                 {row::sword, 6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.item_row << " slot " << c.slot);
        TWorld world = w;
        const int32_t t = create_item(c.item_row, npc, chest, world, no_place, c.slot);
        ASSERT_EQ(t, 0);
        const Tpitem& it = world.items[0];
        EXPECT_EQ(it.row, c.item_row);
        if (c.to_npc) {
            EXPECT_EQ(it.holder_npc, npc);
            EXPECT_EQ(it.holder_object, -1);
            EXPECT_EQ(it.slot, c.slot);
            EXPECT_EQ(it.place, world.npcs[npc].place);
        } else {
            EXPECT_EQ(it.holder_object, chest);
            EXPECT_EQ(it.slot, slot::inventory);
            EXPECT_EQ(world.mapobjects[chest].contents, (Tinvitems{{1, 0, 1}}));
            EXPECT_EQ(it.place, world.mapobjects[chest].place);
        }
        EXPECT_TRUE(links_hold(world));
    }
}

TEST_F(Created, ItemRefusedEverywhereCreatesNothing) {
    // A sword does not fit the head, and there is no object and no cell.
    EXPECT_EQ(create_item(row::sword, npc, -1, w, no_place, slot::head), -1);
    // Occupied hand.
    ASSERT_EQ(create_item(row::sword, npc, -1, w, no_place, slot::left_hand), 0);
    EXPECT_EQ(create_item(row::sword, npc, -1, w, no_place, slot::left_hand), -1);
    // Bad rows and holders that name nothing (negative ones included).
    EXPECT_EQ(create_item(-1, npc, chest, w, at(0, 0, 0), 1), -1);
    EXPECT_EQ(create_item(6, npc, chest, w, at(0, 0, 0), 1), -1);
    EXPECT_EQ(create_item(row::sword, -5, -7, w, no_place, 1), -1);
    EXPECT_EQ(create_item(row::sword, 9, 9, w, no_place, 1), -1);
    EXPECT_EQ(w.items.size(), 1u);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, CellsNeedBothBoundsOnBothAxes) {
    const Tplace outside[] = {at(0, -1, 0), at(0, 0, -1), at(0, 6, 0), at(0, 0, 5), at(2, 0, 0), at(-1, 0, 0),
                              no_place};
    for (const Tplace& p : outside) {
        SCOPED_TRACE(testing::Message() << p.map << ":" << p.x << "," << p.y);
        EXPECT_EQ(create_item(row::sword, -1, -1, w, p, 0), -1);
        EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 3, .place = p}), -1);
    }
    EXPECT_TRUE(w.items.empty());
    EXPECT_TRUE(w.resources.empty());
    EXPECT_EQ(create_item(row::sword, -1, -1, w, at(1, 3, 2), 0), 0);
    EXPECT_EQ(w.items[0].place, at(1, 3, 2));
    EXPECT_EQ(w.items[0].slot, slot::cell);
    EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 3, .place = at(0, 5, 4)}), 0);
    EXPECT_EQ(w.resources[0].link, links::cell);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, RevolverWithLoadSixGetsSixChambersFilledInOrder) {
    const int32_t t = create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0);
    ASSERT_EQ(t, 0);
    const Tpitem& it = w.items[t];
    ASSERT_EQ(it.contents.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(it.contents[i], i);
        EXPECT_EQ(w.resources[i].holder_item, t);
        EXPECT_EQ(w.resources[i].link, links::inside);
        EXPECT_EQ(w.resources[i].amount, 1);
    }
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, RevolverChambersNeverOverfillOrGoNegative) {
    // More default rounds than chambers: the extra one goes nowhere and is not made.
    w.pitems[row::revolver].contents.push_back(row::bullet);
    ASSERT_EQ(create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0), 0);
    EXPECT_EQ(w.items[0].contents.size(), 6u);
    EXPECT_EQ(w.resources.size(), 6u);
    // A chamber out of range or already filled is refused.
    EXPECT_EQ(create_resource(w, {.row = row::bullet, .parent_item = 0, .chamber = 6, .link = links::inside}), -1);
    EXPECT_EQ(create_resource(w, {.row = row::bullet, .parent_item = 0, .link = links::inside}), -1);
    EXPECT_EQ(create_resource(w, {.row = row::bullet, .parent_item = 0, .chamber = 2, .link = links::inside}), -1);
    EXPECT_EQ(w.resources.size(), 6u);
    // A negative load from a file gives no chambers at all.
    w.pitems[row::revolver].load = -3;
    ASSERT_EQ(create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0), 1);
    EXPECT_TRUE(w.items[1].contents.empty());
    EXPECT_EQ(w.resources.size(), 6u);
    // A load no revolver can have is refused rather than taking all memory.
    w.pitems[row::revolver].load = 2000000000;
    EXPECT_EQ(create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0), -1);
    EXPECT_EQ(new_placed_item(row::revolver, w), -1);
    EXPECT_EQ(w.items.size(), 2u);
    w.pitems[row::revolver].load = 65536;
    EXPECT_EQ(create_item(row::revolver, -1, -1, w, at(0, 0, 0), 0), 2);
    EXPECT_EQ(w.items[2].contents.size(), 65536u);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, RifleComesWithItsClipAndTheClipWithItsRounds) {
    ASSERT_EQ(create_item(row::rifle, npc, -1, w, no_place, slot::inventory), 0);
    const int32_t clip = w.items[0].clip;
    ASSERT_GE(clip, 0);
    EXPECT_EQ(w.resources[clip].link, links::loaded);
    EXPECT_EQ(w.resources[clip].holder_item, 0);
    ASSERT_EQ(w.resources[clip].contents.size(), 3u);
    for (int32_t b : w.resources[clip].contents) {
        EXPECT_EQ(w.resources[b].holder_resource, clip);
        EXPECT_EQ(w.resources[b].row, row::bullet);
    }
    // A second clip is refused while one is loaded: the first would be lost.
    EXPECT_EQ(create_resource(w, {.row = row::clip, .parent_item = 0, .link = links::loaded}), -1);
    EXPECT_EQ(w.items[0].clip, clip);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, ResourceAmounts) {
    struct Case {
        int res_row;
        int amount;
        int expected;  // -1: refused
    } cases[] = {{row::clip, 30, 1}, {row::gold, -5, 1}, {row::gold, 0, -1}, {row::gold, 12, 12},
                 {row::cell, 4, 1},  {row::vial, 3, 1},  {row::water_res, 2, -1}, {7, 1, -1}, {-1, 1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.res_row << " amount " << c.amount);
        TWorld world = w;
        const int32_t r =
            create_resource(world, {.row = c.res_row, .amount = c.amount, .npc = npc, .link = links::inventory});
        if (c.expected < 0) {
            EXPECT_EQ(r, -1);
            EXPECT_TRUE(world.resources.empty());
        } else {
            ASSERT_EQ(r, 0);
            EXPECT_EQ(world.resources[0].amount, c.expected);
            EXPECT_EQ(world.npcs[npc].inventory.front(), (Tinvitem{2, 0, c.expected}));
        }
        EXPECT_TRUE(links_hold(world));
    }
}

TEST_F(Created, ResourceIntoNpcAppendsWithoutMergingAndFillsOnlyEmptyHands) {
    EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 4, .npc = npc, .link = links::inventory}), 0);
    EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 4, .npc = npc, .link = links::inventory}), 1);
    EXPECT_EQ(w.npcs[npc].inventory, (Tinvitems{{2, 0, 4}, {2, 1, 4}}));
    EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 2, .npc = npc, .link = links::right_hand}), 2);
    EXPECT_EQ(w.npcs[npc].right_hand, (Tinvitem{2, 2, 2}));
    // The hand is full: with no object and no cell nothing is made.
    EXPECT_EQ(create_resource(w, {.row = row::gold, .amount = 2, .npc = npc, .link = links::right_hand}), -1);
    // A refused slot still lets the object take it.
    EXPECT_EQ(
        create_resource(w, {.row = row::gold, .amount = 2, .npc = npc, .object = chest, .link = links::right_hand}), 3);
    EXPECT_EQ(w.resources[3].holder_object, chest);
    EXPECT_EQ(w.resources[3].link, links::inventory);
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Created, DefaultChildren) {
    // Into a parent resource: amount 1 and no children of its own.
    const int32_t box = create_resource(w, {.row = row::wood, .place = at(0, 0, 0)});
    const int32_t c = create_resource(w, {.row = row::clip, .parent_resource = box, .link = links::inside});
    ASSERT_EQ(c, 1);
    EXPECT_TRUE(w.resources[c].contents.empty());
    EXPECT_EQ(w.resources[box].contents, (tintarray{c}));
    // A row that names no resource leaves its place empty, never 0 (which is a resource).
    w.presources[row::wood].contents = {-1, row::bullet, 99};
    const int32_t crate = create_resource(w, {.row = row::wood, .place = at(0, 0, 0)});
    ASSERT_EQ(crate, 2);
    EXPECT_EQ(w.resources[crate].contents, (tintarray{-1, 3, -1}));
    EXPECT_EQ(w.resources[3].holder_resource, crate);
    EXPECT_TRUE(links_hold(w));
}

TEST(InvRemove, RemovesTheLastMatchingEntry) {
    Tinvitems list = {{2, 5, 1}, {1, 5, 1}, {2, 5, 9}, {2, 4, 1}};
    inv_remove(2, 5, list);
    EXPECT_EQ(list, (Tinvitems{{2, 5, 1}, {1, 5, 1}, {2, 4, 1}}));
    inv_remove(1, 7, list);
    EXPECT_EQ(list.size(), 3u);
}

}  // namespace
