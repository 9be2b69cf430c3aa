#pragma once
// The items page: the item catalogue, the numbers of one item template and its
// allowed ammunition.
#include "platform/kit/kit.h"

class TForm1;

class ItemsPage {
public:
    explicit ItemsPage(TForm1& form);
    void start();
    void shown();

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
};
