// The map page: the map list and map ADD, the map grid with its coordinate
// headers and the map view rendered onto it, the two display timers, the Options
// menu, the five map palettes; and setgrids, which sizes every catalogue grid.
#include "mainwindow/design.h"
#include "mainwindow/main.h"
#include "model/render.h"
#include "platform/errors.h"
#include "tiles/utils.h"

#include <algorithm>
#include <cstdint>

namespace {

// The map view: 16 x 16 cells of 32 pixels, right of and below the 22-pixel headers.
constexpr int view_cells = 16;
// The most cells one map may have: 4096 x 4096, far beyond any map a game shows.
constexpr int64_t max_map_cells = int64_t{4096} * 4096;
// The longest side of a map: the grid holds a header text for every column and
// row, and a map without cells would otherwise have a side of any length.
constexpr int32_t max_map_side = 65536;
constexpr int view_pixels = view_cells * 32;
constexpr int header_size = 22;

// Entry column + 3 x row of a palette, or -1 when the cell stands for none of n entries.
int palette_entry(int col, int row, std::size_t n) {
    if (col < 0 || row < 0) return -1;
    const int64_t e = int64_t{col} + 3 * int64_t{row};
    return e < static_cast<int64_t>(n) ? static_cast<int>(e) : -1;
}

// Copies the picture of a palette entry unscaled to the cell's top-left corner.
void draw_palette_cell(kit::StringGrid& grid, const kit::Rect& rect, int64_t picture) {
    if (const Bitmap* frame = tile_frame(editor.tile_frames, picture)) grid.canvas().draw(rect.left, rect.top, *frame);
}

int first_frame(const tintarray& frames) { return frames.empty() ? -1 : frames.front(); }

// Renders the window of 16 x 16 cells from top_left into the map buffer; what
// lies outside the map, and the whole view without a map, is black.
void render_view(const Tplace& top_left, int frame_number, bool show_hidden) {
    editor.map_buffer.canvas().brush_color = clBlack;
    draw_map_view(editor.world, editor.tile_frames, top_left, view_cells, view_cells, frame_number, show_hidden,
                  editor.map_buffer);
}

}  // namespace

