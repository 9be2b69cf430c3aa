// Deleting placed objects, object catalogue entries and terrains.
#include "model/links.h"
#include "model/tools.h"

#include <algorithm>

using links::in_range;

void delete_mapobject(int32_t index, TWorld& world) {
    if (!links::object_ok(index, world)) return;
    const Tplace where = world.mapobjects[index].place;

    // What the object holds: the things its contents list. The list decides,
    // not the things' holder fields, which worlds saved by earlier editors
    // left naming old object indexes.
    std::vector<int32_t> items, resources;
    for (const Tinvitem& e : world.mapobjects[index].contents) {
        if (e.kind == thing::item && links::item_ok(e.index, world)) items.push_back(e.index);
        if (e.kind == thing::resource && links::resource_ok(e.index, world)) resources.push_back(e.index);
    }

    // The "destroy obj" triggers that watch it, found before the renumbering;
    // a "button" watching it loses the map of its place as well.
    std::vector<int32_t> destroy;
    for (std::size_t t = 0; t < world.triggers.size(); ++t) {
        Ttrigger& trigger = world.triggers[t];
        if (trigger.target != index) continue;
        if (trigger.kind == trigger_kind::destroy_obj) destroy.push_back(static_cast<int32_t>(t));
        if (trigger.kind == trigger_kind::button) trigger.place.map = -1;
    }

    if (is_cell(where, world)) {
        // Its things are laid loose on its cell once it has gone.
        for (int32_t i : items) {
            links::unlink(thing::item, i, world);
            Tpitem& it = world.items[i];
            it.holder_object = it.holder_npc = -1;
            it.slot = slot::cell;
            it.place = where;
        }
        for (int32_t r : resources) {
            links::unlink(thing::resource, r, world);
            Tpres& res = world.resources[r];
            res.holder_object = res.holder_npc = res.holder_item = res.holder_resource = -1;
            res.link = links::cell;
            res.place = where;
        }
    } else {
        links::erase_all(std::move(items), std::move(resources), world);
    }

    world.mapobjects.erase(world.mapobjects.begin() + index);
    refresh_placed_index(world);
    links::follow_removal(Names::placed_object, index, world);

    // Each watching "destroy obj" trigger runs once, its references already
    // repaired so nothing meant for the deleted object reaches the one that
    // took its index, and is switched off.
    for (int32_t t : destroy) {
        std::string message;
        run_trigger(t, world, message);
        if (in_range(t, world.triggers)) {
            world.triggers[t].target = -1;
            world.triggers[t].active = false;
        }
    }
}

namespace {

bool row_held(int32_t row, const TWorld& world) {
    return std::any_of(world.pmapobjects.begin(), world.pmapobjects.end(),
                       [row](const Tmapobject& o) { return o.row == row; });
}

}  // namespace

void delete_pmapobject(int32_t position, TWorld& world) {
    if (!in_range(position, world.pmapobjects)) return;
    const int32_t gone = world.pmapobjects[position].row;
    world.pmapobjects.erase(world.pmapobjects.begin() + position);
    // A negative row names nothing; a row another template of an old file
    // still holds goes on naming that one.
    if (gone < 0 || row_held(gone, world)) return;

    // Recipes and placed objects name a template by its row: they follow the
    // rows that move down and lose the one that went.
    auto follow = [gone](int32_t& r) {
        if (r == gone) r = -1;
        else if (r > gone) --r;
    };
    for (Tmapobject& o : world.pmapobjects)
        if (o.row > gone) --o.row;
    for (Tmapobject& o : world.mapobjects) follow(o.row);
    for (Tcraft& c : world.crafts) {
        follow(c.near_object);
        if (c.product_kind == product::object) follow(c.product);
    }
}

int32_t new_object_row(const TWorld& world) {
    std::vector<int32_t> held;
    held.reserve(world.pmapobjects.size());
    for (const Tmapobject& o : world.pmapobjects) held.push_back(o.row);
    std::sort(held.begin(), held.end());
    // The first row from its own position up that no template holds: there
    // are fewer templates than rows above it, so one is free.
    auto row = static_cast<int32_t>(world.pmapobjects.size());
    for (auto it = std::lower_bound(held.begin(), held.end(), row); it != held.end() && *it <= row; ++it)
        if (*it == row) ++row;
    return row;
}

void delete_terrain(int32_t row, TWorld& world) {
    for (const Tmap& m : world.maps)
        for (auto column : m.cells)
            for (int32_t cell : column)
                if (cell == row) return;
    if (!in_range(row, world.terrains)) return;
    world.terrains.erase(world.terrains.begin() + row);
    for (Tmap& m : world.maps)
        for (auto column : m.cells)
            for (int32_t& cell : column)
                if (cell > row) --cell;
}
