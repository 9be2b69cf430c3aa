#include "platform/errors.h"
#include "platform/recordfile.h"
#include "tests/support/test_support.h"
#include "worldfile/worldfile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// ---- files as values ----

std::vector<unsigned char> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<int32_t> file_values(const std::string& path) {
    const auto bytes = file_bytes(path);
    std::vector<int32_t> values(bytes.size() / 4);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int32_t>(uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 |
                                         uint32_t(bytes[4 * i + 2]) << 16 | uint32_t(bytes[4 * i + 3]) << 24);
    return values;
}

void write_bytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void write_values(const std::string& path, const std::vector<int32_t>& values) {
    std::vector<unsigned char> bytes;
    for (int32_t v : values)
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(uint32_t(v) >> (8 * i)));
    write_bytes(path, bytes);
}

// The message of what fn throws, "" when it throws nothing.
std::string error_of(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const EditorError& e) {
        return e.what();
    }
    return "";
}

// The file of an empty world: the 14 counts, then the player (npc -1).
std::vector<int32_t> empty_world_values() {
    std::vector<int32_t> v(14, 0);
    v.insert(v.end(), {-1, 0, 0, 0, 0, 0});
    return v;
}

TWorld reset() {
    TWorld w;
    reset_world(w);
    return w;
}

// ---- a world that fills every field with its own value ----

struct Filler {
    int32_t next = 1000;
    int32_t v() { return next++; }
    bool flag() { return (next++ % 3) != 0; }
    std::string text() { return "t" + std::to_string(next++) + "\xC0\xFF"; }
    Tplace place() { return {v(), v(), v()}; }
    Tinvitem inv() { return {v(), v(), v()}; }
    Tinvitems invs(int n) {
        Tinvitems l;
        for (int i = 0; i < n; ++i) l.push_back(inv());
        return l;
    }
    tintarray ints(int n) {
        tintarray l;
        for (int i = 0; i < n; ++i) l.push_back(v());
        return l;
    }
    Tskills skills(int n) {
        Tskills l;
        for (int i = 0; i < n; ++i) l.push_back({v(), v(), v()});
        return l;
    }
};

Tmapobject filled_object(Filler& f, int frames) {
    Tmapobject o;
    o.name = f.text();
    o.row = f.v();
    o.frame_count = frames;
    o.size = f.v();
    o.height = f.v();
    o.form = f.v();
    o.lock = f.v();
    o.reserved1 = f.v();
    o.reserved2 = f.v();
    o.hp = f.v();
    o.place = f.place();
    o.arm1 = f.v();
    o.arm2 = f.v();
    o.arm3 = f.v();
    o.reserved3 = f.v();
    o.frames = f.ints(frames);
    o.frames2 = f.ints(frames);
    for (bool* b : {&o.floating, &o.chest, &o.door, &o.locked, &o.closed, &o.passing, &o.visible, &o.transmitter,
                    &o.receiver, &o.transparent})
        *b = f.flag();
    o.contents = f.invs(2);
    o.parts = f.invs(3);
    o.title = f.text();
    return o;
}

Tpitem filled_item(Filler& f) {
    Tpitem it;
    it.name = f.text();
    it.text2 = f.text();
    for (int32_t* p : {&it.row, &it.item_class, &it.reserved1, &it.hp, &it.volume, &it.weight, &it.arm1, &it.arm2,
                       &it.arm3, &it.reserved2, &it.dem1, &it.dem2, &it.dem3, &it.reserved3, &it.attack,
                       &it.defence, &it.block, &it.a, &it.b, &it.c, &it.cover, &it.skov, &it.penalty, &it.clip,
                       &it.load, &it.image, &it.value, &it.reserved4, &it.holder_object, &it.holder_npc})
        *p = f.v();
    it.contents = f.ints(2);
    it.flags16 = static_cast<uint16_t>(f.v());
    it.children = f.ints(3);
    it.hands = static_cast<uint16_t>(f.v());
    it.place = f.place();
    it.slot = static_cast<uint8_t>(f.v());
    it.title = f.text();
    return it;
}

Tpres filled_resource(Filler& f) {
    Tpres r;
    r.name = f.text();
    r.place = f.place();
    for (int32_t* p : {&r.row, &r.kind, &r.value, &r.amount, &r.weight, &r.power, &r.image_one, &r.image_many,
                       &r.holder_object, &r.holder_npc, &r.holder_item, &r.holder_resource})
        *p = f.v();
    r.link = static_cast<uint16_t>(f.v());
    r.contents = f.ints(2);
    r.filling = f.inv();
    r.children = f.ints(1);
    r.title = f.text();
    return r;
}

Tchar filled_char(Filler& f) {
    Tchar c;
    c.name = f.text();
    c.self_name = f.text();
    c.description = f.text();
    for (int32_t* p : {&c.reserved0, &c.STR, &c.AGI, &c.DEX, &c.ACU, &c.CON, &c.INT, &c.WIS, &c.PER, &c.figure,
                       &c.portrait, &c.state1, &c.state2, &c.state3, &c.head, &c.body, &c.fraction, &c.hp,
                       &c.hp_spare, &c.mp, &c.mp_spare, &c.sp, &c.size, &c.state4, &c.state5, &c.state6, &c.state7,
                       &c.state8})
        *p = f.v();
    c.inventory = f.invs(2);
    c.parts = f.invs(1);
    c.place = f.place();
    c.left_hand = f.inv();
    c.right_hand = f.inv();
    for (auto& s : c.skills) s = f.v();
    c.phys_attrs = f.skills(2);
    c.extra_skills = f.skills(2);
    c.spawn_counter = {f.v(), f.v()};
    c.last_seen_enemy = f.place();
    c.state_byte = static_cast<uint8_t>(f.v());
    c.state_s1 = static_cast<int8_t>(-(f.v() % 100));
    c.state_s2 = static_cast<int8_t>(f.v() % 100);
    return c;
}

