#include "mainwindow/page_items.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "mainwindow/resource_pickers.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <string>
#include <vector>

namespace {

// The shared state, for the helpers of this file that belong to no page.
SharedState& editor = shared_state();

// The page's controls for an item template's fields, in the order ADD and
// "<- EDIT" read them; an empty text counts as 0. Only ADD reads the load (it
// is never loaded into the form): below 0 it names no capacity, and a
// revolver has one chamber for each.
fields::Form<Tpitem> item_form(ItemsPage& p, bool with_load) {
    using Form = fields::Form<Tpitem>;
    std::vector<Form::Entry> entries{
        {"class", &p.cb_pitem_class},   {"name", &p.e_pitem_name},       {"title", &p.m_pitem_title},
        {"hp", &p.e_pitem_HP},          {"weight", &p.e_pitem_weight},   {"value", &p.e_pitem_value},
        {"arm1", &p.e_pitem_arm1},      {"arm2", &p.e_pitem_arm2},       {"arm3", &p.e_pitem_arm3},
        {"dem1", &p.e_pitem_dem1},      {"dem2", &p.e_pitem_dem2},       {"dem3", &p.e_pitem_dem3},
        {"a", &p.e_pitem_a},            {"b", &p.e_pitem_b},             {"c", &p.e_pitem_c},
        {"attack", &p.e_pitem_attak},   {"defence", &p.e_pitem_defence}, {"block", &p.e_pitem_block},
        {"cover", &p.e_pitem_cover},    {"skov", &p.e_pitem_skov},       {"penalty", &p.e_pitem_penalty},
        {"hands", &p.e_pitem_hands},
    };
    if (with_load) {
        const auto load_rule = [](const Tpitem& read, const std::string&, int32_t load) {
            if (load < 0) throw RangeError();
            if (read.item_class == item_class::revolver && load > max_chambers)
                throw EditorError("A revolver may have at most " + std::to_string(max_chambers) + " chambers");
            return load;
        };
        entries.push_back({"load", &p.e_pitem_load, load_rule});
    }
    return Form(item_fields(), {true, "the range "}, entries);
}

// Whether a resource row is in the allowed list and still names a template.
bool allowed(int32_t row) { return int_array_find(row, editor.item_children) >= 0 && resource_template(row); }

}  // namespace

