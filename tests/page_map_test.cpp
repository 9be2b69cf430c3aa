// The map page driven as a designer drives it: map ADD, the map list, the view
// rendered onto the grid by repaints, scrolls and the animation, the Options
// menu, the five palettes, and Save and Open through the File menu.
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_triggers.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

#include <QDir>
#include <QFile>

namespace {

using kit::user::choose;
using kit::user::click;
using kit::user::pick_page;
using kit::user::process_events;
using kit::user::type_text;

class MapPage : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(form().PC, page::map);
    }

    int add_terrain(int frame, uint16_t frames = 1) {
        Tterrain t;
        t.frame_count = frames;
        for (int k = 0; k < frames; ++k) t.frames.push_back(frame + k);
        editor.world.terrains.push_back(t);
        return static_cast<int>(editor.world.terrains.size()) - 1;
    }
    void add_map(int width, int height, const std::string& name = "new map") {
        type_text(map().e_map_w, std::to_string(width));
        type_text(map().e_map_h, std::to_string(height));
        type_text(map().e_map_name, name);
        click(map().Button5);
    }
    // The colour the grid shows at the centre of view cell (cx, cy).
    TColor view(int cx, int cy) { return map().sg_map.canvas().pixel(22 + cx * 32 + 16, 22 + cy * 32 + 16); }
    // View cells whose centre the grid's client area shows.
    int shown_cols() { return std::min(16, (map().sg_map.client_width() - 22 - 17) / 32 + 1); }
    int shown_rows() { return std::min(16, (map().sg_map.client_height() - 22 - 17) / 32 + 1); }
};

TEST_F(MapPage, AddWithTheDesignValues) {
    click(map().Button5);
    ASSERT_EQ(editor.world.maps.size(), 1u);
    const Tmap& m = editor.world.maps[0];
    EXPECT_EQ(m.name, "new map");
    EXPECT_EQ(m.width, 32);
    EXPECT_EQ(m.height, 32);
    EXPECT_EQ(m.cells, tintmatrix(32, tintarray(32, 0)));
    kit::StringGrid& g = map().sg_map;
    EXPECT_EQ(g.col_count(), 33);
    EXPECT_EQ(g.row_count(), 33);
    EXPECT_EQ(g.fixed_cols(), 1);
    EXPECT_EQ(g.fixed_rows(), 1);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(g.cell(i + 1, 0), std::to_string(i));
        EXPECT_EQ(g.cell(0, i + 1), std::to_string(i));
    }
    EXPECT_EQ(map().cb_maps.item_index(), 0);
    EXPECT_EQ(map().cb_maps.text(), "new map");
    // No terrain exists yet: terrain 0 names none, so every cell shows black.
    EXPECT_EQ(view(0, 0), clBlack);
    EXPECT_EQ(view(5, 7), clBlack);
    EXPECT_TRUE(modal_->transcript.empty());

    // A second map of the same name: both listed, the Triggers page's map list
    // follows the new one, its event map list stays on the first.
    add_map(20, 10);
    EXPECT_EQ(map().cb_maps.items(), (std::vector<std::string>{"new map", "new map"}));
    EXPECT_EQ(map().cb_maps.item_index(), 1);
    EXPECT_EQ(triggers().cb_trig_map.item_index(), 1);
    EXPECT_EQ(triggers().cb_event_map.item_index(), 0);
    EXPECT_EQ(triggers().cb_event_map.count(), 2);
    EXPECT_EQ(g.col_count(), 21);
    EXPECT_EQ(g.row_count(), 11);
}

