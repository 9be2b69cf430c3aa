#include "mainwindow/page_triggers.h"

#include "mainwindow/lookups.h"
#include "mainwindow/record_fields.h"
#include "model/tools.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <string>
#include <utility>

namespace {

// What an empty target field stands for: no target.
int32_t empty_is_none(const std::string& text, int32_t value) { return text.empty() ? -1 : value; }

// The page's controls for a trigger's fields, in the order Create and Update
// read them; an empty text counts as 0, an empty target as -1 and an empty
// size as empty_size. A type or map box with no chosen item keeps what the
// trigger read into holds.
fields::Form<Ttrigger> trigger_form(TriggersPage& p, int32_t empty_size) {
    using Form = fields::Form<Ttrigger>;
    const auto target_rule = [](const Ttrigger&, const std::string& text, int32_t target) {
        return empty_is_none(text, target);
    };
    const auto size_rule = [empty_size](const Ttrigger&, const std::string& text, int32_t size) {
        return text.empty() ? empty_size : size;
    };
    return Form(trigger_fields(), {true, ""},
                {
                    {"x", &p.e_trig_x},
                    {"y", &p.e_trig_y},
                    {"target", &p.e_trig_map_object_id, target_rule},
                    {"size", &p.e_trig_size, size_rule},
                    {"interval", &p.e_trig_interval},
                    {"kind", &p.cb_trig_type},
                    {"map", &p.cb_trig_map},
                    {"name", &p.e_trig_name},
                    {"visible", &p.ch_trig_vis},
                    {"once", &p.ch_trig_once},
                    {"active", &p.ch_trig_en},
                    {"description", &p.m_trig_descr},
                    {"success_text", &p.m_trig_suc},
                    {"false_text", &p.m_trig_false},
                });
}

// The same for an event: an empty target counts as -1.
fields::Form<Tevent> event_form(TriggersPage& p) {
    using Form = fields::Form<Tevent>;
    const auto target_rule = [](const Tevent&, const std::string& text, int32_t target) {
        return empty_is_none(text, target);
    };
    return Form(event_fields(), {true, ""},
                {
                    {"target", &p.e_event_target_id, target_rule},
                    {"x", &p.e_event_x},
                    {"y", &p.e_event_y},
                    {"value", &p.e_event_value},
                    {"action", &p.cb_event_type},
                    {"map", &p.cb_event_map},
                    {"target_name", &p.e_event_target_name},
                    {"turn_off_self", &p.cb_event_turn_off_self},
                    {"turn_off_trigger", &p.cb_event_turn_off_trig},
                    {"search", &p.cb_event_search},
                    {"continue_on_false", &p.cb_event_continue},
                    {"text", &p.m_event_text},
                });
}

// A list's selected line when it names one of count entries, else -1.
int selected_entry(const kit::ListBox& list, std::size_t count) {
    const int i = list.item_index();
    return i >= 0 && static_cast<std::size_t>(i) < count ? i : -1;
}

// Shows what an entry's index field names now when the field still shows
// what the form was filled with; a field the designer typed over keeps the
// typed text. now is nullptr when the form stands for no entry.
void follow(kit::Edit& field, std::optional<std::string>& loaded, const int32_t* now) {
    if (!now || !loaded || field.text() != *loaded) return;
    loaded = std::to_string(*now);
    field.set_text(*loaded);
}

}  // namespace