void TForm1::create_map_page() {
    map_page = &make<kit::TabSheet>(*PC, "map");
    map_page->name = "map_page";
    kit::TabSheet& p = *map_page;

    PLACE(e_map_w, p, 8, 8, 44, 22, "32");
    PLACE(e_map_h, p, 56, 8, 44, 22, "32");
    PLACE(e_map_name, p, 104, 8, 120, 22, "new map");
    PLACE(Button5, p, 228, 6, 60, 26, "ADD");
    PLACE(cb_maps, p, 300, 8, 200, 22);
    cb_maps->set_text("no maps");
    Button5->on_click = [this] { Button5Click(); };
    cb_maps->on_change = [this] { cb_mapsChange(); };

    PLACE(sg_map, p, 8, 38, 554, 550);
    sg_map->set_col_count(2);
    sg_map->set_row_count(2);
    sg_map->set_fixed_cols(1);
    sg_map->set_fixed_rows(1);
    sg_map->set_default_cell_size(32, 32);
    sg_map->set_grid_line_width(0);
    sg_map->set_color(clBlack);
    sg_map->on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState state) {
        sg_mapDrawCell(c, r, rect, state);
    };
    sg_map->on_top_left_changed = [this] { sg_mapTopLeftChanged(); };

    PC2 = &make<kit::PageControl>(p);
    PC2->name = "PC2";
    PC2->set_bounds(572, 38, 330, 550);
    const std::pair<kit::TabSheet**, const char*> pages[] = {
        {&PC2_terra, "terra"}, {&PC2_objects, "objects"}, {&PC2_items, "items"},
        {&PC2_resources, "resources"}, {&PC2_npc, "NPC"}};
    for (const auto& [page, caption] : pages) {
        *page = &make<kit::TabSheet>(*PC2, caption);
        (*page)->name = std::string("PC2_") + caption;
    }
    PLACE(sg_terrains_2, *PC2_terra, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_terrains_2, 3, 32, 32);
    PLACE(sg_objects_2, *PC2_objects, 4, 4, design::grid_width(3, 64), 500);
    design::picture_grid(*sg_objects_2, 3, 64, 64);
    PLACE(sg_pitems_2, *PC2_items, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pitems_2, 3, 32, 32);
    PLACE(sg_pres_2, *PC2_resources, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pres_2, 3, 32, 32);
    PLACE(sg_pnpc2, *PC2_npc, 4, 4, design::grid_width(3, 32), 500);
    design::picture_grid(*sg_pnpc2, 3, 32, 64);

    // Every palette is three columns wide, so each cell shows the entry a click
    // on it selects.
    const auto hook = [](kit::StringGrid& grid, auto draw, auto select) {
        grid.on_draw_cell = draw;
        grid.on_select_cell = select;
    };
    hook(
        *sg_terrains_2, [this](int c, int r, kit::Rect rect, kit::GridDrawState s) { sg_terrains_2DrawCell(c, r, rect, s); },
        [this](int c, int r, bool& can) { sg_terrains_2SelectCell(c, r, can); });
    hook(
        *sg_objects_2, [this](int c, int r, kit::Rect rect, kit::GridDrawState s) { sg_objects_2DrawCell(c, r, rect, s); },
        [this](int c, int r, bool& can) { sg_objects_2SelectCell(c, r, can); });
    hook(
        *sg_pitems_2, [this](int c, int r, kit::Rect rect, kit::GridDrawState s) { sg_pitems_2DrawCell(c, r, rect, s); },
        [this](int c, int r, bool& can) { sg_pitems_2SelectCell(c, r, can); });
    hook(
        *sg_pres_2, [this](int c, int r, kit::Rect rect, kit::GridDrawState s) { sg_pres_2DrawCell(c, r, rect, s); },
        [this](int c, int r, bool& can) { sg_pres_2SelectCell(c, r, can); });
    hook(
        *sg_pnpc2, [this](int c, int r, kit::Rect rect, kit::GridDrawState s) { sg_pnpc2DrawCell(c, r, rect, s); },
        [this](int c, int r, bool& can) { sg_pnpc2SelectCell(c, r, can); });
}

// ---- the map list

void TForm1::fillcbmaps() {
    for (kit::ComboBox* list : {cb_maps, cb_trig_map, cb_event_map}) {
        list->clear();
        for (const Tmap& map : editor.world.maps) list->add(map.name);
        list->set_item_index(0);  // selects nothing when there is no map
    }
}

void TForm1::Button5Click() {
    const int32_t width = str_to_int(e_map_w->text());
    const int32_t height = str_to_int(e_map_h->text());
    // A negative size makes no cell matrix: refuse before anything changes.
    if (width < 0 || height < 0) throw EditorError("A map's width and height must not be negative");
    // Every cell takes memory at once; a size beyond any real map would take more
    // than the machine has and end the program instead of refusing.
    if (int64_t{width} * height > max_map_cells)
        throw EditorError("A map may have at most " + std::to_string(max_map_cells) + " cells");
    if (width > max_map_side || height > max_map_side)
        throw EditorError("A map may be at most " + std::to_string(max_map_side) + " cells wide and high");
    Tmap map;
    map.width = width;
    map.height = height;
    map.name = e_map_name->text();
    // Every cell holds terrain row 0, which exists only once a terrain has been
    // added; the renderer draws a cell naming no terrain black.
    map.cells.assign(static_cast<std::size_t>(width), tintarray(static_cast<std::size_t>(height), 0));
    editor.world.maps.push_back(std::move(map));

    fillcbmaps();
    const int last = static_cast<int>(editor.world.maps.size()) - 1;
    cb_maps->set_item_index(last);
    cb_trig_map->set_item_index(last);
    cb_mapsChange();
}

