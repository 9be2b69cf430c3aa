#include "mainwindow/map_view.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "model/render.h"
#include "model/tools.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cstdint>

namespace {

// The shared state, for the helpers of this file that belong to no page.
SharedState& editor = shared_state();

// The map view: 16 x 16 cells of 32 pixels, right of and below the 22-pixel headers.
constexpr int view_cells = 16;
// The most cells one map may have: 4096 x 4096, far beyond any map a game shows.
constexpr int64_t max_map_cells = int64_t{4096} * 4096;
// The longest side of a map: the grid holds a header text for every column and
// row, and a map without cells would otherwise have a side of any length.
constexpr int32_t max_map_side = 65536;
constexpr int view_pixels = view_cells * 32;
constexpr int header_size = 22;

// Renders the window of 16 x 16 cells from top_left into the map buffer; what
// lies outside the map, and the whole view without a map, is black.
void render_view(const Tplace& top_left, int frame_number, bool show_hidden) {
    editor.map_buffer.canvas().brush_color = clBlack;
    draw_map_view(editor.world, editor.tile_frames, top_left, view_cells, view_cells, frame_number, show_hidden,
                  editor.map_buffer);
}

// A header number too long for its cell (a row header is 22 pixels wide, so
// four digits do not fit the grid's font) is written again in the largest
// font that fits, centred, so that no digit is cut off.
void draw_header_number(kit::StringGrid& grid, int col, int row, kit::Rect rect) {
    const std::string text = grid.cell(col, row);
    Canvas& c = grid.canvas();
    if (text.empty() || c.text_width(text) <= rect.width - 3) return;
    const QFont saved = c.font;
    for (int size = QFontInfo(saved).pixelSize() - 1; size >= 5; --size) {
        c.font.setPixelSize(size);
        const QFontMetrics m(c.font);
        if (c.text_width(text) <= rect.width - 2 && m.height() <= rect.height) break;
    }
    c.brush_color = grid.fixed_color();
    c.fill_rect(rect.left, rect.top, rect.right(), rect.bottom());
    c.font_color = clBlack;
    const QFontMetrics m(c.font);
    c.text_out_transparent(rect.left + (rect.width - c.text_width(text)) / 2, rect.top + (rect.height - m.height()) / 2,
                           text);
    c.font = saved;
}

}  // namespace

