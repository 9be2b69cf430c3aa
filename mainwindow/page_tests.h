#pragma once
// The two test pages, which try two routines of the lower layers on the
// current world without changing it: "Test 2" renders 12 x 12 cells of map 0
// at a typed place and animation frame; "Test 1" renders the same window and
// runs the field of view over bodies made from the placed objects.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

class TestPages : public Page {
public:
    explicit TestPages(PageHost& host);
    void start() override;
    void shown() override;

    void Button8Click();  // the map view test
    void Button9Click();  // the field-of-view test

    PageHost& host;
    SharedState& editor;
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
