#include "app/Commands.h"

#include <array>
#include <tuple>
#include <utility>

#include "app/AnimationTarget.h"
#include "app/Workbench.h"
#include "engine/Catalogue.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"

namespace zw {

namespace {

using Reading = Command::Reading;
using Run = std::function<void(Workbench&, Sender*)>;

Command menu(std::string id, std::string in, std::string title, bool separatorBefore = false) {
    Command c;
    c.kind = Command::Kind::Menu;
    c.id = std::move(id);
    c.menu = std::move(in);
    c.title = std::move(title);
    c.separatorBefore = separatorBefore;
    return c;
}

Command item(std::string id, std::string in, std::string title, std::string tip, Run run = {}) {
    Command c;
    c.id = std::move(id);
    c.menu = std::move(in);
    c.title = std::move(title);
    c.tip = std::move(tip);
    c.run = std::move(run);
    return c;
}

Command after(Command c) {
    c.separatorBefore = true;
    return c;
}

Command keyed(Command c, StandardKey standard, std::string fallback, bool everyBinding = false) {
    c.standard = standard;
    c.keys = std::move(fallback);
    c.everyBinding = everyBinding;
    return c;
}

Command keyed(Command c, std::string keys) {
    c.keys = std::move(keys);
    return c;
}

// A display option: the logic flips it from the mark before the click; the flag is its state.
Command option(Command c, Reading checked) {
    c.mark = Mark::Logic;
    c.checked = std::move(checked);
    return c;
}

Command grouped(Command c, std::string group, Reading checked) {
    c.mark = Mark::Group;
    c.group = std::move(group);
    c.checked = std::move(checked);
    return c;
}

// Nothing in the history moves while a path is still being drawn.
bool idle(const Workbench& w) {
    return w.controller.canChangePathHistory();
}

Command whenIdle(Command c) {
    c.enabled = idle;
    return c;
}

// What the Function menu's mark stands for: a catalogue title, a typed map's name, or the
// formula.
std::string functionKey(const Workbench& w) {
    const ActiveFunction& active = w.transformations.activeFunction();
    return active.kind == ActiveFunction::Kind::Formula ? std::string(command::kFormula)
                                                        : active.title;
}

// The item as the sender of a catalogue choice: the function is the one the row names, whatever
// the item shows (a translation, a desktop's added mnemonic).
class CatalogueChoice final : public Sender {
  public:
    CatalogueChoice(Sender* item, std::string title) : item_(item), title_(std::move(title)) {}

    std::string title() const override { return title_; }
    int state() const override { return item_ != nullptr ? item_->state() : 0; }
    void setState(int state) override {
        if (item_ != nullptr) {
            item_->setState(state);
        }
    }
    Window* window() override { return item_ != nullptr ? item_->window() : nullptr; }