MapView::MapView(PageHost& host) : host(host), editor(host.state()), map_page(host.page_control(), "map") {
    map_page.name = "map_page";
    const int palette_width = kit::cell_grid_width(3, 32);
    host.window().lay_out({
        {e_map_w, "e_map_w", 8, 8, 44, 22},
        {e_map_h, "e_map_h", 56, 8, 44, 22},
        {e_map_name, "e_map_name", 104, 8, 120, 22},
        {Button5, "Button5", 228, 6, 60, 26},
        {cb_maps, "cb_maps", 300, 8, 200, 22},
        {sg_map, "sg_map", 8, 38, 554, 550},
        {PC2, "PC2", 572, 38, 330, 550},
        {sg_terrains_2, "sg_terrains_2", 4, 4, palette_width, 500},
        {sg_objects_2, "sg_objects_2", 4, 4, kit::cell_grid_width(3, 64), 500},
        {sg_pitems_2, "sg_pitems_2", 4, 4, palette_width, 500},
        {sg_pres_2, "sg_pres_2", 4, 4, palette_width, 500},
        {sg_pnpc2, "sg_pnpc2", 4, 4, palette_width, 500},
    });
    for (kit::TabSheet* p : {&PC2_terra, &PC2_objects, &PC2_items, &PC2_resources, &PC2_npc})
        p->name = "PC2_" + p->caption();
    cb_maps.set_text("no maps");
    Button5.on_click = [this] { Button5Click(); };
    cb_maps.on_change = [this] { cb_mapsChange(); };

    sg_map.set_col_count(2);
    sg_map.set_row_count(2);
    sg_map.set_fixed_cols(1);
    sg_map.set_fixed_rows(1);
    sg_map.set_default_cell_size(32, 32);
    sg_map.set_grid_line_width(0);
    sg_map.set_color(clBlack);
    sg_map.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState state) {
        sg_mapDrawCell(c, r, rect, state);
    };
    sg_map.on_top_left_changed = [this] { sg_mapTopLeftChanged(); };

    Timer3.on_timer = [this] { Timer3Timer(); };

    // The palettes: three entries a row, each cell showing the entry a click on it selects.
    kit::cell_grid(sg_terrains_2, 3, 32, 32);
    kit::cell_grid(sg_objects_2, 3, 64, 64);
    kit::cell_grid(sg_pitems_2, 3, 32, 32);
    kit::cell_grid(sg_pres_2, 3, 32, 32);
    kit::cell_grid(sg_pnpc2, 3, 32, 64);
    const TWorld& w = editor.world;
    bind_pictures(
        sg_terrains_2, w.terrains, [](const Tterrain& t) { return first_frame(t.frames); },
        [this](int e) { editor.cur_terrain = e; });
    bind_pictures(
        sg_objects_2, w.pmapobjects, [](const Tmapobject& o) { return first_frame(o.frames); },
        [this](int e) { editor.cur_object = e; });
    bind_pictures(
        sg_pitems_2, w.pitems, [](const Tpitem& i) { return i.image; }, [this](int e) { editor.cur_item = e; });
    bind_pictures(
        sg_pres_2, w.presources, [](const Tpres& r) { return r.image_one; },
        [this](int e) { editor.cur_resource = e; });
    bind_pictures(
        sg_pnpc2, w.pnpcs, [](const Tchar& n) { return n.figure; }, [this](int e) { editor.cur_npc = e; });
}

void MapView::start() {
    cb_maps.set_item_index(-1);
    sg_map.set_col_width(0, header_size);
    sg_map.set_row_height(0, header_size);
}

void MapView::shown() {}

// ---- the map list

void MapView::fillcbmaps() {
    cb_maps.clear();
    for (const Tmap& map : editor.world.maps) cb_maps.add(map.name);
    cb_maps.set_item_index(0);  // selects nothing when there is no map
}

void MapView::Button5Click() {
    const int32_t width = str_to_int(e_map_w.text());
    const int32_t height = str_to_int(e_map_h.text());
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
    map.name = e_map_name.text();
    // Every cell holds terrain row 0, which exists only once a terrain has been
    // added; the renderer draws a cell naming no terrain black.
    map.cells.assign(static_cast<std::size_t>(width), tintarray(static_cast<std::size_t>(height), 0));
    editor.world.maps.push_back(std::move(map));

    fillcbmaps();
    const int last = static_cast<int>(editor.world.maps.size()) - 1;
    cb_maps.set_item_index(last);
    host.catalogue_changed(Catalogue::maps, last);
    cb_mapsChange();
}

void MapView::cb_mapsChange() {
    const Tmap* chosen = entry_at(editor.world.maps, cb_maps.item_index());
    if (!chosen) return;
    const Tmap& map = *chosen;
    // A map without cells has nothing to head: its other side, which a world
    // file may give any length without holding a cell, gets no columns or rows.
    const bool has_cells = map.width > 0 && map.height > 0;
    const int32_t width = has_cells ? map.width : 0, height = has_cells ? map.height : 0;
    sg_map.set_col_count(width + 1);
    sg_map.set_row_count(height + 1);
    // A map without cells left no room for the headers; a bigger one gets them back.
    sg_map.set_fixed_cols(1);
    sg_map.set_fixed_rows(1);
    for (int32_t x = 0; x < width; ++x) sg_map.set_cell(x + 1, 0, std::to_string(x));
    for (int32_t y = 0; y < height; ++y) sg_map.set_cell(0, y + 1, std::to_string(y));
    sg_map.refresh();
}

