#pragma once
// What the tables of the Craft and Paths pages share: checked lookups of the
// entries that recorded indexes name (after a deletion or an Open an index may
// name nothing), and the width of their row number column.
#include "platform/kit/kit.h"

#include <cstdint>
#include <vector>

// Entry index of list, or nullptr when the index names none.
template <typename T>
const T* entry_at(const std::vector<T>& list, int64_t index) {
    return index >= 0 && static_cast<uint64_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)] : nullptr;
}

// The header of a table's row number column: "№" in the model's code page.
inline constexpr const char* number_header = "\xB9";

// Sets the width of column 0 of a table whose rows are numbered 1..rows: the
// design width, or more when the header or the largest number needs it.
void fit_number_column(kit::StringGrid& grid, int design_width, std::size_t rows);
