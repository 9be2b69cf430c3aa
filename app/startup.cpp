#include "app/startup.h"

#include "dialogs/ground_dialog.h"
#include "dialogs/parts_list.h"
#include "dialogs/item_editor.h"
#include "dialogs/npc_settings.h"
#include "dialogs/npc_inventory.h"
#include "dialogs/item_template_contents.h"
#include "dialogs/npc_template_equipment.h"
#include "dialogs/resource_template_contents.h"
#include "dialogs/resource_editor.h"
#include "dialogs/object_dialog.h"
#include "mainwindow/main.h"
#include "mainwindow/state.h"
#include "platform/errors.h"
#include "platform/kit/qt_modal.h"

#include <QApplication>

void create_windows() {
    editor.Form1 = new TForm1;
    kit::set_main_window(*editor.Form1);
    editor.Form2 = new TForm2;
    editor.Form3 = new TForm3;
    editor.Form4 = new TForm4;
    editor.Form5 = new TForm5;
    editor.Form6 = new TForm6;
    editor.Form7 = new TForm7;
    editor.Form8 = new TForm8;
    editor.Form9 = new TForm9;
    editor.Form10 = new TForm10;
    editor.Finv = new TFinv;
}

void show_main_window() { editor.Form1->show(); }

void destroy_windows() {
    for (kit::Window* w : {editor.Finv, editor.Form10, editor.Form9, editor.Form8, editor.Form7, editor.Form6,
                           editor.Form5, editor.Form4, editor.Form3, editor.Form2, editor.Form1})
        delete w;
    editor = EditorState{};
}

int start_program(int argc, char** argv) {
    QApplication app(argc, argv);
    set_program_title(program_title_from(argc > 0 ? argv[0] : "editor"));
    set_modal(std::make_unique<kit::QtModal>());
    init_tables();
    create_windows();
    const int rc = kit::run(*editor.Form1);
    destroy_windows();
    done_tables();
    return rc;
}
