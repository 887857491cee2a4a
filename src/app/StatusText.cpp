#include "app/StatusText.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace zw {

namespace {

constexpr std::string_view kGap = "    ";

std::string shortest(float value) {
    if (value == 0.0f) {
        return "0";  // also for -0
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A coefficient a + bi written as short as it reads: "2", "-1.5i", "1 + 2i".
std::string coefficient(float re, float im) {
    if (im == 0.0f) {
        return shortest(re);
    }
    const std::string imaginary = (std::fabs(im) == 1.0f ? "" : shortest(std::fabs(im))) + "i";
    if (re == 0.0f) {
        return (im < 0.0f ? "-" : "") + imaginary;
    }
    return shortest(re) + (im < 0.0f ? " - " : " + ") + imaginary;
}

std::string userMapName(const ActiveFunction& f) {
    const auto& k = f.coefficients;  // aR aI bR bI cR cI dR dI
    if (f.title == "usersMobiusMap") {
        return "Möbius map (az + b)/(cz + d), a = " + coefficient(k[0], k[1]) +
               ", b = " + coefficient(k[2], k[3]) + ", c = " + coefficient(k[4], k[5]) +
               ", d = " + coefficient(k[6], k[7]);
    }
    if (f.title == "usersPolynomial") {
        return "Cubic polynomial az³ + bz² + cz + d, a = " + coefficient(k[0], k[1]) +
               ", b = " + coefficient(k[2], k[3]) + ", c = " + coefficient(k[4], k[5]) +
               ", d = " + coefficient(k[6], k[7]);
    }
    if (f.title == "usersAffineMap") {
        // The affine dialog's fields: aR, bR translate; aI, bI, cI, dI are the matrix.
        return "Affine map (u + ax + cy) + i(v + bx + dy), u = " + shortest(k[0]) +
               ", v = " + shortest(k[2]) + ", a = " + shortest(k[1]) + ", b = " + shortest(k[3]) +
               ", c = " + shortest(k[5]) + ", d = " + shortest(k[7]);
    }
    return f.title;
}

}  // namespace

std::string StatusText::number(double value) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value > 0 ? "∞" : "-∞");
    }
    const double magnitude = std::fabs(value);
    const bool exponent = magnitude >= 1e9 || (magnitude != 0.0 && magnitude < 5e-4);
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      exponent ? std::chars_format::scientific : std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    if (text == "-0.000") {
        text.erase(0, 1);
    }
    return text;
}

std::string StatusText::complex(CGPoint z) {
    if (std::isnan(z.x) || std::isnan(z.y)) {
        return "undefined";
    }
    if (!std::isfinite(z.x) || !std::isfinite(z.y)) {
        return "∞";
    }
    std::string im = number(z.y);
    const bool negative = im.front() == '-';
    if (negative) {
        im.erase(0, 1);
    }
    return number(z.x) + (negative ? " - " : " + ") + im + "i";
}

std::string StatusText::pointer(const LinkedCursor::Reading& reading) {
    switch (reading.pane) {
        case LinkedCursor::Pane::Domain:
            return "z = " + complex(reading.point) + std::string(kGap) +
                   "f(z) = " + complex(reading.image);
        case LinkedCursor::Pane::Range: {
            std::string text = "w = " + complex(reading.point);
            if (reading.hasImage) {
                text += std::string(kGap) + "f⁻¹(w) = " + complex(reading.image);
            }
            return text;
        }
        case LinkedCursor::Pane::None:
            break;
    }
    return {};
}

std::string StatusText::zoom(float scaleFactor) {
    int e = 0;
    const float mantissa = std::frexp(scaleFactor, &e);
    if (mantissa != 0.5f) {
        return "×" + shortest(scaleFactor);  // not a power of two: say it as it is
    }
    const int power = e - 1;
    if (power >= 0 && power <= 16) {
        return "×" + std::to_string(1L << power);
    }
    if (power < 0 && power >= -16) {
        return "×1/" + std::to_string(1L << -power);
    }
    return "×2^" + std::to_string(power);
}

std::string StatusText::zooms(float domainScale, float rangeScale) {
    return "zoom z " + zoom(domainScale) + "  w " + zoom(rangeScale);
}

std::string StatusText::functionName(const ActiveFunction& function) {
    switch (function.kind) {
        case ActiveFunction::Kind::Catalogue:
            return function.title;
        case ActiveFunction::Kind::UserMap:
            return userMapName(function);
        case ActiveFunction::Kind::Formula:
            return "w = " + function.formula;
    }
    return function.title;
}

}  // namespace zw
