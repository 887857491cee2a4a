// Seeded adversarial cases: a function with poles or fast growth, a viewport pushed to its
// limits (zoom at the scale factor's bounds, far pans, odd and tiny sizes down to 1 x 1) and
// paths drawn through and near the poles. Each case ends with a complete pass of both planes
// on the Qt canvas, which must hand QPainter only finite coordinates within its clip bounds,
// and must not take long: a watchdog ends a case that hangs.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "platform/Events.h"
#include "platform/Log.h"
#include "qt/QtCanvas.h"
#include "support/AppHarness.h"
#include "support/FakeSender.h"

namespace zw::test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlowdown = 10.0;  // sanitized builds run several times slower
#else
constexpr double kSlowdown = 1.0;
#endif
constexpr std::chrono::duration<double> kPassLimit{1.0 * kSlowdown};
constexpr std::chrono::duration<double> kCaseLimit{20.0 * kSlowdown};

// Aborts the process, naming the case, when a case runs past its limit instead of hanging.
class Watchdog {
  public:
    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void start(int seed) {
        std::lock_guard<std::mutex> lock(mutex_);
        seed_ = seed;
        deadline_ = std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(kCaseLimit);
        wake_.notify_all();
    }

  private:
    void watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stop_) {
            if (wake_.wait_until(lock, deadline_) == std::cv_status::timeout && !stop_ &&
                std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "adversarial case %d still running after %.0f s\n", seed_,
                             kCaseLimit.count());
                std::abort();
            }
        }
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    int seed_ = -1;
    // Far off until the first case starts (not time_point::max(), which waits cannot take).
    std::chrono::steady_clock::time_point deadline_ =
        std::chrono::steady_clock::now() + std::chrono::hours(1);
    std::thread thread_;
};

const std::array<const char*, 10> kFunctions = {"exp(1/z)",
                                                "1/(exp(1/z)-1)",
                                                "Tan",
                                                "Invert",
                                                "Hyperbolic Plane To Disk",
                                                "Hyperbolic Disk to Plane",
                                                "Exponentiate",
                                                "Fourth Power",
                                                "Cosh",
                                                "Custom Function"};

// Points of the plane where the functions above misbehave, and the extremes of a double.
const std::array<CGPoint, 9> kPoles = {{{0, 0},
                                        {1.5707963267948966, 0},
                                        {-1.5707963267948966, 0},
                                        {0, -1},
                                        {1, 0},
                                        {0, 1e-300},
                                        {1e300, -1e300},
                                        {5e-324, 0},
                                        {700, 0}}};

struct Outcome {
    QtCanvas::Handed handed;
    std::chrono::duration<double> slowest{0};
};

