#pragma once
// The two test pages: a field-of-view test ("Test 1") and a map view test ("Test 2").
#include "platform/kit/kit.h"

class TForm1;

class TestPages {
public:
    explicit TestPages(TForm1& form);
    void start();
    void shown();

    TForm1& form;
    kit::TabSheet TabSheet1;
    kit::Image Image4{TabSheet1};
    kit::Label Label6{TabSheet1, "Label6"};
    kit::Button Button9{TabSheet1, "Button9"};
    kit::TabSheet TabSheet6;
    kit::Image Image3{TabSheet6};
    kit::Edit Edit1{TabSheet6, "1"};
    kit::Edit Edit2{TabSheet6, "1"};
    kit::Edit Edit3{TabSheet6, "1"};
    kit::Button Button8{TabSheet6, "Button8"};
};