// Two or more entries in every list, each field its own value, uncarried ones too.
TWorld full_world() {
    Filler f;
    TWorld w = reset();
    for (int frames : {1, 4}) {
        Tterrain t;
        t.hardness = static_cast<uint16_t>(f.v());
        t.frame_count = static_cast<uint16_t>(frames);
        t.kind = static_cast<int8_t>(-(f.v() % 100));
        t.frames = f.ints(frames);
        w.terrains.push_back(t);
    }
    for (auto [width, height] : {std::pair{3, 2}, std::pair{1, 5}}) {
        Tmap m;
        m.name = f.text();
        m.width = width;
        m.height = height;
        m.cells.assign(width, tintarray(height));
        for (auto column : m.cells) {
            const tintarray values = f.ints(height);
            std::copy(values.begin(), values.end(), column.begin());
        }
        w.maps.push_back(m);
    }
    w.pmapobjects = {filled_object(f, 2), filled_object(f, 8)};
    w.mapobjects = {filled_object(f, 1), filled_object(f, 2), filled_object(f, 4)};
    w.pitems = {filled_item(f), filled_item(f)};
    w.items = {filled_item(f), filled_item(f), filled_item(f)};
    w.presources = {filled_resource(f), filled_resource(f)};
    w.resources = {filled_resource(f), filled_resource(f)};
    for (int i = 0; i < 3; ++i) w.fracs.push_back({f.text(), f.v()});
    w.fracrel.assign(3, std::vector<int8_t>(3));
    for (auto& row : w.fracrel)
        for (auto& rel : row) rel = static_cast<int8_t>(f.v() % 200 - 100);
    w.pnpcs = {filled_char(f), filled_char(f)};
    w.npcs = {filled_char(f), filled_char(f)};
    for (int i = 0; i < 2; ++i) {
        Ttrigger t;
        t.kind = static_cast<uint8_t>(f.v());
        t.visible = f.flag();
        t.active = f.flag();
        t.place = f.place();
        t.interval = f.v();
        t.counter = {f.v(), f.v()};
        t.once = f.flag();
        t.name = f.text();
        t.description = f.text();
        t.success_text = f.text();
        t.false_text = f.text();
        t.target = f.v();
        t.size = f.v();
        for (int j = 0; j < 2; ++j) {
            Tevent e;
            e.action = static_cast<uint8_t>(f.v());
            e.target = f.v();
            e.turn_off_self = f.flag();
            e.turn_off_trigger = f.flag();
            e.place = f.place();
            e.search = f.flag();
            e.continue_on_false = f.flag();
            e.value = f.v();
            e.text = f.text();
            e.target_name = f.text();
            t.events.push_back(e);
        }
        w.triggers.push_back(t);
    }
    for (int i = 0; i < 2; ++i)
        w.crafts.push_back({f.invs(2), f.v(), f.v(), f.v(), f.v(), f.v(), f.skills(2), f.text()});
    for (int i = 0; i < 2; ++i)
        w.paths.push_back({f.place(), f.place(), f.v(), static_cast<uint8_t>(f.v())});
    w.events.push_back({});
    w.events[0].text = "world-level";
    w.player = {f.v(), f.v(), f.v(), f.ints(2), f.ints(3), true};
    w.strings = {"kept", "strings"};
    return w;
}

// What loading a file of w into an empty world gives: the fields the file does
// not carry zeroed, catalogue rows their positions, resource catalogue entries
// at (1, 1, 0) without holders.
TWorld as_loaded_fresh(TWorld w) {
    for (auto& o : w.pmapobjects) {
        o.place = {};
        o.contents.clear();
        o.reserved1 = o.reserved2 = o.reserved3 = 0;
    }
    for (auto& o : w.mapobjects) o.reserved1 = o.reserved2 = o.reserved3 = 0;
    for (std::size_t i = 0; i < w.pitems.size(); ++i) {
        Tpitem& it = w.pitems[i];
        it.row = static_cast<int32_t>(i);
        it.place = {};
        it.holder_object = it.holder_npc = 0;
        it.slot = 0;
    }
    for (auto* list : {&w.pitems, &w.items})
        for (auto& it : *list) {
            it.text2.clear();
            it.reserved1 = it.volume = it.reserved2 = it.reserved3 = it.reserved4 = 0;
        }
    for (std::size_t i = 0; i < w.presources.size(); ++i) {
        Tpres& r = w.presources[i];
        r.row = static_cast<int32_t>(i);
        r.place = {1, 1, 0};
        r.holder_object = r.holder_npc = r.holder_item = -1;
        r.holder_resource = 0;
        r.link = 0;
    }
    for (auto& c : w.pnpcs) {
        c.state1 = c.state2 = c.state3 = c.state4 = c.state5 = c.state6 = c.state7 = c.state8 = 0;
        c.spawn_counter = {};
        c.last_seen_enemy = {};
        c.state_byte = 0;
        c.state_s1 = c.state_s2 = 0;
    }
    for (auto* list : {&w.pnpcs, &w.npcs})
        for (auto& c : *list) {
            c.hp_spare = c.mp_spare = 0;
            for (auto& s : c.phys_attrs) s.spare = 0;
        }
    for (auto& c : w.crafts)
        for (auto& s : c.skills) s.spare = 0;
    for (auto& t : w.triggers)
        for (auto& e : t.events) e.target_name.clear();
    w.events.clear();
    w.strings.clear();
    return w;
}

