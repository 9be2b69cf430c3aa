#include "mainwindow/page_tests.h"

#include "mainwindow/lookups.h"
#include "model/render.h"
#include "platform/kit/layout.h"
#include "platform/modal.h"
#include "tiles/FOV.h"

namespace {

// The test window: 12 x 12 cells of 32 pixels of map 0.
constexpr int test_cells = 12;
constexpr int test_pixels = test_cells * 32;
// Where the field-of-view test stands its viewer, in cells of the window.
constexpr double viewer_x = 10.0, viewer_y = 10.0;

}  // namespace

TestPages::TestPages(PageHost& host)
    : host(host),
      editor(host.state()),
      TabSheet1(host.page_control(), "Test 1"),
      TabSheet6(host.page_control(), "Test 2") {
    TabSheet1.name = "TabSheet1";
    TabSheet6.name = "TabSheet6";
    host.window().lay_out({
        {Image4, "Image4", 8, 8, 425, 409},
        // The result text grows downwards by a line per number: below the button.
        {Button9, "Button9", 444, 8, 80, 26},
        {Label6, "Label6", 444, 44},
        {Image3, "Image3", 8, 8, 384, 384},
        {Edit1, "Edit1", 404, 8, 50, 22},
        {Edit2, "Edit2", 404, 36, 50, 22},
        {Edit3, "Edit3", 404, 64, 50, 22},
        {Button8, "Button8", 404, 96, 80, 26},
    });
    Button8.on_click = [this] { Button8Click(); };
    Button9.on_click = [this] { Button9Click(); };
}

void TestPages::start() {}

void TestPages::shown() {}

void TestPages::Button8Click() {
    // Every number first: a text that is not one draws nothing.
    const int32_t x = str_to_int(Edit1.text());
    const int32_t y = str_to_int(Edit2.text());
    const int32_t frame = str_to_int(Edit3.text());
    Tplace top_left;
    make_place(0, x, y, top_left);
    draw_map_view(editor.world, editor.tile_frames, top_left, test_cells, test_cells, frame, editor.show_hidden,
                  editor.map_buffer);
    bit_blt(Image3.canvas(), 0, 0, test_pixels, test_pixels, editor.map_buffer.canvas(), 0, 0);
    Image3.refresh();
}

void TestPages::Button9Click() {
    Bitmap view;
    Tplace top_left;
    make_place(0, 1, 1, top_left);
    draw_map_view(editor.world, editor.tile_frames, top_left, test_cells, test_cells, editor.anim_frame,
                  editor.show_hidden, view);

    // One body per placed object of every map; rows count upwards from the
    // bottom of the window.
    const std::vector<Tmapobject>& objects = editor.world.mapobjects;
    tbodys bodies;
    for (const Tmapobject& o : objects) {
        tbody b;
        b.shape = o.form == 0 ? "round" : o.form == 1 ? "square" : "";
        b.centre_x = o.place.x + 0.5;
        b.centre_y = test_cells - static_cast<double>(o.place.y) - 0.5;
        b.size = o.size / 32.0;
        b.height = 1.0;
        bodies.push_back(b);
    }
    taob visible;
    tzones zones;
    compute_fov(true, bodies, visible, zones, viewer_x, viewer_y);

    bit_blt(Image4.canvas(), 0, 0, test_pixels, test_pixels, view.canvas(), 0, 0);
    // The number of bodies and the first one's column, each followed by LF CR;
    // what the field of view found is not shown.
    std::string text = std::to_string(objects.size()) + "\n\r";
    if (!objects.empty()) text += std::to_string(objects.front().place.x) + "\n\r";
    Label6.set_caption(text);
    Image4.refresh();
}