void TForm1::cb_mapsChange() {
    const int m = cb_maps->item_index();
    if (m < 0 || m >= static_cast<int>(editor.world.maps.size())) return;
    const Tmap& map = editor.world.maps[static_cast<std::size_t>(m)];
    // A map without cells has nothing to head: its other side, which a world
    // file may give any length without holding a cell, gets no columns or rows.
    const bool has_cells = map.width > 0 && map.height > 0;
    const int32_t width = has_cells ? map.width : 0, height = has_cells ? map.height : 0;
    sg_map->set_col_count(width + 1);
    sg_map->set_row_count(height + 1);
    // A map without cells left no room for the headers; a bigger one gets them back.
    sg_map->set_fixed_cols(1);
    sg_map->set_fixed_rows(1);
    for (int32_t x = 0; x < width; ++x) sg_map->set_cell(x + 1, 0, std::to_string(x));
    for (int32_t y = 0; y < height; ++y) sg_map->set_cell(0, y + 1, std::to_string(y));
    sg_map->refresh();
}

// ---- the map view

void TForm1::map_refresh(bool show_hidden) {
    Tplace p;
    make_place(cb_maps->item_index(), sg_map->left_col() - 1, sg_map->top_row() - 1, p);
    if (!animation1->checked()) editor.anim_frame = 0;
    render_view(p, editor.anim_frame, show_hidden);
    bit_blt(sg_map->canvas(), header_size, header_size, view_pixels, view_pixels, editor.map_buffer.canvas(), 0, 0);
}

void TForm1::sg_mapDrawCell(int ACol, int ARow, kit::Rect, kit::GridDrawState) {
    if (editor.world.maps.empty()) return;
    const int left = sg_map->left_col(), top = sg_map->top_row();
    if ((ACol == left + 14 && ARow == top + 14) || (ACol == left + 15 && ARow == top + 15)) {
        map_refresh(editor.show_hidden);
        return;
    }
    // Where the cell 15 away from the top-left one is not painted (a map
    // narrower or lower than 16 cells, or scrolled to its last row), the cells
    // painted after the render above, or every cell for a map below 15, would
    // leave the view black: render once more when the last cell is painted.
    const auto painted = [this](int col, int row) {
        return col < sg_map->col_count() && row < sg_map->row_count() && sg_map->cell_rect(col, row).width > 0;
    };
    if (ACol < sg_map->fixed_cols() || ARow < sg_map->fixed_rows()) return;
    if (painted(ACol + 1, ARow) || painted(ACol, ARow + 1)) return;
    if (!painted(left + 15, top + 15)) map_refresh(editor.show_hidden);
}

void TForm1::sg_mapTopLeftChanged() { Timer3->set_enabled(true); }

void TForm1::Timer3Timer() {
    // Off first: a render that fails must not come back every 3 ms.
    Timer3->set_enabled(false);
    map_refresh(editor.show_hidden);
}

void TForm1::Timer2Timer() {
    editor.anim_frame = editor.anim_frame + 1;
    if (editor.anim_frame > 7) editor.anim_frame = 0;
    const int page = PC->active_page_index();
    // The frame-set previews of the terrain and objects pages run through the
    // frames chosen in their count box; an empty slot keeps the last picture.
    const auto preview = [](kit::ComboBox& count, const tintarray& frames, kit::Image& image) {
        const int n = str_to_int(count.item(count.item_index()));
        if (n - 1 < editor.anim_frame) editor.anim_frame = 0;
        const auto slot = static_cast<std::size_t>(editor.anim_frame);
        if (slot >= frames.size() || frames[slot] < 0) return;
        if (const Bitmap* frame = tile_frame(editor.tile_frames, frames[slot])) image.draw(0, 0, *frame);
    };
    if (page == 0) preview(*cb_timages, editor.terrain_frames, *Image1);
    if (page == 2) preview(*cb_oimages, editor.object_frames, *Image2);
    if (page == 1) {
        Tplace p;
        make_place(cb_maps->item_index(), sg_map->left_col() - 1, sg_map->top_row() - 1, p);
        render_view(p, editor.anim_frame, editor.show_hidden);
        const kit::Rect at = sg_map->cell_rect(sg_map->left_col(), sg_map->top_row());
        const int x = at.width > 0 ? at.left : header_size, y = at.height > 0 ? at.top : header_size;
        bit_blt(sg_map->canvas(), x, y, view_pixels, view_pixels, editor.map_buffer.canvas(), 0, 0);
    }
}

