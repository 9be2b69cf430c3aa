// Scrolling and repainting a 4096 x 4096 map grid: the cost must stay that of
// the visible cells, whatever the size of the grid.
#include "platform/kit/kit.h"
#include "tests/support/kit_user.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct MapGrid {
    kit::Window window{"bench"};
    kit::StringGrid grid{window};
    Bitmap view{512, 512};

    explicit MapGrid(int cells) {
        window.set_client_size(600, 600);
        grid.set_bounds(0, 0, 554, 550);
        grid.set_color(clBlack);
        grid.set_grid_line_width(0);
        grid.set_default_cell_size(32, 32);
        grid.set_col_count(cells + 1);
        grid.set_row_count(cells + 1);
        grid.set_col_width(0, 22);
        grid.set_row_height(0, 22);
        for (int i = 1; i <= cells; ++i) {
            grid.set_cell(i, 0, std::to_string(i - 1));
            grid.set_cell(0, i, std::to_string(i - 1));
        }
        // As the map page does: the rendered view is copied onto the grid's canvas.
        grid.on_draw_cell = [this](int c, int r, kit::Rect, kit::GridDrawState) {
            if (c == grid.left_col() + 14 && r == grid.top_row() + 14)
                bit_blt(grid.canvas(), 22, 22, 512, 512, view.canvas(), 0, 0);
        };
        window.show();
        kit::user::process_events();
    }
};

void BM_ScrollAndRepaint(benchmark::State& state) {
    MapGrid m(static_cast<int>(state.range(0)));
    const int span = static_cast<int>(state.range(0)) - 20;
    int step = 0;
    for (auto _ : state) {
        step = (step + 97) % span;
        m.grid.set_top_left(1 + step, 1 + (step * 7) % span);
        m.grid.refresh();
    }
    state.counters["cells_per_paint"] =
        benchmark::Counter(static_cast<double>(m.grid.painted_cells()) / static_cast<double>(state.iterations() + 1));
}
BENCHMARK(BM_ScrollAndRepaint)->Arg(64)->Arg(4096)->Unit(benchmark::kMicrosecond);

void BM_CanvasCopyAfterScroll(benchmark::State& state) {
    MapGrid m(4096);
    int step = 0;
    for (auto _ : state) {
        step = (step + 13) % 4000;
        m.grid.set_top_left(1 + step, 1 + step);
        // The 3 ms timer's copy: pending paint first, then the block copy.
        bit_blt(m.grid.canvas(), 22, 22, 512, 512, m.view.canvas(), 0, 0);
    }
}
BENCHMARK(BM_CanvasCopyAfterScroll)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
