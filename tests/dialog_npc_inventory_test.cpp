// The NPC inventory dialog driven as the map's NPC menu opens it: equipping
// head, body and hands, filling the inventory and the parts from the
// catalogues, the counts drawn, the item and resource editors opened on what
// the NPC carries, deleting, a selection that names nothing, and a rat placed
// on the map, equipped, renamed, saved and opened again.
#include "dialogs/item_editor.h"
#include "dialogs/npc_settings.h"
#include "dialogs/npc_inventory.h"
#include "dialogs/resource_editor.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/model_fixture.h"

namespace {

using kit::MouseButton;
using kit::user::choose;
using kit::user::close;
using kit::user::open_popup;
using kit::user::pick_page;
using kit::user::press_at;
using kit::user::press_cell;

class NpcInventory : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        editor.world = small_world();
        // Pictures of known colours: item row r shows frame 1 + r, resource
        // row r frame 10 + r for one piece and 20 + r for many.
        TWorld& w = editor.world;
        for (std::size_t r = 0; r < w.pitems.size(); ++r) w.pitems[r].image = static_cast<int32_t>(1 + r);
        for (std::size_t r = 0; r < w.presources.size(); ++r) {
            w.presources[r].image_one = static_cast<int32_t>(10 + r);
            w.presources[r].image_many = static_cast<int32_t>(20 + r);
        }
        rat = place_npc(row::rat, at(0, 1, 1), {}, w);
        ASSERT_EQ(rat, 0);
    }
    TForm5& inv() { return dialog<TForm5>(editor.Form5); }
    // As the map's NPC menu opens it.
    void open_inventory(int npc) {
        editor.cur_placed_npc = npc;
        main_window().set_enabled(false);
        editor.Form5->show();
    }
    Tchar& npc_rec() { return editor.world.npcs[static_cast<std::size_t>(rat)]; }
    void pick_item(int r) {
        pick_page(inv().PageControl2, 0);
        press_cell(inv().sg_npc_items, r % 3, r / 3);
    }
    void pick_resource(int r) {
        pick_page(inv().PageControl2, 1);
        press_cell(inv().sg_npc_ress, r % 3, r / 3);
    }
    // The pixel (x, y) of a grid cell.
    static TColor cell_pixel(kit::StringGrid& g, int col, int row, int x, int y) {
        const kit::Rect r = g.cell_rect(col, row);
        return g.canvas().pixel(r.left + x, r.top + y);
    }
    // Whether something is written over the lower right quarter of a 32-pixel
    // picture of colour c, where a count stands.
    template <typename Pixel>
    static bool count_written(Pixel pixel, TColor c) {
        for (int y = 20; y < 32; ++y)
            for (int x = 20; x < 32; ++x)
                if (pixel(x, y) != c) return true;
        return false;
    }
    static TColor image_pixel(kit::Image& image, int x, int y) { return image.picture().pixel(x, y); }

    int rat = -1;
};

