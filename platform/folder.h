#pragma once
// Listing the entries of a folder by a wildcard pattern, and a string list that
// keeps itself sorted by the desktop's case-insensitive name order.
#include <string>
#include <vector>

// Whether name matches a pattern of "*" (any run of characters, also none), "?"
// (one character) and plain characters, letter case ignored: "*.bmp" matches
// "a.BMP" as well, as the file systems the tile folders come from do.
bool matches_pattern(const std::string& name, const std::string& pattern);

// The names (without folder) of every entry of folder that matches pattern, with
// every attribute allowed: hidden entries and sub-folders are listed too, "." and
// ".." are not. A folder that does not exist or cannot be read lists nothing.
// The names come in compare_text order, so a listing is the same on every run.
std::vector<std::string> list_folder(const std::string& folder, const std::string& pattern);

// The desktop's case-insensitive text order: letters compare without regard to
// case, punctuation sorts before digits and digits before letters (so
// "grass_32x32.bmp" comes before "grass2_32x32.bmp"), the hyphen and the
// apostrophe count only when the texts are otherwise equal, and other bytes
// compare by their value after the letters. Returns <0, 0 or >0; 0 only for texts
// that are equal but for letter case.
int compare_text(const std::string& a, const std::string& b);

// A list of texts kept in compare_text order. Texts equal but for letter case
// are all kept, in byte order among themselves, so no name is ever dropped.
class SortedStrings {
public:
    // Inserts text at its place; returns that index.
    int add(const std::string& text);
    int count() const { return static_cast<int>(items_.size()); }
    // The text at index; an index outside the list throws ListIndexError.
    const std::string& at(int index) const;
    const std::vector<std::string>& items() const { return items_; }
    void clear() { items_.clear(); }

private:
    std::vector<std::string> items_;
};
