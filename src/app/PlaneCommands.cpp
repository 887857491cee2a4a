#include "app/CommandRows.h"

#include <array>
#include <tuple>
#include <utility>

#include "app/Workbench.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"

namespace zw::commandrows {

namespace {

// Domain and Range have the same navigation and colour items.
using PlaneOf = PlaneView* (*)(const Workbench&);

void addZoom(std::vector<Command>& t, const std::string& in, PlaneOf plane,
             const std::array<std::string, 2>& keys, bool standard) {
    Command zoomIn = item(in + ".zoomIn", in, QT_TRANSLATE_NOOP("zw::Commands", "Zoom In"),
                          QT_TRANSLATE_NOOP("zw::Commands", "Zoom in by 2 about the centre"),
                          [plane](Workbench& w, Sender* s) { plane(w)->zoomIn(s); });
    Command zoomOut = item(in + ".zoomOut", in, QT_TRANSLATE_NOOP("zw::Commands", "Zoom Out"),
                           QT_TRANSLATE_NOOP("zw::Commands", "Zoom out by 2 about the centre"),
                           [plane](Workbench& w, Sender* s) { plane(w)->zoomOut(s); });
    if (standard) {
        t.push_back(keyed(std::move(zoomIn), StandardKey::ZoomIn, keys[0]));
        t.push_back(keyed(std::move(zoomOut), StandardKey::ZoomOut, keys[1]));
    } else {
        t.push_back(keyed(std::move(zoomIn), keys[0]));
        t.push_back(keyed(std::move(zoomOut), keys[1]));
    }
}

void addAxesAndGrid(std::vector<Command>& t, const std::string& in, PlaneOf plane, Run showGrid) {
    t.push_back(after(
        option(item(in + ".axisLabels", in, QT_TRANSLATE_NOOP("zw::Commands", "Show Axis Labels"),
                    QT_TRANSLATE_NOOP("zw::Commands", "Show the numbers along the axes"),
                    [plane](Workbench& w, Sender* s) { plane(w)->toggleAxesLabels(s); }),
               [plane](const Workbench& w) { return plane(w)->tickMarks; })));
    t.push_back(option(item(in + ".grid", in, QT_TRANSLATE_NOOP("zw::Commands", "Show Grid"),
                            QT_TRANSLATE_NOOP("zw::Commands", "Show this plane's square grid"),
                            std::move(showGrid)),
                       [plane](const Workbench& w) { return plane(w)->showGridlines; }));
}

void addColoursAndReset(std::vector<Command>& t, const std::string& in, PlaneOf plane) {
    const std::string colours = in + ".pathColour";
    t.push_back(menu(colours, in, QT_TRANSLATE_NOOP("zw::Commands", "Path Colour"), true));
    using SetColour = void (PlaneView::*)(Sender*);
    const std::tuple<const char*, const char*, const char*, SetColour> named[] = {
        {".black", QT_TRANSLATE_NOOP("zw::Commands", "Black"),
         QT_TRANSLATE_NOOP("zw::Commands", "New paths in black"), &PlaneView::setColorBlack},
        {".blue", QT_TRANSLATE_NOOP("zw::Commands", "Blue"),
         QT_TRANSLATE_NOOP("zw::Commands", "New paths in blue"), &PlaneView::setColorBlue},
        {".green", QT_TRANSLATE_NOOP("zw::Commands", "Green"),
         QT_TRANSLATE_NOOP("zw::Commands", "New paths in green"), &PlaneView::setColorGreen},
        {".red", QT_TRANSLATE_NOOP("zw::Commands", "Red"),
         QT_TRANSLATE_NOOP("zw::Commands", "New paths in red"), &PlaneView::setColorRed},
    };
    for (const auto& [id, title, tip, set] : named) {
        t.push_back(item(colours + id, colours, title, tip,
                         [plane, set = set](Workbench& w, Sender* s) { (plane(w)->*set)(s); }));
    }
    t.push_back(item(colours + ".other", colours, QT_TRANSLATE_NOOP("zw::Commands", "Other..."),
                     QT_TRANSLATE_NOOP("zw::Commands", "Choose a colour for new paths"),
                     [plane](Workbench& w, Sender* s) { plane(w)->setColorOther(s); }));
    t.push_back(after(
        item(in + ".resetView", in, QT_TRANSLATE_NOOP("zw::Commands", "Reset View"),
             QT_TRANSLATE_NOOP("zw::Commands", "Scale factor 1 with the origin at the centre"),
             [plane](Workbench& w, Sender* s) { plane(w)->resetView(s); })));
}

PlaneView* domainOf(const Workbench& w) {
    return w.domain();
}

PlaneView* rangeOf(const Workbench& w) {
    return w.range();
}

}  // namespace

void addDomain(std::vector<Command>& t) {
    t.push_back(menu("domain", "", QT_TRANSLATE_NOOP("zw::Commands", "&Domain")));
    addZoom(t, "domain", domainOf, {"Ctrl++", "Ctrl+-"}, true);
    addAxesAndGrid(t, "domain", domainOf,
                   [](Workbench& w, Sender* s) { w.domain()->showDomainGrid(s); });
    using Action = void (DomainView::*)(Sender*);
    using Flag = bool DomainView::*;
    const std::tuple<const char*, const char*, const char*, Action, Flag> shading[] = {
        {"domain.shadeByModulus", QT_TRANSLATE_NOOP("zw::Commands", "Shade by Modulus"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade the domain by the modulus of f(z)"),
         &DomainView::showContoursAction, &DomainView::showContours},
        {"domain.shadeByArgument", QT_TRANSLATE_NOOP("zw::Commands", "Shade by Argument"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade the domain by the argument of f(z)"),
         &DomainView::showArgumentsAction, &DomainView::showArguments},
        {"domain.highestResolution", QT_TRANSLATE_NOOP("zw::Commands", "Highest Resolution"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade in finer boxes (slower)"),
         &DomainView::highestResolutionAction, &DomainView::highestResolution},
    };
    for (const auto& [id, title, tip, action, flag] : shading) {
        t.push_back(
            option(item(id, "domain", title, tip,
                        [action = action](Workbench& w, Sender* s) { (w.domain()->*action)(s); }),
                   [flag = flag](const Workbench& w) { return w.domain()->*flag; }));
    }
    t.push_back(option(
        item("domain.pathImages", "domain",
             QT_TRANSLATE_NOOP("zw::Commands", "Show Path Images in Domain"),
             QT_TRANSLATE_NOOP("zw::Commands", "Draw the images of the paths in the domain too"),
             [](Workbench& w, Sender* s) { w.controller.toggleShowTransformedPathsInDomain(s); }),
        [](const Workbench& w) { return w.controller.showTransformedPathsInDomain(); }));
    // The controller also clears this mark itself when a new function has no inverse.
    t.push_back(option(
        item(
            command::kInverseImages, "domain",
            QT_TRANSLATE_NOOP("zw::Commands", "Show Inverse Images of Range Grid"),
            QT_TRANSLATE_NOOP("zw::Commands",
                              "Pull the range's grid back into the domain, where f has an inverse"),
            [](Workbench& w, Sender* s) {
                w.controller.toggleShowInverseImagesOfRangeGridlines(s);
            }),
        [](const Workbench& w) { return w.controller.showInverseImagesOfRangeGridlines(); }));
    addColoursAndReset(t, "domain", domainOf);
    t.push_back(menu("domain.shadingColours", "domain",
                     QT_TRANSLATE_NOOP("zw::Commands", "Shading Colours")));
    const std::tuple<const char*, const char*, const char*, ShadingColours> schemes[] = {
        {"domain.shadingColours.classic", QT_TRANSLATE_NOOP("zw::Commands", "Classic"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade in grey and from red to blue"),
         ShadingColours::Classic},
        {"domain.shadingColours.colourWheel", QT_TRANSLATE_NOOP("zw::Commands", "Colour Wheel"),
         QT_TRANSLATE_NOOP("zw::Commands",
                           "Shade the argument as hue, the modulus as bands at powers of 2"),
         ShadingColours::ColourWheel},
    };
    for (const auto& [id, title, tip, scheme] : schemes) {
        t.push_back(grouped(item(id, "domain.shadingColours", title, tip,
                                 [scheme = scheme](Workbench& w, Sender*) {
                                     w.domain()->setShadingColours(scheme);
                                 }),
                            "shadingColours", [scheme = scheme](const Workbench& w) {
                                return w.domain()->shadingColours == scheme;
                            }));
    }
    t.push_back(menu("domain.shadingResolution", "domain",
                     QT_TRANSLATE_NOOP("zw::Commands", "Shading Resolution")));
    const std::tuple<const char*, const char*, const char*, ShadingResolution> resolutions[] = {
        {"domain.shadingResolution.boxes", QT_TRANSLATE_NOOP("zw::Commands", "Boxes"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade in boxes of two or four pixels"),
         ShadingResolution::Boxes},
        {"domain.shadingResolution.everyPixel", QT_TRANSLATE_NOOP("zw::Commands", "Every Pixel"),
         QT_TRANSLATE_NOOP("zw::Commands", "Shade every pixel from f at its centre"),
         ShadingResolution::EveryPixel},
    };
    for (const auto& [id, title, tip, resolution] : resolutions) {
        t.push_back(grouped(item(id, "domain.shadingResolution", title, tip,
                                 [resolution = resolution](Workbench& w, Sender*) {
                                     w.domain()->setShadingResolution(resolution);
                                 }),
                            "shadingResolution", [resolution = resolution](const Workbench& w) {
                                return w.domain()->shadingResolution == resolution;
                            }));
    }
}

void addRange(std::vector<Command>& t) {
    t.push_back(menu("range", "", QT_TRANSLATE_NOOP("zw::Commands", "&Range")));
    // The domain's zoom has the standard keys; the range's add Alt. (Ctrl+Shift+= would be the
    // domain's Ctrl++ on most keyboards, and Qt would take neither.)
    addZoom(t, "range", rangeOf, {"Ctrl+Alt+=", "Ctrl+Alt+-"}, false);
    addAxesAndGrid(t, "range", rangeOf,
                   [](Workbench& w, Sender* s) { w.range()->showRangeGrid(s); });
    t.push_back(option(
        item("range.gridImages", "range", QT_TRANSLATE_NOOP("zw::Commands", "Show Grid Images"),
             QT_TRANSLATE_NOOP("zw::Commands", "Show the images of the domain's grid"),
             [](Workbench& w, Sender* s) { w.range()->showTransformedGridlinesAction(s); }),
        [](const Workbench& w) { return w.range()->showTransformedGridlines; }));
    t.push_back(option(
        item("range.allowDrawing", "range", QT_TRANSLATE_NOOP("zw::Commands", "Allow Drawing"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Draw paths in the range; their preimages on every branch follow "
                               "in the domain"),
             [](Workbench& w, Sender* s) { w.range()->toggleAllowDrawing_(s); }),
        [](const Workbench& w) { return w.range()->allowDrawing; }));
    addColoursAndReset(t, "range", rangeOf);
    t.push_back(after(item(
        "range.redrawImages", "range",
        QT_TRANSLATE_NOOP("zw::Commands", "Redraw Images Under Current Function"),
        QT_TRANSLATE_NOOP("zw::Commands", "Redraw every path's image under the current function"),
        [](Workbench& w, Sender* s) { w.controller.redrawImagesUnderCurrentFunction(s); })));
}

}  // namespace zw::commandrows
