#include "mainwindow/page_resources.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

using namespace page_resource_rows;

namespace {

// The page's controls for a resource template's fields, in the order ADD and
// "<- EDIT" read them: the numbers first, then the kind ("Select the type!"
// when none is chosen); an empty text counts as 0.
fields::Form<Tpres> resource_form(ResourcesPage& p) {
    return fields::Form<Tpres>(resource_fields(), {true, ""},
                               {
                                   {"weight", &p.epresweight},
                                   {"value", &p.epresvalue},
                                   {"power", &p.eprespower},
                                   {"kind", &p.cbprestype},
                                   {"name", &p.epresname},
                                   {"title", &p.mprestitle},
                               });
}

}  // namespace

ResourcesPage::ResourcesPage(PageHost& host)
    : host(host), editor(host.state()), resources_page(host.page_control(), "resources") {
    resources_page.name = "resources_page";
    host.window().lay_out({
        {epresname, "epresname", 108, 8, 142, 22, "name", 8, 12},
        {cbprestype, "cbprestype", 108, 36, 142, 22, "type", 8, 40},
        {epresvalue, "epresvalue", 108, 64, 70, 22, "value", 8, 68},
        {epresweight, "epresweight", 108, 92, 70, 22, "weight", 8, 96},
        {eprespower, "eprespower", 108, 120, 70, 22, "power/volume", 8, 124},
        {mprestitle, "mprestitle", 8, 168, 242, 80, "title", 8, 152},
        {ipres1, "ipres1", 270, 24, 32, 32, "one", 270, 8},
        {ipres2, "ipres2", 320, 24, 32, 32, "many", 320, 8},
        {Button13, "Button13", 270, 70, 80, 26},
        {Button15, "Button15", 356, 70, 80, 26},
        {Button16, "Button16", 442, 70, 80, 26},
        {Button25, "Button25", 528, 70, 80, 26},
        {cbexpress, "cbexpress", 270, 126, 200, 36, "AMMO", 270, 110},
        {Button20, "Button20", 478, 130, 70, 26},
        {lbpreschidren, "lbpreschidren", 270, 168, 200, 120},
        {Button21, "Button21", 478, 168, 70, 26},
        {cbexpress3, "cbexpress3", 8, 278, 242, 36, "filling", 8, 262},
        {sg_presources, "sg_presources", 660, 8, kit::cell_grid_width(3, 32), 620},
    });
    kit::note(host.window(), resources_page,
              "click on the title, then click on the rect for image of one peace of resource or rect for image of "
              "many peces",
              {370, 8, 270, 50});
    kit::note(host.window(), resources_page,
              "Try not to  create many clips or vials the same  but with different ammo or filling inside. Better  "
              "to  change filling by editing. Or change it  for created item on map. The same is for items and NPC "
              "and actualy for all the data.",
              {8, 330, 540, 50});
    cbexpress.set_drop_down_count(16);
    cbexpress3.set_drop_down_count(16);
    kit::cell_grid(sg_presources, 3, 32, 32);
    bind_pictures(
        sg_presources, editor.world.presources, [](const Tpres& r) { return r.image_one; },
        [this](int e) { sg_presourcesSelectCell(e); });

    ipres1.on_click = [this] { ipres1Click(); };
    ipres2.on_click = [this] { ipres2Click(); };
    Button13.on_click = [this] { Button13Click(); };
    Button15.on_click = [this] { Button15Click(); };
    Button25.on_click = [this] { Button25Click(); };
    Button20.on_click = [this] { Button20Click(); };
    Button21.on_click = [this] { Button21Click(); };
}

void ResourcesPage::start() {
    kit::fill(cbprestype, resource_kinds);
    epresname.set_text("newres");
    epresvalue.set_text("1");
    eprespower.set_text("0");
    epresweight.set_text("0");
    res_image_one = -1;
    res_image_many = -1;
    editor.cur_resource = -1;
    for (kit::Image* image : {&ipres1, &ipres2}) image->draw(0, 0, editor.blank_bitmap32);
}

void ResourcesPage::shown() {}

// ---- pictures

void ResourcesPage::ipres1Click() { take_current_tile(res_image_one, ipres1); }

void ResourcesPage::ipres2Click() { take_current_tile(res_image_many, ipres2); }

void ResourcesPage::draw_pictures() {
    show_frame(ipres1, res_image_one);
    show_frame(ipres2, res_image_many);
}

bool ResourcesPage::pictures_picked() const {
    if (tile_frame(editor.tile_frames, res_image_one) && tile_frame(editor.tile_frames, res_image_many)) return true;
    modal().message("Select both images!");
    return false;
}

