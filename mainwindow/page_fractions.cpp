#include "mainwindow/page_fractions.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <limits>

FractionsPage::FractionsPage(PageHost& host)
    : host(host), editor(host.state()), TabSheet7(host.page_control(), "fractions") {
    TabSheet7.name = "TabSheet7";
    host.window().lay_out({
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
    bind_pictures(
        sg_frac, editor.world.fracs, [](const Tfrac& f) { return f.image; }, [this](int e) { sg_fracSelectCell(e); });
    ifrac.on_click = [this] { ifracClick(); };
    Button14.on_click = [this] { Button14Click(); };
    Button48.on_click = [this] { Button48Click(); };
    cbfrac1.on_change = [this] { cbfrac1Change(); };
    cbfrac2.on_change = [this] { cbfrac2Change(); };
    Button17.on_click = [this] { Button17Click(); };
}

void FractionsPage::start() { ifrac.draw(0, 0, editor.blank_bitmap64); }

void FractionsPage::shown() {
    const TWorld& w = editor.world;
    fill_relation_lists();
    efracrel.set_text("0");
    if (w.fracs.empty()) return;
    // The relation matrix may be shorter than the list in a world read from a file.
    const bool has_relation = !w.fracrel.empty() && !w.fracrel[0].empty();
    efracrel.set_text(has_relation ? std::to_string(int{w.fracrel[0][0]}) : "0");
    // Cleared first: a smaller picture, or one naming no tile, shows nothing of
    // the fraction shown before.
    for (kit::Image* image : {&ifrac1, &ifrac2}) show_frame(*image, w.fracs[0].image);
}

void FractionsPage::fill_relation_lists() {
    TStrings names;
    for (const Tfrac& f : editor.world.fracs) names.push_back(f.name);
    kit::fill(cbfrac1, names);
    kit::fill(cbfrac2, names);
}

// ---- the fraction being built or edited

void FractionsPage::sg_fracSelectCell(int e) {
    const Tfrac& f = editor.world.fracs.at(static_cast<std::size_t>(e));
    cur_fraction = e;
    frac_image = f.image;
    show_frame(ifrac, f.image);
    efracname.set_text(f.name);
}

void FractionsPage::ifracClick() { take_current_tile(frac_image, ifrac); }

void FractionsPage::Button14Click() {
    TWorld& w = editor.world;
    if (frac_image >= 0) {
        w.fracs.push_back(Tfrac{efracname.text(), frac_image});
        // Exactly one relation for every ordered pair: the earlier values keep
        // their places, the new fraction's row and column are 0.
        const std::size_t n = w.fracs.size();
        w.fracrel.resize(n);
        for (std::vector<int8_t>& row : w.fracrel) row.resize(n, 0);
        sg_frac.refresh();
        host.setgrids();
        fill_relation_lists();
    }
    host.catalogue_changed(Catalogue::fractions, -1);
}

void FractionsPage::Button48Click() {
    const int e = cur_fraction;
    if (!entry_at(editor.world.fracs, e)) return;
    Tfrac& f = editor.world.fracs[static_cast<std::size_t>(e)];
    f.image = frac_image;
    f.name = efracname.text();
    sg_frac.refresh();
}

// ---- relations

int8_t* FractionsPage::chosen_relation() {
    const int a = cbfrac1.item_index(), b = cbfrac2.item_index();
    TWorld& w = editor.world;
    const auto n = static_cast<int>(w.fracs.size());
    if (a < 0 || b < 0 || a >= n || b >= n) return nullptr;
    const auto ua = static_cast<std::size_t>(a), ub = static_cast<std::size_t>(b);
    if (ua >= w.fracrel.size() || ub >= w.fracrel[ua].size()) return nullptr;
    return &w.fracrel[ua][ub];
}

void FractionsPage::cbfrac1Change() { show_relation(cbfrac1, ifrac1); }
void FractionsPage::cbfrac2Change() { show_relation(cbfrac2, ifrac2); }

void FractionsPage::show_relation(const kit::ComboBox& changed, kit::Image& picture) {
    const int8_t* relation = chosen_relation();
    if (!relation) return;
    efracrel.set_text(std::to_string(int{*relation}));
    show_frame(picture, editor.world.fracs[static_cast<std::size_t>(changed.item_index())].image);
}

void FractionsPage::Button17Click() {
    int8_t* relation = chosen_relation();
    if (!relation) return;
    const std::string text = efracrel.text();
    const int32_t value = str_to_int(text);
    // A relation is one signed byte: a wider number would turn into another
    // relation (200 into -56, a friend into a foe), so it is refused.
    constexpr int lowest = std::numeric_limits<int8_t>::min(), highest = std::numeric_limits<int8_t>::max();
    *relation = static_cast<int8_t>(refuse_outside(text, value, lowest, highest, "the relation range "));
}

void FractionsPage::world_replaced(bool is_shown) {
    // Open now, it shows the opened world, so that the pair of fractions SAVE
    // writes is the one on screen.
    if (is_shown) shown();
}

void FractionsPage::size_grids() { sg_frac.set_row_count(picture_rows(editor.world.fracs.size())); }
