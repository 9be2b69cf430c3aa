#include "tests/support/window_walk.h"

#include "mainwindow/main.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/state.h"
#include "platform/kit/kit_private.h"
#include "tests/support/kit_user.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <stdexcept>

namespace walk {

std::vector<kit::Window*> secondary_windows() {
    return {editor.Form2, editor.Form3, editor.Form4, editor.Form5,  editor.Form6,
            editor.Form7, editor.Form8, editor.Form9, editor.Form10, editor.Finv};
}

bool library_error(const std::string& text) {
    for (const char* sign : {"vector", "basic_string", "_M_", "std::", "Unknown error", "Out of memory", "bad_"})
        if (text.find(sign) != std::string::npos) return true;
    return false;
}

std::vector<std::string> unsettled(TForm1& form) {
    std::vector<std::string> out;
    if (!form.enabled()) out.push_back("the main window takes no input");
    for (kit::Window* d : secondary_windows()) {
        if (!d) continue;
        if (d->visible()) out.push_back(d->name + " is left open");
        if (!d->enabled()) out.push_back(d->name + " takes no input");
    }
    if (kit::user::open_popup()) out.push_back("a popup menu is left open");
    return out;
}

bool reachable(kit::Control& c) { return c.widget() && c.widget()->isVisible() && c.widget()->isEnabled(); }

bool reveal(kit::Control& c) {
    std::vector<kit::TabSheet*> pages;
    for (kit::Control* p = c.parent(); p; p = p->parent())
        if (auto* sheet = dynamic_cast<kit::TabSheet*>(p)) pages.push_back(sheet);
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        auto* control = dynamic_cast<kit::PageControl*>((*it)->parent());
        if (!control || !(*it)->tab_visible()) return false;
        if (control->active_page_index() != (*it)->page_index()) kit::user::pick_page(*control, (*it)->page_index());
    }
    return reachable(c);
}

std::vector<QPointer<QWidget>> controls_under(QWidget* parent) {
    std::vector<QPointer<QWidget>> out;
    std::set<kit::Control*> seen;
    const std::function<void(QWidget*)> visit = [&](QWidget* w) {
        for (QObject* child : w->children()) {
            auto* cw = qobject_cast<QWidget*>(child);
            if (!cw || cw->isWindow()) continue;
            kit::Control* c = kit::detail::control_of(cw);
            if (c && seen.insert(c).second) out.push_back(cw);
            if (!dynamic_cast<kit::PageControl*>(c)) visit(cw);
        }
    };
    visit(parent);
    return out;
}

std::vector<QPointer<QWidget>> all_controls_under(QWidget* parent) {
    std::vector<QPointer<QWidget>> out;
    for (QWidget* w : parent->findChildren<QWidget*>())
        if (!w->isWindow() && kit::detail::control_of(w) && kit::detail::control_of(w)->widget() == w)
            out.push_back(w);
    return out;
}

std::string open_through_menu(TForm1& form, ScriptedModal& modal, const std::string& path) {
    const std::size_t errors = modal.errors.size();
    modal.open_answers.push_back(path);
    kit::user::choose(form.OPen1);
    return modal.errors.size() > errors ? modal.errors.back() : std::string();
}

namespace {

// The popup menu items that open a window, by caption; the map's menus name
// what they act on after the word ("properties 0 chest", "inv of 1 guard").
bool opens_a_window(const QString& caption) {
    for (const char* c : {"properties", "ground", "parts", "inv", "settings", "edit"})
        if (caption == c || caption.startsWith(QString(c) + " ")) return true;
    return false;
}

// A right press on a grid cell, when the cell is on screen.
void right_press(kit::StringGrid& grid, int col, int row) {
    if (reveal(grid) && col < grid.col_count() && row < grid.row_count() && grid.cell_rect(col, row).width > 0)
        kit::user::press_cell(grid, col, row, kit::MouseButton::right);
}

}  // namespace

void OpenerWalk::fail(const kit::Window& w, const std::string& what, const std::string& problem) const {
    fault_(world_ + ": " + w.name + " " + what + ": " + problem);
}

