#include "worldfile/worldfile.h"

#include "platform/errors.h"
#include "platform/recordfile.h"

#include <algorithm>
#include <climits>
#include <malloc.h>
#include <unistd.h>
#include <memory>
#include <new>
#include <stdexcept>

// One description of the file drives writing, reading and counting: every
// function below walks a record with an archive. The writing archive takes
// const records and puts each value out; the reading archive takes the same
// records by reference and stores each value into its field; the counting
// archive only counts, which gives the least number of values an entry of each
// kind takes. Writer and reader thus agree value for value by construction.

namespace {

// ---- archives ----

struct ValueCount {
    int64_t n = 0;
    void write(int32_t) { ++n; }
    void write_values(const int32_t*, std::size_t k) { n += static_cast<int64_t>(k); }
};

template <class Sink>
class Out {
public:
    static constexpr bool reading = false;
    Out(Sink& sink, bool keep) : keep_state(keep), sink_(sink) {}

    void i32(int32_t v) { sink_.write(v); }
    void u16(uint16_t v) { sink_.write(v); }
    void u8(uint8_t v) { sink_.write(v); }
    void s8(int8_t v) { sink_.write(v); }
    void boolean(bool v) { sink_.write(v ? 1 : 0); }
    void values(const int32_t* v, std::size_t n) { sink_.write_values(v, n); }
    void str(const std::string& s) {
        i32(length_of(s.size()));
        for (unsigned char c : s) sink_.write(c);
    }
    static int32_t length_of(std::size_t n) {
        if (n > static_cast<std::size_t>(INT32_MAX)) throw RangeError();
        return static_cast<int32_t>(n);
    }
    // The count of a counted list of elements that take min_values values each.
    template <class Vec>
    void count(const Vec& v, int64_t) { i32(length_of(v.size())); }

    const bool keep_state;

private:
    Sink& sink_;
};

// The records' small blocks (texts beyond a few characters, short lists) come
// from the C library's heap, which grows at its top as they are made. While a
// file is read the heap grows in large steps, and every step is handed to the
// populator, so that its pages are faulted in beside the reading rather than
// one at a time by it. Afterwards the heap grows as before.
class HeapGrowth {
public:
    explicit HeapGrowth(page_populator& populator) : populator_(populator) {
#ifdef __GLIBC__
        ::mallopt(M_TOP_PAD, 32 << 20);
        seen_ = static_cast<char*>(::sbrk(0));
#endif
    }
    ~HeapGrowth() {
#ifdef __GLIBC__
        ::mallopt(M_TOP_PAD, 128 * 1024);  // the library's default
#endif
    }
    HeapGrowth(const HeapGrowth&) = delete;
    HeapGrowth& operator=(const HeapGrowth&) = delete;
    void check() {
#ifdef __GLIBC__
        char* now = static_cast<char*>(::sbrk(0));
        if (seen_ == reinterpret_cast<char*>(-1) || now == reinterpret_cast<char*>(-1) || now <= seen_) return;
        advise_huge_pages(seen_, static_cast<std::size_t>(now - seen_));
        populator_.populate(seen_, static_cast<std::size_t>(now - seen_));
        seen_ = now;
#endif
    }

private:
    page_populator& populator_;
    char* seen_ = nullptr;
};

class In {
public:
    static constexpr bool reading = true;
    static constexpr bool keep_state = true;
    explicit In(RecordReader& reader) : r_(reader) {}