TEST_F(NpcInventory, OpensOnTheNpcAndGivesTheMainWindowBack) {
    TForm5& d = inv();
    EXPECT_EQ(d.name, "Form5");
    EXPECT_EQ(d.caption(), "Form5");
    EXPECT_FALSE(d.visible());
    place_npc(row::guard, at(0, 3, 3), {}, editor.world);
    open_inventory(1);
    EXPECT_EQ(d.caption(), "NPC #1 guard");
    // The inventory beside the resources; a grid one row longer than its entries.
    EXPECT_EQ(d.PageControl1.active_page_index(), 1);
    EXPECT_EQ(d.PageControl2.active_page_index(), 1);
    EXPECT_EQ(d.sg_npc_inv.row_count(), 2);    // sword, gold, wood
    EXPECT_EQ(d.sg_npc_parts.row_count(), 1);  // one part
    EXPECT_EQ(d.sg_npc_items.row_count(), 3);  // six items
    EXPECT_EQ(d.sg_npc_ress.row_count(), 3);   // seven resources
    // The guard wears a helm (row 1) and a plate (row 2) and holds a sword.
    EXPECT_EQ(image_pixel(d.i_npc_head, 5, 5), frame_color(2));
    EXPECT_EQ(image_pixel(d.i_npc_body, 5, 5), frame_color(3));
    EXPECT_EQ(image_pixel(d.i_npc_lhand, 5, 5), frame_color(1));
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 1, 0, 5, 5), frame_color(20));  // 5 gold: many pieces
    pick_page(d.PageControl1, 2);
    EXPECT_EQ(cell_pixel(d.sg_npc_parts, 0, 0, 2, 2), frame_color(16));  // wood

    // The pages chosen stay, also for another NPC.
    pick_page(d.PageControl1, 0);
    pick_page(d.PageControl2, 0);
    close(d);
    EXPECT_TRUE(main_window().enabled());
    open_inventory(rat);
    EXPECT_EQ(d.caption(), "NPC #0 rat");
    EXPECT_EQ(d.PageControl1.active_page_index(), 0);
    EXPECT_EQ(d.PageControl2.active_page_index(), 0);
    EXPECT_EQ(image_pixel(d.i_npc_head, 5, 5), clWhite);
    close(d);
    EXPECT_TRUE(modal_->transcript.empty());
}

// What the head and the body take, and what a left click on them puts in.
TEST_F(NpcInventory, HeadAndBodyTakeOnlyTheirClasses) {
    struct Case {
        int item_row;
        bool head;
        bool taken;
    };
    const Case cases[] = {
        {row::helm, true, true},    {row::hat, true, true},     {row::plate, true, false},
        {row::sword, true, false},  {row::plate, false, true},  {row::hat, false, false},
        {row::helm, false, false},  {row::rifle, false, false},
    };
    open_inventory(rat);
    for (const Case& c : cases) {
        SCOPED_TRACE(editor.world.pitems[static_cast<std::size_t>(c.item_row)].name + (c.head ? " on head" : " on body"));
        pick_item(c.item_row);
        kit::Image& slot = c.head ? inv().i_npc_head : inv().i_npc_body;
        int32_t& field = c.head ? npc_rec().head : npc_rec().body;
        press_at(slot, 10, 10);
        if (c.taken) {
            ASSERT_GE(field, 0);
            EXPECT_EQ(editor.world.items[static_cast<std::size_t>(field)].row, c.item_row);
            EXPECT_EQ(image_pixel(slot, 5, 5), frame_color(1 + c.item_row));
            // A full slot takes nothing more.
            const std::size_t items = editor.world.items.size();
            press_at(slot, 10, 10);
            EXPECT_EQ(editor.world.items.size(), items);
            delete_thing(thing::item, field, editor.world);
            inv().reset_doll();
        } else {
            EXPECT_EQ(field, -1);
            EXPECT_TRUE(editor.world.items.empty());
            EXPECT_EQ(image_pixel(slot, 5, 5), clWhite);
        }
        EXPECT_TRUE(links_hold(editor.world));
    }
    // With the resources showing, head and body take nothing, whatever item was picked.
    pick_item(row::helm);
    pick_resource(row::gold);
    press_at(inv().i_npc_head, 10, 10);
    press_at(inv().i_npc_body, 10, 10);
    EXPECT_EQ(npc_rec().head, -1);
    EXPECT_EQ(npc_rec().body, -1);
    EXPECT_TRUE(modal_->transcript.empty());  // no message, no amount asked
}

