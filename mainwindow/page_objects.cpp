#include "mainwindow/page_objects.h"

#include "mainwindow/frame_set.h"
#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "model/links.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>

namespace {

// The sizes an object may have, in pixels: ADD brings a typed size into them.
constexpr int32_t size_min = 0, size_max = 32;

// The page's controls for an object template's fields, in the order ADD and
// "<- EDIT" read them; an empty text counts as 0, and a lock or form box with
// nothing chosen keeps what the object holds. ADD brings the size into what
// an object may have, and the box shows the size stored.
fields::Form<Tmapobject> object_form(ObjectsPage& p, bool size_into_range) {
    using Form = fields::Form<Tmapobject>;
    Form::Rule into_size;
    if (size_into_range)
        into_size = [](const Tmapobject&, const std::string&, int32_t size) {
            return std::clamp(size, size_min, size_max);
        };
    return Form(object_fields(), {true, ""},
                {
                    {"size", &p.eosize, into_size, size_into_range},
                    {"height", &p.eoheight},
                    {"arm1", &p.eo_arm1},
                    {"arm2", &p.eo_arm2},
                    {"arm3", &p.eo_arm3},
                    {"hp", &p.eohp},
                    {"lock", &p.cb_olock},
                    {"form", &p.cb_oform},
                    {"name", &p.eoname},
                    {"title", &p.m_otitle},
                    {"floating", &p.chb_ofloating},
                    {"chest", &p.chb_ochest},
                    {"door", &p.chb_odoor},
                    {"locked", &p.chb_olocked},
                    {"closed", &p.chb_oclosed},
                    {"passing", &p.chb_opass},
                    {"visible", &p.chb_ovis},
                    {"transmitter", &p.chb_otrans},
                    {"receiver", &p.chb_oreciv},
                    {"transparent", &p.chb_otransp},
                });
}

}  // namespace

ObjectsPage::ObjectsPage(PageHost& host) : host(host), editor(host.state()), objects(host.page_control(), "objects") {
    objects.name = "objects";
    host.window().lay_out({
        {sg_object_tiles, "sg_object_tiles", 8, 22, 8 * 65 + 4, 69, "main frames set", 8, 6},
        {sg_object_tiles2, "sg_object_tiles2", 8, 112, 8 * 65 + 4, 69, "secondary frames set (not nesissary)", 8, 96},
        {Image2, "Image2", 540, 22, 65, 65},
        {eoname, "eoname", 60, 190, 160, 22, "name", 8, 194},
        {cb_oimages, "cb_oimages", 60, 218, 60, 22, "frames", 8, 222},
        {cb_olock, "cb_olock", 60, 246, 60, 22, "lock", 8, 250},
        {cb_oform, "cb_oform", 60, 274, 100, 22, "form", 8, 278},
        {eosize, "eosize", 60, 302, 60, 22, "size", 8, 306},
        {eoheight, "eoheight", 60, 330, 60, 22, "height", 8, 334},
        {eohp, "eohp", 60, 358, 60, 22, "HP", 8, 362},
        {eo_arm1, "eo_arm1", 70, 386, 44, 22, "1", 60, 390},
        {eo_arm2, "eo_arm2", 130, 386, 44, 22, "2", 120, 390},
        {eo_arm3, "eo_arm3", 190, 386, 44, 22, "3", 180, 390},
        {m_otitle, "m_otitle", 8, 434, 226, 90, "description", 8, 418},
        {chb_ofloating, "chb_ofloating", 250, 190, 150, 22},
        {chb_ochest, "chb_ochest", 250, 214, 150, 22},
        {chb_odoor, "chb_odoor", 250, 238, 150, 22},
        {chb_olocked, "chb_olocked", 250, 262, 150, 22},
        {chb_oclosed, "chb_oclosed", 250, 286, 150, 22},
        {chb_opass, "chb_opass", 250, 310, 150, 22},
        {chb_ovis, "chb_ovis", 250, 334, 150, 22},
        {chb_otrans, "chb_otrans", 250, 358, 150, 22},
        {chb_oreciv, "chb_oreciv", 250, 382, 150, 22},
        {chb_otransp, "chb_otransp", 250, 406, 150, 22},
        {Button4, "Button4", 8, 536, 80, 26},
        {Button6, "Button6", 94, 536, 80, 26},
        {Button7, "Button7", 180, 536, 80, 26},
        {Button42, "Button42", 266, 536, 80, 26},
        {sg_objects, "sg_objects", 440, 190, kit::cell_grid_width(3, 64), 440},
    });
    kit::caption(host.window(), objects, "armour", 8, 390);
    kit::note(host.window(), objects,
              "to make a teleport create one passing object - transmittter and another - reciver", {250, 436, 180, 60});
    kit::cell_grid(sg_object_tiles, 8, 64, 64, 1, kit::ScrollBars::none);
    kit::cell_grid(sg_object_tiles2, 8, 64, 64, 1, kit::ScrollBars::none);
    kit::cell_grid(sg_objects, 3, 64, 64);
    frame_set::bind(sg_object_tiles, object_frames, [this](int c) { sg_object_tilesSelectCell(c); });
    frame_set::bind(sg_object_tiles2, object_frames2, [this](int c) { sg_object_tiles2SelectCell(c); });
    bind_pictures(
        sg_objects, editor.world.pmapobjects, [](const Tmapobject& o) { return first_frame(o.frames); },
        [this](int e) { sg_objectsSelectCell(e); });
    Button4.on_click = [this] { Button4Click(); };
    Button6.on_click = [this] { Button6Click(); };
    Button7.on_click = [this] { Button7Click(); };
    Button42.on_click = [this] { Button42Click(); };
}

