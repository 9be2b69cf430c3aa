#pragma once
// Where the placed things lie, by map and row, so that the map view finds the
// things of its window without going through every placed list.
//
// The index belongs to the world (TWorld::placed_index) but is no part of its
// data: it is never saved, every two indexes compare equal, and a copied world
// starts with an index that is built afresh at its first use. It is built whole
// when first read and after refresh_placed_index. The model's routines keep it
// true: those that append a placed thing need do nothing (new entries at the
// end of a list are filed when the index is next read), those that change a
// thing's place call refile_placed, and those that erase from or reorder a
// placed list call refresh_placed_index.
//
// Every entry read is checked against the thing's own place; a placed list
// shorter than the index knows it, or an entry whose thing has moved away, has
// the index built afresh, and a list whose entries now lie elsewhere in memory
// (grown, or assigned anew) is checked whole, so a change it was not told of
// costs time, not a wrong answer. (A thing moved into the window without a refile_placed call is
// the one change such a check cannot see: every routine and page that writes a
// place calls it.)
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct TWorld;

// The placed lists the index covers, in the order the map view draws them.
enum class Placed : uint8_t { item, resource, npc, object };
constexpr std::size_t placed_kinds = 4;

class PlacedIndex {
public:
    PlacedIndex() = default;
    // A copy belongs to another world: it is built anew when first read.
    PlacedIndex(const PlacedIndex&) {}
    PlacedIndex& operator=(const PlacedIndex& other) {
        if (this != &other) *this = PlacedIndex();
        return *this;
    }
    // A moved index goes with its world's lists; the one left behind is built anew.
    PlacedIndex(PlacedIndex&& other) noexcept { take(other); }
    PlacedIndex& operator=(PlacedIndex&& other) noexcept {
        if (this != &other) take(other);
        return *this;
    }
    // Not part of the world's data: two worlds with the same things are equal.
    bool operator==(const PlacedIndex&) const { return true; }

private:
    friend struct PlacedIndexAccess;

    // One thing on a row: its column and its index in its placed list.
    struct Entry {
        int32_t x;
        int32_t index;
    };
    using Row = std::array<std::vector<Entry>, placed_kinds>;
    // A place as filed: on no row when map is negative.
    struct Filed {
        int32_t x, y, map;
    };

    void take(PlacedIndex& other) noexcept {
        rows_ = std::move(other.rows_);
        filed_ = std::move(other.filed_);
        storage_ = other.storage_;
        built_ = other.built_;
        other.rows_.clear();
        for (auto& f : other.filed_) f.clear();
        other.built_ = false;
    }

    std::unordered_map<uint64_t, Row> rows_;             // by (map, y)
    std::array<std::vector<Filed>, placed_kinds> filed_;  // each thing's place as filed, by index
    std::array<const void*, placed_kinds> storage_{};       // where each list's entries were when last read
    bool built_ = false;
};

// The things of each placed list whose place lies in the window of map (columns
// left .. left + columns - 1, rows top .. top + rows - 1), each list's indexes
// ascending, whatever their holders or flags. The world is not changed; its
// index may be brought up to date.
void placed_in_window(const TWorld& world, int32_t map, int64_t left, int64_t top, int64_t columns, int64_t rows,
                      std::array<std::vector<int32_t>, placed_kinds>& result);

// Tells the index that the place of thing index of that list may have changed.
void refile_placed(TWorld& world, Placed list, int32_t index);
// Tells the index that a placed list was erased from, reordered or replaced:
// it is built afresh when next read.
void refresh_placed_index(TWorld& world);

// True when the index agrees with a full scan of the placed lists (builds or
// updates it first, as a read does). For tests.
bool placed_index_agrees(const TWorld& world);
// How many times the index has been built since the program started, and how
// many of those were forced by a check finding a change it had not been told
// of. For tests and benchmarks.
int64_t placed_index_builds();
int64_t placed_index_repairs();
