// Every window against hostile worlds: worlds whose indexes name nothing in
// every way the world file can hold them, and small worlds opened over a
// large one so that every selection and edit buffer is left stale. Each world
// arrives through File > Open; then one driver visits every page through its
// tab and every secondary window the way its opener opens it, and presses
// every button, picks every combo box entry and list line, clicks cells of
// every grid (left and right, also past the lists), chooses every popup menu
// item, types hostile texts into every field and answers every modal box.
// After each action: an action refused with an error or a message leaves the
// world as it was, no error comes from the standard library (a read past a
// list), no action stores a row or picture that names nothing, a sound world's
// placed things stay linked to their holders, and every window gives its
// opener back. At the end the world saved and opened again is the same world.
// The sanitizers of the test build report any read out of bounds.
#include "mainwindow/main.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/state.h"
#include "model/tools.h"
#include "platform/kit/kit_private.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/model_fixture.h"
#include "tests/support/window_walk.h"
#include "worldfile/worldfile.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <climits>
#include <functional>
#include <map>
#include <set>

namespace {

// ---------------------------------------------------------------- worlds

// The ways an index can name nothing in a list of n entries.
enum class Bad { minus_one, lowest, highest, past_end };

struct BadIndex {
    Bad how;
    int32_t operator()(std::size_t n) const {
        switch (how) {
        case Bad::minus_one: return -1;
        case Bad::lowest: return INT32_MIN;
        case Bad::highest: return INT32_MAX;
        case Bad::past_end: return static_cast<int32_t>(n);
        }
        return -1;
    }
};

// The 20 x 20 map things stand on is the last one, so that Open selects it.
constexpr int32_t field = 2;

Tplace cell(int32_t x, int32_t y, int32_t map = field) { return at(map, x, y); }

// A world where every index, picture, count and vocabulary number names
// nothing, as bad names it; the things it places stand on the first cells of
// the last map, where the driver clicks: an object at (0, 0), an NPC at (1, 0),
// loose things at (2, 0), a chest at (0, 1), an NPC at (1, 1).
TWorld hostile_world(BadIndex bad, std::size_t tiles) {
    TWorld w;
    reset_world(w);
    // Sizes of the lists, for indexes just past their ends.
    const std::size_t terrains = 3, maps = 3, pobjects = 3, objects = 4, pitems = 4, items = 6, presources = 6,
                      resources = 9, fracs = 2, pnpcs = 2, npcs = 3, triggers = 2, paths = 2;
    const auto b8 = [&](std::size_t n) { return static_cast<uint8_t>(bad(n)); };

    w.terrains = {{400, 1, 1, {0}},
                  {0, 0, static_cast<int8_t>(bad(terrain_kinds.size())), {}},
                  {3200, 2, -128, {bad(tiles), bad(tiles)}}};

    Tmap none_wide{"no columns", 0, 5, {}};
    Tmap none_high{"no rows", 3, 0, tintmatrix(3)};
    Tmap hostile{"hostile", 20, 20, tintmatrix(20, tintarray(20, 0))};
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) hostile.cells[x][y] = (x + y) % 3 == 0 ? bad(terrains) : (x + y) % 3;
    w.maps = {none_wide, none_high, hostile};

    // The object catalogue: frames and parts naming nothing, counts out of range.
    Tmapobject po;
    po.name = "crate";
    po.frame_count = 2;
    po.frames = {bad(tiles), 0};
    po.frames2 = {1, bad(tiles)};
    po.row = bad(pobjects);
    po.size = -5;
    po.form = 7;
    po.lock = 99;
    po.chest = true;
    po.parts = {{thing::item, bad(pitems), 1}, {thing::resource, bad(presources), -3}, {7, 0, 0}};
    Tmapobject empty = po;
    empty.name = "nothing";
    empty.frame_count = 0;
    empty.frames = empty.frames2 = {};
    empty.form = -1;
    empty.size = 1000;
    empty.floating = true;
    Tmapobject odd = po;
    odd.name = "odd";
    odd.frame_count = 3;
    odd.frames = {0, 1, bad(tiles)};
    odd.frames2 = {bad(tiles), bad(tiles), bad(tiles)};
    odd.row = 0;
    w.pmapobjects = {po, empty, odd};

    // Placed objects: a chest whose contents name nothing, one on no cell.
    Tmapobject chest = po;
    chest.name = "chest";
    chest.size = 32;
    chest.visible = true;
    chest.place = cell(0, 1);
    chest.contents = {{thing::item, 1, 1},
                      {thing::item, bad(items), 1},
                      {thing::resource, bad(resources), 5},
                      {thing::resource, 1, -5},
                      {9, 0, 0},
                      {thing::item, -1, 0}};
    Tmapobject stone = odd;
    stone.name = "stone";
    stone.place = cell(0, 0);
    stone.row = bad(pobjects);
    stone.visible = false;
    Tmapobject lost = po;
    lost.name = "lost";
    lost.place = {0, 0, bad(maps)};
    Tmapobject outside = empty;
    outside.name = "outside";
    outside.place = {bad(20), 3, field};
    w.mapobjects = {stone, chest, lost, outside};

    // The item catalogue: an item of every kind of fault, a revolver, a helm, a coat.
    Tpitem pi;
    pi.name = "plain";
    pi.image = 3;
    pi.clip = -1;
    Tpitem broken;
    broken.name = "broken";
    broken.item_class = bad(item_classes.size());
    broken.image = bad(tiles);
    broken.clip = bad(presources);
    broken.contents = {bad(presources), -1};
    broken.children = {bad(presources), 2};
    broken.load = -1;
    broken.hands = 65535;
    broken.hp = INT32_MAX;
    Tpitem revolver = pi;
    revolver.name = "revolver";
    revolver.item_class = item_class::revolver;
    revolver.load = -4;
    revolver.contents = {bad(presources)};
    revolver.children = {bad(presources)};
    Tpitem helm = pi;
    helm.name = "helm";
    helm.item_class = item_class::helm;
    helm.image = bad(tiles);
    w.pitems = {pi, broken, revolver, helm};

