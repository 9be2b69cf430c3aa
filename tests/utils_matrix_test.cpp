// The map cell matrix: one block of columns addressed [x][y], and the slab that
// many matrices can share.
#include "tiles/utils.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

TEST(IntMatrix, ColumnsOfOneBlockAddressedXThenY) {
    tintmatrix m(3, tintarray{1, 2});
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m.height(), 2u);
    m[1][0] = 7;
    m[2][1] = 9;
    EXPECT_EQ(std::vector<int32_t>(m.data(), m.data() + 6), (std::vector<int32_t>{1, 2, 7, 2, 1, 9}));
    EXPECT_EQ(m[1].size(), 2u);
    EXPECT_EQ(tintarray(m[2]), (tintarray{1, 9}));
    EXPECT_EQ(m, (tintmatrix{{1, 2}, {7, 2}, {1, 9}}));
    EXPECT_NE(m, (tintmatrix{{1, 2}, {7, 2}}));
    EXPECT_NE(m, (tintmatrix{{1, 2, 0}, {7, 2, 0}, {1, 9, 0}}));

    // Walking the columns writes through to the matrix.
    for (auto column : m)
        for (auto& cell : column) cell += 1;
    EXPECT_EQ(m, (tintmatrix{{2, 3}, {8, 3}, {2, 10}}));
    const tintmatrix& c = m;
    EXPECT_EQ(std::count_if(c.begin(), c.end(), [](auto column) { return column[0] == 2; }), 2);

    // Shorter columns given by hand are filled up with 0.
    EXPECT_EQ((tintmatrix{{5}, {6, 7}}), (tintmatrix{{5, 0}, {6, 7}}));
}

TEST(IntMatrix, CopiesAreDeepAndEmptyShapesKeepTheirWidth) {
    tintmatrix a(2, tintarray(3, 4));
    tintmatrix b = a;
    b[0][0] = 1;
    EXPECT_EQ(a[0][0], 4);
    a = b;
    b[1][2] = 8;
    EXPECT_EQ(a[1][2], 4);
    tintmatrix moved = std::move(b);
    EXPECT_EQ(moved[1][2], 8);
    EXPECT_TRUE(b.empty());

    // Columns of height 0 take no room but count as columns.
    tintmatrix flat(500);
    EXPECT_EQ(flat.size(), 500u);
    EXPECT_EQ(flat.height(), 0u);
    EXPECT_TRUE(flat[499].empty());
    flat.clear();
    EXPECT_TRUE(flat.empty());
    a.assign(4, 5, -1);
    EXPECT_EQ(a, tintmatrix(4, tintarray(5, -1)));
}

TEST(CellSlab, MatricesOutliveTheSlabAndEachOther) {
    std::vector<tintmatrix> maps(3);
    {
        cell_slab slab(std::size_t(3) << 20);  // 12 MB of room, more than the maps take
        for (std::size_t i = 0; i < maps.size(); ++i) {
            slab.take(maps[i], 512, 512);
            std::iota(maps[i].data(), maps[i].data() + 512 * 512, static_cast<int32_t>(i));
        }
        // More than is left comes from a block of its own.
        tintmatrix big;
        slab.take(big, 2048, 2048);
        big[2047][2047] = 3;
        EXPECT_EQ(big[2047][2047], 3);
        slab.trim();
    }
    maps.erase(maps.begin());  // the other two keep the block
    EXPECT_EQ(maps[0][0][0], 1);
    EXPECT_EQ(maps[1][511][511], 2 + 511 * 512 + 511);
    tintmatrix copy = maps[1];
    maps.clear();
    EXPECT_EQ(copy[511][511], 2 + 511 * 512 + 511);
}
