#pragma once
// Combo boxes that list resource catalogue rows with their one-piece pictures:
// the resource editor's allowed children and vial fillings, the item editor's
// ammunition rows. Each entry carries the row it stands for. And the grids of
// the placed resources inside an item or a resource.
#include "platform/kit/kit.h"
#include "tiles/utils.h"

#include <cstdint>
#include <functional>
#include <string>

struct Tpres;

// The rows of the resource catalogue, in ascending order, that takes(row, entry) accepts.
tintarray resource_rows(const std::function<bool(int32_t row, const Tpres& entry)>& takes);

// Empties the list and its pictures and fills them: first an entry none_text
// standing for no row (a blank picture) when none_text is not empty, then one
// entry per row with the row's name and picture; a row that names no catalogue
// entry shows an empty text and no picture, so it can still be picked and
// taken away. The first entry is chosen.
void fill_resource_list(kit::ComboBox& list, kit::ImageList& pictures, const tintarray& rows,
                        const std::string& none_text = "");

// The row the chosen entry stands for; -1 when none is chosen or it stands for no row.
int32_t chosen_row(const kit::ComboBox& list);

// Draws the one-piece picture of the placed resource that entry col + 3 x row
// of list names into that cell of grid; nothing for a cell past the list, an
// empty place (-1) or an index that names no placed resource.
void draw_placed_resource(kit::StringGrid& grid, const tintarray& list, int col, int row, kit::Rect rect);
