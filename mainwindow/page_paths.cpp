// The Paths page: the two ends of a new path, its ways and the path table.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_paths_page() {
    paths_page = &make<kit::TabSheet>(*PC, "Paths");
    paths_page->name = "paths_page";
    kit::TabSheet& p = *paths_page;

    add_label(p, 8, 8, "From");
    add_label(p, 8, 28, "map");
    PLACE(cbpath_from_map, p, 40, 24, 160, 22);
    cbpath_from_map->set_text("cbpath_from_map");
    add_label(p, 210, 28, "X");
    PLACE(epath_from_x, p, 224, 24, 44, 22, "1");
    add_label(p, 276, 28, "Y");
    PLACE(epath_from_y, p, 290, 24, 44, 22, "1");

    PLACE(RadioGroup2, p, 350, 4, 110, 70, "");
    PLACE(rb2way, *RadioGroup2, 8, 16, 94, 22, "<--->", true);
    PLACE(rb1way, *RadioGroup2, 8, 40, 94, 22, "----->");

    add_label(p, 476, 8, "To");
    add_label(p, 476, 28, "map");
    PLACE(cbpath_to_map, p, 508, 24, 160, 22);
    cbpath_to_map->set_text("cbpath_to_map");
    add_label(p, 678, 28, "X");
    PLACE(epath_to_x, p, 692, 24, 44, 22, "2");
    add_label(p, 744, 28, "Y");
    PLACE(epath_to_y, p, 758, 24, 44, 22, "2");

    PLACE(Button31, p, 820, 20, 60, 30, "V");

    PLACE(sgpaths, p, 8, 84, 700, 540);
    sgpaths->set_col_count(9);
    sgpaths->set_row_count(2);
    sgpaths->set_fixed_cols(1);
    sgpaths->set_fixed_rows(1);
    sgpaths->set_row_select(true);
    kit::Label* del = add_label(p, 716, 84, "<-Select row and press DEL to remove Path");
    del->set_auto_size(false);
    del->set_word_wrap(true);
    del->set_bounds(716, 84, 180, 60);
}
