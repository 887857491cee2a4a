#include "app/CommandRows.h"

#include "app/Workbench.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"

namespace zw::commandrows {

void addView(std::vector<Command>& t) {
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
}

}  // namespace zw::commandrows
