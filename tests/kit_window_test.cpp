// Windows, menus, popup menus, timers, the dispatch point and the modal seam.
#include "platform/errors.h"
#include "platform/kit/kit.h"
#include "platform/kit/qt_modal.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QThread>
#include <QWindow>
#include <gtest/gtest.h>

namespace {
using namespace kit;

TEST(KitWindow, ShowActivatesSynchronouslyAndClosingGivesActivationBack) {
    std::vector<std::string> log;
    Window main("main"), dialog("dialog");
    main.on_activate = [&] { log.push_back("main activate"); };
    dialog.on_show = [&] { log.push_back("dialog show"); };
    dialog.on_activate = [&] { log.push_back("dialog activate"); };
    dialog.on_close = [&] {
        log.push_back("dialog close");
        main.set_enabled(true);
    };
    main.show();
    EXPECT_EQ(log, (std::vector<std::string>{"main activate"}));
    log.clear();
    // The opener disables itself and shows the dialog.
    main.set_enabled(false);
    dialog.show();
    EXPECT_EQ(log, (std::vector<std::string>{"dialog show", "dialog activate"}));
    EXPECT_TRUE(dialog.active());
    log.clear();
    user::close(main);  // blocked: the main window is disabled
    EXPECT_TRUE(main.visible());
    user::activate(main);  // a disabled window does not take the activation
    EXPECT_TRUE(dialog.active());
    user::close(dialog);
    EXPECT_EQ(log, (std::vector<std::string>{"dialog close", "main activate"}));
    EXPECT_FALSE(dialog.visible());
    EXPECT_TRUE(main.active());
    log.clear();
    dialog.show();  // shown again: show and activation again
    EXPECT_EQ(log, (std::vector<std::string>{"dialog show", "dialog activate"}));
    log.clear();
    dialog.show();  // already shown and active: nothing
    EXPECT_TRUE(log.empty());
    dialog.hide();
}

TEST(KitWindow, ActivationComingBackFromAnotherWindowRunsTheHandler) {
    Window a("a"), b("b");
    int a_count = 0, b_count = 0;
    a.on_activate = [&] { ++a_count; };
    b.on_activate = [&] { ++b_count; };
    a.show();
    b.show();
    user::process_events();
    EXPECT_EQ(a_count, 1);
    EXPECT_EQ(b_count, 1);
    user::activate(a);
    EXPECT_EQ(a_count, 2);
    user::activate(a);  // already active
    EXPECT_EQ(a_count, 2);
    user::activate(b);
    EXPECT_EQ(b_count, 2);
    a.hide();
    b.hide();
}

TEST(KitWindow, DisabledWindowTakesNoInputAndStaysUngreyed) {
    Window w("w");
    w.set_client_size(200, 100);
    Button b(w, "b");
    b.set_bounds(0, 0, 80, 25);
    int clicks = 0;
    b.on_click = [&] { ++clicks; };
    w.show();
    user::process_events();
    w.set_enabled(false);
    user::click(b);
    user::press_key(b, keys::space);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(b.widget()->isEnabled());  // not greyed
    w.set_enabled(true);
    user::click(b);
    EXPECT_EQ(clicks, 1);
    w.hide();
}

// A close from code runs the close handler as the close button does: an error
// in it is shown and the window closes all the same.
TEST(KitWindow, CloseRunsItsHandlerThroughTheDispatchPoint) {
    ScriptedModalGuard modal;
    Window w("w");
    bool in = false;
    w.on_close = [&] {
        in = in_handler();
        throw EditorError("close failed");
    };
    w.show();
    w.close();
    EXPECT_TRUE(in);
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"close failed."}));
}

TEST(KitWindow, ClosingTheMainWindowEndsTheProgram) {
    user::reset_main_window_closed();
    Window main("main"), other("other");
    set_main_window(main);
    int closed = 0;
    main.on_close = [&] { ++closed; };
    main.show();
    other.show();
    user::close(main);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(user::main_window_closed());
    EXPECT_FALSE(main.visible());
    EXPECT_FALSE(other.widget()->isVisible());
    user::reset_main_window_closed();
}

TEST(KitWindow, RunTimeControlsAndCreateHandler) {
    ScriptedModalGuard modal;
    Window w("w");
    GroupBox box(w, "SKILLS");
    std::vector<Label*> labels;
    w.on_create = [&] {
        for (int i = 0; i < 3; ++i) {
            Label& l = w.make<Label>(box, "skill");
            l.set_bounds(12, 26 + i * 22, 40, 16);
            labels.push_back(&l);
        }
        throw EditorError("Need a tiles to work");
    };
    w.created();
    EXPECT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[2]->top(), 70);
    EXPECT_EQ(labels[2]->parent(), &box);
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"Need a tiles to work."}));
}

