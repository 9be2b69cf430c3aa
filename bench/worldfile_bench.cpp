// Saving and loading a large world, each against copying the same file.
//
// Loading is measured the way the editor meets it: in a process that has done
// nothing else, where the world is built in memory never touched before (on a
// virtual machine each new page can cost more than parsing it). The bench runs
// itself again with --load-once FILE for each load; the child times its one
// load_world and reports it. The baseline is `cp` of the same file, run the
// same number of times in the same run, timed from its start to its exit.
// Saving is measured against `cp` followed by an fdatasync of the copy, since a
// save is complete only once it is on the disk.
//
// The argument scales the world: 4 is the full size, about 150 MB (284 maps of
// 256 x 256 cells, 200,000 placed items, 100,000 placed resources with
// contents, 10,000 placed NPCs, 1,000 triggers with events); 1 and 2 show, for
// the loads within this process, that the time grows linearly with the file.
#include "bench/summary.h"
#include "worldfile/worldfile.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

TWorld large_world(int scale) {
    TWorld w;
    w.player.npc = -1;
    for (int i = 0; i < 16; ++i) w.terrains.push_back({400, 4, static_cast<int8_t>(i % 11), {i, i + 1, i + 2, i + 3}});
    for (int m = 0; m < 71 * scale; ++m) {
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
        o.place = {i % 256, i / 256 % 256, i % (71 * scale)};
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
    for (int i = 0; i < 50000 * scale; ++i) {
        Tpitem it = w.pitems[i % 50];
        it.row = i % 50;
        it.place = {i % 256, i / 256 % 256, i % (71 * scale)};
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
        r.place = {i % 256, i / 256 % 256, i % (71 * scale)};
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
        c.place = {i % (71 * scale), i % 256, i / 256 % 256};
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

// Runs argv to its exit, standard output into out when given; the seconds
// from its start to its exit, or a negative number when it failed.
double run_process(const std::vector<std::string>& argv, std::string* out = nullptr) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipe_fds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out) {
        if (::pipe(pipe_fds) != 0) return -1;
        posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    }
    const auto start = Clock::now();
    pid_t pid = -1;
    const int err = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (out) {
        ::close(pipe_fds[1]);
        char chunk[256];
        ssize_t n;
        while (err == 0 && (n = ::read(pipe_fds[0], chunk, sizeof chunk)) > 0) out->append(chunk, static_cast<std::size_t>(n));
        ::close(pipe_fds[0]);
    }
    if (err != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

std::string self_path() { return fs::read_symlink("/proc/self/exe").string(); }

constexpr int fresh_runs = 7;  // loads in fresh processes, and as many copies

// One load in a fresh process: the child's own time for load_world.
void BM_LoadFreshProcess(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    const std::vector<std::string> argv{self_path(), "--load-once", files().source(scale)};
    for (auto _ : state) {
        std::string out;
        if (run_process(argv, &out) < 0) {
            state.SkipWithError("the loading child failed");
            break;
        }
        state.SetIterationTime(std::strtod(out.c_str(), nullptr));
    }
    set_bytes(state, scale);
}

// cp of the same file, start to exit.
void BM_Cp(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    const std::vector<std::string> argv{"/bin/cp", files().source(scale), files().copy()};
    for (auto _ : state) {
        const double seconds = run_process(argv);
        if (seconds < 0) {
            state.SkipWithError("cp failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
    set_bytes(state, scale);
}

// The durable save the editor does, over the copy a previous run left.
void BM_Save(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const TWorld& w = world(scale);
    for (auto _ : state) {
        const auto start = Clock::now();
        save_world(files().copy(), true, w);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    set_bytes(state, scale);
}

// cp over the same copy, then fdatasync of the copy: the least a durable copy takes.
void BM_CpFdatasync(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    world(scale);
    const std::vector<std::string> argv{"/bin/cp", files().source(scale), files().copy()};
    for (auto _ : state) {
        const auto start = Clock::now();
        bool ok = run_process(argv) >= 0;
        const int fd = ::open(files().copy().c_str(), O_WRONLY | O_CLOEXEC);
        ok = ok && fd >= 0 && ::fdatasync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) {
            state.SkipWithError("cp and fdatasync failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    set_bytes(state, scale);
}

// Loads within this process, into memory the allocator may already hold: the
// parsing itself, at three sizes.
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

// The goal rows run at full size, each figure right after its baseline.
BENCHMARK(BM_Cp)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(fresh_runs);
BENCHMARK(BM_LoadFreshProcess)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(fresh_runs);
BENCHMARK(BM_CpFdatasync)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(fresh_runs);
BENCHMARK(BM_Save)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(fresh_runs);
BENCHMARK(BM_Load)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOverWorld)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);

// The mean time of the run whose name starts with prefix.
double time_of(const bench_summary::Collector& c, const std::string& prefix) {
    for (const auto& [name, ms] : c.ms)
        if (name.rfind(prefix, 0) == 0) return ms;
    return -1;
}

void goal_row(const bench_summary::Collector& c, const std::string& measure, const std::string& figure,
              const std::string& baseline, double bound, const std::string& goal) {
    const double f = time_of(c, figure), b = time_of(c, baseline);
    if (f < 0 || b <= 0) return;
    const double ratio = f / b;
    bench_summary::row(measure, bench_summary::ms_text(f), bench_summary::ms_text(b) + " " + baseline.substr(3, baseline.find('/') - 3),
                       ratio, goal, ratio <= bound);
}

}  // namespace

int main(int argc, char** argv) {
    // The child of BM_LoadFreshProcess: one load, its seconds on standard
    // output, and out without freeing the world (which the editor does not
    // pay on Open either).
    if (argc == 3 && std::strcmp(argv[1], "--load-once") == 0) {
        TWorld w;
        const auto start = Clock::now();
        try {
            load_world(argv[2], w);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            std::_Exit(1);
        }
        std::printf("%.9f\n", std::chrono::duration<double>(Clock::now() - start).count());
        std::fflush(stdout);
        std::_Exit(0);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench_summary::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::error_code ec;
    const auto bytes = fs::file_size(files().source(4), ec);
    const std::string size = ec ? std::string("full size") : std::to_string(bytes / 1000000) + " MB";
    goal_row(collector, "world file load, fresh process, " + size, "BM_LoadFreshProcess/4", "BM_Cp/4", 2.0,
             "within 2x");
    goal_row(collector, "durable save, " + size, "BM_Save/4", "BM_CpFdatasync/4", 1.1, "within 1.1x");
    benchmark::Shutdown();
    return 0;
}
