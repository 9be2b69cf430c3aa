#include "mainwindow/page_fractions.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

FractionsPage::FractionsPage(TForm1& form) : form(form), TabSheet7(form.PC, "fractions") {
    TabSheet7.name = "TabSheet7";
    form.lay_out({
        {ifrac, "ifrac", 8, 8, 64, 64},
        {efracname, "efracname", 84, 28, 180, 22, "Name", 84, 12},
        {Button14, "Button14", 84, 56, 80, 26},
        {Button48, "Button48", 170, 56, 80, 26},
        {gb_fracrel, "gb_fracrel", 8, 100, 400, 140},
        {cbfrac1, "cbfrac1", 8, 18, 150, 22},
        {ifrac1, "ifrac1", 8, 46, 64, 64},
        {efracrel, "efracrel", 166, 18, 60, 22},
        {Button17, "Button17", 166, 46, 60, 26},
        {cbfrac2, "cbfrac2", 234, 18, 150, 22},
        {ifrac2, "ifrac2", 234, 46, 64, 64},
        {sg_frac, "sg_frac", 420, 8, kit::cell_grid_width(3, 64), 620},
    });
    kit::cell_grid(sg_frac, 3, 64, 64);
}

void FractionsPage::start() { ifrac.draw(0, 0, editor.blank_bitmap64); }

void FractionsPage::shown() {
    const TWorld& w = editor.world;
    cbfrac1.clear();
    cbfrac2.clear();
    efracrel.set_text("0");
    for (const Tfrac& f : w.fracs) {
        cbfrac1.add(f.name);
        cbfrac2.add(f.name);
    }
    if (w.fracs.empty()) return;
    // The relation matrix may be shorter than the list in a world read from a file.
    const bool has_relation = !w.fracrel.empty() && !w.fracrel[0].empty();
    efracrel.set_text(has_relation ? std::to_string(int{w.fracrel[0][0]}) : "0");
    cbfrac1.set_item_index(0);
    cbfrac2.set_item_index(0);
    for (kit::Image* image : {&ifrac1, &ifrac2}) {
        if (const Bitmap* frame = tile_frame(editor.tile_frames, w.fracs[0].image)) image->draw(0, 0, *frame);
    }
}