// The file of a world written out by hand, section by section, independently
// of the code under test: the reference for the order of every value.
struct Layout {
    std::vector<int32_t> v;
    void add(std::initializer_list<int32_t> values) { v.insert(v.end(), values); }
    void str(const std::string& s) {
        v.push_back(static_cast<int32_t>(s.size()));
        for (unsigned char c : s) v.push_back(c);
    }
    void ints(const tintarray& l) {
        v.push_back(static_cast<int32_t>(l.size()));
        v.insert(v.end(), l.begin(), l.end());
    }
    void invs(const Tinvitems& l) {
        v.push_back(static_cast<int32_t>(l.size()));
        for (const auto& i : l) add({i.kind, i.index, i.count});
    }
    void object(const Tmapobject& o, bool placed) {
        str(o.name);
        str(o.title);
        if (!placed) add({o.row});
        add({o.frame_count});
        ints_raw(o.frames);
        ints_raw(o.frames2);
        if (placed) add({o.row, o.place.map, o.place.x, o.place.y});
        add({o.size, o.height, o.arm1, o.arm2, o.arm3, o.form, o.lock, o.floating, o.chest, o.door, o.locked,
             o.closed, o.passing, o.visible, o.transmitter, o.receiver, o.transparent, o.hp});
        if (placed) invs(o.contents);
        invs(o.parts);
    }
    void ints_raw(const tintarray& l) { v.insert(v.end(), l.begin(), l.end()); }
    void item(const Tpitem& i, bool placed, int32_t position) {
        str(i.name);
        str(i.title);
        add({placed ? i.row : position, i.item_class, i.image, i.hp, i.weight, i.value, i.dem1, i.dem2, i.dem3,
             i.arm1, i.arm2, i.arm3, i.attack, i.defence, i.block, i.a, i.b, i.c, i.cover, i.skov, i.penalty,
             i.hands});
        if (placed) add({i.place.x, i.place.y, i.place.map, i.holder_object, i.holder_npc, i.slot});
        add({i.clip, i.load, i.flags16});
        ints(i.children);
        ints(i.contents);
    }
    void resource(const Tpres& r, bool placed, int32_t position) {
        str(r.name);
        str(r.title);
        add({placed ? r.row : position, r.kind, r.value, r.amount, r.weight, r.power, r.image_one, r.image_many});
        if (placed)
            add({r.place.map, r.place.x, r.place.y, r.holder_object, r.holder_npc, r.holder_item, r.holder_resource,
                 r.link});
        ints(r.children);
        ints(r.contents);
        add({r.filling.kind, r.filling.index, r.filling.count});
    }
    void character(const Tchar& c, bool placed, bool keep_state) {
        str(c.name);
        str(c.self_name);
        str(c.description);
        add({c.reserved0, c.STR, c.AGI, c.DEX, c.CON, c.ACU, c.INT, c.WIS, c.PER, c.figure, c.portrait});
        invs(c.inventory);
        add({c.place.map, c.place.x, c.place.y, c.head, c.body, c.left_hand.kind, c.left_hand.index,
             c.left_hand.count, c.right_hand.kind, c.right_hand.index, c.right_hand.count});
        v.insert(v.end(), c.skills.begin(), c.skills.end());
        add({c.fraction});
        invs(c.parts);
        add({c.hp, c.mp, c.sp, c.size});
        v.push_back(static_cast<int32_t>(c.phys_attrs.size()));
        for (const auto& s : c.phys_attrs) add({s.number, s.value});
        v.push_back(static_cast<int32_t>(c.extra_skills.size()));
        for (const auto& s : c.extra_skills) add({s.number, s.value, s.spare});
        if (!placed) return;
        if (keep_state)
            add({c.spawn_counter.low, c.spawn_counter.high, c.last_seen_enemy.x, c.last_seen_enemy.y,
                 c.last_seen_enemy.map, c.state_byte, c.state_s1, c.state_s2, c.state7, c.state8});
        else
            add({0, 0, -1, -1, -1, 2, 0, 0, 0, c.DEX});
        add({c.state4, c.state3, c.state1, c.state2, c.state6, c.state5});
    }
    static std::vector<int32_t> of(const TWorld& w, bool keep_state) {
        Layout l;
        l.add({static_cast<int32_t>(w.terrains.size())});
        for (const auto& t : w.terrains) {
            l.add({t.kind, t.hardness, t.frame_count});
            l.ints_raw(t.frames);
        }
        l.add({static_cast<int32_t>(w.maps.size())});
        for (const auto& m : w.maps) {
            l.str(m.name);
            l.add({m.width, m.height});
            for (const auto& column : m.cells) l.ints_raw(column);
        }
        l.add({static_cast<int32_t>(w.pmapobjects.size())});
        for (const auto& o : w.pmapobjects) l.object(o, false);
        l.add({static_cast<int32_t>(w.mapobjects.size())});
        for (const auto& o : w.mapobjects) l.object(o, true);
        l.add({static_cast<int32_t>(w.pitems.size())});
        for (std::size_t i = 0; i < w.pitems.size(); ++i) l.item(w.pitems[i], false, static_cast<int32_t>(i));
        l.add({static_cast<int32_t>(w.items.size())});
        for (const auto& i : w.items) l.item(i, true, 0);
        l.add({static_cast<int32_t>(w.presources.size())});
        for (std::size_t i = 0; i < w.presources.size(); ++i)
            l.resource(w.presources[i], false, static_cast<int32_t>(i));
        l.add({static_cast<int32_t>(w.resources.size())});
        for (const auto& r : w.resources) l.resource(r, true, 0);
        l.add({static_cast<int32_t>(w.fracs.size())});
        for (const auto& f : w.fracs) {
            l.str(f.name);
            l.add({f.image});
        }
        for (const auto& row : w.fracrel) l.v.insert(l.v.end(), row.begin(), row.end());
        l.add({static_cast<int32_t>(w.pnpcs.size())});
        for (const auto& c : w.pnpcs) l.character(c, false, keep_state);
        l.add({static_cast<int32_t>(w.npcs.size())});
        for (const auto& c : w.npcs) l.character(c, true, keep_state);
        l.add({static_cast<int32_t>(w.triggers.size())});
        for (const auto& t : w.triggers) {
            l.add({t.kind, t.visible, t.active, t.place.map, t.place.x, t.place.y, t.interval, t.counter.high,
                   t.counter.low, t.once, t.target, t.size});
            for (const auto* s : {&t.name, &t.description, &t.success_text, &t.false_text}) l.str(*s);
            l.add({static_cast<int32_t>(t.events.size())});
            for (const auto& e : t.events) {
                l.add({e.action, e.target, e.turn_off_self, e.turn_off_trigger, e.place.map, e.place.x, e.place.y,
                       e.search, e.continue_on_false, e.value});
                l.str(e.text);
            }
        }
        l.add({static_cast<int32_t>(w.crafts.size())});
        for (const auto& c : w.crafts) {
            l.invs(c.ingredients);
            l.add({c.tool, c.near_object, c.product, c.product_kind, c.time});
            l.v.push_back(static_cast<int32_t>(c.skills.size()));
            for (const auto& s : c.skills) l.add({s.number, s.value});
            l.str(c.word);
        }
        l.add({static_cast<int32_t>(w.paths.size())});
        for (const auto& p : w.paths)
            l.add({p.from.x, p.from.y, p.from.map, p.to.x, p.to.y, p.to.map, p.length, p.ways});
        l.add({w.player.npc, w.player.free_points, w.player.free_skill_points, w.player.change_name});
        l.ints(w.player.pictures);
        l.ints(w.player.portraits);
        return l.v;
    }
};

class WorldFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string file(const std::string& name = "world.wld") const { return dir.file(name); }
    std::vector<int32_t> saved_values(const TWorld& w, bool keep_state = true) {
        save_world(file("values.wld"), keep_state, w);
        return file_values(file("values.wld"));
    }
};

