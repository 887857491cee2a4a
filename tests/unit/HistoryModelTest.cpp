// Seeded random sequences of user actions, checked against a plain model of the path history
// after every step: presses, drags and releases split apart with the history actions in
// between, clicks, removals, undo and redo, clearing answered either way, pans, zooms, odd and
// even resizes of either plane, and changes of function. Nothing may be lost or duplicated, the
// paths and their images and the removed stacks stay in step, the undo and redo names are
// right, and every stored point sits where its true point is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/Alerts.h"
#include "platform/Events.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"

namespace zw {
namespace {

using test::AlertScript;
using test::AppHarness;
using test::FakeHost;
using test::FakeSender;

// One drawn path as the model knows it: the objects that stand for it in the three lists, and
// the true points it was drawn through, with their images under the function of the moment.
struct Entry {
    Path* domainPath = nullptr;
    Path* rangePath = nullptr;
    Path* image = nullptr;
    std::vector<CGPoint> z;
    std::vector<CGPoint> w;
};

// An undo or redo step: its name, and whether running it removes the newest path (or else
// restores the last removed one).
struct Step {
    std::string name;
    bool removes = false;
    bool operator==(const Step&) const = default;
};

struct Model {
    std::vector<Entry> paths;
    std::vector<Entry> removed;
    std::vector<Step> undo;
    std::vector<Step> redo;
    bool drawing = false;

    void remove() {
        if (!paths.empty()) {
            removed.push_back(paths.back());
            paths.pop_back();
        }
    }
    void restore() {
        if (!removed.empty()) {
            paths.push_back(removed.back());
            removed.pop_back();
        }
    }
    // Runs the top step of one stack; its opposite goes onto the other under the same name.
    void run(std::vector<Step>& from, std::vector<Step>& to) {
        if (drawing || from.empty()) {
            return;
        }
        const Step step = from.back();
        from.pop_back();
        step.removes ? remove() : restore();
        to.push_back({step.name, !step.removes});
    }
};

// Functions whose images stay finite over the views the sequences reach.
const std::vector<std::string> kFunctions = {"Identity", "Square",       "Cube",
                                             "Negate",   "Exponentiate", "Sin"};

class HistoryModelTest : public ::testing::TestWithParam<unsigned> {
  protected:
    enum Action {
        Press,
        Drag,
        Release,
        Click,
        Remove,
        Undo,
        Redo,
        ClearOk,
        ClearCancel,
        Pan,
        Zoom,
        Resize,
        Function
    };

