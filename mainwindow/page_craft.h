#pragma once
// The Craft page: the ingredient and skill lists of the recipe being composed,
// the pickers of tool, near object and product, and the recipe table.
#include "platform/kit/kit.h"

class TForm1;

class CraftPage {
public:
    explicit CraftPage(TForm1& form);
    void start();
    void shown();

    TForm1& form;
    kit::TabSheet craft_page;
    kit::ComboBox cbexcraftitem{craft_page};
    kit::Edit ecraft_item_count{craft_page, "1"};
    kit::Button Button26{craft_page, "ADD"};
    kit::ComboBox cbexcraftress{craft_page};
    kit::Edit ecraft_ress_count{craft_page, "1"};
    kit::Button Button27{craft_page, "ADD"};
    kit::StringGrid sgcraftress{craft_page};
    kit::CheckBox cbcraftitemwith{craft_page, "item to craft with"};
    kit::ComboBox cbexuseitem{craft_page};
    kit::CheckBox cbobjectcraftnear{craft_page, "object to craft near"};
    kit::ComboBox cbexcraftobjuse{craft_page};
    kit::Edit ecrafttime{craft_page, "400"};
    kit::Edit ecraftword{craft_page};
    kit::ComboBox cbskills{craft_page, kit::ComboStyle::drop_down};
    kit::Edit eskilllevel{craft_page, "1"};
    kit::Button Button28{craft_page, "ADD"};
    kit::ListBox lbcraftskills{craft_page};
    kit::Button Button29{craft_page, "DELETE"};
    kit::GroupBox RadioGroup1{craft_page, "      OR"};
    kit::RadioButton rbcraftitem{RadioGroup1, "", true};
    kit::ComboBox cbexitem_to_craft{RadioGroup1};
    kit::RadioButton rbcraftres{RadioGroup1};
    kit::ComboBox cbexres_to_craft{RadioGroup1};
    kit::RadioButton rbcraftobj{RadioGroup1};
    kit::ComboBox cbexobj_to_craft{RadioGroup1};
    kit::Button Button30{craft_page, "V"};
    kit::StringGrid sgcrafts{craft_page};
};
