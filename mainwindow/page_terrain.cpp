#include "mainwindow/page_terrain.h"

#include "mainwindow/main.h"
#include "mainwindow/page_items.h"
#include "platform/kit/layout.h"

TerrainPage::TerrainPage(TForm1& form) : form(form), terr(form.PC, "terr") {
    terr.name = "terr";
    form.lay_out({
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
}

void TerrainPage::start() {
    kit::fill(cb_ttip, terrain_kinds);
    kit::fill(cb_timages, {"1", "2", "4", "8"});
    tframes.set_popup_menu(&form.framemenu);
    if (const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile)) selim1.draw(0, 0, *tile);
}

void TerrainPage::shown() {}

void TerrainPage::sg_tilesSelectCell(int n) {
    const Bitmap* tile = tile_frame(editor.tile_frames, n);
    if (!tile) return;
    selim1.draw(0, 0, *tile);
    form.items->ipitem.draw(0, 0, *tile);
    editor.cur_tile = n;
    showinfo();
}

void TerrainPage::showinfo() {
    // cur_tile may name no tile (an item's picture becomes the current tile):
    // its size then reads 0.
    const Bitmap* tile = tile_frame(editor.tile_frames, editor.cur_tile);
    const std::string cr = "\r";
    std::string text = "w:" + std::to_string(tile ? tile->width() : 0) + cr + "h:" +
                       std::to_string(tile ? tile->height() : 0) + cr + "cti:" + std::to_string(editor.cur_tile) + cr +
                       "cte:" + std::to_string(editor.cur_terrain) + cr + "cf:" + std::to_string(editor.cur_frame_cell);
    for (std::size_t i = 0; i < 8; ++i) {
        const int32_t slot = i < editor.terrain_frames.size() ? editor.terrain_frames[i] : -1;
        text += cr + std::to_string(i) + std::to_string(slot);
    }
    Label94.set_caption(text);
}
