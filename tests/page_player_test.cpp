// The Player page driven as a designer drives it: the summary of the player
// NPC when the page opens, the free points and the change-name flag stored by
// SAVE, and the lists of pictures and portraits the player may choose from.
#include "mainwindow/page_player.h"

#include "tests/support/editor_fixture.h"
#include "worldfile/worldfile.h"

namespace {

using kit::user::click;
using kit::user::pick_page;
using kit::user::press_cell;
using kit::user::type_text;

class PlayerPage : public EditorFixture {
protected:
    void open_page() {
        pick_page(page_control(), page::terrain);
        pick_page(page_control(), page::player);
    }
};

TEST_F(PlayerPage, ShowsThePlayerNpc) {
    // Before a player is chosen: blank pictures, an empty summary, and the
    // settings as the world holds them, whatever the fields showed before.
    player().Image5.draw(0, 0, editor.tile_frames[1]);
    player().efreepts.set_text("kept");
    player().efreeskillspts.set_text("kept");
    player().cbchangename.set_checked(true);
    pick_page(page_control(), page::player);
    EXPECT_EQ(player().Image5.picture().pixel(4, 4), clWhite);
    EXPECT_EQ(player().Image6.picture().pixel(4, 4), clWhite);
    EXPECT_EQ(player().Label87.caption(), "");
    EXPECT_EQ(player().Label93.caption(), "");
    EXPECT_EQ(player().efreepts.text(), "0");
    EXPECT_EQ(player().efreeskillspts.text(), "0");
    EXPECT_FALSE(player().cbchangename.checked());

    TWorld& w = editor.world;
    Tmap map;
    map.name = "cave";
    w.maps.push_back(map);
    Tchar c;
    c.name = "guard";
    c.self_name = "Bob";
    c.STR = 1, c.AGI = 2, c.DEX = 3, c.ACU = 44, c.CON = 5, c.INT = 6, c.WIS = 7, c.PER = 8;
    c.figure = 2;
    c.portrait = 6;
    make_place(0, 4, 9, c.place);
    for (int i = 0; i < 32; ++i) c.skills[static_cast<std::size_t>(i)] = 100 + i;
    w.npcs.push_back(Tchar{});
    w.npcs.push_back(c);
    w.player.npc = 1;
    w.player.free_points = 12;
    w.player.free_skill_points = -3;
    w.player.change_name = true;
    open_page();
    EXPECT_EQ(main_window().caption(), "10");
    EXPECT_EQ(player().Image5.picture().pixel(4, 4), frame_color(2));
    EXPECT_EQ(player().Image6.picture().pixel(4, 4), frame_color(6));
    EXPECT_EQ(player().Label87.caption(),
              "object: guard\rName: Bob\rSTR: 1\rAGI: 2\rCON: 5\rDEX: 3\rINT: 6\rWIS: 7\rPER: 8\r\r"
              "MAP:cave\rX:  4\rY:  9\r");
    std::string skills;
    for (int i = 1; i <= 32; ++i)
        skills += skill_names[static_cast<std::size_t>(i)] + ":\t" + std::to_string(99 + i) + "\r";
    EXPECT_EQ(player().Label93.caption(), skills);
    EXPECT_EQ(skills.substr(skills.rfind('\r', skills.size() - 2) + 1), ":\t131\r");  // the unnamed 32nd skill
    EXPECT_EQ(player().efreepts.text(), "12");
    EXPECT_EQ(player().efreeskillspts.text(), "-3");
    EXPECT_TRUE(player().cbchangename.checked());

    // A player whose NPC names no picture and no map (after a deletion or Open).
    w.npcs[1].place.map = 7;
    w.npcs[1].figure = -1;
    open_page();
    EXPECT_NE(player().Label87.caption().find("MAP:\rX:  4"), std::string::npos);
    EXPECT_EQ(player().Image5.picture().pixel(4, 4), clWhite);
    w.player.npc = 2;
    w.player.free_points = 40;
    open_page();
    EXPECT_EQ(player().Label87.caption(), "");
    EXPECT_EQ(player().efreepts.text(), "40");
}

// An Open while the page is open: the fields show the opened world at once,
// so SAVE never writes the old world's values into it.
TEST_F(PlayerPage, OpenShowsTheOpenedWorldsSettings) {
    TWorld other;
    reset_world(other);
    other.player.free_points = 3;
    other.player.free_skill_points = 4;
    other.player.change_name = true;
    const std::string file = dir_.file("other.wld");
    save_world(file, true, other);
    open_page();
    type_text(player().efreepts, "55");
    open(file);
    EXPECT_EQ(player().efreepts.text(), "3");
    click(player().Button33);
    EXPECT_EQ(editor.world.player.free_points, 3);
    EXPECT_EQ(editor.world.player.free_skill_points, 4);
    EXPECT_TRUE(editor.world.player.change_name);
}

TEST_F(PlayerPage, SaveStoresTheThreeFieldsOrNothing) {
    open_page();
    type_text(player().efreepts, "7");
    type_text(player().efreeskillspts, "");  // empty counts as 0
    click(player().cbchangename);
    editor.world.player.free_skill_points = 9;
    click(player().Button33);
    EXPECT_EQ(editor.world.player.free_points, 7);
    EXPECT_EQ(editor.world.player.free_skill_points, 0);
    EXPECT_TRUE(editor.world.player.change_name);

    const std::pair<const char*, const char*> bad[] = {{"8", "x1"}, {"x1", "8"}, {"8", "99999999999"}};
    for (const auto& [points, skill_points] : bad) {
        modal_->errors.clear();
        type_text(player().efreepts, points);
        type_text(player().efreeskillspts, skill_points);
        click(player().cbchangename);
        click(player().Button33);
        EXPECT_EQ(modal_->errors.size(), 1u);
        EXPECT_EQ(editor.world.player.free_points, 7);
        EXPECT_EQ(editor.world.player.free_skill_points, 0);
        EXPECT_TRUE(editor.world.player.change_name);
    }
    EXPECT_EQ(modal_->errors, std::vector<std::string>{"'99999999999' is not a valid integer value."});
}

// Both lists: a left click appends the current tile (only one that exists),
// a right click removes the entry under the mouse; each grid grows with its
// list, so the sixteenth entry and those after it can be seen and removed.
TEST_F(PlayerPage, PictureListsAppendRemoveAndGrow) {
    open_page();
    struct List {
        kit::StringGrid* grid;
        tintarray* list;
    };
    const List lists[] = {{&player().sgplayerimages, &editor.world.player.pictures},
                          {&player().sgplayerportraits, &editor.world.player.portraits}};
    for (const List& l : lists) {
        SCOPED_TRACE(l.grid->name);
        kit::StringGrid& g = *l.grid;
        EXPECT_EQ(g.row_count(), 5);
        editor.cur_tile = 4;
        press_cell(g, 2, 3);
        press_cell(g, 0, 0);  // the same tile twice, wherever the click falls
        editor.cur_tile = 9;
        press_cell(g, 1, 0);
        for (int bad : {-1, 34, 500}) {  // names no tile
            editor.cur_tile = bad;
            press_cell(g, 0, 0);
        }
        EXPECT_EQ(*l.list, (tintarray{4, 4, 9}));
        EXPECT_EQ(g.canvas().pixel(g.cell_rect(2, 0).left + 4, g.cell_rect(2, 0).top + 4), frame_color(9));
        press_cell(g, 0, 0, kit::MouseButton::right);
        EXPECT_EQ(*l.list, (tintarray{4, 9}));
        press_cell(g, 2, 2, kit::MouseButton::right);  // no entry there
        EXPECT_EQ(*l.list, (tintarray{4, 9}));
        EXPECT_EQ(g.canvas().pixel(g.cell_rect(1, 0).left + 4, g.cell_rect(1, 0).top + 4), frame_color(9));

        // Up to 20 entries: a sixth row and more, every entry reachable.
        for (int k = 2; k < 20; ++k) {
            editor.cur_tile = k;
            press_cell(g, 0, 0);
        }
        ASSERT_EQ(l.list->size(), 20u);
        EXPECT_EQ(g.row_count(), 7);
        kit::user::scroll_to(g, 0, 6);
        ASSERT_GT(g.cell_rect(1, 6).height, 0);
        EXPECT_EQ(g.canvas().pixel(g.cell_rect(1, 6).left + 4, g.cell_rect(1, 6).top + 4), frame_color(19));
        press_cell(g, 1, 6, kit::MouseButton::right);
        EXPECT_EQ(l.list->size(), 19u);
        EXPECT_EQ(l.list->back(), 18);
        // An entry naming no tile (from a world file) draws nothing.
        (*l.list)[0] = 700;
        kit::user::scroll_to(g, 0, 0);
        g.refresh();
        EXPECT_EQ(g.canvas().pixel(g.cell_rect(0, 0).left + 4, g.cell_rect(0, 0).top + 4), clWhite);
    }
    EXPECT_TRUE(modal_->errors.empty());
}

}  // namespace
