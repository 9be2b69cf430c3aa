// The fractions page driven as a designer drives it: pictures from the tile
// palette, ADD and UPDATE, the relation of one fraction to another, and a
// world saved and opened again.
#include "mainwindow/page_fractions.h"

#include "mainwindow/page_npc.h"
#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick;
using kit::user::pick_page;
using kit::user::type_text;

class FractionsPage : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pick_page(page_control(), page::fractions);
    }

    // Picks tile n in the palette, then clicks the fraction's picture.
    void pick_picture(int n) {
        kit::user::press_cell(tile_palette(), n % 3, n / 3);
        click(fractions().ifrac);
    }
    void add(const std::string& name, int tile) {
        pick_picture(tile);
        type_text(fractions().efracname, name);
        click(fractions().Button14);
    }
    // Chooses a pair in the relation lists.
    void choose_pair(int a, int b) {
        pick(fractions().cbfrac1, a);
        pick(fractions().cbfrac2, b);
    }
    void save_relation(const std::string& text) {
        type_text(fractions().efracrel, text);
        click(fractions().Button17);
    }
    // The colour at the centre of fraction e's cell in the grid.
    TColor grid_cell(int e) {
        kit::StringGrid& g = fractions().sg_frac;
        g.refresh();
        const kit::Rect r = g.cell_rect(e % 3, e / 3);
        return g.canvas().pixel(r.left + 8, r.top + 8);
    }
};

TEST_F(FractionsPage, AddKeepsTheRelationsAndListsTheFractionsEverywhere) {
    add("elves", 3);
    add("orcs", frames32 + 1);  // a 64 x 64 tile
    const TWorld& w = editor.world;
    ASSERT_EQ(w.fracs.size(), 2u);
    EXPECT_EQ(w.fracs[0], (Tfrac{"elves", 3}));
    EXPECT_EQ(w.fracs[1], (Tfrac{"orcs", frames32 + 1}));
    EXPECT_EQ(w.fracrel, (std::vector<std::vector<int8_t>>{{0, 0}, {0, 0}}));
    EXPECT_EQ(grid_cell(0), frame_color(3));
    EXPECT_EQ(grid_cell(1), frame_color(frames32 + 1));
    for (kit::ComboBox* c : {&fractions().cbfrac1, &fractions().cbfrac2, &npc().cb_pnpc_frac}) {
        EXPECT_EQ(c->items(), (std::vector<std::string>{"elves", "orcs"})) << c->name;
        EXPECT_EQ(c->item_index(), 0) << c->name;
    }

    // A third fraction keeps the 2 x 2 relations and adds zeros.
    editor.world.fracrel = {{1, 2}, {3, 4}};
    add("", 4);  // a name may be empty
    EXPECT_EQ(w.fracrel, (std::vector<std::vector<int8_t>>{{1, 2, 0}, {3, 4, 0}, {0, 0, 0}}));
    EXPECT_EQ(fractions().sg_frac.row_count(), 2);
    // A matrix of the wrong shape becomes exactly square again at the next ADD.
    editor.world.fracrel = {{7}, {8, 9, 10, 11, 12}};
    add("men", 5);
    EXPECT_EQ(w.fracrel, (std::vector<std::vector<int8_t>>{{7, 0, 0, 0}, {8, 9, 10, 11}, {0, 0, 0, 0}, {0, 0, 0, 0}}));

    // Without a picture nothing is added, but the NPC page's list is refilled.
    fractions().frac_image = -1;
    npc().cb_pnpc_frac.clear();
    click(fractions().Button14);
    EXPECT_EQ(w.fracs.size(), 4u);
    EXPECT_EQ(npc().cb_pnpc_frac.count(), 4);
    EXPECT_TRUE(modal_->transcript.empty());
}

TEST_F(FractionsPage, SelectAndUpdate) {
    add("elves", 3);
    add("orcs", 5);
    kit::user::press_cell(fractions().sg_frac, 0, 0);
    EXPECT_EQ(fractions().cur_fraction, 0);
    EXPECT_EQ(fractions().frac_image, 3);
    EXPECT_EQ(fractions().efracname.text(), "elves");
    EXPECT_EQ(fractions().ifrac.picture().pixel(8, 8), frame_color(3));

    // ADD right after a selection: the same picture, the name typed.
    type_text(fractions().efracname, "high elves");
    click(fractions().Button14);
    EXPECT_EQ(editor.world.fracs[2], (Tfrac{"high elves", 3}));

    // UPDATE rewrites the selected fraction; the lists keep the old name.
    kit::user::press_cell(fractions().sg_frac, 1, 0);
    pick_picture(7);
    type_text(fractions().efracname, "goblins");
    click(fractions().Button48);
    EXPECT_EQ(editor.world.fracs[1], (Tfrac{"goblins", 7}));
    EXPECT_EQ(grid_cell(1), frame_color(7));
    EXPECT_EQ(fractions().cbfrac1.item(1), "orcs");

    // A picture naming no tile shows a blank picture; the current tile is
    // taken only when it names a tile.
    editor.world.fracs[0].image = 900;
    kit::user::press_cell(fractions().sg_frac, 0, 0);
    EXPECT_EQ(fractions().ifrac.picture().pixel(8, 8), clWhite);
    EXPECT_EQ(fractions().frac_image, 900);
    editor.cur_tile = 900;
    click(fractions().ifrac);
    editor.cur_tile = -1;
    click(fractions().ifrac);
    EXPECT_EQ(fractions().frac_image, 900);

    // A cell past the list, or a stale selection, changes nothing.
    kit::user::press_cell(fractions().sg_frac, 1, 1);
    EXPECT_EQ(fractions().cur_fraction, 0);
    fractions().cur_fraction = 3;
    click(fractions().Button48);
    EXPECT_EQ(editor.world.fracs.size(), 3u);
    EXPECT_EQ(editor.world.fracs[0], (Tfrac{"elves", 900}));
    EXPECT_TRUE(modal_->transcript.empty());
}

