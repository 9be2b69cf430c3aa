// The Triggers page: the form of one trigger, the trigger and event lists with
// their buttons, and the form of one event.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_triggers_page() {
    triggers_page = &make<kit::TabSheet>(*PC, "Triggers");
    triggers_page->name = "triggers_page";
    kit::TabSheet& p = *triggers_page;

    // ---- the trigger form
    PLACE(gb_trigger, p, 8, 4, 300, 626, "Trigger");
    kit::GroupBox& t = *gb_trigger;
    add_label(t, 8, 24, "type");
    PLACE(cb_trig_type, t, 80, 20, 200, 22);
    add_label(t, 8, 52, "name");
    PLACE(e_trig_name, t, 80, 48, 200, 22);
    PLACE(ch_trig_vis, t, 8, 76, 90, 22, "visible", true);
    PLACE(ch_trig_once, t, 100, 76, 100, 22, "player only");
    PLACE(ch_trig_en, t, 200, 76, 90, 22, "enabled", true);
    add_label(t, 8, 108, "map");
    PLACE(cb_trig_map, t, 80, 104, 200, 22);
    add_label(t, 8, 136, "x");
    PLACE(e_trig_x, t, 80, 132, 60, 22);
    add_label(t, 150, 136, "y");
    PLACE(e_trig_y, t, 170, 132, 60, 22);
    add_label(t, 8, 164, "object id");
    PLACE(e_trig_map_object_id, t, 80, 160, 60, 22);
    add_label(t, 150, 164, "size");
    PLACE(e_trig_size, t, 190, 160, 60, 22);
    add_label(t, 8, 192, "interval");
    PLACE(e_trig_interval, t, 80, 188, 60, 22);
    add_label(t, 8, 218, "descr");
    PLACE(m_trig_descr, t, 8, 234, 284, 110);
    add_label(t, 8, 350, "success  responce");
    PLACE(m_trig_suc, t, 8, 366, 284, 110);
    add_label(t, 8, 482, "false responce");
    PLACE(m_trig_false, t, 8, 498, 284, 110);

    // ---- the lists
    cur_trig = add_label(p, 320, 8, "-1", "cur_trig");
    PLACE(lb_triggers, p, 320, 26, 250, 250);
    PLACE(Button36, p, 320, 280, 60, 26, "Create");
    PLACE(Button37, p, 384, 280, 60, 26, "Update");
    PLACE(Button38, p, 448, 280, 60, 26, "Delete");
    PLACE(Button43, p, 512, 280, 28, 26, "^");
    PLACE(Button44, p, 542, 280, 28, 26, "v");
    PLACE(lb_events, p, 320, 318, 250, 270);
    PLACE(Button39, p, 320, 592, 60, 26, "Create");
    PLACE(Button40, p, 384, 592, 60, 26, "Update");
    PLACE(Button41, p, 448, 592, 60, 26, "Delete");
    PLACE(Button45, p, 512, 592, 28, 26, "^");
    PLACE(Button46, p, 542, 592, 28, 26, "v");

    // ---- the event form
    PLACE(gb_event, p, 582, 4, 326, 626, "Event");
    kit::GroupBox& e = *gb_event;
    add_label(e, 8, 24, "Type");
    PLACE(cb_event_type, e, 90, 20, 220, 22);
    add_label(e, 8, 52, "Target id");
    PLACE(e_event_target_id, e, 90, 48, 80, 22);
    l_event_target_name = add_label(e, 8, 80, "Target name", "l_event_target_name");
    l_event_target_name->hide();
    PLACE(e_event_target_name, e, 90, 76, 150, 22);
    e_event_target_name->hide();
    PLACE(cb_event_turn_off_self, e, 8, 104, 150, 22, "turn off self");
    PLACE(cb_event_turn_off_trig, e, 160, 104, 150, 22, "turn off trigger");
    PLACE(gb_event_location, e, 8, 132, 302, 80, "Location (optional)");
    add_label(*gb_event_location, 8, 24, "map");
    PLACE(cb_event_map, *gb_event_location, 40, 20, 250, 22);
    add_label(*gb_event_location, 8, 52, "x");
    PLACE(e_event_x, *gb_event_location, 40, 48, 60, 22);
    add_label(*gb_event_location, 110, 52, "y");
    PLACE(e_event_y, *gb_event_location, 130, 48, 60, 22);
    PLACE(cb_event_search, e, 8, 218, 300, 22, "search (optional for respawn)");
    PLACE(cb_event_continue, e, 8, 242, 300, 22, "continue (for set actions)", true);
    add_label(e, 8, 274, "value");
    PLACE(e_event_value, e, 90, 270, 80, 22);
    add_label(e, 8, 300, "Text");
    PLACE(m_event_text, e, 8, 316, 302, 290);
}

void TForm1::reset_trigger_form() {
    cb_trig_type->clear();
    for (int k = 1; k <= 8; ++k) cb_trig_type->add(trigger_kinds[static_cast<std::size_t>(k)]);
    cb_trig_type->set_item_index(0);
    e_trig_name->set_text("");
    cb_trig_map->set_item_index(-1);
    cb_trig_map->set_text("no maps");
    e_trig_x->set_text("0");
    e_trig_y->set_text("0");
    e_trig_map_object_id->set_text("-1");
    e_trig_size->set_text("1");
    e_trig_interval->set_text("");
    m_trig_descr->clear();
    m_trig_suc->clear();
    m_trig_false->clear();
}

void TForm1::reset_event_form() {
    cb_event_type->clear();
    for (int a = 1; a <= 22; ++a) cb_event_type->add(vocabulary_word(event_actions, a));
    cb_event_type->set_item_index(0);
    e_event_target_id->set_text("");
    e_event_target_name->set_text("");
    e_event_x->set_text("0");
    e_event_y->set_text("0");
    e_event_value->set_text("0");
    cb_event_map->set_item_index(-1);
    cb_event_map->set_text("no maps");
    m_event_text->clear();
}

void TForm1::scripts_refresh() {
    lb_triggers->clear();
    const Ttriggers& triggers = editor.world.triggers;
    for (std::size_t i = 0; i < triggers.size(); ++i)
        lb_triggers->add("id:" + std::to_string(i) + " " + triggers[i].name);
    events_refresh();
}

void TForm1::events_refresh() {
    lb_events->clear();
    const Ttriggers& triggers = editor.world.triggers;
    if (editor.cur_trigger < 0 || editor.cur_trigger >= static_cast<int>(triggers.size())) return;
    const Tevents& events = triggers[static_cast<std::size_t>(editor.cur_trigger)].events;
    for (std::size_t j = 0; j < events.size(); ++j)
        lb_events->add("id:" + std::to_string(j) + " " + vocabulary_word(event_actions, events[j].action));
}
