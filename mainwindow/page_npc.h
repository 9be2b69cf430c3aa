#pragma once
// The NPC templates page: the template catalogue, names, pictures,
// characteristics, the 32 skill rows (made at start-up inside "SKILLS") and the
// physiological attributes. Equipment, inventory and parts are composed in
// the equipment dialog (TForm4) in the shared edit buffers.
#include "mainwindow/page.h"
#include "model/init.h"
#include "platform/kit/kit.h"

#include <array>

struct Tchar;

class NpcPage : public Page {
public:
    explicit NpcPage(PageHost& host);
    void start() override;
    void shown() override;
    void world_replaced(bool is_shown) override;
    void size_grids() override;
    // The fractions changed: the fraction list follows.
    void catalogue_changed(Catalogue catalogue, int row) override;
    PalettePlace palette_place() const override { return {true, 64, 216, 648}; }

    // Lists the world's fractions in cb_pnpc_frac, the first selected.
    void fill_fractions();

    // Template e of the grid becomes the current one: its fields fill the page
    // and its lists the edit buffers. Called only for a template that exists.
    void sg_pnpcSelectCell(int e);
    // Take the current tile as the figure / the portrait.
    void i_pnpc_i1Click();
    void i_pnpc_i2Click();
    void Button22Click();  // ADD: a new template from the page and the buffers
    void Button35Click();  // "<- EDIT": the current template gets them
    void Button23Click();  // INV: opens the equipment dialog
    void Button34Click();  // sets the chosen physiological attribute
    void Button47Click();  // removes the chosen line's attribute
    // Lists the attribute buffer, dropping entries whose value is 0 or less.
    void refresh_phys_attrs_list();

    // The value edit of skill i (1..32), made at start-up.
    kit::Edit& skill_edit(int i) const;

    PageHost& host;
    SharedState& editor;
    // The pictures picked for the template, its physiological attributes,
    // and its skill rows: entries 1..32 the labels of skills 1..32, entries
    // 33..64 their value edits (made at start-up). Entry 0 is unused.
    int npc_figure = 0, npc_portrait = 0;
    Tskills npc_phys_attrs;
    std::array<kit::Control*, 65> skill_controls{};
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

private:
    // Converts every field of the page and writes them with the edit buffers
    // into c; a text that is not a number, or a buffer entry that names no
    // template and is not what c holds already, fails before c is touched.
    void read_template(Tchar& c);
    void show_pictures();
};
