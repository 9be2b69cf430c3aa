// The Craft page driven as a designer drives it: opening it fills the pickers,
// the skill list and the recipe table from the world; ingredients and required
// skills are composed and removed; "V" appends a recipe (refused when a picker
// it needs is empty or an ingredient names nothing); the table shows every
// recorded row checked; the Delete key removes a recipe; Save and a reload
// keep every field.
#include "mainwindow/page_craft.h"
#include "mainwindow/page_objects.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class CraftPage : public EditorFixture {
protected:
    ::CraftPage& c() { return craft(); }

    // Items sword (frame 1) and axe (frame 2); resources arrow (one piece
    // frame 5, many 6) and coin (7, 8); objects anvil (row 0, frame 10), forge
    // (row 1, frame 11) and oven (row 2, frame 12).
    void catalogues() {
        TWorld& w = editor.world;
        for (const auto& [name, image] : {std::pair{"sword", 1}, std::pair{"axe", 2}}) {
            Tpitem it;
            it.name = name;
            it.row = static_cast<int32_t>(w.pitems.size());
            it.image = image;
            w.pitems.push_back(it);
        }
        for (const auto& [name, one] : {std::pair{"arrow", 5}, std::pair{"coin", 7}}) {
            Tpres r;
            r.name = name;
            r.row = static_cast<int32_t>(w.presources.size());
            r.image_one = one;
            r.image_many = one + 1;
            w.presources.push_back(r);
        }
        int row = 0;
        for (const char* name : {"anvil", "forge", "oven"}) {
            Tmapobject o;
            o.name = name;
            o.row = row;
            o.frame_count = 1;
            o.frames = {10 + row};
            o.frames2 = {-1};
            w.pmapobjects.push_back(o);
            ++row;
        }
    }
    // Opens the page by its tab, from another page.
    void open_page() {
        pick_page(page_control(), page::terrain);
        pick_page(page_control(), page::craft);
    }
    TColor ingredient_pixel(int row) {
        const kit::Rect r = c().sgcraftress.cell_rect(0, row);
        return c().sgcraftress.canvas().pixel(r.left + 20, r.top + 25);
    }
    TColor table_pixel(int col, int row, int dx = 3, int dy = 3) {
        const kit::Rect r = c().sgcrafts.cell_rect(col, row);
        EXPECT_GT(r.width, 0) << col << ", " << row;
        return c().sgcrafts.canvas().pixel(r.left + dx, r.top + dy);
    }
    void press_delete_on(int row) {
        press_cell(c().sgcrafts, 3, row);
        kit::user::press_key(c().sgcrafts, kit::keys::del);
    }
};

TEST_F(CraftPage, OpeningFillsThePickersTheSkillsAndTheTable) {
    open_page();
    for (kit::ComboBox* picker : {&c().cbexcraftitem, &c().cbexuseitem, &c().cbexitem_to_craft, &c().cbexcraftress,
                                  &c().cbexres_to_craft, &c().cbexcraftobjuse, &c().cbexobj_to_craft})
        EXPECT_EQ(picker->count(), 0) << picker->name;
    EXPECT_EQ(c().cbskills.count(), 32);
    EXPECT_EQ(c().cbskills.item_index(), 0);
    const std::vector<std::string> headers = {"\xB9",      "produce img", "produce name", "time",      "word",
                                              "resources", "skill(s)",    "item use",     "object use"};
    for (int col = 0; col < 9; ++col) EXPECT_EQ(c().sgcrafts.cell(col, 0), headers[static_cast<std::size_t>(col)]);
    EXPECT_EQ(c().sgcrafts.row_count(), 2);  // one empty row under the headers
    EXPECT_EQ(c().sgcrafts.row_height(0), 16);

    catalogues();
    editor.world.pitems[1].image = 999;  // names no frame: a white picture
    craft().craft_skills = {Tskill{3, 5, 0}, Tskill{40, 1, 0}};
    open_page();
    for (kit::ComboBox* picker : {&c().cbexcraftitem, &c().cbexuseitem, &c().cbexitem_to_craft}) {
        EXPECT_EQ(picker->items(), (std::vector<std::string>{"sword", "axe"}));
        EXPECT_EQ(picker->item_index(), 0);
    }
    for (kit::ComboBox* picker : {&c().cbexcraftress, &c().cbexres_to_craft})
        EXPECT_EQ(picker->items(), (std::vector<std::string>{"arrow", "coin"}));
    for (kit::ComboBox* picker : {&c().cbexcraftobjuse, &c().cbexobj_to_craft})
        EXPECT_EQ(picker->items(), (std::vector<std::string>{"anvil", "forge", "oven"}));
    ASSERT_EQ(craft().il_it_cr.count(), 2);
    EXPECT_EQ(craft().il_it_cr.get(0)->pixel(4, 4), frame_color(1));
    EXPECT_EQ(craft().il_it_cr.get(1)->pixel(4, 4), clWhite);
    EXPECT_EQ(craft().il_cr_res.get(1)->pixel(4, 4), frame_color(7));
    ASSERT_EQ(craft().il_cr_obj.count(), 3);
    EXPECT_EQ(craft().il_cr_obj.get(2)->pixel(4, 4), frame_color(12));
    EXPECT_EQ(craft().il_cr_obj.get(2)->pixel(50, 50), clWhite);  // a 32-pixel frame on a white 64-pixel picture
    // A skill number outside the skill names shows an empty name.
    EXPECT_EQ(c().lbcraftskills.items(), (std::vector<std::string>{skill_names[3] + " 5", " 1"}));
}

