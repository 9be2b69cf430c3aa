#include "mainwindow/page_craft.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/world_tables.h"
#include "model/tools.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>

namespace {

// The shared state, for the helpers of this file that belong to no page.
SharedState& editor = shared_state();

constexpr int number_width = 16;   // design width of the row number column
constexpr int skill_line = 12;     // pixels per required skill in the table
constexpr int picture_cell = 32;   // pixels per ingredient in the table
constexpr int text_inset = 10;     // counts and words stand this far into a cell

const TWorld& world() { return editor.world; }

// The object template a recorded row names: the first whose own row it is.
const Tmapobject* object_of_row(int32_t row) {
    if (row < 0) return nullptr;
    for (const Tmapobject& o : world().pmapobjects)
        if (o.row == row) return &o;
    return nullptr;
}

// The name and the picture (a tile frame, -1 none) of what a recipe makes.
std::string product_name(const Tcraft& c) {
    if (c.product_kind == product::object) {
        const Tmapobject* o = object_of_row(c.product);
        return o ? o->name : std::string();
    }
    if (c.product_kind == product::item) {
        const Tpitem* i = item_template(c.product);
        return i ? i->name : std::string();
    }
    if (c.product_kind == product::resource) {
        const Tpres* r = resource_template(c.product);
        return r ? r->name : std::string();
    }
    return {};
}

int64_t product_picture(const Tcraft& c) {
    if (c.product_kind == product::object) {
        const Tmapobject* o = object_of_row(c.product);
        return o ? first_frame(o->frames) : -1;
    }
    if (c.product_kind == product::item) {
        const Tpitem* i = item_template(c.product);
        return i ? i->image : -1;
    }
    if (c.product_kind == product::resource) {
        const Tpres* r = resource_template(c.product);
        return r ? r->image_one : -1;
    }
    return -1;
}

// What the table writes over a product's name: its kind and its name.
std::string product_text(const Tcraft& c) {
    const char* kind = c.product_kind == product::object     ? "Object"
                       : c.product_kind == product::item     ? "item"
                       : c.product_kind == product::resource ? "res"
                                                             : "";
    return std::string(kind) + " " + product_name(c);
}

// Draws tile frame number unscaled with its top-left corner at (x, y); a
// number that names no frame draws nothing.
void draw_frame_at(Canvas& canvas, int x, int y, int64_t number) {
    if (const Bitmap* frame = tile_frame(editor.tile_frames, number)) canvas.draw(x, y, *frame);
}

// One line of the required skills list and of the table: name, blank, level.
std::string skill_line_text(const Tskill& s) {
    return vocabulary_word(skill_names, s.number) + " " + std::to_string(s.value);
}

// The catalogue row a picker's chosen entry stands for; refused with message
// when there is none (an empty catalogue) or it names no entry any more.
int32_t chosen_row(const kit::ComboBox& picker, std::size_t count, const char* message) {
    const int i = picker.item_index();
    if (i < 0 || static_cast<std::size_t>(i) >= count) throw EditorError(message);
    return i;
}

// The object row a picker's chosen object template records.
int32_t chosen_object(const kit::ComboBox& picker, const char* message) {
    const auto i = chosen_row(picker, world().pmapobjects.size(), message);
    return world().pmapobjects[static_cast<std::size_t>(i)].row;
}

}  // namespace

