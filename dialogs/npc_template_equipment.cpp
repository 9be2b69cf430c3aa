#include "dialogs/npc_template_equipment.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "model/tools.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <string>

namespace {

// A resource carrying count pieces, then the count.
void draw_resource(Canvas& canvas, int x, int y, const Tpres& r, int32_t count) {
    draw_pieces(canvas, x, y, r, count);
    draw_count(canvas, x, y, count);
}

}  // namespace

TForm4::TForm4() : Dialog("Form4", "PNPC_INV", 520, 360) {
    const int grid_width = kit::cell_grid_width(3, 32);
    lay_out({
        {pc_pnpc_inv, "pc_pnpc_inv", 8, 8, 250, 344},
        {i_pnpc_head, "i_pnpc_head", 107, 28, 32, 32, "head", 107, 10},
        {i_pnpc_left, "i_pnpc_left", 40, 96, 32, 32, "left hand", 24, 78},
        {i_pnpc_body, "i_pnpc_body", 107, 96, 32, 32, "body", 107, 78},
        {i_pnpc_right, "i_pnpc_right", 174, 96, 32, 32, "right hand", 158, 78},
        {sg_pnpc_inv, "sg_pnpc_inv", 4, 4, grid_width, 300},
        {Button1, "Button1", 134, 4, 40, 26},
        {sg_pnpc_parts, "sg_pnpc_parts", 4, 4, grid_width, 300},
        {Button3, "Button3", 134, 4, 40, 26},
        {pc_pnpc_items, "pc_pnpc_items", 266, 8, 246, 344},
        {sg_pnpc_items, "sg_pnpc_items", 4, 4, grid_width, 300},
        {sg_pnpc_ress, "sg_pnpc_ress", 4, 4, grid_width, 300},
    });
    for (kit::TabSheet* p : {&doll, &inv, &parts}) p->name = "pc_pnpc_inv_" + p->caption();
    for (kit::TabSheet* p : {&items, &resources}) p->name = "pc_pnpc_items_" + p->caption();
    for (kit::StringGrid* grid : {&sg_pnpc_inv, &sg_pnpc_parts, &sg_pnpc_items, &sg_pnpc_ress})
        kit::cell_grid(*grid, 3, 32, 32);

    const TWorld& w = editor.world;
    bind_pictures(
        sg_pnpc_items, w.pitems, [](const Tpitem& i) { return i.image; }, [this](int e) { sel_item_row = e; });
    bind_pictures(
        sg_pnpc_ress, w.presources, [](const Tpres& r) { return r.image_one; }, [this](int e) { sel_res_row = e; });
    sg_pnpc_inv.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) {
        sg_pnpc_invDrawCell(c, r, rect);
    };
    sg_pnpc_parts.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) {
        sg_pnpc_partsDrawCell(c, r, rect);
    };
    sg_pnpc_inv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_pnpc_invMouseDown(b, x, y);
    };
    sg_pnpc_parts.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_pnpc_partsMouseDown(b, x, y);
    };

    i_pnpc_head.on_click = [this] { i_pnpc_headClick(); };
    i_pnpc_body.on_click = [this] { i_pnpc_bodyClick(); };
    i_pnpc_left.on_click = [this] { i_pnpc_leftClick(); };
    i_pnpc_right.on_click = [this] { i_pnpc_rightClick(); };
    i_pnpc_head.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_pnpc_headMouseDown(b); };
    i_pnpc_body.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_pnpc_bodyMouseDown(b); };
    i_pnpc_left.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_pnpc_leftMouseDown(b); };
    i_pnpc_right.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_pnpc_rightMouseDown(b); };
    Button1.on_click = [this] { Button1Click(); };
    Button3.on_click = [this] { Button3Click(); };

    on_create = [this] { FormCreate(); };
    on_activate = [this] { FormActivate(); };
    created();
}

void TForm4::FormCreate() {
    for (kit::Image* slot : {&i_pnpc_head, &i_pnpc_left, &i_pnpc_right, &i_pnpc_body})
        slot->draw(0, 0, editor.blank_bitmap32);
}

void TForm4::FormActivate() {
    setgrids();
    const Tpitem* head = item_template(editor.npc_head);
    show_frame(i_pnpc_head, head ? head->image : -1);
    const Tpitem* body = item_template(editor.npc_body);
    show_frame(i_pnpc_body, body ? body->image : -1);
    show_hand(i_pnpc_left, editor.npc_lhand);
    show_hand(i_pnpc_right, editor.npc_rhand);
    // The buffers and catalogues may have changed since the grids last painted.
    for (kit::StringGrid* grid : {&sg_pnpc_inv, &sg_pnpc_parts, &sg_pnpc_items, &sg_pnpc_ress}) grid->refresh();
}

void TForm4::setgrids() {
    sg_pnpc_inv.set_row_count(picture_rows(editor.npc_items.size()));
    sg_pnpc_parts.set_row_count(picture_rows(editor.npc_parts.size()));
    sg_pnpc_items.set_row_count(picture_rows(editor.world.pitems.size()));
    sg_pnpc_ress.set_row_count(picture_rows(editor.world.presources.size()));
}

const Tpitem* TForm4::picked_item() const {
    return pc_pnpc_items.active_page_index() == items.page_index() ? item_template(sel_item_row) : nullptr;
}

const Tpres* TForm4::picked_resource() const {
    return pc_pnpc_items.active_page_index() == resources.page_index() ? resource_template(sel_res_row) : nullptr;
}

void TForm4::show_hand(kit::Image& slot, const Tinvitem& hand) {
    const Tpitem* item = hand.kind == thing::item ? item_template(hand.index) : nullptr;
    show_frame(slot, item ? item->image : -1);
    if (hand.kind != thing::resource) return;
    if (const Tpres* r = resource_template(hand.index)) draw_resource(slot.canvas(), 0, 0, *r, hand.count);
}

