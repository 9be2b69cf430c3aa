#pragma once
// The world record, every record type it holds, the vocabulary tables, the
// world reset and the small constructors of element shapes.
//
// Every cross reference is an index into one of the world's lists; -1 means
// "none". A new record is all zeros and empty texts and lists, like the new
// entries of a grown list; code that makes a record sets what it means.
// Catalogue entries and placed things share one record type each.
// Fields marked [placed] mean something only in a placed thing; [spare] ones are
// never set or read and not stored; [file only] ones are never set by the
// editor but kept through a load and a save.
#include "tiles/utils.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A cell: column, row and index into TWorld::maps.
struct Tplace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t map = 0;
    bool operator==(const Tplace&) const = default;
};

// One entry of a thing list: kind 1 = item, 2 = resource; index is a catalogue
// row in templates, recipes and parts lists, a placed index in placed things.
struct Tinvitem {
    int32_t kind = 0;
    int32_t index = 0;
    int32_t count = 0;
    bool operator==(const Tinvitem&) const = default;
};

// A required skill (number counted from 1 into skill_names) or a physiological
// attribute (number counted from 0 into phys_attrs) with its level.
struct Tskill {
    int32_t number = 0;
    int32_t value = 0;
    int32_t spare = 0;
    bool operator==(const Tskill&) const = default;
};

// A two-word counter: low stays within 0..2,000,000,000, high counts the carries.
struct Tcounter {
    int32_t low = 0;
    int32_t high = 0;
    bool operator==(const Tcounter&) const = default;
};

using Tinvitems = std::vector<Tinvitem>;
using Tskills = std::vector<Tskill>;

struct Tterrain {
    uint16_t hardness = 0;     // 1..3200, 400 normal
    uint16_t frame_count = 0;  // 1, 2, 4 or 8
    int8_t kind = 0;           // index into terrain_kinds
    tintarray frames;          // tile frame numbers, frame_count of them
    bool operator==(const Tterrain&) const = default;
};

struct Tmap {
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
    tintmatrix cells;  // cells[x][y] = row of TWorld::terrains; width lists of height values
    bool operator==(const Tmap&) const = default;
};

struct Tmapobject {
    std::string name;
    int32_t row = 0;          // catalogue: its own row when added; placed: the row it came from
    int32_t frame_count = 0;  // frames in each of the two lists: 1, 2, 4 or 8
    int32_t size = 0;         // 0..32 pixels; a chest holds size / 4 things
    int32_t height = 0;
    int32_t form = 0;  // 0 round, 1 square
    int32_t lock = 0;  // 0..10
    int32_t reserved1 = 0;  // [spare]
    int32_t reserved2 = 0;  // [spare]
    int32_t hp = 0;
    Tplace place;  // [placed]
    int32_t arm1 = 0, arm2 = 0, arm3 = 0;
    int32_t reserved3 = 0;  // [spare]
    tintarray frames;
    tintarray frames2;
    bool floating = false;
    bool chest = false;
    bool door = false;
    bool locked = false;
    bool closed = false;
    bool passing = false;
    bool visible = false;
    bool transmitter = false;
    bool receiver = false;
    bool transparent = false;
    Tinvitems contents;  // [placed] placed items and resources inside
    Tinvitems parts;     // catalogue rows of items and resources with counts
    std::string title;
    bool operator==(const Tmapobject&) const = default;
};

// Where a placed item sits (Tpitem::slot).
enum : uint8_t { slot_cell = 0, slot_inventory = 1, slot_head = 2, slot_left_hand = 3, slot_right_hand = 4,
                 slot_body = 5 };

struct Tpitem {
    std::string name;
    std::string text2;  // [spare]
    int32_t row = 0;         // placed: its catalogue row
    int32_t item_class = 0;  // index into item_classes; 17 "revolver" has chambers
    int32_t reserved1 = 0;   // [spare]
    int32_t hp = 0;
    int32_t volume = 0;  // kept by the item editor only; not stored in the world file
    int32_t weight = 0;
    int32_t arm1 = 0, arm2 = 0, arm3 = 0;
    int32_t reserved2 = 0;  // [spare]
    int32_t dem1 = 0, dem2 = 0, dem3 = 0;
    int32_t reserved3 = 0;  // [spare]
    int32_t attack = 0, defence = 0, block = 0;
    int32_t a = 0, b = 0, c = 0;  // bow values
    int32_t cover = 0, skov = 0, penalty = 0;
    int32_t clip = 0;  // catalogue: resource row of the clip that comes loaded; placed: placed resource
    int32_t load = 0;   // capacity of contents; for class 17 the number of chambers
    tintarray contents;  // catalogue: resource rows; placed: placed resources; class 17: -1 = empty chamber
    uint16_t flags16 = 0;
    tintarray children;  // resource rows allowed inside
    int32_t image = 0;
    int32_t value = 0;
    uint16_t hands = 0;
    int32_t reserved4 = 0;  // [spare]
    Tplace place;               // [placed]
    int32_t holder_object = 0;  // [placed]
    int32_t holder_npc = 0;     // [placed]
    uint8_t slot = slot_cell;    // [placed]
    std::string title;
    bool operator==(const Tpitem&) const = default;
};

