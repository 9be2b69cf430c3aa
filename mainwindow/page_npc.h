#pragma once
// The NPC templates page: the template catalogue, names, pictures,
// characteristics, the 32 skill rows (made at start-up inside "SKILLS") and the
// physiological attributes.
#include "platform/kit/kit.h"

class TForm1;

class NpcPage {
public:
    explicit NpcPage(TForm1& form);
    void start();
    void shown();

    // Lists the world's fractions in cb_pnpc_frac, the first selected.
    void fill_fractions();

    TForm1& form;
    kit::TabSheet npc_page;
    kit::Edit e_pnpc_name{npc_page};
    kit::Edit e_pnpc_selfname{npc_page};
    kit::Image i_pnpc_i1{npc_page};
    kit::Image i_pnpc_i2{npc_page};
    kit::GroupBox gb_pnpc_prim{npc_page, "PRIM CHARACTERISTICS"};
    kit::Edit e_pnpc_str{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_agi{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_dex{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_con{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_acu{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_int{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_wis{gb_pnpc_prim, "1000"};
    kit::Edit e_pnpc_per{gb_pnpc_prim, "1000"};
    kit::Edit epnpchp{npc_page, "1000"};
    kit::Edit epnpcmp{npc_page, "1000"};
    kit::Edit epnpcsp{npc_page, "1000"};
    kit::Edit epnpcsize{npc_page, "8"};
    kit::ComboBox cb_pnpc_frac{npc_page};
    kit::Memo m_pnpc_descr{npc_page};
    kit::GroupBox gb_pnpc_phys{npc_page, "PHYSIOLOGICAL ATTRIBUTES"};
    kit::ComboBox cb_pnpc_phys_attr{gb_pnpc_phys};
    kit::Edit e_pnpc_phys_attr{gb_pnpc_phys};
    kit::Button Button34{gb_pnpc_phys, "ADD"};
    kit::ListBox lb_pnpc_phys_attrs{gb_pnpc_phys};
    kit::Button Button47{gb_pnpc_phys, "REMOVE"};
    kit::Button Button22{npc_page, "ADD"};
    kit::Button Button35{npc_page, "<- EDIT"};
    kit::Button Button23{npc_page, "INV"};
    // Two columns of 16 skill rows 22 pixels apart, laid out at start-up from
    // these two hidden design controls.
    kit::GroupBox gb_pnpc_skills{npc_page, "SKILLS"};
    kit::Label l_pnpc_skill{gb_pnpc_skills, "SKILL"};
    kit::Edit e_pnpc_skill{gb_pnpc_skills};
    kit::StringGrid sg_pnpc{npc_page};
};
