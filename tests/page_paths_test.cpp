// The Paths page driven as a designer drives it: opening it lists the maps and
// the paths, "V" appends a path (refused without a chosen map), the Delete key
// removes the selected one and the events naming later paths follow; Save and
// a reload keep every field.
#include "mainwindow/page_paths.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::type_text;

class PathsPage : public EditorFixture {
protected:
    ::PathsPage& p() { return paths(); }
    void add_maps(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            Tmap m;
            m.name = name;
            editor.world.maps.push_back(m);
        }
    }
    // Opens the page by its tab, from another page.
    void open_page() {
        pick_page(page_control(), page::terrain);
        pick_page(page_control(), page::paths);
    }
    std::vector<std::string> row(int r) {
        std::vector<std::string> out;
        for (int c = 0; c < 9; ++c) out.push_back(p().sgpaths.cell(c, r));
        return out;
    }
    void press_delete_on(int r) {
        kit::user::press_cell(p().sgpaths, 1, r);
        kit::user::press_key(p().sgpaths, kit::keys::del);
    }
};

using Row = std::vector<std::string>;

TEST_F(PathsPage, WithoutMapsVIsRefusedAndTheListsKeepTheirTexts) {
    open_page();
    EXPECT_EQ(p().cbpath_from_map.text(), "cbpath_from_map");
    EXPECT_EQ(p().cbpath_to_map.text(), "cbpath_to_map");
    EXPECT_EQ(row(0), (Row{"\xB9", "map from", "X", "Y", "map to", "X", "Y", "length", "ways"}));
    EXPECT_EQ(p().sgpaths.row_count(), 2);
    click(p().Button31);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Choose a map for both ends of the path."});
    EXPECT_TRUE(editor.world.paths.empty());
    // The Delete key on the empty table does nothing.
    press_delete_on(1);
    EXPECT_TRUE(editor.world.paths.empty());
}

TEST_F(PathsPage, VAppendsAPathAndTheTableShowsIt) {
    add_maps({"cave", "town"});
    open_page();
    for (kit::ComboBox* list : {&p().cbpath_from_map, &p().cbpath_to_map}) {
        EXPECT_EQ(list->items(), (std::vector<std::string>{"cave", "town"}));
        EXPECT_EQ(list->item_index(), 0);
    }
    // The design values, both ways.
    click(p().Button31);
    ASSERT_EQ(editor.world.paths.size(), 1u);
    EXPECT_EQ(editor.world.paths[0], (Tpath{Tplace{1, 1, 0}, Tplace{2, 2, 0}, 0, ways::both}));
    EXPECT_EQ(p().sgpaths.row_count(), 2);
    EXPECT_EQ(row(1), (Row{"1", "cave", "1", "1", "cave", "2", "2", "0", "both"}));

    // One way to the other map; empty fields count as 0.
    pick(p().cbpath_to_map, 1);
    click(p().rb1way);
    type_text(p().epath_from_x, "");
    type_text(p().epath_to_y, "-7");
    click(p().Button31);
    ASSERT_EQ(editor.world.paths.size(), 2u);
    EXPECT_EQ(editor.world.paths[1], (Tpath{Tplace{0, 1, 0}, Tplace{2, -7, 1}, 0, ways::one_way}));
    EXPECT_EQ(p().sgpaths.row_count(), 3);
    EXPECT_EQ(row(2), (Row{"2", "cave", "0", "1", "town", "2", "-7", "0", "one way"}));

    // A coordinate that is no number appends nothing, whichever it is.
    for (kit::Edit* e : {&p().epath_from_x, &p().epath_from_y, &p().epath_to_x, &p().epath_to_y}) {
        SCOPED_TRACE(e->name);
        const std::string kept = e->text();
        type_text(*e, "1.5");
        modal_->errors.clear();
        click(p().Button31);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{"'1.5' is not a valid integer value."});
        EXPECT_EQ(editor.world.paths.size(), 2u);
        type_text(*e, kept);
    }
}

