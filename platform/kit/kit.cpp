// The dispatch point, the base control, windows and the event loop.
#include "platform/kit/kit_private.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/modal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <new>

namespace kit {

// ---------------------------------------------------------------- dispatch

namespace {
int depth = 0;
std::deque<std::function<void()>>& posted() {
    static std::deque<std::function<void()>> queue;
    return queue;
}
bool flush_scheduled = false;

void flush_posted();

void schedule_flush() {
    if (flush_scheduled || posted().empty() || !qApp) return;
    flush_scheduled = true;
    QTimer::singleShot(0, qApp, [] {
        flush_scheduled = false;
        flush_posted();
    });
}

void flush_posted() {
    while (depth == 0 && !posted().empty()) {
        auto handler = std::move(posted().front());
        posted().pop_front();
        dispatch(handler);
    }
}
}  // namespace

void dispatch(const std::function<void()>& handler) {
    if (!handler) return;
    ++depth;
    try {
        handler();
    } catch (const std::bad_alloc&) {
        try {
            modal().error(error_box_text(OutOfMemoryError().what()));
        } catch (...) {
        }
    } catch (const std::exception& e) {
        try {
            modal().error(error_box_text(e.what()));
        } catch (...) {
        }
    } catch (...) {
        try {
            modal().error(error_box_text("Unknown error"));
        } catch (...) {
        }
    }
    --depth;
    if (depth == 0) schedule_flush();
}

bool in_handler() { return depth > 0; }

void post(std::function<void()> handler) {
    if (!handler) return;
    posted().push_back(std::move(handler));
    if (depth == 0) schedule_flush();
}

// ---------------------------------------------------------------- helpers

namespace detail {

QString qt(const std::string& text) { return from_cp1251(text); }
std::string model(const QString& text) { return to_cp1251(text); }

QColor qcolor(TColor c) { return QColor(color_red(c), color_green(c), color_blue(c)); }

ShiftState shift_of(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    ShiftState s;
    s.shift = m & Qt::ShiftModifier;
    s.ctrl = m & Qt::ControlModifier;
    s.alt = m & Qt::AltModifier;
    s.left = b & Qt::LeftButton;
    s.right = b & Qt::RightButton;
    s.middle = b & Qt::MiddleButton;
    return s;
}

MouseButton button_of(Qt::MouseButton b) {
    if (b == Qt::RightButton) return MouseButton::right;
    if (b == Qt::MiddleButton) return MouseButton::middle;
    return MouseButton::left;
}

int key_code(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return keys::f1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return keys::back;
    case Qt::Key_Tab: case Qt::Key_Backtab: return keys::tab;
    case Qt::Key_Return: case Qt::Key_Enter: return keys::enter;
    case Qt::Key_Shift: return keys::shift;
    case Qt::Key_Control: return keys::control;
    case Qt::Key_Alt: return keys::alt;
    case Qt::Key_Escape: return keys::escape;
    case Qt::Key_Space: return keys::space;
    case Qt::Key_PageUp: return keys::page_up;
    case Qt::Key_PageDown: return keys::page_down;
    case Qt::Key_End: return keys::end;
    case Qt::Key_Home: return keys::home;
    case Qt::Key_Left: return keys::left;
    case Qt::Key_Up: return keys::up;
    case Qt::Key_Right: return keys::right;
    case Qt::Key_Down: return keys::down;
    case Qt::Key_Insert: return keys::insert;
    case Qt::Key_Delete: return keys::del;
    default: return 0;
    }
}

namespace {
const char* control_property = "kit_control";

// Controls whose click is made of a left press and release (the others have
// a click signal of their own).
bool clicks_by_mouse(Control* c) {
    return dynamic_cast<Image*>(c) || dynamic_cast<Label*>(c) || dynamic_cast<Panel*>(c) ||
           dynamic_cast<GroupBox*>(c);
}

class Router : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        Control* c = control_of(object);
        if (!c) return false;
        auto* w = static_cast<QWidget*>(object);
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint p = c->widget()->mapFromGlobal(me->globalPosition().toPoint());
            pressed_ = c;
            fire(c->on_mouse_down, button_of(me->button()),
                 shift_of(me->modifiers(), me->buttons()), p.x(), p.y());
            // A press on a picture or a label is theirs: it does not reach the parent.
            return clicks_by_mouse(c);
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint p = c->widget()->mapFromGlobal(me->globalPosition().toPoint());
            QPointer<QWidget> guard(w);
            fire(c->on_mouse_up, button_of(me->button()),
                 shift_of(me->modifiers(), me->buttons()), p.x(), p.y());
            if (!guard) return true;
            const bool was_pressed = pressed_ == c;
            pressed_ = nullptr;
            if (me->button() == Qt::LeftButton && was_pressed && clicks_by_mouse(c) &&
                c->widget()->rect().contains(p))
                fire(c->on_click);
            return clicks_by_mouse(c);
        }
        case QEvent::MouseButtonDblClick:
            fire(c->on_dbl_click);
            return false;
        case QEvent::ContextMenu:
            if (c->popup_menu()) {
                show_popup_of(c);
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            if (!c->on_key_down) return false;
            auto* ke = static_cast<QKeyEvent*>(event);
            int key = key_code(ke->key());
            if (key == 0) return false;
            fire(c->on_key_down, key, shift_of(ke->modifiers(), Qt::NoButton));
            return key == 0;
        }
        default:
            return false;
        }
    }
    Control* pressed_ = nullptr;
};

