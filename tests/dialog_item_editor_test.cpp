// The item editor driven as a designer drives it, opened by each window that
// opens it: the numbers and "Save", the clip and the ammunition with their
// menus, the accepted rows and loading, and what an eject does for each opener.
#include "dialogs/npc_inventory.h"
#include "tests/support/placed_things.h"

#include "platform/modal.h"

namespace {

using kit::user::choose;
using kit::user::click;
using kit::user::close;
using kit::user::open_popup;
using kit::user::press_at;
using kit::user::press_cell;
using kit::user::type_text;

class ItemEditor : public PlacedThingsFixture {
protected:
    // A placed item of the row in a chest, the item editor opened on it from
    // the object dialog.
    int32_t open_in_chest(int row, int32_t size = 32) {
        const int32_t o = place_chest(size);
        const int32_t i = create_item(row, -1, o, editor.world, chest_cell(), slot::inventory);
        open_object_dialog(o);
        open_item_editor(i, opener::object_dialog);
        return i;
    }
    Tpitem& item(int32_t i) { return editor.world.items[i]; }
    void clip_menu(kit::MenuItem& choice) {
        press_at(item_editor().i_i_clip, 5, 5, kit::MouseButton::right);
        ASSERT_EQ(open_popup(), &item_editor().clip_menu);
        choose(choice);
    }
    void ammo_menu(int entry, kit::MenuItem& choice) {
        press_cell(item_editor().sg_i_inv, entry % 3, entry / 3, kit::MouseButton::right);
        ASSERT_EQ(open_popup(), &item_editor().ammo_menu);
        choose(choice);
    }
    // Resources inside the item, as ammunition of a rifle.
    void put_inside(int32_t i, int row, int count) {
        for (int k = 0; k < count; ++k)
            create_resource(editor.world, {.row = row, .parent_item = i, .link = links::inside});
    }
};

TEST_F(ItemEditor, ActivationShowsTheItemAndTheTemplatesHp) {
    TWorld& w = editor.world;
    const int32_t i = open_in_chest(row::rifle);
    close(item_editor());
    item(i).hp = 30;
    item(i).weight = 4;
    item(i).penalty = -2;
    item(i).hands = 2;
    open_item_editor(i, opener::object_dialog);
    TForm3& d = item_editor();
    EXPECT_EQ(d.caption(), "Form3");
    EXPECT_EQ(d.e_item_name.text(), "rifle");
    EXPECT_EQ(d.Label1.caption(), "clipped");
    EXPECT_EQ(d.e_item_curhp.text(), "30");
    EXPECT_EQ(d.e_item_HP.text(), "50");
    EXPECT_EQ(d.e_item_weight.text(), "4");
    EXPECT_EQ(d.e_item_penalty.text(), "-2");
    EXPECT_EQ(d.e_item_hands.text(), "2");
    EXPECT_EQ(d.e_item_load.text(), "2");
    EXPECT_EQ(d.img.picture().pixel(5, 5), frame_color(item_picture(row::rifle)));
    EXPECT_EQ(d.i_i_clip.picture().pixel(5, 5), frame_color(one_picture(row::clip)));
    EXPECT_EQ(d.cbress.items(), (std::vector<std::string>{"bullet", "clip", "cell"}));
    EXPECT_EQ(d.cbress.item_index(), 0);
    EXPECT_EQ(d.cbchildren.items(), std::vector<std::string>{"clip"});

    // MAX HP is the template's and cannot be typed over: HP above it is refused.
    type_text(d.e_item_HP, "999");
    EXPECT_EQ(d.e_item_HP.text(), "50");
    type_text(d.e_item_curhp, "51");
    type_text(d.e_item_weight, "9");
    click(d.Button4);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"current HP can`t be more than MAX HP"});
    EXPECT_EQ(item(i).hp, 30);
    EXPECT_EQ(item(i).weight, 4);
    EXPECT_EQ(d.e_item_curhp.text(), "30");
    EXPECT_EQ(d.e_item_HP.text(), "50");
    type_text(d.e_item_curhp, "50");
    click(d.Button4);
    EXPECT_EQ(modal_->messages.back(), "Done");
    EXPECT_EQ(item(i).hp, 50);
    EXPECT_EQ(w.pitems[row::rifle].hp, 50);
}

