#pragma once
// The terrain page: the terrain catalogue, the frames set and the previews.
// The tile palette shown on it is the window's (TForm1::sg_tiles).
#include "model/init.h"
#include "platform/kit/kit.h"

#include <cstdint>
#include <functional>
#include <string>

class TForm1;

// The frames sets of the terrain and objects pages: eight tile frame numbers,
// -1 an empty slot, shown in a grid of eight cells and filled by a click on a
// cell after a tile was picked in the tile palette.
namespace frame_set {
constexpr int slot_count = 8;
// What ADD shows when a slot among the chosen number of frames is empty.
extern const char* const unfilled_message;
// The entry of a count box ("1", "2", "4", "8") that shows a frame count: the
// largest listed count not above it, "1" for a count below 2.
int count_index(int64_t count);
// The number of frames the count box chooses; 0 when it chooses none of 1..8.
int chosen_count(const kit::ComboBox& counts);
// The number of frames ADD takes: the chosen count when that many slots of
// the set are filled; otherwise 0, after the message when a slot is empty.
int count_to_add(const kit::ComboBox& counts, const tintarray& set);
// Every slot empty, then slot i := frames[i] for i below count, below eight and
// inside the list.
void load(tintarray& set, int64_t count, const tintarray& frames);
// True when each of the first n slots names a tile frame: none is empty, and
// none holds a number that names no frame (which shows nothing either).
bool filled(const tintarray& set, int n);
// True when each of the first n slots is empty or names a tile frame.
bool empty_or_filled(const tintarray& set, int n);
// The first n slots as a frame list.
tintarray first(const tintarray& set, int n);
// Stores the current tile in slot c, when c is a slot and the current tile
// names a tile frame; false when nothing was stored.
bool store_current_tile(tintarray& set, int c);
// Binds a grid of eight cells to a set: cell c shows the tile in slot c less
// its last column and row; a click on cell c runs clicked(c).
void bind(kit::StringGrid& grid, const tintarray& set, std::function<void(int)> clicked);
}  // namespace frame_set

class TerrainPage {
public:
    explicit TerrainPage(TForm1& form);
    void start();  // its share of the window's creation
    void shown();  // opened by its tab

    // The tile palette's pick: tile n becomes the current tile, shown in
    // selim1 and in the items page's picture. Called only for a tile that exists.
    void sg_tilesSelectCell(int n);
    // Rewrites Label94: the current tile's size and number, the current
    // terrain, the frame slot clicked last and the eight slots.
    void showinfo();
    // A click on slot c of the frames set: it takes the current tile.
    void tframesSelectCell(int c);
    // "set frame": the slot clicked last takes the current tile.
    void setframeClick();
    // Selects terrain e and loads it into the controls and the frames set.
    void sg_terrainsSelectCell(int e);
    void Button1Click();  // ADD
    void Button2Click();  // <- EDIT
    void Button3Click();  // DEL

    TForm1& form;
    kit::TabSheet terr;
    kit::Label Label95{terr, "frames set"};
    kit::StringGrid tframes{terr};
    kit::Image selim1{terr};
    kit::Image Image1{terr};
    kit::ComboBox cb_ttip{terr};
    kit::Edit e_thard{terr, "400"};
    kit::ComboBox cb_timages{terr};
    kit::Button Button1{terr, "ADD"};
    kit::Button Button2{terr, "<- EDIT"};
    kit::Button Button3{terr, "DEL"};
    kit::Label Label94{terr, "Label94"};
    kit::StringGrid sg_terrains{terr};

private:
    // A terrain of the given number of frames with the kind, hardness and
    // frames the controls show (kind when cb_ttip shows none), every field
    // converted and checked; throws (the general error handler shows it)
    // without changing anything.
    Tterrain terrain_from_controls(int frames, int8_t kind) const;
};
