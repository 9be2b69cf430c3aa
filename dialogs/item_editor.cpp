#include "dialogs/item_editor.h"

#include "dialogs/resource_list.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "model/tools.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>

namespace {

bool is_ammunition(int32_t kind) {
    return kind == resource_kind::ammo || kind == resource_kind::clip || kind == resource_kind::cell;
}


}  // namespace

TForm3::TForm3() : Dialog("Form3", "Form3", 560, 420) {
    lay_out({
        {img, "img", 8, 8, 32, 32},
        {Label1, "Label1", 48, 16},
        {e_item_name, "e_item_name", 60, 48, 170, 22, "name", 8, 51},
        {e_item_curhp, "e_item_curhp", 60, 76, 50, 22, "HP", 8, 79},
        {e_item_HP, "e_item_HP", 124, 76, 50, 22, "/", 114, 79},
        {e_item_weight, "e_item_weight", 60, 104, 50, 22, "weight", 8, 107},
        {e_item_volume, "e_item_volume", 180, 104, 50, 22, "volume", 124, 107},
        {e_item_dem1, "e_item_dem1", 60, 132, 50, 22, "dem1", 8, 135},
        {e_item_arm1, "e_item_arm1", 180, 132, 50, 22, "arm1", 124, 135},
        {e_item_dem2, "e_item_dem2", 60, 160, 50, 22, "dem2", 8, 163},
        {e_item_arm2, "e_item_arm2", 180, 160, 50, 22, "arm2", 124, 163},
        {e_item_dem3, "e_item_dem3", 60, 188, 50, 22, "dem3", 8, 191},
        {e_item_arm3, "e_item_arm3", 180, 188, 50, 22, "arm3", 124, 191},
        {e_item_load, "e_item_load", 60, 216, 50, 22, "load", 8, 219},
        {e_item_value, "e_item_value", 180, 216, 50, 22, "value", 124, 219},
        {e_item_hands, "e_item_hands", 60, 244, 50, 22, "hands", 8, 247},
        {gb_bow, "gb_bow", 8, 276, 100, 104},
        {e_item_a, "e_item_a", 40, 20, 50, 22, "a", 10, 23},
        {e_item_b, "e_item_b", 40, 48, 50, 22, "b", 10, 51},
        {e_item_c, "e_item_c", 40, 76, 50, 22, "c", 10, 79},
        {gb_fight, "gb_fight", 114, 276, 122, 104},
        {e_item_attak, "e_item_attak", 66, 20, 46, 22, "attak", 8, 23},
        {e_item_defence, "e_item_defence", 66, 48, 46, 22, "defence", 8, 51},
        {e_item_block, "e_item_block", 66, 76, 46, 22, "block", 8, 79},
        {gb_armour, "gb_armour", 242, 276, 122, 104},
        {e_item_cover, "e_item_cover", 66, 20, 46, 22, "cover", 8, 23},
        {e_item_skov, "e_item_skov", 66, 48, 46, 22, "skov", 8, 51},
        {e_item_penalty, "e_item_penalty", 66, 76, 46, 22, "penalty", 8, 79},
        {Button4, "Button4", 8, 386, 80, 28},
        {Label3, "Label3", 380, 8},
        {cbress, "cbress", 380, 24, 130, 36},
        {Button1, "Button1", 514, 24, 38, 36},
        {Label4, "Label4", 380, 68},
        {cbchildren, "cbchildren", 380, 84, 110, 36},
        {Button3, "Button3", 494, 84, 28, 36},
        {Button2, "Button2", 524, 84, 28, 36},
        {Label2, "Label2", 380, 130},
        {i_i_clip, "i_i_clip", 380, 146, 33, 33},
        {ammo, "ammo", 380, 188},
        {sg_i_inv, "sg_i_inv", 380, 204, kit::cell_grid_width(3, 32), 136},
    });
    // MAX HP is the template's: it is shown to compare with, never typed.
    e_item_HP.set_read_only(true);
    kit::cell_grid(sg_i_inv, 3, 32, 32);
    for (kit::ComboBox* list : {&cbress, &cbchildren}) {
        list->set_item_height(32);
        list->set_drop_down_count(16);
    }
    sg_i_inv.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) { sg_i_invDrawCell(c, r, rect); };
    sg_i_inv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) { sg_i_invMouseDown(b, x, y); };
    i_i_clip.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_i_clipMouseDown(b); };
    edit1.on_click = [this] { edit1Click(); };
    eject1.on_click = [this] { eject1Click(); };
    delete1.on_click = [this] { delete1Click(); };
    edit2.on_click = [this] { edit2Click(); };
    eject2.on_click = [this] { eject2Click(); };
    delete2.on_click = [this] { delete2Click(); };
    Button1.on_click = [this] { Button1Click(); };
    Button2.on_click = [this] { Button2Click(); };
    Button3.on_click = [this] { Button3Click(); };
    Button4.on_click = [this] { Button4Click(); };
    on_activate = [this] { FormActivate(); };
    created();
}

