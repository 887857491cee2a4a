#include "session/Session.h"

#include <cmath>
#include <memory>
#include <string>

#include "app/Controller.h"
#include "engine/Transformations.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

// Rounding on the way to view coordinates and back may move a true coordinate by an ulp or
// so; a few rounds find a value that comes back as itself, so that saving an opened session
// gives the same numbers again.
template <typename There, typename Back>
double stable(double v, There there, Back back) {
    if (!std::isfinite(v)) {
        return std::nan("");
    }
    for (int round = 0; round < 4; ++round) {
        const double again = back(there(v));
        if (again == v || !std::isfinite(again)) {
            break;
        }
        v = again;
    }
    return v;
}

// `mapping` is the plane's viewport; it becomes the one that opening the session will build.
Session::Plane capturePlane(const PlaneView& plane, Viewport& mapping) {
    Session::Plane out;
    out.scaleFactor = plane.scaleFactor;
    const double k = mapping.pixelsPerUnit();
    // 0 - x rather than -x: a plane at the origin is at 0, not -0.
    auto there = [k](double c) { return 0.0 - k * c; };
    auto back = [k](double t) { return (0.0 - t) / k; };
    out.centre = {stable(back(plane.translation.x), there, back),
                  stable(back(plane.translation.y), there, back)};
    out.tickMarks = plane.tickMarks;
    out.showGridlines = plane.showGridlines;
    out.pathColor = plane.pathColor;
    // The view that opening will build; points are chosen to come back through it.
    mapping = mapping.centredOn(out.centre);
    return out;
}

std::vector<Session::Path> capturePaths(const PathList& list, const PlaneView& plane,
                                        const Viewport& opened) {
    const Viewport now = plane.viewport();
    std::vector<Session::Path> out;
    out.reserve(list.size());
    for (const auto& path : list) {
        Session::Path saved;
        saved.color = path->color;
        saved.points.reserve(path->elementCount());
        for (const auto& element : path->elements()) {
            if (element.type == BezierPath::ElementType::MoveTo && !saved.points.empty()) {
                saved.moves.push_back(saved.points.size());
            }
            const CGPoint z = now.toTrue(element.point);
            auto thereX = [&](double x) { return opened.toView({x, 0.0}).x; };
            auto backX = [&](double p) { return opened.toTrue({p, 0.0}).x; };
            auto thereY = [&](double y) { return opened.toView({0.0, y}).y; };
            auto backY = [&](double p) { return opened.toTrue({0.0, p}).y; };
            saved.points.push_back({stable(z.x, thereX, backX), stable(z.y, thereY, backY)});
        }
        out.push_back(std::move(saved));
    }
    return out;
}

void restorePaths(PathList& list, const std::vector<Session::Path>& saved, const PlaneView& plane) {
    list.clear();
    for (const Session::Path& s : saved) {
        auto path = std::make_unique<zw::Path>();
        path->setColor(s.color);
        path->setLineWidth(1.0);
        auto move = s.moves.begin();
        for (std::size_t i = 0; i < s.points.size(); ++i) {
            const CGPoint p = plane.trueCoordinatesToViewCoordinates(s.points[i]);
            bool jump = i == 0;
            for (; move != s.moves.end() && *move <= i; ++move) {
                jump = jump || *move == i;
            }
            if (jump) {
                path->moveToPoint(p);
            } else {
                path->lineToPoint(p);
            }
        }
        list.push_back(std::move(path));
    }
}

void applyView(PlaneView& plane, const Session::Plane& saved) {
    Viewport v = plane.viewport();
    v.scaleFactor = saved.scaleFactor;
    plane.setViewport(v.centredOn(saved.centre));
    plane.tickMarks = saved.tickMarks;
    plane.showGridlines = saved.showGridlines;
    plane.pathColor = saved.pathColor;
}

}  // namespace

Session Session::capture(const Controller& controller, Paths paths) {
    const DomainView& domain = *controller.domain;
    const RangeView& range = *controller.range;
    Session s;
    const Transformations& engine = *controller.transformations;
    s.function = engine.activeFunction();
    s.morph = engine.morphing();
    for (const std::string& name : engine.parameterNames()) {
        s.parameters.push_back({name, engine.parameterValue(name), engine.parameterSettings(name)});
    }
    Viewport domainMapping = domain.viewport();
    Viewport rangeMapping = range.viewport();
    s.domain = capturePlane(domain, domainMapping);
    s.range = capturePlane(range, rangeMapping);
    if (paths == Paths::Included) {
        s.domain.paths = capturePaths(domain.paths, domain, domainMapping);
        s.range.paths = capturePaths(range.paths, range, rangeMapping);
        s.transformedPathsShownInDomain =
            capturePaths(domain.transformedPathsShownInDomain, domain, domainMapping);
        const std::vector<Session::Path> drawn =
            capturePaths(range.drawnPaths, range, rangeMapping);
        const std::vector<std::size_t> places = controller.rangePathPlaces();
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            RangePath r;
            r.path = drawn[k];
            if (k < domain.preimagePaths.size()) {
                r.preimages = capturePaths(domain.preimagePaths[k], domain, domainMapping);
            }
            r.after = k < places.size() ? places[k] : domain.paths.size();
            s.rangePaths.push_back(std::move(r));
        }
    }
    s.showTransformedPathsInDomain = controller.showingDomainPaths;
    s.showInverseImagesOfRangeGridlines = controller.showingInverseImagesInDomain;
    s.showTransformedGridlines = range.showTransformedGridlines;
    s.showContours = domain.showContours;
    s.showArguments = domain.showArguments;
    s.highestResolution = domain.highestResolution;
    s.shadingColours = domain.shadingColours;
    s.followCurvesNearPoles = controller.followCurvesNearPoles;
    return s;
}

