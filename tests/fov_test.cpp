#include "tiles/FOV.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();

tbody square(double cx, double cy, double s, double height, bool see_through = false) {
    tbody b;
    b.shape = "square";
    b.centre_x = cx;
    b.centre_y = cy;
    b.size = s;
    b.height = height;
    b.see_through = see_through;
    return b;
}

tbody round_body(double cx, double cy, double r, double height) {
    tbody b = square(cx, cy, r, height);
    b.shape = "round";
    return b;
}

tbody rect(std::array<tfpoint, 4> corners, double height, bool see_through = false) {
    tbody b;
    b.shape = "rect";
    b.corners = corners;
    b.centre_x = (corners[0].x + corners[2].x) / 2;
    b.centre_y = (corners[0].y + corners[2].y) / 2;
    b.height = height;
    b.see_through = see_through;
    return b;
}

// A wide wall across the view of a viewer at (0, 10), between it and the origin.
tbody wall(double height, bool see_through = false) {
    return rect({tfpoint{-5, 4}, {5, 4}, {5, 5}, {-5, 5}}, height, see_through);
}

// The value of the line's equation at (x, y): 0 on the line.
double line_value(const tline& l, double x, double y) {
    if (l.a == 1 && l.b == 0) return x + l.c;
    if (l.a == 0 && l.b == 1) return y - l.c;
    return l.a * x - l.b * y + l.c;
}

double distance_to_line(const tline& l, double x, double y) {
    const double scale = (l.a == 1 && l.b == 0) || (l.a == 0 && l.b == 1) ? 1 : std::hypot(l.a, l.b);
    return std::abs(line_value(l, x, y)) / scale;
}

// A flat wall from p to q.
tbody segment(tfpoint p, tfpoint q, double height) { return rect({p, q, q, p}, height); }

// A wall along the line x + 2 y = edge, seen from (20, 20): its shadow holds the
// points of a unit circle at the origin with x + 2 y < edge. Of the circle's
// outline only (0.383, 0.924) lies near the line, at 2.231.
tbody slanted_wall(double edge) { return segment({edge + 6, -3}, {edge - 8, 4}, 1); }

struct Scene {
    std::string name;
    double vx, vy;
    tbodys bodies;
    std::vector<bool> visible;
    std::size_t zone_count;
};

}  // namespace

