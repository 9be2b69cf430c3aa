// The map page driven as a designer drives it: map ADD, the map list, the view
// rendered onto the grid by repaints, scrolls and the animation, the Options
// menu, the five palettes, and Save and Open through the File menu.
#include "dialogs/ground_dialog.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_player.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_triggers.h"
#include "model/tools.h"
#include "platform/errors.h"
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
        pick_page(page_control(), page::map);
    }

    int add_terrain(int frame, uint16_t frames = 1, int8_t kind = 0) {
        Tterrain t;
        t.kind = kind;
        t.hardness = 400;
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
    EXPECT_TRUE(map().Timer3.enabled());
    // Paint over the view; only the timer's render brings it back.
    Canvas& c = map().sg_map.canvas();
    c.brush_color = make_color(255, 0, 0);
    c.fill_rect(22, 22, 534, 534);
    ASSERT_TRUE(kit::user::tick(map().Timer3));
    EXPECT_FALSE(map().Timer3.enabled());
    for (int cy = 0; cy < shown_rows(); ++cy)
        for (int cx = 0; cx < shown_cols(); ++cx)
            ASSERT_EQ(view(cx, cy), frame_color((10 + cx + 2 * (20 + cy)) % 3)) << cx << ", " << cy;
    EXPECT_FALSE(kit::user::tick(map().Timer3));
}

TEST_F(MapPage, AnimationStepsTheMapViewAndThePreviews) {
    add_terrain(0, 8);
    add_map(20, 20);
    animation_timer().set_interval(3600 * 1000);  // only the test's own ticks
    EXPECT_FALSE(animation_timer().enabled());
    choose(animation_menu());
    EXPECT_TRUE(animation_menu().checked());
    EXPECT_TRUE(animation_timer().enabled());
    EXPECT_EQ(editor.anim_frame, 0);
    for (int k = 1; k <= 9; ++k) {
        ASSERT_TRUE(kit::user::tick(animation_timer()));
        EXPECT_EQ(editor.anim_frame, k % 8);
        EXPECT_EQ(view(3, 3), frame_color(k % 8)) << "tick " << k;
    }
    // Off again: the timer stops and every render shows frame 0.
    choose(animation_menu());
    EXPECT_FALSE(animation_menu().checked());
    EXPECT_FALSE(animation_timer().enabled());
    EXPECT_EQ(editor.anim_frame, 0);
    editor.anim_frame = 5;
    map().sg_map.refresh();
    EXPECT_EQ(view(3, 3), frame_color(0));
    EXPECT_EQ(editor.anim_frame, 0);

    // The terrain page's preview runs through the chosen number of frames; an
    // empty slot keeps the picture before it.
    pick_page(page_control(), page::terrain);
    terrain().terrain_frames = {10, 11, -1, 13, -1, -1, -1, -1};
    kit::user::pick(terrain().cb_timages, 2);  // "4"
    choose(animation_menu());
    const int frames_shown[] = {11, 11, 13, 10, 11, 11, 13};
    for (int k : frames_shown) {
        ASSERT_TRUE(kit::user::tick(animation_timer()));
        EXPECT_EQ(terrain().Image1.picture().pixel(5, 5), frame_color(k));
    }
    EXPECT_EQ(editor.anim_frame, 3);
    // The objects page's preview, two frames.
    pick_page(page_control(), page::objects);
    objects().object_frames = {20, 21, 22, 23, -1, -1, -1, -1};
    objects().cb_oimages.set_item_index(1);  // "2"
    for (int k : {20, 21, 20}) {
        ASSERT_TRUE(kit::user::tick(animation_timer()));
        EXPECT_EQ(objects().Image2.picture().pixel(5, 5), frame_color(k));
    }
    // A 32-pixel frame after a 64-pixel one leaves nothing of the larger picture.
    objects().object_frames = {21, frames32, -1, -1, -1, -1, -1, -1};
    ASSERT_TRUE(kit::user::tick(animation_timer()));
    EXPECT_EQ(objects().Image2.picture().pixel(50, 50), frame_color(frames32));
    ASSERT_TRUE(kit::user::tick(animation_timer()));
    EXPECT_EQ(objects().Image2.picture().pixel(5, 5), frame_color(21));
    EXPECT_EQ(objects().Image2.picture().pixel(50, 50), clWhite);
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

    choose(show_hidden_menu());
    EXPECT_FALSE(show_hidden_menu().checked());
    EXPECT_FALSE(editor.show_hidden);
    EXPECT_EQ(view(2, 2), frame_color(7));  // nothing redrawn yet
    map().sg_map.refresh();
    EXPECT_EQ(view(2, 2), frame_color(0));
    choose(show_hidden_menu());
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
    setgrids();

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
    choose(save_menu());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));
    // The same world saved by the world file's own writer gives the same bytes.
    const std::string again = dir_.file("again.wld");
    save_world(again, true, editor.world);
    EXPECT_EQ(read_file(file), read_file(again));

    QFile::remove(QString::fromStdString(file));
    choose(save_menu());  // cancelled
    choose(save_menu());  // confirmed with an empty name
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
    choose(open_menu());  // cancelled: nothing changes
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