  private:
    Sender* item_;
    std::string title_;
};

Reading functionIs(std::string key) {
    return [key = std::move(key)](const Workbench& w) { return functionKey(w) == key; };
}

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

void addFile(std::vector<Command>& t) {
    t.push_back(menu("file", "", QT_TRANSLATE_NOOP("zw::Commands", "&File")));
    t.push_back(
        keyed(item(command::kNew, "file", QT_TRANSLATE_NOOP("zw::Commands", "New"),
                   QT_TRANSLATE_NOOP(
                       "zw::Commands",
                       "Start again with the function, views and options a window starts with")),
              StandardKey::New, "Ctrl+N", true));
    t.push_back(keyed(item(command::kOpen, "file", QT_TRANSLATE_NOOP("zw::Commands", "Open..."),
                           QT_TRANSLATE_NOOP("zw::Commands", "Open a saved session")),
                      StandardKey::Open, "Ctrl+O", true));
    // The window lists the sessions themselves above this one item.
    t.push_back(
        menu(command::kOpenRecent, "file", QT_TRANSLATE_NOOP("zw::Commands", "Open &Recent")));
    t.push_back(item(command::kClearRecent, command::kOpenRecent,
                     QT_TRANSLATE_NOOP("zw::Commands", "Clear Menu"),
                     QT_TRANSLATE_NOOP("zw::Commands", "Forget the sessions listed here")));
    t.push_back(
        keyed(item(command::kSave, "file", QT_TRANSLATE_NOOP("zw::Commands", "Save"),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Save the session: function, views, options and paths")),
              StandardKey::Save, "Ctrl+S", true));
    t.push_back(
        keyed(item(command::kSaveAs, "file", QT_TRANSLATE_NOOP("zw::Commands", "Save As..."),
                   QT_TRANSLATE_NOOP("zw::Commands", "Save the session in a new file")),
              StandardKey::SaveAs, "Ctrl+Shift+S", true));
    t.push_back(after(keyed(
        item(
            command::kExportPicture, "file", QT_TRANSLATE_NOOP("zw::Commands", "Export Picture..."),
            QT_TRANSLATE_NOOP("zw::Commands", "Save what the planes show as a PNG or SVG picture")),
        "Ctrl+Shift+E")));
    // Something must move: a parameter of f, or the morph's t.
    Command animation = item(
        command::kExportAnimation, "file", QT_TRANSLATE_NOOP("zw::Commands", "Export Animation..."),
        QT_TRANSLATE_NOOP("zw::Commands",
                          "Save an animated GIF, WebP or a numbered PNG series of the planes "
                          "as a parameter moves"));
    animation.enabled = [](const Workbench& w) {
        return idle(w) && !AnimationTarget::names(w).empty();
    };
    t.push_back(std::move(animation));
    t.push_back(after(keyed(item(command::kQuit, "file", QT_TRANSLATE_NOOP("zw::Commands", "Quit"),
                                 QT_TRANSLATE_NOOP("zw::Commands", "Quit zwmap")),
                            StandardKey::Quit, "Ctrl+Q", true)));
}

void addEdit(std::vector<Command>& t) {
    t.push_back(menu("edit", "", QT_TRANSLATE_NOOP("zw::Commands", "&Edit")));
    Command undo = whenIdle(
        keyed(item("edit.undo", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Undo"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Undo the last path drawn or removed"),
                   [](Workbench& w, Sender* s) { w.controller.undo(s); }),
              StandardKey::Undo, "Ctrl+Z"));
    undo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canUndo(); };
    undo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.undoActionName();
        return name.empty() ? std::string(QT_TRANSLATE_NOOP("zw::Commands", "Undo"))
                            : "Undo " + name;
    };
    t.push_back(std::move(undo));
    Command redo = keyed(item("edit.redo", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Redo"),
                              QT_TRANSLATE_NOOP("zw::Commands", "Redo what was undone"),
                              [](Workbench& w, Sender* s) { w.controller.redo(s); }),
                         StandardKey::Redo, "Ctrl+Y");
    redo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canRedo(); };
    redo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.redoActionName();
        return name.empty() ? std::string(QT_TRANSLATE_NOOP("zw::Commands", "Redo"))
                            : "Redo " + name;
    };
    t.push_back(std::move(redo));
    // Pictures for a worksheet, made as Export Picture makes them, at the screen's resolution.
    t.push_back(after(
        keyed(item(command::kCopyPicture, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Copy Picture"),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Copy both planes as a picture, to paste into a document")),
              "Ctrl+C")));
    t.push_back(
        keyed(item(command::kCopyFocusedPlane, "edit",
                   QT_TRANSLATE_NOOP("zw::Commands", "Copy Focused Plane"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Copy the plane with the keys as a picture")),
              "Ctrl+Alt+C"));
    // Ctrl+Shift with a letter opens a dialog, as Ctrl+Shift+S does.
    t.push_back(after(whenIdle(keyed(
        item(command::kAddCircle, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Add Circle..."),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Add an exact circle, given its centre and radius, as a path")),
        "Ctrl+Shift+C"))));
    t.push_back(whenIdle(
        keyed(item(command::kAddLine, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Add Line..."),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Add an exact line segment, given its end points, as a path")),
              "Ctrl+Shift+L")));
    t.push_back(after(whenIdle(
        item("edit.removeLastPath", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Remove Last Path"),
             QT_TRANSLATE_NOOP("zw::Commands", "Remove the newest path from both planes"),
             [](Workbench& w, Sender* s) { w.controller.removeLastPath(s); }))));
    t.push_back(whenIdle(
        item("edit.clearAllPaths", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Clear All Paths..."),
             QT_TRANSLATE_NOOP("zw::Commands", "Remove every path from both planes, after asking"),
             [](Workbench& w, Sender* s) { w.controller.clearAll(s); })));
}