TEST(KitWindow, ControlsMayGoInAnyOrder) {
    auto w = std::make_unique<Window>("w");
    auto pages = std::make_unique<PageControl>(*w);
    TabSheet& page = w->make<TabSheet>(*pages, "a");
    w->make<Label>(page, "on the page");
    auto menu = std::make_unique<MainMenu>(*w);
    auto file = std::make_unique<MenuItem>(*menu, "File");
    auto save = std::make_unique<MenuItem>(*file, "Save");
    w->show();
    pages.reset();  // the pages made at run time outlive their page control
    EXPECT_EQ(page.page_index(), -1);
    file.reset();   // a submenu's item outlives its parent
    save.reset();
    w.reset();
}

// A secondary window is a transient window of its opener: the window system
// keeps it above the opener. The opener is neither its Qt parent nor greyed
// (a disabled Qt parent would disable the window too), and a click on the
// disabled opener hands the activation on to the window over it.
TEST(KitWindow, ShowOverMakesATransientWindowOfTheOpener) {
    Window main("main"), a("a"), b("b");
    main.set_client_size(600, 400);
    a.set_client_size(300, 200);
    b.set_client_size(200, 100);
    // Each gives its opener the input back as it closes, as the dialogs do.
    a.on_close = [&] { main.set_enabled(true); };
    b.on_close = [&] { a.set_enabled(true); };
    main.show();
    main.set_enabled(false);
    a.show_over(main);
    EXPECT_TRUE(a.active());
    QWindow* main_handle = main.widget()->windowHandle();
    ASSERT_NE(a.widget()->windowHandle(), nullptr);
    EXPECT_EQ(a.widget()->windowHandle()->transientParent(), main_handle);
    EXPECT_EQ(a.widget()->parentWidget(), nullptr);
    EXPECT_TRUE(main.widget()->isEnabled());
    EXPECT_TRUE(a.widget()->isEnabled());

    user::activate(main);
    EXPECT_EQ(QApplication::activeWindow(), a.widget());
    EXPECT_TRUE(a.active());

    // One over the other: a click on the main window reaches the newest.
    a.set_enabled(false);
    b.show_over(a);
    EXPECT_EQ(b.widget()->windowHandle()->transientParent(), a.widget()->windowHandle());
    user::activate(main);
    EXPECT_EQ(QApplication::activeWindow(), b.widget());
    user::close(b);
    EXPECT_TRUE(a.active());

    // Opened again from another window, it belongs to that one.
    b.on_close = [&] { main.set_enabled(true); };
    user::close(a);
    main.set_enabled(false);
    b.show_over(main);
    EXPECT_EQ(b.widget()->windowHandle()->transientParent(), main_handle);
    user::close(b);
    EXPECT_TRUE(main.active());
    // Once closed, the opener takes the activation itself again.
    user::activate(main);
    EXPECT_EQ(QApplication::activeWindow(), main.widget());
    main.hide();
}

