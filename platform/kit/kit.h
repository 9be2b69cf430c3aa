#pragma once
// The control kit: windows, standard controls, string grids, menus and timers
// over Qt Widgets, behaving as the editor's windows expect.
//
// Rules that hold for every class here:
// - Geometry is absolute, in pixels, relative to the parent's client area
//   (a window's area below its menu, a page's area below the tabs, a group
//   box's top-left corner).
// - Texts given and taken are model strings in Windows-1251 (codepage.h).
// - Events are std::function members; a handler that is not set is skipped.
//   Every event that reaches a handler goes through kit::dispatch, which shows
//   any exception in the general error box and lets the event loop go on.
// - Changes made by code (selected indexes, active page, check marks, texts,
//   counts, cells) fire no user events.
// - Controls are not copyable; a control lives as long as its owner (usually a
//   member of its window; run-time controls via Window::make).
#include "platform/bitmap.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QWidget;
class QTimer;
class QImage;

namespace kit {

// ---------------------------------------------------------------- dispatch

// Runs one event handler: any exception is caught and shown with
// modal().error(error_box_text(what)); nothing escapes into Qt.
void dispatch(const std::function<void()>& handler);
// Runs handler(args...) through dispatch when the handler is set.
template <typename... P, typename... A>
void fire(const std::function<void(P...)>& handler, A&&... args) {
    if (handler) dispatch([&] { handler(std::forward<A>(args)...); });
}
// True while a handler (or a modal box opened by one) is running.
bool in_handler();
// Runs a handler through dispatch once no handler is running any more
// (from the event loop, after the current handler has returned).
void post(std::function<void()> handler);

// ---------------------------------------------------------------- basics

// A box in pixels, given as the window design gives it: left, top, width,
// height. Every geometry of the kit takes and gives this form (set_bounds,
// bounds, cell_rect, the rows of lay_out). right() and bottom() are one past
// the last pixel; Canvas::fill_rect, outside the kit, takes those edges:
// fill_rect(r.left, r.top, r.right(), r.bottom()).
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

enum class MouseButton { left, right, middle };

// Keys and buttons held during an input event.
struct ShiftState {
    bool shift = false, alt = false, ctrl = false;
    bool left = false, right = false, middle = false;
};

// Key codes of on_key_down: letters 'A'..'Z' and digits '0'..'9' as their
// character codes, and these.
namespace keys {
constexpr int back = 8, tab = 9, enter = 13, shift = 16, control = 17, alt = 18,
              escape = 27, space = 32, page_up = 33, page_down = 34, end = 35,
              home = 36, left = 37, up = 38, right = 39, down = 40, insert = 45,
              del = 46, f1 = 112;
}

// Mouse pointer shapes a control can show.
enum class Cursor { normal, drag };

class Window;
class PopupMenu;
struct Row;

// ---------------------------------------------------------------- Control

// What every control has: name, parent, geometry, visibility, enabled state,
// hint, colours, and the common mouse and key events.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    std::string name;  // the control's name, for messages and tests

    Control* parent() const { return parent_; }
    // Moves the control onto another container (window, page, group box);
    // its left and top are then relative to the new parent.
    void set_parent(Control& parent);
    Window* window() const;  // the window the control is on (itself for a window)

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void set_left(int left);
    void set_top(int top);
    void set_width(int width);
    void set_height(int height);
    void set_bounds(int left, int top, int width, int height);
    Rect bounds() const;

    // The control's own visibility flag (a control on a hidden page stays visible).
    bool visible() const { return visible_; }
    virtual void set_visible(bool visible);
    void show() { set_visible(true); }
    void hide() { set_visible(false); }
    // A disabled control takes no input and is greyed (windows: see Window).
    bool enabled() const { return enabled_; }
    virtual void set_enabled(bool enabled);

    void set_hint(const std::string& hint);  // tooltip text
    std::string hint() const;
    void set_color(TColor color);  // background colour
    bool focused() const;
    // The pointer shape over the control (and its parts, such as a grid's cells).
    void set_cursor(Cursor cursor);
    Cursor cursor() const { return cursor_; }

