// Seeded random sequences of creating, moving, splitting, merging and deleting
// on a small world: after every step every link must hold, every event target
// and watched thing must still name what it named (or nothing, once that was
// deleted), a refused move must leave the world as it was and a move must keep
// the pieces of a stack.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>
#include <array>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace {

class Sequence {
public:
    explicit Sequence(uint32_t seed) : rng_(seed) {}

    // Every trigger, path, placed object and placed NPC gets a tag of its own
    // (name, length, title, description) and every event a text of its own,
    // so what each reference names can be followed through the steps.
    TWorld world() {
        TWorld w = small_world();
        for (int i = 0; i < 3; ++i) place_object(pick(0, 2), place(w), w);
        for (int i = 0; i < 3; ++i) place_npc(pick(0, 1), place(w), Tcounter{}, w);
        for (std::size_t i = 0; i < w.mapobjects.size(); ++i) w.mapobjects[i].title = "o" + std::to_string(i);
        for (std::size_t i = 0; i < w.npcs.size(); ++i) w.npcs[i].description = "n" + std::to_string(i);
        w.paths.resize(3);
        for (int i = 0; i < 3; ++i) w.paths[i].length = 100 + i;
        const int32_t objects = static_cast<int32_t>(w.mapobjects.size()), npcs = static_cast<int32_t>(w.npcs.size());
        const int32_t triggers = 4, paths = 3;
        for (int i = 0; i < triggers; ++i) {
            Ttrigger t;
            t.kind = static_cast<uint8_t>(pick(1, 8));
            t.active = true;
            t.name = "t" + std::to_string(i);
            t.target = pick(-1, t.kind == 4 ? npcs - 1 : objects - 1);
            t.place = no_place;
            for (int k = pick(1, 4); k > 0; --k) {
                Tevent e;
                e.action = static_cast<uint8_t>(pick(0, 22));
                const int a = e.action;
                e.target = a >= 4 && a <= 12                                        ? pick(-1, objects - 1)
                           : a == 20                                                ? pick(-1, npcs - 1)
                           : a == 13 || a == 14                                     ? pick(-1, paths - 1)
                           : a == 2 || a == 3 || a == 18 || a == 19 || a == 21 || a == 22 ? pick(-1, triggers - 1)
                                                                                    : pick(-1, 4);
                e.value = pick(-1, 4);
                e.place = place(w);
                e.text = "e" + std::to_string(i) + "." + std::to_string(k);
                e.continue_on_false = pick(0, 1) == 1;
                t.events.push_back(e);
            }
            w.triggers.push_back(t);
        }
        return w;
    }

    int moved = 0;  // moves that were not refused