void addFunction(std::vector<Command>& t) {
    t.push_back(menu("function", "", QT_TRANSLATE_NOOP("zw::Commands", "F&unction")));
    for (const catalogue::Entry& entry : catalogue::functions()) {
        t.push_back(grouped(item(std::string(command::kFunctionPrefix) + entry.title, "function",
                                 entry.title, entry.help,
                                 [title = std::string(entry.title)](Workbench& w, Sender* s) {
                                     CatalogueChoice choice(s, title);
                                     w.controller.setFunction(&choice);
                                 }),
                            "function", functionIs(entry.title)));
    }
    // Over whatever f is chosen, now or later; t goes on the Parameters panel. Between the
    // catalogue and the dialogs, so that the menu's ends keep their places for the keyboard.
    t.push_back(after(option(
        item(command::kMorph, "function", QT_TRANSLATE_NOOP("zw::Commands", "Morph from Identity"),
             QT_TRANSLATE_NOOP(
                 "zw::Commands",
                 "w = (1 − t)z + t f(z), with t on the Parameters panel; no inverse while t < 1"),
             [](Workbench& w, Sender* s) {
                 w.parameters.setMorph(!w.parameters.morphing());
                 if (s != nullptr) {
                     s->setState(w.parameters.morphing() ? 1 : 0);
                 }
             }),
        [](const Workbench& w) { return w.parameters.morphing(); })));
    // These carry the mark while their map or the formula is in use; opening the dialog changes
    // nothing until it is confirmed.
    t.push_back(
        after(grouped(keyed(item(command::kMobiusMap, "function",
                                 QT_TRANSLATE_NOOP("zw::Commands", "Möbius Map..."),
                                 QT_TRANSLATE_NOOP("zw::Commands",
                                                   "w = (az + b)/(cz + d) with complex a, b, c, d; "
                                                   "inverse: z = (dw − b)/(a − cw)")),
                            "Ctrl+Shift+M"),
                      "function", functionIs(catalogue::kMobiusMap))));
    t.push_back(grouped(
        keyed(item(command::kPolynomial, "function",
                   QT_TRANSLATE_NOOP("zw::Commands", "Cubic Polynomial..."),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "w = az³ + bz² + cz + d with complex a, b, c, d; no inverse")),
              "Ctrl+Shift+P"),
        "function", functionIs(catalogue::kPolynomial)));
    t.push_back(
        grouped(keyed(item(command::kAffineMap, "function",
                           QT_TRANSLATE_NOOP("zw::Commands", "Affine Map..."),
                           QT_TRANSLATE_NOOP("zw::Commands",
                                             "w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, "
                                             "with real u, v, a, b, c, d; "
                                             "inverse: the inverse matrix, where ad − bc ≠ 0")),
                      "Ctrl+Shift+A"),
                "function", functionIs(catalogue::kAffineMap)));
    t.push_back(grouped(
        keyed(item(command::kFormula, "function", QT_TRANSLATE_NOOP("zw::Commands", "Formula..."),
                   QT_TRANSLATE_NOOP(
                       "zw::Commands",
                       "w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); inverse: the "
                       "formula in w you give with it, if any")),
              "Ctrl+Shift+F"),
        "function", functionIs(command::kFormula)));
}

