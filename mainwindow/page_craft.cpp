// The Craft page: the ingredient and skill lists of the recipe being composed,
// the pickers of tool, near object and product, and the recipe table.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_craft_page() {
    craft_page = &make<kit::TabSheet>(*PC, "Craft");
    craft_page->name = "craft_page";
    kit::TabSheet& p = *craft_page;

    const auto picker = [](kit::ComboBox& combo, int height) {
        combo.set_item_height(height - 4);
        combo.set_drop_down_count(16);
    };

    add_label(p, 8, 6, "item to recipe");
    PLACE(cbexcraftitem, p, 8, 22, 220, 36);
    picker(*cbexcraftitem, 36);
    PLACE(ecraft_item_count, p, 234, 29, 40, 22, "1");
    PLACE(Button26, p, 280, 27, 60, 26, "ADD");
    add_label(p, 8, 64, "resource to recipe");
    PLACE(cbexcraftress, p, 8, 80, 220, 36);
    picker(*cbexcraftress, 36);
    PLACE(ecraft_ress_count, p, 234, 87, 40, 22, "1");
    PLACE(Button27, p, 280, 85, 60, 26, "ADD");

    PLACE(sgcraftress, p, 352, 6, design::grid_width(1, 32), 160);
    design::picture_grid(*sgcraftress, 1, 32, 32);
    add_label(p, 410, 8, "<- Click to remove");

    PLACE(cbcraftitemwith, p, 8, 124, 200, 22, "item to craft with");
    PLACE(cbexuseitem, p, 8, 146, 220, 36);
    picker(*cbexuseitem, 36);
    PLACE(cbobjectcraftnear, p, 8, 188, 200, 22, "object to craft near");
    PLACE(cbexcraftobjuse, p, 8, 210, 220, 68);
    picker(*cbexcraftobjuse, 68);

    add_label(p, 240, 192, "time");
    PLACE(ecrafttime, p, 310, 188, 60, 22, "400");
    add_label(p, 236, 220, "PASSWORD");
    PLACE(ecraftword, p, 310, 216, 110, 22);

    add_label(p, 8, 286, "skills need");
    PLACE(cbskills, p, 8, 302, 150, 22, kit::ComboStyle::drop_down);
    PLACE(eskilllevel, p, 164, 302, 40, 22, "1");
    PLACE(Button28, p, 210, 300, 60, 26, "ADD");
    PLACE(lbcraftskills, p, 8, 330, 196, 100);
    PLACE(Button29, p, 210, 330, 70, 26, "DELETE");

    PLACE(RadioGroup1, p, 530, 6, 300, 280, "      OR");
    PLACE(rbcraftitem, *RadioGroup1, 8, 30, 20, 20, "", true);
    PLACE(cbexitem_to_craft, *RadioGroup1, 32, 22, 250, 36);
    picker(*cbexitem_to_craft, 36);
    PLACE(rbcraftres, *RadioGroup1, 8, 90, 20, 20, "");
    PLACE(cbexres_to_craft, *RadioGroup1, 32, 82, 250, 36);
    picker(*cbexres_to_craft, 36);
    PLACE(rbcraftobj, *RadioGroup1, 8, 170, 20, 20, "");
    PLACE(cbexobj_to_craft, *RadioGroup1, 32, 146, 250, 68);
    picker(*cbexobj_to_craft, 68);
    PLACE(Button30, p, 840, 130, 60, 40, "V");

    PLACE(sgcrafts, p, 8, 440, 760, 190);
    sgcrafts->set_col_count(9);
    sgcrafts->set_row_count(2);
    sgcrafts->set_fixed_cols(1);
    sgcrafts->set_fixed_rows(1);
    sgcrafts->set_default_row_height(64);
    sgcrafts->set_row_select(true);
    sgcrafts->set_col_sizing(true);
    kit::Label* del = add_label(p, 776, 440, "<-Select row and press DEL to remove Craft");
    del->set_auto_size(false);
    del->set_word_wrap(true);
    del->set_bounds(776, 440, 130, 60);
}
