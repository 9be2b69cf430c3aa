#pragma once
// The world model's operations on a world passed in: creating, placing, moving,
// linking and deleting placed things, the map view renderer and the trigger and
// event engine.
//
// Every reference in the world is an index, and a placed thing and its holder
// name each other: the holder lists the thing (an object's contents, an NPC's
// inventory or equipment slot, an item's clip or contents, a resource's
// contents) and the thing names the holder (holder fields plus Tpitem::slot or
// Tpres::link). Every routine here keeps both sides in step, and every deletion
// renumbers every reference to the elements behind the deleted one, holder
// fields included. Every routine that moves a placed thing or erases one also
// keeps the world's placed index true (model/placed_index.h); code elsewhere
// that writes a placed thing's place calls refile_placed. Creating routines return the new index or -1; every
// refusal is silent and changes nothing.
#include "model/init.h"

#include <cstdint>
#include <string>

// Shows the text in a one-button message box captioned with the program's title
// and waits until it is closed.
void show_message(const std::string& text);

// True when the place is a cell of an existing map: 0 <= map < maps,
// 0 <= x < width and 0 <= y < height of that map.
bool is_cell(const Tplace& place, const TWorld& world);

// ---- creating placed items and resources ----

// Appends a bare placed copy of item catalogue row: no holder, slot::cell, no
// place, no clip; a revolver gets Tpitem::load empty chambers (-1). A revolver
// entry asking for more than max_chambers chambers is refused (-1).
int32_t new_placed_item(int32_t row, TWorld& world);
// Appends a bare placed copy of resource catalogue row with the amount: no
// holder, links::cell, no place, no contents.
int32_t new_placed_resource(int32_t row, int32_t amount, TWorld& world);
// Creates item row in the first holder that takes it: the NPC (slot::inventory,
// head, left_hand, right_hand or body), else the object's contents, else the
// cell; then its default contents and loaded clip.
int32_t create_item(int32_t row, int32_t npc, int32_t object, TWorld& world, Tplace place, int32_t slot);

// What create_resource makes and where it may go; a holder left at -1 is not
// offered and the place defaults to no cell.
struct NewResource {
    int32_t row = -1;     // resource catalogue row
    int32_t amount = 1;
    int32_t npc = -1;     // placed NPC: links::inventory, left_hand or right_hand
    int32_t object = -1;  // placed object: its contents
    int32_t parent_resource = -1;  // placed resource: its contents (links::inside)
    int32_t parent_item = -1;      // placed item: links::inside contents or chamber, links::loaded clip
    int32_t chamber = -1;          // which chamber of a revolver parent item
    Tplace place{-1, -1, -1};      // a cell
    int32_t link = links::cell;
};
// Creates the resource in the first holder that takes it: the NPC, else the
// object's contents, else the parent resource, else the parent item, else the
// cell; then, unless a parent resource was given, its default children. An
// amount of 0 is refused, a negative one is 1, and clips, cells and vials are
// always 1 piece; liquids and mixtures never exist alone.
//   create_resource(world, {.row = r, .amount = 5, .npc = n, .link = links::inventory})
int32_t create_resource(TWorld& world, const NewResource& what);
// Deletes the last entry of the list with that kind and index.
void inv_remove(int32_t kind, int32_t index, Tinvitems& list);

// ---- removing list entries ----
// Each removes the entry at index (later ones move down); an index outside
// the list changes nothing. None renumbers anything: nothing names skills,
// list entries, recipes or events by their place in these lists.
void delete_skill(int32_t index, Tskills& list);
void delete_invitem(int32_t index, Tinvitems& list);
void delete_craft(int32_t index, Tcrafts& list);
void delete_event(int32_t index, Tevents& list);

// ---- physiological attributes (an NPC's or a template's phys_attrs) ----
// Gives attribute number the value: the first entry of that number gets it,
// else a new entry is appended. A value below 1 changes nothing.
void set_phys_attr(int32_t number, int32_t value, Tskills& list);
// Drops every entry whose value is 0 or less, then gives one line per entry
// left, in order: the attribute's name (empty for a number that names none,
// as a file may hold), a blank and the value.
TStrings list_phys_attrs(Tskills& list);
// Takes out the entry at line (as list_phys_attrs lists them): its value
// becomes 0, so the next listing drops it. False for a line that names no entry.
bool remove_phys_attr(int32_t line, Tskills& list);

// ---- references to triggers, paths, placed objects and placed NPCs ----
//
// Events and triggers name triggers, paths, placed objects and placed NPCs by
// index. Every deletion and move of such an entry keeps every reference true:
// a reference to a later entry follows it, a move swaps the two indexes
// everywhere, and a reference to a deleted entry names nothing any more: -1
// where -1 means none, deleted_target where -1 has a meaning of its own.