    // Shown at the mouse pointer on a right click, after on_mouse_down.
    void set_popup_menu(PopupMenu* menu) { popup_menu_ = menu; }
    PopupMenu* popup_menu() const { return popup_menu_; }

    // Repaints the control now (a grid runs its draw handlers before this returns).
    virtual void refresh();
    void repaint() { refresh(); }
    // Marks the control for repainting at the next paint.
    virtual void invalidate();

    // Left button pressed and released on the control (buttons, check boxes,
    // radio buttons: also by keyboard; list boxes: a user's pick).
    std::function<void()> on_click;
    std::function<void()> on_dbl_click;
    // A mouse button went down; x, y in the control's client pixels.
    std::function<void(MouseButton, ShiftState, int x, int y)> on_mouse_down;
    std::function<void(MouseButton, ShiftState, int x, int y)> on_mouse_up;
    // A key went down while the control has the focus; setting key to 0
    // stops the control's own handling of it.
    std::function<void(int& key, ShiftState)> on_key_down;

    QWidget* widget() const { return widget_; }  // the Qt widget (for the kit and tests)
    virtual QWidget* container() const;  // where children go (containers only)

protected:
    Control(Control* parent, QWidget* widget);
    QPointer<QWidget> widget_;
    Control* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    Cursor cursor_ = Cursor::normal;
    PopupMenu* popup_menu_ = nullptr;
};

// ---------------------------------------------------------------- Window

// A top-level window of the program. Created hidden; show() is modeless. A
// window's own mouse and key events are not reported (its controls' are).
class Window : public Control {
public:
    explicit Window(const std::string& caption = "");
    ~Window() override;

    std::string caption() const;
    void set_caption(const std::string& caption);
    // Size of the client area (below the main menu).
    void set_client_size(int width, int height);
    int client_width() const;
    int client_height() const;

    // Makes the window visible (on_show the first time it becomes visible
    // after being hidden) and active: on_activate runs before show returns.
    void show();
    // Shows the window as a secondary window of opener, the window that opened
    // it: the window system keeps it above opener (it becomes a transient
    // window of opener, so a click on opener never hides it; opener keeps its
    // Qt parent, enabled state and look), and a hidden window opens where
    // place_over puts it over opener. Then as show().
    void show_over(Window& opener);
    void hide();
    void set_visible(bool visible) override;
    // As the close button does: on_close (through dispatch, so an error in it
    // is shown and the window still closes), then the window hides. Closing
    // the main window ends the program, without a question.
    void close();
    // Disabling blocks all input (mouse, keys, menus, close button) without
    // greying the window or its controls; enabling lets it through again.
    void set_enabled(bool enabled) override;
    // True while this is the program's active window.
    bool active() const;
    // The program's active window, or nullptr.
    static Window* active_window();

    // Runs on_create through dispatch; a window class calls it at the end of
    // its constructor, once its controls exist.
    void created();

    // Creates a control owned by the window (for controls made at run time):
    // window.make<kit::Label>(group_box).
    template <typename T, typename... A>
    T& make(A&&... args) {
        auto control = std::make_unique<T>(std::forward<A>(args)...);
        T& ref = *control;
        owned_.push_back(std::move(control));
        return ref;
    }

    // Names and places controls from the window design's table, one row per
    // control (platform/kit/layout.h); the caption labels of the rows are made
    // and owned by this window.
    void lay_out(std::initializer_list<Row> rows);

    std::function<void()> on_create;    // by created()
    std::function<void()> on_show;      // the window became visible
    // The window became the active one: by show(), and whenever activation
    // comes back to it from another window of the program.
    std::function<void()> on_activate;
    std::function<void()> on_close;     // closing (close button or close())

    QWidget* container() const override;
    class Impl;

private:
    friend class MainMenu;
    Impl* impl_;  // owned through the Qt widget tree
    std::vector<std::unique_ptr<Control>> owned_;
};

// Where a secondary window opens over its opener, in screen pixels, as frame
// boxes (caption and border included): centred over the opener's frame, but
// never higher than `caption` pixels below the opener's top, so that the
// opener's caption stays in sight; then moved onto the screen's area. Where
// both cannot hold the screen wins; a window larger than the screen keeps its
// top-left corner on it.
Rect place_over(const Rect& opener_frame, int caption, int width, int height, const Rect& screen);

