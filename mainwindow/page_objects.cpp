// The objects page: the object catalogue, its two frames sets, the preview and
// the form of one object template.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_objects_page() {
    objects = &make<kit::TabSheet>(*PC, "objects");
    objects->name = "objects";
    kit::TabSheet& p = *objects;

    add_label(p, 8, 6, "main frames set");
    PLACE(sg_object_tiles, p, 8, 22, 8 * 65 + 4, 69);
    design::picture_grid(*sg_object_tiles, 8, 64, 64, 1, kit::ScrollBars::none);
    add_label(p, 8, 96, "secondary frames set (not nesissary)");
    PLACE(sg_object_tiles2, p, 8, 112, 8 * 65 + 4, 69);
    design::picture_grid(*sg_object_tiles2, 8, 64, 64, 1, kit::ScrollBars::none);
    PLACE(Image2, p, 540, 22, 65, 65);

    // Left column: name, frames, lock, form, sizes.
    add_label(p, 8, 194, "name");
    PLACE(eoname, p, 60, 190, 160, 22);
    add_label(p, 8, 222, "frames");
    PLACE(cb_oimages, p, 60, 218, 60, 22);
    add_label(p, 8, 250, "lock");
    PLACE(cb_olock, p, 60, 246, 60, 22);
    add_label(p, 8, 278, "form");
    PLACE(cb_oform, p, 60, 274, 100, 22);
    add_label(p, 8, 306, "size");
    PLACE(eosize, p, 60, 302, 60, 22, "4");
    add_label(p, 8, 334, "height");
    PLACE(eoheight, p, 60, 330, 60, 22, "4");
    add_label(p, 8, 362, "HP");
    PLACE(eohp, p, 60, 358, 60, 22, "1000");
    add_label(p, 8, 390, "armour");
    add_label(p, 60, 390, "1");
    PLACE(eo_arm1, p, 70, 386, 44, 22, "0");
    add_label(p, 120, 390, "2");
    PLACE(eo_arm2, p, 130, 386, 44, 22, "0");
    add_label(p, 180, 390, "3");
    PLACE(eo_arm3, p, 190, 386, 44, 22, "0");
    add_label(p, 8, 418, "description");
    PLACE(m_otitle, p, 8, 434, 226, 90);

    // Middle column: the flags.
    int y = 190;
    const std::pair<kit::CheckBox**, const char*> flags[] = {
        {&chb_ofloating, "is floating"}, {&chb_ochest, "is chest"},   {&chb_odoor, "is door"},
        {&chb_olocked, "is locked"},     {&chb_oclosed, "is closed"}, {&chb_opass, "is passing"},
        {&chb_ovis, "visible"},          {&chb_otrans, "transmitter"}, {&chb_oreciv, "reciver"},
        {&chb_otransp, "transparent"}};
    const char* names[] = {"chb_ofloating", "chb_ochest", "chb_odoor", "chb_olocked", "chb_oclosed",
                           "chb_opass", "chb_ovis", "chb_otrans", "chb_oreciv", "chb_otransp"};
    for (int i = 0; i < 10; ++i, y += 24) *flags[i].first = add<kit::CheckBox>(names[i], p, 250, y, 150, 22, flags[i].second);
    chb_oclosed->set_checked(true);
    chb_ovis->set_checked(true);

    kit::Label* hint = add_label(p, 250, 436, "to make a teleport create one passing object - transmittter and another - reciver");
    hint->set_auto_size(false);
    hint->set_word_wrap(true);
    hint->set_bounds(250, 436, 180, 60);

    PLACE(Button4, p, 8, 536, 80, 26, "ADD");
    PLACE(Button6, p, 94, 536, 80, 26, "<- EDIT");
    PLACE(Button7, p, 180, 536, 80, 26, "Del");
    PLACE(Button42, p, 266, 536, 80, 26, "Parts");

    PLACE(sg_objects, p, 440, 190, design::grid_width(3, 64), 440);
    design::picture_grid(*sg_objects, 3, 64, 64);
}
