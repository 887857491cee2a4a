#include "engine/Morph.h"

namespace zw {

namespace engine {
bool morphing = false;
std::complex<double> morphT{1.0, 0.0};
ComplexFunction morphBase = nullptr;
}  // namespace engine

CGPoint morphFunction(CGPoint z) {
    const std::complex<double> t = engine::morphT;
    if (t == 0.0 || engine::morphBase == nullptr) {
        return z;
    }
    const CGPoint f = engine::morphBase(z);
    if (t == 1.0) {
        return f;
    }
    const std::complex<double> w =
        (1.0 - t) * std::complex<double>(z.x, z.y) + t * std::complex<double>(f.x, f.y);
    return {w.real(), w.imag()};
}

Jet morphJet(const Jet& f, std::complex<double> z, std::complex<double> t) {
    if (t == 0.0) {
        return {z, {1.0, 0.0}, {}};
    }
    if (t == 1.0) {
        return f;
    }
    return {(1.0 - t) * z + t * f.value, (1.0 - t) + t * f.dz, t * f.dzbar};
}

}  // namespace zw