// "Save" reads and checks every field first: a refusal writes nothing.
TEST_F(ItemEditor, SaveWritesEveryFieldOrNothing) {
    const int32_t i = open_in_chest(row::sword);
    put_inside(i, row::bullet, 4);
    item(i).load = 4;
    TForm3& d = item_editor();
    d.FormActivate();
    const struct {
        kit::Edit TForm3::*field;
        const char* text;
        const char* message;  // or the error shown
        const char* error;
    } refusals[] = {
        {&TForm3::e_item_load, "3", "load must be >= than ammo inside", ""},
        {&TForm3::e_item_hands, "65537", "", "'65537' is not within 0..65535."},
        {&TForm3::e_item_hands, "-1", "", "'-1' is not within 0..65535."},
        {&TForm3::e_item_skov, "x", "", "'x' is not a valid integer value."},
        {&TForm3::e_item_value, "", "", "'' is not a valid integer value."},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.text);
        d.FormActivate();
        const Tpitem before = item(i);
        type_text(d.e_item_name, "renamed");
        type_text(d.e_item_dem1, "7");
        type_text(d.*r.field, r.text);
        modal_->messages.clear();
        modal_->errors.clear();
        click(d.Button4);
        EXPECT_EQ(item(i), before);
        EXPECT_EQ(modal_->messages, *r.message ? std::vector<std::string>{r.message} : std::vector<std::string>{});
        EXPECT_EQ(modal_->errors, *r.error ? std::vector<std::string>{r.error} : std::vector<std::string>{});
    }
    EXPECT_EQ(d.e_item_load.text(), "4");  // the load refusal showed the stored load again

    // Every field goes to its own place.
    d.FormActivate();
    const std::pair<kit::Edit TForm3::*, int32_t Tpitem::*> fields[] = {
        {&TForm3::e_item_weight, &Tpitem::weight},   {&TForm3::e_item_volume, &Tpitem::volume},
        {&TForm3::e_item_dem1, &Tpitem::dem1},       {&TForm3::e_item_dem2, &Tpitem::dem2},
        {&TForm3::e_item_dem3, &Tpitem::dem3},       {&TForm3::e_item_arm1, &Tpitem::arm1},
        {&TForm3::e_item_arm2, &Tpitem::arm2},       {&TForm3::e_item_arm3, &Tpitem::arm3},
        {&TForm3::e_item_a, &Tpitem::a},             {&TForm3::e_item_b, &Tpitem::b},
        {&TForm3::e_item_c, &Tpitem::c},             {&TForm3::e_item_attak, &Tpitem::attack},
        {&TForm3::e_item_defence, &Tpitem::defence}, {&TForm3::e_item_block, &Tpitem::block},
        {&TForm3::e_item_load, &Tpitem::load},       {&TForm3::e_item_value, &Tpitem::value},
        {&TForm3::e_item_cover, &Tpitem::cover},     {&TForm3::e_item_skov, &Tpitem::skov},
        {&TForm3::e_item_penalty, &Tpitem::penalty}, {&TForm3::e_item_curhp, &Tpitem::hp},
    };
    for (std::size_t k = 0; k < std::size(fields); ++k) type_text(d.*fields[k].first, std::to_string(10 + k));
    type_text(d.e_item_hands, "65535");
    type_text(d.e_item_name, "blade");
    click(d.Button4);
    EXPECT_EQ(modal_->messages.back(), "Done");
    for (std::size_t k = 0; k < std::size(fields); ++k)
        EXPECT_EQ(item(i).*fields[k].second, static_cast<int32_t>(10 + k)) << (d.*fields[k].first).name;
    EXPECT_EQ(item(i).hands, 65535);
    EXPECT_EQ(item(i).name, "blade");
    close(d);
    EXPECT_TRUE(sec().enabled());
}

