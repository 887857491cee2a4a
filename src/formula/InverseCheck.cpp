#include "formula/InverseCheck.h"

#include <array>
#include <charconv>
#include <cmath>

#include "formula/FormulaParser.h"

namespace zw {

namespace {

using Complex = FormulaProgram::Complex;

// Coordinates for an 8 x 8 spread over the part of the plane the views show at start: both
// signs, off the axes, off ±1 and ±i, and off the multiples of pi/2, where the branch cuts
// and poles of the usual functions lie.
constexpr std::array<double, 8> kCoordinates{-2.71, -1.83, -1.12, -0.37, 0.29, 0.91, 1.67, 2.53};

bool isFinite(Complex c) {
    return std::isfinite(c.real()) && std::isfinite(c.imag());
}

// Six significant digits, with a '.' whatever the locale.
std::string number(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 6);
    return std::string(buffer.data(), result.ptr);
}

std::string complexText(Complex c) {
    const double im = c.imag();
    return number(c.real()) + (std::signbit(im) ? " - " : " + ") + number(std::fabs(im)) + "i";
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos;
}

}  // namespace

std::optional<InverseMiss> inverseMiss(const FormulaProgram& f, const FormulaProgram& g) {
    int counted = 0;
    int failed = 0;
    std::optional<InverseMiss> first;
    for (double x : kCoordinates) {
        for (double y : kCoordinates) {
            const Complex w = f.evaluate({x, y});
            const Complex z = g.evaluate(w);
            const Complex back = f.evaluate(z);
            if (!isFinite(w) || !isFinite(z) || !isFinite(back)) {
                continue;
            }
            ++counted;
            if (std::abs(back - w) > kInverseTolerance * std::abs(w)) {
                ++failed;
                if (!first) {
                    first = InverseMiss{w, back};
                }
            }
        }
    }
    if (2 * failed > counted) {
        return first;
    }
    return std::nullopt;
}

std::string inverseFault(std::string_view formula, std::string_view inverse,
                         const ParameterValues& values) {
    if (isBlank(inverse)) {
        return {};
    }
    FormulaProgram f;
    FormulaProgram g;
    FormulaError error;
    if (!FormulaParser::compile(formula, "z", f, error, values) ||
        !FormulaParser::compile(inverse, "w", g, error, values)) {
        return {};
    }
    const std::optional<InverseMiss> miss = inverseMiss(f, g);
    if (!miss) {
        return {};
    }
    return "not an inverse of f: f(inverse(w)) = " + complexText(miss->back) +
           " at w = " + complexText(miss->w);
}

}  // namespace zw
