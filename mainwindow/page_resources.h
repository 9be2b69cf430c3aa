#pragma once
// The resources page: the resource catalogue, the form of one resource
// template, its pictures, its allowed children and its filling; and the
// resource pickers of the items and resources pages.
#include "model/init.h"
#include "platform/kit/kit.h"

#include <string>
#include <vector>

class TForm1;

class ResourcesPage {
public:
    explicit ResourcesPage(TForm1& form);
    void start();
    void shown();

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
    // Refills the resource pickers of the items and resources pages and the
    // names in their allowed lists.
    void update_ress_cb();
    // After "<- EDIT" of catalogue row `row`: only that row's entries change in
    // the three pickers (its caption and picture, or it joins or leaves a
    // picker when its kind changed), and every picker keeps its choice.
    void update_ress_entry(int row);

    // The catalogue row the chosen entry of a resource picker stands for, -1
    // when nothing is chosen, the entry is "empty" or the row names no template.
    static int picked_row(const kit::ComboBox& picker);
    // The allowed lists of both pages: a row is added once ("already exists"
    // otherwise); the line chosen in the list box is removed. True when the
    // list changed.
    static bool add_child(int row, tintarray& children);
    static bool remove_child(const kit::ListBox& list, tintarray& children);
    // Fills a list box with the names of resource rows, one line each; a row
    // that names no template gives an empty line.
    static void list_names(kit::ListBox& list, const tintarray& rows);
    // The rows of a buffer that still name a template: a buffer kept across an
    // Open may hold rows the world no longer has, which no record may take.
    static tintarray existing_rows(const tintarray& rows);

    TForm1& form;
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

private:
    // Writes the form's fields, the picked pictures and the allowed children
    // into res as catalogue row `row`; every field is converted and checked
    // before anything is written. Contents and filling are not among them.
    void write_fields(Tpres& res, int32_t row) const;
    // Both pictures name tiles; otherwise says so and gives false.
    bool pictures_picked() const;
    // A vial gets no contents and the filling chosen in cbexpress3, when that
    // is a liquid or a mixture; other kinds keep theirs.
    void fill_vial(Tpres& res) const;
    void draw_pictures();

    // What the pickers were last filled from, row by row: a refill that finds
    // only new rows at the end appends them instead of refilling everything.
    struct PickerSource {
        int32_t kind, image;
        std::string name;
        bool operator==(const PickerSource&) const = default;
    };
    std::vector<PickerSource> picker_source_;
    void add_to_pickers(int row, const PickerSource& source);
};