// A revolver has one contents entry per chamber: a higher load adds empty
// chambers, up to the chamber limit.
TEST_F(ItemEditor, ARevolversLoadAddsEmptyChambers) {
    const int32_t i = open_in_chest(row::revolver);
    ASSERT_EQ(item(i).contents.size(), 6u);
    TForm3& d = item_editor();
    type_text(d.e_item_load, "8");
    click(d.Button4);
    EXPECT_EQ(item(i).load, 8);
    ASSERT_EQ(item(i).contents.size(), 8u);
    EXPECT_EQ(item(i).contents[6], -1);
    EXPECT_EQ(item(i).contents[7], -1);
    EXPECT_TRUE(links_hold(editor.world));
    type_text(d.e_item_load, "7");
    click(d.Button4);
    EXPECT_EQ(modal_->messages.back(), "load must be >= than ammo inside");
    type_text(d.e_item_load, std::to_string(max_chambers + 1));
    click(d.Button4);
    EXPECT_EQ(modal_->errors.back(), "'65537' is not within 0..65536.");
    EXPECT_EQ(item(i).contents.size(), 8u);
    // Empty chambers show nothing and open no menu.
    d.FormActivate();
    EXPECT_EQ(d.sg_i_inv.row_count(), 3);
    press_cell(d.sg_i_inv, 1, 2, kit::MouseButton::right);
    EXPECT_EQ(open_popup(), nullptr);
}

// "eject" takes the clip, or an entry of the ammunition, to where the opener
// shows the item: the ground dialog onto the item's cell, the object dialog
// into the object, the NPC inventory into the NPC; the opener is refreshed.
TEST_F(ItemEditor, EjectGoesWhereTheOpenerShowsTheItem) {
    TWorld& w = editor.world;
    const Tplace cell = at(0, 1, 1);
    for (uint16_t code : {opener::ground_dialog, opener::object_dialog, opener::npc_inventory}) {
        SCOPED_TRACE(code);
        w = small_world();
        int32_t i = -1, object = -1, npc = -1;
        if (code == opener::ground_dialog) {
            i = create_item(row::rifle, -1, -1, w, cell, slot::cell);
        } else if (code == opener::object_dialog) {
            object = place_chest();
            i = create_item(row::rifle, -1, object, w, chest_cell(), slot::inventory);
            open_object_dialog(object);
            press_cell(sec().sg_o_items, 0, 0);
            ASSERT_EQ(sec().sel_entry, 0);
        } else {
            npc = place_npc(row::rat, cell, {}, w);
            i = create_item(row::rifle, npc, -1, w, no_place, slot::inventory);
        }
        ASSERT_GE(i, 0);
        put_inside(i, row::bullet, 2);
        const int32_t clip = item(i).clip;
        const int32_t bullet = item(i).contents[0];
        open_item_editor(i, code);
        clip_menu(item_editor().eject1);
        ammo_menu(0, item_editor().eject2);
        EXPECT_EQ(item(i).clip, -1);
        EXPECT_EQ(item(i).contents.size(), 1u);
        EXPECT_EQ(item_editor().i_i_clip.picture().pixel(5, 5), clWhite);
        for (int32_t r : {clip, bullet}) {
            const Tpres& res = w.resources[r];
            EXPECT_EQ(res.holder_item, -1);
            if (code == opener::ground_dialog) {
                EXPECT_EQ(res.link, links::cell);
                EXPECT_EQ(res.place, cell);
                Tinvitems ground;
                things_at(find_things::resources, cell, w, ground);
                EXPECT_EQ(std::count(ground.begin(), ground.end(), Tinvitem{thing::resource, r, 1}), 1);
            } else if (code == opener::object_dialog) {
                EXPECT_EQ(res.holder_object, object);
                const Tinvitems& c = w.mapobjects[object].contents;
                EXPECT_EQ(std::count(c.begin(), c.end(), Tinvitem{thing::resource, r, 1}), 1);
            } else {
                EXPECT_EQ(res.holder_npc, npc);
                const Tinvitems& c = w.npcs[npc].inventory;
                EXPECT_EQ(std::count(c.begin(), c.end(), Tinvitem{thing::resource, r, 1}), 1);
            }
        }
        if (code == opener::object_dialog) {
            EXPECT_EQ(sec().sel_entry, -1);  // the object dialog was loaded again
        }
        EXPECT_TRUE(links_hold(w));
        kit::Window& opener = *opener_window(code);
        close(item_editor());
        EXPECT_TRUE(opener.enabled());
        close(opener);
        EXPECT_TRUE(main_window().enabled());
    }
}

TEST_F(ItemEditor, ARevolverKeepsItsChambersWhenAmmunitionLeaves) {
    const int32_t i = open_in_chest(row::revolver);
    const int32_t o = item(i).holder_object;
    ammo_menu(2, item_editor().eject2);
    ASSERT_EQ(item(i).contents.size(), 6u);
    EXPECT_EQ(item(i).contents[2], -1);
    EXPECT_EQ(editor.world.mapobjects[o].contents.size(), 2u);
    ammo_menu(4, item_editor().delete2);
    EXPECT_EQ(item(i).contents.size(), 6u);
    EXPECT_EQ(std::count(item(i).contents.begin(), item(i).contents.end(), -1), 2);
    EXPECT_TRUE(links_hold(editor.world));
}

