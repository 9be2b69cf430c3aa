// "<- EDIT" on the resources page with 10,000 resource templates, against the
// full refill of the three resource pickers that EDIT ran before (every entry
// of every picker built again, as setgrids does after a rename). EDIT now
// changes the pickers only in the entry edited; the goal is under 50 ms.
#include "app/startup.h"
#include "bench/bench_editor.h"
#include "bench/summary.h"
#include "mainwindow/main.h"
#include "mainwindow/page_resources.h"
#include "tests/support/kit_user.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int resources = 10000;
constexpr double goal_ms = 50;
constexpr int edited = 4998;  // an ammunition entry in the middle (kinds[4998 % 6])

// Kinds in turn: ammunition, clips, cells, liquids, mixtures and money, so
// every picker lists thousands of entries.
constexpr int32_t kinds[] = {resource_kind::ammo,   resource_kind::clip,    resource_kind::cell,
                             resource_kind::liquid, resource_kind::mixture, 0};

TWorld big_world() {
    TWorld w;
    reset_world(w);
    for (int i = 0; i < resources; ++i) {
        Tpres res;
        res.name = "resource " + std::to_string(i);
        res.row = i;
        res.kind = kinds[i % 6];
        res.image_one = i % 8;
        res.image_many = (i + 1) % 8;
        res.filling.index = -1;
        w.presources.push_back(res);
    }
    return w;
}

struct Editor : BenchEditor {
    Editor() {
        editor.world = big_world();
        form().setgrids();
        kit::user::pick_page(form().PC, page::resources);
        kit::user::process_events();
    }
    ResourcesPage& page() { return *form().resources; }
};

std::unique_ptr<Editor> started;

// The designer's EDIT of the entry selected: a new name typed (not measured),
// then "<- EDIT" and the repaint it causes.
void BM_ResourcesEdit(benchmark::State& state) {
    ResourcesPage& page = started->page();
    page.sg_presourcesSelectCell(edited);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kit::user::type_text(page.epresname, "ammo " + std::to_string(n++ % 2));
        state.ResumeTiming();
        kit::user::click(page.Button15);
        kit::user::process_events();
    }
    if (editor.world.presources[edited].name.rfind("ammo ", 0) != 0) state.SkipWithError("nothing was edited");
}

// The same with a change of kind, ammunition and liquid in turn: the entry
// leaves two pickers and joins the third, and back.
void BM_ResourcesEditKind(benchmark::State& state) {
    ResourcesPage& page = started->page();
    page.sg_presourcesSelectCell(edited);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kit::user::pick(page.cbprestype, n++ % 2 == 0 ? resource_kind::liquid : resource_kind::ammo);
        state.ResumeTiming();
        kit::user::click(page.Button15);
        kit::user::process_events();
    }
    // Leaves it as it started.
    kit::user::pick(page.cbprestype, resource_kind::ammo);
    kit::user::click(page.Button15);
}

// Baseline: what EDIT did before, the full refill of every picker after a
// rename (the catalogue no longer matches what the pickers were filled from).
void BM_FullPickerRefill(benchmark::State& state) {
    ResourcesPage& page = started->page();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.world.presources[edited].name = "renamed " + std::to_string(n++ % 2);
        state.ResumeTiming();
        page.update_ress_cb();
        kit::user::process_events();
    }
    if (page.cbexpress.count() != resources / 6 + 1) state.SkipWithError("the pickers were not refilled");
}

BENCHMARK(BM_ResourcesEdit)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ResourcesEditKind)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_FullPickerRefill)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    init_tables();
    started = std::make_unique<Editor>();
    benchmark::Initialize(&argc, argv);
    bench_summary::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    const double refill = collector.time_ms("BM_FullPickerRefill/repeats:3_mean");
    const std::pair<const char*, const char*> measures[] = {
        {"BM_ResourcesEdit/repeats:3_mean", "resources page EDIT, 10,000 resources"},
        {"BM_ResourcesEditKind/repeats:3_mean", "resources page EDIT of the kind, 10,000 resources"}};
    for (const auto& [name, measure] : measures) {
        const double edit = collector.time_ms(name);
        if (edit < 0 || refill < 0) continue;
        bench_summary::row(measure, bench_summary::ms_text(edit), bench_summary::ms_text(refill) + " (full refill)",
                           edit / goal_ms, "< 50 ms", edit < goal_ms);
    }
    benchmark::Shutdown();
    started.reset();
    return 0;
}
