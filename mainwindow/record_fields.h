#pragma once
// The field table of every record a window loads into its controls and
// writes back: each field once, with its conversion and range. The pages and
// the secondary windows bind their own controls to these (fields::Form).
#include "mainwindow/field_table.h"
#include "model/init.h"

// An item, template or placed: "class" (pick, "Select the class!" when none),
// "name", "title", "hp", "weight", "volume", "value", "load", "hands" (16 bits),
// "dem1".."dem3", "arm1".."arm3", "a", "b", "c", "attack", "defence", "block",
// "cover", "skov", "penalty".
const fields::Table<Tpitem>& item_fields();
// An object, template or placed: "name", "title", "size", "height", "hp",
// "arm1".."arm3", "form" and "lock" (picks), and the flags "floating", "chest",
// "door", "locked", "closed", "passing", "visible", "transmitter", "receiver",
// "transparent".
const fields::Table<Tmapobject>& object_fields();
// An NPC, template or placed: "name", "self_name", "description", "fraction"
// (pick), "STR", "AGI", "DEX", "CON", "ACU", "INT", "WIS", "PER", "hp", "sp",
// "mp", "size", "skill1".."skill32", "seen_map", "seen_x", "seen_y" (the place
// it last saw an enemy).
const fields::Table<Tchar>& npc_fields();
// A resource, template or placed: "name", "title", "kind" (pick, "Select the
// type!" when none), "value", "weight", "power", "amount".
const fields::Table<Tpres>& resource_fields();
// A trigger: "kind" (pick, the box shows kind 1 first), "name", "description",
// "success_text", "false_text", "map" (pick), "x", "y", "target", "size",
// "interval", "visible", "once", "active".
const fields::Table<Ttrigger>& trigger_fields();
// An event: "action" (pick, the box shows action 1 first), "target",
// "target_name", "map" (pick), "x", "y", "value", "text", "turn_off_self",
// "turn_off_trigger", "search", "continue_on_false".
const fields::Table<Tevent>& event_fields();