TriggersPage::TriggersPage(PageHost& host)
    : host(host), editor(host.state()), triggers_page(host.page_control(), "Triggers") {
    triggers_page.name = "triggers_page";
    host.window().lay_out({
        {gb_trigger, "gb_trigger", 8, 4, 300, 626},
        {cb_trig_type, "cb_trig_type", 80, 20, 200, 22, "type", 8, 24},
        {e_trig_name, "e_trig_name", 80, 48, 200, 22, "name", 8, 52},
        {ch_trig_vis, "ch_trig_vis", 8, 76, 90, 22},
        {ch_trig_once, "ch_trig_once", 100, 76, 100, 22},
        {ch_trig_en, "ch_trig_en", 200, 76, 90, 22},
        {cb_trig_map, "cb_trig_map", 80, 104, 200, 22, "map", 8, 108},
        {e_trig_x, "e_trig_x", 80, 132, 60, 22, "x", 8, 136},
        {e_trig_y, "e_trig_y", 170, 132, 60, 22, "y", 150, 136},
        {e_trig_map_object_id, "e_trig_map_object_id", 80, 160, 60, 22, "object id", 8, 164},
        {e_trig_size, "e_trig_size", 190, 160, 60, 22, "size", 150, 164},
        {e_trig_interval, "e_trig_interval", 80, 188, 60, 22, "interval", 8, 192},
        {m_trig_descr, "m_trig_descr", 8, 234, 284, 110, "descr", 8, 218},
        {m_trig_suc, "m_trig_suc", 8, 366, 284, 110, "success  responce", 8, 350},
        {m_trig_false, "m_trig_false", 8, 498, 284, 110, "false responce", 8, 482},
        {cur_trig, "cur_trig", 320, 8},
        {lb_triggers, "lb_triggers", 320, 26, 250, 250},
        {Button36, "Button36", 320, 280, 60, 26},
        {Button37, "Button37", 384, 280, 60, 26},
        {Button38, "Button38", 448, 280, 60, 26},
        {Button43, "Button43", 512, 280, 28, 26},
        {Button44, "Button44", 542, 280, 28, 26},
        {lb_events, "lb_events", 320, 318, 250, 270},
        {Button39, "Button39", 320, 592, 60, 26},
        {Button40, "Button40", 384, 592, 60, 26},
        {Button41, "Button41", 448, 592, 60, 26},
        {Button45, "Button45", 512, 592, 28, 26},
        {Button46, "Button46", 542, 592, 28, 26},
        {gb_event, "gb_event", 582, 4, 326, 626},
        {cb_event_type, "cb_event_type", 90, 20, 220, 22, "Type", 8, 24},
        {e_event_target_id, "e_event_target_id", 90, 48, 80, 22, "Target id", 8, 52},
        {l_event_target_name, "l_event_target_name", 8, 80},
        {e_event_target_name, "e_event_target_name", 90, 76, 150, 22},
        {cb_event_turn_off_self, "cb_event_turn_off_self", 8, 104, 150, 22},
        {cb_event_turn_off_trig, "cb_event_turn_off_trig", 160, 104, 150, 22},
        {gb_event_location, "gb_event_location", 8, 132, 302, 80},
        {cb_event_map, "cb_event_map", 40, 20, 250, 22, "map", 8, 24},
        {e_event_x, "e_event_x", 40, 48, 60, 22, "x", 8, 52},
        {e_event_y, "e_event_y", 130, 48, 60, 22, "y", 110, 52},
        {cb_event_search, "cb_event_search", 8, 218, 300, 22},
        {cb_event_continue, "cb_event_continue", 8, 242, 300, 22},
        {e_event_value, "e_event_value", 90, 270, 80, 22, "value", 8, 274},
        {m_event_text, "m_event_text", 8, 316, 302, 290, "Text", 8, 300},
    });

    Button36.on_click = [this] { Button36Click(); };
    lb_triggers.on_click = [this] { lb_triggersClick(); };
    Button37.on_click = [this] { Button37Click(); };
    Button38.on_click = [this] { Button38Click(); };
    Button43.on_click = [this] { Button43Click(); };
    Button44.on_click = [this] { Button44Click(); };
    Button39.on_click = [this] { Button39Click(); };
    lb_events.on_click = [this] { lb_eventsClick(); };
    Button40.on_click = [this] { Button40Click(); };
    Button41.on_click = [this] { Button41Click(); };
    Button45.on_click = [this] { Button45Click(); };
    Button46.on_click = [this] { Button46Click(); };
}

void TriggersPage::start() {
    reset_trigger_form();
    reset_event_form();
    scripts_refresh();
}

void TriggersPage::shown() { follow_renumbering(); }