// Centred over the opener, below its caption band, on the screen.
TEST(KitWindow, PlaceOverCentresBelowTheCaptionAndOnTheScreen) {
    const Rect screen{0, 0, 1600, 1000};
    struct Case {
        const char* what;
        Rect opener;
        int width, height;
        Rect screen;
        Rect expected;
    };
    const Case cases[] = {
        {"smaller: centred", {100, 100, 600, 400}, 300, 200, screen, {250, 200, 300, 200}},
        {"taller: below the caption", {400, 300, 380, 290}, 560, 440, screen, {310, 324, 560, 440}},
        {"near the corner: on the screen", {1300, 800, 300, 200}, 400, 300, screen, {1200, 700, 400, 300}},
        {"at the top-left corner", {-50, -30, 200, 100}, 300, 200, screen, {0, 0, 300, 200}},
        {"larger than the screen", {100, 100, 600, 400}, 2000, 1200, screen, {0, 0, 2000, 1200}},
        {"on a second screen", {1500, 10, 200, 100}, 300, 200, {1600, 0, 1280, 1024}, {1600, 34, 300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(place_over(c.opener, 24, c.width, c.height, c.screen), c.expected);
    }
}

TEST(KitDispatch, ErrorsReachTheErrorBoxAndDirectCallsPropagate) {
    ScriptedModalGuard modal;
    std::function<void()> inner = [] { throw RangeError(); };
    bool after = false;
    dispatch([&] {
        try {
            inner();  // a handler calling another one directly sees the error
        } catch (const RangeError&) {
            after = true;
        }
        throw InOutError(2);
    });
    EXPECT_TRUE(after);
    dispatch([] { throw std::bad_alloc(); });
    dispatch([] { throw 42; });
    EXPECT_EQ(modal->errors,
              (std::vector<std::string>{"File not found.", "Out of memory.", "Unknown error."}));
    EXPECT_FALSE(in_handler());
}

TEST(KitMenu, ItemsCheckMarksAndPopupOrder) {
    ScriptedModalGuard modal;
    Window w("w");
    MainMenu menu(w);
    MenuItem options(menu, "Options");
    MenuItem animation(options, "animation");
    MenuItem broken(options, "broken");
    std::vector<std::string> log;
    animation.on_click = [&] {
        animation.set_checked(!animation.checked());
        log.push_back(animation.checked() ? "on" : "off");
    };
    broken.on_click = [] { throw EditorError("menu failed"); };
    w.show();
    user::choose(animation);
    user::choose(animation);
    user::choose(broken);
    EXPECT_EQ(log, (std::vector<std::string>{"on", "off"}));
    EXPECT_FALSE(animation.checked());
    EXPECT_EQ(modal->errors, (std::vector<std::string>{"menu failed."}));

    PopupMenu popup;
    MenuItem del(popup, "delete object");
    del.on_click = [&] { log.push_back("item"); };
    Image image(w);
    image.set_bounds(0, 0, 32, 32);
    image.on_mouse_down = [&](MouseButton b, ShiftState, int, int) {
        if (b != MouseButton::right) return;
        del.set_caption("delete object 3 door");
        popup.popup_at_cursor();
        // The item is chosen while the menu is open, before this handler ends.
        user::choose(del);
        log.push_back("opener done");
    };
    log.clear();
    user::press_at(image, 5, 5, MouseButton::right);
    user::process_events();
    EXPECT_EQ(log, (std::vector<std::string>{"opener done", "item"}));
    EXPECT_EQ(del.caption(), "delete object 3 door");

    // A control's own popup menu opens on a right click.
    image.on_mouse_down = nullptr;
    image.set_popup_menu(&popup);
    user::press_at(image, 5, 5, MouseButton::right);
    EXPECT_EQ(user::open_popup(), &popup);
    popup.close_menu();
    w.hide();
}

TEST(KitTimer, TicksWaitForHandlersAndEnablingDoesNotRestart) {
    Timer t(30);
    int ticks = 0;
    t.on_timer = [&] { ++ticks; };
    EXPECT_FALSE(user::tick(t));  // created disabled
    t.set_enabled(true);
    EXPECT_TRUE(user::tick(t));
    EXPECT_EQ(ticks, 1);

    // A tick that falls inside a handler waits until it has returned.
    dispatch([&] {
        t.deliver_tick();
        t.deliver_tick();
        EXPECT_EQ(ticks, 1);
    });
    EXPECT_EQ(ticks, 1);
    user::process_events();
    EXPECT_EQ(ticks, 2);  // the two fold into one

    // Real ticks: enabling again while running does not restart the count-down.
    ticks = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20) QThread::msleep(2);
    t.set_enabled(true);
    while (clock.elapsed() < 45) {
        user::process_events();
        QThread::msleep(1);
    }
    EXPECT_GE(ticks, 1);
    t.set_enabled(false);
    ticks = 0;
    QThread::msleep(40);
    user::process_events();
    EXPECT_EQ(ticks, 0);

    // A failing tick handler reaches the error box; the timer goes on.
    ScriptedModalGuard modal;
    t.on_timer = [&] {
        ++ticks;
        throw EditorError("tick failed");
    };
    t.set_enabled(true);
    user::tick(t);
    user::tick(t);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(modal->errors.size(), 2u);
}

TEST(KitModal, FilterAndDefaultExtension) {
    EXPECT_EQ(qt_filter("world file|*.wld"), "world file (*.wld)");
    EXPECT_EQ(qt_filter("a|*.a|b|*.b;*.c"), "a (*.a);;b (*.b *.c)");
    EXPECT_EQ(with_default_extension("/tmp/w1", "wld"), "/tmp/w1.wld");
    EXPECT_EQ(with_default_extension("/tmp/w1.dat", "wld"), "/tmp/w1.dat");
    EXPECT_EQ(with_default_extension("/tmp.d/w1", "wld"), "/tmp.d/w1.wld");
    EXPECT_EQ(with_default_extension("/tmp/w1", ""), "/tmp/w1");
}

}  // namespace
