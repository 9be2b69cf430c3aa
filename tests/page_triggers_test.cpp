// The Triggers page driven as a designer drives it: triggers and their events
// created, selected, updated, deleted and moved through the page's buttons;
// deleting and moving a trigger keeps every event target naming what it named
// and the current trigger following; Save and a reload keep every field. Also
// the hidden older events page's type choosers.
#include "mainwindow/page_craft.h"
#include "mainwindow/page_events.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_paths.h"
#include "mainwindow/page_triggers.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/model_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::type_text;

class TriggersPage : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(page_control(), page::triggers);
        ASSERT_EQ(page_control().active_page_index(), page::triggers);
    }
    ::TriggersPage& t() { return triggers(); }

    // Triggers named t0 .. t(n-1), shown as after an Open.
    void make_triggers(int n) {
        for (int i = 0; i < n; ++i) {
            Ttrigger trigger;
            trigger.kind = trigger_kind::button;
            trigger.name = "t" + std::to_string(i);
            trigger.place = no_place;
            editor.world.triggers.push_back(trigger);
        }
        t().scripts_refresh();
    }
    // Maps m0 .. m(n-1), listed in the map boxes as the map page lists them.
    void add_maps(int n) {
        for (int i = 0; i < n; ++i) {
            Tmap m;
            m.name = "m" + std::to_string(i);
            editor.world.maps.push_back(m);
        }
        map().fillcbmaps();
        t().fill_map_lists();
    }
    void select_trigger(int i) { pick(t().lb_triggers, i); }
};

TEST_F(TriggersPage, CreateWithEmptyFieldsTakesTheDefaults) {
    EXPECT_EQ(t().cur_trig.caption(), "-1");
    for (kit::Edit* e : {&t().e_trig_x, &t().e_trig_y, &t().e_trig_map_object_id, &t().e_trig_size,
                         &t().e_trig_interval})
        type_text(*e, "");
    click(t().Button36);
    ASSERT_EQ(editor.world.triggers.size(), 1u);
    const Ttrigger& made = editor.world.triggers[0];
    EXPECT_EQ(made.kind, trigger_kind::timer);
    EXPECT_EQ(made.name, "");
    EXPECT_EQ(made.place, (Tplace{0, 0, -1}));
    EXPECT_EQ(made.target, -1);
    EXPECT_EQ(made.size, -1);
    EXPECT_EQ(made.interval, 0);
    EXPECT_EQ(made.counter, (Tcounter{0, 0}));
    EXPECT_TRUE(made.visible);
    EXPECT_TRUE(made.active);
    EXPECT_FALSE(made.once);
    EXPECT_TRUE(made.events.empty());
    EXPECT_EQ(t().lb_triggers.items(), std::vector<std::string>{"id:0 "});
    // cur_trigger starts at 0: the label shows the trigger the event buttons act on.
    EXPECT_EQ(triggers().cur_trigger, 0);
    EXPECT_EQ(t().cur_trig.caption(), "0");

    // Every field typed; the last kind; a chosen map.
    add_maps(2);
    pick(t().cb_trig_type, 7);
    pick(t().cb_trig_map, 1);
    type_text(t().e_trig_name, "door");
    click(t().ch_trig_vis);
    click(t().ch_trig_once);
    click(t().ch_trig_en);
    const std::pair<kit::Edit*, const char*> numbers[] = {{&t().e_trig_x, "4"},     {&t().e_trig_y, "-5"},
                                                          {&t().e_trig_map_object_id, "7"}, {&t().e_trig_size, "3"},
                                                          {&t().e_trig_interval, "250"}};
    for (const auto& [edit, text] : numbers) type_text(*edit, text);
    type_text(t().m_trig_descr, "a door");
    type_text(t().m_trig_suc, "opened");
    type_text(t().m_trig_false, "locked");
    click(t().Button36);
    ASSERT_EQ(editor.world.triggers.size(), 2u);
    const Ttrigger& door = editor.world.triggers[1];
    EXPECT_EQ(door.kind, trigger_kind::panel_line_v);
    EXPECT_EQ(door.name, "door");
    EXPECT_EQ(door.place, (Tplace{4, -5, 1}));
    EXPECT_EQ(door.target, 7);
    EXPECT_EQ(door.size, 3);
    EXPECT_EQ(door.interval, 250);
    EXPECT_FALSE(door.visible);
    EXPECT_TRUE(door.once);
    EXPECT_FALSE(door.active);
    EXPECT_EQ(door.description, "a door");
    EXPECT_EQ(door.success_text, "opened");
    EXPECT_EQ(door.false_text, "locked");
    EXPECT_EQ(t().lb_triggers.items(), (std::vector<std::string>{"id:0 ", "id:1 door"}));
    EXPECT_EQ(triggers().cur_trigger, 0);  // Create does not change the current trigger
}

