#pragma once

#include <string>

#include "app/LinkedCursor.h"
#include "engine/ActiveFunction.h"
#include "platform/Geometry.h"

namespace zw {

// The texts of the status bar. Numbers are written the same whatever the user's locale.
class StatusText {
  public:
    // Three decimals; very large or small magnitudes in exponent form.
    static std::string number(double value);
    // "0.500 + 1.250i"; "∞" or "undefined" for a point that is not finite.
    static std::string complex(CGPoint z);
    // "z = …    f(z) = …" over the domain, "w = …    f⁻¹(w) = …" over the range, "" elsewhere.
    static std::string pointer(const LinkedCursor::Reading& reading);
    // A scale factor as a magnification: "×1", "×4", "×1/8", "×2^40", "×2^-40".
    static std::string zoom(float scaleFactor);
    static std::string zooms(float domainScale, float rangeScale);
    // The current function as the user chose it: the catalogue title, a typed map with its
    // coefficients, or a formula.
    static std::string functionName(const ActiveFunction& function);
};

}  // namespace zw
