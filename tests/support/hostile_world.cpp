#include "tests/support/hostile_world.h"

#include <algorithm>
#include <climits>
#include <iterator>

std::string hostile_name(Hostile kind) {
    switch (kind) {
    case Hostile::minus_one: return "minus_one";
    case Hostile::lowest: return "lowest";
    case Hostile::highest: return "highest";
    case Hostile::past_end: return "past_end";
    case Hostile::zero: return "zero";
    case Hostile::valid: return "valid";
    case Hostile::large: return "large";
    case Hostile::last: return "last";
    }
    return "?";
}

int32_t hostile_value(Hostile kind, std::size_t n, uint8_t pick) {
    switch (kind) {
    case Hostile::minus_one: return -1;
    case Hostile::lowest: return INT32_MIN;
    case Hostile::highest: return INT32_MAX;
    case Hostile::past_end: return static_cast<int32_t>(n);
    case Hostile::zero: return 0;
    case Hostile::valid: return n == 0 ? 0 : static_cast<int32_t>(pick % n);
    case Hostile::large: return 100000;
    case Hostile::last: return static_cast<int32_t>(n) - 1;
    }
    return -1;
}

HostileMode HostileMode::from_byte(uint8_t b) {
    HostileMode m;
    const int forced = b & 0x0f;
    if (forced >= 1 && forced <= hostile_kinds) m.forced = static_cast<Hostile>(forced - 1);
    m.stale = b & 0x10;
    m.cancel = b & 0x20;
    return m;
}

uint8_t HostileMode::to_byte() const {
    uint8_t b = forced ? static_cast<uint8_t>(static_cast<int>(*forced) + 1) : 0;
    if (stale) b |= 0x10;
    if (cancel) b |= 0x20;
    return b;
}

uint8_t HostileBytes::byte() { return at_ < size_ ? data_[at_++] : 0; }

std::size_t HostileBytes::length(std::size_t most) { return longest ? most : byte() % (most + 1); }

int32_t HostileBytes::index(std::size_t n) {
    const uint8_t b = byte();
    Hostile kind = static_cast<Hostile>(b % hostile_kinds);
    if (forced) kind = draws_++ % 2 == 0 ? *forced : Hostile::valid;
    return hostile_value(kind, n, static_cast<uint8_t>(b / hostile_kinds));
}

namespace {

// Builds one world from the bytes, in the order of the file's sections: all
// list lengths first, so that every index can be aimed just past its list.
class Builder {
public:
    Builder(HostileBytes& in, std::size_t tiles) : in_(in), tiles_(tiles) {}

    TWorld build() {
        reset_world(w_);
        n_terrains_ = in_.length(4);
        n_maps_ = in_.length(3);
        n_pobjects_ = in_.length(4);
        n_objects_ = in_.length(5);
        n_pitems_ = in_.length(5);
        n_items_ = in_.length(6);
        n_presources_ = in_.length(6);
        n_resources_ = in_.length(7);
        n_fracs_ = in_.length(3);
        n_pnpcs_ = in_.length(3);
        n_npcs_ = in_.length(4);
        n_triggers_ = in_.length(3);
        n_crafts_ = in_.length(3);
        n_paths_ = in_.length(3);

        for (std::size_t i = 0; i < n_terrains_; ++i) w_.terrains.push_back(terrain());
        for (std::size_t i = 0; i < n_maps_; ++i) w_.maps.push_back(map(i));
        for (std::size_t i = 0; i < n_pobjects_; ++i) w_.pmapobjects.push_back(object_template(i));
        for (std::size_t i = 0; i < n_objects_; ++i) w_.mapobjects.push_back(placed_object(i));
        for (std::size_t i = 0; i < n_pitems_; ++i) w_.pitems.push_back(item_template(i));
        for (std::size_t i = 0; i < n_items_; ++i) w_.items.push_back(placed_item(i));
        for (std::size_t i = 0; i < n_presources_; ++i) w_.presources.push_back(resource_template(i));
        for (std::size_t i = 0; i < n_resources_; ++i) w_.resources.push_back(placed_resource(i));
        for (std::size_t i = 0; i < n_fracs_; ++i) w_.fracs.push_back({"f" + std::to_string(i), picture()});
        w_.fracrel.assign(n_fracs_, std::vector<int8_t>(n_fracs_, 0));
        for (auto& row : w_.fracrel)
            for (int8_t& r : row) r = static_cast<int8_t>(in_.number());
        for (std::size_t i = 0; i < n_pnpcs_; ++i) w_.pnpcs.push_back(character("t" + std::to_string(i), false));
        for (std::size_t i = 0; i < n_npcs_; ++i) w_.npcs.push_back(character("n" + std::to_string(i), true));
        for (std::size_t i = 0; i < n_triggers_; ++i) w_.triggers.push_back(trigger(i));
        for (std::size_t i = 0; i < n_crafts_; ++i) w_.crafts.push_back(craft());
        for (std::size_t i = 0; i < n_paths_; ++i)
            w_.paths.push_back({place(), place(), in_.number(), static_cast<uint8_t>(in_.index(3))});
        player();
        return w_;
    }

private:
    HostileBytes& in_;
    std::size_t tiles_;
    TWorld w_;
    std::size_t n_terrains_ = 0, n_maps_ = 0, n_pobjects_ = 0, n_objects_ = 0, n_pitems_ = 0, n_items_ = 0,
                n_presources_ = 0, n_resources_ = 0, n_fracs_ = 0, n_pnpcs_ = 0, n_npcs_ = 0, n_triggers_ = 0,
                n_crafts_ = 0, n_paths_ = 0;

