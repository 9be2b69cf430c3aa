// Which events the standard controls fire for user input and for code.
#include "platform/errors.h"
#include "platform/kit/kit.h"
#include "platform/kit/layout.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {
using namespace kit;

struct ControlsFixture : ::testing::Test {
    Window w{"controls"};
    int events = 0;
    ControlsFixture() { w.set_client_size(500, 400); }
    void shown() {
        w.show();
        user::process_events();
    }
    std::function<void()> count() {
        return [this] { ++events; };
    }
};

TEST_F(ControlsFixture, CodeFiresNothingUserInputFires) {
    ComboBox combo(w);
    combo.set_bounds(0, 0, 120, 24);
    ListBox list(w);
    list.set_bounds(0, 40, 120, 100);
    Edit edit(w);
    edit.set_bounds(0, 150, 120, 24);
    CheckBox check(w, "check");
    check.set_bounds(0, 180, 120, 20);
    PageControl pages(w);
    pages.set_bounds(200, 0, 250, 200);
    TabSheet p0(pages, "a"), p1(pages, "b");
    Memo memo(w);
    memo.set_bounds(200, 220, 200, 80);
    combo.on_change = list.on_click = edit.on_change = check.on_click = pages.on_change = memo.on_change =
        count();
    shown();

    for (const char* s : {"zero", "one", "two"}) {
        combo.add(s);
        list.add(s);
    }
    combo.set_item_index(1);
    list.set_item_index(2);
    edit.set_text("text");
    check.set_checked(true);
    pages.set_active_page_index(1);
    memo.set_text("a\r\nb");
    EXPECT_EQ(events, 0);

    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"pick a combo item", [&] { user::pick(combo, 2); }},
        {"pick the selected combo item again", [&] { user::pick(combo, 2); }},
        {"pick a list line", [&] { user::pick(list, 0); }},
        {"pick the selected list line again", [&] { user::pick(list, 0); }},
        {"type into an edit", [&] { user::type_text(edit, "x"); }},
        {"click a check box", [&] { user::click(check); }},
        {"open a page by its tab", [&] { user::pick_page(pages, 0); }},
    };
    for (const auto& c : cases) {
        events = 0;
        c.act();
        EXPECT_EQ(events, 1) << c.what;
    }
    EXPECT_EQ(combo.item_index(), 2);
    EXPECT_EQ(list.item_index(), 0);
    EXPECT_EQ(edit.text(), "x");
    EXPECT_FALSE(check.checked());
    EXPECT_EQ(pages.active_page_index(), 0);
}

TEST_F(ControlsFixture, ComboIndexesAndItems) {
    ComboBox combo(w);
    EXPECT_EQ(combo.item_index(), -1);
    combo.add("round");
    combo.add("square");
    EXPECT_EQ(combo.item_index(), -1);  // adding selects nothing
    combo.set_item_index(5);
    EXPECT_EQ(combo.item_index(), -1);
    combo.set_item_index(1);
    EXPECT_EQ(combo.text(), "square");
    combo.set_item_index(-3);
    EXPECT_EQ(combo.item_index(), -1);
    EXPECT_EQ(combo.item(7), "");
    combo.clear();
    EXPECT_EQ(combo.count(), 0);

    // Pictures and an integer per item.
    ImageList images(32, 32);
    Bitmap red(40, 40);
    red.canvas().brush_color = make_color(255, 0, 0);
    red.canvas().fill_rect(0, 0, 40, 40);
    EXPECT_EQ(images.add(red), 0);
    EXPECT_EQ(images.get(0)->width(), 32);
    EXPECT_EQ(images.get(1), nullptr);
    combo.add_item("ammo", 0, 7);
    combo.add_item("clip", 5, 9);  // no such picture: shown without one
    combo.set_images(&images);
    EXPECT_EQ(combo.item_data(1), 9);
    EXPECT_EQ(combo.item_data(2), -1);
    EXPECT_EQ(combo.item_index(), -1);
}

