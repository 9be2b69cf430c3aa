#include "dialogs/ground_dialog.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "model/render.h"
#include "model/tools.h"
#include "platform/kit/layout.h"

#include <algorithm>

namespace {

constexpr int ground_cols = 10;
constexpr int ground_rows = 5;  // the rows the grid shows without scrolling

// Whether placed item i lies loose on cell p: on the cell, in no NPC or object.
bool loose_item(const Tpitem& i, const Tplace& p) {
    return i.place == p && i.slot == slot::cell && i.holder_object < 0 && i.holder_npc < 0;
}

// Whether a placed resource lies loose on cell p: on the cell and held by no
// object, NPC, item (a loaded clip, ammunition) or other resource.
bool loose_resource(const Tpres& r, const Tplace& p) {
    return r.place == p && r.link == links::cell && r.holder_object < 0 && r.holder_npc < 0 && r.holder_item < 0 &&
           r.holder_resource < 0;
}

}  // namespace

TForm8::TForm8() : Dialog("Form8", "Form8", 380, 260) {
    // The cell text keeps its box and wraps in it: a long map name stays readable.
    Label1.set_auto_size(false);
    Label1.set_word_wrap(true);
    lay_out({
        {img, "img", 8, 8, 32, 32},
        {Label1, "Label1", 48, 8, 324, 34},
        {ginv, "ginv", 8, 48, kit::cell_grid_width(ground_cols, 32), ground_rows * 33 + 4},
    });
    kit::cell_grid(ginv, ground_cols, 32, 32, ground_rows);
    on_activate = [this] { FormActivate(); };
    ginv.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState state) {
        ginvDrawCell(c, r, rect, state);
    };
    ginv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState s, int x, int y) { ginvMouseDown(b, s, x, y); };
    edit1.on_click = [this] { edit1Click(); };
    delete1.on_click = [this] { delete1Click(); };
    created();
}

void TForm8::FormActivate() {
    ground_things.clear();
    const TWorld& w = editor.world;
    Tplace p;
    make_place(editor.current_map ? editor.current_map() : -1, editor.cell_x, editor.cell_y, p);
    // A cell whose terrain names none shows the blank picture, no kind and
    // hardness 0; a place that is no cell shows nothing at all.
    const Tterrain* t = cell_terrain(w, p);
    show_frame(img, t ? first_frame(t->frames) : -1);
    if (!is_cell(p, w)) {
        Label1.set_caption("");
    } else {
        Label1.set_caption("Type:" + vocabulary_word(terrain_kinds, t ? t->kind : -1) +
                           " HARD:" + std::to_string(t ? t->hardness : 0) +
                           " MAP:" + w.maps[static_cast<std::size_t>(p.map)].name + " X:" + std::to_string(p.x) +
                           " Y:" + std::to_string(p.y));
        for (std::size_t i = 0; i < w.items.size(); ++i)
            if (loose_item(w.items[i], p)) ground_things.push_back({thing::item, static_cast<int32_t>(i), 1});
        for (std::size_t i = 0; i < w.resources.size(); ++i)
            if (loose_resource(w.resources[i], p))
                ground_things.push_back({thing::resource, static_cast<int32_t>(i), w.resources[i].amount});
    }
    // Every entry gets a cell, and a row stays free below the last one.
    const auto rows = static_cast<int>(ground_things.size() / ground_cols) + 1;
    ginv.set_row_count(std::max(ground_rows, rows));
    ginv.refresh();
}

void TForm8::ginvDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    if (ACol < 0 || ACol >= ground_cols || ARow < 0) return;
    const auto e = static_cast<std::size_t>(ACol) + ground_cols * static_cast<std::size_t>(ARow);
    if (e >= ground_things.size()) return;
    // Only a picture drawn now is copied, never the one drawn for an earlier cell.
    if (draw_thing(ground_things[e], editor.tile_frames, count_always, editor.world, ground_bitmap))
        ginv.canvas().draw(Rect.left, Rect.top, ground_bitmap);
}

void TForm8::ginvMouseDown(kit::MouseButton Button, kit::ShiftState, int X, int Y) {
    if (Button != kit::MouseButton::right) return;
    const kit::GridCoord cell = ginv.mouse_to_cell(X, Y);
    ground_pick = cell.col >= 0 && cell.row >= 0 ? cell.col + ground_cols * cell.row : -1;
    gmenu.popup_at_cursor();
}

const Tinvitem* TForm8::picked() const {
    const Tinvitem* e = entry_at(ground_things, ground_pick);
    return e && links::thing_ok(*e, editor.world) ? e : nullptr;
}

void TForm8::edit1Click() {
    const Tinvitem* e = picked();
    if (!e) return;
    // The editor gives this window its input back when it closes.
    if (e->kind == thing::item) open_item_editor(e->index, opener::ground_dialog);
    else open_resource_editor(e->index, opener::ground_dialog);
}

void TForm8::delete1Click() {
    const Tinvitem* e = picked();
    if (!e) return;
    delete_thing(e->kind, e->index, editor.world);
    FormActivate();
    if (editor.repaint_map) editor.repaint_map();
}

void TForm8::refresh_for_editor() { FormActivate(); }