    int32_t picture() { return in_.index(tiles_); }

    tintarray pictures(std::size_t n) {
        tintarray out(n);
        for (int32_t& p : out) p = picture();
        return out;
    }

    // A list of up to four indexes into a list of n.
    tintarray indexes(std::size_t n) {
        tintarray out(in_.length(4));
        for (int32_t& v : out) v = in_.index(n);
        return out;
    }

    // A thing list entry: mostly an item or a resource of the lists given,
    // sometimes of a kind that names no list.
    Tinvitem thing(std::size_t items, std::size_t resources) {
        const uint8_t k = in_.byte() % 4;
        Tinvitem e;
        e.kind = k == 0 ? thing::item : k == 1 ? thing::resource : k == 2 ? in_.index(3) : thing::item;
        e.index = in_.index(e.kind == thing::resource ? resources : items);
        e.count = in_.number();
        return e;
    }

    Tinvitems things(std::size_t items, std::size_t resources) {
        Tinvitems out(in_.length(4));
        for (Tinvitem& e : out) e = thing(items, resources);
        return out;
    }

    Tskills skills(std::size_t numbers, bool spare) {
        Tskills out(in_.length(4));
        for (Tskill& s : out) s = {in_.index(numbers), in_.number(), spare ? in_.number() : 0};
        return out;
    }

    // A place on a map: its coordinates mostly near the top-left corner,
    // where the map view shows them.
    Tplace place() {
        Tplace p;
        p.map = in_.index(n_maps_);
        const bool on_map = p.map >= 0 && static_cast<std::size_t>(p.map) < w_.maps.size();
        const Tmap* m = on_map ? &w_.maps[static_cast<std::size_t>(p.map)] : nullptr;
        p.x = in_.index(m ? static_cast<std::size_t>(std::min(m->width, 6)) : 6);
        p.y = in_.index(m ? static_cast<std::size_t>(std::min(m->height, 6)) : 6);
        return p;
    }

    Tterrain terrain() {
        Tterrain t;
        t.kind = static_cast<int8_t>(in_.index(terrain_kinds.size()));
        t.hardness = static_cast<uint16_t>(in_.number());
        static constexpr uint16_t frame_counts[] = {0, 1, 2, 3, 4, 8, 9, 64};
        t.frame_count = frame_counts[in_.byte() % std::size(frame_counts)];
        t.frames = pictures(t.frame_count);
        return t;
    }

    Tmap map(std::size_t i) {
        static constexpr int32_t sides[] = {0, 1, 2, 3, 5, 16, 17, 40};
        Tmap m;
        m.name = "m" + std::to_string(i);
        m.width = sides[in_.byte() % std::size(sides)];
        m.height = sides[in_.byte() % std::size(sides)];
        // A map without columns holds no cells, whatever its height.
        m.cells.assign(static_cast<std::size_t>(m.width), tintarray(static_cast<std::size_t>(m.height), 0));
        for (auto column : m.cells)
            for (int32_t& c : column) c = in_.index(n_terrains_);
        return m;
    }

