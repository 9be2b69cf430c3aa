// The trigger and event engine.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

Tevent event(uint8_t action, int32_t target, int32_t value = 0, std::string text = {}) {
    Tevent e;
    e.action = action;
    e.target = target;
    e.value = value;
    e.text = std::move(text);
    e.place = no_place;
    return e;
}

// Objects: 0 a chest on (0,1,0), 1 flowers on (0,3,0) where NPC 0 stands.
// NPCs: 0 alive, 1 with no hit points. Paths: 0 with ways 2, 1 with ways 0.
// Triggers: 0 a button on the chest (the running one), 1 inactive, 2 active
// with a message of its own.
struct Engine : ::testing::Test {
    TWorld w = small_world();
    CapturedMessages captured;
    void SetUp() override {
        place_object(row::chest, at(0, 1, 0), w);
        place_object(row::flowers, at(0, 3, 0), w);
        ASSERT_EQ(place_npc(row::rat, at(0, 3, 0), Tcounter{}, w), 0);
        ASSERT_EQ(place_npc(row::rat, at(0, 4, 4), Tcounter{}, w), 1);
        w.npcs[1].hp = 0;
        w.paths.resize(2);
        w.paths[0].ways = 2;
        w.triggers.resize(3);
        for (Ttrigger& t : w.triggers) t.place = no_place;
        w.triggers[0].kind = 3;
        w.triggers[0].target = 0;
        w.triggers[0].active = true;
        w.triggers[0].counter = {5, 6};
        w.triggers[1].kind = 2;
        w.triggers[2].kind = 2;
        w.triggers[2].active = true;
        w.triggers[2].visible = true;
        w.triggers[2].events = {event(1, 0, 0, "from 2")};
    }
};

