// Writes a small sample world for the sample tile folder (make_tiles): a
// village map by a river, painted with its terrains, with trees, rocks, a
// chest, a boat, things lying about, a stack of coins, villagers and a hero
// who is the player. Made with the world model's own routines, so it holds
// what the editor would make.
//
//   make_world FILE
#include "model/tools.h"
#include "worldfile/worldfile.h"

#include <cstdio>
#include <exception>

namespace {

// The frame numbers of the sample tile folder: its files in name order, each
// cut row by row.
namespace frames {
constexpr int terrain = 0, water = 16, deep_water = 24, objects = 32, items = 48, resources = 64, figures = 80,
              portraits = 88;
}

int add_terrain(TWorld& w, int kind, int first_frame, int count) {
    Tterrain t;
    t.kind = static_cast<int8_t>(kind);
    t.hardness = 400;
    t.frame_count = static_cast<uint16_t>(count);
    for (int k = 0; k < count; ++k) t.frames.push_back(first_frame + k);
    w.terrains.push_back(t);
    return static_cast<int>(w.terrains.size()) - 1;
}

int add_object(TWorld& w, const char* name, int frame, bool floating = false, bool chest = false) {
    Tmapobject o;
    o.name = name;
    o.row = static_cast<int32_t>(w.pmapobjects.size());
    o.frame_count = 1;
    o.frames = {frames::objects + frame};
    o.frames2 = {-1};
    o.floating = floating;
    o.chest = chest;
    o.size = 32;
    o.visible = true;
    w.pmapobjects.push_back(o);
    return o.row;
}

int add_item(TWorld& w, const char* name, int item_class, int frame) {
    Tpitem i;
    i.name = name;
    i.item_class = item_class;
    i.image = frames::items + frame;
    i.clip = -1;
    w.pitems.push_back(i);
    return static_cast<int>(w.pitems.size()) - 1;
}

int add_resource(TWorld& w, const char* name, int one, int many) {
    Tpres r;
    r.name = name;
    r.row = static_cast<int32_t>(w.presources.size());
    r.image_one = frames::resources + one;
    r.image_many = frames::resources + many;
    r.value = 1;
    w.presources.push_back(r);
    return r.row;
}

int add_npc(TWorld& w, const char* name, const char* self_name, int figure) {
    Tchar c;
    c.name = name;
    c.self_name = self_name;
    c.STR = c.AGI = c.DEX = c.ACU = c.CON = c.INT = c.WIS = c.PER = 10;
    c.figure = frames::figures + figure;
    c.portrait = frames::portraits + figure;
    c.head = c.body = -1;
    c.left_hand.index = c.right_hand.index = -1;
    w.pnpcs.push_back(c);
    return static_cast<int>(w.pnpcs.size()) - 1;
}

TWorld village() {
    TWorld w;
    reset_world(w);
    const int grass = add_terrain(w, 3, frames::terrain + 3, 1);
    const int flowers = add_terrain(w, 3, frames::terrain + 9, 1);
    const int road = add_terrain(w, 1, frames::terrain + 10, 1);
    const int sand = add_terrain(w, 4, frames::terrain + 4, 1);
    const int water = add_terrain(w, 9, frames::water, 8);
    const int deep = add_terrain(w, 10, frames::deep_water, 8);
    const int floor = add_terrain(w, 1, frames::terrain + 12, 1);

    Tmap m;
    m.name = "village";
    m.width = 24;
    m.height = 20;
    m.cells.assign(24, tintarray(20, grass));
    const auto paint = [&](int x0, int y0, int x1, int y1, int t) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) m.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = t;
    };
    paint(0, 12, 23, 15, water);  // the river
    paint(0, 13, 23, 14, deep);
    paint(0, 11, 23, 11, sand);
    paint(0, 16, 23, 16, sand);
    paint(7, 0, 8, 10, road);  // the road down to the river
    paint(2, 3, 5, 6, floor);  // a house's floor
    paint(11, 2, 14, 4, flowers);
    paint(17, 6, 20, 8, flowers);
    w.maps.push_back(m);

    const int tree = add_object(w, "tree", 0), pine = add_object(w, "pine", 1), rock = add_object(w, "rock", 2);
    const int chest = add_object(w, "chest", 3, false, true), wall = add_object(w, "wall", 6);
    const int barrel = add_object(w, "barrel", 7), well = add_object(w, "well", 9), lamp = add_object(w, "lamp", 10);
    const int boat = add_object(w, "boat", 12, true), fire = add_object(w, "campfire", 15);
    const int sword = add_item(w, "sword", 0, 0), axe = add_item(w, "axe", 1, 1), shield = add_item(w, "shield", 8, 6);
    const int coins = add_resource(w, "coins", 0, 1);
    const int arrows = add_resource(w, "arrows", 8, 9);
    // A bow comes with an arrow in it.
    const int bow = add_item(w, "bow", 0, 12);
    w.pitems[static_cast<std::size_t>(bow)].contents = {arrows};
    const int villager = add_npc(w, "villager", "Ann", 1), hero = add_npc(w, "hero", "Tom", 0);
    w.pnpcs[static_cast<std::size_t>(villager)].inventory = {{thing::item, sword, 1}};

    const auto at = [](int x, int y) {
        Tplace p;
        make_place(0, x, y, p);
        return p;
    };
    const std::pair<int, int> trees[] = {{1, 1}, {4, 1}, {12, 6}, {15, 1}, {21, 2}, {22, 9}, {1, 9}, {19, 18}, {3, 18}};
    for (const auto& [x, y] : trees) place_object((x + y) % 2 ? tree : pine, at(x, y), w);
    for (int x = 2; x <= 5; ++x) place_object(wall, at(x, 2), w);
    place_object(chest, at(3, 4), w);
    const auto in_chest = static_cast<int32_t>(w.mapobjects.size()) - 1;
    place_object(barrel, at(5, 5), w);
    place_object(well, at(10, 8), w);
    place_object(lamp, at(9, 3), w);
    place_object(rock, at(16, 10), w);
    place_object(fire, at(18, 4), w);
    place_object(boat, at(9, 13), w);
    create_item(sword, -1, in_chest, w, no_place, slot::inventory);
    create_item(bow, -1, in_chest, w, no_place, slot::inventory);
    create_item(axe, -1, -1, w, at(13, 9), slot::cell);
    create_item(shield, -1, -1, w, at(6, 8), slot::cell);
    create_resource(w, {.row = coins, .amount = 25, .place = at(11, 9)});
    Tcounter counter;
    make_counter(0, 0, counter);
    place_npc(villager, at(4, 5), counter, w);
    place_npc(villager, at(14, 8), counter, w);
    w.player.npc = place_npc(hero, at(8, 6), counter, w);
    w.player.free_points = 5;
    w.player.free_skill_points = 3;
    w.player.pictures = {frames::figures, frames::figures + 2};
    w.player.portraits = {frames::portraits, frames::portraits + 2};
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_world FILE\n");
        return 2;
    }
    init_tables();
    try {
        save_world(argv[1], true, village());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_world: %s\n", e.what());
        return 1;
    }
    return 0;
}
