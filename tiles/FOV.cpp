#include "tiles/FOV.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <utility>

namespace {

// Two angles closer than this count as equal, so the earlier pair keeps a tie
// that rounding in ArcCos would otherwise break either way.
constexpr double angle_tie = 1e-9;
// Sight lines whose angle has a sine below this are taken as one line: the
// sides of such a zone would be decided by rounding noise.
constexpr double min_sine = 1e-9;

bool is_square(const tbody& body) { return body.shape == "square"; }
bool is_rect(const tbody& body) { return body.shape == "rect"; }
bool is_round(const tbody& body) { return body.shape == "round"; }

bool at_centre(const tbody& body, double vx, double vy) { return vx == body.centre_x && vy == body.centre_y; }

bool finite(const tfpoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The line through q and r; vertical and horizontal lines take their special
// forms. A line through the viewer is built with q = the viewer.
tline line_through(const tfpoint& q, const tfpoint& r) {
    tline line;
    if (q.x == r.x) {
        line.a = 1;
        line.b = 0;
        line.c = -q.x;
    } else if (q.y == r.y) {
        line.a = 0;
        line.b = 1;
        line.c = q.y;
    } else {
        line.a = 1 / (r.x - q.x);
        line.b = 1 / (r.y - q.y);
        line.c = q.y * line.b - q.x * line.a;
        line.slope = line.a / line.b;
        line.offset = line.c / line.b;
    }
    return line;
}

// Which side of the line (x, y) is on, in the line's own form.
bool positive_side(const tline& line, double x, double y) {
    if (line.a == 1 && line.b == 0) return x < -line.c;
    if (line.a == 0 && line.b == 1) return y > line.c;
    return line.a * x - line.b * y + line.c > 0;
}

bool line_contains(const tline& line, double x, double y) {
    const bool vertical = line.a == 1 && line.b == 0;
    const bool horizontal = line.a == 0 && line.b == 1;
    if (!vertical && !horizontal && (line.a == 0 || line.b == 0)) return false;
    return positive_side(line, x, y) == line.side;
}

// The end points of a square or rect body as the viewer sees it: the pair of
// corners with the largest angle at the viewer, also for a viewer inside the
// body or on its outline (a corner on the viewer shows no angle and takes part
// in no pair). False when no pair shows an angle above 0 or a corner is not a
// finite point.
bool corner_end_points(const tbody& body, const tfpoint& v, tfpoint& e1, tfpoint& e2) {
    std::array<tfpoint, 4> p;
    if (is_square(body)) {
        const double cx = body.centre_x, cy = body.centre_y, s = body.size;
        p = {tfpoint{cx - s, cy - s}, tfpoint{cx + s, cy - s}, tfpoint{cx - s, cy + s}, tfpoint{cx + s, cy + s}};
    } else {
        p = body.corners;
    }
    // A body with an unknown corner has an unknown outline.
    if (!std::all_of(p.begin(), p.end(), finite)) return false;
    static constexpr std::pair<int, int> pairs[] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    int chosen = -1;
    double best = 0;
    for (int k = 0; k < 6; ++k) {
        const tfpoint& pi = p[pairs[k].first];
        const tfpoint& pj = p[pairs[k].second];
        const double ux = pi.x - v.x, uy = pi.y - v.y, wx = pj.x - v.x, wy = pj.y - v.y;
        const double lengths = std::sqrt(ux * ux + uy * uy) * std::sqrt(wx * wx + wy * wy);
        if (!(lengths > 0)) continue;  // a corner on the viewer shows no angle
        const double angle = std::acos(std::clamp((ux * wx + uy * wy) / lengths, -1.0, 1.0));
        if (chosen < 0 ? angle > 0 : angle > best + angle_tie) {
            chosen = k;
            best = angle;
        }
    }
    if (chosen < 0) return false;
    e1 = p[pairs[chosen].first];
    e2 = p[pairs[chosen].second];
    return true;
}

// The points where the tangents from the viewer touch a round body. False when
// the viewer is inside the circle or on it.
bool tangent_points(const tbody& body, const tfpoint& v, tfpoint& e1, tfpoint& e2) {
    const double cx = body.centre_x, cy = body.centre_y, r = body.size;
    const double dx = v.x - cx, dy = v.y - cy;
    if (!std::isfinite(r) || !(dx * dx + dy * dy > r * r)) return false;
    const double k0 = v.x * cx + v.y * cy - cx * cx - cy * cy + r * r;
    if (v.x == cx) {
        const double y0 = k0 / (v.y - cy);
        const double d = 4 * cx * cx - 4 * (cx * cx + cy * cy - r * r + y0 * y0 - 2 * y0 * cy);
        e1 = {(2 * cx + std::sqrt(d)) / 2, y0};
        e2 = {(2 * cx - std::sqrt(d)) / 2, y0};
    } else if (v.y == cy) {
        const double x0 = k0 / (v.x - cx);
        const double d = 4 * cy * cy - 4 * (cy * cy + cx * cx - r * r + x0 * x0 - 2 * x0 * cx);
        e1 = {x0, (2 * cy + std::sqrt(d)) / 2};
        e2 = {x0, (2 * cy - std::sqrt(d)) / 2};
    } else {
        // The touching points lie on the line x = k - m y.
        const double k = k0 / (v.x - cx);
        const double m = (v.y - cy) / (v.x - cx);
        const double qa = m * m + 1;
        const double qb = 2 * m * cx - 2 * cy - 2 * m * k;
        const double qc = k * k - 2 * cx * k + cx * cx + cy * cy - r * r;
        const double root = std::sqrt(qb * qb - 4 * qa * qc);
        const double y1 = (-qb + root) / (2 * qa);
        const double y2 = (-qb - root) / (2 * qa);
        e1 = {k - m * y1, y1};
        e2 = {k - m * y2, y2};
    }
    return true;
}

// The 16 points of a body's outline that decide whether it is hidden.
std::array<tfpoint, 16> outline_points(const tbody& body) {
    const double cx = body.centre_x, cy = body.centre_y;
    std::array<tfpoint, 16> pts;
    if (is_square(body)) {
        const double s = body.size, h = s / 2;
        pts = {tfpoint{cx, cy + s},     {cx + h, cy + s}, {cx + s, cy + s}, {cx + s, cy + h},
               {cx + s, cy},            {cx + s, cy - h}, {cx + s, cy - s}, {cx + h, cy - s},
               {cx, cy - s},            {cx - h, cy - s}, {cx - s, cy - s}, {cx - s, cy - h},
               {cx - s, cy},            {cx - s, cy + h}, {cx - s, cy + s}, {cx - h, cy + s}};
    } else if (is_rect(body)) {
        // Each corner, then the points a quarter, a half and three quarters of
        // the way to the next corner.
        for (std::size_t i = 0; i < 4; ++i) {
            const tfpoint& from = body.corners[i];
            const tfpoint& to = body.corners[(i + 1) % 4];
            for (int q = 0; q < 4; ++q)
                pts[i * 4 + q] = {from.x + (to.x - from.x) * q / 4, from.y + (to.y - from.y) * q / 4};
        }
    } else {
        const double r = body.size;
        pts = {tfpoint{cx, cy + r},
               {cx + 0.383 * r, cy + 0.924 * r},
               {cx + 0.7071 * r, cy + 0.7071 * r},
               {cx + 0.924 * r, cy + 0.384 * r},
               {cx + r, cy},
               {cx + 0.924 * r, cy - 0.384 * r},
               {cx + 0.7071 * r, cy - 0.7071 * r},
               {cx + 0.384 * r, cy - 0.924 * r},
               {cx, cy - r},
               {cx - 0.384 * r, cy - 0.924 * r},
               {cx - 0.7071 * r, cy - 0.7071 * r},
               {cx - 0.924 * r, cy - 0.384 * r},
               {cx - r, cy},
               {cx - 0.924 * r, cy + 0.384 * r},
               {cx - 0.7071 * r, cy + 0.7071 * r},
               {cx - 0.384 * r, cy + 0.924 * r}};
    }
    return pts;
}

double distance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

// How far the viewer is from the body; fills a square's or rect's corners from
// its centre and size when they were all left at x = 0.
double body_distance(tbody& body, double vx, double vy) {
    if (is_square(body) || is_rect(body)) {
        if (std::all_of(body.corners.begin(), body.corners.end(), [](const tfpoint& p) { return p.x == 0; })) {
            const double cx = body.centre_x, cy = body.centre_y, s = body.size;
            body.corners = {tfpoint{cx - s, cy - s}, tfpoint{cx + s, cy - s}, tfpoint{cx + s, cy + s},
                            tfpoint{cx - s, cy + s}};
        }
        double nearest = distance(vx, vy, body.corners[0].x, body.corners[0].y);
        for (std::size_t i = 1; i < 4; ++i)
            nearest = std::min(nearest, distance(vx, vy, body.corners[i].x, body.corners[i].y));
        return nearest;
    }
    if (is_round(body)) return distance(vx, vy, body.centre_x, body.centre_y) - body.size;
    return distance(vx, vy, body.centre_x, body.centre_y);
}

}  // namespace

bool make_zone(const tbody& body, tzone& zone, double vx, double vy) {
    zone = tzone{};
    zone.cast_height = body.height;
    const tfpoint v{vx, vy};
    tfpoint e1, e2;
    if (is_square(body) || is_rect(body)) {
        if (!corner_end_points(body, v, e1, e2)) return false;
    } else if (is_round(body)) {
        if (!tangent_points(body, v, e1, e2)) return false;
    } else {
        return false;
    }
    if (!finite(v) || !finite(e1) || !finite(e2)) return false;
    // The two sight lines must make a real angle, or their sides are noise.
    const double ux = e1.x - vx, uy = e1.y - vy, wx = e2.x - vx, wy = e2.y - vy;
    const double lengths = std::sqrt(ux * ux + uy * uy) * std::sqrt(wx * wx + wy * wy);
    if (!(std::abs(ux * wy - uy * wx) > min_sine * lengths)) return false;

    tzone made;
    made.line_count = 3;
    made.cast_height = body.height;
    made.lines[0] = line_through(v, e1);
    made.lines[1] = line_through(v, e2);
    made.lines[2] = line_through(e1, e2);
    for (const tline& line : made.lines)
        if (!std::isfinite(line.a) || !std::isfinite(line.b) || !std::isfinite(line.c)) return false;
    // Between the two sight lines, and behind the body as seen from the viewer.
    made.lines[0].side = positive_side(made.lines[0], e2.x, e2.y);
    made.lines[1].side = positive_side(made.lines[1], e1.x, e1.y);
    made.lines[2].side = !positive_side(made.lines[2], vx, vy);
    zone = made;
    return true;
}

bool point_in_zone(const tzone& zone, double x, double y) {
    return std::all_of(zone.lines.begin(), zone.lines.end(),
                       [&](const tline& line) { return line_contains(line, x, y); });
}

void compute_fov(bool /*flag*/, tbodys& bodies, taob& visible, tzones& zones, double vx, double vy) {
    // Both outputs are emptied first, also when there are no bodies or none
    // casts a zone: lists kept from an earlier viewer would describe bodies and
    // shadows that are not there now.
    visible.clear();
    zones.clear();
    if (bodies.empty()) return;
    const std::size_t n = bodies.size();
    visible.assign(n, false);
    for (tbody& body : bodies) body.visible = false;

    std::vector<double> dist(n);
    for (std::size_t i = 0; i < n; ++i) dist[i] = body_distance(bodies[i], vx, vy);

    // Nearest first, by selection sort: at equal distances the earlier position
    // stays unless a strictly smaller distance turns up later.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t smallest = i;
        for (std::size_t j = i + 1; j < n; ++j)
            if (dist[j] < dist[smallest]) smallest = j;
        std::swap(dist[i], dist[smallest]);
        std::swap(order[i], order[smallest]);
    }

