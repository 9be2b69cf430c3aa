// The main window's frame. Opening pages by their tabs: the caption shows the
// page number, the tile palette moves and resizes for the page, and the
// fractions page shows the world as it is when it is opened (the Player page
// has a suite of its own).
#include "mainwindow/main.h"

#include "mainwindow/page_fractions.h"
#include "mainwindow/page_map.h"
#include "tests/support/editor_fixture.h"

namespace {

using kit::user::pick_page;

class PageSwitch : public EditorFixture {};

TEST_F(PageSwitch, CaptionAndTilePalettePerPage) {
    struct Place {
        bool visible;
        int cell, width, left;
    };
    const Place table[14] = {{true, 32, 120, 792},  {false, 32, 120, 792}, {true, 64, 216, 674},
                             {true, 32, 120, 792},  {true, 32, 120, 792},  {true, 64, 216, 648},
                             {true, 64, 216, 648},  {false, 32, 120, 792}, {false, 32, 120, 792},
                             {false, 32, 120, 792}, {true, 32, 120, 792},  {false, 32, 120, 792},
                             {false, 32, 120, 792}, {false, 32, 120, 792}};
    const int rows = tile_palette().row_count();
    // Every page from every other kind of page, so each row of the table is set
    // from a different one.
    const int order[] = {2, 1, 5, 0, 6, 13, 3, 11, 4, 12, 10, 9, 8, 2, 6, 0};
    for (int page : order) {
        SCOPED_TRACE("page " + std::to_string(page));
        pick_page(page_control(), page);
        ASSERT_EQ(page_control().active_page_index(), page);
        const Place& want = table[page];
        kit::StringGrid& tiles = tile_palette();
        EXPECT_EQ(main_window().caption(), std::to_string(page));
        EXPECT_EQ(tiles.visible(), want.visible);
        EXPECT_EQ(tiles.default_col_width(), want.cell);
        EXPECT_EQ(tiles.default_row_height(), want.cell);
        EXPECT_EQ(tiles.width(), want.width);
        EXPECT_EQ(tiles.left(), want.left);
        EXPECT_EQ(tiles.top(), 24);
        EXPECT_EQ(tiles.row_count(), rows);
        EXPECT_EQ(tiles.col_count(), 3);
        EXPECT_EQ(tiles.parent(), static_cast<kit::Control*>(&form()));
        if (want.visible) {
            // All three columns show beside the scroll bar, each its own frame.
            EXPECT_GE(tiles.visible_col_count(), 3);
            tiles.refresh();
            for (int n : {0, 2, 4}) {
                const kit::Rect r = tiles.cell_rect(n % 3, n / 3);
                EXPECT_EQ(tiles.canvas().pixel(r.left + 3, r.top + 3), frame_color(n));
            }
        }
    }
    // The older events page cannot be opened by its tab; opened from code it
    // hides the palette like the other pages without one.
    pick_page(page_control(), 7);
    EXPECT_EQ(page_control().active_page_index(), 0);
    EXPECT_EQ(main_window().caption(), "0");
    page_control().set_active_page_index(7);
    form().PCChange();
    EXPECT_EQ(main_window().caption(), "7");
    EXPECT_FALSE(tile_palette().visible());
}

TEST_F(PageSwitch, OpeningTheMapPageChangesNothingElse) {
    pick_page(page_control(), 1);
    kit::user::click(map().Button5);
    const int cols = map().sg_map.col_count();
    pick_page(page_control(), 3);
    pick_page(page_control(), 1);
    EXPECT_EQ(main_window().caption(), "1");
    EXPECT_FALSE(tile_palette().visible());
    EXPECT_EQ(map().sg_map.col_count(), cols);
    EXPECT_EQ(map().cb_maps.item_index(), 0);
    EXPECT_TRUE(modal_->transcript.empty());
}

TEST_F(PageSwitch, FractionsPageListsTheFractions) {
    pick_page(page_control(), 5);
    EXPECT_EQ(fractions().cbfrac1.count(), 0);
    EXPECT_EQ(fractions().cbfrac2.count(), 0);
    EXPECT_EQ(fractions().efracrel.text(), "0");

    TWorld& w = editor.world;
    for (const auto& [name, image] : {std::pair{"elves", 3}, std::pair{"orcs", 5}}) {
        Tfrac fr;
        fr.name = name;
        fr.image = image;
        w.fracs.push_back(fr);
    }
    w.fracrel = {{-5, 7}, {2, 0}};
    fractions().efracrel.set_text("99");
    pick_page(page_control(), 0);
    pick_page(page_control(), 5);
    for (kit::ComboBox* c : {&fractions().cbfrac1, &fractions().cbfrac2}) {
        EXPECT_EQ(c->items(), (std::vector<std::string>{"elves", "orcs"}));
        EXPECT_EQ(c->item_index(), 0);
    }
    EXPECT_EQ(fractions().efracrel.text(), "-5");
    EXPECT_EQ(fractions().ifrac1.picture().pixel(4, 4), frame_color(3));
    EXPECT_EQ(fractions().ifrac2.picture().pixel(4, 4), frame_color(3));

    // The pictures are cleared first: a smaller picture leaves nothing of a
    // larger one shown before, one naming no tile frame shows blank; a world
    // without relations shows "0".
    w.fracs[1].image = frames32;  // 64 x 64
    kit::user::pick(fractions().cbfrac1, 1);
    kit::user::pick(fractions().cbfrac2, 1);
    pick_page(page_control(), 0);
    pick_page(page_control(), 5);
    for (kit::Image* image : {&fractions().ifrac1, &fractions().ifrac2}) {
        EXPECT_EQ(image->picture().pixel(4, 4), frame_color(3)) << image->name;
        EXPECT_EQ(image->picture().pixel(40, 40), clWhite) << image->name;
    }
    w.fracs[0].image = 500;
    w.fracrel.clear();
    pick_page(page_control(), 0);
    pick_page(page_control(), 5);
    EXPECT_EQ(fractions().efracrel.text(), "0");
    EXPECT_EQ(fractions().ifrac1.picture().pixel(4, 4), clWhite);
    EXPECT_EQ(fractions().ifrac2.picture().pixel(4, 4), clWhite);
}

}  // namespace