ItemsPage::ItemsPage(PageHost& host) : host(host), editor(host.state()), items(host.page_control(), "items") {
    items.name = "items";
    host.window().lay_out({
        {ipitem, "ipitem", 8, 8, 32, 32},
        {cb_pitem_class, "cb_pitem_class", 52, 20, 170, 22, "class", 52, 4},
        {e_pitem_name, "e_pitem_name", 52, 46, 170, 22, "name", 8, 50},
        {e_pitem_HP, "e_pitem_HP", 60, 76, 60, 22, "HP", 8, 80},
        {e_pitem_weight, "e_pitem_weight", 60, 102, 60, 22, "weight", 8, 106},
        {e_pitem_volume, "e_pitem_volume", 60, 128, 60, 22, "volume", 8, 132},
        {e_pitem_load, "e_pitem_load", 60, 154, 60, 22, "load", 8, 158},
        {e_pitem_value, "e_pitem_value", 60, 180, 60, 22, "value", 8, 184},
        {e_pitem_hands, "e_pitem_hands", 60, 206, 60, 22, "hands", 8, 210},
        {e_pitem_dem1, "e_pitem_dem1", 170, 76, 52, 22, "dem1", 132, 80},
        {e_pitem_dem2, "e_pitem_dem2", 170, 102, 52, 22, "dem2", 132, 106},
        {e_pitem_dem3, "e_pitem_dem3", 170, 128, 52, 22, "dem3", 132, 132},
        {e_pitem_arm1, "e_pitem_arm1", 170, 154, 52, 22, "arm1", 132, 158},
        {e_pitem_arm2, "e_pitem_arm2", 170, 180, 52, 22, "arm2", 132, 184},
        {e_pitem_arm3, "e_pitem_arm3", 170, 206, 52, 22, "arm3", 132, 210},
        {gb_pitem_bow, "gb_pitem_bow", 240, 4, 128, 100},
        {e_pitem_a, "e_pitem_a", 62, 18, 56, 22, "a", 8, 22},
        {e_pitem_b, "e_pitem_b", 62, 43, 56, 22, "b", 8, 47},
        {e_pitem_c, "e_pitem_c", 62, 68, 56, 22, "c", 8, 72},
        {gb_pitem_fight, "gb_pitem_fight", 374, 4, 128, 100},
        {e_pitem_attak, "e_pitem_attak", 62, 18, 56, 22, "attak", 8, 22},
        {e_pitem_defence, "e_pitem_defence", 62, 43, 56, 22, "defence", 8, 47},
        {e_pitem_block, "e_pitem_block", 62, 68, 56, 22, "block", 8, 72},
        {gb_pitem_armour, "gb_pitem_armour", 508, 4, 128, 100},
        {e_pitem_cover, "e_pitem_cover", 62, 18, 56, 22, "cover", 8, 22},
        {e_pitem_skov, "e_pitem_skov", 62, 43, 56, 22, "skov", 8, 47},
        {e_pitem_penalty, "e_pitem_penalty", 62, 68, 56, 22, "penalty", 8, 72},
        {m_pitem_title, "m_pitem_title", 240, 166, 396, 70, "descr", 240, 150},
        {cbexpress2, "cbexpress2", 8, 262, 214, 36, "AMMO", 8, 246},
        {Button18, "Button18", 230, 266, 200, 26},
        {lb_pitem_children, "lb_pitem_children", 8, 306, 214, 150},
        {Button19, "Button19", 230, 306, 120, 26},
        {Button10, "Button10", 8, 470, 80, 26},
        {Button11, "Button11", 94, 470, 80, 26},
        {Button12, "Button12", 180, 470, 80, 26},
        {Button24, "Button24", 266, 470, 90, 26},
        {sg_pitems, "sg_pitems", 660, 8, kit::cell_grid_width(3, 32), 620},
    });
    kit::note(host.window(), items,
              "bow: a - min str, b - quality (0-1000), c- max str. result power of shot = str^(b/1000)",
              {240, 110, 396, 34});
    cbexpress2.set_item_height(32);
    cbexpress2.set_drop_down_count(16);
    Button12.set_hint("not available now");
    kit::cell_grid(sg_pitems, 3, 32, 32);
    bind_pictures(
        sg_pitems, editor.world.pitems, [](const Tpitem& i) { return i.image; },
        [this](int e) { sg_pitemsSelectCell(e); });

    Button10.on_click = [this] { Button10Click(); };
    Button11.on_click = [this] { Button11Click(); };
    Button12.on_click = [this] { Button12Click(); };
    Button18.on_click = [this] { Button18Click(); };
    Button19.on_click = [this] { Button19Click(); };
    Button24.on_click = [this] { Button24Click(); };
}

void ItemsPage::start() {
    kit::fill(cb_pitem_class, item_classes);
    for (kit::Edit* edit :
         {&e_pitem_name,  &e_pitem_HP,    &e_pitem_weight, &e_pitem_value,  &e_pitem_volume, &e_pitem_load,
          &e_pitem_hands, &e_pitem_dem1,  &e_pitem_dem2,   &e_pitem_dem3,   &e_pitem_arm1,   &e_pitem_arm2,
          &e_pitem_arm3,  &e_pitem_a,     &e_pitem_b,      &e_pitem_c,      &e_pitem_attak,  &e_pitem_defence,
          &e_pitem_block, &e_pitem_cover, &e_pitem_skov,   &e_pitem_penalty})
        edit->set_text("");
    m_pitem_title.clear();
    if (const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile)) ipitem.draw(0, 0, *tile);
}

void ItemsPage::shown() {}

// ---- the catalogue

