#pragma once
// The data every window shares: the world, the tile frames, the windows
// themselves, the selections of the catalogue pages and of the map, the placed
// things handed to the secondary windows, the opener codes, the edit buffers a
// page composes with a secondary window, the display flags and the shared
// bitmaps. No selection is brought back into range when the world changes;
// each reader checks what it uses (mainwindow/lookups.h).
//
// The pages reach it through their host (mainwindow/page_host.h), the
// secondary windows through the editor state (mainwindow/state.h).
#include "model/init.h"
#include "platform/kit/kit.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Who opened the item editor (`item_dlg_opener`) or the resource editor
// (`res_dlg_opener`); the editor gives this window its input back when it closes.
namespace opener {
constexpr uint16_t object_dialog = 2;  // TForm2
constexpr uint16_t item_editor = 3;    // TForm3, opens the resource editor only
constexpr uint16_t npc_inventory = 5;  // TForm5
constexpr uint16_t ground_dialog = 8;  // TForm8
}  // namespace opener

struct SharedState {
    // ---- the world and the tiles
    TWorld world;
    tiarray tile_frames;  // every tile frame; a picture field is an index into it, -1 none
    int tile_count = 0;   // the number of frames the loader reported

    // ---- the eleven windows, created once by the start-up: Form1 the main
    // window TForm1, the others the secondary windows TForm2 .. TForm10, TFinv
    kit::Window* Form1 = nullptr;
    kit::Window* Form2 = nullptr;
    kit::Window* Form3 = nullptr;
    kit::Window* Form4 = nullptr;
    kit::Window* Form5 = nullptr;
    kit::Window* Form6 = nullptr;
    kit::Window* Form7 = nullptr;
    kit::Window* Form8 = nullptr;
    kit::Window* Form9 = nullptr;
    kit::Window* Form10 = nullptr;
    kit::Window* Finv = nullptr;

    // ---- catalogue selections, shared by the catalogue pages, the map palettes and the tile palette
    int cur_tile = 0;       // tile frame picked in the tile palette
    int cur_terrain = 0;    // terrain row
    int cur_object = 0;     // object template row
    int cur_item = 0;       // item template row
    int cur_resource = -1;  // resource template row, -1 none
    int cur_npc = 0;        // NPC template row

    // ---- the map cell and the placed things handed to the secondary windows
    int cell_x = 0, cell_y = 0;  // map cell of the last click on the map grid
    int cur_placed_object = -1;  // placed object under the last right click, -1 none
    int cur_placed_item = 0;     // placed item the item editor edits
    int cur_placed_res = 0;      // placed resource the resource editor edits
    int cur_placed_npc = 0;      // placed NPC under the last right click, -1 none
    // Who opened the item and the resource editor (codes of namespace opener).
    uint16_t item_dlg_opener = 0;
    uint16_t res_dlg_opener = 0;
    // The list the parts dialog edits: the objects page's parts or a placed object's parts.
    // It owns nothing and is valid only until that list is reallocated.
    Tinvitems* inv_target = nullptr;

    // ---- edit buffers of the templates a page composes with a secondary window
    tintarray item_contents;
    int item_ammo = -1;  // resource row of the clip, -1 none
    tintarray item_children;
    tintarray res_contents;
    tintarray res_children;
    int npc_head = -1, npc_body = -1;  // item rows, -1 none
    Tinvitem npc_lhand{0, -1, 0};
    Tinvitem npc_rhand{0, -1, 0};
    Tinvitems npc_items, npc_parts;

    // ---- display and mode state
    int anim_frame = 0;       // 0..7
    bool show_hidden = true;  // Options > "Show hidden"
    Bitmap map_buffer;        // off-screen map view, sized by the renderer
    Bitmap blank_bitmap32;    // 32 x 32, drawn into an image to clear it
    Bitmap blank_bitmap64;    // 64 x 64
};

// The window an opener code names, or nullptr for a code that names none.
kit::Window* opener_window(uint16_t code);

// The one shared state of the run (the editor state of mainwindow/state.h).
SharedState& shared_state();
