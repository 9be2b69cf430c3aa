#pragma once
// The fixture of every window test: the editor started as the program starts
// it, in a temporary folder made the current one, on a tiles folder of known
// colours, with scripted modal boxes.
//
// Each test includes the headers of the pages and dialogs it drives.
//
//   class MapPageTest : public EditorFixture {};
//   TEST_F(MapPageTest, Add) {
//       kit::user::click(map().Button5);
//       EXPECT_EQ(map().cb_maps.count(), 1);
//   }
#include "app/startup.h"
#include "mainwindow/main.h"
#include "tests/support/hostile_run.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

class EditorFixture : public ::testing::Test {
public:
    // The tiles folder the fixture writes: frames32 frames of 32 x 32 pixels in
    // a_32x32.bmp, then frames64 frames of 64 x 64 in b_64x64.bmp; frame k is
    // all frame_color(k).
    static constexpr int frames32 = tile_frames32, frames64 = tile_frames64;
    static TColor frame_color(int k);
    // Writes folder/name holding count frames of size x size pixels in one row,
    // frame k all frame_color(first + k).
    static void write_strip(const std::string& folder, const std::string& name, int count, int size = 32,
                            int first = 0);
    static std::string read_file(const std::string& path);
    // The pairs of visible controls and captions placed directly on container
    // whose boxes overlap (a caption covered by a field is cut off), as
    // "<first> / <second>" (a caption by its text, a control by its kind and
    // place); empty when none do.
    static std::vector<std::string> overlaps(const kit::Control& container);

protected:
    // Enters the folder; unless start_at_set_up is cleared, writes the tiles and starts.
    void SetUp() override;
    // Takes the windows down, if started, and goes back to the previous folder.
    void TearDown() override;

    // Creates the eleven windows and shows the main window, as the program does.
    void start();
    // Picks tile n in the tile palette, as the designer does before a picture.
    void pick_tile(int n);
    // Appends resource templates of these kinds straight to the catalogue,
    // named "r<row>" with the one-piece picture 10 + row, and runs setgrids.
    void put_resources(std::initializer_list<int32_t> kinds);
    // The colour a picture grid shows near the top-left corner of entry e's
    // cell (column e mod 3, row e / 3), after a repaint.
    static TColor cell_colour(kit::StringGrid& grid, int e);
    std::string tiles() const { return dir_.path() + "/tiles"; }

    TForm1& form() { return static_cast<TForm1&>(*editor.Form1); }
    TerrainPage& terrain();
    MapPage& map();
    ObjectsPage& objects();
    ItemsPage& items();
    ResourcesPage& resources();
    FractionsPage& fractions();
    NpcPage& npc();
    EventsPage& events();
    CraftPage& craft();
    PathsPage& paths();
    PlayerPage& player();
    TriggersPage& triggers();
    TestPages& test_pages();
    // A secondary window by its class: dialog<TForm8>(editor.Form8).
    template <typename T>
    T& dialog(kit::Window* window) {
        return dynamic_cast<T&>(*window);
    }

    // File > Save and File > Open, the file dialog answered with path.
    void save_as(const std::string& path);
    void open(const std::string& path);

    bool start_at_set_up = true;
    ScriptedModalGuard modal_;
    TempDir dir_;

private:
    QString previous_;
};