// Marks the main window: the first window passed here; closing it ends run().
void set_main_window(Window& window);
// Shows the main window and runs the event loop until it closes; the exit code.
int run(Window& main);

// ---------------------------------------------------------------- simple controls

// Text that may hold CR, LF or CR LF line breaks and TABs (expanded to 8 columns).
class Label : public Control {
public:
    explicit Label(Control& parent, const std::string& caption = "");
    std::string caption() const { return caption_; }
    void set_caption(const std::string& caption);
    // With auto size (the default) the label takes the size of its text.
    void set_auto_size(bool auto_size);
    void set_word_wrap(bool wrap);

private:
    void fit();
    std::string caption_;
    bool auto_size_ = true;
};

// One-line text field; on_change on every edit by the user.
class Edit : public Control {
public:
    explicit Edit(Control& parent, const std::string& text = "");
    std::string text() const;
    void set_text(const std::string& text);
    // A read-only edit shows its text and takes no typing (code may still set it).
    void set_read_only(bool read_only);
    std::function<void()> on_change;
};

// Multi-line text; text() gives lines joined by CR LF, set_text takes CR, LF or CR LF.
class Memo : public Control {
public:
    explicit Memo(Control& parent, const std::string& text = "");
    std::string text() const;
    void set_text(const std::string& text);
    std::vector<std::string> lines() const;
    void set_lines(const std::vector<std::string>& lines);
    int line_count() const;
    void clear();
    std::function<void()> on_change;
};

// Push button; on_click on a user's press (mouse or space).
class Button : public Control {
public:
    explicit Button(Control& parent, const std::string& caption = "");
    std::string caption() const;
    void set_caption(const std::string& caption);
};

// Check box; on_click when the user toggles it (set_checked fires nothing).
class CheckBox : public Control {
public:
    explicit CheckBox(Control& parent, const std::string& caption = "", bool checked = false);
    std::string caption() const;
    void set_caption(const std::string& caption);
    bool checked() const;
    void set_checked(bool checked);
};

// Radio button, exclusive among the radio buttons of the same parent;
// checking one by code unchecks its siblings; on_click on a user's pick.
class RadioButton : public Control {
public:
    explicit RadioButton(Control& parent, const std::string& caption = "", bool checked = false);
    std::string caption() const;
    void set_caption(const std::string& caption);
    bool checked() const;
    void set_checked(bool checked);
};

// Framed container with a caption; parent of controls (also of those made at run time).
class GroupBox : public Control {
public:
    explicit GroupBox(Control& parent, const std::string& caption = "");
    std::string caption() const;
    void set_caption(const std::string& caption);
    QWidget* container() const override;
};

// Plain container without a frame.
class Panel : public Control {
public:
    explicit Panel(Control& parent);
    QWidget* container() const override;
};

// A picture with a persistent bitmap. The bitmap starts white at the control's
// size and grows with the control; drawings stay until drawn over.
class Image : public Control {
public:
    explicit Image(Control& parent);
    Bitmap& picture();  // the bitmap shown, top-left at (0, 0), unscaled
    // The bitmap's canvas; the control shows what is drawn on it.
    Canvas& canvas();
    // Copies a bitmap unscaled with its top-left corner at (x, y).
    void draw(int x, int y, const Bitmap& bitmap);
    void refresh() override;
    void invalidate() override;

private:
    Bitmap picture_;
};

// A list of equal-size pictures for combo boxes.
class ImageList {
public:
    ImageList(int width = 32, int height = 32);
    int width() const { return width_; }
    int height() const { return height_; }
    void set_size(int width, int height);  // clears the list
    void clear();
    // Appends a copy of the bitmap (cut or padded to the list's size); its index.
    int add(const Bitmap& bitmap);
    int count() const { return static_cast<int>(images_.size()); }
    // Picture i; nullptr when out of range.
    const Bitmap* get(int index) const;

private:
    int width_, height_;
    std::vector<Bitmap> images_;
};

