#include "app/Commands.h"

#include <array>
#include <tuple>
#include <utility>

#include "app/AnimationTarget.h"
#include "app/Workbench.h"
#include "engine/Catalogue.h"
#include "platform/Sender.h"

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
    Command zoomIn = item(in + ".zoomIn", in, "Zoom In", "Zoom in by 2 about the centre",
                          [plane](Workbench& w, Sender* s) { plane(w)->zoomIn(s); });
    Command zoomOut = item(in + ".zoomOut", in, "Zoom Out", "Zoom out by 2 about the centre",
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
        option(item(in + ".axisLabels", in, "Show Axis Labels", "Show the numbers along the axes",
                    [plane](Workbench& w, Sender* s) { plane(w)->toggleAxesLabels(s); }),
               [plane](const Workbench& w) { return plane(w)->tickMarks; })));
    t.push_back(option(
        item(in + ".grid", in, "Show Grid", "Show this plane's square grid", std::move(showGrid)),
        [plane](const Workbench& w) { return plane(w)->showGridlines; }));
}

void addColoursAndReset(std::vector<Command>& t, const std::string& in, PlaneOf plane) {
    const std::string colours = in + ".pathColour";
    t.push_back(menu(colours, in, "Path Colour", true));
    using SetColour = void (PlaneView::*)(Sender*);
    const std::tuple<const char*, const char*, const char*, SetColour> named[] = {
        {".black", "Black", "New paths in black", &PlaneView::setColorBlack},
        {".blue", "Blue", "New paths in blue", &PlaneView::setColorBlue},
        {".green", "Green", "New paths in green", &PlaneView::setColorGreen},
        {".red", "Red", "New paths in red", &PlaneView::setColorRed},
    };
    for (const auto& [id, title, tip, set] : named) {
        t.push_back(item(colours + id, colours, title, tip,
                         [plane, set = set](Workbench& w, Sender* s) { (plane(w)->*set)(s); }));
    }
    t.push_back(item(colours + ".other", colours, "Other...", "Choose a colour for new paths",
                     [plane](Workbench& w, Sender* s) { plane(w)->setColorOther(s); }));
    t.push_back(after(item(in + ".resetView", in, "Reset View",
                           "Scale factor 1 with the origin at the centre",
                           [plane](Workbench& w, Sender* s) { plane(w)->resetView(s); })));
}

PlaneView* domainOf(const Workbench& w) {
    return w.domain();
}

PlaneView* rangeOf(const Workbench& w) {
    return w.range();
}

void addFile(std::vector<Command>& t) {
    t.push_back(menu("file", "", "&File"));
    t.push_back(keyed(item(command::kNew, "file", "New",
                           "Start again with the function, views and options a window starts with"),
                      StandardKey::New, "Ctrl+N", true));
    t.push_back(keyed(item(command::kOpen, "file", "Open...", "Open a saved session"),
                      StandardKey::Open, "Ctrl+O", true));
    // The window lists the sessions themselves above this one item.
    t.push_back(menu(command::kOpenRecent, "file", "Open &Recent"));
    t.push_back(item(command::kClearRecent, command::kOpenRecent, "Clear Menu",
                     "Forget the sessions listed here"));
    t.push_back(keyed(item(command::kSave, "file", "Save",
                           "Save the session: function, views, options and paths"),
                      StandardKey::Save, "Ctrl+S", true));
    t.push_back(
        keyed(item(command::kSaveAs, "file", "Save As...", "Save the session in a new file"),
              StandardKey::SaveAs, "Ctrl+Shift+S", true));
    t.push_back(after(keyed(item(command::kExportPicture, "file", "Export Picture...",
                                 "Save what the planes show as a PNG or SVG picture"),
                            "Ctrl+Shift+E")));
    // Something must move: a parameter of f, or the morph's t.
    Command animation = item(command::kExportAnimation, "file", "Export Animation...",
                             "Save an animated GIF, WebP or a numbered PNG series of the planes "
                             "as a parameter moves");
    animation.enabled = [](const Workbench& w) {
        return idle(w) && !AnimationTarget::names(w).empty();
    };
    t.push_back(std::move(animation));
    t.push_back(after(keyed(item(command::kQuit, "file", "Quit", "Quit zwmap"), StandardKey::Quit,
                            "Ctrl+Q", true)));
}

