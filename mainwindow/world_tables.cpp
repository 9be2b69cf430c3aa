#include "mainwindow/world_tables.h"

#include <algorithm>

void fit_column(kit::StringGrid& grid, int col, int width, const std::vector<std::string>& texts, int inset) {
    // Keep 2 pixels free on the right as well.
    const Canvas measure;
    for (const std::string& text : texts) width = std::max(width, inset + measure.text_width(text) + 2);
    grid.set_col_width(col, width);
}

void fit_number_column(kit::StringGrid& grid, int width, std::size_t rows) {
    fit_column(grid, 0, width, {number_header, std::to_string(std::max<std::size_t>(rows, 1))});
}
