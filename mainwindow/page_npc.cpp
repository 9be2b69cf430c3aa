#include "mainwindow/page_npc.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

NpcPage::NpcPage(TForm1& form) : form(form), npc_page(form.PC, "npc") {
    npc_page.name = "npc_page";
    form.lay_out({
        {e_pnpc_name, "e_pnpc_name", 8, 22, 150, 22, "name", 8, 6},
        {e_pnpc_selfname, "e_pnpc_selfname", 8, 66, 150, 22, "self name", 8, 50},
        {i_pnpc_i1, "i_pnpc_i1", 170, 22, 32, 64, "figure", 170, 6},
        {i_pnpc_i2, "i_pnpc_i2", 214, 22, 64, 64, "portrait", 214, 6},
        {gb_pnpc_prim, "gb_pnpc_prim", 8, 96, 270, 128},
        {e_pnpc_str, "e_pnpc_str", 48, 22, 70, 22, "STR", 8, 26},
        {e_pnpc_agi, "e_pnpc_agi", 48, 47, 70, 22, "AGI", 8, 51},
        {e_pnpc_dex, "e_pnpc_dex", 48, 72, 70, 22, "DEX", 8, 76},
        {e_pnpc_con, "e_pnpc_con", 48, 97, 70, 22, "CON", 8, 101},
        {e_pnpc_acu, "e_pnpc_acu", 178, 22, 70, 22, "ACU", 138, 26},
        {e_pnpc_int, "e_pnpc_int", 178, 47, 70, 22, "INT", 138, 51},
        {e_pnpc_wis, "e_pnpc_wis", 178, 72, 70, 22, "WIS", 138, 76},
        {e_pnpc_per, "e_pnpc_per", 178, 97, 70, 22, "PER", 138, 101},
        {epnpchp, "epnpchp", 48, 232, 70, 22, "HP", 8, 236},
        {epnpcmp, "epnpcmp", 186, 232, 70, 22, "MP", 146, 236},
        {epnpcsp, "epnpcsp", 48, 258, 70, 22, "SP", 8, 262},
        {epnpcsize, "epnpcsize", 186, 258, 70, 22, "SIZE", 146, 262},
        {cb_pnpc_frac, "cb_pnpc_frac", 70, 286, 208, 22, "fraction", 8, 290},
        {m_pnpc_descr, "m_pnpc_descr", 8, 316, 270, 90},
        {gb_pnpc_phys, "gb_pnpc_phys", 8, 414, 270, 150},
        {cb_pnpc_phys_attr, "cb_pnpc_phys_attr", 8, 20, 110, 22},
        {e_pnpc_phys_attr, "e_pnpc_phys_attr", 124, 20, 50, 22},
        {Button34, "Button34", 180, 18, 80, 26},
        {lb_pnpc_phys_attrs, "lb_pnpc_phys_attrs", 8, 50, 166, 90},
        {Button47, "Button47", 180, 50, 80, 26},
        {Button22, "Button22", 8, 574, 80, 26},
        {Button35, "Button35", 94, 574, 80, 26},
        {Button23, "Button23", 180, 574, 80, 26},
        {gb_pnpc_skills, "gb_pnpc_skills", 282, 4, 240, 384},
        {l_pnpc_skill, "l_pnpc_skill", 12, 26},
        {e_pnpc_skill, "e_pnpc_skill", 64, 24, 41, 21},
        {sg_pnpc, "sg_pnpc", 525, 8, kit::cell_grid_width(3, 32), 620},
    });
    cb_pnpc_frac.set_text("cb_pnpc_frac");
    l_pnpc_skill.hide();
    e_pnpc_skill.hide();
    kit::cell_grid(sg_pnpc, 3, 32, 64);
}

void NpcPage::start() {
    for (kit::Image* image : {&i_pnpc_i1, &i_pnpc_i2}) image->draw(0, 0, editor.blank_bitmap32);

    // The 32 skill rows, two columns of 16, laid out from the hidden design label and edit.
    for (int i = 1; i <= 32; ++i) {
        kit::Label& label = form.make<kit::Label>(gb_pnpc_skills, skill_names[static_cast<std::size_t>(i)]);
        label.name = "skill_label" + std::to_string(i);
        kit::Edit& edit = form.make<kit::Edit>(gb_pnpc_skills, "0");
        edit.name = "skill_edit" + std::to_string(i);
        const bool first = i <= 16;
        const int row = first ? i - 1 : i - 17;
        label.set_left(l_pnpc_skill.left() + (first ? 0 : 106));
        label.set_top(l_pnpc_skill.top() + row * 22);
        edit.set_bounds(e_pnpc_skill.left() + (first ? 0 : 128), e_pnpc_skill.top() + row * 22, e_pnpc_skill.width(),
                        e_pnpc_skill.height());
        label.show();
        edit.show();
        editor.skill_controls[static_cast<std::size_t>(i)] = &label;
        editor.skill_controls[static_cast<std::size_t>(32 + i)] = &edit;
    }

    kit::fill(cb_pnpc_phys_attr, phys_attrs);
    e_pnpc_phys_attr.set_text("0");
}

void NpcPage::shown() {}

void NpcPage::fill_fractions() {
    TStrings names;
    for (const Tfrac& f : editor.world.fracs) names.push_back(f.name);
    kit::fill(cb_pnpc_frac, names);
}
