// Deleting placed things, objects, catalogue entries and terrains, and the
// renumbering of everything that names what follows them.
#include "model/tools.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(DeleteListEntry, EveryListDropsOnlyAnIndexInside) {
    Tskills skills = {{1, 1, 0}, {2, 2, 0}, {3, 3, 0}};
    for (int bad : {-1, 3, 100}) delete_skill(bad, skills);
    ASSERT_EQ(skills.size(), 3u);
    delete_skill(1, skills);
    EXPECT_EQ(skills, (Tskills{{1, 1, 0}, {3, 3, 0}}));

    Tinvitems inv = {{1, 0, 1}, {2, 1, 1}};
    delete_invitem(-1, inv);
    delete_invitem(0, inv);
    EXPECT_EQ(inv, (Tinvitems{{2, 1, 1}}));

    Tcrafts crafts(2);
    crafts[1].word = "b";
    delete_craft(0, crafts);
    ASSERT_EQ(crafts.size(), 1u);
    EXPECT_EQ(crafts[0].word, "b");

    Tevents events(2);
    events[1].text = "x";
    delete_event(-1, events);
    delete_event(0, events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "x");
}

// Two NPCs and an object with five items and five resources spread over them.
struct Spread : ::testing::Test {
    TWorld w = small_world();
    void SetUp() override {
        ASSERT_EQ(place_npc(row::rat, at(0, 1, 1), Tcounter{}, w), 0);
        ASSERT_EQ(place_npc(row::rat, at(0, 2, 2), Tcounter{}, w), 1);
        place_object(row::chest, at(0, 4, 4), w);
        ASSERT_EQ(create_item(row::sword, 0, -1, w, no_place, slot::inventory), 0);
        ASSERT_EQ(create_item(row::sword, -1, 0, w, no_place, 1), 1);
        ASSERT_EQ(create_item(row::sword, 0, -1, w, no_place, slot::left_hand), 2);
        ASSERT_EQ(create_item(row::sword, -1, 0, w, no_place, 1), 3);
        ASSERT_EQ(create_item(row::sword, 1, -1, w, no_place, slot::inventory), 4);
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(create_resource(w, {.row = row::gold, .amount = 2 + i, .object = 0, .link = links::inventory}),
                      i);
        ASSERT_TRUE(links_hold(w));
    }
};

TEST_F(Spread, DeletingItemTwoOfFiveRenumbersListsAndSlots) {
    delete_thing(1, 2, w);
    EXPECT_EQ(w.items.size(), 4u);
    EXPECT_EQ(w.npcs[0].left_hand.index, -1);
    EXPECT_EQ(w.npcs[1].inventory, (Tinvitems{{1, 3, 1}}));
    EXPECT_EQ(w.items[3].holder_npc, 1);
    // Resource entries of the object keep their numbers; its item 3 becomes 2.
    EXPECT_EQ(w.mapobjects[0].contents[1], (Tinvitem{1, 2, 1}));
    EXPECT_EQ(w.mapobjects[0].contents.back(), (Tinvitem{2, 4, 6}));
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Spread, HolderFieldsFollowSoTheNextUnlinkHitsTheRightHolder) {
    // A rifle behind item 2 whose clip names it as holder.
    const int32_t rifle = create_item(row::rifle, -1, -1, w, at(0, 0, 0), 0);
    ASSERT_EQ(rifle, 5);
    const int32_t clip = w.items[rifle].clip;
    delete_thing(1, 2, w);
    EXPECT_EQ(w.resources[clip].holder_item, 4);
    EXPECT_EQ(w.items[4].clip, clip);
    EXPECT_TRUE(links_hold(w));
    // Deleting the clip now empties the rifle, not the item that took index 5's old place.
    delete_thing(2, clip, w);
    EXPECT_EQ(w.items[4].clip, -1);
    EXPECT_TRUE(links_hold(w));

    // The same for resources inside resources.
    const int32_t box = create_resource(w, {.row = row::wood, .place = at(0, 0, 0)});
    const int32_t coin = create_resource(w, {.row = row::gold, .parent_resource = box, .link = links::inside});
    delete_thing(2, 0, w);
    EXPECT_EQ(w.resources[coin - 1].holder_resource, box - 1);
    EXPECT_EQ(w.resources[box - 1].contents, (tintarray{coin - 1}));
    EXPECT_TRUE(links_hold(w));
}