void ObjectsPage::start() {
    object_frames.assign(8, -1);
    object_frames2.assign(8, -1);
    kit::fill(cb_oimages, {"1", "2", "4", "8"});
    kit::fill(cb_olock, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    kit::fill(cb_oform, {"round", "square"});
}

void ObjectsPage::shown() {}

// ---- the frames sets

void ObjectsPage::sg_object_tilesSelectCell(int c) {
    cur_object_frame_cell = c;
    if (frame_set::store_current_tile(object_frames, c)) sg_object_tiles.refresh();
}

void ObjectsPage::sg_object_tiles2SelectCell(int c) {
    cur_object_frame2_cell = c;
    if (frame_set::store_current_tile(object_frames2, c)) sg_object_tiles2.refresh();
}

// ---- the catalogue

void ObjectsPage::sg_objectsSelectCell(int e) {
    if (!links::in_range(e, editor.world.pmapobjects)) return;
    editor.cur_object = e;
    select_pmapobject(e);
}

void ObjectsPage::select_pmapobject(int32_t row) {
    if (row < 0) {
        cb_olock.set_item_index(0);
        cb_oform.set_item_index(0);
        for (kit::Edit* e : {&eosize, &eoheight, &eoname}) e->set_text("");
        for (kit::CheckBox* c : {&chb_ofloating, &chb_ochest, &chb_odoor, &chb_olocked, &chb_oclosed, &chb_opass})
            c->set_checked(false);
        cb_oimages.set_item_index(0);
        object_frames.assign(frame_set::slot_count, -1);
        object_frames2.assign(frame_set::slot_count, -1);
        sg_object_tiles.refresh();
        sg_object_tiles2.refresh();
        obj_parts.clear();
        return;
    }
    if (!links::in_range(row, editor.world.pmapobjects)) return;
    const Tmapobject& o = editor.world.pmapobjects[static_cast<std::size_t>(row)];
    object_form(*this, false).load(&o);
    obj_parts = o.parts;
    cb_oimages.set_item_index(frame_set::count_index(o.frame_count));
    // Each set reads no further than its own list: a secondary list of another
    // length than the count leaves the slots it lacks empty.
    frame_set::load(object_frames, o.frame_count, o.frames);
    frame_set::load(object_frames2, o.frame_count, o.frames2);
    sg_object_tiles.refresh();
    sg_object_tiles2.refresh();
}

Tmapobject ObjectsPage::object_from_controls(int n, const Tmapobject& base, bool size_into_range) {
    check_rows(obj_parts, "A part", "right-click it in the Parts window to remove it", base.parts);
    Tmapobject o = object_form(*this, size_into_range).read(base);
    o.frame_count = n;
    o.frames = frame_set::first(object_frames, n);
    o.frames2 = frame_set::first(object_frames2, n);
    o.parts = obj_parts;
    return o;
}

void ObjectsPage::Button4Click() {
    // Only the main set must be complete; the secondary one may stay empty.
    const int n = frame_set::count_to_add(cb_oimages, object_frames);
    if (n == 0) return;
    // The secondary set may keep empty slots, but none that shows nothing while
    // holding a number (from a file) that names no tile.
    if (!frame_set::empty_or_filled(object_frames2, n)) {
        modal().message(frame_set::unfilled_message);
        return;
    }
    // A size outside what an object may have is brought into it, and the
    // field shows the size stored.
    Tmapobject o = object_from_controls(n, Tmapobject{}, true);
    std::vector<Tmapobject>& catalogue = editor.world.pmapobjects;
    // Its own position, unless a template from a world file already holds that
    // row: recipes and placed objects must go on naming one template each.
    o.row = new_object_row(editor.world);
    catalogue.push_back(std::move(o));
    host.setgrids();
    sg_objects.refresh();
}

void ObjectsPage::Button6Click() {
    const int n = frame_set::chosen_count(cb_oimages);
    if (!links::in_range(editor.cur_object, editor.world.pmapobjects) || n == 0) return;
    // As typed: an edit keeps a size ADD would bring into range, and empty
    // slots are not refused.
    Tmapobject& o = editor.world.pmapobjects[static_cast<std::size_t>(editor.cur_object)];
    o = object_from_controls(n, o, false);
    sg_object_tiles.refresh();
    sg_object_tiles2.refresh();
    sg_objects.refresh();
}

void ObjectsPage::Button7Click() {
    if (!links::in_range(editor.cur_object, editor.world.pmapobjects)) return;
    delete_pmapobject(editor.cur_object, editor.world);
    // The entry before it is selected, or none when the first one went.
    editor.cur_object = editor.cur_object - 1;
    sg_objects.refresh();
    select_pmapobject(editor.cur_object);
    host.setgrids();
}

void ObjectsPage::Button42Click() {
    // The parts are composed in the buffer, so they may be composed before the
    // object exists: also with the selection one past the last entry (0 while
    // the catalogue is empty), ahead of the ADD that takes them.
    const int32_t cur = editor.cur_object;
    if (cur < 0 || static_cast<std::size_t>(cur) > editor.world.pmapobjects.size()) return;
    editor.inv_target = &obj_parts;
    host.open_secondary(editor.Finv);
}

void ObjectsPage::size_grids() { sg_objects.set_row_count(picture_rows(editor.world.pmapobjects.size())); }

void ObjectsPage::animation_step() { frame_set::animate(cb_oimages, object_frames, Image2); }
