#include "app/Controller.h"

#include <algorithm>
#include <cmath>

#include "engine/Catalogue.h"
#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"
#include "roots/SolverMaps.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

// Where a plane's view lies in its own view coordinates, as the refiners clip to it.
CGRect extentOf(const PlaneView& plane) {
    return {{0.0, 0.0},
            {static_cast<double>(plane.viewWidth), static_cast<double>(plane.viewHeight)}};
}

}  // namespace

// Where the engine has only a stand-in, the refiners see what f is there (infinite or NaN) and
// break the image, rather than drawing a chord to the stand-in.
Controller::Controller()
    : forward_([this](CGPoint z) { return transformations->evaluate(z).value(); },
               [this](CGPoint w) { return range->trueCoordinatesToViewCoordinates(w); }, CGRect{}),
      backward_([this](CGPoint w) { return transformations->evaluateInverse(w).value(); },
                [this](CGPoint z) { return domain->trueCoordinatesToViewCoordinates(z); },
                CGRect{}),
      pathStream_(
          forward_, [this] { return extentOf(*range); },
          [this](const ImageStream::Steps& steps) {
              for (const ImageRefiner::Step& step : steps) {
                  if (step.move) {
                      range->jumpPathTo(step.w);
                      domain->jumpTransformedPathTo(step.w);
                  } else {
                      range->addNewPointAt(step.w);
                      domain->addNewTransformedPointAt(step.w);
                  }
              }
          },
          ImageStream::Spacing::Uneven, ImageStream::Budget::PerSegment),
      gridStream_(
          forward_, [this] { return extentOf(*range); },
          [this](const ImageStream::Steps& steps) {
              for (const ImageRefiner::Step& step : steps) {
                  if (step.move) {
                      range->jumpTransformedGridlineTo(step.w);
                  } else {
                      range->addNewPointToTransformedGridlineAt(step.w);
                  }
              }
          },
          ImageStream::Spacing::Even, ImageStream::Budget::Pooled),
      inverseStream_(
          backward_, [this] { return extentOf(*domain); },
          [this](const ImageStream::Steps& steps) {
              for (const ImageRefiner::Step& step : steps) {
                  if (step.move) {
                      domain->jumpInverseGridlineTo(step.w);
                  } else {
                      domain->addNewPointToInverseGridlineAt(step.w);
                  }
              }
          },
          ImageStream::Spacing::Even, ImageStream::Budget::Pooled) {}

void Controller::awakeFromNib() {
    transformations->setFunction(catalogue::kInitialTitle);
    constructTransformedGridlines();
    showingDomainPaths = false;
}

CGPoint Controller::transform(CGPoint z) const {
    return transformations->transform(z);
}

void Controller::transformRow(const CGPoint* z, CGPoint* w, std::size_t n) const {
    transformations->transformRow(z, w, n);
}

bool Controller::transformsInParallel() const {
    return transformations->transformsInParallel();
}

CGPoint Controller::transformInv(CGPoint w) const {
    return transformations->transformInv(w);
}

CGPoint Controller::followed(const Evaluation& e) const {
    return followCurvesNearPoles ? e.value() : e.w;
}

void Controller::newDomainPathStartedAt(CGPoint z) {
    drawnInRange_.push_back(false);
    const Evaluation e = transformations->evaluate(z);
    pathStream_.start(z, followed(e));
    range->startNewPathAt(e.w);
    domain->startNewTransformedPathAt(e.w);
}

void Controller::newDomainPointAt(CGPoint z) {
    if (followCurvesNearPoles) {
        pathStream_.follow(z, transformations->evaluate(z).value());
        return;
    }
    const CGPoint w = transform(z);
    range->addNewPointAt(w);
    domain->addNewTransformedPointAt(w);
}

void Controller::updateRangeCoordinates(CGPoint z) {
    range->setTransformedCoords(transformations->evaluate(z).value());
    readoutShown_ = true;
}

void Controller::refreshReadouts() {
    // Before the pointer has been anywhere the range's readout shows no f(z) to refresh.
    if (readoutShown_ && range != nullptr && domain != nullptr) {
        range->setTransformedCoords(transformations->probe(domain->coords).value());
    }
}

