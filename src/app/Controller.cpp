#include "app/Controller.h"

#include <algorithm>
#include <cmath>

#include "app/ImageRedraw.h"
#include "engine/Catalogue.h"
#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "platform/Log.h"
#include "platform/Parallel.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"
#include "platform/UndoManager.h"
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
        const CGPoint a = domain->viewCoordinatesToTrueCoordinates({-kMargin, -kMargin});
        const CGPoint b = domain->viewCoordinatesToTrueCoordinates(
            {domain->viewWidth + kMargin, domain->viewHeight + kMargin});
        const CGRect region{{std::min(a.x, b.x), std::min(a.y, b.y)},
                            {std::fabs(b.x - a.x), std::fabs(b.y - a.y)}};
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
    const bool on = sender != nullptr ? sender->state() == 0 : !pullBackOnEveryBranch;
    pullBackOnEveryBranch = on;
    if (sender != nullptr) {
        sender->setState(on ? 1 : 0);
    }
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
    const bool on = sender != nullptr ? sender->state() == 0 : !showFeatures;
    showFeatures = on;
    if (sender != nullptr) {
        sender->setState(on ? 1 : 0);
    }
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

// The one answer for every command that would move the history. Only a path being drawn
// holds it back, in either pane. An open
// alert does not: nothing else can ask while it blocks the window, and Clear All clears only
// after the answer to its own.
bool Controller::canChangePathHistory() const {
    return (domain == nullptr || !domain->isDrawingPath()) &&
           (range == nullptr || !range->isDrawingPath());
}

void Controller::clearAll(Sender* sender) {
    if (!canChangePathHistory()) {
        return;
    }
    const int i = runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts", "Clear all paths?"),
                                QT_TRANSLATE_NOOP("zw::Alerts", "This operation cannot be undone."),
                                "OK", "Cancel", "");
    log("i = %d", i);
    if (i != kAlertDefaultReturn) {
        return;
    }
    range->clear(sender);
    domain->clear(sender);
    drawnInRange_.clear();
    removedDrawnInRange_.clear();
    if (UndoManager* undo = domain->undoManager()) {
        undo->removeAllActions();
    }
}

bool Controller::newestDrawnInRange() const {
    if (range->drawnPaths.empty() || domain->preimagePaths.empty()) {
        return false;
    }
    return domain->paths.empty() || (!drawnInRange_.empty() && drawnInRange_.back());
}

bool Controller::lastRemovedDrawnInRange() const {
    if (range->removedDrawnPaths.empty() || domain->removedPreimagePaths.empty()) {
        return false;
    }
    return domain->removedPaths.empty() ||
           (!removedDrawnInRange_.empty() && removedDrawnInRange_.back());
}

void Controller::removeLastPath(Sender* sender) {
    if (!canChangePathHistory()) {
        return;
    }
    const bool inRange = newestDrawnInRange();
    const bool removes = inRange || !domain->paths.empty();
    if (inRange) {
        range->removeLastDrawnPath();
        domain->removedPreimagePaths.push_back(std::move(domain->preimagePaths.back()));
        domain->preimagePaths.pop_back();
        domain->setNeedsCompleteRedraw();
    } else {
        range->removeLastPath(sender);
        domain->removeLastPath(sender);
    }
    if (removes) {
        if (!drawnInRange_.empty()) {
            drawnInRange_.pop_back();
        }
        removedDrawnInRange_.push_back(inRange);
    }
    if (UndoManager* undo = domain->undoManager()) {
        undo->registerUndo([this] { restoreLastPath(); });
        undo->setActionName(QT_TRANSLATE_NOOP("zw::Commands", "Remove Last Path"));
    }
}

void Controller::restoreLastPath() {
    if (!canChangePathHistory()) {
        return;
    }
    const bool inRange = lastRemovedDrawnInRange();
    const bool restored = inRange || !domain->removedPaths.empty();
    if (inRange) {
        range->restoreLastDrawnPath();
        domain->preimagePaths.push_back(std::move(domain->removedPreimagePaths.back()));
        domain->removedPreimagePaths.pop_back();
        domain->setNeedsCompleteRedraw();
    } else {
        range->restoreLastPath();
        domain->restoreLastPath();
    }
    if (restored) {
        if (!removedDrawnInRange_.empty()) {
            removedDrawnInRange_.pop_back();
        }
        drawnInRange_.push_back(inRange);
    }
    if (UndoManager* undo = domain->undoManager()) {
        undo->registerUndo([this] { removeLastPath(nullptr); });
        undo->setActionName(inRange ? QT_TRANSLATE_NOOP("zw::Commands", "Path Drawn in Range")
                                    : QT_TRANSLATE_NOOP("zw::Commands", "Last Path Drawn"));
    }
}

void Controller::newRangePathStartedAt(CGPoint w) {
    drawnInRange_.push_back(true);
    rangeDrawing_.start(*transformations, *domain, w);
}

void Controller::newRangePointAt(CGPoint w) {
    rangeDrawing_.add(w);
}

void Controller::rangePathEnded() {
    rangeDrawing_.end();
    if (UndoManager* undo = domain->undoManager()) {
        undo->registerUndo([this] { removeLastPath(nullptr); });
        undo->setActionName(QT_TRANSLATE_NOOP("zw::Commands", "Path Drawn in Range"));
    }
}

