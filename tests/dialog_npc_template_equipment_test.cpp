// The NPC template equipment dialog (TForm4) driven as a designer drives it
// from the NPC page's INV button: the four slots, the inventory and the parts,
// on catalogues built in code, also empty ones and buffers left over from
// another world.
#include "dialogs/npc_template_equipment.h"
#include "mainwindow/page_npc.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::MouseButton;
using kit::user::click;
using kit::user::pick_page;
using kit::user::press_at;
using kit::user::press_cell;

class PnpcInv : public EditorFixture {
protected:
    // Item rows and resource rows of the catalogues the fixture builds.
    enum { hat, helm, sword, plate, coat };
    enum { arrows, coins };

    void SetUp() override {
        EditorFixture::SetUp();
        const std::pair<int32_t, int32_t> items[] = {{item_class::hat, 10},
                                                     {item_class::helm, 11},
                                                     {0, 12},
                                                     {item_class::plate, 13},
                                                     {item_class::leather_coat, 14}};
        for (const auto& [cls, image] : items) {
            Tpitem i;
            i.item_class = cls;
            i.image = image;
            editor.world.pitems.push_back(i);
        }
        for (int k = 0; k < 2; ++k) {
            Tpres r;
            r.image_one = 20 + 2 * k;
            r.image_many = 21 + 2 * k;
            editor.world.presources.push_back(r);
        }
        setgrids();
        pick_page(page_control(), page::npc);
        open_dialog();
    }

    TForm4& dlg() { return dialog<TForm4>(editor.Form4); }
    void open_dialog() { click(npc().Button23); }
    void reopen() {
        kit::user::close(dlg());
        open_dialog();
    }
    void pick_item(int e) {
        pick_page(dlg().pc_pnpc_items, 0);
        press_cell(dlg().sg_pnpc_items, e % 3, e / 3);
    }
    void pick_resource(int e) {
        pick_page(dlg().pc_pnpc_items, 1);
        press_cell(dlg().sg_pnpc_ress, e % 3, e / 3);
    }
    static void right_click(kit::Control& c) { press_at(c, 4, 4, MouseButton::right); }
    static TColor slot(kit::Image& image) { return image.picture().pixel(4, 4); }
    // The colour near the corner of entry e's cell of a 32-pixel grid.
    static TColor cell(kit::StringGrid& g, int e) {
        g.refresh();
        const kit::Rect r = g.cell_rect(e % 3, e / 3);
        return g.canvas().pixel(r.left + 4, r.top + 4);
    }
    void clear_buffers() {
        editor.npc_head = editor.npc_body = -1;
        editor.npc_lhand = editor.npc_rhand = Tinvitem{0, -1, 0};
        editor.npc_items.clear();
        editor.npc_parts.clear();
    }
};

TEST_F(PnpcInv, OpensOverTheMainWindowAndGivesItBack) {
    TForm4& d = dlg();
    EXPECT_EQ(d.name, "Form4");
    EXPECT_EQ(d.caption(), "PNPC_INV");
    EXPECT_EQ(d.client_width(), 520);
    EXPECT_EQ(d.client_height(), 360);
    EXPECT_TRUE(d.visible());
    EXPECT_FALSE(main_window().enabled());
    kit::user::close(d);
    EXPECT_FALSE(d.visible());
    EXPECT_TRUE(main_window().enabled());
}

TEST_F(PnpcInv, HeadAndBodyTakeOnlyWhatIsWornThere) {
    struct Case {
        bool head;
        int item;
        bool taken;
    };
    const Case cases[] = {{true, helm, true},   {true, hat, true},   {true, sword, false}, {true, plate, false},
                          {false, plate, true}, {false, coat, true}, {false, hat, false},  {false, sword, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.head ? "head " : "body ") + std::to_string(c.item));
        clear_buffers();
        reopen();
        kit::Image& image = c.head ? dlg().i_pnpc_head : dlg().i_pnpc_body;
        int32_t& buffer = c.head ? editor.npc_head : editor.npc_body;
        pick_item(c.item);
        click(image);
        EXPECT_EQ(buffer, c.taken ? c.item : -1);
        EXPECT_EQ(slot(image), c.taken ? frame_color(10 + c.item) : clWhite);
        // With the resources page showing the slot takes nothing.
        pick_resource(coins);
        click(image);
        EXPECT_EQ(buffer, c.taken ? c.item : -1);
    }
    EXPECT_TRUE(modal_->transcript.empty());
}