TEST(Fov, ScenesGiveTheExpectedVisibilityAndZones) {
    const std::vector<Scene> scenes = {
        {"one body casts a zone", 0, 10, {square(0, 0, 1, 1)}, {true}, 1},
        {"one flat body casts none", 0, 10, {square(0, 0, 1, 0)}, {true}, 0},
        {"low body behind a higher wall is hidden", 0, 10, {wall(2), square(0, 0, 0.5, 1)}, {true, false}, 1},
        {"body as high as the wall is hidden", 0, 10, {wall(2), square(0, 0, 0.5, 2)}, {true, false}, 1},
        {"body higher than the wall is seen", 0, 10, {wall(2), square(0, 0, 0.5, 3)}, {true, true}, 2},
        {"rect behind a wall is hidden", 0, 10,
         {wall(2), rect({tfpoint{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, 1)}, {true, false}, 1},
        {"rect reaching out of the shadow is seen", 0, 10,
         {wall(2), rect({tfpoint{-12, 0}, {12, 0}, {12, 1}, {-12, 1}}, 1)}, {true, true}, 2},
        {"rect seen between its corners through a gap in a wall", 10, 10,
         {rect({tfpoint{4, 5}, {9.5, 5}, {9.5, 6}, {4, 6}}, 2),
          rect({tfpoint{10.5, 5}, {16, 5}, {16, 6}, {10.5, 6}}, 2),
          rect({tfpoint{7, 0}, {13, 0}, {13, 1}, {7, 1}}, 1)},
         {true, true, true}, 3},
        {"round body half behind each of two walls is hidden", 0, 10,
         {rect({tfpoint{-3, 5}, {0, 5}, {0, 6}, {-3, 6}}, 1), rect({tfpoint{0, 5}, {3, 5}, {3, 6}, {0, 6}}, 1),
          round_body(0, 0, 1, 1)},
         {true, true, false}, 2},
        {"round body half behind one wall is seen", 0, 10,
         {rect({tfpoint{-3, 5}, {0, 5}, {0, 6}, {-3, 6}}, 1), round_body(0, 0, 1, 1)}, {true, true}, 2},
        {"round outline point at 0.383 r in the shadow", 20, 20, {slanted_wall(2.2315), round_body(0, 0, 1, 1)},
         {true, false}, 1},
        {"round outline point at 0.383 r out of the shadow", 20, 20, {slanted_wall(2.2305), round_body(0, 0, 1, 1)},
         {true, true}, 2},
        {"see-through body lets what is behind it be seen", 0, 10,
         {square(-2, 10, 0.5, 1), wall(2, true), square(0, 0, 0.5, 1)}, {true, true, true}, 2},
        {"nearest body casts even when see-through", 0, 10, {wall(2, true), square(0, 0, 0.5, 1)}, {true, false}, 1},
        {"viewer at the nearest body's centre", 0, 0,
         {round_body(0, 0, 1, 1), square(0, 5, 1, 1), square(0, 10, 0.5, 1)}, {true, true, false}, 1},
        {"viewer at a further body's centre", 0, 0,
         {round_body(2, 0, 1, 1), square(0, 0, 3, 1), round_body(-6, 0, 1, 1)}, {true, true, true}, 2},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        tbodys bodies = scene.bodies;
        taob visible;
        tzones zones;
        compute_fov(true, bodies, visible, zones, scene.vx, scene.vy);
        EXPECT_EQ(visible, scene.visible);
        ASSERT_EQ(bodies.size(), scene.bodies.size());
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            EXPECT_EQ(bodies[i].visible, scene.visible[i]) << "body " << i;
            EXPECT_EQ(bodies[i].shape, scene.bodies[i].shape) << "bodies keep their order";
        }
        EXPECT_EQ(zones.size(), scene.zone_count);
        for (const tzone& zone : zones) EXPECT_EQ(zone.line_count, 3);
    }
}

// Bodies that cast no zone, whatever floating point makes of them: none of
// them may hide what lies behind. Each scene pairs one such body with an
// ordinary one, which is seen and casts the only zone.
TEST(Fov, DegenerateBodiesCastNothing) {
    auto shaped = [](tbody b, const char* shape) {
        b.shape = shape;
        return b;
    };
    struct Degenerate {
        std::string name;
        double vx, vy;
        tbody degenerate, other;
    };
    const Degenerate scenes[] = {
        {"unknown shape, nearest", 0, 10, shaped(square(0, 5, 1, 5), ""), square(0, 0, 0.5, 1)},
        {"unknown shape behind a wall is seen", 0, 10, shaped(square(0, 0, 0.5, 1), "triangle"), wall(2)},
        // On a side between its two corners those corners lie in one line
        // with the viewer: the sight lines are one line and shadow nothing.
        {"viewer on a square's side", 1, 0.5, square(0, 0, 1, 1), round_body(-3, 0.5, 0.5, 1)},
        {"viewer on a rect's side", 0.5, -1, rect({tfpoint{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, 1),
         round_body(0.5, -4, 0.5, 1)},
        {"viewer inside a circle", 0.5, 0, round_body(0, 0, 1, 1), square(-4, 0, 0.5, 1)},
        {"viewer on a circle", 1, 0, round_body(0, 0, 1, 1), square(-4, 0, 0.5, 1)},
        {"square of size 0", 0, 10, square(0, 5, 0, 1), square(0, 0, 0.5, 1)},
        {"round body of radius 0", 0, 10, round_body(0, 5, 0, 1), square(0, 0, 0.5, 1)},
        {"rect that is one point", 0, 10, rect({tfpoint{0.5, 5}, {0.5, 5}, {0.5, 5}, {0.5, 5}}, 1),
         square(0, 0, 0.5, 1)},
        {"segment seen end-on", 0, 10, rect({tfpoint{1, 8}, {2, 6}, {2, 6}, {1, 8}}, 1), square(3, 4, 0.5, 1)},
        {"square of unknown size", 0, 10, square(0, 5, nan_value, 1), square(0, 0, 0.5, 1)},
        {"round body of unknown radius", 0, 10, round_body(0, 5, nan_value, 1), square(0, 0, 0.5, 1)},
        {"rect with an unknown corner", 0, 10, rect({tfpoint{-5, 4}, {5, nan_value}, {5, 5}, {-5, 5}}, 2),
         square(0, 0, 0.5, 1)},
        {"round body far out of range", 0, 10, round_body(1e300, 5, 1, 1), square(0, 0, 0.5, 1)},
    };
    for (const Degenerate& scene : scenes) {
        SCOPED_TRACE(scene.name);
        tzone zone;
        zone.line_count = 7;
        EXPECT_FALSE(make_zone(scene.degenerate, zone, scene.vx, scene.vy));
        EXPECT_EQ(zone.line_count, 0);
        EXPECT_FALSE(point_in_zone(zone, scene.degenerate.centre_x, scene.degenerate.centre_y))
            << "an empty zone holds no point";

        tbodys bodies = {scene.degenerate, scene.other};
        taob visible;
        tzones zones;
        compute_fov(true, bodies, visible, zones, scene.vx, scene.vy);
        EXPECT_EQ(visible, (taob{true, true}));
        ASSERT_EQ(zones.size(), 1u);
        tzone others;
        ASSERT_TRUE(make_zone(bodies[1], others, scene.vx, scene.vy));
        EXPECT_EQ(zones[0].lines[2].c, others.lines[2].c) << "the one zone is the ordinary body's";
    }
}

// A viewer inside a square or rect body, or on one of its corners, still has
// the widest pair of corners at its position (a corner on the viewer takes
// part in no pair): the body casts that pair's zone, which hides what lies
// behind it and nothing beside it.
TEST(Fov, AViewerInsideOrOnASquareOrRectGetsTheZoneOfTheWidestCorners) {
    const std::array<tfpoint, 4> corners = {tfpoint{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    struct Scene {
        std::string name;
        double vx, vy;
        tbody body;
        tfpoint e1, e2;     // the widest pair
        tbody hidden, seen;
    };
    const Scene scenes[] = {
        {"inside a square", 0.5, 0.2, square(0, 0, 1, 1), {-1, -1}, {1, 1}, square(-4, 0, 0.5, 1),
         square(4, 0, 0.5, 1)},
        {"inside a rect", 0.5, 0.2, rect(corners, 1), {-1, -1}, {1, 1}, square(-4, 0, 0.5, 1), square(4, 0, 0.5, 1)},
        {"on a square's corner", 1, 1, square(0, 0, 1, 1), {1, -1}, {-1, 1}, round_body(-3, -3, 0.5, 1),
         round_body(3, 3, 0.5, 1)},
        {"on a rect's corner", 1, 1, rect(corners, 1), {1, -1}, {-1, 1}, round_body(-3, -3, 0.5, 1),
         round_body(3, 3, 0.5, 1)},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        tzone zone;
        ASSERT_TRUE(make_zone(scene.body, zone, scene.vx, scene.vy));
        EXPECT_EQ(zone.line_count, 3);
        EXPECT_EQ(zone.cast_height, 1);
        for (const tfpoint& p : {scene.e1, scene.e2}) EXPECT_NEAR(distance_to_line(zone.lines[2], p.x, p.y), 0, 1e-12);
        EXPECT_NEAR(distance_to_line(zone.lines[0], scene.e1.x, scene.e1.y), 0, 1e-12);
        EXPECT_NEAR(distance_to_line(zone.lines[1], scene.e2.x, scene.e2.y), 0, 1e-12);
        EXPECT_TRUE(point_in_zone(zone, scene.hidden.centre_x, scene.hidden.centre_y));
        EXPECT_FALSE(point_in_zone(zone, scene.seen.centre_x, scene.seen.centre_y));

        tbodys bodies = {scene.hidden, scene.body, scene.seen};
        taob visible;
        tzones zones;
        compute_fov(true, bodies, visible, zones, scene.vx, scene.vy);
        EXPECT_EQ(visible, (taob{false, true, true}));
        ASSERT_EQ(zones.size(), 2u);
        EXPECT_EQ(zones[0].lines[2].c, zone.lines[2].c) << "the body around the viewer is nearest and casts first";
    }
}

TEST(Fov, EqualDistancesKeepTheSelectionSortOrder) {
    // Distances 5, 3, 5, 1 in four directions, so every body is seen and casts;
    // the zones come in the order of the sort, told apart by their heights.
    tbodys bodies = {round_body(5.5, 0, 0.5, 10), round_body(0, 3.5, 0.5, 11), round_body(-5.5, 0, 0.5, 12),
                     round_body(0, -1.5, 0.5, 13)};
    taob visible;
    tzones zones;
    compute_fov(true, bodies, visible, zones, 0, 0);
    EXPECT_EQ(visible, (taob{true, true, true, true}));
    std::vector<double> heights;
    for (const tzone& zone : zones) heights.push_back(zone.cast_height);
    // Swapping the nearest into place moves the first 5 behind the second.
    EXPECT_EQ(heights, (std::vector<double>{13, 11, 12, 10}));
}

TEST(Fov, FillsEmptyCornersAndResetsTheOutputs) {
    tbody target = square(0, 0, 0.5, 1);
    target.visible = true;
    tbody block;
    block.shape = "rect";  // corners left at zero: made from the centre and size
    block.centre_x = 0;
    block.centre_y = 4.5;
    block.size = 0.5;
    block.height = 2;
    tbodys bodies = {target, block};
    taob visible = {true, true, true};
    tzones zones(4);
    compute_fov(false, bodies, visible, zones, 0, 10);
    EXPECT_EQ(visible, (taob{false, true}));
    EXPECT_FALSE(bodies[0].visible);
    EXPECT_TRUE(bodies[1].visible);
    ASSERT_EQ(zones.size(), 1u);
    EXPECT_EQ(zones[0].cast_height, 2);
    const std::array<tfpoint, 4> filled = {tfpoint{-0.5, 4}, {0.5, 4}, {0.5, 5}, {-0.5, 5}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bodies[1].corners[i].x, filled[i].x) << "corner " << i;
        EXPECT_EQ(bodies[1].corners[i].y, filled[i].y) << "corner " << i;
    }
    EXPECT_EQ(bodies[0].corners[0].x, -0.5) << "a square's corners are filled too";

    // The outputs describe this call only, even when nothing casts.
    tbodys flat = {square(0, 0, 1, 0)};
    compute_fov(true, flat, visible, zones, 0, 10);
    EXPECT_EQ(visible, (taob{true}));
    EXPECT_TRUE(zones.empty());
    tbodys none;
    compute_fov(true, none, visible, zones, 0, 10);
    EXPECT_TRUE(visible.empty());
    EXPECT_TRUE(zones.empty());
}

TEST(Fov, ZoneLinesOfASquare) {
    struct Line {
        double a, b, c;
        bool side;
    };
    struct Case {
        std::string name;
        double vx, vy;
        Line lines[3];
    };
    // Square at the origin with half side 1; its corners are (-1,-1), (1,-1), (-1,1), (1,1).
    const Case cases[] = {
        {"straight ahead: near side, horizontal far line", 0, 10,
         {{-1, -1.0 / 9, -10.0 / 9, false}, {1, -1.0 / 9, -10.0 / 9, false}, {0, 1, 1, false}}},
        {"diagonal: the two side corners", 10, 10,
         {{-1.0 / 9, -1.0 / 11, 20.0 / 99, true}, {-1.0 / 11, -1.0 / 9, -20.0 / 99, false}, {-0.5, 0.5, 0, true}}},
        // In line with a side two pairs tie; rounding in ArcCos alone would give
        // these two viewers the later pair.
        {"in line with a side: vertical sight line, first pair of a tie", 1, 11,
         {{1, 0, -1, true}, {-0.5, -0.1, -0.6, false}, {-0.5, 0.5, 0, true}}},
        {"in line with a side: horizontal sight line, first pair of a tie", 11, 1,
         {{-0.1, -0.5, 0.6, true}, {0, 1, 1, false}, {-0.5, 0.5, 0, true}}},
        {"from the side: vertical far line", 10, 0,
         {{-1.0 / 9, -1, 10.0 / 9, true}, {-1.0 / 9, 1, 10.0 / 9, true}, {1, 0, -1, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tzone zone;
        ASSERT_TRUE(make_zone(square(0, 0, 1, 2.5), zone, c.vx, c.vy));
        EXPECT_EQ(zone.line_count, 3);
        EXPECT_EQ(zone.cast_height, 2.5);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("line " + std::to_string(i + 1));
            const tline& got = zone.lines[i];
            const Line& want = c.lines[i];
            EXPECT_NEAR(got.a, want.a, 1e-12);
            EXPECT_NEAR(got.b, want.b, 1e-12);
            EXPECT_NEAR(got.c, want.c, 1e-12);
            EXPECT_EQ(got.side, want.side);
            const bool special = (want.a == 1 && want.b == 0) || (want.a == 0 && want.b == 1);
            EXPECT_NEAR(got.slope, special ? 0 : want.a / want.b, 1e-12);
            EXPECT_NEAR(got.offset, special ? 0 : want.c / want.b, 1e-12);
        }
        // Behind the square is shadow; between viewer and square, beside it, and
        // the viewer's own place are not.
        EXPECT_TRUE(point_in_zone(zone, -c.vx, -c.vy));
        EXPECT_FALSE(point_in_zone(zone, c.vx / 2, c.vy / 2));
        EXPECT_FALSE(point_in_zone(zone, c.vx, c.vy));
        EXPECT_FALSE(point_in_zone(zone, -c.vy - c.vx, c.vx - c.vy)) << "off to one side";
        EXPECT_FALSE(point_in_zone(zone, c.vy - c.vx, -c.vx - c.vy)) << "off to the other side";
    }
}

TEST(Fov, ZoneOfARoundBodyTouchesTheCircle) {
    struct Case {
        std::string name;
        double vx, vy;
    };
    const Case cases[] = {{"viewer straight below", 0, 10},
                          {"viewer to the right", 10, 0},
                          {"viewer on a diagonal", 10, 10},
                          {"viewer elsewhere", -3, 7}};
    const double r = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tzone zone;
        ASSERT_TRUE(make_zone(round_body(0, 0, r, 1), zone, c.vx, c.vy));
        const double d = std::hypot(c.vx, c.vy);
        EXPECT_NEAR(distance_to_line(zone.lines[0], 0, 0), r, 1e-9) << "sight line 1 is a tangent";
        EXPECT_NEAR(distance_to_line(zone.lines[1], 0, 0), r, 1e-9) << "sight line 2 is a tangent";
        EXPECT_NEAR(distance_to_line(zone.lines[2], 0, 0), r * r / d, 1e-9) << "far line joins the touching points";
        EXPECT_NEAR(line_value(zone.lines[0], c.vx, c.vy), 0, 1e-9);
        EXPECT_NEAR(line_value(zone.lines[1], c.vx, c.vy), 0, 1e-9);
        EXPECT_TRUE(point_in_zone(zone, 0, 0));
        EXPECT_TRUE(point_in_zone(zone, -c.vx, -c.vy));
        EXPECT_FALSE(point_in_zone(zone, c.vx * 0.8, c.vy * 0.8));
        EXPECT_FALSE(point_in_zone(zone, -c.vy, c.vx));
    }
    // The special forms of the far line, and which touching point is first.
    tzone below;
    ASSERT_TRUE(make_zone(round_body(0, 0, r, 1), below, 0, 10));
    EXPECT_EQ(below.lines[2].a, 0);
    EXPECT_EQ(below.lines[2].b, 1);
    EXPECT_DOUBLE_EQ(below.lines[2].c, 2.5);
    EXPECT_FALSE(below.lines[2].side);
    EXPECT_NEAR(line_value(below.lines[0], std::sqrt(75.0) / 2, 2.5), 0, 1e-9);
    tzone right;
    ASSERT_TRUE(make_zone(round_body(0, 0, r, 1), right, 10, 0));
    EXPECT_EQ(right.lines[2].a, 1);
    EXPECT_EQ(right.lines[2].b, 0);
    EXPECT_DOUBLE_EQ(right.lines[2].c, -2.5);
    EXPECT_TRUE(right.lines[2].side);
    EXPECT_NEAR(line_value(right.lines[0], 2.5, std::sqrt(75.0) / 2), 0, 1e-9);
    tzone diagonal;
    ASSERT_TRUE(make_zone(round_body(0, 0, r, 1), diagonal, 10, 10));
    const double y1 = (5 + std::sqrt(175.0)) / 4;
    EXPECT_NEAR(line_value(diagonal.lines[0], 2.5 - y1, y1), 0, 1e-9);
}

TEST(Fov, PointInZoneReadsEachLineInItsOwnForm) {
    auto zone_of = [](tline line) {
        tzone z;
        z.line_count = 3;
        z.lines = {line, line, line};
        return z;
    };
    struct Case {
        std::string name;
        tline line;
        double x, y;
        bool inside;
    };
    const Case cases[] = {
        {"vertical, left side", {1, 0, -2, 0, 0, true}, 1, 0, true},
        {"vertical, on the line is not left", {1, 0, -2, 0, 0, true}, 2, 0, false},
        {"vertical, right side holds the line", {1, 0, -2, 0, 0, false}, 2, 0, true},
        {"horizontal, below", {0, 1, 3, 0, 0, true}, 0, 4, true},
        {"horizontal, above", {0, 1, 3, 0, 0, true}, 0, 2, false},
        {"horizontal, other side", {0, 1, 3, 0, 0, false}, 0, 2, true},
        {"general, positive", {1, 2, 0, 0, 0, true}, 1, 0, true},
        {"general, negative", {1, 2, 0, 0, 0, false}, 1, 0, false},
        {"a = 0 with b other than 1", {0, 2, -10, 0, 0, false}, 0, 0, false},
        {"b = 0 with a other than 1", {2, 0, 10, 0, 0, true}, 0, 0, false},
        {"all zero", {0, 0, 0, 0, 0, false}, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(point_in_zone(zone_of(c.line), c.x, c.y), c.inside);
    }
    tzone mixed = zone_of({1, 0, -2, 0, 0, true});
    mixed.lines[2] = {0, 1, 3, 0, 0, true};
    EXPECT_TRUE(point_in_zone(mixed, 1, 4));
    EXPECT_FALSE(point_in_zone(mixed, 1, 2)) << "every line must hold the point";
}
