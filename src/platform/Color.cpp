#include "platform/Color.h"

#include <cmath>

namespace zw {

namespace {
// Above 1 counts as 1 and below 0 as 0; a component that is not a number (a box sampled
// at a pole) counts as 0 so that every colour stays drawable.
double component(double v) {
    if (std::isnan(v) || v < 0.0) {
        return 0.0;
    }
    return v > 1.0 ? 1.0 : v;
}
}  // namespace

Color Color::colorWithDeviceRed(double r, double g, double b, double a) {
    return Color(component(r), component(g), component(b), component(a));
}

Color Color::colorWithDeviceWhite(double w, double a) {
    const double v = component(w);
    return Color(v, v, v, component(a));
}

}  // namespace zw