TEST_F(NpcInventory, HandsTakeItemsAndStacksOnlyWhenEmpty) {
    open_inventory(rat);
    pick_item(row::sword);
    press_at(inv().i_npc_lhand, 10, 10);
    ASSERT_EQ(npc_rec().left_hand.kind, thing::item);
    EXPECT_EQ(editor.world.items.at(static_cast<std::size_t>(npc_rec().left_hand.index)).row, row::sword);
    EXPECT_EQ(image_pixel(inv().i_npc_lhand, 5, 5), frame_color(1 + row::sword));

    // Resources: the amount is asked; an occupied hand asks nothing and keeps what it holds.
    pick_resource(row::wood);
    modal_->quant_answers = {7};
    press_at(inv().i_npc_rhand, 10, 10);
    ASSERT_EQ(npc_rec().right_hand.kind, thing::resource);
    const Tpres& wood = editor.world.resources.at(static_cast<std::size_t>(npc_rec().right_hand.index));
    EXPECT_EQ(wood.amount, 7);
    EXPECT_EQ(npc_rec().right_hand.count, 7);
    EXPECT_EQ(image_pixel(inv().i_npc_rhand, 5, 5), frame_color(20 + row::wood));
    press_at(inv().i_npc_lhand, 10, 10);
    press_at(inv().i_npc_rhand, 10, 10);
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"ask_quant -> 7"});
    EXPECT_EQ(editor.world.resources.size(), 1u);
    EXPECT_EQ(editor.world.items.size(), 1u);
    EXPECT_TRUE(links_hold(editor.world));
}

TEST_F(NpcInventory, LeftClicksOnTheInventoryAppend) {
    open_inventory(rat);
    // Before any pick: the resources page and resource row 0, the amount asked (Cancel gives 1).
    press_cell(inv().sg_npc_inv, 0, 0);
    ASSERT_EQ(npc_rec().inventory.size(), 1u);
    EXPECT_EQ(editor.world.resources.at(0).row, row::gold);
    EXPECT_EQ(editor.world.resources.at(0).amount, 1);
    pick_item(row::revolver);
    press_cell(inv().sg_npc_inv, 0, 0);  // an occupied cell appends too
    press_cell(inv().sg_npc_inv, 2, 0);
    pick_resource(row::gold);
    modal_->quant_answers = {5};
    press_cell(inv().sg_npc_inv, 1, 0);
    const Tinvitems& list = npc_rec().inventory;
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].kind, thing::item);
    EXPECT_EQ(list[2].kind, thing::item);
    EXPECT_EQ(list[3], (Tinvitem{thing::resource, list[3].index, 5}));
    EXPECT_EQ(inv().sg_npc_inv.row_count(), 2);
    // The revolvers came loaded with their six bullets each.
    EXPECT_EQ(editor.world.resources.size(), 2u + 12u);
    EXPECT_TRUE(links_hold(editor.world));

    // A liquid never exists alone; a picked row that no longer exists (the
    // catalogue shrank, as after an Open) asks nothing and puts nothing in.
    pick_resource(row::water_res);
    press_cell(inv().sg_npc_inv, 0, 0);
    EXPECT_EQ(list.size(), 4u);
    modal_->transcript.clear();
    editor.world.presources.resize(2);
    editor.world.pitems.resize(2);
    inv().sel_res_row = 4;
    press_cell(inv().sg_npc_inv, 0, 0);
    press_at(inv().i_npc_lhand, 10, 10);
    inv().sel_item_row = 3;
    pick_page(inv().PageControl2, 0);
    press_cell(inv().sg_npc_inv, 0, 0);
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(npc_rec().left_hand.index, -1);
    EXPECT_TRUE(modal_->transcript.empty());
}

// A count is written only where it tells something: a stack of one in a hand
// shows none, in the inventory it shows "1"; a clip shows none in either.
TEST_F(NpcInventory, CountsDrawn) {
    TWorld& w = editor.world;
    create_resource(w, {.row = row::gold, .amount = 1, .npc = rat, .link = links::left_hand});
    create_resource(w, {.row = row::clip, .amount = 1, .npc = rat, .link = links::right_hand});
    create_resource(w, {.row = row::gold, .amount = 1, .npc = rat, .link = links::inventory});
    create_resource(w, {.row = row::clip, .amount = 1, .npc = rat, .link = links::inventory});
    create_resource(w, {.row = row::gold, .amount = 4, .npc = rat, .link = links::right_hand});
    open_inventory(rat);
    TForm5& d = inv();
    const TColor gold = frame_color(10 + row::gold), clip = frame_color(10 + row::clip);
    EXPECT_FALSE(count_written([&](int x, int y) { return image_pixel(d.i_npc_lhand, x, y); }, gold));
    EXPECT_FALSE(count_written([&](int x, int y) { return image_pixel(d.i_npc_rhand, x, y); }, clip));
    EXPECT_TRUE(count_written([&](int x, int y) { return cell_pixel(d.sg_npc_inv, 0, 0, x, y); }, gold));
    EXPECT_FALSE(count_written([&](int x, int y) { return cell_pixel(d.sg_npc_inv, 1, 0, x, y); }, clip));
    // Above one the hand shows the count on the many-pieces picture.
    delete_thing(thing::resource, w.npcs[0].left_hand.index, w);
    create_resource(w, {.row = row::gold, .amount = 4, .npc = rat, .link = links::left_hand});
    d.reset_doll();
    EXPECT_TRUE(count_written([&](int x, int y) { return image_pixel(d.i_npc_lhand, x, y); },
                              frame_color(20 + row::gold)));
}

