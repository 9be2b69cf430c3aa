#pragma once
// The main window's frame: the menus File and Options, the page control with
// its fourteen pages, the tile palette the catalogue pages share, the two
// timers, the popup menus of the map and the image lists of the pickers.
// Each page is a class of its own (page_*.h), held here so that this header
// includes none of them.
#include "mainwindow/state.h"
#include "platform/modal.h"

#include <memory>

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

// The pages of PC, by index; the index counts the events page, whose tab is hidden.
namespace page {
constexpr int terrain = 0, map = 1, objects = 2, items = 3, resources = 4, fractions = 5, npc = 6, events = 7,
              craft = 8, paths = 9, player = 10, triggers = 11, test1 = 12, test2 = 13;
}

// Fixed design sizes of the main window.
namespace form1_design {
constexpr int client_width = 920;
constexpr int client_height = 690;
constexpr int palette_left = 792;
constexpr int palette_top = 24;
constexpr int palette_width = 120;
constexpr int palette_height = 660;
}  // namespace form1_design

class TForm1 : public kit::Window {
public:
    TForm1();
    ~TForm1() override;

    // ---- handlers of the window
    void FormCreate();
    void FormShow();
    // Another page was opened by its tab: places the tile palette for it,
    // lets the page bring itself up to date, writes the page number into the caption.
    void PCChange();
    // Sizes every catalogue grid and palette for its catalogue's length and
    // refills the resource pickers.
    void setgrids();
    // Opens a secondary window over this one (kit::Window::show_over: it stays
    // above this one and opens centred over it), which takes no input until
    // the window closes and gives it back; nothing when there is no window.
    void open_secondary(kit::Window* window);

    // ---- File menu
    void Save1Click();
    void OPen1Click();

    // ---- menus
    kit::MainMenu MainMenu1{*this};
    kit::MenuItem File1{MainMenu1, "File"};
    kit::MenuItem Save1{File1, "Save"};
    kit::MenuItem OPen1{File1, "Open"};
    kit::MenuItem Options1{MainMenu1, "Options"};
    kit::MenuItem animation1{Options1, "animation"};
    kit::MenuItem Showhidden1{Options1, "Show hidden"};
    // File dialogs: each keeps the last name chosen in it.
    FileDialogRequest sd_world{"", "", "world file|*.wld", "wld"};
    FileDialogRequest od_world{"", "", "world file|*.wld", ""};

    // ---- timers
    kit::Timer Timer2{250, false};  // animation
    kit::Timer Timer3{3, false};    // the one render after a scroll

    // ---- popup menus
    kit::PopupMenu framemenu;
    kit::MenuItem setframe{framemenu, "set frame"};
    kit::PopupMenu map_menu;
    kit::MenuItem deleteobject{map_menu, "delete object"};
    kit::MenuItem properties{map_menu, "properties"};
    kit::MenuItem move1{map_menu, "move"};
    kit::MenuItem ground1{map_menu, "ground"};
    kit::MenuItem cancel2{map_menu, "cancel"};
    kit::MenuItem parts1{map_menu, "parts"};
    kit::PopupMenu map_char_menu;
    kit::MenuItem inv{map_char_menu, "inv"};
    kit::MenuItem settings1{map_char_menu, "settings"};
    kit::MenuItem move2{map_char_menu, "move"};
    kit::MenuItem delete3{map_char_menu, "delete"};
    kit::MenuItem setplayer1{map_char_menu, "set player"};

    // ---- image lists of the pickers
    kit::ImageList il1{32, 32}, il2{32, 32}, il3{32, 32};
    kit::ImageList il_cr_res{32, 32}, il_it_cr{32, 32}, il_cr_obj{64, 64};

    // ---- the page control, the tile palette and the pages, in page order
    kit::PageControl PC{*this};
    // On the terrain page by design; start-up makes it the window's own.
    kit::StringGrid sg_tiles{*this};
    std::unique_ptr<TerrainPage> terrain;
    std::unique_ptr<MapPage> map;
    std::unique_ptr<ObjectsPage> objects;
    std::unique_ptr<ItemsPage> items;
    std::unique_ptr<ResourcesPage> resources;
    std::unique_ptr<FractionsPage> fractions;
    std::unique_ptr<NpcPage> npc;
    std::unique_ptr<EventsPage> events;
    std::unique_ptr<CraftPage> craft;
    std::unique_ptr<PathsPage> paths;
    std::unique_ptr<PlayerPage> player;
    std::unique_ptr<TriggersPage> triggers;
    std::unique_ptr<TestPages> tests;

private:
    // With no tiles nothing may act on the world, which is not reset then.
    void disable_pages();
};
