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

// Where the tile palette stands on a page, by page index.
struct PalettePlace {
    bool visible;
    int cell, width, left;
};

PalettePlace palette_place(int p) {
    switch (p) {
    case page::terrain:
    case page::items:
    case page::resources:
    case page::player: return {true, 32, 120, 792};
    case page::objects: return {true, 64, 216, 674};
    case page::fractions:
    case page::npc: return {true, 64, 216, 648};
    default: return {false, 32, 120, 792};
    }
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
    // The pages in page order: each appends its tab.
    terrain = std::make_unique<TerrainPage>(*this);
    map = std::make_unique<MapPage>(*this);
    objects = std::make_unique<ObjectsPage>(*this);
    items = std::make_unique<ItemsPage>(*this);
    resources = std::make_unique<ResourcesPage>(*this);
    fractions = std::make_unique<FractionsPage>(*this);
    npc = std::make_unique<NpcPage>(*this);
    events = std::make_unique<EventsPage>(*this);
    craft = std::make_unique<CraftPage>(*this);
    paths = std::make_unique<PathsPage>(*this);
    player = std::make_unique<PlayerPage>(*this);
    triggers = std::make_unique<TriggersPage>(*this);
    tests = std::make_unique<TestPages>(*this);

    sg_tiles.set_parent(terrain->terr);
    lay_out({{sg_tiles, "sg_tiles", 660, 8, form1_design::palette_width, form1_design::palette_height}});
    kit::cell_grid(sg_tiles, 3, 32, 32);
    bind_pictures(
        sg_tiles,
        [] { return std::min(static_cast<std::size_t>(std::max(editor.tile_count, 0)), editor.tile_frames.size()); },
        [](std::size_t e) { return static_cast<int64_t>(e); }, [this](int n) { terrain->sg_tilesSelectCell(n); });

    editor.current_map = [this] { return map->cb_maps.item_index(); };
    editor.repaint_map = [this] { map->sg_map.refresh(); };
    editor.fraction_names = [this] { return npc->cb_pnpc_frac.items(); };
    editor.item_load_text = [this] { return items->e_pitem_load.text(); };
    editor.res_power_text = [this] { return resources->eprespower.text(); };

    on_create = [this] { FormCreate(); };
    on_show = [this] { FormShow(); };
    created();
}

TForm1::~TForm1() {
    editor.current_map = nullptr;
    editor.repaint_map = nullptr;
    editor.fraction_names = nullptr;
    editor.item_load_text = nullptr;
    editor.res_power_text = nullptr;
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
    editor.move_object_mode = false;
    editor.move_npc_mode = false;

    editor.blank_bitmap64 = blank_bitmap(64);
    editor.map_buffer = Bitmap();
    editor.blank_bitmap32 = blank_bitmap(32);

    editor.terrain_frames.assign(8, -1);
    editor.object_frames.assign(8, -1);
    editor.object_frames2.assign(8, -1);

    // The tile palette belongs to the window itself; page switching moves it.
    sg_tiles.set_parent(*this);
    sg_tiles.set_left(form1_design::palette_left);
    sg_tiles.set_top(form1_design::palette_top);
    kit::cell_grid(sg_tiles, 3, 32, 32, (editor.tile_count + 2) / 3);

    // Each page's defaults, in the order of the steps they belong to.
    terrain->start();
    objects->start();
    items->start();
    resources->start();
    map->start();
    events->start();
    triggers->start();

    PC.set_active_page_index(page::terrain);
    editor.cur_placed_object = -1;

    npc->start();
    fractions->start();
    setgrids();

    editor.show_hidden = true;
    editor.item_ammo = -1;
    editor.npc_head = -1;
    editor.npc_body = -1;
    editor.npc_lhand.index = -1;
    editor.npc_rhand.index = -1;

    craft->start();
    paths->start();
    player->start();
    tests->start();
}

void TForm1::FormShow() {
    // The object dialog is the one secondary window visible by design; the
    // editor starts with only the main window on screen.
    if (editor.Form2) editor.Form2->hide();
}

void TForm1::PCChange() {
    const int p = PC.active_page_index();

    const PalettePlace place = palette_place(p);
    sg_tiles.set_default_cell_size(place.cell, place.cell);
    sg_tiles.set_width(place.width);
    sg_tiles.set_left(place.left);
    sg_tiles.set_top(form1_design::palette_top);
    sg_tiles.set_visible(place.visible);

    switch (p) {
    case page::terrain: terrain->shown(); break;
    case page::map: map->shown(); break;
    case page::objects: objects->shown(); break;
    case page::items: items->shown(); break;
    case page::resources: resources->shown(); break;
    case page::fractions: fractions->shown(); break;
    case page::npc: npc->shown(); break;
    case page::events: events->shown(); break;
    case page::craft: craft->shown(); break;
    case page::paths: paths->shown(); break;
    case page::player: player->shown(); break;
    case page::triggers: triggers->shown(); break;
    case page::test1:
    case page::test2: tests->shown(); break;
    default: break;
    }

    set_caption(std::to_string(p));
}

void TForm1::setgrids() {
    const TWorld& w = editor.world;
    for (kit::StringGrid* g : {&terrain->sg_terrains, &map->sg_terrains_2})
        g->set_row_count(picture_rows(w.terrains.size()));
    for (kit::StringGrid* g : {&objects->sg_objects, &map->sg_objects_2})
        g->set_row_count(picture_rows(w.pmapobjects.size()));
    for (kit::StringGrid* g : {&items->sg_pitems, &map->sg_pitems_2}) g->set_row_count(picture_rows(w.pitems.size()));
    for (kit::StringGrid* g : {&resources->sg_presources, &map->sg_pres_2})
        g->set_row_count(picture_rows(w.presources.size()));
    fractions->sg_frac.set_row_count(picture_rows(w.fracs.size()));
    for (kit::StringGrid* g : {&npc->sg_pnpc, &map->sg_pnpc2}) g->set_row_count(picture_rows(w.pnpcs.size()));
    resources->update_ress_cb();
}
