// Creating placed items and resources from their catalogue rows and linking
// them into their holders.
#include "model/links.h"
#include "model/tools.h"

using links::in_range;

bool is_cell(const Tplace& place, const TWorld& world) {
    if (!in_range(place.map, world.maps)) return false;
    const Tmap& m = world.maps[place.map];
    return place.x >= 0 && place.x < m.width && place.y >= 0 && place.y < m.height;
}

namespace {
bool placeable_item(int32_t row, const TWorld& world) {
    if (!in_range(row, world.pitems)) return false;
    const Tpitem& entry = world.pitems[row];
    return entry.item_class != item_class::revolver || entry.load <= max_chambers;
}
}  // namespace

int32_t new_placed_item(int32_t row, TWorld& world) {
    if (!placeable_item(row, world)) return -1;
    Tpitem copy = world.pitems[row];
    copy.contents.clear();
    if (copy.item_class == item_class::revolver && copy.load > 0) copy.contents.assign(copy.load, -1);
    copy.row = row;
    copy.clip = -1;
    copy.holder_object = -1;
    copy.holder_npc = -1;
    copy.slot = slot::cell;
    copy.place = no_place;
    world.items.push_back(std::move(copy));
    return static_cast<int32_t>(world.items.size() - 1);
}

int32_t new_placed_resource(int32_t row, int32_t amount, TWorld& world) {
    if (!in_range(row, world.presources)) return -1;
    Tpres copy = world.presources[row];
    copy.row = row;
    copy.contents.clear();
    copy.amount = amount;
    copy.place = no_place;
    copy.holder_object = copy.holder_npc = copy.holder_item = copy.holder_resource = -1;
    copy.link = links::cell;
    world.resources.push_back(std::move(copy));
    return static_cast<int32_t>(world.resources.size() - 1);
}

void inv_remove(int32_t kind, int32_t index, Tinvitems& list) {
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i].kind == kind && list[i].index == index) {
            delete_invitem(static_cast<int32_t>(i), list);
            return;
        }
}

namespace {

// The NPC part of create_item: the new index, or -1 when the slot does not take it.
int32_t item_into_npc(int32_t row, int32_t npc, int32_t slot, TWorld& world) {
    const int32_t c = world.pitems[row].item_class;
    Tchar& n = world.npcs[npc];
    const bool takes = slot == slot::inventory || (slot == slot::head && n.head < 0 && worn_on_head(c)) ||
                       (slot == slot::left_hand && n.left_hand.index < 0) ||
                       (slot == slot::right_hand && n.right_hand.index < 0) ||
                       (slot == slot::body && n.body < 0 && worn_on_body(c));
    if (!takes) return -1;
    const int32_t t = new_placed_item(row, world);
    Tchar& holder = world.npcs[npc];
    switch (slot) {
    case slot::inventory: holder.inventory.push_back({thing::item, t, 1}); break;
    case slot::head: holder.head = t; break;
    case slot::left_hand: holder.left_hand = {thing::item, t, 1}; break;
    case slot::right_hand: holder.right_hand = {thing::item, t, 1}; break;
    case slot::body: holder.body = t; break;
    default: break;
    }
    Tpitem& it = world.items[t];
    it.holder_npc = npc;
    it.slot = static_cast<uint8_t>(slot);
    it.place = holder.place;
    return t;
}

}  // namespace

int32_t create_item(int32_t row, int32_t npc, int32_t object, TWorld& world, Tplace place, int32_t slot) {
    if (!placeable_item(row, world)) return -1;
    int32_t t = -1;
    if (links::npc_ok(npc, world)) t = item_into_npc(row, npc, slot, world);
    if (t < 0 && links::object_ok(object, world)) {
        t = new_placed_item(row, world);
        Tmapobject& o = world.mapobjects[object];
        o.contents.push_back({thing::item, t, 1});
        Tpitem& it = world.items[t];
        it.holder_object = object;
        it.place = o.place;
        it.slot = slot::inventory;
    }
    if (t < 0 && is_cell(place, world)) {
        t = new_placed_item(row, world);
        world.items[t].place = place;
        world.items[t].slot = slot::cell;
    }
    if (t < 0) return -1;
    refile_placed(world, Placed::item, t);

    // The default contents and the loaded clip of the catalogue entry. The
    // catalogue is not changed by creating, so its lists can be read as we go.
    const Tpitem& entry = world.pitems[row];
    for (std::size_t i = 0; i < entry.contents.size(); ++i)
        create_resource(world, {.row = entry.contents[i],
                                .parent_item = t,
                                .chamber = static_cast<int32_t>(i),
                                .link = links::inside});
    if (entry.clip != -1) create_resource(world, {.row = entry.clip, .parent_item = t, .link = links::loaded});
    return t;
}

