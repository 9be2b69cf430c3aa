// What stands on a map cell, placing objects and NPCs, deleting NPCs and
// drawing random cells.
#include "model/links.h"
#include "model/tools.h"

#include <algorithm>
#include <chrono>
#include <random>

using links::in_range;

namespace {

bool blocking(const Tmapobject& o) { return !(o.floating && o.passing); }

std::mt19937_64& generator() {
    static std::mt19937_64 engine(static_cast<uint64_t>(std::random_device{}()) ^
                                  static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return engine;
}

}  // namespace

int32_t object_at(Tplace place, uint8_t mode, const TWorld& world) {
    if (!is_cell(place, world) || (mode != find_object::blocking && mode != find_object::any)) return -1;
    for (std::size_t i = 0; i < world.mapobjects.size(); ++i) {
        const Tmapobject& o = world.mapobjects[i];
        if (o.place == place && (mode == find_object::any || blocking(o))) return static_cast<int32_t>(i);
    }
    return -1;
}

void things_at(int32_t mode, Tplace place, const TWorld& world, Tinvitems& result) {
    result.clear();
    if (!is_cell(place, world)) return;
    if (mode == find_things::all || mode == find_things::items)
        for (std::size_t i = 0; i < world.items.size(); ++i)
            if (world.items[i].place == place) result.push_back({thing::item, static_cast<int32_t>(i), 1});
    if (mode == find_things::all || mode == find_things::resources)
        for (std::size_t i = 0; i < world.resources.size(); ++i)
            if (world.resources[i].place == place) result.push_back({thing::resource, static_cast<int32_t>(i), 1});
}

int32_t npc_at(Tplace place, const TWorld& world) {
    if (!is_cell(place, world)) return -1;
    for (std::size_t i = 0; i < world.npcs.size(); ++i)
        if (world.npcs[i].place == place) return static_cast<int32_t>(i);
    return -1;
}

bool cell_free(Tplace place, const TWorld& world) {
    return is_cell(place, world) && npc_at(place, world) == -1 && object_at(place, find_object::blocking, world) == -1;
}

bool any_of_row(int32_t row, const tintarray& list, const TWorld& world) {
    if (!in_range(row, world.presources) || world.resources.empty()) return false;
    return std::any_of(list.begin(), list.end(), [&](int32_t r) {
        return links::resource_ok(r, world) && world.resources[r].row == row;
    });
}

void place_object(int32_t row, Tplace place, TWorld& world) {
    if (!in_range(row, world.pmapobjects) || !is_cell(place, world) || npc_at(place, world) != -1) return;
    Tmapobject copy = world.pmapobjects[row];
    copy.row = row;
    copy.place = place;
    world.mapobjects.push_back(std::move(copy));
}

int32_t place_npc(int32_t row, Tplace place, Tcounter counter, TWorld& world) {
    if (!in_range(row, world.pnpcs) || !cell_free(place, world)) return -1;
    const Tchar tpl = world.pnpcs[row];
    Tchar copy = tpl;
    copy.place = place;
    copy.hp = links::saturate(int64_t{copy.CON} * 10);
    copy.mp = links::saturate(int64_t{copy.INT} * 10);
    copy.sp = links::saturate(int64_t{copy.DEX} * 4);
    copy.spawn_counter = counter;
    copy.last_seen_enemy.map = -1;
    copy.inventory.clear();
    copy.head = -1;
    copy.body = -1;
    copy.left_hand.index = -1;
    copy.right_hand.index = -1;
    world.npcs.push_back(std::move(copy));
    const int32_t n = static_cast<int32_t>(world.npcs.size() - 1);

    for (const Tinvitem& e : tpl.inventory) {
        if (e.kind == thing::item) create_item(e.index, n, -1, world, no_place, slot::inventory);
        if (e.kind == thing::resource)
            create_resource(world, {.row = e.index, .amount = e.count, .npc = n, .link = links::inventory});
    }
    if (tpl.head >= 0) create_item(tpl.head, n, -1, world, no_place, slot::head);
    if (tpl.body >= 0) create_item(tpl.body, n, -1, world, no_place, slot::body);
    const Tinvitem& left = tpl.left_hand;
    const Tinvitem& right = tpl.right_hand;
    if (left.index >= 0 && left.kind == thing::item) create_item(left.index, n, -1, world, no_place, slot::left_hand);
    if (right.index >= 0 && right.kind == thing::item)
        create_item(right.index, n, -1, world, no_place, slot::right_hand);
    if (left.index >= 0 && left.kind == thing::resource)
        create_resource(world, {.row = left.index, .amount = left.count, .npc = n, .link = links::left_hand});
    if (right.index >= 0 && right.kind == thing::resource)
        create_resource(world, {.row = right.index, .amount = right.count, .npc = n, .link = links::right_hand});
    return n;
}

void delete_npc(int32_t index, TWorld& world) {
    if (!links::npc_ok(index, world)) return;
    // Everything the NPC holds goes with it: the things its inventory and
    // slots list. The lists decide, not the things' holder fields, which
    // worlds saved by earlier editors left naming old NPC indexes.
    std::vector<int32_t> items, resources;
    const Tchar& n = world.npcs[index];
    const auto take = [&](const Tinvitem& e) {
        if (e.kind == thing::item) items.push_back(e.index);
        if (e.kind == thing::resource) resources.push_back(e.index);
    };
    for (const Tinvitem& e : n.inventory) take(e);
    items.push_back(n.head);
    items.push_back(n.body);
    take(n.left_hand);
    take(n.right_hand);
    links::erase_all(std::move(items), std::move(resources), world);

    world.npcs.erase(world.npcs.begin() + index);
    refresh_placed_index(world);
    links::follow_removal(Names::placed_npc, index, world);
}

void random_place_seed(uint32_t seed) { generator().seed(seed); }

void random_place(int32_t map, bool free_only, const TWorld& world, Tplace& result) {
    result = no_place;
    if (!in_range(map, world.maps)) return;
    const Tmap& m = world.maps[map];
    if (m.width <= 0 || m.height <= 0) return;
    const int64_t cells = int64_t{m.width} * m.height;
    const auto cell_of = [&](int64_t k) {
        Tplace p;
        make_place(map, static_cast<int32_t>(k % m.width), static_cast<int32_t>(k / m.width), p);
        return p;
    };
    if (!free_only) {
        result = cell_of(std::uniform_int_distribution<int64_t>(0, cells - 1)(generator()));
        return;
    }
    // Drawing among the untried cells until a free one turns up gives every
    // free cell the same chance; so does drawing straight among the free
    // ones, which only NPCs and blocking objects can take away.
    std::vector<int64_t> taken;
    const auto take = [&](const Tplace& p) {
        if (p.map == map && p.x >= 0 && p.x < m.width && p.y >= 0 && p.y < m.height)
            taken.push_back(int64_t{p.y} * m.width + p.x);
    };
    for (const Tchar& n : world.npcs) take(n.place);
    for (const Tmapobject& o : world.mapobjects)
        if (blocking(o)) take(o.place);
    std::sort(taken.begin(), taken.end());
    taken.erase(std::unique(taken.begin(), taken.end()), taken.end());
    const int64_t free_cells = cells - static_cast<int64_t>(taken.size());
    if (free_cells <= 0) return;
    int64_t k = std::uniform_int_distribution<int64_t>(0, free_cells - 1)(generator());
    for (int64_t t : taken) {  // the k-th free cell in row order
        if (t > k) break;
        ++k;
    }
    result = cell_of(k);
}
