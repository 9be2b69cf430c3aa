#pragma once
// Helpers the world model's operations share: index checks, saturating
// arithmetic and the unlinking and removal of placed things.
#include "model/init.h"
#include "model/tools.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace links {

template <typename List>
bool in_range(int64_t index, const List& list) {
    return index >= 0 && static_cast<uint64_t>(index) < list.size();
}

inline bool item_ok(int64_t i, const TWorld& w) { return in_range(i, w.items); }
inline bool resource_ok(int64_t i, const TWorld& w) { return in_range(i, w.resources); }
inline bool npc_ok(int64_t i, const TWorld& w) { return in_range(i, w.npcs); }
inline bool object_ok(int64_t i, const TWorld& w) { return in_range(i, w.mapobjects); }
// Whether (kind, index) names an existing placed item (kind item) or placed
// resource (kind resource); any other kind names nothing.
inline bool thing_ok(int64_t kind, int64_t index, const TWorld& w) {
    return kind == thing::item ? item_ok(index, w) : kind == thing::resource && resource_ok(index, w);
}
inline bool thing_ok(const Tinvitem& e, const TWorld& w) { return thing_ok(e.kind, e.index, w); }

// A 64-bit value clamped into the signed 32-bit range.
inline int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}
inline int32_t add_sat(int32_t a, int64_t b) { return saturate(static_cast<int64_t>(a) + b); }

// Takes resource r out of item i's clip or contents; a revolver's chamber is
// emptied rather than removed, so the item keeps one entry per chamber.
void take_from_item(int32_t r, Tpitem& item);

// Takes placed thing (kind, index) out of the lists and slots of the holders
// its holder fields name; a slot is cleared only when it holds this thing.
void unlink(int32_t kind, int32_t index, TWorld& world);

// Removes placed thing (kind, index) alone (not what it holds): unlinks it,
// erases it and renumbers every list entry, slot and holder field naming a
// later thing of that kind. Entries still naming it are dropped.
void erase(int32_t kind, int32_t index, TWorld& world);

// The placed resources that thing (kind, index) holds, at any depth, by their
// holder fields; never the thing itself.
std::vector<int32_t> held_resources(int32_t kind, int32_t index, const TWorld& world);

// Deletes the given placed items and resources and everything they hold.
void erase_all(std::vector<int32_t> items, std::vector<int32_t> resources, TWorld& world);

// Keep every reference to an entry of list (triggers, paths, placed objects or
// placed NPCs) true once entry index has been removed from it, or entries a
// and b have swapped places.
void follow_removal(Names list, int32_t index, TWorld& world);
void follow_swap(Names list, int32_t a, int32_t b, TWorld& world);

}  // namespace links