TEST_F(MapPage, AddRefusesBadSizesAndAcceptsEmptyOnes) {
    const std::pair<const char*, const char*> refused[] = {
        {"-1", "A map's width and height must not be negative."},
        {"3x", "'3x' is not a valid integer value."}};
    for (const auto& [text, message] : refused) {
        for (bool width : {true, false}) {
            modal_->errors.clear();
            type_text(map().e_map_w, width ? text : "4");
            type_text(map().e_map_h, width ? "4" : text);
            click(map().Button5);
            EXPECT_EQ(modal_->errors, std::vector<std::string>{message}) << text;
            EXPECT_TRUE(editor.world.maps.empty());
            EXPECT_EQ(map().cb_maps.count(), 0);
        }
    }
    // A size that would take more memory than any machine has is refused before
    // anything is allocated.
    modal_->errors.clear();
    type_text(map().e_map_w, "100000");
    type_text(map().e_map_h, "100000");
    click(map().Button5);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"A map may have at most 16777216 cells."});
    EXPECT_TRUE(editor.world.maps.empty());
    EXPECT_EQ(map().cb_maps.count(), 0);
    // A side longer than any map needs is refused too, also beside a side of 0,
    // where the map has no cells but the grid would still get a header per row.
    const std::pair<const char*, const char*> long_sides[] = {
        {"1", "65537"}, {"65537", "1"}, {"0", "2000000000"}, {"2000000000", "0"}};
    for (const auto& [w, h] : long_sides) {
        modal_->errors.clear();
        type_text(map().e_map_w, w);
        type_text(map().e_map_h, h);
        click(map().Button5);
        ASSERT_EQ(modal_->errors, std::vector<std::string>{"A map may be at most 65536 cells wide and high."})
            << w << " x " << h;
        ASSERT_TRUE(editor.world.maps.empty());
    }
    modal_->errors.clear();
    // Empty texts count as 0: a map without cells, then a real one gets its headers back.
    type_text(map().e_map_w, "");
    type_text(map().e_map_h, "");
    click(map().Button5);
    ASSERT_EQ(editor.world.maps.size(), 1u);
    EXPECT_EQ(editor.world.maps[0].width, 0);
    EXPECT_EQ(map().sg_map.col_count(), 1);
    add_map(3, 2);
    EXPECT_EQ(map().sg_map.col_count(), 4);
    EXPECT_EQ(map().sg_map.fixed_cols(), 1);
    EXPECT_EQ(map().sg_map.fixed_rows(), 1);
    EXPECT_EQ(map().sg_map.cell(3, 0), "2");
    EXPECT_EQ(map().sg_map.cell(0, 2), "1");
    EXPECT_EQ(modal_->errors.size(), 0u);
}

// Every map shows its cells as soon as it is chosen, whatever its size: the
// view is rendered after the grid has painted its cells, so none is covered.
TEST_F(MapPage, EveryMapSizeShowsItsCellsOnceChosen) {
    add_terrain(3);
    const std::pair<int, int> sizes[] = {{1, 1}, {5, 5}, {14, 40}, {40, 14}, {15, 40}, {40, 15},
                                         {15, 15}, {16, 16}, {32, 32}, {100, 3}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        add_map(w, h);
        for (int cy = 0; cy < shown_rows(); ++cy)
            for (int cx = 0; cx < shown_cols(); ++cx)
                ASSERT_EQ(view(cx, cy), cx < w && cy < h ? frame_color(3) : clBlack) << cx << ", " << cy;
    }
    // Scrolled to its last row and column, and repainted after an edit.
    add_map(40, 40);
    kit::user::scroll_to(map().sg_map, 40, 40);
    ASSERT_GT(map().sg_map.top_row(), 20);
    editor.world.maps.back().cells[39][39] = -1;  // names no terrain
    map().sg_map.refresh();
    const int left = map().sg_map.left_col() - 1, top = map().sg_map.top_row() - 1;
    for (int cy = 0; cy < shown_rows(); ++cy)
        for (int cx = 0; cx < shown_cols(); ++cx) {
            const int x = left + cx, y = top + cy;
            const bool on = x < 40 && y < 40 && !(x == 39 && y == 39);
            ASSERT_EQ(view(cx, cy), on ? frame_color(3) : clBlack) << x << ", " << y;
        }
}