TEST_F(Spread, ASlotIsClearedOnlyWhenItHoldsTheThingAndStrayEntriesNeverShiftOntoANeighbour) {
    // Forged links as a file may hold them: item 0 claims NPC 0's head, which wears item 1;
    // NPC 1's inventory lists item 0 as well.
    w.items[0].slot = slot::head;
    w.npcs[0].head = 3;
    w.npcs[1].inventory.push_back({1, 0, 1});
    delete_thing(1, 0, w);
    EXPECT_EQ(w.npcs[0].head, 2);                               // still item 3, renumbered
    EXPECT_EQ(w.npcs[1].inventory, (Tinvitems{{1, 3, 1}}));     // item 4 only: the stray entry went
    EXPECT_EQ(w.npcs[0].inventory, (Tinvitems{}));              // the entry for item 0 went too
}

TEST(DeleteThing, LoadedClipWithItsRoundsGoesAndChambersStay) {
    TWorld w = small_world();
    ASSERT_EQ(create_item(row::rifle, -1, -1, w, at(0, 0, 0), 0), 0);  // clip 0 with rounds 1..3
    ASSERT_EQ(create_item(row::rifle, -1, -1, w, at(0, 1, 0), 0), 1);  // clip 4 with rounds 5..7
    ASSERT_EQ(create_item(row::revolver, -1, -1, w, at(0, 2, 0), 0), 2);  // chambers 8..13
    ASSERT_EQ(w.resources.size(), 14u);
    // Taking a round out of a revolver empties its chamber; the revolver keeps six.
    delete_thing(2, 13, w);
    EXPECT_EQ(w.items[2].contents, (tintarray{8, 9, 10, 11, 12, -1}));
    delete_thing(2, 0, w);
    EXPECT_EQ(w.resources.size(), 9u);
    EXPECT_EQ(w.items[0].clip, -1);
    EXPECT_EQ(w.items[1].clip, 0);
    EXPECT_EQ(w.resources[0].contents, (tintarray{1, 2, 3}));
    EXPECT_EQ(w.items[2].contents, (tintarray{4, 5, 6, 7, 8, -1}));
    EXPECT_TRUE(links_hold(w));
    // An item takes what it holds with it.
    delete_thing(1, 1, w);
    EXPECT_EQ(w.resources.size(), 5u);
    EXPECT_EQ(w.items[1].contents, (tintarray{0, 1, 2, 3, 4, -1}));
    EXPECT_TRUE(links_hold(w));
    // Kinds and indexes outside the lists change nothing.
    const TWorld before = w;
    for (auto [kind, index] : std::initializer_list<std::pair<int, int>>{{1, -1}, {1, 2}, {2, 5}, {2, -1}, {3, 0}, {0, 0}}) delete_thing(kind, index, w);
    EXPECT_EQ(w, before);
}

TEST(DeleteTerrain, OnlyAnUnusedTerrainGoesAndLaterCellsFollow) {
    TWorld w = small_world();
    w.terrains.push_back({400, 1, 2, {2}});  // terrain 2
    w.maps[1].cells[3][2] = 2;
    delete_terrain(row::grass, w);  // used everywhere
    EXPECT_EQ(w.terrains.size(), 3u);
    delete_terrain(5, w);
    delete_terrain(-1, w);
    EXPECT_EQ(w.terrains.size(), 3u);
    delete_terrain(row::water, w);
    ASSERT_EQ(w.terrains.size(), 2u);
    EXPECT_EQ(w.terrains[1].kind, 2);
    EXPECT_EQ(w.maps[1].cells[3][2], 1);
    EXPECT_EQ(w.maps[1].cells[0][0], row::grass);
}

