#include "mainwindow/page_events.h"

#include "mainwindow/lookups.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <utility>
#include <vector>

EventsPage::EventsPage(PageHost& host) : host(host), editor(host.state()), events_page(host.page_control(), "events") {
    events_page.name = "events_page";
    events_page.set_tab_visible(false);
    host.window().lay_out({
        {cbtriggers, "cbtriggers", 8, 8, 160, 22},
        {cbtrigparam1, "cbtrigparam1", 176, 8, 60, 22},
        {gbtrigparams1, "gbtrigparams1", 8, 40, 230, 80},
        {cbtrigparam11, "cbtrigparam11", 8, 18, 60, 22},
        {etrigparam12, "etrigparam12", 76, 18, 60, 22},
        {gbtrigparams2, "gbtrigparams2", 8, 130, 230, 80},
        {cbtrigparam21, "cbtrigparam21", 8, 18, 60, 22},
        {etrigparam22, "etrigparam22", 76, 18, 60, 22},
        {etrigparam23, "etrigparam23", 144, 18, 60, 22},
        {etrigparam24, "etrigparam24", 8, 46, 60, 22},
        {etrigparam25, "etrigparam25", 76, 46, 60, 22},
        {gbtrigparams3, "gbtrigparams3", 8, 220, 230, 80},
        {cbtrigparam31, "cbtrigparam31", 8, 18, 60, 22},
        {etrigparam32, "etrigparam32", 76, 18, 60, 22},
        {etrigparam33, "etrigparam33", 144, 18, 60, 22},
        {ltrigparam2, "ltrigparam2", 250, 12},
        {ltrigparam3, "ltrigparam3", 250, 40},
        {etrigparam3, "etrigparam3", 330, 36, 70, 22},
        {ltrigparam4, "ltrigparam4", 250, 68},
        {etrigparam4, "etrigparam4", 330, 64, 70, 22},
        {ltrigparam5, "ltrigparam5", 250, 96},
        {etrigparam5, "etrigparam5", 330, 92, 70, 22},
        {ltrigparam6, "ltrigparam6", 250, 124},
        {etrigparam6, "etrigparam6", 330, 120, 70, 22},
        {cbevents, "cbevents", 420, 8, 160, 22},
        {leventparam1, "leventparam1", 420, 44},
        {eeparam1, "eeparam1", 510, 40, 70, 22},
        {leventparam2, "leventparam2", 420, 72},
        {eeparam2, "eeparam2", 510, 68, 70, 22},
        {leventparam3, "leventparam3", 420, 100},
        {eeparam3, "eeparam3", 510, 96, 70, 22},
        {leventparam4, "leventparam4", 420, 128},
        {eeparam4, "eeparam4", 510, 124, 70, 22},
        {leventparam5, "leventparam5", 420, 156},
        {eeparam5, "eeparam5", 510, 152, 70, 22},
        {leventparam6, "leventparam6", 420, 184},
        {eeparam6, "eeparam6", 510, 180, 70, 22},
        {events_add, "events_add", 8, 320, 80, 26},
        {events_save, "events_save", 94, 320, 80, 26},
        {lbscripts, "lbscripts", 8, 354, 572, 240},
    });
    cbtriggers.on_change = [this] { set_trig_params(cbtriggers.item_index() + 1); };
    cbevents.on_change = [this] { set_event_params(cbevents.item_index() + 1); };
}

void EventsPage::start() {
    for (kit::GroupBox* box : {&gbtrigparams1, &gbtrigparams2, &gbtrigparams3}) {
        box->set_left(8);
        box->set_top(40);
        box->hide();
    }
    for (kit::ComboBox* box : {&cbtrigparam11, &cbtrigparam21, &cbtrigparam31, &cbtrigparam1}) {
        kit::fill(*box, {"no", "yes"});
        box->set_item_index(1);
    }
    for (kit::Edit* edit : {&etrigparam12, &etrigparam22, &etrigparam23, &etrigparam24, &etrigparam32})
        edit->set_text("0");
    etrigparam25.set_text("-1");
    etrigparam33.set_text("-1");

    TStrings conditions, types;
    for (const TSvalue& v : trigger_conditions) conditions.push_back(v.caption);
    for (const TSvalue& v : event_types) types.push_back(v.caption);
    kit::fill(cbtriggers, conditions);
    kit::fill(cbevents, types);
}

void EventsPage::shown() {}

void EventsPage::set_trig_params(int kind) {
    const std::pair<kit::Label*, kit::Edit*> params[] = {
        {&ltrigparam3, &etrigparam3}, {&ltrigparam4, &etrigparam4}, {&ltrigparam5, &etrigparam5},
        {&ltrigparam6, &etrigparam6}};
    for (const auto& [label, edit] : params) {
        label->hide();
        edit->hide();
    }
    // The label of the condition's first parameter, then the captions of the
    // fields shown after it.
    struct Shape {
        const char* first;
        std::vector<const char*> more;
    };
    static const Shape shapes[] = {{"time", {}}, {"player", {"map", "x", "y"}}, {"player", {"item id"}},
                                   {"period", {"chance"}}};
    if (kind < 1 || kind > 4) return;
    const Shape& shape = shapes[kind - 1];
    ltrigparam2.set_caption(shape.first);
    for (std::size_t i = 0; i < shape.more.size(); ++i) {
        params[i].first->set_caption(shape.more[i]);
        params[i].first->show();
        params[i].second->show();
    }
}

void EventsPage::set_event_params(int kind) {
    const std::pair<kit::Label*, kit::Edit*> params[] = {
        {&leventparam1, &eeparam1}, {&leventparam2, &eeparam2}, {&leventparam3, &eeparam3},
        {&leventparam4, &eeparam4}, {&leventparam5, &eeparam5}, {&leventparam6, &eeparam6}};
    for (const auto& [label, edit] : params) {
        label->hide();
        edit->hide();
    }
    // The captions of the fields each event type shows, first field first.
    static const std::vector<const char*> shapes[] = {{},
                                                      {"script"},
                                                      {"script", "active"},
                                                      {"object"},
                                                      {"object", "pass"},
                                                      {"object"},
                                                      {"object", "visible"},
                                                      {"path"},
                                                      {"path", "ways"},
                                                      {"npc id", "map", "x", "y", "search"},
                                                      {"npc id", "map", "search"}};
    if (kind < 1 || kind > 11) return;
    const std::vector<const char*>& captions = shapes[kind - 1];
    for (std::size_t i = 0; i < captions.size(); ++i) {
        params[i].first->set_caption(captions[i]);
        params[i].first->show();
        params[i].second->show();
    }
}