std::vector<std::size_t> Controller::rangePathPlaces() const {
    std::vector<std::size_t> places;
    std::size_t domainPaths = 0;
    for (const bool inRange : drawnInRange_) {
        if (inRange) {
            places.push_back(domainPaths);
        } else {
            ++domainPaths;
        }
    }
    // A history that lost count (paths taken away behind its back) keeps the rest last.
    while (places.size() < range->drawnPaths.size()) {
        places.push_back(domain->paths.size());
    }
    places.resize(range->drawnPaths.size());
    return places;
}

void Controller::setRangePathPlaces(const std::vector<std::size_t>& places) {
    const std::size_t domainPaths = domain->paths.size();
    const std::size_t rangePaths = range->drawnPaths.size();
    drawnInRange_.clear();
    removedDrawnInRange_.clear();
    std::size_t placed = 0;
    for (std::size_t k = 0; k < rangePaths; ++k) {
        const std::size_t at =
            k < places.size() ? std::clamp(places[k], placed, domainPaths) : domainPaths;
        for (; placed < at; ++placed) {
            drawnInRange_.push_back(false);
        }
        drawnInRange_.push_back(true);
    }
    for (; placed < domainPaths; ++placed) {
        drawnInRange_.push_back(false);
    }
}

void Controller::redrawImagesUnderCurrentFunction(Sender*) {
    // The images of a path still being drawn are still growing.
    if (!canChangePathHistory()) {
        return;
    }
    ImageRedraw::redrawImagesUnderCurrentFunction(*this);
}

void Controller::setRangeNeedsCompleteRedraw() {
    range->needsCompleteRedraw = true;
    range->setNeedsDisplay(true);
}

const PlaneView* Controller::rangePlane() const {
    return range;
}

void Controller::traceImage(const Path& source, Path& rangeImage, Path& domainImage) {
    traceImage(source, rangeImage, domainImage, {});
}

std::vector<std::vector<CGPoint>> Controller::valuesAlong(const PathList& sources) const {
    std::vector<std::vector<CGPoint>> values(sources.size());
    if (!transformations->transformsInParallel() || domain == nullptr) {
        return values;
    }
    parallel::forEachChunk(sources.size(), 1, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const auto& elements = sources[i]->elements();
            std::vector<CGPoint>& w = values[i];
            w.resize(elements.size());
            for (std::size_t k = 0; k < elements.size(); ++k) {
                w[k] = domain->viewCoordinatesToTrueCoordinates(elements[k].point);
            }
            transformations->transformRow(w.data(), w.data(), w.size());
        }
    });
    return values;
}

void Controller::traceImage(const Path& source, Path& rangeImage, Path& domainImage,
                            const std::vector<CGPoint>& values) {
    const auto append = [&](CGPoint w, bool move) {
        const CGPoint inRange = range->trueCoordinatesToViewCoordinates(w);
        const CGPoint inDomain = domain->trueCoordinatesToViewCoordinates(w);
        if (move) {
            rangeImage.moveToPoint(inRange);
            domainImage.moveToPoint(inDomain);
        } else {
            rangeImage.lineToPoint(inRange);
            domainImage.lineToPoint(inDomain);
        }
    };
    // The path's own stream, its points going into the two images in view coordinates.
    ImageStream image = pathStream_.redirected([&append](const ImageStream::Steps& steps) {
        for (const ImageRefiner::Step& step : steps) {
            append(step.w, step.move);
        }
    });
    const bool found = values.size() == source.elements().size();
    std::size_t k = 0;
    for (const BezierPath::Element& element : source.elements()) {
        const CGPoint z = domain->viewCoordinatesToTrueCoordinates(element.point);
        // A function free of side effects gives evaluate's value and outcome from w alone.
        const Evaluation e = found ? Evaluation::of(values[k++]) : transformations->evaluate(z);
        const bool lineTo = element.type == BezierPath::ElementType::LineTo;
        if (followCurvesNearPoles && lineTo && rangeImage.elementCount() > 0) {
            image.follow(z, followed(e));
        } else {
            image.start(z, followed(e));
            append(e.w, !lineTo);
        }
    }
}

void Controller::toggleFollowCurvesNearPoles(Sender* sender) {
    const bool on = sender != nullptr ? sender->state() == 0 : !followCurvesNearPoles;
    followCurvesNearPoles = on;
    if (sender != nullptr) {
        sender->setState(on ? 1 : 0);
    }
    if (range == nullptr || domain == nullptr) {
        return;
    }
    // The mapped grids follow at once; drawn images wait for Redraw Images.
    constructTransformedGridlines();
    if (showingInverseImagesInDomain) {
        constructInverseGridlines();
    }
    setRangeNeedsCompleteRedraw();
    domain->setNeedsCompleteRedraw();
}

void Controller::undo(Sender*) {
    UndoManager* manager = domain != nullptr ? domain->undoManager() : nullptr;
    if (manager != nullptr && canChangePathHistory()) {
        manager->undo();
    }
}

void Controller::redo(Sender*) {
    UndoManager* manager = domain != nullptr ? domain->undoManager() : nullptr;
    if (manager != nullptr && canChangePathHistory()) {
        manager->redo();
    }
}

}  // namespace zw