    // Placed items: loose, in the chest, worn, held by no one, in no slot.
    Tpitem loose = broken;
    loose.row = bad(pitems);
    loose.place = cell(2, 0);
    loose.holder_object = loose.holder_npc = -1;
    loose.slot = slot::cell;
    loose.clip = bad(resources);
    loose.contents = {bad(resources), -1, 3};
    Tpitem inside = pi;
    inside.row = 0;
    inside.place = cell(0, 1);
    inside.holder_object = 1;
    inside.holder_npc = -1;
    inside.slot = slot::inventory;
    inside.clip = 3;
    Tpitem worn = helm;
    worn.row = 3;
    worn.place = cell(1, 0);
    worn.holder_object = -1;
    worn.holder_npc = 0;
    worn.slot = slot::head;
    Tpitem orphan = pi;
    orphan.holder_npc = bad(npcs);
    orphan.holder_object = -1;
    orphan.slot = slot::left_hand;
    orphan.place = cell(2, 0);
    Tpitem nowhere = broken;
    nowhere.slot = 77;
    nowhere.holder_object = bad(objects);
    nowhere.holder_npc = -1;
    nowhere.place = cell(2, 0);
    Tpitem gun = revolver;
    gun.row = 2;
    gun.load = 2;
    gun.contents = {-1, bad(resources)};
    gun.place = cell(2, 0);
    gun.holder_object = gun.holder_npc = -1;
    gun.slot = slot::cell;
    w.items = {loose, inside, worn, orphan, nowhere, gun};

    // The resource catalogue: a row of every kind of fault, clips, vials.
    Tpres ammo;
    ammo.name = "ammo";
    ammo.kind = resource_kind::ammo;
    ammo.image_one = 5;
    ammo.image_many = 6;
    ammo.power = 10;
    ammo.filling = {thing::resource, -1, 0};
    Tpres strange = ammo;
    strange.name = "strange";
    strange.kind = bad(resource_kinds.size());
    strange.image_one = strange.image_many = bad(tiles);
    strange.contents = {bad(presources)};
    strange.children = {bad(presources)};
    strange.filling = {thing::resource, bad(presources), -5};
    strange.power = -1;
    Tpres clip = ammo;
    clip.name = "clip";
    clip.kind = resource_kind::clip;
    clip.children = {0, bad(presources)};
    clip.contents = {bad(presources), 0};
    clip.power = INT32_MAX;
    Tpres vial = ammo;
    vial.name = "vial";
    vial.kind = resource_kind::vial;
    vial.filling = {thing::resource, bad(presources), 10};
    vial.power = 0;
    Tpres liquid = ammo;
    liquid.name = "liquid";
    liquid.kind = resource_kind::liquid;
    liquid.image_many = bad(tiles);
    Tpres cell_res = ammo;
    cell_res.name = "cell";
    cell_res.kind = resource_kind::cell;
    cell_res.contents = {-1};
    cell_res.power = -7;
    w.presources = {ammo, strange, clip, vial, liquid, cell_res};

    // Placed resources: holders and links naming nothing, odd fillings, counts 0 and below.
    const auto placed = [&](Tpres r, Tplace p, int32_t object, int32_t npc, int32_t item, int32_t res, uint16_t link,
                            int32_t amount) {
        r.place = p;
        r.holder_object = object;
        r.holder_npc = npc;
        r.holder_item = item;
        r.holder_resource = res;
        r.link = link;
        r.amount = amount;
        return r;
    };
    Tpres odd_vial = placed(vial, cell(2, 0), -1, -1, -1, -1, links::cell, 1);
    odd_vial.filling = {99, bad(presources), 3};
    odd_vial.contents = {bad(resources), 0};
    Tpres clip_in = placed(clip, cell(0, 1), -1, -1, 1, -1, links::loaded, 1);
    clip_in.contents = {bad(resources), 0, -1};
    clip_in.power = 3;
    // Two clips that hold each other, one lying loose and listing itself too.
    Tpres loop_a = placed(clip, cell(2, 0), -1, -1, -1, -1, links::cell, 1);
    loop_a.contents = {8, 7};
    Tpres loop_b = placed(clip, cell(2, 0), -1, -1, -1, 7, links::inside, 1);
    loop_b.contents = {7};
    w.resources = {
        placed(strange, cell(2, 0), -1, -1, -1, -1, links::cell, 0),
        placed(ammo, cell(0, 1), 1, -1, -1, -1, links::inventory, -5),
        odd_vial,
        clip_in,
        placed(ammo, cell(2, 0), -1, -1, -1, bad(resources), links::inside, 2),
        placed(liquid, cell(1, 0), -1, bad(npcs), -1, -1, 99, 1),
        placed(ammo, cell(1, 0), -1, 0, -1, -1, links::inventory, INT32_MAX),
        loop_a,
        loop_b,
    };
    w.resources[0].row = bad(presources);

    w.fracs = {{"lost", bad(tiles)}, {"found", 2}};
    w.fracrel = {{-128, 127}, {0, 1}};

