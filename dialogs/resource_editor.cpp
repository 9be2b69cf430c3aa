#include "dialogs/resource_editor.h"

#include "dialogs/resource_list.h"
#include "mainwindow/picture_grid.h"
#include "mainwindow/record_fields.h"
#include "mainwindow/state.h"
#include "model/links.h"
#include "model/tools.h"
#include "platform/errors.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"

#include <algorithm>
#include <limits>

namespace {

bool is_filling(int32_t kind) { return kind == resource_kind::liquid || kind == resource_kind::mixture; }

// The resource editor's control for the resource's fields: the amount of a
// stack, at least 1 whatever is typed. An empty text is no number here.
fields::Form<Tpres> amount_form(TForm9& f) {
    using Form = fields::Form<Tpres>;
    const auto at_least_one = [](const Tpres&, const std::string&, int32_t amount) { return std::max(amount, 1); };
    return Form(resource_fields(), {}, {{"amount", &f.Edit1, at_least_one}});
}

}  // namespace

TForm9::TForm9() : Dialog("Form9", "re", 420, 330) {
    lay_out({
        {Label1, "Label1", 8, 8, 176, 120},
        {Label3, "Label3", 8, 139},
        {Edit1, "Edit1", 60, 136, 80, 22},
        {Label4, "Label4", 8, 167},
        {Edit2, "Edit2", 60, 164, 80, 22},
        {Button2, "Button2", 8, 198, 80, 28},
        {cbexpress2, "cbexpress2", 190, 8, 170, 36},
        {Button1, "Button1", 366, 8, 44, 36},
        {sg_res_items, "sg_res_items", 190, 52, kit::cell_grid_width(3, 32), 169},
        {cbexpress4, "cbexpress4", 190, 8, 220, 36},
        {Label2, "Label2", 8, 236, 404, 86},
    });
    // A long name wraps beside the clip's controls and a long title below
    // everything, each inside its own box, so neither runs under a control.
    for (kit::Label* l : {&Label1, &Label2}) {
        l->set_auto_size(false);
        l->set_word_wrap(true);
    }
    kit::cell_grid(sg_res_items, 3, 32, 32);
    for (kit::ComboBox* list : {&cbexpress2, &cbexpress4}) {
        list->set_item_height(32);
        list->set_drop_down_count(16);
    }
    sg_res_items.on_draw_cell = [this](int c, int r, kit::Rect rect, kit::GridDrawState) {
        sg_res_itemsDrawCell(c, r, rect);
    };
    sg_res_items.on_select_cell = [this](int c, int r, bool&) { sg_res_itemsSelectCell(c, r); };
    Button1.on_click = [this] { Button1Click(); };
    Button2.on_click = [this] { Button2Click(); };
    on_activate = [this] { FormActivate(); };
    created();
}

kit::Window* TForm9::opener() const { return or_main_window(opener_window(editor.res_dlg_opener)); }

Tpres* TForm9::resource() const {
    return entry_at(editor.world.resources, editor.cur_placed_res);
}

void TForm9::show_info() {
    const Tpres* r = resource();
    if (!r) {
        Label1.set_caption("");
        return;
    }
    Label1.set_caption("id: \t" + std::to_string(editor.cur_placed_res) + "\rname:\t" + r->name + "\rtype:\t" +
                       vocabulary_word(resource_kinds, r->kind) + "\rvalue:\t" + std::to_string(r->value) +
                       "\rweight:\t" + std::to_string(r->weight) + "\rpower:\t" + std::to_string(r->power) + "\r");
}

void TForm9::FormActivate() {
    const Tpres* r = resource();
    const bool clip = r && r->kind == resource_kind::clip;
    const bool vial = r && r->kind == resource_kind::vial;
    if (clip) update_ress_cb();
    if (vial) update_fill_cb();
    show_info();
    // Only a stack that lies loose or in an inventory, hand or object has an
    // amount to save, and only a vial a filling.
    Button2.set_enabled(r && !clip && r->kind != resource_kind::cell && r->holder_item < 0);
    for (kit::Control* c : std::initializer_list<kit::Control*>{&cbexpress2, &sg_res_items, &Button1}) {
        c->set_enabled(clip);
        c->set_visible(clip);
    }
    cbexpress4.set_enabled(vial);
    cbexpress4.set_visible(vial);
    amount_form(*this).load(r);
    if (!r) {
        Edit2.set_text("");
        Label2.set_caption("");
        return;
    }
    // The filling's amount, for a vial too: never a text left from another resource.
    const Tinvitem& f = r->filling;
    Edit2.set_text(f.kind != -1 && f.index != -1 && f.count > 0 ? std::to_string(f.count) : "0");
    Label2.set_caption("title:\t" + r->title);
}

void TForm9::update_ress_cb() {
    const Tpres* r = resource();
    if (!r) return;
    sg_res_items.set_row_count(picture_rows(r->contents.size()));
    fill_resource_list(cbexpress2, il2,
                       resource_rows([r](int32_t row, const Tpres&) { return int_array_find(row, r->children) >= 0; }));
}

