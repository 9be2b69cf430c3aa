#pragma once
// TForm6, the item template contents dialog: default contents and clip of the item template.
//
// It edits the items page's buffers item_contents and item_ammo from the
// allowed rows item_children; no record changes until that page's ADD.
#include "dialogs/dialog.h"

class TForm6 : public Dialog {
public:
    TForm6();

    void FormActivate();
    // Sizes the two grids for their lists and redraws the clip slot.
    void setgrids();
    // Picking an allowed entry (its position e in item_children).
    void sg_pressSelectCell(int e);
    void Button1Click();      // "<" beside the contents: adds the picked ammunition
    void Button2Click();      // "<" beside the clip slot: the picked clip or cell becomes the clip
    void ipitem_clipClick();  // a left click on the clip slot: the same
    void sg_pitem_invMouseDown(kit::MouseButton button, int x, int y);
    void ipitem_clipMouseDown(kit::MouseButton button);

    kit::StringGrid sg_pitem_inv{*this};
    kit::Button Button1{*this, "<"};
    kit::Image ipitem_clip{*this};
    kit::Button Button2{*this, "<"};
    kit::StringGrid sg_press{*this};

    // The allowed row picked last; kept for the run.
    int sel_res_row = 0;

private:
    void draw_clip();
};
