// The main window's frame (menus, page control, tile palette, timers, popup
// menus), its create and show handlers, and the program's start-up.
#include "mainwindow/main.h"

#include "dialogs/ground.h"
#include "dialogs/inv_edit.h"
#include "dialogs/item_edit_form.h"
#include "dialogs/npc_edit.h"
#include "dialogs/npc_inv.h"
#include "dialogs/pitem_inv_edit.h"
#include "dialogs/pnpc_inv.h"
#include "dialogs/pres_inv_edit.h"
#include "dialogs/res_edit_form.h"
#include "dialogs/sec.h"
#include "platform/errors.h"
#include "platform/kit/qt_modal.h"
#include "tiles/tiles.h"

#include <QApplication>

EditorState editor;

namespace {
// A blank picture: white, as an empty image shows.
Bitmap blank_bitmap(int size) {
    Bitmap b(size, size);
    b.canvas().brush_color = clWhite;
    b.canvas().fill_rect(0, 0, size, size);
    return b;
}

void fill_combo(kit::ComboBox& combo, const TStrings& items) {
    combo.clear();
    for (const std::string& item : items) combo.add(item);
    combo.set_item_index(0);
}
}  // namespace

TForm1::TForm1() : kit::Window("The velmo World Editor") {
    name = "Form1";
    create_menus();
    // After the menus, so that the area below the menu bar gets the design size.
    set_client_size(form1_design::client_width, form1_design::client_height);

    PC = &make<kit::PageControl>(*this);
    PC->name = "PC";
    PC->on_change = [this] { PCChange(); };
    PC->set_bounds(0, 0, form1_design::client_width, form1_design::client_height);
    create_terrain_page();
    create_map_page();
    create_objects_page();
    create_items_page();
    create_resources_page();
    create_fractions_page();
    create_npc_page();
    create_events_page();
    create_craft_page();
    create_paths_page();
    create_player_page();
    create_triggers_page();
    create_test_pages();

    Timer2 = own<kit::Timer>(250, false);
    Timer2->on_timer = [this] { Timer2Timer(); };
    Timer3 = own<kit::Timer>(3, false);
    Timer3->on_timer = [this] { Timer3Timer(); };

    on_create = [this] { FormCreate(); };
    on_show = [this] { FormShow(); };
    created();
}

TForm1::~TForm1() {
    // Menu items before their menus, later things before earlier ones.
    while (!things_.empty()) things_.pop_back();
}

void TForm1::create_menus() {
    MainMenu1 = own<kit::MainMenu>(*this);
    File1 = own<kit::MenuItem>(*MainMenu1, "File");
    Save1 = own<kit::MenuItem>(*File1, "Save");
    Save1->on_click = [this] { Save1Click(); };
    OPen1 = own<kit::MenuItem>(*File1, "Open");
    OPen1->on_click = [this] { OPen1Click(); };
    Options1 = own<kit::MenuItem>(*MainMenu1, "Options");
    animation1 = own<kit::MenuItem>(*Options1, "animation");
    animation1->on_click = [this] { animation1Click(); };
    Showhidden1 = own<kit::MenuItem>(*Options1, "Show hidden");
    Showhidden1->set_checked(true);
    Showhidden1->on_click = [this] { Showhidden1Click(); };

    sd_world.filter = "world file|*.wld";
    sd_world.default_extension = "wld";
    od_world.filter = "world file|*.wld";

    framemenu = own<kit::PopupMenu>();
    setframe = own<kit::MenuItem>(*framemenu, "set frame");

    map_menu = own<kit::PopupMenu>();
    const std::pair<kit::MenuItem**, const char*> object_items[] = {
        {&deleteobject, "delete object"}, {&properties, "properties"}, {&move1, "move"},
        {&ground1, "ground"},             {&cancel2, "cancel"},        {&parts1, "parts"}};
    for (int i = 0; i < 6; ++i) *object_items[i].first = own<kit::MenuItem>(*map_menu, object_items[i].second);
    map_char_menu = own<kit::PopupMenu>();
    const std::pair<kit::MenuItem**, const char*> npc_items[] = {
        {&inv, "inv"}, {&settings1, "settings"}, {&move2, "move"}, {&delete3, "delete"}, {&setplayer1, "set player"}};
    for (int i = 0; i < 5; ++i) *npc_items[i].first = own<kit::MenuItem>(*map_char_menu, npc_items[i].second);
}

