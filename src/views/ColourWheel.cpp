#include "views/ColourWheel.h"

#include <array>
#include <cmath>

namespace zw {

namespace {

constexpr int kSteps = 720;
constexpr double kTwoPi = 6.283185307179586;

struct Rgb {
    float r, g, b;
};

double encodeSrgb(double linear) {
    const double c = linear < 0.0 ? 0.0 : (linear > 1.0 ? 1.0 : linear);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

// One colour of the hue circle: OKLab (L, C cos h, C sin h) to linear sRGB (through the LMS
// cone responses, cubed) and then to sRGB's gamma.
Rgb hueCircle(double h) {
    const double a = ColourWheel::kChroma * std::cos(h);
    const double b = ColourWheel::kChroma * std::sin(h);
    const double L = ColourWheel::kLightness;
    const double l1 = L + 0.3963377774 * a + 0.2158037573 * b;
    const double m1 = L - 0.1055613458 * a - 0.0638541728 * b;
    const double s1 = L - 0.0894841775 * a - 1.2914855480 * b;
    const double l = l1 * l1 * l1, m = m1 * m1 * m1, s = s1 * s1 * s1;
    return {
        static_cast<float>(encodeSrgb(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s)),
        static_cast<float>(encodeSrgb(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s)),
        static_cast<float>(encodeSrgb(-0.0043076047 * l - 0.7034186147 * m + 1.7076147010 * s))};
}

// The circle sampled once, finely enough that linear steps between entries are invisible; one
// extra entry closes it so that interpolation needs no wrap.
// Built at start-up rather than on first use, so the per-box lookup needs no guard.
const std::array<Rgb, kSteps + 1> kTable = [] {
    std::array<Rgb, kSteps + 1> t{};
    for (int k = 0; k <= kSteps; ++k) {
        t[k] = hueCircle(ColourWheel::kHueOfZero + kTwoPi * k / kSteps);
    }
    return t;
}();

Rgb phaseRgb(double argument) {
    // One turn ahead keeps atan2's range [-pi, pi] positive, so truncation is the floor.
    const double at = (argument * (1.0 / kTwoPi) + 1.0) * kSteps;
    if (!(at >= 0.0 && at < 1e9)) {
        return {0.5f, 0.5f, 0.5f};
    }
    const auto whole = static_cast<long long>(at);
    const float f = static_cast<float>(at - static_cast<double>(whole));
    const auto k = static_cast<std::size_t>(whole % kSteps);
    const Rgb& p = kTable[k];
    const Rgb& q = kTable[k + 1];
    return {p.r + (q.r - p.r) * f, p.g + (q.g - p.g) * f, p.b + (q.b - p.b) * f};
}

}  // namespace

double ColourWheel::bandPosition(double modulus) {
    if (!(modulus > 0.0)) {
        return 0.0;
    }
    if (!std::isfinite(modulus)) {
        return 1.0;
    }
    const double level = std::log2(modulus);
    return level - std::floor(level);
}

double ColourWheel::brightness(double modulus) {
    if (std::isnan(modulus)) {
        return 0.5;
    }
    // m / (1 + m) folds [0, inf] onto [0, 1]: the slow trend from zeros to poles.
    const double trend = std::isinf(modulus) ? 1.0 : modulus / (1.0 + modulus);
    return 0.08 + 0.62 * trend + 0.3 * bandPosition(modulus);
}

Color ColourWheel::phase(double argument) {
    const Rgb c = phaseRgb(argument);
    return Color::colorWithDeviceRed(c.r, c.g, c.b, 1.0);
}

Color ColourWheel::shade(CGPoint w, bool modulus, bool argument) {
    // Without hypot's care for overflow: a modulus beyond 1e154 is a pole's light either way.
    if (modulus && !argument) {
        return Color::colorWithDeviceWhite(brightness(std::sqrt(w.x * w.x + w.y * w.y)), 1.0);
    }
    const Rgb c = phaseRgb(std::atan2(w.y, w.x));
    if (!modulus) {
        return Color::colorWithDeviceRed(c.r, c.g, c.b, 1.0);
    }
    const double m = std::sqrt(w.x * w.x + w.y * w.y);
    // The enhanced phase portrait: the hue darkened towards each band's lower edge.
    const float k = static_cast<float>(0.55 + 0.45 * bandPosition(m));
    return Color::colorWithDeviceRed(c.r * k, c.g * k, c.b * k, 1.0);
}

}  // namespace zw
