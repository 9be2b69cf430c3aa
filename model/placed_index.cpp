// The index of placed things by map and row.
#include "model/placed_index.h"

#include "model/init.h"

#include <algorithm>

// The index's insides, for the routines below only.
struct PlacedIndexAccess {
    using Entry = PlacedIndex::Entry;
    using Filed = PlacedIndex::Filed;
    using Row = PlacedIndex::Row;
    static PlacedIndex& of(const TWorld& world) { return const_cast<TWorld&>(world).placed_index; }
    static auto& rows(PlacedIndex& i) { return i.rows_; }
    static auto& filed(PlacedIndex& i) { return i.filed_; }
    static bool& built(PlacedIndex& i) { return i.built_; }
    static auto& storage(PlacedIndex& i) { return i.storage_; }
};

namespace {

using Access = PlacedIndexAccess;
using Entry = Access::Entry;
using Filed = Access::Filed;

int64_t builds = 0;
int64_t repairs = 0;

uint64_t row_key(int32_t map, int32_t y) {
    return (uint64_t{static_cast<uint32_t>(map)} << 32) | static_cast<uint32_t>(y);
}

std::size_t list_size(const TWorld& world, std::size_t kind) {
    switch (static_cast<Placed>(kind)) {
    case Placed::item: return world.items.size();
    case Placed::resource: return world.resources.size();
    case Placed::npc: return world.npcs.size();
    default: return world.mapobjects.size();
    }
}

const void* storage_of(const TWorld& world, std::size_t kind) {
    switch (static_cast<Placed>(kind)) {
    case Placed::item: return world.items.data();
    case Placed::resource: return world.resources.data();
    case Placed::npc: return world.npcs.data();
    default: return world.mapobjects.data();
    }
}

const Tplace& place_of(const TWorld& world, std::size_t kind, std::size_t i) {
    switch (static_cast<Placed>(kind)) {
    case Placed::item: return world.items[i].place;
    case Placed::resource: return world.resources[i].place;
    case Placed::npc: return world.npcs[i].place;
    default: return world.mapobjects[i].place;
    }
}

bool same(const Filed& f, const Tplace& p) { return f.x == p.x && f.y == p.y && f.map == p.map; }

void file(PlacedIndex& index, std::size_t kind, int32_t i, const Tplace& p) {
    Access::filed(index)[kind].push_back({p.x, p.y, p.map});
    if (p.map >= 0) Access::rows(index)[row_key(p.map, p.y)][kind].push_back({p.x, i});
}

void build(const TWorld& world, PlacedIndex& index) {
    ++builds;
    auto& rows = Access::rows(index);
    auto& filed = Access::filed(index);
    // The rows are emptied, not dropped: the next build mostly fills the same
    // rows again, so their storage is kept.
    for (auto& [key, row] : rows)
        for (auto& entries : row) entries.clear();
    for (std::size_t k = 0; k < placed_kinds; ++k) {
        filed[k].clear();
        const std::size_t n = list_size(world, k);
        filed[k].reserve(n);
        for (std::size_t i = 0; i < n; ++i) file(index, k, static_cast<int32_t>(i), place_of(world, k, i));
        Access::storage(index)[k] = storage_of(world, k);
    }
    // Rows left empty are dropped once they outnumber those in use.
    const auto empty = [](const auto& r) {
        return std::all_of(r.second.begin(), r.second.end(), [](const auto& e) { return e.empty(); });
    };
    if (const auto unused = static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), empty));
        unused > rows.size() / 2)
        std::erase_if(rows, empty);
    Access::built(index) = true;
}

// True when every thing lies where it was filed.
bool filed_true(const TWorld& world, PlacedIndex& index) {
    const auto& filed = Access::filed(index);
    for (std::size_t k = 0; k < placed_kinds; ++k)
        for (std::size_t i = 0; i < filed[k].size(); ++i)
            if (!same(filed[k][i], place_of(world, k, i))) return false;
    return true;
}

void repair(const TWorld& world, PlacedIndex& index) {
    ++repairs;
    build(world, index);
}

// Takes in what the index can see for itself: a list that grew has its new
// entries filed; one that shrank, or an index never built, is built whole; a
// list whose entries moved in memory may have been replaced, so it is checked
// whole (a list grows in steps that double it, so that stays cheap).
void sync(const TWorld& world, PlacedIndex& index) {
    auto& filed = Access::filed(index);
    auto& storage = Access::storage(index);
    bool whole = !Access::built(index);
    for (std::size_t k = 0; k < placed_kinds && !whole; ++k) whole = list_size(world, k) < filed[k].size();
    if (whole) {
        build(world, index);
        return;
    }
    bool check = false;
    for (std::size_t k = 0; k < placed_kinds; ++k) {
        check = check || storage[k] != storage_of(world, k);
        for (std::size_t i = filed[k].size(); i < list_size(world, k); ++i)
            file(index, k, static_cast<int32_t>(i), place_of(world, k, i));
    }
    if (check) {
        if (!filed_true(world, index)) repair(world, index);
        for (std::size_t k = 0; k < placed_kinds; ++k) storage[k] = storage_of(world, k);
    }
}