void Controller::constructTransformedGridlines() {
    if (range == nullptr || domain == nullptr) {
        return;
    }
    checkValuesInView();
    refreshFeatures();
    if (!range->shouldShowTransformedGridlines()) {
        return;
    }
    range->clearTransformedGridlines();
    // The old images go even where nothing of the new ones can be drawn.
    setRangeNeedsCompleteRedraw();
    gridStream_.refill(kRebuildBudget);
    domain->constructTransformedGridlines();
}

void Controller::checkValuesInView() {
    // A lattice of the domain's view, its edges included: enough to tell a function that is
    // finite in the view from one that is finite nowhere (1/0, log(0)).
    constexpr int kSteps = 16;
    std::vector<CGPoint> points;
    points.reserve((kSteps + 1) * (kSteps + 1));
    for (int i = 0; i <= kSteps; ++i) {
        for (int j = 0; j <= kSteps; ++j) {
            points.push_back(domain->viewCoordinatesToTrueCoordinates(
                {domain->viewWidth * static_cast<double>(i) / kSteps,
                 domain->viewHeight * static_cast<double>(j) / kSteps}));
        }
    }
    nowhereFinite_ = !transformations->hasValueAtAny(points);
}

void Controller::startNewTransformedGridlineAt(CGPoint z) {
    const Evaluation e = transformations->evaluate(z);
    gridStream_.start(z, followed(e));
    range->startNewTransformedGridlineAt(e.w);
}

void Controller::addNewPointToTransformedGridlineAt(CGPoint z) {
    if (followCurvesNearPoles) {
        gridStream_.follow(z, transformations->evaluate(z).value());
        return;
    }
    range->addNewPointToTransformedGridlineAt(transform(z));
}

// A function that may run on any thread has no stand-ins: evaluate's outcome follows from w.
void Controller::startNewTransformedGridlineAt(CGPoint z, CGPoint w) {
    const Evaluation e = Evaluation::of(w);
    gridStream_.start(z, followed(e));
    range->startNewTransformedGridlineAt(e.w);
}

void Controller::addNewPointToTransformedGridlineAt(CGPoint z, CGPoint w) {
    if (followCurvesNearPoles) {
        gridStream_.follow(z, Evaluation::of(w).value());
        return;
    }
    range->addNewPointToTransformedGridlineAt(w);
}

void Controller::constructInverseGridlines() {
    if (range == nullptr || domain == nullptr) {
        return;
    }
    domain->clearInverseGridlines();
    domain->setNeedsCompleteRedraw();
    if (pullBackOnEveryBranch) {
        // The domain's view and a margin, so that a curve leaving the view runs on to its edge.
        constexpr double kMargin = 8.0;
        const CGRect region = domain->viewport().regionAround(kMargin);
        const double jump = std::max(40.0, 0.2 * std::max(domain->viewWidth, domain->viewHeight));
        branches_ = std::make_unique<BranchPullBack>(
            roots::activeMap(*transformations), region, kBranchBudget,
            [this](CGPoint z) { return domain->trueCoordinatesToViewCoordinates(z); }, jump);
        range->constructInverseGridlines();
        domain->inverseGridlines = branches_->finish();
        if (branches_->exhausted()) {
            log("the pull-back on every branch ran out of its %ld evaluations", kBranchBudget);
        }
        branches_.reset();
        return;
    }
    inverseStream_.refill(kRebuildBudget);
    range->constructInverseGridlines();
}

void Controller::startNewInverseGridlineAt(CGPoint w) {
    if (branches_ != nullptr) {
        branches_->startLine(w);
        return;
    }
    const Evaluation e = transformations->evaluateInverse(w);
    inverseStream_.start(w, followed(e));
    domain->startNewInverseGridlineAt(e.w);
}

void Controller::addNewPointToInverseGridlineAt(CGPoint w) {
    if (branches_ != nullptr) {
        branches_->addPoint(w);
        return;
    }
    if (followCurvesNearPoles) {
        inverseStream_.follow(w, transformations->evaluateInverse(w).value());
        return;
    }
    domain->addNewPointToInverseGridlineAt(transformInv(w));
}

