#pragma once
// What the tables of the Craft and Paths pages share: column widths that show
// their headers and texts whole.
#include "platform/kit/kit.h"

#include <string>
#include <vector>

// The header of a table's row number column: "№" in the model's code page.
inline constexpr const char* number_header = "\xB9";

// Sets the width of column col of a grid: width, or more when one of texts,
// written inset pixels into the cell (2 for the grid's own texts), needs more
// to show whole.
void fit_column(kit::StringGrid& grid, int col, int width, const std::vector<std::string>& texts, int inset = 2);

// The longest text of each column of a table by its number of characters,
// which is the one measured: digits are all as wide, and for words it is near
// enough. Measuring every text of a long table would take longer than
// building it.
class LongestTexts {
public:
    explicit LongestTexts(std::size_t cols) : texts_(cols) {}
    void note(std::size_t col, const std::string& text) {
        if (text.size() > texts_[col].size()) texts_[col] = text;
    }
    const std::string& operator[](std::size_t col) const { return texts_[col]; }

private:
    std::vector<std::string> texts_;
};
// Column 0 of a table whose rows are numbered 1..rows under number_header.
void fit_number_column(kit::StringGrid& grid, int width, std::size_t rows);
