#pragma once
// The items page: the item catalogue, the numbers of one item template and its
// allowed ammunition.
#include "model/init.h"
#include "platform/kit/kit.h"

class TForm1;

class ItemsPage {
public:
    explicit ItemsPage(TForm1& form);
    void start();
    void shown();

    // Picking catalogue entry e loads its numbers into the form and makes its
    // picture the current tile.
    void sg_pitemsSelectCell(int e);
    void Button10Click();  // ADD
    void Button11Click();  // "<- EDIT"
    void Button12Click();  // "DELETE": items cannot be deleted
    void Button18Click();  // add the picked resource to the allowed ammunition
    void Button19Click();  // remove the selected line of the allowed ammunition
    void Button24Click();  // "EDIT INV": the default contents dialog
    // Lists the names of the allowed ammunition (item_children).
    void update_ichildren_list();

    TForm1& form;
    kit::TabSheet items;
    kit::Image ipitem{items};
    kit::ComboBox cb_pitem_class{items};
    kit::Edit e_pitem_name{items};
    // Two columns of numbers.
    kit::Edit e_pitem_HP{items};
    kit::Edit e_pitem_weight{items};
    kit::Edit e_pitem_volume{items};
    kit::Edit e_pitem_load{items};
    kit::Edit e_pitem_value{items};
    kit::Edit e_pitem_hands{items};
    kit::Edit e_pitem_dem1{items};
    kit::Edit e_pitem_dem2{items};
    kit::Edit e_pitem_dem3{items};
    kit::Edit e_pitem_arm1{items};
    kit::Edit e_pitem_arm2{items};
    kit::Edit e_pitem_arm3{items};
    // The groups "bow", "fight" and "armour", three numbers each.
    kit::GroupBox gb_pitem_bow{items, "bow"};
    kit::Edit e_pitem_a{gb_pitem_bow};
    kit::Edit e_pitem_b{gb_pitem_bow};
    kit::Edit e_pitem_c{gb_pitem_bow};
    kit::GroupBox gb_pitem_fight{items, "fight"};
    kit::Edit e_pitem_attak{gb_pitem_fight};
    kit::Edit e_pitem_defence{gb_pitem_fight};
    kit::Edit e_pitem_block{gb_pitem_fight};
    kit::GroupBox gb_pitem_armour{items, "armour"};
    kit::Edit e_pitem_cover{gb_pitem_armour};
    kit::Edit e_pitem_skov{gb_pitem_armour};
    kit::Edit e_pitem_penalty{gb_pitem_armour};
    kit::Memo m_pitem_title{items};
    kit::ComboBox cbexpress2{items};
    kit::Button Button18{items, "<--    ADD resources for ammo"};
    kit::ListBox lb_pitem_children{items};
    kit::Button Button19{items, "DELL resource"};
    kit::Button Button10{items, "ADD"};
    kit::Button Button11{items, "<- EDIT"};
    kit::Button Button12{items, "DELETE"};
    kit::Button Button24{items, "EDIT INV"};
    kit::StringGrid sg_pitems{items};

private:
    // Writes the form's numbers and texts into an item, converted and checked
    // before anything is written; the load and the lists are not among them.
    void read_fields(Tpitem& item) const;
    // The current tile names a tile; otherwise says so and gives false.
    bool picture_picked() const;
};