// ---- Options

void TForm1::animation1Click() {
    animation1->set_checked(!animation1->checked());
    Timer2->set_enabled(animation1->checked());
    editor.anim_frame = 0;
}

void TForm1::Showhidden1Click() {
    Showhidden1->set_checked(!Showhidden1->checked());
    editor.show_hidden = Showhidden1->checked();
}

// ---- the map palettes

void TForm1::sg_terrains_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int e = palette_entry(ACol, ARow, editor.world.terrains.size());
    if (e >= 0) draw_palette_cell(*sg_terrains_2, Rect, first_frame(editor.world.terrains[static_cast<std::size_t>(e)].frames));
}

void TForm1::sg_objects_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int e = palette_entry(ACol, ARow, editor.world.pmapobjects.size());
    if (e >= 0) draw_palette_cell(*sg_objects_2, Rect, first_frame(editor.world.pmapobjects[static_cast<std::size_t>(e)].frames));
}

void TForm1::sg_pitems_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int e = palette_entry(ACol, ARow, editor.world.pitems.size());
    if (e >= 0) draw_palette_cell(*sg_pitems_2, Rect, editor.world.pitems[static_cast<std::size_t>(e)].image);
}

void TForm1::sg_pres_2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int e = palette_entry(ACol, ARow, editor.world.presources.size());
    if (e >= 0) draw_palette_cell(*sg_pres_2, Rect, editor.world.presources[static_cast<std::size_t>(e)].image_one);
}

void TForm1::sg_pnpc2DrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState) {
    const int e = palette_entry(ACol, ARow, editor.world.pnpcs.size());
    if (e >= 0) draw_palette_cell(*sg_pnpc2, Rect, editor.world.pnpcs[static_cast<std::size_t>(e)].figure);
}

// A click on a cell without an entry moves the grid's selection and keeps the variable.
void TForm1::sg_terrains_2SelectCell(int ACol, int ARow, bool&) {
    const int e = palette_entry(ACol, ARow, editor.world.terrains.size());
    if (e >= 0) editor.cur_terrain = e;
}

void TForm1::sg_objects_2SelectCell(int ACol, int ARow, bool&) {
    const int e = palette_entry(ACol, ARow, editor.world.pmapobjects.size());
    if (e >= 0) editor.cur_object = e;
}

void TForm1::sg_pitems_2SelectCell(int ACol, int ARow, bool&) {
    const int e = palette_entry(ACol, ARow, editor.world.pitems.size());
    if (e >= 0) editor.cur_item = e;
}

void TForm1::sg_pres_2SelectCell(int ACol, int ARow, bool&) {
    const int e = palette_entry(ACol, ARow, editor.world.presources.size());
    if (e >= 0) editor.cur_resource = e;
}

void TForm1::sg_pnpc2SelectCell(int ACol, int ARow, bool&) {
    const int e = palette_entry(ACol, ARow, editor.world.pnpcs.size());
    if (e >= 0) editor.cur_npc = e;
}

// ---- catalogue grids

void TForm1::setgrids() {
    const auto rows = [](std::size_t n) { return static_cast<int>(n / 3) + 1; };
    const TWorld& w = editor.world;
    for (kit::StringGrid* g : {sg_terrains, sg_terrains_2}) g->set_row_count(rows(w.terrains.size()));
    for (kit::StringGrid* g : {sg_objects, sg_objects_2}) g->set_row_count(rows(w.pmapobjects.size()));
    for (kit::StringGrid* g : {sg_pitems, sg_pitems_2}) g->set_row_count(rows(w.pitems.size()));
    for (kit::StringGrid* g : {sg_presources, sg_pres_2}) g->set_row_count(rows(w.presources.size()));
    sg_frac->set_row_count(rows(w.fracs.size()));
    for (kit::StringGrid* g : {sg_pnpc, sg_pnpc2}) g->set_row_count(rows(w.pnpcs.size()));
    update_ress_cb();
}
