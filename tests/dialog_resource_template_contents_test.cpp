// The resource template contents dialog: "<" adds the picked allowed row up
// to the capacity typed on the resources page, the right button removes an
// entry after "delete?", and nothing but the buffer changes.
#include "dialogs/resource_template_contents.h"
#include "mainwindow/page_resources.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::click;
using kit::user::press_cell;
using kit::user::type_text;

class PresInvEdit : public EditorFixture {
protected:
    TForm7& dialog() { return EditorFixture::dialog<TForm7>(editor.Form7); }
    // Opens the dialog from the resources page with power typed in "power/volume".
    void open_with_power(const std::string& power) {
        kit::user::pick_page(page_control(), page::resources);
        type_text(resources().eprespower, power);
        click(resources().Button25);
        ASSERT_TRUE(dialog().visible());
        ASSERT_FALSE(main_window().enabled());
    }
};

TEST_F(PresInvEdit, ShapeAndClosingGivesTheMainWindowItsInputBack) {
    kit::Window& w = *editor.Form7;
    EXPECT_EQ(w.name, "Form7");
    EXPECT_EQ(w.caption(), "PRES ITEMS");
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(overlaps(w), std::vector<std::string>{});
    open_with_power("0");
    kit::user::close(w);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(main_window().enabled());
}

TEST_F(PresInvEdit, AddsThePickedAllowedRowUpToThePower) {
    put_resources({resource_kind::ammo, resource_kind::liquid, 0});
    editor.res_children = {2, 1};
    // Before any pick row 0 is tested: not allowed.
    open_with_power("3");
    click(dialog().Button1);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"not a child"});
    // Any kind, also more than once, up to three.
    press_cell(dialog().sg_press, 1, 0);
    EXPECT_EQ(dialog().sel_res_row, 1);
    click(dialog().Button1);
    press_cell(dialog().sg_press, 0, 0);
    click(dialog().Button1);
    click(dialog().Button1);
    click(dialog().Button1);
    EXPECT_EQ(editor.res_contents, (tintarray{1, 2, 2}));
    EXPECT_EQ(modal_->messages, (std::vector<std::string>{"not a child", "overload"}));
    EXPECT_EQ(dialog().sg_pres_inv.row_count(), 2);
    EXPECT_EQ(cell_colour(dialog().sg_pres_inv, 0), frame_color(11));
    EXPECT_EQ(cell_colour(dialog().sg_pres_inv, 2), frame_color(12));
    EXPECT_EQ(cell_colour(dialog().sg_press, 1), frame_color(11));
    kit::user::close(dialog());

    // The pick is kept for the run; power 0 takes nothing, a power that is no
    // number fails with the conversion error.
    editor.res_contents.clear();
    open_with_power("0");
    EXPECT_EQ(dialog().sel_res_row, 2);
    click(dialog().Button1);
    kit::user::close(dialog());
    open_with_power("three");
    click(dialog().Button1);
    EXPECT_EQ(modal_->messages.back(), "overload");
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'three' is not a valid integer value."});
    EXPECT_TRUE(editor.res_contents.empty());
    // No record changed.
    for (const Tpres& r : editor.world.presources) EXPECT_TRUE(r.contents.empty());
}

TEST_F(PresInvEdit, TheRightButtonAsksAndRemovesTheEntryClicked) {
    put_resources({resource_kind::ammo, resource_kind::ammo});
    editor.res_contents = {0, 1, 0, 1};
    open_with_power("9");
    using kit::MouseButton;
    modal_->delete_answers = {false, true, true};
    press_cell(dialog().sg_pres_inv, 1, 0, MouseButton::right);  // Cancel
    EXPECT_EQ(editor.res_contents, (tintarray{0, 1, 0, 1}));
    press_cell(dialog().sg_pres_inv, 1, 0, MouseButton::right);  // OK
    EXPECT_EQ(editor.res_contents, (tintarray{0, 0, 1}));
    EXPECT_EQ(dialog().sg_pres_inv.row_count(), 2);
    press_cell(dialog().sg_pres_inv, 2, 1, MouseButton::right);  // OK on an empty cell
    EXPECT_EQ(editor.res_contents, (tintarray{0, 0, 1}));
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_delete -> 0", "ask_delete -> 1", "ask_delete -> 1"}));
    // The left button removes nothing.
    press_cell(dialog().sg_pres_inv, 0, 0);
    EXPECT_EQ(editor.res_contents.size(), 3u);
}

// The allowed grid has rows for its list, not for the catalogue: rows kept
// from a larger world before an Open do not push a real entry out of reach.
TEST_F(PresInvEdit, EveryAllowedEntryCanBePickedPastRowsANewWorldLacks) {
    put_resources({resource_kind::ammo, resource_kind::ammo});
    editor.res_children = {4, 5, 6, 1};
    open_with_power("5");
    EXPECT_EQ(dialog().sg_press.row_count(), 2);
    press_cell(dialog().sg_press, 0, 1);
    EXPECT_EQ(dialog().sel_res_row, 1);
    click(dialog().Button1);
    EXPECT_EQ(editor.res_contents, tintarray{1});
}

// The allowed grid has a row of cells per three catalogue entries, and more
// only where its list needs them, so every allowed entry stays reachable.
TEST_F(PresInvEdit, TheAllowedGridHasRowsForTheCatalogueOrItsLongerList) {
    struct Case {
        int catalogue, allowed, rows;
    };
    const Case cases[] = {{0, 0, 1}, {7, 2, 3}, {6, 0, 3}, {2, 4, 2}, {3, 7, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.catalogue) + " templates, " + std::to_string(c.allowed) + " allowed");
        editor.world.presources.clear();
        for (int k = 0; k < c.catalogue; ++k) put_resources({resource_kind::ammo});
        editor.res_children.assign(static_cast<std::size_t>(c.allowed), 0);
        open_with_power("5");
        EXPECT_EQ(dialog().sg_press.row_count(), c.rows);
        kit::user::close(dialog());
    }
}

// With no resource template at all nothing is read past the catalogue.
TEST_F(PresInvEdit, AnEmptyCatalogueTakesNothing) {
    open_with_power("5");
    press_cell(dialog().sg_press, 0, 0);
    click(dialog().Button1);
    press_cell(dialog().sg_pres_inv, 0, 0, kit::MouseButton::right);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{"not a child"});
    EXPECT_TRUE(editor.res_contents.empty());
    EXPECT_EQ(dialog().sel_res_row, 0);
}

}  // namespace
