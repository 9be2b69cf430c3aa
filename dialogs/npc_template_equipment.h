#pragma once
// TForm4, the NPC template equipment dialog: the equipment, inventory and parts buffers of the NPC page.
//
// It edits only the edit buffers (npc_head, npc_body, npc_lhand, npc_rhand,
// npc_items, npc_parts), which hold catalogue rows; the NPC page copies them
// into a template on its ADD or "<- EDIT". A left click puts the entry picked
// in the catalogue grids on the right into a slot or list, a right click takes
// it out again.
#include "dialogs/dialog.h"

class TForm4 : public Dialog {
public:
    TForm4();

    void FormCreate();
    // Sizes the grids and draws the four slots from the buffers.
    void FormActivate();
    // Row counts of the two lists and the two catalogue grids.
    void setgrids();
    // Left clicks on the slots: the picked item (or, for a hand, resource) goes in.
    void i_pnpc_headClick();
    void i_pnpc_bodyClick();
    void i_pnpc_leftClick();
    void i_pnpc_rightClick();
    // Right clicks on the slots empty them: the head after the "delete?" question.
    void i_pnpc_headMouseDown(kit::MouseButton button);
    void i_pnpc_bodyMouseDown(kit::MouseButton button);
    void i_pnpc_leftMouseDown(kit::MouseButton button);
    void i_pnpc_rightMouseDown(kit::MouseButton button);
    void Button1Click();  // INV "<": appends the picked entry to the inventory
    void Button3Click();  // PARTS "<": adds pieces of the picked resource to the parts
    // Right clicks on the lists remove the entry under the mouse after "delete?".
    void sg_pnpc_invMouseDown(kit::MouseButton button, int x, int y);
    void sg_pnpc_partsMouseDown(kit::MouseButton button, int x, int y);
    void sg_pnpc_invDrawCell(int ACol, int ARow, kit::Rect Rect);
    void sg_pnpc_partsDrawCell(int ACol, int ARow, kit::Rect Rect);

    // The catalogue rows last picked in the two catalogue grids, for the whole run.
    int sel_item_row = 0;
    int sel_res_row = 0;

    kit::PageControl pc_pnpc_inv{*this};
    kit::TabSheet doll{pc_pnpc_inv, "DOLL"};
    kit::TabSheet inv{pc_pnpc_inv, "INV"};
    kit::TabSheet parts{pc_pnpc_inv, "PARTS"};
    kit::Image i_pnpc_head{doll};
    kit::Image i_pnpc_left{doll};
    kit::Image i_pnpc_right{doll};
    kit::Image i_pnpc_body{doll};
    kit::StringGrid sg_pnpc_inv{inv};
    kit::Button Button1{inv, "<"};
    kit::StringGrid sg_pnpc_parts{parts};
    kit::Button Button3{parts, "<"};
    kit::PageControl pc_pnpc_items{*this};
    kit::TabSheet items{pc_pnpc_items, "items"};
    kit::TabSheet resources{pc_pnpc_items, "resources"};
    kit::StringGrid sg_pnpc_items{items};
    kit::StringGrid sg_pnpc_ress{resources};

private:
    // The item catalogue entry picked while the "items" page shows, the
    // resource entry picked while "resources" shows; nullptr when that page is
    // not showing or the pick names no entry of the catalogue now.
    const Tpitem* picked_item() const;
    const Tpres* picked_resource() const;
    // A left click on a hand: the picked item, or pieces of the picked resource.
    void put_in_hand(Tinvitem& hand, kit::Image& slot);
    void show_hand(kit::Image& slot, const Tinvitem& hand);
    void remove_entry(kit::StringGrid& grid, Tinvitems& list, int x, int y);
};
