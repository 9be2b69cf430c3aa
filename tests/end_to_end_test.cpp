// The program from start to end on the sample tiles: the windows are created
// and the message loop runs; from inside it a designer's session adds a map,
// looks at it, saves it through the save dialog, opens it again and closes the
// main window. The saved file must be the one the world file writer makes for
// the same world.
#include "mainwindow/main.h"
#include "mainwindow/page_map.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

#include <QFile>
#include <QProcess>
#include <QTimer>

namespace {

// On the sample tiles of the tile generator, started by the test itself.
class EndToEnd : public EditorFixture {
protected:
    EndToEnd() { start_at_set_up = false; }
};

TEST_F(EndToEnd, AddAMapSaveItOpenItAgain) {
    ASSERT_EQ(QProcess::execute(MAKE_TILES_PATH, {QString::fromStdString(tiles())}), 0);
    const std::string saved = dir_.file("first.wld");
    modal_->save_answers = {saved};
    modal_->open_answers = {saved};

    create_windows();
    TForm1& f = form();
    MapPage& m = map();
    ASSERT_GT(editor.tile_count, 0);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        using namespace kit::user;
        ran = true;
        pick_page(f.PC, page::map);
        EXPECT_EQ(f.caption(), "1");
        type_text(m.e_map_name, "first map");
        click(m.Button5);
        EXPECT_EQ(m.sg_map.col_count(), 33);
        // No terrain yet: the map shows black cells.
        EXPECT_EQ(m.sg_map.canvas().pixel(22 + 40, 22 + 40), clBlack);
        scroll_to(m.sg_map, 5, 7);
        choose(f.animation1);
        tick(f.Timer2);
        choose(f.animation1);
        choose(f.Save1);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(saved)));

        // Change the world, then open the saved one over it.
        type_text(m.e_map_name, "second map");
        click(m.Button5);
        EXPECT_EQ(m.cb_maps.count(), 2);
        choose(f.OPen1);
        EXPECT_EQ(m.cb_maps.items(), std::vector<std::string>{"first map"});
        EXPECT_EQ(m.cb_maps.item_index(), 0);
        EXPECT_EQ(m.sg_map.col_count(), 33);
        EXPECT_EQ(m.sg_map.cell(32, 0), "31");
        close(f);
    });
    kit::user::reset_main_window_closed();
    const int rc = kit::run(f);
    EXPECT_TRUE(ran);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(kit::user::main_window_closed());
    EXPECT_TRUE(modal_->errors.empty()) << modal_->errors.front();

    // The same world made without the editor, written by the world file writer.
    TWorld expected;
    reset_world(expected);
    Tmap map;
    map.name = "first map";
    map.width = map.height = 32;
    map.cells.assign(32, tintarray(32, 0));
    expected.maps.push_back(map);
    const std::string reference = dir_.file("reference.wld");
    save_world(reference, true, expected);
    const std::string bytes = read_file(saved);
    EXPECT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == read_file(reference)) << "the saved file differs from the writer's";
    EXPECT_TRUE(editor.world == expected);

    kit::user::reset_main_window_closed();
}

}  // namespace
