// The objects page driven as a designer drives it: both frames sets filled
// from the tile palette, ADD, "<- EDIT" and Del of object templates, "Parts",
// and a built catalogue that survives Save and Open.
#include "mainwindow/page_objects.h"

#include "dialogs/parts_list.h"
#include "mainwindow/frame_set.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_terrain.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::press_cell;
using kit::user::type_text;

class ObjectsPage : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        kit::user::pick_page(page_control(), page::objects);
    }
    void pick_tile(int n) {
        kit::StringGrid& tiles = tile_palette();
        kit::user::scroll_to(tiles, 0, n / 3);
        press_cell(tiles, n % 3, n / 3);
    }
    // Picks tile n, then clicks slot c of the main (or the secondary) frames set.
    void set_slot(int c, int n, bool secondary = false) {
        pick_tile(n);
        press_cell(secondary ? objects().sg_object_tiles2 : objects().sg_object_tiles, c, 0);
    }
    // Catalogue entry e clicked in sg_objects.
    void select(int e) {
        kit::user::scroll_to(objects().sg_objects, 0, e / 3);
        press_cell(objects().sg_objects, e % 3, e / 3);
    }
    // An object of frames 0 .. count - 1 shifted by first, named name.
    static Tmapobject object_of(const std::string& name, int count, int first) {
        Tmapobject o;
        o.name = name;
        o.frame_count = count;
        for (int k = 0; k < count; ++k) {
            o.frames.push_back(first + k);
            o.frames2.push_back(first + 10 + k);
        }
        return o;
    }
    // Fills every field of the form with values none of its defaults has.
    void fill_form() {
        type_text(objects().eoname, "barrel");
        type_text(objects().m_otitle, "an old barrel");
        pick(objects().cb_olock, 7);
        pick(objects().cb_oform, 1);
        type_text(objects().eosize, "12");
        type_text(objects().eoheight, "20");
        type_text(objects().eohp, "250");
        type_text(objects().eo_arm1, "1");
        type_text(objects().eo_arm2, "2");
        type_text(objects().eo_arm3, "-3");
        // Floating, chest, receiver and transparent on, every other flag off.
        ::ObjectsPage& page = objects();
        for (kit::CheckBox* c :
             {&page.chb_ofloating, &page.chb_ochest, &page.chb_odoor, &page.chb_olocked, &page.chb_oclosed,
              &page.chb_opass, &page.chb_ovis, &page.chb_otrans, &page.chb_oreciv, &page.chb_otransp}) {
            const bool on =
                c == &page.chb_ofloating || c == &page.chb_ochest || c == &page.chb_oreciv || c == &page.chb_otransp;
            if (c->checked() != on) click(*c);
        }
    }
    // What fill_form gives, with the frames and parts given.
    static Tmapobject filled_object(tintarray frames, tintarray frames2, Tinvitems parts = {}) {
        Tmapobject o;
        o.name = "barrel";
        o.title = "an old barrel";
        o.lock = 7;
        o.form = 1;
        o.size = 12;
        o.height = 20;
        o.hp = 250;
        o.arm1 = 1;
        o.arm2 = 2;
        o.arm3 = -3;
        o.floating = o.chest = o.receiver = o.transparent = true;
        o.frame_count = static_cast<int32_t>(frames.size());
        o.frames = std::move(frames);
        o.frames2 = std::move(frames2);
        o.parts = std::move(parts);
        return o;
    }
};

