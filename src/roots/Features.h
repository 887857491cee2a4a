#pragma once

#include <vector>

#include "roots/Preimages.h"

namespace zw::roots {

// A zero, pole or critical point of f and its order (for a critical point, the order of the
// zero of f' there).
struct Feature {
    Complex z;
    int order = 1;
};

struct FeatureSet {
    std::vector<Feature> zeros;
    std::vector<Feature> poles;
    std::vector<Feature> criticalPoints;
    // Points that no scan could judge: where f has an essential singularity, for instance.
    std::vector<Complex> unresolvedAt;
    // All three lists are complete for the region.
    bool certain = true;
    long evaluations = 0;
};

// The zeros, poles and critical points of f in the region: the preimages of 0 under f, 1/f and
// f'. A branch cut is neither (the scan sees a jump there, not a winding). Critical points are
// polished by Newton's method with a difference quotient for f'', so they are found where f' is
// within the usual tolerance of 0, not to the last bit.
FeatureSet findFeatures(const Map& f, CGRect region, const PreimageOptions& options = {});

}  // namespace zw::roots