kit::Window* TForm3::opener() const {
    const uint16_t code = editor.item_dlg_opener;
    return or_main_window(code == opener::item_editor ? nullptr : opener_window(code));
}

Tpitem* TForm3::item() const {
    return entry_at(editor.world.items, editor.cur_placed_item);
}

int32_t TForm3::loaded() const {
    const Tpitem* i = item();
    return i && links::resource_ok(i->clip, editor.world) ? i->clip : -1;
}

int32_t TForm3::picked_ammo() const {
    const Tpitem* i = item();
    const int32_t r = editor.cur_placed_res;
    if (!i || !links::resource_ok(r, editor.world)) return -1;
    return int_array_find(r, i->contents) >= 0 ? r : -1;
}

void TForm3::refresh_for_editor() {
    FormActivate();
    sg_i_inv.repaint();
}

void TForm3::update_controls() {
    const Tpitem* i = item();
    const std::size_t n = i ? i->contents.size() : 0;
    sg_i_inv.set_row_count(std::max(1, static_cast<int>((n + 2) / 3)));
}

namespace {

// The item editor's controls for the item's fields, in the order "Save" reads
// them: the load first (a revolver's load is its number of chambers), then
// the current HP, the numbers and the hands. An empty text is no number here.
fields::Form<Tpitem> item_form(TForm3& f) {
    using Form = fields::Form<Tpitem>;
    static const auto revolver_load = [](const Tpitem& read, const std::string& text, int32_t load) {
        return read.item_class == item_class::revolver ? refuse_outside(text, load, 0, max_chambers) : load;
    };
    return Form(item_fields(), {},
                {
                    {"load", &f.e_item_load, revolver_load},
                    {"hp", &f.e_item_curhp},
                    {"weight", &f.e_item_weight},
                    {"volume", &f.e_item_volume},
                    {"dem1", &f.e_item_dem1},
                    {"dem2", &f.e_item_dem2},
                    {"dem3", &f.e_item_dem3},
                    {"arm1", &f.e_item_arm1},
                    {"arm2", &f.e_item_arm2},
                    {"arm3", &f.e_item_arm3},
                    {"a", &f.e_item_a},
                    {"b", &f.e_item_b},
                    {"c", &f.e_item_c},
                    {"attack", &f.e_item_attak},
                    {"defence", &f.e_item_defence},
                    {"block", &f.e_item_block},
                    {"value", &f.e_item_value},
                    {"cover", &f.e_item_cover},
                    {"skov", &f.e_item_skov},
                    {"penalty", &f.e_item_penalty},
                    {"hands", &f.e_item_hands},
                    {"name", &f.e_item_name},
                });
}

}  // namespace

void TForm3::FormActivate() {
    update_controls();
    const Tpitem* i = item();
    const TWorld& w = editor.world;
    const tiarray& frames = editor.tile_frames;
    img.draw(0, 0, editor.blank_bitmap32);
    if (const Bitmap* frame = i ? tile_frame(frames, i->image) : nullptr) img.draw(0, 0, *frame);
    Label1.set_caption(i ? vocabulary_word(item_classes, i->item_class) : "");
    item_form(*this).load(i);
    const Tpitem* pattern = i ? item_template(i->row) : nullptr;
    e_item_HP.set_text(pattern ? std::to_string(pattern->hp) : "");

    i_i_clip.draw(0, 0, editor.blank_bitmap32);
    const int32_t clip = loaded();
    if (const Bitmap* frame = clip >= 0 ? tile_frame(frames, w.resources[static_cast<std::size_t>(clip)].image_one)
                                        : nullptr)
        i_i_clip.draw(0, 0, *frame);

    fill_resource_list(cbress, il1,
                       i ? resource_rows([](int32_t, const Tpres& r) { return is_ammunition(r.kind); }) : tintarray{});
    fill_resource_list(cbchildren, il2, i ? i->children : tintarray{});
    sg_i_inv.invalidate();
}

void TForm3::sg_i_invDrawCell(int ACol, int ARow, kit::Rect Rect) {
    // An empty chamber holds -1 and shows nothing.
    if (const Tpitem* i = item()) draw_placed_resource(sg_i_inv, i->contents, ACol, ARow, Rect);
}

void TForm3::i_i_clipMouseDown(kit::MouseButton Button) {
    if (Button == kit::MouseButton::right && loaded() >= 0) clip_menu.popup_at_cursor();
}

