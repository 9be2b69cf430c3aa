#include "dialogs/npc_inventory.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "model/render.h"
#include "model/tools.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

namespace {

constexpr int grid_width = kit::cell_grid_width(3, 32);

// The picture of the placed item index, or nullptr when it names none.
const Bitmap* placed_item_picture(int32_t index) {
    if (!links::item_ok(index, editor.world)) return nullptr;
    return tile_frame(editor.tile_frames, editor.world.items[static_cast<std::size_t>(index)].image);
}

}  // namespace

TForm5::TForm5() : Dialog("Form5", "Form5", 412, 360) {
    lay_out({
        {PageControl1, "PageControl1", 8, 8, 240, 344},
        {i_npc_head, "i_npc_head", 103, 28, 32, 32, "head", 103, 10},
        {i_npc_lhand, "i_npc_lhand", 24, 104, 32, 32, "left hand", 16, 86},
        {i_npc_body, "i_npc_body", 103, 104, 32, 32, "body", 103, 86},
        {i_npc_rhand, "i_npc_rhand", 182, 104, 32, 32, "right hand", 170, 86},
        {sg_npc_inv, "sg_npc_inv", 8, 8, grid_width, 300},
        {sg_npc_parts, "sg_npc_parts", 8, 8, grid_width, 300},
        {PageControl2, "PageControl2", 256, 8, 148, 344},
        {sg_npc_items, "sg_npc_items", 8, 8, grid_width, 300},
        {sg_npc_ress, "sg_npc_ress", 8, 8, grid_width, 300},
    });
    TabSheet1.name = "TabSheet1";
    TabSheet2.name = "TabSheet2";
    TabSheet3.name = "TabSheet3";
    TabSheet4.name = "TabSheet4";
    TabSheet5.name = "TabSheet5";
    for (kit::StringGrid* g : {&sg_npc_inv, &sg_npc_parts, &sg_npc_items, &sg_npc_ress}) kit::cell_grid(*g, 3, 32, 32);
    // First shown: the inventory beside the resources; afterwards each side keeps its page.
    PageControl1.set_active_page_index(1);
    PageControl2.set_active_page_index(1);

    bind_pictures(
        sg_npc_items, editor.world.pitems, [](const Tpitem& i) { return i.image; },
        [this](int e) { sel_item_row = e; });
    bind_pictures(
        sg_npc_ress, editor.world.presources, [](const Tpres& r) { return r.image_one; },
        [this](int e) { sel_res_row = e; });
    sg_npc_inv.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) {
        sg_npc_invDrawCell(c, r, rect);
    };
    sg_npc_parts.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) {
        sg_npc_partsDrawCell(c, r, rect);
    };

    i_npc_lhand.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_npc_lhandMouseDown(b); };
    i_npc_rhand.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_npc_rhandMouseDown(b); };
    i_npc_head.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_npc_headMouseDown(b); };
    i_npc_body.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { i_npc_bodyMouseDown(b); };
    sg_npc_inv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_npc_invMouseDown(b, x, y);
    };
    sg_npc_parts.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_npc_partsMouseDown(b, x, y);
    };
    edit1.on_click = [this] { edit1Click(); };
    edit2.on_click = [this] { edit2Click(); };
    delete1.on_click = [this] { delete1Click(); };
    delete2.on_click = [this] { delete2Click(); };
    on_activate = [this] { FormActivate(); };
    created();
}

// ---- activation and drawing

void TForm5::FormActivate() {
    const Tchar* n = current_placed_npc();
    set_caption("NPC #" + std::to_string(editor.cur_placed_npc) + " " + (n ? n->name : std::string()));
    reset_doll();
    setgrids();
    // The grids draw from the world as it is now, also after another NPC or an Open.
    for (kit::StringGrid* g : {&sg_npc_inv, &sg_npc_parts, &sg_npc_items, &sg_npc_ress}) g->invalidate();
}

void TForm5::refresh_for_editor() {
    FormActivate();
    sg_npc_inv.refresh();
}

