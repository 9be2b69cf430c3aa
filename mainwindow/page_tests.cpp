// The two test pages: a field-of-view test ("Test 1") and a map view test ("Test 2").
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_test_pages() {
    TabSheet1 = &make<kit::TabSheet>(*PC, "Test 1");
    TabSheet1->name = "TabSheet1";
    PLACE(Image4, *TabSheet1, 8, 8, 425, 409);
    Label6 = add_label(*TabSheet1, 444, 8, "Label6", "Label6");
    PLACE(Button9, *TabSheet1, 444, 40, 80, 26, "Button9");

    TabSheet6 = &make<kit::TabSheet>(*PC, "Test 2");
    TabSheet6->name = "TabSheet6";
    PLACE(Image3, *TabSheet6, 8, 8, 384, 384);
    PLACE(Edit1, *TabSheet6, 404, 8, 50, 22, "1");
    PLACE(Edit2, *TabSheet6, 404, 36, 50, 22, "1");
    PLACE(Edit3, *TabSheet6, 404, 64, 50, 22, "1");
    PLACE(Button8, *TabSheet6, 404, 96, 80, 26, "Button8");
}
