#pragma once
// The Paths page: the two ends of a new path, its ways and the path table.
// Paths are appended with "V" and removed with the Delete key on the table;
// deleting one keeps the events that name later paths naming them.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

class PathsPage : public Page {
public:
    explicit PathsPage(PageHost& host);
    void start() override;
    // Opened by its tab: the map lists take the world's maps (when it has
    // any), and the table shows the world's paths.
    void shown() override;
    void world_replaced(bool is_shown) override;

    void Button31Click();  // "V": appends the path the fields describe
    // Rebuilds the path table: one row per path under the headers.
    void sgpaths_reset();
    void sgpathsKeyDown(int& key, kit::ShiftState shift);  // Delete removes the selected path

    PageHost& host;
    SharedState& editor;
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
