#include "roots/Features.h"

#include <algorithm>
#include <cmath>

namespace zw::roots {

namespace {

std::vector<Feature> features(const PreimageSet& set) {
    std::vector<Feature> list;
    for (const Preimage& p : set.points) {
        list.push_back({p.z, p.multiplicity});
    }
    return list;
}

}  // namespace

FeatureSet findFeatures(const Map& f, CGRect region, const PreimageOptions& options) {
    FeatureSet result;
    const PreimageSet zeros = findPreimages(f, 0.0, region, options);

    // 1/f has its zeros at f's poles, of the same order.
    const Map reciprocal = [&f](Complex z) {
        const Jet j = f(z);
        const Complex r = 1.0 / j.value;
        return Jet{r, -j.dz * r * r, -j.dzbar * r * r};
    };
    const PreimageSet poles = findPreimages(reciprocal, 0.0, region, options);

    // f' with its own derivative from a forward difference of f', which costs one more
    // evaluation where a central one costs two: enough for Newton to find where f' vanishes,
    // which is all that is asked of it. Only where f is holomorphic.
    const double step = 0x1p-24 * std::max(region.size.width, region.size.height);
    const Map slope = [&f, step](Complex z) {
        const Jet j = f(z);
        if (j.dzbar != Complex(0.0, 0.0)) {
            const double nan = std::nan("");
            return Jet{{nan, nan}, {nan, nan}, {}};
        }
        const double h = std::max(step, 0x1p-26 * std::abs(z));
        const Complex second = (f(z + h).dz - j.dz) / h;
        return Jet{j.dz, second, {}};
    };
    const PreimageSet critical = findPreimages(slope, 0.0, region, options);

    result.zeros = features(zeros);
    result.poles = features(poles);
    result.criticalPoints = features(critical);
    for (const PreimageSet* set : {&zeros, &poles, &critical}) {
        result.certain = result.certain && set->certain && set->leftOut == 0;
        result.evaluations += set->evaluations;
    }
    // What both the zeros' and the poles' scans could not judge is a singularity of f itself.
    for (Complex p : zeros.unresolvedAt) {
        for (Complex q : poles.unresolvedAt) {
            if (std::abs(p - q) <= 0x1p-10 * std::max(region.size.width, region.size.height)) {
                result.unresolvedAt.push_back(p);
                break;
            }
        }
    }
    return result;
}

}  // namespace zw::roots
