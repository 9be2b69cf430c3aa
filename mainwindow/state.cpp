#include "mainwindow/state.h"

#include "model/tools.h"

EditorState editor;

kit::Window* opener_window(uint16_t code) {
    switch (code) {
    case opener::object_dialog: return editor.Form2;
    case opener::item_editor: return editor.Form3;
    case opener::npc_inventory: return editor.Form5;
    case opener::ground_dialog: return editor.Form8;
    default: return nullptr;
    }
}

namespace {

template <typename T>
const T* catalogue_entry(const std::vector<T>& catalogue, int64_t row) {
    return row >= 0 && row < static_cast<int64_t>(catalogue.size()) ? &catalogue[static_cast<std::size_t>(row)]
                                                                    : nullptr;
}

}  // namespace

const Tpitem* item_template(int64_t row) { return catalogue_entry(editor.world.pitems, row); }

const Tpres* resource_template(int64_t row) { return catalogue_entry(editor.world.presources, row); }

const Tterrain* cell_terrain(const TWorld& world, const Tplace& place) {
    if (!is_cell(place, world)) return nullptr;
    const tintmatrix& cells = world.maps[static_cast<std::size_t>(place.map)].cells;
    const auto x = static_cast<std::size_t>(place.x), y = static_cast<std::size_t>(place.y);
    if (x >= cells.size() || y >= cells[x].size()) return nullptr;
    const int32_t t = cells[x][y];
    if (t < 0 || static_cast<std::size_t>(t) >= world.terrains.size()) return nullptr;
    return &world.terrains[static_cast<std::size_t>(t)];
}
