// The string grid's event rules, driven through real mouse and key input.
#include "platform/kit/kit.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace {
using namespace kit;

std::string at(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }

// A shown window with a 10 x 10 grid of 30 x 20 cells, one fixed row and column,
// recording its events.
struct GridFixture : ::testing::Test {
    Window w{"grid"};
    StringGrid g{w};
    std::vector<std::string> log;

    GridFixture() {
        w.set_client_size(400, 300);
        g.set_bounds(0, 0, 200, 150);
        g.set_col_count(10);
        g.set_row_count(10);
        g.set_default_cell_size(30, 20);
        g.on_select_cell = [this](int c, int r, bool&) {
            log.push_back("select " + at(c, r) + " from " + at(g.col(), g.row()));
        };
        g.on_mouse_down = [this](MouseButton b, ShiftState, int, int) {
            log.push_back(b == MouseButton::left ? "down left" : "down right");
        };
        g.on_top_left_changed = [this] { log.push_back("top-left " + at(g.left_col(), g.top_row())); };
        w.show();
        user::process_events();
    }
};

TEST_F(GridFixture, WhichInputSelects) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> events;
        int col, row;
    };
    const std::vector<Case> cases = {
        {"left press on a data cell", [&] { user::press_cell(g, 2, 3); },
         {"select 2,3 from 1,1", "down left"}, 2, 3},
        {"left press on the current cell", [&] { user::press_cell(g, 2, 3); },
         {"select 2,3 from 2,3", "down left"}, 2, 3},
        {"left press on a fixed cell", [&] { user::press_cell(g, 0, 2); }, {"down left"}, 2, 3},
        {"right press never selects", [&] { user::press_cell(g, 4, 4, MouseButton::right); },
         {"down right"}, 2, 3},
        {"keyboard move", [&] { user::press_key(g, keys::down); }, {"select 2,4 from 2,3"}, 2, 4},
        {"keyboard move at the edge does not move", [&] { user::press_key(g, keys::home); user::press_key(g, keys::left); },
         {"select 1,4 from 2,4"}, 1, 4},
        {"code moves silently", [&] { g.set_cell_position(3, 2); }, {}, 3, 2},
        {"wheel scrolls only", [&] { user::wheel(g, -2); }, {"top-left 1,3"}, 3, 2},
        {"scroll bars scroll only", [&] { user::scroll_to(g, 2, 3); }, {"top-left 2,3"}, 3, 2},
    };
    for (const auto& c : cases) {
        log.clear();
        c.act();
        EXPECT_EQ(log, c.events) << c.what;
        EXPECT_EQ(at(g.col(), g.row()), at(c.col, c.row)) << c.what;
    }
}

// A wide grid is crossed with a horizontal wheel or Shift and the wheel; the
// plain wheel still scrolls rows. Each step starts where the one before ended.
TEST_F(GridFixture, WheelScrollsSidewaysWithShiftOrAHorizontalWheel) {
    g.set_col_count(40);
    ShiftState shift;
    shift.shift = true;
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"Shift and the wheel down", [&] { user::wheel(g, -3, shift); }, {"top-left 4,1"}},
        {"Shift and the wheel up", [&] { user::wheel(g, 1, shift); }, {"top-left 3,1"}},
        {"horizontal wheel to the right", [&] { user::wheel_sideways(g, -5); }, {"top-left 8,1"}},
        {"horizontal wheel to the left", [&] { user::wheel_sideways(g, 2); }, {"top-left 6,1"}},
        {"plain wheel down", [&] { user::wheel(g, -2); }, {"top-left 6,3"}},
        {"past the first column", [&] { user::wheel(g, 20, shift); }, {"top-left 1,3"}},
    };
    for (const auto& c : cases) {
        log.clear();
        c.act();
        EXPECT_EQ(log, c.events) << c.what;
    }
    EXPECT_EQ(at(g.col(), g.row()), "1,1");  // scrolling selects nothing
}

TEST_F(GridFixture, RefusedOrFailedSelectionKeepsTheCell) {
    g.on_select_cell = [](int c, int, bool& ok) {
        if (c == 5) throw std::runtime_error("bad cell");
        ok = c != 4;
    };
    ScriptedModalGuard modal;
    user::press_cell(g, 4, 2);
    EXPECT_EQ(at(g.col(), g.row()), "1,1");
    user::press_cell(g, 5, 2);
    EXPECT_EQ(at(g.col(), g.row()), "1,1");
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"bad cell."}));
    user::press_cell(g, 3, 2);  // the loop goes on
    EXPECT_EQ(at(g.col(), g.row()), "3,2");
}

