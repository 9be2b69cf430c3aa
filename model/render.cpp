#include "model/render.h"

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int cell_size = 32;

// Which of an animated picture's frames shows at animation frame frame_number:
// the number modulo a count of 2, 4 or 8; frame 0 for one frame, for any other
// count and for an animation frame outside 0..7.
std::size_t animation_slot(int64_t frame_count, int frame_number) {
    if (frame_number < 0 || frame_number > 7) return 0;
    if (frame_count == 2 || frame_count == 4 || frame_count == 8)
        return static_cast<std::size_t>(frame_number % frame_count);
    return 0;
}

// The tile frame of an animated frame list, or nullptr when the list is too short
// or the entry names no tile frame.
const Bitmap* animated_tile(const tiarray& frames, const tintarray& list, int64_t frame_count, int frame_number) {
    const std::size_t slot = animation_slot(frame_count, frame_number);
    return slot < list.size() ? tile_frame(frames, list[slot]) : nullptr;
}

// Resizes target to the picture and copies it unchanged to (0, 0).
void copy_picture(Bitmap& target, const Bitmap& picture) {
    target.set_size(picture.width(), picture.height());
    bit_blt(target, 0, 0, picture.width(), picture.height(), picture, 0, 0);
}

// The picture a resource shows, without its amount: a tile frame as it is, or,
// for a filled vial, the filling and the glass put together in work (which
// keeps its storage from one vial to the next). nullptr when there is nothing
// to draw.
const Bitmap* resource_picture(const Tpres& r, const tiarray& frames, const TWorld& world, Bitmap& work) {
    if (r.kind == resource_kind::vial) {
        const int32_t row = r.filling.index;
        const int32_t amount = r.filling.count;
        const bool filled_from_row = row >= 0 && row < static_cast<int64_t>(world.presources.size());
        if (filled_from_row && amount < 0) return nullptr;
        if (!filled_from_row || amount == 0) return tile_frame(frames, r.image_one);
        // The liquid fills the picture; the vial's glass lies over it, its
        // colour 1 letting the liquid through.
        const Bitmap* liquid = tile_frame(frames, world.presources[static_cast<std::size_t>(row)].image_one);
        if (!liquid) return nullptr;
        copy_picture(work, *liquid);
        if (const Bitmap* glass = tile_frame(frames, r.image_many))
            draw_frame(light_shadow_key, dark_shadow_key, vial_transparent, 0, 0, work, *glass);
        return &work;
    }
    return tile_frame(frames, r.amount >= 2 ? r.image_many : r.image_one);
}

bool draw_resource(const Tpres& r, const tiarray& frames, uint8_t count_mode, const TWorld& world,
                   Bitmap& target) {
    Bitmap work;
    const Bitmap* picture = resource_picture(r, frames, world, work);
    if (!picture) return false;
    copy_picture(target, *picture);
    // Clips, cells and vials, always one piece, never show their amount.
    if (!single_piece(r.kind) &&
        (count_mode == count_always || (count_mode == count_above_one && r.amount > 1))) {
        // An amount too long to fit right of x 20 ends at the picture's right
        // edge instead, so none of its digits is cut off.
        const std::string amount = std::to_string(r.amount);
        Canvas& canvas = target.canvas();
        canvas.text_out(std::clamp(target.width() - canvas.text_width(amount), 0, 20), 20, amount);
    }
    return true;
}

// The window of cells being rendered; bounds are 64-bit so that no sum overflows.
struct Window {
    int32_t map;
    int64_t left, top, columns, rows;
};

// Draws a picture with its bottom-right corner on the bottom-right corner of cell p.
void draw_on_cell(Bitmap& target, const Window& w, const Tplace& p, const Bitmap& picture) {
    const int x = static_cast<int>((p.x - w.left) * cell_size + cell_size - picture.width());
    const int y = static_cast<int>((p.y - w.top) * cell_size + cell_size - picture.height());
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, x, y, target, picture);
}

