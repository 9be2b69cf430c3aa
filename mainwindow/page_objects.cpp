#include "mainwindow/page_objects.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

ObjectsPage::ObjectsPage(TForm1& form) : form(form), objects(form.PC, "objects") {
    objects.name = "objects";
    form.lay_out({
        {sg_object_tiles, "sg_object_tiles", 8, 22, 8 * 65 + 4, 69, "main frames set", 8, 6},
        {sg_object_tiles2, "sg_object_tiles2", 8, 112, 8 * 65 + 4, 69, "secondary frames set (not nesissary)", 8, 96},
        {Image2, "Image2", 540, 22, 65, 65},
        {eoname, "eoname", 60, 190, 160, 22, "name", 8, 194},
        {cb_oimages, "cb_oimages", 60, 218, 60, 22, "frames", 8, 222},
        {cb_olock, "cb_olock", 60, 246, 60, 22, "lock", 8, 250},
        {cb_oform, "cb_oform", 60, 274, 100, 22, "form", 8, 278},
        {eosize, "eosize", 60, 302, 60, 22, "size", 8, 306},
        {eoheight, "eoheight", 60, 330, 60, 22, "height", 8, 334},
        {eohp, "eohp", 60, 358, 60, 22, "HP", 8, 362},
        {eo_arm1, "eo_arm1", 70, 386, 44, 22, "1", 60, 390},
        {eo_arm2, "eo_arm2", 130, 386, 44, 22, "2", 120, 390},
        {eo_arm3, "eo_arm3", 190, 386, 44, 22, "3", 180, 390},
        {m_otitle, "m_otitle", 8, 434, 226, 90, "description", 8, 418},
        {chb_ofloating, "chb_ofloating", 250, 190, 150, 22},
        {chb_ochest, "chb_ochest", 250, 214, 150, 22},
        {chb_odoor, "chb_odoor", 250, 238, 150, 22},
        {chb_olocked, "chb_olocked", 250, 262, 150, 22},
        {chb_oclosed, "chb_oclosed", 250, 286, 150, 22},
        {chb_opass, "chb_opass", 250, 310, 150, 22},
        {chb_ovis, "chb_ovis", 250, 334, 150, 22},
        {chb_otrans, "chb_otrans", 250, 358, 150, 22},
        {chb_oreciv, "chb_oreciv", 250, 382, 150, 22},
        {chb_otransp, "chb_otransp", 250, 406, 150, 22},
        {Button4, "Button4", 8, 536, 80, 26},
        {Button6, "Button6", 94, 536, 80, 26},
        {Button7, "Button7", 180, 536, 80, 26},
        {Button42, "Button42", 266, 536, 80, 26},
        {sg_objects, "sg_objects", 440, 190, kit::cell_grid_width(3, 64), 440},
    });
    kit::caption(form, objects, "armour", 8, 390);
    kit::note(form, objects, "to make a teleport create one passing object - transmittter and another - reciver",
              {250, 436, 180, 60});
    kit::cell_grid(sg_object_tiles, 8, 64, 64, 1, kit::ScrollBars::none);
    kit::cell_grid(sg_object_tiles2, 8, 64, 64, 1, kit::ScrollBars::none);
    kit::cell_grid(sg_objects, 3, 64, 64);
}

void ObjectsPage::start() {
    kit::fill(cb_oimages, {"1", "2", "4", "8"});
    kit::fill(cb_olock, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    kit::fill(cb_oform, {"round", "square"});
}

void ObjectsPage::shown() {}
