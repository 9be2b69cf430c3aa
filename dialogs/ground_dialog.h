#pragma once
// TForm8, the ground dialog: the terrain of one map cell and the items and
// resources lying loose on it, each of which the designer can open in its
// editor or delete.
#include "dialogs/dialog.h"

class TForm8 : public Dialog {
public:
    TForm8();

    // Shows the cell the map was last clicked on (cell_x, cell_y of the main
    // window's current map) and lists what lies loose on it.
    void FormActivate();
    void ginvDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    // A right click picks the entry under the mouse and opens gmenu.
    void ginvMouseDown(kit::MouseButton Button, kit::ShiftState Shift, int X, int Y);
    void edit1Click();    // opens the picked thing in the item or resource editor
    void delete1Click();  // deletes the picked thing
    // An editor opened from here changed what lies on the cell.
    void refresh_for_editor() override;

    kit::Image img{*this};
    kit::Label Label1{*this};
    kit::StringGrid ginv{*this};
    kit::PopupMenu gmenu;
    kit::MenuItem edit1{gmenu, "edit"};
    kit::MenuItem delete1{gmenu, "delete"};
    kit::MenuItem cancel1{gmenu, "cancel"};

    // What ginv shows, entry = column + 10 x row: the loose items of the cell
    // as (item, index, 1), then its loose resources as (resource, index,
    // amount), each in index order.
    Tinvitems ground_things;
    // The entry under the last right click on ginv; checked when used.
    int32_t ground_pick = 0;

private:
    // The picked entry when it is listed and still names a placed thing.
    const Tinvitem* picked() const;
    Bitmap ground_bitmap;  // one entry as draw_thing draws it
};