    int32_t pick(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng_); }
    // -1 half of the time, else an index of a list of n, now and then just past it.
    int32_t index(std::size_t n) { return pick(0, 1) ? -1 : pick(-1, static_cast<int32_t>(n)); }
    // Mostly a thing of a list of n, now and then none or one past the end.
    int32_t thing(std::size_t n) {
        if (n > 0 && pick(0, 9) > 0) return pick(0, static_cast<int32_t>(n) - 1);
        return pick(-1, static_cast<int32_t>(n));
    }
    Tplace place(const TWorld&) {
        if (pick(0, 3) == 0) return no_place;
        return at(pick(-1, 2), pick(-1, 6), pick(-1, 5));
    }

    // One random operation; its description goes to what.
    void step(TWorld& w, std::string& what) {
        std::ostringstream d;
        const int op = pick(0, 16);
        const auto amount_of_row = [&](int32_t r) {
            int64_t sum = 0;
            for (const Tpres& p : w.resources)
                if (p.row == r) sum += p.amount;
            return sum;
        };
        switch (op) {
        case 0:
        case 1: {
            int32_t r = pick(-1, 6), n = index(w.npcs.size()), o = index(w.mapobjects.size()), s = pick(0, 6);
            Tplace p = place(w);
            target(w, o, n, s, p, false);
            d << "create_item(" << r << ", " << n << ", " << o << ", " << p.map << ":" << p.x << "," << p.y << ", "
              << s << ")";
            create_item(r, n, o, w, p, s);
            break;
        }
        case 2:
        case 3: {
            int32_t r = pick(-1, 7), a = pick(-3, 12), n = index(w.npcs.size()), c = pick(-1, 6),
                    l = std::array{0, 1, 2, 3, 4, 6, 7}[pick(0, 6)], pr = index(w.resources.size()),
                    pi = index(w.items.size()), o = index(w.mapobjects.size());
            Tplace p = place(w);
            if (pick(0, 1)) target(w, o, n, l, p, true);
            d << "create_resource(row " << r << ", amount " << a << ", npc " << n << ", object " << o
              << ", parent resource " << pr << ", parent item " << pi << ", chamber " << c << ", " << p.map << ":"
              << p.x << "," << p.y << ", link " << l << ")";
            create_resource(w, {.row = r,
                                .amount = a,
                                .npc = n,
                                .object = o,
                                .parent_resource = pr,
                                .parent_item = pi,
                                .chamber = c,
                                .place = p,
                                .link = l});
            break;
        }
        case 4: {
            int32_t t = thing(w.items.size()), o = index(w.mapobjects.size()),
                    n = index(w.npcs.size()), s = pick(-1, 6);
            Tplace p = place(w);
            target(w, o, n, s, p, false);
            d << "move_item(" << t << ", " << o << ", " << n << ", " << s << ", " << p.map << ":" << p.x << ","
              << p.y << ")";
            const TWorld before = w;
            if (!move_item(t, o, n, s, p, w)) {
                EXPECT_EQ(w, before) << "refused " << d.str();
            } else {
                ++moved;
            }
            break;
        }
        case 5:
        case 6: {
            const int32_t r = thing(w.resources.size());
            int32_t a = pick(0, 12), o = index(w.mapobjects.size()), n = index(w.npcs.size()),
                    l = std::array{0, 1, 3, 4, 6}[pick(0, 4)];
            Tplace p = place(w);
            target(w, o, n, l, p, true);
            d << "move_resource(" << r << ", " << a << ", " << o << ", " << n << ", " << l << ", " << p.map << ":"
              << p.x << "," << p.y << ")";
            const TWorld before = w;
            const int32_t row = links_row(w, r);
            const int64_t pieces = amount_of_row(row);
            if (!move_resource(r, a, o, n, l, p, w)) {
                EXPECT_EQ(w, before) << "refused " << d.str();
            } else {
                EXPECT_EQ(amount_of_row(row), pieces) << d.str();
                ++moved;
            }
            break;
        }
        case 7: {
            const int32_t r = thing(w.resources.size()), delta = pick(-6, 6);
            d << "change_amount(" << r << ", " << delta << ")";
            change_amount(r, delta, w);
            break;
        }
        case 8: {
            const int32_t r = thing(w.resources.size()), mode = pick(0, 1);
            d << "detach_resource(" << r << ", " << mode << ")";
            detach_resource(r, mode, w);
            break;
        }
        case 9:
        case 10: {
            const int32_t k = pick(1, 2);
            const int32_t i = pick(-1, static_cast<int32_t>(k == 1 ? w.items.size() : w.resources.size()));
            d << "delete_thing(" << k << ", " << i << ")";
            delete_thing(k, i, w);
            break;
        }
        case 11: {
            if (pick(0, 2)) {
                const int32_t n = pick(-1, static_cast<int32_t>(w.npcs.size()));
                d << "delete_npc(" << n << ")";
                delete_npc(n, w);
            } else {
                const int32_t r = pick(-1, 2);
                const Tplace p = place(w);
                d << "place_npc(" << r << ", " << p.map << ":" << p.x << "," << p.y << ")";
                place_npc(r, p, Tcounter{}, w);
            }
            break;
        }
        case 12: {
            if (pick(0, 1)) {
                const int32_t o = pick(-1, static_cast<int32_t>(w.mapobjects.size()));
                d << "delete_mapobject(" << o << ")";
                delete_mapobject(o, w);
            } else {
                const int32_t r = pick(-1, 3);
                const Tplace p = place(w);
                d << "place_object(" << r << ", " << p.map << ":" << p.x << "," << p.y << ")";
                place_object(r, p, w);
            }
            break;
        }
        case 14: {
            const int32_t t = pick(-1, static_cast<int32_t>(w.triggers.size()));
            d << "delete_trigger(" << t << ")";
            delete_trigger(t, w);
            break;
        }
        case 15: {
            const int32_t a = pick(-1, static_cast<int32_t>(w.triggers.size())), b = a + (pick(0, 1) ? 1 : -1);
            d << "swap_triggers(" << a << ", " << b << ")";
            swap_triggers(a, b, w);
            break;
        }
        case 16: {
            const int32_t p = pick(-1, static_cast<int32_t>(w.paths.size()));
            d << "delete_path(" << p << ")";
            delete_path(p, w);
            break;
        }
        default: {
            const int32_t t = pick(-1, static_cast<int32_t>(w.triggers.size()));
            d << "run_trigger(" << t << ")";
            std::string message;
            run_trigger(t, w, message);
            break;
        }
        }
        what = d.str();
    }

