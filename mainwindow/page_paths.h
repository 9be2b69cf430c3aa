#pragma once
// The Paths page: the two ends of a new path, its ways and the path table.
#include "platform/kit/kit.h"

class TForm1;

class PathsPage {
public:
    explicit PathsPage(TForm1& form);
    void start();
    void shown();

    TForm1& form;
    kit::TabSheet paths_page;
    kit::ComboBox cbpath_from_map{paths_page};
    kit::Edit epath_from_x{paths_page, "1"};
    kit::Edit epath_from_y{paths_page, "1"};
    kit::GroupBox RadioGroup2{paths_page};
    kit::RadioButton rb2way{RadioGroup2, "<--->", true};
    kit::RadioButton rb1way{RadioGroup2, "----->"};
    kit::ComboBox cbpath_to_map{paths_page};
    kit::Edit epath_to_x{paths_page, "2"};
    kit::Edit epath_to_y{paths_page, "2"};
    kit::Button Button31{paths_page, "V"};
    kit::StringGrid sgpaths{paths_page};
};
