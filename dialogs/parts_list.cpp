#include "dialogs/parts_list.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

namespace {

// The catalogue pages of pc_itres.
constexpr int items_tab = 0, resources_tab = 1;

// The picture of a list entry: its catalogue row's, nothing for a row that names none.
const Bitmap* entry_picture(const Tinvitem& entry) {
    if (const Tpitem* item = entry.kind == thing::item ? item_template(entry.index) : nullptr)
        return tile_frame(editor.tile_frames, item->image);
    if (const Tpres* res = entry.kind == thing::resource ? resource_template(entry.index) : nullptr)
        return tile_frame(editor.tile_frames, res->image_one);
    return nullptr;
}

}  // namespace

TFinv::TFinv() : Dialog("Finv", "Items", 420, 300) {
    const int list_width = kit::cell_grid_width(3, 32);
    lay_out({
        {sg_items, "sg_items", 8, 8, list_width, 284},
        {Button2, "Button2", list_width + 18, 120, 40, 26},
        {pc_itres, "pc_itres", list_width + 68, 8, 420 - list_width - 76, 284},
        {sg_pitems, "sg_pitems", 4, 4, list_width, 246},
        {sg_pres, "sg_pres", 4, 4, list_width, 246},
    });
    items_page.name = "items_page";
    resources_page.name = "resources_page";
    for (kit::StringGrid* g : {&sg_items, &sg_pitems, &sg_pres}) kit::cell_grid(*g, 3, 32, 32);

    sg_items.on_draw_cell = [this](int col, int row, kit::Rect rect, kit::GridDrawState) {
        sg_itemsDrawCell(col, row, rect);
    };
    sg_items.on_mouse_down = [this](kit::MouseButton button, kit::ShiftState, int x, int y) {
        sg_itemsMouseDown(button, x, y);
    };
    bind_pictures(
        sg_pitems, editor.world.pitems, [](const Tpitem& i) { return i.image; }, [this](int e) { sel_item_row = e; });
    bind_pictures(
        sg_pres, editor.world.presources, [](const Tpres& r) { return r.image_one; },
        [this](int e) { sel_res_row = e; });
    Button2.on_click = [this] { Button2Click(); };
    on_create = [this] { FormCreate(); };
    on_activate = [this] { FormActivate(); };
    created();
}

void TFinv::FormCreate() {
    sel_item_row = -1;
    sel_res_row = -1;
}

void TFinv::FormActivate() {
    sel_item_row = -1;
    sel_res_row = -1;
    setgrids();
    sg_items.refresh();
}

void TFinv::FormClose() {
    // The list belongs to its opener, which points the dialog at it before
    // every opening: once closed, the dialog names no list that may go away.
    editor.inv_target = nullptr;
}

void TFinv::setgrids() {
    sg_items.set_row_count(picture_rows(editor.inv_target ? editor.inv_target->size() : 0));
    sg_pitems.set_row_count(picture_rows(editor.world.pitems.size()));
    sg_pres.set_row_count(picture_rows(editor.world.presources.size()));
}

void TFinv::Button2Click() {
    Tinvitems* list = editor.inv_target;
    const TWorld& w = editor.world;
    if (list) {
        const int tab = pc_itres.active_page_index();
        if (tab == items_tab && links::in_range(sel_item_row, w.pitems)) {
            inv_add(thing::item, sel_item_row, 1, *list);
        } else if (tab == resources_tab && links::in_range(sel_res_row, w.presources)) {
            const int quantity = modal().ask_quant();
            inv_add(thing::resource, sel_res_row, quantity, *list);
        }
    }
    sg_items.refresh();
    setgrids();
}

void TFinv::sg_itemsMouseDown(kit::MouseButton button, int x, int y) {
    if (button != kit::MouseButton::right) return;
    Tinvitems* list = editor.inv_target;
    if (!list || !modal().ask_delete()) return;
    const kit::GridCoord cell = sg_items.mouse_to_cell(x, y);
    const int e = picture_entry(cell.col, cell.row, list->size());
    if (e < 0) return;
    delete_invitem(e, *list);
    sg_items.refresh();
    setgrids();
}

void TFinv::sg_itemsDrawCell(int col, int row, kit::Rect rect) {
    const Tinvitems* list = editor.inv_target;
    if (!list) return;
    const int e = picture_entry(col, row, list->size());
    if (e < 0) return;
    const Tinvitem& entry = (*list)[static_cast<std::size_t>(e)];
    Canvas& canvas = sg_items.canvas();
    if (const Bitmap* picture = entry_picture(entry)) canvas.draw(rect.left, rect.top, *picture);
    draw_count(canvas, rect.left, rect.top, entry.count);
}
