// What events and triggers name by index, and keeping those references true
// when triggers, paths, placed objects and placed NPCs are deleted or moved.
#include "model/links.h"
#include "model/tools.h"

#include <array>
#include <utility>

using links::in_range;

namespace {

// What an event's target names, by action. own: -1 has a meaning of its own
// there (the running trigger, or the object the running trigger watches), so
// a target whose entry is deleted becomes deleted_target instead of -1.
struct TargetRule {
    Names names;
    bool own;
};
constexpr std::array<TargetRule, action::count> event_targets = {{
    {Names::nothing, false},        // nothing
    {Names::nothing, false},        // show message
    {Names::trigger, true},         // switch trigger active
    {Names::trigger, true},         // set trigger active
    {Names::placed_object, true},   // switch object pass
    {Names::placed_object, true},   // set object pass
    {Names::placed_object, true},   // switch object visible
    {Names::placed_object, true},   // set object visible
    {Names::placed_object, true},   // switch object closed
    {Names::placed_object, true},   // set object closed
    {Names::placed_object, true},   // switch object locked
    {Names::placed_object, true},   // set object locked
    {Names::placed_object, true},   // move object
    {Names::path, false},           // switch path ways
    {Names::path, false},           // set path ways
    {Names::resource_row, false},   // respawn resource
    {Names::item_row, false},       // respawn item
    {Names::npc_template, false},   // respawn npc
    {Names::trigger, true},         // check trigger
    {Names::trigger, true},         // act trigger
    {Names::placed_npc, false},     // check char dead: -1 names no NPC, which counts as dead
    {Names::trigger, true},         // switch trigger visible
    {Names::trigger, true},         // set trigger visible
}};

// How the indexes of one list change: entry removed goes (later ones move
// down by one), or entries a and b swap places.
struct Change {
    int32_t removed = -1;
    int32_t a = -1, b = -1;

    // The new value of a reference that held old; gone is what a reference to
    // the removed entry becomes. Negative values name no entry and stay.
    int32_t follow(int32_t old, int32_t gone) const {
        if (old < 0) return old;
        if (removed >= 0) return old == removed ? gone : old > removed ? old - 1 : old;
        return old == a ? b : old == b ? a : old;
    }
};

void follow_event(Names list, const Change& change, Tevent& e) {
    if (event_target(e.action) != list) return;
    e.target = change.follow(e.target, minus_one_is_own(e.action) ? deleted_target : -1);
}

void follow(Names list, const Change& change, TWorld& world) {
    for (Ttrigger& t : world.triggers) {
        if (watched_by(t.kind) == list) t.target = change.follow(t.target, -1);
        for (Tevent& e : t.events) follow_event(list, change, e);
    }
    for (Tevent& e : world.events) follow_event(list, change, e);
    if (list == Names::placed_object) {
        for (Tpitem& it : world.items) it.holder_object = change.follow(it.holder_object, -1);
        for (Tpres& r : world.resources) r.holder_object = change.follow(r.holder_object, -1);
    }
    if (list == Names::placed_npc) {
        for (Tpitem& it : world.items) it.holder_npc = change.follow(it.holder_npc, -1);
        for (Tpres& r : world.resources) r.holder_npc = change.follow(r.holder_npc, -1);
        world.player.npc = change.follow(world.player.npc, -1);
    }
}

}  // namespace

Names event_target(uint8_t action) { return action < action::count ? event_targets[action].names : Names::nothing; }

bool minus_one_is_own(uint8_t action) { return action < action::count && event_targets[action].own; }

Names watched_by(uint8_t kind) {
    return kind == trigger_kind::char_death ? Names::placed_npc : Names::placed_object;
}

namespace links {

void follow_removal(Names list, int32_t index, TWorld& world) { follow(list, Change{.removed = index}, world); }

void follow_swap(Names list, int32_t a, int32_t b, TWorld& world) {
    follow(list, Change{.a = a, .b = b}, world);
}

}  // namespace links

void delete_trigger(int32_t index, TWorld& world) {
    if (!in_range(index, world.triggers)) return;
    world.triggers.erase(world.triggers.begin() + index);
    links::follow_removal(Names::trigger, index, world);
}

bool swap_triggers(int32_t a, int32_t b, TWorld& world) {
    if (!in_range(a, world.triggers) || !in_range(b, world.triggers)) return false;
    if (a == b) return true;
    std::swap(world.triggers[a], world.triggers[b]);
    links::follow_swap(Names::trigger, a, b, world);
    return true;
}

void delete_path(int32_t index, TWorld& world) {
    if (!in_range(index, world.paths)) return;
    world.paths.erase(world.paths.begin() + index);
    links::follow_removal(Names::path, index, world);
}
