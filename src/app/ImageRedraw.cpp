#include "app/ImageRedraw.h"

#include "app/Controller.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

// Where a domain path sits: in the drawn list or on the removed stack, and at which index.
struct Place {
    bool removed = false;
    std::size_t index = 0;
    bool found = false;
};

Place find(const DomainView& domain, const Path* source) {
    for (std::size_t i = 0; i < domain.paths.size(); ++i) {
        if (domain.paths[i].get() == source) {
            return {false, i, true};
        }
    }
    for (std::size_t i = 0; i < domain.removedPaths.size(); ++i) {
        if (domain.removedPaths[i].get() == source) {
            return {true, i, true};
        }
    }
    return {};
}

void swapInto(PathList& list, std::size_t index, std::unique_ptr<Path>& other, Path*& current) {
    if (index >= list.size() || !other) {
        return;
    }
    const Path* outgoing = list[index].get();
    list[index].swap(other);
    if (current == outgoing) {
        current = list[index].get();
    }
}

}  // namespace

std::unique_ptr<Path> ImageRedraw::imageLike(const Path* old) {
    auto image = std::make_unique<Path>();
    if (old != nullptr) {
        image->setColor(old->color);
        image->setLineWidth(old->lineWidth());
        image->setLineDash(old->lineDash(), old->lineDashPhase());
    }
    return image;
}

void ImageRedraw::redrawImagesUnderCurrentFunction(Controller& controller) {
    if (std::shared_ptr<SavedList> saved = retrace(controller)) {
        // The swap is done; the step swaps back.
        if (UndoManager* undo = controller.domain->undoManager()) {
            Controller* target = &controller;
            undo->registerUndo([target, saved] { exchange(*target, saved); });
            undo->setActionName(kActionName);
        }
    }
}

std::shared_ptr<ImageRedraw::SavedList> ImageRedraw::retrace(Controller& controller) {
    DomainView* domain = controller.domain;
    RangeView* range = controller.range;
    if (domain == nullptr || range == nullptr) {
        return nullptr;
    }
    auto saved = std::make_shared<SavedList>();
    auto rebuild = [&](const PathList& sources, const PathList& rangeImages,
                       const PathList& domainImages) {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            Saved entry;
            entry.source = sources[i].get();
            entry.range = imageLike(i < rangeImages.size() ? rangeImages[i].get() : nullptr);
            entry.domain = imageLike(i < domainImages.size() ? domainImages[i].get() : nullptr);
            controller.traceImage(*sources[i], *entry.range, *entry.domain);
            saved->push_back(std::move(entry));
        }
    };
    rebuild(domain->paths, range->paths, domain->transformedPathsShownInDomain);
    rebuild(domain->removedPaths, range->removedPaths,
            domain->removedTransformedPathsShownInDomain);
    swap(controller, *saved);
    return saved;
}

void ImageRedraw::exchange(Controller& controller, const std::shared_ptr<SavedList>& saved) {
    swap(controller, *saved);
    if (UndoManager* undo = controller.domain->undoManager()) {
        Controller* target = &controller;
        undo->registerUndo([target, saved] { exchange(*target, saved); });
        undo->setActionName(kActionName);
    }
}

void ImageRedraw::swap(Controller& controller, SavedList& saved) {
    DomainView* domain = controller.domain;
    RangeView* range = controller.range;
    for (Saved& entry : saved) {
        const Place place = find(*domain, entry.source);
        if (!place.found) {
            continue;
        }
        if (place.removed) {
            swapInto(range->removedPaths, place.index, entry.range, range->path);
            swapInto(domain->removedTransformedPathsShownInDomain, place.index, entry.domain,
                     domain->transformedPathShownInDomain);
        } else {
            swapInto(range->paths, place.index, entry.range, range->path);
            swapInto(domain->transformedPathsShownInDomain, place.index, entry.domain,
                     domain->transformedPathShownInDomain);
        }
    }
    range->needsCompleteRedraw = true;
    range->setNeedsDisplay(true);
    domain->setNeedsCompleteRedraw();
}

}  // namespace zw
