#pragma once

#include <string>

#include "platform/Geometry.h"

namespace zw {

// How the numbers a plane shows are written: the pointer's readouts and the axis labels. They
// keep their usual decimals (three and two) wherever those tell the marks apart, and take the
// fewest more that do once the plane is zoomed in beyond that. Always in the C locale.
class Readout {
  public:
    // The most decimals ever written: a double holds no more.
    static constexpr int kMaxDecimals = 40;

    // The decimals of a readout in a plane where one view unit (a pixel) is `unitSize` long:
    // three while three show every pixel's step, otherwise one more than the pixel's size needs.
    static int decimals(double unitSize);

    // "%.*f" in the C locale, with no more decimals than the value has significant digits
    // for (never fewer than three); "∞", "-∞" or "undefined" for a number that is not finite.
    static std::string fixed(double value, int decimals);
    // The corner readout: "x, y" with the plane's decimals; "∞" for a point with an infinite
    // part (the point at infinity), "undefined" for one with no value.
    static std::string point(CGPoint p, double unitSize);
    // "∞", "undefined" or "" (finite), as the readouts name a point that is not finite.
    static std::string notFinite(CGPoint p);
};

}  // namespace zw