// A thing that draws nothing (no picture, a vial whose filling is negative)
// leaves its cell and its hand empty instead of showing what was drawn before.
TEST_F(NpcInventory, AThingWithoutPictureLeavesItsCellEmpty) {
    TWorld& w = editor.world;
    w.pitems[row::hat].image = -1;
    create_item(row::sword, rat, -1, w, no_place, slot::inventory);
    create_item(row::hat, rat, -1, w, no_place, slot::inventory);
    const int32_t vial = create_resource(w, {.row = row::vial, .npc = rat, .link = links::inventory});
    w.resources[static_cast<std::size_t>(vial)].filling = {thing::resource, row::water_res, -2};
    create_item(row::sword, rat, -1, w, no_place, slot::left_hand);
    create_item(row::hat, rat, -1, w, no_place, slot::right_hand);
    open_inventory(rat);
    TForm5& d = inv();
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 0, 0, 5, 5), frame_color(1 + row::sword));
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 1, 0, 5, 5), clWhite);
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 2, 0, 5, 5), clWhite);
    EXPECT_EQ(image_pixel(d.i_npc_lhand, 5, 5), frame_color(1 + row::sword));
    EXPECT_EQ(image_pixel(d.i_npc_rhand, 5, 5), clWhite);
    // The map view's buffer is not the dialog's scratch.
    EXPECT_TRUE(editor.map_buffer.empty());
}

