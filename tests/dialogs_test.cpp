// What every secondary window shares: its design caption and size, hidden
// after start-up, and closing it gives its opener the input back, also when
// its own close handler fails. Each dialog's own behaviour is tested in a file
// of its own.
#include "dialogs/dialog.h"
#include "dialogs/item_edit_form.h"
#include "dialogs/res_edit_form.h"
#include "platform/errors.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::close;

class Dialogs : public EditorFixture {};

struct Shape {
    kit::Window* EditorState::*window;
    const char* name;
    const char* caption;
    int width, height;
};

const Shape shapes[] = {
    {&EditorState::Form2, "Form2", "Object", 420, 360},      {&EditorState::Form3, "Form3", "Form3", 560, 420},
    {&EditorState::Form8, "Form8", "Form8", 380, 260},       {&EditorState::Form9, "Form9", "re", 420, 330},
};

TEST_F(Dialogs, ClosingGivesTheMainWindowItsInputBack) {
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        kit::Window& w = *(editor.*s.window);
        EXPECT_EQ(w.name, s.name);
        EXPECT_EQ(w.caption(), s.caption);
        EXPECT_EQ(w.client_width(), s.width);
        EXPECT_EQ(w.client_height(), s.height);
        EXPECT_FALSE(w.visible());
        // Opened as an opener opens it: the main window disabled, the dialog shown.
        form().set_enabled(false);
        w.show();
        close(w);
        EXPECT_FALSE(w.visible());
        EXPECT_TRUE(form().enabled());
    }
    EXPECT_TRUE(modal_->errors.empty());
}

// The item and resource editors give the input back to the window their
// opener code names; a code that names no window that may open them gives it
// to the main window, so the editor is never left without input.
TEST_F(Dialogs, TheEditorsGiveTheInputBackToTheirOpener) {
    struct Case {
        kit::Window* EditorState::*editor_window;
        uint16_t EditorState::*code;
        uint16_t value;
        kit::Window* EditorState::*expected;
    };
    const Case cases[] = {
        {&EditorState::Form3, &EditorState::item_dlg_opener, opener::object_dialog, &EditorState::Form2},
        {&EditorState::Form3, &EditorState::item_dlg_opener, opener::npc_inventory, &EditorState::Form5},
        {&EditorState::Form3, &EditorState::item_dlg_opener, opener::ground_dialog, &EditorState::Form8},
        {&EditorState::Form3, &EditorState::item_dlg_opener, opener::item_editor, &EditorState::Form1},
        {&EditorState::Form3, &EditorState::item_dlg_opener, 0, &EditorState::Form1},
        {&EditorState::Form9, &EditorState::res_dlg_opener, opener::object_dialog, &EditorState::Form2},
        {&EditorState::Form9, &EditorState::res_dlg_opener, opener::item_editor, &EditorState::Form3},
        {&EditorState::Form9, &EditorState::res_dlg_opener, opener::npc_inventory, &EditorState::Form5},
        {&EditorState::Form9, &EditorState::res_dlg_opener, opener::ground_dialog, &EditorState::Form8},
        {&EditorState::Form9, &EditorState::res_dlg_opener, 7, &EditorState::Form1},
    };
    for (const Case& c : cases) {
        kit::Window& dialog = *(editor.*c.editor_window);
        SCOPED_TRACE(dialog.name + " opened by " + std::to_string(c.value));
        // Every window that may open it is disabled, as its opener disables itself.
        for (kit::Window* w : {editor.Form1, editor.Form2, editor.Form3, editor.Form5, editor.Form8})
            w->set_enabled(w == &dialog);
        editor.*c.code = c.value;
        dialog.show();
        close(dialog);
        kit::Window* expected = editor.*c.expected;
        for (kit::Window* w : {editor.Form1, editor.Form2, editor.Form3, editor.Form5, editor.Form8})
            if (w != &dialog) {
                EXPECT_EQ(w->enabled(), w == expected) << w->name;
            }
    }
}

// A dialog whose close handler fails: the error is shown, the dialog closes
// and the main window takes input again.
class Failing : public Dialog {
public:
    Failing() : Dialog("failing", "failing", 200, 100) { created(); }
    void FormClose() override { throw EditorError("close failed"); }
};

TEST_F(Dialogs, ClosingAfterAFailedCloseHandlerStillGivesTheInputBack) {
    Failing dialog;
    form().set_enabled(false);
    dialog.show();
    close(dialog);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"close failed."});
    EXPECT_FALSE(dialog.visible());
    EXPECT_TRUE(form().enabled());
}

}  // namespace
