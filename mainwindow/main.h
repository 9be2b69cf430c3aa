#pragma once
// The main window and the editor state it shares with the secondary windows.
//
// The editor state is one instance (`editor`) that every window reads and
// writes directly: the world, the tile frames, the selections of the catalogue
// pages and of the map, the placed things handed to the secondary windows, the
// opener codes, the edit buffers, the display flags and the shared bitmaps. No
// selection is brought back into range when the world changes; each reader
// checks what it uses.
#include "model/init.h"
#include "platform/kit/kit.h"
#include "platform/modal.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TFinv;

struct EditorState {
    // ---- the world and the tiles
    TWorld world;
    tiarray tile_frames;  // every tile frame; a picture field is an index into it, -1 none
    int tile_count = 0;   // the number of frames the loader reported

    // ---- the eleven windows, created once by the start-up
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
    TForm9* Form9 = nullptr;
    TForm10* Form10 = nullptr;
    TFinv* Finv = nullptr;

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
    int cell_x = 0, cell_y = 0;   // map cell of the last click on the map grid
    int cur_placed_object = -1;   // placed object under the last right click, -1 none
    int cur_placed_item = 0;      // placed item the item editor edits
    int cur_placed_res = 0;       // placed resource the resource editor edits
    int cur_placed_npc = 0;       // placed NPC under the last right click, -1 none
    // Who opened the item and the resource editor: 2 object dialog, 3 item
    // editor (resource editor only), 5 NPC inventory dialog, 8 ground dialog.
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
    int anim_frame = 0;        // 0..7
    bool show_hidden = true;   // Options > "Show hidden"
    bool move_object_mode = false, move_npc_mode = false;
    int new_res_quantity = 0;  // set before each use
    Bitmap map_buffer;         // off-screen map view, sized by the renderer
    Bitmap blank_bitmap32;     // 32 x 32, drawn into an image to clear it
    Bitmap blank_bitmap64;     // 64 x 64
    int loop_index = 0;        // scratch integer of several handlers
};

// The one editor state of the run.
extern EditorState editor;

// The main window: a page control with fourteen pages, the menus File and
// Options, the tile palette shared by the catalogue pages, two timers and the
// popup menus of the map. Controls are members named as in the window's design.
class TForm1 : public kit::Window {
public:
    TForm1();
    ~TForm1() override;

    // ---- handlers of the window
    void FormCreate();
    void FormShow();
    // Paints tile ACol + 3 x ARow of the tile palette.
    void sg_tilesDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    // Another page was opened by its tab: places the tile palette for it,
    // refreshes the pages that show other catalogues, writes the page number
    // into the caption.
    void PCChange();

    // ---- File and Options menus
    void Save1Click();
    void OPen1Click();
    void animation1Click();
    void Showhidden1Click();

