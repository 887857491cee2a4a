#include "app/Controller.h"

#include <algorithm>
#include <cmath>

#include "app/ImageRedraw.h"
#include "engine/Catalogue.h"
#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

void Controller::awakeFromNib() {
    transformations->setFunction(catalogue::kInitialTitle);
    constructTransformedGridlines();
    showingDomainPaths = false;
}

CGPoint Controller::transform(CGPoint z) const {
    return transformations->transform(z);
}

CGPoint Controller::transformInv(CGPoint w) const {
    return transformations->transformInv(w);
}

CGPoint Controller::followed(const Evaluation& e) const {
    return followCurvesNearPoles ? e.value() : e.w;
}

void Controller::newDomainPathStartedAt(CGPoint z) {
    const Evaluation e = transformations->evaluate(z);
    pathTrace_ = {z, followed(e), {}, false, true};
    range->startNewPathAt(e.w);
    domain->startNewTransformedPathAt(e.w);
}

void Controller::newDomainPointAt(CGPoint z) {
    if (followCurvesNearPoles) {
        follow(Stream::Path, z);
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
    if (!range->shouldShowTransformedGridlines()) {
        return;
    }
    range->clearTransformedGridlines();
    // The old images go even where nothing of the new ones can be drawn.
    setRangeNeedsCompleteRedraw();
    gridBudget_ = kRebuildBudget;
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
    gridTrace_ = {z, followed(e), {}, false, true};
    range->startNewTransformedGridlineAt(e.w);
}

void Controller::addNewPointToTransformedGridlineAt(CGPoint z) {
    if (followCurvesNearPoles) {
        follow(Stream::Gridline, z);
        return;
    }
    range->addNewPointToTransformedGridlineAt(transform(z));
}

void Controller::constructInverseGridlines() {
    if (range == nullptr || domain == nullptr) {
        return;
    }
    domain->clearInverseGridlines();
    domain->setNeedsCompleteRedraw();
    inverseBudget_ = kRebuildBudget;
    range->constructInverseGridlines();
}

void Controller::startNewInverseGridlineAt(CGPoint w) {
    const Evaluation e = transformations->evaluateInverse(w);
    inverseTrace_ = {w, followed(e), {}, false, true};
    domain->startNewInverseGridlineAt(e.w);
}

void Controller::addNewPointToInverseGridlineAt(CGPoint w) {
    if (followCurvesNearPoles) {
        follow(Stream::InverseGridline, w);
        return;
    }
    domain->addNewPointToInverseGridlineAt(transformInv(w));
}

void Controller::dropInverseImages() {
    runAlertPanel(
        "As the new function has no suitable inverse, the inverse images of range gridlines "
        "will no longer be shown.",
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
    functionChanged();
}

bool Controller::setFormula(const std::string& formula, const std::string& inverse,
                            std::string& error) {
    if (!transformations->setFormula(formula, inverse, error)) {
        return false;
    }
    functionChanged();
    return true;
}

void Controller::functionChanged() {
    range->clearTransformedGridlines();
    constructTransformedGridlines();
    if (showingInverseImagesInDomain) {
        if (!transformations->hasInverse()) {
            dropInverseImages();
        } else {
            constructInverseGridlines();
            domain->setNeedsCompleteRedraw();
        }
    }
    domain->constructContours();
    refreshReadouts();
}

void Controller::setParameters(const std::string& name, float aR, float aI, float bR, float bI,
                               float cR, float cI, float dR, float dI) {
    transformations->setParameters(name, aR, aI, bR, bI, cR, cI, dR, dI);
    range->clearTransformedGridlines();
    constructTransformedGridlines();
    domain->constructContours();
    if (showingInverseImagesInDomain) {
        if (!transformations->hasInverse()) {
            dropInverseImages();
        } else {
            log("calling [controller constructInverseGridlines]");
            constructInverseGridlines();
            domain->setNeedsCompleteRedraw();
        }
    }
    refreshReadouts();
}

float Controller::greyness(CGPoint z) const {
    const CGPoint w = transform(z);
    return static_cast<float>(std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2.0);
}

float Controller::argument(CGPoint z) const {
    const CGPoint w = transform(z);
    return static_cast<float>(std::atan2(w.y, w.x) * 180.0 / 3.141592653589793);
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
    } else if (!transformations->hasInverse()) {
        runAlertPanel("The currently selected function has no suitable inverse.", "", "OK", "", "");
    } else {
        if (sender != nullptr) {
            sender->setState(1);
        }
        showingInverseImagesInDomain = true;
        constructInverseGridlines();
    }
}

Color Controller::rangeColor() const {
    return range->pathColor;
}

// The one answer for every command that would move the history. Only a path being drawn
// holds it back, which is the domain pane's gesture drawing (the range draws no path). An open
// alert does not: nothing else can ask while it blocks the window, and Clear All clears only
// after the answer to its own.
bool Controller::canChangePathHistory() const {
    return domain == nullptr || !domain->isDrawingPath();
}

void Controller::clearAll(Sender* sender) {
    if (!canChangePathHistory()) {
        return;
    }
    const int i =
        runAlertPanel("Clear all paths?", "This operation cannot be undone.", "OK", "Cancel", "");
    log("i = %d", i);
    if (i != kAlertDefaultReturn) {
        return;
    }
    range->clear(sender);
    domain->clear(sender);
    if (UndoManager* undo = domain->undoManager()) {
        undo->removeAllActions();
    }
}

void Controller::removeLastPath(Sender* sender) {
    if (!canChangePathHistory()) {
        return;
    }
    range->removeLastPath(sender);
    domain->removeLastPath(sender);
    if (UndoManager* undo = domain->undoManager()) {
        undo->registerUndo([this] { restoreLastPath(); });
        undo->setActionName("Remove Last Path");
    }
}

void Controller::restoreLastPath() {
    if (!canChangePathHistory()) {
        return;
    }
    range->restoreLastPath();
    domain->restoreLastPath();
    if (UndoManager* undo = domain->undoManager()) {
        undo->registerUndo([this] { removeLastPath(nullptr); });
        undo->setActionName("Last Path Drawn");
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
    ImageRefiner& refiner = refinerInto(false);
    refiner.forgetLast();
    CGPoint lastZ{};
    CGPoint lastW{};
    for (const BezierPath::Element& element : source.elements()) {
        const CGPoint z = domain->viewCoordinatesToTrueCoordinates(element.point);
        const Evaluation e = transformations->evaluate(z);
        const CGPoint w = e.w;
        if (followCurvesNearPoles && element.type == BezierPath::ElementType::LineTo &&
            rangeImage.elementCount() > 0) {
            steps_.clear();
            refiner.setBudget(kSegmentBudget);
            refiner.refine(lastZ, lastW, z, followed(e), steps_);
            for (const ImageRefiner::Step& step : steps_) {
                const CGPoint r = range->trueCoordinatesToViewCoordinates(step.w);
                const CGPoint d = domain->trueCoordinatesToViewCoordinates(step.w);
                if (step.move) {
                    rangeImage.moveToPoint(r);
                    domainImage.moveToPoint(d);
                } else {
                    rangeImage.lineToPoint(r);
                    domainImage.lineToPoint(d);
                }
            }
            lastZ = z;
            lastW = followed(e);
            continue;
        }
        lastZ = z;
        lastW = followed(e);
        const CGPoint inRange = range->trueCoordinatesToViewCoordinates(w);
        const CGPoint inDomain = domain->trueCoordinatesToViewCoordinates(w);
        if (element.type == BezierPath::ElementType::MoveTo) {
            rangeImage.moveToPoint(inRange);
            domainImage.moveToPoint(inDomain);
        } else {
            rangeImage.lineToPoint(inRange);
            domainImage.lineToPoint(inDomain);
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

ImageRefiner& Controller::refinerInto(bool domainPlane) {
    std::unique_ptr<ImageRefiner>& refiner = domainPlane ? backward_ : forward_;
    PlaneView* receiver = domainPlane ? static_cast<PlaneView*>(domain) : range;
    if (!refiner) {
        // Where the engine has only a stand-in, the refiner sees what f is there (infinite or
        // NaN) and breaks the image, rather than drawing a chord to the stand-in.
        ImageRefiner::Map f;
        if (domainPlane) {
            f = [this](CGPoint w) { return transformations->evaluateInverse(w).value(); };
        } else {
            f = [this](CGPoint z) { return transformations->evaluate(z).value(); };
        }
        refiner = std::make_unique<ImageRefiner>(
            std::move(f),
            [receiver](CGPoint w) { return receiver->trueCoordinatesToViewCoordinates(w); },
            CGRect{});
    }
    refiner->setBounds(
        {{0.0, 0.0},
         {static_cast<double>(receiver->viewWidth), static_cast<double>(receiver->viewHeight)}});
    return *refiner;
}

void Controller::follow(Stream stream, CGPoint from) {
    const bool inverse = stream == Stream::InverseGridline;
    ImageRefiner& refiner = refinerInto(inverse);
    Trace& trace = stream == Stream::Path
                       ? pathTrace_
                       : (stream == Stream::Gridline ? gridTrace_ : inverseTrace_);
    long long* pool = stream == Stream::Path
                          ? nullptr
                          : (stream == Stream::Gridline ? &gridBudget_ : &inverseBudget_);
    // A segment where f winds without end (an essential singularity) stops at its own share.
    const long long allowed = pool != nullptr ? std::min(*pool, kSegmentBudget) : kSegmentBudget;
    refiner.setBudget(allowed);
    if (trace.fresh) {
        refiner.forgetLast();
    }
    const CGPoint to =
        (inverse ? transformations->evaluateInverse(from) : transformations->evaluate(from))
            .value();
    steps_.clear();
    refiner.refine(trace.from, trace.to, from, to, steps_,
                   trace.hasBefore ? &trace.before : nullptr);
    if (pool != nullptr) {
        *pool -= allowed - std::max(refiner.budget(), 0LL);
    }
    // Pointer events are not evenly spaced, so only grid lines predict from the sample before.
    trace = {from, to, refiner.startView(), stream != Stream::Path, false};
    for (const ImageRefiner::Step& step : steps_) {
        switch (stream) {
            case Stream::Path:
                if (step.move) {
                    range->jumpPathTo(step.w);
                    domain->jumpTransformedPathTo(step.w);
                } else {
                    range->addNewPointAt(step.w);
                    domain->addNewTransformedPointAt(step.w);
                }
                break;
            case Stream::Gridline:
                if (step.move) {
                    range->jumpTransformedGridlineTo(step.w);
                } else {
                    range->addNewPointToTransformedGridlineAt(step.w);
                }
                break;
            case Stream::InverseGridline:
                if (step.move) {
                    domain->jumpInverseGridlineTo(step.w);
                } else {
                    domain->addNewPointToInverseGridlineAt(step.w);
                }
                break;
        }
    }
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