    // NPC templates: every slot, list and vocabulary number naming nothing.
    Tchar pn;
    pn.name = "ghost";
    pn.figure = bad(tiles);
    pn.portrait = bad(tiles);
    pn.inventory = {{thing::item, bad(pitems), 1}, {thing::resource, bad(presources), -1}, {5, 3, 3}};
    pn.parts = {{thing::resource, bad(presources), 0}, {thing::item, 0, 2}};
    pn.head = bad(pitems);
    pn.body = bad(pitems);
    pn.left_hand = {thing::item, bad(pitems), 1};
    pn.right_hand = {thing::resource, bad(presources), 0};
    pn.skills.fill(INT32_MIN);
    pn.phys_attrs = {{bad(phys_attrs.size()), 5, 0}, {-1, 2, 0}};
    pn.fraction = bad(fracs);
    Tchar plain_npc;
    plain_npc.name = "plain";
    plain_npc.head = plain_npc.body = -1;
    plain_npc.left_hand = plain_npc.right_hand = {thing::resource, -1, 0};
    w.pnpcs = {pn, plain_npc};

    // Placed NPCs: one wearing the helm with slots naming nothing, one plain, one on no map.
    Tchar n0 = pn;
    n0.place = cell(1, 0);
    n0.head = 2;
    n0.body = bad(items);
    n0.left_hand = {thing::item, bad(items), 1};
    n0.right_hand = {thing::resource, bad(resources), 1};
    n0.inventory = {{thing::item, bad(items), 1}, {thing::resource, 6, 5}, {3, 0, 0}};
    n0.parts = {{thing::resource, bad(presources), 2}};
    Tchar n1 = plain_npc;
    n1.place = cell(1, 1);
    n1.fraction = 1;
    Tchar n2 = pn;
    n2.place = {0, 0, bad(maps)};
    w.npcs = {n0, n1, n2};

    // Triggers whose kinds, targets, places and events name nothing.
    Ttrigger t0;
    t0.name = "broken";
    t0.kind = b8(trigger_kinds.size());
    t0.place = {bad(20), 0, bad(maps)};
    t0.target = bad(objects);
    t0.size = -5;
    t0.interval = -1;
    const auto ev = [](uint8_t action, int32_t target, Tplace p = {}) {
        Tevent e;
        e.action = action;
        e.target = target;
        e.place = p;
        return e;
    };
    t0.events = {ev(b8(event_actions.size()), bad(triggers)),
                 ev(action::switch_trigger_active, bad(triggers)),
                 ev(action::move_object, bad(objects), {bad(20), bad(20), bad(maps)}),
                 ev(action::set_path_ways, bad(paths)),
                 ev(action::respawn_resource, bad(presources)),
                 ev(action::respawn_item, bad(pitems)),
                 ev(action::respawn_npc, bad(pnpcs)),
                 ev(action::check_char_dead, bad(npcs))};
    Ttrigger t1;
    t1.name = "death";
    t1.kind = trigger_kind::char_death;
    t1.target = bad(npcs);
    t1.place = cell(3, 3);
    w.triggers = {t0, t1};

    // Recipes naming nothing; one of a product kind that does not exist.
    Tcraft c0;
    c0.ingredients = {{thing::item, bad(pitems), 1}, {thing::resource, bad(presources), -2}, {0, 0, 0}};
    c0.tool = bad(pitems);
    c0.near_object = bad(pobjects);
    c0.product = bad(pitems);
    c0.product_kind = product::item;
    c0.skills = {{bad(skill_names.size()), 1, 0}, {0, 0, 0}};
    Tcraft c1 = c0;
    c1.product_kind = bad(3);
    c1.product = 0;
    c1.skills = {};
    w.crafts = {c0, c1};

    w.paths = {{{bad(20), 0, bad(maps)}, cell(0, 0), 0, 7}, {cell(3, 3), cell(4, 4), 0, ways::one_way}};

    w.player.npc = bad(npcs);
    w.player.free_points = -5;
    w.player.pictures = {bad(tiles), 0};
    w.player.portraits = {bad(tiles)};
    return w;
}

// A sound world with many of everything, placed with the world model so its
// links hold: the small world's catalogues four times over, a 20 x 20 map
// with things on its first cells, triggers, recipes and paths.
TWorld large_world() {
    TWorld w = small_world();
    const TWorld one = w;
    for (int copy = 0; copy < 3; ++copy) {
        w.pmapobjects.insert(w.pmapobjects.end(), one.pmapobjects.begin(), one.pmapobjects.end());
        w.pitems.insert(w.pitems.end(), one.pitems.begin(), one.pitems.end());
        w.presources.insert(w.presources.end(), one.presources.begin(), one.presources.end());
        w.pnpcs.insert(w.pnpcs.end(), one.pnpcs.begin(), one.pnpcs.end());
    }
    for (std::size_t r = 0; r < w.pmapobjects.size(); ++r) w.pmapobjects[r].row = static_cast<int32_t>(r);
    w.fracs = {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"e", 5}};
    w.fracrel.assign(5, std::vector<int8_t>(5, 1));
    Tmap big{"big", 20, 20, tintmatrix(20, tintarray(20, row::grass))};
    w.maps.push_back(big);
    place_object(row::chest, cell(0, 1), w);
    place_object(row::door, cell(0, 0), w);
    w.mapobjects[0].size = 32;
    create_item(row::sword, -1, 0, w, cell(0, 1), slot::inventory);
    create_item(row::rifle, -1, -1, w, cell(2, 0), slot::cell);
    create_item(row::revolver, -1, -1, w, cell(2, 0), slot::cell);
    create_resource(w, {.row = row::vial, .amount = 1, .place = cell(2, 0)});
    create_resource(w, {.row = row::gold, .amount = 9, .object = 0, .place = cell(0, 1), .link = links::inventory});
    for (int n = 0; n < 3; ++n) place_npc(row::guard, cell(1, n), {}, w);
    w.player.npc = 2;
    for (int t = 0; t < 6; ++t) {
        Ttrigger tr;
        tr.name = "t" + std::to_string(t);
        tr.kind = trigger_kind::button;
        tr.target = t % 2;
        tr.place = cell(t, 5);
        tr.events = {event(action::switch_trigger_active, t), event(action::move_object, 1)};
        w.triggers.push_back(tr);
    }
    for (int c = 0; c < 6; ++c)
        w.crafts.push_back(
            {{{thing::item, c, 1}, {thing::resource, c, 2}}, c, c, c, product::item, 10, {{1, 2, 0}}, "w"});
    for (int p = 0; p < 6; ++p) w.paths.push_back({cell(p, 0), cell(p, 1), 0, ways::both});
    return w;
}

