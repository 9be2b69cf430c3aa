#include "mainwindow/page_items.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/resource_pickers.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <limits>

namespace {

// The shared state, for the helpers of this file that belong to no page.
SharedState& editor = shared_state();

// A number typed for a field kept in 16 bits: outside 0..65535 it is refused
// rather than stored wrapped.
uint16_t to_u16(const kit::Edit& edit) {
    return static_cast<uint16_t>(
        refuse_outside(edit.text(), str_to_int(edit.text()), 0, std::numeric_limits<uint16_t>::max(), "the range "));
}

// The 32-bit numbers of an item and the fields that show them, in design order.
const std::pair<kit::Edit ItemsPage::*, int32_t Tpitem::*> number_fields[] = {
    {&ItemsPage::e_pitem_HP, &Tpitem::hp},        {&ItemsPage::e_pitem_weight, &Tpitem::weight},
    {&ItemsPage::e_pitem_value, &Tpitem::value},  {&ItemsPage::e_pitem_arm1, &Tpitem::arm1},
    {&ItemsPage::e_pitem_arm2, &Tpitem::arm2},    {&ItemsPage::e_pitem_arm3, &Tpitem::arm3},
    {&ItemsPage::e_pitem_dem1, &Tpitem::dem1},    {&ItemsPage::e_pitem_dem2, &Tpitem::dem2},
    {&ItemsPage::e_pitem_dem3, &Tpitem::dem3},    {&ItemsPage::e_pitem_a, &Tpitem::a},
    {&ItemsPage::e_pitem_b, &Tpitem::b},          {&ItemsPage::e_pitem_c, &Tpitem::c},
    {&ItemsPage::e_pitem_attak, &Tpitem::attack}, {&ItemsPage::e_pitem_defence, &Tpitem::defence},
    {&ItemsPage::e_pitem_block, &Tpitem::block},  {&ItemsPage::e_pitem_cover, &Tpitem::cover},
    {&ItemsPage::e_pitem_skov, &Tpitem::skov},    {&ItemsPage::e_pitem_penalty, &Tpitem::penalty}};

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
    cb_pitem_class.set_item_index(item.item_class);  // a class outside the list shows none
    e_pitem_name.set_text(item.name);
    m_pitem_title.set_text(item.title);
    for (const auto& [edit, field] : number_fields) (this->*edit).set_text(std::to_string(item.*field));
    e_pitem_hands.set_text(std::to_string(item.hands));
    // The item's picture becomes the current tile; one that names no tile leaves the picture blank.
    editor.cur_tile = item.image;
    show_frame(ipitem, item.image);
}

void ItemsPage::read_fields(Tpitem& item) const {
    const int32_t item_class = cb_pitem_class.item_index();
    if (item_class < 0) throw EditorError("Select the class!");
    item.item_class = item_class;
    item.name = e_pitem_name.text();
    item.title = m_pitem_title.text();
    for (const auto& [edit, field] : number_fields) item.*field = str_to_int((this->*edit).text());
    item.hands = to_u16(e_pitem_hands);
}

bool ItemsPage::picture_picked() const {
    if (tile_frame(editor.tile_frames, editor.cur_tile)) return true;
    modal().message("Select the image!");
    return false;
}

void ItemsPage::Button10Click() {
    if (!picture_picked()) return;
    Tpitem item;
    read_fields(item);
    const int32_t load = str_to_int(e_pitem_load.text());
    if (load < 0) throw RangeError();
    // A revolver gets one contents entry per chamber at once.
    if (item.item_class == item_class::revolver && load > max_chambers)
        throw EditorError("A revolver may have at most " + std::to_string(max_chambers) + " chambers");

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
    item.load = load;
    item.children = resource_rows::existing_rows(editor.item_children);
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
    Tpitem edited = item;
    read_fields(edited);
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
    const int row = resource_rows::picked_row(cbexpress2);
    const Tpres* res = resource_template(row);
    if (!res) return;
    const int32_t k = res->kind;
    if (k != resource_kind::ammo && k != resource_kind::clip && k != resource_kind::cell) {
        modal().message("ammo clips and cells only");
        return;
    }
    if (resource_rows::add_child(row, editor.item_children)) update_ichildren_list();
}

void ItemsPage::Button19Click() {
    if (resource_rows::remove_child(lb_pitem_children, editor.item_children)) update_ichildren_list();
}

void ItemsPage::update_ichildren_list() { resource_rows::list_names(lb_pitem_children, editor.item_children); }

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
