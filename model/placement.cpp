// The map editor's rules: what selecting a map cell does to the world.
#include "model/links.h"
#include "model/tools.h"

using links::in_range;

namespace {

CellMove nothing_decided() { return {.moved = false, .ends = false, .refusal = {}}; }
CellMove refused(bool ends, const char* text) { return {.moved = false, .ends = ends, .refusal = text}; }
CellMove moved() { return {.moved = true, .ends = true, .refusal = {}}; }

}  // namespace

const Tterrain* cell_terrain(const TWorld& world, const Tplace& place) {
    if (!is_cell(place, world)) return nullptr;
    const tintmatrix& cells = world.maps[static_cast<std::size_t>(place.map)].cells;
    const auto x = static_cast<std::size_t>(place.x), y = static_cast<std::size_t>(place.y);
    if (x >= cells.size() || y >= cells[x].size()) return nullptr;
    const int32_t row = cells[x][y];
    return in_range(row, world.terrains) ? &world.terrains[static_cast<std::size_t>(row)] : nullptr;
}

int32_t terrain_kind_at(Tplace place, const TWorld& world) {
    const Tterrain* t = cell_terrain(world, place);
    return t ? t->kind : terrain::void_;
}

CellMove map_move_object(int32_t index, Tplace place, TWorld& world) {
    if (!is_cell(place, world)) return nothing_decided();
    if (npc_at(place, world) != -1) return refused(true, "Cell is not empty");
    if (!links::object_ok(index, world)) return refused(true, "Object not exists");
    world.mapobjects[index].place = place;
    refile_placed(world, Placed::object, index);
    return moved();
}

CellMove map_move_npc(int32_t index, Tplace place, TWorld& world) {
    if (!is_cell(place, world)) return nothing_decided();
    if (object_at(place, find_object::any, world) != -1 || npc_at(place, world) != -1)
        return refused(false, "Cell is not empty");
    if (!links::npc_ok(index, world)) return refused(true, "NPC not exists");
    world.npcs[index].place = place;
    refile_placed(world, Placed::npc, index);
    return moved();
}

bool map_paint_terrain(int32_t terrain, Tplace place, TWorld& world) {
    if (!in_range(terrain, world.terrains) || !is_cell(place, world)) return false;
    tintmatrix& cells = world.maps[static_cast<std::size_t>(place.map)].cells;
    const auto x = static_cast<std::size_t>(place.x), y = static_cast<std::size_t>(place.y);
    if (x >= cells.size() || y >= cells[x].size()) return false;
    cells[x][y] = terrain;
    return true;
}

bool map_place_object(int32_t row, Tplace place, TWorld& world) {
    if (!in_range(row, world.pmapobjects) || !is_cell(place, world)) return false;
    if (floating_only(terrain_kind_at(place, world)) && !world.pmapobjects[row].floating) return false;
    place_object(row, place, world);
    return true;
}

bool map_place_item(int32_t row, Tplace place, TWorld& world) {
    if (row < 0 || !is_cell(place, world)) return false;
    create_item(row, -1, -1, world, place, slot::cell);
    return true;
}

bool map_takes_resource(int32_t row, Tplace place, const TWorld& world) {
    return in_range(row, world.presources) && is_cell(place, world);
}

void map_place_resource(int32_t row, int32_t amount, Tplace place, TWorld& world) {
    if (!is_cell(place, world)) return;
    create_resource(world, {.row = row, .amount = amount, .place = place, .link = links::cell});
}

bool map_place_npc(int32_t row, Tplace place, TWorld& world) {
    if (row < 0 || !is_cell(place, world)) return false;
    if (object_at(place, find_object::any, world) != -1 || npc_at(place, world) != -1) return false;
    if (floating_only(terrain_kind_at(place, world))) return false;
    Tcounter counter;
    make_counter(0, 0, counter);
    place_npc(row, place, counter, world);
    return true;
}