// The NPC inventory opens both editors through its own menus: the clip ejected
// in the item editor lands in the NPC's inventory, which shows it at once, and
// the resource editor's save repaints the inventory with the new amount.
TEST_F(ItemEditor, TheNpcInventoryOpensBothEditorsAndShowsWhatTheyChange) {
    TWorld& w = editor.world;
    const Tplace cell = at(0, 1, 1);
    const int32_t rat = place_npc(row::rat, cell, {}, w);
    const int32_t rifle = create_item(row::rifle, rat, -1, w, no_place, slot::left_hand);
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 1, .npc = rat, .link = links::inventory});
    const int32_t clip = item(rifle).clip;
    ASSERT_GE(clip, 0);
    TForm5& inv = dialog<TForm5>(editor.Form5);
    editor.cur_placed_npc = rat;
    main_window().set_enabled(false);
    inv.show();
    kit::user::pick_page(inv.PageControl1, 1);
    const auto shown = [&inv](int e) {  // what the inventory grid shows now, without a new paint
        const kit::Rect r = inv.sg_npc_inv.cell_rect(e % 3, e / 3);
        return inv.sg_npc_inv.canvas().pixel(r.left + 5, r.top + 5);
    };
    ASSERT_EQ(shown(0), frame_color(one_picture(row::gold)));

    press_at(inv.i_npc_lhand, 10, 10, kit::MouseButton::right);
    ASSERT_EQ(open_popup(), &inv.idollmenu);
    choose(inv.edit1);
    ASSERT_TRUE(item_editor().visible());
    EXPECT_EQ(editor.item_dlg_opener, opener::npc_inventory);
    EXPECT_EQ(item_editor().e_item_name.text(), "rifle");
    clip_menu(item_editor().eject1);
    EXPECT_EQ(item(rifle).clip, -1);
    ASSERT_EQ(w.npcs[rat].inventory.size(), 2u);
    EXPECT_EQ(w.npcs[rat].inventory[1], (Tinvitem{thing::resource, clip, 1}));
    EXPECT_EQ(shown(1), frame_color(one_picture(row::clip)));
    close(item_editor());
    EXPECT_TRUE(inv.enabled());

    press_cell(inv.sg_npc_inv, 0, 0, kit::MouseButton::right);
    ASSERT_EQ(open_popup(), &inv.rdollmenu);
    choose(inv.edit2);
    ASSERT_TRUE(res_editor().visible());
    EXPECT_EQ(editor.res_dlg_opener, opener::npc_inventory);
    type_text(res_editor().Edit1, "9");
    click(res_editor().Button2);
    EXPECT_EQ(w.resources[gold].amount, 9);
    EXPECT_EQ(w.npcs[rat].inventory[0].count, 9);
    EXPECT_EQ(shown(0), frame_color(many_picture(row::gold)));
    close(res_editor());
    EXPECT_TRUE(inv.enabled());
    close(inv);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(links_hold(w));
    EXPECT_TRUE(modal_->errors.empty());
}

// The accepted rows and loading, with their refusals.
TEST_F(ItemEditor, AcceptedRowsAndLoading) {
    TWorld& w = editor.world;
    const int32_t i = open_in_chest(row::sword);
    TForm3& d = item_editor();
    kit::user::pick(d.cbress, 1);  // clip
    click(d.Button1);
    EXPECT_EQ(item(i).children, tintarray{row::clip});
    EXPECT_EQ(d.cbchildren.items(), std::vector<std::string>{"clip"});
    kit::user::pick(d.cbress, 1);
    click(d.Button1);
    EXPECT_EQ(modal_->messages.back(), "already exists");
    EXPECT_EQ(item(i).children, tintarray{row::clip});

    click(d.Button2);  // load 0: no room
    EXPECT_EQ(modal_->messages.back(), "item is full");
    item(i).load = 1;
    click(d.Button2);
    const int32_t clip = item(i).clip;
    ASSERT_GE(clip, 0);
    EXPECT_EQ(w.resources[clip].row, row::clip);
    EXPECT_EQ(d.i_i_clip.picture().pixel(5, 5), frame_color(one_picture(row::clip)));
    // A loaded clip fills the item although the contents have room.
    modal_->messages.clear();
    item(i).load = 5;
    click(d.Button2);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"item is full"});
    EXPECT_EQ(item(i).clip, clip);
    EXPECT_EQ(w.resources.size(), 4u);  // the clip and its three bullets

    // A row may not be taken away while a resource of it is inside.
    kit::user::pick(d.cbress, 0);  // bullet
    click(d.Button1);
    put_inside(i, row::bullet, 1);
    d.FormActivate();
    kit::user::pick(d.cbchildren, 1);
    click(d.Button3);
    EXPECT_EQ(modal_->messages.back(), "cant delete child when is`s heir(s) is in item");
    EXPECT_EQ(item(i).children, (tintarray{row::clip, row::bullet}));
    kit::user::pick(d.cbchildren, 0);
    click(d.Button3);
    EXPECT_EQ(item(i).children, tintarray{row::bullet});
    EXPECT_EQ(d.cbchildren.items(), std::vector<std::string>{"bullet"});
    EXPECT_TRUE(links_hold(w));
}

