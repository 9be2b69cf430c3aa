#pragma once
// What every secondary window shares. A dialog is a kit::Window subclass in its
// own header and source, with its controls as value members laid out by rows
// (kit::lay_out) and its handlers named as in the window's design:
//
//   class TForm8 : public Dialog {
//   public:
//       TForm8();
//       kit::StringGrid sg_ground{*this};
//   };
//   TForm8::TForm8() : Dialog("Form8", "Form8", 380, 260) {
//       lay_out({{sg_ground, "sg_ground", 8, 8, 200, 200}});
//       created();
//   }
//
// It reaches the main window only through the editor state (mainwindow/state.h,
// which its source includes); its header sees only the shared data.
#include "mainwindow/lookups.h"
#include "mainwindow/shared_state.h"

#include <string>

class Dialog : public kit::Window {
public:
    // What the item and resource editors call on the window that opened them
    // after they changed what it shows: the window re-runs its activation and
    // repaints its grid. A window that opens no editor does nothing.
    virtual void refresh_for_editor() {}

protected:
    // A hidden window named name, captioned caption, of the given client size.
    // The subclass lays out its controls and calls created() at the end of its
    // constructor.
    Dialog(const std::string& name, const std::string& caption, int client_width, int client_height);

    // The window's own close handler. Whatever it does, and even when it fails,
    // the opener gets its input back afterwards.
    virtual void FormClose() {}
    // The window that opened this one and is enabled again when it closes: the
    // main window, unless a subclass knows better.
    virtual kit::Window* opener() const;
    // Opens the item editor on placed item `item` (the resource editor on placed
    // resource `resource`) from this window, whose opener code is `code`, in
    // the order the editors rely on: the index is set, this window takes no
    // input until the editor closes, the editor shows over this window
    // (kit::Window::show_over: it stays above it) reading the index as it
    // activates, and then the code is stored.
    void open_item_editor(int32_t item, uint16_t code);
    void open_resource_editor(int32_t resource, uint16_t code);
    // w, or the main window when w is none or this window itself: whoever
    // opened a window, closing it never leaves the editor without input.
    kit::Window* or_main_window(kit::Window* w) const;
};

// The secondary window an opener code names (object dialog, item editor, NPC
// inventory, ground dialog), or nullptr for a code that names none.
Dialog* opener_dialog(uint16_t code);