TEST_F(PnpcInv, HandsTakeAnItemOrPiecesOfAResource) {
    editor.npc_lhand = {0, -1, 9};
    pick_item(sword);
    click(dlg().i_pnpc_left);
    EXPECT_EQ(editor.npc_lhand, (Tinvitem{thing::item, sword, 9}));  // the count stays
    EXPECT_EQ(slot(dlg().i_pnpc_left), frame_color(12));

    // Five pieces show the many-pieces picture and the count.
    modal_->quant_answers = {5, 1};
    pick_resource(coins);
    click(dlg().i_pnpc_right);
    EXPECT_EQ(editor.npc_rhand, (Tinvitem{thing::resource, coins, 5}));
    EXPECT_EQ(slot(dlg().i_pnpc_right), frame_color(23));
    EXPECT_NE(dlg().i_pnpc_right.picture().pixel(13, 16), frame_color(23));  // the count's text
    reopen();
    EXPECT_EQ(slot(dlg().i_pnpc_left), frame_color(12));
    EXPECT_EQ(slot(dlg().i_pnpc_right), frame_color(23));
    // One piece shows the one-piece picture.
    click(dlg().i_pnpc_left);
    EXPECT_EQ(editor.npc_lhand, (Tinvitem{thing::resource, coins, 1}));
    EXPECT_EQ(slot(dlg().i_pnpc_left), frame_color(22));
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_quant -> 5", "ask_quant -> 1"}));
}

TEST_F(PnpcInv, RightClicksEmptyTheSlotsOnlyTheHeadAsks) {
    editor.npc_head = helm;
    editor.npc_body = plate;
    editor.npc_lhand = {thing::item, sword, 0};
    editor.npc_rhand = {thing::resource, arrows, 4};
    reopen();
    EXPECT_EQ(slot(dlg().i_pnpc_head), frame_color(11));
    EXPECT_EQ(slot(dlg().i_pnpc_body), frame_color(13));

    right_click(dlg().i_pnpc_body);
    right_click(dlg().i_pnpc_left);
    right_click(dlg().i_pnpc_right);
    EXPECT_TRUE(modal_->transcript.empty());
    EXPECT_EQ(editor.npc_body, -1);
    // An emptied hand keeps its kind and count.
    EXPECT_EQ(editor.npc_lhand, (Tinvitem{thing::item, -1, 0}));
    EXPECT_EQ(editor.npc_rhand, (Tinvitem{thing::resource, -1, 4}));
    for (kit::Image* image : {&dlg().i_pnpc_body, &dlg().i_pnpc_left, &dlg().i_pnpc_right})
        EXPECT_EQ(slot(*image), clWhite);

    // The head asks first; a left click (with a pick it refuses) never empties it.
    modal_->delete_answers = {false, true};
    right_click(dlg().i_pnpc_head);
    EXPECT_EQ(editor.npc_head, helm);
    pick_item(sword);
    click(dlg().i_pnpc_head);
    EXPECT_EQ(editor.npc_head, helm);
    EXPECT_EQ(slot(dlg().i_pnpc_head), frame_color(11));
    right_click(dlg().i_pnpc_head);
    EXPECT_EQ(editor.npc_head, -1);
    EXPECT_EQ(slot(dlg().i_pnpc_head), clWhite);
    EXPECT_EQ(modal_->transcript, (std::vector<std::string>{"ask_delete -> 0", "ask_delete -> 1"}));
}

TEST_F(PnpcInv, InventoryAndParts) {
    TForm4& d = dlg();
    // Before any pick the buttons use row 0 of the catalogue showing.
    pick_page(d.pc_pnpc_inv, 1);
    click(d.Button1);
    pick_item(sword);
    click(d.Button1);
    click(d.Button1);
    modal_->quant_answers = {4};
    pick_resource(coins);
    click(d.Button1);
    EXPECT_EQ(
        editor.npc_items,
        (Tinvitems{
            {thing::item, hat, 1}, {thing::item, sword, 1}, {thing::item, sword, 1}, {thing::resource, coins, 4}}));
    EXPECT_EQ(d.sg_pnpc_inv.row_count(), 2);
    EXPECT_EQ(cell(d.sg_pnpc_inv, 1), frame_color(12));
    EXPECT_EQ(cell(d.sg_pnpc_inv, 3), frame_color(23));

    // PARTS: pieces of one resource add up; an item page refuses.
    pick_page(d.pc_pnpc_inv, 2);
    modal_->quant_answers = {3, 4};
    click(d.Button3);
    click(d.Button3);
    EXPECT_EQ(editor.npc_parts, (Tinvitems{{thing::resource, coins, 7}}));
    EXPECT_EQ(cell(d.sg_pnpc_parts, 0), frame_color(22));
    pick_page(d.pc_pnpc_items, 0);
    modal_->transcript.clear();
    click(d.Button3);
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"message: resources only"});
    EXPECT_EQ(editor.npc_parts, (Tinvitems{{thing::resource, coins, 7}}));

    // A right click asks first and removes the entry under the mouse; on an
    // empty cell, or on Cancel, it removes nothing.
    pick_page(d.pc_pnpc_inv, 1);
    const auto right_click_cell = [](kit::StringGrid& g, int e) {
        const kit::Rect r = g.cell_rect(e % 3, e / 3);
        press_at(g, r.left + 4, r.top + 4, MouseButton::right);
    };
    modal_->transcript.clear();
    modal_->delete_answers = {false, true, true};
    right_click_cell(d.sg_pnpc_inv, 0);
    right_click_cell(d.sg_pnpc_inv, 5);
    right_click_cell(d.sg_pnpc_inv, 1);
    EXPECT_EQ(modal_->transcript.size(), 3u);
    EXPECT_EQ(editor.npc_items,
              (Tinvitems{{thing::item, hat, 1}, {thing::item, sword, 1}, {thing::resource, coins, 4}}));
    EXPECT_EQ(d.sg_pnpc_inv.row_count(), 2);
    pick_page(d.pc_pnpc_inv, 2);
    modal_->delete_answers = {true};
    right_click_cell(d.sg_pnpc_parts, 0);
    EXPECT_TRUE(editor.npc_parts.empty());

    // INV "<" does nothing while its page is not showing.
    pick_page(d.pc_pnpc_inv, 0);
    d.Button1Click();
    EXPECT_EQ(editor.npc_items.size(), 3u);
}

