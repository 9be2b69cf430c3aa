#pragma once
// TForm9, the resource editor: amount, clip contents and vial filling of one
// placed resource (editor.cur_placed_res). A clip's children are added and
// deleted in the world at once; amount and filling are written by "save".
#include "dialogs/dialog.h"

class TForm9 : public Dialog {
public:
    TForm9();

    // Loads every control from the resource; empty controls when
    // cur_placed_res names none.
    void FormActivate();
    // The clip's children grid and the rows it may take.
    void update_ress_cb();
    // The vial's filling list: "empty" and every liquid and mixture.
    void update_fill_cb();
    void Button1Click();  // "V": one more child of the chosen row
    void Button2Click();  // "save"
    void sg_res_itemsDrawCell(int ACol, int ARow, kit::Rect Rect);
    void sg_res_itemsSelectCell(int ACol, int ARow);

    // The resource the editor edits, nullptr when cur_placed_res names none.
    Tpres* resource() const;

    kit::Label Label1{*this};
    kit::Label Label2{*this};
    kit::Label Label3{*this, "quant:"};
    kit::Edit Edit1{*this};
    kit::Label Label4{*this, "cont"};
    kit::Edit Edit2{*this};
    kit::Button Button2{*this, "save"};
    kit::ComboBox cbexpress2{*this};
    kit::Button Button1{*this, "V"};
    kit::StringGrid sg_res_items{*this};
    kit::ComboBox cbexpress4{*this};
    kit::ImageList il2{32, 32};
    kit::ImageList il4{32, 32};

protected:
    // The window whose code res_dlg_opener holds: the object dialog, the item
    // editor, the NPC inventory dialog or the ground dialog; the main window for
    // any other code.
    kit::Window* opener() const override;

private:
    // The information text of the resource.
    void show_info();
    // Deletes placed resource r with what it holds; cur_placed_res follows the
    // renumbering, and names none once the edited resource went with it.
    void delete_keeping_current(int32_t r);
};