// Lines with one selection; on_click on a user's pick of a line (by the mouse,
// also of the line already selected, or by the keys), once the line is
// selected: item_index() gives it. A left click below the last line selects
// no line and fires on_click as well.
class ListBox : public Control {
public:
    explicit ListBox(Control& parent);
    void clear();
    void add(const std::string& line);
    // Replaces every line at once (faster than clear and add for long lists); selects none.
    void set_lines(const std::vector<std::string>& lines);
    void insert(int index, const std::string& line);
    void remove(int index);  // out of range: nothing
    int count() const;
    std::string item(int index) const;  // out of range: empty
    std::vector<std::string> items() const;
    // The selected line, -1 when none; setting out of range selects nothing.
    int item_index() const;
    void set_item_index(int index);
};

enum class ComboStyle {
    drop_down_list,  // pick only
    drop_down,       // editable text with a list
};

// Combo box: plain, editable, or with a picture per item from an image list.
// Adding items selects nothing; on_change fires only on a user's pick (and on
// the user's typing in an editable one).
class ComboBox : public Control {
public:
    explicit ComboBox(Control& parent, ComboStyle style = ComboStyle::drop_down_list);
    void clear();
    void add(const std::string& item);
    // An item with picture image_index of the image list and an integer of its own.
    void add_item(const std::string& item, int image_index, int data = -1);
    // The same put before item index (at the end when index is count()), and
    // the text and picture of item index replaced; the selected item stays
    // selected. Out of range: nothing.
    void insert_item(int index, const std::string& item, int image_index, int data = -1);
    void set_item(int index, const std::string& item, int image_index);
    // Removes item index; when it was the selected one, none is selected.
    void remove_item(int index);
    int count() const;
    std::string item(int index) const;  // out of range: empty
    std::vector<std::string> items() const;
    int item_data(int index) const;     // out of range: -1
    // The selected item, -1 when none (editable: -1 when the text matches no item).
    int item_index() const;
    // Selects an item; out of range selects nothing (index -1).
    void set_item_index(int index);
    // Shown text: the selected item's; for an editable box what is typed;
    // with no selection the text set here (e.g. a design text "no maps").
    std::string text() const;
    void set_text(const std::string& text);
    // Pictures of the items from this list (nullptr: none); the list is not owned.
    void set_images(const ImageList* images);
    void set_item_height(int height);
    void set_drop_down_count(int lines);
    std::function<void()> on_change;

private:
    ComboStyle style_;
    const ImageList* images_ = nullptr;
    std::vector<int> image_indexes_;
};

// ---------------------------------------------------------------- pages

class PageControl;

// One page of a page control, made as a child of it and appended in order.
class TabSheet : public Control {
public:
    TabSheet(PageControl& control, const std::string& caption);
    ~TabSheet() override;
    std::string caption() const;
    void set_caption(const std::string& caption);
    // A page whose tab is hidden cannot be opened by the user; indexes still count it.
    bool tab_visible() const;
    void set_tab_visible(bool visible);
    int page_index() const;  // -1 once its page control is gone
    void set_enabled(bool enabled) override;
    QWidget* container() const override;

private:
    friend class PageControl;
    PageControl* control_;  // cleared when the page control goes first
};

// Pages with tabs; on_change after the user opened another page by its tab.
class PageControl : public Control {
public:
    explicit PageControl(Control& parent);
    ~PageControl() override;
    int page_count() const;
    TabSheet* page(int index) const;  // nullptr when out of range
    int active_page_index() const;    // -1 when there is no page
    // Opens a page from code (also one whose tab is hidden); fires nothing.
    void set_active_page_index(int index);
    std::function<void()> on_change;

private:
    friend class TabSheet;
    std::vector<TabSheet*> pages_;
};

// ---------------------------------------------------------------- string grid

// A cell's state in on_draw_cell.
struct GridDrawState {
    bool selected = false;  // inside the selection
    bool focused = false;   // the current cell
    bool fixed = false;     // a fixed (header) cell
};

// A rectangle of cells, inclusive.
struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const GridRect&) const = default;
};

struct GridCoord {
    int col = -1, row = -1;
    bool operator==(const GridCoord&) const = default;
};

enum class ScrollBars { none, horizontal, vertical, both };

