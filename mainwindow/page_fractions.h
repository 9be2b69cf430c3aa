#pragma once
// The fractions page: the fractions, the picture and name of one fraction, and
// the relation of one fraction to another.
#include "platform/kit/kit.h"

class TForm1;

class FractionsPage {
public:
    explicit FractionsPage(TForm1& form);
    void start();
    // Lists the fractions in both relation pickers and shows the relation of
    // the first to the first.
    void shown();

    TForm1& form;
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
};