TEST_F(MapPage, ScrollRendersOnceThreeMillisecondsLater) {
    for (int t = 0; t < 3; ++t) add_terrain(t);
    add_map(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) editor.world.maps[0].cells[x][y] = (x + 2 * y) % 3;
    // A scroll as the scroll bars make it, then one from code, whose tick the
    // test delivers itself.
    kit::user::scroll_to(map().sg_map, 5, 5);
    EXPECT_EQ(map().sg_map.left_col(), 5);
    map().sg_map.set_top_left(11, 21);
    EXPECT_TRUE(form().Timer3.enabled());
    // Paint over the view; only the timer's render brings it back.
    Canvas& c = map().sg_map.canvas();
    c.brush_color = make_color(255, 0, 0);
    c.fill_rect(22, 22, 534, 534);
    ASSERT_TRUE(kit::user::tick(form().Timer3));
    EXPECT_FALSE(form().Timer3.enabled());
    for (int cy = 0; cy < shown_rows(); ++cy)
        for (int cx = 0; cx < shown_cols(); ++cx)
            ASSERT_EQ(view(cx, cy), frame_color((10 + cx + 2 * (20 + cy)) % 3)) << cx << ", " << cy;
    EXPECT_FALSE(kit::user::tick(form().Timer3));
}

TEST_F(MapPage, AnimationStepsTheMapViewAndThePreviews) {
    add_terrain(0, 8);
    add_map(20, 20);
    form().Timer2.set_interval(3600 * 1000);  // only the test's own ticks
    EXPECT_FALSE(form().Timer2.enabled());
    choose(form().animation1);
    EXPECT_TRUE(form().animation1.checked());
    EXPECT_TRUE(form().Timer2.enabled());
    EXPECT_EQ(editor.anim_frame, 0);
    for (int k = 1; k <= 9; ++k) {
        ASSERT_TRUE(kit::user::tick(form().Timer2));
        EXPECT_EQ(editor.anim_frame, k % 8);
        EXPECT_EQ(view(3, 3), frame_color(k % 8)) << "tick " << k;
    }
    // Off again: the timer stops and every render shows frame 0.
    choose(form().animation1);
    EXPECT_FALSE(form().animation1.checked());
    EXPECT_FALSE(form().Timer2.enabled());
    EXPECT_EQ(editor.anim_frame, 0);
    editor.anim_frame = 5;
    map().sg_map.refresh();
    EXPECT_EQ(view(3, 3), frame_color(0));
    EXPECT_EQ(editor.anim_frame, 0);

    // The terrain page's preview runs through the chosen number of frames; an
    // empty slot keeps the picture before it.
    pick_page(form().PC, page::terrain);
    editor.terrain_frames = {10, 11, -1, 13, -1, -1, -1, -1};
    kit::user::pick(terrain().cb_timages, 2);  // "4"
    choose(form().animation1);
    const int frames_shown[] = {11, 11, 13, 10, 11, 11, 13};
    for (int k : frames_shown) {
        ASSERT_TRUE(kit::user::tick(form().Timer2));
        EXPECT_EQ(terrain().Image1.picture().pixel(5, 5), frame_color(k));
    }
    EXPECT_EQ(editor.anim_frame, 3);
    // The objects page's preview, two frames.
    pick_page(form().PC, page::objects);
    editor.object_frames = {20, 21, 22, 23, -1, -1, -1, -1};
    objects().cb_oimages.set_item_index(1);  // "2"
    for (int k : {20, 21, 20}) {
        ASSERT_TRUE(kit::user::tick(form().Timer2));
        EXPECT_EQ(objects().Image2.picture().pixel(5, 5), frame_color(k));
    }
}

