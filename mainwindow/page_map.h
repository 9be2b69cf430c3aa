#pragma once
// The map page: the map list and map ADD, the map grid with its coordinate
// headers and the map view rendered onto it, the five map palettes; editing
// the map (painting, placing, moving, the context menus of objects and NPCs);
// the render after a scroll and the map's share of the animation.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

// The palette pages of PC2, by index.
namespace palette {
constexpr int terrains = 0, objects = 1, items = 2, resources = 3, npcs = 4;
}

class MapPage : public Page {
public:
    explicit MapPage(PageHost& host);
    void start() override;
    void shown() override;

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

    // ---- editing the map
    // A map cell was selected (left click or keyboard): completes an armed
    // move, or paints or places what the open palette offers.
    void sg_mapSelectCell(int ACol, int ARow);
    // A right click: cancels an armed move, or opens the menu of the object or
    // NPC on the cell, or the ground dialog of an empty cell.
    void sg_mapMouseDown(kit::MouseButton Button, kit::ShiftState Shift, int X, int Y);
    // map_menu, on the object under the last right click.
    void deleteobjectClick();
    void propertiesClick();
    void move1Click();
    void ground1Click();
    void cancel2Click();
    void parts1Click();
    // map_char_menu, on the NPC under the last right click.
    void invClick();
    void settings1Click();
    void move2Click();
    void delete3Click();
    void setplayer1Click();
    // Ends an armed move of either kind and gives the grid its pointer back.
    void disarm_moves();

    PageHost& host;
    SharedState& editor;
    // An armed move of the placed object or NPC under the last right click;
    // the quantity of the resource placed next.
    bool move_object_mode = false, move_npc_mode = false;
    int new_res_quantity = 0;
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
    // The popup menus of a placed object and of a placed NPC.
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
};
