// Deleting placed objects, object catalogue entries and terrains.
#include "model/links.h"
#include "model/tools.h"

using links::in_range;

namespace {

// Event actions whose target is a placed object.
bool object_action(uint8_t action) { return action >= 4 && action <= 12; }
// Trigger kinds that watch a placed object: "timer", "button", "destroy obj".
bool watches_object(uint8_t kind) { return kind == 1 || kind == 3 || kind == 5; }

enum class Ref { keep, gone };
Ref shift(int32_t& ref, int32_t gone) {
    if (ref == gone) {
        ref = -1;
        return Ref::gone;
    }
    if (ref > gone) --ref;
    return Ref::keep;
}

}  // namespace

void delete_mapobject(int32_t index, TWorld& world) {
    if (!links::object_ok(index, world)) return;
    const Tplace where = world.mapobjects[index].place;

    // What the object holds: the things its contents list. The list decides,
    // not the things' holder fields, which worlds saved by earlier editors
    // left naming old object indexes.
    std::vector<int32_t> items, resources;
    for (const Tinvitem& e : world.mapobjects[index].contents) {
        if (e.kind == 1 && links::item_ok(e.index, world)) items.push_back(e.index);
        if (e.kind == 2 && links::resource_ok(e.index, world)) resources.push_back(e.index);
    }

    // The "destroy obj" triggers that watch it, found before the renumbering.
    std::vector<int32_t> destroy;
    for (std::size_t t = 0; t < world.triggers.size(); ++t)
        if (world.triggers[t].kind == 5 && world.triggers[t].target == index) destroy.push_back(static_cast<int32_t>(t));

    if (is_cell(where, world)) {
        // Its things are laid loose on its cell once it has gone.
        for (int32_t i : items) {
            links::unlink(1, i, world);
            Tpitem& it = world.items[i];
            it.holder_object = it.holder_npc = -1;
            it.slot = slot_cell;
            it.place = where;
        }
        for (int32_t r : resources) {
            links::unlink(2, r, world);
            Tpres& res = world.resources[r];
            res.holder_object = res.holder_npc = res.holder_item = res.holder_resource = -1;
            res.link = link_cell;
            res.place = where;
        }
    } else {
        links::erase_all(std::move(items), std::move(resources), world);
    }

    world.mapobjects.erase(world.mapobjects.begin() + index);
    for (Tpitem& it : world.items) shift(it.holder_object, index);
    for (Tpres& r : world.resources) shift(r.holder_object, index);
    for (Ttrigger& t : world.triggers) {
        if (watches_object(t.kind) && shift(t.target, index) == Ref::gone && t.kind == 3) t.place.map = -1;
        for (Tevent& e : t.events)
            if (object_action(e.action)) shift(e.target, index);
    }

    // Each watching "destroy obj" trigger runs once, its target already
    // cleared so nothing meant for the deleted object reaches the one that
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

void delete_pmapobject(int32_t row, TWorld& world) {
    if (!in_range(row, world.pmapobjects)) return;
    world.pmapobjects.erase(world.pmapobjects.begin() + row);
}

void delete_terrain(int32_t row, TWorld& world) {
    for (const Tmap& m : world.maps)
        for (const tintarray& column : m.cells)
            for (int32_t cell : column)
                if (cell == row) return;
    if (!in_range(row, world.terrains)) return;
    world.terrains.erase(world.terrains.begin() + row);
    for (Tmap& m : world.maps)
        for (tintarray& column : m.cells)
            for (int32_t& cell : column)
                if (cell > row) --cell;
}
