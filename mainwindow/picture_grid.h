#pragma once
// The catalogue picture grid: a grid three cells wide whose cell (c, r) stands
// for entry c + 3 x r of a list, showing each entry's picture and selecting the
// entry a click names. Used by the map palettes, the catalogue pages and the
// dialogs that pick from a catalogue:
//
//   bind_pictures(sg_terrains_2, editor.world.terrains,
//                 [](const Tterrain& t) { return first_frame(t.frames); },
//                 [](int e) { editor.cur_terrain = e; });
#include "platform/kit/kit.h"
#include "tiles/utils.h"

struct Tpres;

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The entry cell (col, row) stands for in a list of count entries, -1 for none.
int picture_entry(int col, int row, std::size_t count);
// The rows a grid of a list of count entries gets: Trunc(count / 3) + 1.
int picture_rows(std::size_t count);
// The first frame of a frame set, -1 when the set is empty.
int64_t first_frame(const tintarray& frames);

// Binds a grid to a list: count() its length, picture(e) the tile frame of
// entry e (drawn through the checked lookup, unscaled at the cell's top-left
// corner; a frame that does not exist draws nothing) and select(e) what picking
// entry e does (may be empty). A cell past the list draws nothing and selects
// nothing; the grid's own selection moves all the same.
void bind_pictures(kit::StringGrid& grid, std::function<std::size_t()> count,
                   std::function<int64_t(std::size_t)> picture, std::function<void(int)> select);

// Binds a grid to a list of resource catalogue rows (a template's contents or
// allowed rows, an edit buffer): each cell shows its row's one-piece picture, a
// row that names no template draws nothing; select(e) gets the list position.
void bind_resource_rows(kit::StringGrid& grid, const tintarray& rows, std::function<void(int)> select);

// The same for a catalogue list, which lives as long as the editor state.
template <typename T, typename Picture>
void bind_pictures(kit::StringGrid& grid, const std::vector<T>& list, Picture picture,
                   std::function<void(int)> select) {
    bind_pictures(
        grid, [&list] { return list.size(); }, [&list, picture](std::size_t e) { return int64_t{picture(list[e])}; },
        std::move(select));
}

// Draws resource template r carrying count pieces at (x, y) of canvas: its
// one-piece picture at 1, its many-pieces picture above 1 over the one-piece
// picture's area, nothing at 0 or below or for a picture that names no frame.
// The caller writes the count.
void draw_pieces(Canvas& canvas, int x, int y, const Tpres& r, int64_t count);
// The count a contents or parts grid prints for an entry: decimal, black on
// white, 10 pixels right of and below the corner (x, y) of the entry's cell.
void draw_count(Canvas& canvas, int x, int y, int64_t count);

// Shows tile frame `frame` in an image: the image is cleared to white, then the
// frame is drawn unscaled at its top-left corner when it exists, so a picture
// that names no tile leaves the image blank rather than showing the last one.
void show_frame(kit::Image& image, int64_t frame);
// The second click of a picture pick: when the current tile names a tile
// frame, it becomes picture and is shown in image; otherwise nothing changes.
void take_current_tile(int32_t& picture, kit::Image& image);