// All or nothing: a field that is no number ends Create and Update with the
// conversion error, whichever field it is, and nothing is stored.
TEST_F(TriggersPage, ANumberThatIsNoneStoresNothing) {
    make_triggers(1);
    select_trigger(0);
    const TWorld before = editor.world;
    for (kit::Edit* e : {&t().e_trig_x, &t().e_trig_y, &t().e_trig_map_object_id, &t().e_trig_size,
                         &t().e_trig_interval}) {
        SCOPED_TRACE(e->name);
        const std::string kept = e->text();
        type_text(t().e_trig_name, "changed");
        type_text(*e, "12a");
        modal_->errors.clear();
        click(t().Button36);
        click(t().Button37);
        EXPECT_EQ(modal_->errors, (std::vector<std::string>(2, "'12a' is not a valid integer value.")));
        EXPECT_TRUE(editor.world == before);
        type_text(*e, kept);
    }
    for (kit::Edit* e : {&t().e_event_target_id, &t().e_event_x, &t().e_event_y, &t().e_event_value}) {
        SCOPED_TRACE(e->name);
        type_text(*e, "x");
        modal_->errors.clear();
        click(t().Button39);
        EXPECT_EQ(modal_->errors, std::vector<std::string>{"'x' is not a valid integer value."});
        EXPECT_TRUE(editor.world == before);
        type_text(*e, "0");
    }
}

// With several fields refused at once, the one read first is the one named:
// the place, the target, the size, the interval; for an event the target,
// the place, the value.
TEST_F(TriggersPage, OfSeveralRefusedFieldsTheFirstReadIsNamed) {
    make_triggers(1);
    select_trigger(0);
    struct Case {
        kit::Edit* first;
        kit::Edit* second;
        kit::Button* button;
    };
    ::TriggersPage& p = t();
    const Case cases[] = {
        {&p.e_trig_x, &p.e_trig_y, &p.Button36},
        {&p.e_trig_y, &p.e_trig_map_object_id, &p.Button37},
        {&p.e_trig_map_object_id, &p.e_trig_size, &p.Button36},
        {&p.e_trig_size, &p.e_trig_interval, &p.Button37},
        {&p.e_event_target_id, &p.e_event_x, &p.Button39},
        {&p.e_event_y, &p.e_event_value, &p.Button39},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first->name);
        expect_refused({{c.second, "second"}, {c.first, "first"}}, *c.button, "'first' is not a valid integer value.");
    }
}