// The real editors opened from a slot and from the inventory: an eject in the
// item editor puts the clip into the inventory, a save in the resource editor
// repaints it, and closing either gives the dialog back.
TEST_F(NpcInventory, EditOpensTheEditorsWhichGiveTheDialogBack) {
    TWorld& w = editor.world;
    const int32_t rifle = create_item(row::rifle, rat, -1, w, no_place, slot::left_hand);
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 1, .npc = rat, .link = links::inventory});
    create_item(row::sword, rat, -1, w, no_place, slot::inventory);
    create_item(row::hat, rat, -1, w, no_place, slot::inventory);
    const int32_t clip = w.items.at(static_cast<std::size_t>(rifle)).clip;
    ASSERT_GE(clip, 0);
    open_inventory(rat);
    TForm5& d = inv();
    TForm3& items = dialog<TForm3>(editor.Form3);
    TForm9& resources = dialog<TForm9>(editor.Form9);

    press_at(d.i_npc_lhand, 10, 10, MouseButton::right);
    EXPECT_EQ(open_popup(), &d.idollmenu);
    EXPECT_EQ(editor.cur_placed_item, rifle);
    choose(d.edit1);
    ASSERT_TRUE(items.visible());
    EXPECT_EQ(items.e_item_name.text(), "rifle");
    EXPECT_FALSE(d.enabled());
    EXPECT_EQ(editor.item_dlg_opener, opener::npc_inventory);
    // The clip's "eject": it joins the inventory, which grows a row and shows it.
    press_at(items.i_i_clip, 10, 10, MouseButton::right);
    ASSERT_EQ(open_popup(), &items.clip_menu);
    choose(items.eject1);
    EXPECT_EQ(w.items.at(static_cast<std::size_t>(rifle)).clip, -1);
    EXPECT_EQ(npc_rec().inventory.back(), (Tinvitem{thing::resource, clip, 1}));
    EXPECT_EQ(d.sg_npc_inv.row_count(), 2);
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 0, 1, 5, 5), frame_color(10 + row::clip));
    EXPECT_TRUE(links_hold(w));
    close(items);
    EXPECT_TRUE(d.enabled());
    EXPECT_FALSE(main_window().enabled());

    pick_page(d.PageControl1, 1);
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 0, 0, 5, 5), frame_color(10 + row::gold));
    press_cell(d.sg_npc_inv, 0, 0, MouseButton::right);
    EXPECT_EQ(open_popup(), &d.rdollmenu);
    EXPECT_EQ(editor.cur_placed_res, gold);
    choose(d.edit2);
    ASSERT_TRUE(resources.visible());
    EXPECT_EQ(resources.Edit1.text(), "1");
    EXPECT_FALSE(d.enabled());
    EXPECT_EQ(editor.res_dlg_opener, opener::npc_inventory);
    // Its "save": the stack of four shows its many-pieces picture at once.
    kit::user::type_text(resources.Edit1, "4");
    kit::user::click(resources.Button2);
    EXPECT_EQ(w.resources.at(static_cast<std::size_t>(gold)).amount, 4);
    EXPECT_EQ(npc_rec().inventory[0].count, 4);
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 0, 0, 5, 5), frame_color(20 + row::gold));
    close(resources);
    EXPECT_TRUE(d.enabled());
    EXPECT_FALSE(main_window().enabled());
    EXPECT_TRUE(modal_->errors.empty());

    // Empty slots and cells, and slots naming no placed thing, open no menu.
    editor.cur_placed_item = editor.cur_placed_res = 99;
    npc_rec().body = 7;  // no such placed item
    npc_rec().right_hand = {thing::resource, 5, 1};
    for (kit::Image* slot : {&d.i_npc_head, &d.i_npc_body, &d.i_npc_rhand}) {
        press_at(*slot, 10, 10, MouseButton::right);
        EXPECT_EQ(open_popup(), nullptr) << slot->name;
    }
    press_cell(d.sg_npc_inv, 1, 1, MouseButton::right);
    EXPECT_EQ(open_popup(), nullptr);
    // So does an inventory entry naming no placed thing, which draws nothing.
    npc_rec().inventory[1] = {thing::item, 42, 1};
    d.sg_npc_inv.refresh();
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 1, 0, 5, 5), clWhite);
    press_cell(d.sg_npc_inv, 1, 0, MouseButton::right);
    EXPECT_EQ(open_popup(), nullptr);
    EXPECT_EQ(editor.cur_placed_item, 99);
    EXPECT_EQ(editor.cur_placed_res, 99);
}

// Deleting asks nothing; a rifle takes its loaded clip along, and every link stays true.
TEST_F(NpcInventory, DeleteEmptiesTheSlotAtOnce) {
    TWorld& w = editor.world;
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 2, .npc = rat, .link = links::inventory});
    const int32_t rifle = create_item(row::rifle, rat, -1, w, no_place, slot::right_hand);
    create_item(row::sword, rat, -1, w, no_place, slot::inventory);
    ASSERT_GE(w.items.at(static_cast<std::size_t>(rifle)).clip, 0);
    ASSERT_EQ(w.resources.size(), 1u + 4u);  // the gold, the clip and its three bullets
    open_inventory(rat);
    TForm5& d = inv();

    press_at(d.i_npc_rhand, 10, 10, MouseButton::right);
    choose(d.delete1);
    EXPECT_EQ(npc_rec().right_hand.index, -1);
    EXPECT_EQ(image_pixel(d.i_npc_rhand, 5, 5), clWhite);
    EXPECT_EQ(w.items.size(), 1u);
    EXPECT_EQ(w.resources.size(), 1u);
    EXPECT_TRUE(links_hold(w));

    press_cell(d.sg_npc_inv, 0, 0, MouseButton::right);
    EXPECT_EQ(editor.cur_placed_res, gold);
    choose(d.delete2);
    ASSERT_EQ(npc_rec().inventory.size(), 1u);
    EXPECT_EQ(npc_rec().inventory[0].kind, thing::item);
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 0, 0, 5, 5), frame_color(1 + row::sword));
    EXPECT_EQ(cell_pixel(d.sg_npc_inv, 1, 0, 5, 5), clWhite);
    EXPECT_TRUE(w.resources.empty());
    EXPECT_TRUE(links_hold(w));
    EXPECT_TRUE(modal_->transcript.empty());
}