void Controller::dropInverseImages() {
    runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts",
                                    "As the new function has no suitable inverse, the inverse "
                                    "images of range gridlines will no longer be shown."),
                  "", "OK", "", "");
    showingInverseImagesInDomain = false;
    if (inverseImages != nullptr) {
        inverseImages->setState(0);
    }
    domain->clearInverseGridlines();
    domain->setNeedsCompleteRedraw();
}

void Controller::setFunction(Sender* sender) {
    transformations->setFunction(sender != nullptr ? sender->title() : std::string());
    functionChanged(Change::Function);
}

bool Controller::setFormula(const std::string& formula, const std::string& inverse,
                            std::string& error) {
    if (!transformations->setFormula(formula, inverse, error)) {
        return false;
    }
    functionChanged(Change::Function);
    return true;
}

void Controller::functionChanged(Change change) {
    // The grid images go even while the range is not showing them.
    range->clearTransformedGridlines();
    constructTransformedGridlines();
    // A dialog's new coefficients are shaded at once, before the pull-backs are built or the
    // alert says they can no longer be shown; a new function is shaded last.
    if (change == Change::Coefficients) {
        domain->constructContours();
    }
    if (showingInverseImagesInDomain) {
        if (!transformations->hasInverse()) {
            dropInverseImages();
        } else if (change == Change::Coefficients) {
            log("calling [controller constructInverseGridlines]");
        }
    }
    if (showingInverseImagesInDomain || pullBackOnEveryBranch) {
        constructInverseGridlines();
        domain->setNeedsCompleteRedraw();
    }
    if (change == Change::Function) {
        domain->constructContours();
    }
    refreshReadouts();
}

void Controller::setParameters(const std::string& name, float aR, float aI, float bR, float bI,
                               float cR, float cI, float dR, float dI) {
    transformations->setParameters(name, aR, aI, bR, bI, cR, cI, dR, dI);
    functionChanged(Change::Coefficients);
}

float Controller::greyness(CGPoint z) const {
    return greynessOf(transform(z));
}

float Controller::argument(CGPoint z) const {
    return argumentOf(transform(z));
}

void Controller::toggleShowTransformedPathsInDomain(Sender* sender) {
    if (showingDomainPaths) {
        if (sender != nullptr) {
            sender->setState(0);
        }
        showingDomainPaths = false;
    } else {
        showingDomainPaths = true;
        if (sender != nullptr) {
            sender->setState(1);
        }
    }
    domain->setNeedsCompleteRedraw();
    domain->setNeedsDisplay(true);
}

void Controller::toggleShowInverseImagesOfRangeGridlines(Sender* sender) {
    if (showingInverseImagesInDomain) {
        if (sender != nullptr) {
            sender->setState(0);
        }
        showingInverseImagesInDomain = false;
        domain->clearInverseGridlines();
        domain->setNeedsCompleteRedraw();
        if (pullBackOnEveryBranch) {
            constructInverseGridlines();
        }
    } else if (!transformations->hasInverse()) {
        runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts",
                                        "The currently selected function has no suitable inverse."),
                      "", "OK", "", "");
    } else {
        if (sender != nullptr) {
            sender->setState(1);
        }
        showingInverseImagesInDomain = true;
        constructInverseGridlines();
    }
}

void Controller::togglePullBackOnEveryBranch(Sender* sender) {
    toggleOption(sender, pullBackOnEveryBranch);
    if (range == nullptr || domain == nullptr) {
        return;
    }
    // Off, the pull-back through the inverse comes back where it is shown.
    if (pullBackOnEveryBranch || showingInverseImagesInDomain) {
        constructInverseGridlines();
    } else {
        domain->clearInverseGridlines();
        domain->setNeedsCompleteRedraw();
    }
}

void Controller::toggleShowFeatures(Sender* sender) {
    toggleOption(sender, showFeatures);
    refreshFeatures();
}

void Controller::refreshFeatures() {
    if (range == nullptr || domain == nullptr || transformations == nullptr) {
        return;
    }
    if (showFeatures) {
        features_.refresh(*transformations, *domain, *range);
    } else if (!domain->featureMarks.empty() || !range->featureMarks.empty()) {
        features_.clear(*domain, *range);
    }
}

Color Controller::rangeColor() const {
    return range->pathColor;
}

}  // namespace zw