Router& router() {
    static Router r;
    return r;
}

// Blocks input to windows that are disabled, without greying them.
class InputBlocker : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            break;
        default:
            return false;
        }
        if (!object->isWidgetType()) return false;
        QWidget* top = static_cast<QWidget*>(object)->window();
        if (!top) return false;
        auto* w = dynamic_cast<Window*>(control_of(top));
        return w && !w->enabled();
    }
};
}  // namespace

Control* control_of(const QObject* widget) {
    if (!widget) return nullptr;
    const QVariant v = widget->property(control_property);
    if (!v.isValid()) return nullptr;
    return reinterpret_cast<Control*>(v.value<quintptr>());
}

void route(QWidget* widget, Control* control) {
    widget->setProperty(control_property, QVariant::fromValue(reinterpret_cast<quintptr>(control)));
    widget->installEventFilter(&router());
}

void unroute(QWidget* widget) {
    if (!widget) return;
    widget->setProperty(control_property, QVariant());
    widget->removeEventFilter(&router());
    if (router().pressed_ && router().pressed_->widget() == widget) router().pressed_ = nullptr;
}

void show_popup_of(Control* control) {
    if (control && control->popup_menu()) control->popup_menu()->popup_at_cursor();
}

void install_input_blocker() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    static InputBlocker blocker;
    qApp->installEventFilter(&blocker);
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------- Control

Control::Control(Control* parent, QWidget* widget) : widget_(widget), parent_(parent) {
    if (parent && parent->container()) {
        widget->setParent(parent->container());
        widget->show();
    }
    route(widget, this);
}

Control::~Control() {
    if (widget_) {
        unroute(widget_);
        delete widget_.data();
    }
}

void Control::set_parent(Control& parent) {
    if (&parent == this || !widget_ || !parent.container()) return;
    parent_ = &parent;
    const QPoint pos = widget_->pos();
    widget_->setParent(parent.container());
    widget_->move(pos);
    widget_->setVisible(visible_);
}

Window* Control::window() const {
    const Control* c = this;
    while (c) {
        if (auto* w = dynamic_cast<const Window*>(c)) return const_cast<Window*>(w);
        c = c->parent_;
    }
    return nullptr;
}

int Control::left() const { return widget_ ? widget_->x() : 0; }
int Control::top() const { return widget_ ? widget_->y() : 0; }
int Control::width() const { return widget_ ? widget_->width() : 0; }
int Control::height() const { return widget_ ? widget_->height() : 0; }
void Control::set_left(int left) { set_bounds(left, top(), width(), height()); }
void Control::set_top(int top) { set_bounds(left(), top, width(), height()); }
void Control::set_width(int width) { set_bounds(left(), top(), width, height()); }
void Control::set_height(int height) { set_bounds(left(), top(), width(), height); }
void Control::set_bounds(int left, int top, int width, int height) {
    if (widget_) widget_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}
Rect Control::bounds() const { return Rect{left(), top(), width(), height()}; }

void Control::set_visible(bool visible) {
    visible_ = visible;
    if (widget_) widget_->setVisible(visible);
}

