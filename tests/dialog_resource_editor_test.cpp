// The resource editor driven as a designer drives it, opened by each window
// that opens it: a stack's amount, a clip's children and a vial's filling.
#include "tests/support/placed_things.h"

#include "platform/modal.h"

#include <QLabel>

namespace {

using kit::user::click;
using kit::user::close;
using kit::user::press_cell;
using kit::user::type_text;

class ResourceEditor : public PlacedThingsFixture {
protected:
    Tpres& res(int32_t r) { return editor.world.resources[r]; }
    // A clip of power 3 loose on a cell, holding its three bullets.
    int32_t loose_clip() { return create_resource(editor.world, {.row = row::clip, .place = at(0, 1, 1)}); }
};

// "save" writes a stack's amount through the model, so the entry of its holder
// (an object's contents, an NPC's inventory or hand) keeps the same count,
// and refreshes the opener.
TEST_F(ResourceEditor, SaveKeepsTheHoldersCountInStep) {
    TWorld& w = editor.world;
    const struct {
        const char* where;
        uint16_t code;
        int32_t link;
    } cases[] = {
        {"in a chest", opener::object_dialog, links::inventory},
        {"on a cell", opener::ground_dialog, links::cell},
        {"in an inventory", opener::npc_inventory, links::inventory},
        {"in a hand", opener::npc_inventory, links::right_hand},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        w = small_world();
        NewResource gold{.row = row::gold, .amount = 4, .place = at(0, 1, 1), .link = c.link};
        if (c.code == opener::object_dialog) gold.object = place_chest();
        if (c.code == opener::npc_inventory) gold.npc = place_npc(row::rat, at(0, 3, 3), {}, w);
        const int32_t r = create_resource(w, gold);
        ASSERT_GE(r, 0);
        if (c.code == opener::object_dialog) {
            open_object_dialog(gold.object);
            kit::user::pick_page(sec().mo, 1);
            press_cell(sec().sg_o_items, 0, 0);
        }
        open_resource_editor(r, c.code);
        EXPECT_EQ(res_editor().Edit1.text(), "4");
        EXPECT_TRUE(res_editor().Button2.enabled());
        for (const auto& [typed, amount] : {std::pair{"9", 9}, {"0", 1}, {"-3", 1}, {"250", 250}}) {
            type_text(res_editor().Edit1, typed);
            click(res_editor().Button2);
            EXPECT_EQ(res(r).amount, amount) << typed;
            EXPECT_TRUE(links_hold(w));  // every entry count equals its stack's amount
        }
        if (c.code == opener::object_dialog) {
            EXPECT_EQ(w.mapobjects[gold.object].contents[0].count, 250);
            EXPECT_EQ(sec().sel_entry, -1);  // the object dialog was loaded again
        }
        // A text that is no number writes nothing.
        type_text(res_editor().Edit1, "many");
        modal_->errors.clear();
        click(res_editor().Button2);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{"'many' is not a valid integer value."});
        EXPECT_EQ(res(r).amount, 250);
        kit::Window& opener = *opener_window(c.code);
        close(res_editor());
        EXPECT_TRUE(opener.enabled());
        close(opener);
        EXPECT_TRUE(main_window().enabled());
    }
}

// Only a stack that lies loose or with an NPC or object has an amount to save.
TEST_F(ResourceEditor, WhatSaveMayChangeByKindAndHolder) {
    TWorld& w = editor.world;
    const int32_t o = place_chest();
    const int32_t rifle = create_item(row::rifle, -1, o, w, chest_cell(), slot::inventory);
    const int32_t clip = w.items[rifle].clip;
    const int32_t in_clip = res(clip).contents[0];
    const int32_t cell = create_resource(w, {.row = row::cell, .object = o});
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 2, .object = o});
    const struct {
        int32_t r;
        bool save;
        bool clip_controls;
        const char* kind;
    } cases[] = {
        {clip, false, true, "clip"},      // a clip, inside an item
        {in_clip, true, false, "ammo"},   // a bullet inside a clip: save writes no amount
        {cell, false, false, "cell"},
        {gold, true, false, "money"},
    };
    open_object_dialog(o);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        open_resource_editor(c.r, opener::object_dialog);
        TForm9& d = res_editor();
        EXPECT_EQ(d.caption(), "re");
        EXPECT_EQ(d.Button2.enabled(), c.save);
        EXPECT_EQ(d.sg_res_items.visible(), c.clip_controls);
        EXPECT_EQ(d.cbexpress2.visible(), c.clip_controls);
        EXPECT_EQ(d.Button1.visible(), c.clip_controls);
        EXPECT_FALSE(d.cbexpress4.visible());
        const Tpres& p = res(c.r);
        EXPECT_EQ(d.Label1.caption(), "id: \t" + std::to_string(c.r) + "\rname:\t" + p.name + "\rtype:\t" + c.kind +
                                          "\rvalue:\t0\rweight:\t0\rpower:\t" + std::to_string(p.power) + "\r");
        EXPECT_EQ(d.Label2.caption(), "title:\t");
        type_text(d.Edit1, "7");
        click(d.Button2);
        EXPECT_EQ(res(c.r).amount, c.r == gold ? 7 : 1);
        close(d);
    }
    EXPECT_TRUE(links_hold(w));
}

