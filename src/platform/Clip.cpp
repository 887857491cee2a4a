#include "platform/Clip.h"

#include <cmath>
#include <cstddef>

namespace zw {

namespace {

using Point = ClipPoint<ClipReal>;

// Sutherland-Hodgman against one edge of the box; `side` picks the edge.
std::vector<Point> clipPolygonEdge(const std::vector<Point>& in, int side, ClipReal bound) {
    auto inside = [&](const Point& p) {
        switch (side) {
            case 0:
                return p.x >= bound;
            case 1:
                return p.x <= bound;
            case 2:
                return p.y >= bound;
            default:
                return p.y <= bound;
        }
    };
    auto cross = [&](const Point& a, const Point& b) {
        if (side < 2) {
            const ClipReal t = (bound - a.x) / (b.x - a.x);
            return Point{bound, a.y + t * (b.y - a.y)};
        }
        const ClipReal t = (bound - a.y) / (b.y - a.y);
        return Point{a.x + t * (b.x - a.x), bound};
    };
    std::vector<Point> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Point& cur = in[i];
        const Point& prev = in[(i + in.size() - 1) % in.size()];
        if (inside(cur)) {
            if (!inside(prev)) {
                out.push_back(cross(prev, cur));
            }
            out.push_back(cur);
        } else if (inside(prev)) {
            out.push_back(cross(prev, cur));
        }
    }
    return out;
}

}  // namespace

std::vector<Point> clipPolygon(std::vector<Point> polygon, const ClipBox<ClipReal>& box) {
    const ClipReal bounds[4] = {box.xmin, box.xmax, box.ymin, box.ymax};
    for (int side = 0; side < 4 && !polygon.empty(); ++side) {
        polygon = clipPolygonEdge(polygon, side, bounds[side]);
    }
    for (Point& p : polygon) {
        p = box.clamp(p.x, p.y);
    }
    return polygon;
}

double DashPattern::offset(ClipReal along) const {
    return static_cast<double>(std::fmod(along, period) / unit);
}

DashPattern dashPattern(const std::vector<double>& lengths, double unit) {
    std::vector<double> dash = lengths;
    ClipReal period = 0;
    for (double d : dash) {
        if (!std::isfinite(d) || d < 0.0) {
            dash.clear();
            break;
        }
        period += d;
    }
    if (dash.size() % 2 == 1) {
        dash.insert(dash.end(), dash.begin(), dash.end());
        period *= 2;
    }
    DashPattern pattern;
    pattern.unit = unit;
    if (dash.empty() || !(period > 0)) {
        return pattern;
    }
    pattern.period = period;
    for (double d : dash) {
        pattern.dashes.push_back(std::max(d, 1e-3) / unit);
    }
    return pattern;
}

}  // namespace zw