void TriggersPage::follow_renumbering() {
    Ttrigger* t = current();
    follow(e_trig_map_object_id, trig_target_loaded, t ? &t->target : nullptr);
    const int j = t ? selected_entry(lb_events, t->events.size()) : -1;
    follow(e_event_target_id, event_target_loaded, j >= 0 ? &t->events[static_cast<std::size_t>(j)].target : nullptr);
}

void TriggersPage::reset_trigger_form() {
    kit::fill(cb_trig_type, TStrings(trigger_kinds.begin() + 1, trigger_kinds.begin() + 9));
    e_trig_name.set_text("");
    cb_trig_map.set_item_index(-1);
    cb_trig_map.set_text("no maps");
    e_trig_x.set_text("0");
    e_trig_y.set_text("0");
    e_trig_map_object_id.set_text("-1");
    trig_target_loaded.reset();
    e_trig_size.set_text("1");
    e_trig_interval.set_text("");
    m_trig_descr.clear();
    m_trig_suc.clear();
    m_trig_false.clear();
}

void TriggersPage::reset_event_form() {
    TStrings actions;
    for (int a = 1; a <= 22; ++a) actions.push_back(vocabulary_word(event_actions, a));
    kit::fill(cb_event_type, actions);
    e_event_target_id.set_text("");
    event_target_loaded.reset();
    e_event_target_name.set_text("");
    e_event_x.set_text("0");
    e_event_y.set_text("0");
    e_event_value.set_text("0");
    cb_event_map.set_item_index(-1);
    cb_event_map.set_text("no maps");
    m_event_text.clear();
}

void TriggersPage::scripts_refresh() {
    const Ttriggers& triggers = editor.world.triggers;
    std::vector<std::string> lines;
    lines.reserve(triggers.size());
    for (std::size_t i = 0; i < triggers.size(); ++i) lines.push_back("id:" + std::to_string(i) + " " + triggers[i].name);
    lb_triggers.set_lines(lines);
    show_current();
    events_refresh();
}

void TriggersPage::events_refresh() {
    lb_events.clear();
    const Ttrigger* t = current();
    if (!t) return;
    for (std::size_t j = 0; j < t->events.size(); ++j)
        lb_events.add("id:" + std::to_string(j) + " " + vocabulary_word(event_actions, t->events[j].action));
}

Ttrigger* TriggersPage::current() { return entry_at(editor.world.triggers, cur_trigger); }

void TriggersPage::show_current() { cur_trig.set_caption(std::to_string(current() ? cur_trigger : -1)); }

// ---- the trigger form

Ttrigger TriggersPage::trigger_from_form(int32_t empty_size, const Ttrigger& kept) {
    // A fresh trigger: only what the form shows, and the kind and map kept.
    Ttrigger t;
    t.kind = kept.kind;
    t.place.map = kept.place.map;
    return trigger_form(*this, empty_size).read(t);
}

void TriggersPage::Button36Click() {
    follow_renumbering();
    Ttrigger none;
    none.place.map = -1;
    editor.world.triggers.push_back(trigger_from_form(-1, none));
    scripts_refresh();
}

void TriggersPage::lb_triggersClick() {
    const int i = selected_entry(lb_triggers, editor.world.triggers.size());
    if (i >= 0) load_trigger(i);
}

void TriggersPage::world_opened() {
    // The forms showed a trigger and an event of the world that is gone. The
    // current trigger keeps its number, and the form shows what that number
    // names now, so Update never writes the old world's trigger over it.
    event_target_loaded.reset();
    if (current()) {
        load_trigger(cur_trigger);
    } else {
        trig_target_loaded.reset();
        show_current();
    }
}

void TriggersPage::load_trigger(int i) {
    cur_trigger = i;
    const Ttrigger& t = editor.world.triggers[static_cast<std::size_t>(i)];
    show_current();
    // A kind or map that the boxes cannot show leaves them with no chosen item.
    trigger_form(*this, 1).load(&t);
    trig_target_loaded = e_trig_map_object_id.text();
    events_refresh();
}

