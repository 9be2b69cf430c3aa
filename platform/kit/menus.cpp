// Main menus, popup menus, menu items and timers.
#include "platform/kit/kit_private.h"

#include <QAction>
#include <QCursor>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace kit {

using namespace detail;

namespace {
PopupMenu*& open_menu() {
    static PopupMenu* menu = nullptr;
    return menu;
}
}  // namespace

// ---------------------------------------------------------------- MainMenu

MainMenu::MainMenu(Window& window) {
    auto* bar = new QMenuBar(window.widget());
    bar_ = bar;
    if (QLayout* layout = window.widget()->layout()) layout->setMenuBar(bar);
}

// ---------------------------------------------------------------- PopupMenu

PopupMenu::PopupMenu() : menu_(new QMenu) {
    QObject::connect(menu_, &QMenu::aboutToHide, [this] {
        if (open_menu() == this) open_menu() = nullptr;
    });
}

PopupMenu::~PopupMenu() {
    if (open_menu() == this) open_menu() = nullptr;
    delete menu_;
}

void PopupMenu::popup(int screen_x, int screen_y) {
    fire(on_popup);
    open_menu() = this;
    // Returns at once: a chosen item's handler runs from the event loop, after
    // the handler that opened the menu.
    menu_->popup(QPoint(screen_x, screen_y));
}

void PopupMenu::popup_at_cursor() {
    const QPoint p = QCursor::pos();
    popup(p.x(), p.y());
}

bool PopupMenu::is_open() const { return open_menu() == this && menu_->isVisible(); }

void PopupMenu::close_menu() { menu_->hide(); }

namespace user {
PopupMenu* open_popup() {
    PopupMenu* m = open_menu();
    return m && m->is_open() ? m : nullptr;
}
}  // namespace user

// ---------------------------------------------------------------- MenuItem

MenuItem::MenuItem(MainMenu& menu, const std::string& caption) {
    auto* bar = static_cast<QMenuBar*>(menu.bar_.data());
    action_ = new QAction(qt(caption), bar);
    bar->addAction(action_);
    init(caption);
}

MenuItem::MenuItem(MenuItem& parent, const std::string& caption) {
    if (!parent.submenu_) {
        parent.submenu_ = new QMenu;
        parent.action_->setMenu(parent.submenu_);
    }
    owner_menu_ = parent.submenu_;
    action_ = new QAction(qt(caption), parent.submenu_);
    parent.submenu_->addAction(action_);
    init(caption);
}

MenuItem::MenuItem(PopupMenu& menu, const std::string& caption) {
    owner_menu_ = menu.menu_;
    action_ = new QAction(qt(caption), menu.menu_);
    menu.menu_->addAction(action_);
    init(caption);
}

MenuItem::~MenuItem() {
    delete submenu_;
    submenu_ = nullptr;
}

void MenuItem::init(const std::string&) {
    QObject::connect(action_, &QAction::triggered, [this] {
        // Check marks change by code only.
        if (action_->isCheckable() && action_->isChecked() != checked_) action_->setChecked(checked_);
        if (!on_click) return;
        auto handler = on_click;
        if (in_handler())
            post(handler);
        else
            dispatch(handler);
    });
}

std::string MenuItem::caption() const { return model(action_->text()); }
void MenuItem::set_caption(const std::string& caption) { action_->setText(qt(caption)); }

void MenuItem::set_checked(bool checked) {
    checked_ = checked;
    if (checked) action_->setCheckable(true);
    action_->setChecked(checked);
}

bool MenuItem::enabled() const { return action_->isEnabled(); }
void MenuItem::set_enabled(bool enabled) { action_->setEnabled(enabled); }
bool MenuItem::visible() const { return action_->isVisible(); }
void MenuItem::set_visible(bool visible) { action_->setVisible(visible); }

// ---------------------------------------------------------------- Timer

Timer::Timer(int interval_ms, bool enabled) : timer_(new QTimer), interval_(interval_ms), enabled_(false) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, [this] { deliver_tick(); });
    if (enabled) set_enabled(true);
}

Timer::~Timer() { delete timer_; }

void Timer::set_interval(int interval_ms) {
    interval_ = interval_ms;
    if (enabled_) {
        timer_->start(std::max(1, interval_));
        waiting_ = false;
    }
}

void Timer::set_enabled(bool enabled) {
    if (enabled == enabled_) return;  // enabling an enabled timer does not restart it
    enabled_ = enabled;
    waiting_ = false;
    if (enabled && interval_ > 0)
        timer_->start(std::max(1, interval_));
    else
        timer_->stop();
}

void Timer::deliver_tick() {
    if (!enabled_) return;
    if (in_handler()) {
        // Between handlers only: one tick waits, later ones fold into it.
        if (waiting_) return;
        waiting_ = true;
        QPointer<QTimer> alive(timer_);
        post([this, alive] {
            if (!alive) return;
            waiting_ = false;
            if (enabled_ && on_timer) on_timer();
        });
        return;
    }
    if (on_timer) dispatch(on_timer);
}

}  // namespace kit