    auto show = [&](std::size_t index) {
        visible[index] = true;
        bodies[index].visible = true;
    };
    auto cast = [&](const tbody& body) {
        tzone zone;
        if (make_zone(body, zone, vx, vy)) zones.push_back(zone);
    };

    // The nearest body is always seen and casts even when see-through.
    const tbody& nearest = bodies[order[0]];
    show(order[0]);
    if (nearest.height > 0 && !at_centre(nearest, vx, vy)) cast(nearest);

    for (std::size_t k = 1; k < n; ++k) {
        const std::size_t index = order[k];
        const tbody& body = bodies[index];
        if (at_centre(body, vx, vy) || !(is_square(body) || is_rect(body) || is_round(body))) {
            show(index);
            continue;
        }
        const std::array<tfpoint, 16> pts = outline_points(body);
        std::array<bool, 16> covered{};
        std::size_t covered_count = 0;
        for (const tzone& zone : zones) {
            if (zone.cast_height < body.height) continue;
            for (std::size_t p = 0; p < pts.size(); ++p)
                if (!covered[p] && point_in_zone(zone, pts[p].x, pts[p].y)) {
                    covered[p] = true;
                    ++covered_count;
                }
            if (covered_count == pts.size()) break;
        }
        if (covered_count == pts.size()) continue;
        show(index);
        if (!body.see_through) cast(body);
    }
}