// ---- the exact bytes ----

TEST_F(WorldFile, WorldAfterResetIsEightyBytes) {
    save_world(file(), true, reset());
    EXPECT_EQ(file_bytes(file()).size(), 80u);
    EXPECT_EQ(file_values(file()), empty_world_values());
}

TEST_F(WorldFile, OneTerrainWorldIsTheNinetySixBytesListed) {
    TWorld w = reset();
    w.player = {};
    w.player.npc = -1;
    w.terrains.push_back({400, 1, 0, {5}});
    save_world(file(), true, w);
    std::vector<unsigned char> expected = {1, 0, 0, 0, 0, 0, 0, 0, 0x90, 1, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0};
    expected.insert(expected.end(), 13 * 4, 0);
    expected.insert(expected.end(), {0xFF, 0xFF, 0xFF, 0xFF});
    expected.insert(expected.end(), 5 * 4, 0);
    EXPECT_EQ(file_bytes(file()), expected);

    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back.terrains, w.terrains);
}

TEST_F(WorldFile, EveryValueStandsWhereTheLayoutPutsIt) {
    const TWorld w = full_world();
    for (bool keep_state : {true, false}) {
        const auto expected = Layout::of(w, keep_state);
        const auto actual = saved_values(w, keep_state);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i)
            ASSERT_EQ(actual[i], expected[i]) << "value " << i << ", keep_state " << keep_state;
    }
}

TEST_F(WorldFile, MapIsNameSizeAndCellsColumnByColumn) {
    TWorld w = reset();
    w.maps.push_back({"ab", 2, 1, {{0}, {3}}});
    const auto v = saved_values(w);
    const std::vector<int32_t> map_values(v.begin() + 1, v.begin() + 9);
    EXPECT_EQ(map_values, (std::vector<int32_t>{1, 2, 97, 98, 2, 1, 0, 3}));

    w.maps[0] = {"", 2, 3, {{1, 2, 3}, {4, 5, 6}}};
    const auto v2 = saved_values(w);
    EXPECT_EQ(std::vector<int32_t>(v2.begin() + 2, v2.begin() + 11), (std::vector<int32_t>{0, 2, 3, 1, 2, 3, 4, 5, 6}));
}

// The three values of section 10 and the order of places, counters and CON/ACU,
// checked on a small world value by value.
TEST_F(WorldFile, FractionMatrixPlacesCountersAndCharacteristicsInFileOrder) {
    TWorld w = reset();
    w.fracs = {{"a", 7}, {"", 8}};
    w.fracrel = {{-1, 2}, {3, -128}};
    w.paths.push_back({{1, 2, 3}, {4, 5, 6}, 9, 255});
    auto v = saved_values(w);
    // 9 counts, fraction count 2, "a" 7, "" 8, matrix, then the NPC template count.
    const std::vector<int32_t> fracs(v.begin() + 8, v.begin() + 19);
    EXPECT_EQ(fracs, (std::vector<int32_t>{2, 1, 97, 7, 0, 8, -1, 2, 3, -128, 0}));
    const std::vector<int32_t> path(v.end() - 6 - 8, v.end() - 6);
    EXPECT_EQ(path, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 9, 255}));

    w = reset();
    Ttrigger t;
    t.kind = 255;
    t.place = {1, 2, 3};
    t.counter = {10, 20};  // low, high
    t.events.push_back({});
    t.events[0].place = {4, 5, 6};
    w.triggers.push_back(t);
    v = saved_values(w);
    // kind, visible, active, map, x, y, interval, high, low
    EXPECT_EQ(std::vector<int32_t>(v.begin() + 12, v.begin() + 21),
              (std::vector<int32_t>{255, 0, 0, 3, 1, 2, 0, 20, 10}));
    const auto events = v.begin() + 12 + 16;
    EXPECT_EQ(events[0], 1);                                                    // event count
    EXPECT_EQ(std::vector<int32_t>(events + 5, events + 8), (std::vector<int32_t>{6, 4, 5}));  // map, x, y

    w = reset();
    Tchar c;
    c.ACU = 44;
    c.CON = 55;
    c.DEX = 33;
    w.pnpcs.push_back(c);
    v = saved_values(w);
    const auto npc = v.begin() + 10;  // 9 counts, the NPC template count; then three strings
    EXPECT_EQ(std::vector<int32_t>(npc + 3, npc + 9), (std::vector<int32_t>{0, 0, 0, 33, 55, 44}));
}

// ---- round trips ----

TEST_F(WorldFile, RoundTripIntoEmptyWorldKeepsEveryCarriedField) {
    const TWorld w = full_world();
    save_world(file(), true, w);
    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back, as_loaded_fresh(w));
    // Writing what was read gives the same file.
    save_world(file("again.wld"), true, back);
    EXPECT_EQ(file_bytes(file("again.wld")), file_bytes(file()));
}

// Large enough that the maps share one block and the placed items are made in
// one reservation: the world still round-trips byte for byte, entries that
// stood before keep their uncarried fields, and each map stands on its own.
TEST_F(WorldFile, LargeWorldRoundTripsAndItsMapsStandAlone) {
    TWorld w = full_world();
    for (int m = 0; m < 3; ++m) {
        Tmap map{"big " + std::to_string(m), 512, 500, tintmatrix(512, tintarray(500))};
        for (int x = 0; x < 512; ++x)
            for (int y = 0; y < 500; ++y) map.cells[x][y] = m * 1000000 + x * 1000 + y;
        w.maps.push_back(std::move(map));
    }
    const Tpitem model = w.items.front();
    w.items.assign(20000, model);
    for (int i = 0; i < 20000; ++i) w.items[i].contents = {i, -i};
    save_world(file(), true, w);

    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back, as_loaded_fresh(w));
    save_world(file("again.wld"), true, back);
    EXPECT_EQ(file_bytes(file("again.wld")), file_bytes(file()));

    TWorld over = w;
    over.items[19999].text2 = "kept";
    over.items.resize(10);
    over.items[5].text2 = "kept too";
    load_world(file(), over);
    EXPECT_EQ(over.items[5].text2, "kept too");
    EXPECT_EQ(over.items[19999].text2, "");
    EXPECT_EQ(over.items[19999].contents, (tintarray{19999, -19999}));

    const std::size_t first = w.maps.size() - 3;
    back.maps.erase(back.maps.begin() + static_cast<std::ptrdiff_t>(first));
    back.maps[first].cells[511][499] = -5;
    TWorld copy = back;
    back = TWorld();
    EXPECT_EQ(copy.maps[first].cells[511][499], -5);
    EXPECT_EQ(copy.maps[first + 1].cells[511][499], 2000000 + 511 * 1000 + 499);
    EXPECT_EQ(copy.maps[first].cells[0][0], 1000000);
}