TEST_F(CraftPage, IngredientsAreAddedDrawnAndRemoved) {
    catalogues();
    open_page();
    click(c().Button26);  // sword x 1
    type_text(c().ecraft_ress_count, "2");
    click(c().Button27);  // arrow x 2
    type_text(c().ecraft_ress_count, "1");
    pick(c().cbexcraftress, 1);
    click(c().Button27);  // coin x 1
    type_text(c().ecraft_ress_count, "0");
    click(c().Button27);  // coin x 0
    EXPECT_EQ(
        craft().craft_ingredients,
        (Tinvitems{{thing::item, 0, 1}, {thing::resource, 0, 2}, {thing::resource, 1, 1}, {thing::resource, 1, 0}}));
    EXPECT_EQ(c().sgcraftress.row_count(), 5);
    // An item shows its picture; a resource its one-piece picture at count 1,
    // its many-pieces picture above, no picture at 0.
    EXPECT_EQ(ingredient_pixel(0), frame_color(1));
    EXPECT_EQ(ingredient_pixel(1), frame_color(6));
    EXPECT_EQ(ingredient_pixel(2), frame_color(7));
    EXPECT_EQ(ingredient_pixel(3), clWhite);

    // A count that is no number adds nothing.
    type_text(c().ecraft_item_count, "two");
    click(c().Button26);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'two' is not a valid integer value."});
    EXPECT_EQ(craft().craft_ingredients.size(), 4u);

    // A click removes the entry it names; a click past the list removes nothing.
    press_cell(c().sgcraftress, 0, 1);
    EXPECT_EQ(craft().craft_ingredients,
              (Tinvitems{{thing::item, 0, 1}, {thing::resource, 1, 1}, {thing::resource, 1, 0}}));
    press_cell(c().sgcraftress, 0, 4);
    EXPECT_EQ(craft().craft_ingredients.size(), 3u);
    EXPECT_EQ(ingredient_pixel(1), frame_color(7));

    // Empty catalogues: ADD does nothing.
    editor.world.pitems.clear();
    editor.world.presources.clear();
    open_page();
    click(c().Button26);
    click(c().Button27);
    EXPECT_EQ(craft().craft_ingredients.size(), 3u);
    EXPECT_EQ(modal_->errors.size(), 1u);
}

