// The string grid's event rules, driven through real mouse and key input.
#include "platform/kit/kit.h"
#include "platform/kit/testing.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {
using namespace kit;

TEST(KitGrid, LeftPressSelectsBeforeMouseDown) {
    Window w("grid");
    w.set_client_size(400, 300);
    StringGrid g(w);
    g.set_bounds(0, 0, 300, 200);
    std::vector<std::string> log;
    g.on_select_cell = [&](int c, int r, bool&) { log.push_back("select " + std::to_string(c) + "," + std::to_string(r)); };
    g.on_mouse_down = [&](MouseButton b, ShiftState, int, int) { log.push_back(b == MouseButton::left ? "down left" : "down right"); };
    w.show();
    user::press_cell(g, 2, 2);
    user::press_cell(g, 3, 1, MouseButton::right);
    EXPECT_EQ(log, (std::vector<std::string>{"select 2,2", "down left", "down right"}));
    EXPECT_EQ(g.col(), 2);
    EXPECT_EQ(g.row(), 2);
}
}  // namespace
