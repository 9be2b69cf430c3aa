#pragma once
// The fixture of every window test: the editor started as the program starts
// it, in a temporary folder made the current one, on a tiles folder of known
// colours, with scripted modal boxes.
//
// Each test includes the headers of the pages and dialogs it drives; the few
// that drive the frame's own menus and timer include mainwindow/main.h. The
// shared data is the fixture's `editor`.
//
//   class MapPageTest : public EditorFixture {};
//   TEST_F(MapPageTest, Add) {
//       kit::user::click(map().Button5);
//       EXPECT_EQ(map().cb_maps.count(), 1);
//   }
#include "app/startup.h"
#include "mainwindow/page.h"
#include "mainwindow/shared_state.h"
#include "tests/support/hostile_run.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class TForm1;
class TerrainPage;
class MapPage;
class ObjectsPage;
class ItemsPage;
class ResourcesPage;
class FractionsPage;
class NpcPage;
class EventsPage;
class CraftPage;
class PathsPage;
class PlayerPage;
class TriggersPage;
class TestPages;

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

    // The data every window shares.
    SharedState& editor = shared_state();
    // The main window: as a window, its page control and tile palette, and
    // the whole frame (mainwindow/main.h) for its menus and timer.
    kit::Window& main_window() { return *editor.Form1; }
    kit::PageControl& page_control();
    kit::StringGrid& tile_palette();
    TForm1& form();
    kit::Timer& animation_timer();
    kit::MenuItem& save_menu();
    kit::MenuItem& open_menu();
    kit::MenuItem& animation_menu();
    kit::MenuItem& show_hidden_menu();
    // Every page sizes its grids for the catalogues, as after an ADD.
    void setgrids();
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

    // The designer types each text into its field, in order, and presses
    // button: the one error shown is error and the world is as it was. The
    // fields then get back the texts they had.
    void expect_refused(const std::vector<std::pair<kit::Edit*, std::string>>& typed, kit::Button& button,
                        const std::string& error);

    // File > Save and File > Open, the file dialog answered with path.
    void save_as(const std::string& path);
    void open(const std::string& path);

    bool start_at_set_up = true;
    ScriptedModalGuard modal_;
    TempDir dir_;

private:
    QString previous_;
};