kit::Label* TForm1::add_label(kit::Control& parent, int left, int top, const std::string& caption,
                              const char* name) {
    kit::Label& label = make<kit::Label>(parent, caption);
    label.name = name;
    label.set_left(left);
    label.set_top(top);
    return &label;
}

void TForm1::disable_pages() {
    PC->set_enabled(false);
    for (kit::MenuItem* item : {Save1, OPen1, animation1, Showhidden1}) item->set_enabled(false);
}

void TForm1::sg_tilesDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int n = ACol + 3 * ARow;
    if (n < 0 || n >= editor.tile_count || n >= static_cast<int>(editor.tile_frames.size())) return;
    sg_tiles->canvas().draw(Rect.left, Rect.top, editor.tile_frames[static_cast<std::size_t>(n)]);
}

void TForm1::FormCreate() {
    // The tiles first: without them the window stays unconfigured and disabled,
    // and the world is not reset.
    try {
        load_tiles("tiles/", editor.tile_count, editor.tile_frames);
    } catch (...) {
        disable_pages();
        throw;
    }
    if (editor.tile_frames.empty()) {
        modal().message("Need a tiles to work.");
        disable_pages();
        return;
    }

    reset_world(editor.world);
    editor.anim_frame = 0;
    set_caption(split_string("1_2_3", '_').at(0));
    editor.move_object_mode = false;
    editor.move_npc_mode = false;

    editor.blank_bitmap64 = blank_bitmap(64);
    editor.map_buffer = Bitmap();
    editor.blank_bitmap32 = blank_bitmap(32);

    editor.terrain_frames.assign(8, -1);
    editor.object_frames.assign(8, -1);
    editor.object_frames2.assign(8, -1);

    // The tile palette belongs to the window itself; page switching moves it.
    sg_tiles->set_parent(*this);
    sg_tiles->set_left(form1_design::palette_left);
    sg_tiles->set_top(form1_design::palette_top);
    sg_tiles->set_fixed_cols(0);
    sg_tiles->set_fixed_rows(0);
    sg_tiles->set_col_count(3);
    sg_tiles->set_default_cell_size(32, 32);
    sg_tiles->set_row_count((editor.tile_count + 2) / 3);

    fill_combo(*cb_ttip, terrain_kinds);
    fill_combo(*cb_timages, {"1", "2", "4", "8"});
    fill_combo(*cb_oimages, {"1", "2", "4", "8"});
    fill_combo(*cb_olock, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    fill_combo(*cb_oform, {"round", "square"});
    fill_combo(*cb_pitem_class, item_classes);
    fill_combo(*cbprestype, resource_kinds);

    epresname->set_text("newres");
    epresvalue->set_text("1");
    eprespower->set_text("0");
    epresweight->set_text("0");

    cb_maps->set_item_index(-1);

    editor.res_image_one = -1;
    editor.res_image_many = -1;
    editor.cur_resource = -1;

    // The older events page.
    for (kit::GroupBox* box : {gbtrigparams1, gbtrigparams2, gbtrigparams3}) {
        box->set_left(8);
        box->set_top(40);
        box->hide();
    }
    for (kit::ComboBox* box : {cbtrigparam11, cbtrigparam21, cbtrigparam31, cbtrigparam1}) {
        box->clear();
        box->add("no");
        box->add("yes");
        box->set_item_index(1);
    }
    for (kit::Edit* edit : {etrigparam12, etrigparam22, etrigparam23, etrigparam24, etrigparam32})
        edit->set_text("0");
    etrigparam25->set_text("-1");
    etrigparam33->set_text("-1");

    reset_trigger_form();
    reset_event_form();
    scripts_refresh();

    tframes->set_popup_menu(framemenu);

    sg_map->set_col_width(0, 22);
    sg_map->set_row_height(0, 22);

    PC->set_active_page_index(0);

    for (kit::Edit* edit : {e_pitem_name, e_pitem_HP, e_pitem_weight, e_pitem_value, e_pitem_volume, e_pitem_load,
                            e_pitem_hands, e_pitem_dem1, e_pitem_dem2, e_pitem_dem3, e_pitem_arm1, e_pitem_arm2,
                            e_pitem_arm3, e_pitem_a, e_pitem_b, e_pitem_c, e_pitem_attak, e_pitem_defence,
                            e_pitem_block, e_pitem_cover, e_pitem_skov, e_pitem_penalty})
        edit->set_text("");
    m_pitem_title->clear();

    editor.cur_placed_object = -1;

    for (kit::Image* image : {ipres1, ipres2, i_pnpc_i1, i_pnpc_i2}) image->draw(0, 0, editor.blank_bitmap32);
    ifrac->draw(0, 0, editor.blank_bitmap64);

    setgrids();

    editor.show_hidden = true;
    editor.item_ammo = -1;
    editor.npc_head = -1;
    editor.npc_body = -1;
    editor.npc_lhand.index = -1;
    editor.npc_rhand.index = -1;

    cbtriggers->clear();
    for (const TSvalue& v : trigger_conditions) cbtriggers->add(v.caption);
    cbtriggers->set_item_index(0);
    cbevents->clear();
    for (const TSvalue& v : event_types) cbevents->add(v.caption);
    cbevents->set_item_index(0);

    cbskills->clear();
    for (int i = 1; i <= 32; ++i) cbskills->add(skill_names[static_cast<std::size_t>(i)]);
    cbskills->set_item_index(0);
    sgcrafts->set_row_height(0, 16);
    sgcrafts->set_col_width(0, 16);

    // The 32 skill rows of the NPC page, two columns of 16, laid out from the
    // hidden design label and edit.
    for (int i = 1; i <= 32; ++i) {
        kit::Label& label = make<kit::Label>(*gb_pnpc_skills, skill_names[static_cast<std::size_t>(i)]);
        label.name = "skill_label" + std::to_string(i);
        kit::Edit& edit = make<kit::Edit>(*gb_pnpc_skills, "0");
        edit.name = "skill_edit" + std::to_string(i);
        const bool first = i <= 16;
        const int row = first ? i - 1 : i - 17;
        label.set_left(l_pnpc_skill->left() + (first ? 0 : 106));
        label.set_top(l_pnpc_skill->top() + row * 22);
        edit.set_bounds(e_pnpc_skill->left() + (first ? 0 : 128), e_pnpc_skill->top() + row * 22,
                        e_pnpc_skill->width(), e_pnpc_skill->height());
        label.show();
        edit.show();
        editor.skill_controls[static_cast<std::size_t>(i)] = &label;
        editor.skill_controls[static_cast<std::size_t>(32 + i)] = &edit;
    }

    fill_combo(*cb_pnpc_phys_attr, phys_attrs);
    e_pnpc_phys_attr->set_text("0");

    if (const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile)) {
        selim1->draw(0, 0, *tile);
        ipitem->draw(0, 0, *tile);
    }
}

