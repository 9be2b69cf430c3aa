#include "mainwindow/page_npc.h"

#include "mainwindow/lookups.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "mainwindow/skill_rows.h"
#include "model/tools.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A skill name stands this far before its edit at least, and the second
// column this far right of the first's edits.
constexpr int skill_name_gap = 4;
constexpr int skill_column_gap = 8;

// The page's controls for an NPC template's fields, in the order ADD and
// "<- EDIT" read them: the characteristics, the skills, the fraction; an
// empty text counts as 0. A fraction the world does not list is stored as -1.
fields::Form<Tchar> npc_form(NpcPage& p) {
    using Form = fields::Form<Tchar>;
    std::vector<Form::Entry> entries{
        {"STR", &p.e_pnpc_str}, {"AGI", &p.e_pnpc_agi}, {"DEX", &p.e_pnpc_dex}, {"ACU", &p.e_pnpc_acu},
        {"CON", &p.e_pnpc_con}, {"INT", &p.e_pnpc_int}, {"WIS", &p.e_pnpc_wis}, {"PER", &p.e_pnpc_per},
        {"hp", &p.epnpchp},     {"mp", &p.epnpcmp},     {"sp", &p.epnpcsp},     {"size", &p.epnpcsize},
    };
    // The field names live in the table; the entries only view them.
    const fields::Table<Tchar>& table = npc_fields();
    for (int i = 1; i <= 32; ++i) entries.push_back({table["skill" + std::to_string(i)].name, &p.skill_edit(i)});
    const auto listed_or_none = [&p](const Tchar&, const std::string&, int32_t fraction) {
        return entry_at(p.editor.world.fracs, fraction) ? fraction : -1;
    };
    entries.insert(entries.end(), {{"fraction", &p.cb_pnpc_frac, listed_or_none},
                                   {"name", &p.e_pnpc_name},
                                   {"self_name", &p.e_pnpc_selfname},
                                   {"description", &p.m_pnpc_descr}});
    return Form(table, {true, ""}, entries);
}

}  // namespace

NpcPage::NpcPage(PageHost& host) : host(host), editor(host.state()), npc_page(host.page_control(), "npc") {
    npc_page.name = "npc_page";
    host.window().lay_out({
        {e_pnpc_name, "e_pnpc_name", 8, 22, 130, 22, "name", 8, 6},
        {e_pnpc_selfname, "e_pnpc_selfname", 8, 66, 130, 22, "self name", 8, 50},
        {i_pnpc_i1, "i_pnpc_i1", 144, 22, 32, 64, "figure", 144, 6},
        {i_pnpc_i2, "i_pnpc_i2", 184, 22, 64, 64, "portrait", 184, 6},
        {gb_pnpc_prim, "gb_pnpc_prim", 8, 96, 240, 128},
        {e_pnpc_str, "e_pnpc_str", 40, 22, 60, 22, "STR", 8, 26},
        {e_pnpc_agi, "e_pnpc_agi", 40, 47, 60, 22, "AGI", 8, 51},
        {e_pnpc_dex, "e_pnpc_dex", 40, 72, 60, 22, "DEX", 8, 76},
        {e_pnpc_con, "e_pnpc_con", 40, 97, 60, 22, "CON", 8, 101},
        {e_pnpc_acu, "e_pnpc_acu", 156, 22, 60, 22, "ACU", 122, 26},
        {e_pnpc_int, "e_pnpc_int", 156, 47, 60, 22, "INT", 122, 51},
        {e_pnpc_wis, "e_pnpc_wis", 156, 72, 60, 22, "WIS", 122, 76},
        {e_pnpc_per, "e_pnpc_per", 156, 97, 60, 22, "PER", 122, 101},
        {epnpchp, "epnpchp", 48, 232, 60, 22, "HP", 16, 236},
        {epnpcmp, "epnpcmp", 164, 232, 60, 22, "MP", 130, 236},
        {epnpcsp, "epnpcsp", 48, 258, 60, 22, "SP", 16, 262},
        {epnpcsize, "epnpcsize", 164, 258, 60, 22, "SIZE", 130, 262},
        {cb_pnpc_frac, "cb_pnpc_frac", 62, 286, 186, 22, "fraction", 8, 290},
        {m_pnpc_descr, "m_pnpc_descr", 8, 316, 240, 90},
        {gb_pnpc_phys, "gb_pnpc_phys", 8, 414, 240, 150},
        {cb_pnpc_phys_attr, "cb_pnpc_phys_attr", 8, 20, 96, 22},
        {e_pnpc_phys_attr, "e_pnpc_phys_attr", 110, 20, 44, 22},
        {Button34, "Button34", 160, 18, 72, 26},
        {lb_pnpc_phys_attrs, "lb_pnpc_phys_attrs", 8, 50, 146, 90},
        {Button47, "Button47", 160, 50, 72, 26},
        {Button22, "Button22", 8, 574, 74, 26},
        {Button35, "Button35", 88, 574, 74, 26},
        {Button23, "Button23", 168, 574, 74, 26},
        {gb_pnpc_skills, "gb_pnpc_skills", 254, 4, 268, 384},
        {l_pnpc_skill, "l_pnpc_skill", 8, 26},
        {e_pnpc_skill, "e_pnpc_skill", 74, 24, 38, 21},
        {sg_pnpc, "sg_pnpc", 525, 8, kit::cell_grid_width(3, 32), 620},
    });
    cb_pnpc_frac.set_text("cb_pnpc_frac");
    l_pnpc_skill.hide();
    e_pnpc_skill.hide();
    kit::cell_grid(sg_pnpc, 3, 32, 64);
    bind_pictures(
        sg_pnpc, editor.world.pnpcs, [](const Tchar& c) { return c.figure; }, [this](int e) { sg_pnpcSelectCell(e); });
    i_pnpc_i1.on_click = [this] { i_pnpc_i1Click(); };
    i_pnpc_i2.on_click = [this] { i_pnpc_i2Click(); };
    Button22.on_click = [this] { Button22Click(); };
    Button35.on_click = [this] { Button35Click(); };
    Button23.on_click = [this] { Button23Click(); };
    Button34.on_click = [this] { Button34Click(); };
    Button47.on_click = [this] { Button47Click(); };
}