// A sound world with one of every catalogue entry and nothing placed.
TWorld small_sound_world() {
    TWorld w;
    reset_world(w);
    w.terrains = {{400, 1, 3, {0}}};
    w.maps = {{"tiny", 2, 2, tintmatrix(2, tintarray(2, 0))}};
    const TWorld s = small_world();
    w.pmapobjects = {s.pmapobjects[0]};
    w.pitems = {s.pitems[0]};
    w.presources = {s.presources[0]};
    w.fracs = {{"only", 1}};
    w.fracrel = {{0}};
    w.pnpcs = {s.pnpcs[1]};
    return w;
}

// ---------------------------------------------------------------- the driver

// The references of the catalogues, recipes and the player that name
// nothing (-1 where it means none is no such reference), one line per list and
// field each: an edit may rename an entry and a deletion renumber those after
// it, but no action may add one. A template made from edit buffers that a newly
// opened world has made stale must not store rows that name nothing.
std::multiset<std::string> dangling_references(const TWorld& w) {
    std::multiset<std::string> found;
    std::string list;  // the list being looked at
    const auto bad = [&](bool names_nothing, const char* field) {
        if (names_nothing) found.insert(list + " " + field);
    };
    const auto item_row = [&w](int64_t r) { return r >= 0 && r < static_cast<int64_t>(w.pitems.size()); };
    const auto res_row = [&w](int64_t r) { return r >= 0 && r < static_cast<int64_t>(w.presources.size()); };
    const auto row_of = [&](const Tinvitem& e) {
        return e.kind == thing::item ? item_row(e.index) : e.kind == thing::resource && res_row(e.index);
    };
    const auto picture = [&](int64_t p, const char* field) {
        bad(p != -1 && !tile_frame(editor.tile_frames, p), field);
    };
    const auto entries = [&](const Tinvitems& entries, const char* field) {
        for (const Tinvitem& e : entries) bad(!row_of(e), field);
    };
    list = "terrain";
    for (const Tterrain& t : w.terrains)
        for (int32_t f : t.frames) picture(f, "frame");
    list = "object template";
    for (const Tmapobject& o : w.pmapobjects) {
        entries(o.parts, "part");
        for (int32_t f : o.frames) picture(f, "frame");
        for (int32_t f : o.frames2) picture(f, "second frame");
    }
    list = "item template";
    for (const Tpitem& i : w.pitems) {
        picture(i.image, "picture");
        bad(i.clip != -1 && !res_row(i.clip), "clip");
        for (int32_t r : i.contents) bad(r != -1 && !res_row(r), "contents");
        for (int32_t r : i.children) bad(!res_row(r), "child");
    }
    list = "resource template";
    for (const Tpres& r : w.presources) {
        picture(r.image_one, "one-piece picture");
        picture(r.image_many, "many-pieces picture");
        for (int32_t c : r.contents) bad(c != -1 && !res_row(c), "contents");
        for (int32_t c : r.children) bad(!res_row(c), "child");
        bad(r.filling.index != -1 && !res_row(r.filling.index), "filling");
    }
    // The pictures of fractions and NPC templates are kept as a file gave
    // them, also by a copy.
    list = "NPC template";
    for (const Tchar& c : w.pnpcs) {
        entries(c.inventory, "inventory");
        entries(c.parts, "part");
        bad(c.head != -1 && !item_row(c.head), "head");
        bad(c.body != -1 && !item_row(c.body), "body");
        bad(c.left_hand.index != -1 && !row_of(c.left_hand), "left hand");
        bad(c.right_hand.index != -1 && !row_of(c.right_hand), "right hand");
        bad(c.fraction != -1 && (c.fraction < 0 || c.fraction >= static_cast<int64_t>(w.fracs.size())), "fraction");
    }
    // Recipes name object templates by their own row, which deleting a template
    // leaves naming nothing by design: those are not counted.
    list = "recipe";
    for (const Tcraft& c : w.crafts) {
        entries(c.ingredients, "ingredient");
        bad(c.tool != -1 && !item_row(c.tool), "tool");
        if (c.product_kind == product::item) bad(!item_row(c.product), "product");
        if (c.product_kind == product::resource) bad(!res_row(c.product), "product");
    }
    list = "player";
    bad(w.player.npc != -1 && (w.player.npc < 0 || w.player.npc >= static_cast<int64_t>(w.npcs.size())), "NPC");
    for (int32_t p : w.player.pictures) picture(p, "picture");
    for (int32_t p : w.player.portraits) picture(p, "portrait");
    return found;
}

// A world as the file holds it: a catalogue entry's row is its position, and
// a resource template has the place (1, 1, 0) and no holder object, NPC or item.
TWorld as_stored(TWorld w) {
    for (std::size_t i = 0; i < w.pitems.size(); ++i) w.pitems[i].row = static_cast<int32_t>(i);
    for (Tpres& r : w.presources) {
        r.place = Tplace{1, 1, 0};
        r.holder_object = r.holder_npc = r.holder_item = -1;
    }
    return w;
}

