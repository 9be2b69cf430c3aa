#include "mainwindow/page_resources.h"

#include "mainwindow/main.h"
#include "mainwindow/page_items.h"
#include "platform/kit/layout.h"

ResourcesPage::ResourcesPage(TForm1& form) : form(form), resources_page(form.PC, "resources") {
    resources_page.name = "resources_page";
    form.lay_out({
        {epresname, "epresname", 90, 8, 160, 22, "name", 8, 12},
        {cbprestype, "cbprestype", 90, 36, 160, 22, "type", 8, 40},
        {epresvalue, "epresvalue", 90, 64, 70, 22, "value", 8, 68},
        {epresweight, "epresweight", 90, 92, 70, 22, "weight", 8, 96},
        {eprespower, "eprespower", 90, 120, 70, 22, "power/volume", 8, 124},
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
    kit::note(form, resources_page,
              "click on the title, then click on the rect for image of one peace of resource or rect for image of "
              "many peces",
              {370, 8, 270, 50});
    kit::note(form, resources_page,
              "Try not to  create many clips or vials the same  but with different ammo or filling inside. Better  "
              "to  change filling by editing. Or change it  for created item on map. The same is for items and NPC "
              "and actualy for all the data.",
              {8, 330, 540, 50});
    cbexpress.set_drop_down_count(16);
    cbexpress3.set_drop_down_count(16);
    kit::cell_grid(sg_presources, 3, 32, 32);
}

void ResourcesPage::start() {
    kit::fill(cbprestype, resource_kinds);
    epresname.set_text("newres");
    epresvalue.set_text("1");
    eprespower.set_text("0");
    epresweight.set_text("0");
    editor.res_image_one = -1;
    editor.res_image_many = -1;
    editor.cur_resource = -1;
    for (kit::Image* image : {&ipres1, &ipres2}) image->draw(0, 0, editor.blank_bitmap32);
}

void ResourcesPage::shown() {}

void ResourcesPage::update_ress_cb() {
    kit::ComboBox& ammo = form.items->cbexpress2;
    const std::pair<kit::ComboBox*, kit::ImageList*> pickers[] = {
        {&ammo, &form.il2}, {&cbexpress, &form.il1}, {&cbexpress3, &form.il3}};
    for (const auto& [combo, list] : pickers) {
        combo->clear();
        combo->set_item_height(32);
        combo->set_height(36);
        list->clear();
    }
    form.il3.add(editor.blank_bitmap32);
    cbexpress3.add_item("empty", 0, -1);

    const auto picture = [](int frame) -> const Bitmap& {
        const Bitmap* tile = tile_frame(editor.tile_frames, frame);
        return tile ? *tile : editor.blank_bitmap32;  // no picture
    };
    const auto& catalogue = editor.world.presources;
    for (std::size_t r = 0; r < catalogue.size(); ++r) {
        const Tpres& res = catalogue[r];
        const int row = static_cast<int>(r);
        const int k = res.kind;
        if (k == resource_kind::ammo || k == resource_kind::clip || k == resource_kind::cell) ammo.add_item(res.name, form.il2.add(picture(res.image_one)), row);
        if (k == resource_kind::ammo) cbexpress.add_item(res.name, form.il1.add(picture(res.image_one)), row);
        if (k == resource_kind::liquid || k == resource_kind::mixture) cbexpress3.add_item(res.name, form.il3.add(picture(res.image_one)), row);
    }
    for (const auto& [combo, list] : pickers) {
        combo->set_images(list);
        if (combo->count() > 0) combo->set_item_index(0);
    }
}
