// The terrain page: the terrain catalogue, the frames set, the previews, and
// the tile palette, which start-up takes off this page onto the window.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_terrain_page() {
    terr = &make<kit::TabSheet>(*PC, "terr");
    terr->name = "terr";
    kit::TabSheet& p = *terr;

    Label95 = add_label(p, 8, 8, "frames set", "Label95");
    PLACE(tframes, p, 8, 24, 8 * 33 + 4, 37);
    design::picture_grid(*tframes, 8, 32, 32, 1, kit::ScrollBars::none);

    PLACE(selim1, p, 8, 76, 65, 65);
    PLACE(Image1, p, 84, 76, 65, 65);

    add_label(p, 8, 152, "type of territory");
    PLACE(cb_ttip, p, 8, 168, 180, 22);
    add_label(p, 8, 198, "hard to pass 1-3200 (400 - normal)");
    PLACE(e_thard, p, 8, 214, 80, 22, "400");
    add_label(p, 8, 244, "number of frames");
    PLACE(cb_timages, p, 8, 260, 80, 22);

    PLACE(Button1, p, 8, 296, 80, 26, "ADD");
    PLACE(Button2, p, 94, 296, 80, 26, "<- EDIT");
    PLACE(Button3, p, 180, 296, 80, 26, "DEL");

    Label94 = add_label(p, 8, 334, "Label94", "Label94");

    PLACE(sg_terrains, p, 300, 8, design::grid_width(3, 32), 620);
    design::picture_grid(*sg_terrains, 3, 32, 32);

    PLACE(sg_tiles, p, 660, 8, form1_design::palette_width, form1_design::palette_height);
    design::picture_grid(*sg_tiles, 3, 32, 32);
    sg_tiles->on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState s) {
        sg_tilesDrawCell(c, r, rect, s);
    };
}
