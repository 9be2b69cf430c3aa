// The resources page: the resource catalogue, the form of one resource
// template, its pictures, its allowed children and its filling; and the
// refill of the resource pickers of the items and resources pages.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_resources_page() {
    resources_page = &make<kit::TabSheet>(*PC, "resources");
    resources_page->name = "resources_page";
    kit::TabSheet& p = *resources_page;

    add_label(p, 8, 12, "name");
    PLACE(epresname, p, 90, 8, 160, 22);
    add_label(p, 8, 40, "type");
    PLACE(cbprestype, p, 90, 36, 160, 22);
    add_label(p, 8, 68, "value");
    PLACE(epresvalue, p, 90, 64, 70, 22);
    add_label(p, 8, 96, "weight");
    PLACE(epresweight, p, 90, 92, 70, 22);
    add_label(p, 8, 124, "power/volume");
    PLACE(eprespower, p, 90, 120, 70, 22);
    add_label(p, 8, 152, "title");
    PLACE(mprestitle, p, 8, 168, 242, 80, "mprestitle");

    add_label(p, 270, 8, "one");
    PLACE(ipres1, p, 270, 24, 32, 32);
    add_label(p, 320, 8, "many");
    PLACE(ipres2, p, 320, 24, 32, 32);
    kit::Label* how = add_label(p, 370, 8,
                                "click on the title, then click on the rect for image of one peace of resource or "
                                "rect for image of many peces");
    how->set_auto_size(false);
    how->set_word_wrap(true);
    how->set_bounds(370, 8, 270, 50);

    PLACE(Button13, p, 270, 70, 80, 26, "ADD");
    PLACE(Button15, p, 356, 70, 80, 26, "<- EDIT");
    PLACE(Button16, p, 442, 70, 80, 26, "DELETE");
    PLACE(Button25, p, 528, 70, 80, 26, "INV");

    add_label(p, 270, 110, "AMMO");
    PLACE(cbexpress, p, 270, 126, 200, 36);
    cbexpress->set_drop_down_count(16);
    PLACE(Button20, p, 478, 130, 70, 26, "ADD");
    PLACE(lbpreschidren, p, 270, 168, 200, 120);
    PLACE(Button21, p, 478, 168, 70, 26, "DELETE");

    add_label(p, 8, 262, "filling");
    PLACE(cbexpress3, p, 8, 278, 242, 36);
    cbexpress3->set_drop_down_count(16);

    kit::Label* advice = add_label(
        p, 8, 330,
        "Try not to  create many clips or vials the same  but with different ammo or filling inside. Better  to  "
        "change filling by editing. Or change it  for created item on map. The same is for items and NPC and "
        "actualy for all the data.");
    advice->set_auto_size(false);
    advice->set_word_wrap(true);
    advice->set_bounds(8, 330, 540, 50);

    PLACE(sg_presources, p, 660, 8, design::grid_width(3, 32), 620);
    design::picture_grid(*sg_presources, 3, 32, 32);
}

void TForm1::update_ress_cb() {
    const std::pair<kit::ComboBox*, kit::ImageList*> pickers[] = {{cbexpress2, &il2}, {cbexpress, &il1},
                                                                  {cbexpress3, &il3}};
    for (const auto& [combo, list] : pickers) {
        combo->clear();
        combo->set_item_height(32);
        combo->set_height(36);
        list->clear();
    }
    il3.add(editor.blank_bitmap32);
    cbexpress3->add_item("empty", 0, -1);

    const auto picture = [](int frame) -> const Bitmap& {
        const Bitmap* tile = tile_frame(editor.tile_frames, frame);
        return tile ? *tile : editor.blank_bitmap32;  // no picture
    };
    const auto& catalogue = editor.world.presources;
    for (std::size_t r = 0; r < catalogue.size(); ++r) {
        const Tpres& res = catalogue[r];
        const int row = static_cast<int>(r);
        const int k = res.kind;
        if (k == 7 || k == 8 || k == 9) cbexpress2->add_item(res.name, il2.add(picture(res.image_one)), row);
        if (k == 7) cbexpress->add_item(res.name, il1.add(picture(res.image_one)), row);
        if (k == 12 || k == 14) cbexpress3->add_item(res.name, il3.add(picture(res.image_one)), row);
    }
    for (const auto& [combo, list] : pickers) {
        combo->set_images(list);
        if (combo->count() > 0) combo->set_item_index(0);
    }
}