// How a placed resource is held (Tpres::link).
enum : uint16_t { link_cell = 0, link_inventory = 1, link_left_hand = 3, link_right_hand = 4, link_loaded = 6,
                  link_inside = 7 };

struct Tpres {
    std::string name;
    Tplace place;      // [placed]
    int32_t row = 0;   // placed: its catalogue row; catalogue: its own row
    int32_t kind = 0;  // index into resource_kinds: 7 ammo, 8 clip, 9 cell, 12 liquid, 13 vial, 14 mixture
    int32_t value = 0;
    int32_t amount = 0;
    int32_t weight = 0;
    int32_t power = 0;  // capacity of a clip or cell, fill amount of a vial
    int32_t image_one = 0;
    int32_t image_many = 0;
    int32_t holder_object = 0;    // [placed]
    int32_t holder_npc = 0;       // [placed]
    int32_t holder_item = 0;      // [placed]
    int32_t holder_resource = 0;  // [placed]
    uint16_t link = link_cell;     // [placed]
    tintarray contents;  // catalogue: resource rows; placed: placed resources
    Tinvitem filling;    // a vial's filling: kind 2, index = resource row or -1, count = amount
    tintarray children;  // resource rows allowed inside
    std::string title;
    bool operator==(const Tpres&) const = default;
};

struct Tfrac {
    std::string name;
    int32_t image = 0;
    bool operator==(const Tfrac&) const = default;
};

struct Tchar {
    int32_t reserved0 = 0;  // [file only]
    std::string name;
    std::string self_name;
    int32_t STR = 0, AGI = 0, DEX = 0, ACU = 0, CON = 0, INT = 0, WIS = 0, PER = 0;
    int32_t figure = 0;
    int32_t portrait = 0;
    Tinvitems inventory;  // template: catalogue rows with counts; placed: placed things
    Tinvitems parts;      // resource rows with counts
    Tplace place;         // [placed]
    int32_t state1 = 0, state2 = 0, state3 = 0;  // [file only]
    std::string description;
    int32_t head = 0;  // template: item row; placed: placed item
    int32_t body = 0;
    Tinvitem left_hand;   // index -1 = empty
    Tinvitem right_hand;
    std::array<int32_t, 32> skills{};  // skills[i - 1] is the level of skill number i
    Tskills phys_attrs;
    Tskills extra_skills;  // [file only]
    int32_t fraction = 0;
    int32_t hp = 0;
    int32_t hp_spare = 0;  // [spare]
    int32_t mp = 0;
    int32_t mp_spare = 0;  // [spare]
    int32_t sp = 0;
    int32_t size = 0;
    int32_t state4 = 0;        // [file only]
    Tcounter spawn_counter;    // [placed]
    int32_t state5 = 0, state6 = 0;  // [file only]
    Tplace last_seen_enemy;    // [placed]
    uint8_t state_byte = 0;    // [file only]
    int8_t state_s1 = 0, state_s2 = 0;  // [file only]
    int32_t state7 = 0, state8 = 0;     // [file only]
    bool operator==(const Tchar&) const = default;
};

struct Tcraft {
    Tinvitems ingredients;
    int32_t tool = 0;         // item row, -1 none
    int32_t near_object = 0;  // object row, -1 none
    int32_t product = 0;
    int32_t product_kind = 0;  // 0 object, 1 item, 2 resource
    int32_t time = 0;
    Tskills skills;  // skill numbers counted from 1
    std::string word;
    bool operator==(const Tcraft&) const = default;
};
using Tcrafts = std::vector<Tcraft>;

struct Tpath {
    Tplace from;
    Tplace to;
    int32_t length = 0;  // [file only]
    uint8_t ways = 0;    // 1 one way, 2 both, 0 nothing
    bool operator==(const Tpath&) const = default;
};
using Tpaths = std::vector<Tpath>;

