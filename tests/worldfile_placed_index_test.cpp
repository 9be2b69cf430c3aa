// Opening a world over one whose placed index is built: the index follows the
// things the file holds, and it never reaches the file.
#include "model/placed_index.h"
#include "model/tools.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_support.h"
#include "worldfile/worldfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<char> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The small world with an object, two NPCs with what they carry and loose things.
TWorld furnished() {
    TWorld w = small_world();
    place_object(row::chest, at(0, 1, 1), w);
    place_object(row::flowers, at(1, 2, 2), w);
    place_npc(row::guard, at(0, 3, 2), Tcounter{}, w);
    place_npc(row::rat, at(1, 0, 0), Tcounter{}, w);
    create_item(row::sword, -1, -1, w, at(0, 4, 4), slot::cell);
    create_item(row::rifle, -1, 0, w, no_place, slot::inventory);
    create_resource(w, {.row = row::gold, .amount = 5, .place = at(0, 5, 0)});
    create_resource(w, {.row = row::vial, .place = at(1, 3, 1)});
    return w;
}

TEST(PlacedIndexOpen, FollowsTheWorldOpenedInPlace) {
    init_tables();
    TempDir dir;
    // Two files with the same lists, every thing elsewhere in the second.
    TWorld first = furnished();
    TWorld second = first;
    for (Tmapobject& o : second.mapobjects) o.place = at(1 - o.place.map, 0, 1);
    for (Tchar& n : second.npcs) n.place.x = 3 - n.place.x;
    for (Tpitem& i : second.items) i.place.y = i.place.y == 4 ? 0 : i.place.y;
    for (Tpres& r : second.resources) r.place.x = r.place.map >= 0 ? 0 : r.place.x;
    save_world(dir.file("first.wld"), true, first);
    save_world(dir.file("second.wld"), true, second);

    TWorld world;
    load_world(dir.file("first.wld"), world);
    ASSERT_TRUE(placed_index_agrees(world));
    const int64_t repairs = placed_index_repairs();

    load_world(dir.file("second.wld"), world);  // over the first, its index built
    EXPECT_TRUE(placed_index_agrees(world));
    EXPECT_TRUE(links_hold(world));
    // A failed Open leaves the world and its index as they were.
    EXPECT_ANY_THROW(load_world(dir.file("missing.wld"), world));
    EXPECT_TRUE(placed_index_agrees(world));
    EXPECT_EQ(placed_index_repairs(), repairs);

    // Byte for byte: the index is not in the file, built or not.
    save_world(dir.file("again.wld"), true, world);
    EXPECT_EQ(file_bytes(dir.file("again.wld")), file_bytes(dir.file("second.wld")));
    const TWorld fresh = world;  // a copy whose index is not built yet
    save_world(dir.file("fresh.wld"), true, fresh);
    EXPECT_EQ(file_bytes(dir.file("fresh.wld")), file_bytes(dir.file("second.wld")));
}

}  // namespace
