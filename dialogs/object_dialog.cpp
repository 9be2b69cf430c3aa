#include "dialogs/object_dialog.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "model/tools.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>
#include <cstdint>

namespace {

// An object's size is 0..32 pixels: SAVE brings a typed size into that range.
constexpr int32_t max_size = 32;

// How many things an object of this size holds: one per 4 pixels.
int64_t capacity(int32_t size) { return size / 4; }

// Rows of the contents grid for an object's size: one per 12 pixels, and one more.
int rows_for_size(int32_t size) { return std::clamp(size, 0, max_size) / 12 + 1; }

// The object dialog's controls for the object's fields, in the order SAVE
// reads them: the numbers first. A typed size is brought into 0..32 and the
// box shows what was kept; with no form shown the stored one stays.
fields::Form<Tmapobject> object_form(TForm2& f) {
    using Form = fields::Form<Tmapobject>;
    const auto into_size = [](const Tmapobject&, const std::string&, int32_t size) {
        return std::clamp(size, 0, max_size);
    };
    return Form(object_fields(), {},
                {
                    {"size", &f.mo_size, into_size, true},
                    {"height", &f.mo_height},
                    {"hp", &f.mo_hp},
                    {"name", &f.mo_name},
                    {"form", &f.mo_form},
                    {"floating", &f.mo_floating},
                    {"chest", &f.mo_chest},
                    {"door", &f.mo_door},
                    {"locked", &f.mo_locked},
                    {"closed", &f.mo_closed},
                    {"passing", &f.mo_pass},
                    {"title", &f.otitle},
                    {"visible", &f.mo_vis},
                    {"transmitter", &f.mo_trans},
                    {"receiver", &f.mo_reciv},
                    {"transparent", &f.mo_transp},
                });
}


}  // namespace

TForm2::TForm2() : Dialog("Form2", "Object", 420, 360) {
    const int grid_width = kit::cell_grid_width(3, 32);
    lay_out({
        {mo, "mo", 0, 0, 420, 360},
        {mo_name, "mo_name", 60, 8, 150, 22, "name", 8, 11},
        {mo_size, "mo_size", 60, 36, 60, 22, "size", 8, 39},
        {mo_height, "mo_height", 60, 64, 60, 22, "height", 8, 67},
        {mo_form, "mo_form", 60, 92, 100, 22, "form", 8, 95},
        {mo_hp, "mo_hp", 60, 120, 60, 22, "HP", 8, 123},
        {otitle, "otitle", 8, 152, 210, 124},
        {mo_floating, "mo_floating", 240, 8, 150, 20},
        {mo_chest, "mo_chest", 240, 32, 150, 20},
        {mo_door, "mo_door", 240, 56, 150, 20},
        {mo_locked, "mo_locked", 240, 80, 150, 20},
        {mo_closed, "mo_closed", 240, 104, 150, 20},
        {mo_pass, "mo_pass", 240, 128, 150, 20},
        {mo_vis, "mo_vis", 240, 152, 150, 20},
        {mo_trans, "mo_trans", 240, 176, 150, 20},
        {mo_reciv, "mo_reciv", 240, 200, 150, 20},
        {mo_transp, "mo_transp", 240, 224, 150, 20},
        {Button1, "Button1", 240, 284, 80, 28},
        {sg_o_items, "sg_o_items", 8, 8, grid_width, 136},
        {Button2, "Button2", 138, 40, 40, 28},
        {Button3, "Button3", 138, 80, 40, 28},
        {pc_itres, "pc_itres", 188, 4, 150, 318},
        {sg_pitems, "sg_pitems", 4, 4, grid_width, 276},
        {sg_pres, "sg_pres", 4, 4, grid_width, 276},
    });
    mo_p1.name = "mo_p1";
    mo_p2.name = "mo_p2";
    pc_itres_items.name = "pc_itres_items";
    pc_itres_res.name = "pc_itres_res";

    kit::cell_grid(sg_o_items, 3, 32, 32);
    kit::cell_grid(sg_pitems, 3, 32, 32);
    kit::cell_grid(sg_pres, 3, 32, 32);
    const TWorld& w = editor.world;
    bind_pictures(sg_pitems, w.pitems, [](const Tpitem& i) { return i.image; }, [this](int e) {
        sel_item_row = e;
        sel_res_row = -1;
    });
    bind_pictures(sg_pres, w.presources, [](const Tpres& r) { return r.image_one; }, [this](int e) {
        sel_res_row = e;
        sel_item_row = -1;
    });
    sg_o_items.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) { sg_o_itemsDrawCell(c, r, rect); };
    sg_o_items.on_select_cell = [this](int c, int r, bool&) { sg_o_itemsSelectCell(c, r); };
    sg_o_items.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) { sg_o_itemsMouseDown(b, x, y); };

    Button1.on_click = [this] { Button1Click(); };
    Button2.on_click = [this] { Button2Click(); };
    Button3.on_click = [this] { Button3Click(); };
    on_create = [this] { FormCreate(); };
    on_activate = [this] { FormActivate(); };
    created();
}

