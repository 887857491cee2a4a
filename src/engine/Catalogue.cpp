#include "engine/Catalogue.h"

namespace zw::catalogue {

namespace {

const std::array<Entry, kCount> kFunctions{{
    {"Identity", "w = z; inverse: itself", identity, identity},
    {"Exponentiate", "w = eᶻ; no inverse", exponentiate, nullptr},
    {"Square", "w = z²; no inverse", square, nullptr},
    {"Cube", "w = z³; no inverse", cube, nullptr},
    {"Fourth Power", "w = z⁴; no inverse", biquadrant, nullptr},
    {"Hyperbolic Plane To Disk",
     "w = (z − i)/(z + i), upper half-plane onto the unit disk; inverse: Hyperbolic Disk to "
     "Plane",
     hyperbolic, inverseHyperbolic},
    {"Hyperbolic Disk to Plane", "w = i(1 + z)/(1 − z); inverse: Hyperbolic Plane To Disk",
     inverseHyperbolic, hyperbolic},
    {"Invert", "w = 1/z; inverse: itself", invert, invert},
    {"Negate", "w = −z; inverse: itself", negate, negate},
    {"Sin", "w = sin z; no inverse", csin, nullptr},
    {"Cos", "w = cos z; no inverse", ccos, nullptr},
    {"Tan", "w = tan z; no inverse", ctan, nullptr},
    {"Sinh", "w = sinh z; no inverse", csinh, nullptr},
    {"Cosh", "w = cosh z; no inverse", ccosh, nullptr},
    {"Tanh", "w = tanh z; no inverse", ctanh, nullptr},
    {"exp(1/z)", "w = e^(1/z); no inverse", expinv, nullptr},
    {"1/(exp(1/z)-1)", "w = 1/(e^(1/z) − 1); no inverse", expnoniso, nullptr},
    {"Custom Function", "w = (x + 1/x) + i(y + 1/y) for z = x + iy, part by part; no inverse",
     custom, nullptr},
}};

}  // namespace

const std::array<Entry, kCount>& functions() {
    return kFunctions;
}

const Entry* find(std::string_view title) {
    for (const Entry& entry : kFunctions) {
        if (title == entry.title) {
            return &entry;
        }
    }
    return nullptr;
}

bool isUserMapName(std::string_view name) {
    return name == kMobiusMap || name == kPolynomial || name == kAffineMap;
}

}  // namespace zw::catalogue