TEST_F(MapPage, ShowHiddenTakesEffectAtTheNextRender) {
    add_terrain(0);
    add_map(20, 20);
    Tmapobject o;
    make_place(0, 2, 2, o.place);
    o.frame_count = 1;
    o.frames = {7};
    o.visible = false;
    editor.world.mapobjects.push_back(o);
    map().sg_map.refresh();
    EXPECT_EQ(view(2, 2), frame_color(7));

    choose(form().Showhidden1);
    EXPECT_FALSE(form().Showhidden1.checked());
    EXPECT_FALSE(editor.show_hidden);
    EXPECT_EQ(view(2, 2), frame_color(7));  // nothing redrawn yet
    map().sg_map.refresh();
    EXPECT_EQ(view(2, 2), frame_color(0));
    choose(form().Showhidden1);
    EXPECT_TRUE(editor.show_hidden);
}

// The five palettes: three entries a row, each cell showing the entry a click
// on it selects; cells past the catalogue change no selection.
TEST_F(MapPage, PalettesShowAndSelectEntryColumnPlusThreeTimesRow) {
    TWorld& w = editor.world;
    for (int i = 0; i < 5; ++i) add_terrain(i);
    for (int i = 0; i < 7; ++i) {
        Tmapobject o;
        o.frames = {10 + i};
        w.pmapobjects.push_back(o);
    }
    for (int i = 0; i < 4; ++i) {
        Tpitem it;
        it.image = 5 + i;
        w.pitems.push_back(it);
    }
    for (int i = 0; i < 3; ++i) {
        Tpres r;
        r.image_one = 20 + i;
        r.image_many = 0;
        w.presources.push_back(r);
    }
    Tchar npc;
    npc.figure = 25;
    w.pnpcs.push_back(npc);
    form().setgrids();

    struct Case {
        int page;
        kit::StringGrid* grid;
        int* selection;
        int rows;
        std::vector<int> pictures;
    };
    const Case cases[] = {{palette::terrains, &map().sg_terrains_2, &editor.cur_terrain, 2, {0, 1, 2, 3, 4}},
                          {palette::objects, &map().sg_objects_2, &editor.cur_object, 3, {10, 11, 12, 13, 14, 15, 16}},
                          {palette::items, &map().sg_pitems_2, &editor.cur_item, 2, {5, 6, 7, 8}},
                          {palette::resources, &map().sg_pres_2, &editor.cur_resource, 2, {20, 21, 22}},
                          {palette::npcs, &map().sg_pnpc2, &editor.cur_npc, 1, {25}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid->name);
        pick_page(map().PC2, c.page);
        EXPECT_EQ(c.grid->row_count(), c.rows);
        EXPECT_EQ(c.grid->col_count(), 3);
        EXPECT_GE(c.grid->visible_col_count(), 3);
        c.grid->refresh();
        for (int e = 0; e < 3 * c.rows; ++e) {
            const int col = e % 3, row = e / 3;
            const kit::Rect r = c.grid->cell_rect(col, row);
            if (r.width <= 0 || r.bottom() > c.grid->client_height()) continue;
            const TColor shown = c.grid->canvas().pixel(r.left + 4, r.top + 4);
            const bool exists = e < static_cast<int>(c.pictures.size());
            if (exists) EXPECT_EQ(shown, frame_color(c.pictures[static_cast<std::size_t>(e)])) << "entry " << e;
            else EXPECT_NE(shown, frame_color(0)) << "entry " << e;
            *c.selection = 99;
            kit::user::press_cell(*c.grid, col, row);
            EXPECT_EQ(*c.selection, exists ? e : 99) << "entry " << e;
        }
    }
}

TEST_F(MapPage, PalettesOfEmptyCataloguesHaveOneRowAndSelectNothing) {
    const int before[] = {editor.cur_terrain, editor.cur_object, editor.cur_item, editor.cur_resource,
                          editor.cur_npc};
    kit::StringGrid* grids[] = {&map().sg_terrains_2, &map().sg_objects_2, &map().sg_pitems_2, &map().sg_pres_2,
                                &map().sg_pnpc2};
    for (int p = 0; p < 5; ++p) {
        pick_page(map().PC2, p);
        EXPECT_EQ(grids[p]->row_count(), 1);
        for (int col = 0; col < 3; ++col) kit::user::press_cell(*grids[p], col, 0);
    }
    const int after[] = {editor.cur_terrain, editor.cur_object, editor.cur_item, editor.cur_resource,
                         editor.cur_npc};
    EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after)));
}