// With empty catalogues nothing can be picked: no slot, list or question
// changes, whatever was picked in an earlier world.
TEST_F(PnpcInv, EmptyCataloguesChangeNothing) {
    TForm4& d = dlg();
    pick_item(sword);
    pick_resource(coins);
    editor.world.pitems.clear();
    editor.world.presources.clear();
    clear_buffers();
    reopen();
    for (int page : {0, 1}) {
        pick_page(d.pc_pnpc_items, page);
        for (kit::Image* image : {&d.i_pnpc_head, &d.i_pnpc_body, &d.i_pnpc_left, &d.i_pnpc_right}) click(*image);
        for (int list : {1, 2}) {
            pick_page(d.pc_pnpc_inv, list);
            click(list == 1 ? d.Button1 : d.Button3);
        }
    }
    EXPECT_EQ(editor.npc_head, -1);
    EXPECT_EQ(editor.npc_body, -1);
    EXPECT_EQ(editor.npc_lhand, (Tinvitem{0, -1, 0}));
    EXPECT_EQ(editor.npc_rhand, (Tinvitem{0, -1, 0}));
    EXPECT_TRUE(editor.npc_items.empty());
    EXPECT_TRUE(editor.npc_parts.empty());
    // Only PARTS on the items page speaks; no quantity is asked.
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"message: resources only"});
}

// Buffer rows left from another world (Open keeps the buffers) draw nothing
// and stay in the buffers until the designer removes them.
TEST_F(PnpcInv, RowsThatNameNothingDrawNothingAndStay) {
    editor.npc_head = 50;
    editor.npc_body = -7;
    editor.npc_lhand = {thing::item, 70, 1};
    editor.npc_rhand = {thing::resource, 80, 3};
    editor.npc_items = {{thing::item, 90, 1}, {thing::resource, 91, 2}, {thing::item, helm, 1}, {7, 0, 1}};
    editor.npc_parts = {{thing::resource, 92, 1}, {thing::item, arrows, 2}};
    const Tinvitems items = editor.npc_items, parts = editor.npc_parts;
    reopen();
    for (kit::Image* image : {&dlg().i_pnpc_head, &dlg().i_pnpc_body, &dlg().i_pnpc_left, &dlg().i_pnpc_right})
        EXPECT_EQ(slot(*image), clWhite) << image->name;
    pick_page(dlg().pc_pnpc_inv, 1);
    EXPECT_EQ(cell(dlg().sg_pnpc_inv, 0), clWhite);
    EXPECT_EQ(cell(dlg().sg_pnpc_inv, 1), clWhite);
    EXPECT_EQ(cell(dlg().sg_pnpc_inv, 2), frame_color(11));
    EXPECT_EQ(cell(dlg().sg_pnpc_inv, 3), clWhite);  // a kind that is neither item nor resource
    pick_page(dlg().pc_pnpc_inv, 2);
    EXPECT_EQ(cell(dlg().sg_pnpc_parts, 0), clWhite);
    EXPECT_EQ(cell(dlg().sg_pnpc_parts, 1), frame_color(20));  // parts are resources whatever the kind
    EXPECT_EQ(editor.npc_head, 50);
    EXPECT_EQ(editor.npc_rhand, (Tinvitem{thing::resource, 80, 3}));
    EXPECT_EQ(editor.npc_items, items);
    EXPECT_EQ(editor.npc_parts, parts);

    // A pick made in a longer catalogue names nothing once it has shrunk.
    pick_item(coat);
    editor.world.pitems.resize(2);
    click(dlg().i_pnpc_head);
    pick_page(dlg().pc_pnpc_inv, 1);
    click(dlg().Button1);
    EXPECT_EQ(editor.npc_head, 50);
    EXPECT_EQ(editor.npc_items, items);
    EXPECT_TRUE(modal_->transcript.empty());
}

}  // namespace