TEST_F(Engine, EveryActionOnASmallWorld) {
    using Check = std::function<void(const TWorld&)>;
    using Setup = std::function<void(TWorld&, Tevent&)>;
    const Setup none = [](TWorld&, Tevent&) {};
    const Check same = [](const TWorld&) {};
    struct Case {
        const char* what;
        uint8_t action;
        int32_t target;
        int32_t value;
        Setup setup;
        bool result;
        Check check;
        bool unchanged;  // the world must stay exactly as it was
    };
    const Case cases[] = {
        {"nothing", 0, -1, 0, none, true, same, true},
        {"message", 1, -1, 0, [](TWorld&, Tevent& e) { e.text = "hi"; }, true, same, true},
        {"empty message", 1, -1, 0, none, true, same, true},
        {"switch trigger", 2, 1, 0, none, true, [](const TWorld& w) { EXPECT_TRUE(w.triggers[1].active); }, false},
        {"switch running trigger", 2, -1, 0, none, true,
         [](const TWorld& w) { EXPECT_FALSE(w.triggers[0].active); }, false},
        {"switch no trigger", 2, 3, 0, none, false, same, true},
        {"set trigger on", 3, 1, 1, none, true, [](const TWorld& w) { EXPECT_TRUE(w.triggers[1].active); }, false},
        {"set trigger already on", 3, 2, 1, none, false, same, true},
        {"set trigger off", 3, 2, 0, none, true, [](const TWorld& w) { EXPECT_FALSE(w.triggers[2].active); }, false},
        {"switch pass", 4, 0, 0, none, true, [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].passing); }, false},
        {"switch pass of the watched object", 4, -1, 0, none, true,
         [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].passing); }, false},
        {"switch pass of no object", 4, 7, 0, none, false, same, true},
        {"set pass already", 5, 1, 1, none, false, same, true},
        {"set pass off", 5, 1, 0, none, true, [](const TWorld& w) { EXPECT_FALSE(w.mapobjects[1].passing); }, false},
        {"switch visible", 6, 1, 0, none, true, [](const TWorld& w) { EXPECT_FALSE(w.mapobjects[1].visible); }, false},
        {"set visible off", 7, 0, 0, none, true, [](const TWorld& w) { EXPECT_FALSE(w.mapobjects[0].visible); }, false},
        {"set visible already", 7, 0, 1, none, false, same, true},
        {"switch closed with an NPC there", 8, 1, 0, none, true, same, true},
        {"switch closed", 8, 0, 0, none, true, [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].closed); }, false},
        {"switch open with an NPC there", 8, 1, 0, [](TWorld& w, Tevent&) { w.mapobjects[1].closed = true; }, true,
         [](const TWorld& w) { EXPECT_FALSE(w.mapobjects[1].closed); }, false},
        {"set closed with an NPC there", 9, 1, 1, none, true, same, true},
        {"set closed", 9, 0, 1, none, true, [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].closed); }, false},
        {"set open", 9, 1, 0, [](TWorld& w, Tevent&) { w.mapobjects[1].closed = true; }, true,
         [](const TWorld& w) { EXPECT_FALSE(w.mapobjects[1].closed); }, false},
        {"set open already", 9, 0, 0, none, false, same, true},
        {"switch locked", 10, 0, 0, none, true, [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].locked); }, false},
        {"set locked", 11, 0, 1, none, true, [](const TWorld& w) { EXPECT_TRUE(w.mapobjects[0].locked); }, false},
        {"set locked already", 11, 0, 0, none, false, same, true},
        {"move object", 12, 0, 0, [](TWorld&, Tevent& e) { e.place = at(0, 0, 4); }, true,
         [](const TWorld& w) { EXPECT_EQ(w.mapobjects[0].place, at(0, 0, 4)); }, false},
        {"move object onto an NPC", 12, 0, 0, [](TWorld&, Tevent& e) { e.place = at(0, 4, 4); }, false, same, true},
        {"move object off the map", 12, 0, 0, [](TWorld&, Tevent& e) { e.place = at(0, -1, 4); }, false, same, true},
        {"switch ways after 2", 13, 0, 0, none, true, [](const TWorld& w) { EXPECT_EQ(w.paths[0].ways, 0); }, false},
        {"switch ways", 13, 1, 0, none, true, [](const TWorld& w) { EXPECT_EQ(w.paths[1].ways, 1); }, false},
        {"switch ways of no path", 13, 2, 0, none, false, same, true},
        {"set ways 5", 14, 0, 5, none, true, same, true},
        {"set ways already", 14, 0, 2, none, false, same, true},
        {"set ways", 14, 1, 1, none, true, [](const TWorld& w) { EXPECT_EQ(w.paths[1].ways, 1); }, false},
        {"respawn resource", 15, row::gold, 3, [](TWorld&, Tevent& e) { e.place = at(0, 5, 4); }, true,
         [](const TWorld& w) {
             ASSERT_EQ(w.resources.size(), 1u);
             EXPECT_EQ(w.resources[0].amount, 3);
             EXPECT_EQ(w.resources[0].place, at(0, 5, 4));
         },
         false},
        {"respawn resource on a random cell", 15, row::gold, 3, [](TWorld&, Tevent& e) { e.place = at(1, -1, 0); },
         true,
         [](const TWorld& w) {
             ASSERT_EQ(w.resources.size(), 1u);
             EXPECT_EQ(w.resources[0].place.map, 1);
         },
         false},
        {"respawn bad resource row", 15, 9, 3, [](TWorld&, Tevent& e) { e.place = at(0, 5, 4); }, true, same, true},
        {"respawn item", 16, row::rifle, 0, [](TWorld&, Tevent& e) { e.place = at(0, 5, 3); }, true,
         [](const TWorld& w) {
             ASSERT_EQ(w.items.size(), 1u);
             EXPECT_EQ(w.items[0].place, at(0, 5, 3));
             EXPECT_EQ(w.resources.size(), 4u);  // its clip of three rounds
         },
         false},
        {"respawn npc", 17, row::rat, 0, [](TWorld&, Tevent& e) { e.place = at(0, 0, 3); }, true,
         [](const TWorld& w) {
             ASSERT_EQ(w.npcs.size(), 3u);
             EXPECT_EQ(w.npcs[2].place, at(0, 0, 3));
             EXPECT_EQ(w.npcs[2].spawn_counter, (Tcounter{5, 6}));
         },
         false},
        {"respawn npc onto an NPC", 17, row::rat, 0, [](TWorld&, Tevent& e) { e.place = at(0, 4, 4); }, true, same,
         true},
        {"check trigger off", 18, 1, 0, none, true, same, true},
        {"check trigger on fails", 18, 1, 1, none, false, same, true},
        {"act trigger", 19, 2, 0, none, true, same, true},
        {"act inactive trigger", 19, 1, 0, none, false, same, true},
        {"act the running trigger", 19, -1, 0, none, false, same, true},
        {"check dead NPC", 20, 1, 1, none, true, same, true},
        {"check live NPC dead", 20, 0, 1, none, false, same, true},
        {"check live NPC alive", 20, 0, 0, none, true, same, true},
        {"check missing NPC dead", 20, 9, 1, none, true, same, true},
        {"check missing NPC alive", 20, -1, 0, none, false, same, true},
        {"switch trigger visible", 21, 2, 0, none, true,
         [](const TWorld& w) { EXPECT_FALSE(w.triggers[2].visible); }, false},
        {"set trigger visible", 22, 1, 1, none, true, [](const TWorld& w) { EXPECT_TRUE(w.triggers[1].visible); },
         false},
        {"set trigger visible already", 22, 2, 1, none, false, same, true},
        {"no such action", 23, 0, 0, none, false, same, true},
    };
    // Each event runs as the only event of trigger 0, followed by a marker
    // message that shows only when the event succeeded.
    const std::string marker = "succeeded";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TWorld world = w;
        Tevent e = event(c.action, c.target, c.value);
        c.setup(world, e);
        const TWorld before = world;
        captured.texts.clear();
        world.triggers[0].events = {e, event(1, 0, 0, marker)};
        std::string message;
        run_trigger(0, world, message);
        world.triggers[0].events.clear();
        const bool result = !captured.texts.empty() && captured.texts.back() == marker;
        EXPECT_EQ(result, c.result);
        if (result) captured.texts.pop_back();
        c.check(world);
        if (c.unchanged) {
            EXPECT_EQ(world, before);
        }
        if (c.action == 1) {
            EXPECT_EQ(captured.texts, e.text.empty() ? std::vector<std::string>{} : std::vector<std::string>{e.text});
        }
        if (c.action == 19 && c.result) {
            EXPECT_EQ(captured.texts, std::vector<std::string>{"from 2"});
        }
        EXPECT_TRUE(links_hold(world));
    }
}