void addEdit(std::vector<Command>& t) {
    t.push_back(menu("edit", "", "&Edit"));
    Command undo =
        whenIdle(keyed(item("edit.undo", "edit", "Undo", "Undo the last path drawn or removed",
                            [](Workbench& w, Sender* s) { w.controller.undo(s); }),
                       StandardKey::Undo, "Ctrl+Z"));
    undo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canUndo(); };
    undo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.undoActionName();
        return name.empty() ? std::string("Undo") : "Undo " + name;
    };
    t.push_back(std::move(undo));
    Command redo = keyed(item("edit.redo", "edit", "Redo", "Redo what was undone",
                              [](Workbench& w, Sender* s) { w.controller.redo(s); }),
                         StandardKey::Redo, "Ctrl+Y");
    redo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canRedo(); };
    redo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.redoActionName();
        return name.empty() ? std::string("Redo") : "Redo " + name;
    };
    t.push_back(std::move(redo));
    // Pictures for a worksheet, made as Export Picture makes them, at the screen's resolution.
    t.push_back(after(keyed(item(command::kCopyPicture, "edit", "Copy Picture",
                                 "Copy both planes as a picture, to paste into a document"),
                            "Ctrl+C")));
    t.push_back(keyed(item(command::kCopyFocusedPlane, "edit", "Copy Focused Plane",
                           "Copy the plane with the keys as a picture"),
                      "Ctrl+Alt+C"));
    // Ctrl+Shift with a letter opens a dialog, as Ctrl+Shift+S does.
    t.push_back(
        after(whenIdle(keyed(item(command::kAddCircle, "edit", "Add Circle...",
                                  "Add an exact circle, given its centre and radius, as a path"),
                             "Ctrl+Shift+C"))));
    t.push_back(whenIdle(keyed(item(command::kAddLine, "edit", "Add Line...",
                                    "Add an exact line segment, given its end points, as a path"),
                               "Ctrl+Shift+L")));
    t.push_back(
        after(whenIdle(item("edit.removeLastPath", "edit", "Remove Last Path",
                            "Remove the newest path from both planes",
                            [](Workbench& w, Sender* s) { w.controller.removeLastPath(s); }))));
    t.push_back(whenIdle(item("edit.clearAllPaths", "edit", "Clear All Paths...",
                              "Remove every path from both planes, after asking",
                              [](Workbench& w, Sender* s) { w.controller.clearAll(s); })));
}

void addFunction(std::vector<Command>& t) {
    t.push_back(menu("function", "", "F&unction"));
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
    t.push_back(after(
        option(item(command::kMorph, "function", "Morph from Identity",
                    "w = (1 − t)z + t f(z), with t on the Parameters panel; no inverse while t < 1",
                    [](Workbench& w, Sender* s) {
                        w.parameters.setMorph(!w.parameters.morphing());
                        if (s != nullptr) {
                            s->setState(w.parameters.morphing() ? 1 : 0);
                        }
                    }),
               [](const Workbench& w) { return w.parameters.morphing(); })));
    // These carry the mark while their map or the formula is in use; opening the dialog changes
    // nothing until it is confirmed.
    t.push_back(after(grouped(
        keyed(item(command::kMobiusMap, "function", "Möbius Map...",
                   "w = (az + b)/(cz + d) with complex a, b, c, d; inverse: z = (dw − b)/(a − cw)"),
              "Ctrl+Shift+M"),
        "function", functionIs(catalogue::kMobiusMap))));
    t.push_back(grouped(keyed(item(command::kPolynomial, "function", "Cubic Polynomial...",
                                   "w = az³ + bz² + cz + d with complex a, b, c, d; no inverse"),
                              "Ctrl+Shift+P"),
                        "function", functionIs(catalogue::kPolynomial)));
    t.push_back(grouped(
        keyed(item(command::kAffineMap, "function", "Affine Map...",
                   "w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, with real u, v, a, b, c, d; "
                   "inverse: the inverse matrix, where ad − bc ≠ 0"),
              "Ctrl+Shift+A"),
        "function", functionIs(catalogue::kAffineMap)));
    t.push_back(
        grouped(keyed(item(command::kFormula, "function", "Formula...",
                           "w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); inverse: the "
                           "formula in w you give with it, if any"),
                      "Ctrl+Shift+F"),
                "function", functionIs(command::kFormula)));
}

