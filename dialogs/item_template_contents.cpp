#include "dialogs/item_template_contents.h"

#include "dialogs/template_contents.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

TForm6::TForm6() : Dialog("Form6", "PITEM ITEMS", 314, 300) {
    const int grid_width = kit::cell_grid_width(3, 32);
    lay_out({
        {sg_pitem_inv, "sg_pitem_inv", 8, 8, grid_width, 200},
        {Button1, "Button1", 137, 90, 40, 26},
        {ipitem_clip, "ipitem_clip", 96, 224, 33, 33},
        {Button2, "Button2", 137, 227, 40, 26},
        {sg_press, "sg_press", 185, 8, grid_width, 284},
    });
    template_contents::bind_rows(sg_pitem_inv, editor.item_contents);
    template_contents::bind_rows(sg_press, editor.item_children, [this](int e) { sg_pressSelectCell(e); });
    on_activate = [this] { FormActivate(); };
    Button1.on_click = [this] { Button1Click(); };
    Button2.on_click = [this] { Button2Click(); };
    // A press on the slot runs the mouse-down handler first, then, for the left
    // button, the click.
    ipitem_clip.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int, int) { ipitem_clipMouseDown(b); };
    ipitem_clip.on_click = [this] { ipitem_clipClick(); };
    sg_pitem_inv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_pitem_invMouseDown(b, x, y);
    };
    created();
}

void TForm6::FormActivate() { setgrids(); }

void TForm6::setgrids() {
    template_contents::size_grid(sg_pitem_inv, editor.item_contents);
    template_contents::size_allowed_grid(sg_press, editor.item_children);
    sg_pitem_inv.refresh();
    sg_press.refresh();
    draw_clip();
}

void TForm6::draw_clip() {
    const Tpres* clip = resource_template(editor.item_ammo);
    show_frame(ipitem_clip, clip ? clip->image_one : -1);
}

void TForm6::sg_pressSelectCell(int e) { sel_res_row = editor.item_children[static_cast<std::size_t>(e)]; }

void TForm6::Button1Click() {
    // Only ammunition, also more than once, up to the "load" typed on the items page.
    if (!template_contents::may_add(sel_res_row, editor.item_children, editor.item_contents, resource_kind::ammo,
                                    "ammo only", editor.item_load_text))
        return;
    int_array_append(sel_res_row, editor.item_contents);
    setgrids();
}

void TForm6::Button2Click() {
    // A clip or a cell becomes the clip, whether or not it is allowed; any other
    // kind, and a row that names no template, is ignored.
    const Tpres* res = resource_template(sel_res_row);
    if (!res || (res->kind != resource_kind::clip && res->kind != resource_kind::cell)) return;
    editor.item_ammo = sel_res_row;
    draw_clip();
}

void TForm6::ipitem_clipClick() { Button2Click(); }

void TForm6::ipitem_clipMouseDown(kit::MouseButton button) {
    if (button != kit::MouseButton::right || !modal().ask_delete()) return;
    editor.item_ammo = -1;
    draw_clip();
}

void TForm6::sg_pitem_invMouseDown(kit::MouseButton button, int x, int y) {
    if (template_contents::remove_at(sg_pitem_inv, editor.item_contents, button, x, y)) setgrids();
}
