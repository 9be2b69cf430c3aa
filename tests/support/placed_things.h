#pragma once
// The fixture of the suites of the windows that edit placed things (the object
// dialog, the item and resource editors): the model suites' small world with
// pictures the editor fixture's tiles hold, a chest placed on the field, and
// the windows opened the way their openers open them.
#include "dialogs/item_editor.h"
#include "dialogs/resource_editor.h"
#include "dialogs/object_dialog.h"
#include "model/tools.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/model_fixture.h"

#include <string>

class PlacedThingsFixture : public EditorFixture {
protected:
    // Where the chest stands.
    static Tplace chest_cell() { return at(0, 2, 2); }
    // Pictures: item row i shows frame 1 + i; resource row r frame 10 + r for
    // one piece and 20 + r for many.
    static int item_picture(int row) { return 1 + row; }
    static int one_picture(int row) { return 10 + row; }
    static int many_picture(int row) { return 20 + row; }

    void SetUp() override {
        EditorFixture::SetUp();
        TWorld& w = editor.world;
        w = small_world();
        for (std::size_t i = 0; i < w.pitems.size(); ++i) w.pitems[i].image = item_picture(static_cast<int>(i));
        for (std::size_t r = 0; r < w.presources.size(); ++r) {
            w.presources[r].image_one = one_picture(static_cast<int>(r));
            w.presources[r].image_many = many_picture(static_cast<int>(r));
        }
        setgrids();
    }

    TForm2& sec() { return dialog<TForm2>(editor.Form2); }
    TForm3& item_editor() { return dialog<TForm3>(editor.Form3); }
    TForm9& res_editor() { return dialog<TForm9>(editor.Form9); }

    // Places a chest of the given size on chest_cell(); its index.
    int32_t place_chest(int32_t size = 32) {
        TWorld& w = editor.world;
        place_object(row::chest, chest_cell(), w);
        w.mapobjects.back().size = size;
        return static_cast<int32_t>(w.mapobjects.size()) - 1;
    }

    // As the map's "properties" opens the object dialog.
    void open_object_dialog(int32_t object) {
        editor.cur_placed_object = object;
        main_window().set_enabled(false);
        editor.Form2->show();
        editor.Form2->set_caption(std::to_string(object));
    }

    // As the window an opener code names opens the item or the resource
    // editor: it shows itself first when it is not open yet (the main window
    // disabled), sets the thing, disables itself, shows the editor and stores
    // its code.
    void open_item_editor(int32_t item, uint16_t code) {
        open_editor(*editor.Form3, editor.cur_placed_item, editor.item_dlg_opener, item, code);
    }
    void open_resource_editor(int32_t resource, uint16_t code) {
        open_editor(*editor.Form9, editor.cur_placed_res, editor.res_dlg_opener, resource, code);
    }

private:
    void open_editor(kit::Window& window, int32_t& current, uint16_t& stored_code, int32_t thing, uint16_t code) {
        kit::Window& opener = *opener_window(code);
        if (!opener.visible()) {
            main_window().set_enabled(false);
            opener.show();
        }
        current = thing;
        opener.set_enabled(false);
        window.show();
        stored_code = code;
    }
};