int32_t create_resource(TWorld& world, const NewResource& what) {
    const int32_t row = what.row, npc = what.npc, object = what.object, parent_resource = what.parent_resource,
                  parent_item = what.parent_item, chamber = what.chamber, link = what.link;
    const Tplace place = what.place;
    int32_t amount = what.amount;
    if (amount == 0) return -1;
    if (amount < 0) amount = 1;
    if (!in_range(row, world.presources)) return -1;
    const int32_t kind = world.presources[row].kind;
    if (kind == resource_kind::liquid || kind == resource_kind::mixture) return -1;
    if (single_piece(kind)) amount = 1;

    int32_t r = -1;
    if (links::npc_ok(npc, world)) {
        const Tchar& n = world.npcs[npc];
        const bool takes = link == links::inventory || (link == links::left_hand && n.left_hand.index < 0) ||
                           (link == links::right_hand && n.right_hand.index < 0);
        if (takes) {
            r = new_placed_resource(row, amount, world);
            Tchar& holder = world.npcs[npc];
            if (link == links::inventory) holder.inventory.push_back({thing::resource, r, amount});
            else if (link == links::left_hand) holder.left_hand = {thing::resource, r, amount};
            else holder.right_hand = {thing::resource, r, amount};
            Tpres& res = world.resources[r];
            res.holder_npc = npc;
            res.link = static_cast<uint16_t>(link);
            res.place = holder.place;
        }
    }
    if (r < 0 && links::object_ok(object, world)) {
        r = new_placed_resource(row, amount, world);
        Tmapobject& o = world.mapobjects[object];
        o.contents.push_back({thing::resource, r, amount});
        Tpres& res = world.resources[r];
        res.holder_object = object;
        res.place = o.place;
        res.link = links::inventory;
    }
    if (r < 0 && links::resource_ok(parent_resource, world) && link == links::inside) {
        r = new_placed_resource(row, 1, world);
        Tpres& parent = world.resources[parent_resource];
        parent.contents.push_back(r);
        Tpres& res = world.resources[r];
        res.holder_resource = parent_resource;
        res.link = links::inside;
        res.place = parent.place;
    }
    if (r < 0 && links::item_ok(parent_item, world) && (link == links::inside || link == links::loaded)) {
        Tpitem& it = world.items[parent_item];
        // A resource goes only where the item has room for it: a free chamber
        // of a revolver, a free clip slot (one naming no resource is free);
        // otherwise nothing is created, so no loaded resource is ever lost.
        const bool revolver = it.item_class == item_class::revolver;
        const bool takes = link == links::loaded ? !links::resource_ok(it.clip, world)
                           : revolver ? in_range(chamber, it.contents) && !links::resource_ok(it.contents[chamber], world)
                                      : true;
        if (takes) {
            r = new_placed_resource(row, 1, world);
            Tpitem& holder = world.items[parent_item];
            if (link == links::loaded) holder.clip = r;
            else if (revolver) holder.contents[chamber] = r;
            else holder.contents.push_back(r);
            Tpres& res = world.resources[r];
            res.link = static_cast<uint16_t>(link);
            res.holder_item = parent_item;
            res.place = holder.place;
        }
    }
    if (r < 0 && is_cell(place, world)) {
        r = new_placed_resource(row, amount, world);
        world.resources[r].place = place;
        world.resources[r].link = links::cell;
    }
    if (r >= 0) refile_placed(world, Placed::resource, r);
    if (r < 0 || parent_resource != -1) return r;

    // Default children: one piece of each row the catalogue entry lists, in
    // its place; a row that names no resource leaves that place empty (-1).
    const tintarray& rows = world.presources[row].contents;
    tintarray children(rows.size(), -1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == -1) continue;
        const int32_t c = new_placed_resource(rows[i], 1, world);
        if (c < 0) continue;
        world.resources[c].holder_resource = r;
        world.resources[c].link = links::inside;
        children[i] = c;
    }
    world.resources[r].contents = std::move(children);
    return r;
}