TEST_F(WorldFile, CatalogueRowsAreWrittenAsPositionsObjectRowsAsHeld) {
    TWorld w = reset();
    w.pitems.resize(3);
    w.presources.resize(2);
    for (auto& it : w.pitems) it.row = 77;
    for (auto& r : w.presources) r.row = 88;
    w.pmapobjects.resize(1);
    w.pmapobjects[0].row = 99;
    save_world(file(), true, w);
    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back.pmapobjects[0].row, 99);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(back.pitems[i].row, i);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(back.presources[i].row, i);
}

TEST_F(WorldFile, LoadingOverTheSameWorldKeepsUncarriedFields) {
    const TWorld w = full_world();
    save_world(file(), true, w);
    TWorld target = w;
    load_world(file(), target);
    TWorld expected = w;
    for (std::size_t i = 0; i < expected.pitems.size(); ++i) expected.pitems[i].row = static_cast<int32_t>(i);
    for (std::size_t i = 0; i < expected.presources.size(); ++i) {
        Tpres& r = expected.presources[i];
        r.row = static_cast<int32_t>(i);
        r.place = {1, 1, 0};
        r.holder_object = r.holder_npc = r.holder_item = -1;
    }
    EXPECT_EQ(target, expected);
}

TEST_F(WorldFile, FewerEntriesInTheFileKeepTheFirstEntriesUncarriedFields) {
    TWorld file_world = reset();
    Filler f;
    file_world.mapobjects = {filled_object(f, 1), filled_object(f, 1)};
    save_world(file(), true, file_world);

    TWorld target = full_world();
    while (target.mapobjects.size() < 5) target.mapobjects.push_back(filled_object(f, 2));
    const TWorld before = target;
    load_world(file(), target);
    ASSERT_EQ(target.mapobjects.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(target.mapobjects[i].reserved1, before.mapobjects[i].reserved1);
        EXPECT_EQ(target.mapobjects[i].reserved2, before.mapobjects[i].reserved2);
        EXPECT_EQ(target.mapobjects[i].reserved3, before.mapobjects[i].reserved3);
        EXPECT_EQ(target.mapobjects[i].name, file_world.mapobjects[i].name);
        EXPECT_EQ(target.mapobjects[i].place, file_world.mapobjects[i].place);
    }
    EXPECT_TRUE(target.terrains.empty());
    EXPECT_EQ(target.events, before.events);
    EXPECT_EQ(target.strings, before.strings);
}

TEST_F(WorldFile, EmptyWorldFileEmptiesAnEditedWorldButEventsAndStrings) {
    write_values(file(), empty_world_values());
    TWorld w = full_world();
    load_world(file(), w);
    TWorld expected;
    expected.events = full_world().events;
    expected.strings = full_world().strings;
    expected.player.npc = -1;
    EXPECT_EQ(w, expected);
}

TEST_F(WorldFile, ManyZeroedEntriesInEachListLoad) {
    // Each list's entries are taken at their least size; a file of nothing
    // else must still load (the bound on counts may not refuse it).
    const std::vector<std::function<void(TWorld&)>> fills = {
        [](TWorld& w) { w.terrains.resize(500); },   [](TWorld& w) { w.maps.resize(500); },
        [](TWorld& w) { w.pmapobjects.resize(500); }, [](TWorld& w) { w.mapobjects.resize(500); },
        [](TWorld& w) { w.pitems.resize(500); },     [](TWorld& w) { w.items.resize(500); },
        [](TWorld& w) { w.presources.resize(500); }, [](TWorld& w) { w.resources.resize(500); },
        [](TWorld& w) {
            w.fracs.resize(500);
            w.fracrel.assign(500, std::vector<int8_t>(500));
        },
        [](TWorld& w) { w.pnpcs.resize(500); },      [](TWorld& w) { w.npcs.resize(500); },
        [](TWorld& w) { w.triggers.resize(500); },
        [](TWorld& w) {
            w.triggers.resize(1);
            w.triggers[0].events.resize(500);
        },
        [](TWorld& w) { w.crafts.resize(500); },     [](TWorld& w) { w.paths.resize(500); },
        [](TWorld& w) { w.player.pictures.resize(500); },
        [](TWorld& w) { w.maps.assign(1, Tmap{"", 500, 0, tintmatrix(500)}); },
    };
    for (std::size_t i = 0; i < fills.size(); ++i) {
        TWorld w = reset();
        fills[i](w);
        save_world(file(), true, w);
        TWorld back;
        EXPECT_EQ(error_of([&] { load_world(file(), back); }), "") << "list " << i;
    }
}

TEST_F(WorldFile, KeepStateFalseWritesAFreshStartForPlacedNpcs) {
    TWorld w = reset();
    Filler f;
    w.npcs = {filled_char(f)};
    w.npcs[0].DEX = 7;
    const auto kept = saved_values(w, true);
    const auto fresh = saved_values(w, false);
    ASSERT_EQ(kept.size(), fresh.size());
    const auto at = std::find(kept.begin(), kept.end(), w.npcs[0].spawn_counter.low) - kept.begin();
    ASSERT_LT(at + 16, static_cast<long>(kept.size()));
    const Tchar& c = w.npcs[0];
    EXPECT_EQ(std::vector<int32_t>(kept.begin() + at, kept.begin() + at + 16),
              (std::vector<int32_t>{c.spawn_counter.low, c.spawn_counter.high, c.last_seen_enemy.x,
                                    c.last_seen_enemy.y, c.last_seen_enemy.map, c.state_byte, c.state_s1,
                                    c.state_s2, c.state7, c.state8, c.state4, c.state3, c.state1, c.state2,
                                    c.state6, c.state5}));
    std::vector<int32_t> expected = kept;
    const int32_t fresh_tail[] = {0, 0, -1, -1, -1, 2, 0, 0, 0, 7};
    std::copy(std::begin(fresh_tail), std::end(fresh_tail), expected.begin() + at);
    EXPECT_EQ(fresh, expected);
}