// A select handler may shrink its grid below the cell being selected (an
// editor deletes the row picked): the move then goes to a cell that exists.
TEST_F(GridFixture, SelectionShrinkingTheGridLandsOnACellThatExists) {
    struct Case {
        const char* what;
        int rows_left;
        std::function<void()> act;
        std::string cell;
    };
    const std::vector<Case> cases = {
        {"mouse, down to one row", 1, [&] { user::press_cell(g, 2, 3); }, "2,0"},
        {"keyboard, down to one row", 1, [&] { user::press_key(g, keys::down); }, "2,0"},
        {"mouse, down to one data row", 2, [&] { user::press_cell(g, 2, 3); }, "2,1"},
        {"keyboard, down to one data row", 2, [&] { user::press_key(g, keys::down); }, "2,1"},
    };
    for (const auto& c : cases) {
        g.set_row_count(10);
        g.set_fixed_rows(1);
        g.set_cell_position(2, 2);
        g.on_select_cell = [&](int, int row, bool&) {
            if (row == 3) g.set_row_count(c.rows_left);
        };
        std::vector<std::string> focused;
        g.on_draw_cell = [&](int col, int row, Rect, GridDrawState s) {
            EXPECT_TRUE(col < g.col_count() && row < g.row_count()) << c.what << ": painted " << at(col, row);
            if (s.focused) focused.push_back(at(col, row));
        };
        c.act();
        EXPECT_EQ(at(g.col(), g.row()), c.cell) << c.what;
        focused.clear();
        g.refresh();
        EXPECT_EQ(focused, std::vector<std::string>{c.cell}) << c.what;
        g.on_draw_cell = nullptr;
    }
}

TEST_F(GridFixture, DrawOrderFixedCornerRowsColumnsThenDataRowByRow) {
    g.set_col_count(3);
    g.set_row_count(3);
    std::vector<std::string> order;
    g.on_draw_cell = [&](int c, int r, Rect rect, GridDrawState s) {
        order.push_back(at(c, r) + (s.fixed ? "f" : "") + (s.focused ? "*" : ""));
        EXPECT_EQ(rect, g.cell_rect(c, r));
    };
    g.refresh();
    EXPECT_EQ(order, (std::vector<std::string>{"0,0f", "1,0f", "2,0f", "0,1f", "0,2f", "1,1*", "2,1", "1,2",
                                               "2,2"}));
}

TEST_F(GridFixture, GeometryAndCounts) {
    // Cells are 30 x 20 with 1-pixel lines.
    EXPECT_EQ(g.cell_rect(2, 1), (Rect{62, 21, 30, 20}));
    EXPECT_EQ(g.mouse_to_cell(5, 5), (GridCoord{0, 0}));  // a fixed cell counts
    EXPECT_EQ(g.mouse_to_cell(63, 22), (GridCoord{2, 1}));
    g.set_col_count(3);
    EXPECT_EQ(g.mouse_to_cell(150, 10), (GridCoord{-1, -1}));  // right of the last column
    EXPECT_EQ(g.mouse_to_cell(-1, 10), (GridCoord{-1, -1}));
    EXPECT_EQ(g.cell_rect(9, 1), Rect{});  // no such column any more

    g.set_cell(2, 2, "x");
    EXPECT_EQ(g.cell(2, 2), "x");
    EXPECT_EQ(g.cell(20, 2), "");
    g.set_cell(20, 2, "y");  // out of range writes nothing
    g.set_col_count(0);
    EXPECT_EQ(g.col_count(), 1);
    EXPECT_EQ(g.fixed_cols(), 0);  // the fixed count follows down
    g.set_col_count(3);
    EXPECT_EQ(g.cell(2, 2), "");  // cells outside a shrunk grid are gone
    g.set_cell(1, 1, "a");
    g.set_cell(2, 0, "b");
    g.clear_cells();
    EXPECT_EQ(g.cell(1, 1), "");
    EXPECT_EQ(g.cell(2, 0), "");
    g.set_fixed_rows(5);
    EXPECT_EQ(g.fixed_rows(), 5);
    g.set_fixed_rows(50);
    EXPECT_EQ(g.fixed_rows(), 9);
    EXPECT_EQ(g.col_width(-1), 30);
    g.set_col_width(1, 50);
    EXPECT_EQ(g.col_width(1), 50);
    EXPECT_EQ(g.col_width(0), 30);
}

// The pointer over the cells takes the grid's shape, and back to the arrow.
TEST_F(GridFixture, CursorShowsOverTheCells) {
    QWidget* cells = g.widget()->findChild<QWidget*>();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->cursor().shape(), Qt::ArrowCursor);
    g.set_cursor(Cursor::drag);
    EXPECT_EQ(g.cursor(), Cursor::drag);
    EXPECT_EQ(cells->cursor().shape(), Qt::DragMoveCursor);
    g.set_cursor(Cursor::normal);
    EXPECT_EQ(cells->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GridFixture, KeyDownRunsFirstAndCanSwallowTheKey) {
    std::vector<int> keys_seen;
    g.on_key_down = [&](int& key, ShiftState) {
        keys_seen.push_back(key);
        if (key == keys::del || key == keys::up) key = 0;
    };
    user::press_key(g, keys::del);
    user::press_key(g, keys::up);  // swallowed: no move
    user::press_key(g, keys::right);
    EXPECT_EQ(keys_seen, (std::vector<int>{keys::del, keys::up, keys::right}));
    EXPECT_EQ(log, (std::vector<std::string>{"select 2,1 from 1,1"}));
}