// ---- the map view

void MapView::map_refresh(bool show_hidden) {
    Tplace p;
    make_place(cb_maps.item_index(), sg_map.left_col() - 1, sg_map.top_row() - 1, p);
    if (!host.animating()) editor.anim_frame = 0;
    render_view(p, editor.anim_frame, show_hidden);
    bit_blt(sg_map.canvas(), header_size, header_size, view_pixels, view_pixels, editor.map_buffer.canvas(), 0, 0);
}

void MapView::sg_mapDrawCell(int ACol, int ARow, kit::Rect Rect, kit::GridDrawState State) {
    if (State.fixed) draw_header_number(sg_map, ACol, ARow, Rect);
    if (editor.world.maps.empty()) return;
    const int left = sg_map.left_col(), top = sg_map.top_row();
    if ((ACol == left + 14 && ARow == top + 14) || (ACol == left + 15 && ARow == top + 15)) {
        map_refresh(editor.show_hidden);
        return;
    }
    // Where the cell 15 away from the top-left one is not painted (a map
    // narrower or lower than 16 cells, or scrolled to its last row), the cells
    // painted after the render above, or every cell for a map below 15, would
    // leave the view black: render once more when the last cell is painted.
    const auto painted = [this](int col, int row) {
        return col < sg_map.col_count() && row < sg_map.row_count() && sg_map.cell_rect(col, row).width > 0;
    };
    if (ACol < sg_map.fixed_cols() || ARow < sg_map.fixed_rows()) return;
    if (painted(ACol + 1, ARow) || painted(ACol, ARow + 1)) return;
    if (!painted(left + 15, top + 15)) map_refresh(editor.show_hidden);
}

void MapView::sg_mapTopLeftChanged() { Timer3.set_enabled(true); }

void MapView::Timer3Timer() {
    // Off first: a render that fails must not come back every 3 ms.
    Timer3.set_enabled(false);
    map_refresh(editor.show_hidden);
}

void MapView::animation_step() {
    Tplace p;
    make_place(cb_maps.item_index(), sg_map.left_col() - 1, sg_map.top_row() - 1, p);
    render_view(p, editor.anim_frame, editor.show_hidden);
    const kit::Rect at = sg_map.cell_rect(sg_map.left_col(), sg_map.top_row());
    const int x = at.width > 0 ? at.left : header_size, y = at.height > 0 ? at.top : header_size;
    bit_blt(sg_map.canvas(), x, y, view_pixels, view_pixels, editor.map_buffer.canvas(), 0, 0);
}

void MapView::world_replaced(bool) {
    fillcbmaps();
    if (!editor.world.maps.empty()) cb_maps.set_item_index(static_cast<int>(editor.world.maps.size()) - 1);
    cb_mapsChange();
    sg_map.refresh();
    sg_terrains_2.refresh();
}

void MapView::size_grids() {
    const TWorld& w = editor.world;
    sg_terrains_2.set_row_count(picture_rows(w.terrains.size()));
    sg_objects_2.set_row_count(picture_rows(w.pmapobjects.size()));
    sg_pitems_2.set_row_count(picture_rows(w.pitems.size()));
    sg_pres_2.set_row_count(picture_rows(w.presources.size()));
    sg_pnpc2.set_row_count(picture_rows(w.pnpcs.size()));
}

void MapView::catalogue_changed(Catalogue catalogue, int row) {
    if (row < 0) return;
    // An edited entry shows at once in its palette; an edited terrain sizes
    // the palette to the rows the entries fill, as the terrain page's grid.
    if (catalogue == Catalogue::items) sg_pitems_2.refresh();
    if (catalogue == Catalogue::resources) sg_pres_2.refresh();
    if (catalogue == Catalogue::terrains)
        sg_terrains_2.set_row_count(std::max(1, static_cast<int>((editor.world.terrains.size() + 2) / 3)));
}