// The lists an event target or a watched thing may name.
enum class Names : uint8_t { nothing, trigger, placed_object, path, placed_npc, resource_row, item_row, npc_template };

// What the target of an event with this action names (Names::nothing for an
// unknown action), and whether -1 there means the running trigger (trigger
// actions) or the object it watches (object actions) rather than none.
Names event_target(uint8_t action);
bool minus_one_is_own(uint8_t action);
// What a trigger of this kind watches through Ttrigger::target: a placed NPC
// for "char death", a placed object for every other kind (object actions
// whose target is -1 act on it).
Names watched_by(uint8_t kind);

// Deletes trigger index with its events.
void delete_trigger(int32_t index, TWorld& world);
// Swaps triggers a and b with every reference to them (the page's up and down
// buttons); false, changing nothing, when either names no trigger.
bool swap_triggers(int32_t a, int32_t b, TWorld& world);
// Deletes path index.
void delete_path(int32_t index, TWorld& world);

// Deletes placed thing::item or thing::resource index together with the
// resources it holds, unlinks it from its holder and renumbers every list,
// slot and holder field that names a later thing of that kind.
void delete_thing(int32_t kind, int32_t index, TWorld& world);

// ---- deleting placed objects, object catalogue entries and terrains ----

// Deletes a placed object: the things inside it are laid loose on its cell
// (deleted when it stands on no cell), references to placed objects are kept
// true (a "button" trigger watching it also loses its place's map), and every
// "destroy obj" trigger watching it runs once and is switched off.
void delete_mapobject(int32_t index, TWorld& world);
// Removes the object catalogue entry at position `row`. Object template rows
// (the Tmapobject::row each template holds) stay unique: the templates above
// the removed row drop by one, and so does every reference to an object row
// (placed objects' row, recipes' near object and object product); references
// to the removed row become -1. A world file may hold one row twice: while
// another template still holds the removed row, nothing is renumbered.
void delete_pmapobject(int32_t row, TWorld& world);
// The row a new object template takes: its own position, or, when a template
// of a world file already holds that one, the next row up that none holds.
int32_t new_object_row(const TWorld& world);
// Removes a terrain that no map cell uses; cells naming later terrains follow.
void delete_terrain(int32_t row, TWorld& world);

// ---- cell lookups, placing objects and NPCs ----

// Modes of object_at.
namespace find_object {
constexpr uint8_t blocking = 0;  // not both floating and passing
constexpr uint8_t any = 2;
}  // namespace find_object
// The first placed object on the cell that the mode accepts; -1 when none or
// not a cell.
int32_t object_at(Tplace place, uint8_t mode, const TWorld& world);
// Modes of things_at.
namespace find_things {
constexpr int32_t all = 0;
constexpr int32_t items = 1;
constexpr int32_t resources = 2;
}  // namespace find_things
// Fills result with the things whose place is the cell: items (thing::item,
// index, 1) with mode all or items, then resources (thing::resource, index, 1)
// with mode all or resources.
void things_at(int32_t mode, Tplace place, const TWorld& world, Tinvitems& result);
// The first placed NPC on the cell, -1 when none or not a cell.
int32_t npc_at(Tplace place, const TWorld& world);
// True for a cell with no NPC and no blocking object.
bool cell_free(Tplace place, const TWorld& world);
// True when an entry of list names a placed resource of resource catalogue row.
bool any_of_row(int32_t row, const tintarray& list, const TWorld& world);
// Places a copy of object catalogue row on the cell unless an NPC stands there.
void place_object(int32_t row, Tplace place, TWorld& world);
// Places a copy of NPC template row on a free cell with its points worked out
// from its characteristics and new copies of the things the template carries.
int32_t place_npc(int32_t row, Tplace place, Tcounter counter, TWorld& world);
// Deletes a placed NPC with every thing it holds; references to placed NPCs
// (triggers, events, holder fields and the player) are kept true.
void delete_npc(int32_t index, TWorld& world);
// A random cell of the map, each equally likely (with free_only, each free
// cell equally likely); no_place when there is none.
void random_place(int32_t map, bool free_only, const TWorld& world, Tplace& result);
// Seeds the generator random_place draws from (it seeds itself once otherwise).
void random_place_seed(uint32_t seed);

// ---- the map editor's rules: what a selected map cell does ----
//
// Selecting a map cell completes an armed move of a placed object or NPC, or
// paints or places what the open palette offers. These routines decide and
// make the change; the map page reads its selections, calls one, and shows
// what it returns (a refusal text, a repaint). A place that is no cell of the
// world changes nothing and says nothing.

