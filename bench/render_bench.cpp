// One 16 x 16 map view over a world of many placed things spread over 64 maps,
// as the map page renders it on every animation tick (250 ms) and after every
// scroll. The window always holds the same things, whatever the size of the maps
// and the number of things elsewhere, so the figures show what the cost grows with.
#include "model/render.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int map_count = 64;
constexpr int view = 16;

struct Scene {
    TWorld world;
    tiarray frames;
    Tplace top_left;  // the rendered window on map 0
    int in_window = 0;
};

Bitmap pattern(int size, int seed) {
    Bitmap b(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            TColor c = make_color(seed * 5 + x, seed * 3 + y, 90);
            if ((x + y) % 11 == 0) c = clWhite;
            if (x > size - 6 && y > size / 2) c = light_shadow_key;
            if (x < 3 && y < 3) c = dark_shadow_key;
            b.set_pixel(x, y, c);
        }
    return b;
}

// A world of `things` placed things on 64 maps of side x side cells: two on every cell of the
// rendered window, the rest anywhere else; a fifth of the items and resources are
// held by NPCs and lie nowhere.
std::unique_ptr<Scene> make_scene(int side, int things) {
    auto scene = std::make_unique<Scene>();
    TWorld& w = scene->world;
    std::mt19937 rng(2024);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    for (int f = 0; f < 48; ++f) scene->frames.push_back(pattern(f < 40 ? 32 : 64, f));
    for (int t = 0; t < 8; ++t) {
        Tterrain terrain;
        terrain.frame_count = static_cast<uint16_t>(1 << (t % 4));
        for (int k = 0; k < terrain.frame_count; ++k) terrain.frames.push_back(pick(40));
        w.terrains.push_back(terrain);
    }
    for (int m = 0; m < map_count; ++m) {
        Tmap map;
        map.width = map.height = side;
        map.cells.assign(side, tintarray(side, 0));
        for (auto column : map.cells)
            for (auto& c : column) c = pick(8);
        w.maps.push_back(std::move(map));
    }
    Tpres liquid;
    liquid.image_one = 3;
    w.presources.push_back(liquid);

    make_place(0, side / 2 - view / 2, side / 2 - view / 2, scene->top_left);
    const Tplace& tl = scene->top_left;
    auto in_window = [&](const Tplace& p) {
        return p.map == 0 && p.x >= tl.x && p.x < tl.x + view && p.y >= tl.y && p.y < tl.y + view;
    };
    auto elsewhere = [&] {
        Tplace p;
        do make_place(pick(map_count), pick(side), pick(side), p);
        while (in_window(p));
        return p;
    };

    auto add = [&](int kind, const Tplace& p, bool may_be_held) {
        const bool held = may_be_held && pick(5) == 0;
        switch (kind) {
        case 0: {
            Tmapobject o;
            o.place = p;
            o.frame_count = 1 << pick(4);
            for (int k = 0; k < o.frame_count; ++k) o.frames.push_back(pick(48));
            o.floating = pick(6) == 0;
            o.visible = pick(8) != 0;
            w.mapobjects.push_back(std::move(o));
            break;
        }
        case 1: {
            Tpitem it;
            it.place = held ? no_place : p;
            it.image = pick(48);
            it.holder_object = -1;
            it.holder_npc = held ? 0 : -1;
            w.items.push_back(std::move(it));
            break;
        }
        case 2: {
            Tpres r;
            r.place = held ? no_place : p;
            r.kind = pick(4) == 0 ? 13 : 7;
            r.amount = 1 + pick(5);
            r.image_one = pick(40);
            r.image_many = pick(40);
            r.holder_object = r.holder_item = r.holder_resource = -1;
            r.holder_npc = held ? 0 : -1;
            make_invitem(2, 0, r.kind == 13 ? 2 : 0, r.filling);
            w.resources.push_back(std::move(r));
            break;
        }
        default: {
            Tchar c;
            c.place = p;
            c.figure = pick(48);
            w.npcs.push_back(std::move(c));
        }
        }
    };
    // Kinds in the proportions 4 objects : 2.5 items : 2.5 resources : 1 NPC.
    auto kind_of = [](int i) {
        const int k = i % 20;
        return k < 8 ? 0 : k < 13 ? 1 : k < 18 ? 2 : 3;
    };
    int placed = 0;
    for (int x = 0; x < view; ++x)
        for (int y = 0; y < view; ++y)
            for (int n = 0; n < 2; ++n, ++placed) {
                Tplace p;
                make_place(0, tl.x + x, tl.y + y, p);
                add(kind_of(placed), p, false);
            }
    scene->in_window = placed;
    for (; placed < things; ++placed) add(kind_of(placed), elsewhere(), true);
    return scene;
}

void report(benchmark::State& state, const Scene& scene) {
    state.counters["things"] = static_cast<double>(scene.world.mapobjects.size() + scene.world.items.size() +
                                                   scene.world.resources.size() + scene.world.npcs.size());
    state.counters["in_window"] = scene.in_window;
}

// One pass over every placed list, front to back, as the map page renders.
void BM_MapViewFullPass(benchmark::State& state) {
    const auto scene = make_scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Bitmap target;
    int frame_number = 0;
    for (auto _ : state) {
        draw_map_view(scene->world, scene->frames, scene->top_left, view, view, frame_number, true, target);
        frame_number = (frame_number + 1) % 8;
        benchmark::DoNotOptimize(target.scan_line(0));
    }
    report(state, *scene);
}

// Map sides 32, 128 and 512 with 100,000 things; then 25,000 to 400,000 things on 128 x 128 maps.
void sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"side", "things"});
    for (int side : {32, 128, 512}) b->Args({side, 100000});
    for (int things : {25000, 400000}) b->Args({128, things});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_MapViewFullPass)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    init_tables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    done_tables();
    return 0;
}
