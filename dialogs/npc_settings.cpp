#include "dialogs/npc_settings.h"

#include "mainwindow/record_fields.h"
#include "mainwindow/skill_rows.h"
#include "mainwindow/state.h"
#include "model/tools.h"
#include "platform/kit/layout.h"

#include <string>
#include <vector>

namespace {

// The NPC settings' controls for the NPC's fields, in the order "SAVE" reads
// them: the characteristics and states, the 32 skills, the place it last saw
// an enemy; then the fraction (one the list does not show keeps the NPC's)
// and the texts. An empty text is no number here.
fields::Form<Tchar> npc_form(TForm10& f) {
    using Form = fields::Form<Tchar>;
    std::vector<Form::Entry> entries{
        {"STR", &f.estr}, {"AGI", &f.eagi}, {"DEX", &f.edex},   {"CON", &f.econ},   {"ACU", &f.eacu},
        {"INT", &f.eint}, {"WIS", &f.ewis}, {"PER", &f.eper},   {"hp", &f.enpchp},  {"sp", &f.enpcsp},
        {"mp", &f.enpcmp}, {"size", &f.enpcsize},
    };
    // The field names live in the table; the entries only view them.
    const fields::Table<Tchar>& table = npc_fields();
    for (std::size_t i = 1; i <= 32; ++i) entries.push_back({table["skill" + std::to_string(i)].name, f.skill_edits[i]});
    entries.insert(entries.end(), {{"seen_map", &f.enpc_last_seen_enemy_map},
                                   {"seen_x", &f.enpc_last_seen_enemy_x},
                                   {"seen_y", &f.enpc_last_seen_enemy_y},
                                   {"fraction", &f.cbfracs},
                                   {"name", &f.ename},
                                   {"self_name", &f.esname},
                                   {"description", &f.mdescr}});
    return Form(table, {}, entries);
}

// The second column of skill rows stands this far right of the first.
constexpr int skill_column = 128;

}  // namespace

TForm10::TForm10() : Dialog("Form10", "Form10", 620, 448) {
    lay_out({
        {Image1, "Image1", 8, 22, 33, 64, "figure", 8, 6},
        {Image2, "Image2", 50, 22, 64, 64, "portrait", 50, 6},
        {ename, "ename", 124, 22, 176, 22, "Name", 124, 6},
        {esname, "esname", 124, 66, 176, 22, "Self Name", 124, 50},
        {cbfracs, "cbfracs", 64, 96, 236, 22, "fraction", 8, 100},
        {mdescr, "mdescr", 8, 142, 292, 62, "Description", 8, 126},
        {GroupBox1, "GroupBox1", 8, 210, 292, 78},
        {estr, "estr", 38, 22, 38, 22, "STR", 8, 26},
        {eagi, "eagi", 108, 22, 38, 22, "AGI", 78, 26},
        {edex, "edex", 178, 22, 38, 22, "DEX", 148, 26},
        {econ, "econ", 248, 22, 38, 22, "CON", 218, 26},
        {eacu, "eacu", 38, 48, 38, 22, "ACU", 8, 52},
        {eint, "eint", 108, 48, 38, 22, "INT", 78, 52},
        {ewis, "ewis", 178, 48, 38, 22, "WIS", 148, 52},
        {eper, "eper", 248, 48, 38, 22, "PER", 218, 52},
        {GroupBox3, "GroupBox3", 8, 294, 214, 52},
        {enpchp, "enpchp", 30, 22, 40, 22, "HP", 8, 26},
        {enpcmp, "enpcmp", 100, 22, 40, 22, "MP", 76, 26},
        {enpcsp, "enpcsp", 168, 22, 40, 22, "SP", 146, 26},
        {enpcsize, "enpcsize", 260, 316, 40, 22, "SIZE", 228, 320},
        {GroupBox4, "GroupBox4", 8, 352, 292, 52},
        {enpc_last_seen_enemy_map, "enpc_last_seen_enemy_map", 38, 22, 50, 22, "map", 8, 26},
        {enpc_last_seen_enemy_x, "enpc_last_seen_enemy_x", 124, 22, 50, 22, "x", 108, 26},
        {enpc_last_seen_enemy_y, "enpc_last_seen_enemy_y", 210, 22, 50, 22, "y", 194, 26},
        {Button1, "Button1", 8, 412, 80, 28},
        {pc_npc_edit, "pc_npc_edit", 310, 8, 302, 432},
        {GroupBox2, "GroupBox2", 4, 4, 290, 392},
        {lskill, "lskill", 48, 24},
        {eskill, "eskill", 8, 22, 34, 21},
        {cb_pnpc_phys_attr, "cb_pnpc_phys_attr", 8, 10, 110, 22},
        {e_pnpc_phys_attr, "e_pnpc_phys_attr", 124, 10, 50, 22},
        {Button34, "Button34", 184, 8, 80, 26},
        {lb_pnpc_phys_attrs, "lb_pnpc_phys_attrs", 8, 42, 166, 120},
        {Button47, "Button47", 184, 42, 80, 26},
    });
    TabSheet1.name = "TabSheet1";
    TabSheet2.name = "TabSheet2";
    // The skill rows stand where the pattern controls are; the main window hides its own too.
    lskill.hide();
    eskill.hide();

    Button1.on_click = [this] { Button1Click(); };
    Button34.on_click = [this] { Button34Click(); };
    Button47.on_click = [this] { Button47Click(); };
    on_create = [this] { FormCreate(); };
    on_activate = [this] { FormActivate(); };
    created();
}

