#include "dialogs/npc_edit.h"

#include "mainwindow/skill_rows.h"
#include "mainwindow/state.h"
#include "model/tools.h"
#include "platform/kit/layout.h"

#include <iterator>

namespace {

// The characteristics and states, in the order "SAVE" reads them.
struct NumberField {
    kit::Edit TForm10::*edit;
    int32_t Tchar::*field;
};
constexpr NumberField number_fields[] = {
    {&TForm10::estr, &Tchar::STR},   {&TForm10::eagi, &Tchar::AGI},   {&TForm10::edex, &Tchar::DEX},
    {&TForm10::econ, &Tchar::CON},   {&TForm10::eacu, &Tchar::ACU},   {&TForm10::eint, &Tchar::INT},
    {&TForm10::ewis, &Tchar::WIS},   {&TForm10::eper, &Tchar::PER},   {&TForm10::enpchp, &Tchar::hp},
    {&TForm10::enpcsp, &Tchar::sp},  {&TForm10::enpcmp, &Tchar::mp},  {&TForm10::enpcsize, &Tchar::size},
};
constexpr std::size_t number_count = std::size(number_fields);

// The last seen enemy's map, x and y.
constexpr kit::Edit TForm10::*seen_edits[] = {&TForm10::enpc_last_seen_enemy_map, &TForm10::enpc_last_seen_enemy_x,
                                              &TForm10::enpc_last_seen_enemy_y};
constexpr int32_t Tplace::*seen_fields[] = {&Tplace::map, &Tplace::x, &Tplace::y};

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
    const auto number = [n](int32_t value) { return n ? std::to_string(value) : std::string(); };
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
    cbfracs.set_item_index(n ? n->fraction : -1);

    ename.set_text(n ? n->name : std::string());
    esname.set_text(n ? n->self_name : std::string());
    mdescr.set_text(n ? n->description : std::string());
    for (const NumberField& f : number_fields) (this->*f.edit).set_text(number(n ? n->*f.field : 0));
    for (std::size_t i = 1; i <= 32; ++i) skill_edits[i]->set_text(number(n ? n->skills[i - 1] : 0));
    for (std::size_t k = 0; k < 3; ++k) (this->*seen_edits[k]).set_text(number(n ? n->last_seen_enemy.*seen_fields[k] : 0));

    kit::fill(cb_pnpc_phys_attr, phys_attrs);
    e_pnpc_phys_attr.set_text("0");
    refresh_phys_attrs_list();
}

void TForm10::Button1Click() {
    Tchar* n = current_placed_npc();
    if (!n) return;
    // Every number is converted before anything is written: a text that is
    // not a number leaves the NPC as it was.
    std::array<int32_t, number_count> numbers{};
    for (std::size_t k = 0; k < number_count; ++k) numbers[k] = convert_to_int((this->*number_fields[k].edit).text());
    std::array<int32_t, 32> skills{};
    for (std::size_t i = 1; i <= 32; ++i) skills[i - 1] = convert_to_int(skill_edits[i]->text());
    std::array<int32_t, 3> seen{};
    for (std::size_t k = 0; k < 3; ++k) seen[k] = convert_to_int((this->*seen_edits[k]).text());

    // A fraction the list does not show (no fractions listed, or one beyond
    // them) selects nothing; the NPC keeps the one it has.
    if (cbfracs.item_index() >= 0) n->fraction = cbfracs.item_index();
    n->name = ename.text();
    n->self_name = esname.text();
    n->description = mdescr.text();
    for (std::size_t k = 0; k < number_count; ++k) n->*number_fields[k].field = numbers[k];
    n->skills = skills;
    for (std::size_t k = 0; k < 3; ++k) n->last_seen_enemy.*seen_fields[k] = seen[k];
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
