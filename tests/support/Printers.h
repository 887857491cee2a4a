#pragma once

#include <iomanip>
#include <limits>
#include <ostream>

#include "platform/Color.h"
#include "platform/Geometry.h"

// Readable failure messages for the platform's value types.
namespace zw {

inline void PrintTo(const CGPoint& p, std::ostream* os) {
    *os << std::setprecision(std::numeric_limits<double>::max_digits10) << "(" << p.x << ", " << p.y
        << ")";
}

inline void PrintTo(const CGSize& s, std::ostream* os) {
    *os << s.width << " x " << s.height;
}

inline void PrintTo(const CGRect& r, std::ostream* os) {
    PrintTo(r.origin, os);
    *os << " ";
    PrintTo(r.size, os);
}

inline void PrintTo(const Color& c, std::ostream* os) {
    *os << "rgba(" << c.red() << ", " << c.green() << ", " << c.blue() << ", " << c.alpha() << ")";
}

}  // namespace zw