void OpenerWalk::settle(TForm1& form, const std::string& what) {
    for (const std::string& p : unsettled(form)) fail(form, what, p);
    // Whatever went wrong, the next opener starts from a usable editor.
    if (kit::PopupMenu* menu = kit::user::open_popup()) menu->close_menu();
    for (kit::Window* d : secondary_windows())
        if (d && d->visible()) kit::user::close(*d);
}

void OpenerWalk::refresh_pages(TForm1& form) {
    for (int p = 0; p < form.PC.page_count(); ++p) {
        if (!form.PC.page(p)->tab_visible()) continue;
        act(form, "tab " + std::to_string(p), [&form, p] { kit::user::pick_page(form.PC, p); }, 0);
        // What the page shows, painted.
        for (const QPointer<QWidget>& w : all_controls_under(form.PC.page(p)->widget()))
            if (w && w->isVisible()) w->repaint();
        settle(form, "page " + std::to_string(p));
    }
}

void OpenerWalk::open_every_window(TForm1& form) {
    // The catalogue pages' buttons, on the selection as it stands (stale after
    // an Open) and again on the first entry of the catalogue.
    struct PageOpener {
        int page;
        kit::Button* button;
        kit::StringGrid* catalogue;
    };
    const PageOpener buttons[] = {{page::objects, &form.objects->Button42, &form.objects->sg_objects},
                                  {page::items, &form.items->Button24, &form.items->sg_pitems},
                                  {page::resources, &form.resources->Button25, &form.resources->sg_presources},
                                  {page::npc, &form.npc->Button23, &form.npc->sg_pnpc}};
    for (const PageOpener& o : buttons) {
        act(form, "tab " + std::to_string(o.page), [&form, &o] { kit::user::pick_page(form.PC, o.page); }, 0);
        act(form, o.button->name, [&o] { kit::user::click(*o.button); }, 0);
        act(form, o.catalogue->name + " entry 0", [&o] {
            if (o.catalogue->cell_rect(0, 0).width > 0) kit::user::press_cell(*o.catalogue, 0, 0);
        }, 0);
        act(form, o.button->name + " on entry 0", [&o] { kit::user::click(*o.button); }, 0);
        settle(form, o.button->name);
    }
    map_openers(form);
}

void OpenerWalk::map_openers(TForm1& form) {
    MapPage& m = *form.map;
    act(form, "tab map", [&form] { kit::user::pick_page(form.PC, page::map); }, 0);
    const TWorld& w = editor.world;
    for (int i = m.cb_maps.count() - 1; i >= 0; --i) {
        act(form, "cb_maps item " + std::to_string(i), [&m, i] {
            if (i < m.cb_maps.count()) kit::user::pick(m.cb_maps, i);
        }, 0);
        if (i >= static_cast<int>(w.maps.size())) continue;
        const Tmap& map = w.maps[static_cast<std::size_t>(i)];
        // The cells things stand on, and two more; the map view shows cell
        // (x, y) in grid column x + 1, row y + 1.
        std::vector<std::pair<int32_t, int32_t>> cells{{0, 0}, {map.width - 1, map.height - 1}};
        const auto on_this_map = [&](const Tplace& p) {
            if (p.map == i) cells.emplace_back(p.x, p.y);
        };
        for (const Tmapobject& o : w.mapobjects) on_this_map(o.place);
        for (const Tchar& n : w.npcs) on_this_map(n.place);
        for (const Tpitem& t : w.items) on_this_map(t.place);
        for (const Tpres& r : w.resources) on_this_map(r.place);
        std::erase_if(cells, [&](const auto& c) {
            return c.first < 0 || c.second < 0 || c.first >= map.width || c.second >= map.height || c.first > 12 ||
                   c.second > 12;
        });
        std::sort(cells.begin(), cells.end());
        cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
        if (cells.size() > 8) cells.resize(8);
        for (const auto& [x, y] : cells) {
            const int col = x + 1, row = y + 1;
            act(form, "sg_map right " + std::to_string(col) + "," + std::to_string(row),
                [&m, col, row] { right_press(m.sg_map, col, row); }, 0);
            settle(form, "map " + std::to_string(i) + " cell " + std::to_string(x) + "," + std::to_string(y));
        }
    }
}

