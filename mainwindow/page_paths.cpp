#include "mainwindow/page_paths.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

PathsPage::PathsPage(TForm1& form) : form(form), paths_page(form.PC, "Paths") {
    paths_page.name = "paths_page";
    form.lay_out({
        {cbpath_from_map, "cbpath_from_map", 40, 24, 160, 22, "map", 8, 28},
        {epath_from_x, "epath_from_x", 224, 24, 44, 22, "X", 210, 28},
        {epath_from_y, "epath_from_y", 290, 24, 44, 22, "Y", 276, 28},
        {RadioGroup2, "RadioGroup2", 350, 4, 110, 70},
        {rb2way, "rb2way", 8, 16, 94, 22},
        {rb1way, "rb1way", 8, 40, 94, 22},
        {cbpath_to_map, "cbpath_to_map", 508, 24, 160, 22, "map", 476, 28},
        {epath_to_x, "epath_to_x", 692, 24, 44, 22, "X", 678, 28},
        {epath_to_y, "epath_to_y", 758, 24, 44, 22, "Y", 744, 28},
        {Button31, "Button31", 820, 20, 60, 30},
        {sgpaths, "sgpaths", 8, 84, 700, 540},
    });
    kit::caption(form, paths_page, "From", 8, 8);
    kit::caption(form, paths_page, "To", 476, 8);
    kit::note(form, paths_page, "<-Select row and press DEL to remove Path", {716, 84, 180, 60});
    cbpath_from_map.set_text("cbpath_from_map");
    cbpath_to_map.set_text("cbpath_to_map");
    kit::table_grid(sgpaths, 9, 2);
}

void PathsPage::start() {}

void PathsPage::shown() {}