// The read of the index for one window; false when an entry read was found
// stale (its thing gone or moved away), leaving result incomplete.
bool read_window(const TWorld& world, PlacedIndex& index, int32_t map, int64_t left, int64_t top, int64_t columns,
                 int64_t rows, std::array<std::vector<int32_t>, placed_kinds>& result) {
    for (auto& list : result) list.clear();
    const auto& buckets = Access::rows(index);
    const auto& filed = Access::filed(index);
    const int64_t right = left + columns, bottom = top + rows;
    const auto take = [&](int32_t y, const Access::Row& row) {
        for (std::size_t k = 0; k < placed_kinds; ++k)
            for (const Entry& e : row[k]) {
                if (e.x < left || e.x >= right) continue;
                const auto i = static_cast<std::size_t>(e.index);
                if (i >= list_size(world, k) || !same(filed[k][i], place_of(world, k, i)) ||
                    !same({e.x, y, map}, place_of(world, k, i)))
                    return false;
                result[k].push_back(e.index);
            }
        return true;
    };
    if (rows <= static_cast<int64_t>(buckets.size())) {
        for (int64_t y = std::max<int64_t>(top, INT32_MIN); y < std::min<int64_t>(bottom, int64_t{INT32_MAX} + 1);
             ++y) {
            const auto it = buckets.find(row_key(map, static_cast<int32_t>(y)));
            if (it != buckets.end() && !take(static_cast<int32_t>(y), it->second)) return false;
        }
    } else {  // a window taller than there are rows: every row is looked at once
        for (const auto& [key, row] : buckets) {
            const auto row_map = static_cast<int32_t>(key >> 32);
            const auto y = static_cast<int32_t>(static_cast<uint32_t>(key));
            if (row_map == map && y >= top && y < bottom && !take(y, row)) return false;
        }
    }
    for (auto& list : result) std::sort(list.begin(), list.end());
    return true;
}

}  // namespace

void placed_in_window(const TWorld& world, int32_t map, int64_t left, int64_t top, int64_t columns, int64_t rows,
                      std::array<std::vector<int32_t>, placed_kinds>& result) {
    PlacedIndex& index = Access::of(world);
    sync(world, index);
#ifndef NDEBUG
    // Debug builds check every thing on every read, so a writer that forgets
    // to tell the index shows in the repair count of the tests that run it.
    if (!filed_true(world, index)) repair(world, index);
#endif
    if (read_window(world, index, map, left, top, columns, rows, result)) return;
    repair(world, index);
    read_window(world, index, map, left, top, columns, rows, result);
}

void refile_placed(TWorld& world, Placed list, int32_t i) {
    PlacedIndex& index = world.placed_index;
    const auto k = static_cast<std::size_t>(list);
    auto& filed = Access::filed(index);
    // An index not built yet, or a thing beyond what it has filed, is taken in
    // whole at the next read.
    if (!Access::built(index) || i < 0 || static_cast<std::size_t>(i) >= filed[k].size()) return;
    if (static_cast<std::size_t>(i) >= list_size(world, k)) {
        Access::built(index) = false;
        return;
    }
    Filed& old = filed[k][static_cast<std::size_t>(i)];
    const Tplace& now = place_of(world, k, static_cast<std::size_t>(i));
    if (same(old, now)) return;
    auto& rows = Access::rows(index);
    if (old.map >= 0) {
        const auto it = rows.find(row_key(old.map, old.y));
        bool found = false;
        if (it != rows.end()) {
            auto& entries = it->second[k];
            const auto e = std::find_if(entries.begin(), entries.end(), [&](const Entry& x) { return x.index == i; });
            if (e != entries.end()) {
                *e = entries.back();
                entries.pop_back();
                found = true;
            }
        }
        if (!found) {  // cannot happen while the index is true: build it afresh
            Access::built(index) = false;
            return;
        }
    }
    old = {now.x, now.y, now.map};
    if (now.map >= 0) rows[row_key(now.map, now.y)][k].push_back({now.x, i});
}

void refresh_placed_index(TWorld& world) { Access::built(world.placed_index) = false; }

bool placed_index_agrees(const TWorld& world) {
    PlacedIndex& index = Access::of(world);
    sync(world, index);
    if (!filed_true(world, index)) return false;
    // Every thing on a map is on its own row exactly once, and nothing else is.
    const auto& filed = Access::filed(index);
    std::array<std::vector<bool>, placed_kinds> seen;
    for (std::size_t k = 0; k < placed_kinds; ++k) seen[k].assign(filed[k].size(), false);
    for (const auto& [key, row] : Access::rows(index))
        for (std::size_t k = 0; k < placed_kinds; ++k)
            for (const Entry& e : row[k]) {
                const auto i = static_cast<std::size_t>(e.index);
                if (e.index < 0 || i >= filed[k].size() || seen[k][i]) return false;
                seen[k][i] = true;
                const Filed& f = filed[k][i];
                if (f.map < 0 || row_key(f.map, f.y) != key || f.x != e.x) return false;
            }
    for (std::size_t k = 0; k < placed_kinds; ++k)
        for (std::size_t i = 0; i < filed[k].size(); ++i)
            if ((filed[k][i].map >= 0) != seen[k][i]) return false;
    return true;
}

int64_t placed_index_builds() { return builds; }
int64_t placed_index_repairs() { return repairs; }