    // ---- map page
    // Refills the map lists of the map and Triggers pages, first map selected.
    void fillcbmaps();
    void Button5Click();  // map ADD
    // Sizes the map grid to the selected map and repaints it.
    void cb_mapsChange();
    // Renders the 16 x 16 cells from the grid's top-left visible cell and
    // copies them onto the grid right of and below its headers.
    void map_refresh(bool show_hidden);
    void sg_mapDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_mapTopLeftChanged();
    void Timer2Timer();  // animation step
    void Timer3Timer();  // the one render after a scroll
    // The map palettes: cell (ACol, ARow) stands for entry ACol + 3 x ARow.
    void sg_terrains_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_objects_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_pitems_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_pres_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_pnpc2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State);
    void sg_terrains_2SelectCell(int ACol, int ARow, bool& CanSelect);
    void sg_objects_2SelectCell(int ACol, int ARow, bool& CanSelect);
    void sg_pitems_2SelectCell(int ACol, int ARow, bool& CanSelect);
    void sg_pres_2SelectCell(int ACol, int ARow, bool& CanSelect);
    void sg_pnpc2SelectCell(int ACol, int ARow, bool& CanSelect);

    // ---- menus
    kit::MainMenu* MainMenu1 = nullptr;
    kit::MenuItem* File1 = nullptr;
    kit::MenuItem* Save1 = nullptr;
    kit::MenuItem* OPen1 = nullptr;
    kit::MenuItem* Options1 = nullptr;
    kit::MenuItem* animation1 = nullptr;
    kit::MenuItem* Showhidden1 = nullptr;
    // File dialogs: each keeps the last name chosen in it.
    FileDialogRequest sd_world;
    FileDialogRequest od_world;

    // ---- timers
    kit::Timer* Timer2 = nullptr;  // 250 ms animation
    kit::Timer* Timer3 = nullptr;  // 3 ms redraw after a scroll

    // ---- popup menus
    kit::PopupMenu* framemenu = nullptr;
    kit::MenuItem* setframe = nullptr;
    kit::PopupMenu* map_menu = nullptr;
    kit::MenuItem *deleteobject = nullptr, *properties = nullptr, *move1 = nullptr, *ground1 = nullptr,
                  *cancel2 = nullptr, *parts1 = nullptr;
    kit::PopupMenu* map_char_menu = nullptr;
    kit::MenuItem *inv = nullptr, *settings1 = nullptr, *move2 = nullptr, *delete3 = nullptr,
                  *setplayer1 = nullptr;

    // ---- image lists of the pickers
    kit::ImageList il1{32, 32}, il2{32, 32}, il3{32, 32};
    kit::ImageList il_cr_res{32, 32}, il_it_cr{32, 32}, il_cr_obj{64, 64};

    // ---- the page control and its pages, by index
    kit::PageControl* PC = nullptr;
    kit::TabSheet* terr = nullptr;            // 0 "terr"
    kit::TabSheet* map_page = nullptr;        // 1 "map"
    kit::TabSheet* objects = nullptr;         // 2 "objects"
    kit::TabSheet* items = nullptr;           // 3 "items"
    kit::TabSheet* resources_page = nullptr;  // 4 "resources"
    kit::TabSheet* TabSheet7 = nullptr;       // 5 "fractions"
    kit::TabSheet* npc_page = nullptr;        // 6 "npc"
    kit::TabSheet* events_page = nullptr;     // 7 "events", tab hidden
    kit::TabSheet* craft_page = nullptr;      // 8 "Craft"
    kit::TabSheet* paths_page = nullptr;      // 9 "Paths"
    kit::TabSheet* player_page = nullptr;     // 10 "Player"
    kit::TabSheet* triggers_page = nullptr;   // 11 "Triggers"
    kit::TabSheet* TabSheet1 = nullptr;       // 12 "Test 1"
    kit::TabSheet* TabSheet6 = nullptr;       // 13 "Test 2"

    // ---- the tile palette (a child of the window itself)
    kit::StringGrid* sg_tiles = nullptr;

    // ---- terrain page
    kit::StringGrid* sg_terrains = nullptr;
    kit::StringGrid* tframes = nullptr;
    kit::Image* selim1 = nullptr;
    kit::Image* Image1 = nullptr;
    kit::ComboBox* cb_ttip = nullptr;
    kit::Edit* e_thard = nullptr;
    kit::ComboBox* cb_timages = nullptr;
    kit::Button *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;
    kit::Label* Label94 = nullptr;
    kit::Label* Label95 = nullptr;

    // ---- map page
    kit::Edit *e_map_w = nullptr, *e_map_h = nullptr, *e_map_name = nullptr;
    kit::Button* Button5 = nullptr;
    kit::ComboBox* cb_maps = nullptr;
    kit::StringGrid* sg_map = nullptr;
    kit::PageControl* PC2 = nullptr;
    kit::TabSheet *PC2_terra = nullptr, *PC2_objects = nullptr, *PC2_items = nullptr, *PC2_resources = nullptr,
                  *PC2_npc = nullptr;
    kit::StringGrid *sg_terrains_2 = nullptr, *sg_objects_2 = nullptr, *sg_pitems_2 = nullptr,
                    *sg_pres_2 = nullptr, *sg_pnpc2 = nullptr;

    // ---- objects page
    kit::StringGrid *sg_objects = nullptr, *sg_object_tiles = nullptr, *sg_object_tiles2 = nullptr;
    kit::Image* Image2 = nullptr;
    kit::ComboBox *cb_oimages = nullptr, *cb_olock = nullptr, *cb_oform = nullptr;
    kit::Edit *eoname = nullptr, *eosize = nullptr, *eoheight = nullptr, *eohp = nullptr, *eo_arm1 = nullptr,
              *eo_arm2 = nullptr, *eo_arm3 = nullptr;
    kit::Memo* m_otitle = nullptr;
    kit::CheckBox *chb_ofloating = nullptr, *chb_ochest = nullptr, *chb_odoor = nullptr, *chb_olocked = nullptr,
                  *chb_oclosed = nullptr, *chb_opass = nullptr, *chb_ovis = nullptr, *chb_otrans = nullptr,
                  *chb_oreciv = nullptr, *chb_otransp = nullptr;
    kit::Button *Button4 = nullptr, *Button6 = nullptr, *Button7 = nullptr, *Button42 = nullptr;

    // ---- items page
    kit::StringGrid* sg_pitems = nullptr;
    kit::Image* ipitem = nullptr;
    kit::ComboBox* cb_pitem_class = nullptr;
    kit::Edit *e_pitem_name = nullptr, *e_pitem_HP = nullptr, *e_pitem_weight = nullptr, *e_pitem_value = nullptr,
              *e_pitem_volume = nullptr, *e_pitem_load = nullptr, *e_pitem_hands = nullptr, *e_pitem_dem1 = nullptr,
              *e_pitem_dem2 = nullptr, *e_pitem_dem3 = nullptr, *e_pitem_arm1 = nullptr, *e_pitem_arm2 = nullptr,
              *e_pitem_arm3 = nullptr, *e_pitem_a = nullptr, *e_pitem_b = nullptr, *e_pitem_c = nullptr,
              *e_pitem_attak = nullptr, *e_pitem_defence = nullptr, *e_pitem_block = nullptr,
              *e_pitem_cover = nullptr, *e_pitem_skov = nullptr, *e_pitem_penalty = nullptr;
    kit::Memo* m_pitem_title = nullptr;
    kit::ComboBox* cbexpress2 = nullptr;
    kit::ListBox* lb_pitem_children = nullptr;
    kit::Button *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr, *Button18 = nullptr,
                *Button19 = nullptr, *Button24 = nullptr;

    // ---- resources page
    kit::StringGrid* sg_presources = nullptr;
    kit::Edit *epresname = nullptr, *epresvalue = nullptr, *epresweight = nullptr, *eprespower = nullptr;
    kit::ComboBox* cbprestype = nullptr;
    kit::Memo* mprestitle = nullptr;
    kit::Image *ipres1 = nullptr, *ipres2 = nullptr;
    kit::Button *Button13 = nullptr, *Button15 = nullptr, *Button16 = nullptr, *Button25 = nullptr,
                *Button20 = nullptr, *Button21 = nullptr;
    kit::ComboBox *cbexpress = nullptr, *cbexpress3 = nullptr;
    kit::ListBox* lbpreschidren = nullptr;

    // ---- fractions page
    kit::StringGrid* sg_frac = nullptr;
    kit::Image *ifrac = nullptr, *ifrac1 = nullptr, *ifrac2 = nullptr;
    kit::Edit *efracname = nullptr, *efracrel = nullptr;
    kit::Button *Button14 = nullptr, *Button48 = nullptr, *Button17 = nullptr;
    kit::ComboBox *cbfrac1 = nullptr, *cbfrac2 = nullptr;

    // ---- NPC templates page
    kit::StringGrid* sg_pnpc = nullptr;
    kit::Edit *e_pnpc_name = nullptr, *e_pnpc_selfname = nullptr;
    kit::Image *i_pnpc_i1 = nullptr, *i_pnpc_i2 = nullptr;
    kit::Edit *e_pnpc_str = nullptr, *e_pnpc_agi = nullptr, *e_pnpc_dex = nullptr, *e_pnpc_con = nullptr,
              *e_pnpc_acu = nullptr, *e_pnpc_int = nullptr, *e_pnpc_wis = nullptr, *e_pnpc_per = nullptr;
    kit::Edit *epnpchp = nullptr, *epnpcmp = nullptr, *epnpcsp = nullptr, *epnpcsize = nullptr;
    kit::Memo* m_pnpc_descr = nullptr;
    kit::ComboBox* cb_pnpc_frac = nullptr;
    kit::GroupBox* gb_pnpc_skills = nullptr;
    kit::Label* l_pnpc_skill = nullptr;  // design geometry of the skill labels, hidden
    kit::Edit* e_pnpc_skill = nullptr;   // design geometry of the skill edits, hidden
    kit::ComboBox* cb_pnpc_phys_attr = nullptr;
    kit::Edit* e_pnpc_phys_attr = nullptr;
    kit::ListBox* lb_pnpc_phys_attrs = nullptr;
    kit::Button *Button22 = nullptr, *Button35 = nullptr, *Button23 = nullptr, *Button34 = nullptr,
                *Button47 = nullptr;

    // ---- older events page (its tab is hidden)
    kit::ComboBox *cbtriggers = nullptr, *cbevents = nullptr;
    kit::GroupBox *gbtrigparams1 = nullptr, *gbtrigparams2 = nullptr, *gbtrigparams3 = nullptr;
    kit::ComboBox *cbtrigparam1 = nullptr, *cbtrigparam11 = nullptr, *cbtrigparam21 = nullptr,
                  *cbtrigparam31 = nullptr;
    kit::Edit *etrigparam12 = nullptr, *etrigparam22 = nullptr, *etrigparam23 = nullptr, *etrigparam24 = nullptr,
              *etrigparam25 = nullptr, *etrigparam32 = nullptr, *etrigparam33 = nullptr;
    std::array<kit::Label*, 7> ltrigparam{};  // ltrigparam2 .. ltrigparam6 at their numbers
    std::array<kit::Edit*, 7> etrigparam{};   // etrigparam3 .. etrigparam6 at their numbers
    std::array<kit::Label*, 7> leventparam{};  // leventparam1 .. leventparam6
    std::array<kit::Edit*, 7> eeparam{};       // eeparam1 .. eeparam6
    kit::ListBox* lbscripts = nullptr;
    kit::Button *events_add = nullptr, *events_save = nullptr;

    // ---- Craft page
    kit::ComboBox *cbexcraftitem = nullptr, *cbexcraftress = nullptr, *cbexuseitem = nullptr,
                  *cbexcraftobjuse = nullptr, *cbexitem_to_craft = nullptr, *cbexres_to_craft = nullptr,
                  *cbexobj_to_craft = nullptr, *cbskills = nullptr;
    kit::Edit *ecraft_item_count = nullptr, *ecraft_ress_count = nullptr, *ecrafttime = nullptr,
              *ecraftword = nullptr, *eskilllevel = nullptr;
    kit::Button *Button26 = nullptr, *Button27 = nullptr, *Button28 = nullptr, *Button29 = nullptr,
                *Button30 = nullptr;
    kit::StringGrid *sgcraftress = nullptr, *sgcrafts = nullptr;
    kit::CheckBox *cbcraftitemwith = nullptr, *cbobjectcraftnear = nullptr;
    kit::ListBox* lbcraftskills = nullptr;
    kit::GroupBox* RadioGroup1 = nullptr;
    kit::RadioButton *rbcraftitem = nullptr, *rbcraftres = nullptr, *rbcraftobj = nullptr;

    // ---- Paths page
    kit::ComboBox *cbpath_from_map = nullptr, *cbpath_to_map = nullptr;
    kit::Edit *epath_from_x = nullptr, *epath_from_y = nullptr, *epath_to_x = nullptr, *epath_to_y = nullptr;
    kit::GroupBox* RadioGroup2 = nullptr;
    kit::RadioButton *rb2way = nullptr, *rb1way = nullptr;
    kit::Button* Button31 = nullptr;
    kit::StringGrid* sgpaths = nullptr;

    // ---- Player page
    kit::Image *Image5 = nullptr, *Image6 = nullptr;
    kit::Label *Label87 = nullptr, *Label93 = nullptr;
    kit::Edit *efreepts = nullptr, *efreeskillspts = nullptr;
    kit::CheckBox* cbchangename = nullptr;
    kit::StringGrid *sgplayerimages = nullptr, *sgplayerportraits = nullptr;
    kit::Button* Button33 = nullptr;

    // ---- Triggers page
    kit::GroupBox *gb_trigger = nullptr, *gb_event = nullptr, *gb_event_location = nullptr;
    kit::ComboBox *cb_trig_type = nullptr, *cb_trig_map = nullptr;
    kit::Edit *e_trig_name = nullptr, *e_trig_x = nullptr, *e_trig_y = nullptr, *e_trig_map_object_id = nullptr,
              *e_trig_size = nullptr, *e_trig_interval = nullptr;
    kit::CheckBox *ch_trig_vis = nullptr, *ch_trig_once = nullptr, *ch_trig_en = nullptr;
    kit::Memo *m_trig_descr = nullptr, *m_trig_suc = nullptr, *m_trig_false = nullptr;
    kit::ListBox *lb_triggers = nullptr, *lb_events = nullptr;
    kit::Label* cur_trig = nullptr;
    kit::Button *Button36 = nullptr, *Button37 = nullptr, *Button38 = nullptr, *Button43 = nullptr,
                *Button44 = nullptr, *Button39 = nullptr, *Button40 = nullptr, *Button41 = nullptr,
                *Button45 = nullptr, *Button46 = nullptr;
    kit::ComboBox *cb_event_type = nullptr, *cb_event_map = nullptr;
    kit::Edit *e_event_target_id = nullptr, *e_event_target_name = nullptr, *e_event_x = nullptr,
              *e_event_y = nullptr, *e_event_value = nullptr;
    kit::Label* l_event_target_name = nullptr;
    kit::CheckBox *cb_event_turn_off_self = nullptr, *cb_event_turn_off_trig = nullptr, *cb_event_search = nullptr,
                  *cb_event_continue = nullptr;
    kit::Memo* m_event_text = nullptr;

    // ---- test pages
    kit::Image *Image3 = nullptr, *Image4 = nullptr;
    kit::Edit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    kit::Button *Button8 = nullptr, *Button9 = nullptr;
    kit::Label* Label6 = nullptr;

    // ---- start-up helpers of the triggers page
    void reset_trigger_form();
    void reset_event_form();
    void scripts_refresh();
    void events_refresh();
    // Sizes every catalogue grid and palette for its catalogue's length.
    void setgrids();
    // Refills the resource pickers of the items and resources pages.
    void update_ress_cb();

    // Creates a control of the type of the member it is stored in, on parent,
    // at the design geometry; the control is named after the member.
    template <typename T, typename... A>
    T* add(const char* name, kit::Control& parent, int left, int top, int width, int height, A&&... args) {
        T& control = make<T>(parent, std::forward<A>(args)...);
        control.name = name;
        control.set_bounds(left, top, width, height);
        return &control;
    }
    // A label at (left, top) sized to its caption.
    kit::Label* add_label(kit::Control& parent, int left, int top, const std::string& caption,
                          const char* name = "");

