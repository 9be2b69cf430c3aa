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
    if (t.kind == 1) counter_add(t.interval, t.counter);
    if (!t.success_text.empty()) message = t.success_text;
}

bool run_event(int32_t trigger, Tcounter counter, const Tevent& event, TWorld& world) {
    if (!in_range(trigger, world.triggers)) trigger = -1;
    if (event.turn_off_trigger && trigger != -1) world.triggers[trigger].active = false;
    const uint8_t action = event.action;
    const bool wanted = event.value >= 1;
    int32_t target = event.target;

    switch (action) {
    case 2: case 3: case 18: case 19: case 21: case 22: {
        if (target == -1) target = trigger;
        if (!in_range(target, world.triggers)) return false;
        Ttrigger& t = world.triggers[target];
        switch (action) {
        case 2: t.active = !t.active; return true;
        case 3: return set_flag(t.active, wanted);
        case 18: return t.active == (event.value > 0);
        case 19: {
            if (!t.active || is_running(target)) return false;
            std::string dropped;
            run_trigger(target, world, dropped);
            return true;
        }
        case 21: t.visible = !t.visible; return true;
        default: return set_flag(t.visible, wanted);
        }
    }
    case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11: case 12: {
        if (target == -1 && trigger != -1 && world.triggers[trigger].target >= 0)
            target = world.triggers[trigger].target;
        if (!links::object_ok(target, world)) return false;
        Tmapobject& o = world.mapobjects[target];
        switch (action) {
        case 4: o.passing = !o.passing; return true;
        case 5: return set_flag(o.passing, wanted);
        case 6: o.visible = !o.visible; return true;
        case 7: return set_flag(o.visible, wanted);
        case 8:
            if (o.closed || npc_at(o.place, world) == -1) o.closed = !o.closed;
            return true;
        case 9:
            if (o.closed == wanted) return false;
            if (!wanted || npc_at(o.place, world) == -1) o.closed = wanted;
            return true;
        case 10: o.locked = !o.locked; return true;
        case 11: return set_flag(o.locked, wanted);
        default:
            if (!cell_free(event.place, world)) return false;
            o.place = event.place;
            return true;
        }
    }
    case 13: case 14: {
        if (!in_range(target, world.paths)) return false;
        Tpath& p = world.paths[target];
        if (action == 13) {
            p.ways = p.ways >= 2 ? 0 : static_cast<uint8_t>(p.ways + 1);
            return true;
        }
        if (p.ways == event.value) return false;
        if (event.value >= 0 && event.value <= 2) p.ways = static_cast<uint8_t>(event.value);
        return true;
    }
    case 15:
        create_resource(target, event.value, -1, world, respawn_place(event, world), -1, link_cell, -1, -1, -1);
        return true;
    case 16:
        create_item(target, -1, -1, world, respawn_place(event, world), slot_cell);
        return true;
    case 17:
        place_npc(target, respawn_place(event, world), counter, world);
        return true;
    case 20: {
        const bool dead = !links::npc_ok(target, world) || world.npcs[target].hp <= 0;
        return event.value > 0 ? dead : !dead;
    }
    case 0: return true;
    case 1:
        if (!event.text.empty() && message_handler) message_handler(event.text);
        return true;
    default: return false;  // no such action
    }
}
