// The items and resources pages with 10,000 resource and 10,000 item
// templates: one ADD on either page (with setgrids and every picker refill it
// causes) and opening either page must each stay well under 50 ms.
#include "app/startup.h"
#include "mainwindow/main.h"
#include "mainwindow/page_items.h"
#include "mainwindow/page_resources.h"
#include "mainwindow/state.h"
#include "tests/support/kit_user.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int templates = 10000;

// The whole editor, started in a folder of its own on 30 tiles, with 10,000
// templates in each catalogue. Every resource is ammunition, so the pickers
// are as long as they get: 10,000 entries in each ammunition picker.
class Editor {
public:
    Editor() {
        QDir::setCurrent(folder_.path());
        Bitmap strip(32 * 30, 32);
        for (int k = 0; k < 30; ++k) {
            strip.canvas().brush_color = make_color(8 * k, 255 - 8 * k, 100);
            strip.canvas().fill_rect(32 * k, 0, 32 * k + 32, 32);
        }
        QDir().mkpath("tiles");
        strip.save_to_file("tiles/a_32x32.bmp");
        create_windows();
        show_main_window();
        TWorld& w = editor.world;
        for (int i = 0; i < templates; ++i) {
            Tpres r;
            r.name = "bullet " + std::to_string(i);
            r.kind = resource_kind::ammo;
            r.image_one = i % 30;
            r.image_many = (i + 1) % 30;
            r.amount = 1;
            r.filling.index = -1;
            w.presources.push_back(r);
            Tpitem it;
            it.name = "gun " + std::to_string(i);
            it.image = i % 30;
            it.clip = -1;
            w.pitems.push_back(it);
        }
        form().setgrids();
        // Pictures for the resources page's ADD.
        form().resources->res_image_one = 1;
        form().resources->res_image_many = 2;
        kit::user::process_events();
    }
    ~Editor() { destroy_windows(); }
    TForm1& form() { return static_cast<TForm1&>(*editor.Form1); }

private:
    QTemporaryDir folder_;
};

// Made by the first benchmark, taken down before the application ends.
std::unique_ptr<Editor> the_editor_;
Editor& the_editor() {
    if (!the_editor_) the_editor_ = std::make_unique<Editor>();
    return *the_editor_;
}

void BM_AddResource(benchmark::State& state) {
    Editor& e = the_editor();
    kit::user::pick_page(e.form().PC, page::resources);
    // Ammunition, which goes into two pickers.
    e.form().resources->cbprestype.set_item_index(resource_kind::ammo);
    for (auto _ : state) kit::user::click(e.form().resources->Button13);
    state.counters["resources"] = static_cast<double>(editor.world.presources.size());
    state.counters["ammo_picker"] = e.form().items->cbexpress2.count();
}
BENCHMARK(BM_AddResource)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_AddItem(benchmark::State& state) {
    Editor& e = the_editor();
    kit::user::pick_page(e.form().PC, page::items);
    for (auto _ : state) kit::user::click(e.form().items->Button10);
    state.counters["items"] = static_cast<double>(editor.world.pitems.size());
}
BENCHMARK(BM_AddItem)->Unit(benchmark::kMillisecond)->Iterations(50);

// Opening a page by its tab, from the map page, until it has painted.
void open_page(benchmark::State& state, int p) {
    Editor& e = the_editor();
    for (auto _ : state) {
        state.PauseTiming();
        kit::user::pick_page(e.form().PC, page::map);
        state.ResumeTiming();
        kit::user::pick_page(e.form().PC, p);
    }
}
void BM_OpenResourcesPage(benchmark::State& state) { open_page(state, page::resources); }
void BM_OpenItemsPage(benchmark::State& state) { open_page(state, page::items); }
BENCHMARK(BM_OpenResourcesPage)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_OpenItemsPage)->Unit(benchmark::kMillisecond)->Iterations(30);

// The first opening of each page after start-up, when its pickers are shown
// for the first time.
void BM_FirstOpening(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        the_editor_.reset();
        Editor& e = the_editor();
        state.ResumeTiming();
        kit::user::pick_page(e.form().PC, page::items);
        kit::user::pick_page(e.form().PC, page::resources);
    }
}
BENCHMARK(BM_FirstOpening)->Unit(benchmark::kMillisecond)->Iterations(3);

// "<- EDIT" changes a row the pickers show, so they are refilled as a whole;
// no speed is asked of it, the figure shows what a refill costs.
void BM_EditResourceRefillsThePickers(benchmark::State& state) {
    Editor& e = the_editor();
    ResourcesPage& page = *e.form().resources;
    kit::user::pick_page(e.form().PC, page::resources);
    editor.cur_resource = 0;
    int n = 0;
    for (auto _ : state) {
        page.epresname.set_text("renamed " + std::to_string(n++));
        kit::user::click(page.Button15);
    }
}
BENCHMARK(BM_EditResourceRefillsThePickers)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    init_tables();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    the_editor_.reset();
    benchmark::Shutdown();
    return 0;
}
