#include "mainwindow/page_player.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

namespace {
// Shows tile frame `number` in an image, or the blank picture when it names none.
void show_frame(kit::Image& image, int64_t number) {
    const Bitmap* frame = tile_frame(editor.tile_frames, number);
    image.draw(0, 0, frame ? *frame : editor.blank_bitmap32);
}
}  // namespace

PlayerPage::PlayerPage(TForm1& form) : form(form), player_page(form.PC, "Player") {
    player_page.name = "player_page";
    form.lay_out({
        {Image5, "Image5", 8, 8, 33, 33},
        {Image6, "Image6", 48, 8, 33, 33},
        {Label87, "Label87", 8, 50, 200, 260},
        {Label93, "Label93", 220, 8, 200, 560},
        {efreepts, "efreepts", 540, 8, 60, 22, "free  pts", 440, 12},
        {efreeskillspts, "efreeskillspts", 540, 36, 60, 22, "free skills pts", 440, 40},
        {cbchangename, "cbchangename", 440, 64, 200, 22},
        {Button33, "Button33", 440, 92, 80, 26},
        {sgplayerimages, "sgplayerimages", 440, 152, 3 * 33 + 4, 5 * 33 + 4, "select picture", 440, 136},
        {sgplayerportraits, "sgplayerportraits", 600, 152, 3 * 33 + 4, 5 * 33 + 4, "select portrait", 600, 136},
    });
    Label87.set_auto_size(false);
    Label93.set_auto_size(false);
    kit::cell_grid(sgplayerimages, 3, 32, 32, 5, kit::ScrollBars::none);
    kit::cell_grid(sgplayerportraits, 3, 32, 32, 5, kit::ScrollBars::none);
}

void PlayerPage::start() {}

void PlayerPage::shown() {
    const TWorld& w = editor.world;
    const int32_t q = w.player.npc;
    if (q < 0 || q >= static_cast<int64_t>(w.npcs.size())) {
        Image5.draw(0, 0, editor.blank_bitmap32);
        Image6.draw(0, 0, editor.blank_bitmap32);
        Label87.set_caption("");
        return;
    }
    const Tchar& n = w.npcs[static_cast<std::size_t>(q)];
    show_frame(Image5, n.figure);
    show_frame(Image6, n.portrait);

    const std::string cr = "\r";
    const auto num = [](int32_t v) { return std::to_string(v); };
    const int32_t m = n.place.map;
    const std::string map_name =
        m >= 0 && m < static_cast<int64_t>(w.maps.size()) ? w.maps[static_cast<std::size_t>(m)].name : "";
    Label87.set_caption("object: " + n.name + cr + "Name: " + n.self_name + cr + "STR: " + num(n.STR) + cr +
                        "AGI: " + num(n.AGI) + cr + "CON: " + num(n.CON) + cr + "DEX: " + num(n.DEX) + cr +
                        "INT: " + num(n.INT) + cr + "WIS: " + num(n.WIS) + cr + "PER: " + num(n.PER) + cr + cr +
                        "MAP:" + map_name + cr + "X:  " + num(n.place.x) + cr + "Y:  " + num(n.place.y) + cr);
    std::string skills;
    for (int i = 1; i <= 32; ++i)
        skills +=
            skill_names[static_cast<std::size_t>(i)] + ":\t" + num(n.skills[static_cast<std::size_t>(i - 1)]) + cr;
    Label93.set_caption(skills);
    efreepts.set_text(num(w.player.free_points));
    efreeskillspts.set_text(num(w.player.free_skill_points));
    cbchangename.set_checked(w.player.change_name);
}
