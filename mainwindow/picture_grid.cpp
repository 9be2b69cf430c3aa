#include "mainwindow/picture_grid.h"

#include "mainwindow/lookups.h"
#include "mainwindow/shared_state.h"

int picture_entry(int col, int row, std::size_t count) {
    if (col < 0 || col > 2 || row < 0) return -1;
    const int64_t e = int64_t{col} + 3 * int64_t{row};
    return e < static_cast<int64_t>(count) ? static_cast<int>(e) : -1;
}

int picture_rows(std::size_t count) { return static_cast<int>(count / 3) + 1; }

int64_t first_frame(const tintarray& frames) { return frames.empty() ? -1 : frames.front(); }

void bind_pictures(kit::StringGrid& grid, std::function<std::size_t()> count,
                   std::function<int64_t(std::size_t)> picture, std::function<void(int)> select) {
    grid.on_draw_cell = [&grid, count, picture](int col, int row, kit::Rect rect, kit::GridDrawState) {
        const int e = picture_entry(col, row, count());
        if (e < 0) return;
        if (const Bitmap* frame = tile_frame(shared_state().tile_frames, picture(static_cast<std::size_t>(e))))
            grid.canvas().draw(rect.left, rect.top, *frame);
    };
    if (!select) {
        grid.on_select_cell = nullptr;
        return;
    }
    grid.on_select_cell = [count, select](int col, int row, bool&) {
        const int e = picture_entry(col, row, count());
        if (e >= 0) select(e);
    };
}

void bind_resource_rows(kit::StringGrid& grid, const tintarray& rows, std::function<void(int)> select) {
    bind_pictures(
        grid, [&rows] { return rows.size(); },
        [&rows](std::size_t e) -> int64_t {
            const Tpres* res = resource_template(rows[e]);
            return res ? res->image_one : -1;
        },
        std::move(select));
}

void draw_pieces(Canvas& canvas, int x, int y, const Tpres& r, int64_t count) {
    const Bitmap* one = tile_frame(shared_state().tile_frames, r.image_one);
    const Bitmap* picture = count == 1  ? one
                            : count > 1 ? tile_frame(shared_state().tile_frames, r.image_many)
                                        : nullptr;
    if (!picture || !canvas.image()) return;
    const Bitmap& area = one ? *one : *picture;
    bit_blt(*canvas.image(), x, y, area.width(), area.height(), picture->image(), 0, 0);
}

void draw_count(Canvas& canvas, int x, int y, int64_t count) {
    canvas.brush_color = clWhite;
    canvas.font_color = clBlack;
    canvas.text_out(x + 10, y + 10, std::to_string(count));
}

void show_frame(kit::Image& image, int64_t frame) {
    Bitmap& picture = image.picture();
    Canvas& canvas = image.canvas();
    const TColor brush = canvas.brush_color;
    canvas.brush_color = clWhite;
    canvas.fill_rect(0, 0, picture.width(), picture.height());
    canvas.brush_color = brush;
    if (const Bitmap* tile = tile_frame(shared_state().tile_frames, frame)) canvas.draw(0, 0, *tile);
}

void take_current_tile(int32_t& picture, kit::Image& image) {
    // cur_tile may name no frame: an item's picture becomes the current tile.
    if (shared_state().cur_tile < 0 || !tile_frame(shared_state().tile_frames, shared_state().cur_tile)) return;
    picture = shared_state().cur_tile;
    show_frame(image, picture);
}