void NpcPage::start() {
    for (kit::Image* image : {&i_pnpc_i1, &i_pnpc_i2}) image->draw(0, 0, editor.blank_bitmap32);

    // The 32 skill rows, two columns of 16, laid out from the hidden design
    // label and edit: the first column's names start where the design label
    // does, each column's edits stand right of its longest name (never left of
    // the design edit), so no name is cut off whatever the font.
    const int name1 = l_pnpc_skill.left();
    int edit2 = 0;
    const SkillRows rows =
        make_skill_rows(host.window(), gb_pnpc_skills, l_pnpc_skill, e_pnpc_skill, [&](const SkillRows& made) {
            const int edit1 = std::max(e_pnpc_skill.left(), name1 + made.widest_name(0) + skill_name_gap);
            const int name2 = edit1 + e_pnpc_skill.width() + skill_column_gap;
            edit2 = std::max(e_pnpc_skill.left() + (name2 - name1), name2 + made.widest_name(1) + skill_name_gap);
            return SkillColumns{{name1, name2}, {edit1, edit2}};
        });
    for (std::size_t i = 1; i <= 32; ++i) {
        skill_controls[i] = rows.labels[i];
        skill_controls[32 + i] = rows.edits[i];
    }
    gb_pnpc_skills.set_width(std::max(gb_pnpc_skills.width(), edit2 + e_pnpc_skill.width() + name1));

    kit::fill(cb_pnpc_phys_attr, phys_attrs);
    e_pnpc_phys_attr.set_text("0");
}

void NpcPage::shown() {}

void NpcPage::fill_fractions() {
    TStrings names;
    for (const Tfrac& f : editor.world.fracs) names.push_back(f.name);
    kit::fill(cb_pnpc_frac, names);
}

kit::Edit& NpcPage::skill_edit(int i) const {
    return static_cast<kit::Edit&>(*skill_controls.at(static_cast<std::size_t>(32 + i)));
}

void NpcPage::show_pictures() {
    show_frame(i_pnpc_i1, npc_figure);
    show_frame(i_pnpc_i2, npc_portrait);
}

// ---- the template catalogue

