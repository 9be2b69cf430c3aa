#include "model/init.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

TEST(Tables, SizesWordsAndIndexBases) {
    EXPECT_EQ(no_place, (Tplace{-1, -1, -1}));
    EXPECT_EQ(terrain_kinds.size(), 11u);
    EXPECT_EQ(terrain_kinds[0], "void");
    EXPECT_EQ(terrain_kinds[9], "water");
    EXPECT_EQ(terrain_kinds[10], "deep water");
    EXPECT_EQ(item_classes.size(), 22u);
    EXPECT_EQ(item_classes[17], "revolver");
    EXPECT_EQ(item_classes[21], "trap");
    EXPECT_EQ(resource_kinds.size(), 15u);
    EXPECT_EQ(resource_kinds[8], "clip");
    EXPECT_EQ(resource_kinds[14], "mixture of metabolism");
    EXPECT_EQ(ammo_kinds.size(), 6u);
    EXPECT_EQ(event_actions.size(), 23u);
    EXPECT_EQ(event_actions[0], "nothing");
    EXPECT_EQ(event_actions[22], "set trigger visible");
    EXPECT_EQ(phys_attrs, TStrings({"claws", "fur", "fists"}));
    EXPECT_EQ(metabolism_kinds, TStrings({"metabolism"}));
    // Skill names and trigger kinds count from 1; skill 32 has no name.
    EXPECT_EQ(skill_names[1], "bare hands");
    EXPECT_EQ(skill_names[31], "melee defence");
    EXPECT_EQ(skill_names[32], "");
    for (int i = 1; i <= 31; ++i) EXPECT_FALSE(skill_names[i].empty()) << i;
    EXPECT_EQ(trigger_kinds[1], "timer");
    EXPECT_EQ(trigger_kinds[5], "destroy obj");
    EXPECT_EQ(trigger_kinds[8], "panel line V");
    EXPECT_EQ(trigger_conditions[3].caption, "Period of time");
    EXPECT_EQ(trigger_conditions[3].code, "POT");
    EXPECT_EQ(event_types[6].caption, "Set object visble");
    EXPECT_EQ(event_types[10].code, "RES");
    EXPECT_EQ(word_table[14], 11);
    EXPECT_EQ(dir_offsets[1], (std::array<int32_t, 3>{-1, -1, 0}));
    EXPECT_EQ(dir_offsets[9], (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(dir_of_offset[0][0], 1);
    EXPECT_EQ(dir_of_offset[1][1], 9);
    EXPECT_EQ(dir_of_offset[2][1], 4);
}

TEST(Tables, WordLookupOutsideATableIsEmpty) {
    EXPECT_EQ(vocabulary_word(terrain_kinds, 3), "grass");
    EXPECT_EQ(vocabulary_word(terrain_kinds, 11), "");
    EXPECT_EQ(vocabulary_word(terrain_kinds, -1), "");
    EXPECT_EQ(vocabulary_word(skill_names, 33), "");
    EXPECT_EQ(vocabulary_word(trigger_kinds, 4), "char death");
}

TEST(Constructors, ArgumentOrder) {
    Tplace p;
    make_place(7, 1, 2, p);  // map first
    EXPECT_EQ(p, (Tplace{1, 2, 7}));
    Tcounter c;
    make_counter(3, 4, c);
    EXPECT_EQ(c.low, 4);
    EXPECT_EQ(c.high, 3);
    Tinvitem i;
    make_invitem(2, 5, 9, i);
    EXPECT_EQ(i, (Tinvitem{2, 5, 9}));
}

TEST(Reset, EmptiesEveryListButTheEventsAndKeepsThePlayersOtherFields) {
    TWorld w;
    w.terrains.resize(2);
    w.maps.resize(1);
    w.pmapobjects.resize(1);
    w.mapobjects.resize(1);
    w.pitems.resize(1);
    w.items.resize(1);
    w.presources.resize(1);
    w.resources.resize(1);
    w.fracs.resize(1);
    w.fracrel = {{1}};
    w.pnpcs.resize(1);
    w.npcs.resize(1);
    w.crafts.resize(1);
    w.paths.resize(1);
    w.triggers.resize(1);
    w.events.resize(3);
    w.strings = {"old"};
    w.player = {4, 10, 20, {1, 2}, {3}, true};
    reset_world(w);
    TWorld expected;
    expected.events.resize(3);
    expected.player = {-1, 10, 20, {1, 2}, {3}, true};
    EXPECT_EQ(w, expected);
}

TEST(Reset, InstallsShowMessageAsBothHandlers) {
    ScriptedModalGuard scripted;
    message_handler = nullptr;
    message_handler2 = nullptr;
    TWorld w;
    reset_world(w);
    ASSERT_TRUE(message_handler);
    ASSERT_TRUE(message_handler2);
    message_handler("hello");
    message_handler2("again");
    EXPECT_EQ(scripted->messages, TStrings({"hello", "again"}));
}