TEST_F(Engine, EventsRunInOrderUntilOneFailsUnlessItSaysGoOn) {
    Ttrigger& t = w.triggers[0];
    t.events = {event(1, 0, 0, "one"), event(5, 1, 1), event(1, 0, 0, "three")};
    t.success_text = "done";
    t.false_text = "off";
    std::string message;
    run_trigger(0, w, message);
    EXPECT_EQ(captured.texts, (std::vector<std::string>{"one"}));
    EXPECT_EQ(message, "done");
    captured.texts.clear();
    w.triggers[0].events[1].continue_on_false = true;
    run_trigger(0, w, message);
    EXPECT_EQ(captured.texts, (std::vector<std::string>{"one", "three"}));
}

TEST_F(Engine, AnInactiveTriggerOnlyGivesItsFalseText) {
    Ttrigger& t = w.triggers[1];
    t.kind = 1;
    t.interval = 250;
    t.counter = {10, 0};
    t.false_text = "off";
    t.success_text = "done";
    t.events = {event(1, 0, 0, "never")};
    std::string message = "old";
    run_trigger(1, w, message);
    EXPECT_EQ(message, "off");
    EXPECT_TRUE(captured.texts.empty());
    EXPECT_EQ(w.triggers[1].counter, (Tcounter{10, 0}));
    run_trigger(3, w, message);
    EXPECT_EQ(message, "");
    run_trigger(-1, w, message);
    EXPECT_EQ(message, "");
}

TEST_F(Engine, TimerCarriesAtTwoThousandMillion) {
    Ttrigger& t = w.triggers[2];
    t.kind = 1;
    t.interval = 250;
    t.counter = {1999999900, 0};
    t.events = {event(5, 1, 1)};  // fails: the timer still advances
    std::string message;
    run_trigger(2, w, message);
    EXPECT_EQ(w.triggers[2].counter, (Tcounter{150, 1}));
}

TEST(CounterAdd, CarriesBorrowsAndIgnoresHugeDeltas) {
    constexpr int32_t max = std::numeric_limits<int32_t>::max(), min = std::numeric_limits<int32_t>::min();
    struct Case {
        Tcounter start;
        int32_t delta;
        Tcounter expected;
    } cases[] = {
        {{50, 3}, -100, {1999999950, 2}},
        {{50, 3}, 2000000001, {50, 3}},
        {{50, 3}, -2000000001, {50, 3}},
        {{50, 3}, min, {50, 3}},
        {{2000000000, 0}, 0, {2000000000, 0}},
        {{1999999999, 0}, 2, {1, 1}},
        {{5, max}, 2000000000, {5, max}},  // the carry saturates
        {{0, min}, -1, {1999999999, min}},
        {{max, 0}, 2000000000, {max, 1}},  // a file's low part out of range: no overflow
    };
    for (const Case& c : cases) {
        Tcounter counter = c.start;
        counter_add(c.delta, counter);
        EXPECT_EQ(counter, c.expected) << c.start.low << " + " << c.delta;
    }
}

