#include "platform/kit/layout.h"

#include <QWidget>

namespace kit {

void Window::lay_out(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        row.control.name = row.name;
        if (row.width > 0 || row.height > 0) row.control.set_bounds(row.left, row.top, row.width, row.height);
        else {
            row.control.set_left(row.left);
            row.control.set_top(row.top);
        }
        if (row.caption && row.control.parent())
            kit::caption(*this, *row.control.parent(), row.caption, row.caption_left, row.caption_top);
    }
}

Label& caption(Window& owner, Control& parent, const std::string& text, int left, int top) {
    Label& label = owner.make<Label>(parent, text);
    label.set_left(left);
    label.set_top(top);
    // Below the controls of its parent, as if made before them: a caption that
    // reaches into its control's box neither covers it nor takes its clicks.
    label.widget()->lower();
    return label;
}

Label& note(Window& owner, Control& parent, const std::string& text, Rect box) {
    Label& label = owner.make<Label>(parent, text);
    label.set_auto_size(false);
    label.set_word_wrap(true);
    label.set_bounds(box.left, box.top, box.width, box.height);
    return label;
}

void cell_grid(StringGrid& grid, int cols, int cell_width, int cell_height, int rows, ScrollBars bars) {
    grid.set_fixed_cols(0);
    grid.set_fixed_rows(0);
    grid.set_col_count(cols);
    grid.set_row_count(rows);
    grid.set_default_cell_size(cell_width, cell_height);
    grid.set_scroll_bars(bars);
}

void table_grid(StringGrid& grid, int cols, int rows) {
    grid.set_col_count(cols);
    grid.set_row_count(rows);
    grid.set_fixed_cols(1);
    grid.set_fixed_rows(1);
    grid.set_row_select(true);
}

void fill(ComboBox& combo, const std::vector<std::string>& words) {
    combo.clear();
    for (const std::string& word : words) combo.add(word);
    combo.set_item_index(0);
}

}  // namespace kit