// ---- the slots

void TForm4::i_pnpc_headClick() {
    const Tpitem* item = picked_item();
    if (!item || !worn_on_head(item->item_class)) return;
    editor.npc_head = sel_item_row;
    show_frame(i_pnpc_head, item->image);
}

void TForm4::i_pnpc_bodyClick() {
    const Tpitem* item = picked_item();
    if (!item || !worn_on_body(item->item_class)) return;
    editor.npc_body = sel_item_row;
    show_frame(i_pnpc_body, item->image);
}

void TForm4::put_in_hand(Tinvitem& hand, kit::Image& slot) {
    if (picked_item()) {
        // The count of what the hand held before stays.
        hand.kind = thing::item;
        hand.index = sel_item_row;
    } else if (picked_resource()) {
        const int count = modal().ask_quant();
        hand = Tinvitem{thing::resource, sel_res_row, count};
    } else {
        return;
    }
    show_hand(slot, hand);
}

void TForm4::i_pnpc_leftClick() { put_in_hand(editor.npc_lhand, i_pnpc_left); }
void TForm4::i_pnpc_rightClick() { put_in_hand(editor.npc_rhand, i_pnpc_right); }

void TForm4::i_pnpc_headMouseDown(kit::MouseButton button) {
    if (button != kit::MouseButton::right || !modal().ask_delete()) return;
    editor.npc_head = -1;
    i_pnpc_head.draw(0, 0, editor.blank_bitmap32);
}

void TForm4::i_pnpc_bodyMouseDown(kit::MouseButton button) {
    if (button != kit::MouseButton::right) return;
    editor.npc_body = -1;
    i_pnpc_body.draw(0, 0, editor.blank_bitmap32);
}

// An emptied hand keeps its kind and count; only its row goes.
void TForm4::i_pnpc_leftMouseDown(kit::MouseButton button) {
    if (button != kit::MouseButton::right) return;
    editor.npc_lhand.index = -1;
    i_pnpc_left.draw(0, 0, editor.blank_bitmap32);
}

void TForm4::i_pnpc_rightMouseDown(kit::MouseButton button) {
    if (button != kit::MouseButton::right) return;
    editor.npc_rhand.index = -1;
    i_pnpc_right.draw(0, 0, editor.blank_bitmap32);
}

// ---- the inventory and the parts

void TForm4::Button1Click() {
    if (pc_pnpc_inv.active_page_index() != inv.page_index()) return;
    if (picked_item()) {
        editor.npc_items.push_back(Tinvitem{thing::item, sel_item_row, 1});
    } else if (picked_resource()) {
        const int count = modal().ask_quant();
        editor.npc_items.push_back(Tinvitem{thing::resource, sel_res_row, count});
    }
    sg_pnpc_inv.refresh();
    setgrids();
}

void TForm4::Button3Click() {
    if (pc_pnpc_items.active_page_index() == items.page_index()) {
        modal().message("resources only");
    } else if (picked_resource()) {
        const int count = modal().ask_quant();
        inv_add(thing::resource, sel_res_row, count, editor.npc_parts);
        sg_pnpc_parts.refresh();
    }
    setgrids();
}

void TForm4::remove_entry(kit::StringGrid& grid, Tinvitems& list, int x, int y) {
    // The question comes first: a right click on an empty cell asks, then removes nothing.
    if (!modal().ask_delete()) return;
    const kit::GridCoord cell = grid.mouse_to_cell(x, y);
    const int e = picture_entry(cell.col, cell.row, list.size());
    if (e < 0) return;
    delete_invitem(e, list);
    grid.refresh();
    setgrids();
}

void TForm4::sg_pnpc_invMouseDown(kit::MouseButton button, int x, int y) {
    if (button == kit::MouseButton::right) remove_entry(sg_pnpc_inv, editor.npc_items, x, y);
}

void TForm4::sg_pnpc_partsMouseDown(kit::MouseButton button, int x, int y) {
    if (button == kit::MouseButton::right) remove_entry(sg_pnpc_parts, editor.npc_parts, x, y);
}

// An entry whose row names nothing in the catalogue draws nothing and stays in the list.
void TForm4::sg_pnpc_invDrawCell(int ACol, int ARow, kit::Rect Rect) {
    const int e = picture_entry(ACol, ARow, editor.npc_items.size());
    if (e < 0) return;
    const Tinvitem& entry = editor.npc_items[static_cast<std::size_t>(e)];
    Canvas& canvas = sg_pnpc_inv.canvas();
    if (entry.kind == thing::item) {
        if (const Tpitem* item = item_template(entry.index))
            if (const Bitmap* frame = tile_frame(editor.tile_frames, item->image))
                canvas.draw(Rect.left, Rect.top, *frame);
    } else if (entry.kind == thing::resource) {
        if (const Tpres* r = resource_template(entry.index)) draw_resource(canvas, Rect.left, Rect.top, *r, entry.count);
    }
}

// Parts are resources whatever kind an entry says.
void TForm4::sg_pnpc_partsDrawCell(int ACol, int ARow, kit::Rect Rect) {
    const int e = picture_entry(ACol, ARow, editor.npc_parts.size());
    if (e < 0) return;
    const Tinvitem& entry = editor.npc_parts[static_cast<std::size_t>(e)];
    const Tpres* r = resource_template(entry.index);
    if (!r) return;
    Canvas& canvas = sg_pnpc_parts.canvas();
    if (const Bitmap* frame = tile_frame(editor.tile_frames, r->image_one)) canvas.draw(Rect.left, Rect.top, *frame);
    draw_count(canvas, Rect.left, Rect.top, entry.count);
}
