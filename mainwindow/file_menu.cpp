// The File menu: saving the world to a world file and opening one into the
// editor, then bringing the pages that show the world up to date.
#include "mainwindow/main.h"
#include "mainwindow/page_craft.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_paths.h"
#include "mainwindow/page_player.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_triggers.h"
#include "platform/codepage.h"
#include "worldfile/worldfile.h"

#include <QDir>

namespace {
std::string current_folder() { return to_cp1251(QDir::currentPath()); }
}  // namespace

void TForm1::Save1Click() {
    sd_world.initial_folder = current_folder();
    const std::optional<std::string> chosen = modal().save_file(sd_world);
    if (!chosen || chosen->empty()) return;
    sd_world.file_name = *chosen;
    save_world(*chosen, true, editor.world);
}

void TForm1::OPen1Click() {
    od_world.initial_folder = current_folder();
    const std::optional<std::string> chosen = modal().open_file(od_world);
    if (!chosen || chosen->empty()) return;
    od_world.file_name = *chosen;
    // A failed read leaves the world as it was and ends here, so every list on
    // screen still shows that world.
    load_world(*chosen, editor.world);
    // An armed move names an object or NPC of the world that is gone.
    map->disarm_moves();

    map->fillcbmaps();
    if (!editor.world.maps.empty()) map->cb_maps.set_item_index(static_cast<int>(editor.world.maps.size()) - 1);
    map->cb_mapsChange();
    setgrids();
    terrain->sg_terrains.refresh();
    sg_tiles.refresh();
    map->sg_map.refresh();
    map->sg_terrains_2.refresh();
    npc->fill_fractions();
    triggers->scripts_refresh();
    triggers->world_opened();
    // The Craft, Paths and Fractions pages show the world they were opened on;
    // when one of them is open now, it shows the opened world, so that its
    // pickers, the rows its Delete key removes and the pair of fractions SAVE
    // writes are the ones on screen.
    if (PC.active_page_index() == page::craft) craft->shown();
    if (PC.active_page_index() == page::paths) paths->shown();
    if (PC.active_page_index() == page::fractions) fractions->shown();
    // The Player page may be open: its fields show the opened world at once,
    // so that SAVE never stores the old world's values into it.
    player->shown();
}
