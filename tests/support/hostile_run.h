#pragma once
// One hostile input through the editor, for the hostile world fuzzer and the
// fixed corpus: the world the bytes build (after a large world, when the
// mode asks for stale selections) saved by the world file writer, opened
// through File > Open, every page refreshed and every secondary window
// opened from each of its openers and closed (tests/support/window_walk.h).
// The editor's windows must be up, in a folder with tiles.
#include "platform/bitmap.h"
#include "platform/modal.h"
#include "tests/support/window_walk.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct HostileRunResult {
    int actions = 0;
    std::set<std::string> opened;  // "<window> from <opener>"
};

// folder: where the worlds are saved. Every fault goes to fault.
HostileRunResult run_hostile_input(const uint8_t* data, std::size_t size, ScriptedModal& modal,
                                   const std::string& folder, const walk::Fault& fault);

// The colour of tile frame k in the tiles the window suites and the fuzzer write.
TColor tile_colour(int k);
// Writes folder/name holding count frames of size x size pixels in one row,
// frame k all tile_colour(first + k).
void write_tile_strip(const std::string& folder, const std::string& name, int count, int size, int first);
// Writes the tiles folder the window suites and the fuzzer start on:
// tile_frames32 frames of 32 x 32 pixels in a_32x32.bmp, then tile_frames64 of
// 64 x 64 in b_64x64.bmp.
constexpr int tile_frames32 = 30, tile_frames64 = 4;
void write_hostile_tiles(const std::string& folder);
