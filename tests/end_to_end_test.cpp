// The program from start to end on the sample tiles: the windows are created
// and the message loop runs; from inside it a designer's session adds a map,
// looks at it, saves it through the save dialog, opens it again and closes the
// main window. The saved file must be the one the world file writer makes for
// the same world.
#include "mainwindow/main.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"
#include "worldfile/worldfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

std::string read_file(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

TEST(EndToEnd, AddAMapSaveItOpenItAgain) {
    TempDir dir;
    ASSERT_EQ(QProcess::execute(MAKE_TILES_PATH, {QString::fromStdString(dir.file("tiles"))}), 0);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path())));
    ScriptedModalGuard modal;
    const std::string saved = dir.file("first.wld");
    modal->save_answers = {saved};
    modal->open_answers = {saved};

    create_windows();
    TForm1& f = *editor.Form1;
    ASSERT_GT(editor.tile_count, 0);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        using namespace kit::user;
        ran = true;
        pick_page(*f.PC, 1);
        EXPECT_EQ(f.caption(), "1");
        type_text(*f.e_map_name, "first map");
        click(*f.Button5);
        EXPECT_EQ(f.sg_map->col_count(), 33);
        // No terrain yet: the map shows black cells.
        EXPECT_EQ(f.sg_map->canvas().pixel(22 + 40, 22 + 40), clBlack);
        scroll_to(*f.sg_map, 5, 7);
        choose(*f.animation1);
        tick(*f.Timer2);
        choose(*f.animation1);
        choose(*f.Save1);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(saved)));

        // Change the world, then open the saved one over it.
        type_text(*f.e_map_name, "second map");
        click(*f.Button5);
        EXPECT_EQ(f.cb_maps->count(), 2);
        choose(*f.OPen1);
        EXPECT_EQ(f.cb_maps->items(), std::vector<std::string>{"first map"});
        EXPECT_EQ(f.cb_maps->item_index(), 0);
        EXPECT_EQ(f.sg_map->col_count(), 33);
        EXPECT_EQ(f.sg_map->cell(32, 0), "31");
        close(f);
    });
    kit::user::reset_main_window_closed();
    const int rc = kit::run(f);
    EXPECT_TRUE(ran);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(kit::user::main_window_closed());
    EXPECT_TRUE(modal->errors.empty()) << modal->errors.front();

    // The same world made without the editor, written by the world file writer.
    TWorld expected;
    reset_world(expected);
    Tmap map;
    map.name = "first map";
    map.width = map.height = 32;
    map.cells.assign(32, tintarray(32, 0));
    expected.maps.push_back(map);
    const std::string reference = dir.file("reference.wld");
    save_world(reference, true, expected);
    const std::string bytes = read_file(saved);
    EXPECT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == read_file(reference)) << "the saved file differs from the writer's";
    EXPECT_TRUE(editor.world == expected);

    destroy_windows();
    kit::user::reset_main_window_closed();
    QDir::setCurrent(previous);
}

}  // namespace