// ADD takes every field of the form, exactly the chosen number of slots of
// both sets (the secondary set may stay empty) and the parts buffer.
TEST_F(ObjectsPage, AddTakesEveryFieldOfTheForm) {
    set_slot(0, 3);
    set_slot(1, 4);
    set_slot(2, 5);
    set_slot(0, 30, true);
    editor.world.pitems.resize(3);  // the rows the parts name
    editor.world.presources.resize(1);
    objects().obj_parts = {{thing::item, 2, 1}, {thing::resource, 0, 5}};
    fill_form();
    pick(objects().cb_oimages, 1);  // "2"
    click(objects().Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 1u);
    EXPECT_EQ(editor.world.pmapobjects[0], filled_object({3, 4}, {30, -1}, objects().obj_parts));

    // Again, with the secondary set empty: -1 entries; the row is the entry's own.
    objects().object_frames2.assign(8, -1);
    click(objects().Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 2u);
    Tmapobject second = filled_object({3, 4}, {-1, -1}, objects().obj_parts);
    second.row = 1;
    EXPECT_EQ(editor.world.pmapobjects[1], second);
    // The catalogue and the map page's palette grow with the list.
    EXPECT_EQ(objects().sg_objects.row_count(), 1);
    for (int k = 0; k < 3; ++k) click(objects().Button4);
    EXPECT_EQ(objects().sg_objects.row_count(), 2);
    EXPECT_EQ(map().sg_objects_2.row_count(), 2);

    // An empty main slot among the chosen ones: the message, nothing added.
    pick(objects().cb_oimages, 2);  // "4": slot 3 is empty
    click(objects().Button4);
    EXPECT_EQ(modal_->messages, std::vector<std::string>{frame_set::unfilled_message});
    EXPECT_EQ(editor.world.pmapobjects.size(), 5u);
}

// An object from a file whose frames or parts name nothing: ADD refuses a
// slot that names no tile in either set (it shows empty) and a part that names
// no template; "<- EDIT" keeps the parts the object holds already but takes no
// new one that names nothing.
TEST_F(ObjectsPage, FramesAndPartsThatNameNothingAreNotCopied) {
    editor.world.pitems.resize(1);
    Tmapobject o = object_of("odd", 2, 3);
    o.parts = {{thing::item, 0, 1}, {thing::item, 9, 1}};
    const int32_t missing = frames32 + frames64;
    o.frames[1] = missing;
    editor.world.pmapobjects = {o};
    setgrids();
    const auto add = [this] {
        const std::size_t before = editor.world.pmapobjects.size();
        click(objects().Button4);
        return editor.world.pmapobjects.size() > before;
    };

    select(0);
    EXPECT_FALSE(add());  // main slot 1 names no tile
    EXPECT_EQ(modal_->messages.back(), frame_set::unfilled_message);
    set_slot(1, 4);
    objects().object_frames2[0] = missing;
    EXPECT_FALSE(add());  // secondary slot 0 names no tile
    objects().object_frames2[0] = -1;
    EXPECT_FALSE(add());  // part 1 names no item
    EXPECT_EQ(modal_->errors.back(),
              "A part names item 9, which does not exist: right-click it in the Parts window to remove it.");
    objects().obj_parts.pop_back();
    EXPECT_TRUE(add());
    EXPECT_EQ(editor.world.pmapobjects[1].frames2, (tintarray{-1, 14}));

    // An edit of the object keeps its own part naming nothing, refuses a new one.
    objects().obj_parts = o.parts;
    click(objects().Button6);
    EXPECT_EQ(editor.world.pmapobjects[0].parts, o.parts);
    const std::size_t errors = modal_->errors.size();
    objects().obj_parts.push_back({thing::resource, 0, 1});
    const std::vector<Tmapobject> before = editor.world.pmapobjects;
    click(objects().Button6);
    EXPECT_EQ(modal_->errors.size(), errors + 1);
    EXPECT_EQ(editor.world.pmapobjects, before);
}

// A size outside 0..32 is brought into it by ADD, which shows the size stored;
// an edit keeps it as typed.
TEST_F(ObjectsPage, AddBringsTheSizeIntoRangeAndShowsIt) {
    set_slot(0, 1);
    const std::tuple<const char*, int32_t, const char*> cases[] = {
        {"40", 32, "32"}, {"-5", 0, "0"}, {"32", 32, "32"}, {"0", 0, "0"}, {"", 0, ""}, {"2147483647", 32, "32"}};
    for (const auto& [typed, stored, shown] : cases) {
        type_text(objects().eosize, typed);
        click(objects().Button4);
        EXPECT_EQ(editor.world.pmapobjects.back().size, stored) << typed;
        EXPECT_EQ(objects().eosize.text(), shown) << typed;
    }
    editor.cur_object = 0;
    type_text(objects().eosize, "40");
    click(objects().Button6);
    EXPECT_EQ(editor.world.pmapobjects[0].size, 40);
    EXPECT_EQ(objects().eosize.text(), "40");
}