void ItemsPage::sg_pitemsSelectCell(int e) {
    if (!entry_at(editor.world.pitems, e)) return;
    const Tpitem& item = editor.world.pitems[static_cast<std::size_t>(e)];
    editor.cur_item = e;
    item_form(*this, false).load(&item);  // a class outside the list shows none
    // The item's picture becomes the current tile; one that names no tile leaves the picture blank.
    editor.cur_tile = item.image;
    show_frame(ipitem, item.image);
}

bool ItemsPage::picture_picked() const {
    if (tile_frame(editor.tile_frames, editor.cur_tile)) return true;
    modal().message("Select the image!");
    return false;
}

void ItemsPage::Button10Click() {
    if (!picture_picked()) return;
    Tpitem item = item_form(*this, true).read(Tpitem{});
    const int32_t load = item.load;

    // The default contents: only allowed rows, at most "load" of them; a
    // revolver has exactly one entry per chamber, -1 for an empty one.
    tintarray contents;
    const tintarray& composed = editor.item_contents;
    if (item.item_class == item_class::revolver) {
        for (int32_t j = 0; j < load; ++j) {
            const auto at = static_cast<std::size_t>(j);
            contents.push_back(at < composed.size() && allowed(composed[at]) ? composed[at] : -1);
        }
    } else {
        for (const int32_t v : composed)
            if (allowed(v)) contents.push_back(v);
    }
    if (static_cast<int64_t>(contents.size()) > load) contents.resize(static_cast<std::size_t>(load));
    // A clip that is no longer allowed is dropped, from the buffer as well.
    if (editor.item_ammo >= 0 && !allowed(editor.item_ammo)) editor.item_ammo = -1;

    item.image = editor.cur_tile;
    item.children = page_resource_rows::existing_rows(editor.item_children);
    item.contents = std::move(contents);
    item.clip = editor.item_ammo;
    editor.world.pitems.push_back(std::move(item));

    sg_pitems.refresh();
    host.setgrids();
}

void ItemsPage::Button11Click() {
    if (!entry_at(editor.world.pitems, editor.cur_item)) return;
    if (!picture_picked()) return;
    Tpitem& item = editor.world.pitems[static_cast<std::size_t>(editor.cur_item)];
    Tpitem edited = item_form(*this, false).read(item);
    edited.image = editor.cur_tile;
    item = std::move(edited);
    sg_pitems.refresh();
    host.catalogue_changed(Catalogue::items, editor.cur_item);
}

void ItemsPage::Button12Click() { host.setgrids(); }

void ItemsPage::Button24Click() { host.open_secondary(editor.Form6); }

// ---- the allowed ammunition

void ItemsPage::Button18Click() {
    if (cbexpress2.item_index() < 0) return;
    const int row = page_resource_rows::picked_row(cbexpress2);
    const Tpres* res = resource_template(row);
    if (!res) return;
    const int32_t k = res->kind;
    if (k != resource_kind::ammo && k != resource_kind::clip && k != resource_kind::cell) {
        modal().message("ammo clips and cells only");
        return;
    }
    if (page_resource_rows::add_child(row, editor.item_children)) update_ichildren_list();
}

void ItemsPage::Button19Click() {
    if (page_resource_rows::remove_child(lb_pitem_children, editor.item_children)) update_ichildren_list();
}

void ItemsPage::update_ichildren_list() { page_resource_rows::list_names(lb_pitem_children, editor.item_children); }

void ItemsPage::size_grids() {
    sg_pitems.set_row_count(picture_rows(editor.world.pitems.size()));
    ammo_picker.refill();
    update_ichildren_list();
}

void ItemsPage::catalogue_changed(Catalogue catalogue, int row) {
    // A resource edited: its entry in the ammunition picker and its name in
    // the allowed list follow.
    if (catalogue == Catalogue::resources && row >= 0 && ammo_picker.update_entry(row)) update_ichildren_list();
}

void ItemsPage::tile_picked(int n) {
    if (const Bitmap* tile = tile_frame(editor.tile_frames, n)) ipitem.draw(0, 0, *tile);
}
