#pragma once
// The Player page: the summary of the player NPC, the free points, the
// change-name flag and the pictures and portraits the player may choose from.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"
#include "tiles/utils.h"

class PlayerPage : public Page {
public:
    explicit PlayerPage(PageHost& host);
    void start() override;
    // Shows the player NPC and the player's settings as the world holds them now.
    void shown() override;
    void world_replaced(bool is_shown) override;
    PalettePlace palette_place() const override { return {true, 32, 120, 792}; }

    // A left click appends the current tile to the list, a right click
    // removes the entry under the mouse.
    void sgplayerimagesMouseDown(kit::MouseButton Button, kit::ShiftState Shift, int X, int Y);
    void sgplayerportraitsMouseDown(kit::MouseButton Button, kit::ShiftState Shift, int X, int Y);
    void Button33Click();  // SAVE: the free points and the change-name flag

    PageHost& host;
    SharedState& editor;
    kit::TabSheet player_page;
    kit::Image Image5{player_page};
    kit::Image Image6{player_page};
    kit::Label Label87{player_page, "lbplayerstats"};
    kit::Label Label93{player_page, "Label93"};
    kit::Edit efreepts{player_page, "0"};
    kit::Edit efreeskillspts{player_page, "0"};
    kit::CheckBox cbchangename{player_page, "Change Name ta start"};
    kit::Button Button33{player_page, "SAVE"};
    kit::StringGrid sgplayerimages{player_page};
    kit::StringGrid sgplayerportraits{player_page};

private:
    void picture_list_mouse_down(kit::StringGrid& grid, tintarray& list, kit::MouseButton button, int x, int y);
};