bool TForm5::draw_into_scratch(const Tinvitem& thing, uint8_t count_mode) {
    return draw_thing(thing, editor.tile_frames, count_mode, editor.world, scratch_);
}

void TForm5::reset_doll() {
    const Tchar* n = current_placed_npc();
    i_npc_head.draw(0, 0, editor.blank_bitmap32);
    i_npc_body.draw(0, 0, editor.blank_bitmap32);
    if (n) {
        if (const Bitmap* picture = placed_item_picture(n->head)) i_npc_head.draw(0, 0, *picture);
        if (const Bitmap* picture = placed_item_picture(n->body)) i_npc_body.draw(0, 0, *picture);
    }
    // A hand shows only what was drawn for it: a thing that draws nothing
    // leaves the hand blank, never with another slot's picture.
    const auto hand = [this, n](kit::Image& image, Tinvitem Tchar::*field) {
        image.draw(0, 0, editor.blank_bitmap32);
        if (n && draw_into_scratch(n->*field, count_above_one)) image.draw(0, 0, scratch_);
    };
    hand(i_npc_lhand, &Tchar::left_hand);
    hand(i_npc_rhand, &Tchar::right_hand);
}

void TForm5::setgrids() {
    const Tchar* n = current_placed_npc();
    sg_npc_inv.set_row_count(picture_rows(n ? n->inventory.size() : 0));
    sg_npc_parts.set_row_count(picture_rows(n ? n->parts.size() : 0));
    sg_npc_items.set_row_count(picture_rows(editor.world.pitems.size()));
    sg_npc_ress.set_row_count(picture_rows(editor.world.presources.size()));
}

void TForm5::sg_npc_invDrawCell(int ACol, int ARow, kit::Rect Rect) {
    const Tchar* n = current_placed_npc();
    if (!n) return;
    const int e = picture_entry(ACol, ARow, n->inventory.size());
    if (e < 0) return;
    if (draw_into_scratch(n->inventory[static_cast<std::size_t>(e)], count_always))
        sg_npc_inv.canvas().draw(Rect.left, Rect.top, scratch_);
}

void TForm5::sg_npc_partsDrawCell(int ACol, int ARow, kit::Rect Rect) {
    const Tchar* n = current_placed_npc();
    if (!n) return;
    const int e = picture_entry(ACol, ARow, n->parts.size());
    if (e < 0) return;
    // A parts entry names a resource catalogue row; one naming no row shows nothing.
    const Tinvitem& part = n->parts[static_cast<std::size_t>(e)];
    const Tpres* row = resource_template(part.index);
    if (!row) return;
    Canvas& canvas = sg_npc_parts.canvas();
    if (const Bitmap* picture = tile_frame(editor.tile_frames, row->image_one)) canvas.draw(Rect.left, Rect.top, *picture);
    draw_count(canvas, Rect.left, Rect.top, part.count);
}

// ---- putting things in

void TForm5::put_in(int32_t item_slot, int32_t resource_link) {
    TWorld& w = editor.world;
    const int32_t n = editor.cur_placed_npc;
    if (PageControl2.active_page_index() == 0) {
        if (links::in_range(sel_item_row, w.pitems))
            create_item(sel_item_row, n, -1, w, no_place, item_slot);
    } else if (links::in_range(sel_res_row, w.presources)) {
        const int amount = modal().ask_quant();
        create_resource(w, {.row = sel_res_row, .amount = amount, .npc = n, .link = resource_link});
    }
}

void TForm5::thing_menu(const Tinvitem& thing) {
    if (!links::thing_ok(thing, editor.world)) return;
    if (thing.kind == thing::item) {
        editor.cur_placed_item = thing.index;
        idollmenu.popup_at_cursor();
    } else {
        editor.cur_placed_res = thing.index;
        rdollmenu.popup_at_cursor();
    }
}

