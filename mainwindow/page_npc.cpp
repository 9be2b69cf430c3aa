// The NPC templates page: the template catalogue, names, pictures,
// characteristics, the 32 skill rows (made at start-up inside "SKILLS") and the
// physiological attributes.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_npc_page() {
    npc_page = &make<kit::TabSheet>(*PC, "npc");
    npc_page->name = "npc_page";
    kit::TabSheet& p = *npc_page;

    add_label(p, 8, 6, "name");
    PLACE(e_pnpc_name, p, 8, 22, 150, 22);
    add_label(p, 8, 50, "self name");
    PLACE(e_pnpc_selfname, p, 8, 66, 150, 22);
    add_label(p, 170, 6, "figure");
    PLACE(i_pnpc_i1, p, 170, 22, 32, 64);
    add_label(p, 214, 6, "portrait");
    PLACE(i_pnpc_i2, p, 214, 22, 64, 64);

    kit::GroupBox& prim = make<kit::GroupBox>(p, "PRIM CHARACTERISTICS");
    prim.name = "gb_pnpc_prim";
    prim.set_bounds(8, 96, 270, 128);
    const std::pair<kit::Edit**, const char*> chars[] = {
        {&e_pnpc_str, "STR"}, {&e_pnpc_agi, "AGI"}, {&e_pnpc_dex, "DEX"}, {&e_pnpc_con, "CON"},
        {&e_pnpc_acu, "ACU"}, {&e_pnpc_int, "INT"}, {&e_pnpc_wis, "WIS"}, {&e_pnpc_per, "PER"}};
    const char* char_names[] = {"e_pnpc_str", "e_pnpc_agi", "e_pnpc_dex", "e_pnpc_con",
                                "e_pnpc_acu", "e_pnpc_int", "e_pnpc_wis", "e_pnpc_per"};
    for (int i = 0; i < 8; ++i) {
        const int x = 8 + (i / 4) * 130, y = 22 + (i % 4) * 25;
        add_label(prim, x, y + 4, chars[i].second);
        *chars[i].first = add<kit::Edit>(char_names[i], prim, x + 40, y, 70, 22, "1000");
    }

    const std::pair<kit::Edit**, const char*> points[] = {
        {&epnpchp, "HP"}, {&epnpcmp, "MP"}, {&epnpcsp, "SP"}, {&epnpcsize, "SIZE"}};
    const char* point_names[] = {"epnpchp", "epnpcmp", "epnpcsp", "epnpcsize"};
    for (int i = 0; i < 4; ++i) {
        const int x = 8 + (i % 2) * 138, y = 232 + (i / 2) * 26;
        add_label(p, x, y + 4, points[i].second);
        *points[i].first = add<kit::Edit>(point_names[i], p, x + 40, y, 70, 22, i == 3 ? "8" : "1000");
    }

    add_label(p, 8, 290, "fraction");
    PLACE(cb_pnpc_frac, p, 70, 286, 208, 22);
    cb_pnpc_frac->set_text("cb_pnpc_frac");
    PLACE(m_pnpc_descr, p, 8, 316, 270, 90);

    kit::GroupBox& phys = make<kit::GroupBox>(p, "PHYSIOLOGICAL ATTRIBUTES");
    phys.name = "gb_pnpc_phys";
    phys.set_bounds(8, 414, 270, 150);
    PLACE(cb_pnpc_phys_attr, phys, 8, 20, 110, 22);
    PLACE(e_pnpc_phys_attr, phys, 124, 20, 50, 22);
    PLACE(Button34, phys, 180, 18, 80, 26, "ADD");
    PLACE(lb_pnpc_phys_attrs, phys, 8, 50, 166, 90);
    PLACE(Button47, phys, 180, 50, 80, 26, "REMOVE");

    PLACE(Button22, p, 8, 574, 80, 26, "ADD");
    PLACE(Button35, p, 94, 574, 80, 26, "<- EDIT");
    PLACE(Button23, p, 180, 574, 80, 26, "INV");

    // Two columns of 16 rows 22 pixels apart, laid out from these two at start-up.
    PLACE(gb_pnpc_skills, p, 282, 4, 240, 384, "SKILLS");
    l_pnpc_skill = add_label(*gb_pnpc_skills, 12, 26, "SKILL", "l_pnpc_skill");
    l_pnpc_skill->hide();
    PLACE(e_pnpc_skill, *gb_pnpc_skills, 64, 24, 41, 21);
    e_pnpc_skill->hide();

    PLACE(sg_pnpc, p, 525, 8, design::grid_width(3, 32), 620);
    design::picture_grid(*sg_pnpc, 3, 32, 64);
}