// ---- editing the map

using kit::user::open_popup;
using kit::user::press_cell;

// A 20 x 20 map of grass with water, deep water and void terrains to paint,
// object templates that sink, float, and float and let things pass, an item,
// a resource and an NPC template.
class MapEditing : public MapPage {
protected:
    enum Terrain { grass, water, deep_water, void_ground };
    enum Object { rock, boat, mist };

    void SetUp() override {
        MapPage::SetUp();
        add_terrain(1, 1, 1);  // grass
        add_terrain(2, 1, terrain::water);
        add_terrain(3, 1, terrain::deep_water);
        add_terrain(4, 1, terrain::void_);
        TWorld& w = editor.world;
        for (const char* name : {"rock", "boat", "mist"}) {
            Tmapobject o;
            o.name = name;
            o.frame_count = 1;
            o.frames = {10 + static_cast<int>(w.pmapobjects.size())};
            o.frames2 = {-1};
            o.visible = true;
            w.pmapobjects.push_back(o);
        }
        w.pmapobjects[boat].floating = true;
        w.pmapobjects[mist].floating = true;
        w.pmapobjects[mist].passing = true;
        Tpitem sword;
        sword.name = "sword";
        sword.image = 5;
        sword.clip = -1;
        w.pitems.push_back(sword);
        Tpres arrows;
        arrows.name = "arrows";
        arrows.kind = resource_kind::ammo;
        arrows.image_one = 6;
        arrows.image_many = 7;
        w.presources.push_back(arrows);
        Tchar guard;
        guard.name = "guard";
        guard.figure = 8;
        guard.head = guard.body = -1;
        guard.left_hand.index = guard.right_hand.index = -1;
        w.pnpcs.push_back(guard);
        setgrids();
        add_map(20, 20, "cave");
        modal_->transcript.clear();
    }

    Tplace at(int x, int y) {
        Tplace p;
        make_place(0, x, y, p);
        return p;
    }
    void set_terrain(int x, int y, int t) { editor.world.maps[0].cells[x][y] = t; }
    // Selects map cell (x, y) with the left button, with a palette page open.
    void select(int x, int y) { press_cell(map().sg_map, x + 1, y + 1); }
    void place(int palette_page, int x, int y) {
        pick_page(map().PC2, palette_page);
        select(x, y);
    }
    void right_click(int x, int y) { press_cell(map().sg_map, x + 1, y + 1, kit::MouseButton::right); }
    int32_t put_object(int row, int x, int y) {
        place_object(row, at(x, y), editor.world);
        map().sg_map.refresh();
        return static_cast<int32_t>(editor.world.mapobjects.size()) - 1;
    }
    int32_t put_npc(int x, int y, const std::string& name = "guard") {
        Tcounter c;
        make_counter(0, 0, c);
        const int32_t n = place_npc(0, at(x, y), c, editor.world);
        editor.world.npcs[static_cast<std::size_t>(n)].name = name;
        map().sg_map.refresh();
        return n;
    }
    bool armed() { return map().move_object_mode || map().move_npc_mode; }
    bool drag_cursor() { return map().sg_map.cursor() == kit::Cursor::drag; }
};