private:
    // Owns a menu, menu item or timer of the window.
    template <typename T, typename... A>
    T* own(A&&... args) {
        auto thing = std::make_shared<T>(std::forward<A>(args)...);
        things_.push_back(thing);
        return thing.get();
    }
    std::vector<std::shared_ptr<void>> things_;

    // Each page's controls are made by the page's own source file.
    void create_menus();
    void create_terrain_page();
    void create_map_page();
    void create_objects_page();
    void create_items_page();
    void create_resources_page();
    void create_fractions_page();
    void create_npc_page();
    void create_events_page();
    void create_craft_page();
    void create_paths_page();
    void create_player_page();
    void create_triggers_page();
    void create_test_pages();
    // With no tiles nothing may act on the world, which is not reset then.
    void disable_pages();
    // What opening the fractions and the Player page refreshes.
    void refresh_fractions_page();
    void refresh_player_page();
};

// Stores a new control in a member of TForm1, typed and named after it.
#define PLACE(member, parent, left, top, width, height, ...) \
    member = add<std::remove_pointer_t<decltype(member)>>(#member, parent, left, top, width, height __VA_OPT__(, ) __VA_ARGS__)

// Fixed design sizes of the main window.
namespace form1_design {
constexpr int client_width = 920;
constexpr int client_height = 690;
constexpr int palette_left = 792;
constexpr int palette_top = 24;
constexpr int palette_width = 120;
constexpr int palette_height = 660;
}  // namespace form1_design

// ---- start-up

// Creates the eleven windows once, in the order TForm1 (the main window, whose
// create handler loads the tiles from "tiles/" of the current folder and sets
// up the editor), TForm2 .. TForm10, TFinv, storing them in the editor state.
// Shows nothing and runs no message loop, so tests can drive the start-up.
void create_windows();
// Shows the main window, which runs its show handler.
void show_main_window();
// Destroys the windows and brings the editor state back to its initial values.
void destroy_windows();

// Runs the program: the world model's start-up, the real modal boxes, the
// windows, the message loop until the main window closes.
int start_program(int argc, char** argv);