TEST_F(GridFixture, RowSelectSpansTheRow) {
    g.set_row_select(true);
    user::press_cell(g, 3, 4);
    EXPECT_EQ(g.selection(), (GridRect{1, 4, 9, 4}));
}

TEST_F(GridFixture, SelectingAPartlyVisibleCellScrollsItIntoView) {
    g.set_width(g.width() - g.client_width() + 31 * 6 + 15);  // column 6 is cut in half
    const int cut = g.left_col() + g.visible_col_count();
    EXPECT_EQ(cut, 6);
    ASSERT_GT(g.cell_rect(cut, 1).width, 0);
    ASSERT_GT(g.cell_rect(cut, 1).right(), g.client_width());
    user::press_cell(g, cut, 1);
    EXPECT_EQ(g.left_col(), 2);
    EXPECT_LE(g.cell_rect(cut, 1).right(), g.client_width());
    EXPECT_EQ(log.back(), "down left");
    EXPECT_NE(std::find(log.begin(), log.end(), "top-left 2,1"), log.end());
}

TEST_F(GridFixture, CanvasDrawingOutsideAPaintStaysUntilTheNextPaint) {
    g.set_color(clBlack);
    g.set_grid_line_width(0);
    g.refresh();
    Canvas& c = g.canvas();
    c.brush_color = make_color(255, 0, 0);
    c.fill_rect(40, 40, 60, 60);
    user::process_events();  // expose and queued paints only blit the buffer
    g.widget()->repaint();
    EXPECT_EQ(g.canvas().pixel(50, 50), make_color(255, 0, 0));
    g.refresh();
    EXPECT_EQ(g.canvas().pixel(50, 50), clBlack);
}

TEST_F(GridFixture, PendingPaintRunsBeforeACanvasDrawing) {
    g.set_color(clBlack);
    g.refresh();
    g.set_top_row(3);  // a scroll leaves a paint pending
    int painted = 0;
    g.on_draw_cell = [&](int, int, Rect, GridDrawState) { ++painted; };
    g.canvas().set_pixel(100, 100, clWhite);
    EXPECT_GT(painted, 0);
    painted = 0;
    user::process_events();
    EXPECT_EQ(painted, 0);  // the drawing is not painted over
    EXPECT_EQ(g.canvas().pixel(100, 100), clWhite);
}

TEST_F(GridFixture, AFailingDrawHandlerShowsOneErrorPerPaint) {
    ScriptedModalGuard modal;
    g.on_draw_cell = [](int, int, Rect, GridDrawState) { throw std::runtime_error("draw failed"); };
    g.refresh();
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"draw failed."}));
}

TEST_F(GridFixture, HiddenGridPaintsNothingUntilShown) {
    int painted = 0;
    g.on_draw_cell = [&](int, int, Rect, GridDrawState) { ++painted; };
    g.hide();
    g.refresh();
    EXPECT_EQ(painted, 0);
    g.show();
    user::process_events();
    EXPECT_GT(painted, 0);
}

// A 4096 x 4096 map grid: painting and scrolling touch only the visible cells.
TEST(KitGridLarge, HugeGridCostsOnlyItsVisibleCells) {
    Window w("big");
    w.set_client_size(600, 600);
    StringGrid g(w);
    g.set_bounds(0, 0, 554, 550);
    g.set_default_cell_size(32, 32);
    g.set_grid_line_width(0);
    g.set_col_count(4097);
    g.set_row_count(4097);
    g.set_col_width(0, 22);
    g.set_row_height(0, 22);
    for (int i = 1; i <= 4096; ++i) {
        g.set_cell(i, 0, std::to_string(i - 1));
        g.set_cell(0, i, std::to_string(i - 1));
    }
    long long drawn = 0;
    g.on_draw_cell = [&](int, int, Rect, GridDrawState) { ++drawn; };
    w.show();
    user::process_events();
    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < 50; ++step) {
        user::scroll_to(g, 1 + step * 80, 1 + step * 80);
        g.refresh();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // At most 18 x 18 cells are visible in 554 x 550 pixels.
    EXPECT_LE(drawn, 51LL * 2 * 18 * 18);
    EXPECT_EQ(g.left_col(), 1 + 49 * 80);
    EXPECT_LT(ms, 5000.0);  // generous for sanitizer builds
    RecordProperty("scroll_and_paint_ms_per_step", std::to_string(ms / 50));
}

}  // namespace
