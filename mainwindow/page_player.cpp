#include "mainwindow/page_player.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

namespace {

// The rows a picture list's grid shows without scrolling.
constexpr int picture_grid_rows = 5;

// Sizes a picture list's grid so that every entry has a cell, and repaints it.
void fit_rows(kit::StringGrid& grid, const tintarray& list) {
    grid.set_row_count(std::max(picture_grid_rows, picture_rows(list.size())));
    grid.refresh();
}

}  // namespace

PlayerPage::PlayerPage(PageHost& host) : host(host), editor(host.state()), player_page(host.page_control(), "Player") {
    player_page.name = "player_page";
    const int grid_width = kit::cell_grid_width(3, 32), grid_height = picture_grid_rows * 33 + 4;
    host.window().lay_out({
        {Image5, "Image5", 8, 8, 33, 33},
        {Image6, "Image6", 48, 8, 33, 33},
        {Label87, "Label87", 8, 50, 200, 260},
        {Label93, "Label93", 220, 8, 200, 560},
        {efreepts, "efreepts", 540, 8, 60, 22, "free  pts", 440, 12},
        {efreeskillspts, "efreeskillspts", 540, 36, 60, 22, "free skills pts", 440, 40},
        {cbchangename, "cbchangename", 440, 64, 200, 22},
        {Button33, "Button33", 440, 92, 80, 26},
        {sgplayerimages, "sgplayerimages", 440, 152, grid_width, grid_height, "select picture", 440, 136},
        {sgplayerportraits, "sgplayerportraits", 600, 152, grid_width, grid_height, "select portrait", 600, 136},
    });
    Label87.set_auto_size(false);
    Label93.set_auto_size(false);
    // Each list's grid grows with it, so every entry can be seen and removed.
    const tplayer& settings = editor.world.player;
    for (kit::StringGrid* grid : {&sgplayerimages, &sgplayerportraits}) {
        kit::cell_grid(*grid, 3, 32, 32, picture_grid_rows);
        const tintarray& list = grid == &sgplayerimages ? settings.pictures : settings.portraits;
        bind_pictures(*grid, list, [](int32_t frame) { return frame; }, nullptr);
    }
    sgplayerimages.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState s, int x, int y) {
        sgplayerimagesMouseDown(b, s, x, y);
    };
    sgplayerportraits.on_mouse_down = [this](kit::MouseButton b, kit::ShiftState s, int x, int y) {
        sgplayerportraitsMouseDown(b, s, x, y);
    };
    Button33.on_click = [this] { Button33Click(); };
}

void PlayerPage::start() {}

void PlayerPage::shown() {
    const TWorld& w = editor.world;
    // The settings always show this world's values, so that SAVE never stores
    // what another world showed over values never seen.
    efreepts.set_text(std::to_string(w.player.free_points));
    efreeskillspts.set_text(std::to_string(w.player.free_skill_points));
    cbchangename.set_checked(w.player.change_name);
    fit_rows(sgplayerimages, w.player.pictures);
    fit_rows(sgplayerportraits, w.player.portraits);

    const Tchar* player_npc = entry_at(w.npcs, w.player.npc);
    if (!player_npc) {
        show_frame(Image5, -1);
        show_frame(Image6, -1);
        Label87.set_caption("");
        Label93.set_caption("");
        return;
    }
    const Tchar& n = *player_npc;
    show_frame(Image5, n.figure);
    show_frame(Image6, n.portrait);

    const std::string cr = "\r";
    const auto num = [](int32_t v) { return std::to_string(v); };
    const Tmap* map = entry_at(w.maps, n.place.map);
    const std::string map_name = map ? map->name : "";
    Label87.set_caption("object: " + n.name + cr + "Name: " + n.self_name + cr + "STR: " + num(n.STR) + cr +
                        "AGI: " + num(n.AGI) + cr + "CON: " + num(n.CON) + cr + "DEX: " + num(n.DEX) + cr +
                        "INT: " + num(n.INT) + cr + "WIS: " + num(n.WIS) + cr + "PER: " + num(n.PER) + cr + cr +
                        "MAP:" + map_name + cr + "X:  " + num(n.place.x) + cr + "Y:  " + num(n.place.y) + cr);
    std::string skills;
    for (int i = 1; i <= 32; ++i)
        skills += vocabulary_word(skill_names, i) + ":\t" + num(n.skills[static_cast<std::size_t>(i - 1)]) + cr;
    Label93.set_caption(skills);
}

void PlayerPage::picture_list_mouse_down(kit::StringGrid& grid, tintarray& list, kit::MouseButton button, int x,
                                         int y) {
    if (button == kit::MouseButton::left) {
        // Only a tile that exists is listed: the game shows every entry.
        if (!tile_frame(editor.tile_frames, editor.cur_tile)) return;
        int_array_append(editor.cur_tile, list);
    } else if (button == kit::MouseButton::right) {
        const kit::GridCoord cell = grid.mouse_to_cell(x, y);
        const int e = picture_entry(cell.col, cell.row, list.size());
        if (e < 0) return;
        int_array_delete(e, list);
    } else {
        return;
    }
    fit_rows(grid, list);
}

void PlayerPage::sgplayerimagesMouseDown(kit::MouseButton Button, kit::ShiftState, int X, int Y) {
    picture_list_mouse_down(sgplayerimages, editor.world.player.pictures, Button, X, Y);
}

void PlayerPage::sgplayerportraitsMouseDown(kit::MouseButton Button, kit::ShiftState, int X, int Y) {
    picture_list_mouse_down(sgplayerportraits, editor.world.player.portraits, Button, X, Y);
}

void PlayerPage::Button33Click() {
    // Both numbers are read before either is stored.
    const int32_t free_points = str_to_int(efreepts.text());
    const int32_t free_skill_points = str_to_int(efreeskillspts.text());
    tplayer& settings = editor.world.player;
    settings.free_points = free_points;
    settings.free_skill_points = free_skill_points;
    settings.change_name = cbchangename.checked();
}

void PlayerPage::world_replaced(bool) {
    // The page may be open: its fields show the opened world at once, so that
    // SAVE never stores the old world's values into it.
    shown();
}
