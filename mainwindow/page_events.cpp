// The older events page. Its tab is hidden, so the designer never reaches it,
// but page numbers still count it.
#include "mainwindow/design.h"
#include "mainwindow/main.h"

void TForm1::create_events_page() {
    events_page = &make<kit::TabSheet>(*PC, "events");
    events_page->name = "events_page";
    events_page->set_tab_visible(false);
    kit::TabSheet& p = *events_page;

    PLACE(cbtriggers, p, 8, 8, 160, 22);
    PLACE(cbtrigparam1, p, 176, 8, 60, 22);

    PLACE(gbtrigparams1, p, 8, 40, 230, 80, "");
    PLACE(cbtrigparam11, *gbtrigparams1, 8, 18, 60, 22);
    PLACE(etrigparam12, *gbtrigparams1, 76, 18, 60, 22);
    PLACE(gbtrigparams2, p, 8, 130, 230, 80, "");
    PLACE(cbtrigparam21, *gbtrigparams2, 8, 18, 60, 22);
    PLACE(etrigparam22, *gbtrigparams2, 76, 18, 60, 22);
    PLACE(etrigparam23, *gbtrigparams2, 144, 18, 60, 22);
    PLACE(etrigparam24, *gbtrigparams2, 8, 46, 60, 22);
    PLACE(etrigparam25, *gbtrigparams2, 76, 46, 60, 22);
    PLACE(gbtrigparams3, p, 8, 220, 230, 80, "");
    PLACE(cbtrigparam31, *gbtrigparams3, 8, 18, 60, 22);
    PLACE(etrigparam32, *gbtrigparams3, 76, 18, 60, 22);
    PLACE(etrigparam33, *gbtrigparams3, 144, 18, 60, 22);

    for (int i = 2; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        kit::Label* l = add_label(p, 250, 12 + (i - 2) * 28, "ltrigparam" + n);
        l->name = "ltrigparam" + n;
        ltrigparam[static_cast<std::size_t>(i)] = l;
        if (i >= 3) {
            kit::Edit& e = make<kit::Edit>(p, "");
            e.name = "etrigparam" + n;
            e.set_bounds(330, 8 + (i - 2) * 28, 70, 22);
            etrigparam[static_cast<std::size_t>(i)] = &e;
        }
    }

    PLACE(cbevents, p, 420, 8, 160, 22);
    for (int i = 1; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        kit::Label* l = add_label(p, 420, 44 + (i - 1) * 28, "leventparam" + n);
        l->name = "leventparam" + n;
        leventparam[static_cast<std::size_t>(i)] = l;
        kit::Edit& e = make<kit::Edit>(p, "");
        e.name = "eeparam" + n;
        e.set_bounds(510, 40 + (i - 1) * 28, 70, 22);
        eeparam[static_cast<std::size_t>(i)] = &e;
    }

    PLACE(events_add, p, 8, 320, 80, 26, "ADD");
    PLACE(events_save, p, 94, 320, 80, 26, "SAVE");
    PLACE(lbscripts, p, 8, 354, 572, 240);
}
