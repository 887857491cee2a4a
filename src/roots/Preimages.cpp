#include "roots/Preimages.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "roots/Scanner.h"

namespace zw::roots {

namespace {

using scanning::Box;
using scanning::Scanner;

bool usable(Complex c) {
    return scanning::finite(c);
}

bool usable(CGRect r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height) && std::isfinite(r.origin.x + r.size.width) &&
           std::isfinite(r.origin.y + r.size.height);
}

// Links each fresh point to the nearest earlier branch (followed position where there is one)
// that has room: a branch of multiplicity m continues into at most m points.
void link(std::vector<Preimage>& fresh, const std::vector<Preimage>& previous,
          const std::vector<std::optional<scanning::Sample>>& followed) {
    struct Pair {
        double distance;
        std::size_t point, branch;
    };
    std::vector<Pair> pairs;
    for (std::size_t p = 0; p < fresh.size(); ++p) {
        for (std::size_t b = 0; b < previous.size(); ++b) {
            const Complex at = followed[b] ? followed[b]->z : previous[b].z;
            pairs.push_back({modulus(fresh[p].z - at), p, b});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
    std::vector<int> room;
    for (const Preimage& p : previous) {
        room.push_back(p.multiplicity);
    }
    for (const Pair& pair : pairs) {
        Preimage& point = fresh[pair.point];
        if (point.from < 0 && room[pair.branch] > 0) {
            point.from = static_cast<int>(pair.branch);
            room[pair.branch] -= 1;
        }
    }
}

}  // namespace

PreimageSet findPreimages(const Map& f, Complex w, CGRect region, const PreimageOptions& options) {
    if (!usable(w) || !usable(region)) {
        PreimageSet result;
        result.certain = false;
        result.doubt = Doubt::BadInput;
        return result;
    }
    if (!(region.size.width > 0.0) || !(region.size.height > 0.0)) {
        PreimageSet result;  // no interior, nothing in it
        result.boundaryWinding = 0;
        return result;
    }
    Scanner scanner(f, w, options, options.maxEvaluations);
    return scanner.scan(region);
}

PreimageSet continuePreimages(const Map& f, const PreimageSet& previous, Complex wPrevious,
                              Complex wNext, CGRect region, const PreimageOptions& options) {
    if (!usable(wPrevious) || !usable(wNext) || !usable(region) || !(region.size.width > 0.0) ||
        !(region.size.height > 0.0)) {
        return findPreimages(f, wNext, region, options);
    }
    Scanner follower(f, wNext, options, options.maxEvaluations);
    const double merge = follower.mergeRadius(region);
    std::vector<std::optional<scanning::Sample>> followed(previous.points.size());
    bool whole = previous.certain && previous.leftOut == 0 && previous.boundaryWinding;
    for (std::size_t k = 0; k < previous.points.size(); ++k) {
        const Preimage& p = previous.points[k];
        if (p.multiplicity == 1) {
            followed[k] = follower.track(p.z, p.at, wPrevious);
        }
        whole = whole && followed[k].has_value();
    }

    if (whole) {
        // The count inside changes by as much as the edge's winding number: poles do not move.
        // While w stays within the edge's clearance no preimage can have reached the edge, and
        // the winding number is the one before.
        const double moved = modulus(wNext - wPrevious);
        double clearance = previous.edgeClearance - moved;
        std::optional<int> edge = previous.boundaryWinding;
        if (!(clearance > 0.0)) {
            edge = follower.boundaryWinding(region);
            clearance = follower.edgeClearance();
        }
        int expected = edge ? *edge - *previous.boundaryWinding : 0;
        for (const Preimage& p : previous.points) {
            expected += p.multiplicity;
        }
        PreimageSet result;
        result.points.reserve(followed.size());
        const Box box{region.origin.x, region.origin.x + region.size.width, region.origin.y,
                      region.origin.y + region.size.height};
        for (std::size_t k = 0; k < followed.size(); ++k) {
            const scanning::Sample& s = *followed[k];
            if (box.contains(s.z, 0.0)) {
                result.points.push_back(
                    {s.z, 1, static_cast<int>(k), {s.g + wNext, s.dz, s.dzbar}});
            }
        }
        bool apart = true;
        for (std::size_t i = 0; i < result.points.size(); ++i) {
            for (std::size_t j = i + 1; j < result.points.size(); ++j) {
                apart = apart && modulus(result.points[i].z - result.points[j].z) > merge;
            }
        }
        if (edge && apart && static_cast<int>(result.points.size()) == expected &&
            expected <= options.maxPreimages && !follower.exhausted()) {
            result.boundaryWinding = edge;
            result.edgeClearance = clearance;
            result.evaluations = follower.evaluations();
            return result;
        }
    }

    PreimageOptions rest = options;
    rest.maxEvaluations = std::max(0L, options.maxEvaluations - follower.evaluations());
    PreimageSet result = findPreimages(f, wNext, region, rest);
    result.evaluations += follower.evaluations();
    link(result.points, previous.points, followed);
    return result;
}

}  // namespace zw::roots
