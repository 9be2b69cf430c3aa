// The fractions page: the fractions, the picture and name of one fraction, and
// the relation of one fraction to another.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_fractions_page() {
    TabSheet7 = &make<kit::TabSheet>(*PC, "fractions");
    TabSheet7->name = "TabSheet7";
    kit::TabSheet& p = *TabSheet7;

    PLACE(ifrac, p, 8, 8, 64, 64);
    add_label(p, 84, 12, "Name");
    PLACE(efracname, p, 84, 28, 180, 22);
    PLACE(Button14, p, 84, 56, 80, 26, "ADD");
    PLACE(Button48, p, 170, 56, 80, 26, "UPDATE");

    kit::GroupBox& rel = make<kit::GroupBox>(p, "");
    rel.name = "gb_fracrel";
    rel.set_bounds(8, 100, 400, 140);
    PLACE(cbfrac1, rel, 8, 18, 150, 22);
    PLACE(ifrac1, rel, 8, 46, 64, 64);
    PLACE(efracrel, rel, 166, 18, 60, 22);
    PLACE(Button17, rel, 166, 46, 60, 26, "SAVE");
    PLACE(cbfrac2, rel, 234, 18, 150, 22);
    PLACE(ifrac2, rel, 234, 46, 64, 64);

    PLACE(sg_frac, p, 420, 8, design::grid_width(3, 64), 620);
    design::picture_grid(*sg_frac, 3, 64, 64);
}
