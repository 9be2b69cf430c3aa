#pragma once
// The older events page. Its tab is hidden, so the designer never reaches it,
// but page numbers still count it. Its buttons "ADD" and "SAVE" do nothing and
// its list has no handlers; only its two type choosers show, hide and relabel the
// parameter fields of the condition and the event chosen.
#include "mainwindow/page.h"
#include "platform/kit/kit.h"

class EventsPage : public Page {
public:
    explicit EventsPage(PageHost& host);
    void start() override;
    void shown() override;

    // Shows the parameter fields of trigger condition kind (1..4, the item of
    // cbtriggers + 1) with their labels; hides the others.
    void set_trig_params(int kind);
    // The same for event type kind (1..11, the item of cbevents + 1).
    void set_event_params(int kind);

    PageHost& host;
    SharedState& editor;
    kit::TabSheet events_page;
    kit::ComboBox cbtriggers{events_page};
    kit::ComboBox cbtrigparam1{events_page};
    kit::GroupBox gbtrigparams1{events_page};
    kit::ComboBox cbtrigparam11{gbtrigparams1};
    kit::Edit etrigparam12{gbtrigparams1};
    kit::GroupBox gbtrigparams2{events_page};
    kit::ComboBox cbtrigparam21{gbtrigparams2};
    kit::Edit etrigparam22{gbtrigparams2};
    kit::Edit etrigparam23{gbtrigparams2};
    kit::Edit etrigparam24{gbtrigparams2};
    kit::Edit etrigparam25{gbtrigparams2};
    kit::GroupBox gbtrigparams3{events_page};
    kit::ComboBox cbtrigparam31{gbtrigparams3};
    kit::Edit etrigparam32{gbtrigparams3};
    kit::Edit etrigparam33{gbtrigparams3};
    kit::Label ltrigparam2{events_page, "ltrigparam2"};
    kit::Label ltrigparam3{events_page, "ltrigparam3"};
    kit::Edit etrigparam3{events_page};
    kit::Label ltrigparam4{events_page, "ltrigparam4"};
    kit::Edit etrigparam4{events_page};
    kit::Label ltrigparam5{events_page, "ltrigparam5"};
    kit::Edit etrigparam5{events_page};
    kit::Label ltrigparam6{events_page, "ltrigparam6"};
    kit::Edit etrigparam6{events_page};
    kit::ComboBox cbevents{events_page};
    kit::Label leventparam1{events_page, "leventparam1"};
    kit::Edit eeparam1{events_page};
    kit::Label leventparam2{events_page, "leventparam2"};
    kit::Edit eeparam2{events_page};
    kit::Label leventparam3{events_page, "leventparam3"};
    kit::Edit eeparam3{events_page};
    kit::Label leventparam4{events_page, "leventparam4"};
    kit::Edit eeparam4{events_page};
    kit::Label leventparam5{events_page, "leventparam5"};
    kit::Edit eeparam5{events_page};
    kit::Label leventparam6{events_page, "leventparam6"};
    kit::Edit eeparam6{events_page};
    kit::Button events_add{events_page, "ADD"};
    kit::Button events_save{events_page, "SAVE"};
    kit::ListBox lbscripts{events_page};
};