// Template rows stay unique: the templates above the deleted row move down,
// and placed objects and recipes follow them; what named the deleted row
// names nothing. An index out of range changes nothing.
TEST(DeletePmapobject, RowsAboveFollowAndTheDeletedRowNamesNothing) {
    TWorld w = small_world();
    place_object(row::chest, at(0, 0, 0), w);
    place_object(row::flowers, at(0, 1, 0), w);
    place_object(row::door, at(0, 2, 0), w);
    auto recipe = [](int32_t near, int32_t product, int32_t kind) {
        Tcraft c;
        c.near_object = near;
        c.product = product;
        c.product_kind = kind;
        return c;
    };
    w.crafts = {recipe(row::door, row::flowers, product::object), recipe(row::flowers, row::door, product::object),
                recipe(-1, row::door, product::item), recipe(row::chest, row::door, product::resource)};
    const TWorld before = w;
    delete_pmapobject(3, w);
    delete_pmapobject(-1, w);
    EXPECT_EQ(w, before);

    delete_pmapobject(row::flowers, w);
    ASSERT_EQ(w.pmapobjects.size(), 2u);
    EXPECT_EQ(w.pmapobjects[1].name, "door");
    EXPECT_EQ(w.pmapobjects[0].row, 0);
    EXPECT_EQ(w.pmapobjects[1].row, 1);
    EXPECT_EQ(w.mapobjects[0].row, 0);
    EXPECT_EQ(w.mapobjects[1].row, -1);
    EXPECT_EQ(w.mapobjects[2].row, 1);
    // Near objects and object products follow; item and resource products
    // name other catalogues and keep their rows.
    EXPECT_EQ(w.crafts[0].near_object, 1);
    EXPECT_EQ(w.crafts[0].product, -1);
    EXPECT_EQ(w.crafts[1].near_object, -1);
    EXPECT_EQ(w.crafts[1].product, 1);
    EXPECT_EQ(w.crafts[2].product, row::door);
    EXPECT_EQ(w.crafts[3].near_object, 0);
    EXPECT_EQ(w.crafts[3].product, row::door);
}

// A world file may hold rows that are not positions (an earlier editor left
// gaps) or one row twice. Deleting one of two templates that share a row
// renumbers nothing, the other goes on holding it; gaps stay unique too.
TEST(DeletePmapobject, RowsFromAFileStayUniqueOrAsTheyWere) {
    TWorld w = small_world();
    w.pmapobjects[row::chest].row = 4;  // rows 4, 1, 4
    w.pmapobjects[row::door].row = 4;
    place_object(row::chest, at(0, 0, 0), w);
    w.mapobjects[0].row = 4;
    Tcraft c;
    c.near_object = 4;
    c.product = 1;
    c.product_kind = product::object;
    w.crafts = {c};
    delete_pmapobject(row::door, w);
    ASSERT_EQ(w.pmapobjects.size(), 2u);
    EXPECT_EQ(w.pmapobjects[0].row, 4);
    EXPECT_EQ(w.mapobjects[0].row, 4);
    EXPECT_EQ(w.crafts[0].near_object, 4);

    // Rows 4 and 1: deleting row 1 moves row 4 down to 3, and what named it.
    delete_pmapobject(1, w);
    ASSERT_EQ(w.pmapobjects.size(), 1u);
    EXPECT_EQ(w.pmapobjects[0].row, 3);
    EXPECT_EQ(w.mapobjects[0].row, 3);
    EXPECT_EQ(w.crafts[0].near_object, 3);
    EXPECT_EQ(w.crafts[0].product, -1);

    // A template holding a negative row names nothing: nothing follows it.
    w.pmapobjects.push_back(w.pmapobjects[0]);
    w.pmapobjects[1].row = -1;
    delete_pmapobject(1, w);
    EXPECT_EQ(w.pmapobjects[0].row, 3);
    EXPECT_EQ(w.crafts[0].near_object, 3);
}