// The string grid. Paints into a persistent back buffer: only visible cells are
// ever painted, and a drawing made on canvas() outside a paint stays on screen
// until the next paint of the grid.
//
// Paint order: the default fill (and text) of a cell, then on_draw_cell for it;
// cells in this order: fixed corner, fixed rows, fixed columns, then the data
// cells row by row, top to bottom, left to right.
//
// Selection: on_select_cell(col, row, can_select) runs before the current cell
// moves, on every left press on a non-fixed cell (also the current one) and on
// every keyboard move (also when a left drag enters another data cell); never
// for the right or middle button, the wheel, the scroll bars or code. A refused
// or failed selection leaves the current cell; when the handler has shrunk the
// grid, the current cell moves to the nearest one that still exists. A left
// press selects first, then runs on_mouse_down; a right press only runs
// on_mouse_down (and shows the popup menu, if any). The wheel scrolls by rows;
// a horizontal wheel, and the wheel with Shift held, scroll by columns.
//
// on_top_left_changed fires on every change of the top-left visible cell,
// whatever moved it (scroll bars, wheel, keyboard, a selection scrolled into
// view, code, a resize).
class StringGrid : public Control {
public:
    explicit StringGrid(Control& parent);
    ~StringGrid() override;

    // Counts are never below 1; fixed counts follow down to count - 1.
    int col_count() const { return col_count_; }
    int row_count() const { return row_count_; }
    void set_col_count(int count);
    void set_row_count(int count);
    int fixed_cols() const { return fixed_cols_; }
    int fixed_rows() const { return fixed_rows_; }
    // Clamped to 0 .. count - 1.
    void set_fixed_cols(int count);
    void set_fixed_rows(int count);

    // Setting a default size resets every per-index size.
    int default_col_width() const { return default_col_width_; }
    int default_row_height() const { return default_row_height_; }
    void set_default_row_height(int height);
    void set_default_cell_size(int width, int height);
    // Per-index sizes; out of range reads the default and writes nothing.
    int col_width(int col) const;
    int row_height(int row) const;
    void set_col_width(int col, int width);
    void set_row_height(int row, int height);

    void set_grid_line_width(int width);
    void set_color(TColor color);        // fill of data cells
    TColor fixed_color() const { return fixed_color_; }  // fill of header cells
    // Whole-row selection: the selection spans the current row's data cells.
    void set_row_select(bool on);
    // Column widths can be dragged at the fixed row's column borders.
    void set_col_sizing(bool on);
    void set_scroll_bars(ScrollBars bars);

    // Sparse cell texts; out of range reads empty and writes nothing.
    std::string cell(int col, int row) const;
    void set_cell(int col, int row, const std::string& text);
    void clear_cells();

    // The first visible non-fixed column and row; code may set them (clamped).
    int left_col() const { return left_col_; }
    int top_row() const { return top_row_; }
    void set_left_col(int col);
    void set_top_row(int row);
    void set_top_left(int col, int row);
    // Non-fixed columns and rows fully visible.
    int visible_col_count() const;
    int visible_row_count() const;

    // The current cell; set by code without on_select_cell (scrolled into view).
    int col() const { return col_; }
    int row() const { return row_; }
    void set_cell_position(int col, int row);
    GridRect selection() const;

    // A visible cell's rectangle in client pixels; an empty Rect otherwise.
    Rect cell_rect(int col, int row) const;
    // The cell under a client point, also a fixed one; -1, -1 outside every cell.
    GridCoord mouse_to_cell(int x, int y) const;

    // The back buffer's canvas, usable inside and outside a paint: outside one
    // it first brings pending paints up to date, and what is drawn is shown and
    // stays until the grid is painted again.
    Canvas& canvas();
    void refresh() override;     // paints every visible cell now
    void invalidate() override;  // paints every visible cell at the next paint
    // Paints one cell now (when visible).
    void invalidate_cell(int col, int row);

    // Client size (the area where cells are painted, without scroll bars).
    int client_width() const;
    int client_height() const;
    // Number of cells painted so far (for measurements).
    long long painted_cells() const { return painted_cells_; }

    std::function<void(int col, int row, bool& can_select)> on_select_cell;
    std::function<void(int col, int row, Rect rect, GridDrawState state)> on_draw_cell;
    std::function<void()> on_top_left_changed;