TEST_F(Engine, TurningTheTriggerOffHappensEvenWhenTheActionFails) {
    Tevent off = event(5, 1, 1);  // fails: the flowers already let pass
    off.turn_off_trigger = true;
    off.continue_on_false = true;
    w.triggers[0].events = {off, event(18, -1, 1), event(1, 0, 0, "not reached")};
    std::string message;
    run_trigger(0, w, message);
    EXPECT_FALSE(w.triggers[0].active);
    EXPECT_TRUE(captured.texts.empty());
    // With no running trigger there is nothing to switch off and no watched object.
    TWorld before = w;
    EXPECT_FALSE(run_event(-1, Tcounter{}, off, w));
    EXPECT_FALSE(run_event(7, Tcounter{}, event(4, -1), w));
    EXPECT_FALSE(run_event(-1, Tcounter{}, event(2, -1), w));
    EXPECT_EQ(w, before);
}

TEST_F(Engine, ActTriggerNeverEntersARunningTriggerAgain) {
    // 0 acts 2, 2 acts 0 and itself: each runs once, and the loop is cut.
    Tevent act2 = event(19, 2);
    Tevent act0 = event(19, 0);
    act0.continue_on_false = true;
    Tevent self = event(19, -1);
    self.continue_on_false = true;
    w.triggers[0].events = {event(1, 0, 0, "zero"), act2};
    w.triggers[2].events = {event(1, 0, 0, "two"), act0, self, event(1, 0, 0, "two again")};
    w.triggers[2].kind = 1;
    w.triggers[2].interval = 1;
    std::string message;
    run_trigger(0, w, message);
    EXPECT_EQ(captured.texts, (std::vector<std::string>{"zero", "two", "two again"}));
    EXPECT_EQ(w.triggers[2].counter.low, 1);
    // Later runs are not blocked by an earlier one.
    captured.texts.clear();
    run_trigger(0, w, message);
    EXPECT_EQ(captured.texts.size(), 3u);
}

// A trigger or object target whose entry was deleted names nothing: the event
// fails and neither the running trigger nor the object it watches is touched.
TEST_F(Engine, ADeletedTargetActsOnNothing) {
    for (int a : {2, 3, 18, 19, 21, 22, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
        SCOPED_TRACE(event_actions[a]);
        TWorld world = w;
        Tevent e = event(static_cast<uint8_t>(a), deleted_target, 1);
        e.place = at(0, 0, 4);  // a free cell for "move object"
        const TWorld before = world;
        EXPECT_FALSE(run_event(0, Tcounter{}, e, world));
        EXPECT_EQ(world, before);
        EXPECT_TRUE(captured.texts.empty());
    }
}

// A "char death" trigger watches an NPC, so object actions with target -1
// have no object to act on; before, the NPC's index was taken for an object's.
TEST_F(Engine, ObjectActionsOfACharDeathTriggerFindNoWatchedObject) {
    w.triggers[2].kind = trigger_kind::char_death;
    w.triggers[2].target = 0;
    const TWorld before = w;
    EXPECT_FALSE(run_event(2, Tcounter{}, event(action::switch_object_pass, -1), w));
    EXPECT_EQ(w, before);
    // Every other kind watches an object.
    w.triggers[2].kind = trigger_kind::panel_square;
    EXPECT_TRUE(run_event(2, Tcounter{}, event(action::switch_object_pass, -1), w));
    EXPECT_TRUE(w.mapobjects[0].passing);
}

TEST_F(Engine, RespawnNpcOnAFullMapCreatesNothingAndSucceeds) {
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) ASSERT_GE(place_npc(row::rat, at(1, x, y), Tcounter{}, w), 0);
    Tevent e = event(17, row::rat);
    e.place = at(1, -1, 2);
    const std::size_t npcs = w.npcs.size();
    EXPECT_TRUE(run_event(0, Tcounter{}, e, w));
    EXPECT_EQ(w.npcs.size(), npcs);
}

TEST(ShowMessage, WithoutAHandlerNothingIsShown) {
    message_proc saved = message_handler;
    message_handler = nullptr;
    TWorld w;
    w.triggers.resize(1);
    w.triggers[0].active = true;
    w.triggers[0].events = {event(1, 0, 0, "lost")};
    std::string message;
    run_trigger(0, w, message);  // no handler: nothing shown, no failure
    message_handler = saved;
}

}  // namespace