void addDomain(std::vector<Command>& t) {
    t.push_back(menu("domain", "", "&Domain"));
    addZoom(t, "domain", domainOf, {"Ctrl++", "Ctrl+-"}, true);
    addAxesAndGrid(t, "domain", domainOf,
                   [](Workbench& w, Sender* s) { w.domain()->showDomainGrid(s); });
    const auto view = [](Workbench& w) -> DomainView& { return *w.domain(); };
    t.push_back(option(item("domain.shadeByModulus", "domain", "Shade by Modulus",
                            "Shade the domain by the modulus of f(z)",
                            [view](Workbench& w, Sender* s) { view(w).showContoursAction(s); }),
                       [](const Workbench& w) { return w.domain()->showContours; }));
    t.push_back(option(item("domain.shadeByArgument", "domain", "Shade by Argument",
                            "Shade the domain by the argument of f(z)",
                            [view](Workbench& w, Sender* s) { view(w).showArgumentsAction(s); }),
                       [](const Workbench& w) { return w.domain()->showArguments; }));
    t.push_back(
        option(item("domain.highestResolution", "domain", "Highest Resolution",
                    "Shade in finer boxes (slower)",
                    [view](Workbench& w, Sender* s) { view(w).highestResolutionAction(s); }),
               [](const Workbench& w) { return w.domain()->highestResolution; }));
    t.push_back(option(
        item("domain.pathImages", "domain", "Show Path Images in Domain",
             "Draw the images of the paths in the domain too",
             [](Workbench& w, Sender* s) { w.controller.toggleShowTransformedPathsInDomain(s); }),
        [](const Workbench& w) { return w.controller.showTransformedPathsInDomain(); }));
    // The controller also clears this mark itself when a new function has no inverse.
    t.push_back(option(
        item(command::kInverseImages, "domain", "Show Inverse Images of Range Grid",
             "Pull the range's grid back into the domain, where f has an inverse",
             [](Workbench& w, Sender* s) {
                 w.controller.toggleShowInverseImagesOfRangeGridlines(s);
             }),
        [](const Workbench& w) { return w.controller.showInverseImagesOfRangeGridlines(); }));
    addColoursAndReset(t, "domain", domainOf);
    t.push_back(menu("domain.shadingColours", "domain", "Shading Colours"));
    const std::tuple<const char*, const char*, const char*, ShadingColours> schemes[] = {
        {"domain.shadingColours.classic", "Classic", "Shade in grey and from red to blue",
         ShadingColours::Classic},
        {"domain.shadingColours.colourWheel", "Colour Wheel",
         "Shade the argument as hue, the modulus as bands at powers of 2",
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
    t.push_back(menu("domain.shadingResolution", "domain", "Shading Resolution"));
    const std::tuple<const char*, const char*, const char*, ShadingResolution> resolutions[] = {
        {"domain.shadingResolution.boxes", "Boxes", "Shade in boxes of two or four pixels",
         ShadingResolution::Boxes},
        {"domain.shadingResolution.everyPixel", "Every Pixel",
         "Shade every pixel from f at its centre", ShadingResolution::EveryPixel},
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
    t.push_back(menu("range", "", "&Range"));
    // The domain's zoom has the standard keys; the range's add Alt. (Ctrl+Shift+= would be the
    // domain's Ctrl++ on most keyboards, and Qt would take neither.)
    addZoom(t, "range", rangeOf, {"Ctrl+Alt+=", "Ctrl+Alt+-"}, false);
    addAxesAndGrid(t, "range", rangeOf,
                   [](Workbench& w, Sender* s) { w.range()->showRangeGrid(s); });
    t.push_back(
        option(item("range.gridImages", "range", "Show Grid Images",
                    "Show the images of the domain's grid",
                    [](Workbench& w, Sender* s) { w.range()->showTransformedGridlinesAction(s); }),
               [](const Workbench& w) { return w.range()->showTransformedGridlines; }));
    t.push_back(option(item("range.allowDrawing", "range", "Allow Drawing",
                            "Draw paths in the range; their preimages on every branch follow "
                            "in the domain",
                            [](Workbench& w, Sender* s) { w.range()->toggleAllowDrawing_(s); }),
                       [](const Workbench& w) { return w.range()->allowDrawing; }));
    addColoursAndReset(t, "range", rangeOf);
    t.push_back(after(
        item("range.redrawImages", "range", "Redraw Images Under Current Function",
             "Redraw every path's image under the current function",
             [](Workbench& w, Sender* s) { w.controller.redrawImagesUnderCurrentFunction(s); })));
}

void addViewAndHelp(std::vector<Command>& t) {
    t.push_back(menu("view", "", "&View"));
    Command linked = item(command::kLinkedCursor, "view", "Linked Cursor",
                          "Mark the image of the pointer in the other plane");
    linked.mark = Mark::Own;
    linked.startsChecked = true;
    t.push_back(std::move(linked));
    t.push_back(
        option(item("view.followCurves", "view", "Follow Curves Near Poles",
                    "Refine images where f bends fast and break them where it jumps",
                    [](Workbench& w, Sender* s) { w.controller.toggleFollowCurvesNearPoles(s); }),
               [](const Workbench& w) { return w.controller.followCurvesNearPoles; }));
    // One option for both planes: each keeps its own flag, and the item shows them both on.
    t.push_back(option(item("view.coordinatesAtEdges", "view", "Coordinates at Edges",
                            "Keep the axes' numbers along the edges when the axes are out of view",
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
    Command parameters = item(command::kParameters, "view", "Parameters",
                              "Show the panel of f's parameters: sliders, values, ranges, Play");
    parameters.mark = Mark::Own;
    t.push_back(std::move(parameters));
    t.push_back(after(option(
        item("view.pullBackEveryBranch", "view", "Pull Back Grid on Every Branch",
             "Pull the range's grid back into the domain on every branch, with or without an "
             "inverse",
             [](Workbench& w, Sender* s) { w.controller.togglePullBackOnEveryBranch(s); }),
        [](const Workbench& w) { return w.controller.pullBackOnEveryBranch; })));
    t.push_back(
        option(item("view.features", "view", "Zeros, Poles and Critical Points",
                    "Mark the zeros (○), poles (×) and critical points (◇) in the domain, and the "
                    "critical values (◇) in the range",
                    [](Workbench& w, Sender* s) { w.controller.toggleShowFeatures(s); }),
               [](const Workbench& w) { return w.controller.showFeatures; }));
    // The planes take the arrow keys and + and - once they have the keys.
    t.push_back(
        after(keyed(item(command::kGoToDomain, "view", "Go to Domain",
                         "Give the domain (the z-plane) the keys: arrows pan, + and - zoom"),
                    "Ctrl+1")));
    t.push_back(keyed(item(command::kGoToRange, "view", "Go to Range",
                           "Give the range (the w-plane) the keys: arrows pan, + and - zoom"),
                      "Ctrl+2"));
    // The window puts its remembered settings back; it asks first when the planes change.
    t.push_back(after(item(command::kResetSettings, "view", "Reset Settings",
                           "Put every remembered setting back as zwmap first starts")));

    t.push_back(menu("help", "", "&Help"));
    t.push_back(keyed(item(command::kKeysAndMouse, "help", "Keys and Mouse",
                           "List every key, shortcut and mouse action"),
                      "F1"));
    t.push_back(item(command::kFunctions, "help", "Functions",
                     "The formula of each function and which have inverses"));
    t.push_back(
        after(item(command::kAbout, "help", "About zwmap", "Version, Qt version and licence")));
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
