#pragma once
// What every page of the main window's page control does for the window. The
// window keeps its pages in page order and runs each step over all of them:
// its creation (start), File > Open (world_replaced), page switching (shown,
// for the page whose tab was opened), setgrids (size_grids) and the
// notifications of its host (mainwindow/page_host.h).
#include "mainwindow/page_host.h"

// The pages of the page control, by index; the index counts the events page,
// whose tab is hidden.
namespace page {
constexpr int terrain = 0, map = 1, objects = 2, items = 3, resources = 4, fractions = 5, npc = 6, events = 7,
              craft = 8, paths = 9, player = 10, triggers = 11, test1 = 12, test2 = 13;
}

// Where the window's tile palette stands while a page is shown.
struct PalettePlace {
    bool visible;
    int cell, width, left;
};

class Page {
public:
    virtual ~Page() = default;
    // Its share of the window's creation.
    virtual void start() {}
    // The world was replaced by File > Open; is_shown: this page is the one open.
    virtual void world_replaced(bool is_shown) { (void)is_shown; }
    // Opened by its tab.
    virtual void shown() {}
    // Its grids and pickers sized and refilled for the catalogue lengths.
    virtual void size_grids() {}
    // See PageHost::catalogue_changed and PageHost::tile_picked.
    virtual void catalogue_changed(Catalogue catalogue, int row) {
        (void)catalogue;
        (void)row;
    }
    virtual void tile_picked(int n) { (void)n; }
    // One step of the animation timer while this page is shown.
    virtual void animation_step() {}
    // Where the tile palette stands on it; hidden by default.
    virtual PalettePlace palette_place() const { return {false, 32, 120, 792}; }
};
