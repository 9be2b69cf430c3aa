#include "mainwindow/page_items.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

ItemsPage::ItemsPage(TForm1& form) : form(form), items(form.PC, "items") {
    items.name = "items";
    form.lay_out({
        {ipitem, "ipitem", 8, 8, 32, 32},
        {cb_pitem_class, "cb_pitem_class", 52, 20, 170, 22, "class", 52, 4},
        {e_pitem_name, "e_pitem_name", 52, 46, 170, 22, "name", 8, 50},
        {e_pitem_HP, "e_pitem_HP", 60, 76, 60, 22, "HP", 8, 80},
        {e_pitem_weight, "e_pitem_weight", 60, 102, 60, 22, "weight", 8, 106},
        {e_pitem_volume, "e_pitem_volume", 60, 128, 60, 22, "volume", 8, 132},
        {e_pitem_load, "e_pitem_load", 60, 154, 60, 22, "load", 8, 158},
        {e_pitem_value, "e_pitem_value", 60, 180, 60, 22, "value", 8, 184},
        {e_pitem_hands, "e_pitem_hands", 60, 206, 60, 22, "hands", 8, 210},
        {e_pitem_dem1, "e_pitem_dem1", 170, 76, 52, 22, "dem1", 132, 80},
        {e_pitem_dem2, "e_pitem_dem2", 170, 102, 52, 22, "dem2", 132, 106},
        {e_pitem_dem3, "e_pitem_dem3", 170, 128, 52, 22, "dem3", 132, 132},
        {e_pitem_arm1, "e_pitem_arm1", 170, 154, 52, 22, "arm1", 132, 158},
        {e_pitem_arm2, "e_pitem_arm2", 170, 180, 52, 22, "arm2", 132, 184},
        {e_pitem_arm3, "e_pitem_arm3", 170, 206, 52, 22, "arm3", 132, 210},
        {gb_pitem_bow, "gb_pitem_bow", 240, 4, 128, 100},
        {e_pitem_a, "e_pitem_a", 62, 18, 56, 22, "a", 8, 22},
        {e_pitem_b, "e_pitem_b", 62, 43, 56, 22, "b", 8, 47},
        {e_pitem_c, "e_pitem_c", 62, 68, 56, 22, "c", 8, 72},
        {gb_pitem_fight, "gb_pitem_fight", 374, 4, 128, 100},
        {e_pitem_attak, "e_pitem_attak", 62, 18, 56, 22, "attak", 8, 22},
        {e_pitem_defence, "e_pitem_defence", 62, 43, 56, 22, "defence", 8, 47},
        {e_pitem_block, "e_pitem_block", 62, 68, 56, 22, "block", 8, 72},
        {gb_pitem_armour, "gb_pitem_armour", 508, 4, 128, 100},
        {e_pitem_cover, "e_pitem_cover", 62, 18, 56, 22, "cover", 8, 22},
        {e_pitem_skov, "e_pitem_skov", 62, 43, 56, 22, "skov", 8, 47},
        {e_pitem_penalty, "e_pitem_penalty", 62, 68, 56, 22, "penalty", 8, 72},
        {m_pitem_title, "m_pitem_title", 240, 166, 396, 70, "descr", 240, 150},
        {cbexpress2, "cbexpress2", 8, 262, 214, 36, "AMMO", 8, 246},
        {Button18, "Button18", 230, 266, 200, 26},
        {lb_pitem_children, "lb_pitem_children", 8, 306, 214, 150},
        {Button19, "Button19", 230, 306, 120, 26},
        {Button10, "Button10", 8, 470, 80, 26},
        {Button11, "Button11", 94, 470, 80, 26},
        {Button12, "Button12", 180, 470, 80, 26},
        {Button24, "Button24", 266, 470, 90, 26},
        {sg_pitems, "sg_pitems", 660, 8, kit::cell_grid_width(3, 32), 620},
    });
    kit::note(form, items, "bow: a - min str, b - quality (0-1000), c- max str. result power of shot = str^(b/1000)",
              {240, 110, 396, 34});
    cbexpress2.set_item_height(32);
    cbexpress2.set_drop_down_count(16);
    Button12.set_hint("not available now");
    kit::cell_grid(sg_pitems, 3, 32, 32);
}

void ItemsPage::start() {
    kit::fill(cb_pitem_class, item_classes);
    for (kit::Edit* edit :
         {&e_pitem_name,  &e_pitem_HP,    &e_pitem_weight, &e_pitem_value,  &e_pitem_volume, &e_pitem_load,
          &e_pitem_hands, &e_pitem_dem1,  &e_pitem_dem2,   &e_pitem_dem3,   &e_pitem_arm1,   &e_pitem_arm2,
          &e_pitem_arm3,  &e_pitem_a,     &e_pitem_b,      &e_pitem_c,      &e_pitem_attak,  &e_pitem_defence,
          &e_pitem_block, &e_pitem_cover, &e_pitem_skov,   &e_pitem_penalty})
        edit->set_text("");
    m_pitem_title.clear();
    if (const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile)) ipitem.draw(0, 0, *tile);
}

void ItemsPage::shown() {}