TEST_F(TriggersPage, SelectFillsTheFormAndUpdateKeepsCounterAndEvents) {
    add_maps(3);
    make_triggers(2);
    Ttrigger& w1 = editor.world.triggers[1];
    w1.kind = trigger_kind::destroy_obj;
    w1.visible = false;
    w1.once = true;
    w1.active = true;
    w1.place = Tplace{6, 7, 2};
    w1.target = 3;
    w1.size = 5;
    w1.interval = 40;
    w1.counter = Tcounter{11, 2};
    w1.description = "d\r\ntwo lines";
    w1.success_text = "s";
    w1.false_text = "f";
    w1.events = {event(action::show_message, -1), event(action::act_trigger, 0)};
    select_trigger(1);
    EXPECT_EQ(triggers().cur_trigger, 1);
    EXPECT_EQ(t().cur_trig.caption(), "1");
    EXPECT_EQ(t().cb_trig_type.item_index(), trigger_kind::destroy_obj - 1);
    EXPECT_EQ(t().e_trig_name.text(), "t1");
    EXPECT_FALSE(t().ch_trig_vis.checked());
    EXPECT_TRUE(t().ch_trig_once.checked());
    EXPECT_TRUE(t().ch_trig_en.checked());
    EXPECT_EQ(t().cb_trig_map.item_index(), 2);
    const std::pair<kit::Edit*, const char*> shown[] = {{&t().e_trig_x, "6"},  {&t().e_trig_y, "7"},
                                                        {&t().e_trig_map_object_id, "3"}, {&t().e_trig_size, "5"},
                                                        {&t().e_trig_interval, "40"}};
    for (const auto& [edit, text] : shown) EXPECT_EQ(edit->text(), text) << edit->name;
    EXPECT_EQ(t().m_trig_descr.text(), "d\r\ntwo lines");
    EXPECT_EQ(t().m_trig_suc.text(), "s");
    EXPECT_EQ(t().m_trig_false.text(), "f");
    EXPECT_EQ(t().lb_events.items(), (std::vector<std::string>{"id:0 show message", "id:1 act trigger"}));

    // Update with the object id and size emptied: target -1, size 1; the
    // counter and the events stay.
    type_text(t().e_trig_map_object_id, "");
    type_text(t().e_trig_size, "");
    type_text(t().e_trig_name, "renamed");
    const Tevents events = w1.events;
    click(t().Button37);
    const Ttrigger& updated = editor.world.triggers[1];
    EXPECT_EQ(updated.target, -1);
    EXPECT_EQ(updated.size, 1);
    EXPECT_EQ(updated.name, "renamed");
    EXPECT_EQ(updated.counter, (Tcounter{11, 2}));
    EXPECT_EQ(updated.events, events);
    EXPECT_EQ(updated.place, (Tplace{6, 7, 2}));
    EXPECT_EQ(editor.world.triggers[0].name, "t0");
    EXPECT_EQ(t().lb_triggers.item(1), "id:1 renamed");

    // A click below the last line names no trigger: nothing changes.
    kit::user::press_at(t().lb_triggers, 20, t().lb_triggers.height() - 8);
    EXPECT_EQ(triggers().cur_trigger, 1);
    EXPECT_EQ(t().e_trig_name.text(), "renamed");
}

// A kind, action or map from a file that the type and map boxes cannot show:
// the boxes show nothing chosen and an Update keeps what was stored.
TEST_F(TriggersPage, ValuesTheBoxesCannotShowAreKept) {
    add_maps(2);
    make_triggers(1);
    Ttrigger& tr = editor.world.triggers[0];
    tr.kind = 9;
    tr.place = Tplace{1, 1, 7};
    Tevent e = event(30, 4);
    e.place = Tplace{0, 0, 5};
    tr.events = {e, event(action::nothing, 2)};
    select_trigger(0);
    EXPECT_EQ(t().cb_trig_type.item_index(), -1);
    EXPECT_EQ(t().cb_trig_map.item_index(), -1);
    EXPECT_EQ(t().lb_events.items(), (std::vector<std::string>{"id:0 ", "id:1 nothing"}));
    click(t().Button37);
    EXPECT_EQ(editor.world.triggers[0].kind, 9);
    EXPECT_EQ(editor.world.triggers[0].place.map, 7);
    for (int j : {0, 1}) {
        pick(t().lb_events, j);
        EXPECT_EQ(t().cb_event_type.item_index(), -1);
        click(t().Button40);
    }
    EXPECT_EQ(editor.world.triggers[0].events[0].action, 30);
    EXPECT_EQ(editor.world.triggers[0].events[0].place.map, 5);
    EXPECT_EQ(editor.world.triggers[0].events[1].action, action::nothing);
    // A box with a chosen item writes it.
    pick(t().cb_trig_map, 1);
    click(t().Button37);
    EXPECT_EQ(editor.world.triggers[0].place.map, 1);
}

