// Test helpers that drive the kit with real Qt input events.
#include "tests/support/kit_user.h"

#include "platform/kit/kit_private.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>

namespace kit::user {

using namespace kit::detail;

namespace {
Qt::KeyboardModifiers modifiers(ShiftState s) {
    Qt::KeyboardModifiers m;
    if (s.shift) m |= Qt::ShiftModifier;
    if (s.ctrl) m |= Qt::ControlModifier;
    if (s.alt) m |= Qt::AltModifier;
    return m;
}

Qt::MouseButton qt_button(MouseButton b) {
    switch (b) {
    case MouseButton::right: return Qt::RightButton;
    case MouseButton::middle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

Qt::Key qt_key(int key) {
    if (key >= 'A' && key <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (key - 'A'));
    if (key >= '0' && key <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (key - '0'));
    if (key >= keys::f1 && key < keys::f1 + 24) return static_cast<Qt::Key>(Qt::Key_F1 + (key - keys::f1));
    switch (key) {
    case keys::back: return Qt::Key_Backspace;
    case keys::tab: return Qt::Key_Tab;
    case keys::enter: return Qt::Key_Return;
    case keys::escape: return Qt::Key_Escape;
    case keys::space: return Qt::Key_Space;
    case keys::page_up: return Qt::Key_PageUp;
    case keys::page_down: return Qt::Key_PageDown;
    case keys::end: return Qt::Key_End;
    case keys::home: return Qt::Key_Home;
    case keys::left: return Qt::Key_Left;
    case keys::up: return Qt::Key_Up;
    case keys::right: return Qt::Key_Right;
    case keys::down: return Qt::Key_Down;
    case keys::insert: return Qt::Key_Insert;
    case keys::del: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
    }
}

// Mouse press and release at a point of a widget, with a context menu event
// after a right press as the window system sends it.
void mouse_click(QWidget* w, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers m) {
    QPointer<QWidget> guard(w);
    QTest::mousePress(w, button, m, p);
    if (button == Qt::RightButton && guard) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, w->mapToGlobal(p), m);
        QApplication::sendEvent(w, &menu);
    }
    if (guard) QTest::mouseRelease(w, button, m, p);
    process_events();
}

QWidget* grid_view(StringGrid& grid) {
    // The view is the grid widget's first child.
    for (QObject* child : grid.widget()->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QScrollBar*>(w)) return w;
    return grid.widget();
}
}  // namespace

void process_events() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void press_cell(StringGrid& grid, int col, int row, MouseButton button, ShiftState shift) {
    const Rect r = grid.cell_rect(col, row);
    if (r.width <= 0 || r.height <= 0) throw std::logic_error("press_cell: the cell is not visible");
    const int x = std::min(r.left + r.width / 2, grid.client_width() - 1);
    const int y = std::min(r.top + r.height / 2, grid.client_height() - 1);
    mouse_click(grid_view(grid), QPoint(x, y), qt_button(button), modifiers(shift));
}

void press_at(Control& control, int x, int y, MouseButton button, ShiftState shift) {
    QWidget* w = control.widget();
    QPoint p(x, y);
    if (auto* grid = dynamic_cast<StringGrid*>(&control)) {
        w = grid_view(*grid);
    } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
        // Lines and text take the mouse in the area inside the frame.
        w = area->viewport();
        p = w->mapFrom(control.widget(), p);
    }
    mouse_click(w, p, qt_button(button), modifiers(shift));
}

void click(Control& control) {
    QWidget* w = control.widget();
    if (auto* grid = dynamic_cast<StringGrid*>(&control)) w = grid_view(*grid);
    mouse_click(w, w->rect().center(), Qt::LeftButton, Qt::NoModifier);
}

void press_key(Control& control, int key, ShiftState shift) {
    QWidget* w = control.widget();
    if (auto* grid = dynamic_cast<StringGrid*>(&control)) w = grid_view(*grid);
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) w = combo->lineEdit();
    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w, qt_key(key), modifiers(shift));
    process_events();
}

namespace {
// A wheel event over the middle of a grid's cells; angle in eighths of a degree.
void send_wheel(StringGrid& grid, QPoint angle, Qt::KeyboardModifiers m) {
    QWidget* w = grid_view(grid);
    const QPoint p = w->rect().center();
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), angle, Qt::NoButton, m, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    process_events();
}
}  // namespace

