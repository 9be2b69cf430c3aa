#pragma once
// Turning world data into pictures: one placed item or resource as the
// inventory grids and the map show it, and a rectangular window of one map with
// its terrain and everything standing or lying on its cells.
//
// Neither routine changes the world. Every picture field and list index is
// checked before it is used: what names no tile frame, no terrain or no thing
// draws nothing (a black cell for terrain), and nothing is ever read outside a
// list.
#include "model/init.h"

#include <array>
#include <cstdint>
#include <vector>

// Count modes of draw_thing: when a resource's amount is written at (20, 20).
enum : uint8_t { count_never = 0, count_above_one = 1, count_always = 2 };

// Draws entry (kind 1 placed item, kind 2 placed resource; its count is not
// used) into target, which takes the size of the picture drawn. A stack of two
// or more shows its many-pieces picture; a filled vial shows the filling's
// one-piece picture under its own many-pieces picture. The amount of a resource
// that is not a clip, cell or vial is written in the canvas's font at (20, 20)
// with count_always, or with count_above_one when it is above 1; any other mode
// writes none. Returns false, leaving target as it was, when there is nothing to
// draw: an unknown kind, an index outside its list, a picture naming no tile
// frame, or a vial whose filling amount is negative.
bool draw_thing(const Tinvitem& entry, const tiarray& frames, uint8_t count_mode, const TWorld& world,
                Bitmap& target);

// Finds the placed things of a map window without looking at every placed
// thing. It sorts all placed items, resources, NPCs and objects by the block of
// 16 x 16 cells their place lies in, once, and serves many renders after that;
// a render then looks only at the things of the blocks its window touches.
//
// It notices by itself when a placed list grows, shrinks or moves in memory, or
// when another world is rendered. A thing whose place changes in place (a move,
// a load over a list of the same length) is noticed only after invalidate():
// call it once after the world has been edited. Until then a render through the
// index may leave out a thing that came into the window, but never draws a thing
// that is no longer there, since every thing found is checked again against the
// world as it is now.
class MapViewIndex {
public:
    enum List : uint8_t { items = 0, resources = 1, npcs = 2, objects = 3 };

    // Forgets every place; the next use looks at the whole world again.
    void invalidate() { built_ = false; }

    // Brings the index up to date with world when it has not been built, was
    // invalidated, or a placed list changed its length or storage.
    void update(const TWorld& world);

    // Appends to out, in ascending order, the indexes in one placed list of the
    // things whose indexed place is on map at columns left..left + columns - 1
    // and rows top..top + rows - 1. Finds nothing before the first update.
    void find(List list, int32_t map, int64_t left, int64_t top, int64_t columns, int64_t rows,
              std::vector<int32_t>& out) const;

private:
    struct Entry {
        int32_t map, x, y, index;
    };
    // One map's blocks as they were when the index was built: column-major,
    // numbered from first.
    struct Blocks {
        int32_t width, height, across, down;
        std::size_t first;
    };
    // One placed list: the things of block b are entries[start[b]..start[b + 1]),
    // in list order; things off every block are in elsewhere.
    struct Cells {
        std::vector<uint32_t> start;
        std::vector<Entry> entries;
        std::vector<Entry> elsewhere;
    };

    int64_t block_of(const Tplace& p) const;
    template <class Thing>
    void fill(const std::vector<Thing>& things, Cells& cells);

    std::vector<Blocks> maps_;
    std::size_t block_count_ = 0;
    std::array<Cells, 4> lists_;
    std::array<const void*, 4> storage_{};
    std::array<std::size_t, 4> lengths_{};
    const TWorld* world_ = nullptr;
    bool built_ = false;
};

// Renders columns x rows cells of map top_left.map, starting at cell
// (top_left.x, top_left.y), into target, which becomes columns x 32 by rows x 32
// pixels, filled first with its canvas's brush colour. Each cell shows its
// terrain's tile for animation frame frame_number (0..7; any other number shows
// frame 0), or black outside the map or where the terrain names no picture.
// Over it, each bottom-right aligned in its cell with the map colour keys: the
// items on the ground, the resources on the ground (not those held by an object,
// NPC, item or other resource), the NPCs, then the objects (hidden ones only
// with show_hidden) ordered by row, the floating ones last. An invalid map index
// leaves the filled target.
void draw_map_view(const TWorld& world, const tiarray& frames, const Tplace& top_left, int columns, int rows,
                   int frame_number, bool show_hidden, Bitmap& target);

// The same picture, found through index (updated first) in place of a pass over
// every placed thing: what the map page uses for every redraw.
void draw_map_view(const TWorld& world, const tiarray& frames, const Tplace& top_left, int columns, int rows,
                   int frame_number, bool show_hidden, Bitmap& target, MapViewIndex& index);