// Every number is converted before anything is written: one that fails
// leaves the catalogue, the entry and the size field as they were.
TEST_F(ObjectsPage, AFieldThatIsNoNumberWritesNothing) {
    set_slot(0, 1);
    click(objects().Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 1u);
    editor.cur_object = 0;
    const std::vector<Tmapobject> before = editor.world.pmapobjects;
    for (kit::Edit* bad :
         {&objects().eoheight, &objects().eohp, &objects().eo_arm1, &objects().eo_arm2, &objects().eo_arm3}) {
        for (kit::Button* b : {&objects().Button4, &objects().Button6}) {
            SCOPED_TRACE(bad->name + " " + b->caption());
            modal_->errors.clear();
            type_text(objects().eoname, "changed");
            type_text(objects().eosize, "40");
            type_text(*bad, "9z");
            click(*b);
            EXPECT_EQ(modal_->errors, std::vector<std::string>{"'9z' is not a valid integer value."});
            EXPECT_EQ(editor.world.pmapobjects, before);
            EXPECT_EQ(objects().eosize.text(), "40");
            type_text(*bad, "0");
        }
    }
    type_text(objects().eosize, "x");
    click(objects().Button4);
    EXPECT_EQ(modal_->errors.back(), "'x' is not a valid integer value.");
    EXPECT_EQ(editor.world.pmapobjects, before);
}

// With several fields refused at once, the one read first is the one named:
// the size, the height, the armour, then the HP (whatever the layout shows).
TEST_F(ObjectsPage, OfSeveralRefusedFieldsTheFirstReadIsNamed) {
    set_slot(0, 1);
    click(objects().Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 1u);
    editor.cur_object = 0;
    ::ObjectsPage& p = objects();
    const std::pair<kit::Edit*, kit::Edit*> cases[] = {
        {&p.eosize, &p.eoheight}, {&p.eoheight, &p.eo_arm1}, {&p.eo_arm3, &p.eohp}};
    for (const auto& [first, second] : cases) {
        SCOPED_TRACE(first->name);
        for (kit::Button* b : {&p.Button4, &p.Button6})
            expect_refused({{second, "second"}, {first, "first"}}, *b, "'first' is not a valid integer value.");
    }
}