// The faults in the links between placed things and their holders. What
// triggers and events name is left out: the designer types those numbers, and
// they may name anything.
std::vector<std::string> placed_link_problems(const TWorld& w) {
    std::vector<std::string> problems = link_problems(w);
    std::erase_if(problems, [](const std::string& p) { return p.starts_with("trigger ") || p.starts_with("event "); });
    return problems;
}

// Walks every control of a window the way a user reaches it and acts on it.
class Sweep {
public:
    // saved: the file the walked world is saved to at the end.
    Sweep(ScriptedModal& modal, std::string world, std::string saved)
        : modal_(modal),
          world_(std::move(world)),
          saved_(std::move(saved)),
          links_held_(placed_link_problems(editor.world).empty()) {}

    // Every page of the main window through its tab, its menus and its timers.
    void main_window(TForm1& form) {
        hub_grid_ = &form.map->sg_map;
        for (int p = 0; p < form.PC.page_count(); ++p) {
            if (!form.PC.page(p)->tab_visible()) continue;
            act(form, "tab " + std::to_string(p), [&] { kit::user::pick_page(form.PC, p); });
            // The map page's maps before its own controls add more.
            if (p == page::map) map_hub(form);
            walk(form, form.PC.page(p)->widget());
            // The palette is the window's own; it stands beside the first page and others.
            if (p == page::terrain) walk_control(form, form.sg_tiles);
            // The pages whose pictures the animation runs through.
            if (p == page::terrain || p == page::map || p == page::objects) animate(form);
            expect_settled(form, "page " + std::to_string(p));
        }
        for (kit::MenuItem* item : {&form.Showhidden1, &form.Showhidden1, &form.Save1, &form.OPen1})
            act(form, item->caption(), [item] { kit::user::choose(*item); });
        expect_settled(form, "menus");
        // Whatever the windows made of the world, the file holds it: saved and
        // opened again, it is the same world.
        const TWorld made = editor.world;
        const std::size_t errors = modal_.errors.size();
        modal_.save_answers.push_back(saved_);
        kit::user::choose(form.Save1);
        modal_.open_answers.push_back(saved_);
        kit::user::choose(form.OPen1);
        EXPECT_EQ(modal_.errors.size(), errors) << world_ << ": saved and opened again: " << modal_.errors.back();
        EXPECT_TRUE(as_stored(editor.world) == as_stored(made))
            << world_ << ": the world opened again is not the world saved";
    }

private:
    ScriptedModal& modal_;
    std::string world_;
    std::string saved_;
    const kit::Control* hub_grid_ = nullptr;
    bool links_held_;
    bool deleting_ = false;  // popup menus: only the items that delete, or only the others
    int menus_opened_ = 0;   // popup menus the actions have opened
    // The subjects each window was walked on, by (window, opener).
    std::map<std::pair<kit::Window*, kit::Window*>, std::set<std::string>> walked_;
    static constexpr std::size_t subjects_per_opener = 3;

    std::string where(const kit::Window& w, const std::string& what) const {
        return world_ + ": " + w.name + " " + what;
    }

    // What a secondary window opened now shows: the placed thing or the cell
    // handed to it (the template windows show buffers, one subject each).
    static std::string subject(const kit::Window* d) {
        if (d == editor.Form2) return "object " + std::to_string(editor.cur_placed_object);
        if (d == editor.Form3) return "item " + std::to_string(editor.cur_placed_item);
        if (d == editor.Form9) return "resource " + std::to_string(editor.cur_placed_res);
        if (d == editor.Form5 || d == editor.Form10) return "NPC " + std::to_string(editor.cur_placed_npc);
        if (d == editor.Form8)
            return "cell " + std::to_string(editor.current_map ? editor.current_map() : -1) + " " +
                   std::to_string(editor.cell_x) + "," + std::to_string(editor.cell_y);
        if (d == editor.Finv)
            return editor.inv_target == &static_cast<TForm1&>(*editor.Form1).objects->obj_parts ? "template parts"
                                                                                                : "object parts";
        return {};
    }

