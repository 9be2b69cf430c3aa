#pragma once
// The editor state: the shared data of every window (mainwindow/shared_state.h)
// and the few hooks through which a secondary window reaches the main window.
//
// One instance (`editor`) that the secondary windows read and write directly.
// The secondary windows include this header, never the main window's.
#include "mainwindow/lookups.h"
#include "mainwindow/shared_state.h"

#include <functional>
#include <string>
#include <vector>

struct EditorState : SharedState {
    // ---- what the secondary windows need of the main window, set by it
    std::function<int()> current_map;                          // cb_maps' selected index, -1 none
    std::function<void()> repaint_map;                         // repaints the map grid sg_map
    std::function<std::vector<std::string>()> fraction_names;  // the items of the NPC page's cb_pnpc_frac
    std::function<std::string()> item_load_text;               // the items page's "load" field e_pitem_load
    std::function<std::string()> res_power_text;               // the resources page's "power/volume" eprespower
};

// The one editor state of the run.
extern EditorState editor;
