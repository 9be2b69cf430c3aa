// Seeded random sequences of creating, moving, splitting, merging and deleting
// on a small world: after every step every link must hold, a refused move must
// leave the world as it was and a move must keep the pieces of a stack.
#include "model/tools.h"
#include "tests/support/model_fixture.h"

#include <gtest/gtest.h>
#include <array>
#include <random>
#include <sstream>

namespace {

class Sequence {
public:
    explicit Sequence(uint32_t seed) : rng_(seed) {}

    TWorld world() {
        TWorld w = small_world();
        for (int i = 0; i < 3; ++i) place_object(pick(0, 2), place(w), w);
        for (int i = 0; i < 3; ++i) place_npc(pick(0, 1), place(w), Tcounter{}, w);
        for (int i = 0; i < 4; ++i) {
            Ttrigger t;
            t.kind = static_cast<uint8_t>(pick(1, 5));
            t.active = true;
            const int32_t objects = static_cast<int32_t>(w.mapobjects.size()), npcs = static_cast<int32_t>(w.npcs.size());
            t.target = pick(-1, t.kind == 4 ? npcs - 1 : objects - 1);
            t.place = no_place;
            for (int k = pick(1, 4); k > 0; --k) {
                Tevent e;
                e.action = static_cast<uint8_t>(pick(0, 22));
                e.target = e.action >= 4 && e.action <= 12 ? pick(-1, objects - 1)
                           : e.action == 20                  ? pick(-1, npcs - 1)
                                                             : pick(-1, 4);
                e.value = pick(-1, 4);
                e.place = place(w);
                e.text = "event";
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
        const int op = pick(0, 13);
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
            d << "create_resource(" << r << ", " << a << ", " << n << ", " << p.map << ":" << p.x << "," << p.y
              << ", " << c << ", " << l << ", " << pr << ", " << pi << ", " << o << ")";
            create_resource(r, a, n, w, p, c, l, pr, pi, o);
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
            seq.step(w, what);
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
