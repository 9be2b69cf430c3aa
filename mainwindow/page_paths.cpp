#include "mainwindow/page_paths.h"

#include "mainwindow/lookups.h"
#include "mainwindow/world_tables.h"
#include "model/tools.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

namespace {

// The shared state, for the helpers of this file that belong to no page.
SharedState& editor = shared_state();

constexpr int number_width = 8;  // design width of the row number column

// The name of map index, or the empty text when it names no map.
std::string map_name(int32_t index) {
    const Tmap* map = entry_at(editor.world.maps, index);
    return map ? map->name : std::string();
}

// The map chosen in a list, refused when it names no map of the world: the
// list is empty, or it still shows the maps of a world opened since.
int32_t chosen_map(const kit::ComboBox& list) {
    const int m = list.item_index();
    if (!entry_at(editor.world.maps, m)) throw EditorError("Choose a map for both ends of the path");
    return m;
}

}  // namespace

PathsPage::PathsPage(PageHost& host) : host(host), editor(host.state()), paths_page(host.page_control(), "Paths") {
    paths_page.name = "paths_page";
    host.window().lay_out({
        {cbpath_from_map, "cbpath_from_map", 40, 24, 160, 22, "map", 8, 28},
        {epath_from_x, "epath_from_x", 224, 24, 44, 22, "X", 210, 28},
        {epath_from_y, "epath_from_y", 290, 24, 44, 22, "Y", 276, 28},
        {RadioGroup2, "RadioGroup2", 350, 4, 110, 70},
        {rb2way, "rb2way", 8, 16, 94, 22},
        {rb1way, "rb1way", 8, 40, 94, 22},
        {cbpath_to_map, "cbpath_to_map", 508, 24, 160, 22, "map", 476, 28},
        {epath_to_x, "epath_to_x", 692, 24, 44, 22, "X", 678, 28},
        {epath_to_y, "epath_to_y", 758, 24, 44, 22, "Y", 744, 28},
        {Button31, "Button31", 820, 20, 60, 30},
        {sgpaths, "sgpaths", 8, 84, 700, 540},
    });
    kit::caption(host.window(), paths_page, "From", 8, 8);
    kit::caption(host.window(), paths_page, "To", 476, 8);
    kit::note(host.window(), paths_page, "<-Select row and press DEL to remove Path", {716, 84, 180, 60});
    cbpath_from_map.set_text("cbpath_from_map");
    cbpath_to_map.set_text("cbpath_to_map");
    kit::table_grid(sgpaths, 9, 2);
    Button31.on_click = [this] { Button31Click(); };
    sgpaths.on_key_down = [this](int& key, kit::ShiftState shift) { sgpathsKeyDown(key, shift); };
}

void PathsPage::start() {}

void PathsPage::shown() {
    if (!editor.world.maps.empty()) {
        for (kit::ComboBox* list : {&cbpath_from_map, &cbpath_to_map}) {
            list->clear();
            for (const Tmap& map : editor.world.maps) list->add(map.name);
            list->set_item_index(0);
        }
    }
    // Always, also without maps: the Delete key removes the path a row
    // number names, so the table must show the world's paths as they are.
    sgpaths_reset();
}

void PathsPage::Button31Click() {
    // Every field first: a refused one leaves the list as it was.
    Tpath path;
    path.from.map = chosen_map(cbpath_from_map);
    path.from.x = str_to_int(epath_from_x.text());
    path.from.y = str_to_int(epath_from_y.text());
    path.to.map = chosen_map(cbpath_to_map);
    path.to.x = str_to_int(epath_to_x.text());
    path.to.y = str_to_int(epath_to_y.text());
    path.ways = rb2way.checked() ? ways::both : ways::one_way;
    editor.world.paths.push_back(path);
    sgpaths_reset();
}

void PathsPage::sgpaths_reset() {
    const Tpaths& paths = editor.world.paths;
    sgpaths.set_row_height(0, 16);
    sgpaths.set_col_count(9);
    sgpaths.set_row_count(2);
    const char* headers[] = {number_header, "map from", "X", "Y", "map to", "X", "Y", "length", "ways"};
    for (int c = 0; c < 9; ++c) {
        sgpaths.set_cell(c, 0, headers[c]);
        sgpaths.set_cell(c, 1, "");
    }
    if (paths.size() > 1) sgpaths.set_row_count(static_cast<int>(paths.size()) + 1);
    LongestTexts longest(9);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const Tpath& p = paths[i];
        const int r = static_cast<int>(i) + 1;
        const std::string texts[] = {std::to_string(r),         map_name(p.from.map),      std::to_string(p.from.x),
                                     std::to_string(p.from.y),  map_name(p.to.map),        std::to_string(p.to.x),
                                     std::to_string(p.to.y),    std::to_string(p.length),
                                     p.ways == ways::one_way ? "one way" : p.ways == ways::both ? "both" : ""};
        for (int c = 0; c < 9; ++c) {
            sgpaths.set_cell(c, r, texts[c]);
            longest.note(static_cast<std::size_t>(c), texts[c]);
        }
    }
    // Every header and text whole; the map names measured one by one.
    std::vector<std::string> names;
    for (const Tmap& m : editor.world.maps) names.push_back(m.name);
    fit_number_column(sgpaths, number_width, paths.size());
    for (int c = 1; c < 9; ++c) {
        std::vector<std::string> texts = {headers[c], longest[static_cast<std::size_t>(c)]};
        if (c == 1 || c == 4) texts.insert(texts.end(), names.begin(), names.end());
        fit_column(sgpaths, c, sgpaths.default_col_width(), texts);
    }
}

void PathsPage::sgpathsKeyDown(int& key, kit::ShiftState) {
    if (key != kit::keys::del) return;
    const int t = sgpaths.selection().top;
    const auto count = static_cast<int>(editor.world.paths.size());
    if (t < 1 || t > count) return;
    delete_path(t - 1, editor.world);
    sgpaths_reset();
}

void PathsPage::world_replaced(bool is_shown) {
    // Open now, it shows the opened world.
    if (is_shown) shown();
}
