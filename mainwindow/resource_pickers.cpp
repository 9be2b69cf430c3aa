#include "mainwindow/resource_pickers.h"

#include "mainwindow/lookups.h"
#include "mainwindow/shared_state.h"
#include "platform/modal.h"
#include "tiles/utils.h"

#include <algorithm>

namespace page_resource_rows {

bool in_ammo_clip_cell(int32_t k) {
    return k == resource_kind::ammo || k == resource_kind::clip || k == resource_kind::cell;
}
bool in_ammo(int32_t k) { return k == resource_kind::ammo; }
bool fills_vials(int32_t k) { return k == resource_kind::liquid || k == resource_kind::mixture; }

int picked_row(const kit::ComboBox& picker) {
    const int row = picker.item_data(picker.item_index());
    return resource_template(row) ? row : -1;
}

bool add_child(int row, tintarray& children) {
    if (int_array_find(row, children) >= 0) {
        modal().message("already exists");
        return false;
    }
    int_array_append(row, children);
    return true;
}

bool remove_child(const kit::ListBox& list, tintarray& children) {
    const int line = list.item_index();
    if (!entry_at(children, line)) return false;
    int_array_delete(line, children);
    return true;
}

void list_names(kit::ListBox& list, const tintarray& rows) {
    list.clear();
    for (const int32_t r : rows) {
        const Tpres* res = resource_template(r);
        list.add(res ? res->name : std::string());
    }
}

tintarray existing_rows(const tintarray& rows) {
    tintarray out;
    for (const int32_t r : rows)
        if (resource_template(r)) out.push_back(r);
    return out;
}

}  // namespace page_resource_rows

namespace {

const Bitmap& picture_of(int64_t image) {
    const SharedState& s = shared_state();
    const Bitmap* tile = tile_frame(s.tile_frames, image);
    return tile ? *tile : s.blank_bitmap32;
}

}  // namespace

ResourcePicker::ResourcePicker(kit::ComboBox& combo, kit::ImageList& images, bool (*lists)(int32_t kind),
                               bool with_empty)
    : combo_(combo), images_(images), lists_(lists), with_empty_(with_empty) {}

void ResourcePicker::add(int row, const Source& source) {
    if (lists_(source.kind)) combo_.add_item(source.name, images_.add(picture_of(source.image)), row);
}

void ResourcePicker::refill() {
    const auto& catalogue = shared_state().world.presources;
    std::vector<Source> source;
    source.reserve(catalogue.size());
    for (const Tpres& res : catalogue) source.push_back({res.kind, res.image_one, res.name});

    const bool appended =
        source.size() >= source_.size() && filled_ && std::equal(source_.begin(), source_.end(), source.begin());
    std::size_t first = source_.size();
    if (!appended) {
        first = 0;
        combo_.clear();
        combo_.set_item_height(32);
        combo_.set_height(36);
        images_.clear();
        combo_.set_images(&images_);
        if (with_empty_) {
            images_.add(shared_state().blank_bitmap32);
            combo_.add_item("empty", 0, -1);
        }
    }
    for (std::size_t r = first; r < source.size(); ++r) add(static_cast<int>(r), source[r]);
    source_ = std::move(source);
    filled_ = true;
    if (combo_.count() > 0) combo_.set_item_index(0);
}

bool ResourcePicker::update_entry(int row) {
    const auto& catalogue = shared_state().world.presources;
    const Tpres* res = resource_template(row);
    // The picker no longer mirrors the catalogue (it is refilled by the next
    // setgrids in any case): refill it now, keeping the row it had chosen
    // where that row is still listed.
    if (!res || source_.size() != catalogue.size() || !filled_) {
        const int chosen = combo_.item_data(combo_.item_index());
        refill();
        for (int i = 0; i < combo_.count(); ++i)
            if (combo_.item_data(i) == chosen) {
                combo_.set_item_index(i);
                break;
            }
        return true;
    }

    Source& was = source_[static_cast<std::size_t>(row)];
    const Source now{res->kind, res->image_one, res->name};
    if (was == now) return false;
    const bool listed = lists_(was.kind), lists_now = lists_(now.kind);
    if (listed || lists_now) {
        // Its entry follows those of the rows before it that this picker lists.
        int at = with_empty_ ? 1 : 0;
        for (int r = 0; r < row; ++r)
            if (lists_(source_[static_cast<std::size_t>(r)].kind)) ++at;
        // A new picture goes to the end of the image list; the one it replaces
        // stays unused there until the next full refill clears it.
        if (listed && lists_now) {
            combo_.set_item(at, now.name, images_.add(picture_of(now.image)));
        } else if (lists_now) {
            combo_.insert_item(at, now.name, images_.add(picture_of(now.image)), row);
        } else {
            // The entry chosen leaves: the picker falls back to its first
            // entry, as a refill would.
            const bool chosen = combo_.item_index() == at;
            combo_.remove_item(at);
            if (chosen) combo_.set_item_index(0);
        }
    }
    was = now;
    return true;
}
