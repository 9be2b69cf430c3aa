#pragma once
#include "model/init.h"
#include "platform/kit/kit.h"

#include <cstdint>
#include <functional>

// The frames sets of the terrain and objects pages: eight tile frame numbers,
// -1 an empty slot, shown in a grid of eight cells and filled by a click on a
// cell after a tile was picked in the tile palette.
namespace frame_set {
constexpr int slot_count = 8;
// What ADD shows when a slot among the chosen number of frames is empty.
extern const char* const unfilled_message;
// The entry of a count box ("1", "2", "4", "8") that shows a frame count: the
// largest listed count not above it, "1" for a count below 2.
int count_index(int64_t count);
// The number of frames the count box chooses; 0 when it chooses none of 1..8.
int chosen_count(const kit::ComboBox& counts);
// The number of frames ADD takes: the chosen count when that many slots of
// the set are filled; otherwise 0, after the message when a slot is empty.
int count_to_add(const kit::ComboBox& counts, const tintarray& set);
// Every slot empty, then slot i := frames[i] for i below count, below eight and
// inside the list.
void load(tintarray& set, int64_t count, const tintarray& frames);
// True when each of the first n slots names a tile frame: none is empty, and
// none holds a number that names no frame (which shows nothing either).
bool filled(const tintarray& set, int n);
// True when each of the first n slots is empty or names a tile frame.
bool empty_or_filled(const tintarray& set, int n);
// The first n slots as a frame list.
tintarray first(const tintarray& set, int n);
// Stores the current tile in slot c, when c is a slot and the current tile
// names a tile frame; false when nothing was stored.
bool store_current_tile(tintarray& set, int c);
// Binds a grid of eight cells to a set: cell c shows the tile in slot c less
// its last column and row; a click on cell c runs clicked(c).
void bind(kit::StringGrid& grid, const tintarray& set, std::function<void(int)> clicked);
// One step of a frames-set preview: image shows the slot of the animation
// frame among the frames the count box chooses (the animation starts over
// past them); an empty slot keeps the last picture.
void animate(const kit::ComboBox& counts, const tintarray& set, kit::Image& image);
}  // namespace frame_set
