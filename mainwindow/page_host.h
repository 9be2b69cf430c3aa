#pragma once
// What a page of the main window's page control sees of the window: the
// shared state (the world, the tiles, the selections), the page control it
// puts its tabs on, the window it lays its controls out in and whose caption
// it writes, the secondary windows it opens, and the notifications it gives
// every page. A page never reaches the window or another page otherwise.
#include "mainwindow/shared_state.h"
#include "platform/kit/kit.h"

// The world lists a page shows in its grids and pickers.
enum class Catalogue { maps, terrains, objects, items, resources, fractions, npcs };

class PageHost {
public:
    virtual SharedState& state() = 0;
    virtual kit::PageControl& page_control() = 0;
    // The main window: the controls' layout and its caption.
    virtual kit::Window& window() = 0;
    // Opens a secondary window over the main window, which takes no input
    // until the window closes; nothing when there is no window.
    virtual void open_secondary(kit::Window* window) = 0;
    // Repaints the map grid.
    virtual void repaint_map() = 0;
    // Options > "animation" is on.
    virtual bool animating() const = 0;
    // The catalogue lengths changed: every page sizes its grids and refills
    // its pickers for them (setgrids).
    virtual void setgrids() = 0;
    // Entry row of a catalogue was edited or added (-1: entries came or went);
    // every page brings what it shows of that catalogue up to date.
    virtual void catalogue_changed(Catalogue catalogue, int row) = 0;
    // Tile n, which exists, became the current tile.
    virtual void tile_picked(int n) = 0;

protected:
    ~PageHost() = default;
};
