#include "tests/support/editor_fixture.h"

#include "mainwindow/main.h"
#include "mainwindow/page_craft.h"
#include "mainwindow/page_events.h"
#include "mainwindow/page_fractions.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_map.h"
#include "mainwindow/page_npc.h"
#include "mainwindow/page_objects.h"
#include "mainwindow/page_paths.h"
#include "mainwindow/page_player.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/page_terrain.h"
#include "mainwindow/page_tests.h"
#include "mainwindow/page_triggers.h"

#include <QDir>
#include <QFile>
#include <QLabel>

TColor EditorFixture::frame_color(int k) { return tile_colour(k); }

void EditorFixture::write_strip(const std::string& folder, const std::string& name, int count, int size, int first) {
    write_tile_strip(folder, name, count, size, first);
}

std::string EditorFixture::read_file(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

std::vector<std::string> EditorFixture::overlaps(const kit::Control& container) {
    std::vector<QWidget*> shown;
    for (QObject* child : container.container()->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isHidden()) shown.push_back(w);
    const auto name = [](QWidget* w) {
        if (auto* label = qobject_cast<QLabel*>(w)) return "\"" + label->text().toStdString() + "\"";
        const QRect r = w->geometry();
        return std::string(w->metaObject()->className()) + " at " + std::to_string(r.x()) + ", " +
               std::to_string(r.y());
    };
    std::vector<std::string> out;
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                out.push_back(name(shown[i]) + " / " + name(shown[j]));
    return out;
}

void EditorFixture::SetUp() {
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir_.path())));
    if (!start_at_set_up) return;
    write_hostile_tiles(tiles());
    start();
}

void EditorFixture::TearDown() {
    if (editor.Form1) destroy_windows();
    QDir::setCurrent(previous_);
}

void EditorFixture::start() {
    create_windows();
    show_main_window();
    kit::user::process_events();
}

void EditorFixture::expect_refused(const std::vector<std::pair<kit::Edit*, std::string>>& typed, kit::Button& button,
                                   const std::string& error) {
    SCOPED_TRACE(button.caption());
    std::vector<std::string> had;
    for (const auto& [field, text] : typed) {
        had.push_back(field->text());
        kit::user::type_text(*field, text);
    }
    const TWorld before = editor.world;
    modal_->errors.clear();
    kit::user::click(button);
    EXPECT_EQ(modal_->errors, std::vector<std::string>{error});
    EXPECT_TRUE(editor.world == before) << "the world changed";
    for (std::size_t i = typed.size(); i-- > 0;) kit::user::type_text(*typed[i].first, had[i]);
}

TForm1& EditorFixture::form() { return static_cast<TForm1&>(*editor.Form1); }
kit::PageControl& EditorFixture::page_control() { return form().PC; }
kit::StringGrid& EditorFixture::tile_palette() { return form().sg_tiles; }
void EditorFixture::setgrids() { form().setgrids(); }
kit::Timer& EditorFixture::animation_timer() { return form().Timer2; }
kit::MenuItem& EditorFixture::save_menu() { return form().Save1; }
kit::MenuItem& EditorFixture::open_menu() { return form().OPen1; }
kit::MenuItem& EditorFixture::animation_menu() { return form().animation1; }
kit::MenuItem& EditorFixture::show_hidden_menu() { return form().Showhidden1; }

void EditorFixture::pick_tile(int n) { kit::user::press_cell(form().sg_tiles, n % 3, n / 3); }

void EditorFixture::put_resources(std::initializer_list<int32_t> kinds) {
    for (const int32_t k : kinds) {
        const auto row = static_cast<int32_t>(editor.world.presources.size());
        Tpres r;
        r.name = "r" + std::to_string(row);
        r.kind = k;
        r.image_one = 10 + row;
        r.filling.index = -1;
        editor.world.presources.push_back(r);
    }
    form().setgrids();
}

TColor EditorFixture::cell_colour(kit::StringGrid& grid, int e) {
    grid.refresh();
    const kit::Rect r = grid.cell_rect(e % 3, e / 3);
    return grid.canvas().pixel(r.left + 4, r.top + 4);
}

void EditorFixture::save_as(const std::string& path) {
    modal_->save_answers.push_back(path);
    kit::user::choose(form().Save1);
}

void EditorFixture::open(const std::string& path) {
    modal_->open_answers.push_back(path);
    kit::user::choose(form().OPen1);
}

TerrainPage& EditorFixture::terrain() { return *form().terrain; }
MapPage& EditorFixture::map() { return *form().map; }
ObjectsPage& EditorFixture::objects() { return *form().objects; }
ItemsPage& EditorFixture::items() { return *form().items; }
ResourcesPage& EditorFixture::resources() { return *form().resources; }
FractionsPage& EditorFixture::fractions() { return *form().fractions; }
NpcPage& EditorFixture::npc() { return *form().npc; }
EventsPage& EditorFixture::events() { return *form().events; }
CraftPage& EditorFixture::craft() { return *form().craft; }
PathsPage& EditorFixture::paths() { return *form().paths; }
PlayerPage& EditorFixture::player() { return *form().player; }
TriggersPage& EditorFixture::triggers() { return *form().triggers; }
TestPages& EditorFixture::test_pages() { return *form().tests; }