// ---- the catalogue

void ResourcesPage::sg_presourcesSelectCell(int e) {
    const Tpres* res = resource_template(e);
    if (!res) return;
    editor.cur_resource = e;
    resource_form(*this).load(res);  // a kind outside the list shows none
    res_image_one = res->image_one;
    res_image_many = res->image_many;
    draw_pictures();

    // A filled vial shows its filling; when no picker entry stands for it the
    // choice stays as it was.
    if (res->kind == resource_kind::vial && res->filling.index != -1 && res->filling.count >= 1) {
        for (int i = 1; i < cbexpress3.count(); ++i)
            if (cbexpress3.item_data(i) == res->filling.index) {
                cbexpress3.set_item_index(i);
                break;
            }
    } else {
        cbexpress3.set_item_index(0);
    }
}

void ResourcesPage::write_fields(Tpres& res, int32_t row) {
    resource_form(*this).save(res, [](const Tpres& read) {
        // The power is the number of contents a template keeps; below 0 it names no length.
        if (read.power < 0) throw EditorError("A resource's power/volume must not be negative");
        return true;
    });
    res.row = row;
    res.image_one = res_image_one;
    res.image_many = res_image_many;
    res.amount = 1;
    res.children = existing_rows(editor.res_children);
    res.holder_item = -1;
    res.holder_resource = -1;
}

void ResourcesPage::fill_vial(Tpres& res) const {
    if (res.kind != resource_kind::vial) return;
    res.contents.clear();
    const int row = picked_row(cbexpress3);
    const Tpres* filling = resource_template(row);
    if (filling && fills_vials(filling->kind)) make_invitem(thing::resource, row, res.power, res.filling);
}

void ResourcesPage::Button13Click() {
    if (!pictures_picked()) return;
    Tpres res;
    res.filling.index = -1;
    write_fields(res, static_cast<int32_t>(editor.world.presources.size()));

    // The default contents: only allowed rows, in the order composed, at most
    // "power" of them; without allowed rows none.
    if (!res.children.empty()) {
        for (const int32_t v : existing_rows(editor.res_contents))
            if (int_array_find(v, res.children) >= 0) res.contents.push_back(v);
        if (static_cast<int64_t>(res.contents.size()) > res.power)
            res.contents.resize(static_cast<std::size_t>(res.power));
    }
    fill_vial(res);
    editor.world.presources.push_back(std::move(res));

    sg_presources.refresh();
    host.setgrids();
}

void ResourcesPage::Button15Click() {
    if (!resource_template(editor.cur_resource)) return;
    if (!pictures_picked()) return;
    Tpres& res = editor.world.presources[static_cast<std::size_t>(editor.cur_resource)];
    // Its contents stay, but for a vial, which holds only its filling.
    Tpres edited = res;
    write_fields(edited, editor.cur_resource);
    fill_vial(edited);
    res = std::move(edited);

    // The grids and the pickers show the new name, picture and kind at once;
    // the pickers change only in the entry edited and keep what they show.
    sg_presources.refresh();
    update_ress_entry(editor.cur_resource);
    host.catalogue_changed(Catalogue::resources, editor.cur_resource);
}

void ResourcesPage::Button25Click() { host.open_secondary(editor.Form7); }

// ---- the allowed children ("AMMO")

void ResourcesPage::Button20Click() {
    if (cbexpress.item_index() < 0) {
        modal().message("ammo only");
        return;
    }
    const int row = picked_row(cbexpress);
    const Tpres* res = resource_template(row);
    if (!res || res->kind != resource_kind::ammo) return;
    if (add_child(row, editor.res_children)) update_rchildren_list();
}

void ResourcesPage::Button21Click() {
    if (remove_child(lbpreschidren, editor.res_children)) update_rchildren_list();
}

void ResourcesPage::update_rchildren_list() { list_names(lbpreschidren, editor.res_children); }

void ResourcesPage::update_ress_entry(int row) {
    const bool ammo = ammo_picker.update_entry(row);
    const bool filling = filling_picker.update_entry(row);
    // The allowed list shows the new name.
    if (ammo || filling) update_rchildren_list();
}

void ResourcesPage::update_ress_cb() {
    ammo_picker.refill();
    filling_picker.refill();
    // The allowed list names resources too: after an Open or a rename it shows
    // the names the catalogue has now.
    update_rchildren_list();
}

void ResourcesPage::size_grids() {
    sg_presources.set_row_count(picture_rows(editor.world.presources.size()));
    update_ress_cb();
}