void TForm10::FormCreate() {
    // The first row lies over the pattern controls, the second column a fixed step right.
    const SkillRows rows = make_skill_rows(*this, GroupBox2, lskill, eskill, [this](const SkillRows&) {
        return SkillColumns{{lskill.left(), lskill.left() + skill_column}, {eskill.left(), eskill.left() + skill_column}};
    });
    skill_labels = rows.labels;
    skill_edits = rows.edits;
}

void TForm10::FormActivate() {
    // An NPC that does not exist (after an Open, say) shows empty controls.
    const Tchar* n = current_placed_npc();
    set_caption("NPC #" + std::to_string(editor.cur_placed_npc) + " " + (n ? n->name : std::string()));

    Image1.draw(0, 0, editor.blank_bitmap64);
    Image2.draw(0, 0, editor.blank_bitmap64);
    if (n) {
        if (const Bitmap* figure = tile_frame(editor.tile_frames, n->figure)) Image1.draw(0, 0, *figure);
        if (const Bitmap* portrait = tile_frame(editor.tile_frames, n->portrait)) Image2.draw(0, 0, *portrait);
    }

    cbfracs.clear();
    if (editor.fraction_names)
        for (const std::string& name : editor.fraction_names()) cbfracs.add(name);
    npc_form(*this).load(n);

    kit::fill(cb_pnpc_phys_attr, phys_attrs);
    e_pnpc_phys_attr.set_text("0");
    refresh_phys_attrs_list();
}

void TForm10::Button1Click() {
    Tchar* n = current_placed_npc();
    if (!n) return;
    // Every number is converted before anything is written: a text that is
    // not a number leaves the NPC as it was.
    npc_form(*this).save(*n);
}

void TForm10::refresh_phys_attrs_list() {
    Tchar* n = current_placed_npc();
    lb_pnpc_phys_attrs.set_lines(n ? list_phys_attrs(n->phys_attrs) : TStrings{});
}

void TForm10::Button34Click() {
    Tchar* n = current_placed_npc();
    const int chosen = cb_pnpc_phys_attr.item_index();
    if (!n || chosen < 0) return;
    set_phys_attr(chosen, convert_to_int(e_pnpc_phys_attr.text()), n->phys_attrs);
    refresh_phys_attrs_list();
}

void TForm10::Button47Click() {
    Tchar* n = current_placed_npc();
    if (n && remove_phys_attr(lb_pnpc_phys_attrs.item_index(), n->phys_attrs)) refresh_phys_attrs_list();
}