// ---- narrow fields ----

TEST_F(WorldFile, NarrowFieldsAreExtendedOnWritingAndCutOnReading) {
    TWorld w = reset();
    w.terrains.push_back({65535, 1, -1, {-1}});
    w.fracs = {{"", 0}};
    w.fracrel = {{-1}};
    w.paths.push_back({{}, {}, 0, 255});
    save_world(file(), true, w);
    auto v = file_values(file());
    EXPECT_EQ(std::vector<int32_t>(v.begin(), v.begin() + 5), (std::vector<int32_t>{1, -1, 65535, 1, -1}));
    EXPECT_EQ(v[5 + 7 + 3], -1);  // the one relation after the fraction count, name and image
    EXPECT_EQ(v[v.size() - 7], 255);  // ways, before the player

    // High bits are cut; a Boolean is true only for 1.
    v[1] = 0x1FF;        // kind -> -1
    v[2] = 0x12345678;   // hardness -> 0x5678
    v[5 + 7 + 3] = 0x17F;  // relation -> 127
    v[v.size() - 7] = 0x1FE;  // ways -> 254
    for (int32_t flag : {2, -1, 1, 0}) {
        v[v.size() - 3] = flag;  // change name
        write_values(file(), v);
        TWorld back;
        load_world(file(), back);
        EXPECT_EQ(back.terrains[0].kind, -1);
        EXPECT_EQ(back.terrains[0].hardness, 0x5678);
        EXPECT_EQ(back.fracrel[0][0], 127);
        EXPECT_EQ(back.paths[0].ways, 254);
        EXPECT_EQ(back.player.change_name, flag == 1) << flag;
        EXPECT_EQ(saved_values(back).end()[-3], flag == 1 ? 1 : 0);
    }

    TWorld n = reset();
    Tchar c;
    c.state_s1 = -1;
    c.state_s2 = -128;
    c.state_byte = 255;
    n.npcs.push_back(c);
    const auto nv = saved_values(n);
    // The tail's 16 values stand before three counts and the player.
    const std::vector<int32_t> tail(nv.end() - 6 - 3 - 16 + 5, nv.end() - 6 - 3 - 16 + 8);
    EXPECT_EQ(tail, (std::vector<int32_t>{255, -1, -128}));
}

TEST_F(WorldFile, TerrainFrameListTakesAllThirtyTwoBitsOfItsCount) {
    std::vector<int32_t> v = {1, 0, 400, 65537};
    for (int i = 0; i < 65537; ++i) v.push_back(i);
    const auto rest = empty_world_values();
    v.insert(v.end(), rest.begin() + 1, rest.end());
    write_values(file(), v);
    TWorld w;
    load_world(file(), w);
    ASSERT_EQ(w.terrains.size(), 1u);
    EXPECT_EQ(w.terrains[0].frame_count, 1);
    EXPECT_EQ(w.terrains[0].frames.size(), 65537u);
    EXPECT_EQ(w.terrains[0].frames.back(), 65536);
}

TEST_F(WorldFile, StringLengthsOfZeroAndBelowReadAsEmptyAndTakeNoCharacters) {
    for (int32_t length : {0, -1, -5, INT32_MIN}) {
        std::vector<int32_t> v = {0, 1, length, 0, 0};
        const auto rest = empty_world_values();
        v.insert(v.end(), rest.begin() + 2, rest.end());
        write_values(file(), v);
        TWorld w = full_world();
        load_world(file(), w);
        ASSERT_EQ(w.maps.size(), 1u);
        EXPECT_EQ(w.maps[0].name, "") << length;
        EXPECT_EQ(w.maps[0].width, 0);
        EXPECT_EQ(w.player.npc, -1);
    }
}

TEST_F(WorldFile, ValuesThatNameNothingAreKeptAsTheyStand) {
    TWorld w = reset();
    w.terrains.push_back({1, 3, 99, {-7, 123456, 5}});  // frame count 3, kind 99
    w.maps.push_back({"m", 1, 2, {{-5, 1000}}});       // cells naming no terrain
    w.mapobjects.resize(1);
    w.mapobjects[0].frame_count = 5;
    w.mapobjects[0].frames = {1, 2, 3, 4, 5};
    w.mapobjects[0].frames2 = {6, 7, 8, 9, 10};
    w.mapobjects[0].row = 40;
    w.mapobjects[0].contents = {{9, -3, 2}};
    w.player.npc = 12;
    save_world(file(), true, w);
    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back, as_loaded_fresh(w));
}

TEST_F(WorldFile, TrailingValuesAreIgnored) {
    auto v = file_values((save_world(file(), true, full_world()), file()));
    for (int32_t extra : {0, -1, 12345}) v.push_back(extra);
    write_values(file(), v);
    auto bytes = file_bytes(file());
    bytes.push_back(0xAB);  // and a byte that is no whole value
    write_bytes(file(), bytes);
    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back, as_loaded_fresh(full_world()));
}

// ---- failures leave the world as it was ----

TEST_F(WorldFile, EveryCutOfARealFileReadsBeyondEndAndChangesNothing) {
    save_world(file("full.wld"), true, full_world());
    const auto bytes = file_bytes(file("full.wld"));
    TWorld w = full_world();
    w.maps.pop_back();
    w.npcs.push_back({});
    const TWorld before = w;
    for (std::size_t cut = 0; cut < bytes.size(); cut += (cut % 4 == 0 ? 1 : 3)) {
        write_bytes(file(), std::vector<unsigned char>(bytes.begin(), bytes.begin() + cut));
        ASSERT_EQ(error_of([&] { load_world(file(), w); }), "Read beyond end of file") << "cut at " << cut;
        ASSERT_EQ(w, before) << "cut at " << cut;
    }
}

