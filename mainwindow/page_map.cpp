// The map page: the map list, the map grid with its coordinate headers and the
// five map palettes; and setgrids, which sizes every catalogue grid.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_map_page() {
    map_page = &make<kit::TabSheet>(*PC, "map");
    map_page->name = "map_page";
    kit::TabSheet& p = *map_page;

    PLACE(e_map_w, p, 8, 8, 44, 22, "32");
    PLACE(e_map_h, p, 56, 8, 44, 22, "32");
    PLACE(e_map_name, p, 104, 8, 120, 22, "new map");
    PLACE(Button5, p, 228, 6, 60, 26, "ADD");
    PLACE(cb_maps, p, 300, 8, 200, 22);
    cb_maps->set_text("no maps");

    PLACE(sg_map, p, 8, 38, 554, 550);
    sg_map->set_col_count(2);
    sg_map->set_row_count(2);
    sg_map->set_fixed_cols(1);
    sg_map->set_fixed_rows(1);
    sg_map->set_default_cell_size(32, 32);
    sg_map->set_grid_line_width(0);
    sg_map->set_color(clBlack);

    pc2_holder = std::make_unique<kit::PageControl>(p);
    PC2 = pc2_holder.get();
    PC2->name = "PC2";
    PC2->set_bounds(572, 38, 330, 550);
    const std::pair<kit::TabSheet**, const char*> pages[] = {
        {&PC2_terra, "terra"}, {&PC2_objects, "objects"}, {&PC2_items, "items"},
        {&PC2_resources, "resources"}, {&PC2_npc, "NPC"}};
    for (const auto& [page, caption] : pages) {
        *page = &make<kit::TabSheet>(*PC2, caption);
        (*page)->name = std::string("PC2_") + caption;
    }
    PLACE(sg_terrains_2, *PC2_terra, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_terrains_2, 3, 32, 32);
    PLACE(sg_objects_2, *PC2_objects, 4, 4, design::grid_width(3, 64), 500);
    design::picture_grid(*sg_objects_2, 3, 64, 64);
    PLACE(sg_pitems_2, *PC2_items, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pitems_2, 3, 32, 32);
    PLACE(sg_pres_2, *PC2_resources, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pres_2, 3, 32, 32);
    PLACE(sg_pnpc2, *PC2_npc, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pnpc2, 3, 32, 64);
}

void TForm1::setgrids() {
    const auto rows = [](std::size_t n) { return static_cast<int>(n / 3) + 1; };
    const TWorld& w = editor.world;
    for (kit::StringGrid* g : {sg_terrains, sg_terrains_2}) g->set_row_count(rows(w.terrains.size()));
    for (kit::StringGrid* g : {sg_objects, sg_objects_2}) g->set_row_count(rows(w.pmapobjects.size()));
    for (kit::StringGrid* g : {sg_pitems, sg_pitems_2}) g->set_row_count(rows(w.pitems.size()));
    for (kit::StringGrid* g : {sg_presources, sg_pres_2}) g->set_row_count(rows(w.presources.size()));
    sg_frac->set_row_count(rows(w.fracs.size()));
    for (kit::StringGrid* g : {sg_pnpc, sg_pnpc2}) g->set_row_count(rows(w.pnpcs.size()));
    update_ress_cb();
}
