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