TEST_F(CraftPage, RequiredSkills) {
    open_page();
    for (const auto& [item, level] : {std::pair{2, "5"}, std::pair{0, "1"}, std::pair{31, "7"}}) {
        pick(c().cbskills, item);
        type_text(c().eskilllevel, level);
        click(c().Button28);
    }
    EXPECT_EQ(craft().craft_skills, (Tskills{{3, 5, 0}, {1, 1, 0}, {32, 7, 0}}));
    EXPECT_EQ(c().lbcraftskills.items(),
              (std::vector<std::string>{skill_names[3] + " 5", skill_names[1] + " 1", " 7"}));
    // After removing one, every line still names its own skill.
    pick(c().lbcraftskills, 0);
    click(c().Button29);
    EXPECT_EQ(c().lbcraftskills.items(), (std::vector<std::string>{skill_names[1] + " 1", " 7"}));
    click(c().Button29);  // no line chosen
    EXPECT_EQ(craft().craft_skills.size(), 2u);

    // A typed text that names no skill is refused, as is a level that is no number.
    type_text(c().cbskills, "juggling");
    click(c().Button28);
    pick(c().cbskills, 4);
    type_text(c().eskilllevel, "high");
    click(c().Button28);
    EXPECT_EQ(modal_->errors,
              (std::vector<std::string>{"Choose a skill from the list.", "'high' is not a valid integer value."}));
    EXPECT_EQ(craft().craft_skills.size(), 2u);
}

// "V" converts and checks every part first: a product, tool or near object
// that its picker cannot give, or an ingredient naming nothing, appends nothing.
TEST_F(CraftPage, VIsRefusedWhenAPartItNeedsIsMissing) {
    open_page();  // every catalogue empty
    click(c().rbcraftitem);
    click(c().Button30);
    click(c().rbcraftres);
    click(c().Button30);
    click(c().rbcraftobj);
    click(c().Button30);
    EXPECT_EQ(modal_->errors, (std::vector<std::string>{"Choose the item to craft.", "Choose the resource to craft.",
                                                        "Choose the object to craft."}));
    EXPECT_TRUE(editor.world.crafts.empty());

    catalogues();
    editor.world.pitems.clear();
    open_page();
    click(c().rbcraftobj);
    click(c().cbcraftitemwith);
    modal_->errors.clear();
    click(c().Button30);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Choose the item to craft with."});
    click(c().cbcraftitemwith);
    type_text(c().ecrafttime, "soon");
    click(c().Button30);
    EXPECT_EQ(modal_->errors.back(), "'soon' is not a valid integer value.");
    EXPECT_TRUE(editor.world.crafts.empty());

    // Ingredients outlive an Open, which may bring shorter catalogues.
    craft().craft_ingredients = {{thing::resource, 1, 3}, {thing::item, 0, 1}};
    open_page();
    type_text(c().ecrafttime, "10");
    click(c().Button30);
    EXPECT_EQ(modal_->errors.back(), "An ingredient names item 0, which does not exist: click it to remove it.");
    EXPECT_TRUE(editor.world.crafts.empty());
    press_cell(c().sgcraftress, 0, 1);
    click(c().Button30);
    ASSERT_EQ(editor.world.crafts.size(), 1u);
    EXPECT_EQ(editor.world.crafts[0].ingredients, (Tinvitems{{thing::resource, 1, 3}}));
}