// ---- Save and Open

// A world of three maps, each all of one terrain, two fractions and a trigger.
TWorld three_maps() {
    TWorld w;
    reset_world(w);
    for (int t = 0; t < 3; ++t) {
        Tterrain terrain;
        terrain.frame_count = 1;
        terrain.frames = {t + 1};
        w.terrains.push_back(terrain);
    }
    const int sizes[][2] = {{20, 10}, {5, 5}, {40, 30}};
    for (int m = 0; m < 3; ++m) {
        Tmap map;
        map.name = std::string("map ") + static_cast<char>('a' + m);
        map.width = sizes[m][0];
        map.height = sizes[m][1];
        map.cells.assign(static_cast<std::size_t>(map.width), tintarray(static_cast<std::size_t>(map.height), m));
        w.maps.push_back(map);
    }
    for (const char* name : {"elves", "orcs"}) {
        Tfrac f;
        f.name = name;
        w.fracs.push_back(f);
    }
    w.fracrel.assign(2, std::vector<int8_t>(2, 0));
    Ttrigger t;
    t.name = "gate";
    w.triggers.push_back(t);
    return w;
}

TEST_F(MapPage, SaveAsksForANameInTheCurrentFolderAndRemembersIt) {
    click(map().Button5);
    const std::string file = dir_.file("one.wld");
    const std::string cwd = QDir::currentPath().toStdString();
    modal_->save_answers = {file, std::nullopt, std::string()};
    choose(form().Save1);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));
    // The same world saved by the world file's own writer gives the same bytes.
    const std::string again = dir_.file("again.wld");
    save_world(again, true, editor.world);
    EXPECT_EQ(read_file(file), read_file(again));

    QFile::remove(QString::fromStdString(file));
    choose(form().Save1);  // cancelled
    choose(form().Save1);  // confirmed with an empty name
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    EXPECT_EQ(modal_->transcript,
              (std::vector<std::string>{"save_file(" + cwd + "||wld) -> " + file,
                                        "save_file(" + cwd + "|" + file + "|wld) -> cancel",
                                        "save_file(" + cwd + "|" + file + "|wld) -> "}));
    EXPECT_EQ(map().cb_maps.count(), 1);  // nothing on the screen changed
}

TEST_F(MapPage, SaveThenOpenShowsTheOpenedWorld) {
    const std::string file = dir_.file("three.wld");
    editor.world = three_maps();
    save_as(file);
    click(map().Button5);  // a fourth map on screen before the Open
    ASSERT_EQ(map().cb_maps.count(), 4);
    modal_->transcript.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_EQ(modal_->transcript.front(), "open_file(" + QDir::currentPath().toStdString() + "||) -> " + file);

    EXPECT_EQ(editor.world.maps.size(), 3u);
    EXPECT_EQ(map().cb_maps.items(), (std::vector<std::string>{"map a", "map b", "map c"}));
    EXPECT_EQ(map().cb_maps.item_index(), 2);
    EXPECT_EQ(triggers().cb_trig_map.item_index(), 0);
    EXPECT_EQ(triggers().cb_event_map.count(), 3);
    EXPECT_EQ(map().sg_map.col_count(), 41);
    EXPECT_EQ(map().sg_map.row_count(), 31);
    EXPECT_EQ(map().sg_map.cell(40, 0), "39");
    EXPECT_EQ(map().sg_map.cell(0, 30), "29");
    EXPECT_EQ(view(0, 0), frame_color(3));  // map c is all terrain 2, frame 3
    EXPECT_EQ(view(15, 15), frame_color(3));
    EXPECT_EQ(map().sg_terrains_2.row_count(), 2);
    EXPECT_EQ(npc().cb_pnpc_frac.items(), (std::vector<std::string>{"elves", "orcs"}));
    EXPECT_EQ(npc().cb_pnpc_frac.item_index(), 0);
    EXPECT_EQ(triggers().lb_triggers.items(), std::vector<std::string>{"id:0 gate"});

    // Picking another map sizes the grid to it.
    kit::user::pick(map().cb_maps, 1);
    EXPECT_EQ(map().sg_map.col_count(), 6);
    EXPECT_EQ(view(0, 0), frame_color(2));
    EXPECT_EQ(view(5, 0), clBlack);

    // The open dialog offers the last name again.
    modal_->transcript.clear();
    choose(form().OPen1);  // cancelled: nothing changes
    EXPECT_EQ(modal_->transcript.back(), "open_file(" + QDir::currentPath().toStdString() + "|" + file + "|) -> cancel");
    EXPECT_EQ(map().cb_maps.item_index(), 1);
}