TEST_F(NpcInventory, PartsTakeResourceRowsWithAmounts) {
    open_inventory(rat);
    TForm5& d = inv();
    pick_page(d.PageControl1, 2);
    pick_resource(row::wood);
    modal_->quant_answers = {3, 4, 2};
    press_cell(d.sg_npc_parts, 0, 0);
    press_cell(d.sg_npc_parts, 2, 0);  // anywhere: the same row adds up
    pick_resource(row::gold);
    press_cell(d.sg_npc_parts, 0, 0);
    EXPECT_EQ(npc_rec().parts, (Tinvitems{{thing::resource, row::wood, 7}, {thing::resource, row::gold, 2}}));
    EXPECT_EQ(cell_pixel(d.sg_npc_parts, 1, 0, 2, 2), frame_color(10 + row::gold));
    EXPECT_TRUE(count_written([&](int x, int y) { return cell_pixel(d.sg_npc_parts, 0, 0, x - 10, y - 10); },
                              frame_color(10 + row::wood)));
    // The items page puts no part in, and asks nothing.
    pick_item(row::sword);
    press_cell(d.sg_npc_parts, 0, 0);
    EXPECT_EQ(npc_rec().parts.size(), 2u);

    // A right click takes a part out after "delete?"; on an empty cell it asks nothing.
    modal_->transcript.clear();
    modal_->delete_answers = {false, true};
    press_cell(d.sg_npc_parts, 0, 0, MouseButton::right);
    EXPECT_EQ(npc_rec().parts.size(), 2u);
    press_cell(d.sg_npc_parts, 0, 0, MouseButton::right);
    press_cell(d.sg_npc_parts, 2, 0, MouseButton::right);
    EXPECT_EQ(npc_rec().parts, (Tinvitems{{thing::resource, row::gold, 2}}));
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_delete -> 0", "ask_delete -> 1"}));
    EXPECT_EQ(cell_pixel(d.sg_npc_parts, 1, 0, 2, 2), clWhite);
}

// After an Open the selection may name no NPC: the dialog shows nothing and does nothing.
TEST_F(NpcInventory, ANpcThatDoesNotExistShowsNothingAndTakesNothing) {
    create_item(row::helm, rat, -1, editor.world, no_place, slot::head);
    open_inventory(rat);
    close(inv());
    const TWorld before = editor.world;
    for (int stale : {1, -1}) {
        SCOPED_TRACE(stale);
        open_inventory(stale);
        TForm5& d = inv();
        EXPECT_EQ(d.caption(), "NPC #" + std::to_string(stale) + " ");
        EXPECT_EQ(image_pixel(d.i_npc_head, 5, 5), clWhite);
        EXPECT_EQ(d.sg_npc_inv.row_count(), 1);
        for (kit::Image* slot : {&d.i_npc_head, &d.i_npc_body, &d.i_npc_lhand, &d.i_npc_rhand})
            for (MouseButton b : {MouseButton::left, MouseButton::right}) press_at(*slot, 10, 10, b);
        pick_page(d.PageControl1, 1);
        press_cell(d.sg_npc_inv, 0, 0);
        pick_page(d.PageControl1, 2);
        press_cell(d.sg_npc_parts, 0, 0);
        EXPECT_EQ(open_popup(), nullptr);
        EXPECT_EQ(editor.world, before);
        EXPECT_TRUE(modal_->transcript.empty());
        close(d);
        EXPECT_TRUE(main_window().enabled());
    }
}