void NpcPage::sg_pnpcSelectCell(int e) {
    const Tchar& c = editor.world.pnpcs.at(static_cast<std::size_t>(e));
    editor.cur_npc = e;
    npc_figure = c.figure;
    npc_portrait = c.portrait;
    show_pictures();

    npc_form(*this).load(&c);  // a fraction that is not listed selects none

    editor.npc_items = c.inventory;
    editor.npc_parts = c.parts;
    editor.npc_head = c.head;
    editor.npc_body = c.body;
    editor.npc_lhand = c.left_hand;
    editor.npc_rhand = c.right_hand;
    npc_phys_attrs = c.phys_attrs;
    refresh_phys_attrs_list();
}

void NpcPage::i_pnpc_i1Click() { take_current_tile(npc_figure, i_pnpc_i1); }
void NpcPage::i_pnpc_i2Click() { take_current_tile(npc_portrait, i_pnpc_i2); }

void NpcPage::read_template(Tchar& c) {
    // The rows the equipment buffers name must exist, as they outlive an Open;
    // what c holds already (from a file) may stay.
    const std::string remedy = "right-click it in the INV window to remove it";
    check_rows(editor.npc_items, "The inventory", remedy, c.inventory);
    // Parts are resources, whatever kind an entry says.
    const auto as_resources = [](const Tinvitems& list) {
        Tinvitems out;
        for (const Tinvitem& e : list) out.push_back({thing::resource, e.index, e.count});
        return out;
    };
    check_rows(as_resources(editor.npc_parts), "A part", remedy, as_resources(c.parts));
    const auto slot = [&](const Tinvitem& buffer, const Tinvitem& held, const char* what) {
        if (buffer.index != -1) check_rows({buffer}, what, remedy, {held});
    };
    slot({thing::item, editor.npc_head, 1}, {thing::item, c.head, 1}, "The head");
    slot({thing::item, editor.npc_body, 1}, {thing::item, c.body, 1}, "The body");
    slot(editor.npc_lhand, c.left_hand, "The left hand");
    slot(editor.npc_rhand, c.right_hand, "The right hand");
    // Every number is converted before anything is written: a typo in the
    // last skill changes nothing.
    npc_form(*this).save(c);
    c.figure = npc_figure;
    c.portrait = npc_portrait;
    c.head = editor.npc_head;
    c.body = editor.npc_body;
    c.left_hand = editor.npc_lhand;
    c.right_hand = editor.npc_rhand;
    c.inventory = editor.npc_items;
    c.parts = editor.npc_parts;
    c.phys_attrs = npc_phys_attrs;
}

void NpcPage::Button22Click() {
    if (e_pnpc_name.text().empty()) return;
    Tchar c;
    c.head = c.body = c.left_hand.index = c.right_hand.index = -1;  // a new template holds nothing yet
    read_template(c);
    editor.world.pnpcs.push_back(std::move(c));
    // The attributes went to this template; the other buffers stay for a similar one.
    npc_phys_attrs.clear();
    refresh_phys_attrs_list();
    sg_pnpc.refresh();
    host.setgrids();
}

void NpcPage::Button35Click() {
    Tchar* chosen = entry_at(editor.world.pnpcs, editor.cur_npc);
    if (!chosen) return;
    Tchar& target = *chosen;
    Tchar c = target;
    read_template(c);
    target = std::move(c);
    sg_pnpc.refresh();
}

void NpcPage::Button23Click() { host.open_secondary(editor.Form4); }

// ---- physiological attributes

void NpcPage::Button34Click() {
    const int a = cb_pnpc_phys_attr.item_index();
    if (a < 0 || cb_pnpc_phys_attr.count() == 0) return;
    set_phys_attr(a, convert_to_int(e_pnpc_phys_attr.text()), npc_phys_attrs);
    refresh_phys_attrs_list();
}

void NpcPage::Button47Click() {
    if (remove_phys_attr(lb_pnpc_phys_attrs.item_index(), npc_phys_attrs)) refresh_phys_attrs_list();
}

void NpcPage::refresh_phys_attrs_list() { lb_pnpc_phys_attrs.set_lines(list_phys_attrs(npc_phys_attrs)); }

void NpcPage::world_replaced(bool) { fill_fractions(); }

void NpcPage::size_grids() { sg_pnpc.set_row_count(picture_rows(editor.world.pnpcs.size())); }

void NpcPage::catalogue_changed(Catalogue catalogue, int) {
    if (catalogue == Catalogue::fractions) fill_fractions();
}
