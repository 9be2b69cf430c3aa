#include "model/init.h"

#include "model/tools.h"

Tplace no_place;
std::array<std::array<int32_t, 3>, 10> dir_offsets{};
std::array<std::array<int32_t, 3>, 3> dir_of_offset{};
TStrings terrain_kinds;
TStrings item_classes;
TStrings resource_kinds;
TStrings ammo_kinds;
std::array<TSvalue, 4> trigger_conditions;
std::array<TSvalue, 11> event_types;
std::array<std::string, 33> skill_names;
std::array<uint16_t, 15> word_table{};
std::array<std::string, 9> trigger_kinds;
TStrings event_actions;
TStrings phys_attrs;
TStrings metabolism_kinds;

message_proc message_handler;
message_proc message_handler2;

const std::string& vocabulary_word(const TStrings& table, int index) {
    static const std::string none;
    return index >= 0 && static_cast<std::size_t>(index) < table.size() ? table[index] : none;
}

void init_tables() {
    no_place = Tplace{-1, -1, -1};

    // Directions clockwise from north-west, y growing downwards; 9 is "here".
    const int32_t offsets[9][2] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {0, 0}};
    dir_offsets = {};
    for (int i = 0; i < 9; ++i) {
        dir_offsets[i + 1] = {offsets[i][0], offsets[i][1], 0};
        dir_of_offset[offsets[i][0] + 1][offsets[i][1] + 1] = i + 1;
    }

    terrain_kinds = {"void", "ground", "stone", "grass", "sand", "snow",
                     "swamp", "ice", "glass", "water", "deep water"};
    item_classes = {"sword", "axe", "mace", "flail", "spear", "staff", "knife", "reserved",
                    "shield", "hat", "helm", "leather coat", "ring mail", "plate", "bow", "crossbow",
                    "shot gun", "revolver", "clipped", "energy gun", "grenade", "trap"};
    resource_kinds = {"money", "wood", "metal", "mineral", "element", "skin", "arrow", "ammo",
                      "clip", "cell", "plant", "food", "liquid", "vial", "mixture of metabolism"};
    ammo_kinds = {"bolt", "sting", "jakan", "shell", "explosive", "smoke"};
    trigger_conditions = {{{"Time For All", "TFA"}, {"Char Step Cell", "CSC"}, {"Char Use Item", "CUI"},
                           {"Period of time", "POT"}}};
    event_types = {{{"Show Message", "MSG"}, {"Sw Trigger active", "SWT"}, {"Set Trigger active", "SET"},
                    {"Sw object pass", "SWO"}, {"Set object pass", "SET"}, {"Sw object visible", "SWO"},
                    {"Set object visble", "SET"}, {"Sw path ways", "SWP"}, {"Set path ways", "SET"},
                    {"Respawn point", "RES"}, {"Respawn map", "RES"}}};
    skill_names = {"",          "bare hands", "knifes",     "swords",       "axes",         "maces",
                   "spears",    "stuffs",     "shields",    "bows",         "crossbows",    "leathers",
                   "mails",     "plates",     "locks",      "traps",        "sneaking",     "hiding",
                   "smith",     "carpentry",  "jewelry",    "sewing",       "cooking",      "alchemy",
                   "wizardy",   "conjury",    "sorcery",    "spirit",       "magic stuffs", "melee attack",
                   "dodging",   "melee defence", ""};
    word_table = {1, 2, 3, 11, 4, 12, 5, 13, 6, 7, 14, 8, 9, 10, 11};
    trigger_kinds = {"",           "timer",       "panel square", "button",      "char death",
                     "destroy obj", "panel round", "panel line H", "panel line V"};
    event_actions = {"nothing", "show message", "switch trigger active", "set trigger active",
                     "switch object pass", "set object pass", "switch object visible", "set object visible",
                     "switch object closed", "set object closed", "switch object locked", "set object locked",
                     "move object", "switch path ways", "set path ways", "respawn resource", "respawn item",
                     "respawn npc", "check trigger", "act trigger", "check char dead",
                     "switch trigger visible", "set trigger visible"};
    phys_attrs = {"claws", "fur", "fists"};
    metabolism_kinds = {"metabolism"};
}

void done_tables() {
    metabolism_kinds.clear();
    phys_attrs.clear();
    event_actions.clear();
    trigger_kinds = {};
    skill_names = {};
    event_types = {};
    trigger_conditions = {};
    terrain_kinds.clear();
    ammo_kinds.clear();
    resource_kinds.clear();
    item_classes.clear();
}

void reset_world(TWorld& world) {
    world.terrains.clear();
    world.maps.clear();
    world.pmapobjects.clear();
    world.mapobjects.clear();
    world.pitems.clear();
    world.items.clear();
    world.presources.clear();
    world.resources.clear();
    world.fracs.clear();
    world.fracrel.clear();
    world.pnpcs.clear();
    world.npcs.clear();
    world.crafts.clear();
    world.paths.clear();
    world.triggers.clear();
    refresh_placed_index(world);
    world.player.npc = -1;
    world.strings = TStrings();
    message_handler = show_message;
    message_handler2 = show_message;
}

void make_counter(int32_t a, int32_t b, Tcounter& counter) {
    counter.low = b;
    counter.high = a;
}

void make_place(int32_t map, int32_t x, int32_t y, Tplace& place) {
    place.x = x;
    place.y = y;
    place.map = map;
}

void make_invitem(int32_t kind, int32_t index, int32_t count, Tinvitem& item) {
    item.kind = kind;
    item.index = index;
    item.count = count;
}
