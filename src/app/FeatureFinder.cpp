#include "app/FeatureFinder.h"

#include <algorithm>
#include <cmath>

#include "app/StatusText.h"
#include "engine/Transformations.h"
#include "roots/SolverMaps.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

bool sameFunction(const ActiveFunction& a, const ActiveFunction& b) {
    return a.kind == b.kind && a.title == b.title && a.coefficients == b.coefficients &&
           a.formula == b.formula;
}

// A part within the solver's tolerance of zero is zero: -1e-23i would read as noise.
CGPoint pointOf(roots::Complex z) {
    const double scale = roots::kTolerance * (1 + std::abs(z));
    return {std::fabs(z.real()) <= scale ? 0.0 : z.real(),
            std::fabs(z.imag()) <= scale ? 0.0 : z.imag()};
}

// The middle of the box round some points.
roots::Complex middleOf(const std::vector<roots::Complex>& points) {
    double x0 = points.front().real(), x1 = x0, y0 = points.front().imag(), y1 = y0;
    for (const roots::Complex p : points) {
        x0 = std::min(x0, p.real());
        x1 = std::max(x1, p.real());
        y0 = std::min(y0, p.imag());
        y1 = std::max(y1, p.imag());
    }
    return {(x0 + x1) / 2.0, (y0 + y1) / 2.0};
}

// Where a singularity lies that the solver could only ring with unjudged points: somewhere
// within the ring, whose middle leans towards where the scan began (it reports the first few
// points only). It is given to the decimal step no finer than the ring's reach, the precision
// that is known: exp(1/z) is marked at 0, not at −0.004i.
roots::Complex closeIn(const std::vector<roots::Complex>& ring) {
    const roots::Complex middle = middleOf(ring);
    double reach = 0.0;
    for (const roots::Complex p : ring) {
        reach = std::max(reach, std::abs(p - middle));
    }
    if (!(reach > 0.0)) {
        return middle;
    }
    const double step = std::pow(10.0, std::ceil(std::log10(reach)));
    const auto snap = [step](double v) {
        const double snapped = std::round(v / step) * step;
        return std::isfinite(snapped) ? snapped + 0.0 : v;
    };
    return {snap(middle.real()), snap(middle.imag())};
}

}  // namespace

void FeatureFinder::marksOf(const roots::FeatureSet& set, const roots::Map& f, double near,
                            std::vector<FeatureMark>& domainMarks,
                            std::vector<FeatureMark>& rangeMarks) {
    using Kind = FeatureMark::Kind;
    // Zeros and poles crowding in on an essential singularity (the poles 1/(2πik) of
    // 1/(e^(1/z) − 1) round 0) are left to its mark, which stands for everything near it.
    const auto unjudged = [&](roots::Complex z) {
        return std::any_of(set.unresolvedAt.begin(), set.unresolvedAt.end(),
                           [&](roots::Complex p) { return std::abs(z - p) <= near; });
    };
    for (const roots::Feature& zero : set.zeros) {
        if (!unjudged(zero.z)) {
            domainMarks.push_back({Kind::Zero, pointOf(zero.z), zero.order});
        }
    }
    for (const roots::Feature& pole : set.poles) {
        if (!unjudged(pole.z)) {
            domainMarks.push_back({Kind::Pole, pointOf(pole.z), pole.order});
        }
    }
    for (const roots::Feature& critical : set.criticalPoints) {
        if (unjudged(critical.z)) {
            continue;
        }
        domainMarks.push_back({Kind::CriticalPoint, pointOf(critical.z), critical.order});
        const roots::Complex w = f(critical.z).value;
        if (std::isfinite(w.real()) && std::isfinite(w.imag())) {
            rangeMarks.push_back({Kind::CriticalValue, pointOf(w), critical.order});
        }
    }
    // The solver reports a few points round a singularity it cannot judge, each standing for
    // those near it: one mark for each cluster.
    std::vector<bool> taken(set.unresolvedAt.size(), false);
    for (std::size_t i = 0; i < set.unresolvedAt.size(); ++i) {
        if (taken[i]) {
            continue;
        }
        std::vector<roots::Complex> cluster;
        for (std::size_t j = i; j < set.unresolvedAt.size(); ++j) {
            if (!taken[j] && std::abs(set.unresolvedAt[j] - set.unresolvedAt[i]) <= near) {
                taken[j] = true;
                cluster.push_back(set.unresolvedAt[j]);
            }
        }
        domainMarks.push_back({Kind::Essential, pointOf(closeIn(cluster)), 1});
    }
}

void FeatureFinder::refresh(const Transformations& engine, DomainView& domain, RangeView& range) {
    const CGRect region = domain.viewport().regionAround(kMargin);
    const ActiveFunction& active = engine.activeFunction();
    if (!valid_ || !sameFunction(active, function_) || !(region == region_) ||
        values_ != engine.parameterValues() || morph_ != engine.morphing()) {
        domainMarks_.clear();
        rangeMarks_.clear();
        if (const roots::Map f = roots::activeMap(engine)) {
            roots::PreimageOptions options;
            options.maxEvaluations = kBudget / 3;
            // Zeros, poles and critical points are few and far between in a view: a coarse
            // grid, refined where anything winds, finds them for a third of the work.
            options.gridCells = kGridCells;
            const roots::FeatureSet set = roots::findFeatures(f, region, options);
            marksOf(set, f, 4.0 * domain.unitSize(), domainMarks_, rangeMarks_);
        }
        valid_ = true;
        function_ = active;
        values_ = engine.parameterValues();
        morph_ = engine.morphing();
        region_ = region;
    }
    if (domain.featureMarks != domainMarks_) {
        domain.featureMarks = domainMarks_;
        domain.setNeedsCompleteRedraw();
    }
    if (range.featureMarks != rangeMarks_) {
        range.featureMarks = rangeMarks_;
        range.needsCompleteRedraw = true;
        range.setNeedsDisplay(true);
    }
}

void FeatureFinder::clear(DomainView& domain, RangeView& range) {
    valid_ = false;
    domainMarks_.clear();
    rangeMarks_.clear();
    domain.featureMarks.clear();
    range.featureMarks.clear();
    domain.setNeedsCompleteRedraw();
    range.needsCompleteRedraw = true;
    range.setNeedsDisplay(true);
}

std::string FeatureFinder::nameUnder(const PlaneView& plane, CGPoint position) {
    const std::optional<FeatureMark> mark = featureMarkAt(plane, plane.featureMarks, position);
    return mark ? StatusText::feature(*mark, plane.unitSize()) : std::string();
}

}  // namespace zw
