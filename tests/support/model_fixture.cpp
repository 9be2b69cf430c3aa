#include "tests/support/model_fixture.h"

#include "model/tools.h"

#include <algorithm>
#include <sstream>

Tplace at(int32_t map, int32_t x, int32_t y) {
    Tplace p;
    make_place(map, x, y, p);
    return p;
}

Tevent event(uint8_t a, int32_t target) {
    Tevent e;
    e.action = a;
    e.target = target;
    e.place = no_place;
    return e;
}

std::vector<int32_t> targets(const Tevents& events) {
    std::vector<int32_t> out;
    for (const Tevent& e : events) out.push_back(e.target);
    return out;
}

TWorld small_world() {
    TWorld w;
    reset_world(w);
    w.terrains = {{400, 1, 3, {0}}, {800, 1, 9, {1}}};
    const auto map = [](const char* name, int wd, int ht) {
        Tmap m;
        m.name = name;
        m.width = wd;
        m.height = ht;
        m.cells.assign(wd, tintarray(ht, row::grass));
        return m;
    };
    w.maps = {map("field", 6, 5), map("cave", 4, 3)};

    const auto object = [](const char* name, int r, bool floating, bool passing) {
        Tmapobject o;
        o.name = name;
        o.row = r;
        o.frame_count = 1;
        o.frames = {10};
        o.frames2 = {11};
        o.floating = floating;
        o.passing = passing;
        o.visible = true;
        o.parts = {{1, row::sword, 1}};
        return o;
    };
    w.pmapobjects = {object("chest", 0, false, false), object("flowers", 1, true, true), object("door", 2, false, true)};
    w.pmapobjects[row::chest].chest = true;
    w.pmapobjects[row::door].door = true;

    const auto item = [](const char* name, int item_class) {
        Tpitem i;
        i.name = name;
        i.item_class = item_class;
        i.hp = 50;
        i.clip = -1;
        i.image = 20 + item_class;
        return i;
    };
    w.pitems = {item("sword", 0), item("helm", 10), item("plate", 13), item("revolver", 17), item("rifle", 18),
                item("hat", 9)};
    w.pitems[row::revolver].load = 6;
    w.pitems[row::revolver].contents = tintarray(6, row::bullet);
    w.pitems[row::revolver].children = {row::bullet};
    w.pitems[row::rifle].load = 2;
    w.pitems[row::rifle].clip = row::clip;
    w.pitems[row::rifle].children = {row::clip};

    const auto res = [](const char* name, int r, int kind) {
        Tpres p;
        p.name = name;
        p.row = r;
        p.kind = kind;
        p.amount = 1;
        p.image_one = 40 + r;
        p.image_many = 50 + r;
        p.filling = {2, -1, 0};
        return p;
    };
    w.presources = {res("gold", 0, 0), res("bullet", 1, 7), res("clip", 2, 8), res("cell", 3, 9),
                    res("water", 4, 12), res("vial", 5, 13), res("wood", 6, 1)};
    w.presources[row::clip].power = 3;
    w.presources[row::clip].contents = {row::bullet, row::bullet, row::bullet};
    w.presources[row::clip].children = {row::bullet};

    Tchar guard;
    guard.name = "guard";
    guard.STR = 20;
    guard.CON = 40;
    guard.INT = 12;
    guard.DEX = 15;
    guard.figure = 60;
    guard.fraction = 0;
    guard.skills[2] = 7;
    guard.phys_attrs = {{1, 3, 0}};
    guard.inventory = {{1, row::sword, 1}, {2, row::gold, 5}, {2, row::wood, 3}};
    guard.parts = {{2, row::wood, 2}};
    guard.head = row::helm;
    guard.body = row::plate;
    guard.left_hand = {1, row::sword, 1};
    guard.right_hand = {2, row::gold, 7};
    guard.hp = 1;
    Tchar rat;
    rat.name = "rat";
    rat.CON = 2;
    rat.INT = 1;
    rat.DEX = 8;
    rat.head = rat.body = -1;
    rat.left_hand = rat.right_hand = {2, -1, 0};
    w.pnpcs = {guard, rat};
    return w;
}

