#pragma once
// The main window's frame: the menus File and Options, the page control with
// its fourteen pages, the tile palette the catalogue pages share and the
// animation timer. Each page is a class of its own (page_*.h), held here so
// that this header includes none of them; the frame is every page's host and
// runs each of its steps over the pages in page order.
#include "mainwindow/page.h"
#include "platform/modal.h"

#include <memory>
#include <vector>

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

// Fixed design sizes of the main window.
namespace form1_design {
constexpr int client_width = 920;
constexpr int client_height = 690;
constexpr int palette_left = 792;
constexpr int palette_top = 24;
constexpr int palette_width = 120;
constexpr int palette_height = 660;
}  // namespace form1_design

class TForm1 : public kit::Window, public PageHost {
public:
    TForm1();
    ~TForm1() override;

    // ---- handlers of the window
    void FormCreate();
    void FormShow();
    // Another page was opened by its tab: places the tile palette for it,
    // lets the page bring itself up to date, writes the page number into the caption.
    void PCChange();
    // Every page sizes its catalogue grids and palettes for its catalogue's
    // length and refills its resource pickers.
    void setgrids() override;
    // Opens a secondary window over this one (kit::Window::show_over: it stays
    // above this one and opens centred over it), which takes no input until
    // the window closes and gives it back; nothing when there is no window.
    void open_secondary(kit::Window* window) override;
    void Timer2Timer();  // animation step: the shown page draws the next frame
    void animation1Click();
    void Showhidden1Click();

    // ---- what the pages see of the window (PageHost)
    SharedState& state() override;
    kit::PageControl& page_control() override { return PC; }
    kit::Window& window() override { return *this; }
    void repaint_map() override;
    bool animating() const override { return animation1.checked(); }
    void catalogue_changed(Catalogue catalogue, int row) override;
    void tile_picked(int n) override;

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

    // ---- the animation timer
    kit::Timer Timer2{250, false};

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
    // Constructs a page in page order: it appends its tabs.
    template <typename P>
    std::unique_ptr<P> add_page();

    // The page whose tab is open, nullptr for none.
    Page* shown_page() const;

    std::vector<Page*> pages_;      // in page order
    std::vector<Page*> tab_owner_;  // the page of each tab of PC, by index
};
