// The trigger and event engine: running a trigger's events in order and
// performing each of the event actions on the world.
#include "model/links.h"
#include "model/tools.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using links::in_range;

namespace {

constexpr int64_t counter_limit = 2000000000;

// The triggers being run right now, innermost last. An "act trigger" that
// names one of them fails instead of running it again without end.
std::vector<int32_t>& running() {
    static std::vector<int32_t> stack;
    return stack;
}

bool is_running(int32_t t) {
    const auto& s = running();
    return std::find(s.begin(), s.end(), t) != s.end();
}

struct RunningGuard {
    explicit RunningGuard(int32_t t) { running().push_back(t); }
    ~RunningGuard() { running().pop_back(); }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;
};

// The "set" rule: fails when the flag already has the wanted state.
bool set_flag(bool& flag, bool wanted) {
    if (flag == wanted) return false;
    flag = wanted;
    return true;
}

// The place a respawn goes to: the event's cell, or a random free cell of its
// map when its x or y is -1.
Tplace respawn_place(const Tevent& e, const TWorld& world) {
    Tplace p = e.place;
    if (p.x == -1 || p.y == -1) random_place(p.map, true, world, p);
    return p;
}

}  // namespace

void counter_add(int32_t delta, Tcounter& counter) {
    if (std::llabs(int64_t{delta}) > counter_limit) return;
    int64_t low = int64_t{counter.low} + delta;
    if (low > counter_limit) {
        low -= counter_limit;
        counter.high = links::add_sat(counter.high, 1);
    } else if (low < 0) {
        low += counter_limit;
        counter.high = links::add_sat(counter.high, -1);
    }
    counter.low = links::saturate(low);
}

void run_trigger(int32_t trigger, TWorld& world, std::string& message) {
    message.clear();
    if (!in_range(trigger, world.triggers)) return;
    if (!world.triggers[trigger].active) {
        message = world.triggers[trigger].false_text;
        return;
    }
    {
        RunningGuard guard(trigger);
        // Events are read one by one by index: an event works on a copy, so
        // nothing it does to the world can pull the event from under it.
        for (std::size_t i = 0; i < world.triggers[trigger].events.size(); ++i) {
            const Tevent e = world.triggers[trigger].events[i];
            if (!run_event(trigger, world.triggers[trigger].counter, e, world) && !e.continue_on_false) break;
        }
    }
    Ttrigger& t = world.triggers[trigger];
    if (t.kind == trigger_kind::timer) counter_add(t.interval, t.counter);
    if (!t.success_text.empty()) message = t.success_text;
}

namespace {

bool trigger_action(uint8_t a, int32_t target, const Tevent& event, TWorld& world) {
    Ttrigger& t = world.triggers[target];
    const bool wanted = event.value >= 1;
    switch (a) {
    case action::switch_trigger_active: t.active = !t.active; return true;
    case action::set_trigger_active: return set_flag(t.active, wanted);
    case action::check_trigger: return t.active == (event.value > 0);
    case action::act_trigger: {
        if (!t.active || is_running(target)) return false;
        std::string dropped;
        run_trigger(target, world, dropped);
        return true;
    }
    case action::switch_trigger_visible: t.visible = !t.visible; return true;
    default: return set_flag(t.visible, wanted);  // set trigger visible
    }
}

bool object_action(uint8_t a, int32_t target, const Tevent& event, TWorld& world) {
    Tmapobject& o = world.mapobjects[target];
    const bool wanted = event.value >= 1;
    switch (a) {
    case action::switch_object_pass: o.passing = !o.passing; return true;
    case action::set_object_pass: return set_flag(o.passing, wanted);
    case action::switch_object_visible: o.visible = !o.visible; return true;
    case action::set_object_visible: return set_flag(o.visible, wanted);
    case action::switch_object_closed:
        // An open door with an NPC in it stays open.
        if (o.closed || npc_at(o.place, world) == -1) o.closed = !o.closed;
        return true;
    case action::set_object_closed:
        if (o.closed == wanted) return false;
        if (!wanted || npc_at(o.place, world) == -1) o.closed = wanted;
        return true;
    case action::switch_object_locked: o.locked = !o.locked; return true;
    case action::set_object_locked: return set_flag(o.locked, wanted);
    default:  // move object
        if (!cell_free(event.place, world)) return false;
        o.place = event.place;
        refile_placed(world, Placed::object, target);
        return true;
    }
}

bool path_action(uint8_t a, Tpath& p, const Tevent& event) {
    if (a == action::switch_path_ways) {
        p.ways = p.ways >= ways::both ? ways::none : static_cast<uint8_t>(p.ways + 1);
        return true;
    }
    if (p.ways == event.value) return false;
    if (event.value >= ways::none && event.value <= ways::both) p.ways = static_cast<uint8_t>(event.value);
    return true;
}

}  // namespace

bool run_event(int32_t trigger, Tcounter counter, const Tevent& event, TWorld& world) {
    if (!in_range(trigger, world.triggers)) trigger = -1;
    if (event.turn_off_trigger && trigger != -1) world.triggers[trigger].active = false;
    const uint8_t a = event.action;
    int32_t target = event.target;

    // The target is resolved by what the action names. A trigger or object
    // action's -1 stands for the running trigger or the object it watches;
    // any other target that names no entry (deleted_target among them) makes
    // the event fail.
    switch (event_target(a)) {
    case Names::trigger:
        if (target == -1) target = trigger;
        if (!in_range(target, world.triggers)) return false;
        return trigger_action(a, target, event, world);
    case Names::placed_object:
        if (target == -1 && trigger != -1) {
            const Ttrigger& running = world.triggers[trigger];
            if (watched_by(running.kind) == Names::placed_object && running.target >= 0) target = running.target;
        }
        if (!links::object_ok(target, world)) return false;
        return object_action(a, target, event, world);
    case Names::path:
        if (!in_range(target, world.paths)) return false;
        return path_action(a, world.paths[target], event);
    case Names::resource_row:
        create_resource(world, {.row = target, .amount = event.value, .place = respawn_place(event, world)});
        return true;
    case Names::item_row:
        create_item(target, -1, -1, world, respawn_place(event, world), slot::cell);
        return true;
    case Names::npc_template:
        place_npc(target, respawn_place(event, world), counter, world);
        return true;
    case Names::placed_npc: {  // check char dead
        const bool dead = !links::npc_ok(target, world) || world.npcs[target].hp <= 0;
        return event.value > 0 ? dead : !dead;
    }
    case Names::nothing: break;
    }
    if (a == action::nothing) return true;
    if (a == action::show_message) {
        if (!event.text.empty() && message_handler) message_handler(event.text);
        return true;
    }
    return false;  // no such action
}