void OpenerWalk::inner_openers(kit::Window& dialog, int depth) {
    for (const QPointer<QWidget>& w : all_controls_under(dialog.widget())) {
        kit::Control* c = w ? kit::detail::control_of(w) : nullptr;
        if (!c) continue;
        if (auto* grid = dynamic_cast<kit::StringGrid*>(c)) {
            for (int row = grid->fixed_rows(); row < grid->fixed_rows() + 2; ++row)
                for (int col = grid->fixed_cols(); col < grid->fixed_cols() + 4; ++col)
                    act(dialog, grid->name + " right " + std::to_string(col) + "," + std::to_string(row),
                        [grid, col, row] { right_press(*grid, col, row); }, depth);
        } else if (dynamic_cast<kit::Image*>(c) && c->on_mouse_down) {
            act(dialog, c->name + " right", [c] {
                if (reveal(*c)) kit::user::press_at(*c, c->width() / 2, c->height() / 2, kit::MouseButton::right);
            }, depth);
        }
        if (!dialog.visible()) return;
    }
}

void OpenerWalk::act(kit::Window& win, const std::string& what, const std::function<void()>& action, int depth) {
    if (!win.visible()) return;
    if (!win.enabled()) {
        fail(win, what, "takes no input");
        return;
    }
    std::vector<std::string> items;
    run(win, what, [&] {
        action();
        if (kit::PopupMenu* menu = kit::user::open_popup()) {
            for (QAction* a : menu->menu()->actions())
                if (!a->isSeparator() && a->isVisible() && opens_a_window(a->text()))
                    items.push_back(a->text().toStdString());
            menu->close_menu();
        }
    }, depth);
    for (const std::string& item : items) {
        if (!win.visible() || !win.enabled()) return;
        run(win, what + " / " + item, [&] {
            action();
            kit::PopupMenu* menu = kit::user::open_popup();
            if (!menu) return;
            QAction* chosen = nullptr;
            for (QAction* a : menu->menu()->actions())
                if (a->text().toStdString() == item) chosen = a;
            menu->close_menu();
            if (chosen && chosen->isEnabled()) chosen->trigger();
            kit::user::process_events();
        }, depth);
    }
}

void OpenerWalk::run(kit::Window& win, const std::string& what, const std::function<void()>& action, int depth) {
    ++actions_;
    std::vector<kit::Window*> open_before;
    for (kit::Window* d : secondary_windows())
        if (d && d->visible()) open_before.push_back(d);
    const std::size_t errors = modal_.errors.size();
    try {
        action();
    } catch (const std::logic_error&) {
        // The control was not there to be used (a cell that went away): nothing happened.
    }
    for (std::size_t e = errors; e < modal_.errors.size(); ++e)
        if (library_error(modal_.errors[e])) fail(win, what, "error from the library: " + modal_.errors[e]);
    // A popup menu the action opened in the end (its subject went away) is closed.
    if (kit::PopupMenu* menu = kit::user::open_popup()) menu->close_menu();
    for (kit::Window* d : secondary_windows()) {
        if (!d || !d->visible() || std::find(open_before.begin(), open_before.end(), d) != open_before.end())
            continue;
        opened_.insert(d->name + " from " + win.name);
        // Its own openers the first few times this opener opens it: each
        // subject after that only adds the same walk again.
        if (depth < 3 && walked_[{d, &win}]++ < walks_per_opener) inner_openers(*d, depth + 1);
        if (d->visible()) kit::user::close(*d);
        if (d->visible()) fail(*d, "opened by " + what, "did not close");
        if (!win.enabled()) fail(*d, "opened by " + what, "left " + win.name + " without input");
    }
}

}  // namespace walk
