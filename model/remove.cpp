// Removing entries of the world's small lists and deleting placed items and
// resources with the renumbering of everything that names them.
#include "model/links.h"
#include "model/tools.h"

#include <algorithm>
#include <functional>

namespace {

template <typename List>
void delete_at(int32_t index, List& list) {
    if (!links::in_range(index, list)) return;
    list.erase(list.begin() + index);
}

// A reference to the thing at index of a list that just lost element gone:
// one above it moves down, one equal to it names nothing any more.
enum class Ref { keep, gone };
Ref shift(int32_t& value, int32_t gone) {
    if (value == gone) return Ref::gone;
    if (value > gone) --value;
    return Ref::keep;
}

// Renumbers the entries of kind in a thing list; entries naming the removed
// thing are dropped.
void shift_list(int32_t kind, int32_t gone, Tinvitems& list) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        Tinvitem e = list[i];
        if (e.kind == kind && shift(e.index, gone) == Ref::gone) continue;
        list[kept++] = e;
    }
    list.resize(kept);
}

// The same for a list of placed resource indexes.
void shift_ints(int32_t gone, tintarray& list) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        int32_t v = list[i];
        if (shift(v, gone) == Ref::gone) continue;
        list[kept++] = v;
    }
    list.resize(kept);
}

void shift_slot(int32_t& slot, int32_t gone) {
    if (shift(slot, gone) == Ref::gone) slot = -1;
}

void shift_hand(int32_t kind, int32_t gone, Tinvitem& hand) {
    if (hand.kind == kind) shift_slot(hand.index, gone);
}

// A resource whose holder has gone: the holder field is cleared, and with no
// holder left it lies loose where it is.
void release(int32_t& holder, Tpres& r) {
    holder = -1;
    if (r.holder_object < 0 && r.holder_npc < 0 && r.holder_item < 0 && r.holder_resource < 0) r.link = links::cell;
}

}  // namespace

void delete_skill(int32_t index, Tskills& list) { delete_at(index, list); }
void delete_invitem(int32_t index, Tinvitems& list) { delete_at(index, list); }
void delete_craft(int32_t index, Tcrafts& list) { delete_at(index, list); }
void delete_event(int32_t index, Tevents& list) { delete_at(index, list); }