namespace {

class Checker {
public:
    explicit Checker(const TWorld& w) : w_(w) {}

    std::vector<std::string> run() {
        for (std::size_t i = 0; i < w_.items.size(); ++i) item(static_cast<int32_t>(i));
        for (std::size_t i = 0; i < w_.resources.size(); ++i) resource(static_cast<int32_t>(i));
        for (std::size_t o = 0; o < w_.mapobjects.size(); ++o) object(static_cast<int32_t>(o));
        for (std::size_t n = 0; n < w_.npcs.size(); ++n) npc(static_cast<int32_t>(n));
        for (std::size_t i = 0; i < w_.items.size(); ++i) item_lists(static_cast<int32_t>(i));
        for (std::size_t r = 0; r < w_.resources.size(); ++r) resource_lists(static_cast<int32_t>(r));
        triggers();
        if (w_.player.npc != -1 && !npc_ok(w_.player.npc)) fail("player names no NPC: ", w_.player.npc);
        return problems_;
    }

private:
    const TWorld& w_;
    std::vector<std::string> problems_;

    template <typename... A>
    void fail(const A&... parts) {
        std::ostringstream s;
        (s << ... << parts);
        problems_.push_back(s.str());
    }
    bool item_ok(int32_t i) const { return i >= 0 && static_cast<std::size_t>(i) < w_.items.size(); }
    bool res_ok(int32_t i) const { return i >= 0 && static_cast<std::size_t>(i) < w_.resources.size(); }
    bool npc_ok(int32_t i) const { return i >= 0 && static_cast<std::size_t>(i) < w_.npcs.size(); }
    bool obj_ok(int32_t i) const { return i >= 0 && static_cast<std::size_t>(i) < w_.mapobjects.size(); }
    bool cell(const Tplace& p) const {
        if (p.map < 0 || static_cast<std::size_t>(p.map) >= w_.maps.size()) return false;
        const Tmap& m = w_.maps[p.map];
        return p.x >= 0 && p.x < m.width && p.y >= 0 && p.y < m.height;
    }
    static int listed(const Tinvitems& list, int32_t kind, int32_t index) {
        int n = 0;
        for (const Tinvitem& e : list) n += e.kind == kind && e.index == index;
        return n;
    }
    static int listed(const tintarray& list, int32_t index) {
        int n = 0;
        for (int32_t e : list) n += e == index;
        return n;
    }
    const Tinvitem* entry(const Tinvitems& list, int32_t kind, int32_t index) const {
        for (const Tinvitem& e : list)
            if (e.kind == kind && e.index == index) return &e;
        return nullptr;
    }
    void holder_field(const char* what, int32_t index, int32_t value, bool ok) {
        if (value != -1 && !ok) fail(what, " ", index, " names no holder: ", value);
    }

    void item(int32_t i) {
        const Tpitem& t = w_.items[i];
        holder_field("item holder object", i, t.holder_object, obj_ok(t.holder_object));
        holder_field("item holder npc", i, t.holder_npc, npc_ok(t.holder_npc));
        const bool o = obj_ok(t.holder_object), n = npc_ok(t.holder_npc);
        switch (t.slot) {
        case 0:
            if (t.holder_object != -1 || t.holder_npc != -1) fail("loose item ", i, " has a holder");
            if (!cell(t.place)) fail("loose item ", i, " lies on no cell");
            break;
        case 1:
            if (o == n) fail("item ", i, " in slot 1 needs exactly one holder");
            else if (o && listed(w_.mapobjects[t.holder_object].contents, 1, i) != 1)
                fail("item ", i, " not listed once by object ", t.holder_object);
            else if (n && listed(w_.npcs[t.holder_npc].inventory, 1, i) != 1)
                fail("item ", i, " not listed once by NPC ", t.holder_npc);
            break;
        case 2:
        case 5:
            if (!n || t.holder_object != -1) fail("item ", i, " on head or body needs an NPC only");
            else if ((t.slot == 2 ? w_.npcs[t.holder_npc].head : w_.npcs[t.holder_npc].body) != i)
                fail("item ", i, " not worn by NPC ", t.holder_npc);
            break;
        case 3:
        case 4: {
            if (!n || t.holder_object != -1) {
                fail("item ", i, " in a hand needs an NPC only");
                break;
            }
            const Tinvitem& h = t.slot == 3 ? w_.npcs[t.holder_npc].left_hand : w_.npcs[t.holder_npc].right_hand;
            if (h.kind != 1 || h.index != i) fail("item ", i, " not in the hand of NPC ", t.holder_npc);
            break;
        }
        default: fail("item ", i, " has slot ", int(t.slot));
        }
    }