// A long name and title stay readable beside the clip's controls: no text runs
// under another control, and each wraps inside its own box.
TEST_F(ResourceEditor, ALongNameAndTitleAreNeitherCoveredNorCut) {
    const int32_t clip = loose_clip();
    res(clip).name = "a rather long clip name for the old rifle";
    res(clip).title = "A clip of the old kind, found in the ruins of the northern fort after the second winter";
    open_resource_editor(clip, opener::ground_dialog);
    TForm9& d = res_editor();
    EXPECT_EQ(overlaps(d), std::vector<std::string>{});
    for (kit::Label* l : {&d.Label1, &d.Label2}) {
        const auto* q = static_cast<const QLabel*>(l->widget());
        EXPECT_LE(q->heightForWidth(q->width()), q->height()) << l->name;
    }
}

// "V" adds a child after "add res?" while the clip has room; selecting a
// child asks "delete?" and deletes it on OK.
TEST_F(ResourceEditor, AClipsChildrenAreAddedAndDeleted) {
    const int32_t clip = loose_clip();
    open_resource_editor(clip, opener::ground_dialog);
    TForm9& d = res_editor();
    EXPECT_EQ(d.cbexpress2.items(), std::vector<std::string>{"bullet"});
    EXPECT_EQ(d.sg_res_items.row_count(), 2);
    click(d.Button1);  // full: three children for power 3
    EXPECT_TRUE(modal_->transcript.empty());
    EXPECT_EQ(res(clip).contents.size(), 3u);

    modal_->delete_answers = {false, true};
    press_cell(d.sg_res_items, 1, 0);  // Cancel
    EXPECT_EQ(res(clip).contents.size(), 3u);
    press_cell(d.sg_res_items, 1, 0);  // OK
    EXPECT_EQ(res(clip).contents.size(), 2u);
    EXPECT_EQ(editor.world.resources.size(), 3u);
    EXPECT_EQ(d.sg_res_items.row_count(), 1);
    EXPECT_LT(d.sg_res_items.row(), 1);  // the current cell stays inside the grid
    press_cell(d.sg_res_items, 2, 0);  // a cell without a child asks nothing
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_delete -> 0", "ask_delete -> 1"}));

    modal_->ok_answers = {false, true};
    click(d.Button1);  // Cancel
    EXPECT_EQ(res(clip).contents.size(), 2u);
    click(d.Button1);  // OK
    ASSERT_EQ(res(clip).contents.size(), 3u);
    EXPECT_EQ(modal_->transcript.back(), "ask_ok(add res?) -> 1");
    const int32_t added = res(clip).contents.back();
    EXPECT_EQ(res(added).row, row::bullet);
    EXPECT_EQ(res(added).holder_resource, clip);
    EXPECT_EQ(d.sg_res_items.row_count(), 2);
    d.sg_res_items.refresh();
    const kit::Rect cell = d.sg_res_items.cell_rect(2, 0);
    EXPECT_EQ(d.sg_res_items.canvas().pixel(cell.left + 4, cell.top + 4), frame_color(one_picture(row::bullet)));
    EXPECT_TRUE(links_hold(editor.world));

    // An entry that names no resource shows nothing and is taken out alone.
    res(clip).contents.push_back(99);
    d.FormActivate();
    d.sg_res_items.refresh();
    const kit::Rect stale = d.sg_res_items.cell_rect(0, 1);
    EXPECT_EQ(d.sg_res_items.canvas().pixel(stale.left + 4, stale.top + 4), clWhite);
    press_cell(d.sg_res_items, 0, 1);
    EXPECT_EQ(res(clip).contents.size(), 3u);
    EXPECT_EQ(editor.world.resources.size(), 4u);
}

