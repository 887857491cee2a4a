#pragma once

#include <string>
#include <vector>

#include "engine/ActiveFunction.h"
#include "formula/FormulaParser.h"
#include "planes/FeatureMark.h"
#include "platform/Geometry.h"
#include "roots/Features.h"

namespace zw {

class DomainView;
class PlaneView;
class RangeView;
class Transformations;

// The zeros, poles and critical points of f over the domain's view, as marks in both planes:
// each in the domain, and each critical value in the range.
class FeatureFinder {
  public:
    // Finds them for the current f and the domain's view (and a margin, so that a mark half
    // inside is shown), unless neither changed since the last time, and hands them to the
    // planes.
    void refresh(const Transformations& engine, DomainView& domain, RangeView& range);
    // Takes the marks off both planes and forgets what was found.
    void clear(DomainView& domain, RangeView& range);

    // The marks of what the solver found: points it could not judge that lie within `near` of
    // one another are one essential singularity, marked at their middle to the precision that is
    // known.
    static void marksOf(const roots::FeatureSet& set, const roots::Map& f, double near,
                        std::vector<FeatureMark>& domainMarks,
                        std::vector<FeatureMark>& rangeMarks);
    // "zero of order 2 at 2.000 + 1.000i" for the mark under a view position of the plane, or
    // "" if there is none.
    static std::string nameUnder(const PlaneView& plane, CGPoint position);

    // Evaluations of f the three scans of one search may spend, a third each: a hostile f
    // costs a bounded wait, not a hang.
    static constexpr long kBudget = 300000;
    static constexpr double kMargin = 8.0;
    static constexpr int kGridCells = 23;

  private:
    bool valid_ = false;
    ActiveFunction function_;
    // A moved parameter or the morph changes f under the same record.
    ParameterValues values_;
    bool morph_ = false;
    CGRect region_{};
    std::vector<FeatureMark> domainMarks_;
    std::vector<FeatureMark> rangeMarks_;
};

}  // namespace zw