    int within(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

    // A pointer position: mostly inside the domain, sometimes beyond its edges.
    CGPoint somewhere() {
        return {static_cast<double>(within(-20, app.domain->viewWidth + 20)),
                static_cast<double>(within(-20, app.domain->viewHeight + 20))};
    }

    PlaneView& somePlane() {
        return within(0, 1) == 0 ? static_cast<PlaneView&>(*app.domain)
                                 : static_cast<PlaneView&>(*app.range);
    }

    void addPoint(Entry& entry, CGPoint view) {
        const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(view);
        entry.z.push_back(z);
        entry.w.push_back(app.controller.transform(z));
    }

    void press() {
        const CGPoint p = somewhere();
        app.press(p);
        Entry entry;
        entry.domainPath = app.domain->paths.empty() ? nullptr : app.domain->paths.back().get();
        entry.rangePath = app.range->paths.empty() ? nullptr : app.range->paths.back().get();
        entry.image = app.domain->transformedPathsShownInDomain.empty()
                          ? nullptr
                          : app.domain->transformedPathsShownInDomain.back().get();
        addPoint(entry, p);
        model.paths.push_back(entry);
        model.drawing = true;
    }

    void drag() {
        const CGPoint p = somewhere();
        app.drag(p);
        // Nothing may have taken the path being drawn away from the end of the list.
        addPoint(model.paths.back(), p);
    }

    void release() {
        app.release(somewhere());
        model.drawing = false;
        model.undo.push_back({"Last Path Drawn", true});
        model.redo.clear();
    }

    void clear(int answer) {
        AlertScript alerts{answer};
        app.controller.clearAll(nullptr);
        if (model.drawing) {
            EXPECT_EQ(alerts.count(), 0u) << "no question while a path is being drawn";
            return;
        }
        ASSERT_EQ(alerts.count(), 1u);
        if (answer == kAlertDefaultReturn) {
            model.paths.clear();
            model.removed.clear();
            model.undo.clear();
            model.redo.clear();
        }
    }

    void pan() {
        PlaneView& plane = somePlane();
        static const std::u16string keys[] = {u"4",
                                              u"6",
                                              u"2",
                                              u"8",
                                              std::u16string(1, kLeftArrowFunctionKey),
                                              std::u16string(1, kRightArrowFunctionKey),
                                              std::u16string(1, kDownArrowFunctionKey),
                                              std::u16string(1, kUpArrowFunctionKey)};
        // Keys 0, 4 add 100 to x; 1, 5 take it off; 2, 6 add to y; 3, 7 take it off. Far from
        // the origin turn back, so that the images stay finite.
        int key = within(0, 7);
        const int axis = (key % 4) / 2;
        const double t = axis == 0 ? plane.translation.x : plane.translation.y;
        const bool adds = key % 2 == 0;
        if ((adds && t > 400) || (!adds && t < -400)) {
            key ^= 1;
        }
        plane.keyDown(KeyEvent{keys[key]});
    }

    void zoom() {
        PlaneView& plane = somePlane();
        if (within(0, 1) == 0 && plane.scaleFactor < 16.0f) {
            plane.zoomIn(nullptr);
        } else if (plane.scaleFactor > 1.0f / 16.0f) {
            plane.zoomOut(nullptr);
        } else {
            plane.zoomIn(nullptr);
        }
    }

    void resize() {
        FakeHost& host = within(0, 1) == 0 ? app.domainHost : app.rangeHost;
        host.resizeTo({static_cast<double>(within(40, 700)), static_cast<double>(within(40, 500))});
    }

    void changeFunction() {
        FakeSender item(kFunctions[static_cast<std::size_t>(
            within(0, static_cast<int>(kFunctions.size()) - 1))]);
        app.controller.setFunction(&item);
    }

    void act(Action action) {
        switch (action) {
            case Press:
                model.drawing ? drag() : press();
                break;
            case Drag:
                model.drawing ? drag() : press();
                break;
            case Release:
                model.drawing ? release() : press();
                break;
            case Click:
                if (model.drawing) {
                    release();
                } else {
                    press();
                    release();
                }
                break;
            case Remove:
                app.controller.removeLastPath(nullptr);
                if (!model.drawing) {
                    model.remove();
                    model.undo.push_back({"Remove Last Path", false});
                    model.redo.clear();
                }
                break;
            case Undo:
                app.controller.undo(nullptr);
                model.run(model.undo, model.redo);
                break;
            case Redo:
                app.controller.redo(nullptr);
                model.run(model.redo, model.undo);
                break;
            case ClearOk:
                clear(kAlertDefaultReturn);
                break;
            case ClearCancel:
                clear(kAlertAlternateReturn);
                break;
            case Pan:
                pan();
                break;
            case Zoom:
                zoom();
                break;
            case Resize:
                resize();
                break;
            case Function:
                changeFunction();
                break;
        }
    }

    static void expectOn(const PlaneView& plane, const Path* path,
                         const std::vector<CGPoint>& truePoints, const char* what) {
        ASSERT_EQ(path->elementCount(), truePoints.size()) << what;
        for (std::size_t i = 0; i < truePoints.size(); ++i) {
            const CGPoint want = plane.trueCoordinatesToViewCoordinates(truePoints[i]);
            const CGPoint got = path->elementAtIndex(i).point;
            // A millionth of a unit, and the rounding of the moves for far-flung images.
            const double slack = 1e-6 + 1e-12 * std::max(std::fabs(want.x), std::fabs(want.y));
            ASSERT_NEAR(got.x, want.x, slack) << what << ", point " << i;
            ASSERT_NEAR(got.y, want.y, slack) << what << ", point " << i;
        }
    }

    void expectList(const PathList& list, const std::vector<Entry>& entries, Path* Entry::*member,
                    const char* what) {
        ASSERT_EQ(list.size(), entries.size()) << what;
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_EQ(list[i].get(), entries[i].*member) << what << ", entry " << i;
        }
    }

