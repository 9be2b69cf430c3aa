#pragma once
// The Triggers page: the form of one trigger, the trigger and event lists with
// their buttons, and the form of one event. The page only edits triggers; it
// runs none.
//
// Triggers and events name triggers, paths, placed objects and placed NPCs by
// index: deleting or moving a trigger here keeps every such reference naming
// what it named (model/tools.h), and the current trigger follows the change.
#include "mainwindow/page.h"
#include "model/init.h"
#include "platform/kit/kit.h"

#include <optional>
#include <string>

class TriggersPage : public Page {
public:
    explicit TriggersPage(PageHost& host);
    void start() override;
    void shown() override;

    void reset_trigger_form();
    void reset_event_form();
    // Lists the world's triggers, then the current trigger's events.
    void scripts_refresh();
    // After File > Open: the forms show what the current trigger names in the opened world.
    void world_opened();
    void events_refresh();
    // Refills both map lists, first map selected.
    void fill_map_lists();
    void world_replaced(bool is_shown) override;
    void catalogue_changed(Catalogue catalogue, int row) override;

    // ---- triggers
    void Button36Click();     // Create: appends the form's trigger
    void lb_triggersClick();  // the clicked trigger becomes the current one and fills the form
    void Button37Click();     // Update: overwrites the current trigger, keeping its counter and events
    void Button38Click();     // Delete: the trigger whose line is selected
    void Button43Click();     // "^": the current trigger one place up
    void Button44Click();     // "v": one place down

    // ---- events of the current trigger
    void Button39Click();   // Create: appends the form's event
    void lb_eventsClick();  // fills the event form from the clicked event
    void Button40Click();   // Update: replaces the selected event
    void Button41Click();   // Delete: removes the selected event
    void Button45Click();   // "^": the selected event one place up
    void Button46Click();   // "v": one place down

    PageHost& host;
    SharedState& editor;
    int cur_trigger = 0;  // the current trigger: an index into world.triggers
    kit::TabSheet triggers_page;
    // ---- the trigger form
    kit::GroupBox gb_trigger{triggers_page, "Trigger"};
    kit::ComboBox cb_trig_type{gb_trigger};
    kit::Edit e_trig_name{gb_trigger};
    kit::CheckBox ch_trig_vis{gb_trigger, "visible", true};
    kit::CheckBox ch_trig_once{gb_trigger, "player only"};
    kit::CheckBox ch_trig_en{gb_trigger, "enabled", true};
    kit::ComboBox cb_trig_map{gb_trigger};
    kit::Edit e_trig_x{gb_trigger};
    kit::Edit e_trig_y{gb_trigger};
    kit::Edit e_trig_map_object_id{gb_trigger};
    kit::Edit e_trig_size{gb_trigger};
    kit::Edit e_trig_interval{gb_trigger};
    kit::Memo m_trig_descr{gb_trigger};
    kit::Memo m_trig_suc{gb_trigger};
    kit::Memo m_trig_false{gb_trigger};
    // ---- the lists
    kit::Label cur_trig{triggers_page, "-1"};
    kit::ListBox lb_triggers{triggers_page};
    kit::Button Button36{triggers_page, "Create"};
    kit::Button Button37{triggers_page, "Update"};
    kit::Button Button38{triggers_page, "Delete"};
    kit::Button Button43{triggers_page, "^"};
    kit::Button Button44{triggers_page, "v"};
    kit::ListBox lb_events{triggers_page};
    kit::Button Button39{triggers_page, "Create"};
    kit::Button Button40{triggers_page, "Update"};
    kit::Button Button41{triggers_page, "Delete"};
    kit::Button Button45{triggers_page, "^"};
    kit::Button Button46{triggers_page, "v"};
    // ---- the event form
    kit::GroupBox gb_event{triggers_page, "Event"};
    kit::ComboBox cb_event_type{gb_event};
    kit::Edit e_event_target_id{gb_event};
    // Shown, not hidden: Create and Update store it, and the form stores
    // nothing the designer cannot see.
    kit::Label l_event_target_name{gb_event, "Target name"};
    kit::Edit e_event_target_name{gb_event};
    kit::CheckBox cb_event_turn_off_self{gb_event, "turn off self"};
    kit::CheckBox cb_event_turn_off_trig{gb_event, "turn off trigger"};
    kit::GroupBox gb_event_location{gb_event, "Location (optional)"};
    kit::ComboBox cb_event_map{gb_event_location};
    kit::Edit e_event_x{gb_event_location};
    kit::Edit e_event_y{gb_event_location};
    kit::CheckBox cb_event_search{gb_event, "search (optional for respawn)"};
    kit::CheckBox cb_event_continue{gb_event, "continue (for set actions)", true};
    kit::Edit e_event_value{gb_event};
    kit::Memo m_event_text{gb_event};

private:
    // The trigger and the event the forms describe. Converts every field before
    // anything is stored; kept gives what a type or map box with no chosen item
    // leaves as it was (the form was filled from a value the box cannot show).
    Ttrigger trigger_from_form(int32_t empty_size, const Ttrigger& kept);
    Tevent event_from_form(const Tevent& kept);
    // The current trigger, nullptr when cur_trigger names none.
    Ttrigger* current();
    // Moves the current trigger or the selected event by step (-1 up, +1 down).
    void move_trigger(int step);
    void move_event(int step);
    void show_current();  // cur_trig shows the current trigger's number, -1 for none
    // The target fields follow the renumbering of what they name. A target
    // field filled from a trigger or event stands for what that entry names
    // now, as long as the designer has not typed over it: a deletion or move
    // elsewhere renumbers the entry, and the field is shown the new number
    // before the page is seen again and before anything is written from it.
    // The trigger form stands for the current trigger; the event form for the
    // event whose line is selected (a line is selected only by a click, which
    // fills the form, or by moving that event).
    void follow_renumbering();
    // Makes trigger i (which exists) current and fills the trigger form and the event list from it.
    void load_trigger(int i);
    std::optional<std::string> trig_target_loaded;   // the text e_trig_map_object_id was filled with
    std::optional<std::string> event_target_loaded;  // the text e_event_target_id was filled with
};
