#include "mainwindow/map_editing.h"

#include "mainwindow/lookups.h"
#include "mainwindow/map_view.h"
#include "model/tools.h"
#include "platform/modal.h"

#include <cstdint>

MapEditing::MapEditing(PageHost& host, MapView& view) : host(host), editor(host.state()), view(view) {
    view.sg_map.on_select_cell = [this](int c, int r, bool&) { sg_mapSelectCell(c, r); };
    view.sg_map.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState s, int x, int y) {
        sg_mapMouseDown(b, s, x, y);
    };
    deleteobject.on_click = [this] { deleteobjectClick(); };
    properties.on_click = [this] { propertiesClick(); };
    move1.on_click = [this] { move1Click(); };
    ground1.on_click = [this] { ground1Click(); };
    cancel2.on_click = [this] { cancel2Click(); };
    parts1.on_click = [this] { parts1Click(); };
    inv.on_click = [this] { invClick(); };
    settings1.on_click = [this] { settings1Click(); };
    move2.on_click = [this] { move2Click(); };
    delete3.on_click = [this] { delete3Click(); };
    setplayer1.on_click = [this] { setplayer1Click(); };
}

void MapEditing::start() {
    move_object_mode = false;
    move_npc_mode = false;
}

void MapEditing::world_replaced(bool) { disarm_moves(); }

void MapEditing::sg_mapSelectCell(int ACol, int ARow) {
    TWorld& w = editor.world;
    const int m = view.current_map();
    if (!entry_at(w.maps, m)) return;
    Tplace p;
    make_place(m, ACol - 1, ARow - 1, p);
    if (!is_cell(p, w)) return;
    host.window().set_caption("map:" + w.maps[static_cast<std::size_t>(m)].name + " X:" + std::to_string(ACol) +
                              " Y:" + std::to_string(ARow));
    editor.cell_x = p.x;
    editor.cell_y = p.y;

    // The object move reports in the caption, the NPC move in a message box.
    if (move_object_mode) {
        const CellMove move = map_move_object(editor.cur_placed_object, p, w);
        if (!move.refusal.empty()) host.window().set_caption(move.refusal);
        if (move.moved) view.sg_map.refresh();
        disarm_moves();
        return;
    }
    if (move_npc_mode) {
        const CellMove move = map_move_npc(editor.cur_placed_npc, p, w);
        if (!move.refusal.empty()) modal().message(move.refusal);
        if (move.moved) view.sg_map.refresh();
        if (move.ends) disarm_moves();
        return;
    }

    switch (view.PC2.active_page_index()) {
    case palette::terrains:
        if (map_paint_terrain(editor.cur_terrain, p, w)) view.sg_map.refresh();
        break;
    case palette::objects:
        if (map_place_object(editor.cur_object, p, w)) view.sg_map.refresh();
        break;
    case palette::items:
        if (map_place_item(editor.cur_item, p, w)) view.sg_map.refresh();
        break;
    case palette::resources: {
        const int32_t row = editor.cur_resource;
        // No amount is asked for a row that is gone (after an Open, say).
        if (!map_takes_resource(row, p, w)) return;
        new_res_quantity = 1;
        // No second placement may start on the grid while the amount is asked;
        // the grid takes input again whatever happens.
        view.sg_map.set_enabled(false);
        struct Enable {
            kit::StringGrid& grid;
            ~Enable() { grid.set_enabled(true); }
        } enable{view.sg_map};
        new_res_quantity = modal().ask_quant();
        map_place_resource(row, new_res_quantity, p, w);
        view.sg_map.refresh();
        break;
    }
    case palette::npcs:
        if (map_place_npc(editor.cur_npc, p, w)) view.sg_map.refresh();
        break;
    default: break;
    }
}

void MapEditing::sg_mapMouseDown(kit::MouseButton Button, kit::ShiftState, int X, int Y) {
    if (Button != kit::MouseButton::right) return;
    const TWorld& w = editor.world;
    const kit::GridCoord cell = view.sg_map.mouse_to_cell(X, Y);
    editor.cell_x = cell.col - 1;
    editor.cell_y = cell.row - 1;
    // A right click anywhere cancels an armed move and does nothing else.
    if (move_object_mode || move_npc_mode) {
        disarm_moves();
        return;
    }
    if (cell.col < view.sg_map.fixed_cols() || cell.row < view.sg_map.fixed_rows()) return;
    Tplace p;
    make_place(view.current_map(), editor.cell_x, editor.cell_y, p);
    if (!is_cell(p, w)) return;

    const int32_t o = object_at(p, find_object::any, w);
    editor.cur_placed_object = o;
    if (o >= 0) {
        const std::string what = std::to_string(o) + " " + w.mapobjects[static_cast<std::size_t>(o)].name;
        deleteobject.set_caption("delete object " + what);
        properties.set_caption("properties " + what);
        map_menu.popup_at_cursor();
        return;
    }
    const int32_t n = npc_at(p, w);
    editor.cur_placed_npc = n;
    if (n >= 0) {
        inv.set_caption("inv of " + std::to_string(n) + " " + w.npcs[static_cast<std::size_t>(n)].name);
        map_char_menu.popup_at_cursor();
        return;
    }
    host.open_secondary(editor.Form8);
}

void MapEditing::deleteobjectClick() {
    delete_mapobject(editor.cur_placed_object, editor.world);
    // The index now names the next object, or none.
    editor.cur_placed_object = -1;
    view.sg_map.refresh();
}

void MapEditing::propertiesClick() {
    host.open_secondary(editor.Form2);
    if (editor.Form2) editor.Form2->set_caption(std::to_string(editor.cur_placed_object));
}

void MapEditing::move1Click() {
    move_npc_mode = false;
    move_object_mode = true;
    view.sg_map.set_cursor(kit::Cursor::drag);
}

void MapEditing::ground1Click() { host.open_secondary(editor.Form8); }

void MapEditing::cancel2Click() {}

void MapEditing::parts1Click() {
    Tmapobject* o = entry_at(editor.world.mapobjects, editor.cur_placed_object);
    if (!o) return;
    editor.inv_target = &o->parts;
    host.open_secondary(editor.Finv);
}

void MapEditing::invClick() { host.open_secondary(editor.Form5); }

void MapEditing::settings1Click() { host.open_secondary(editor.Form10); }

void MapEditing::move2Click() {
    move_object_mode = false;
    move_npc_mode = true;
    view.sg_map.set_cursor(kit::Cursor::drag);
}

void MapEditing::delete3Click() {
    delete_npc(editor.cur_placed_npc, editor.world);
    editor.cur_placed_npc = -1;
    view.sg_map.refresh();
}

void MapEditing::setplayer1Click() {
    if (entry_at(editor.world.npcs, editor.cur_placed_npc)) editor.world.player.npc = editor.cur_placed_npc;
}

void MapEditing::disarm_moves() {
    move_object_mode = false;
    move_npc_mode = false;
    view.sg_map.set_cursor(kit::Cursor::normal);
}
