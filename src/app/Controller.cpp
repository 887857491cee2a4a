#include "app/Controller.h"

#include <cmath>

#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

void Controller::awakeFromNib() {
    transformations->setFunction("Exponentiate");
    constructTransformedGridlines();
    showingDomainPaths = false;
}

CGPoint Controller::transform(CGPoint z) const {
    return transformations->transform(z);
}

CGPoint Controller::transformInv(CGPoint w) const {
    return transformations->transformInv(w);
}

void Controller::newDomainPathStartedAt(CGPoint z) {
    const CGPoint w = transform(z);
    range->startNewPathAt(w);
    domain->startNewTransformedPathAt(w);
}

void Controller::newDomainPointAt(CGPoint z) {
    const CGPoint w = transform(z);
    range->addNewPointAt(w);
    domain->addNewTransformedPointAt(w);
}

void Controller::updateRangeCoordinates(CGPoint z) {
    range->setTransformedCoords(transform(z));
}

void Controller::constructTransformedGridlines() {
    if (range == nullptr || domain == nullptr || !range->shouldShowTransformedGridlines()) {
        return;
    }
    range->clearTransformedGridlines();
    domain->constructTransformedGridlines();
}

void Controller::startNewTransformedGridlineAt(CGPoint z) {
    range->startNewTransformedGridlineAt(transform(z));
}

void Controller::addNewPointToTransformedGridlineAt(CGPoint z) {
    range->addNewPointToTransformedGridlineAt(transform(z));
}

void Controller::constructInverseGridlines() {
    if (range == nullptr || domain == nullptr) {
        return;
    }
    domain->clearInverseGridlines();
    range->constructInverseGridlines();
}

void Controller::startNewInverseGridlineAt(CGPoint w) {
    domain->startNewInverseGridlineAt(transformInv(w));
}

void Controller::addNewPointToInverseGridlineAt(CGPoint w) {
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
