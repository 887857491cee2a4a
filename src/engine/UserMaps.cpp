#include "engine/UserMaps.h"

#include "platform/Log.h"

namespace zw {

namespace engine {
float aRm = 0, aIm = 0, bRm = 0, bIm = 0, cRm = 0, cIm = 0, dRm = 0, dIm = 0;
float aRp = 0, aIp = 0, bRp = 0, bIp = 0, cRp = 0, cIp = 0, dRp = 0, dIp = 0;
float a = 0, b = 0, c = 0, d = 0, u = 0, v = 0;
}  // namespace engine

namespace {
// A Möbius map whose denominator vanishes returns the origin: finite, so callers can draw it.
constexpr CGPoint kMobiusFallback{0.0, 0.0};
}  // namespace

// Everything below the rounding of x and y is single precision, summed left to right.
CGPoint usersMobiusMap(CGPoint z) {
    using namespace engine;
    const float x = static_cast<float>(z.x);
    const float y = static_cast<float>(z.y);
    const float aR = aRm, aI = aIm, bR = bRm, bI = bIm, cR = cRm, cI = cIm, dR = dRm, dI = dIm;
    const float den = cR * cR * x * x + dR * (2 * cR * x) + cI * cI * y * y + dR * (-2 * cI * y) +
                      dR * dR + cR * cR * y * y + dI * (2 * cR * y) + cI * cI * x * x +
                      dI * (2 * cI * x) + dI * dI;
    if (den == 0.0f) {
        log("usersMobiusMap: Division by zero!");
        engine::standIn = Outcome::Pole;
        return kMobiusFallback;
    }
    const float p = aR * x * x * cR + dR * aR * x + cI * aI * y * y - dR * aI * y + cR * bR * x -
                    cI * bR * y + dR * bR + cR * aR * y * y + dI * aR * y + cI * aI * x * x +
                    dI * aI * x + cR * bI * y + cI * bI * x + dI * bI;
    const float q = -aR * x * x * cI - dI * aR * x + cR * aI * y * y + dI * aI * y - cR * bR * y -
                    cI * bR * x - dI * bR - cI * aR * y * y + dR * aR * y + cR * aI * x * x +
                    dR * aI * x + cR * bI * x - cI * bI * y + dR * bI;
    return {static_cast<double>(p / den), static_cast<double>(q / den)};
}

CGPoint inverseUsersMobiusMap(CGPoint w) {
    using namespace engine;
    const float x = static_cast<float>(w.x);
    const float y = static_cast<float>(w.y);
    const float aR = aRm, aI = aIm, bR = bRm, bI = bIm, cR = cRm, cI = cIm, dR = dRm, dI = dIm;
    const float den = cR * cR * x * x + aR * (-2 * cR * x) + cI * cI * y * y + aR * (2 * cI * y) +
                      aR * aR + cR * cR * y * y + aI * (-2 * cR * y) + cI * cI * x * x +
                      aI * (-2 * cI * x) + aI * aI;
    if (den == 0.0f) {
        log("usersMobiusMap: Division by zero!");
        engine::standIn = Outcome::Pole;
        return kMobiusFallback;
    }
    const float p = -dR * x * x * cR + aR * dR * x - cI * dI * y * y - aR * dI * y + bR * cR * x -
                    bR * cI * y - aR * bR - cR * dR * y * y + aI * dR * y - cI * dI * x * x +
                    aI * dI * x + bI * cR * y + bI * cI * x - aI * bI;
    const float q = dR * x * x * cI - aI * dR * x - cR * dI * y * y + aI * dI * y - bR * cR * y -
                    bR * cI * x + aI * bR + cI * dR * y * y + aR * dR * y - cR * dI * x * x +
                    aR * dI * x + bI * cR * x - bI * cI * y - aR * bI;
    return {static_cast<double>(p / den), static_cast<double>(q / den)};
}

CGPoint usersPolynomial(CGPoint z) {
    using namespace engine;
    const float x = static_cast<float>(z.x);
    const float y = static_cast<float>(z.y);
    const float aR = aRp, aI = aIp, bR = bRp, bI = bIp, cR = cRp, cI = cIp, dR = dRp, dI = dIp;
    const float re = aR * x * x * x - 3 * aR * x * y * y - 3 * aI * x * x * y + aI * y * y * y +
                     bR * x * x - bR * y * y - 2 * bI * x * y + cR * x - cI * y + dR;
    const float im = 3 * aR * x * x * y - aR * y * y * y + aI * x * x * x - 3 * aI * x * y * y +
                     2 * bR * x * y + bI * x * x - bI * y * y + cR * y + cI * x + dI;
    return {static_cast<double>(re), static_cast<double>(im)};
}

CGPoint usersAffineMap(CGPoint z) {
    using namespace engine;
    const double x = z.x, y = z.y;
    return {u + (a * x + c * y), v + (b * x + d * y)};
}

// No test for a singular matrix: the inverse then yields infinities or NaN, which the
// drawing layer skips.
CGPoint inverseUsersAffineMap(CGPoint w) {
    using namespace engine;
    const float det = a * d - b * c;
    const double x = w.x, y = w.y;
    const double dt = det;
    return {(d * (x - u) - (y - v) * c) / dt, ((y - v) * a - b * (x - u)) / dt};
}

Jet usersMobiusMapJet(std::complex<double> z) {
    using namespace engine;
    using C = std::complex<double>;
    // Named apart from the affine map's a, b, c, d.
    const C ma(aRm, aIm), mb(bRm, bIm), mc(cRm, cIm), md(dRm, dIm);
    const C den = mc * z + md;
    // (az + b)/(cz + d) has derivative (ad − bc)/(cz + d)².
    return {(ma * z + mb) / den, (ma * md - mb * mc) / (den * den)};
}

Jet usersPolynomialJet(std::complex<double> z) {
    using namespace engine;
    using C = std::complex<double>;
    const C pa(aRp, aIp), pb(bRp, bIp), pc(cRp, cIp), pd(dRp, dIp);
    return {((pa * z + pb) * z + pc) * z + pd, (3.0 * pa * z + 2.0 * pb) * z + pc};
}

Jet usersAffineMapJet(std::complex<double> z) {
    using namespace engine;
    using C = std::complex<double>;
    const double x = z.real(), y = z.imag();
    const double ad = a, bd = b, cd = c, dd = d;
    // f_x = a + ib and f_y = c + id; f_z = (f_x − i f_y)/2, f_z̄ = (f_x + i f_y)/2.
    return {C(u + (ad * x + cd * y), v + (bd * x + dd * y)), C((ad + dd) / 2, (bd - cd) / 2),
            C((ad - dd) / 2, (bd + cd) / 2)};
}

}  // namespace zw