// Orders objects by row the way a selection sort does: at each place p in turn,
// the first of the smallest rows among places p and after is swapped with the
// object at p, so equal rows need not keep list order (the order the map has
// always drawn them in). The same swaps are found without a scan of the rest
// at each place: for every row, the places still to be ordered that hold it
// are kept in a heap with the first on top. The place to swap with is the top
// of the smallest row's heap; the object it swaps with moves there, and as
// every place before p is done, p is the top of that object's row's heap.
void order_by_row(std::vector<std::pair<int32_t, int32_t>>& objects) {  // (row, index)
    const std::size_t n = objects.size();
    if (n < 2) return;
    std::vector<int32_t> rows(n);
    for (std::size_t i = 0; i < n; ++i) rows[i] = objects[i].first;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const auto heap_of = [&](int32_t row) {
        return static_cast<std::size_t>(std::lower_bound(rows.begin(), rows.end(), row) - rows.begin());
    };
    const auto first_on_top = std::greater<std::size_t>();
    std::vector<std::vector<std::size_t>> places(rows.size());
    // Places added in ascending order already make a heap with the first on top.
    for (std::size_t i = 0; i < n; ++i) places[heap_of(objects[i].first)].push_back(i);
    std::size_t smallest = 0;
    for (std::size_t p = 0; p < n; ++p) {
        while (places[smallest].empty()) ++smallest;
        auto& heap = places[smallest];
        const std::size_t least = heap.front();
        std::pop_heap(heap.begin(), heap.end(), first_on_top);
        heap.pop_back();
        if (least == p) continue;  // the object at p has the smallest row
        auto& moved = places[heap_of(objects[p].first)];
        std::pop_heap(moved.begin(), moved.end(), first_on_top);  // p, the first of its row
        moved.back() = least;
        std::push_heap(moved.begin(), moved.end(), first_on_top);
        std::swap(objects[p], objects[least]);
    }
}

void draw_terrain(const TWorld& world, const tiarray& frames, const Window& w, int frame_number, Bitmap& target) {
    Bitmap black(cell_size, cell_size);
    const Tmap& map = world.maps[static_cast<std::size_t>(w.map)];
    for (int64_t cx = 0; cx < w.columns; ++cx) {
        const int64_t x = w.left + cx;
        for (int64_t cy = 0; cy < w.rows; ++cy) {
            const int64_t y = w.top + cy;
            const int px = static_cast<int>(cx * cell_size);
            const int py = static_cast<int>(cy * cell_size);
            const Bitmap* picture = nullptr;
            if (x >= 0 && x < map.width && y >= 0 && y < map.height &&
                x < static_cast<int64_t>(map.cells.size()) &&
                y < static_cast<int64_t>(map.cells[static_cast<std::size_t>(x)].size())) {
                const int32_t t = map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
                if (t >= 0 && t < static_cast<int64_t>(world.terrains.size())) {
                    const Tterrain& terrain = world.terrains[static_cast<std::size_t>(t)];
                    picture = animated_tile(frames, terrain.frames, terrain.frame_count, frame_number);
                }
            }
            // A frame smaller than a cell leaves the rest of the cell black.
            if (!picture || picture->width() < cell_size || picture->height() < cell_size)
                bit_blt(target, px, py, cell_size, cell_size, black, 0, 0);
            if (picture) bit_blt(target, px, py, cell_size, cell_size, *picture, 0, 0);
        }
    }
}

