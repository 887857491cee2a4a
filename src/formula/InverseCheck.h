#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formula/FormulaParser.h"
#include "formula/FormulaProgram.h"

namespace zw {

// A point where a typed inverse g does not undo f: w, a value of f, and f(g(w)) there.
struct InverseMiss {
    FormulaProgram::Complex w;
    FormulaProgram::Complex back;
};

// Whether g undoes f: f(g(w)) = w to within a relative kInverseTolerance at the values w = f(z)
// of a fixed spread of points z. Only where w, g(w) and f(g(w)) are all finite does a point
// count; g is refused when it fails at more than half of those, and the first failure is
// returned. Values of f are taken rather than any w, since g need undo f only where f goes: a
// principal branch such as sqrt(w) for z^2, asin(w) for sin(z) or tan(w) for atan(z) passes.
inline constexpr double kInverseTolerance = 1e-6;
std::optional<InverseMiss> inverseMiss(const FormulaProgram& f, const FormulaProgram& g);

// The same for texts: f in z and the inverse in w. What is wrong, for a person, with one point
// where it fails; empty when the inverse undoes f, is blank, or either text does not read
// (the parser says what is wrong with those).
// Parameters are taken at `values` (at their default where it names none of them).
std::string inverseFault(std::string_view formula, std::string_view inverse,
                         const ParameterValues& values = {});

}  // namespace zw
