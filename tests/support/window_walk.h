#pragma once
// Walkers over the editor's windows that the robustness suite, the hostile
// world corpus and the hostile world fuzzer share: the secondary windows and
// their openers, the controls of a window as a user reaches them, and the
// checks that no window is left without input. They report faults through a
// callback, so the suites fail a test and the fuzzer stops the run.
#include "platform/kit/kit.h"
#include "platform/modal.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class TForm1;

namespace walk {

using Fault = std::function<void(const std::string&)>;

// The ten secondary windows.
std::vector<kit::Window*> secondary_windows();

// Texts of errors that only come out of the standard library: an action read
// past a list or asked for more memory than a list may have.
bool library_error(const std::string& text);

// What is wrong when nothing should be open: the main window takes no input, a
// secondary window is open or takes no input (it would open locked), a popup
// menu is open. One line each; empty when all is well.
std::vector<std::string> unsettled(TForm1& form);

// A control that is shown and takes input.
bool reachable(kit::Control& c);
// Opens the pages a control stands on, as a user reaches it; false when a tab
// on the way is hidden or the control is not reachable then.
bool reveal(kit::Control& c);
// The controls on a widget and its children, in design order, once each; the
// pages of page controls are left out (they are reached through their tabs).
std::vector<QPointer<QWidget>> controls_under(QWidget* parent);
// Every control under a widget, also on the pages of its page controls.
std::vector<QPointer<QWidget>> all_controls_under(QWidget* parent);

// File > Open with the file dialog answered path; the error it reported, or empty.
std::string open_through_menu(TForm1& form, ScriptedModal& modal, const std::string& path);

// Opens every page of the main window through its tab, then every secondary
// window from each of its openers (the page buttons, the map's cells and
// their popup menus, and inside the windows the cells and slots whose popup
// menus open the item and resource editors), each window walked for the
// windows it opens in turn and then closed. After every action: no error
// from the standard library, every window that opened closes and gives its
// opener back, and at the end of each opener nothing is left open or locked.
class OpenerWalk {
public:
    OpenerWalk(ScriptedModal& modal, Fault fault, std::string world)
        : modal_(modal), fault_(std::move(fault)), world_(std::move(world)) {}

    void refresh_pages(TForm1& form);
    void open_every_window(TForm1& form);

    // "<window> from <opener>" for every window opened.
    const std::set<std::string>& opened() const { return opened_; }
    int actions() const { return actions_; }

private:
    ScriptedModal& modal_;
    Fault fault_;
    std::string world_;
    std::set<std::string> opened_;
    int actions_ = 0;
    // How often each window was walked for the windows it opens, by (window, opener).
    std::map<std::pair<kit::Window*, kit::Window*>, int> walked_;
    static constexpr int walks_per_opener = 3;

    void fail(const kit::Window& w, const std::string& what, const std::string& problem) const;
    void settle(TForm1& form, const std::string& what);
    // Runs an action on win; the windows it opens are walked for the windows
    // they open in turn (to depth 3, walks_per_opener times for each opener)
    // and closed; a popup menu it opens has each of its items that open a
    // window chosen in turn, the action run again before each.
    void act(kit::Window& win, const std::string& what, const std::function<void()>& action, int depth);
    void run(kit::Window& win, const std::string& what, const std::function<void()>& action, int depth);
    // The right clicks on the cells and slots of a secondary window.
    void inner_openers(kit::Window& dialog, int depth);
    void map_openers(TForm1& form);
};

}  // namespace walk