// Draws what stands and lies on the window's cells: the things the placed
// index finds there, each list in its own order.
void draw_things(const TWorld& world, const tiarray& frames, const Window& w, int frame_number, bool show_hidden,
                 Bitmap& target) {
    std::array<std::vector<int32_t>, placed_kinds> found;
    placed_in_window(world, w.map, w.left, w.top, w.columns, w.rows, found);
    const auto& in = [&](Placed list) -> const std::vector<int32_t>& { return found[static_cast<std::size_t>(list)]; };

    for (int32_t i : in(Placed::item)) {
        const Tpitem& item = world.items[static_cast<std::size_t>(i)];
        if (item.holder_object >= 0 || item.holder_npc >= 0) continue;
        if (const Bitmap* picture = tile_frame(frames, item.image)) draw_on_cell(target, w, item.place, *picture);
    }

    // The map shows no amounts, so a resource's tile frame is drawn as it is;
    // only a filled vial is put together first.
    Bitmap vial;
    for (int32_t i : in(Placed::resource)) {
        const Tpres& r = world.resources[static_cast<std::size_t>(i)];
        // Ammunition in a clip lying on a cell shares the clip's place but is inside it.
        if (r.holder_object >= 0 || r.holder_npc >= 0 || r.holder_item >= 0 || r.holder_resource >= 0) continue;
        if (const Bitmap* picture = resource_picture(r, frames, world, vial))
            draw_on_cell(target, w, r.place, *picture);
    }

    for (int32_t i : in(Placed::npc)) {
        const Tchar& npc = world.npcs[static_cast<std::size_t>(i)];
        if (const Bitmap* picture = tile_frame(frames, npc.figure)) draw_on_cell(target, w, npc.place, *picture);
    }

    std::vector<std::pair<int32_t, int32_t>> standing, floating;  // (row, index)
    for (int32_t i : in(Placed::object)) {
        const Tmapobject& o = world.mapobjects[static_cast<std::size_t>(i)];
        if (!(o.visible || show_hidden)) continue;
        (o.floating ? floating : standing).emplace_back(o.place.y, i);
    }
    order_by_row(standing);
    order_by_row(floating);
    for (const auto* list : {&standing, &floating})
        for (const auto& [row, i] : *list) {
            const Tmapobject& o = world.mapobjects[static_cast<std::size_t>(i)];
            if (const Bitmap* picture = animated_tile(frames, o.frames, o.frame_count, frame_number))
                draw_on_cell(target, w, o.place, *picture);
        }
}

// Sizes and fills the target; returns the window to draw, or false when there is
// no map to draw on it. The terrain covers every pixel of every cell (black
// where it has no picture or one smaller than a cell), so a target with a map
// to draw is not filled first: the fill would only be drawn over.
bool prepare(const TWorld& world, const Tplace& top_left, int columns, int rows, Bitmap& target, Window& w) {
    w = Window{top_left.map, top_left.x, top_left.y, std::max(columns, 0), std::max(rows, 0)};
    // A window too large for a bitmap is drawn as none at all.
    if (w.columns * cell_size > INT_MAX || w.rows * cell_size > INT_MAX) w.columns = w.rows = 0;
    const int width = static_cast<int>(w.columns * cell_size);
    const int height = static_cast<int>(w.rows * cell_size);
    target.set_size(width, height);
    const bool drawn = target.width() == width && target.height() == height &&  // else could not be allocated
                       top_left.map >= 0 && top_left.map < static_cast<int64_t>(world.maps.size());
    if (!drawn) target.canvas().fill_rect(0, 0, target.width(), target.height());
    return drawn;
}

}  // namespace

bool draw_thing(const Tinvitem& entry, const tiarray& frames, uint8_t count_mode, const TWorld& world,
                Bitmap& target) {
    if (entry.index < 0) return false;
    const auto index = static_cast<std::size_t>(entry.index);
    if (entry.kind == thing::item) {
        if (index >= world.items.size()) return false;
        const Bitmap* picture = tile_frame(frames, world.items[index].image);
        if (!picture) return false;
        copy_picture(target, *picture);
        return true;
    }
    if (entry.kind == thing::resource) {
        if (index >= world.resources.size()) return false;
        return draw_resource(world.resources[index], frames, count_mode, world, target);
    }
    return false;
}

void draw_map_view(const TWorld& world, const tiarray& frames, const Tplace& top_left, int columns, int rows,
                   int frame_number, bool show_hidden, Bitmap& target) {
    Window w;
    if (!prepare(world, top_left, columns, rows, target, w)) return;
    draw_terrain(world, frames, w, frame_number, target);
    draw_things(world, frames, w, frame_number, show_hidden, target);
}