void TForm3::sg_i_invMouseDown(kit::MouseButton Button, int X, int Y) {
    if (Button != kit::MouseButton::right) return;
    const Tpitem* i = item();
    if (!i) return;
    const kit::GridCoord cell = sg_i_inv.mouse_to_cell(X, Y);
    const int e = picture_entry(cell.col, cell.row, i->contents.size());
    if (e < 0) return;
    const int32_t r = i->contents[static_cast<std::size_t>(e)];
    if (!links::resource_ok(r, editor.world)) return;
    editor.cur_placed_res = r;
    ammo_menu.popup_at_cursor();
}

void TForm3::edit_resource(int32_t r) { open_resource_editor(r, opener::item_editor); }

void TForm3::eject(int32_t r) {
    // Where the resource goes depends on who shows the item: the ground
    // dialog shows the cell, the object dialog and the NPC inventory their holder.
    const uint16_t code = editor.item_dlg_opener;
    int32_t mode;
    if (code == opener::ground_dialog) mode = detach::to_cell;
    else if (code == opener::object_dialog || code == opener::npc_inventory) mode = detach::to_holder;
    else return;
    detach_resource(r, mode, editor.world);
    if (Dialog* d = opener_dialog(code)) d->refresh_for_editor();
}

void TForm3::edit1Click() {
    if (const int32_t c = loaded(); c >= 0) edit_resource(c);
}

void TForm3::eject1Click() {
    const int32_t c = loaded();
    if (c < 0) return;
    eject(c);
    FormActivate();
}

void TForm3::delete1Click() {
    const int32_t c = loaded();
    if (c < 0) return;
    delete_thing(thing::resource, c, editor.world);
    FormActivate();
}

void TForm3::edit2Click() {
    if (const int32_t a = picked_ammo(); a >= 0) edit_resource(a);
}

void TForm3::eject2Click() {
    const int32_t a = picked_ammo();
    if (a < 0) return;
    eject(a);
    sg_i_inv.repaint();
}

void TForm3::delete2Click() {
    const int32_t a = picked_ammo();
    if (a < 0) return;
    delete_thing(thing::resource, a, editor.world);
    sg_i_inv.repaint();
}

void TForm3::Button1Click() {
    Tpitem* i = item();
    const int32_t row = chosen_row(cbress);
    const Tpres* chosen = resource_template(row);
    if (!i || !chosen) return;
    if (!is_ammunition(chosen->kind)) {
        modal().message("ammo clips and cells only");
        return;
    }
    if (int_array_find(row, i->children) >= 0) {
        modal().message("already exists");
        return;
    }
    int_array_append(row, i->children);
    FormActivate();
}

void TForm3::Button3Click() {
    Tpitem* i = item();
    // A row that names no catalogue entry any more may still be taken away.
    if (!i || cbchildren.item_index() < 0) return;
    const int32_t row = chosen_row(cbchildren);
    if (any_of_row(row, i->contents, editor.world)) {
        modal().message("cant delete child when is`s heir(s) is in item");
        return;
    }
    int_array_remove_value(row, i->children);
    FormActivate();
}

void TForm3::Button2Click() {
    const Tpitem* i = item();
    const int32_t row = chosen_row(cbchildren);
    if (!i || !resource_template(row)) return;
    // A loaded resource fills the clip slot whatever the contents hold.
    if (static_cast<int64_t>(i->contents.size()) >= i->load || loaded() >= 0) {
        modal().message("item is full");
        return;
    }
    create_resource(editor.world, {.row = row,
                                   .amount = 1,
                                   .parent_item = editor.cur_placed_item,
                                   .chamber = 0,
                                   .link = links::loaded});
    FormActivate();
}

void TForm3::Button4Click() {
    Tpitem* i = item();
    if (!i) return;
    // Every field is read and checked before anything is written.
    const bool saved = item_form(*this).save(*i, [this, i](const Tpitem& read) {
        if (static_cast<int64_t>(i->contents.size()) > read.load) {
            modal().message("load must be >= than ammo inside");
            e_item_load.set_text(std::to_string(i->load));
            return false;
        }
        // The most HP an item may have is its template's.
        if (const Tpitem* pattern = item_template(i->row)) {
            const int32_t max_hp = pattern->hp;
            if (read.hp > max_hp) {
                modal().message("current HP can`t be more than MAX HP");
                e_item_HP.set_text(std::to_string(max_hp));
                e_item_curhp.set_text(std::to_string(i->hp));
                return false;
            }
        }
        return true;
    });
    if (!saved) return;
    // A revolver has one contents entry per chamber: new chambers come empty.
    if (i->item_class == item_class::revolver && static_cast<int64_t>(i->contents.size()) < i->load)
        i->contents.resize(static_cast<std::size_t>(i->load), -1);
    modal().message("Done");
}