TEST_F(MapEditing, SelectingACellWritesTheCaptionAndTheCell) {
    press_cell(map().sg_map, 3, 5);
    EXPECT_EQ(main_window().caption(), "map:cave X:3 Y:5");
    EXPECT_EQ(editor.cell_x, 2);
    EXPECT_EQ(editor.cell_y, 4);
    // With no map chosen a click does nothing.
    map().cb_maps.set_item_index(-1);
    press_cell(map().sg_map, 7, 8);
    EXPECT_EQ(main_window().caption(), "map:cave X:3 Y:5");
    EXPECT_EQ(editor.cell_x, 2);
}

TEST_F(MapEditing, ArrowKeysPaintEveryCellPassed) {
    pick_page(map().PC2, palette::terrains);
    press_cell(map().sg_terrains_2, 2, 0);  // deep water
    ASSERT_EQ(editor.cur_terrain, deep_water);
    select(0, 0);
    for (int key : {kit::keys::right, kit::keys::right, kit::keys::down, kit::keys::down, kit::keys::left})
        kit::user::press_key(map().sg_map, key);
    const std::vector<std::pair<int, int>> painted = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}};
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) {
            const bool on = std::find(painted.begin(), painted.end(), std::pair{x, y}) != painted.end();
            ASSERT_EQ(editor.world.maps[0].cells[x][y], on ? deep_water : grass) << x << ", " << y;
        }
    EXPECT_EQ(view(1, 2), frame_color(3));  // shown at once
    EXPECT_EQ(view(3, 2), frame_color(1));
    // A terrain selection that names no terrain (after an Open, say) paints nothing.
    editor.cur_terrain = 4;
    select(9, 9);
    EXPECT_EQ(editor.world.maps[0].cells[9][9], grass);
}

