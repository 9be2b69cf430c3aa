#pragma once
// What the two template contents dialogs (the item template's, TForm6, and the
// resource template's, TForm7) share: grids of resource rows and the checks
// of adding to and removing from contents.
#include "model/init.h"
#include "platform/kit/kit.h"

#include <cstdint>
#include <functional>
#include <string>

namespace template_contents {
// Sets up a grid of resource rows, three 32-pixel cells a row.
void bind_rows(kit::StringGrid& grid, const tintarray& rows, std::function<void(int)> select = {});
// Sizes a grid for its list of rows.
void size_grid(kit::StringGrid& grid, const tintarray& rows);
// Sizes a grid of allowed rows: a row of cells per three catalogue entries,
// or more when the allowed list is longer than the catalogue.
void size_allowed_grid(kit::StringGrid& grid, const tintarray& allowed);
// Whether row may go into contents now: in the allowed list ("not a child"
// otherwise), a template (nothing said otherwise) of the kind asked for, when
// one is (message kind_message otherwise), and room left below the capacity
// typed in the page's field ("overload" otherwise).
bool may_add(int row, const tintarray& children, const tintarray& contents, int32_t kind, const char* kind_message,
             const std::function<std::string()>& capacity_text);
// Right button on a contents grid: asks "delete?" first, then removes the
// entry under the mouse, if any; true when one was removed.
bool remove_at(kit::StringGrid& grid, tintarray& contents, kit::MouseButton button, int x, int y);
}  // namespace template_contents