    void resource(int32_t r) {
        const Tpres& t = w_.resources[r];
        holder_field("resource holder object", r, t.holder_object, obj_ok(t.holder_object));
        holder_field("resource holder npc", r, t.holder_npc, npc_ok(t.holder_npc));
        holder_field("resource holder item", r, t.holder_item, item_ok(t.holder_item));
        holder_field("resource holder resource", r, t.holder_resource, res_ok(t.holder_resource));
        const bool o = obj_ok(t.holder_object), n = npc_ok(t.holder_npc), i = item_ok(t.holder_item),
                   p = res_ok(t.holder_resource);
        if (t.amount < 1) fail("resource ", r, " has amount ", t.amount);
        if ((t.kind == 8 || t.kind == 9 || t.kind == 13) && t.amount != 1)
            fail("single-piece resource ", r, " has amount ", t.amount);
        switch (t.link) {
        case 0:
            if (o || n || i || p) fail("loose resource ", r, " has a holder");
            if (!cell(t.place)) fail("loose resource ", r, " lies on no cell");
            break;
        case 1: {
            if (o == n || i || p) {
                fail("resource ", r, " with link 1 needs exactly one object or NPC");
                break;
            }
            const Tinvitems& list = o ? w_.mapobjects[t.holder_object].contents : w_.npcs[t.holder_npc].inventory;
            if (listed(list, 2, r) != 1) fail("resource ", r, " not listed once by its holder");
            else if (entry(list, 2, r)->count != t.amount) fail("entry count of resource ", r, " differs from amount");
            break;
        }
        case 3:
        case 4: {
            if (!n || o || i || p) {
                fail("resource ", r, " in a hand needs an NPC only");
                break;
            }
            const Tinvitem& h = t.link == 3 ? w_.npcs[t.holder_npc].left_hand : w_.npcs[t.holder_npc].right_hand;
            if (h.kind != 2 || h.index != r) fail("resource ", r, " not in the hand of NPC ", t.holder_npc);
            else if (h.count != t.amount) fail("hand count of resource ", r, " differs from amount");
            break;
        }
        case 6:
            if (!i || o || n || p) fail("loaded resource ", r, " needs an item only");
            else if (w_.items[t.holder_item].clip != r) fail("resource ", r, " not the clip of item ", t.holder_item);
            break;
        case 7:
            if (i == p || o || n) fail("resource ", r, " inside needs exactly one item or resource");
            else if (i && listed(w_.items[t.holder_item].contents, r) != 1)
                fail("resource ", r, " not listed once by item ", t.holder_item);
            else if (p && listed(w_.resources[t.holder_resource].contents, r) != 1)
                fail("resource ", r, " not listed once by resource ", t.holder_resource);
            break;
        default: fail("resource ", r, " has link ", t.link);
        }
    }

    // An entry of a holder's list or slot must name a thing that names the holder back.
    void held(const char* holder, int32_t h, int32_t kind, int32_t index, int32_t obj, int32_t npc,
              std::initializer_list<int> ways) {
        bool back = false;
        if (kind == 1 && item_ok(index)) {
            const Tpitem& t = w_.items[index];
            back = t.holder_object == obj && t.holder_npc == npc;
            back = back && std::find(ways.begin(), ways.end(), t.slot) != ways.end();
        } else if (kind == 2 && res_ok(index)) {
            const Tpres& t = w_.resources[index];
            back = t.holder_object == obj && t.holder_npc == npc && t.holder_item == -1 && t.holder_resource == -1;
            back = back && std::find(ways.begin(), ways.end(), t.link) != ways.end();
        }
        if (!back) fail(holder, " ", h, " lists (", kind, ", ", index, ") which does not name it back");
    }

