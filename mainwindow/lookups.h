#pragma once
// Checked lookups of what the world and the selections record: every index is
// looked up so where it is used, and one that names nothing gives nullptr.
#include "model/init.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Entry index of list, or nullptr when the index names none (negative, or past
// the end): every index the world or a selection records is looked up so.
template <typename T>
const T* entry_at(const std::vector<T>& list, int64_t index) {
    return index >= 0 && static_cast<uint64_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)] : nullptr;
}
template <typename T>
T* entry_at(std::vector<T>& list, int64_t index) {
    return const_cast<T*>(entry_at(std::as_const(list), index));
}

// The item or resource template at a catalogue row, or nullptr when the row
// names none (buffers and pickers keep rows across an Open of a smaller world).
const Tpitem* item_template(int64_t row);
const Tpres* resource_template(int64_t row);

// The placed NPC cur_placed_npc names, or nullptr when it names none (after
// an Open, say): what the NPC inventory and NPC settings dialogs show.
Tchar* current_placed_npc();

// Refuses a list of catalogue rows (a template's inventory or parts, a
// recipe's ingredients) with an entry that names no item or resource template
// and is not one of kept (what the entry being edited holds already, as a file
// may give it): throws EditorError "<what> names item 7, which does not exist:
// <remedy>". Edit buffers outlive an Open, which may bring shorter catalogues.
void check_rows(const Tinvitems& list, const std::string& what, const std::string& remedy, const Tinvitems& kept = {});

