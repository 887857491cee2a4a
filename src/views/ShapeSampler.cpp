#include "views/ShapeSampler.h"

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

// The number of pieces that keeps each below the chord limit, within the bounds.
std::size_t pieces(double lengthInViewUnits, std::size_t least) {
    // One more than fits whole, so that no piece is as long as the limit.
    const double wanted = std::floor(lengthInViewUnits / ShapeSampler::kMaxChord) + 1.0;
    if (!(wanted < static_cast<double>(ShapeSampler::kMaxPoints - 1))) {
        return ShapeSampler::kMaxPoints - 1;
    }
    return std::max(least, static_cast<std::size_t>(wanted));
}

}  // namespace

std::vector<CGPoint> ShapeSampler::circle(CGPoint centre, double radius, double unitsPerPlaneUnit) {
    constexpr double kTwoPi = 6.283185307179586;
    // Each chord is shorter than its arc, so arcs below the limit give chords below it too.
    const std::size_t n =
        pieces(kTwoPi * std::fabs(radius) * unitsPerPlaneUnit, kMinCirclePoints - 1);
    std::vector<CGPoint> points;
    points.reserve(n + 1);
    for (std::size_t k = 0; k < n; ++k) {
        const double angle = kTwoPi * static_cast<double>(k) / static_cast<double>(n);
        points.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    points.push_back(points.front());
    return points;
}

std::vector<CGPoint> ShapeSampler::line(CGPoint from, CGPoint to, double unitsPerPlaneUnit) {
    const double length = std::hypot(to.x - from.x, to.y - from.y) * unitsPerPlaneUnit;
    const std::size_t n = pieces(length, 1);
    std::vector<CGPoint> points;
    points.reserve(n + 1);
    for (std::size_t k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / static_cast<double>(n);
        points.push_back({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    points.push_back(to);
    return points;
}

}  // namespace zw
