#pragma once
// The resource pickers and allowed lists of the items and resources pages:
// combo boxes listing the resource templates of some kinds with their
// one-piece pictures, and list boxes of resource rows by name.
#include "model/init.h"
#include "platform/kit/kit.h"

#include <cstdint>
#include <string>
#include <vector>

namespace page_resource_rows {
// Which resources each picker lists: the items page's ammunition, clips and
// cells; the resources page's ammunition; and the liquids and mixtures that fill vials.
bool in_ammo_clip_cell(int32_t kind);
bool in_ammo(int32_t kind);
bool fills_vials(int32_t kind);

// The catalogue row the chosen entry of a resource picker stands for, -1
// when nothing is chosen, the entry is "empty" or the row names no template.
int picked_row(const kit::ComboBox& picker);
// The allowed lists of both pages: a row is added once ("already exists"
// otherwise); the line chosen in the list box is removed. True when the
// list changed.
bool add_child(int row, tintarray& children);
bool remove_child(const kit::ListBox& list, tintarray& children);
// Fills a list box with the names of resource rows, one line each; a row
// that names no template gives an empty line.
void list_names(kit::ListBox& list, const tintarray& rows);
// The rows of a buffer that still name a template: a buffer kept across an
// Open may hold rows the world no longer has, which no record may take.
tintarray existing_rows(const tintarray& rows);
}  // namespace page_resource_rows

// A combo box listing the resource templates whose kind `lists` accepts, each
// with its one-piece picture from images; with_empty puts an entry "empty"
// (data -1, a blank picture) first.
class ResourcePicker {
public:
    ResourcePicker(kit::ComboBox& combo, kit::ImageList& images, bool (*lists)(int32_t kind), bool with_empty);
    // Refills the picker from the catalogue, its first entry chosen: when the
    // rows it shows are unchanged and only new ones follow, those are appended;
    // anything else refills it.
    void refill();
    // After an edit of catalogue row `row`: only that row's entry changes (its
    // caption and picture, or it joins or leaves the picker when its kind
    // changed), and the picker keeps its choice. True when anything changed.
    bool update_entry(int row);

private:
    // What the picker was last filled from, row by row.
    struct Source {
        int32_t kind, image;
        std::string name;
        bool operator==(const Source&) const = default;
    };
    void add(int row, const Source& source);

    kit::ComboBox& combo_;
    kit::ImageList& images_;
    bool (*lists_)(int32_t kind);
    bool with_empty_;
    bool filled_ = false;
    std::vector<Source> source_;
};
