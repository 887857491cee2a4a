#pragma once

#include <vector>

#include "platform/BezierPath.h"
#include "platform/Geometry.h"

namespace zw::test {

inline std::vector<CGPoint> pointsOf(const BezierPath& path) {
    std::vector<CGPoint> result;
    for (const BezierPath::Element& e : path.elements()) {
        result.push_back(e.point);
    }
    return result;
}

}  // namespace zw::test
