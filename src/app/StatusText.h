#pragma once

#include <cstddef>
#include <string>

#include "app/LinkedCursor.h"
#include "planes/FeatureMark.h"
#include "platform/Geometry.h"

namespace zw {

// The texts of the status bar. Numbers are written the same whatever the user's locale.
class StatusText {
  public:
    // Three decimals; very large or small magnitudes in exponent form. In a plane zoomed in so
    // far that three decimals no longer tell one pixel (unitSize) from the next, one more than
    // the pixel's size needs. "undefined" for NaN.
    static std::string number(double value, double unitSize = 0.01);
    // "0.500 + 1.250i"; "∞" for a point with an infinite part, "undefined" for one with NaN.
    static std::string complex(CGPoint z, double unitSize = 0.01);
    // "z = …    f(z) = …" over the domain, "" elsewhere. Over the range "w = …" and its
    // preimages: "w = …    2 preimages: …, …", the first kListedPreimages of them and "..." for
    // the rest; "w = …    f⁻¹(w) = …" when f⁻¹(w) is the only one or none is in view. Then
    // "(12 left out)" for those past the solver's cap, and "(search incomplete)" where the
    // solver stopped short.
    static std::string pointer(const LinkedCursor::Reading& reading);
    static constexpr std::size_t kListedPreimages = 3;
    // A scale factor as a magnification: "×1", "×4", "×1/8", "×2^40", "×2^-40".
    static std::string zoom(float scaleFactor);
    static std::string zooms(float domainScale, float rangeScale);
    // Why nothing of f is drawn, or "" while something can be.
    static std::string note(bool nowhereFinite);
    // What a mark stands for: "zero of order 2 at 2.000 + 1.000i", "pole of order 1 at …",
    // "critical point of order 1 at …", "critical value at …", "essential singularity at …".
    // The window shows them in its language through the same wording's patterns
    // (qt/Translation.cpp): a change of wording here is one there too.
    static std::string feature(const FeatureMark& mark, double unitSize = 0.01);
};

}  // namespace zw
