#include "mainwindow/frame_set.h"

#include "mainwindow/picture_grid.h"
#include "mainwindow/shared_state.h"
#include "model/links.h"
#include "platform/modal.h"
#include "tiles/utils.h"

#include <algorithm>

namespace frame_set {

const char* const unfilled_message =
    "Set the images compare to the selected number of frames.Just click on then cells in frames set";

int count_index(int64_t count) { return count >= 8 ? 3 : count >= 4 ? 2 : count >= 2 ? 1 : 0; }

int chosen_count(const kit::ComboBox& counts) {
    const int n = str_to_int(counts.item(counts.item_index()));
    return n >= 1 && n <= slot_count ? n : 0;
}

int count_to_add(const kit::ComboBox& counts, const tintarray& set) {
    const int n = chosen_count(counts);
    if (n == 0 || filled(set, n)) return n;
    modal().message(unfilled_message);
    return 0;
}

void load(tintarray& set, int64_t count, const tintarray& frames) {
    set.assign(slot_count, -1);
    const int64_t n = std::min({count, int64_t{slot_count}, static_cast<int64_t>(frames.size())});
    for (int64_t i = 0; i < n; ++i) set[static_cast<std::size_t>(i)] = frames[static_cast<std::size_t>(i)];
}

bool filled(const tintarray& set, int n) {
    if (n < 0 || n > static_cast<int>(set.size())) return false;
    // A slot whose number names no tile frame (as a file may hold) shows
    // nothing and is as empty as a -1.
    return std::all_of(set.begin(), set.begin() + n,
                       [](int32_t slot) { return tile_frame(shared_state().tile_frames, slot) != nullptr; });
}

bool empty_or_filled(const tintarray& set, int n) {
    if (n < 0 || n > static_cast<int>(set.size())) return false;
    return std::all_of(set.begin(), set.begin() + n, [](int32_t slot) {
        return slot == -1 || tile_frame(shared_state().tile_frames, slot) != nullptr;
    });
}

tintarray first(const tintarray& set, int n) {
    tintarray frames(static_cast<std::size_t>(std::max(n, 0)), -1);
    for (std::size_t i = 0; i < frames.size() && i < set.size(); ++i) frames[i] = set[i];
    return frames;
}

bool store_current_tile(tintarray& set, int c) {
    // A current tile that names no frame (an item's picture may be any number)
    // is no pick: the slot keeps its tile.
    if (!links::in_range(c, set) || !tile_frame(shared_state().tile_frames, shared_state().cur_tile)) return false;
    set[static_cast<std::size_t>(c)] = shared_state().cur_tile;
    return true;
}

void bind(kit::StringGrid& grid, const tintarray& set, std::function<void(int)> clicked) {
    grid.on_draw_cell = [&grid, &set](int col, int, kit::Rect rect, kit::GridDrawState) {
        if (!links::in_range(col, set)) return;
        const Bitmap* tile = tile_frame(shared_state().tile_frames, set[static_cast<std::size_t>(col)]);
        if (!tile) return;
        // Less its last column and row, so that neighbouring slots stay apart.
        bit_blt(*grid.canvas().image(), rect.left, rect.top, tile->width() - 1, tile->height() - 1, tile->image(), 0,
                0);
    };
    grid.on_select_cell = [clicked = std::move(clicked)](int col, int, bool&) { clicked(col); };
}

void animate(const kit::ComboBox& counts, const tintarray& set, kit::Image& image) {
    const int n = str_to_int(counts.item(counts.item_index()));
    if (n - 1 < shared_state().anim_frame) shared_state().anim_frame = 0;
    const auto slot = static_cast<std::size_t>(shared_state().anim_frame);
    if (slot >= set.size() || set[slot] < 0) return;
    // Cleared first, so a smaller frame after a larger one leaves nothing of it.
    if (tile_frame(shared_state().tile_frames, set[slot])) show_frame(image, set[slot]);
}

}  // namespace frame_set
