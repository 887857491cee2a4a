#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"

namespace zw {

class Canvas;
class PlaneView;

// A point of f worth marking in a plane: in the domain where f vanishes, blows up, has f' = 0
// or cannot be judged at all; in the range where a critical point goes. Kept in true
// coordinates, so that it stays put through a pan still under way.
struct FeatureMark {
    enum class Kind { Zero, Pole, CriticalPoint, CriticalValue, Essential };
    Kind kind = Kind::Zero;
    CGPoint at{};
    // The order of the zero, of the pole, or of the zero of f' (at a critical point and its
    // value); written beside the mark when it is 2 or more.
    int order = 1;

    bool operator==(const FeatureMark&) const = default;
};

// How far from its centre a mark reaches, and is found by the pointer, in view units.
inline constexpr double kFeatureMarkRadius = 4.5;

// Draws each mark that lies in the plane's view: ○ a zero, × a pole, ◇ a critical point or
// value, ✳ an essential singularity; dark on a pale halo, so that they show on any shading.
void drawFeatureMarks(Canvas& canvas, const PlaneView& plane,
                      const std::vector<FeatureMark>& marks);

// The mark under a view position, the nearest if several are; none if none is within reach.
std::optional<FeatureMark> featureMarkAt(const PlaneView& plane,
                                         const std::vector<FeatureMark>& marks, CGPoint position);

}  // namespace zw
