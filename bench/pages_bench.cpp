// Opening the Triggers, Craft and Paths pages and one Create or "V" on each, on
// a world of 10,000 triggers of 5 events each, 10,000 recipes and 10,000 paths.
// Each must stay well under 50 ms: the grids paint only their visible rows, so
// what is measured is building the texts, the list lines and the pickers.
#include "app/startup.h"
#include "bench/bench_editor.h"
#include "mainwindow/main.h"
#include "mainwindow/page_craft.h"
#include "mainwindow/page_paths.h"
#include "mainwindow/page_triggers.h"
#include "tests/support/kit_user.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int entries = 10000;
constexpr int catalogue = 100;  // items, resources, objects and maps each

TWorld big_world() {
    TWorld w;
    reset_world(w);
    for (int i = 0; i < catalogue; ++i) {
        Tmap map;
        map.name = "map " + std::to_string(i);
        w.maps.push_back(map);
        Tpitem item;
        item.name = "item " + std::to_string(i);
        item.row = i;
        item.image = i % 8;
        w.pitems.push_back(item);
        Tpres res;
        res.name = "resource " + std::to_string(i);
        res.row = i;
        res.image_one = i % 8;
        res.image_many = (i + 1) % 8;
        w.presources.push_back(res);
        Tmapobject obj;
        obj.name = "object " + std::to_string(i);
        obj.row = i;
        obj.frame_count = 1;
        obj.frames = {i % 8};
        w.pmapobjects.push_back(obj);
    }
    for (int i = 0; i < entries; ++i) {
        Ttrigger t;
        t.kind = trigger_kind::button;
        t.name = "trigger " + std::to_string(i);
        for (int e = 0; e < 5; ++e) {
            Tevent ev;
            ev.action = static_cast<uint8_t>(1 + (i + e) % 22);
            ev.target = (i + e) % entries;
            t.events.push_back(ev);
        }
        w.triggers.push_back(t);

        Tcraft c;
        c.ingredients = {{thing::item, i % catalogue, 1}, {thing::resource, (i + 1) % catalogue, 3}};
        c.tool = i % 3 == 0 ? -1 : i % catalogue;
        c.near_object = i % 2 == 0 ? -1 : i % catalogue;
        c.product = i % catalogue;
        c.product_kind = i % 3;
        c.time = 400;
        c.word = "word " + std::to_string(i);
        for (int s = 0; s < 1 + i % 4; ++s) c.skills.push_back({1 + s, 5, 0});  // some rows of 3 and 4 skills
        w.crafts.push_back(c);

        Tpath p;
        p.from = Tplace{i % 30, i % 40, i % catalogue};
        p.to = Tplace{i % 20, i % 10, (i + 1) % catalogue};
        p.ways = static_cast<uint8_t>(1 + i % 2);
        w.paths.push_back(p);
    }
    return w;
}

// The editor started in a folder of its own, on a small tile folder, with the
// big world loaded as an Open leaves it.
struct Editor : BenchEditor {
    Editor() {
        editor.world = big_world();
        form().triggers->scripts_refresh();
        kit::user::process_events();
    }
};

// Made by main once the application exists, and taken down before it goes.
std::unique_ptr<Editor> started;
Editor& the_editor() { return *started; }

// Opening page p by its tab from the terrain page; the switch away is not measured.
void open_page(benchmark::State& state, int p) {
    TForm1& f = the_editor().form();
    for (auto _ : state) {
        state.PauseTiming();
        kit::user::pick_page(f.PC, page::terrain);
        state.ResumeTiming();
        kit::user::pick_page(f.PC, p);
    }
}

void BM_OpenTriggersPage(benchmark::State& state) { open_page(state, page::triggers); }
void BM_OpenCraftPage(benchmark::State& state) { open_page(state, page::craft); }
void BM_OpenPathsPage(benchmark::State& state) { open_page(state, page::paths); }

// The list rebuild that follows an Open and every Create, Update or Delete.
void BM_TriggersRefresh(benchmark::State& state) {
    TForm1& f = the_editor().form();
    kit::user::pick_page(f.PC, page::triggers);
    for (auto _ : state) {
        f.triggers->scripts_refresh();
        kit::user::process_events();
    }
}

// One press of a button that appends to a list; the entry is taken off again
// outside the measurement.
template <typename List>
void append_once(benchmark::State& state, int p, kit::Button& button, List& list) {
    TForm1& f = the_editor().form();
    kit::user::pick_page(f.PC, p);
    for (auto _ : state) {
        kit::user::click(button);
        state.PauseTiming();
        if (list.size() != entries + 1) state.SkipWithError("nothing was appended");
        list.pop_back();
        state.ResumeTiming();
    }
}

void BM_TriggerCreate(benchmark::State& state) {
    append_once(state, page::triggers, the_editor().form().triggers->Button36, editor.world.triggers);
}
void BM_EventCreate(benchmark::State& state) {
    TForm1& f = the_editor().form();
    kit::user::pick_page(f.PC, page::triggers);
    f.triggers->cur_trigger = 0;
    Tevents& events = editor.world.triggers[0].events;
    for (auto _ : state) {
        kit::user::click(f.triggers->Button39);
        state.PauseTiming();
        events.pop_back();
        state.ResumeTiming();
    }
}
void BM_CraftV(benchmark::State& state) {
    append_once(state, page::craft, the_editor().form().craft->Button30, editor.world.crafts);
}
void BM_PathsV(benchmark::State& state) {
    append_once(state, page::paths, the_editor().form().paths->Button31, editor.world.paths);
}

BENCHMARK(BM_OpenTriggersPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCraftPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPathsPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TriggersRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TriggerCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EventCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CraftV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathsV)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    init_tables();
    started = std::make_unique<Editor>();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    started.reset();
    return 0;
}
