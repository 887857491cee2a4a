#include <algorithm>

#include "roots/Scanner.h"

// Newton's method from a cell's seed, what counts as a root, and the predictor-corrector step
// that follows one preimage from one w to the next.
namespace zw::roots::scanning {

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
        const Sample first = evaluate(predicted);
        const std::optional<Sample> corrected =
            modulus(first.g + shift) <= enough && settled(first, shift, 1)
                ? std::optional<Sample>(first)
                : polish(first, 1, target, enough);
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
