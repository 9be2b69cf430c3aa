#pragma once
// The terrain page: the terrain catalogue, the frames set and the previews.
// The tile palette shown on it is the window's (TForm1::sg_tiles).
#include "platform/kit/kit.h"

class TForm1;

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
};
