// The item template contents dialog: "<" adds the picked allowed ammunition up
// to the load typed on the items page, the clip slot takes a clip or a cell and
// is emptied by the right button after "delete?", and nothing but the buffers
// changes.
#include "dialogs/item_template_contents.h"
#include "mainwindow/page_items.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::MouseButton;
using kit::user::click;
using kit::user::press_at;
using kit::user::press_cell;
using kit::user::type_text;

class PitemInvEdit : public EditorFixture {
protected:
    TForm6& dialog() { return EditorFixture::dialog<TForm6>(editor.Form6); }
    // Opens the dialog from the items page with load typed in "load".
    void open_with_load(const std::string& load) {
        kit::user::pick_page(page_control(), page::items);
        type_text(items().e_pitem_load, load);
        click(items().Button24);
        ASSERT_TRUE(dialog().visible());
        ASSERT_FALSE(main_window().enabled());
    }
    TColor clip_colour() { return dialog().ipitem_clip.picture().pixel(5, 5); }
};

TEST_F(PitemInvEdit, ShapeAndClosingGivesTheMainWindowItsInputBack) {
    kit::Window& w = *editor.Form6;
    EXPECT_EQ(w.name, "Form6");
    EXPECT_EQ(w.caption(), "PITEM ITEMS");
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(overlaps(w), std::vector<std::string>{});
    EXPECT_EQ(dialog().ipitem_clip.width(), 33);
    open_with_load("0");
    kit::user::close(w);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(main_window().enabled());
}

TEST_F(PitemInvEdit, AddsAllowedAmmunitionUpToTheLoad) {
    put_resources({0, resource_kind::ammo, resource_kind::clip});
    editor.item_children = {1, 2};
    open_with_load("2");
    click(dialog().Button1);  // row 0, not allowed
    press_cell(dialog().sg_press, 1, 0);
    click(dialog().Button1);  // a clip
    press_cell(dialog().sg_press, 0, 0);
    for (int i = 0; i < 3; ++i) click(dialog().Button1);
    EXPECT_EQ(editor.item_contents, (tintarray{1, 1}));
    EXPECT_EQ(modal_->messages, (std::vector<std::string>{"not a child", "ammo only", "overload"}));
    EXPECT_EQ(dialog().sg_pitem_inv.row_count(), 1);
    kit::user::close(dialog());

    // An empty load fails with the conversion error, but only once the row has
    // passed the allowed test.
    editor.item_contents.clear();
    open_with_load("");
    click(dialog().Button1);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'' is not a valid integer value."});
    EXPECT_TRUE(editor.item_contents.empty());
}

TEST_F(PitemInvEdit, TheClipSlotTakesAClipOrACellAndEmptiesOnlyOnOk) {
    put_resources({resource_kind::ammo, resource_kind::clip, resource_kind::cell});
    editor.item_children = {0, 1, 2};
    open_with_load("5");
    EXPECT_EQ(clip_colour(), clWhite);
    press_cell(dialog().sg_press, 0, 0);
    click(dialog().Button2);  // ammunition is no clip
    EXPECT_EQ(editor.item_ammo, -1);
    press_cell(dialog().sg_press, 1, 0);
    click(dialog().Button2);
    EXPECT_EQ(editor.item_ammo, 1);
    EXPECT_EQ(clip_colour(), frame_color(11));
    press_cell(dialog().sg_press, 2, 0);
    click(dialog().ipitem_clip);  // a left click takes the pick, never empties
    EXPECT_EQ(editor.item_ammo, 2);
    EXPECT_EQ(clip_colour(), frame_color(12));

    modal_->delete_answers = {false, true};
    press_at(dialog().ipitem_clip, 5, 5, MouseButton::right);
    EXPECT_EQ(editor.item_ammo, 2);
    press_at(dialog().ipitem_clip, 5, 5, MouseButton::right);
    EXPECT_EQ(editor.item_ammo, -1);
    EXPECT_EQ(clip_colour(), clWhite);

    // A picked row the items page has since disallowed: no contents, still a clip.
    editor.item_children = {0};
    click(dialog().Button1);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"not a child"});
    click(dialog().Button2);
    EXPECT_EQ(editor.item_ammo, 2);
    // No record changed.
    EXPECT_TRUE(editor.world.pitems.empty());
}

TEST_F(PitemInvEdit, TheRightButtonAsksAndRemovesTheEntryClicked) {
    put_resources({resource_kind::ammo});
    editor.item_contents = {0, 0, 0};
    open_with_load("9");
    modal_->delete_answers = {false, true, true};
    press_cell(dialog().sg_pitem_inv, 2, 0, MouseButton::right);
    EXPECT_EQ(editor.item_contents.size(), 3u);
    press_cell(dialog().sg_pitem_inv, 2, 0, MouseButton::right);
    EXPECT_EQ(editor.item_contents.size(), 2u);
    press_cell(dialog().sg_pitem_inv, 2, 0, MouseButton::right);  // now empty
    EXPECT_EQ(editor.item_contents.size(), 2u);
    EXPECT_EQ(modal_->transcript.size(), 3u);
}

// The allowed grid has rows for its list, not for the catalogue: rows kept
// from a larger world before an Open do not push a real entry out of reach.
TEST_F(PitemInvEdit, EveryAllowedEntryCanBePickedPastRowsANewWorldLacks) {
    put_resources({resource_kind::ammo, resource_kind::clip});
    editor.item_children = {4, 5, 6, 1};
    open_with_load("5");
    EXPECT_EQ(dialog().sg_press.row_count(), 2);
    press_cell(dialog().sg_press, 0, 1);
    click(dialog().Button2);
    EXPECT_EQ(editor.item_ammo, 1);
}

// The allowed grid has a row of cells per three catalogue entries, and more
// only where its list needs them, so every allowed entry stays reachable.
TEST_F(PitemInvEdit, TheAllowedGridHasRowsForTheCatalogueOrItsLongerList) {
    struct Case {
        int catalogue, allowed, rows;
    };
    const Case cases[] = {{0, 0, 1}, {7, 2, 3}, {6, 0, 3}, {2, 4, 2}, {3, 7, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.catalogue) + " templates, " + std::to_string(c.allowed) + " allowed");
        editor.world.presources.clear();
        for (int k = 0; k < c.catalogue; ++k) put_resources({resource_kind::ammo});
        editor.item_children.assign(static_cast<std::size_t>(c.allowed), 0);
        open_with_load("5");
        EXPECT_EQ(dialog().sg_press.row_count(), c.rows);
        kit::user::close(dialog());
    }
}

// With no resource template at all nothing is read past the catalogue.
TEST_F(PitemInvEdit, AnEmptyCatalogueTakesNothing) {
    editor.item_ammo = 4;  // kept from a world opened before
    open_with_load("5");
    EXPECT_EQ(clip_colour(), clWhite);
    press_cell(dialog().sg_press, 0, 0);
    click(dialog().Button1);
    click(dialog().Button2);
    click(dialog().ipitem_clip);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"not a child"});
    EXPECT_TRUE(editor.item_contents.empty());
    EXPECT_EQ(editor.item_ammo, 4);
}

}  // namespace