TEST_F(WorldFile, BadCountsAndSizesFailBeforeTakingMemory) {
    const auto rest = empty_world_values();
    // The head, the rest of an empty world's file and trailing values, so that
    // the error comes from the value looked at and not from the file's end.
    auto with = [&](std::vector<int32_t> head, std::size_t skip) {
        head.insert(head.end(), rest.begin() + static_cast<long>(skip), rest.end());
        head.insert(head.end(), 64, 0);
        return head;
    };
    auto zeros_then = [](std::vector<int32_t> head, std::size_t zeros, int32_t last) {
        head.insert(head.end(), zeros, 0);
        head.push_back(last);
        return head;
    };
    const struct {
        const char* what;
        std::vector<int32_t> values;
        const char* error;
    } cases[] = {
        {"negative first count", with({-1}, 1), "Range check error"},
        {"negative map width", with({0, 1, 0, -1, 1}, 2), "Range check error"},
        {"negative height, width 2", with({0, 1, 0, 2, -1}, 2), "Range check error"},
        {"negative object frame count", with({0, 0, 1, 0, 0, 0, -1}, 3), "Range check error"},
        {"negative terrain frame count", with({1, 0, 400, -1}, 1), "Range check error"},
        // name, title, row, frame count, 7 values, 10 flags, hp, then the parts count
        {"negative item list count", with(zeros_then({0, 0, 1}, 22, -1), 3), "Range check error"},
        {"list too large for 32-bit size", with({INT32_MAX}, 1), "Range check error"},
        {"a million terrains", with({1000000}, 1), "Read beyond end of file"},
        {"map of 10000 x 10000 cells", with({0, 1, 0, 10000, 10000}, 2), "Read beyond end of file"},
        // Columns of height 0 take no values: a million of them in all, not more.
        {"fifty million empty columns", with({0, 1, 0, 50000000, 0}, 2), "Out of memory"},
        {"two maps of 600000 empty columns", with({0, 2, 0, 600000, 0, 0, 600000, 0}, 2), "Out of memory"},
        {"one map of 1000000 empty columns", with({0, 1, 0, 1000000, 0}, 2), ""},
        {"a billion empty columns", with({0, 1, 0, 1000000000, 0}, 2), "Range check error"},
        {"40000 fractions", with({0, 0, 0, 0, 0, 0, 0, 0, 40000}, 9), "Read beyond end of file"},
        {"string of two billion characters", with({0, 1, 2000000000}, 2), "Read beyond end of file"},
        // 11 counts, one trigger of 16 values, then its event count
        {"events past the end", with(zeros_then(zeros_then(std::vector<int32_t>(11, 0), 0, 1), 16, 3000000), 12),
         "Read beyond end of file"},
        {"width 0 empties the cells whatever the height", with({0, 1, 0, 0, -7}, 2), ""},
    };
    for (const auto& c : cases) {
        write_values(file(), c.values);
        TWorld w = full_world();
        const TWorld before = w;
        EXPECT_EQ(error_of([&] { load_world(file(), w); }), c.error) << c.what;
        if (*c.error) {
            EXPECT_EQ(w, before) << c.what;
        }
    }
}

// The fuzzer's seeds and any inputs it found trouble with.
TEST_F(WorldFile, StoredInputsLoadOrFailCleanly) {
    std::vector<fs::path> inputs;
    for (const char* folder : {"fuzz/corpus", "tests/data/worldfile"}) {
        const fs::path data = fs::path(EDITOR_SOURCE_DIR) / folder;
        if (fs::exists(data))
            for (const auto& entry : fs::directory_iterator(data)) inputs.push_back(entry.path());
    }
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs) {
        const fs::directory_entry entry(input);
        TWorld w = full_world();
        const TWorld before = w;
        const std::string error = error_of([&] { load_world(entry.path().string(), w); });
        if (!error.empty()) {
            EXPECT_EQ(w, before) << entry.path();
            EXPECT_TRUE(error == "Read beyond end of file" || error == "Range check error" ||
                        error == "Out of memory")
                << entry.path() << ": " << error;
        } else {
            save_world(file(), true, w);
            TWorld again;
            load_world(file(), again);
            EXPECT_EQ(as_loaded_fresh(again), as_loaded_fresh(w)) << entry.path();
        }
    }
}

// ---- the file system ----

TEST_F(WorldFile, MissingFilesAndFoldersGiveTheirMessages) {
    TWorld w = full_world();
    const TWorld before = w;
    EXPECT_EQ(error_of([&] { load_world(file("none.wld"), w); }), "File not found");
    EXPECT_EQ(error_of([&] { load_world(file("no/such/folder.wld"), w); }), "Invalid filename");
    EXPECT_EQ(error_of([&] { load_world("", w); }), "Invalid filename");
    EXPECT_EQ(error_of([&] { load_world(dir.path(), w); }), "File access denied");
    write_bytes(file(), {});
    EXPECT_EQ(error_of([&] { load_world(file(), w); }), "Read beyond end of file");
    EXPECT_EQ(w, before);

    EXPECT_EQ(error_of([&] { save_world(file("no/such/folder.wld"), true, w); }), "Invalid filename");
    EXPECT_FALSE(fs::exists(file("no")));
    EXPECT_EQ(error_of([&] { save_world(dir.path(), true, w); }), "File access denied");
    EXPECT_EQ(error_of([&] { save_world("", true, w); }), "Invalid filename");
}

