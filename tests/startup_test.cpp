// The editor's start-up run in-process: the eleven windows are created and the
// main window shown, without the message loop, in a folder whose tiles the
// test writes; then the state right after start-up is checked.
#include "mainwindow/main.h"
#include "mainwindow/page_craft.h"
#include "mainwindow/page_events.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_triggers.h"
#include "tests/support/editor_fixture.h"

#include <QDir>
#include <cstring>
#include <fstream>

namespace {

// Runs the start-up in a folder of its own, on tiles each test writes.
class StartUp : public EditorFixture {
protected:
    StartUp() { start_at_set_up = false; }
    // Writes tiles/<name> holding frames 32 x 32 frames, frame k in frame_color(first + k).
    void write_tiles(const std::string& name, int frames, int first = 0) {
        write_strip(tiles(), name, frames, 32, first);
    }
};

TEST_F(StartUp, PaletteHasOneRowPerThreeFrames) {
    const std::pair<int, int> cases[] = {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {7, 3}};
    for (const auto& [frames, rows] : cases) {
        SCOPED_TRACE(std::to_string(frames) + " frames");
        write_tiles("t_32x32.bmp", frames);
        start();
        EXPECT_EQ(editor.tile_count, frames);
        EXPECT_EQ(tile_palette().row_count(), rows);
        EXPECT_EQ(tile_palette().col_count(), 3);
        EXPECT_EQ(main_window().caption(), "1");
        destroy_windows();
    }
}

TEST_F(StartUp, WithoutTilesOnlyTheMessageAppearsAndNothingCanAct) {
    for (bool folder_exists : {false, true}) {
        SCOPED_TRACE(folder_exists ? "empty folder" : "no folder");
        if (folder_exists) QDir().mkpath(QString::fromStdString(tiles()));
        modal_->transcript.clear();
        message_handler = nullptr;
        start();
        EXPECT_EQ(modal_->transcript, std::vector<std::string>{"message: Need a tiles to work."});
        EXPECT_EQ(main_window().caption(), "The velmo World Editor");
        EXPECT_FALSE(page_control().enabled());
        EXPECT_FALSE(save_menu().enabled());
        EXPECT_FALSE(open_menu().enabled());
        EXPECT_FALSE(message_handler);  // the world was never reset
        EXPECT_EQ(editor.world.player.npc, 0);
        EXPECT_EQ(terrain().cb_ttip.count(), 0);  // nothing configured
        EXPECT_TRUE(main_window().visible());
        destroy_windows();
    }
}

TEST_F(StartUp, ALoaderErrorIsShownAndLeavesTheWindowAsWithoutTiles) {
    write_tiles("a_32x32.bmp", 2);
    write_tiles("plain.bmp", 1);
    start();
    EXPECT_EQ(modal_->transcript, std::vector<std::string>{"error: List index out of bounds (1)"});
    EXPECT_EQ(editor.tile_count, 0);
    EXPECT_TRUE(editor.tile_frames.empty());
    EXPECT_EQ(main_window().caption(), "The velmo World Editor");
    EXPECT_FALSE(page_control().enabled());
}

namespace {
// An uncompressed 24-bit bottom-up BMP of width x height, black.
void write_black_bmp(const std::string& path, int width, int height) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string b(54 + stride * static_cast<std::size_t>(height), '\0');
    const auto put = [&b](std::size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<uint32_t>(b.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<uint32_t>(width));
    put(22, static_cast<uint32_t>(height));
    put(26, 1 | 24 << 16);  // one plane, 24 bits
    std::ofstream(path, std::ios::binary) << b;
}
}  // namespace

// A file of more frames than a folder may hold is refused in a box naming it
// and its frame count; the editor then starts as with a bad file. Below the
// bound a file of 1 x 1 frames starts normally.
TEST_F(StartUp, TooManyFramesAreRefusedByNameAndCount) {
    QDir().mkpath(QString::fromStdString(tiles()));
    write_black_bmp(tiles() + "/t_1x1.bmp", 2048, 2049);
    start();
    EXPECT_EQ(modal_->transcript,
              std::vector<std::string>{"error: The tile file tiles/t_1x1.bmp holds 4196352 frames of 1x1 pixels, "
                                       "which are more than the 4194304 frames a tile folder may hold."});
    EXPECT_EQ(editor.tile_count, 0);
    EXPECT_TRUE(editor.tile_frames.empty());
    EXPECT_EQ(main_window().caption(), "The velmo World Editor");
    EXPECT_FALSE(page_control().enabled());
    destroy_windows();

    modal_->transcript.clear();
    write_black_bmp(tiles() + "/t_1x1.bmp", 1024, 1024);
    start();
    EXPECT_TRUE(modal_->transcript.empty());
    EXPECT_EQ(editor.tile_count, 1048576);
    EXPECT_EQ(tile_palette().row_count(), 349526);
    EXPECT_TRUE(page_control().enabled());
}

TEST_F(StartUp, StateRightAfterStartUp) {
    write_tiles("a_32x32.bmp", 4);
    write_tiles("B_32x32.bmp", 1, 4);
    start();
    TForm1& f = form();
    EXPECT_TRUE(modal_->transcript.empty());
    EXPECT_EQ(f.caption(), "1");
    EXPECT_TRUE(f.PC.enabled());

    // The pages, the "terr" page open, the older events page's tab hidden.
    const char* captions[] = {"terr", "map", "objects", "items", "resources", "fractions", "npc",
                              "events", "Craft", "Paths", "Player", "Triggers", "Test 1", "Test 2"};
    ASSERT_EQ(f.PC.page_count(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(f.PC.page(i)->caption(), captions[i]);
        EXPECT_EQ(f.PC.page(i)->tab_visible(), i != 7) << i;
    }
    EXPECT_EQ(f.PC.active_page_index(), 0);

    // Only the main window is on screen.
    EXPECT_TRUE(f.visible());
    const kit::Window* dialogs[] = {editor.Form2, editor.Form3, editor.Form4, editor.Form5, editor.Form6,
                                    editor.Form7, editor.Form8, editor.Form9, editor.Form10, editor.Finv};
    for (const kit::Window* w : dialogs)
        EXPECT_FALSE(w->visible()) << w->name;

    // Options: animation off (its timer too), Show hidden on.
    EXPECT_FALSE(f.animation1.checked());
    EXPECT_FALSE(f.Timer2.enabled());
    EXPECT_TRUE(f.Showhidden1.checked());
    EXPECT_TRUE(editor.show_hidden);

    // The world is reset and the selections hold their start values.
    EXPECT_TRUE(static_cast<bool>(message_handler));
    TWorld reset;
    reset_world(reset);
    EXPECT_EQ(editor.world, reset);
    EXPECT_EQ(editor.world.player.npc, -1);
    EXPECT_EQ(editor.cur_resource, -1);
    for (int v : {editor.cur_tile, editor.cur_terrain, editor.cur_object, editor.cur_item, editor.cur_npc,
                  fractions().cur_fraction, triggers().cur_trigger, editor.cell_x, editor.cell_y, editor.anim_frame})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(editor.cur_placed_object, -1);
    EXPECT_FALSE(map().move_object_mode || map().move_npc_mode);
    EXPECT_EQ(terrain().terrain_frames, tintarray(8, -1));
    EXPECT_EQ(objects().object_frames, tintarray(8, -1));
    EXPECT_EQ(objects().object_frames2, tintarray(8, -1));
    EXPECT_EQ(resources().res_image_one, -1);
    EXPECT_EQ(resources().res_image_many, -1);
    EXPECT_EQ(editor.item_ammo, -1);
    EXPECT_EQ(editor.npc_head, -1);
    EXPECT_EQ(editor.npc_body, -1);
    EXPECT_EQ(editor.npc_lhand, (Tinvitem{0, -1, 0}));
    EXPECT_EQ(editor.npc_rhand, (Tinvitem{0, -1, 0}));
    EXPECT_EQ(editor.blank_bitmap32.width(), 32);
    EXPECT_EQ(editor.blank_bitmap64.height(), 64);

    // The tile palette is the window's own, at its place, showing the frames.
    EXPECT_EQ(f.sg_tiles.parent(), static_cast<kit::Control*>(&f));
    EXPECT_EQ(f.sg_tiles.left(), 792);
    EXPECT_EQ(f.sg_tiles.top(), 24);
    EXPECT_EQ(f.sg_tiles.fixed_cols(), 0);
    EXPECT_EQ(f.sg_tiles.fixed_rows(), 0);
    EXPECT_EQ(f.sg_tiles.default_col_width(), 32);
    EXPECT_EQ(f.sg_tiles.row_count(), 2);
    for (int n = 0; n < 5; ++n) {
        const kit::Rect r = f.sg_tiles.cell_rect(n % 3, n / 3);
        EXPECT_EQ(f.sg_tiles.canvas().pixel(r.left + 5, r.top + 5), frame_color(n)) << "frame " << n;
    }
    EXPECT_EQ(terrain().selim1.picture().pixel(5, 5), frame_color(0));
    EXPECT_EQ(items().ipitem.picture().pixel(5, 5), frame_color(0));

    // Combo boxes of the catalogue pages: filled, first entry chosen.
    const std::pair<kit::ComboBox*, int> combos[] = {{&terrain().cb_ttip, 11},      {&terrain().cb_timages, 4}, {&objects().cb_oimages, 4},
                                                     {&objects().cb_olock, 11},     {&objects().cb_oform, 2},   {&items().cb_pitem_class, 22},
                                                     {&resources().cbprestype, 15},   {&craft().cbskills, 32},  {&npc().cb_pnpc_phys_attr, 3},
                                                     {&events().cbtriggers, 4},    {&events().cbevents, 11},  {&triggers().cb_trig_type, 8},
                                                     {&triggers().cb_event_type, 22}};
    for (const auto& [combo, count] : combos) {
        EXPECT_EQ(combo->count(), count) << combo->name;
        EXPECT_EQ(combo->item_index(), 0) << combo->name;
    }
    EXPECT_EQ(terrain().cb_ttip.item(0), "void");
    EXPECT_EQ(terrain().cb_timages.items(), (std::vector<std::string>{"1", "2", "4", "8"}));
    EXPECT_EQ(objects().cb_olock.item(10), "10");
    EXPECT_EQ(objects().cb_oform.items(), (std::vector<std::string>{"round", "square"}));
    EXPECT_EQ(craft().cbskills.item(2), "swords");
    EXPECT_EQ(craft().cbskills.item(31), "");
    EXPECT_EQ(triggers().cb_event_type.item(0), "show message");
    EXPECT_EQ(triggers().cb_event_type.item(21), "set trigger visible");
    EXPECT_EQ(map().cb_maps.item_index(), -1);
    EXPECT_EQ(map().cb_maps.text(), "no maps");
    EXPECT_EQ(triggers().cb_trig_map.text(), "no maps");
    EXPECT_EQ(triggers().cb_event_map.item_index(), -1);
    EXPECT_EQ(npc().cb_pnpc_frac.count(), 0);
    EXPECT_EQ(npc().cb_pnpc_frac.text(), "cb_pnpc_frac");

    // Item fields empty, resource defaults, trigger and event forms reset.
    for (kit::Edit* e : {&items().e_pitem_name, &items().e_pitem_HP, &items().e_pitem_weight, &items().e_pitem_value, &items().e_pitem_volume,
                         &items().e_pitem_load, &items().e_pitem_hands, &items().e_pitem_dem1, &items().e_pitem_dem2, &items().e_pitem_dem3,
                         &items().e_pitem_arm1, &items().e_pitem_arm2, &items().e_pitem_arm3, &items().e_pitem_a, &items().e_pitem_b, &items().e_pitem_c,
                         &items().e_pitem_attak, &items().e_pitem_defence, &items().e_pitem_block, &items().e_pitem_cover, &items().e_pitem_skov,
                         &items().e_pitem_penalty})
        EXPECT_EQ(e->text(), "") << e->name;
    EXPECT_EQ(items().m_pitem_title.text(), "");
    EXPECT_EQ(resources().epresname.text(), "newres");
    EXPECT_EQ(resources().epresvalue.text(), "1");
    EXPECT_EQ(resources().eprespower.text(), "0");
    EXPECT_EQ(resources().epresweight.text(), "0");
    EXPECT_EQ(items().Button12.hint(), "not available now");
    EXPECT_EQ(triggers().e_trig_map_object_id.text(), "-1");
    EXPECT_EQ(triggers().e_trig_size.text(), "1");
    EXPECT_EQ(triggers().e_event_value.text(), "0");
    EXPECT_EQ(npc().e_pnpc_phys_attr.text(), "0");

    // The older events page.
    for (kit::GroupBox* g : {&events().gbtrigparams1, &events().gbtrigparams2, &events().gbtrigparams3}) {
        EXPECT_FALSE(g->visible());
        EXPECT_EQ(g->left(), 8);
        EXPECT_EQ(g->top(), 40);
    }
    for (kit::ComboBox* c : {&events().cbtrigparam11, &events().cbtrigparam21, &events().cbtrigparam31, &events().cbtrigparam1}) {
        EXPECT_EQ(c->items(), (std::vector<std::string>{"no", "yes"}));
        EXPECT_EQ(c->item_index(), 1);
    }
    EXPECT_EQ(events().etrigparam25.text(), "-1");
    EXPECT_EQ(events().etrigparam33.text(), "-1");
    EXPECT_EQ(events().etrigparam22.text(), "0");

    // Grids sized by the start-up.
    EXPECT_EQ(map().sg_map.col_width(0), 22);
    EXPECT_EQ(map().sg_map.row_height(0), 22);
    EXPECT_EQ(craft().sgcrafts.row_height(0), 16);
    EXPECT_EQ(craft().sgcrafts.col_width(0), 16);
    for (kit::StringGrid* g : {&terrain().sg_terrains, &map().sg_terrains_2, &objects().sg_objects, &items().sg_pitems, &resources().sg_presources,
                               &fractions().sg_frac, &npc().sg_pnpc, &map().sg_pnpc2})
        EXPECT_EQ(g->row_count(), 1) << g->name;
    EXPECT_EQ(terrain().tframes.popup_menu(), &terrain().framemenu);
    EXPECT_EQ(resources().cbexpress3.items(), std::vector<std::string>{"empty"});
    EXPECT_EQ(resources().cbexpress3.item_index(), 0);
}

TEST_F(StartUp, ThirtyTwoSkillRowsInTwoColumnsOfSixteen) {
    write_tiles("a_32x32.bmp", 1);
    start();
    EXPECT_FALSE(npc().l_pnpc_skill.visible());
    EXPECT_FALSE(npc().e_pnpc_skill.visible());
    for (int i = 1; i <= 32; ++i) {
        SCOPED_TRACE("skill " + std::to_string(i));
        auto* label = dynamic_cast<kit::Label*>(npc().skill_controls[static_cast<std::size_t>(i)]);
        auto* edit = dynamic_cast<kit::Edit*>(npc().skill_controls[static_cast<std::size_t>(32 + i)]);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(label->parent(), static_cast<kit::Control*>(&npc().gb_pnpc_skills));
        EXPECT_EQ(edit->parent(), static_cast<kit::Control*>(&npc().gb_pnpc_skills));
        EXPECT_TRUE(label->visible() && edit->visible());
        EXPECT_EQ(label->caption(), skill_names[static_cast<std::size_t>(i)]);
        EXPECT_EQ(edit->text(), "0");
        // Rows 22 pixels apart from the hidden design label and edit; the
        // second column's rows stand level with the first's.
        const int row = (i - 1) % 16;
        const kit::Control* first_label = npc().skill_controls[static_cast<std::size_t>(row + 1)];
        const kit::Control* first_edit = npc().skill_controls[static_cast<std::size_t>(32 + row + 1)];
        if (i > 16) {
            EXPECT_GT(label->left(), first_edit->left() + first_edit->width());
        }
        EXPECT_GE(edit->left(), npc().e_pnpc_skill.left());
        EXPECT_EQ(label->top(), npc().l_pnpc_skill.top() + row * 22);
        EXPECT_EQ(edit->top(), npc().e_pnpc_skill.top() + row * 22);
        EXPECT_EQ(edit->width(), npc().e_pnpc_skill.width());
        EXPECT_EQ(edit->height(), npc().e_pnpc_skill.height());
        // Every skill name shows whole: it ends before its edit, which ends
        // inside the group box.
        EXPECT_LT(label->left() + label->width(), edit->left());
        EXPECT_LE(edit->left() + edit->width(), npc().gb_pnpc_skills.width() - 4);
        EXPECT_EQ(first_label->left(), npc().l_pnpc_skill.left());
        const std::size_t top_row = i <= 16 ? 1 : 17;
        EXPECT_EQ(label->left(), npc().skill_controls[top_row]->left());
        EXPECT_EQ(edit->left(), npc().skill_controls[32 + top_row]->left());
    }
    // The page keeps its two columns beside the template grid.
    EXPECT_LE(npc().gb_pnpc_skills.left() + npc().gb_pnpc_skills.width(), npc().sg_pnpc.left());
    EXPECT_EQ(dynamic_cast<kit::Label*>(npc().skill_controls[1])->caption(), "bare hands");
    EXPECT_EQ(dynamic_cast<kit::Label*>(npc().skill_controls[32])->caption(), "");
}

}  // namespace
