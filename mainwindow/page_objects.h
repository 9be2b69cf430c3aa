#pragma once
// The objects page: the object catalogue, its two frames sets, the preview and
// the form of one object template.
#include "mainwindow/page.h"
#include "model/init.h"
#include "platform/kit/kit.h"

class ObjectsPage : public Page {
public:
    explicit ObjectsPage(PageHost& host);
    void start() override;
    void shown() override;
    void size_grids() override;
    // The frames-set preview runs through the frames chosen.
    void animation_step() override;
    PalettePlace palette_place() const override { return {true, 64, 216, 674}; }

    // Selects object e and loads it into the form.
    void sg_objectsSelectCell(int e);
    // A click on slot c of the main or the secondary frames set: it takes the current tile.
    void sg_object_tilesSelectCell(int c);
    void sg_object_tiles2SelectCell(int c);
    // Loads object row into the form, the frames sets and the parts buffer; a
    // negative row clears them (a row past the catalogue changes nothing).
    void select_pmapobject(int32_t row);
    void Button4Click();   // ADD
    void Button6Click();   // <- EDIT
    void Button7Click();   // Del
    void Button42Click();  // Parts: the parts dialog on the parts buffer

    PageHost& host;
    SharedState& editor;
    // The two frames sets of the object being composed, the slots clicked
    // last, and its parts (the parts dialog edits them through inv_target).
    tintarray object_frames = tintarray(8, -1);
    tintarray object_frames2 = tintarray(8, -1);
    int cur_object_frame_cell = 0, cur_object_frame2_cell = 0;
    Tinvitems obj_parts;
    kit::TabSheet objects;
    kit::StringGrid sg_object_tiles{objects};
    kit::StringGrid sg_object_tiles2{objects};
    kit::Image Image2{objects};
    // Left column: name, frames, lock, form, sizes.
    kit::Edit eoname{objects};
    kit::ComboBox cb_oimages{objects};
    kit::ComboBox cb_olock{objects};
    kit::ComboBox cb_oform{objects};
    kit::Edit eosize{objects, "4"};
    kit::Edit eoheight{objects, "4"};
    kit::Edit eohp{objects, "1000"};
    kit::Edit eo_arm1{objects, "0"};
    kit::Edit eo_arm2{objects, "0"};
    kit::Edit eo_arm3{objects, "0"};
    kit::Memo m_otitle{objects};
    // Middle column: the flags.
    kit::CheckBox chb_ofloating{objects, "is floating"};
    kit::CheckBox chb_ochest{objects, "is chest"};
    kit::CheckBox chb_odoor{objects, "is door"};
    kit::CheckBox chb_olocked{objects, "is locked"};
    kit::CheckBox chb_oclosed{objects, "is closed", true};
    kit::CheckBox chb_opass{objects, "is passing"};
    kit::CheckBox chb_ovis{objects, "visible", true};
    kit::CheckBox chb_otrans{objects, "transmitter"};
    kit::CheckBox chb_oreciv{objects, "reciver"};
    kit::CheckBox chb_otransp{objects, "transparent"};
    kit::Button Button4{objects, "ADD"};
    kit::Button Button6{objects, "<- EDIT"};
    kit::Button Button7{objects, "Del"};
    kit::Button Button42{objects, "Parts"};
    kit::StringGrid sg_objects{objects};

private:
    // base with every field the form sets taken from the controls, n frames
    // of both sets and a copy of the parts buffer; a lock or form the list
    // does not hold (from a file) shows no entry and is kept. Every number is
    // converted, and every part checked to name a template (or to be one base
    // holds already), first: a failure throws and nothing is returned. With
    // size_into_range (ADD) the size is brought into 0..32 and eosize shows it.
    Tmapobject object_from_controls(int n, const Tmapobject& base, bool size_into_range);
};