    // The map page with every map, every palette and the cells things stand on:
    // placing from each palette (its second entry, then its first) and the
    // right click's menus and windows.
    void map_hub(TForm1& form) {
        MapPage& m = *form.map;
        kit::StringGrid* palettes[] = {&m.sg_terrains_2, &m.sg_objects_2, &m.sg_pitems_2, &m.sg_pres_2, &m.sg_pnpc2};
        // The last map first: Open selects it, and the worlds place their things on it.
        for (int i = m.cb_maps.count() - 1; i >= 0; --i) {
            act(form, "cb_maps item " + std::to_string(i), [&m, i] { kit::user::pick(m.cb_maps, i); });
            // A map without cells shows no cell to click.
            if (m.sg_map.col_count() < 2 || m.sg_map.row_count() < 2) continue;
            for (int p = 0; p < m.PC2.page_count(); ++p) {
                act(form, "PC2 tab " + std::to_string(p), [&m, p] { kit::user::pick_page(m.PC2, p); });
                for (int entry : {1, 0}) {
                    press(form, *palettes[p], entry, 0, kit::MouseButton::left);
                    for (int x = 1; x <= 3; ++x) press(form, m.sg_map, x, 2 - entry, kit::MouseButton::left);
                }
            }
            for (bool deleting : {false, true}) {
                deleting_ = deleting;
                for (int y = 1; y <= 3; ++y)
                    for (int x = 1; x <= 3; ++x) press(form, m.sg_map, x, y, kit::MouseButton::right);
            }
            deleting_ = false;
            act(form, "sg_map wheel", [&m] {
                kit::user::wheel(m.sg_map, -2);
                kit::user::wheel(m.sg_map, 2, {.shift = true});
            });
            // "move" of what stands on the first cells, taken to an empty cell,
            // an occupied one and back.
            for (const auto& [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}})
                for (const auto& [to_x, to_y] : {std::pair{x + 3, y + 3}, {2, 1}, {x, y}}) {
                    step(form, "move from " + std::to_string(x) + "," + std::to_string(y), [&] {
                        kit::user::press_cell(m.sg_map, x, y, kit::MouseButton::right);
                        if (kit::PopupMenu* menu = kit::user::open_popup())
                            for (QAction* a : menu->menu()->actions())
                                if (a->text() == "move") {
                                    menu->close_menu();
                                    a->trigger();
                                }
                        kit::user::process_events();
                        if (kit::PopupMenu* menu = kit::user::open_popup()) menu->close_menu();
                    });
                    press(form, m.sg_map, to_x, to_y, kit::MouseButton::left);
                }
        }
    }

    // Animation on for a few ticks, then off again: the previews and the map run through their frames.
    void animate(TForm1& form) {
        act(form, "animation on", [&] { kit::user::choose(form.animation1); });
        for (int i = 0; i < 9; ++i) act(form, "animation tick", [&] { kit::user::tick(form.Timer2); });
        act(form, "animation off", [&] { kit::user::choose(form.animation1); });
    }

    void expect_settled(TForm1& form, const std::string& what) {
        for (const std::string& problem : walk::unsettled(form)) ADD_FAILURE() << where(form, what) << ": " << problem;
    }

    // Texts typed into every field before the buttons are pressed once more:
    // not numbers, numbers beyond 32, 16 and 8 bits, below zero, nothing.
    static constexpr const char* hostile_texts[] = {"x", "2147483648", "65536", "-1", "", "-2147483649", "256", "1e3"};

    static bool presses(kit::Control& c) {
        return dynamic_cast<kit::Button*>(&c) || dynamic_cast<kit::CheckBox*>(&c) ||
               dynamic_cast<kit::RadioButton*>(&c);
    }

    // Every control of a container; then its buttons again, on the picks just
    // made; for a page or a window (a unit), each catalogue entry picked before
    // each button; then every field gets a hostile text and the buttons are
    // pressed again.
    void walk(kit::Window& win, QWidget* parent, bool unit = true) {
        const std::vector<QPointer<QWidget>> found = walk::controls_under(parent);
        const auto each = [&](const std::function<void(kit::Control&)>& f) {
            for (const QPointer<QWidget>& w : found)
                if (kit::Control* c = w ? kit::detail::control_of(w) : nullptr; c && walk::reachable(*c)) f(*c);
        };
        each([&](kit::Control& c) { walk_control(win, c); });
        each([&](kit::Control& c) {
            if (presses(c)) walk_control(win, c);
            // A list's first line picked again: the buttons after it act on a line.
            if (auto* list = dynamic_cast<kit::ListBox*>(&c); list && list->count() > 0)
                act(win, c.name + " line 0 again", [list] {
                    if (list->count() > 0) kit::user::pick(*list, 0);
                });
        });
        if (unit) entries_then_presses(win, parent);
        std::size_t k = 0;
        each([&](kit::Control& c) {
            auto* edit = dynamic_cast<kit::Edit*>(&c);
            if (!edit || !win.enabled()) return;
            const std::string text = hostile_texts[k++ % std::size(hostile_texts)];
            act(win, c.name + " typed '" + text + "'", [edit, text] { kit::user::type_text(*edit, text); });
        });
        if (k > 0)
            each([&](kit::Control& c) {
                if (dynamic_cast<kit::Button*>(&c)) walk_control(win, c);
            });
    }

    // Each of the first entries of every catalogue grid of a page or window
    // (on any of its pages) picked, then every button and picture that takes
    // a click pressed on it: what a designer does to put a pick somewhere.
    void entries_then_presses(kit::Window& win, QWidget* parent) {
        const std::vector<QPointer<QWidget>> all = walk::all_controls_under(parent);
        std::vector<kit::StringGrid*> grids;
        std::vector<kit::Control*> pressables;
        for (const QPointer<QWidget>& w : all) {
            kit::Control* c = kit::detail::control_of(w);
            auto* grid = dynamic_cast<kit::StringGrid*>(c);
            if (grid && grid->col_count() == 3 && grid->fixed_rows() == 0 && grid->on_select_cell && grid != hub_grid_)
                grids.push_back(grid);
            if (dynamic_cast<kit::Button*>(c) || (dynamic_cast<kit::Image*>(c) && (c->on_click || c->on_mouse_down)))
                pressables.push_back(c);
        }
        for (kit::StringGrid* grid : grids)
            for (int col = 0; col < 3; ++col)
                for (kit::Control* c : pressables) {
                    act(win, grid->name + " entry " + std::to_string(col), [grid, col] {
                        if (walk::reveal(*grid) && col < grid->col_count() && grid->cell_rect(col, 0).width > 0)
                            kit::user::press_cell(*grid, col, 0);
                    });
                    act(win, c->name + " after the entry", [c] {
                        if (walk::reveal(*c)) kit::user::click(*c);
                    });
                }
    }

    void walk_control(kit::Window& win, kit::Control& c) {
        // The map grid is the map hub's, which clicks it on every map and palette.
        if (!walk::reachable(c) || &c == hub_grid_) return;
        const std::string name = c.name.empty() ? std::string(c.widget()->metaObject()->className()) : c.name;
        if (auto* pages = dynamic_cast<kit::PageControl*>(&c)) {
            for (int p = 0; p < pages->page_count(); ++p) {
                if (!pages->page(p)->tab_visible()) continue;
                act(win, name + " tab " + std::to_string(p), [pages, p] { kit::user::pick_page(*pages, p); });
                walk(win, pages->page(p)->widget(), false);
            }
        } else if (dynamic_cast<kit::Button*>(&c) || dynamic_cast<kit::CheckBox*>(&c) ||
                   dynamic_cast<kit::RadioButton*>(&c)) {
            act(win, name, [&c] { kit::user::click(c); });
        } else if (auto* combo = dynamic_cast<kit::ComboBox*>(&c)) {
            for (int i = 0; i < std::min(combo->count(), 40); ++i)
                act(win, name + " item " + std::to_string(i), [combo, i] {
                    if (i < combo->count() && combo->widget()->isVisible()) kit::user::pick(*combo, i);
                });
        } else if (auto* list = dynamic_cast<kit::ListBox*>(&c)) {
            for (int i = 0; i < std::min(list->count(), 40); ++i)
                act(win, name + " line " + std::to_string(i), [list, i] {
                    if (i < list->count()) kit::user::pick(*list, i);
                });
            act(win, name + " below the lines", [list] { kit::user::press_at(*list, 4, list->height() - 4); });
        } else if (auto* grid = dynamic_cast<kit::StringGrid*>(&c)) {
            walk_grid(win, *grid);
        } else if (c.on_click || c.on_mouse_down || c.popup_menu()) {
            // Pictures and labels that take clicks: the slots of the dialogs.
            act(win, name + " left", [&c] { kit::user::click(c); });
            act(win, name + " right",
                [&c] { kit::user::press_at(c, c.width() / 2, c.height() / 2, kit::MouseButton::right); });
        }
    }

    // A press on a grid cell, when the cell is on screen.
    void press(kit::Window& win, kit::StringGrid& grid, int col, int row, kit::MouseButton button) {
        const bool left = button == kit::MouseButton::left;
        act(win, grid.name + (left ? " left " : " right ") + std::to_string(col) + "," + std::to_string(row),
            [&grid, col, row, button] {
                if (col < grid.col_count() && row < grid.row_count() && grid.cell_rect(col, row).width > 0)
                    kit::user::press_cell(grid, col, row, button);
            });
    }

    // Left and right presses on sample cells, the keys and the wheel; then
    // the right presses again, choosing the menus' deleting items, so that
    // every other item still finds the things they delete.
    void walk_grid(kit::Window& win, kit::StringGrid& grid) {
        act(win, grid.name + " paint", [&grid] { grid.refresh(); });
        // The first cells, the last visible ones and what lies between: cells past a list too.
        const auto picks = [](int first, int shown, int count) {
            std::vector<int> at{first, first + 1, first + 2, first + 3, first + std::max(shown, 1) - 1, count - 1};
            std::sort(at.begin(), at.end());
            at.erase(std::unique(at.begin(), at.end()), at.end());
            return at;
        };
        const std::vector<int> rows = picks(grid.top_row(), grid.visible_row_count(), grid.row_count());
        const std::vector<int> cols = picks(grid.left_col(), grid.visible_col_count(), grid.col_count());
        const int menus = menus_opened_;
        for (int row : rows)
            for (int col : cols)
                for (kit::MouseButton button : {kit::MouseButton::left, kit::MouseButton::right})
                    press(win, grid, col, row, button);
        // The keys: a keyboard move, and Delete where the grid takes keys.
        std::vector<int> keys{kit::keys::down};
        if (grid.on_key_down) keys.push_back(kit::keys::del);
        for (int key : keys)
            act(win, grid.name + " key " + std::to_string(key), [&grid, key] { kit::user::press_key(grid, key); });
        if (menus_opened_ == menus) return;
        const bool outer = deleting_;
        deleting_ = true;
        for (int row : rows)
            for (int col : cols) press(win, grid, col, row, kit::MouseButton::right);
        deleting_ = outer;
    }

    // Runs an action and checks what it leaves; a popup menu it opens has each
    // of its items chosen in turn, the action run again before each.
    void act(kit::Window& win, const std::string& what, const std::function<void()>& action) {
        if (!win.enabled() || !win.visible()) return;
        std::vector<QAction*> items;
        step(win, what, [&] {
            action();
            if (kit::PopupMenu* menu = kit::user::open_popup()) {
                ++menus_opened_;
                for (QAction* a : menu->menu()->actions())
                    if (!a->isSeparator()) items.push_back(a);
                menu->close_menu();
                // Items that delete are chosen in a pass of their own, after the others.
                std::erase_if(items, [this](QAction* a) { return a->text().startsWith("delete") != deleting_; });
            }
        });
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (!win.enabled() || !win.visible()) return;
            // The item before may have armed something the next click only
            // cancels (a move): then the click is made once more.
            kit::PopupMenu* menu = nullptr;
            for (int attempt = 0; attempt < 2 && !menu && win.enabled(); ++attempt)
                step(win, what, [&] {
                    action();
                    menu = kit::user::open_popup();
                });
            if (!menu) continue;
            // The action may open another menu now (its subject went away): that item is skipped.
            QPointer<QAction> item = menu->menu()->actions().contains(items[k]) ? items[k] : nullptr;
            step(win, what + " / " + (item ? item->text().toStdString() : "?"), [&] {
                menu->close_menu();
                if (item && item->isEnabled() && item->isVisible()) item->trigger();
                kit::user::process_events();
            });
        }
    }

    // One action: an error leaves the world unchanged and names no library
    // fault; a window it opens is walked (once for each opener) and closed,
    // and gives its opener back.
    void step(kit::Window& win, const std::string& what, const std::function<void()>& action) {
        std::vector<kit::Window*> open_before;
        for (kit::Window* d : walk::secondary_windows())
            if (d->visible()) open_before.push_back(d);
        const TWorld before = editor.world;
        const std::size_t errors = modal_.errors.size(), messages = modal_.messages.size();
        try {
            action();
        } catch (const std::logic_error&) {
            // The control was not there to be used (a line that went away): nothing happened.
        }
        for (std::size_t e = errors; e < modal_.errors.size(); ++e)
            EXPECT_FALSE(walk::library_error(modal_.errors[e])) << where(win, what) << ": " << modal_.errors[e];
        const bool changed = !(editor.world == before);
        if (modal_.errors.size() > errors) {
            EXPECT_FALSE(changed) << where(win, what) << ": refused with \"" << modal_.errors.back()
                                  << "\" but changed the world";
        }
        // Every message but the item editor's "Done" tells why nothing was done.
        for (std::size_t m = messages; m < modal_.messages.size(); ++m) {
            if (modal_.messages[m] == "Done") continue;
            EXPECT_FALSE(changed) << where(win, what) << ": refused with \"" << modal_.messages[m]
                                  << "\" but changed the world";
        }
        if (changed) {
            std::vector<std::string> added;
            const std::multiset<std::string> was = dangling_references(before), now = dangling_references(editor.world);
            std::set_difference(now.begin(), now.end(), was.begin(), was.end(), std::back_inserter(added));
            for (const std::string& a : added)
                ADD_FAILURE() << where(win, what) << ": stored a " << a << " that names nothing";
            // In a world whose links held, every action keeps them.
            if (links_held_) {
                const std::vector<std::string> broken = placed_link_problems(editor.world);
                for (const std::string& b : broken) ADD_FAILURE() << where(win, what) << ": broke a link: " << b;
                links_held_ = broken.empty();
            }
        }
        for (kit::Window* d : walk::secondary_windows()) {
            if (!d->visible() || std::find(open_before.begin(), open_before.end(), d) != open_before.end()) continue;
            std::set<std::string>& seen = walked_[{d, &win}];
            if (seen.size() < subjects_per_opener && seen.insert(subject(d)).second) walk(*d, d->widget());
            if (d->visible()) kit::user::close(*d);
            EXPECT_FALSE(d->visible()) << where(*d, "opened by " + what) << " did not close";
            EXPECT_TRUE(win.enabled()) << where(*d, "opened by " + what) << " left " << win.name << " without input";
        }
        if (TForm1* form = dynamic_cast<TForm1*>(editor.Form1); form && form->map->Timer3.enabled())
            kit::user::tick(form->map->Timer3);
    }
};