// The terrain a map cell holds, or nullptr when the place is no cell of the
// world, the cell matrix is smaller than the map's sides there (a file may
// give one), or its terrain row names no terrain (as in a map made before any
// terrain existed).
const Tterrain* cell_terrain(const TWorld& world, const Tplace& place);
// The terrain kind (Tterrain::kind) a cell offers things placed on it: where
// cell_terrain finds none, terrain::void_.
int32_t terrain_kind_at(Tplace place, const TWorld& world);

// What a move of a placed object or NPC onto a cell came to.
struct CellMove {
    bool moved = false;   // it stands on the cell now: the map view is drawn again
    bool ends = true;     // the armed move is over
    std::string refusal;  // what the designer is told; empty when it moved
};
// The object move: placed object index goes onto the cell, whatever objects
// already stand there and whatever the terrain. An NPC on the cell refuses it
// ("Cell is not empty"), then an index that names no placed object ("Object
// not exists"); the move ends in every case.
CellMove map_move_object(int32_t index, Tplace place, TWorld& world);
// The NPC move: placed NPC index goes onto the cell, whatever the terrain.
// Any object (even one that floats and lets things pass) or NPC on the cell
// refuses it ("Cell is not empty") and the move stays armed for the next
// cell; an index that names no placed NPC refuses it ("NPC not exists") and
// ends it.
CellMove map_move_npc(int32_t index, Tplace place, TWorld& world);

// The palettes. Each returns true when the map editor's rule lets the
// placement go ahead, and the map view is then drawn again; false, changing
// nothing, when the rule refuses. A placement that goes ahead calls the
// creating routine, which may still refuse under its own rules and then
// leaves the world as it was (no refusal is told).

// Terrain: cell [x][y] of the map's cells := terrain, which must name a
// terrain; painting asks nothing of what stands on the cell.
bool map_paint_terrain(int32_t terrain, Tplace place, TWorld& world);
// Objects: object template row, which must name one, goes on the cell where
// the terrain takes it: void, water and deep water take floating templates
// only. place_object then adds nothing where an NPC stands.
bool map_place_object(int32_t row, Tplace place, TWorld& world);
// Items: item row, unless negative, loose on the cell (create_item with no
// NPC, no object and slot::cell).
bool map_place_item(int32_t row, Tplace place, TWorld& world);
// Resources: true when resource row names a template and a stack of it may be
// asked for (the amount is asked only then); map_place_resource lays amount
// pieces loose on the cell (create_resource with links::cell and no holder).
bool map_takes_resource(int32_t row, Tplace place, const TWorld& world);
void map_place_resource(int32_t row, int32_t amount, Tplace place, TWorld& world);
// NPCs: NPC template row, unless negative, on a cell where no object of any
// kind and no NPC stands and whose terrain is not void, water or deep water;
// place_npc with a spawn counter of 0.
bool map_place_npc(int32_t row, Tplace place, TWorld& world);

// ---- moving items and resources ----

// Adds delta to the count of the last entry of that kind and index (removing
// it when the count would drop below 1) or appends (kind, index, delta);
// returns the new length.
int32_t inv_add(int32_t kind, int32_t index, int32_t delta, Tinvitems& list);
// Modes of detach_resource.
namespace detach {
constexpr int32_t to_cell = 0;    // onto the cell of the outer holder
constexpr int32_t to_holder = 1;  // into the outer object or NPC
}  // namespace detach
// Takes a resource out of the item or resource that holds it.
void detach_resource(int32_t resource, int32_t mode, TWorld& world);
// Moves an item onto a free cell (slot::cell) or into an NPC (slot::inventory
// to slot::body) or an object (slot::inventory); true when it moved.
bool move_item(int32_t item, int32_t object, int32_t npc, int32_t slot, Tplace place, TWorld& world);
// Changes a stack's amount (deleting it at 0 or less) and its holder's count.
void change_amount(int32_t resource, int32_t delta, TWorld& world);
// Moves amount pieces (0 = all) of a resource stack onto a cell (links::cell),
// into an NPC (links::inventory, left_hand, right_hand) or an object
// (links::inventory), merging with a like stack there; true when something moved.
bool move_resource(int32_t resource, int32_t amount, int32_t object, int32_t npc, int32_t link, Tplace place,
                   TWorld& world);

// ---- the trigger and event engine ----

// Runs trigger index: its events in order while they succeed (or say to go on);
// message becomes the success text, the false text when it is inactive, or empty.
void run_trigger(int32_t trigger, TWorld& world, std::string& message);
// Performs one event for running trigger (or -1) with its counter; true on success.
bool run_event(int32_t trigger, Tcounter counter, const Tevent& event, TWorld& world);
// Adds delta to a two-word counter, carrying at 2,000,000,000.
void counter_add(int32_t delta, Tcounter& counter);