// Runs fn in a child process and returns its text; with ordinary_user, as an
// ordinary user sees files: without the capabilities that let root write
// read-only files.
std::string in_child(const std::function<std::string()>& fn, bool ordinary_user) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string result;
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (!ordinary_user || ::geteuid() != 0) {
            result = fn();
        } else if (::syscall(SYS_capget, &header, data) != 0) {
            result = "capget failed";
        } else {
            for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
                data[cap / 32].effective &= ~(1u << (cap % 32));
            result = ::syscall(SYS_capset, &header, data) == 0 ? fn() : "capset failed";
        }
        (void)!::write(fds[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return result;
}

std::string as_ordinary_user(const std::function<std::string()>& fn) { return in_child(fn, true); }

std::string message_of(const std::function<void()>& fn) {
    const std::string e = error_of(fn);
    return e.empty() ? "no error" : e;
}

TEST_F(WorldFile, ReadOnlyFileCannotBeSavedOverOrOpened) {
    save_world(file(), true, reset());
    const auto before = file_bytes(file());
    ASSERT_EQ(::chmod(file().c_str(), 0444), 0);
    const TWorld w = full_world();
    EXPECT_EQ(as_ordinary_user([&] { return message_of([&] { save_world(file(), true, w); }); }),
              "File access denied");
    EXPECT_EQ(as_ordinary_user([&] {
                  TWorld target = w;
                  return message_of([&] { load_world(file(), target); });
              }),
              "File access denied");
    EXPECT_EQ(file_bytes(file()), before);
    // A folder the user may not write takes no new file.
    fs::create_directory(file("locked"));
    ASSERT_EQ(::chmod(file("locked").c_str(), 0555), 0);
    EXPECT_EQ(as_ordinary_user([&] { return message_of([&] { save_world(file("locked/new.wld"), true, w); }); }),
              "File access denied");
    EXPECT_TRUE(fs::is_empty(file("locked")));
    ::chmod(file("locked").c_str(), 0755);
    ::chmod(file().c_str(), 0644);
}

TEST_F(WorldFile, ImmutableFileCannotBeSavedOverEvenByRoot) {
    save_world(file(), true, reset());
    const auto before = file_bytes(file());
    if (std::system(("chattr +i '" + file() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "this file system or user cannot mark files immutable";
    const std::string error = error_of([&] { save_world(file(), true, full_world()); });
    std::system(("chattr -i '" + file() + "'").c_str());
    EXPECT_EQ(error, "File access denied");
    EXPECT_EQ(file_bytes(file()), before);
}

TEST_F(WorldFile, SaveKeepsPermissionsAndLinks) {
    save_world(file(), true, reset());
    ASSERT_EQ(::chmod(file().c_str(), 0640), 0);
    fs::create_symlink(file(), file("link.wld"));
    save_world(file("link.wld"), true, full_world());
    EXPECT_TRUE(fs::is_symlink(file("link.wld")));
    struct stat st;
    ASSERT_EQ(::stat(file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    TWorld back;
    load_world(file(), back);
    EXPECT_EQ(back, as_loaded_fresh(full_world()));

    const mode_t mask = ::umask(022);
    save_world(file("new.wld"), true, reset());
    ::umask(mask);
    ASSERT_EQ(::stat(file("new.wld").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    // Only the two worlds and the link: no temporary file stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

TEST_F(WorldFile, WorldThatCannotBeWrittenLeavesTheOldFile) {
    save_world(file(), true, full_world());
    const auto before = file_bytes(file());
    TWorld w = full_world();
    w.maps[1].width = -3;
    EXPECT_EQ(error_of([&] { save_world(file(), true, w); }), "Range check error");
    EXPECT_EQ(file_bytes(file()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(WorldFile, ListsShorterThanTheirSizeFieldsAreFilled) {
    TWorld w = reset();
    w.terrains.push_back({1, 3, 0, {8}});
    w.maps.push_back({"", 2, 2, {{4}}});
    w.fracs = {{"", 0}, {"", 0}};
    w.fracrel = {{5}};
    const auto v = saved_values(w);
    EXPECT_EQ(std::vector<int32_t>(v.begin(), v.begin() + 15),
              (std::vector<int32_t>{1, 0, 1, 3, 8, -1, -1, 1, 0, 2, 2, 4, -1, -1, -1}));
    EXPECT_EQ(std::vector<int32_t>(v.end() - 6 - 5 - 4, v.end() - 6 - 5), (std::vector<int32_t>{5, 0, 0, 0}));
}

// A world big enough not to fit in a few pages.
TWorld large_world() {
    TWorld w = full_world();
    w.maps.push_back({"big", 128, 128, tintmatrix(128, tintarray(128, 7))});
    return w;
}

TEST_F(WorldFile, DiskFullKeepsTheOldFile) {
    // /dev/full fails every write: the message for a full disk.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(error_of([] { save_world("/dev/full", true, large_world()); }), "Disk full");
    }

    // A file that may grow only a little fails midway, the same as a disk
    // that fills up; the old file must come through unchanged.
    save_world(file(), true, reset());
    const auto before = file_bytes(file());
    const std::string result = in_child(
        [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{4096, 4096};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit failed");
            return message_of([&] { save_world(file(), true, large_world()); });
        },
        false);
    EXPECT_EQ(result, "Disk full");
    EXPECT_EQ(file_bytes(file()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(WorldFile, FullFileSystemKeepsTheOldFile) {
    const std::string mount_point = file("small");
    fs::create_directory(mount_point);
    if (::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mount_point};
    const std::string target = mount_point + "/world.wld";
    save_world(target, true, full_world());
    const auto before = file_bytes(target);
    EXPECT_EQ(error_of([&] { save_world(target, true, large_world()); }), "Disk full");
    EXPECT_EQ(file_bytes(target), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(mount_point), fs::directory_iterator()), 1);
    TWorld back;
    load_world(target, back);
    EXPECT_EQ(back, as_loaded_fresh(full_world()));
}

TEST(RecordFile, SystemErrorsMapToTheEditorsCodes) {
    const std::pair<int, int> cases[] = {{ENOENT, 2},  {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4},
                                         {EACCES, 5},  {EPERM, 5},   {EROFS, 5},        {EISDIR, 5}, {ENOSPC, 101},
                                         {EDQUOT, 101}, {EFBIG, 101}, {EIO, 30},        {EINTR, 31}, {ENETDOWN, 59},
                                         {EINVAL, EINVAL}};
    for (const auto& [err, code] : cases) EXPECT_EQ(io_error_code(err, "/tmp/x.wld", true), code) << err;
    EXPECT_EQ(io_error_code(EIO, "/tmp/x.wld", false), 29);
    EXPECT_EQ(io_error_code(ENOENT, "/no/such/folder/x.wld", true), 3);
}

TEST(RecordFile, RecordsCrossTheBufferBoundary) {
    TempDir dir;
    const int n = (1 << 20) / 4 * 3 + 7;  // three buffers and a bit
    {
        RecordWriter out(dir.file("r"));
        for (int i = 0; i < n; ++i) out.write(i * 7 - 5);
        out.commit();
    }
    EXPECT_EQ(fs::file_size(dir.file("r")), static_cast<uintmax_t>(n) * 4);
    // A cut record at the end is no record.
    { std::ofstream(dir.file("r"), std::ios::app | std::ios::binary) << "ab"; }
    RecordReader in(dir.file("r"));
    EXPECT_EQ(in.remaining(), n);
    for (int i = 0; i < n; ++i) ASSERT_EQ(in.read(), i * 7 - 5) << i;
    EXPECT_EQ(in.remaining(), 0);
    EXPECT_EQ(error_of([&] { in.read(); }), "Read beyond end of file");
    // A writer given up on leaves nothing behind.
    { RecordWriter abandoned(dir.file("r")); abandoned.write(1); }
    EXPECT_EQ(fs::file_size(dir.file("r")), static_cast<uintmax_t>(n) * 4 + 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
