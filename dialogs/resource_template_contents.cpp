#include "dialogs/resource_template_contents.h"

#include "dialogs/template_contents.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>

TForm7::TForm7() : Dialog("Form7", "PRES ITEMS", 314, 300) {
    const int grid_width = kit::cell_grid_width(3, 32);
    lay_out({
        {sg_pres_inv, "sg_pres_inv", 8, 8, grid_width, 284},
        {Button1, "Button1", 137, 120, 40, 26},
        {sg_press, "sg_press", 185, 8, grid_width, 284},
    });
    template_contents::bind_rows(sg_pres_inv, editor.res_contents);
    template_contents::bind_rows(sg_press, editor.res_children, [this](int e) { sg_pressSelectCell(e); });
    on_activate = [this] { FormActivate(); };
    Button1.on_click = [this] { Button1Click(); };
    sg_pres_inv.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState, int x, int y) {
        sg_pres_invMouseDown(b, x, y);
    };
    created();
}

void TForm7::FormActivate() { setgrids(); }

void TForm7::setgrids() {
    template_contents::size_grid(sg_pres_inv, editor.res_contents);
    template_contents::size_allowed_grid(sg_press, editor.res_children);
    sg_pres_inv.refresh();
    sg_press.refresh();
}

void TForm7::sg_pressSelectCell(int e) { sel_res_row = editor.res_children[static_cast<std::size_t>(e)]; }

void TForm7::Button1Click() {
    // Any allowed row of any kind, also more than once, up to "power/volume".
    if (!template_contents::may_add(sel_res_row, editor.res_children, editor.res_contents, -1, "",
                                    editor.res_power_text))
        return;
    int_array_append(sel_res_row, editor.res_contents);
    setgrids();
}

void TForm7::sg_pres_invMouseDown(kit::MouseButton button, int x, int y) {
    if (template_contents::remove_at(sg_pres_inv, editor.res_contents, button, x, y)) setgrids();
}
