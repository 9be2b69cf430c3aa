// The main window's frame: its creation, the create and show handlers, page
// switching and setgrids. The pages do their own share of each.
#include "mainwindow/main.h"

#include "mainwindow/page_craft.h"
#include "mainwindow/page_events.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_paths.h"
#include "mainwindow/page_player.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_tests.h"
#include "mainwindow/page_triggers.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/state.h"
#include "platform/kit/layout.h"
#include "tiles/tiles.h"

namespace {

// A blank picture: white, as an empty image shows.
Bitmap blank_bitmap(int size) {
    Bitmap b(size, size);
    b.canvas().brush_color = clWhite;
    b.canvas().fill_rect(0, 0, size, size);
    return b;
}

}  // namespace

TForm1::TForm1() : kit::Window("The velmo World Editor") {
    name = "Form1";
    // After the menus, so that the area below the menu bar gets the design size.
    set_client_size(form1_design::client_width, form1_design::client_height);
    Save1.on_click = [this] { Save1Click(); };
    OPen1.on_click = [this] { OPen1Click(); };
    Showhidden1.set_checked(true);

    lay_out({{PC, "PC", 0, 0, form1_design::client_width, form1_design::client_height}});
    PC.on_change = [this] { PCChange(); };
    Timer2.on_timer = [this] { Timer2Timer(); };
    animation1.on_click = [this] { animation1Click(); };
    Showhidden1.on_click = [this] { Showhidden1Click(); };
    // The pages in page order: each appends its tabs.
    terrain = add_page<TerrainPage>();
    map = add_page<MapPage>();
    objects = add_page<ObjectsPage>();
    items = add_page<ItemsPage>();
    resources = add_page<ResourcesPage>();
    fractions = add_page<FractionsPage>();
    npc = add_page<NpcPage>();
    events = add_page<EventsPage>();
    craft = add_page<CraftPage>();
    paths = add_page<PathsPage>();
    player = add_page<PlayerPage>();
    triggers = add_page<TriggersPage>();
    tests = add_page<TestPages>();

    sg_tiles.set_parent(terrain->terr);
    lay_out({{sg_tiles, "sg_tiles", 660, 8, form1_design::palette_width, form1_design::palette_height}});
    kit::cell_grid(sg_tiles, 3, 32, 32);
    bind_pictures(
        sg_tiles,
        [] { return std::min(static_cast<std::size_t>(std::max(editor.tile_count, 0)), editor.tile_frames.size()); },
        [](std::size_t e) { return static_cast<int64_t>(e); }, [this](int n) { terrain->sg_tilesSelectCell(n); });

    editor.current_map = [this] { return map->current_map(); };
    editor.repaint_map = [this] { map->repaint(); };
    editor.fraction_names = [this] { return npc->cb_pnpc_frac.items(); };
    editor.item_load_text = [this] { return items->e_pitem_load.text(); };
    editor.res_power_text = [this] { return resources->eprespower.text(); };

    on_create = [this] { FormCreate(); };
    on_show = [this] { FormShow(); };
    created();
}

TForm1::~TForm1() {
    // The pages go first; removing their tabs switches pages on the way.
    PC.on_change = nullptr;
    pages_.clear();
    tab_owner_.clear();
    editor.current_map = nullptr;
    editor.repaint_map = nullptr;
    editor.fraction_names = nullptr;
    editor.item_load_text = nullptr;
    editor.res_power_text = nullptr;
}

template <typename P>
std::unique_ptr<P> TForm1::add_page() {
    auto page = std::make_unique<P>(static_cast<PageHost&>(*this));
    pages_.push_back(page.get());
    tab_owner_.resize(static_cast<std::size_t>(PC.page_count()), page.get());
    return page;
}

SharedState& TForm1::state() { return editor; }

void TForm1::repaint_map() { map->repaint(); }

void TForm1::catalogue_changed(Catalogue catalogue, int row) {
    for (Page* p : pages_) p->catalogue_changed(catalogue, row);
}

void TForm1::tile_picked(int n) {
    for (Page* p : pages_) p->tile_picked(n);
}

void TForm1::open_secondary(kit::Window* window) {
    if (!window) return;
    set_enabled(false);
    window->show_over(*this);
}

void TForm1::disable_pages() {
    PC.set_enabled(false);
    for (kit::MenuItem* item : {&Save1, &OPen1, &animation1, &Showhidden1}) item->set_enabled(false);
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

    editor.blank_bitmap64 = blank_bitmap(64);
    editor.map_buffer = Bitmap();
    editor.blank_bitmap32 = blank_bitmap(32);

    // The tile palette belongs to the window itself; page switching moves it.
    sg_tiles.set_parent(*this);
    sg_tiles.set_left(form1_design::palette_left);
    sg_tiles.set_top(form1_design::palette_top);
    kit::cell_grid(sg_tiles, 3, 32, 32, (editor.tile_count + 2) / 3);

    editor.cur_placed_object = -1;
    editor.show_hidden = true;
    editor.item_ammo = -1;
    editor.npc_head = -1;
    editor.npc_body = -1;
    editor.npc_lhand.index = -1;
    editor.npc_rhand.index = -1;

    // Each page's defaults, then the grids sized for the new world.
    for (Page* p : pages_) p->start();
    PC.set_active_page_index(page::terrain);
    setgrids();
}

void TForm1::FormShow() {
    // The object dialog is the one secondary window visible by design; the
    // editor starts with only the main window on screen.
    if (editor.Form2) editor.Form2->hide();
}

void TForm1::PCChange() {
    const int p = PC.active_page_index();
    Page* shown = shown_page();

    const PalettePlace place = shown ? shown->palette_place() : Page().palette_place();
    sg_tiles.set_default_cell_size(place.cell, place.cell);
    sg_tiles.set_width(place.width);
    sg_tiles.set_left(place.left);
    sg_tiles.set_top(form1_design::palette_top);
    sg_tiles.set_visible(place.visible);

    if (shown) shown->shown();

    set_caption(std::to_string(p));
}

Page* TForm1::shown_page() const {
    Page* const* owner = entry_at(tab_owner_, PC.active_page_index());
    return owner ? *owner : nullptr;
}

void TForm1::setgrids() {
    for (Page* p : pages_) p->size_grids();
}

void TForm1::Timer2Timer() {
    editor.anim_frame = editor.anim_frame + 1;
    if (editor.anim_frame > 7) editor.anim_frame = 0;
    if (Page* shown = shown_page()) shown->animation_step();
}

void TForm1::animation1Click() {
    animation1.set_checked(!animation1.checked());
    Timer2.set_enabled(animation1.checked());
    editor.anim_frame = 0;
}

void TForm1::Showhidden1Click() {
    Showhidden1.set_checked(!Showhidden1.checked());
    editor.show_hidden = Showhidden1.checked();
}
