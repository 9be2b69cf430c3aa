#include "mainwindow/page_map.h"

MapPage::MapPage(PageHost& host) : MapView(host), MapEditing(host, *this) {}

void MapPage::start() {
    MapEditing::start();
    MapView::start();
}

void MapPage::world_replaced(bool is_shown) {
    MapEditing::world_replaced(is_shown);
    MapView::world_replaced(is_shown);
}
