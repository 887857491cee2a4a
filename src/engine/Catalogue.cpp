#include "engine/Catalogue.h"

#include "platform/Translatable.h"

namespace zw::catalogue {

namespace {

const std::array<Entry, kCount> kFunctions{{
    {"Identity", QT_TRANSLATE_NOOP("zw::Catalogue", "w = z; inverse: itself"), identity, identity,
     identityJet},
    {"Exponentiate", QT_TRANSLATE_NOOP("zw::Catalogue", "w = eᶻ; no inverse"), exponentiate,
     nullptr, exponentiateJet},
    {"Square", QT_TRANSLATE_NOOP("zw::Catalogue", "w = z²; no inverse"), square, nullptr,
     squareJet},
    {"Cube", QT_TRANSLATE_NOOP("zw::Catalogue", "w = z³; no inverse"), cube, nullptr, cubeJet},
    {"Fourth Power", QT_TRANSLATE_NOOP("zw::Catalogue", "w = z⁴; no inverse"), biquadrant, nullptr,
     biquadrantJet},
    {"Hyperbolic Plane To Disk",
     QT_TRANSLATE_NOOP(
         "zw::Catalogue",
         "w = (z − i)/(z + i), upper half-plane onto the unit disk; inverse: Hyperbolic Disk to "
         "Plane"),
     hyperbolic, inverseHyperbolic, hyperbolicJet},
    {"Hyperbolic Disk to Plane",
     QT_TRANSLATE_NOOP("zw::Catalogue", "w = i(1 + z)/(1 − z); inverse: Hyperbolic Plane To Disk"),
     inverseHyperbolic, hyperbolic, inverseHyperbolicJet},
    {"Invert", QT_TRANSLATE_NOOP("zw::Catalogue", "w = 1/z; inverse: itself"), invert, invert,
     invertJet},
    {"Negate", QT_TRANSLATE_NOOP("zw::Catalogue", "w = −z; inverse: itself"), negate, negate,
     negateJet},
    {"Sin", QT_TRANSLATE_NOOP("zw::Catalogue", "w = sin z; no inverse"), csin, nullptr, csinJet},
    {"Cos", QT_TRANSLATE_NOOP("zw::Catalogue", "w = cos z; no inverse"), ccos, nullptr, ccosJet},
    {"Tan", QT_TRANSLATE_NOOP("zw::Catalogue", "w = tan z; no inverse"), ctan, nullptr, ctanJet},
    {"Sinh", QT_TRANSLATE_NOOP("zw::Catalogue", "w = sinh z; no inverse"), csinh, nullptr,
     csinhJet},
    {"Cosh", QT_TRANSLATE_NOOP("zw::Catalogue", "w = cosh z; no inverse"), ccosh, nullptr,
     ccoshJet},
    {"Tanh", QT_TRANSLATE_NOOP("zw::Catalogue", "w = tanh z; no inverse"), ctanh, nullptr,
     ctanhJet},
    {"exp(1/z)", QT_TRANSLATE_NOOP("zw::Catalogue", "w = e^(1/z); no inverse"), expinv, nullptr,
     expinvJet},
    {"1/(exp(1/z)-1)", QT_TRANSLATE_NOOP("zw::Catalogue", "w = 1/(e^(1/z) − 1); no inverse"),
     expnoniso, nullptr, expnonisoJet},
    {"Custom Function",
     QT_TRANSLATE_NOOP("zw::Catalogue",
                       "w = (x + 1/x) + i(y + 1/y) for z = x + iy, part by part; no inverse"),
     custom, nullptr, customJet},
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
