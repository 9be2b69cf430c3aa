#include "tests/support/hostile_run.h"

#include "mainwindow/main.h"
#include "mainwindow/state.h"
#include "tests/support/hostile_world.h"
#include "worldfile/worldfile.h"

#include <QDir>

namespace {

// One world saved by the writer and opened through File > Open, then walked.
void open_and_walk(TForm1& form, const TWorld& world, const std::string& name, ScriptedModal& modal,
                   const std::string& folder, const walk::Fault& fault, HostileRunResult& result) {
    const std::string path = folder + "/" + name + ".wld";
    save_world(path, true, world);
    const std::string error = walk::open_through_menu(form, modal, path);
    if (!error.empty()) fault(name + ": the saved world does not open: " + error);
    for (const std::string& p : walk::unsettled(form)) fault(name + ": after Open: " + p);
    walk::OpenerWalk w(modal, fault, name);
    w.refresh_pages(form);
    w.open_every_window(form);
    result.actions += w.actions();
    result.opened.insert(w.opened().begin(), w.opened().end());
}

}  // namespace

HostileRunResult run_hostile_input(const uint8_t* data, std::size_t size, ScriptedModal& modal,
                                   const std::string& folder, const walk::Fault& fault) {
    HostileRunResult result;
    auto& form = static_cast<TForm1&>(*editor.Form1);
    const HostileMode mode = HostileMode::from_byte(size > 0 ? data[0] : 0);
    // Every question answered Cancel (the quantity box's Cancel gives 1), or OK
    // and the largest quantity.
    modal.delete_answers.assign(100000, !mode.cancel);
    modal.ok_answers.assign(100000, !mode.cancel);
    modal.sure_answers.assign(100000, !mode.cancel);
    modal.quant_answers.assign(100000, mode.cancel ? 1 : 100);
    const std::size_t tiles = editor.tile_frames.size();
    if (mode.stale) open_and_walk(form, build_large_world(tiles), "large", modal, folder, fault, result);
    HostileBytes bytes(size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);
    bytes.forced = mode.forced;
    const std::string name = mode.forced ? hostile_name(*mode.forced) : "hostile";
    open_and_walk(form, build_hostile_world(bytes, tiles), name, modal, folder, fault, result);
    return result;
}

TColor tile_colour(int k) { return make_color(40 + 5 * k, 220 - 5 * k, 60 + 4 * k); }

void write_tile_strip(const std::string& folder, const std::string& name, int count, int size, int first) {
    QDir().mkpath(QString::fromStdString(folder));
    Bitmap b(size * count, size);
    for (int k = 0; k < count; ++k) {
        b.canvas().brush_color = tile_colour(first + k);
        b.canvas().fill_rect(size * k, 0, size * k + size, size);
    }
    b.save_to_file(folder + "/" + name);
}

void write_hostile_tiles(const std::string& folder) {
    write_tile_strip(folder, "a_32x32.bmp", tile_frames32, 32, 0);
    write_tile_strip(folder, "b_64x64.bmp", tile_frames64, 64, tile_frames32);
}
