// The images of the drawn paths under f: traced from their domain paths (f evaluated beforehand
// on every core where it may be), redrawn whole under a new f, and refined near poles or not.
#include "app/Controller.h"

#include "app/ImageRedraw.h"
#include "engine/Transformations.h"
#include "platform/Parallel.h"
#include "platform/Sender.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

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
    toggleOption(sender, followCurvesNearPoles);
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

}  // namespace zw