class Robustness : public EditorFixture {
protected:
    void open_world(const TWorld& w, const std::string& name) {
        const std::string path = dir_.file(name + ".wld");
        save_world(path, true, w);
        const std::size_t errors = modal_->errors.size();
        open(path);
        ASSERT_EQ(modal_->errors.size(), errors) << name << ": " << modal_->errors.back();
    }

    void sweep(const std::string& name) { Sweep(*modal_, name, dir_.file("walked.wld")).main_window(form()); }

    // The first (and richest) entry of every catalogue picked on its page, so
    // its buffers fill, and the placed things handed to the windows the last
    // of their lists: all of it stale once a smaller world is opened.
    void leave_stale() {
        const std::pair<int, kit::StringGrid*> firsts[] = {
            {page::terrain, &terrain().sg_terrains}, {page::objects, &objects().sg_objects},
            {page::items, &items().sg_pitems},       {page::resources, &resources().sg_presources},
            {page::fractions, &fractions().sg_frac}, {page::npc, &npc().sg_pnpc}};
        for (const auto& [p, grid] : firsts) {
            kit::user::pick_page(page_control(), p);
            kit::user::press_cell(*grid, 0, 0);
        }
        const TWorld& w = editor.world;
        editor.cur_placed_object = static_cast<int>(w.mapobjects.size()) - 1;
        editor.cur_placed_npc = static_cast<int>(w.npcs.size()) - 1;
        editor.cur_placed_item = static_cast<int>(w.items.size()) - 1;
        editor.cur_placed_res = static_cast<int>(w.resources.size()) - 1;
        editor.cell_x = editor.cell_y = 19;
    }

