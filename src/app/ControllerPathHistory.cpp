// The controller's path history: which plane each path was drawn in, Clear All, Remove Last
// Path and its undoing, Undo and Redo.
#include "app/Controller.h"

#include <algorithm>

#include "platform/Alerts.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

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