void drawCompletely(PlaneView& view, double ratio, Outcome& outcome) {
    const int w = std::max(1, view.viewWidth);
    const int h = std::max(1, view.viewHeight);
    QImage image(static_cast<int>(std::ceil(w * ratio)), static_cast<int>(std::ceil(h * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    view.needsCompleteRedraw = true;
    const auto start = std::chrono::steady_clock::now();
    QtCanvas canvas(&image);
    view.drawRect(canvas, view.bounds());
    outcome.slowest = std::max(
        outcome.slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start));
    outcome.handed.coordinates += canvas.handed().coordinates;
    outcome.handed.nonFinite += canvas.handed().nonFinite;
    outcome.handed.outsideClip += canvas.handed().outsideClip;
}

// One case, all its choices drawn from the seed.
Outcome runCase(int seed) {
    std::mt19937_64 random(static_cast<std::uint64_t>(seed));
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };

    AppHarness app(AppHarness::Options{{200.0 + pick(201), 150.0 + pick(151)},
                                       {200.0 + pick(201), 150.0 + pick(151)}});
    FakeSender title(kFunctions[static_cast<std::size_t>(pick(kFunctions.size()))]);
    app.controller.setFunction(&title);
    DomainView& domain = *app.domain;
    RangeView& range = *app.range;
    FakeSender on("", 0);
    if (pick(3) == 0) {
        domain.showContoursAction(&on);
        on.setState(0);
        if (pick(2) == 0) {
            domain.showArgumentsAction(&on);
        }
    }

    // The viewport of each plane.
    for (PlaneView* view : {static_cast<PlaneView*>(&domain), static_cast<PlaneView*>(&range)}) {
        FakeHost& host = view == &domain ? app.domainHost : app.rangeHost;
        switch (pick(5)) {
            case 0:  // zoomed in to the bound
                for (int i = 0; i < 105; ++i)
                    view->zoomIn(nullptr);
                break;
            case 1:  // zoomed out to the bound
                for (int i = 0; i < 105; ++i)
                    view->zoomOut(nullptr);
                break;
            case 2:  // a few zoom steps either way
                for (int i = pick(12); i > 0; --i) {
                    pick(2) == 0 ? view->zoomIn(nullptr) : view->zoomOut(nullptr);
                }
                break;
            default:
                break;
        }
        if (pick(3) == 0) {
            // A far pan: what thousands of arrow keys would do.
            view->translation = {std::ldexp(uniform(-1, 1), pick(60)),
                                 std::ldexp(uniform(-1, 1), pick(60))};
            view->constructAxes();
        }
        for (int k = pick(4); k > 0; --k) {
            const char16_t keys[] = {kUpArrowFunctionKey, kDownArrowFunctionKey,
                                     kLeftArrowFunctionKey, kRightArrowFunctionKey};
            view->keyDown(KeyEvent{std::u16string(1, keys[pick(4)])});
        }
        const int resizes = pick(4);
        for (int k = 0; k < resizes; ++k) {
            const bool tiny = pick(3) == 0;
            host.resizeTo({tiny ? 1.0 + pick(6) : 1.0 + 2 * pick(200),
                           tiny ? 1.0 + pick(6) : 1.0 + 2 * pick(150)});
        }
    }

    // Paths through and near the poles, in true coordinates, sometimes beyond any view.
    const int paths = 1 + pick(4);
    for (int k = 0; k < paths; ++k) {
        const CGPoint pole = kPoles[static_cast<std::size_t>(pick(kPoles.size()))];
        const double reach = std::ldexp(1.0, pick(40) - 30);
        const int points = 2 + pick(80);
        const double angle = uniform(0, 6.283185307179586);
        for (int i = 0; i < points; ++i) {
            const double s = reach * (2.0 * i / (points - 1) - 1.0);
            const CGPoint z =
                pick(8) == 0 ? CGPoint{pole.x + uniform(-1e-9, 1e-9), pole.y}
                             : CGPoint{pole.x + s * std::cos(angle), pole.y + s * std::sin(angle)};
            const MouseEvent event{domain.trueCoordinatesToViewCoordinates(z)};
            if (i == 0) {
                domain.mouseDown(event);
            } else {
                domain.mouseDragged(event);
            }
        }
        domain.mouseUp(MouseEvent{{0, 0}});
    }
    if (pick(4) == 0) {
        app.controller.toggleShowTransformedPathsInDomain(&on);
    }

    Outcome outcome;
    const double ratio = pick(3) == 0 ? 2.0 : 1.0;
    drawCompletely(domain, ratio, outcome);
    drawCompletely(range, ratio, outcome);
    return outcome;
}

// A few hundred cases, in shards that ctest can run side by side.
class AdversarialDrawingTest : public ::testing::TestWithParam<int> {};

TEST_P(AdversarialDrawingTest, PassesHandQPainterOnlyFiniteCoordinatesWithinTheClip) {
    constexpr int kCasesPerShard = 60;
    // Poles log a line per sample; only the drawing is under test here.
    const LogSink previous = setLogSink([](const std::string&) {});
    Watchdog watchdog;
    long long coordinates = 0;
    for (int c = 0; c < kCasesPerShard; ++c) {
        const int seed = GetParam() * kCasesPerShard + c;
        watchdog.start(seed);
        const Outcome outcome = runCase(seed);
        coordinates += outcome.handed.coordinates;
        EXPECT_EQ(outcome.handed.nonFinite, 0) << "case " << seed;
        EXPECT_EQ(outcome.handed.outsideClip, 0) << "case " << seed;
        EXPECT_LT(outcome.slowest.count(), kPassLimit.count()) << "case " << seed;
    }
    setLogSink(previous);
    // The cases do draw: axes, labels and path pieces reach the painter.
    EXPECT_GT(coordinates, 50 * kCasesPerShard);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AdversarialDrawingTest, ::testing::Range(0, 5));

}  // namespace
}  // namespace zw::test
