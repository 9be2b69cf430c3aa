// Moving placed items and resources between cells and holders, changing stack
// amounts, splitting and merging stacks.
#include "model/links.h"
#include "model/tools.h"

using links::in_range;

int32_t inv_add(int32_t kind, int32_t index, int32_t delta, Tinvitems& list) {
    for (std::size_t i = list.size(); i-- > 0;) {
        if (list[i].kind != kind || list[i].index != index) continue;
        const int64_t count = int64_t{list[i].count} + delta;
        if (count < 1) delete_invitem(static_cast<int32_t>(i), list);
        else list[i].count = links::saturate(count);
        return static_cast<int32_t>(list.size());
    }
    list.push_back({kind, index, delta});
    return static_cast<int32_t>(list.size());
}

void detach_resource(int32_t resource, int32_t mode, TWorld& world) {
    if (!links::resource_ok(resource, world) || (mode != detach::to_cell && mode != detach::to_holder)) return;
    const Tpres& r = world.resources[resource];
    int32_t outer_object = -1, outer_npc = -1;
    Tplace target;
    if (r.holder_resource >= 0 && r.holder_item < 0) {
        if (!links::resource_ok(r.holder_resource, world) || r.holder_resource == resource) return;
        const Tpres& p = world.resources[r.holder_resource];
        if (p.holder_item >= 0) return;
        outer_object = p.holder_object;
        outer_npc = p.holder_npc;
        target = p.place;
    } else if (r.holder_item >= 0 && r.holder_resource < 0) {
        if (!links::item_ok(r.holder_item, world)) return;
        const Tpitem& i = world.items[r.holder_item];
        outer_object = i.holder_object;
        outer_npc = i.holder_npc;
        target = i.place;
    } else {
        return;  // held by neither an item nor a resource
    }
    if (outer_object >= 0 && !links::object_ok(outer_object, world)) return;
    if (outer_npc >= 0 && !links::npc_ok(outer_npc, world)) return;
    if (outer_object >= 0) target = world.mapobjects[outer_object].place;
    if (outer_npc >= 0) target = world.npcs[outer_npc].place;
    // Going into a holder needs one, going onto a cell a cell to lie on.
    if (mode == detach::to_holder && outer_object < 0 && outer_npc < 0) return;
    if (mode == detach::to_cell && !is_cell(target, world)) return;

    if (r.holder_resource >= 0) int_array_remove_value(resource, world.resources[r.holder_resource].contents);
    else links::take_from_item(resource, world.items[r.holder_item]);

    Tpres& res = world.resources[resource];
    res.holder_item = res.holder_resource = -1;
    if (mode == detach::to_holder) {
        // The NPC wins over the object, as it does for the place.
        const Tinvitem entry{thing::resource, resource, res.amount};
        if (outer_npc >= 0) world.npcs[outer_npc].inventory.push_back(entry);
        else world.mapobjects[outer_object].contents.push_back(entry);
        res.holder_npc = outer_npc;
        res.holder_object = outer_npc >= 0 ? -1 : outer_object;
        res.link = links::inventory;
    } else {
        res.holder_object = res.holder_npc = -1;
        res.place = target;
        res.link = links::cell;
        refile_placed(world, Placed::resource, resource);
    }
}

namespace {

// The refusal tests common to both moves: holders named must exist, one
// holder at most, and a target cell must be a cell without a blocking object.
bool target_ok(int32_t object, int32_t npc, const Tplace& place, bool to_cell, const TWorld& world) {
    if (npc != -1 && !links::npc_ok(npc, world)) return false;
    if (object != -1 && !links::object_ok(object, world)) return false;
    if (npc != -1 && object != -1) return false;
    if (place.map != -1 &&
        (!to_cell || !is_cell(place, world) || object_at(place, find_object::blocking, world) != -1))
        return false;
    if (to_cell && (place.map == -1 || npc != -1 || object != -1)) return false;
    return true;
}

// An NPC's hand by slot or link: both name the hands 3 (left) and 4 (right).
static_assert(slot::left_hand == links::left_hand && slot::right_hand == links::right_hand);
Tinvitem& hand(Tchar& n, int32_t which) { return which == slot::left_hand ? n.left_hand : n.right_hand; }

// Takes a thing from where it is before a move; a hand it leaves holds
// (thing::resource, -1, 0).
void take_away(int32_t kind, int32_t index, TWorld& world) {
    int32_t npc = -1, way = -1;
    if (kind == thing::item) {
        npc = world.items[index].holder_npc;
        way = world.items[index].slot;
    } else {
        npc = world.resources[index].holder_npc;
        way = world.resources[index].link;
    }
    links::unlink(kind, index, world);
    if (links::npc_ok(npc, world) && (way == slot::left_hand || way == slot::right_hand)) {
        Tinvitem& h = hand(world.npcs[npc], way);
        if (h.kind == kind && h.index == -1) h = {thing::resource, -1, 0};
    }
}

}  // namespace