// One item inserted, replaced or removed: the others keep their texts and
// integers, the selected item stays selected (none when it was removed), and
// an index out of range changes nothing.
TEST_F(ControlsFixture, ComboItemsInsertedReplacedAndRemoved) {
    ComboBox combo(w);
    ImageList images(32, 32);
    images.add(Bitmap(32, 32));
    combo.set_images(&images);
    combo.add_item("a", 0, 10);
    combo.add_item("c", 0, 30);
    combo.set_item_index(1);
    combo.insert_item(1, "b", 0, 20);
    combo.insert_item(3, "d", 0, 40);
    combo.insert_item(9, "x", 0, 99);
    combo.insert_item(-1, "x", 0, 99);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(combo.item_data(1), 20);
    EXPECT_EQ(combo.item_index(), 2);
    combo.set_item(2, "C", 5);
    combo.set_item(4, "x", 0);
    EXPECT_EQ(combo.text(), "C");
    EXPECT_EQ(combo.item_data(2), 30);
    combo.remove_item(0);
    combo.remove_item(7);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"b", "C", "d"}));
    EXPECT_EQ(combo.item_index(), 1);
    combo.remove_item(1);
    EXPECT_EQ(combo.item_index(), -1);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"b", "d"}));
}

// A pick clicks its item in the drop-down list as a user would, whatever the
// box's width, style and pictures, also when the list has to scroll to it.
TEST_F(ControlsFixture, PickFindsTheItemInAnyDropDownList) {
    ImageList images(32, 32);
    images.add(Bitmap(32, 32));
    struct Case {
        const char* what;
        ComboStyle style;
        int width;
        bool pictures;
        int lines;
    };
    const std::vector<Case> cases = {
        {"narrow pick-only", ComboStyle::drop_down_list, 60, false, 16},
        {"narrow pick-only with pictures", ComboStyle::drop_down_list, 60, true, 16},
        {"narrow editable", ComboStyle::drop_down, 60, false, 16},
        {"narrow editable with pictures", ComboStyle::drop_down, 60, true, 16},
        {"pick-only showing four lines", ComboStyle::drop_down_list, 145, false, 4},
        {"narrow editable showing four lines", ComboStyle::drop_down, 60, false, 4},
    };
    for (const auto& c : cases) {
        ComboBox combo(w, c.style);
        combo.set_bounds(60, 218, c.width, 22);
        for (int i = 0; i <= 10; ++i) combo.add_item(std::to_string(i), c.pictures ? 0 : -1);
        if (c.pictures) combo.set_images(&images);
        combo.set_drop_down_count(c.lines);
        combo.set_item_index(0);
        combo.on_change = count();
        shown();
        for (int index : {10, 3}) {
            events = 0;
            user::pick(combo, index);
            EXPECT_EQ(combo.item_index(), index) << c.what;
            EXPECT_EQ(events, 1) << c.what;
        }
    }
}

TEST_F(ControlsFixture, EditableComboFollowsItsText) {
    ComboBox combo(w, ComboStyle::drop_down);
    combo.set_bounds(0, 0, 120, 24);
    combo.on_change = count();
    combo.set_text("no maps");
    combo.add("first");
    combo.add("second");
    EXPECT_EQ(combo.text(), "no maps");
    EXPECT_EQ(combo.item_index(), -1);
    shown();
    user::type_text(combo, "second");
    EXPECT_EQ(combo.item_index(), 1);
    EXPECT_GT(events, 0);
    user::type_text(combo, "third");
    EXPECT_EQ(combo.item_index(), -1);
    // Windows-1251 text passes through both ways.
    combo.set_text("\xCA\xE0\xF0\xF2\xE0");
    EXPECT_EQ(combo.text(), "\xCA\xE0\xF0\xF2\xE0");
}

TEST_F(ControlsFixture, ListBoxLines) {
    ListBox list(w);
    EXPECT_EQ(list.item_index(), -1);
    list.add("a");
    list.add("b");
    EXPECT_EQ(list.item_index(), -1);
    list.set_item_index(9);
    EXPECT_EQ(list.item_index(), -1);
    list.set_item_index(1);
    list.remove(7);
    list.remove(0);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"b"}));
    EXPECT_EQ(list.item(3), "");
    // All lines at once: the old ones go, none is selected, and no handler runs.
    int clicks = 0;
    list.on_click = [&] { ++clicks; };
    list.set_item_index(0);
    list.set_lines({"x", "\xCA\xE0", "z"});
    EXPECT_EQ(list.items(), (std::vector<std::string>{"x", "\xCA\xE0", "z"}));
    EXPECT_EQ(list.item_index(), -1);
    list.set_lines({});
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(clicks, 0);
}

