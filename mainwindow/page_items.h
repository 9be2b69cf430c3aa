#pragma once
// The items page: the item catalogue, the numbers of one item template and its
// allowed ammunition.
#include "mainwindow/page.h"
#include "mainwindow/resource_pickers.h"
#include "model/init.h"
#include "platform/kit/kit.h"

class ItemsPage : public Page {
public:
    explicit ItemsPage(PageHost& host);
    void start() override;
    void shown() override;

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
    void size_grids() override;
    void catalogue_changed(Catalogue catalogue, int row) override;
    // The current tile shows in ipitem.
    void tile_picked(int n) override;
    PalettePlace palette_place() const override { return {true, 32, 120, 792}; }

    PageHost& host;
    SharedState& editor;
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
    // The picker of allowed ammunition (cbexpress2): ammunition, clips and
    // cells, with their pictures.
    kit::ImageList il2{32, 32};
    ResourcePicker ammo_picker{cbexpress2, il2, page_resource_rows::in_ammo_clip_cell, false};

private:
    // The current tile names a tile; otherwise says so and gives false.
    bool picture_picked() const;
};