void TForm2::FormCreate() {
    kit::fill(mo_form, {"round", "square"});
    sel_item_row = -1;
    sel_entry = -1;
}

Tmapobject* TForm2::object() const {
    return entry_at(editor.world.mapobjects, editor.cur_placed_object);
}

void TForm2::refresh_for_editor() {
    FormActivate();
    sg_o_items.repaint();
}

void TForm2::size_contents_grid() {
    const Tmapobject* o = object();
    const int by_size = o ? rows_for_size(o->size) : 1;
    const int by_entries = o ? static_cast<int>((o->contents.size() + 2) / 3) : 1;
    sg_o_items.set_row_count(std::max(by_size, by_entries));
}

void TForm2::FormActivate() {
    // A pick made on another object, or before things inside moved, names
    // nothing the designer sees now.
    sel_entry = -1;
    sg_pitems.set_row_count(picture_rows(editor.world.pitems.size()));
    sg_pres.set_row_count(picture_rows(editor.world.presources.size()));
    size_contents_grid();
    object_form(*this).load(object());
    // Only a chest shows what lies inside it.
    const bool chest = mo_chest.checked();
    mo_p2.set_tab_visible(chest);
    mo_p2.set_enabled(chest);
    if (!chest && mo.active_page_index() == 1) mo.set_active_page_index(0);
    sg_o_items.invalidate();
}

void TForm2::Button1Click() {
    Tmapobject* o = object();
    if (!o) return;
    // Every number is read before anything is written.
    object_form(*this).save(*o);
    size_contents_grid();
}

void TForm2::Button2Click() {
    const Tmapobject* o = object();
    if (!o || static_cast<int64_t>(o->contents.size()) >= capacity(o->size)) return;
    TWorld& w = editor.world;
    const Tplace place = o->place;
    if (pc_itres.active_page_index() == 0) {
        if (!item_template(sel_item_row)) return;
        create_item(sel_item_row, -1, editor.cur_placed_object, w, place, slot::inventory);
    } else {
        if (!resource_template(sel_res_row)) return;
        const int amount = modal().ask_quant();
        create_resource(w, {.row = sel_res_row,
                            .amount = amount,
                            .object = editor.cur_placed_object,
                            .place = place,
                            .link = links::inventory});
    }
    size_contents_grid();
    sg_o_items.repaint();
}

void TForm2::Button3Click() {
    Tmapobject* o = object();
    const Tinvitem* picked = o ? entry_at(o->contents, sel_entry) : nullptr;
    if (!picked) return;
    const Tinvitem e = *picked;
    // Deleting the thing takes every entry naming it out of the lists; an
    // entry naming no thing is taken out on its own.
    if (links::thing_ok(e, editor.world)) delete_thing(e.kind, e.index, editor.world);
    else delete_invitem(sel_entry, o->contents);
    sel_entry = o->contents.empty() ? -1 : 0;
    size_contents_grid();
    sg_o_items.repaint();
}

void TForm2::sg_o_itemsDrawCell(int ACol, int ARow, kit::Rect Rect) {
    const Tmapobject* o = object();
    if (!o) return;
    const int e = picture_entry(ACol, ARow, o->contents.size());
    if (e < 0) return;
    const Tinvitem& t = o->contents[static_cast<std::size_t>(e)];
    if (!links::thing_ok(t, editor.world)) return;
    Canvas& canvas = sg_o_items.canvas();
    const tiarray& frames = editor.tile_frames;
    if (t.kind == thing::item) {
        if (const Bitmap* frame = tile_frame(frames, editor.world.items[static_cast<std::size_t>(t.index)].image))
            canvas.draw(Rect.left, Rect.top, *frame);
        return;
    }
    // A stack shows its one-piece picture at 1, its many-pieces picture above,
    // always at the one-piece picture's size, and its amount.
    const Tpres& r = editor.world.resources[static_cast<std::size_t>(t.index)];
    draw_pieces(canvas, Rect.left, Rect.top, r, r.amount);
    draw_count(canvas, Rect.left, Rect.top, r.amount);
}

void TForm2::sg_o_itemsSelectCell(int ACol, int ARow) {
    const Tmapobject* o = object();
    const int e = o ? picture_entry(ACol, ARow, o->contents.size()) : -1;
    if (e >= 0) sel_entry = e;
}

void TForm2::sg_o_itemsMouseDown(kit::MouseButton Button, int X, int Y) {
    if (Button != kit::MouseButton::right) return;
    const Tmapobject* o = object();
    if (!o) return;
    const kit::GridCoord cell = sg_o_items.mouse_to_cell(X, Y);
    const int e = picture_entry(cell.col, cell.row, o->contents.size());
    if (e < 0) return;
    const Tinvitem t = o->contents[static_cast<std::size_t>(e)];
    if (!links::thing_ok(t, editor.world)) return;
    if (t.kind == thing::item) open_item_editor(t.index, opener::object_dialog);
    else open_resource_editor(t.index, opener::object_dialog);
}