// One direction at a time, within the range of a signed byte: a number
// outside it is refused rather than stored as another relation.
TEST_F(FractionsPage, SaveWritesOneDirectionWithinTheRange) {
    add("elves", 3);
    add("orcs", 5);
    editor.world.fracrel = {{0, 0}, {-9, 0}};
    choose_pair(0, 1);
    save_relation("5");
    EXPECT_EQ(editor.world.fracrel, (std::vector<std::vector<int8_t>>{{0, 5}, {-9, 0}}));
    choose_pair(1, 0);
    EXPECT_EQ(fractions().efracrel.text(), "-9");
    EXPECT_EQ(fractions().ifrac1.picture().pixel(8, 8), frame_color(5));
    EXPECT_EQ(fractions().ifrac2.picture().pixel(8, 8), frame_color(3));
    choose_pair(0, 1);
    EXPECT_EQ(fractions().efracrel.text(), "5");

    struct Case {
        const char* text;
        int8_t stored;  // what [0][1] holds after SAVE
        const char* error;
    };
    const Case cases[] = {
        {"-1", -1, nullptr},
        {"127", 127, nullptr},
        {"-128", -128, nullptr},
        {"", 0, nullptr},
        {"300", 0, "'300' is not within the relation range -128..127."},
        {"200", 0, "'200' is not within the relation range -128..127."},
        {"-129", 0, "'-129' is not within the relation range -128..127."},
        {"friend", 0, "'friend' is not a valid integer value."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        modal_->errors.clear();
        save_relation(c.text);
        EXPECT_EQ(editor.world.fracrel[0][1], c.stored);
        EXPECT_EQ(editor.world.fracrel[1][0], -9);
        EXPECT_EQ(modal_->errors, c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{});
    }
}

// An Open with the page on screen lists the opened world's fractions at once:
// the relation lists never name fractions of the world before it, so SAVE
// writes the pair the lists show. Opened elsewhere, the page lists them when
// it is opened again.
TEST_F(FractionsPage, AnOpenListsTheOpenedWorldsFractions) {
    const std::string file = dir_.file("two.wld");
    add("dwarves", 3);
    add("trolls", 4);
    save_as(file);
    add("elves", 5);
    choose_pair(2, 2);  // elves to elves, the last pair of the world before
    type_text(fractions().efracrel, "4");
    open(file);
    ASSERT_TRUE(modal_->errors.empty());
    ASSERT_EQ(editor.world.fracs.size(), 2u);
    EXPECT_EQ(fractions().cbfrac1.items(), (std::vector<std::string>{"dwarves", "trolls"}));
    EXPECT_EQ(fractions().cbfrac2.items(), (std::vector<std::string>{"dwarves", "trolls"}));
    EXPECT_EQ(fractions().efracrel.text(), "0");
    choose_pair(1, 0);
    save_relation("-3");
    EXPECT_EQ(editor.world.fracrel, (std::vector<std::vector<int8_t>>{{0, 0}, {-3, 0}}));
    // The NPC page lists the fractions of the world opened.
    EXPECT_EQ(npc().cb_pnpc_frac.items(), (std::vector<std::string>{"dwarves", "trolls"}));

    // Opened on another page: the lists follow when the page opens.
    add("elves", 5);
    pick_page(page_control(), page::terrain);
    open(file);
    pick_page(page_control(), page::fractions);
    EXPECT_EQ(fractions().cbfrac1.count(), 2);
    EXPECT_TRUE(modal_->errors.empty());
}

TEST_F(FractionsPage, ABuiltWorldIsSavedAndOpenedWhole) {
    add("elves", 3);
    add("orcs", frames32);
    add("men", 8);
    const int8_t relations[3][3] = {{100, -100, 7}, {-128, 127, 0}, {1, -1, 55}};
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            choose_pair(a, b);
            save_relation(std::to_string(relations[a][b]));
        }
    const TWorld built = editor.world;
    const std::string file = dir_.file("fractions.wld");
    save_as(file);
    reset_world(editor.world);
    open(file);
    ASSERT_TRUE(modal_->errors.empty());
    EXPECT_EQ(editor.world.fracs, built.fracs);
    EXPECT_EQ(editor.world.fracrel, built.fracrel);
    EXPECT_EQ(editor.world.fracrel[1][0], -128);
    pick_page(page_control(), page::terrain);
    pick_page(page_control(), page::fractions);
    choose_pair(2, 1);
    EXPECT_EQ(fractions().efracrel.text(), "-1");
    EXPECT_EQ(grid_cell(1), frame_color(frames32));
}

}  // namespace
