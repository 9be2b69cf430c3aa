#include "mainwindow/state.h"

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

const Tpres* resource_template(int64_t row) {
    const auto& catalogue = editor.world.presources;
    return row >= 0 && row < static_cast<int64_t>(catalogue.size()) ? &catalogue[static_cast<std::size_t>(row)]
                                                                    : nullptr;
}