private:
    std::mt19937 rng_;

    // Most of the time a target that may well take the thing: a cell, an NPC
    // slot or an object; otherwise the random arguments as drawn.
    void target(const TWorld& w, int32_t& o, int32_t& n, int32_t& way, Tplace& p, bool resource) {
        switch (pick(0, 4)) {
        case 0:
            o = n = -1;
            way = 0;
            p = at(pick(0, 1), pick(0, 3), pick(0, 2));
            break;
        case 1:
        case 2:
            if (w.npcs.empty()) break;
            o = -1;
            n = pick(0, static_cast<int32_t>(w.npcs.size()) - 1);
            way = resource ? std::array{1, 3, 4}[pick(0, 2)] : pick(1, 5);
            p = no_place;
            break;
        case 3:
            if (w.mapobjects.empty()) break;
            n = -1;
            o = pick(0, static_cast<int32_t>(w.mapobjects.size()) - 1);
            way = 1;
            p = no_place;
            break;
        default: break;
        }
    }

    static int32_t links_row(const TWorld& w, int32_t r) {
        return r >= 0 && static_cast<std::size_t>(r) < w.resources.size() ? w.resources[r].row : -100;
    }
};

// What an event target or a watched thing names: "-1", "-2", the tag of an
// entry, or "stale" for an index past its list; gone is what it must become
// once that entry is deleted.
struct Named {
    std::string what;
    std::string gone;
};

// Every reference of the world by its event text or its trigger's name.
std::map<std::string, Named> references(const TWorld& w) {
    const auto tag = [&](char list, int32_t i) -> std::string {
        if (i == -1 || i == -2) return std::to_string(i);
        const auto in = [&](const auto& v) { return i >= 0 && static_cast<std::size_t>(i) < v.size(); };
        switch (list) {
        case 't': return in(w.triggers) ? w.triggers[i].name : "stale";
        case 'p': return in(w.paths) ? "p" + std::to_string(w.paths[i].length) : "stale";
        case 'o': return in(w.mapobjects) ? w.mapobjects[i].title : "stale";
        default: return in(w.npcs) ? w.npcs[i].description : "stale";
        }
    };
    std::map<std::string, Named> out;
    for (const Ttrigger& t : w.triggers) {
        out["watch " + t.name] = {tag(t.kind == 4 ? 'n' : 'o', t.target), "-1"};
        for (const Tevent& e : t.events) {
            const int a = e.action;
            if (a == 2 || a == 3 || a == 18 || a == 19 || a == 21 || a == 22) out[e.text] = {tag('t', e.target), "-2"};
            if (a >= 4 && a <= 12) out[e.text] = {tag('o', e.target), "-2"};
            if (a == 13 || a == 14) out[e.text] = {tag('p', e.target), "-1"};
            if (a == 20) out[e.text] = {tag('n', e.target), "-1"};
        }
    }
    return out;
}

// Each reference still names what it named, or names nothing when that went.
void expect_still_true(const std::map<std::string, Named>& before, const TWorld& w) {
    std::set<std::string> tags;
    for (const Ttrigger& t : w.triggers) tags.insert(t.name);
    for (const Tpath& p : w.paths) tags.insert("p" + std::to_string(p.length));
    for (const Tmapobject& o : w.mapobjects) tags.insert(o.title);
    for (const Tchar& n : w.npcs) tags.insert(n.description);
    const auto after = references(w);
    for (const auto& [key, named] : before) {
        const auto now = after.find(key);
        // Gone with its trigger, or naming no tagged entry.
        if (now == after.end() || named.what == "stale" || named.what.empty()) continue;
        const bool named_entry = named.what != "-1" && named.what != "-2";
        const std::string expected = !named_entry || tags.count(named.what) ? named.what : named.gone;
        EXPECT_EQ(now->second.what, expected) << key;
    }
}

TEST(LinksProperty, RandomSequencesKeepEveryLink) {
    CapturedMessages captured;
    random_place_seed(1);
    const int sequences = 3000, steps = 30;
    std::size_t most_things = 0;
    int moved = 0;
    for (int s = 0; s < sequences; ++s) {
        Sequence seq(static_cast<uint32_t>(s));
        TWorld w = seq.world();
        ASSERT_TRUE(links_hold(w)) << "seed " << s << " at the start";
        std::vector<std::string> history;
        for (int i = 0; i < steps; ++i) {
            std::string what;
            const auto before = references(w);
            seq.step(w, what);
            expect_still_true(before, w);
            history.push_back(what);
            const auto result = links_hold(w);
            if (!result) {
                std::string trail;
                for (const auto& h : history) trail += "  " + h + "\n";
                FAIL() << "seed " << s << " step " << i << "\n" << trail << result.message();
            }
            if (::testing::Test::HasFailure()) {
                std::string trail;
                for (const auto& h : history) trail += "  " + h + "\n";
                FAIL() << "seed " << s << " step " << i << "\n" << trail;
            }
        }
        most_things = std::max(most_things, w.items.size() + w.resources.size());
        moved += seq.moved;
    }
    // The sequences do reach worlds with many linked things.
    EXPECT_GT(most_things, 20u);
    EXPECT_GT(moved, sequences / 2);
}

}  // namespace