void addDomain(std::vector<Command>& t) {
    t.push_back(menu("domain", "", QT_TRANSLATE_NOOP("zw::Commands", "&Domain")));
    addZoom(t, "domain", domainOf, {"Ctrl++", "Ctrl+-"}, true);
    addAxesAndGrid(t, "domain", domainOf,
                   [](Workbench& w, Sender* s) { w.domain()->showDomainGrid(s); });
    const auto view = [](Workbench& w) -> DomainView& { return *w.domain(); };
    t.push_back(
        option(item("domain.shadeByModulus", "domain",
                    QT_TRANSLATE_NOOP("zw::Commands", "Shade by Modulus"),
                    QT_TRANSLATE_NOOP("zw::Commands", "Shade the domain by the modulus of f(z)"),
                    [view](Workbench& w, Sender* s) { view(w).showContoursAction(s); }),
               [](const Workbench& w) { return w.domain()->showContours; }));
    t.push_back(
        option(item("domain.shadeByArgument", "domain",
                    QT_TRANSLATE_NOOP("zw::Commands", "Shade by Argument"),
                    QT_TRANSLATE_NOOP("zw::Commands", "Shade the domain by the argument of f(z)"),
                    [view](Workbench& w, Sender* s) { view(w).showArgumentsAction(s); }),
               [](const Workbench& w) { return w.domain()->showArguments; }));
    t.push_back(
        option(item("domain.highestResolution", "domain",
                    QT_TRANSLATE_NOOP("zw::Commands", "Highest Resolution"),
                    QT_TRANSLATE_NOOP("zw::Commands", "Shade in finer boxes (slower)"),
                    [view](Workbench& w, Sender* s) { view(w).highestResolutionAction(s); }),
               [](const Workbench& w) { return w.domain()->highestResolution; }));
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

void addViewAndHelp(std::vector<Command>& t) {
    t.push_back(menu("view", "", QT_TRANSLATE_NOOP("zw::Commands", "&View")));
    Command linked =
        item(command::kLinkedCursor, "view", QT_TRANSLATE_NOOP("zw::Commands", "Linked Cursor"),
             QT_TRANSLATE_NOOP("zw::Commands", "Mark the image of the pointer in the other plane"));
    linked.mark = Mark::Own;
    linked.startsChecked = true;
    t.push_back(std::move(linked));
    t.push_back(option(
        item("view.followCurves", "view",
             QT_TRANSLATE_NOOP("zw::Commands", "Follow Curves Near Poles"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Refine images where f bends fast and break them where it jumps"),
             [](Workbench& w, Sender* s) { w.controller.toggleFollowCurvesNearPoles(s); }),
        [](const Workbench& w) { return w.controller.followCurvesNearPoles; }));
    // One option for both planes: each keeps its own flag, and the item shows them both on.
    t.push_back(
        option(item("view.coordinatesAtEdges", "view",
                    QT_TRANSLATE_NOOP("zw::Commands", "Coordinates at Edges"),
                    QT_TRANSLATE_NOOP(
                        "zw::Commands",
                        "Keep the axes' numbers along the edges when the axes are out of view"),
                    [](Workbench& w, Sender* s) {
                        const bool on = s == nullptr || s->state() == 0;
                        if (s != nullptr) {
                            s->setState(on ? 1 : 0);
                        }
                        w.domain()->setCoordinatesAtEdges(on);
                        w.range()->setCoordinatesAtEdges(on);
                    }),
               [](const Workbench& w) {
                   return w.domain()->coordinatesAtEdges && w.range()->coordinatesAtEdges;
               }));
    // The panel shows itself when f has parameters; the window keeps this mark with it.
    Command parameters =
        item(command::kParameters, "view", QT_TRANSLATE_NOOP("zw::Commands", "Parameters"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Show the panel of f's parameters: sliders, values, ranges, Play"));
    parameters.mark = Mark::Own;
    t.push_back(std::move(parameters));
    t.push_back(after(option(
        item("view.pullBackEveryBranch", "view",
             QT_TRANSLATE_NOOP("zw::Commands", "Pull Back Grid on Every Branch"),
             QT_TRANSLATE_NOOP(
                 "zw::Commands",
                 "Pull the range's grid back into the domain on every branch, with or without an "
                 "inverse"),
             [](Workbench& w, Sender* s) { w.controller.togglePullBackOnEveryBranch(s); }),
        [](const Workbench& w) { return w.controller.pullBackOnEveryBranch; })));
    t.push_back(option(
        item("view.features", "view",
             QT_TRANSLATE_NOOP("zw::Commands", "Zeros, Poles and Critical Points"),
             QT_TRANSLATE_NOOP(
                 "zw::Commands",
                 "Mark the zeros (○), poles (×) and critical points (◇) in the domain, and the "
                 "critical values (◇) in the range"),
             [](Workbench& w, Sender* s) { w.controller.toggleShowFeatures(s); }),
        [](const Workbench& w) { return w.controller.showFeatures; }));
    // The planes take the arrow keys and + and - once they have the keys.
    t.push_back(after(keyed(
        item(command::kGoToDomain, "view", QT_TRANSLATE_NOOP("zw::Commands", "Go to Domain"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Give the domain (the z-plane) the keys: arrows pan, + and - zoom")),
        "Ctrl+1")));
    t.push_back(keyed(
        item(command::kGoToRange, "view", QT_TRANSLATE_NOOP("zw::Commands", "Go to Range"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Give the range (the w-plane) the keys: arrows pan, + and - zoom")),
        "Ctrl+2"));
    // The window puts its remembered settings back; it asks first when the planes change.
    t.push_back(after(
        item(command::kResetSettings, "view", QT_TRANSLATE_NOOP("zw::Commands", "Reset Settings"),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Put every remembered setting back as zwmap first starts"))));

    t.push_back(menu("help", "", QT_TRANSLATE_NOOP("zw::Commands", "&Help")));
    t.push_back(keyed(
        item(command::kKeysAndMouse, "help", QT_TRANSLATE_NOOP("zw::Commands", "Keys and Mouse"),
             QT_TRANSLATE_NOOP("zw::Commands", "List every key, shortcut and mouse action")),
        "F1"));
    t.push_back(item(
        command::kFunctions, "help", QT_TRANSLATE_NOOP("zw::Commands", "Functions"),
        QT_TRANSLATE_NOOP("zw::Commands", "The formula of each function and which have inverses")));
    t.push_back(
        after(item(command::kAbout, "help", QT_TRANSLATE_NOOP("zw::Commands", "About zwmap"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Version, Qt version and licence"))));
}

}  // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> table = [] {
        std::vector<Command> t;
        addFile(t);
        addEdit(t);
        addFunction(t);
        addDomain(t);
        addRange(t);
        addViewAndHelp(t);
        return t;
    }();
    return table;
}

namespace {

void visit(const std::string& menuId, std::vector<const Command*>& out) {
    for (const Command& c : commands()) {
        if (c.menu == menuId) {
            out.push_back(&c);
            if (c.kind == Command::Kind::Menu) {
                visit(c.id, out);
            }
        }
    }
}

}  // namespace

std::vector<const Command*> inMenuOrder() {
    std::vector<const Command*> out;
    visit("", out);
    return out;
}

const Command* findCommand(std::string_view id) {
    for (const Command& c : commands()) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

std::string plainTitle(std::string_view title) {
    std::string plain;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] == '&') {
            if (i + 1 < title.size() && title[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += title[i];
    }
    return plain;
}

std::string placeOf(const Command& command) {
    std::string place = plainTitle(command.title);
    for (const Command* in = findCommand(command.menu); in != nullptr; in = findCommand(in->menu)) {
        place = plainTitle(in->title) + " > " + place;
    }
    return place;
}

}  // namespace zw
