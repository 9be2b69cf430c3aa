#pragma once
// The terrain page: the terrain catalogue, the frames set and the previews.
// The tile palette shown on it is the main window's.
#include "mainwindow/page.h"
#include "model/init.h"
#include "platform/kit/kit.h"

#include <cstdint>
#include <functional>
#include <string>

class TerrainPage : public Page {
public:
    explicit TerrainPage(PageHost& host);
    void start() override;  // its share of the window's creation
    void shown() override;  // opened by its tab

    // The tile palette's pick: tile n becomes the current tile, shown in
    // selim1 and told to every page (the items page shows it). Called only for
    // a tile that exists.
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
    void size_grids() override;
    void world_replaced(bool is_shown) override;
    // The frames-set preview runs through the frames chosen.
    void animation_step() override;
    PalettePlace palette_place() const override { return {true, 32, 120, 792}; }

    PageHost& host;
    SharedState& editor;
    // The frames set of the terrain being composed, -1 an empty slot, and the
    // slot clicked last.
    tintarray terrain_frames = tintarray(8, -1);
    int cur_frame_cell = 0;
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
    // The popup menu of the frames set.
    kit::PopupMenu framemenu;
    kit::MenuItem setframe{framemenu, "set frame"};

private:
    // A terrain of the given number of frames with the kind, hardness and
    // frames the controls show (kind when cb_ttip shows none), every field
    // converted and checked; throws (the general error handler shows it)
    // without changing anything.
    Tterrain terrain_from_controls(int frames, int8_t kind) const;
};