// A new template takes its own position as its row unless a template of the
// file already holds it; then the next row up that none holds.
TEST(DeletePmapobject, ANewTemplateTakesARowNoneHolds) {
    struct Case {
        std::vector<int32_t> rows;
        int32_t want;
    };
    const Case cases[] = {{{}, 0}, {{0, 1, 2}, 3}, {{0, 2}, 3}, {{3, 2, 4}, 5}, {{7, 9}, 2}, {{2, 2}, 3},
                          {{-1, 5}, 2}};
    for (const Case& c : cases) {
        TWorld w;
        for (int32_t r : c.rows) {
            Tmapobject o;
            o.row = r;
            w.pmapobjects.push_back(o);
        }
        EXPECT_EQ(new_object_row(w), c.want) << ::testing::PrintToString(c.rows);
    }
}

// Three objects in a row; triggers and events name them.
struct Objects : ::testing::Test {
    TWorld w = small_world();
    CapturedMessages captured;
    void SetUp() override {
        place_object(row::chest, at(0, 1, 0), w);
        place_object(row::door, at(0, 2, 0), w);
        place_object(row::chest, at(0, 3, 0), w);
        ASSERT_EQ(w.mapobjects.size(), 3u);
    }
    Ttrigger& trigger(uint8_t kind, int32_t target) {
        Ttrigger t;
        t.kind = kind;
        t.active = true;
        t.target = target;
        t.place = at(0, 5, 5);
        w.triggers.push_back(t);
        return w.triggers.back();
    }
    static Tevent event(uint8_t action, int32_t target, int32_t value = 0, std::string text = {}) {
        Tevent e;
        e.action = action;
        e.target = target;
        e.value = value;
        e.text = std::move(text);
        return e;
    }
};

TEST_F(Objects, TriggerAndEventTargetsFollowTheDeletion) {
    Ttrigger& button = trigger(3, 1);
    button.events = {event(4, 1), event(6, 2), event(10, 0), event(12, 2), event(2, 1)};
    trigger(3, 2);
    Ttrigger& timer = trigger(1, 2);
    timer.events = {event(11, 1), event(8, 2), event(20, 2)};
    trigger(5, 2);  // destroy obj watching a later object
    delete_mapobject(1, w);
    ASSERT_EQ(w.mapobjects.size(), 2u);
    EXPECT_EQ(w.triggers[0].target, -1);
    EXPECT_EQ(w.triggers[0].place.map, -1);
    EXPECT_EQ(w.triggers[0].place.x, 5);
    EXPECT_EQ(w.triggers[0].events[0].target, deleted_target);
    EXPECT_EQ(w.triggers[0].events[1].target, 1);
    EXPECT_EQ(w.triggers[0].events[2].target, 0);
    EXPECT_EQ(w.triggers[0].events[3].target, 1);
    EXPECT_EQ(w.triggers[0].events[4].target, 1);  // a trigger target, not an object
    EXPECT_EQ(w.triggers[1].target, 1);
    EXPECT_EQ(w.triggers[1].place.map, 0);
    EXPECT_EQ(w.triggers[2].target, 1);
    EXPECT_EQ(w.triggers[2].events[0].target, deleted_target);
    EXPECT_EQ(w.triggers[2].events[1].target, 1);
    EXPECT_EQ(w.triggers[2].events[2].target, 2);  // an NPC target
    EXPECT_EQ(w.triggers[3].target, 1);
    EXPECT_TRUE(w.triggers[3].active);
    EXPECT_TRUE(captured.texts.empty());
}

