#include "dialogs/resource_list.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"

tintarray resource_rows(const std::function<bool(int32_t row, const Tpres& entry)>& takes) {
    tintarray rows;
    const std::vector<Tpres>& catalogue = editor.world.presources;
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (takes(static_cast<int32_t>(i), catalogue[i])) rows.push_back(static_cast<int32_t>(i));
    return rows;
}

void fill_resource_list(kit::ComboBox& list, kit::ImageList& pictures, const tintarray& rows,
                        const std::string& none_text) {
    list.clear();
    pictures.clear();
    list.set_images(&pictures);
    if (!none_text.empty()) list.add_item(none_text, pictures.add(Bitmap()), -1);
    for (int32_t row : rows) {
        const Tpres* entry = resource_template(row);
        const Bitmap* frame = entry ? tile_frame(editor.tile_frames, entry->image_one) : nullptr;
        list.add_item(entry ? entry->name : "", pictures.add(frame ? *frame : Bitmap()), row);
    }
    list.set_item_index(0);
}

int32_t chosen_row(const kit::ComboBox& list) {
    const int i = list.item_index();
    return i >= 0 ? list.item_data(i) : -1;
}

void draw_placed_resource(kit::StringGrid& grid, const tintarray& list, int col, int row, kit::Rect rect) {
    const int e = picture_entry(col, row, list.size());
    if (e < 0) return;
    const Tpres* placed = entry_at(editor.world.resources, list[static_cast<std::size_t>(e)]);
    if (!placed) return;
    if (const Bitmap* frame = tile_frame(editor.tile_frames, placed->image_one))
        grid.canvas().draw(rect.left, rect.top, *frame);
}