TEST_F(CraftPage, VAppendsTheRecipeAndTheTableShowsIt) {
    catalogues();
    open_page();
    click(c().Button26);
    type_text(c().ecraft_ress_count, "4");
    pick(c().cbexcraftress, 1);
    click(c().Button27);
    craft().craft_skills = {{3, 5, 0}, {1, 2, 0}, {4, 1, 0}};
    click(c().cbcraftitemwith);
    pick(c().cbexuseitem, 1);
    click(c().cbobjectcraftnear);
    pick(c().cbexcraftobjuse, 2);
    click(c().rbcraftres);
    pick(c().cbexres_to_craft, 1);
    type_text(c().ecrafttime, "120");
    type_text(c().ecraftword, "abra");
    click(c().Button30);
    ASSERT_EQ(editor.world.crafts.size(), 1u);
    // Ingredients, tool, near object, product and its kind, time, skills, word.
    const Tcraft want{
        {{thing::item, 0, 1}, {thing::resource, 1, 4}}, 1, 2, 1, product::resource, 120, craft().craft_skills, "abra"};
    EXPECT_EQ(editor.world.crafts[0], want);

    // The next recipe keeps the lists: an object product without tool or
    // near object.
    click(c().cbcraftitemwith);
    click(c().cbobjectcraftnear);
    click(c().rbcraftobj);
    pick(c().cbexobj_to_craft, 2);
    craft().craft_skills.push_back({2, 9, 0});
    click(c().Button30);
    ASSERT_EQ(editor.world.crafts.size(), 2u);
    const Tcraft& second = editor.world.crafts[1];
    EXPECT_EQ(second.ingredients, want.ingredients);
    EXPECT_EQ(second.tool, -1);
    EXPECT_EQ(second.near_object, -1);
    EXPECT_EQ(second.product, 2);
    EXPECT_EQ(second.product_kind, product::object);
    EXPECT_EQ(second.skills.size(), 4u);

    // The texts, the row heights of three and four skills, the column widths.
    kit::StringGrid& g = c().sgcrafts;
    EXPECT_EQ(g.row_count(), 3);
    const std::vector<std::string> texts[] = {{"1", "", "coin", "120", "abra"}, {"2", "", "oven", "120", "abra"}};
    for (int r = 1; r <= 2; ++r)
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(g.cell(col, r), texts[r - 1][static_cast<std::size_t>(col)]) << col << ", " << r;
    EXPECT_EQ(g.row_height(1), 36);
    EXPECT_EQ(g.row_height(2), 48);
    // The ingredient column has room for the most ingredients of a recipe,
    // the skill column for every skill line.
    EXPECT_EQ(g.col_width(5), 64);
    EXPECT_GE(g.col_width(6), 48);
    EXPECT_GE(g.col_width(6), Canvas().text_width(skill_names[2] + " 9"));
    // The pictures: product, ingredients (the resource by its one-piece
    // picture), tool and near object.
    EXPECT_EQ(table_pixel(1, 1), frame_color(7));
    EXPECT_EQ(table_pixel(5, 1), frame_color(1));
    EXPECT_EQ(table_pixel(5, 1, 32 + 3, 3), frame_color(7));
    EXPECT_EQ(table_pixel(7, 1), frame_color(2));
    EXPECT_EQ(table_pixel(8, 1), frame_color(10 + 2));
    EXPECT_EQ(table_pixel(1, 2), frame_color(12));
    EXPECT_NE(table_pixel(7, 2), frame_color(2));  // "No"
}

// Recipes record an object by its template's own row; the table finds it by
// that row after an earlier template is deleted (the row follows it), and
// shows nothing for a row that names nothing.
TEST_F(CraftPage, TheTableLooksEveryRowUpChecked) {
    catalogues();
    Tcraft c1;
    c1.product = 2;
    c1.product_kind = product::object;
    c1.tool = -1;
    c1.near_object = 1;
    Tcraft c2;
    c2.product = 5;
    c2.product_kind = product::item;
    c2.tool = 9;
    c2.near_object = 0;
    c2.ingredients = {{thing::item, 7, 1}, {thing::resource, 9, 2}, {3, 0, 1}};
    c2.skills = {{99, 1, 0}};
    editor.world.crafts = {c1, c2};
    delete_pmapobject(0, editor.world);
    open_page();
    kit::StringGrid& g = c().sgcrafts;
    EXPECT_EQ(g.cell(2, 1), "oven");
    EXPECT_EQ(table_pixel(1, 1), frame_color(12));
    EXPECT_EQ(table_pixel(8, 1), frame_color(11));
    // Row 2 names nothing that exists: empty texts, no pictures.
    EXPECT_EQ(g.cell(2, 2), "");
    for (int col : {1, 5, 7, 8}) EXPECT_EQ(table_pixel(col, 2), clWhite) << col;
    EXPECT_EQ(g.col_width(5), 96);
}