// The designer's way from the map: place a rat, equip it and fill its
// inventory from the NPC menu's "inv of ...", change the amount in the
// resource editor, rename it in "settings", save and open.
TEST_F(NpcInventory, EquipRenameSaveAndReload) {
    // The designer's world, opened; the map page on its first map.
    save_as(dir_.file("start.wld"));
    open(dir_.file("start.wld"));
    pick_page(page_control(), page::map);
    kit::user::pick(map().cb_maps, 0);
    ASSERT_EQ(map().cb_maps.text(), "field");
    // A second rat from the NPC palette onto cell (3, 3).
    pick_page(map().PC2, palette::npcs);
    press_cell(map().sg_pnpc2, row::rat % 3, row::rat / 3);
    press_cell(map().sg_map, 4, 4);
    ASSERT_EQ(editor.world.npcs.size(), 2u);
    const int32_t placed = 1;
    EXPECT_EQ(editor.world.npcs[placed].place, at(0, 3, 3));
    const auto npc_menu = [this] {
        press_cell(map().sg_map, 4, 4, MouseButton::right);
        EXPECT_EQ(open_popup(), &map().map_char_menu);
    };

    npc_menu();
    EXPECT_EQ(map().inv.caption(), "inv of 1 rat");
    choose(map().inv);
    TForm5& d = inv();
    ASSERT_TRUE(d.visible());
    EXPECT_EQ(d.caption(), "NPC #1 rat");
    EXPECT_FALSE(main_window().enabled());
    pick_item(row::hat);
    press_at(d.i_npc_head, 10, 10);
    pick_item(row::sword);
    press_at(d.i_npc_rhand, 10, 10);
    pick_page(d.PageControl1, 1);
    pick_resource(row::gold);
    modal_->quant_answers = {5};
    press_cell(d.sg_npc_inv, 0, 0);
    press_cell(d.sg_npc_inv, 0, 0, MouseButton::right);
    choose(d.edit2);
    TForm9& resources = dialog<TForm9>(editor.Form9);
    ASSERT_TRUE(resources.visible());
    EXPECT_EQ(resources.Edit1.text(), "5");
    kit::user::type_text(resources.Edit1, "3");
    kit::user::click(resources.Button2);
    close(resources);
    EXPECT_TRUE(d.enabled());
    close(d);
    EXPECT_TRUE(main_window().enabled());

    npc_menu();
    choose(map().settings1);
    TForm10& s = dialog<TForm10>(editor.Form10);
    ASSERT_TRUE(s.visible());
    EXPECT_EQ(s.caption(), "NPC #1 rat");
    kit::user::type_text(s.ename, "Bob");
    kit::user::type_text(s.estr, "12");
    kit::user::click(s.Button1);
    close(s);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(modal_->errors.empty());
    npc_menu();
    EXPECT_EQ(map().inv.caption(), "inv of 1 Bob");
    map().map_char_menu.close_menu();  // Escape

    const Tchar& n = editor.world.npcs[placed];
    EXPECT_EQ(n.name, "Bob");
    EXPECT_EQ(n.STR, 12);
    EXPECT_EQ(editor.world.items.at(static_cast<std::size_t>(n.head)).row, row::hat);
    EXPECT_EQ(editor.world.items.at(static_cast<std::size_t>(n.right_hand.index)).row, row::sword);
    ASSERT_EQ(n.inventory.size(), 1u);
    EXPECT_EQ(n.inventory[0].count, 3);
    EXPECT_EQ(editor.world.resources.at(static_cast<std::size_t>(n.inventory[0].index)).amount, 3);
    EXPECT_TRUE(links_hold(editor.world));

    const TWorld saved = editor.world;
    save_as(dir_.file("rat.wld"));
    editor.world = small_world();
    open(dir_.file("rat.wld"));
    EXPECT_TRUE(modal_->errors.empty());
    EXPECT_EQ(editor.world.npcs, saved.npcs);
    EXPECT_EQ(editor.world.items, saved.items);
    EXPECT_EQ(editor.world.resources, saved.resources);
}

}  // namespace
