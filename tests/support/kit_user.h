#pragma once
// Drives the kit the way a user does, for tests: every helper sends real Qt
// input events (QTest) to the control's widget, or triggers what the window
// system would, so the same code paths run as for real input. Helpers process
// pending events before they return.
#include "platform/kit/kit.h"

#include <string>

namespace kit::user {

// Processes pending events (paints, posted handlers, due timer ticks).
void process_events();

// Presses and releases a mouse button over the centre of a visible grid cell
// (throws std::logic_error when the cell is not visible).
void press_cell(StringGrid& grid, int col, int row, MouseButton button = MouseButton::left,
                ShiftState shift = {});
// Presses and releases a mouse button at a client point of any control.
void press_at(Control& control, int x, int y, MouseButton button = MouseButton::left,
              ShiftState shift = {});
// A left click in the middle of a control (button, check box, radio button, image, label).
void click(Control& control);
// Presses a key on the control that then has the focus (key codes of kit::keys).
void press_key(Control& control, int key, ShiftState shift = {});
// Turns the mouse wheel over a grid by a number of notches (positive: up),
// with keys held (Shift: the grid scrolls sideways).
void wheel(StringGrid& grid, int notches, ShiftState shift = {});
// Turns a horizontal wheel (a tilting wheel, a touchpad) over a grid by a
// number of notches (positive: to the left).
void wheel_sideways(StringGrid& grid, int notches);
// Drags a grid's scroll bars to a position, as the user does.
void scroll_to(StringGrid& grid, int left_col, int top_row);

// Picks an item of a combo box by clicking it in its drop-down list, scrolled
// to it (throws std::logic_error when the click picks nothing).
void pick(ComboBox& combo, int index);
// Picks a line of a list box with the mouse.
void pick(ListBox& list, int index);
// Replaces the text of an edit (or an editable combo box) by typing it.
void type_text(Edit& edit, const std::string& text);
void type_text(ComboBox& combo, const std::string& text);
void type_text(Memo& memo, const std::string& text);
// Opens a page by clicking its tab (nothing happens for a hidden tab).
void pick_page(PageControl& pages, int index);

// Chooses a menu item as the user does (also an item of an open popup menu).
void choose(MenuItem& item);
// The popup menu that is open now, or nullptr.
PopupMenu* open_popup();

// Delivers a tick of an enabled timer through the event loop's path; false
// when the timer is disabled (no tick).
bool tick(Timer& timer);

// Activates a window as a click on it would (its on_activate runs when the
// activation comes from another window of the program).
void activate(Window& window);
// Presses a window's close button.
void close(Window& window);

// Whether the main window has been closed (the program would have ended).
bool main_window_closed();
void reset_main_window_closed();

}  // namespace kit::user