// Triggers 0, 1 and 2; trigger 0's events name 2 (act), 1 (act), 2 (switch
// active) and -1 (act: the running trigger). Deleting trigger 1 by the page's
// button makes the targets follow; the one that named trigger 1 names nothing
// (-2), not the running trigger.
TEST_F(TriggersPage, DeleteAndMoveKeepEventTargetsTrue) {
    make_triggers(3);
    Tevents& events = editor.world.triggers[0].events;
    events = {event(action::act_trigger, 2), event(action::act_trigger, 1), event(action::switch_trigger_active, 2),
              event(action::act_trigger, -1)};
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<int32_t> targets;  // of the four events, wherever their trigger went
        std::vector<std::string> names;
    };
    const Step steps[] = {
        {"move trigger 1 down", [&] { select_trigger(1); click(t().Button44); }, {1, 2, 1, -1}, {"t0", "t2", "t1"}},
        {"move trigger 2 up", [&] { select_trigger(2); click(t().Button43); }, {2, 1, 2, -1}, {"t0", "t1", "t2"}},
        {"move trigger 0 down", [&] { select_trigger(0); click(t().Button44); }, {2, 0, 2, -1}, {"t1", "t0", "t2"}},
        {"move it up again", [&] { click(t().Button43); }, {2, 1, 2, -1}, {"t0", "t1", "t2"}},
        {"delete trigger 1", [&] { select_trigger(1); click(t().Button38); }, {1, deleted_target, 1, -1},
         {"t0", "t2"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        std::vector<std::string> names;
        const Ttrigger* holder = nullptr;
        for (const Ttrigger& tr : editor.world.triggers) {
            names.push_back(tr.name);
            if (tr.name == "t0") holder = &tr;
        }
        EXPECT_EQ(names, s.names);
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(targets(holder->events), s.targets);
    }
    // The moved trigger stays current and its line selected.
    select_trigger(0);
    click(t().Button44);
    EXPECT_EQ(triggers().cur_trigger, 1);
    EXPECT_EQ(t().cur_trig.caption(), "1");
    EXPECT_EQ(t().lb_triggers.item_index(), 1);
    // At either end a move does nothing.
    const TWorld before = editor.world;
    click(t().Button44);
    select_trigger(0);
    click(t().Button43);
    EXPECT_TRUE(editor.world == before);
    EXPECT_EQ(triggers().cur_trigger, 0);
}

// The current trigger follows a deletion, so Update and the event buttons
// never act on a trigger the form does not show.
TEST_F(TriggersPage, TheCurrentTriggerFollowsADeletion) {
    make_triggers(4);
    select_trigger(2);
    ASSERT_EQ(t().e_trig_name.text(), "t2");
    // Delete with no line selected (the lists are rebuilt after every change) does nothing.
    click(t().Button37);
    ASSERT_EQ(t().lb_triggers.item_index(), -1);
    click(t().Button38);
    EXPECT_EQ(editor.world.triggers.size(), 4u);

    // A trigger before the current one: it moves up with its trigger. (A
    // click would make the clicked trigger current, so the line is marked
    // from code.)
    t().lb_triggers.set_item_index(0);
    click(t().Button38);
    EXPECT_EQ(triggers().cur_trigger, 1);
    EXPECT_EQ(t().cur_trig.caption(), "1");
    type_text(t().e_trig_name, "still t2");
    click(t().Button37);
    click(t().Button39);
    EXPECT_EQ(editor.world.triggers[1].name, "still t2");
    EXPECT_EQ(editor.world.triggers[1].events.size(), 1u);
    EXPECT_EQ(editor.world.triggers[2].name, "t3");
    // A trigger after it changes nothing.
    t().lb_triggers.set_item_index(2);
    click(t().Button38);
    EXPECT_EQ(triggers().cur_trigger, 1);

    // The current trigger itself: the form and the event list are cleared and
    // no button acts on the trigger that took its place.
    select_trigger(1);
    click(t().Button38);
    EXPECT_EQ(triggers().cur_trigger, -1);
    EXPECT_EQ(t().cur_trig.caption(), "-1");
    EXPECT_EQ(t().e_trig_name.text(), "");
    EXPECT_EQ(t().e_trig_map_object_id.text(), "-1");
    EXPECT_EQ(t().lb_events.count(), 0);
    const TWorld before = editor.world;
    for (kit::Button* b : {&t().Button37, &t().Button43, &t().Button44, &t().Button39, &t().Button40, &t().Button41,
                           &t().Button45, &t().Button46})
        click(*b);
    EXPECT_TRUE(editor.world == before);
    EXPECT_EQ(editor.world.triggers.size(), 1u);
}

TEST_F(TriggersPage, EventsOfTheCurrentTrigger) {
    // Before any trigger exists the event buttons do nothing; cur_trigger 0
    // names the first one as soon as it exists.
    click(t().Button39);
    make_triggers(1);
    pick(t().cb_event_type, 0);
    for (kit::Edit* e : {&t().e_event_target_id, &t().e_event_x, &t().e_event_y, &t().e_event_value})
        type_text(*e, "");
    click(t().Button39);
    ASSERT_EQ(editor.world.triggers[0].events.size(), 1u);
    Tevent& first = editor.world.triggers[0].events[0];
    EXPECT_EQ(first.action, action::show_message);
    EXPECT_EQ(first.target, -1);
    EXPECT_EQ(first.place, (Tplace{0, 0, -1}));
    EXPECT_EQ(first.value, 0);
    EXPECT_TRUE(first.continue_on_false);

    // Every field, the last type.
    add_maps(2);
    pick(t().cb_event_type, 21);
    type_text(t().e_event_target_id, "3");
    click(t().cb_event_turn_off_self);
    click(t().cb_event_turn_off_trig);
    pick(t().cb_event_map, 1);
    type_text(t().e_event_x, "8");
    type_text(t().e_event_y, "9");
    click(t().cb_event_search);
    click(t().cb_event_continue);
    type_text(t().e_event_value, "-4");
    type_text(t().m_event_text, "hello");
    type_text(t().e_event_target_name, "gate");
    click(t().Button39);
    ASSERT_EQ(editor.world.triggers[0].events.size(), 2u);
    Tevent want;
    want.action = action::set_trigger_visible;
    want.target = 3;
    want.turn_off_self = want.turn_off_trigger = want.search = true;
    want.continue_on_false = false;
    want.place = Tplace{8, 9, 1};
    want.value = -4;
    want.text = "hello";
    want.target_name = "gate";
    EXPECT_EQ(editor.world.triggers[0].events[1], want);
    pick(t().cb_event_type, 18);  // "act trigger"
    click(t().Button39);
    EXPECT_EQ(t().lb_events.items(),
              (std::vector<std::string>{"id:0 show message", "id:1 set trigger visible", "id:2 act trigger"}));

    // Selecting fills the form; moving the last event up keeps it selected.
    pick(t().lb_events, 1);
    EXPECT_EQ(t().cb_event_type.item_index(), 21);
    EXPECT_EQ(t().e_event_target_id.text(), "3");
    EXPECT_EQ(t().e_event_target_name.text(), "gate");
    EXPECT_EQ(t().cb_event_map.item_index(), 1);
    EXPECT_EQ(t().e_event_value.text(), "-4");
    EXPECT_EQ(t().m_event_text.text(), "hello");
    EXPECT_FALSE(t().cb_event_continue.checked());
    pick(t().lb_events, 2);
    click(t().Button45);
    EXPECT_EQ(t().lb_events.items(),
              (std::vector<std::string>{"id:0 show message", "id:1 act trigger", "id:2 set trigger visible"}));
    EXPECT_EQ(t().lb_events.item_index(), 1);
    click(t().Button46);
    EXPECT_EQ(t().lb_events.item_index(), 2);
    click(t().Button46);  // already last
    EXPECT_EQ(t().lb_events.item(2), "id:2 act trigger");

    // Update replaces the selected event with the form's; Delete removes it.
    pick(t().lb_events, 0);
    type_text(t().m_event_text, "changed");
    click(t().Button40);
    EXPECT_EQ(editor.world.triggers[0].events[0].text, "changed");
    EXPECT_EQ(editor.world.triggers[0].events[0].action, action::show_message);
    EXPECT_EQ(t().lb_events.item_index(), -1);
    click(t().Button40);  // no line selected: nothing
    click(t().Button41);
    EXPECT_EQ(editor.world.triggers[0].events.size(), 3u);
    pick(t().lb_events, 1);
    click(t().Button41);
    EXPECT_EQ(t().lb_events.items(), (std::vector<std::string>{"id:0 show message", "id:1 act trigger"}));
}

// A placed object's deletion turns an object action naming it into -2, which
// the event form shows as it is stored.
TEST_F(TriggersPage, ADeletedPlacedObjectShowsAsNamingNothing) {
    make_triggers(1);
    editor.world.mapobjects.resize(3);
    editor.world.triggers[0].events = {event(action::set_object_pass, 1), event(action::set_object_pass, 2)};
    delete_mapobject(1, editor.world);
    select_trigger(0);
    pick(t().lb_events, 0);
    EXPECT_EQ(t().e_event_target_id.text(), "-2");
    pick(t().lb_events, 1);
    EXPECT_EQ(t().e_event_target_id.text(), "1");
}

// The forms show a trigger and an event while, on other pages, a placed object
// and a path they name lose an earlier neighbour. Back on the page the target
// fields show the new numbers, and Update writes them, never the old numbers
// (which now name the next object and path). A number the designer typed over
// the loaded one is written as typed.
TEST_F(TriggersPage, TargetFieldsFollowTheRenumbering) {
    editor.world.mapobjects.resize(4);
    editor.world.paths.resize(3);
    make_triggers(1);
    Ttrigger& door = editor.world.triggers[0];
    door.target = 2;
    door.events = {event(action::switch_path_ways, 2), event(action::set_object_pass, 3)};
    select_trigger(0);
    pick(t().lb_events, 0);
    ASSERT_EQ(t().e_trig_map_object_id.text(), "2");
    ASSERT_EQ(t().e_event_target_id.text(), "2");

    pick_page(page_control(), page::paths);
    kit::user::press_cell(paths().sgpaths, 1, 1);
    kit::user::press_key(paths().sgpaths, kit::keys::del);
    ASSERT_EQ(editor.world.paths.size(), 2u);
    delete_mapobject(0, editor.world);  // as the map page deletes a placed object
    pick_page(page_control(), page::triggers);
    EXPECT_EQ(t().e_trig_map_object_id.text(), "1");
    EXPECT_EQ(t().e_event_target_id.text(), "1");
    click(t().Button40);
    click(t().Button37);
    EXPECT_EQ(door.target, 1);
    EXPECT_EQ(targets(door.events), (std::vector<int32_t>{1, 2}));

    // Typed over: the typed number stays and is written.
    pick(t().lb_events, 1);
    ASSERT_EQ(t().e_event_target_id.text(), "2");
    type_text(t().e_event_target_id, "0");
    type_text(t().e_trig_map_object_id, "5");
    delete_mapobject(0, editor.world);
    click(t().Button40);
    click(t().Button37);
    EXPECT_EQ(door.target, 5);
    EXPECT_EQ(targets(door.events), (std::vector<int32_t>{1, 0}));

    // Moving the current trigger swaps its number with its neighbour's
    // everywhere, in the event form too.
    editor.world.triggers.push_back(Ttrigger{});
    editor.world.triggers[0].events.push_back(event(action::act_trigger, 1));
    t().scripts_refresh();
    select_trigger(0);
    pick(t().lb_events, 2);
    ASSERT_EQ(t().e_event_target_id.text(), "1");
    click(t().Button44);
    EXPECT_EQ(t().e_event_target_id.text(), "0");
}

// A designer builds a door trigger with an "act trigger" event naming a
// second trigger, deletes a trigger before it, saves and opens the file again.
TEST_F(TriggersPage, ADoorTriggerSurvivesSaveAndReload) {
    add_maps(2);
    for (const char* name : {"first", "door", "alarm"}) {
        type_text(t().e_trig_name, name);
        click(t().Button36);
    }
    select_trigger(1);
    pick(t().cb_trig_type, trigger_kind::button - 1);
    pick(t().cb_trig_map, 1);
    type_text(t().e_trig_x, "5");
    type_text(t().e_trig_map_object_id, "0");
    type_text(t().m_trig_suc, "the door opens");
    click(t().Button37);
    pick(t().cb_event_type, action::act_trigger - 1);
    type_text(t().e_event_target_id, "2");
    click(t().Button39);
    pick(t().cb_event_type, action::show_message - 1);
    type_text(t().m_event_text, "creak");
    click(t().Button39);
    select_trigger(0);
    click(t().Button38);
    ASSERT_EQ(editor.world.triggers.size(), 2u);
    EXPECT_EQ(triggers().cur_trigger, -1);
    select_trigger(0);
    EXPECT_EQ(t().e_trig_name.text(), "door");
    EXPECT_EQ(t().lb_events.items(), (std::vector<std::string>{"id:0 act trigger", "id:1 show message"}));
    pick(t().lb_events, 0);
    EXPECT_EQ(t().e_event_target_id.text(), "1");  // the alarm, now trigger 1

    const TWorld saved = editor.world;
    const std::string file = dir_.file("door.wld");
    save_as(file);
    editor.world.triggers.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    // target_name is not stored in the file; nothing else differs.
    EXPECT_TRUE(editor.world == saved);
    EXPECT_EQ(t().lb_triggers.items(), (std::vector<std::string>{"id:0 door", "id:1 alarm"}));
    EXPECT_EQ(t().lb_events.items(), (std::vector<std::string>{"id:0 act trigger", "id:1 show message"}));
}

// After an Open the form shows the opened world's trigger at the current
// number, so Update never writes the old world's trigger over it.
TEST_F(TriggersPage, OpenShowsWhatTheCurrentTriggerNamesNow) {
    make_triggers(2);
    editor.world.triggers[1].target = 7;
    const std::string file = dir_.file("other.wld");
    save_as(file);
    editor.world.triggers.clear();
    make_triggers(3);
    select_trigger(1);
    ASSERT_EQ(t().e_trig_name.text(), "t1");
    type_text(t().e_trig_name, "typed");
    editor.world.triggers[1].name = "old";
    t().scripts_refresh();
    open(file);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_EQ(triggers().cur_trigger, 1);
    EXPECT_EQ(t().e_trig_name.text(), "t1");
    EXPECT_EQ(t().e_trig_map_object_id.text(), "7");
    click(t().Button37);
    EXPECT_EQ(editor.world.triggers[1].name, "t1");
    EXPECT_EQ(editor.world.triggers[1].target, 7);

    // A current number the opened world does not have: Update acts on nothing.
    triggers().cur_trigger = 2;
    open(file);
    EXPECT_EQ(t().cur_trig.caption(), "-1");
    const TWorld before = editor.world;
    click(t().Button37);
    EXPECT_TRUE(editor.world == before);
}

// The older events page: its tab is hidden, but its type choosers relabel its fields.
TEST_F(TriggersPage, HiddenEventsPageChoosersShowTheirFields) {
    EventsPage& ev = events();
    page_control().set_active_page_index(page::events);
    EXPECT_FALSE(ev.events_page.tab_visible());
    EXPECT_EQ(ev.cbtriggers.item_index(), 0);
    EXPECT_EQ(ev.cbtrigparam1.text(), "yes");
    EXPECT_EQ(ev.etrigparam25.text(), "-1");
    EXPECT_FALSE(ev.gbtrigparams2.visible());

    struct TrigCase {
        int item;
        const char* first;
        std::vector<std::string> shown;
    };
    const TrigCase trig_cases[] = {{1, "player", {"map", "x", "y"}}, {0, "time", {}}, {2, "player", {"item id"}},
                                   {3, "period", {"chance"}}};
    kit::Label* trig_labels[] = {&ev.ltrigparam3, &ev.ltrigparam4, &ev.ltrigparam5, &ev.ltrigparam6};
    kit::Edit* trig_edits[] = {&ev.etrigparam3, &ev.etrigparam4, &ev.etrigparam5, &ev.etrigparam6};
    for (const TrigCase& c : trig_cases) {
        SCOPED_TRACE(c.first);
        pick(ev.cbtriggers, c.item);
        EXPECT_EQ(ev.ltrigparam2.caption(), c.first);
        for (std::size_t i = 0; i < 4; ++i) {
            const bool shown = i < c.shown.size();
            EXPECT_EQ(trig_labels[i]->visible(), shown);
            EXPECT_EQ(trig_edits[i]->visible(), shown);
            if (shown) {
                EXPECT_EQ(trig_labels[i]->caption(), c.shown[i]);
            }
        }
    }

    // A few event types, from one that shows most fields to one that shows none.
    const std::pair<int, std::vector<std::string>> event_cases[] = {{9, {"npc id", "map", "x", "y", "search"}},
                                                                    {4, {"object", "pass"}},
                                                                    {10, {"npc id", "map", "search"}},
                                                                    {0, {}},
                                                                    {7, {"path"}}};
    kit::Label* labels[] = {&ev.leventparam1, &ev.leventparam2, &ev.leventparam3,
                            &ev.leventparam4, &ev.leventparam5, &ev.leventparam6};
    kit::Edit* edits[] = {&ev.eeparam1, &ev.eeparam2, &ev.eeparam3, &ev.eeparam4, &ev.eeparam5, &ev.eeparam6};
    for (const auto& [item, want] : event_cases) {
        SCOPED_TRACE(item);
        pick(ev.cbevents, item);
        for (std::size_t i = 0; i < 6; ++i) {
            const bool shown = i < want.size();
            EXPECT_EQ(labels[i]->visible(), shown);
            EXPECT_EQ(edits[i]->visible(), shown);
            if (shown) {
                EXPECT_EQ(labels[i]->caption(), want[i]);
            }
        }
    }
    EXPECT_TRUE(editor.world.triggers.empty());
}

// A line the keys select fills the event form, also one that becomes
// selected without moving: the focus puts the list's current line on the
// first line unselected, and Space then selects it. The form then shows the
// selected event, and Update stores what the form shows into that event.
TEST_F(TriggersPage, ALineSelectedByTheKeysFillsTheEventForm) {
    click(t().Button36);
    type_text(t().m_event_text, "first");
    click(t().Button39);
    type_text(t().m_event_text, "second");
    type_text(t().e_event_value, "2");
    click(t().Button39);
    // A draft the designer has not stored anywhere.
    type_text(t().m_event_text, "draft");
    ASSERT_EQ(t().lb_events.item_index(), -1);

    kit::user::press_key(t().lb_events, kit::keys::space);
    ASSERT_EQ(t().lb_events.item_index(), 0);
    EXPECT_EQ(t().m_event_text.text(), "first");
    EXPECT_EQ(t().e_event_value.text(), "0");
    click(t().Button40);
    EXPECT_EQ(editor.world.triggers[0].events[0].text, "first");

    // Moving by the keys fills it as before.
    kit::user::press_key(t().lb_events, kit::keys::down);
    EXPECT_EQ(t().lb_events.item_index(), 1);
    EXPECT_EQ(t().m_event_text.text(), "second");
    EXPECT_EQ(t().e_event_value.text(), "2");
}

// What the designer typed into the forms stays as typed through everything
// else the page and the window do: creating a trigger and an event (the lists
// are rebuilt), adding a path and a recipe, opening every page, the timers,
// the File menu's Open cancelled, and the focus passing through the lists.
TEST_F(TriggersPage, WhatTheDesignerTypedStaysThroughRefreshes) {
    add_maps(1);
    click(t().Button36);
    type_text(t().m_event_text, "hello world");
    click(t().Button39);
    ASSERT_EQ(editor.world.triggers.at(0).events.size(), 1u);
    EXPECT_EQ(editor.world.triggers[0].events[0].text, "hello world");

    // The designer goes on typing the next event and the trigger's texts.
    const std::pair<kit::Memo*, std::string> memos[] = {
        {&t().m_event_text, "next event"}, {&t().m_trig_descr, "descr"}, {&t().m_trig_suc, "yes"},
        {&t().m_trig_false, "no"}};
    const std::pair<kit::Edit*, std::string> edits[] = {
        {&t().e_event_target_id, "7"},      {&t().e_event_target_name, "gate"}, {&t().e_event_x, "3"},
        {&t().e_event_y, "4"},              {&t().e_event_value, "5"},          {&t().e_trig_name, "door"},
        {&t().e_trig_map_object_id, "12"},  {&t().e_trig_size, "2"},            {&t().e_trig_interval, "9"}};
    for (const auto& [memo, text] : memos) type_text(*memo, text);
    for (const auto& [edit, text] : edits) type_text(*edit, text);

    pick_page(page_control(), page::paths);
    click(paths().Button31);
    pick_page(page_control(), page::craft);
    click(craft().Button30);
    for (int p = 0; p < page_control().page_count(); ++p) pick_page(page_control(), p);
    animation_menu().set_checked(false);
    kit::user::choose(animation_menu());
    for (int p = 0; p < page_control().page_count(); ++p) {
        pick_page(page_control(), p);
        kit::user::tick(animation_timer());
        kit::user::tick(map().Timer3);
    }
    kit::user::choose(animation_menu());
    modal_->open_answers.push_back(std::nullopt);
    kit::user::choose(open_menu());
    pick_page(page_control(), page::triggers);
    kit::user::press_key(t().lb_triggers, kit::keys::tab);
    kit::user::press_key(t().lb_events, kit::keys::tab);

    for (const auto& [memo, text] : memos) EXPECT_EQ(memo->text(), text) << memo->name;
    for (const auto& [edit, text] : edits) EXPECT_EQ(edit->text(), text) << edit->name;
    EXPECT_EQ(editor.world.triggers[0].events[0].text, "hello world");
}

}  // namespace
