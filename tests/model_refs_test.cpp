// Deleting and moving triggers, paths, placed objects and placed NPCs keeps
// every event target and watched thing naming what it named before.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Three of everything that events name. Trigger 0 ("timer", watching object
// 2) holds one event per line of the table below; trigger 1 is a "button" on
// object 1, trigger 2 a "char death" watching NPC 2.
struct Refs : ::testing::Test {
    TWorld w = small_world();
    void SetUp() override {
        for (int x = 0; x < 3; ++x) {
            place_object(row::chest, at(0, x, 0), w);
            ASSERT_EQ(place_npc(row::rat, at(0, x, 2), Tcounter{}, w), x);
        }
        w.paths.resize(3);
        w.player.npc = 2;
        w.triggers.resize(3);
        const uint8_t kinds[] = {trigger_kind::timer, trigger_kind::button, trigger_kind::char_death};
        const int32_t watched[] = {2, 1, 2};
        for (int t = 0; t < 3; ++t) {
            w.triggers[t].kind = kinds[t];
            w.triggers[t].target = watched[t];
            w.triggers[t].place = at(0, 5, t);
            w.triggers[t].name = "t" + std::to_string(t);
        }
        w.triggers[0].events = {
            event(action::act_trigger, 2),          event(action::act_trigger, 1),
            event(action::switch_trigger_active, 2), event(action::act_trigger, -1),
            event(action::check_trigger, 1),        event(action::switch_path_ways, 2),
            event(action::set_path_ways, 1),        event(action::switch_path_ways, -1),
            event(action::switch_object_pass, 2),   event(action::set_object_visible, 1),
            event(action::move_object, -1),         event(action::check_char_dead, 2),
            event(action::check_char_dead, 1),      event(action::respawn_item, 1),
        };
        ASSERT_TRUE(links_hold(w));
    }
};

TEST_F(Refs, EveryDeletionAndMoveKeepsReferencesTrue) {
    constexpr int32_t gone = deleted_target;
    struct Case {
        const char* what;
        std::function<void(TWorld&)> op;
        int32_t events_in;                // the trigger that holds the events afterwards
        std::vector<int32_t> targets;     // of the events, in order
        std::vector<int32_t> watched;     // Ttrigger::target of each trigger afterwards
        int32_t player;
    };
    const Case cases[] = {
        {"delete trigger 1", [](TWorld& w) { delete_trigger(1, w); }, 0,
         {1, gone, 1, -1, gone, 2, 1, -1, 2, 1, -1, 2, 1, 1}, {2, 2}, 2},
        {"swap triggers 1 and 2", [](TWorld& w) { EXPECT_TRUE(swap_triggers(1, 2, w)); }, 0,
         {1, 2, 1, -1, 2, 2, 1, -1, 2, 1, -1, 2, 1, 1}, {2, 2, 1}, 2},
        {"swap triggers 2 and 0: the events move with theirs", [](TWorld& w) { EXPECT_TRUE(swap_triggers(2, 0, w)); },
         2, {0, 1, 0, -1, 1, 2, 1, -1, 2, 1, -1, 2, 1, 1}, {2, 1, 2}, 2},
        {"delete path 1", [](TWorld& w) { delete_path(1, w); }, 0,
         {2, 1, 2, -1, 1, 1, -1, -1, 2, 1, -1, 2, 1, 1}, {2, 1, 2}, 2},
        {"delete object 1", [](TWorld& w) { delete_mapobject(1, w); }, 0,
         {2, 1, 2, -1, 1, 2, 1, -1, 1, gone, -1, 2, 1, 1}, {1, -1, 2}, 2},
        {"delete NPC 1", [](TWorld& w) { delete_npc(1, w); }, 0,
         {2, 1, 2, -1, 1, 2, 1, -1, 2, 1, -1, 1, -1, 1}, {2, 1, 1}, 1},
        {"delete NPC 2, the player", [](TWorld& w) { delete_npc(2, w); }, 0,
         {2, 1, 2, -1, 1, 2, 1, -1, 2, 1, -1, -1, 1, 1}, {2, 1, -1}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TWorld world = w;
        c.op(world);
        ASSERT_EQ(world.triggers.size(), c.watched.size());
        EXPECT_EQ(targets(world.triggers[c.events_in].events), c.targets);
        std::vector<int32_t> watched;
        for (const Ttrigger& t : world.triggers) watched.push_back(t.target);
        EXPECT_EQ(watched, c.watched);
        EXPECT_EQ(world.player.npc, c.player);
        EXPECT_TRUE(links_hold(world));
    }
}

TEST_F(Refs, OnlyAButtonOnTheDeletedObjectLosesItsPlace) {
    delete_mapobject(1, w);
    EXPECT_EQ(w.triggers[1].place, at(-1, 5, 1));
    EXPECT_EQ(w.triggers[0].place, at(0, 5, 0));
}

TEST_F(Refs, IndexesOutsideTheListsChangeNothing) {
    const TWorld before = w;
    for (int32_t bad : {-1, 3, 100}) {
        delete_trigger(bad, w);
        delete_path(bad, w);
        EXPECT_FALSE(swap_triggers(bad, 0, w));
        EXPECT_FALSE(swap_triggers(1, bad, w));
    }
    EXPECT_EQ(w, before);
    EXPECT_TRUE(swap_triggers(1, 1, w));
    EXPECT_EQ(w, before);
}

TEST_F(Refs, DeletingAnEventOrACatalogueEntryRenumbersNothing) {
    const std::vector<int32_t> before = targets(w.triggers[0].events);
    delete_event(0, w.triggers[0].events);
    EXPECT_EQ(targets(w.triggers[0].events), std::vector<int32_t>(before.begin() + 1, before.end()));
    const Tevents events = w.triggers[0].events;
    delete_pmapobject(0, w);
    EXPECT_EQ(w.triggers[0].events, events);
}

// Before, a deleted trigger's "act trigger" turned into -1, the running
// trigger, and the "switch trigger active" aimed at the trigger behind it.
TEST_F(Refs, AfterDeletingATriggerItsEventsActOnNothingElse) {
    CapturedMessages captured;
    for (Ttrigger& t : w.triggers) t.active = true;
    w.triggers[0].events = {event(action::act_trigger, 1), event(action::switch_trigger_active, 1)};
    for (Tevent& e : w.triggers[0].events) e.continue_on_false = true;
    w.triggers[0].events.push_back(event(action::show_message, 0));
    w.triggers[0].events.back().text = "end";
    w.triggers[2].events = {event(action::show_message, 0)};
    w.triggers[2].events[0].text = "from the trigger behind";
    delete_trigger(1, w);
    std::string message;
    run_trigger(0, w, message);
    EXPECT_EQ(captured.texts, std::vector<std::string>{"end"});
    EXPECT_TRUE(w.triggers[0].active);
    EXPECT_TRUE(w.triggers[1].active);
}

}  // namespace
