#pragma once
// The resources page: the resource catalogue, the form of one resource
// template, its pictures, its allowed children and its filling.
#include "mainwindow/page.h"
#include "mainwindow/resource_pickers.h"
#include "model/init.h"
#include "platform/kit/kit.h"

#include <string>
#include <vector>

class ResourcesPage : public Page {
public:
    explicit ResourcesPage(PageHost& host);
    void start() override;
    void shown() override;

    // A click on the picture for one piece / for many pieces: the current tile
    // becomes that picture.
    void ipres1Click();
    void ipres2Click();
    // Picking catalogue entry e loads its fields and pictures into the form.
    void sg_presourcesSelectCell(int e);
    void Button13Click();  // ADD
    void Button15Click();  // "<- EDIT"
    void Button25Click();  // "INV": the default contents dialog
    void Button20Click();  // AMMO "ADD"
    void Button21Click();  // AMMO "DELETE"
    // Lists the names of the allowed children (res_children).
    void update_rchildren_list();
    // Refills this page's resource pickers and the names in its allowed list.
    void update_ress_cb();
    // After "<- EDIT" of catalogue row `row`: only that row's entries change in
    // this page's pickers (its caption and picture, or it joins or leaves a
    // picker when its kind changed), and every picker keeps its choice.
    void update_ress_entry(int row);
    void size_grids() override;
    PalettePlace palette_place() const override { return {true, 32, 120, 792}; }

    PageHost& host;
    SharedState& editor;
    // The pictures picked for one piece and for many, -1 none.
    int res_image_one = -1, res_image_many = -1;
    kit::TabSheet resources_page;
    kit::Edit epresname{resources_page};
    kit::ComboBox cbprestype{resources_page};
    kit::Edit epresvalue{resources_page};
    kit::Edit epresweight{resources_page};
    kit::Edit eprespower{resources_page};
    kit::Memo mprestitle{resources_page, "mprestitle"};
    kit::Image ipres1{resources_page};
    kit::Image ipres2{resources_page};
    kit::Button Button13{resources_page, "ADD"};
    kit::Button Button15{resources_page, "<- EDIT"};
    kit::Button Button16{resources_page, "DELETE"};
    kit::Button Button25{resources_page, "INV"};
    kit::ComboBox cbexpress{resources_page};
    kit::Button Button20{resources_page, "ADD"};
    kit::ListBox lbpreschidren{resources_page};
    kit::Button Button21{resources_page, "DELETE"};
    kit::ComboBox cbexpress3{resources_page};
    kit::StringGrid sg_presources{resources_page};
    // The pickers of ammunition (cbexpress) and of a vial's filling
    // (cbexpress3), with their pictures.
    kit::ImageList il1{32, 32}, il3{32, 32};
    ResourcePicker ammo_picker{cbexpress, il1, page_resource_rows::in_ammo, false};
    ResourcePicker filling_picker{cbexpress3, il3, page_resource_rows::fills_vials, true};

private:
    // Writes the form's fields, the picked pictures and the allowed children
    // into res as catalogue row `row`; every field is converted and checked
    // before anything is written. Contents and filling are not among them.
    void write_fields(Tpres& res, int32_t row);
    // Both pictures name tiles; otherwise says so and gives false.
    bool pictures_picked() const;
    // A vial gets no contents and the filling chosen in cbexpress3, when that
    // is a liquid or a mixture; other kinds keep theirs.
    void fill_vial(Tpres& res) const;
    void draw_pictures();
};