// The clip menu's "edit" opens the resource editor with code 3, which gives
// the item editor its input back; "delete" deletes the clip and what it holds.
TEST_F(ItemEditor, TheClipMenuEditsAndDeletesTheClip) {
    TWorld& w = editor.world;
    const int32_t i = open_in_chest(row::rifle);
    const int32_t clip = item(i).clip;
    clip_menu(item_editor().edit1);
    EXPECT_TRUE(editor.Form9->visible());
    EXPECT_EQ(editor.cur_placed_res, clip);
    EXPECT_EQ(editor.res_dlg_opener, opener::item_editor);
    EXPECT_FALSE(item_editor().enabled());
    close(res_editor());
    EXPECT_TRUE(item_editor().enabled());
    EXPECT_TRUE(item_editor().active());
    EXPECT_FALSE(sec().enabled());

    const std::size_t before = w.resources.size();
    clip_menu(item_editor().delete1);
    EXPECT_EQ(item(i).clip, -1);
    EXPECT_EQ(w.resources.size(), before - 4);  // the clip and its three bullets
    EXPECT_EQ(item_editor().i_i_clip.picture().pixel(5, 5), clWhite);
    // Without a clip the right click opens no menu.
    press_at(item_editor().i_i_clip, 5, 5, kit::MouseButton::right);
    EXPECT_EQ(open_popup(), nullptr);
    EXPECT_TRUE(links_hold(w));
}

// Opened on a selection that names no placed item, the editor shows empty
// controls and no handler does anything; it still gives its opener back.
TEST_F(ItemEditor, ASelectionNamingNothingShowsEmptyControls) {
    const int32_t i = open_in_chest(row::rifle);
    close(item_editor());
    for (int32_t none : {-1, 1000}) {
        SCOPED_TRACE(none);
        const TWorld before = editor.world;
        open_item_editor(none, opener::object_dialog);
        TForm3& d = item_editor();
        EXPECT_EQ(d.e_item_name.text(), "");
        EXPECT_EQ(d.e_item_HP.text(), "");
        EXPECT_EQ(d.Label1.caption(), "");
        EXPECT_EQ(d.cbress.count(), 0);
        EXPECT_EQ(d.cbchildren.count(), 0);
        type_text(d.e_item_load, "1");
        click(d.Button4);
        click(d.Button1);
        click(d.Button2);
        click(d.Button3);
        editor.cur_placed_res = 0;
        for (kit::MenuItem* m : {&d.edit1, &d.eject1, &d.delete1, &d.edit2, &d.eject2, &d.delete2}) choose(*m);
        EXPECT_EQ(editor.world, before);
        EXPECT_FALSE(editor.Form9->visible());
        close(d);
        EXPECT_TRUE(sec().enabled());
    }
    // A template row that names nothing leaves MAX HP empty and HP unchecked.
    editor.world.items[i].row = 77;
    open_item_editor(i, opener::object_dialog);
    EXPECT_EQ(item_editor().e_item_HP.text(), "");
    type_text(item_editor().e_item_curhp, "500");
    click(item_editor().Button4);
    EXPECT_EQ(editor.world.items[i].hp, 500);
    EXPECT_TRUE(modal_->transcript.size() == 1 && modal_->messages.back() == "Done");
}

}  // namespace
