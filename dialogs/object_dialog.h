#pragma once
// TForm2, the object dialog: edits one placed object (editor.cur_placed_object)
// and what lies inside it. The property page writes back on "SAVE"; the
// contents page changes the world at once and opens the item and resource
// editors on the things inside.
#include "dialogs/dialog.h"

class TForm2 : public Dialog {
public:
    TForm2();

    // Re-runs the activation and repaints the contents: the item and resource
    // editors call it after they changed what lies inside.
    void refresh_for_editor() override;

    void FormCreate();
    // Loads every control from the placed object; empty controls when
    // cur_placed_object names none.
    void FormActivate();
    void Button1Click();  // "SAVE"
    void Button2Click();  // "<": the picked catalogue entry goes inside
    void Button3Click();  // "x": the picked contents entry is deleted
    void sg_o_itemsDrawCell(int ACol, int ARow, kit::Rect Rect);
    void sg_o_itemsSelectCell(int ACol, int ARow);
    void sg_o_itemsMouseDown(kit::MouseButton Button, int X, int Y);

    // The placed object the dialog edits, nullptr when cur_placed_object names none.
    Tmapobject* object() const;

    kit::PageControl mo{*this};
    kit::TabSheet mo_p1{mo, "properties"};
    kit::TabSheet mo_p2{mo, "items"};
    // properties
    kit::Edit mo_name{mo_p1};
    kit::Edit mo_size{mo_p1};
    kit::Edit mo_height{mo_p1};
    kit::ComboBox mo_form{mo_p1};
    kit::Edit mo_hp{mo_p1};
    kit::Memo otitle{mo_p1};
    kit::CheckBox mo_floating{mo_p1, "floating"};
    kit::CheckBox mo_chest{mo_p1, "chest"};
    kit::CheckBox mo_door{mo_p1, "door"};
    kit::CheckBox mo_locked{mo_p1, "locked"};
    kit::CheckBox mo_closed{mo_p1, "closed"};
    kit::CheckBox mo_pass{mo_p1, "passed"};
    kit::CheckBox mo_vis{mo_p1, "visible"};
    kit::CheckBox mo_trans{mo_p1, "transmitter"};
    kit::CheckBox mo_reciv{mo_p1, "reciver"};
    kit::CheckBox mo_transp{mo_p1, "transparent"};
    kit::Button Button1{mo_p1, "SAVE"};
    // items
    kit::StringGrid sg_o_items{mo_p2};
    kit::Button Button2{mo_p2, "<"};
    kit::Button Button3{mo_p2, "x"};
    kit::PageControl pc_itres{mo_p2};
    kit::TabSheet pc_itres_items{pc_itres, "items"};
    kit::TabSheet pc_itres_res{pc_itres, "resources"};
    kit::StringGrid sg_pitems{pc_itres_items};
    kit::StringGrid sg_pres{pc_itres_res};

    // The picks of the grids; they last for the whole run, over every object.
    int sel_item_row = -1;  // item catalogue row, -1 none
    int sel_res_row = 0;    // resource catalogue row, -1 none
    int sel_entry = -1;     // contents position, -1 none; cleared by every activation

private:
    // The contents grid shows every entry, and at least the rows the object's size gives.
    void size_contents_grid();
};
