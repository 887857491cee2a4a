#include "engine/Transformations.h"

#include <array>

#include "engine/ActiveFunction.h"
#include "engine/UserMaps.h"
#include "platform/Log.h"

namespace zw {

namespace engine {
ComplexFunction func = nullptr;
ComplexFunction funcinv = nullptr;
}  // namespace engine

namespace {

struct CatalogueEntry {
    const char* title;
    ComplexFunction forward;
    ComplexFunction inverse;  // null: the inverse stays as it was
};

// Compared in this order; the first equal title decides.
constexpr std::array<CatalogueEntry, 18> kCatalogue{{
    {"Identity", identity, identity},
    {"Exponentiate", exponentiate, nullptr},
    {"Square", square, nullptr},
    {"Cube", cube, nullptr},
    {"Fourth Power", biquadrant, nullptr},
    {"Hyperbolic Plane To Disk", hyperbolic, inverseHyperbolic},
    {"Hyperbolic Disk to Plane", inverseHyperbolic, hyperbolic},
    {"Invert", invert, invert},
    {"Negate", negate, negate},
    {"Sin", csin, nullptr},
    {"Cos", ccos, nullptr},
    {"Tan", ctan, nullptr},
    {"Sinh", csinh, nullptr},
    {"Cosh", ccosh, nullptr},
    {"Tanh", ctanh, nullptr},
    {"exp(1/z)", expinv, nullptr},
    {"1/(exp(1/z)-1)", expnoniso, nullptr},
    {"Custom Function", custom, nullptr},
}};

}  // namespace

void Transformations::setFunction(const std::string& title) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (title == entry.title) {
            engine::active = ActiveFunction{ActiveFunction::Kind::Catalogue, title, {}, {}, {}};
            engine::func = entry.forward;
            if (entry.inverse != nullptr) {
                engine::funcinv = entry.inverse;
            }
            return;
        }
    }
    log("unknown function specifed, namely %s, behaving as identity", title.c_str());
    engine::active = ActiveFunction{ActiveFunction::Kind::Catalogue, "Identity", {}, {}, {}};
    engine::func = identity;
    engine::funcinv = identity;
}

bool Transformations::isCatalogueTitle(const std::string& title) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (title == entry.title) {
            return true;
        }
    }
    return false;
}

CGPoint Transformations::transform(CGPoint z) const {
    return engine::func(z);
}

CGPoint Transformations::transformInv(CGPoint w) const {
    return engine::funcinv != nullptr ? engine::funcinv(w) : w;
}

const ActiveFunction& Transformations::activeFunction() const {
    return engine::active;
}

bool Transformations::hasInverse() const {
    const ComplexFunction f = engine::func;
    return f == usersAffineMap || f == inverseHyperbolic || f == invert || f == identity ||
           f == negate || f == hyperbolic || f == usersMobiusMap;
}

void Transformations::setParameters(const std::string& name, float aR, float aI, float bR, float bI,
                                    float cR, float cI, float dR, float dI) {
    if (name == "usersMobiusMap") {
        engine::aRm = aR, engine::aIm = aI, engine::bRm = bR, engine::bIm = bI;
        engine::cRm = cR, engine::cIm = cI, engine::dRm = dR, engine::dIm = dI;
        engine::func = usersMobiusMap;
        engine::funcinv = inverseUsersMobiusMap;
    } else if (name == "usersPolynomial") {
        engine::aRp = aR, engine::aIp = aI, engine::bRp = bR, engine::bIp = bI;
        engine::cRp = cR, engine::cIp = cI, engine::dRp = dR, engine::dIp = dI;
        engine::func = usersPolynomial;
    } else if (name == "usersAffineMap") {
        // The dialog's real parts of a and b carry the translation; cR and dR mean nothing.
        engine::a = aI, engine::b = bI, engine::c = cI, engine::d = dI;
        engine::u = aR, engine::v = bR;
        log("Transformations.setParameters here, setting affine parameters, a = %f, b = %f, "
            "c=%f, d=%f",
            static_cast<double>(engine::a), static_cast<double>(engine::b),
            static_cast<double>(engine::c), static_cast<double>(engine::d));
        engine::func = usersAffineMap;
        engine::funcinv = inverseUsersAffineMap;
    } else {
        log("setParameters called with unrecognisd function");
        return;
    }
    engine::active = ActiveFunction{
        ActiveFunction::Kind::UserMap, name, {aR, aI, bR, bI, cR, cI, dR, dI}, {}, {}};
}

}  // namespace zw
