#include "mainwindow/page_tests.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

TestPages::TestPages(TForm1& form) : form(form), TabSheet1(form.PC, "Test 1"), TabSheet6(form.PC, "Test 2") {
    TabSheet1.name = "TabSheet1";
    TabSheet6.name = "TabSheet6";
    form.lay_out({
        {Image4, "Image4", 8, 8, 425, 409},
        {Label6, "Label6", 444, 8},
        {Button9, "Button9", 444, 40, 80, 26},
        {Image3, "Image3", 8, 8, 384, 384},
        {Edit1, "Edit1", 404, 8, 50, 22},
        {Edit2, "Edit2", 404, 36, 50, 22},
        {Edit3, "Edit3", 404, 64, 50, 22},
        {Button8, "Button8", 404, 96, 80, 26},
    });
}

void TestPages::start() {}

void TestPages::shown() {}
