// The File menu: saving the world to a world file and opening one into the
// editor, then bringing the pages that show the world up to date.
#include "mainwindow/main.h"
#include "mainwindow/state.h"
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
    // Every page shows the opened world; the one open now at once.
    const Page* open = shown_page();
    for (Page* p : pages_) p->world_replaced(p == open);
    setgrids();
    sg_tiles.refresh();
}
