#pragma once
// The map page's editing: a selected cell of the view's grid (left click or
// keyboard) paints or places what the open palette offers, or completes an
// armed move; a right click opens the menu of the object or NPC on the cell,
// or the ground dialog of an empty cell. What may stand on a cell is the
// model's placement rules (model/tools.h); this part reads the view's
// controls, calls them and shows the result.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

class MapView;

// Its share of the page's steps; the Page base is shared with the view.
class MapEditing : public virtual Page {
public:
    // Edits the map shown in view, whose grid it takes the clicks of.
    MapEditing(PageHost& host, MapView& view);
    void start() override;
    // An armed move names an object or NPC of the world that is gone.
    void world_replaced(bool is_shown) override;

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
    MapView& view;
    // An armed move of the placed object or NPC under the last right click;
    // the quantity of the resource placed next.
    bool move_object_mode = false, move_npc_mode = false;
    int new_res_quantity = 0;
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
