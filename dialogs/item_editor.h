#pragma once
// TForm3, the item editor: edits one placed item (editor.cur_placed_item), its
// clip, its ammunition and the rows it accepts. The numbers are written by
// "Save"; clip, ammunition and accepted rows change the world at once.
#include "dialogs/dialog.h"

class TForm3 : public Dialog {
public:
    TForm3();

    // Re-runs the activation and repaints the ammunition: the resource editor
    // opened from here calls it after it changed what the item holds.
    void refresh_for_editor() override;

    // Loads every control from the item; empty controls when cur_placed_item names none.
    void FormActivate();
    // Gives the ammunition grid a row for every three entries.
    void update_controls();
    void sg_i_invDrawCell(int ACol, int ARow, kit::Rect Rect);
    void i_i_clipMouseDown(kit::MouseButton Button);
    void sg_i_invMouseDown(kit::MouseButton Button, int X, int Y);
    void edit1Click();    // the clip's "edit"
    void eject1Click();   // the clip's "eject"
    void delete1Click();  // the clip's "delete"
    void edit2Click();    // an ammunition entry's "edit"
    void eject2Click();   // an ammunition entry's "eject"
    void delete2Click();  // an ammunition entry's "delete"
    void Button1Click();  // "V" of RESS: accept the chosen row
    void Button3Click();  // "X" of CHILDREN: accept the chosen row no more
    void Button2Click();  // "V" of CHILDREN: load a new resource of the chosen row
    void Button4Click();  // "Save"

    // The item the editor edits, nullptr when cur_placed_item names none.
    Tpitem* item() const;

    kit::Image img{*this};
    kit::Label Label1{*this};
    kit::Edit e_item_name{*this};
    kit::Edit e_item_curhp{*this};
    kit::Edit e_item_HP{*this};  // the template's HP: shown, compared, never written
    kit::Edit e_item_weight{*this};
    kit::Edit e_item_volume{*this};
    kit::Edit e_item_dem1{*this};
    kit::Edit e_item_dem2{*this};
    kit::Edit e_item_dem3{*this};
    kit::Edit e_item_arm1{*this};
    kit::Edit e_item_arm2{*this};
    kit::Edit e_item_arm3{*this};
    kit::Edit e_item_load{*this};
    kit::Edit e_item_value{*this};
    kit::Edit e_item_hands{*this};
    kit::GroupBox gb_bow{*this, "bow"};
    kit::Edit e_item_a{gb_bow};
    kit::Edit e_item_b{gb_bow};
    kit::Edit e_item_c{gb_bow};
    kit::GroupBox gb_fight{*this, "fight"};
    kit::Edit e_item_attak{gb_fight};
    kit::Edit e_item_defence{gb_fight};
    kit::Edit e_item_block{gb_fight};
    kit::GroupBox gb_armour{*this, "armour"};
    kit::Edit e_item_cover{gb_armour};
    kit::Edit e_item_skov{gb_armour};
    kit::Edit e_item_penalty{gb_armour};
    kit::Button Button4{*this, "Save"};

    kit::Label Label3{*this, "RESS"};
    kit::ComboBox cbress{*this};
    kit::Button Button1{*this, "V"};
    kit::Label Label4{*this, "CHILDREN"};
    kit::ComboBox cbchildren{*this};
    kit::Button Button3{*this, "X"};
    kit::Button Button2{*this, "V"};
    kit::Label Label2{*this, "clip/cell"};
    kit::Image i_i_clip{*this};
    kit::Label ammo{*this, "ammo"};
    kit::StringGrid sg_i_inv{*this};
    kit::ImageList il1{32, 32};
    kit::ImageList il2{32, 32};

    kit::PopupMenu clip_menu;
    kit::MenuItem edit1{clip_menu, "edit"};
    kit::MenuItem eject1{clip_menu, "eject"};
    kit::MenuItem delete1{clip_menu, "delete"};
    kit::MenuItem cancel1{clip_menu, "cancel"};
    kit::PopupMenu ammo_menu;
    kit::MenuItem edit2{ammo_menu, "edit"};
    kit::MenuItem eject2{ammo_menu, "eject"};
    kit::MenuItem delete2{ammo_menu, "delete"};
    kit::MenuItem cancel2{ammo_menu, "cancel"};

protected:
    // The window whose code item_dlg_opener holds: the object dialog, the NPC
    // inventory dialog or the ground dialog; the main window for any other code.
    kit::Window* opener() const override;

private:
    // The loaded resource, -1 when the item holds none.
    int32_t loaded() const;
    // The ammunition entry the last right click picked (cur_placed_res), -1
    // when it is no longer inside the item.
    int32_t picked_ammo() const;
    // Opens the resource editor on resource r.
    void edit_resource(int32_t r);
    // Takes resource r out of the item to where the opener shows it, and
    // lets the opener show it there.
    void eject(int32_t r);
};