    void check() {
        const DomainView& d = *app.domain;
        const RangeView& r = *app.range;
        expectList(d.paths, model.paths, &Entry::domainPath, "domain paths");
        expectList(r.paths, model.paths, &Entry::rangePath, "range paths");
        expectList(d.transformedPathsShownInDomain, model.paths, &Entry::image, "images");
        expectList(d.removedPaths, model.removed, &Entry::domainPath, "removed domain paths");
        expectList(r.removedPaths, model.removed, &Entry::rangePath, "removed range paths");
        expectList(d.removedTransformedPathsShownInDomain, model.removed, &Entry::image,
                   "removed images");

        std::set<const Path*> seen;
        std::size_t objects = 0;
        for (const std::vector<Entry>* entries : {&model.paths, &model.removed}) {
            for (const Entry& e : *entries) {
                seen.insert({e.domainPath, e.rangePath, e.image});
                objects += 3;
                expectOn(d, e.domainPath, e.z, "a path");
                expectOn(r, e.rangePath, e.w, "an image in the range");
                expectOn(d, e.image, e.w, "an image in the domain");
            }
        }
        EXPECT_EQ(seen.size(), objects) << "a path object stands for two paths";
        EXPECT_EQ(seen.count(nullptr), 0u);

        EXPECT_EQ(d.isDrawingPath(), model.drawing);
        if (model.drawing) {
            EXPECT_EQ(d.path, model.paths.back().domainPath);
            EXPECT_EQ(r.path, model.paths.back().rangePath);
            EXPECT_EQ(d.transformedPathShownInDomain, model.paths.back().image);
        }

        UndoManager& undo = app.undo();
        ASSERT_EQ(undo.undoCount(), model.undo.size());
        ASSERT_EQ(undo.redoCount(), model.redo.size());
        EXPECT_EQ(undo.undoActionName(), model.undo.empty() ? "" : model.undo.back().name);
        EXPECT_EQ(undo.redoActionName(), model.redo.empty() ? "" : model.redo.back().name);
    }

    std::mt19937 random{GetParam()};
    test::LogCapture log;
    AppHarness app;
    Model model;
};

TEST_P(HistoryModelTest, TwoHundredRandomStepsKeepTheHistoryInStep) {
    static const char* const kNames[] = {"press", "drag",   "release",  "click",        "remove",
                                         "undo",  "redo",   "clear OK", "clear Cancel", "pan",
                                         "zoom",  "resize", "function"};
    // Drawing is what users do most; the history actions come often enough to fall inside
    // drags.
    std::discrete_distribution<int> pick({4, 8, 3, 2, 2, 4, 3, 1, 1, 2, 2, 3, 1});
    std::vector<std::string> done;
    int historyDuringDrags = 0;
    std::size_t mostPaths = 0;
    for (int step = 0; step < 200; ++step) {
        const auto action = static_cast<Action>(pick(random));
        done.push_back(kNames[action]);
        if (model.drawing && action >= Remove && action <= ClearCancel) {
            ++historyDuringDrags;
        }
        act(action);
        check();
        mostPaths = std::max(mostPaths, model.paths.size() + model.removed.size());
        if (HasFatalFailure() || HasNonfatalFailure()) {
            std::string recent;
            for (std::size_t i = done.size() > 12 ? done.size() - 12 : 0; i < done.size(); ++i) {
                recent += " " + done[i];
            }
            FAIL() << "seed " << GetParam() << ", step " << step << "; the last steps:" << recent;
        }
    }
    // The sequence did reach what it is meant to try.
    EXPECT_GT(historyDuringDrags, 0);
    EXPECT_GE(mostPaths, 3u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HistoryModelTest, ::testing::Range(1u, 31u));

}  // namespace
}  // namespace zw