// The line clicked is selected before the click handler runs, so the handler
// reads it; a click below the last line leaves no line selected, and the
// handler reads that. Each step starts where the one before ended.
TEST_F(ControlsFixture, ListBoxClickHandlerReadsTheLineClicked) {
    ListBox list(w);
    list.set_bounds(0, 0, 120, 200);  // room below the lines
    for (const char* s : {"a", "b", "c", "d"}) list.add(s);
    list.set_item_index(0);
    std::vector<int> read;
    list.on_click = [&] { read.push_back(list.item_index()); };
    shown();
    struct Case {
        const char* what;
        std::function<void()> act;
        int index;
    };
    const std::vector<Case> cases = {
        {"click line 2 with line 0 selected", [&] { user::pick(list, 2); }, 2},
        {"click the selected line again", [&] { user::pick(list, 2); }, 2},
        {"click below the last line", [&] { user::press_at(list, 20, 190); }, -1},
        {"arrow key down", [&] { user::press_key(list, keys::down); }, 3},
        {"click a line with none selected", [&] { list.set_item_index(-1); user::pick(list, 1); }, 1},
        {"click below the last line with none selected",
         [&] { list.set_item_index(-1); user::press_at(list, 20, 190); }, -1},
    };
    for (const auto& c : cases) {
        read.clear();
        c.act();
        EXPECT_EQ(read, std::vector<int>{c.index}) << c.what;
        EXPECT_EQ(list.item_index(), c.index) << c.what;
    }
}

TEST_F(ControlsFixture, RadioButtonsAreExclusiveWithinTheirParent) {
    GroupBox group(w, "OR");
    RadioButton a(group, "a", true), b(group, "b");
    RadioButton other(w, "other", true);
    a.set_bounds(5, 20, 80, 20);
    b.set_bounds(5, 45, 80, 20);
    group.set_bounds(0, 0, 100, 80);
    other.set_bounds(0, 100, 80, 20);
    b.on_click = count();
    shown();
    b.set_checked(true);
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(other.checked());  // another parent
    EXPECT_EQ(events, 0);
    user::click(a);
    EXPECT_TRUE(a.checked());
    EXPECT_FALSE(b.checked());
    user::click(b);
    EXPECT_EQ(events, 1);
    b.set_checked(false);
    EXPECT_FALSE(b.checked());
}

TEST_F(ControlsFixture, HiddenTabKeepsPageIndexes) {
    PageControl pages(w);
    TabSheet p0(pages, "terr"), p1(pages, "map"), p2(pages, "events"), p3(pages, "Craft");
    p2.set_tab_visible(false);
    pages.on_change = count();
    shown();
    EXPECT_EQ(p3.page_index(), 3);
    EXPECT_EQ(pages.page(3), &p3);
    EXPECT_EQ(pages.page(4), nullptr);
    EXPECT_FALSE(p2.tab_visible());
    user::pick_page(pages, 3);
    EXPECT_EQ(pages.active_page_index(), 3);
    user::pick_page(pages, 2);  // no tab to click
    EXPECT_EQ(pages.active_page_index(), 3);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(p3.caption(), "Craft");
}

// A read-only edit keeps what code wrote into it, whatever the user types.
TEST_F(ControlsFixture, ReadOnlyEditTakesNoTyping) {
    Edit edit(w, "25");
    edit.set_bounds(0, 0, 80, 24);
    edit.on_change = count();
    edit.set_read_only(true);
    shown();
    user::type_text(edit, "999");
    EXPECT_EQ(edit.text(), "25");
    EXPECT_EQ(events, 0);
    edit.set_text("30");
    EXPECT_EQ(edit.text(), "30");
    edit.set_read_only(false);
    user::type_text(edit, "7");
    EXPECT_EQ(edit.text(), "7");
    EXPECT_EQ(events, 1);
}