void TriggersPage::Button37Click() {
    Ttrigger* t = current();
    if (!t) return;
    follow_renumbering();
    Ttrigger updated = trigger_from_form(1, *t);
    updated.counter = t->counter;
    updated.events = std::move(t->events);
    *t = std::move(updated);
    // The target field shows what the trigger now stores, and stands for it.
    trig_target_loaded = std::to_string(t->target);
    e_trig_map_object_id.set_text(*trig_target_loaded);
    scripts_refresh();
}

void TriggersPage::Button38Click() {
    // The selected line, not the current trigger: what the designer sees marked.
    const int s = selected_entry(lb_triggers, editor.world.triggers.size());
    if (s < 0) return;
    delete_trigger(s, editor.world);
    // The form never goes on naming another trigger: the deleted one's form is
    // cleared, and a current trigger behind it moves up with it.
    if (s == cur_trigger) {
        cur_trigger = -1;
        reset_trigger_form();
    } else if (s < cur_trigger) {
        --cur_trigger;
    }
    follow_renumbering();
    scripts_refresh();
}

void TriggersPage::move_trigger(int step) {
    const int c = cur_trigger;
    if (!current() || !swap_triggers(c, c + step, editor.world)) return;
    cur_trigger = c + step;
    follow_renumbering();
    scripts_refresh();
    lb_triggers.set_item_index(cur_trigger);
}

void TriggersPage::Button43Click() { move_trigger(-1); }
void TriggersPage::Button44Click() { move_trigger(+1); }

// ---- the event form

Tevent TriggersPage::event_from_form(const Tevent& kept) {
    Tevent e;
    e.action = kept.action;
    e.place.map = kept.place.map;
    return event_form(*this).read(e);
}

void TriggersPage::Button39Click() {
    Ttrigger* t = current();
    if (!t) return;
    follow_renumbering();
    Tevent none;
    none.place.map = -1;
    t->events.push_back(event_from_form(none));
    scripts_refresh();
}

void TriggersPage::lb_eventsClick() {
    const Ttrigger* t = current();
    if (!t) return;
    const int j = selected_entry(lb_events, t->events.size());
    if (j < 0) return;
    const Tevent& e = t->events[static_cast<std::size_t>(j)];
    event_form(*this).load(&e);
    event_target_loaded = e_event_target_id.text();
}

void TriggersPage::Button40Click() {
    Ttrigger* t = current();
    if (!t) return;
    const int j = selected_entry(lb_events, t->events.size());
    if (j < 0) return;
    follow_renumbering();
    Tevent& e = t->events[static_cast<std::size_t>(j)];
    e = event_from_form(e);
    events_refresh();
}

void TriggersPage::Button41Click() {
    Ttrigger* t = current();
    if (!t) return;
    const int j = selected_entry(lb_events, t->events.size());
    if (j < 0) return;
    delete_event(j, t->events);
    events_refresh();
}

void TriggersPage::move_event(int step) {
    Ttrigger* t = current();
    if (!t) return;
    const int j = selected_entry(lb_events, t->events.size());
    const int k = j + step;
    if (j < 0 || !entry_at(t->events, k)) return;
    std::swap(t->events[static_cast<std::size_t>(j)], t->events[static_cast<std::size_t>(k)]);
    events_refresh();
    lb_events.set_item_index(k);
}

void TriggersPage::Button45Click() { move_event(-1); }
void TriggersPage::Button46Click() { move_event(+1); }

void TriggersPage::fill_map_lists() {
    for (kit::ComboBox* list : {&cb_trig_map, &cb_event_map}) {
        list->clear();
        for (const Tmap& map : editor.world.maps) list->add(map.name);
        list->set_item_index(0);  // selects nothing when there is no map
    }
}

void TriggersPage::world_replaced(bool) {
    fill_map_lists();
    scripts_refresh();
    world_opened();
}

void TriggersPage::catalogue_changed(Catalogue catalogue, int row) {
    // A map added: both map lists show it, the trigger's chooses it.
    if (catalogue != Catalogue::maps) return;
    fill_map_lists();
    cb_trig_map.set_item_index(row);
}