// Deleting a child that comes before the clip in the world's list moves the
// clip down: the editor follows it and goes on editing the same clip.
TEST_F(ResourceEditor, TheEditedResourceIsFollowedWhenAChildBeforeItGoes) {
    TWorld& w = editor.world;
    const int32_t bullet = create_resource(w, {.row = row::bullet, .place = at(0, 1, 1)});
    const int32_t clip = loose_clip();
    // The loose bullet becomes the clip's fourth child.
    res(bullet).link = links::inside;
    res(bullet).place = no_place;
    res(bullet).holder_resource = clip;
    res(clip).contents.push_back(bullet);
    ASSERT_TRUE(links_hold(w));
    open_resource_editor(clip, opener::ground_dialog);
    press_cell(res_editor().sg_res_items, 0, 1);
    EXPECT_EQ(editor.cur_placed_res, clip - 1);
    EXPECT_EQ(res(clip - 1).row, row::clip);
    EXPECT_EQ(res(clip - 1).contents.size(), 3u);
    EXPECT_EQ(res_editor().Label1.caption().substr(0, 7), "id: \t0\r");
    press_cell(res_editor().sg_res_items, 0, 0);
    EXPECT_EQ(res(editor.cur_placed_res).contents.size(), 2u);
    EXPECT_TRUE(links_hold(w));
}

// A vial offers "empty" and every liquid and mixture; saving fills it to its
// power or empties it, and what it held goes with it.
TEST_F(ResourceEditor, AVialIsFilledToItsPowerOrEmptied) {
    TWorld& w = editor.world;
    w.presources[row::vial].power = 3;
    Tpres tonic = w.presources[row::water_res];
    tonic.name = "tonic";
    tonic.kind = resource_kind::mixture;
    w.presources.push_back(tonic);
    const int32_t tonic_row = static_cast<int32_t>(w.presources.size()) - 1;
    const int32_t o = place_chest();
    const int32_t vial = create_resource(w, {.row = row::vial, .object = o});
    // Two things inside the vial, listed by it, as a world file may hold.
    for (int k = 0; k < 2; ++k) create_resource(w, {.row = row::wood, .parent_resource = vial, .link = links::inside});
    ASSERT_EQ(res(vial).contents.size(), 2u);
    open_object_dialog(o);
    open_resource_editor(vial, opener::object_dialog);
    TForm9& d = res_editor();
    EXPECT_TRUE(d.cbexpress4.visible());
    EXPECT_FALSE(d.sg_res_items.visible());
    EXPECT_EQ(d.cbexpress4.items(), (std::vector<std::string>{"empty", "water", "tonic"}));
    EXPECT_EQ(d.cbexpress4.item_index(), 0);

    kit::user::pick(d.cbexpress4, 2);
    click(d.Button2);
    EXPECT_EQ(res(vial).filling, (Tinvitem{thing::resource, tonic_row, 3}));
    EXPECT_TRUE(res(vial).contents.empty());
    EXPECT_EQ(w.resources.size(), 1u);  // what it held is deleted, not left unlisted
    EXPECT_TRUE(links_hold(w));

    res(vial).filling.count = 1;
    d.FormActivate();
    EXPECT_EQ(d.cbexpress4.item_index(), 2);
    EXPECT_EQ(d.Edit2.text(), "1");
    kit::user::pick(d.cbexpress4, 1);
    click(d.Button2);
    EXPECT_EQ(res(vial).filling, (Tinvitem{thing::resource, row::water_res, 3}));  // always the power
    kit::user::pick(d.cbexpress4, 0);
    click(d.Button2);
    EXPECT_EQ(res(vial).filling.index, -1);
    d.FormActivate();
    EXPECT_EQ(d.cbexpress4.item_index(), 0);

    // A stack opened after the vial hides the filling list again.
    const int32_t gold = create_resource(w, {.row = row::gold, .amount = 2, .object = o});
    close(d);
    open_resource_editor(gold, opener::object_dialog);
    EXPECT_FALSE(d.cbexpress4.visible());
}

// Opened on a selection that names no placed resource, the editor shows empty
// controls and no handler does anything; it still gives its opener back.
TEST_F(ResourceEditor, ASelectionNamingNothingShowsEmptyControls) {
    loose_clip();
    for (int32_t none : {-1, 4, 1000}) {
        SCOPED_TRACE(none);
        const TWorld before = editor.world;
        open_resource_editor(none, opener::ground_dialog);
        TForm9& d = res_editor();
        EXPECT_EQ(d.Label1.caption(), "");
        EXPECT_EQ(d.Label2.caption(), "");
        EXPECT_EQ(d.Edit1.text(), "");
        EXPECT_FALSE(d.Button2.enabled());
        EXPECT_FALSE(d.sg_res_items.visible());
        EXPECT_FALSE(d.cbexpress4.visible());
        d.Button1Click();
        d.Button2Click();
        d.sg_res_itemsSelectCell(0, 0);
        EXPECT_EQ(editor.world, before);
        close(d);
        EXPECT_TRUE(editor.Form8->enabled());
    }
    EXPECT_TRUE(modal_->transcript.empty());
}

}  // namespace