// Paths from a file are shown checked: a map index naming no map shows an
// empty name, a ways value other than 1 and 2 nothing.
TEST_F(PathsPage, RecordedIndexesAreShownChecked) {
    add_maps({"a", "b"});
    editor.world.paths = {Tpath{Tplace{3, 4, 7}, Tplace{5, 6, -1}, 9, 0}, Tpath{Tplace{0, 0, 1}, Tplace{0, 0, 0}, 0, 5}};
    open_page();
    EXPECT_EQ(row(1), (Row{"1", "", "3", "4", "", "5", "6", "9", ""}));
    EXPECT_EQ(row(2), (Row{"2", "b", "0", "0", "a", "0", "0", "0", ""}));
}

// Deleting a path by the Delete key: events naming later paths follow it, one
// naming it names none (-1); the table shrinks to the paths left, never below
// one row.
TEST_F(PathsPage, DeleteKeepsPathEventsTrue) {
    add_maps({"a"});
    editor.world.paths.resize(3);
    for (int i = 0; i < 3; ++i) editor.world.paths[static_cast<std::size_t>(i)].from.x = 10 + i;
    Ttrigger t;
    for (const auto& [a, target] : {std::pair{action::switch_path_ways, 2}, std::pair{action::set_path_ways, 1},
                                    std::pair{action::set_path_ways, 0}, std::pair{action::act_trigger, 2}}) {
        Tevent e;
        e.action = a;
        e.target = target;
        t.events.push_back(e);
    }
    editor.world.triggers.push_back(t);
    open_page();
    ASSERT_EQ(p().sgpaths.row_count(), 4);

    press_delete_on(2);
    ASSERT_EQ(editor.world.paths.size(), 2u);
    EXPECT_EQ(editor.world.paths[1].from.x, 12);
    std::vector<int32_t> targets;
    for (const Tevent& e : editor.world.triggers[0].events) targets.push_back(e.target);
    EXPECT_EQ(targets, (std::vector<int32_t>{1, -1, 0, 2}));
    EXPECT_EQ(p().sgpaths.row_count(), 3);
    EXPECT_EQ(p().sgpaths.cell(2, 2), "12");

    // Other keys do nothing; the last paths go one by one down to one empty row.
    kit::user::press_key(p().sgpaths, 'A');
    EXPECT_EQ(editor.world.paths.size(), 2u);
    press_delete_on(2);
    EXPECT_EQ(p().sgpaths.row_count(), 2);
    EXPECT_EQ(p().sgpaths.cell(2, 1), "10");
    press_delete_on(1);
    EXPECT_TRUE(editor.world.paths.empty());
    EXPECT_EQ(p().sgpaths.row_count(), 2);
    EXPECT_EQ(row(1), Row(9, ""));
    press_delete_on(1);
    EXPECT_TRUE(modal_->errors.empty());
}

// A world opened while the page is open: the table and the map lists show
// it, so the Delete key removes the path on screen. A world without maps
// leaves the map lists, and "V" refuses the maps they still show.
TEST_F(PathsPage, APathSurvivesSaveAndReloadAndOpenRefreshesThePage) {
    add_maps({"cave", "town"});
    open_page();
    pick(p().cbpath_to_map, 1);
    type_text(p().epath_from_x, "3");
    type_text(p().epath_from_y, "4");
    type_text(p().epath_to_x, "5");
    type_text(p().epath_to_y, "6");
    click(p().rb1way);
    click(p().Button31);
    const TWorld saved = editor.world;
    const std::string file = dir_.file("paths.wld");
    save_as(file);

    TWorld other;
    reset_world(other);
    other.paths.resize(4);
    const std::string bare = dir_.file("bare.wld");
    save_world(bare, true, other);
    open(bare);
    EXPECT_EQ(p().sgpaths.row_count(), 5);
    EXPECT_EQ(row(1), (Row{"1", "", "0", "0", "", "0", "0", "0", ""}));
    EXPECT_EQ(p().cbpath_from_map.count(), 2);
    modal_->errors.clear();
    click(p().Button31);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"Choose a map for both ends of the path."});
    EXPECT_EQ(editor.world.paths.size(), 4u);

    modal_->errors.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_TRUE(editor.world == saved);
    EXPECT_EQ(row(1), (Row{"1", "cave", "3", "4", "town", "5", "6", "0", "one way"}));
    EXPECT_EQ(p().sgpaths.row_count(), 2);
}

}  // namespace