bool move_item(int32_t item, int32_t object, int32_t npc, int32_t slot, Tplace place, TWorld& world) {
    if (!links::item_ok(item, world) || slot < slot::cell || slot > slot::body) return false;
    if (!target_ok(object, npc, place, slot == slot::cell, world)) return false;
    if (slot >= slot::head && npc == -1) return false;
    if (slot == slot::inventory && npc == -1 && object == -1) return false;
    const int32_t c = world.items[item].item_class;
    if (npc != -1) {
        const Tchar& n = world.npcs[npc];
        if ((slot == slot::head && n.head >= 0) || (slot == slot::body && n.body >= 0) ||
            ((slot == slot::left_hand || slot == slot::right_hand) && hand(world.npcs[npc], slot).index >= 0))
            return false;
    }
    if (slot == slot::head && !worn_on_head(c)) return false;
    if (slot == slot::body && !worn_on_body(c)) return false;

    take_away(thing::item, item, world);
    Tpitem& t = world.items[item];
    t.place = place;
    t.holder_object = object;
    t.holder_npc = npc;
    t.slot = static_cast<uint8_t>(slot);
    refile_placed(world, Placed::item, item);
    switch (slot) {
    case slot::inventory:
        inv_add(thing::item, item, 1, npc != -1 ? world.npcs[npc].inventory : world.mapobjects[object].contents);
        break;
    case slot::head: world.npcs[npc].head = item; break;
    case slot::body: world.npcs[npc].body = item; break;
    case slot::left_hand:
    case slot::right_hand: hand(world.npcs[npc], slot) = {thing::item, item, 1}; break;
    default: break;
    }
    return true;
}

void change_amount(int32_t resource, int32_t delta, TWorld& world) {
    if (!links::resource_ok(resource, world) || delta == 0) return;
    Tpres& r = world.resources[resource];
    if (single_piece(r.kind) || r.holder_item >= 0 || r.holder_resource >= 0) return;
    const int64_t amount = int64_t{r.amount} + delta;
    if (amount <= 0) {
        delete_thing(thing::resource, resource, world);
        return;
    }
    r.amount = links::saturate(amount);
    const auto follow = [&](Tinvitems& list) {
        for (Tinvitem& e : list)
            if (e.kind == thing::resource && e.index == resource) e.count = links::add_sat(e.count, delta);
    };
    if (r.link == links::inventory) {
        if (links::npc_ok(r.holder_npc, world)) follow(world.npcs[r.holder_npc].inventory);
        if (links::object_ok(r.holder_object, world)) follow(world.mapobjects[r.holder_object].contents);
    }
    if ((r.link == links::left_hand || r.link == links::right_hand) && links::npc_ok(r.holder_npc, world)) {
        Tinvitem& h = hand(world.npcs[r.holder_npc], r.link);
        if (h.kind == thing::resource && h.index == resource) h.count = links::add_sat(h.count, delta);
    }
}

bool move_resource(int32_t resource, int32_t amount, int32_t object, int32_t npc, int32_t link, Tplace place,
                   TWorld& world) {
    if (amount < 0 || !links::resource_ok(resource, world)) return false;
    if (link != links::cell && link != links::inventory && link != links::left_hand && link != links::right_hand)
        return false;
    if (!target_ok(object, npc, place, link == links::cell, world)) return false;
    if ((link == links::left_hand || link == links::right_hand) && npc == -1) return false;
    if (link == links::inventory && npc == -1 && object == -1) return false;
    const Tpres& r = world.resources[resource];
    // Only loose stacks and stacks in inventories, objects and hands move here.
    if (r.holder_item >= 0 || r.holder_resource >= 0) return false;
    if (amount == 0 || amount >= r.amount || single_piece(r.kind)) amount = r.amount;

    // A like stack at the target: same catalogue row, really held there.
    int32_t like = -1;
    std::size_t like_entry = 0;
    Tinvitems* list = nullptr;
    Tinvitems cell_list, hand_list;
    if (!single_piece(r.kind) && amount >= 1) {
        if (link == links::cell) {
            things_at(find_things::resources, place, world, cell_list);
            list = &cell_list;
        } else if (link == links::inventory) {
            list = npc != -1 ? &world.npcs[npc].inventory : &world.mapobjects[object].contents;
        } else {
            hand_list = {hand(world.npcs[npc], link)};
            list = &hand_list;
        }
        for (std::size_t i = list->size(); i-- > 0 && like < 0;) {
            const Tinvitem& e = (*list)[i];
            if (e.kind != thing::resource || e.index == resource || !links::resource_ok(e.index, world)) continue;
            const Tpres& s = world.resources[e.index];
            const bool held_there = s.holder_item < 0 && s.holder_resource < 0 && s.link == link &&
                                    s.holder_npc == npc && s.holder_object == object;
            if (s.row == r.row && !single_piece(s.kind) && held_there) {
                like = e.index;
                like_entry = i;
            }
        }
    }
    if (like >= 0) {
        Tpres& s = world.resources[like];
        s.amount = links::add_sat(s.amount, amount);
        if (link == links::inventory) {
            Tinvitem& e = (*list)[like_entry];
            e.count = links::add_sat(e.count, amount);
        } else if (link != links::cell) {
            Tinvitem& h = hand(world.npcs[npc], link);
            h.count = links::add_sat(h.count, amount);
        }
        if (amount < world.resources[resource].amount) change_amount(resource, -amount, world);
        else delete_thing(thing::resource, resource, world);
        return true;
    }
    if ((link == links::left_hand || link == links::right_hand) && hand(world.npcs[npc], link).index >= 0)
        return false;
    if (amount < r.amount) {
        const NewResource split{
            .row = r.row, .amount = amount, .npc = npc, .object = object, .place = place, .link = link};
        if (create_resource(world, split) < 0) return false;
        change_amount(resource, -amount, world);
        return true;
    }
    take_away(thing::resource, resource, world);
    Tpres& res = world.resources[resource];
    res.place = place;
    res.holder_object = object;
    res.holder_npc = npc;
    res.link = static_cast<uint16_t>(link);
    refile_placed(world, Placed::resource, resource);
    if (link == links::inventory)
        inv_add(thing::resource, resource, res.amount,
                npc != -1 ? world.npcs[npc].inventory : world.mapobjects[object].contents);
    else if (link != links::cell)
        hand(world.npcs[npc], link) = {thing::resource, resource, res.amount};
    return true;
}
