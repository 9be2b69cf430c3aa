#pragma once
// The Craft page: the ingredient and skill lists of the recipe being composed
// (craft_ingredients and craft_skills of the editor state, kept from one
// recipe to the next), the pickers of tool, near object and product, and the
// recipe table. Recipes are appended with "V" and removed with the Delete key
// on the table; an existing recipe is not edited.
//
// Recipes record catalogue rows; an object by its template's Tmapobject::row,
// which stays when an earlier template is deleted. Every row is looked up
// checked where it is shown: one that names nothing shows nothing.
#include "mainwindow/page.h"
#include "model/init.h"
#include "platform/kit/kit.h"

class CraftPage : public Page {
public:
    explicit CraftPage(PageHost& host);
    void start() override;
    // Opened by its tab: refills the pickers from the catalogues, the skill
    // list from craft_skills, and the recipe table.
    void shown() override;
    void world_replaced(bool is_shown) override;

    void Button26Click();  // ADD the chosen item to the ingredients
    void Button27Click();  // ADD the chosen resource to the ingredients
    void sgcraftressSelectCell(int col, int row);  // removes the ingredient clicked
    void sgcraftressDrawCell(int col, int row, kit::Rect rect);
    void Button28Click();  // ADD the chosen skill at the typed level
    void Button29Click();  // DELETE the chosen required skill
    void Button30Click();  // "V": appends the recipe
    // Rebuilds the recipe table's texts, rows and column widths.
    void refresh_craft_table();
    void sgcraftsDrawCell(int col, int row, kit::Rect rect);
    void sgcraftsKeyDown(int& key, kit::ShiftState shift);  // Delete removes the selected recipe

    PageHost& host;
    SharedState& editor;
    // The ingredients and required skills of the recipe being composed, kept
    // from one recipe to the next.
    Tinvitems craft_ingredients;
    Tskills craft_skills;
    // The pictures of the resource, item and object pickers.
    kit::ImageList il_cr_res{32, 32}, il_it_cr{32, 32}, il_cr_obj{64, 64};
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

private:
    void fill_pickers();
    void fill_skills();
    // Appends an ingredient of kind from a picker with the count typed.
    void add_ingredient(int32_t kind, const kit::ComboBox& picker, const kit::Edit& count);
};
