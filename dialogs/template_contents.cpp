#include "dialogs/template_contents.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>

namespace template_contents {

void bind_rows(kit::StringGrid& grid, const tintarray& rows, std::function<void(int)> select) {
    kit::cell_grid(grid, 3, 32, 32);
    bind_resource_rows(grid, rows, std::move(select));
}

void size_grid(kit::StringGrid& grid, const tintarray& rows) { grid.set_row_count(picture_rows(rows.size())); }

void size_allowed_grid(kit::StringGrid& grid, const tintarray& allowed) {
    // Sized for the whole resource catalogue; an allowed list longer than that
    // (one kept from a bigger world across an Open) gets the rows it needs, so
    // each of its entries can still be seen and picked.
    grid.set_row_count(picture_rows(std::max(editor.world.presources.size(), allowed.size())));
}

bool may_add(int row, const tintarray& children, const tintarray& contents, int32_t kind, const char* kind_message,
             const std::function<std::string()>& capacity_text) {
    if (int_array_find(row, children) < 0) {
        modal().message("not a child");
        return false;
    }
    // A row kept from before an Open may name no template any more.
    const Tpres* res = resource_template(row);
    if (!res) return false;
    if (kind >= 0 && res->kind != kind) {
        modal().message(kind_message);
        return false;
    }
    // Read as the secondary windows read numbers: an empty text is no number either.
    const int32_t capacity = convert_to_int(capacity_text ? capacity_text() : std::string());
    if (static_cast<int64_t>(contents.size()) >= capacity) {
        modal().message("overload");
        return false;
    }
    return true;
}

bool remove_at(kit::StringGrid& grid, tintarray& contents, kit::MouseButton button, int x, int y) {
    if (button != kit::MouseButton::right) return false;
    if (!modal().ask_delete()) return false;
    const kit::GridCoord cell = grid.mouse_to_cell(x, y);
    const int e = picture_entry(cell.col, cell.row, contents.size());
    if (e < 0) return false;
    int_array_delete(e, contents);
    return true;
}

}  // namespace template_contents