void TForm5::hand_mouse_down(kit::MouseButton Button, Tinvitem Tchar::*hand, int32_t item_slot,
                             int32_t resource_link) {
    Tchar* n = current_placed_npc();
    if (!n) return;
    if (Button == kit::MouseButton::right) {
        thing_menu(n->*hand);
    } else if (Button == kit::MouseButton::left) {
        if ((n->*hand).index == -1) put_in(item_slot, resource_link);
        reset_doll();
    }
}

void TForm5::i_npc_lhandMouseDown(kit::MouseButton Button) {
    hand_mouse_down(Button, &Tchar::left_hand, slot::left_hand, links::left_hand);
}

void TForm5::i_npc_rhandMouseDown(kit::MouseButton Button) {
    hand_mouse_down(Button, &Tchar::right_hand, slot::right_hand, links::right_hand);
}

void TForm5::worn_mouse_down(kit::MouseButton Button, int32_t Tchar::*worn, int32_t item_slot) {
    Tchar* n = current_placed_npc();
    if (!n) return;
    if (Button == kit::MouseButton::right) {
        thing_menu({thing::item, n->*worn, 1});
    } else if (Button == kit::MouseButton::left) {
        // Only items are worn, and only those the world model lets wear there.
        if (n->*worn < 0 && PageControl2.active_page_index() == 0) put_in(item_slot, -1);
        reset_doll();
    }
}

void TForm5::i_npc_headMouseDown(kit::MouseButton Button) { worn_mouse_down(Button, &Tchar::head, slot::head); }

void TForm5::i_npc_bodyMouseDown(kit::MouseButton Button) { worn_mouse_down(Button, &Tchar::body, slot::body); }

void TForm5::sg_npc_invMouseDown(kit::MouseButton Button, int X, int Y) {
    Tchar* n = current_placed_npc();
    if (!n) return;
    if (Button == kit::MouseButton::right) {
        const kit::GridCoord cell = sg_npc_inv.mouse_to_cell(X, Y);
        const int e = picture_entry(cell.col, cell.row, n->inventory.size());
        if (e >= 0) thing_menu(n->inventory[static_cast<std::size_t>(e)]);
    } else if (Button == kit::MouseButton::left) {
        // Wherever the click falls, the new thing is appended.
        put_in(slot::inventory, links::inventory);
        setgrids();
        sg_npc_inv.refresh();
    }
}

void TForm5::sg_npc_partsMouseDown(kit::MouseButton Button, int X, int Y) {
    Tchar* n = current_placed_npc();
    if (!n) return;
    if (Button == kit::MouseButton::left) {
        // The picked resource row joins the parts, its amount added to an entry of that row.
        if (PageControl2.active_page_index() != 1 || !links::in_range(sel_res_row, editor.world.presources)) return;
        const int amount = modal().ask_quant();
        inv_add(thing::resource, sel_res_row, amount, n->parts);
    } else if (Button == kit::MouseButton::right) {
        // A part put in by mistake can be taken out again.
        const kit::GridCoord cell = sg_npc_parts.mouse_to_cell(X, Y);
        const int e = picture_entry(cell.col, cell.row, n->parts.size());
        if (e < 0 || !modal().ask_delete()) return;
        delete_invitem(e, n->parts);
    } else {
        return;
    }
    setgrids();
    sg_npc_parts.refresh();
}

// ---- the menus of a placed thing

// The thing under the right click that opened the menu is the editor's already.
void TForm5::edit1Click() { open_item_editor(editor.cur_placed_item, opener::npc_inventory); }

void TForm5::edit2Click() { open_resource_editor(editor.cur_placed_res, opener::npc_inventory); }

void TForm5::delete1Click() {
    delete_thing(thing::item, editor.cur_placed_item, editor.world);
    reset_doll();
    setgrids();
    sg_npc_inv.refresh();
}

void TForm5::delete2Click() {
    delete_thing(thing::resource, editor.cur_placed_res, editor.world);
    reset_doll();
    setgrids();
    sg_npc_inv.refresh();
}