    class View;

private:
    friend class View;
    void paint_now();
    void paint_cell(int col, int row);
    void apply_top_left(int col, int row);
    void after_resize();
    void update_scroll_bars();
    int max_left_col() const;
    int max_top_row() const;
    int col_x(int col) const;   // left pixel of a visible column, -1 when not visible
    int row_y(int row) const;
    bool user_select(int col, int row);  // on_select_cell, then move: true if moved
    void user_mouse_down(MouseButton button, ShiftState shift, int x, int y);
    void user_key_down(int key, ShiftState shift);
    void clamp_position();
    void scroll_into_view(int col, int row);

    View* view_ = nullptr;
    QWidget* hbar_ = nullptr;
    QWidget* vbar_ = nullptr;
    QImage* buffer_ = nullptr;
    Canvas canvas_;
    bool dirty_ = true;
    bool painting_ = false;
    long long painted_cells_ = 0;

    int col_count_ = 5, row_count_ = 5;
    int fixed_cols_ = 1, fixed_rows_ = 1;
    int default_col_width_ = 64, default_row_height_ = 24;
    std::vector<int> col_widths_, row_heights_;  // empty: all default
    int grid_line_width_ = 1;
    TColor line_color_ = 0xC0C0C0;
    TColor color_ = clWhite;
    TColor fixed_color_ = 0xF0F0F0;
    bool row_select_ = false;
    bool col_sizing_ = false;
    ScrollBars scroll_bars_ = ScrollBars::both;
    std::unordered_map<uint64_t, std::string> cells_;
    int left_col_ = 1, top_row_ = 1;
    int col_ = 1, row_ = 1;
    int sizing_col_ = -1, sizing_start_x_ = 0, sizing_start_w_ = 0;
};

// ---------------------------------------------------------------- menus

class MenuItem;

// The menu bar of a window.
class MainMenu {
public:
    explicit MainMenu(Window& window);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;
    QWidget* widget() const { return bar_; }

private:
    friend class MenuItem;
    QPointer<QWidget> bar_;
};

// A menu shown at a screen point. An item's on_click runs after the handler
// that opened the menu has returned.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    // Shows the menu with its top-left corner at a screen point; returns at once.
    void popup(int screen_x, int screen_y);
    void popup_at_cursor();
    bool is_open() const;
    void close_menu();
    std::function<void()> on_popup;  // just before it opens
    QMenu* menu() const { return menu_; }

private:
    friend class MenuItem;
    QMenu* menu_;
};

// An item of a main menu, of another item (a submenu) or of a popup menu.
// Check marks are set by code only (a click does not toggle them).
class MenuItem {
public:
    MenuItem(MainMenu& menu, const std::string& caption);
    MenuItem(MenuItem& parent, const std::string& caption);
    MenuItem(PopupMenu& menu, const std::string& caption);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string caption() const;
    void set_caption(const std::string& caption);
    bool checked() const { return checked_; }
    void set_checked(bool checked);
    bool enabled() const;
    void set_enabled(bool enabled);
    bool visible() const;
    void set_visible(bool visible);
    std::function<void()> on_click;
    QAction* action() const { return action_; }

private:
    void init(const std::string& caption);
    QPointer<QAction> action_;
    QPointer<QMenu> submenu_;  // made when the first child item is added
    bool checked_ = false;
};

// ---------------------------------------------------------------- timer

// A timer whose ticks arrive between handlers: a tick that falls while a
// handler or a modal box runs waits until it has returned (ticks do not pile up).
// Created disabled with an interval of 1000 ms.
class Timer {
public:
    explicit Timer(int interval_ms = 1000, bool enabled = false);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    int interval() const { return interval_; }
    // A new interval restarts a running timer.
    void set_interval(int interval_ms);
    bool enabled() const { return enabled_; }
    // Enabling an enabled timer does not restart it; disabling drops a waiting tick.
    void set_enabled(bool enabled);
    std::function<void()> on_timer;

    // The timer's tick as the event loop delivers it (used by the kit and tests).
    void deliver_tick();

private:
    QTimer* timer_;
    int interval_;
    bool enabled_;
    bool waiting_ = false;
};

}  // namespace kit