// Selecting loads the object; its frames sets show its count of frames and
// leave the other slots empty; a lock or form that the lists do not hold
// shows no entry and an edit keeps it.
TEST_F(ObjectsPage, SelectingLoadsTheObjectIntoTheForm) {
    set_slot(0, 3);
    set_slot(1, 4);
    set_slot(0, 30, true);
    editor.world.pitems.resize(2);  // the row the part names
    objects().obj_parts = {{thing::item, 1, 2}};
    fill_form();
    pick(objects().cb_oimages, 1);
    click(objects().Button4);
    editor.world.pmapobjects.push_back(object_of("four", 4, 20));
    Tmapobject odd = object_of("odd", 8, 0);
    odd.frames2.resize(2);  // a secondary list shorter than the count
    odd.lock = 40;
    odd.form = -1;
    editor.world.pmapobjects.push_back(odd);
    setgrids();

    select(1);
    EXPECT_EQ(editor.cur_object, 1);
    EXPECT_EQ(objects().eoname.text(), "four");
    EXPECT_EQ(objects().cb_oimages.text(), "4");
    EXPECT_EQ(objects().object_frames, (tintarray{20, 21, 22, 23, -1, -1, -1, -1}));
    EXPECT_EQ(objects().object_frames2, (tintarray{30, 31, 32, 33, -1, -1, -1, -1}));
    EXPECT_TRUE(objects().obj_parts.empty());
    EXPECT_FALSE(objects().chb_ovis.checked());

    select(0);
    EXPECT_EQ(objects().eoname.text(), "barrel");
    EXPECT_EQ(objects().m_otitle.text(), "an old barrel");
    EXPECT_EQ(objects().cb_olock.text(), "7");
    EXPECT_EQ(objects().cb_oform.text(), "square");
    EXPECT_EQ(objects().eohp.text(), "250");
    EXPECT_EQ(objects().eo_arm3.text(), "-3");
    EXPECT_TRUE(objects().chb_otransp.checked());
    EXPECT_FALSE(objects().chb_oclosed.checked());
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 1, 2}}));
    EXPECT_EQ(objects().object_frames, (tintarray{3, 4, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(objects().object_frames2, (tintarray{30, -1, -1, -1, -1, -1, -1, -1}));
    // The form loaded, nothing changed: an edit writes the entry back as it was.
    const Tmapobject first = editor.world.pmapobjects[0];
    click(objects().Button6);
    EXPECT_EQ(editor.world.pmapobjects[0], first);

    select(2);
    EXPECT_EQ(objects().object_frames2, (tintarray{10, 11, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(objects().cb_olock.item_index(), -1);
    EXPECT_EQ(objects().cb_oform.item_index(), -1);
    click(objects().Button6);
    EXPECT_EQ(editor.world.pmapobjects[2].lock, 40);
    EXPECT_EQ(editor.world.pmapobjects[2].form, -1);
    EXPECT_EQ(editor.world.pmapobjects[2].frames2, (tintarray{10, 11, -1, -1, -1, -1, -1, -1}));

    // Past the catalogue: nothing.
    press_cell(objects().sg_objects, 0, 1);
    EXPECT_EQ(editor.cur_object, 2);
}

// "<- EDIT" overwrites the selected entry only, keeping its row and what a
// template holds beyond the form; it takes empty slots as they are.
TEST_F(ObjectsPage, EditOverwritesOnlyTheSelectedObject) {
    for (int k = 0; k < 3; ++k) editor.world.pmapobjects.push_back(object_of("o" + std::to_string(k), 1, k));
    editor.world.pmapobjects[1].row = 7;
    setgrids();
    const std::vector<Tmapobject> before = editor.world.pmapobjects;
    for (int bad : {-1, 3}) {
        editor.cur_object = bad;
        click(objects().Button6);
        EXPECT_EQ(editor.world.pmapobjects, before);
    }
    select(1);
    fill_form();
    pick(objects().cb_oimages, 1);
    editor.world.presources.resize(5);  // the row the part names
    objects().obj_parts = {{thing::resource, 4, 9}};
    click(objects().Button6);
    Tmapobject edited = filled_object({1, -1}, {11, -1}, objects().obj_parts);
    edited.row = 7;
    EXPECT_EQ(editor.world.pmapobjects[1], edited);
    EXPECT_EQ(editor.world.pmapobjects[0], before[0]);
    EXPECT_EQ(editor.world.pmapobjects[2], before[2]);
    EXPECT_TRUE(modal_->messages.empty());
}

// Del removes the selected entry at once and selects the one before it; the
// first entry's removal clears the form and the parts buffer. Placed objects
// keep the row they were made from.
TEST_F(ObjectsPage, DeleteSelectsTheEntryBefore) {
    for (int k = 0; k < 4; ++k) {
        editor.world.pmapobjects.push_back(object_of("o" + std::to_string(k), 2, 2 * k));
        editor.world.pmapobjects.back().row = k;
    }
    editor.world.pmapobjects[2].parts = {{thing::item, 0, 3}};
    editor.world.mapobjects.push_back(editor.world.pmapobjects[3]);
    editor.world.mapobjects[0].row = 3;
    setgrids();

    editor.cur_object = 4;
    click(objects().Button7);
    EXPECT_EQ(editor.world.pmapobjects.size(), 4u);

    select(3);
    click(objects().Button7);
    ASSERT_EQ(editor.world.pmapobjects.size(), 3u);
    EXPECT_EQ(editor.cur_object, 2);
    EXPECT_EQ(objects().eoname.text(), "o2");
    EXPECT_EQ(objects().obj_parts, editor.world.pmapobjects[2].parts);
    EXPECT_EQ(objects().object_frames, (tintarray{4, 5, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(editor.world.mapobjects[0].row, -1) << "its template is gone";
    EXPECT_EQ(objects().sg_objects.row_count(), 2);
    EXPECT_EQ(map().sg_objects_2.row_count(), 2);

    select(0);
    type_text(objects().eohp, "77");
    click(objects().chb_odoor);
    click(objects().Button7);
    ASSERT_EQ(editor.world.pmapobjects.size(), 2u);
    EXPECT_EQ(editor.world.pmapobjects[0].name, "o1");
    EXPECT_EQ(editor.cur_object, -1);
    EXPECT_EQ(objects().eoname.text(), "");
    EXPECT_EQ(objects().eosize.text(), "");
    EXPECT_EQ(objects().eoheight.text(), "");
    EXPECT_FALSE(objects().chb_odoor.checked());
    EXPECT_EQ(objects().eohp.text(), "77");  // HP, armour, description and four flags stay
    EXPECT_EQ(objects().cb_oimages.item_index(), 0);
    EXPECT_EQ(objects().object_frames, tintarray(8, -1));
    EXPECT_EQ(objects().object_frames2, tintarray(8, -1));
    EXPECT_TRUE(objects().obj_parts.empty());
    // Nothing selected now: Del, EDIT and Parts do nothing.
    click(objects().Button7);
    click(objects().Button6);
    click(objects().Button42);
    EXPECT_EQ(editor.world.pmapobjects.size(), 2u);
    EXPECT_FALSE(editor.Finv->visible());
}

// "Parts" opens the parts dialog on the parts buffer for a selected object
// only; the catalogue entry gets the list at the next EDIT.
TEST_F(ObjectsPage, PartsEditsTheBufferUntilEdit) {
    for (int k = 0; k < 2; ++k) editor.world.pmapobjects.push_back(object_of("o" + std::to_string(k), 1, k));
    Tpitem item;
    item.image = 6;
    editor.world.pitems = {item};
    setgrids();

    // Two past the last entry names nothing the designer could be composing.
    editor.cur_object = 3;
    click(objects().Button42);
    EXPECT_FALSE(editor.Finv->visible());
    EXPECT_TRUE(main_window().enabled());

    select(1);
    click(objects().Button42);
    TFinv& parts = dialog<TFinv>(editor.Finv);
    ASSERT_TRUE(parts.visible());
    EXPECT_FALSE(main_window().enabled());
    EXPECT_EQ(editor.inv_target, &objects().obj_parts);
    press_cell(parts.sg_pitems, 0, 0);
    click(parts.Button2);
    kit::user::close(parts);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 0, 1}}));
    EXPECT_TRUE(editor.world.pmapobjects[1].parts.empty());
    click(objects().Button6);
    EXPECT_EQ(editor.world.pmapobjects[1].parts, (Tinvitems{{thing::item, 0, 1}}));
}

// The first object's parts are composed before its ADD: with the catalogue
// empty (and so the selection 0, one past the end) "Parts" opens the dialog on
// the buffer, and the ADD takes what was composed.
TEST_F(ObjectsPage, PartsComposeTheFirstObjectBeforeItsAdd) {
    Tpitem item;
    item.image = 6;
    editor.world.pitems = {item};
    setgrids();
    ASSERT_TRUE(editor.world.pmapobjects.empty());
    ASSERT_EQ(editor.cur_object, 0);

    click(objects().Button42);
    TFinv& parts = dialog<TFinv>(editor.Finv);
    ASSERT_TRUE(parts.visible());
    EXPECT_EQ(editor.inv_target, &objects().obj_parts);
    press_cell(parts.sg_pitems, 0, 0);
    click(parts.Button2);
    click(parts.Button2);
    kit::user::close(parts);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_EQ(objects().obj_parts, (Tinvitems{{thing::item, 0, 2}}));

    set_slot(0, 1);
    click(objects().Button4);
    ASSERT_EQ(editor.world.pmapobjects.size(), 1u);
    EXPECT_EQ(editor.world.pmapobjects[0].parts, (Tinvitems{{thing::item, 0, 2}}));

    // One past the new last entry still composes the next one's parts.
    editor.cur_object = 1;
    click(objects().Button42);
    EXPECT_TRUE(parts.visible());
    kit::user::close(parts);
    EXPECT_TRUE(main_window().enabled());
}

// A designer builds two objects with pictures from the palette, sees them in
// the map page's palette, saves and opens the world again.
TEST_F(ObjectsPage, BuiltObjectsSurviveSaveAndOpen) {
    set_slot(0, 30);
    set_slot(1, 31);
    set_slot(0, 32, true);
    fill_form();
    pick(objects().cb_oimages, 1);
    click(objects().Button4);

    set_slot(0, 33);
    type_text(objects().eoname, "crate");
    pick(objects().cb_oimages, 0);
    pick(objects().cb_olock, 0);
    click(objects().chb_opass);
    click(objects().Button4);
    const std::vector<Tmapobject> built = editor.world.pmapobjects;
    ASSERT_EQ(built.size(), 2u);
    EXPECT_EQ(built[1].name, "crate");

    kit::user::pick_page(page_control(), page::map);
    kit::user::pick_page(map().PC2, palette::objects);
    const kit::Rect r = map().sg_objects_2.cell_rect(1, 0);
    EXPECT_EQ(map().sg_objects_2.canvas().pixel(r.left + 40, r.top + 40), frame_color(33));
    press_cell(map().sg_objects_2, 1, 0);
    EXPECT_EQ(editor.cur_object, 1);

    const std::string file = dir_.file("objects.wld");
    save_as(file);
    editor.world.pmapobjects.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    EXPECT_EQ(editor.world.pmapobjects, built);
    kit::user::pick_page(page_control(), page::objects);
    select(0);
    EXPECT_EQ(objects().eoname.text(), "barrel");
    EXPECT_EQ(objects().cb_olock.text(), "7");
    EXPECT_EQ(objects().object_frames, (tintarray{30, 31, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(objects().object_frames2, (tintarray{32, -1, -1, -1, -1, -1, -1, -1}));
}

// A world file from an earlier editor may hold one object row twice. It opens
// and saves as it was; an ADD then takes a row no template holds, and Del of
// one of the two sharing a row renumbers nothing, so the other keeps it.
TEST_F(ObjectsPage, AFileWhoseRowsCollideOpensAndNewRowsStayUnique) {
    for (int k = 0; k < 3; ++k) editor.world.pmapobjects.push_back(object_of("o" + std::to_string(k), 1, k));
    editor.world.pmapobjects[0].row = 0;
    editor.world.pmapobjects[1].row = 2;
    editor.world.pmapobjects[2].row = 2;
    Tcraft recipe;
    recipe.near_object = 2;
    recipe.product = 2;
    recipe.product_kind = product::object;
    editor.world.crafts = {recipe};
    const std::string file = dir_.file("old.wld");
    save_as(file);
    editor.world.pmapobjects.clear();
    editor.world.crafts.clear();
    open(file);
    ASSERT_TRUE(modal_->errors.empty()) << modal_->errors.front();
    auto rows = [this] {
        std::vector<int32_t> out;
        for (const Tmapobject& o : editor.world.pmapobjects) out.push_back(o.row);
        return out;
    };
    ASSERT_EQ(rows(), (std::vector<int32_t>{0, 2, 2}));

    set_slot(0, 4);
    click(objects().Button4);
    EXPECT_EQ(rows(), (std::vector<int32_t>{0, 2, 2, 3}));
    select(1);
    click(objects().Button7);
    EXPECT_EQ(rows(), (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(editor.world.crafts[0].near_object, 2);
    EXPECT_EQ(editor.world.crafts[0].product, 2);
    // Now that row 2 is held once, deleting it moves row 3 down and the recipe
    // loses the object it named.
    select(1);
    click(objects().Button7);
    EXPECT_EQ(rows(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(editor.world.crafts[0].near_object, -1);
    EXPECT_EQ(editor.world.crafts[0].product, -1);
}

}  // namespace
