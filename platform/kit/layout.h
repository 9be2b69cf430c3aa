#pragma once
// Laying out a window's controls from the window design's table, and the few
// set-ups that recur on every page and dialog.
//
// A page's constructor reads like the design's table, one row per control:
//
//   form.lay_out({
//       {e_map_w, "e_map_w", 8, 8, 44, 22},
//       {cb_ttip, "cb_ttip", 8, 168, 180, 22, "type of territory", 8, 152},
//   });
//
// Boxes are left, top, width, height in the parent's client area (kit::Rect).
#include "platform/kit/kit.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace kit {

// One control of a layout: its name, its box and, when caption is set, a
// label with that caption at (caption_left, caption_top) on the control's
// parent. A box of width and height 0 only moves the control (a label keeps
// the size of its caption).
struct Row {
    Control& control;
    const char* name;
    int left = 0, top = 0, width = 0, height = 0;
    const char* caption = nullptr;
    int caption_left = 0, caption_top = 0;
};

// A label at (left, top), sized to its text, made and owned by owner: the
// captions of rows, and captions that stand for no one control.
Label& caption(Window& owner, Control& parent, const std::string& text, int left, int top);

// A label of a fixed box whose text wraps inside it, made and owned by owner.
Label& note(Window& owner, Control& parent, const std::string& text, Rect box);

// A grid of cells that stand for entries: no fixed rows or columns, cols
// columns of cell_width x cell_height pixels, rows rows.
void cell_grid(StringGrid& grid, int cols, int cell_width, int cell_height, int rows = 1,
               ScrollBars bars = ScrollBars::vertical);
// The width a cell grid needs to show all its columns beside its vertical scroll bar.
constexpr int cell_grid_width(int cols, int cell_width) { return cols * (cell_width + 1) + 22; }

// A table: cols x rows cells with one fixed header row and column; a click
// selects the whole row.
void table_grid(StringGrid& grid, int cols, int rows);

// Clears a combo box, fills it with words and selects the first.
void fill(ComboBox& combo, const std::vector<std::string>& words);

}  // namespace kit
