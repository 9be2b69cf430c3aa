#pragma once
// The fractions page: the fractions, the picture and name of one fraction, and
// the relation of one fraction to another.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

#include <cstdint>

class FractionsPage : public Page {
public:
    explicit FractionsPage(PageHost& host);
    void start() override;
    // Lists the fractions in both relation pickers and shows the relation of
    // the first to the first.
    void shown() override;
    void world_replaced(bool is_shown) override;
    void size_grids() override;
    PalettePlace palette_place() const override { return {true, 64, 216, 648}; }

    // Fraction e of the grid becomes the one UPDATE rewrites; its picture and
    // name are shown for editing. Called only for a fraction that exists.
    void sg_fracSelectCell(int e);
    // Takes the current tile as the fraction's picture.
    void ifracClick();
    void Button14Click();  // ADD: a new fraction with a row and a column of zero relations
    void Button48Click();  // UPDATE: the selected fraction gets the picture and name shown
    // The chosen pair's relation into efracrel, the chosen fraction's picture beside it.
    void cbfrac1Change();
    void cbfrac2Change();
    void Button17Click();  // SAVE: efracrel becomes the relation of the first fraction to the second

    PageHost& host;
    SharedState& editor;
    int frac_image = 0;    // the picture picked for the fraction
    int cur_fraction = 0;  // the fraction UPDATE rewrites
    kit::TabSheet TabSheet7;
    kit::Image ifrac{TabSheet7};
    kit::Edit efracname{TabSheet7};
    kit::Button Button14{TabSheet7, "ADD"};
    kit::Button Button48{TabSheet7, "UPDATE"};
    kit::GroupBox gb_fracrel{TabSheet7};
    kit::ComboBox cbfrac1{gb_fracrel};
    kit::Image ifrac1{gb_fracrel};
    kit::Edit efracrel{gb_fracrel};
    kit::Button Button17{gb_fracrel, "SAVE"};
    kit::ComboBox cbfrac2{gb_fracrel};
    kit::Image ifrac2{gb_fracrel};
    kit::StringGrid sg_frac{TabSheet7};

private:
    // The relation of the fractions chosen in cbfrac1 and cbfrac2, or nullptr
    // when either names no fraction of the world now (the lists are refilled
    // only when the page opens or at ADD, so after an Open they may be stale).
    int8_t* chosen_relation();
    // Refills both relation pickers with the fractions' names, the first chosen.
    void fill_relation_lists();
    // The chosen pair's relation into efracrel, the fraction chosen in changed
    // into picture; nothing when the pair names no relation.
    void show_relation(const kit::ComboBox& changed, kit::Image& picture);
};