    // The fields an object template and a placed object share.
    void object_fields(Tmapobject& o) {
        static constexpr int32_t frame_counts[] = {0, 1, 2, 3, 4, 8, 9, 64};
        o.frame_count = frame_counts[in_.byte() % std::size(frame_counts)];
        o.frames = pictures(static_cast<std::size_t>(o.frame_count));
        o.frames2 = pictures(static_cast<std::size_t>(o.frame_count));
        o.size = in_.number();
        o.height = in_.number();
        o.arm1 = in_.number();
        o.arm2 = in_.number();
        o.arm3 = in_.number();
        o.form = in_.index(2);
        o.lock = in_.index(11);
        const uint8_t flags = in_.byte(), more = in_.byte();
        o.floating = flags & 1;
        o.chest = flags & 2;
        o.door = flags & 4;
        o.locked = flags & 8;
        o.closed = flags & 16;
        o.passing = flags & 32;
        o.visible = flags & 64;
        o.transmitter = flags & 128;
        o.receiver = more & 1;
        o.transparent = more & 2;
        o.hp = in_.number();
    }

    Tmapobject object_template(std::size_t i) {
        Tmapobject o;
        o.name = "o" + std::to_string(i);
        o.row = in_.index(n_pobjects_);
        object_fields(o);
        o.parts = things(n_pitems_, n_presources_);
        return o;
    }

    Tmapobject placed_object(std::size_t i) {
        Tmapobject o;
        o.name = "po" + std::to_string(i);
        object_fields(o);
        o.row = in_.index(n_pobjects_);
        o.place = place();
        o.contents = things(n_items_, n_resources_);
        o.parts = things(n_pitems_, n_presources_);
        return o;
    }

    // The fields an item template and a placed item share.
    void item_fields(Tpitem& t) {
        t.item_class = in_.index(item_classes.size());
        t.image = picture();
        t.hp = in_.number();
        t.weight = in_.number();
        t.value = in_.number();
        t.dem1 = in_.number();
        t.dem2 = in_.number();
        t.dem3 = in_.number();
        t.arm1 = in_.number();
        t.arm2 = in_.number();
        t.arm3 = in_.number();
        t.attack = in_.number();
        t.defence = in_.number();
        t.block = in_.number();
        t.a = in_.number();
        t.b = in_.number();
        t.c = in_.number();
        t.cover = in_.number();
        t.skov = in_.number();
        t.penalty = in_.number();
        t.hands = static_cast<uint16_t>(in_.number());
        t.load = in_.number();
        t.flags16 = static_cast<uint16_t>(in_.number());
    }

    Tpitem item_template(std::size_t i) {
        Tpitem t;
        t.name = "i" + std::to_string(i);
        item_fields(t);
        t.clip = in_.index(n_presources_);
        t.children = indexes(n_presources_);
        t.contents = indexes(n_presources_);
        return t;
    }

    Tpitem placed_item(std::size_t i) {
        Tpitem t;
        t.name = "pi" + std::to_string(i);
        t.row = in_.index(n_pitems_);
        item_fields(t);
        t.place = place();
        // Half of them lie loose on their cell, so the ground dialog lists them.
        const bool loose = in_.flag();
        t.holder_object = loose ? -1 : in_.index(n_objects_);
        t.holder_npc = loose ? -1 : in_.index(n_npcs_);
        t.slot = loose ? slot::cell : static_cast<uint8_t>(in_.index(6));
        t.clip = in_.index(n_resources_);
        t.children = indexes(n_presources_);
        t.contents = indexes(n_resources_);
        return t;
    }

    void resource_fields(Tpres& r) {
        r.kind = in_.index(resource_kinds.size());
        r.value = in_.number();
        r.amount = in_.number();
        r.weight = in_.number();
        r.power = in_.number();
        r.image_one = picture();
        r.image_many = picture();
    }

    Tinvitem filling() {
        Tinvitem f;
        f.kind = in_.byte() % 2 ? thing::resource : in_.index(3);
        f.index = in_.index(n_presources_);
        f.count = in_.number();
        return f;
    }

    Tpres resource_template(std::size_t i) {
        Tpres r;
        r.name = "r" + std::to_string(i);
        resource_fields(r);
        r.children = indexes(n_presources_);
        r.contents = indexes(n_presources_);
        r.filling = filling();
        return r;
    }

    Tpres placed_resource(std::size_t i) {
        Tpres r;
        r.name = "pr" + std::to_string(i);
        r.row = in_.index(n_presources_);
        resource_fields(r);
        r.place = place();
        const bool loose = in_.flag();
        r.holder_object = loose ? -1 : in_.index(n_objects_);
        r.holder_npc = loose ? -1 : in_.index(n_npcs_);
        r.holder_item = loose ? -1 : in_.index(n_items_);
        r.holder_resource = loose ? -1 : in_.index(n_resources_);
        r.link = loose ? links::cell : static_cast<uint16_t>(in_.index(8));
        r.children = indexes(n_presources_);
        r.contents = indexes(n_resources_);
        r.filling = filling();
        return r;
    }