namespace links {

void take_from_item(int32_t r, Tpitem& item) {
    if (item.clip == r) {
        item.clip = -1;
    } else if (item.item_class == item_class::revolver) {
        std::replace(item.contents.begin(), item.contents.end(), r, -1);
    } else {
        int_array_remove_value(r, item.contents);
    }
}

void unlink(int32_t kind, int32_t index, TWorld& world) {
    if (kind == thing::item) {
        if (!item_ok(index, world)) return;
        const Tpitem& t = world.items[index];
        if (object_ok(t.holder_object, world))
            inv_remove(thing::item, index, world.mapobjects[t.holder_object].contents);
        if (npc_ok(t.holder_npc, world)) {
            Tchar& n = world.npcs[t.holder_npc];
            switch (t.slot) {
            case slot::inventory: inv_remove(thing::item, index, n.inventory); break;
            case slot::head: if (n.head == index) n.head = -1; break;
            case slot::body: if (n.body == index) n.body = -1; break;
            case slot::left_hand:
                if (n.left_hand.kind == thing::item && n.left_hand.index == index) n.left_hand.index = -1;
                break;
            case slot::right_hand:
                if (n.right_hand.kind == thing::item && n.right_hand.index == index) n.right_hand.index = -1;
                break;
            default: break;
            }
        }
    } else if (kind == thing::resource) {
        if (!resource_ok(index, world)) return;
        const Tpres& r = world.resources[index];
        if (object_ok(r.holder_object, world))
            inv_remove(thing::resource, index, world.mapobjects[r.holder_object].contents);
        if (npc_ok(r.holder_npc, world)) {
            Tchar& n = world.npcs[r.holder_npc];
            if (r.link == links::inventory) inv_remove(thing::resource, index, n.inventory);
            if (r.link == links::left_hand && n.left_hand.kind == thing::resource && n.left_hand.index == index)
                n.left_hand.index = -1;
            if (r.link == links::right_hand && n.right_hand.kind == thing::resource && n.right_hand.index == index)
                n.right_hand.index = -1;
        }
        if (item_ok(r.holder_item, world)) take_from_item(index, world.items[r.holder_item]);
        if (resource_ok(r.holder_resource, world) && r.holder_resource != index)
            int_array_remove_value(index, world.resources[r.holder_resource].contents);
    }
}

void erase(int32_t kind, int32_t index, TWorld& world) {
    if (!thing_ok(kind, index, world)) return;
    unlink(kind, index, world);
    if (kind == thing::item) world.items.erase(world.items.begin() + index);
    else world.resources.erase(world.resources.begin() + index);
    refresh_placed_index(world);

    for (Tmapobject& o : world.mapobjects) shift_list(kind, index, o.contents);
    for (Tchar& n : world.npcs) {
        shift_list(kind, index, n.inventory);
        if (kind == thing::item) {
            shift_slot(n.head, index);
            shift_slot(n.body, index);
        }
        shift_hand(kind, index, n.left_hand);
        shift_hand(kind, index, n.right_hand);
    }
    if (kind == thing::resource) {
        for (Tpitem& it : world.items) {
            shift_slot(it.clip, index);
            if (it.item_class == item_class::revolver)
                for (int32_t& c : it.contents) shift_slot(c, index);
            else
                shift_ints(index, it.contents);
        }
        for (Tpres& r : world.resources) shift_ints(index, r.contents);
    }
    for (Tpres& r : world.resources) {
        int32_t& holder = kind == thing::item ? r.holder_item : r.holder_resource;
        if (shift(holder, index) == Ref::gone) release(holder, r);
    }
}

std::vector<int32_t> held_resources(int32_t kind, int32_t index, const TWorld& world) {
    const int32_t count = static_cast<int32_t>(world.resources.size());
    // children[p] = the resources whose holder resource is p
    std::vector<std::vector<int32_t>> children(world.resources.size());
    std::vector<int32_t> found;
    std::vector<char> seen(world.resources.size(), 0);
    for (int32_t q = 0; q < count; ++q) {
        const Tpres& r = world.resources[q];
        if (resource_ok(r.holder_resource, world)) children[r.holder_resource].push_back(q);
        if (kind == thing::item && r.holder_item == index) {
            seen[q] = 1;
            found.push_back(q);
        }
    }
    if (kind == thing::resource && resource_ok(index, world)) {
        seen[index] = 1;  // the thing itself is not among what it holds
        for (int32_t q : children[index])
            if (!seen[q]) {
                seen[q] = 1;
                found.push_back(q);
            }
    }
    for (std::size_t i = 0; i < found.size(); ++i)
        for (int32_t q : children[found[i]])
            if (!seen[q]) {
                seen[q] = 1;
                found.push_back(q);
            }
    return found;
}

void erase_all(std::vector<int32_t> items, std::vector<int32_t> resources, TWorld& world) {
    std::erase_if(items, [&](int32_t i) { return !item_ok(i, world); });
    std::erase_if(resources, [&](int32_t r) { return !resource_ok(r, world); });
    std::vector<int32_t> all = resources;
    for (int32_t i : items)
        for (int32_t r : held_resources(thing::item, i, world)) all.push_back(r);
    for (int32_t r : resources)
        for (int32_t q : held_resources(thing::resource, r, world)) all.push_back(q);
    // From the highest index down, so each removal leaves the indexes still to go untouched.
    const auto descending_unique = [](std::vector<int32_t>& v) {
        std::sort(v.begin(), v.end(), std::greater<>());
        v.erase(std::unique(v.begin(), v.end()), v.end());
    };
    descending_unique(all);
    descending_unique(items);
    for (int32_t r : all) erase(thing::resource, r, world);
    for (int32_t i : items) erase(thing::item, i, world);
}

}  // namespace links

void delete_thing(int32_t kind, int32_t index, TWorld& world) {
    if (kind == thing::item && links::item_ok(index, world)) links::erase_all({index}, {}, world);
    if (kind == thing::resource && links::resource_ok(index, world)) links::erase_all({}, {index}, world);
}