void wheel(StringGrid& grid, int notches, ShiftState shift) {
    send_wheel(grid, QPoint(0, notches * 120), modifiers(shift));
}

void wheel_sideways(StringGrid& grid, int notches) {
    send_wheel(grid, QPoint(notches * 120, 0), Qt::NoModifier);
}

void scroll_to(StringGrid& grid, int left_col, int top_row) {
    for (QObject* child : grid.widget()->children()) {
        auto* bar = qobject_cast<QScrollBar*>(child);
        if (!bar) continue;
        const int value = bar->orientation() == Qt::Horizontal ? left_col : top_row;
        bar->setSliderPosition(value);
        bar->triggerAction(QAbstractSlider::SliderMove);
    }
    process_events();
}

void pick(ComboBox& combo, int index) {
    auto* c = static_cast<QComboBox*>(combo.widget());
    if (index < 0 || index >= c->count()) throw std::logic_error("pick: no such item");
    // A user can only pick from a list on screen; a hidden one would drop the click.
    if (!c->isVisible()) throw std::logic_error("pick: the combo box is not on screen");
    c->showPopup();
    process_events();
    QAbstractItemView* view = c->view();
    const QModelIndex item = view->model()->index(index, c->modelColumn());
    view->scrollTo(item);
    // An item's rectangle can be wider than a narrow box's list: the user
    // clicks the part of the item that is on screen.
    const QRect r = view->visualRect(item).intersected(view->viewport()->rect());
    if (r.isEmpty()) {
        c->hidePopup();
        process_events();
        throw std::logic_error("pick: the item is not in the drop-down list");
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    process_events();
    // A list still open has not taken the click: no pick happened.
    const bool missed = view->isVisible();
    if (missed) c->hidePopup();
    process_events();
    if (missed) throw std::logic_error("pick: the click picked nothing");
}

void pick(ListBox& list, int index) {
    auto* l = static_cast<QListWidget*>(list.widget());
    if (index < 0 || index >= l->count()) throw std::logic_error("pick: no such line");
    if (!l->isVisible()) throw std::logic_error("pick: the list box is not on screen");
    l->scrollToItem(l->item(index));
    const QRect r = l->visualItemRect(l->item(index));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    process_events();
}

namespace {
// Replaces a line's text as typing does: select all, then the keys (Delete for nothing).
void type_into(QLineEdit* e, const std::string& text) {
    e->setFocus(Qt::OtherFocusReason);
    e->selectAll();
    if (text.empty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, qt(text));
    process_events();
}
}  // namespace

void type_text(Edit& edit, const std::string& text) { type_into(static_cast<QLineEdit*>(edit.widget()), text); }

void type_text(ComboBox& combo, const std::string& text) {
    auto* c = static_cast<QComboBox*>(combo.widget());
    if (!c->lineEdit()) throw std::logic_error("type_text: the combo box is not editable");
    type_into(c->lineEdit(), text);
}

void type_text(Memo& memo, const std::string& text) {
    auto* m = static_cast<QPlainTextEdit*>(memo.widget());
    m->setFocus(Qt::OtherFocusReason);
    m->selectAll();
    QTest::keyClick(m, Qt::Key_Delete);
    QTest::keyClicks(m, qt(text));
    process_events();
}

void pick_page(PageControl& pages, int index) {
    auto* t = static_cast<QTabWidget*>(pages.widget());
    QTabBar* bar = t->tabBar();
    if (index < 0 || index >= bar->count() || !bar->isTabVisible(index)) return;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    process_events();
}

void choose(MenuItem& item) {
    if (PopupMenu* open = open_popup()) open->close_menu();
    if (item.enabled() && item.visible()) item.action()->trigger();
    process_events();
}

bool tick(Timer& timer) {
    if (!timer.enabled()) return false;
    timer.deliver_tick();
    process_events();
    return true;
}

void activate(Window& window) {
    window.widget()->activateWindow();
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(window.widget(), &e);
    process_events();
}

void close(Window& window) {
    QCloseEvent e;
    QApplication::sendEvent(window.widget(), &e);
    process_events();
}

}  // namespace kit::user