// A template deleted on the objects page and another added there: the new one
// takes a row of its own, so a recipe making it names it in the table, and a
// recipe made before the deletion still names its own object.
TEST_F(CraftPage, TheTableNamesTheRecipesOwnObjectAfterDelAndAdd) {
    catalogues();
    setgrids();
    open_page();
    click(c().rbcraftobj);
    pick(c().cbexobj_to_craft, 2);  // oven
    click(c().Button30);

    pick_page(page_control(), page::objects);
    ::ObjectsPage& objects = EditorFixture::objects();
    press_cell(objects.sg_objects, 0, 0);  // anvil
    click(objects.Button7);
    ASSERT_EQ(editor.world.pmapobjects.size(), 2u);
    type_text(objects.eoname, "kiln");
    kit::user::scroll_to(tile_palette(), 0, 4);
    press_cell(tile_palette(), 1, 4);  // tile 13
    press_cell(objects.sg_object_tiles, 0, 0);
    click(objects.Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 3u);
    ASSERT_EQ(editor.world.pmapobjects[2].name, "kiln");

    open_page();
    click(c().rbcraftobj);
    pick(c().cbexobj_to_craft, 2);  // kiln
    click(c().Button30);
    ASSERT_EQ(editor.world.crafts.size(), 2u);
    kit::StringGrid& g = c().sgcrafts;
    EXPECT_EQ(g.cell(2, 1), "oven");
    EXPECT_EQ(g.cell(2, 2), "kiln");
    EXPECT_EQ(table_pixel(1, 2), frame_color(13));
    std::vector<int32_t> rows;
    for (const Tmapobject& o : editor.world.pmapobjects) rows.push_back(o.row);
    EXPECT_EQ(rows, (std::vector<int32_t>{0, 1, 2}));
}

TEST_F(CraftPage, DeleteKeyRemovesTheSelectedRecipe) {
    catalogues();
    open_page();
    press_delete_on(1);  // the empty table
    for (const char* word : {"a", "b", "c"}) {
        type_text(c().ecraftword, word);
        click(c().Button30);
    }
    press_delete_on(2);
    ASSERT_EQ(editor.world.crafts.size(), 2u);
    EXPECT_EQ(editor.world.crafts[1].word, "c");
    EXPECT_EQ(c().sgcrafts.row_count(), 3);
    EXPECT_EQ(c().sgcrafts.cell(4, 2), "c");
    kit::user::press_key(c().sgcrafts, 'X');
    EXPECT_EQ(editor.world.crafts.size(), 2u);
    press_delete_on(1);
    press_delete_on(1);
    EXPECT_TRUE(editor.world.crafts.empty());
    EXPECT_EQ(c().sgcrafts.row_count(), 2);
    for (int col = 0; col < 9; ++col) EXPECT_EQ(c().sgcrafts.cell(col, 1), "");
    press_delete_on(1);
    EXPECT_TRUE(modal_->errors.empty());
}

// A designer builds a recipe with every part, saves and opens the file again.
TEST_F(CraftPage, ARecipeSurvivesSaveAndReload) {
    catalogues();
    open_page();
    click(c().Button26);
    click(c().Button27);
    pick(c().cbskills, 6);
    click(c().Button28);
    click(c().cbcraftitemwith);
    click(c().cbobjectcraftnear);
    pick(c().cbexcraftobjuse, 1);
    type_text(c().ecraftword, "forged");
    click(c().Button30);
    ASSERT_EQ(editor.world.crafts.size(), 1u);
    const Tcraft want{{{thing::item, 0, 1}, {thing::resource, 0, 1}}, 0, 1, 0, product::item, 400, {{7, 1, 0}}, "forged"};
    EXPECT_EQ(editor.world.crafts[0], want);
    const TWorld saved = editor.world;
    const std::string file = dir_.file("craft.wld");
    save_as(file);
    // A world opened while the page is open shows in its pickers and table.
    TWorld bare;
    reset_world(bare);
    const std::string bare_file = dir_.file("bare.wld");
    save_world(bare_file, true, bare);
    open(bare_file);
    EXPECT_EQ(c().cbexitem_to_craft.count(), 0);
    EXPECT_EQ(c().sgcrafts.cell(4, 1), "");
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_EQ(editor.world.crafts, saved.crafts);
    // The open page shows the opened world.
    EXPECT_EQ(c().sgcrafts.cell(4, 1), "forged");
    EXPECT_EQ(c().sgcrafts.cell(2, 1), "sword");
}

}  // namespace