void TForm9::update_fill_cb() {
    const Tpres* r = resource();
    if (!r) return;
    fill_resource_list(cbexpress4, il4, resource_rows([](int32_t, const Tpres& row) { return is_filling(row.kind); }),
                       "empty");
    // The filling the vial holds is chosen; "empty" when it holds none.
    if (r->filling.count > 0)
        for (int i = 1; i < cbexpress4.count(); ++i)
            if (cbexpress4.item_data(i) == r->filling.index) cbexpress4.set_item_index(i);
}

void TForm9::Button1Click() {
    const Tpres* r = resource();
    if (!r || r->kind != resource_kind::clip) return;
    const int32_t row = chosen_row(cbexpress2);
    if (!resource_template(row)) return;
    // A full clip, or a row the clip does not take, adds nothing and asks nothing.
    if (static_cast<int64_t>(r->contents.size()) >= r->power || int_array_find(row, r->children) < 0) return;
    if (!modal().ask_ok("add res?")) return;
    create_resource(editor.world,
                    {.row = row, .amount = 1, .parent_resource = editor.cur_placed_res, .link = links::inside});
    sg_res_items.set_row_count(picture_rows(resource()->contents.size()));
    sg_res_items.repaint();
}

void TForm9::Button2Click() {
    const Tpres* r = resource();
    if (!r) return;
    TWorld& w = editor.world;
    const bool vial = r->kind == resource_kind::vial;
    const bool stack = r->kind != resource_kind::clip && r->kind != resource_kind::cell && !vial &&
                       r->holder_item < 0 && r->holder_resource < 0;
    // Everything is read and checked before anything is written.
    int64_t delta = 0;
    if (stack) {
        const int32_t amount = amount_form(*this).read(*r).amount;
        delta = int64_t{amount} - r->amount;
        if (delta < std::numeric_limits<int32_t>::min() || delta > std::numeric_limits<int32_t>::max())
            throw EditorError("The amount " + std::to_string(r->amount) + " cannot be changed to " +
                              std::to_string(amount));
    }
    Tinvitem filling = r->filling;
    filling.index = -1;
    if (vial) {
        if (cbexpress4.item_index() < 0) return;
        const int32_t row = chosen_row(cbexpress4);
        if (row != -1) {
            const Tpres* chosen = resource_template(row);
            if (!chosen || !is_filling(chosen->kind)) return;
            // A vial is always filled to its power.
            filling = {thing::resource, row, r->power};
        }
    }

    if (stack) {
        // The holder's list entry keeps the same count as the stack.
        change_amount(editor.cur_placed_res, static_cast<int32_t>(delta), w);
        if (Dialog* d = opener_dialog(editor.res_dlg_opener)) d->refresh_for_editor();
    }
    if (vial) {
        // What the vial held goes with its filling: highest index first, so
        // the indexes still to go stay true; only what names the vial back.
        tintarray inside = resource()->contents;
        std::sort(inside.begin(), inside.end(), std::greater<>());
        inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
        for (int32_t c : inside) {
            const int32_t self = editor.cur_placed_res;
            if (links::resource_ok(c, w) && c != self && w.resources[static_cast<std::size_t>(c)].holder_resource == self)
                delete_keeping_current(c);
            if (!resource()) return;
        }
        resource()->contents.clear();
    }
    if (Tpres* now = resource()) now->filling = filling;
    show_info();
}

void TForm9::delete_keeping_current(int32_t r) {
    TWorld& w = editor.world;
    std::vector<int32_t> gone = links::held_resources(thing::resource, r, w);
    gone.push_back(r);
    int32_t& current = editor.cur_placed_res;
    const bool with_it = std::find(gone.begin(), gone.end(), current) != gone.end();
    const int32_t at = current;
    const auto below = std::count_if(gone.begin(), gone.end(), [at](int32_t g) { return g < at; });
    delete_thing(thing::resource, r, w);
    current = with_it ? -1 : current - static_cast<int32_t>(below);
}

void TForm9::sg_res_itemsDrawCell(int ACol, int ARow, kit::Rect Rect) {
    if (const Tpres* r = resource()) draw_placed_resource(sg_res_items, r->contents, ACol, ARow, Rect);
}

void TForm9::sg_res_itemsSelectCell(int ACol, int ARow) {
    const Tpres* r = resource();
    if (!r) return;
    const int e = picture_entry(ACol, ARow, r->contents.size());
    // A cell that holds no child has nothing to delete and asks nothing.
    if (e < 0 || r->contents[static_cast<std::size_t>(e)] == -1) return;
    if (!modal().ask_delete()) return;
    Tpres* asked = resource();
    if (!asked || static_cast<std::size_t>(e) >= asked->contents.size()) return;
    const int32_t child = asked->contents[static_cast<std::size_t>(e)];
    if (links::resource_ok(child, editor.world) && child != editor.cur_placed_res) delete_keeping_current(child);
    else int_array_delete(e, asked->contents);  // an entry naming nothing goes alone
    const Tpres* now = resource();
    sg_res_items.set_row_count(picture_rows(now ? now->contents.size() : 0));
    sg_res_items.repaint();
    show_info();
}
