#pragma once
// TFinv, the parts list dialog: one parts list of catalogue rows with counts,
// the one editor.inv_target names (an object template's parts buffer or a
// placed object's parts), filled from the item and resource catalogues.
#include "dialogs/dialog.h"

class TFinv : public Dialog {
public:
    TFinv();

    void FormCreate();
    // Every opening starts without a pick.
    void FormActivate();
    // Rows for the list and the two catalogues, so every entry can be reached.
    void setgrids();
    // "<": the entry picked in the catalogue page that shows goes into the list
    // (a resource with the amount asked), or adds to its count there.
    void Button2Click();
    // Right button on the list: asks "delete?", then removes the entry under the mouse.
    void sg_itemsMouseDown(kit::MouseButton button, int x, int y);
    void sg_itemsDrawCell(int col, int row, kit::Rect rect);

    kit::StringGrid sg_items{*this};
    kit::Button Button2{*this, "<"};
    kit::PageControl pc_itres{*this};
    kit::TabSheet items_page{pc_itres, "items"};
    kit::TabSheet resources_page{pc_itres, "resources"};
    kit::StringGrid sg_pitems{items_page};
    kit::StringGrid sg_pres{resources_page};

    // The catalogue rows last picked in sg_pitems and sg_pres, -1 none.
    int sel_item_row = -1;
    int sel_res_row = -1;

protected:
    void FormClose() override;
};