    // An NPC template (rows of the catalogues) or a placed NPC (placed things).
    Tchar character(const std::string& name, bool placed) {
        const std::size_t items = placed ? n_items_ : n_pitems_, resources = placed ? n_resources_ : n_presources_;
        Tchar c;
        c.name = name;
        c.self_name = "s" + name;
        c.reserved0 = in_.number();
        for (int32_t* v : {&c.STR, &c.AGI, &c.DEX, &c.CON, &c.ACU, &c.INT, &c.WIS, &c.PER}) *v = in_.number();
        c.figure = picture();
        c.portrait = picture();
        c.inventory = things(items, resources);
        c.place = placed ? place() : Tplace{};
        c.head = in_.index(items);
        c.body = in_.index(items);
        c.left_hand = thing(items, resources);
        c.right_hand = thing(items, resources);
        for (int32_t& s : c.skills) s = in_.number();
        c.fraction = in_.index(n_fracs_);
        c.parts = things(n_pitems_, n_presources_);
        c.hp = in_.number();
        c.mp = in_.number();
        c.sp = in_.number();
        c.size = in_.number();
        c.phys_attrs = skills(phys_attrs.size(), false);
        c.extra_skills = skills(skill_names.size(), true);
        if (placed) {
            c.spawn_counter = {in_.number(), in_.number()};
            c.last_seen_enemy = place();
        }
        return c;
    }

    // The list an event's target names, by a byte: any of the lists a target may name.
    std::size_t target_list() {
        const std::size_t lists[] = {n_triggers_, n_objects_, n_paths_, n_npcs_, n_presources_, n_pitems_, n_pnpcs_};
        return lists[in_.byte() % std::size(lists)];
    }

    Ttrigger trigger(std::size_t i) {
        Ttrigger t;
        t.name = "tr" + std::to_string(i);
        t.kind = static_cast<uint8_t>(in_.index(trigger_kinds.size()));
        const uint8_t flags = in_.byte();
        t.visible = flags & 1;
        t.active = flags & 2;
        t.once = flags & 4;
        t.place = place();
        t.interval = in_.number();
        t.counter = {in_.number(), in_.number()};
        t.target = in_.index(t.kind == trigger_kind::char_death ? n_npcs_ : n_objects_);
        t.size = in_.number();
        t.events.resize(in_.length(4));
        for (Tevent& e : t.events) {
            e.action = static_cast<uint8_t>(in_.index(event_actions.size()));
            e.target = in_.index(target_list());
            const uint8_t f = in_.byte();
            e.turn_off_self = f & 1;
            e.turn_off_trigger = f & 2;
            e.search = f & 4;
            e.continue_on_false = f & 8;
            e.place = place();
            e.value = in_.number();
            e.text = "e";
        }
        return t;
    }

    Tcraft craft() {
        Tcraft c;
        c.ingredients = things(n_pitems_, n_presources_);
        c.tool = in_.index(n_pitems_);
        c.near_object = in_.index(n_pobjects_);
        c.product_kind = in_.index(3);
        c.product = in_.index(c.product_kind == product::object     ? n_pobjects_
                              : c.product_kind == product::resource ? n_presources_
                                                                    : n_pitems_);
        c.time = in_.number();
        c.skills = skills(skill_names.size(), false);
        c.word = "w";
        return c;
    }

    void player() {
        w_.player.npc = in_.index(n_npcs_);
        w_.player.free_points = in_.number();
        w_.player.free_skill_points = in_.number();
        w_.player.change_name = in_.flag();
        w_.player.pictures = pictures(in_.length(4));
        w_.player.portraits = pictures(in_.length(4));
    }
};

}  // namespace

TWorld build_hostile_world(HostileBytes& bytes, std::size_t tiles) { return Builder(bytes, tiles).build(); }

TWorld build_large_world(std::size_t tiles) {
    // Bytes that give maps of every size and pictures of every kind.
    std::vector<uint8_t> pattern(8192);
    uint32_t x = 12345;
    for (uint8_t& b : pattern) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
    HostileBytes bytes(pattern.data(), pattern.size());
    bytes.forced = Hostile::valid;
    bytes.longest = true;
    return build_hostile_world(bytes, tiles);
}
