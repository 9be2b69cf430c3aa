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
#include "model/placed_index.h"
#include "tiles/utils.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- names of the codes the records store ----
// Each name stands for the number the world file holds; naming a code never
// changes its value.

// What a thing list entry (Tinvitem::kind) names; delete_thing and draw_thing
// take the same kinds.
namespace thing {
constexpr int32_t item = 1;
constexpr int32_t resource = 2;
}  // namespace thing

// Where a placed item sits (Tpitem::slot).
namespace slot {
constexpr uint8_t cell = 0;       // loose on a cell
constexpr uint8_t inventory = 1;  // in an NPC's inventory or an object's contents
constexpr uint8_t head = 2;
constexpr uint8_t left_hand = 3;
constexpr uint8_t right_hand = 4;
constexpr uint8_t body = 5;
}  // namespace slot

// How a placed resource is held (Tpres::link).
namespace links {
constexpr uint16_t cell = 0;       // loose on a cell
constexpr uint16_t inventory = 1;  // in an NPC's inventory or an object's contents
constexpr uint16_t left_hand = 3;
constexpr uint16_t right_hand = 4;
constexpr uint16_t loaded = 6;  // an item's clip
constexpr uint16_t inside = 7;  // an item's contents or chamber, or a resource's contents
}  // namespace links

// Terrain kinds (Tterrain::kind) where no NPC and only floating objects may stand.
namespace terrain {
constexpr int8_t void_ = 0;
constexpr int8_t water = 9;
constexpr int8_t deep_water = 10;
}  // namespace terrain

inline bool floating_only(int32_t terrain_kind) {
    return terrain_kind == terrain::void_ || terrain_kind == terrain::water || terrain_kind == terrain::deep_water;
}

// Item classes (Tpitem::item_class) the model tests.
namespace item_class {
constexpr int32_t hat = 9;
constexpr int32_t helm = 10;
constexpr int32_t leather_coat = 11;
constexpr int32_t ring_mail = 12;
constexpr int32_t plate = 13;
constexpr int32_t revolver = 17;  // has chambers: one contents entry per chamber
}  // namespace item_class

// Items of these classes go on the head or on the body.
inline bool worn_on_head(int32_t c) { return c == item_class::hat || c == item_class::helm; }
inline bool worn_on_body(int32_t c) { return c >= item_class::leather_coat && c <= item_class::plate; }

// The most chambers a placed revolver may get: a catalogue entry from a file may
// ask for billions, which would take all memory instead of refusing.
constexpr int32_t max_chambers = 65536;

// Resource kinds (Tpres::kind) the model tests.
namespace resource_kind {
constexpr int32_t ammo = 7;
constexpr int32_t clip = 8;
constexpr int32_t cell = 9;
constexpr int32_t liquid = 12;   // exists only as a vial's filling
constexpr int32_t vial = 13;
constexpr int32_t mixture = 14;  // "mixture of metabolism": a vial's filling too
}  // namespace resource_kind

// Clips, cells and vials are always one piece.
inline bool single_piece(int32_t kind) {
    return kind == resource_kind::clip || kind == resource_kind::cell || kind == resource_kind::vial;
}

// What a recipe makes (Tcraft::product_kind): which catalogue Tcraft::product indexes.
namespace product {
constexpr int32_t object = 0;
constexpr int32_t item = 1;
constexpr int32_t resource = 2;
}  // namespace product

// Which ways a path may be walked (Tpath::ways).
namespace ways {
constexpr uint8_t none = 0;
constexpr uint8_t one_way = 1;
constexpr uint8_t both = 2;
}  // namespace ways

// Trigger kinds (Ttrigger::kind), indexes into trigger_kinds.
namespace trigger_kind {
constexpr uint8_t timer = 1;  // adds its interval to its counter after each run
constexpr uint8_t panel_square = 2;
constexpr uint8_t button = 3;
constexpr uint8_t char_death = 4;  // watches a placed NPC; every other kind a placed object
constexpr uint8_t destroy_obj = 5;
constexpr uint8_t panel_round = 6;
constexpr uint8_t panel_line_h = 7;
constexpr uint8_t panel_line_v = 8;
}  // namespace trigger_kind

// Event actions (Tevent::action), indexes into event_actions.
namespace action {
constexpr uint8_t nothing = 0;
constexpr uint8_t show_message = 1;
constexpr uint8_t switch_trigger_active = 2;
constexpr uint8_t set_trigger_active = 3;
constexpr uint8_t switch_object_pass = 4;
constexpr uint8_t set_object_pass = 5;
constexpr uint8_t switch_object_visible = 6;
constexpr uint8_t set_object_visible = 7;
constexpr uint8_t switch_object_closed = 8;
constexpr uint8_t set_object_closed = 9;
constexpr uint8_t switch_object_locked = 10;
constexpr uint8_t set_object_locked = 11;
constexpr uint8_t move_object = 12;
constexpr uint8_t switch_path_ways = 13;
constexpr uint8_t set_path_ways = 14;
constexpr uint8_t respawn_resource = 15;
constexpr uint8_t respawn_item = 16;
constexpr uint8_t respawn_npc = 17;
constexpr uint8_t check_trigger = 18;
constexpr uint8_t act_trigger = 19;
constexpr uint8_t check_char_dead = 20;
constexpr uint8_t switch_trigger_visible = 21;
constexpr uint8_t set_trigger_visible = 22;
constexpr int count = 23;
}  // namespace action

// The event target of a trigger or object action whose entry was deleted.
// -1 would mean the running trigger or the object it watches; -2 names
// nothing, so the event fails instead of acting on something else.
constexpr int32_t deleted_target = -2;

// A cell: column, row and index into TWorld::maps.
struct Tplace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t map = 0;
    bool operator==(const Tplace&) const = default;
};

// One entry of a thing list: kind thing::item or thing::resource; index is a catalogue
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

struct Tpitem {
    std::string name;
    std::string text2;  // [spare]
    int32_t row = 0;         // placed: its catalogue row
    int32_t item_class = 0;  // index into item_classes
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
    int32_t load = 0;   // capacity of contents; for a revolver the number of chambers
    tintarray contents;  // catalogue: resource rows; placed: placed resources; revolver: -1 = empty chamber
    uint16_t flags16 = 0;
    tintarray children;  // resource rows allowed inside
    int32_t image = 0;
    int32_t value = 0;
    uint16_t hands = 0;
    int32_t reserved4 = 0;  // [spare]
    Tplace place;               // [placed]
    int32_t holder_object = 0;  // [placed]
    int32_t holder_npc = 0;     // [placed]
    uint8_t slot = slot::cell;   // [placed]
    std::string title;
    bool operator==(const Tpitem&) const = default;
};

struct Tpres {
    std::string name;
    Tplace place;      // [placed]
    int32_t row = 0;   // placed: its catalogue row; catalogue: its own row
    int32_t kind = 0;  // index into resource_kinds
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
    uint16_t link = links::cell;   // [placed]
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
    int32_t product_kind = 0;  // product::object, item or resource
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
    uint8_t ways = 0;    // ways::one_way, both, or none
    bool operator==(const Tpath&) const = default;
};
using Tpaths = std::vector<Tpath>;

struct Tevent {
    uint8_t action = 0;   // action: 0..22, index into event_actions
    int32_t target = 0;  // what it names by action (event_target); -1 and -2 see deleted_target
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
    uint8_t kind = 0;  // trigger_kind: 1..8, index into trigger_kinds
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
    int32_t target = 0;  // watched placed NPC (char death) or placed object (every other kind)
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
    PlacedIndex placed_index;  // where the placed things lie: not stored, never compared
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
