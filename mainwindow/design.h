#pragma once
// Small helpers for laying out the main window's pages at their design values.
#include "platform/kit/kit.h"

namespace design {

// A grid whose cells stand for entries: no fixed rows or columns, cols columns
// of cell_w x cell_h pixels, one row until it is sized for its list.
inline void picture_grid(kit::StringGrid& grid, int cols, int cell_w, int cell_h, int rows = 1,
                         kit::ScrollBars bars = kit::ScrollBars::vertical) {
    grid.set_fixed_cols(0);
    grid.set_fixed_rows(0);
    grid.set_col_count(cols);
    grid.set_row_count(rows);
    grid.set_default_cell_size(cell_w, cell_h);
    grid.set_scroll_bars(bars);
}

// The width a picture grid of cols columns needs to show them all beside its
// vertical scroll bar.
constexpr int grid_width(int cols, int cell_w) { return cols * (cell_w + 1) + 22; }

}  // namespace design
