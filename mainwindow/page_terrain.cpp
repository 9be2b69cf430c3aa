#include "mainwindow/page_terrain.h"

#include "mainwindow/frame_set.h"
#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "model/links.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>
#include <limits>

// ---- the page

TerrainPage::TerrainPage(PageHost& host) : host(host), editor(host.state()), terr(host.page_control(), "terr") {
    terr.name = "terr";
    host.window().lay_out({
        {Label95, "Label95", 8, 8},
        {tframes, "tframes", 8, 24, 8 * 33 + 4, 37},
        {selim1, "selim1", 8, 76, 65, 65},
        {Image1, "Image1", 84, 76, 65, 65},
        {cb_ttip, "cb_ttip", 8, 168, 180, 22, "type of territory", 8, 152},
        {e_thard, "e_thard", 8, 214, 80, 22, "hard to pass 1-3200 (400 - normal)", 8, 198},
        {cb_timages, "cb_timages", 8, 260, 80, 22, "number of frames", 8, 244},
        {Button1, "Button1", 8, 296, 80, 26},
        {Button2, "Button2", 94, 296, 80, 26},
        {Button3, "Button3", 180, 296, 80, 26},
        {Label94, "Label94", 8, 334},
        {sg_terrains, "sg_terrains", 300, 8, kit::cell_grid_width(3, 32), 620},
    });
    kit::cell_grid(tframes, 8, 32, 32, 1, kit::ScrollBars::none);
    kit::cell_grid(sg_terrains, 3, 32, 32);
    frame_set::bind(tframes, terrain_frames, [this](int c) { tframesSelectCell(c); });
    bind_pictures(
        sg_terrains, editor.world.terrains, [](const Tterrain& t) { return first_frame(t.frames); },
        [this](int e) { sg_terrainsSelectCell(e); });
    setframe.on_click = [this] { setframeClick(); };
    Button1.on_click = [this] { Button1Click(); };
    Button2.on_click = [this] { Button2Click(); };
    Button3.on_click = [this] { Button3Click(); };
}

void TerrainPage::start() {
    terrain_frames.assign(8, -1);
    kit::fill(cb_ttip, terrain_kinds);
    kit::fill(cb_timages, {"1", "2", "4", "8"});
    tframes.set_popup_menu(&framemenu);
    if (const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile)) selim1.draw(0, 0, *tile);
}

void TerrainPage::shown() {}

// ---- the tile palette and the frames set

void TerrainPage::sg_tilesSelectCell(int n) {
    const Bitmap* tile = tile_frame(editor.tile_frames, n);
    if (!tile) return;
    // The tile picked before may be larger (a 64-pixel object tile): show_frame
    // clears it first, so that no part of it shows around the new one.
    show_frame(selim1, n);
    host.tile_picked(n);
    editor.cur_tile = n;
    showinfo();
}

void TerrainPage::showinfo() {
    // cur_tile may name no tile (an item's picture becomes the current tile):
    // its size then reads 0.
    const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile);
    const std::string cr = "\r";
    std::string text = "w:" + std::to_string(tile ? tile->width() : 0) + cr +
                       "h:" + std::to_string(tile ? tile->height() : 0) + cr +
                       "cti:" + std::to_string(editor.cur_tile) + cr + "cte:" + std::to_string(editor.cur_terrain) +
                       cr + "cf:" + std::to_string(cur_frame_cell);
    for (std::size_t i = 0; i < frame_set::slot_count; ++i) {
        const int32_t slot = i < terrain_frames.size() ? terrain_frames[i] : -1;
        text += cr + std::to_string(i) + std::to_string(slot);
    }
    Label94.set_caption(text);
}

void TerrainPage::tframesSelectCell(int c) {
    cur_frame_cell = c;
    showinfo();  // before the store: the text still shows the slot's previous tile
    if (frame_set::store_current_tile(terrain_frames, c)) tframes.refresh();
}

void TerrainPage::setframeClick() {
    if (frame_set::store_current_tile(terrain_frames, cur_frame_cell)) tframes.refresh();
}

// ---- the catalogue

void TerrainPage::sg_terrainsSelectCell(int e) {
    if (!links::in_range(e, editor.world.terrains)) return;
    const Tterrain& t = editor.world.terrains[static_cast<std::size_t>(e)];
    editor.cur_terrain = e;
    cb_ttip.set_item_index(t.kind);
    e_thard.set_text(std::to_string(t.hardness));
    cb_timages.set_item_index(frame_set::count_index(t.frame_count));
    frame_set::load(terrain_frames, t.frame_count, t.frames);
    showinfo();
    tframes.refresh();
}

Tterrain TerrainPage::terrain_from_controls(int frames, int8_t kind) const {
    const std::string hardness_text = e_thard.text();
    const int32_t hardness = str_to_int(hardness_text);
    // The hardness is kept in 16 bits: a number outside them is refused rather
    // than stored as its low 16 bits.
    constexpr int32_t hardness_max = std::numeric_limits<uint16_t>::max();
    if (hardness < 0 || hardness > hardness_max)
        throw EditorError("'" + hardness_text + "' is not a hardness from 0 to " + std::to_string(hardness_max));
    Tterrain t;
    // A kind the list does not hold (from a file) shows no entry: it is kept.
    t.kind = cb_ttip.item_index() >= 0 ? static_cast<int8_t>(cb_ttip.item_index()) : kind;
    t.hardness = static_cast<uint16_t>(hardness);
    t.frame_count = static_cast<uint16_t>(frames);
    t.frames = frame_set::first(terrain_frames, frames);
    return t;
}

void TerrainPage::Button1Click() {
    const int n = frame_set::count_to_add(cb_timages, terrain_frames);
    if (n == 0) return;
    editor.world.terrains.push_back(terrain_from_controls(n, 0));
    host.setgrids();
    sg_terrains.refresh();
}

void TerrainPage::Button2Click() {
    const int n = frame_set::chosen_count(cb_timages);
    if (!links::in_range(editor.cur_terrain, editor.world.terrains) || n == 0) return;
    // Empty slots are not refused here: an edit may leave a frame out.
    Tterrain& t = editor.world.terrains[static_cast<std::size_t>(editor.cur_terrain)];
    t = terrain_from_controls(n, t.kind);
    // An edit sizes both terrain grids to the rows the entries fill, without
    // the empty row setgrids leaves after a full last row: every entry still
    // has its cell.
    const std::size_t count = editor.world.terrains.size();
    const int rows = std::max(1, static_cast<int>((count + 2) / 3));
    sg_terrains.set_row_count(rows);
    host.catalogue_changed(Catalogue::terrains, editor.cur_terrain);
    sg_terrains.refresh();
}

void TerrainPage::Button3Click() {
    TWorld& w = editor.world;
    const int row = editor.cur_terrain;
    if (!links::in_range(row, w.terrains)) return;
    const bool used = std::any_of(w.maps.begin(), w.maps.end(), [row](const Tmap& m) {
        return std::any_of(m.cells.begin(), m.cells.end(), [row](auto column) {
            return std::find(column.begin(), column.end(), row) != column.end();
        });
    });
    if (used) modal().message("This territory is used on one of the maps");
    else if (modal().ask_sure()) delete_terrain(row, w);
    host.setgrids();
    sg_terrains.refresh();
}

void TerrainPage::size_grids() { sg_terrains.set_row_count(picture_rows(editor.world.terrains.size())); }

void TerrainPage::world_replaced(bool) { sg_terrains.refresh(); }

void TerrainPage::animation_step() { frame_set::animate(cb_timages, terrain_frames, Image1); }