    void object(int32_t o) {
        for (const Tinvitem& e : w_.mapobjects[o].contents) held("object", o, e.kind, e.index, o, -1, {1});
    }

    void npc(int32_t n) {
        const Tchar& c = w_.npcs[n];
        for (const Tinvitem& e : c.inventory) held("NPC inventory", n, e.kind, e.index, -1, n, {1});
        if (c.head != -1) held("NPC head", n, 1, c.head, -1, n, {2});
        if (c.body != -1) held("NPC body", n, 1, c.body, -1, n, {5});
        if (c.left_hand.index != -1) held("NPC left hand", n, c.left_hand.kind, c.left_hand.index, -1, n, {3});
        if (c.right_hand.index != -1) held("NPC right hand", n, c.right_hand.kind, c.right_hand.index, -1, n, {4});
    }

    void inside(const char* holder, int32_t h, int32_t r, bool of_item, int link) {
        bool back = false;
        if (res_ok(r)) {
            const Tpres& t = w_.resources[r];
            back = t.link == link && (of_item ? t.holder_item == h && t.holder_resource == -1
                                              : t.holder_resource == h && t.holder_item == -1);
        }
        if (!back) fail(holder, " ", h, " holds resource ", r, " which does not name it back");
    }

    void item_lists(int32_t i) {
        const Tpitem& t = w_.items[i];
        if (t.clip != -1) inside("item clip", i, t.clip, true, 6);
        const bool revolver = t.item_class == 17;
        if (revolver && t.contents.size() != static_cast<std::size_t>(std::max(t.load, 0)))
            fail("revolver ", i, " has ", t.contents.size(), " chambers for load ", t.load);
        for (int32_t r : t.contents)
            if (!(revolver && r == -1)) inside("item", i, r, true, 7);
    }

    void resource_lists(int32_t r) {
        for (int32_t c : w_.resources[r].contents)
            if (c != -1) inside("resource", r, c, false, 7);
    }

    // Event targets and watched things must name an entry of their list or
    // nothing: -1, or -2 where a deleted trigger or object was named.
    void triggers() {
        const auto trigger_ok = [&](int32_t t) { return t >= 0 && static_cast<std::size_t>(t) < w_.triggers.size(); };
        const auto path_ok = [&](int32_t p) { return p >= 0 && static_cast<std::size_t>(p) < w_.paths.size(); };
        for (std::size_t i = 0; i < w_.triggers.size(); ++i) {
            const Ttrigger& t = w_.triggers[i];
            if (t.kind == 4 && t.target != -1 && !npc_ok(t.target)) fail("trigger ", i, " watches no NPC: ", t.target);
            if (t.kind != 4 && t.target != -1 && !obj_ok(t.target)) fail("trigger ", i, " watches no object: ", t.target);
            for (const Tevent& e : t.events) {
                const int a = e.action;
                const bool names_trigger = a == 2 || a == 3 || a == 18 || a == 19 || a == 21 || a == 22;
                const bool names_object = a >= 4 && a <= 12;
                const bool gone = e.target == -1 || ((names_trigger || names_object) && e.target == -2);
                if (names_trigger && !gone && !trigger_ok(e.target))
                    fail("event of trigger ", i, " names no trigger: ", e.target);
                if (names_object && !gone && !obj_ok(e.target))
                    fail("event of trigger ", i, " names no object: ", e.target);
                if ((a == 13 || a == 14) && !gone && !path_ok(e.target))
                    fail("event of trigger ", i, " names no path: ", e.target);
                if (a == 20 && !gone && !npc_ok(e.target)) fail("event of trigger ", i, " names no NPC: ", e.target);
            }
        }
    }
};

}  // namespace

std::vector<std::string> link_problems(const TWorld& world) { return Checker(world).run(); }

::testing::AssertionResult links_hold(const TWorld& world) {
    const auto problems = link_problems(world);
    if (problems.empty()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const auto& p : problems) failure << p << "\n";
    return failure;
}

CapturedMessages::CapturedMessages() : previous_(message_handler) {
    message_handler = [this](const std::string& text) { texts.push_back(text); };
}

CapturedMessages::~CapturedMessages() { message_handler = previous_; }
