// Opening a page by its tab: the tile palette moves onto it, the pages that
// show other catalogues are brought up to date, and the caption shows the
// page's number.
#include "mainwindow/main.h"

#include <string>

namespace {

// Where the tile palette stands on a page, by page index.
struct PalettePlace {
    bool visible;
    int cell, width, left;
};

PalettePlace palette_place(int page) {
    switch (page) {
    case 0:  // terr
    case 3:  // items
    case 4:  // resources
    case 10: return {true, 32, 120, 792};  // Player
    case 2: return {true, 64, 216, 674};   // objects
    case 5:                                // fractions
    case 6: return {true, 64, 216, 648};   // npc
    default: return {false, 32, 120, 792};
    }
}

// Shows tile frame `number` in an image, or the blank picture when it names none.
void show_frame(kit::Image& image, int64_t number) {
    const Bitmap* frame = tile_frame(editor.tile_frames, number);
    image.draw(0, 0, frame ? *frame : editor.blank_bitmap32);
}

}  // namespace

void TForm1::PCChange() {
    const int page = PC->active_page_index();

    const PalettePlace place = palette_place(page);
    sg_tiles->set_default_cell_size(place.cell, place.cell);
    sg_tiles->set_width(place.width);
    sg_tiles->set_left(place.left);
    sg_tiles->set_top(form1_design::palette_top);
    sg_tiles->set_visible(place.visible);

    if (page == 5) refresh_fractions_page();
    if (page == 10) refresh_player_page();

    set_caption(std::to_string(page));
}

void TForm1::refresh_fractions_page() {
    const TWorld& w = editor.world;
    cbfrac1->clear();
    cbfrac2->clear();
    efracrel->set_text("0");
    for (const Tfrac& f : w.fracs) {
        cbfrac1->add(f.name);
        cbfrac2->add(f.name);
    }
    if (w.fracs.empty()) return;
    // The relation matrix may be shorter than the list in a world read from a file.
    const bool has_relation = !w.fracrel.empty() && !w.fracrel[0].empty();
    efracrel->set_text(has_relation ? std::to_string(int{w.fracrel[0][0]}) : "0");
    cbfrac1->set_item_index(0);
    cbfrac2->set_item_index(0);
    for (kit::Image* image : {ifrac1, ifrac2}) {
        if (const Bitmap* frame = tile_frame(editor.tile_frames, w.fracs[0].image)) image->draw(0, 0, *frame);
    }
}

void TForm1::refresh_player_page() {
    const TWorld& w = editor.world;
    const int32_t q = w.player.npc;
    if (q < 0 || q >= static_cast<int64_t>(w.npcs.size())) {
        Image5->draw(0, 0, editor.blank_bitmap32);
        Image6->draw(0, 0, editor.blank_bitmap32);
        Label87->set_caption("");
        return;
    }
    const Tchar& n = w.npcs[static_cast<std::size_t>(q)];
    show_frame(*Image5, n.figure);
    show_frame(*Image6, n.portrait);

    const std::string cr = "\r";
    const auto num = [](int32_t v) { return std::to_string(v); };
    const int32_t m = n.place.map;
    const std::string map_name =
        m >= 0 && m < static_cast<int64_t>(w.maps.size()) ? w.maps[static_cast<std::size_t>(m)].name : "";
    Label87->set_caption("object: " + n.name + cr + "Name: " + n.self_name + cr + "STR: " + num(n.STR) + cr +
                         "AGI: " + num(n.AGI) + cr + "CON: " + num(n.CON) + cr + "DEX: " + num(n.DEX) + cr +
                         "INT: " + num(n.INT) + cr + "WIS: " + num(n.WIS) + cr + "PER: " + num(n.PER) + cr + cr +
                         "MAP:" + map_name + cr + "X:  " + num(n.place.x) + cr + "Y:  " + num(n.place.y) + cr);
    std::string skills;
    for (int i = 1; i <= 32; ++i)
        skills += skill_names[static_cast<std::size_t>(i)] + ":\t" + num(n.skills[static_cast<std::size_t>(i - 1)]) + cr;
    Label93->set_caption(skills);
    efreepts->set_text(num(w.player.free_points));
    efreeskillspts->set_text(num(w.player.free_skill_points));
    cbchangename->set_checked(w.player.change_name);
}
