#pragma once
// TForm7, the resource template contents dialog: default contents of the resource template.
//
// It edits the resources page's buffer res_contents from the allowed rows
// res_children; no record changes until that page's ADD or "<- EDIT".
#include "dialogs/dialog.h"

class TForm7 : public Dialog {
public:
    TForm7();

    void FormActivate();
    // Sizes the two grids for their lists.
    void setgrids();
    // Picking an allowed entry (its position e in res_children).
    void sg_pressSelectCell(int e);
    void Button1Click();  // "<": adds the picked allowed row to the contents
    void sg_pres_invMouseDown(kit::MouseButton button, int x, int y);

    kit::StringGrid sg_pres_inv{*this};
    kit::Button Button1{*this, "<"};
    kit::StringGrid sg_press{*this};

    // The allowed row picked last; kept for the run.
    int sel_res_row = 0;
};

// What the two template contents dialogs share.
namespace template_contents {
// Sets up a grid of resource rows, three 32-pixel cells a row.
void bind_rows(kit::StringGrid& grid, const tintarray& rows, std::function<void(int)> select = {});
// Sizes a grid for its list of rows.
void size_grid(kit::StringGrid& grid, const tintarray& rows);
// Sizes a grid of allowed rows: a row of cells per three catalogue entries,
// or more when the allowed list is longer than the catalogue.
void size_allowed_grid(kit::StringGrid& grid, const tintarray& allowed);
// Whether row may go into contents now: in the allowed list ("not a child"
// otherwise), a template (nothing said otherwise) of the kind asked for, when
// one is (message kind_message otherwise), and room left below the capacity
// typed in the page's field ("overload" otherwise).
bool may_add(int row, const tintarray& children, const tintarray& contents, int32_t kind, const char* kind_message,
             const std::function<std::string()>& capacity_text);
// Right button on a contents grid: asks "delete?" first, then removes the
// entry under the mouse, if any; true when one was removed.
bool remove_at(kit::StringGrid& grid, tintarray& contents, kit::MouseButton button, int x, int y);
}  // namespace template_contents
