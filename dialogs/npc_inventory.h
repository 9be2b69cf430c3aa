#pragma once
// TForm5, the NPC inventory dialog: what one placed NPC carries (head, body,
// both hands, inventory and parts), filled from the item and resource
// catalogues beside them. Every change goes into the world at once.
#include "dialogs/dialog.h"

class TForm5 : public Dialog {
public:
    TForm5();

    // Reads the placed NPC cur_placed_npc: caption, slots and grid sizes.
    void FormActivate();
    // Redraws the head, body and hand slots.
    void reset_doll();
    // Gives each grid one row more than its entries fill.
    void setgrids();
    // The item or resource editor opened from here changed what it shows.
    void refresh_for_editor() override;

    void sg_npc_invDrawCell(int ACol, int ARow, kit::Rect Rect);
    void sg_npc_partsDrawCell(int ACol, int ARow, kit::Rect Rect);
    void i_npc_lhandMouseDown(kit::MouseButton Button);
    void i_npc_rhandMouseDown(kit::MouseButton Button);
    void i_npc_headMouseDown(kit::MouseButton Button);
    void i_npc_bodyMouseDown(kit::MouseButton Button);
    void sg_npc_invMouseDown(kit::MouseButton Button, int X, int Y);
    void sg_npc_partsMouseDown(kit::MouseButton Button, int X, int Y);
    void edit1Click();
    void edit2Click();
    void delete1Click();
    void delete2Click();

    // Left: the NPC; right: the catalogues a left click puts in from.
    kit::PageControl PageControl1{*this};
    kit::TabSheet TabSheet1{PageControl1, "DOLL"};
    kit::TabSheet TabSheet2{PageControl1, "INV"};
    kit::TabSheet TabSheet3{PageControl1, "PARTS"};
    kit::Image i_npc_head{TabSheet1};
    kit::Image i_npc_lhand{TabSheet1};
    kit::Image i_npc_rhand{TabSheet1};
    kit::Image i_npc_body{TabSheet1};
    kit::StringGrid sg_npc_inv{TabSheet2};
    kit::StringGrid sg_npc_parts{TabSheet3};
    kit::PageControl PageControl2{*this};
    kit::TabSheet TabSheet4{PageControl2, "items"};
    kit::TabSheet TabSheet5{PageControl2, "resorses"};
    kit::StringGrid sg_npc_items{TabSheet4};
    kit::StringGrid sg_npc_ress{TabSheet5};
    // For a placed item and for a placed resource.
    kit::PopupMenu idollmenu;
    kit::MenuItem edit1{idollmenu, "edit"};
    kit::MenuItem delete1{idollmenu, "delete"};
    kit::PopupMenu rdollmenu;
    kit::MenuItem edit2{rdollmenu, "edit"};
    kit::MenuItem delete2{rdollmenu, "delete"};

    // The catalogue rows last picked; they stay for the whole run.
    int sel_item_row = 0;
    int sel_res_row = 0;

private:
    // Puts the picked catalogue entry into the NPC with create_item (slot) or
    // create_resource (link, after asking the amount), by the page showing on
    // the right; a page whose picked row does not exist puts in nothing.
    void put_in(int32_t item_slot, int32_t resource_link);
    // A mouse button on a hand: the NPC's hand field, its item slot and resource link.
    void hand_mouse_down(kit::MouseButton Button, Tinvitem Tchar::*hand, int32_t item_slot, int32_t resource_link);
    // A mouse button on the head or the body: the NPC's field and the item slot.
    void worn_mouse_down(kit::MouseButton Button, int32_t Tchar::*worn, int32_t item_slot);
    // Opens the menu for a placed thing a slot or entry names; one naming no
    // placed thing opens none.
    void thing_menu(const Tinvitem& thing);
    // A placed thing drawn into the dialog's own scratch bitmap with a count
    // mode; false, leaving the scratch as it was, when nothing was drawn.
    bool draw_into_scratch(const Tinvitem& thing, uint8_t count_mode);

    Bitmap scratch_;
};
