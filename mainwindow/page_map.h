#pragma once
// The map page: its view (mainwindow/map_view.h: the map list and map ADD,
// the map grid, the render after a scroll and the animation, the palettes)
// and its editing (mainwindow/map_editing.h: the clicks on the grid, the
// context menus, the moves), one page of the page control. Each part does
// its own share of the page's steps; the page runs the shares of both where
// both have one.
#include "mainwindow/map_editing.h"
#include "mainwindow/map_view.h"

class MapPage : public MapView, public MapEditing {
public:
    explicit MapPage(PageHost& host);
    // The editing's share first, then the view's.
    void start() override;
    void world_replaced(bool is_shown) override;
};