void Control::set_enabled(bool enabled) {
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

void Control::set_hint(const std::string& hint) {
    if (widget_) widget_->setToolTip(qt(hint));
}
std::string Control::hint() const { return widget_ ? model(widget_->toolTip()) : std::string(); }

void Control::set_color(TColor color) {
    if (!widget_) return;
    QPalette p = widget_->palette();
    p.setColor(QPalette::Window, qcolor(color));
    p.setColor(QPalette::Base, qcolor(color));
    widget_->setPalette(p);
    widget_->setAutoFillBackground(true);
}

bool Control::focused() const { return widget_ && widget_->hasFocus(); }

void Control::set_cursor(Cursor cursor) {
    cursor_ = cursor;
    if (!widget_) return;
    // Child widgets without a shape of their own show their parent's.
    if (cursor == Cursor::normal) widget_->unsetCursor();
    else widget_->setCursor(Qt::DragMoveCursor);
}

void Control::refresh() {
    if (widget_) widget_->repaint();
}
void Control::invalidate() {
    if (widget_) widget_->update();
}

QWidget* Control::container() const { return nullptr; }

// ---------------------------------------------------------------- Window

namespace {
Window* g_active = nullptr;
Window* main_win = nullptr;
bool main_closed = false;
std::vector<Window*>& history() {  // most recently active last
    static std::vector<Window*> h;
    return h;
}

void make_active(Window* w) {
    if (!w || g_active == w) return;
    g_active = w;
    auto& h = history();
    h.erase(std::remove(h.begin(), h.end(), w), h.end());
    h.push_back(w);
    fire(w->on_activate);
}

// The most recently active visible, enabled window shown over w (through
// Window::show_over, directly or over another window shown over w), or nullptr.
Window* shown_over(const Window* w) {
    const QWindow* base = w->widget() ? w->widget()->windowHandle() : nullptr;
    if (!base) return nullptr;
    auto& h = history();
    for (auto it = h.rbegin(); it != h.rend(); ++it) {
        Window* x = *it;
        if (x == w || !x->visible() || !x->enabled() || !x->widget()) continue;
        const QWindow* handle = x->widget()->windowHandle();
        for (const QWindow* p = handle ? handle->transientParent() : nullptr; p; p = p->transientParent())
            if (p == base) return x;
    }
    return nullptr;
}
}  // namespace

class Window::Impl : public QWidget {
public:
    explicit Impl(Window* owner) : owner_(owner) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        client_ = new QWidget(this);
        layout->addWidget(client_, 1);
        resize(400, 300);
    }
    QWidget* client_;
    Window* owner_;
    bool closing_ = false;

protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (closing_ || !owner_ || !owner_->enabled()) return;
        Window* w = owner_;
        dispatch([w] { w->close(); });
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && owner_) {
            QPointer<QWidget> self(this);
            Window* w = owner_;
            // Activation by the window system (a click on another window of the
            // program): looked at once the queued window events have settled.
            QTimer::singleShot(0, this, [self, w] {
                if (!self || QApplication::activeWindow() != self.data()) return;
                if (!w->visible() || Window::active_window() == w) return;
                if (w->enabled()) {
                    make_active(w);
                    return;
                }
                // A disabled window waits for a secondary window opened over
                // it: a click on it hands the activation on to that window,
                // where the input goes.
                if (Window* over = shown_over(w)) {
                    if (QGuiApplication::platformName() != "offscreen") over->impl_->raise();
                    over->impl_->activateWindow();
                }
            });
        }
        return QWidget::event(e);
    }
};

Window::Window(const std::string& caption) : Control(nullptr, new Impl(this)) {
    impl_ = static_cast<Impl*>(widget_.data());
    // A window's own mouse and key events are not reported; only its input is blocked.
    impl_->removeEventFilter(&router());
    install_input_blocker();
    Control::visible_ = false;
    impl_->setWindowTitle(qt(caption));
}

Window::~Window() {
    owned_.clear();
    if (g_active == this) g_active = nullptr;
    if (main_win == this) main_win = nullptr;
    auto& h = history();
    h.erase(std::remove(h.begin(), h.end(), this), h.end());
    if (impl_ && widget_) impl_->owner_ = nullptr;
}

std::string Window::caption() const { return model(impl_->windowTitle()); }
void Window::set_caption(const std::string& caption) { impl_->setWindowTitle(qt(caption)); }

void Window::set_client_size(int width, int height) {
    int extra = 0;
    if (auto* bar = impl_->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly))
        extra = bar->sizeHint().height();
    impl_->resize(width, height + extra);
    impl_->client_->resize(width, height);
}
int Window::client_width() const { return impl_->client_->width(); }
int Window::client_height() const { return impl_->client_->height(); }

void Window::show() {
    const bool was_hidden = !Control::visible_;
    Control::visible_ = true;
    impl_->show();
    if (QGuiApplication::platformName() != "offscreen") impl_->raise();
    impl_->activateWindow();
    if (was_hidden) fire(on_show);
    if (Control::visible_) make_active(this);
}