void Session::apply(Controller& controller) const {
    DomainView& domainView = *controller.domain;
    RangeView& rangeView = *controller.range;

    // The function first: the engine alone changes, and a formula that does not read (which
    // SessionReader never hands out) leaves everything as it was.
    Transformations& engine = *controller.transformations;
    if (function.kind == ActiveFunction::Kind::Formula) {
        FormulaProgram program;
        FormulaError fault;
        if (!FormulaParser::compile(function.formula, "z", program, fault) ||
            (!function.inverse.empty() &&
             !FormulaParser::compile(function.inverse, "w", program, fault))) {
            log("a session's formula does not read (%s); nothing changed", fault.message.c_str());
            return;
        }
    }
    // The parameters as the file has them, and the defaults for any it does not name.
    engine.resetParameters();
    for (const Parameter& p : parameters) {
        engine.setParameterSettings(p.name, p.settings);
    }
    switch (function.kind) {
        case ActiveFunction::Kind::Catalogue:
            engine.setFunction(function.title);
            break;
        case ActiveFunction::Kind::UserMap: {
            const auto& c = function.coefficients;
            engine.setParameters(function.title, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
            break;
        }
        case ActiveFunction::Kind::Formula: {
            std::string error;
            if (!engine.setFormula(function.formula, function.inverse, error)) {
                log("a session's formula does not read (%s); nothing changed", error.c_str());
                return;
            }
            break;
        }
    }
    engine.setMorph(morph);
    for (const Parameter& p : parameters) {
        engine.setParameterValue(p.name, p.value);
    }

    // The old paths and images go before any view changes: none of them may be moved or drawn
    // again.
    domainView.clear(nullptr);
    rangeView.clear(nullptr);
    if (UndoManager* undo = domainView.undoManager()) {
        undo->removeAllActions();
    }

    // The pull-backs go with the old function; they come back below if the session shows
    // them and the new function has an inverse.
    controller.showingInverseImagesInDomain = false;
    domainView.clearInverseGridlines();
    controller.showingDomainPaths = showTransformedPathsInDomain;
    controller.showingInverseImagesInDomain =
        showInverseImagesOfRangeGridlines && controller.transformations->hasInverse();
    if (controller.inverseImages != nullptr) {
        controller.inverseImages->setState(controller.showingInverseImagesInDomain ? 1 : 0);
    }

    applyView(domainView, domain);
    applyView(rangeView, range);
    rangeView.showTransformedGridlines = showTransformedGridlines;
    domainView.showContours = showContours;
    domainView.showArguments = showArguments;
    domainView.highestResolution = highestResolution;
    // Set before the grids and the shading are built again below, which read them.
    domainView.shadingColours = shadingColours;
    controller.followCurvesNearPoles = followCurvesNearPoles;

    restorePaths(domainView.paths, domain.paths, domainView);
    restorePaths(domainView.transformedPathsShownInDomain, transformedPathsShownInDomain,
                 domainView);
    restorePaths(rangeView.paths, range.paths, rangeView);
    std::vector<std::size_t> places;
    for (const RangePath& r : rangePaths) {
        PathList one;
        restorePaths(one, {r.path}, rangeView);
        rangeView.drawnPaths.push_back(std::move(one.front()));
        domainView.preimagePaths.emplace_back();
        restorePaths(domainView.preimagePaths.back(), r.preimages, domainView);
        places.push_back(r.after);
    }
    controller.setRangePathPlaces(places);

    // Everything built from the view and the function is built again.
    rangeView.clearTransformedGridlines();
    rangeView.constructAxes();
    domainView.constructAxes();
    if (!showContours && !showArguments) {
        domainView.contours.clear();
        domainView.contourLattice.clear();
    }
    domainView.setNeedsCompleteRedraw();
    rangeView.needsCompleteRedraw = true;
    rangeView.setNeedsDisplay(true);
}

}  // namespace zw
