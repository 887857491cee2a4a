#pragma once

#include <cstddef>
#include <vector>

#include "platform/Geometry.h"

namespace zw {

// Exact circles and lines as polylines in true coordinates, fine enough that no chord is as
// long as half a view unit at the given zoom (view units per plane unit).
class ShapeSampler {
  public:
    static constexpr double kMaxChord = 0.5;
    static constexpr std::size_t kMinCirclePoints = 64;
    // A shape larger than this many samples would stall the window; it is drawn coarser.
    static constexpr std::size_t kMaxPoints = 200000;

    // Closed: the last point repeats the first exactly. Counter-clockwise from centre + radius.
    static std::vector<CGPoint> circle(CGPoint centre, double radius, double unitsPerPlaneUnit);
    static std::vector<CGPoint> line(CGPoint from, CGPoint to, double unitsPerPlaneUnit);
};

}  // namespace zw
