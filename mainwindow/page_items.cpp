// The items page: the item catalogue, the numbers of one item template and its
// allowed ammunition.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_items_page() {
    items = &make<kit::TabSheet>(*PC, "items");
    items->name = "items";
    kit::TabSheet& p = *items;

    PLACE(ipitem, p, 8, 8, 32, 32);
    add_label(p, 52, 4, "class");
    PLACE(cb_pitem_class, p, 52, 20, 170, 22);
    add_label(p, 8, 50, "name");
    PLACE(e_pitem_name, p, 52, 46, 170, 22);

    // Two columns of numbers.
    const std::pair<kit::Edit**, const char*> left[] = {{&e_pitem_HP, "HP"},       {&e_pitem_weight, "weight"},
                                                        {&e_pitem_volume, "volume"}, {&e_pitem_load, "load"},
                                                        {&e_pitem_value, "value"},   {&e_pitem_hands, "hands"}};
    const char* lnames[] = {"e_pitem_HP", "e_pitem_weight", "e_pitem_volume", "e_pitem_load", "e_pitem_value",
                            "e_pitem_hands"};
    for (int i = 0; i < 6; ++i) {
        add_label(p, 8, 80 + i * 26, left[i].second);
        *left[i].first = add<kit::Edit>(lnames[i], p, 60, 76 + i * 26, 60, 22);
    }
    const std::pair<kit::Edit**, const char*> right[] = {{&e_pitem_dem1, "dem1"}, {&e_pitem_dem2, "dem2"},
                                                         {&e_pitem_dem3, "dem3"}, {&e_pitem_arm1, "arm1"},
                                                         {&e_pitem_arm2, "arm2"}, {&e_pitem_arm3, "arm3"}};
    const char* rnames[] = {"e_pitem_dem1", "e_pitem_dem2", "e_pitem_dem3", "e_pitem_arm1", "e_pitem_arm2",
                            "e_pitem_arm3"};
    for (int i = 0; i < 6; ++i) {
        add_label(p, 132, 80 + i * 26, right[i].second);
        *right[i].first = add<kit::Edit>(rnames[i], p, 170, 76 + i * 26, 52, 22);
    }

    // The groups "bow", "fight" and "armour", three numbers each.
    struct Group {
        const char* caption;
        kit::Edit** edits[3];
        const char* names[3];
        const char* labels[3];
    };
    const Group groups[] = {
        {"bow", {&e_pitem_a, &e_pitem_b, &e_pitem_c}, {"e_pitem_a", "e_pitem_b", "e_pitem_c"}, {"a", "b", "c"}},
        {"fight",
         {&e_pitem_attak, &e_pitem_defence, &e_pitem_block},
         {"e_pitem_attak", "e_pitem_defence", "e_pitem_block"},
         {"attak", "defence", "block"}},
        {"armour",
         {&e_pitem_cover, &e_pitem_skov, &e_pitem_penalty},
         {"e_pitem_cover", "e_pitem_skov", "e_pitem_penalty"},
         {"cover", "skov", "penalty"}},
    };
    for (int g = 0; g < 3; ++g) {
        kit::GroupBox& box = make<kit::GroupBox>(p, groups[g].caption);
        box.name = std::string("gb_pitem_") + groups[g].caption;
        box.set_bounds(240 + g * 134, 4, 128, 100);
        for (int i = 0; i < 3; ++i) {
            add_label(box, 8, 22 + i * 25, groups[g].labels[i]);
            *groups[g].edits[i] = add<kit::Edit>(groups[g].names[i], box, 62, 18 + i * 25, 56, 22);
        }
    }
    kit::Label* note = add_label(
        p, 240, 110, "bow: a - min str, b - quality (0-1000), c- max str. result power of shot = str^(b/1000)");
    note->set_auto_size(false);
    note->set_word_wrap(true);
    note->set_bounds(240, 110, 396, 34);

    add_label(p, 240, 150, "descr");
    PLACE(m_pitem_title, p, 240, 166, 396, 70);

    add_label(p, 8, 246, "AMMO");
    PLACE(cbexpress2, p, 8, 262, 214, 36);
    cbexpress2->set_item_height(32);
    cbexpress2->set_drop_down_count(16);
    PLACE(Button18, p, 230, 266, 200, 26, "<--    ADD resources for ammo");
    PLACE(lb_pitem_children, p, 8, 306, 214, 150);
    PLACE(Button19, p, 230, 306, 120, 26, "DELL resource");

    PLACE(Button10, p, 8, 470, 80, 26, "ADD");
    PLACE(Button11, p, 94, 470, 80, 26, "<- EDIT");
    PLACE(Button12, p, 180, 470, 80, 26, "DELETE");
    Button12->set_hint("not available now");
    PLACE(Button24, p, 266, 470, 90, 26, "EDIT INV");

    PLACE(sg_pitems, p, 660, 8, design::grid_width(3, 32), 620);
    design::picture_grid(*sg_pitems, 3, 32, 32);
}