TEST_F(ControlsFixture, LabelAndMemoLineBreaks) {
    Label label(w, "a\rb\nc\r\nd\te");
    auto* q = static_cast<QLabel*>(label.widget());
    EXPECT_EQ(q->text().toStdString(), "a\nb\nc\nd       e");
    EXPECT_EQ(label.caption(), "a\rb\nc\r\nd\te");
    Memo memo(w);
    memo.set_text("one\rtwo\nthree");
    EXPECT_EQ(memo.text(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(memo.line_count(), 3);
    memo.set_text("");
    EXPECT_EQ(memo.text(), "");
    EXPECT_EQ(memo.line_count(), 0);
}

TEST_F(ControlsFixture, ImageKeepsItsPicture) {
    Image image(w);
    image.set_bounds(10, 10, 32, 32);
    image.on_click = count();
    shown();
    EXPECT_EQ(image.picture().width(), 32);
    EXPECT_EQ(image.picture().pixel(5, 5), clWhite);
    Bitmap tile(16, 16);
    tile.canvas().brush_color = make_color(0, 0, 255);
    tile.canvas().fill_rect(0, 0, 16, 16);
    image.draw(0, 0, tile);
    user::process_events();
    image.refresh();
    EXPECT_EQ(image.picture().pixel(5, 5), make_color(0, 0, 255));
    EXPECT_EQ(image.picture().pixel(20, 20), clWhite);
    user::click(image);
    EXPECT_EQ(events, 1);
    user::press_at(image, 3, 3, MouseButton::right);
    EXPECT_EQ(events, 1);  // a right click is no click
}

TEST_F(ControlsFixture, ButtonsAndErrorsInHandlers) {
    ScriptedModalGuard modal;
    Button button(w, "ADD");
    button.set_bounds(0, 0, 75, 25);
    button.on_click = [] { throw ConvertError("abc"); };
    Button second(w, "<- EDIT");
    second.set_bounds(0, 40, 75, 25);
    second.on_click = count();
    shown();
    user::click(button);
    user::click(second);  // the loop goes on
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"'abc' is not a valid integer value."}));
    EXPECT_EQ(events, 1);
    button.set_enabled(false);
    user::click(button);
    EXPECT_EQ(modal->errors.size(), 1u);
}

// Rows name and place their controls; a caption becomes a label on the
// control's parent, owned by the window; a box without a size only moves.
TEST_F(ControlsFixture, RowsNameAndPlaceControlsAndTheirCaptions) {
    GroupBox box(w, "group");
    Edit edit(box, "32");
    Label label(w, "a caption of its own size");
    const int label_width = label.width();
    w.lay_out({
        {box, "box", 10, 20, 200, 100},
        {edit, "edit", 8, 30, 44, 22, "width", 8, 12},
        {label, "label", 300, 40},
    });
    EXPECT_EQ(box.name, "box");
    EXPECT_EQ(box.bounds(), (Rect{10, 20, 200, 100}));
    EXPECT_EQ(edit.bounds(), (Rect{8, 30, 44, 22}));
    EXPECT_EQ(label.bounds(), (Rect{300, 40, label_width, label.height()}));
    EXPECT_EQ(label.name, "label");
    const auto captions = box.widget()->findChildren<QLabel*>();
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(captions[0]->text().toStdString(), "width");
    EXPECT_EQ(captions[0]->pos(), QPoint(8, 12));
    // Stacked below the controls, so a caption reaching into a box takes none of its clicks.
    const QObjectList stack = box.container()->children();
    EXPECT_LT(stack.indexOf(captions[0]), stack.indexOf(edit.widget()));
}

TEST_F(ControlsFixture, NoteTableAndFill) {
    Label& note = kit::note(w, w, "a long text that wraps inside its box", Rect{4, 6, 60, 50});
    EXPECT_EQ(note.bounds(), (Rect{4, 6, 60, 50}));
    EXPECT_TRUE(static_cast<QLabel*>(note.widget())->wordWrap());

    StringGrid table(w);
    table_grid(table, 9, 2);
    EXPECT_EQ(table.col_count(), 9);
    EXPECT_EQ(table.row_count(), 2);
    EXPECT_EQ(table.fixed_cols(), 1);
    EXPECT_EQ(table.fixed_rows(), 1);
    table.set_row_count(5);
    table.set_cell_position(3, 3);
    EXPECT_EQ(table.selection(), (GridRect{1, 3, 8, 3}));

    ComboBox combo(w);
    combo.add("old");
    fill(combo, {"round", "square"});
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"round", "square"}));
    EXPECT_EQ(combo.item_index(), 0);
    fill(combo, {});
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.item_index(), -1);
}

}  // namespace