Rect place_over(const Rect& opener_frame, int caption, int width, int height, const Rect& screen) {
    int left = opener_frame.left + (opener_frame.width - width) / 2;
    int top = std::max(opener_frame.top + (opener_frame.height - height) / 2, opener_frame.top + caption);
    left = std::max(std::min(left, screen.right() - width), screen.left);
    top = std::max(std::min(top, screen.bottom() - height), screen.top);
    return Rect{left, top, width, height};
}

namespace {
Rect rect_of(const QRect& r) { return Rect{r.x(), r.y(), r.width(), r.height()}; }
}  // namespace

void Window::show_over(Window& opener) {
    if (&opener == this || !opener.impl_) {
        show();
        return;
    }
    // A secondary window is of the dialog kind: only for that kind does Qt
    // hand the link to the opener to the window system (on X11 as
    // WM_TRANSIENT_FOR). The kind is set while the window is hidden, as Qt
    // makes the native window anew for it.
    if (!Control::visible_ && impl_->windowType() != Qt::Dialog)
        impl_->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint);
    // Both native windows exist, so the link is made before this one maps:
    // the window system reads it when the window is shown.
    impl_->winId();
    opener.impl_->winId();
    QWindow* own = impl_->windowHandle();
    QWindow* parent = opener.impl_->windowHandle();
    if (own && parent && own->transientParent() != parent) own->setTransientParent(parent);
    if (!Control::visible_) {
        const QRect client = opener.impl_->geometry();
        const QRect frame = opener.impl_->frameGeometry();
        // The frame this window will get: its own once it has been shown with
        // one, else the opener's (the window manager frames both alike).
        QRect own_client = impl_->geometry(), own_frame = impl_->frameGeometry();
        if (own_frame == own_client) {
            own_client = client;
            own_frame = frame;
        }
        const int left_border = own_client.left() - own_frame.left();
        const int top_border = own_client.top() - own_frame.top();
        const int width = impl_->width() + own_frame.width() - own_client.width();
        const int height = impl_->height() + own_frame.height() - own_client.height();
        // The opener's caption is the band above its client area; without a
        // window manager there is none, and a band as high as a title bar
        // stays in sight instead, so that the opener still shows behind.
        const int title_bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const int caption = std::max(client.top() - frame.top(), title_bar);
        QScreen* screen = opener.impl_->screen();
        if (!screen) screen = QGuiApplication::primaryScreen();
        const Rect area = screen ? rect_of(screen->availableGeometry()) : Rect{0, 0, 1 << 16, 1 << 16};
        const Rect at = place_over(rect_of(frame), caption, width, height, area);
        impl_->setGeometry(at.left + left_border, at.top + top_border, impl_->width(), impl_->height());
    }
    show();
}

void Window::hide() {
    const bool was_visible = Control::visible_;
    Control::visible_ = false;
    impl_->hide();
    if (!was_visible || g_active != this) return;
    g_active = nullptr;
    if (main_closed) return;
    // Activation goes back to the most recent other window that can take it.
    auto& h = history();
    for (auto it = h.rbegin(); it != h.rend(); ++it) {
        Window* w = *it;
        if (w != this && w->visible() && w->enabled()) {
            w->impl_->activateWindow();
            make_active(w);
            return;
        }
    }
}

void Window::set_visible(bool visible) {
    if (visible)
        show();
    else
        hide();
}

void Window::close() {
    if (impl_->closing_) return;
    impl_->closing_ = true;
    struct Reset {
        Impl* impl;
        ~Reset() { impl->closing_ = false; }
    } reset{impl_};
    fire(on_close);
    if (main_win == this) {
        main_closed = true;
        for (Window* w : history())
            if (w != this) w->impl_->hide();
        hide();
        if (qApp) QCoreApplication::quit();
        return;
    }
    hide();
}

void Window::set_enabled(bool enabled) {
    // Input is blocked by the application-wide filter; the window keeps its look.
    Control::enabled_ = enabled;
}

bool Window::active() const { return g_active == this; }
Window* Window::active_window() { return g_active; }

void Window::created() { fire(on_create); }

QWidget* Window::container() const { return impl_ ? impl_->client_ : nullptr; }

void set_main_window(Window& window) {
    if (!main_win) main_win = &window;
}

int run(Window& main) {
    set_main_window(main);
    main.show();
    if (main_closed) return 0;
    return QApplication::exec();
}

namespace user {
bool main_window_closed() { return main_closed; }
void reset_main_window_closed() { main_closed = false; }
}  // namespace user

}  // namespace kit
