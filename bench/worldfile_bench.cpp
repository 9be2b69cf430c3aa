// Saving and loading a large world, next to copying the same file with cp
// (and cp followed by sync of the copy, since a save must reach the disk).
// The argument scales the world: 4 is the full size (64 maps of 256 x 256
// cells, 100,000 placed items and as many placed resources with contents,
// 10,000 placed NPCs, 1,000 triggers with events); 1 and 2 show that the time
// grows linearly with the file.
//
// Loading builds the whole world in fresh memory. Whether the allocator keeps
// that memory between iterations or hands it back to the system (and the next
// load pays a page fault for every page again) depends on what else the
// process holds; on a virtual machine where faults are dear the second case
// can cost several times the parsing itself. Run a single size with
// --benchmark_filter to see the first case, the whole program for the second.
#include "worldfile/worldfile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

TWorld large_world(int scale) {
    TWorld w;
    w.player.npc = -1;
    for (int i = 0; i < 16; ++i) w.terrains.push_back({400, 4, static_cast<int8_t>(i % 11), {i, i + 1, i + 2, i + 3}});
    for (int m = 0; m < 16 * scale; ++m) {
        Tmap map{"map " + std::to_string(m), 256, 256, tintmatrix(256, tintarray(256))};
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 256; ++y) map.cells[x][y] = (x * 7 + y * 3 + m) % 16;
        w.maps.push_back(std::move(map));
    }
    for (int i = 0; i < 200; ++i) {
        Tmapobject o;
        o.name = "object " + std::to_string(i);
        o.frame_count = 2;
        o.frames = {i, i + 1};
        o.frames2 = {i + 2, i + 3};
        o.parts = {{1, i % 50, 1}, {2, i % 40, 3}};
        w.pmapobjects.push_back(o);
    }
    for (int i = 0; i < 2500 * scale; ++i) {
        Tmapobject o = w.pmapobjects[i % 200];
        o.place = {i % 256, i / 256 % 256, i % (16 * scale)};
        o.contents = {{1, i, 1}, {2, i, 5}};
        w.mapobjects.push_back(std::move(o));
    }
    for (int i = 0; i < 50; ++i) {
        Tpitem it;
        it.name = "item " + std::to_string(i);
        it.title = "a fine item";
        it.image = i;
        it.children = {1, 2};
        w.pitems.push_back(it);
    }
    for (int i = 0; i < 25000 * scale; ++i) {
        Tpitem it = w.pitems[i % 50];
        it.row = i % 50;
        it.place = {i % 256, i / 256 % 256, i % (16 * scale)};
        it.holder_object = -1;
        it.holder_npc = -1;
        it.contents = {i, i + 1, i + 2};
        w.items.push_back(std::move(it));
    }
    for (int i = 0; i < 40; ++i) {
        Tpres r;
        r.name = "resource " + std::to_string(i);
        r.amount = 1;
        r.image_one = i;
        r.image_many = i + 1;
        r.children = {3};
        w.presources.push_back(r);
    }
    for (int i = 0; i < 25000 * scale; ++i) {
        Tpres r = w.presources[i % 40];
        r.row = i % 40;
        r.place = {i % 256, i / 256 % 256, i % (16 * scale)};
        r.holder_object = r.holder_npc = r.holder_item = r.holder_resource = -1;
        r.contents = {i, i + 1};
        w.resources.push_back(std::move(r));
    }
    w.fracs = {{"men", 1}, {"orcs", 2}, {"beasts", 3}};
    w.fracrel.assign(3, std::vector<int8_t>(3, -1));
    for (int i = 0; i < 30; ++i) {
        Tchar c;
        c.name = "npc " + std::to_string(i);
        c.description = "stands and watches";
        c.inventory = {{1, 1, 1}, {2, 2, 10}};
        c.phys_attrs = {{0, 5, 0}, {1, 3, 0}};
        for (int s = 0; s < 32; ++s) c.skills[s] = s;
        w.pnpcs.push_back(c);
    }
    for (int i = 0; i < 2500 * scale; ++i) {
        Tchar c = w.pnpcs[i % 30];
        c.place = {i % (16 * scale), i % 256, i / 256 % 256};
        c.inventory = {{1, i, 1}, {1, i + 1, 1}, {2, i, 5}};
        c.last_seen_enemy = {-1, -1, -1};
        w.npcs.push_back(std::move(c));
    }
    for (int i = 0; i < 250 * scale; ++i) {
        Ttrigger t;
        t.kind = 1 + i % 8;
        t.active = true;
        t.interval = 10;
        t.name = "trigger " + std::to_string(i);
        t.success_text = "done";
        for (int e = 0; e < 5; ++e) {
            Tevent ev;
            ev.action = static_cast<uint8_t>(e);
            ev.target = i;
            ev.text = "event text";
            t.events.push_back(ev);
        }
        w.triggers.push_back(std::move(t));
    }
    for (int i = 0; i < 100; ++i) w.crafts.push_back({{{1, i % 50, 1}}, -1, -1, i % 50, 1, 5, {{3, 10, 0}}, "craft"});
    for (int i = 0; i < 100; ++i) w.paths.push_back({{i, i, 0}, {i + 1, i + 1, 1}, 1, 2});
    return w;
}

struct Files {
    fs::path dir;
    Files() {
        const char* base = std::getenv("BENCH_DIR");
        dir = fs::path(base ? base : fs::temp_directory_path().string()) / "worldfile-bench";
        fs::create_directories(dir);
    }
    ~Files() { fs::remove_all(dir); }
    std::string source(int scale) const { return (dir / ("world" + std::to_string(scale) + ".wld")).string(); }
    std::string copy() const { return (dir / "copy.wld").string(); }
};

Files& files() {
    static Files f;
    return f;
}

const TWorld& world(int scale) {
    static TWorld worlds[5];
    static bool made[5] = {};
    if (!made[scale]) {
        worlds[scale] = large_world(scale);
        save_world(files().source(scale), true, worlds[scale]);
        made[scale] = true;
    }
    return worlds[scale];
}

void set_bytes(benchmark::State& state, int scale) {
    const auto size = fs::file_size(files().source(scale));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void BM_Save(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const TWorld& w = world(scale);
    for (auto _ : state) save_world(files().copy(), true, w);
    set_bytes(state, scale);
}

void BM_Load(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    for (auto _ : state) {
        TWorld w;
        load_world(files().source(scale), w);
        benchmark::DoNotOptimize(w.maps.data());
        state.PauseTiming();
        w = TWorld();  // freeing the world is not part of loading
        state.ResumeTiming();
    }
    set_bytes(state, scale);
}

// Open over a world of the same size: the copy that keeps a failed load from
// touching the world is part of the cost here.
void BM_LoadOverWorld(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    TWorld w = world(scale);
    for (auto _ : state) {
        load_world(files().source(scale), w);
        benchmark::DoNotOptimize(w.maps.data());
    }
    set_bytes(state, scale);
}

void run(benchmark::State& state, const std::string& command) {
    if (std::system(command.c_str()) != 0) state.SkipWithError(("failed: " + command).c_str());
}

void BM_Cp(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    const std::string command = "cp '" + files().source(scale) + "' '" + files().copy() + "'";
    for (auto _ : state) run(state, command);
    set_bytes(state, scale);
}

void BM_CpSync(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    const std::string command =
        "cp '" + files().source(scale) + "' '" + files().copy() + "' && sync '" + files().copy() + "'";
    for (auto _ : state) run(state, command);
    set_bytes(state, scale);
}

BENCHMARK(BM_Cp)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Load)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOverWorld)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_CpSync)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
