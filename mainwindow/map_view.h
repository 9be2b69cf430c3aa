#pragma once
// The map page's view: the map list and map ADD, the map grid with its
// coordinate headers and the map view rendered onto it, the render after a
// scroll, the map's share of the animation, and the five map palettes. What
// a click on the grid does is the page's editing (mainwindow/map_editing.h);
// the page joins the two (mainwindow/page_map.h).
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

// The palette pages of PC2, by index.
namespace palette {
constexpr int terrains = 0, objects = 1, items = 2, resources = 3, npcs = 4;
}

// Its share of the page's steps; the Page base is shared with the editing.
class MapView : public virtual Page {
public:
    explicit MapView(PageHost& host);
    void start() override;
    void shown() override;

    // The map chosen in the map list, -1 for none.
    int current_map() const { return cb_maps.item_index(); }
    // Repaints the map grid.
    void repaint() { sg_map.refresh(); }

    // Refills the map list, first map selected.
    void fillcbmaps();
    void Button5Click();  // map ADD
    // Sizes the map grid to the selected map and repaints it.
    void cb_mapsChange();
    // Renders the 16 x 16 cells from the grid's top-left visible cell and
    // copies them onto the grid right of and below its headers.
    void map_refresh(bool show_hidden);
    void sg_mapDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_mapTopLeftChanged();
    void Timer3Timer();  // the one render after a scroll
    // One step of the animation timer: the map view renders the frame.
    void animation_step() override;
    // After File > Open: the map list shows the opened world, its last map chosen.
    void world_replaced(bool is_shown) override;
    void size_grids() override;
    void catalogue_changed(Catalogue catalogue, int row) override;

    PageHost& host;
    SharedState& editor;
    kit::TabSheet map_page;
    kit::Edit e_map_w{map_page, "32"};
    kit::Edit e_map_h{map_page, "32"};
    kit::Edit e_map_name{map_page, "new map"};
    kit::Button Button5{map_page, "ADD"};
    kit::ComboBox cb_maps{map_page};
    kit::StringGrid sg_map{map_page};
    kit::PageControl PC2{map_page};
    kit::TabSheet PC2_terra{PC2, "terra"};
    kit::TabSheet PC2_objects{PC2, "objects"};
    kit::TabSheet PC2_items{PC2, "items"};
    kit::TabSheet PC2_resources{PC2, "resources"};
    kit::TabSheet PC2_npc{PC2, "NPC"};
    kit::StringGrid sg_terrains_2{PC2_terra};
    kit::StringGrid sg_objects_2{PC2_objects};
    kit::StringGrid sg_pitems_2{PC2_items};
    kit::StringGrid sg_pres_2{PC2_resources};
    kit::StringGrid sg_pnpc2{PC2_npc};

    kit::Timer Timer3{3, false};  // the one render after a scroll
};