TEST_F(MapPage, OpenOfAWorldWithoutMapsKeepsTheGrid) {
    const std::string file = dir_.file("empty.wld");
    TWorld empty;
    reset_world(empty);
    save_world(file, true, empty);
    add_map(12, 9);
    open(file);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_TRUE(editor.world.maps.empty());
    EXPECT_EQ(map().cb_maps.count(), 0);
    EXPECT_EQ(map().cb_maps.item_index(), -1);
    EXPECT_EQ(map().sg_map.col_count(), 13);
    EXPECT_EQ(map().sg_map.row_count(), 10);
}

// A world file may hold a map of width 0 with a height of any length (it takes
// no cells in the file): the grid gets no rows for it, and no header texts.
TEST_F(MapPage, OpenOfAMapWithoutCellsGivesAnEmptyGrid) {
    const std::string file = dir_.file("empty_maps.wld");
    const std::pair<int32_t, int32_t> sizes[] = {{0, 100000}, {100000, 0}, {0, INT32_MAX}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        TWorld world;
        reset_world(world);
        Tmap flat;
        flat.name = "flat";
        flat.width = w;
        flat.height = h;
        flat.cells.assign(static_cast<std::size_t>(w), tintarray());
        world.maps.push_back(flat);
        save_world(file, true, world);
        open(file);
        ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
        ASSERT_EQ(map().cb_maps.item_index(), 0);
        ASSERT_EQ(map().sg_map.col_count(), 1);
        ASSERT_EQ(map().sg_map.row_count(), 1);
        EXPECT_EQ(map().sg_map.cell(0, 1), "");
    }
    // A map with cells after it gets its headers.
    add_map(3, 2);
    EXPECT_EQ(map().sg_map.row_count(), 3);
    EXPECT_EQ(map().sg_map.cell(0, 2), "1");
}

TEST_F(MapPage, AFailedOpenLeavesTheWorldAndTheListsAsTheyWere) {
    add_terrain(4);
    add_map(12, 9, "kept");
    const TWorld before = editor.world;
    const std::string empty_file = dir_.file("empty.wld");
    {
        QFile f(QString::fromStdString(empty_file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A cut-off file: the first sections of a world of three maps.
    const std::string cut = dir_.file("cut.wld");
    save_world(cut, true, three_maps());
    {
        QFile f(QString::fromStdString(cut));
        ASSERT_TRUE(f.resize(f.size() / 2));
    }
    const std::pair<std::string, std::string> cases[] = {{empty_file, "Read beyond end of file."},
                                                         {cut, "Read beyond end of file."},
                                                         {dir_.file("missing.wld"), "File not found."}};
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        modal_->errors.clear();
        open(file);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{message});
        EXPECT_TRUE(editor.world == before);
        EXPECT_EQ(map().cb_maps.items(), std::vector<std::string>{"kept"});
        EXPECT_EQ(map().cb_maps.item_index(), 0);
        EXPECT_EQ(map().sg_map.col_count(), 13);
        EXPECT_EQ(map().sg_terrains_2.row_count(), 1);
        map().sg_map.refresh();
        EXPECT_EQ(view(11, 8), frame_color(4));
    }
}

}  // namespace
