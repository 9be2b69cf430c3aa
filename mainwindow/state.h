#pragma once
// The editor state every window shares.
//
// One instance (`editor`) that every window reads and writes directly: the
// world, the tile frames, the selections of the catalogue pages and of the map,
// the placed things handed to the secondary windows, the opener codes, the
// edit buffers, the display flags and the shared bitmaps; and the few hooks
// through which a secondary window reaches the main window. No selection is
// brought back into range when the world changes; each reader checks what it
// uses. The secondary windows include this header, never the main window's.
#include "model/init.h"
#include "platform/kit/kit.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Who opened the item editor (`item_dlg_opener`) or the resource editor
// (`res_dlg_opener`); the editor gives this window its input back when it closes.
namespace opener {
constexpr uint16_t object_dialog = 2;  // TForm2
constexpr uint16_t item_editor = 3;    // TForm3, opens the resource editor only
constexpr uint16_t npc_inventory = 5;  // TForm5
constexpr uint16_t ground_dialog = 8;  // TForm8
}  // namespace opener

struct EditorState {
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

    // ---- what the secondary windows need of the main window, set by it
    std::function<int()> current_map;                          // cb_maps' selected index, -1 none
    std::function<void()> repaint_map;                         // repaints the map grid sg_map
    std::function<std::vector<std::string>()> fraction_names;  // the items of the NPC page's cb_pnpc_frac
    std::function<std::string()> item_load_text;               // the items page's "load" field e_pitem_load
    std::function<std::string()> res_power_text;               // the resources page's "power/volume" eprespower

    // ---- catalogue selections, shared by the catalogue pages and the map palettes
    int cur_tile = 0;       // tile frame picked in the tile palette
    int cur_terrain = 0;    // terrain row
    int cur_object = 0;     // object template row
    int cur_item = 0;       // item template row
    int cur_resource = -1;  // resource template row, -1 none
    int cur_npc = 0;        // NPC template row
    int cur_fraction = 0;   // fraction row
    int cur_trigger = 0;    // index into world.triggers

    // ---- the map cell and the placed things handed to the secondary windows
    int cell_x = 0, cell_y = 0;  // map cell of the last click on the map grid
    int cur_placed_object = -1;  // placed object under the last right click, -1 none
    int cur_placed_item = 0;     // placed item the item editor edits
    int cur_placed_res = 0;      // placed resource the resource editor edits
    int cur_placed_npc = 0;      // placed NPC under the last right click, -1 none
    // Who opened the item and the resource editor (codes of namespace opener).
    uint16_t item_dlg_opener = 0;
    uint16_t res_dlg_opener = 0;
    // The list the parts dialog edits: obj_parts or a placed object's parts.
    // It owns nothing and is valid only until that list is reallocated.
    Tinvitems* inv_target = nullptr;

    // ---- edit buffers of the templates being composed
    tintarray terrain_frames = tintarray(8, -1);  // frame set of the terrain, -1 empty
    int cur_frame_cell = 0;
    tintarray object_frames = tintarray(8, -1);
    tintarray object_frames2 = tintarray(8, -1);
    int cur_object_frame_cell = 0, cur_object_frame2_cell = 0;
    Tinvitems obj_parts;
    tintarray item_contents;
    int item_ammo = -1;  // resource row of the clip, -1 none
    tintarray item_children;
    tintarray res_contents;
    tintarray res_children;
    int res_image_one = -1, res_image_many = -1;
    int frac_image = 0;
    int npc_figure = 0, npc_portrait = 0;
    int npc_head = -1, npc_body = -1;  // item rows, -1 none
    Tinvitem npc_lhand{0, -1, 0};
    Tinvitem npc_rhand{0, -1, 0};
    Tinvitems npc_items, npc_parts;
    Tskills npc_phys_attrs;
    // Entries 1..32: the labels of skills 1..32; entries 33..64: their value
    // edits (on the NPC page, made at start-up). Entry 0 is unused.
    std::array<kit::Control*, 65> skill_controls{};
    Tinvitems craft_ingredients;
    Tskills craft_skills;

    // ---- display and mode state
    int anim_frame = 0;       // 0..7
    bool show_hidden = true;  // Options > "Show hidden"
    bool move_object_mode = false, move_npc_mode = false;
    int new_res_quantity = 0;  // set before each use
    Bitmap map_buffer;         // off-screen map view, sized by the renderer
    Bitmap blank_bitmap32;     // 32 x 32, drawn into an image to clear it
    Bitmap blank_bitmap64;     // 64 x 64
    int loop_index = 0;        // scratch integer of several handlers
};

// The one editor state of the run.
extern EditorState editor;

// The window an opener code names, or nullptr for a code that names none.
kit::Window* opener_window(uint16_t code);

// Entry index of list, or nullptr when the index names none (negative, or past
// the end): every index the world or a selection records is looked up so.
template <typename T>
const T* entry_at(const std::vector<T>& list, int64_t index) {
    return index >= 0 && static_cast<uint64_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)] : nullptr;
}
template <typename T>
T* entry_at(std::vector<T>& list, int64_t index) {
    return const_cast<T*>(entry_at(std::as_const(list), index));
}

// The item or resource template at a catalogue row, or nullptr when the row
// names none (buffers and pickers keep rows across an Open of a smaller world).
const Tpitem* item_template(int64_t row);
const Tpres* resource_template(int64_t row);

// Refuses a list of catalogue rows (a template's inventory or parts, a
// recipe's ingredients) with an entry that names no item or resource template
// and is not one of kept (what the entry being edited holds already, as a file
// may give it): throws EditorError "<what> names item 7, which does not exist:
// <remedy>". Edit buffers outlive an Open, which may bring shorter catalogues.
void check_rows(const Tinvitems& list, const std::string& what, const std::string& remedy, const Tinvitems& kept = {});

// The terrain a map cell holds, or nullptr when the place is no cell of the
// world or its terrain row names no terrain (as in a map made before any
// terrain existed).
const Tterrain* cell_terrain(const TWorld& world, const Tplace& place);
