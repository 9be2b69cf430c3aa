#include "mainwindow/state.h"

#include "model/links.h"
#include "model/tools.h"
#include "platform/errors.h"

#include <algorithm>

EditorState editor;

SharedState& shared_state() { return editor; }

kit::Window* opener_window(uint16_t code) {
    switch (code) {
    case opener::object_dialog: return editor.Form2;
    case opener::item_editor: return editor.Form3;
    case opener::npc_inventory: return editor.Form5;
    case opener::ground_dialog: return editor.Form8;
    default: return nullptr;
    }
}

const Tpitem* item_template(int64_t row) { return entry_at(editor.world.pitems, row); }

const Tpres* resource_template(int64_t row) { return entry_at(editor.world.presources, row); }

Tchar* current_placed_npc() {
    const int n = editor.cur_placed_npc;
    return links::npc_ok(n, editor.world) ? &editor.world.npcs[static_cast<std::size_t>(n)] : nullptr;
}

void check_rows(const Tinvitems& list, const std::string& what, const std::string& remedy, const Tinvitems& kept) {
    const auto same = [](const Tinvitem& a, const Tinvitem& b) { return a.kind == b.kind && a.index == b.index; };
    for (const Tinvitem& e : list) {
        if (e.kind == thing::item && item_template(e.index)) continue;
        if (e.kind == thing::resource && resource_template(e.index)) continue;
        if (std::any_of(kept.begin(), kept.end(), [&](const Tinvitem& k) { return same(e, k); })) continue;
        const std::string named = e.kind == thing::item       ? "item " + std::to_string(e.index)
                                  : e.kind == thing::resource ? "resource " + std::to_string(e.index)
                                                              : "a thing of kind " + std::to_string(e.kind);
        throw EditorError(what + " names " + named + ", which does not exist: " + remedy);
    }
}
