#pragma once
// TForm10, the NPC settings dialog: names, description, fraction,
// characteristics, HP, MP, SP, size, the 32 skills, the place it last saw an
// enemy and the physiological attributes of one placed NPC. The fields are
// written back by "SAVE"; the attributes change at once.
#include "dialogs/dialog.h"

#include <array>

class TForm10 : public Dialog {
public:
    TForm10();

    // Makes the 32 skill rows over and beside the hidden pattern controls.
    void FormCreate();
    // Loads every control from the placed NPC cur_placed_npc.
    void FormActivate();
    // "SAVE": checks every field, then writes them all.
    void Button1Click();
    // Lists the attributes, dropping those of value 0 or less from the NPC.
    void refresh_phys_attrs_list();
    void Button34Click();  // attribute "ADD"
    void Button47Click();  // attribute "REMOVE"

    kit::Image Image1{*this};
    kit::Image Image2{*this};
    kit::Edit ename{*this};
    kit::Edit esname{*this};
    kit::ComboBox cbfracs{*this};
    kit::Memo mdescr{*this};
    kit::GroupBox GroupBox1{*this, "Characterisrics"};
    kit::Edit estr{GroupBox1};
    kit::Edit eagi{GroupBox1};
    kit::Edit edex{GroupBox1};
    kit::Edit econ{GroupBox1};
    kit::Edit eacu{GroupBox1};
    kit::Edit eint{GroupBox1};
    kit::Edit ewis{GroupBox1};
    kit::Edit eper{GroupBox1};
    kit::GroupBox GroupBox3{*this, "states"};
    kit::Edit enpchp{GroupBox3};
    kit::Edit enpcmp{GroupBox3};
    kit::Edit enpcsp{GroupBox3};
    kit::Edit enpcsize{*this};
    kit::GroupBox GroupBox4{*this, "last seen enemy"};
    kit::Edit enpc_last_seen_enemy_map{GroupBox4};
    kit::Edit enpc_last_seen_enemy_x{GroupBox4};
    kit::Edit enpc_last_seen_enemy_y{GroupBox4};
    kit::Button Button1{*this, "SAVE"};
    kit::PageControl pc_npc_edit{*this};
    kit::TabSheet TabSheet1{pc_npc_edit, "SKILLS"};
    kit::TabSheet TabSheet2{pc_npc_edit, "PHYSIOLOGICAL ATTRIBUTES"};
    kit::GroupBox GroupBox2{TabSheet1, "SKILLS"};
    // Where the first skill row goes, its value left of its name (the longest
    // names stand in the second column); hidden, the rows stand in for them.
    kit::Label lskill{GroupBox2, "SKILL"};
    kit::Edit eskill{GroupBox2, "0"};
    kit::ComboBox cb_pnpc_phys_attr{TabSheet2};
    kit::Edit e_pnpc_phys_attr{TabSheet2, "0"};
    kit::Button Button34{TabSheet2, "ADD"};
    kit::ListBox lb_pnpc_phys_attrs{TabSheet2};
    kit::Button Button47{TabSheet2, "REMOVE"};

    // Entry i (1..32): the name and the value edit of skill i; entry 0 unused.
    std::array<kit::Label*, 33> skill_labels{};
    std::array<kit::Edit*, 33> skill_edits{};
};
