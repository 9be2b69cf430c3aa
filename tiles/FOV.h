#pragma once
// Field of view over obstacle bodies in a plane (y grows downwards): which
// bodies a viewer sees, and the shadow zones the visible ones cast.
//
// A nearer visible body casts a shadow zone, the region behind it between the
// two sight lines that touch it. A further body is hidden when all 16 points of
// its outline lie in zones cast by bodies at least as high as itself.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct tfpoint {
    double x = 0;
    double y = 0;
};

// One obstacle. shape is "square", "rect" or "round"; size is half the side of
// a square and the radius of a round body; a rect is given by its corners, in
// order round its outline. visible is an output.
struct tbody {
    std::string shape;
    double centre_x = 0;
    double centre_y = 0;
    std::array<tfpoint, 4> corners{};
    double size = 0;
    double height = 0;
    bool visible = false;
    bool see_through = false;
};
using tbodys = std::vector<tbody>;
// One truth value per body.
using taob = std::vector<bool>;

// A line a*X - b*Y + c = 0 with the side of it that belongs to a zone: a point
// is on the inner side when (a*X - b*Y + c > 0) equals side. Two special forms:
// a = 1, b = 0 is the vertical line X = -c, inner when (X < -c) equals side;
// a = 0, b = 1 is the horizontal line Y = c, inner when (Y > c) equals side.
// slope = a / b and offset = c / b are kept for general lines only.
struct tline {
    double a = 0;
    double b = 0;
    double c = 0;
    double slope = 0;
    double offset = 0;
    bool side = false;
};

// A shadow zone: the points on the inner side of all three lines (two sight
// lines from the viewer and the line through the body's two end points).
struct tzone {
    int32_t line_count = 0;
    std::array<tline, 3> lines{};
    double cast_height = 0;
};
using tzones = std::vector<tzone>;

// Fills zone with the shadow that body casts for a viewer at (vx, vy) and
// returns true. A square or rect seen from inside or from its outline casts
// the zone of its widest pair of corners. A body that casts no shadow leaves a
// zone that contains no point (line_count 0) and returns false: a body of
// another shape, a viewer inside a round body or on its circle, and a body
// whose two end points lie in one line with the viewer (a point, a segment
// seen end-on, a viewer on a side between its two corners).
bool make_zone(const tbody& body, tzone& zone, double vx, double vy);

// True when (x, y) lies on the inner side of all three lines of zone. A line
// with a = 0 and b other than 1, or b = 0 and a other than 1, contains nothing.
bool point_in_zone(const tzone& zone, double x, double y);

// Decides for a viewer at (vx, vy) which bodies it sees. flag is not used.
// visible gets one entry per body (in the order of bodies) and each
// tbody.visible is set to match; zones gets the zones cast, nearest body first.
// Square and rect bodies whose corners all have x = 0 get their corners filled
// in from the centre and size. The order of bodies is kept.
void compute_fov(bool flag, tbodys& bodies, taob& visible, tzones& zones, double vx, double vy);
