#include <algorithm>

#include "roots/Scanner.h"

// Newton's method from a cell's seed, what counts as a root, and the predictor-corrector step
// that follows one preimage from one w to the next.
namespace zw::roots::scanning {

namespace {

bool holomorphicAt(const Sample& s) {
    return finite(s.g) && finite(s.dz) && s.dz != Complex(0.0, 0.0) && s.dzbar == Complex(0.0, 0.0);
}

// Where the cubic that takes f's values and slopes at a and at b (Hermite's) is g, near b: a
// corrector from b that costs no evaluation. Newton's step from b leaves an error of the order
// of its own square; this one, of the square times the square of the way from a to b, which is
// short when following, so that one such step meets the bound where Newton's method takes two.
std::optional<Complex> hermiteStep(const Sample& a, const Sample& b, Complex g) {
    if (!holomorphicAt(a) || !holomorphicAt(b) || a.z == b.z) {
        return std::nullopt;
    }
    // The cubic in u = z − b.z: b.g + b.dz u + c2 u² + c3 u³. Divisions of complex numbers
    // cost several times their products: two reciprocals serve them all.
    const Complex d = b.z - a.z;
    const Complex overD = quotient(1.0, d);
    const Complex overSlope = quotient(1.0, b.dz);
    const Complex rise = a.g - b.g + b.dz * d;  // c2 d² − c3 d³
    const Complex c3 = (a.dz - b.dz + 2.0 * rise * overD) * (overD * overD);
    const Complex c2 = rise * (overD * overD) + c3 * d;
    Complex u = (g - b.g) * overSlope;
    for (int k = 0; k < 3; ++k) {
        u = (g - b.g - (c2 + c3 * u) * (u * u)) * overSlope;
    }
    if (!finite(u)) {
        return std::nullopt;
    }
    return b.z + u;
}

}  // namespace

std::optional<Complex> Scanner::newton(Complex z, int multiplicity, Complex target) {
    // The scan's points are polished far below the tolerance: they are compared with each other
    // to tell a double point from two.
    const double tolerance = kTolerance * (1.0 + modulus(target));
    const std::optional<Sample> s = polish(evaluate(z), multiplicity, target, tolerance * 1e-4);
    if (!s) {
        return std::nullopt;
    }
    return s->z;
}

std::optional<Sample> Scanner::polish(Sample s, int multiplicity, Complex target, double enough) {
    // g here is f − target; the samples hold f − w_.
    const Complex shift = w_ - target;
    const double tolerance = kTolerance * (1.0 + modulus(target));
    for (int i = 0; i < kNewtonIterations && !exhausted_; ++i) {
        const Complex g = s.g + shift;
        const double r = modulus(g);
        if (!std::isfinite(r)) {
            return std::nullopt;
        }
        if (r == 0.0) {
            return s;
        }
        if (!finite(s.dz) || !finite(s.dzbar)) {
            if (std::isnan(s.dz.real()) || std::isnan(s.dz.imag())) {
                noDerivative_ = true;
            }
            break;
        }
        Complex h = solve(s.dz, s.dzbar, -g) * static_cast<double>(multiplicity);
        if (!finite(h)) {
            break;
        }
        Sample next = evaluate(s.z + h);
        for (int k = 0; k < kNewtonHalvings && !exhausted_ && !(modulus(next.g + shift) < r); ++k) {
            h /= 2.0;
            next = evaluate(s.z + h);
        }
        const double rNext = modulus(next.g + shift);
        if (!(rNext < r)) {
            break;
        }
        const bool stalled = next.z == s.z || modulus(h) <= 4 * kEpsilon * modulus(s.z);
        s = next;
        if (rNext <= enough || (stalled && rNext <= tolerance)) {
            return settled(s, shift, multiplicity) ? std::optional<Sample>(s) : std::nullopt;
        }
    }
    if (std::abs(s.g + shift) <= tolerance && settled(s, shift, multiplicity)) {
        return s;
    }
    return std::nullopt;
}

bool Scanner::settled(const Sample& s, Complex shift, int multiplicity) const {
    // Small enough a value is not yet a root: e^(1/z) is below any tolerance just left of 0,
    // where it has none. At a root, the next step would be tiny too.
    const double next =
        modulus(solve(s.dz, s.dzbar, s.g + shift)) * static_cast<double>(multiplicity);
    return s.g + shift == Complex(0.0, 0.0) || next <= std::max(1e-6 * modulus(s.z), mergeRadius_);
}

void Scanner::record(Complex z, int multiplicity) {
    if (!box_.contains(z, 0.0)) {
        return;
    }
    for (Preimage& p : found_) {
        if (modulus(p.z - z) <= mergeRadius_) {
            p.multiplicity = std::max(p.multiplicity, multiplicity);
            return;
        }
    }
    if (static_cast<int>(found_.size()) >= options_.maxPreimages) {
        leftOut_ += multiplicity;
        return;
    }
    found_.push_back({z, multiplicity, -1});
}

void Scanner::trouble(Complex centre) {
    unresolved_ = true;
    const double apart = 0x1p-12 * std::max(box_.x1 - box_.x0, box_.y1 - box_.y0);
    if (trouble_.size() < kMaxTrouble &&
        std::none_of(trouble_.begin(), trouble_.end(),
                     [&](Complex p) { return modulus(p - centre) <= apart; })) {
        trouble_.push_back(centre);
    }
}

std::optional<Sample> Scanner::track(Complex z, const Jet& at, Complex from) {
    const Complex to = w_;
    double t = 0.0;
    double dt = 1.0;
    // f at z as the step before left it, when it was kept: then z costs no evaluation.
    const bool known = finite(at.value) && finite(at.dz) && finite(at.dzbar);
    Sample s = known ? Sample{z, at.value - w_, at.dz, at.dzbar} : evaluate(z);
    while (t < 1.0 && !exhausted_) {
        if (dt < 0x1p-16) {
            return std::nullopt;
        }
        const double t1 = std::min(1.0, t + dt);
        // The last step aims at w itself, not at a rounding of it.
        const Complex target = t1 == 1.0 ? to : from + (to - from) * t1;
        // Predictor: the tangent step, which is long where f' is small; the corrector must then
        // stay close to it or the step is halved.
        const Complex value = s.g + w_;
        const Complex h = solve(s.dz, s.dzbar, target - value);
        if (!finite(h)) {
            return std::nullopt;
        }
        const Complex predicted = s.z + h;
        // The corrector stops as soon as the point is within the bound, with room for the
        // rounding of whoever checks it: every further step would cost an evaluation, and the
        // next event starts from the value there, not from w.
        const Complex shift = w_ - target;
        const double enough = 0.25 * kTolerance * (1.0 + modulus(target));
        const auto within = [&](const Sample& x) {
            return modulus(x.g + shift) <= enough && settled(x, shift, 1);
        };
        const Sample first = evaluate(predicted);
        std::optional<Sample> corrected;
        if (within(first)) {
            corrected = first;
        } else if (const std::optional<Complex> z2 = hermiteStep(s, first, target - w_)) {
            const Sample second = evaluate(*z2);
            if (within(second)) {
                corrected = second;
            } else {
                const bool better = modulus(second.g + shift) < modulus(first.g + shift);
                corrected = polish(better ? second : first, 1, target, enough);
            }
        } else {
            corrected = polish(first, 1, target, enough);
        }
        if (corrected && modulus(corrected->z - predicted) <= 0.25 * modulus(h) + mergeRadius_) {
            t = t1;
            s = *corrected;
            dt = std::min(1.0, dt * 2.0);
        } else {
            dt /= 2.0;
        }
    }
    if (exhausted_) {
        return std::nullopt;
    }
    return s;
}

}  // namespace zw::roots::scanning