struct Tevent {
    uint8_t action = 0;   // 0..22, index into event_actions
    int32_t target = 0;  // by action; -1 = the running trigger or what it watches
    bool turn_off_self = false;
    bool turn_off_trigger = false;
    Tplace place;
    bool search = false;
    bool continue_on_false = false;
    int32_t value = 0;
    std::string text;
    std::string target_name;  // not stored in the world file
    bool operator==(const Tevent&) const = default;
};
using Tevents = std::vector<Tevent>;

struct Ttrigger {
    uint8_t kind = 0;  // 1..8, index into trigger_kinds
    bool visible = false;
    bool active = false;
    Tplace place;
    int32_t interval = 0;
    Tcounter counter;
    bool once = false;
    std::string name;
    std::string description;
    std::string success_text;
    std::string false_text;
    int32_t target = 0;  // watched placed object (kinds 3, 5) or placed NPC (kind 4)
    int32_t size = 0;
    Tevents events;
    bool operator==(const Ttrigger&) const = default;
};
using Ttriggers = std::vector<Ttrigger>;

struct tplayer {
    int32_t npc = 0;  // placed NPC that is the player, -1 none
    int32_t free_points = 0;
    int32_t free_skill_points = 0;
    tintarray pictures;
    tintarray portraits;
    bool change_name = false;
    bool operator==(const tplayer&) const = default;
};

struct TSvalue {
    std::string caption;
    std::string code;  // at most 3 characters
};

struct TWorld {
    std::vector<Tterrain> terrains;
    std::vector<Tmap> maps;
    std::vector<Tmapobject> pmapobjects;  // object catalogue
    std::vector<Tmapobject> mapobjects;   // placed objects
    std::vector<Tpitem> pitems;           // item catalogue
    std::vector<Tpitem> items;            // placed items
    std::vector<Tpres> presources;        // resource catalogue
    std::vector<Tpres> resources;         // placed resources
    std::vector<Tfrac> fracs;
    std::vector<std::vector<int8_t>> fracrel;  // fracrel[a][b]: relation of fraction a to b
    std::vector<Tchar> pnpcs;  // NPC templates
    std::vector<Tchar> npcs;   // placed NPCs
    Tcrafts crafts;
    Tpaths paths;
    Ttriggers triggers;
    Tevents events;  // world-level list: never read or filled, kept by the reset, not stored
    tplayer player;
    TStrings strings;  // made anew by the reset, never used, not stored
    bool operator==(const TWorld&) const = default;
};

// ---- vocabulary tables, filled by init_tables ----

extern Tplace no_place;  // (-1, -1, -1): nowhere
extern std::array<std::array<int32_t, 3>, 10> dir_offsets;  // entries 1..9 (dx, dy, 0); nothing reads it
extern std::array<std::array<int32_t, 3>, 3> dir_of_offset;  // [dx + 1][dy + 1]; nothing reads it
extern TStrings terrain_kinds;    // 11 words, 0..10
extern TStrings item_classes;     // 22 words, 0..21
extern TStrings resource_kinds;   // 15 words, 0..14
extern TStrings ammo_kinds;       // 6 words; nothing reads it
extern std::array<TSvalue, 4> trigger_conditions;
extern std::array<TSvalue, 11> event_types;
extern std::array<std::string, 33> skill_names;  // entries 1..32; entry 32 is empty, entry 0 unused
extern std::array<uint16_t, 15> word_table;      // nothing reads it
extern std::array<std::string, 9> trigger_kinds;  // entries 1..8, entry 0 unused
extern TStrings event_actions;     // 23 words, 0..22
extern TStrings phys_attrs;        // 3 words, 0..2
extern TStrings metabolism_kinds;  // 1 word; nothing reads it

// The word at index of a vocabulary list, or the empty text when index is outside it.
const std::string& vocabulary_word(const TStrings& table, int index);
template <std::size_t N>
const std::string& vocabulary_word(const std::array<std::string, N>& table, int index) {
    static const std::string none;
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[index] : none;
}

// Procedures that take one text: "show message" events call message_handler;
// message_handler2 is never called. Both are empty until the first reset.
using message_proc = std::function<void(const std::string&)>;
extern message_proc message_handler;
extern message_proc message_handler2;

// The world model's start-up: fills the tables above in order. Runs once.
void init_tables();
// Releases the tables (the world model's shut-down).
void done_tables();

// Empties every list of the world but TWorld::events, sets the player's NPC to
// -1 (the other player fields stay), makes a new string list and installs
// show_message as both message handlers.
void reset_world(TWorld& world);

void make_counter(int32_t a, int32_t b, Tcounter& counter);  // low := b, high := a
void make_place(int32_t map, int32_t x, int32_t y, Tplace& place);  // note: map first
void make_invitem(int32_t kind, int32_t index, int32_t count, Tinvitem& item);