    int32_t take() { return r_.read(); }
    void i32(int32_t& v) { v = r_.read(); }
    void u16(uint16_t& v) { v = static_cast<uint16_t>(r_.read()); }
    void u8(uint8_t& v) { v = static_cast<uint8_t>(r_.read()); }
    void s8(int8_t& v) { v = static_cast<int8_t>(static_cast<uint8_t>(r_.read())); }
    void boolean(bool& v) { v = r_.read() == 1; }
    void str(std::string& s) {
        const int32_t n = r_.read();
        if (n <= 0) {
            s.clear();
            return;
        }
        check(n, 1, 1);
        s.resize(static_cast<std::size_t>(n));
        r_.read_chars(s.data(), s.size());
    }
    // Reads a list's count and sets the list's length to it; entries below it
    // keep what they hold, new ones start zeroed.
    template <class Vec>
    void count(Vec& v, int64_t min_values) {
        const int32_t n = r_.read();
        check(n, sizeof(typename Vec::value_type), min_values);
        make_room(v, static_cast<std::size_t>(n));
        v.resize(static_cast<std::size_t>(n));
        heap_.check();
    }
    // The values of a list of 32-bit values whose length is set.
    void values(int32_t* out, std::size_t n) { r_.read_values(out, n); }
    // A map's cells, width x height values to be read, from the block all the
    // maps of the file share.
    // maps_left counts this map and those after it: the block is faulted in
    // ahead for as many maps of this size, as far as the file can fill them.
    void cells(tintmatrix& m, int64_t w, int64_t h, std::size_t maps_left) {
        if (!slab_) {
            const auto room = static_cast<std::size_t>(r_.remaining());
            slab_ = std::make_unique<cell_slab>(room);
            const std::size_t each = static_cast<std::size_t>(w * h);
            slab_->prefetch(maps_left > room / std::max<std::size_t>(each, 1) ? room : each * maps_left, populator_);
        }
        slab_->take(m, static_cast<std::size_t>(w), static_cast<std::size_t>(h));
    }
    // After the last map: the shared block keeps only what the maps use.
    void end_of_maps() {
        populator_.drop();
        if (slab_) slab_->trim();
        slab_.reset();
    }
    // A length taken from the file: negative, or too large for a list's size in
    // bytes to fit in 32 bits, is a range error; more elements than the values
    // left in the file could fill run past its end, before anything is allocated.
    void check(int64_t n, std::size_t element_bytes, int64_t min_values) {
        if (n < 0 || static_cast<uint64_t>(n) * element_bytes > static_cast<uint64_t>(INT32_MAX))
            throw RangeError();
        if (n * min_values > r_.remaining()) throw InOutError(InOutError::read_beyond_end);
    }
    int64_t remaining() const { return r_.remaining(); }
    // Columns of a map of height 0 take no values in the file, so the file's
    // size cannot bound them; one fixed allowance covers all of them in a file.
    // It does not depend on what else the file holds, so a world that loads
    // loads again once saved.
    void empty_columns(int64_t w) {
        check(w, sizeof(tintarray), 0);
        if (w > empty_column_allowance_) throw OutOfMemoryError();
        empty_column_allowance_ -= w;
    }

private:
    // A long list gets its room in one block before it is filled, backed by
    // huge pages where the system offers them: the records are then built in
    // memory that faults in 2 MB at a time rather than 4 KB.
    template <class Vec>
    void make_room(Vec& v, std::size_t n) {
        using T = typename Vec::value_type;
        if (n <= v.capacity() || n * sizeof(T) < (std::size_t(4) << 20)) return;
        Vec grown;
        grown.reserve(n);
        advise_huge_pages(grown.data(), n * sizeof(T));
        populator_.populate(grown.data(), n * sizeof(T));
        for (auto& e : v) grown.push_back(std::move(e));
        v.swap(grown);
    }

