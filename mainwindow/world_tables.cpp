#include "mainwindow/world_tables.h"

#include <algorithm>
#include <string>

void fit_number_column(kit::StringGrid& grid, int design_width, std::size_t rows) {
    // The cell text stands 2 pixels from the cell's left edge; keep as much on the right.
    const Canvas measure;
    const int needed =
        std::max(measure.text_width(number_header), measure.text_width(std::to_string(std::max<std::size_t>(rows, 1)))) + 4;
    grid.set_col_width(0, std::max(design_width, needed));
}