    // Every question of the boxes answered Cancel (the quantity box's Cancel gives 1).
    void answer_cancel() {
        modal_->delete_answers.assign(100000, false);
        modal_->ok_answers.assign(100000, false);
        modal_->sure_answers.assign(100000, false);
        modal_->quant_answers.assign(100000, 1);
    }
    // Every question answered OK, the quantity box with its largest number.
    void answer_ok() {
        modal_->delete_answers.clear();
        modal_->ok_answers.clear();
        modal_->sure_answers.clear();
        modal_->quant_answers.assign(100000, 100);
    }
};

struct HostileCase {
    const char* name;
    Bad how;
    bool cancel;
};

class HostileWorlds : public Robustness, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileWorlds, EveryWindowStaysUsable) {
    const HostileCase& c = GetParam();
    c.cancel ? answer_cancel() : answer_ok();
    open_world(hostile_world({c.how}, editor.tile_frames.size()), c.name);
    sweep(c.name);
}

INSTANTIATE_TEST_SUITE_P(Indexes, HostileWorlds,
                         ::testing::Values(HostileCase{"minus_one", Bad::minus_one, false},
                                           HostileCase{"lowest", Bad::lowest, true},
                                           HostileCase{"highest", Bad::highest, false},
                                           HostileCase{"past_end", Bad::past_end, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every selection and buffer made on a large world, then a small and an empty
// world opened over it: every window must treat what they name as stale.
TEST_F(Robustness, SmallWorldsOpenedOverALargeOne) {
    answer_ok();
    open_world(large_world(), "large");
    sweep("large");
    leave_stale();
    answer_cancel();
    open_world(small_sound_world(), "small");
    sweep("small over large");
    open_world(large_world(), "large again");
    answer_ok();
    leave_stale();
    TWorld empty;
    reset_world(empty);
    open_world(empty, "empty");
    sweep("empty over large");
}

}  // namespace