TEST_F(Objects, DestroyTriggerRunsOnceAndActsOnNothingThatTookTheIndex) {
    Ttrigger& destroy = trigger(5, 1);
    destroy.events = {event(1, 0, 0, "gone"), event(6, -1), event(6, 1)};
    destroy.events[1].continue_on_false = true;
    destroy.events[2].continue_on_false = true;
    Ttrigger& other = trigger(5, 0);
    other.events = {event(1, 0, 0, "not this one")};
    delete_mapobject(1, w);
    EXPECT_EQ(captured.texts, (std::vector<std::string>{"gone"}));
    EXPECT_EQ(w.triggers[0].target, -1);
    EXPECT_FALSE(w.triggers[0].active);
    EXPECT_TRUE(w.mapobjects[1].visible);  // the chest that moved into index 1 was not hidden
    EXPECT_TRUE(w.triggers[1].active);
    EXPECT_EQ(w.triggers[1].target, 0);
}

TEST_F(Objects, DestroyTriggerMessageReachesTheMessageBox) {
    ScriptedModalGuard boxes;
    message_handler = show_message;
    trigger(5, 2).events = {event(1, 0, 0, "the chest breaks")};
    delete_mapobject(2, w);
    EXPECT_EQ(boxes->messages, (std::vector<std::string>{"the chest breaks"}));
}

TEST_F(Objects, ThingsInsideAreLaidLooseOnTheCellOrGoWithAnObjectOnNoCell) {
    ASSERT_EQ(create_item(row::rifle, -1, 1, w, no_place, 1), 0);
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 9, .object = 1, .link = links::inventory});
    ASSERT_EQ(create_item(row::sword, -1, 2, w, no_place, 1), 1);
    delete_mapobject(1, w);
    EXPECT_EQ(w.items[0].slot, slot::cell);
    EXPECT_EQ(w.items[0].holder_object, -1);
    EXPECT_EQ(w.items[0].place, at(0, 2, 0));
    EXPECT_EQ(w.resources[gold].link, links::cell);
    EXPECT_EQ(w.resources[gold].place, at(0, 2, 0));
    EXPECT_EQ(w.resources[w.items[0].clip].holder_item, 0);  // the rifle keeps its clip
    EXPECT_EQ(w.items[1].holder_object, 1);                  // the sword follows its chest
    EXPECT_EQ(w.mapobjects[1].contents, (Tinvitems{{1, 1, 1}}));
    EXPECT_TRUE(links_hold(w));

    // An object that stands on no cell takes its things with it.
    w.mapobjects[1].place = no_place;
    delete_mapobject(1, w);
    EXPECT_EQ(w.items.size(), 1u);
    EXPECT_TRUE(links_hold(w));
    delete_mapobject(5, w);
    delete_mapobject(-1, w);
    EXPECT_EQ(w.mapobjects.size(), 1u);
}


// Worlds saved by earlier editors never renumbered holder fields, so a thing's
// holder field may name another object than the one whose contents list it.
// The contents list decides what goes with the object.
TEST_F(Objects, TheContentsListNotAStaleHolderFieldDecidesWhatIsLaidLoose) {
    ASSERT_EQ(create_item(row::sword, -1, 0, w, no_place, 1), 0);  // in object 0, stale: names 1
    ASSERT_EQ(create_item(row::helm, -1, 1, w, no_place, 1), 1);   // in object 1, stale: names 2
    w.items[0].holder_object = 1;
    w.items[1].holder_object = 2;
    delete_mapobject(1, w);
    // The helm, listed by the door, lies loose on the door's cell.
    EXPECT_EQ(w.items[1].holder_object, -1);
    EXPECT_EQ(w.items[1].slot, slot::cell);
    EXPECT_EQ(w.items[1].place, at(0, 2, 0));
    // The sword stays in the chest that lists it.
    EXPECT_EQ(w.mapobjects[0].contents, (Tinvitems{{1, 0, 1}}));
    EXPECT_EQ(w.items[0].slot, slot::inventory);
    EXPECT_EQ(w.items[0].place, at(0, 1, 0));
    for (const Tmapobject& o : w.mapobjects)
        for (const Tinvitem& e : o.contents) EXPECT_FALSE(e.kind == 1 && e.index == 1);
}

}  // namespace
