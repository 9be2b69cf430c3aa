#include "mainwindow/page_triggers.h"

#include "mainwindow/main.h"
#include "platform/kit/layout.h"

TriggersPage::TriggersPage(TForm1& form) : form(form), triggers_page(form.PC, "Triggers") {
    triggers_page.name = "triggers_page";
    form.lay_out({
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
    l_event_target_name.hide();
    e_event_target_name.hide();
}

void TriggersPage::start() {
    reset_trigger_form();
    reset_event_form();
    scripts_refresh();
}

void TriggersPage::shown() {}

void TriggersPage::reset_trigger_form() {
    kit::fill(cb_trig_type, TStrings(trigger_kinds.begin() + 1, trigger_kinds.begin() + 9));
    e_trig_name.set_text("");
    cb_trig_map.set_item_index(-1);
    cb_trig_map.set_text("no maps");
    e_trig_x.set_text("0");
    e_trig_y.set_text("0");
    e_trig_map_object_id.set_text("-1");
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
    e_event_target_name.set_text("");
    e_event_x.set_text("0");
    e_event_y.set_text("0");
    e_event_value.set_text("0");
    cb_event_map.set_item_index(-1);
    cb_event_map.set_text("no maps");
    m_event_text.clear();
}

void TriggersPage::scripts_refresh() {
    lb_triggers.clear();
    const Ttriggers& triggers = editor.world.triggers;
    for (std::size_t i = 0; i < triggers.size(); ++i)
        lb_triggers.add("id:" + std::to_string(i) + " " + triggers[i].name);
    events_refresh();
}

void TriggersPage::events_refresh() {
    lb_events.clear();
    const Ttriggers& triggers = editor.world.triggers;
    if (editor.cur_trigger < 0 || editor.cur_trigger >= static_cast<int>(triggers.size())) return;
    const Tevents& events = triggers[static_cast<std::size_t>(editor.cur_trigger)].events;
    for (std::size_t j = 0; j < events.size(); ++j)
        lb_events.add("id:" + std::to_string(j) + " " + vocabulary_word(event_actions, events[j].action));
}
