// The Player page: the summary of the player NPC, the free points, the
// change-name flag and the pictures and portraits the player may choose from.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_player_page() {
    player_page = &make<kit::TabSheet>(*PC, "Player");
    player_page->name = "player_page";
    kit::TabSheet& p = *player_page;

    PLACE(Image5, p, 8, 8, 33, 33);
    PLACE(Image6, p, 48, 8, 33, 33);
    PLACE(Label87, p, 8, 50, 200, 260, "lbplayerstats");
    Label87->set_auto_size(false);
    PLACE(Label93, p, 220, 8, 200, 560, "Label93");
    Label93->set_auto_size(false);

    add_label(p, 440, 12, "free  pts");
    PLACE(efreepts, p, 540, 8, 60, 22, "0");
    add_label(p, 440, 40, "free skills pts");
    PLACE(efreeskillspts, p, 540, 36, 60, 22, "0");
    PLACE(cbchangename, p, 440, 64, 200, 22, "Change Name ta start");
    PLACE(Button33, p, 440, 92, 80, 26, "SAVE");

    add_label(p, 440, 136, "select picture");
    PLACE(sgplayerimages, p, 440, 152, 3 * 33 + 4, 5 * 33 + 4);
    design::picture_grid(*sgplayerimages, 3, 32, 32, 5, kit::ScrollBars::none);
    add_label(p, 600, 136, "select portrait");
    PLACE(sgplayerportraits, p, 600, 152, 3 * 33 + 4, 5 * 33 + 4);
    design::picture_grid(*sgplayerportraits, 3, 32, 32, 5, kit::ScrollBars::none);
}