// What a left click places, by palette, template and what the cell holds.
TEST_F(MapEditing, PlacementFollowsTheTerrainAndWhatStandsThere) {
    struct Case {
        const char* what;
        int palette;
        int row;
        int terrain;
        std::function<void()> before;  // what already stands on cell (5, 5)
        std::size_t objects, npcs;     // after the click, in the world
    };
    const auto none = [] {};
    const auto object_there = [this] { put_object(rock, 5, 5); };
    const auto passable_there = [this] { put_object(mist, 5, 5); };
    const auto npc_there = [this] { put_npc(5, 5); };
    const Case cases[] = {
        {"sinking object on grass", palette::objects, rock, grass, none, 1, 0},
        {"sinking object on water", palette::objects, rock, water, none, 0, 0},
        {"sinking object on deep water", palette::objects, rock, deep_water, none, 0, 0},
        {"sinking object on void", palette::objects, rock, void_ground, none, 0, 0},
        {"floating object on water", palette::objects, boat, water, none, 1, 0},
        {"floating object on void", palette::objects, boat, void_ground, none, 1, 0},
        {"object beside an object", palette::objects, rock, grass, object_there, 2, 0},
        {"object where an NPC stands", palette::objects, boat, grass, npc_there, 0, 1},
        {"NPC on grass", palette::npcs, 0, grass, none, 0, 1},
        {"NPC on water", palette::npcs, 0, water, none, 0, 0},
        {"NPC on deep water", palette::npcs, 0, deep_water, none, 0, 0},
        {"NPC on void", palette::npcs, 0, void_ground, none, 0, 0},
        {"NPC on an object that lets things pass", palette::npcs, 0, grass, passable_there, 1, 0},
        {"NPC beside an NPC", palette::npcs, 0, grass, npc_there, 0, 1},
        {"object row that is gone", palette::objects, 7, grass, none, 0, 0},
        {"NPC row that is gone", palette::npcs, 3, grass, none, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TWorld& w = editor.world;
        w.mapobjects.clear();
        w.npcs.clear();
        set_terrain(5, 5, c.terrain);
        c.before();
        const TWorld before = w;
        editor.cur_object = c.palette == palette::objects ? c.row : 0;
        editor.cur_npc = c.palette == palette::npcs ? c.row : 0;
        place(c.palette, 5, 5);
        EXPECT_EQ(w.mapobjects.size(), c.objects);
        EXPECT_EQ(w.npcs.size(), c.npcs);
        if (w.mapobjects.size() + w.npcs.size() == before.mapobjects.size() + before.npcs.size()) {
            EXPECT_TRUE(w == before);  // a refused placement changes nothing
        } else if (c.palette == palette::objects) {
            EXPECT_EQ(w.mapobjects.back().row, c.row);
            EXPECT_EQ(w.mapobjects.back().place, at(5, 5));
        } else {
            EXPECT_EQ(w.npcs.back().place, at(5, 5));
            EXPECT_EQ(view(5, 5), frame_color(8));
        }
    }
    EXPECT_TRUE(modal_->transcript.empty());  // refusals say nothing
}

TEST_F(MapEditing, ItemsAndResourcesGoOnTheCell) {
    place(palette::items, 2, 3);
    ASSERT_EQ(editor.world.items.size(), 1u);
    EXPECT_EQ(editor.world.items[0].place, at(2, 3));
    EXPECT_EQ(editor.world.items[0].slot, slot::cell);
    EXPECT_EQ(view(2, 3), frame_color(5));

    // The amount asked; a cancelled box places 1.
    pick_page(map().PC2, palette::resources);
    press_cell(map().sg_pres_2, 0, 0);
    modal_->quant_answers = {25};
    select(4, 4);
    select(6, 4);
    ASSERT_EQ(editor.world.resources.size(), 2u);
    EXPECT_EQ(editor.world.resources[0].amount, 25);
    EXPECT_EQ(editor.world.resources[1].amount, 1);
    EXPECT_EQ(editor.world.resources[1].place, at(6, 4));
    EXPECT_EQ(editor.world.resources[1].link, links::cell);
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_quant -> 25", "ask_quant -> 1"}));
    EXPECT_EQ(view(4, 4), frame_color(7));  // many pieces
    EXPECT_EQ(view(6, 4), frame_color(6));

    // No amount is asked for a resource row that is gone.
    editor.cur_resource = 5;
    select(8, 4);
    EXPECT_EQ(modal_->transcript.size(), 2u);
    EXPECT_EQ(editor.world.resources.size(), 2u);
}

// While the amount is asked the map grid takes no input, and it takes input
// again afterwards even when asking failed.
class QuantWatch : public ScriptedModal {
public:
    std::function<void()> on_ask;
    int ask_quant() override {
        if (on_ask) on_ask();
        return ScriptedModal::ask_quant();
    }
};

TEST_F(MapEditing, TheGridIsDisabledWhileTheAmountIsAsked) {
    auto watch = std::make_unique<QuantWatch>();
    QuantWatch* q = watch.get();
    auto previous = set_modal(std::move(watch));
    std::vector<bool> enabled;
    q->on_ask = [&] { enabled.push_back(map().sg_map.enabled()); };
    editor.cur_resource = 0;
    place(palette::resources, 1, 1);
    q->on_ask = [&] { throw EditorError("box failed"); };
    select(2, 1);
    EXPECT_EQ(enabled, std::vector<bool>{false});
    EXPECT_TRUE(map().sg_map.enabled());
    EXPECT_EQ(editor.world.resources.size(), 1u);
    EXPECT_EQ(q->errors, std::vector<std::string>{"box failed."});
    set_modal(std::move(previous));
}

// A map added before any terrain holds terrain 0 in every cell, naming none:
// nothing reads past the empty terrain list, and such a cell counts as void.
TEST_F(MapEditing, AMapMadeBeforeAnyTerrain) {
    editor.world.terrains.clear();
    setgrids();
    place(palette::objects, 3, 3);
    place(palette::npcs, 4, 4);
    EXPECT_TRUE(editor.world.mapobjects.empty());
    EXPECT_TRUE(editor.world.npcs.empty());
    editor.cur_object = boat;
    place(palette::objects, 3, 3);
    EXPECT_EQ(editor.world.mapobjects.size(), 1u);
    // A right click on an empty cell opens the ground dialog on it.
    right_click(6, 7);
    auto& ground = dialog<TForm8>(editor.Form8);
    ASSERT_TRUE(ground.visible());
    EXPECT_EQ(ground.Label1.caption(), "Type: HARD:0 MAP:cave X:6 Y:7");
    kit::user::close(ground);
    EXPECT_TRUE(main_window().enabled());
}

TEST_F(MapEditing, TheObjectMove) {
    const int32_t moved = put_object(rock, 1, 1);
    put_object(boat, 3, 3);
    put_npc(5, 5);
    right_click(1, 1);
    ASSERT_EQ(open_popup(), &map().map_menu);
    EXPECT_EQ(editor.cur_placed_object, moved);
    EXPECT_EQ(map().deleteobject.caption(), "delete object 0 rock");
    EXPECT_EQ(map().properties.caption(), "properties 0 rock");
    choose(map().move1);
    EXPECT_TRUE(map().move_object_mode);
    EXPECT_TRUE(drag_cursor());

    // Onto an NPC: refused in the caption, and the move ends.
    select(5, 5);
    EXPECT_EQ(main_window().caption(), "Cell is not empty");
    EXPECT_EQ(editor.world.mapobjects[0].place, at(1, 1));
    EXPECT_FALSE(armed());
    EXPECT_FALSE(drag_cursor());
    EXPECT_FALSE(editor.world.npcs.empty());

    // Onto another object, on water: moved.
    set_terrain(3, 3, water);
    right_click(1, 1);
    choose(map().move1);
    const int64_t repairs = placed_index_repairs();
    select(3, 3);
    EXPECT_EQ(editor.world.mapobjects[0].place, at(3, 3));
    EXPECT_EQ(view(1, 1), frame_color(1));
    EXPECT_EQ(placed_index_repairs(), repairs);  // the page told the map view's index
    EXPECT_FALSE(armed());

    // An object that is gone.
    right_click(3, 3);
    choose(map().move1);
    editor.cur_placed_object = 9;
    select(8, 8);
    EXPECT_EQ(main_window().caption(), "Object not exists");
    EXPECT_FALSE(armed());
    EXPECT_TRUE(modal_->messages.empty());
}

TEST_F(MapEditing, TheNpcMoveStaysArmedOnAnOccupiedCell) {
    put_object(mist, 1, 1);
    put_npc(2, 2, "other");
    const int32_t guard = put_npc(5, 5);
    right_click(5, 5);
    ASSERT_EQ(open_popup(), &map().map_char_menu);
    EXPECT_EQ(editor.cur_placed_npc, guard);
    EXPECT_EQ(map().inv.caption(), "inv of 1 guard");
    choose(map().move2);
    EXPECT_TRUE(map().move_npc_mode);
    EXPECT_TRUE(drag_cursor());
    select(1, 1);  // an object, even one that lets things pass
    select(2, 2);  // another NPC
    EXPECT_EQ(modal_->messages, (std::vector<std::string>{"Cell is not empty", "Cell is not empty"}));
    EXPECT_TRUE(map().move_npc_mode);
    EXPECT_TRUE(drag_cursor());
    set_terrain(7, 7, deep_water);  // the terrain is not asked
    const int64_t repairs = placed_index_repairs();
    select(7, 7);
    EXPECT_EQ(editor.world.npcs[1].place, at(7, 7));
    EXPECT_FALSE(armed());
    EXPECT_FALSE(drag_cursor());
    EXPECT_EQ(view(7, 7), frame_color(8));
    EXPECT_EQ(placed_index_repairs(), repairs);  // the page told the map view's index

    right_click(7, 7);
    choose(map().move2);
    editor.cur_placed_npc = 2;
    select(9, 9);
    EXPECT_EQ(modal_->messages.back(), "NPC not exists");
    EXPECT_FALSE(armed());
}

TEST_F(MapEditing, ARightClickCancelsAnArmedMoveAndDoesNothingElse) {
    put_object(rock, 1, 1);
    put_npc(2, 2);
    for (kit::MenuItem* move : {&map().move1, &map().move2}) {
        right_click(move == &map().move1 ? 1 : 2, move == &map().move1 ? 1 : 2);
        choose(*move);
        ASSERT_TRUE(armed());
        const TWorld before = editor.world;
        right_click(1, 1);  // an object's cell: no menu
        EXPECT_EQ(open_popup(), nullptr);
        EXPECT_FALSE(armed());
        EXPECT_FALSE(drag_cursor());
        EXPECT_TRUE(editor.world == before);
        place(palette::objects, 9, 9);  // no move left to finish: the rock is placed
        EXPECT_EQ(editor.world.mapobjects.back().place, at(9, 9));
        EXPECT_EQ(editor.world.mapobjects[0].place, at(1, 1));
        editor.world.mapobjects.resize(1);
    }
}

TEST_F(MapEditing, OpenDisarmsAnArmedMove) {
    const std::string file = dir_.file("other.wld");
    put_object(rock, 1, 1);
    put_object(boat, 2, 2);
    put_npc(3, 3);
    save_as(file);
    for (kit::MenuItem* move : {&map().move1, &map().move2}) {
        right_click(move == &map().move1 ? 2 : 3, move == &map().move1 ? 2 : 3);
        choose(*move);
        open(file);
        EXPECT_FALSE(armed());
        EXPECT_FALSE(drag_cursor());
        pick_page(map().PC2, palette::terrains);
        select(9, 9);  // paints, moves nothing
        EXPECT_EQ(editor.world.mapobjects[1].place, at(2, 2));
        EXPECT_EQ(editor.world.npcs[0].place, at(3, 3));
        EXPECT_EQ(main_window().caption(), "map:cave X:10 Y:10");
    }
}

TEST_F(MapEditing, DeletingThroughTheMenusRemovesFromTheViewAtOnce) {
    put_object(rock, 1, 1);
    put_object(boat, 1, 1);
    put_npc(4, 4);
    // An object and an NPC on one cell: the object's menu.
    editor.world.npcs[0].place = at(1, 1);
    right_click(1, 1);
    ASSERT_EQ(open_popup(), &map().map_menu);
    choose(map().deleteobject);
    ASSERT_EQ(editor.world.mapobjects.size(), 1u);
    EXPECT_EQ(editor.world.mapobjects[0].row, boat);
    EXPECT_EQ(view(1, 1), frame_color(11));
    right_click(1, 1);
    choose(map().deleteobject);
    EXPECT_TRUE(editor.world.mapobjects.empty());
    EXPECT_EQ(view(1, 1), frame_color(8));  // the NPC under them
    right_click(1, 1);
    ASSERT_EQ(open_popup(), &map().map_char_menu);
    choose(map().delete3);
    EXPECT_TRUE(editor.world.npcs.empty());
    EXPECT_EQ(view(1, 1), frame_color(1));
    EXPECT_EQ(editor.cur_placed_npc, -1);
}

TEST_F(MapEditing, SetPlayerThenThePlayerPageShowsThatNpc) {
    put_npc(2, 2, "first");
    put_npc(6, 3, "hero");
    right_click(6, 3);
    choose(map().setplayer1);
    EXPECT_EQ(editor.world.player.npc, 1);
    pick_page(page_control(), page::player);
    EXPECT_EQ(player().Label87.caption().substr(0, 13), "object: hero\r");
    EXPECT_NE(player().Label87.caption().find("MAP:cave\rX:  6\rY:  3\r"), std::string::npos);
    EXPECT_EQ(player().Image5.picture().pixel(4, 4), frame_color(8));
}

// The menus open the secondary windows over the main window on the thing
// under the click, and the main window gets its input back when they close.
TEST_F(MapEditing, TheMenusOpenTheirWindows) {
    put_object(rock, 1, 1);
    put_object(boat, 2, 2);
    put_npc(4, 4);
    put_npc(6, 6, "hero");
    struct Case {
        int x, y;
        kit::MenuItem* item;
        kit::Window* SharedState::*window;
        std::string shows;  // the window's caption, or the ground dialog's cell text
    };
    const Case cases[] = {
        {2, 2, &map().properties, &SharedState::Form2, "1"},
        {2, 2, &map().parts1, &SharedState::Finv, ""},
        {2, 2, &map().ground1, &SharedState::Form8, "Type:ground HARD:400 MAP:cave X:2 Y:2"},
        {6, 6, &map().inv, &SharedState::Form5, "NPC #1 hero"},
        {6, 6, &map().settings1, &SharedState::Form10, "NPC #1 hero"},
        {9, 9, nullptr, &SharedState::Form8, "Type:ground HARD:400 MAP:cave X:9 Y:9"},
    };
    for (const Case& c : cases) {
        kit::Window& w = *(editor.*c.window);
        SCOPED_TRACE(w.name);
        right_click(c.x, c.y);
        if (c.item) choose(*c.item);
        EXPECT_TRUE(w.visible());
        EXPECT_FALSE(main_window().enabled());
        if (c.window == &SharedState::Form8) {
            EXPECT_EQ(dialog<TForm8>(editor.Form8).Label1.caption(), c.shows);
        } else if (!c.shows.empty()) {
            EXPECT_EQ(w.caption(), c.shows);
        }
        if (c.window == &SharedState::Finv) {
            EXPECT_EQ(editor.inv_target, &editor.world.mapobjects[1].parts);
        }
        kit::user::close(w);
        EXPECT_FALSE(w.visible());
        EXPECT_TRUE(main_window().enabled());
    }
    // "cancel" does nothing.
    const TWorld before = editor.world;
    right_click(1, 1);
    choose(map().cancel2);
    EXPECT_TRUE(editor.world == before);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_FALSE(armed());
}

// The grid's current cell clamped into a smaller map is no designer's selection.
TEST_F(MapEditing, SwitchingToASmallerMapPaintsNothing) {
    add_map(4, 4, "small");
    add_map(20, 20, "large");
    pick_page(map().PC2, palette::terrains);
    editor.cur_terrain = water;
    select(15, 15);
    kit::user::pick(map().cb_maps, 1);
    EXPECT_EQ(editor.world.maps[1].cells, tintmatrix(4, tintarray(4, 0)));
    EXPECT_EQ(editor.world.maps[2].cells[15][15], water);
}

// Up to four digits every header number is readable: no two of the last
// sixteen rows or columns of a 4096-cell side look alike, as they did when the
// numbers were cut after three digits.
TEST_F(MapEditing, HeaderNumbersAreReadableUpTo4096) {
    for (bool rows : {true, false}) {
        SCOPED_TRACE(rows ? "row headers" : "column headers");
        add_map(rows ? 1 : 4096, rows ? 4096 : 1);
        kit::StringGrid& g = map().sg_map;
        if (rows) g.set_top_row(4096);
        else g.set_left_col(4096);
        g.refresh();
        std::vector<std::vector<TColor>> shown;
        const int first = rows ? g.top_row() : g.left_col();
        for (int k = first; k <= 4096; ++k) {
            const kit::Rect r = rows ? g.cell_rect(0, k) : g.cell_rect(k, 0);
            if (r.width <= 0 || r.bottom() > g.client_height() || r.right() > g.client_width()) continue;
            std::vector<TColor> pixels;
            for (int y = r.top; y < r.bottom(); ++y)
                for (int x = r.left; x < r.right(); ++x) pixels.push_back(g.canvas().pixel(x, y));
            shown.push_back(pixels);
        }
        ASSERT_GE(shown.size(), 10u);
        for (std::size_t a = 0; a < shown.size(); ++a)
            for (std::size_t b = a + 1; b < shown.size(); ++b) EXPECT_NE(shown[a], shown[b]) << a << " " << b;
    }
}

TEST_F(MapEditing, ShiftAndTheWheelOrAHorizontalWheelScrollSideways) {
    add_map(64, 64);
    kit::StringGrid& g = map().sg_map;
    kit::user::wheel(g, -2, kit::ShiftState{.shift = true});
    EXPECT_GT(g.left_col(), 1);
    EXPECT_EQ(g.top_row(), 1);
    const int left = g.left_col();
    kit::user::wheel_sideways(g, -2);
    EXPECT_GT(g.left_col(), left);
    EXPECT_EQ(g.top_row(), 1);
    kit::user::wheel(g, -2);
    EXPECT_GT(g.top_row(), 1);
}

// A designer's session: two terrains, a map, painted cells, an object refused
// on water and placed on grass, a resource of 25, the object moved, saved; the
// world read back holds exactly that.
TEST_F(MapEditing, PaintPlaceMoveSaveAndReadBack) {
    TWorld& w = editor.world;
    w.terrains.resize(2);  // grass and water
    w.maps.clear();
    setgrids();
    add_map(10, 8, "isle");
    pick_page(map().PC2, palette::terrains);
    press_cell(map().sg_terrains_2, 1, 0);  // water
    select(0, 0);
    for (int k = 0; k < 3; ++k) kit::user::press_key(map().sg_map, kit::keys::right);
    press_cell(map().sg_terrains_2, 0, 0);  // grass everywhere else stays
    pick_page(map().PC2, palette::objects);
    press_cell(map().sg_objects_2, 0, 0);  // rock
    select(2, 0);                          // water: refused
    select(5, 5);
    pick_page(map().PC2, palette::resources);
    press_cell(map().sg_pres_2, 0, 0);
    modal_->quant_answers = {25};
    select(6, 6);
    right_click(5, 5);
    choose(map().move1);
    select(7, 2);
    const std::string file = dir_.file("isle.wld");
    save_as(file);
    ASSERT_TRUE(modal_->errors.empty());

    TWorld read;
    reset_world(read);
    load_world(file, read);
    ASSERT_EQ(read.maps.size(), 1u);
    tintmatrix cells(10, tintarray(8, grass));
    for (int x = 0; x < 4; ++x) cells[static_cast<std::size_t>(x)][0] = water;
    EXPECT_EQ(read.maps[0].cells, cells);
    ASSERT_EQ(read.mapobjects.size(), 1u);
    EXPECT_EQ(read.mapobjects[0].row, rock);
    EXPECT_EQ(read.mapobjects[0].place, at(7, 2));
    ASSERT_EQ(read.resources.size(), 1u);
    EXPECT_EQ(read.resources[0].amount, 25);
    EXPECT_EQ(read.resources[0].place, at(6, 6));
    EXPECT_TRUE(read.items.empty());
    EXPECT_TRUE(read.npcs.empty());
    EXPECT_TRUE(read.maps == w.maps);
    EXPECT_TRUE(read.mapobjects == w.mapobjects);
    EXPECT_TRUE(read.resources == w.resources);
}

}  // namespace
