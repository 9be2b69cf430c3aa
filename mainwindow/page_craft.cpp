#include "mainwindow/page_craft.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

CraftPage::CraftPage(TForm1& form) : form(form), craft_page(form.PC, "Craft") {
    craft_page.name = "craft_page";
    form.lay_out({
        {cbexcraftitem, "cbexcraftitem", 8, 22, 220, 36, "item to recipe", 8, 6},
        {ecraft_item_count, "ecraft_item_count", 234, 29, 40, 22},
        {Button26, "Button26", 280, 27, 60, 26},
        {cbexcraftress, "cbexcraftress", 8, 80, 220, 36, "resource to recipe", 8, 64},
        {ecraft_ress_count, "ecraft_ress_count", 234, 87, 40, 22},
        {Button27, "Button27", 280, 85, 60, 26},
        {sgcraftress, "sgcraftress", 352, 6, kit::cell_grid_width(1, 32), 160},
        {cbcraftitemwith, "cbcraftitemwith", 8, 124, 200, 22},
        {cbexuseitem, "cbexuseitem", 8, 146, 220, 36},
        {cbobjectcraftnear, "cbobjectcraftnear", 8, 188, 200, 22},
        {cbexcraftobjuse, "cbexcraftobjuse", 8, 210, 220, 68},
        {ecrafttime, "ecrafttime", 310, 188, 60, 22, "time", 240, 192},
        {ecraftword, "ecraftword", 310, 216, 110, 22, "PASSWORD", 236, 220},
        {cbskills, "cbskills", 8, 302, 150, 22, "skills need", 8, 286},
        {eskilllevel, "eskilllevel", 164, 302, 40, 22},
        {Button28, "Button28", 210, 300, 60, 26},
        {lbcraftskills, "lbcraftskills", 8, 330, 196, 100},
        {Button29, "Button29", 210, 330, 70, 26},
        {RadioGroup1, "RadioGroup1", 530, 6, 300, 280},
        {rbcraftitem, "rbcraftitem", 8, 30, 20, 20},
        {cbexitem_to_craft, "cbexitem_to_craft", 32, 22, 250, 36},
        {rbcraftres, "rbcraftres", 8, 90, 20, 20},
        {cbexres_to_craft, "cbexres_to_craft", 32, 82, 250, 36},
        {rbcraftobj, "rbcraftobj", 8, 170, 20, 20},
        {cbexobj_to_craft, "cbexobj_to_craft", 32, 146, 250, 68},
        {Button30, "Button30", 840, 130, 60, 40},
        {sgcrafts, "sgcrafts", 8, 440, 760, 190},
    });
    kit::caption(form, craft_page, "<- Click to remove", 410, 8);
    kit::note(form, craft_page, "<-Select row and press DEL to remove Craft", {776, 440, 130, 60});
    // The pickers show a picture per entry: 32 pixels for items and resources, 64 for objects.
    for (kit::ComboBox* picker : {&cbexcraftitem, &cbexcraftress, &cbexuseitem, &cbexcraftobjuse, &cbexitem_to_craft,
                                  &cbexres_to_craft, &cbexobj_to_craft}) {
        const bool object = picker == &cbexcraftobjuse || picker == &cbexobj_to_craft;
        picker->set_item_height(object ? 64 : 32);
        picker->set_drop_down_count(16);
    }
    kit::cell_grid(sgcraftress, 1, 32, 32);
    kit::table_grid(sgcrafts, 9, 2);
    sgcrafts.set_default_row_height(64);
    sgcrafts.set_col_sizing(true);
}

void CraftPage::start() {
    kit::fill(cbskills, TStrings(skill_names.begin() + 1, skill_names.begin() + 33));
    sgcrafts.set_row_height(0, 16);
    sgcrafts.set_col_width(0, 16);
}

void CraftPage::shown() {}