CraftPage::CraftPage(PageHost& host) : host(host), editor(host.state()), craft_page(host.page_control(), "Craft") {
    craft_page.name = "craft_page";
    host.window().lay_out({
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
    kit::caption(host.window(), craft_page, "<- Click to remove", 410, 8);
    kit::note(host.window(), craft_page, "<-Select row and press DEL to remove Craft", {776, 440, 130, 60});
    // The pickers show a picture per entry: 32 pixels for items and resources, 64 for objects.
    for (kit::ComboBox* picker : {&cbexcraftress, &cbexres_to_craft}) picker->set_images(&il_cr_res);
    for (kit::ComboBox* picker : {&cbexcraftitem, &cbexuseitem, &cbexitem_to_craft}) picker->set_images(&il_it_cr);
    for (kit::ComboBox* picker : {&cbexcraftobjuse, &cbexobj_to_craft}) picker->set_images(&il_cr_obj);
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

    Button26.on_click = [this] { Button26Click(); };
    Button27.on_click = [this] { Button27Click(); };
    sgcraftress.on_select_cell = [this](int col, int row, bool&) { sgcraftressSelectCell(col, row); };
    sgcraftress.on_draw_cell = [this](int col, int row, kit::Rect rect, kit::GridDrawState) {
        sgcraftressDrawCell(col, row, rect);
    };
    Button28.on_click = [this] { Button28Click(); };
    Button29.on_click = [this] { Button29Click(); };
    Button30.on_click = [this] { Button30Click(); };
    sgcrafts.on_draw_cell = [this](int col, int row, kit::Rect rect, kit::GridDrawState) {
        sgcraftsDrawCell(col, row, rect);
    };
    sgcrafts.on_key_down = [this](int& key, kit::ShiftState shift) { sgcraftsKeyDown(key, shift); };
}

void CraftPage::start() {
    kit::fill(cbskills, TStrings(skill_names.begin() + 1, skill_names.begin() + 33));
    sgcrafts.set_row_height(0, 16);
    sgcrafts.set_col_width(0, number_width);
}

void CraftPage::shown() {
    fill_pickers();
    fill_skills();
    sgcraftress.set_row_count(static_cast<int>(craft_ingredients.size()) + 1);
    sgcraftress.refresh();
    refresh_craft_table();
    sgcrafts.refresh();
}

// ---- pickers

void CraftPage::fill_pickers() {
    const TWorld& w = world();
    const auto frame = [this](int64_t number) {
        const Bitmap* f = tile_frame(editor.tile_frames, number);
        return f ? *f : Bitmap();  // no frame: the list's white picture
    };
    // Each entry stands for the catalogue row of its position and shows picture
    // number position of its list, cut to the list's size.
    const auto fill = [](std::initializer_list<kit::ComboBox*> pickers, kit::ImageList& images, std::size_t count,
                         const auto& name, const auto& picture) {
        images.clear();
        for (kit::ComboBox* p : pickers) p->clear();
        for (std::size_t row = 0; row < count; ++row) {
            const int image = images.add(picture(row));
            for (kit::ComboBox* p : pickers) p->add_item(name(row), image, static_cast<int>(row));
        }
        for (kit::ComboBox* p : pickers) p->set_item_index(0);  // nothing when the catalogue is empty
    };
    fill(
        {&cbexcraftress, &cbexres_to_craft}, il_cr_res, w.presources.size(),
        [&w](std::size_t r) { return w.presources[r].name; },
        [&](std::size_t r) { return frame(w.presources[r].image_one); });
    fill(
        {&cbexcraftitem, &cbexuseitem, &cbexitem_to_craft}, il_it_cr, w.pitems.size(),
        [&w](std::size_t r) { return w.pitems[r].name; }, [&](std::size_t r) { return frame(w.pitems[r].image); });
    fill(
        {&cbexcraftobjuse, &cbexobj_to_craft}, il_cr_obj, w.pmapobjects.size(),
        [&w](std::size_t r) { return w.pmapobjects[r].name; },
        [&](std::size_t r) { return frame(first_frame(w.pmapobjects[r].frames)); });
}

void CraftPage::fill_skills() {
    lbcraftskills.clear();
    for (const Tskill& s : craft_skills) lbcraftskills.add(skill_line_text(s));
}

// ---- ingredients

void CraftPage::add_ingredient(int32_t kind, const kit::ComboBox& picker, const kit::Edit& count_field) {
    const int i = picker.item_index();
    if (i < 0) return;
    const bool exists = kind == thing::item ? item_template(i) != nullptr : resource_template(i) != nullptr;
    if (!exists) throw EditorError("The list shows a catalogue that has changed: open the Craft page again");
    const int32_t count = str_to_int(count_field.text());
    Tinvitem entry;
    make_invitem(kind, i, count, entry);
    craft_ingredients.push_back(entry);
    sgcraftress.set_row_count(static_cast<int>(craft_ingredients.size()) + 1);
    sgcraftress.refresh();
}

void CraftPage::Button26Click() { add_ingredient(thing::item, cbexcraftitem, ecraft_item_count); }
void CraftPage::Button27Click() { add_ingredient(thing::resource, cbexcraftress, ecraft_ress_count); }

void CraftPage::sgcraftressSelectCell(int, int row) {
    if (!entry_at(craft_ingredients, row)) return;
    delete_invitem(row, craft_ingredients);
    sgcraftress.refresh();
}

void CraftPage::sgcraftressDrawCell(int, int row, kit::Rect rect) {
    const Tinvitem* e = entry_at(craft_ingredients, row);
    if (!e) return;
    Canvas& canvas = sgcraftress.canvas();
    if (e->kind == thing::item) {
        if (const Tpitem* item = item_template(e->index)) draw_frame_at(canvas, rect.left, rect.top, item->image);
    } else if (e->kind == thing::resource) {
        // None or fewer pieces show only the count.
        if (const Tpres* r = resource_template(e->index)) draw_pieces(canvas, rect.left, rect.top, *r, e->count);
    }
    canvas.text_out(rect.left + text_inset, rect.top + text_inset, std::to_string(e->count));
}

// ---- required skills

void CraftPage::Button28Click() {
    // An editable list: a typed text that names no skill chooses none.
    const int i = cbskills.item_index();
    if (i < 0) throw EditorError("Choose a skill from the list");
    Tskill s;
    s.number = i + 1;
    s.value = str_to_int(eskilllevel.text());
    craft_skills.push_back(s);
    fill_skills();
}

void CraftPage::Button29Click() {
    const int i = lbcraftskills.item_index();
    if (!entry_at(craft_skills, i)) return;
    delete_skill(i, craft_skills);
    fill_skills();
}

// ---- recipes

void CraftPage::Button30Click() {
    // Every part first: a refused one appends nothing.
    const TWorld& w = world();
    check_rows(craft_ingredients, "An ingredient", "click it to remove it");
    Tcraft c;
    c.ingredients = craft_ingredients;
    c.tool = cbcraftitemwith.checked()
                 ? chosen_row(cbexuseitem, w.pitems.size(), "Choose the item to craft with")
                 : -1;
    c.near_object = cbobjectcraftnear.checked() ? chosen_object(cbexcraftobjuse, "Choose the object to craft near") : -1;
    if (rbcraftobj.checked()) {
        c.product = chosen_object(cbexobj_to_craft, "Choose the object to craft");
        c.product_kind = product::object;
    } else if (rbcraftitem.checked()) {
        c.product = chosen_row(cbexitem_to_craft, w.pitems.size(), "Choose the item to craft");
        c.product_kind = product::item;
    } else {
        c.product = chosen_row(cbexres_to_craft, w.presources.size(), "Choose the resource to craft");
        c.product_kind = product::resource;
    }
    c.time = str_to_int(ecrafttime.text());
    c.word = ecraftword.text();
    c.skills = craft_skills;
    editor.world.crafts.push_back(std::move(c));
    refresh_craft_table();
    sgcrafts.refresh();
}

void CraftPage::refresh_craft_table() {
    const Tcrafts& crafts = world().crafts;
    sgcrafts.set_col_count(9);
    const char* headers[] = {number_header, "produce img", "produce name", "time",      "word",
                             "resources",   "skill(s)",    "item use",     "object use"};
    for (int c = 0; c < 9; ++c) sgcrafts.set_cell(c, 0, headers[c]);
    sgcrafts.set_row_count(std::max<int>(static_cast<int>(crafts.size()) + 1, 2));
    for (int c = 0; c < 9; ++c) sgcrafts.set_cell(c, 1, "");
    std::size_t widest = 1;
    LongestTexts longest(9);
    for (std::size_t i = 0; i < crafts.size(); ++i) {
        const Tcraft& craft = crafts[i];
        const int r = static_cast<int>(i) + 1;
        const std::string name = product_name(craft), time = std::to_string(craft.time);
        sgcrafts.set_cell(0, r, std::to_string(r));
        sgcrafts.set_cell(2, r, name);
        sgcrafts.set_cell(3, r, time);
        sgcrafts.set_cell(4, r, craft.word);
        if (craft.skills.size() > 2) sgcrafts.set_row_height(r, skill_line * static_cast<int>(craft.skills.size()));
        widest = std::max(widest, craft.ingredients.size());
        longest.note(2, product_text(craft));
        longest.note(3, time);
        longest.note(4, craft.word);
        for (const Tskill& s : craft.skills) longest.note(6, skill_line_text(s));
    }
    // The design widths of the ingredient and skill columns, or more where a
    // header or a text needs it; the others as wide as their headers and texts.
    fit_number_column(sgcrafts, number_width, crafts.size());
    const int width = sgcrafts.default_col_width();
    for (int c : {1, 7, 8}) fit_column(sgcrafts, c, width, {headers[c]});
    fit_column(sgcrafts, 2, width, {headers[2]});
    fit_column(sgcrafts, 2, sgcrafts.col_width(2), {longest[2]}, text_inset);
    for (int c : {3, 4}) fit_column(sgcrafts, c, width, {headers[c], longest[static_cast<std::size_t>(c)]});
    fit_column(sgcrafts, 5, picture_cell * static_cast<int>(widest), {headers[5]});
    fit_column(sgcrafts, 6, 48, {headers[6], longest[6]}, 0);
}

void CraftPage::sgcraftsDrawCell(int col, int row, kit::Rect rect) {
    const Tcraft* craft = entry_at(world().crafts, row - 1);
    if (row < 1 || !craft) return;
    Canvas& canvas = sgcrafts.canvas();
    const int x = rect.left, y = rect.top;
    switch (col) {
    case 1: draw_frame_at(canvas, x, y, product_picture(*craft)); break;
    case 2:
        // What kind of thing and its name, over the name the grid wrote; one
        // line, which the lowest rows (36 pixels) still show whole.
        canvas.fill_rect(x, y, rect.right(), rect.bottom());
        canvas.text_out(x + text_inset, y + text_inset, product_text(*craft));
        break;
    case 5:
        for (std::size_t k = 0; k < craft->ingredients.size(); ++k) {
            const Tinvitem& e = craft->ingredients[k];
            const int left = x + picture_cell * static_cast<int>(k);
            if (e.kind == thing::item) {
                if (const Tpitem* item = item_template(e.index)) draw_frame_at(canvas, left, y, item->image);
            } else if (e.kind == thing::resource) {
                if (const Tpres* r = resource_template(e.index)) draw_frame_at(canvas, left, y, r->image_one);
                canvas.text_out(left + text_inset, y + text_inset, std::to_string(e.count));
            }
        }
        break;
    case 6:
        for (std::size_t k = 0; k < craft->skills.size(); ++k)
            canvas.text_out(x, y + skill_line * static_cast<int>(k), skill_line_text(craft->skills[k]));
        break;
    case 7:
        if (craft->tool == -1) canvas.text_out(x + text_inset, y + text_inset, "No");
        else if (const Tpitem* item = item_template(craft->tool)) draw_frame_at(canvas, x, y, item->image);
        break;
    case 8:
        if (craft->near_object == -1) canvas.text_out(x + text_inset, y + text_inset, "No");
        else if (const Tmapobject* o = object_of_row(craft->near_object))
            draw_frame_at(canvas, x, y, first_frame(o->frames));
        break;
    default: break;
    }
}

void CraftPage::sgcraftsKeyDown(int& key, kit::ShiftState) {
    if (key != kit::keys::del) return;
    const int t = sgcrafts.selection().top;
    if (t < 1 || t > static_cast<int>(world().crafts.size())) return;
    delete_craft(t - 1, editor.world.crafts);
    refresh_craft_table();
    sgcrafts.refresh();
}

void CraftPage::world_replaced(bool is_shown) {
    // Open now, it shows the opened world, so that its pickers and the rows
    // its Delete key removes are the ones on screen.
    if (is_shown) shown();
}