void TForm1::FormShow() {
    // The object dialog is the one secondary window visible by design; the
    // editor starts with only the main window on screen.
    if (editor.Form2) editor.Form2->hide();
}

// ---- start-up

void create_windows() {
    editor.Form1 = new TForm1;
    kit::set_main_window(*editor.Form1);
    editor.Form2 = new TForm2;
    editor.Form3 = new TForm3;
    editor.Form4 = new TForm4;
    editor.Form5 = new TForm5;
    editor.Form6 = new TForm6;
    editor.Form7 = new TForm7;
    editor.Form8 = new TForm8;
    editor.Form9 = new TForm9;
    editor.Form10 = new TForm10;
    editor.Finv = new TFinv;
}

void show_main_window() { editor.Form1->show(); }

void destroy_windows() {
    delete editor.Finv;
    delete editor.Form10;
    delete editor.Form9;
    delete editor.Form8;
    delete editor.Form7;
    delete editor.Form6;
    delete editor.Form5;
    delete editor.Form4;
    delete editor.Form3;
    delete editor.Form2;
    delete editor.Form1;
    editor = EditorState{};
}

int start_program(int argc, char** argv) {
    QApplication app(argc, argv);
    set_program_title(program_title_from(argc > 0 ? argv[0] : "editor"));
    set_modal(std::make_unique<kit::QtModal>());
    init_tables();
    create_windows();
    const int rc = kit::run(*editor.Form1);
    destroy_windows();
    done_tables();
    return rc;
}