    RecordReader& r_;
    int64_t empty_column_allowance_ = int64_t(1) << 20;
    std::unique_ptr<cell_slab> slab_;
    page_populator populator_;  // declared after what its helpers work on: they stop first
    HeapGrowth heap_{populator_};
};

// ---- shared shapes ----

// Place orders: map first for most records, x first for items, the enemy last
// seen and paths.
template <class A, class P>
void place_mxy(A& a, P& p) {
    a.i32(p.map);
    a.i32(p.x);
    a.i32(p.y);
}
template <class A, class P>
void place_xym(A& a, P& p) {
    a.i32(p.x);
    a.i32(p.y);
    a.i32(p.map);
}

template <class A, class I>
void invitem(A& a, I& item) {
    a.i32(item.kind);
    a.i32(item.index);
    a.i32(item.count);
}

template <class A, class L>
void int_list(A& a, L& list) {
    a.count(list, 1);
    a.values(list.data(), list.size());
}

template <class A, class L>
void item_list(A& a, L& list) {
    a.count(list, 3);
    for (auto& item : list) invitem(a, item);
}

// Skill pairs leave Tskill::spare out of the file (and as it was on reading).
template <class A, class L>
void skill_pairs(A& a, L& list) {
    a.count(list, 2);
    for (auto& s : list) {
        a.i32(s.number);
        a.i32(s.value);
    }
}

template <class A, class L>
void skill_triples(A& a, L& list) {
    a.count(list, 3);
    for (auto& s : list) {
        a.i32(s.number);
        a.i32(s.value);
        a.i32(s.spare);
    }
}

// The entries of a list whose length a field gives. A list shorter than its
// field is written with fill for the missing entries.
template <class A, class L>
void sized_values(A& a, L& list, int64_t n, int32_t fill) {
    if constexpr (A::reading) {
        a.values(list.data(), list.size());
    } else {
        const int64_t have = std::min(n, static_cast<int64_t>(list.size()));
        a.values(list.data(), static_cast<std::size_t>(have));
        for (int64_t i = have; i < n; ++i) a.i32(fill);
    }
}

// ---- entries, in the order of the sections ----

template <class A, class T>
void terrain(A& a, T& t) {
    a.s8(t.kind);
    a.u16(t.hardness);
    // The frame list takes all 32 bits of the count; the field keeps its low 16.
    int32_t frames = t.frame_count;
    a.i32(frames);
    if constexpr (A::reading) {
        t.frame_count = static_cast<uint16_t>(frames);
        a.check(frames, sizeof(int32_t), 1);
        t.frames.resize(static_cast<std::size_t>(frames));
    }
    sized_values(a, t.frames, frames, -1);
}

template <class A, class M>
void map(A& a, M& m, std::size_t maps_left) {
    a.str(m.name);
    a.i32(m.width);
    a.i32(m.height);
    const int64_t w = m.width, h = m.height;
    if (w < 0 || (w > 0 && h < 0)) throw RangeError();
    if constexpr (A::reading) {
        if (w == 0) {
            m.cells.clear();
        } else {
            a.check(h, sizeof(int32_t), 1);
            if (h > 0)
                a.check(w, sizeof(tintarray), h);
            else
                a.empty_columns(w);
            a.cells(m.cells, w, h, maps_left);
        }
        a.values(m.cells.data(), m.cells.size() * m.cells.height());
    } else {
        // Cells the matrix does not hold (it is smaller than the size fields
        // say) are written as -1.
        const auto& cells = m.cells;
        const int64_t cw = static_cast<int64_t>(cells.size()), ch = static_cast<int64_t>(cells.height());
        for (int64_t x = 0; x < w; ++x) {
            const int32_t* column = x < cw ? cells.data() + x * ch : nullptr;
            const int64_t have = column ? std::min(h, ch) : 0;
            a.values(column, static_cast<std::size_t>(have));
            for (int64_t y = have; y < h; ++y) a.i32(-1);
        }
    }
}

// Object catalogue entries (placed false) and placed objects; the frame lists
// come after the row in the catalogue and before it on the map.
template <class A, class O>
void object(A& a, O& o, bool placed) {
    a.str(o.name);
    a.str(o.title);
    if (!placed) a.i32(o.row);
    a.i32(o.frame_count);
    const int64_t f = o.frame_count;
    if (f < 0) throw RangeError();
    if constexpr (A::reading) {
        a.check(f, sizeof(int32_t), 2);
        o.frames.resize(static_cast<std::size_t>(f));
        o.frames2.resize(static_cast<std::size_t>(f));
    }
    sized_values(a, o.frames, f, -1);
    sized_values(a, o.frames2, f, -1);
    if (placed) {
        a.i32(o.row);
        place_mxy(a, o.place);
    }
    a.i32(o.size);
    a.i32(o.height);
    a.i32(o.arm1);
    a.i32(o.arm2);
    a.i32(o.arm3);
    a.i32(o.form);
    a.i32(o.lock);
    a.boolean(o.floating);
    a.boolean(o.chest);
    a.boolean(o.door);
    a.boolean(o.locked);
    a.boolean(o.closed);
    a.boolean(o.passing);
    a.boolean(o.visible);
    a.boolean(o.transmitter);
    a.boolean(o.receiver);
    a.boolean(o.transparent);
    a.i32(o.hp);
    if (placed) item_list(a, o.contents);
    item_list(a, o.parts);
}

// Item catalogue entries carry their position where placed items carry their row.
template <class A, class I>
void item(A& a, I& it, bool placed, std::size_t position) {
    a.str(it.name);
    a.str(it.title);
    if constexpr (A::reading)
        a.i32(it.row);
    else
        a.i32(placed ? it.row : static_cast<int32_t>(position));
    a.i32(it.item_class);
    a.i32(it.image);
    a.i32(it.hp);
    a.i32(it.weight);
    a.i32(it.value);
    a.i32(it.dem1);
    a.i32(it.dem2);
    a.i32(it.dem3);
    a.i32(it.arm1);
    a.i32(it.arm2);
    a.i32(it.arm3);
    a.i32(it.attack);
    a.i32(it.defence);
    a.i32(it.block);
    a.i32(it.a);
    a.i32(it.b);
    a.i32(it.c);
    a.i32(it.cover);
    a.i32(it.skov);
    a.i32(it.penalty);
    a.u16(it.hands);
    if (placed) {
        place_xym(a, it.place);
        a.i32(it.holder_object);
        a.i32(it.holder_npc);
        a.u8(it.slot);
    }
    a.i32(it.clip);
    a.i32(it.load);
    a.u16(it.flags16);
    int_list(a, it.children);
    int_list(a, it.contents);
}

// Resource catalogue entries carry their position in the row's place and no
// place or holders; reading gives them the place (1, 1, 0) and no holders.
template <class A, class R>
void resource(A& a, R& r, bool placed, std::size_t position) {
    a.str(r.name);
    a.str(r.title);
    if constexpr (A::reading)
        a.i32(r.row);
    else
        a.i32(placed ? r.row : static_cast<int32_t>(position));
    a.i32(r.kind);
    a.i32(r.value);
    a.i32(r.amount);
    a.i32(r.weight);
    a.i32(r.power);
    a.i32(r.image_one);
    a.i32(r.image_many);
    if (placed) {
        place_mxy(a, r.place);
        a.i32(r.holder_object);
        a.i32(r.holder_npc);
        a.i32(r.holder_item);
        a.i32(r.holder_resource);
        a.u16(r.link);
    } else if constexpr (A::reading) {
        r.place = Tplace{1, 1, 0};
        r.holder_object = -1;
        r.holder_npc = -1;
        r.holder_item = -1;
    }
    int_list(a, r.children);
    int_list(a, r.contents);
    invitem(a, r.filling);
}

template <class A, class F>
void fraction(A& a, F& f) {
    a.str(f.name);
    a.i32(f.image);
}

// NPC templates (placed false) and placed NPCs, which add their run-time tail.
template <class A, class C>
void character(A& a, C& c, bool placed) {
    a.str(c.name);
    a.str(c.self_name);
    a.str(c.description);
    a.i32(c.reserved0);
    a.i32(c.STR);
    a.i32(c.AGI);
    a.i32(c.DEX);
    a.i32(c.CON);  // CON before ACU in the file
    a.i32(c.ACU);
    a.i32(c.INT);
    a.i32(c.WIS);
    a.i32(c.PER);
    a.i32(c.figure);
    a.i32(c.portrait);
    item_list(a, c.inventory);
    place_mxy(a, c.place);
    a.i32(c.head);
    a.i32(c.body);
    invitem(a, c.left_hand);
    invitem(a, c.right_hand);
    for (auto& s : c.skills) a.i32(s);
    a.i32(c.fraction);
    item_list(a, c.parts);
    a.i32(c.hp);
    a.i32(c.mp);
    a.i32(c.sp);
    a.i32(c.size);
    skill_pairs(a, c.phys_attrs);
    skill_triples(a, c.extra_skills);
    if (!placed) return;
    if (a.keep_state) {
        a.i32(c.spawn_counter.low);
        a.i32(c.spawn_counter.high);
        place_xym(a, c.last_seen_enemy);
        a.u8(c.state_byte);
        a.s8(c.state_s1);
        a.s8(c.state_s2);
        a.i32(c.state7);
        a.i32(c.state8);
    } else if constexpr (!A::reading) {
        // A fresh start: no spawn count, no enemy seen, the initial state.
        for (int32_t v : {0, 0, -1, -1, -1, 2, 0, 0, 0}) a.i32(v);
        a.i32(c.DEX);
    }
    a.i32(c.state4);
    a.i32(c.state3);
    a.i32(c.state1);
    a.i32(c.state2);
    a.i32(c.state6);
    a.i32(c.state5);
}

template <class A, class E>
void event(A& a, E& e) {
    a.u8(e.action);
    a.i32(e.target);
    a.boolean(e.turn_off_self);
    a.boolean(e.turn_off_trigger);
    place_mxy(a, e.place);
    a.boolean(e.search);
    a.boolean(e.continue_on_false);
    a.i32(e.value);
    a.str(e.text);
}

template <class A, class T>
void trigger(A& a, T& t);

template <class A, class C>
void craft(A& a, C& c) {
    item_list(a, c.ingredients);
    a.i32(c.tool);
    a.i32(c.near_object);
    a.i32(c.product);
    a.i32(c.product_kind);
    a.i32(c.time);
    skill_pairs(a, c.skills);
    a.str(c.word);
}

template <class A, class P>
void path(A& a, P& p) {
    place_xym(a, p.from);
    place_xym(a, p.to);
    a.i32(p.length);
    a.u8(p.ways);
}

// The least number of values one entry takes: the count of a zeroed entry,
// whose strings and lists are empty and whose sized lists have no entries.
template <class T, class Walk>
int64_t least_values(Walk walk) {
    ValueCount counter;
    Out<ValueCount> out(counter, true);
    const T zero{};
    walk(out, zero);
    return counter.n;
}

int64_t event_values() {
    static const int64_t n = least_values<Tevent>([](auto& a, auto& e) { event(a, e); });
    return n;
}

template <class A, class T>
void trigger(A& a, T& t) {
    a.u8(t.kind);
    a.boolean(t.visible);
    a.boolean(t.active);
    place_mxy(a, t.place);
    a.i32(t.interval);
    a.i32(t.counter.high);
    a.i32(t.counter.low);
    a.boolean(t.once);
    a.i32(t.target);
    a.i32(t.size);
    a.str(t.name);
    a.str(t.description);
    a.str(t.success_text);
    a.str(t.false_text);
    a.count(t.events, event_values());
    for (auto& e : t.events) event(a, e);
}

// A counted section: its count, then every entry through walk(archive, entry, position).
template <class T, class A, class Vec, class Walk>
void section(A& a, Vec& list, Walk walk) {
    static const int64_t least = least_values<T>([&](auto& out, auto& e) { walk(out, e, std::size_t{0}); });
    a.count(list, least);
    for (std::size_t i = 0; i < list.size(); ++i) walk(a, list[i], i);
}

template <class A, class W>
void world_file(A& a, W& w) {
    section<Tterrain>(a, w.terrains, [](auto& a, auto& t, std::size_t) { terrain(a, t); });
    section<Tmap>(a, w.maps, [&w](auto& a, auto& m, std::size_t i) { map(a, m, w.maps.size() - i); });
    if constexpr (A::reading) a.end_of_maps();
    section<Tmapobject>(a, w.pmapobjects, [](auto& a, auto& o, std::size_t) { object(a, o, false); });
    section<Tmapobject>(a, w.mapobjects, [](auto& a, auto& o, std::size_t) { object(a, o, true); });
    section<Tpitem>(a, w.pitems, [](auto& a, auto& it, std::size_t i) { item(a, it, false, i); });
    section<Tpitem>(a, w.items, [](auto& a, auto& it, std::size_t i) { item(a, it, true, i); });
    section<Tpres>(a, w.presources, [](auto& a, auto& r, std::size_t i) { resource(a, r, false, i); });
    section<Tpres>(a, w.resources, [](auto& a, auto& r, std::size_t i) { resource(a, r, true, i); });

    // Fractions, then their N x N relations without a count of their own.
    static const int64_t frac_values = least_values<Tfrac>([](auto& a, auto& f) { fraction(a, f); });
    if constexpr (A::reading) {
        const int64_t n = a.take();
        a.check(n, sizeof(Tfrac), frac_values);
        a.check(n, sizeof(std::vector<int8_t>), 1);
        if (n * frac_values + n * n > a.remaining()) throw InOutError(InOutError::read_beyond_end);
        w.fracs.resize(static_cast<std::size_t>(n));
        w.fracrel.resize(static_cast<std::size_t>(n));
        for (auto& row : w.fracrel) row.resize(static_cast<std::size_t>(n));
        for (auto& f : w.fracs) fraction(a, f);
        for (auto& row : w.fracrel)
            for (auto& rel : row) a.s8(rel);
    } else {
        a.count(w.fracs, frac_values);
        for (auto& f : w.fracs) fraction(a, f);
        const std::size_t n = w.fracs.size();
        for (std::size_t x = 0; x < n; ++x)
            for (std::size_t y = 0; y < n; ++y)
                a.s8(x < w.fracrel.size() && y < w.fracrel[x].size() ? w.fracrel[x][y] : int8_t{0});
    }

    section<Tchar>(a, w.pnpcs, [](auto& a, auto& c, std::size_t) { character(a, c, false); });
    section<Tchar>(a, w.npcs, [](auto& a, auto& c, std::size_t) { character(a, c, true); });
    section<Ttrigger>(a, w.triggers, [](auto& a, auto& t, std::size_t) { trigger(a, t); });
    section<Tcraft>(a, w.crafts, [](auto& a, auto& c, std::size_t) { craft(a, c); });
    section<Tpath>(a, w.paths, [](auto& a, auto& p, std::size_t) { path(a, p); });

    a.i32(w.player.npc);
    a.i32(w.player.free_points);
    a.i32(w.player.free_skill_points);
    a.boolean(w.player.change_name);
    int_list(a, w.player.pictures);
    int_list(a, w.player.portraits);
}

}  // namespace

void save_world(const std::string& file_name, bool keep_state, const TWorld& world) {
    try {
        RecordWriter writer(file_name);
        Out<RecordWriter> out(writer, keep_state);
        world_file(out, world);
        writer.commit();
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

void load_world(const std::string& file_name, TWorld& world) {
    try {
        RecordReader reader(file_name);
        // Read into a copy so that a failure leaves the world exactly as it was;
        // the copy's existing entries keep the fields the file does not carry.
        // The maps are left out of the copy: the file carries every field of
        // a map, so the old ones have nothing to hand on.
        TWorld loaded;
        {
            std::vector<Tmap> maps = std::move(world.maps);
            try {
                loaded = world;
            } catch (...) {
                world.maps = std::move(maps);
                throw;
            }
            world.maps = std::move(maps);
        }
        In in(reader);
        world_file(in, loaded);
        reader.close();
        world = std::move(loaded);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    } catch (const std::length_error&) {
        throw RangeError();
    }
}
