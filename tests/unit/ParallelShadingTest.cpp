// The shading on several threads: the boxes and every pixel are the very ones one thread makes,
// every pixel is coloured from f at its centre, and a 4K pane shaded at every pixel keeps no
// record per pixel. These tests also run under ThreadSanitizer (zw_parallel_tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/DevicePixel.h"
#include "platform/Parallel.h"
#include "support/AppHarness.h"
#include "views/ColourWheel.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;

// Restores every core when a test is done with its forced count.
class ThreadCount {
  public:
    explicit ThreadCount(int n) { parallel::setThreadCount(n); }
    ~ThreadCount() { parallel::setThreadCount(0); }
    ThreadCount(const ThreadCount&) = delete;
    ThreadCount& operator=(const ThreadCount&) = delete;
};

TEST(Parallel, EveryChunkRunsOnceWhateverTheThreadsAndAFailureComesBack) {
    struct Case {
        std::size_t count, grain;
        int threads;
    };
    for (const Case c : {Case{0, 4, 3}, Case{1, 4, 3}, Case{10, 3, 1}, Case{1000, 7, 4},
                         Case{1000, 1, 8}, Case{5, 0, 2}}) {
        SCOPED_TRACE(testing::Message() << c.count << " by " << c.grain << " on " << c.threads);
        const ThreadCount forced(c.threads);
        EXPECT_EQ(parallel::threadCount(), c.threads);
        std::vector<int> runs(c.count, 0);
        parallel::forEachChunk(c.count, c.grain, [&](std::size_t begin, std::size_t end) {
            EXPECT_LE(end - begin, std::max<std::size_t>(c.grain, 1));
            for (std::size_t k = begin; k < end; ++k) {
                ++runs[k];
            }
        });
        EXPECT_EQ(std::count(runs.begin(), runs.end(), 1), static_cast<long>(c.count));
    }
    parallel::setThreadCount(0);
    EXPECT_GE(parallel::threadCount(), 1);

    const ThreadCount forced(3);
    EXPECT_THROW(parallel::forEachChunk(100, 1,
                                        [](std::size_t begin, std::size_t) {
                                            if (begin == 57) {
                                                throw std::runtime_error("chunk 57");
                                            }
                                        }),
                 std::runtime_error);
}

// The functions the tests shade: formulas through the block evaluation, and catalogue and user
// maps one point at a time.
struct Function {
    const char* name;
    const char* formula;  // or null: a catalogue title in name
};

const Function kFunctions[] = {
    {"exp(0.5 z) + z^2", "exp(0.5 z) + z^2"},
    {"sin(z)^2 + 1/(z-1)", "sin(z)^2 + 1/(z-1)"},
    {"(z - 0.5i)/(1 + z^3)", "(z - 0.5i)/(1 + z^3)"},
    {"Tan", nullptr},
    {"Exponentiate", nullptr},
};

void select(AppHarness& app, const Function& f) {
    if (f.formula != nullptr) {
        std::string error;
        ASSERT_TRUE(app.controller.setFormula(f.formula, "", error)) << error;
    } else {
        FakeSender item{f.name};
        app.controller.setFunction(&item);
    }
}

// A canvas over an image of its own, as the Qt canvas hands over a pane's image.
class PixelCanvas : public test::RecordingCanvas {
  public:
    PixelCanvas(int width, int height, double ratio)
        : width_(width),
          height_(height),
          ratio_(ratio),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kUnwritten) {}

    void fillEveryPixel(CGSize, const std::function<void(const PixelImage&)>& shade) override {
        ++calls;
        shade({pixels.data(), width_, width_, height_, ratio_, height_ / ratio_});
    }

    static constexpr std::uint32_t kUnwritten = 0x00123456u;
    int calls = 0;

  private:
    int width_, height_;
    double ratio_;

  public:
    std::vector<std::uint32_t> pixels;
};

struct Picture {
    std::vector<ColoredRect> boxes;
    std::vector<std::uint32_t> lattice;
    std::vector<std::uint32_t> pixels;
};

Picture shadeOn(AppHarness& app, int threads, double ratio) {
    const ThreadCount forced(threads);
    DomainView& domain = *app.domain;
    Picture picture;
    domain.shadingResolution = ShadingResolution::Boxes;
    domain.constructContours();
    picture.boxes = domain.contours;
    picture.lattice = domain.contourLattice.pixels();
    domain.shadingResolution = ShadingResolution::EveryPixel;
    domain.constructContours();
    PixelCanvas canvas(static_cast<int>(domain.viewWidth * ratio),
                       static_cast<int>(domain.viewHeight * ratio), ratio);
    domain.drawRect(canvas, domain.bounds());
    picture.pixels = std::move(canvas.pixels);
    return picture;
}

bool sameBits(const ColoredRect& a, const ColoredRect& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ParallelShading, BoxesAndPixelsAreThoseOfOneThreadOverSeededViewports) {
    AppHarness::Options options;
    options.domainSize = {163, 121};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> shift(-300.0, 300.0);
    std::uniform_int_distribution<int> zoom(-3, 4);
    int viewport = 0;
    for (const Function& f : kFunctions) {
        select(app, f);
        for (const ShadingColours colours :
             {ShadingColours::Classic, ShadingColours::ColourWheel}) {
            for (const auto& [modulus, argument] :
                 {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
                domain.shadingColours = colours;
                domain.showContours = modulus;
                domain.showArguments = argument;
                domain.highestResolution = ++viewport % 2 == 0;
                domain.translation = {shift(random), shift(random)};
                domain.scaleFactor = static_cast<float>(std::ldexp(1.0, zoom(random)));
                SCOPED_TRACE(testing::Message()
                             << f.name << ", colour wheel " << (colours != ShadingColours::Classic)
                             << ", modulus " << modulus << ", argument " << argument << ", at "
                             << domain.translation.x << ", " << domain.translation.y << " scale "
                             << domain.scaleFactor);
                const Picture one = shadeOn(app, 1, 2.0);
                const Picture many = shadeOn(app, 3, 2.0);
                ASSERT_FALSE(one.boxes.empty());
                ASSERT_EQ(many.boxes.size(), one.boxes.size());
                std::size_t differ = 0;
                for (std::size_t k = 0; k < one.boxes.size(); ++k) {
                    differ += sameBits(one.boxes[k], many.boxes[k]) ? 0 : 1;
                }
                EXPECT_EQ(differ, 0u) << "boxes differ";
                EXPECT_EQ(many.lattice, one.lattice);
                EXPECT_EQ(std::count(one.pixels.begin(), one.pixels.end(), PixelCanvas::kUnwritten),
                          0);
                EXPECT_TRUE(many.pixels == one.pixels) << "pixels differ";
            }
        }
    }
}

// The boxes made a row at a time are those the one-point queries make: the list as the
// shading made it before rows, and what a function with side effects still gets.
TEST(ParallelShading, RowsGiveTheBoxesOfTheOnePointQueries) {
    AppHarness app;
    DomainView& domain = *app.domain;
    domain.showContours = true;
    domain.showArguments = true;
    for (const Function& f : kFunctions) {
        SCOPED_TRACE(f.name);
        select(app, f);
        ASSERT_TRUE(app.controller.transformsInParallel());
        domain.constructContours();
        std::size_t differ = 0;
        for (const ColoredRect& box : domain.contours) {
            const CGPoint z = domain.viewCoordinatesToTrueCoordinates(
                {box.rect.origin.x + box.rect.size.width / 2,
                 box.rect.origin.y + box.rect.size.height / 2});
            const float v = 1.0f - app.controller.greyness(z);
            const float h = std::fabs(app.controller.argument(z)) / 180.0f;
            const Color want = Color::colorWithDeviceRed((1.0f - h) * v * 3.0f / 2.0f, 0.0,
                                                         h * v * 3.0f / 2.0f, 1.0);
            differ += devicePixel(box.color) == devicePixel(want) ? 0 : 1;
        }
        EXPECT_EQ(differ, 0u);
    }
}

// Each pixel has the colour of f at its centre, at one and at two device pixels a unit, with
// the picture's rows from the top.
TEST(ParallelShading, EveryPixelHasTheColourOfFAtItsCentre) {
    AppHarness::Options options;
    options.domainSize = {97, 64};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    domain.translation = {13.25, -7.5};
    domain.scaleFactor = 0.5f;
    domain.setShadingResolution(ShadingResolution::EveryPixel);
    struct Case {
        const char* formula;
        ShadingColours colours;
        bool modulus, argument;
        double ratio;
    };
    for (const Case c : {Case{"exp(0.5 z) + z^2", ShadingColours::ColourWheel, true, true, 1.0},
                         Case{"1/(z - 1)", ShadingColours::Classic, true, false, 2.0},
                         Case{"z^3 - i", ShadingColours::ColourWheel, false, true, 1.5}}) {
        SCOPED_TRACE(testing::Message() << c.formula << " at ratio " << c.ratio);
        select(app, {c.formula, c.formula});
        domain.shadingColours = c.colours;
        domain.showContours = c.modulus;
        domain.showArguments = c.argument;
        domain.constructContours();
        const int width = static_cast<int>(97 * c.ratio);
        const int height = static_cast<int>(64 * c.ratio);
        PixelCanvas canvas(width, height, c.ratio);
        domain.drawRect(canvas, domain.bounds());
        ASSERT_EQ(canvas.calls, 1);
        int wrong = 0;
        for (int j = 0; j < height; ++j) {
            for (int i = 0; i < width; ++i) {
                const CGPoint z = domain.viewCoordinatesToTrueCoordinates(
                    {(i + 0.5) / c.ratio, 64 - (j + 0.5) / c.ratio});
                const CGPoint w = app.transformations.transform(z);
                const Color want =
                    c.colours == ShadingColours::ColourWheel
                        ? ColourWheel::shade(w, c.modulus, c.argument)
                        : Color::colorWithDeviceWhite(1.0f - app.controller.greyness(z), 1.0);
                wrong += canvas.pixels[static_cast<std::size_t>(j * width + i)] == devicePixel(want)
                             ? 0
                             : 1;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// A canvas without an image of its own gets a box a view unit from the same shading.
TEST(ParallelShading, EveryPixelOnACanvasWithoutPixelsFillsAUnitBoxEach) {
    AppHarness::Options options;
    options.domainSize = {20, 10};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    domain.showArguments = true;
    domain.setShadingResolution(ShadingResolution::EveryPixel);
    const test::RecordingCanvas canvas = app.drawDomain();
    std::vector<const test::CanvasOp*> units;
    for (const test::CanvasOp* op : canvas.rectFills()) {
        if (op->rect.size.width == 1.0 && op->rect.size.height == 1.0) {
            units.push_back(op);
        }
    }
    ASSERT_EQ(units.size(), 200u);
    // The last is the pixel at the lower right, (19.5, 0.5) in view units.
    const CGPoint z = domain.viewCoordinatesToTrueCoordinates({19.5, 0.5});
    const float h = std::fabs(app.controller.argument(z)) / 180.0f;
    const double hd = h;
    EXPECT_EQ(devicePixel(units.back()->color),
              devicePixel(Color::colorWithDeviceRed(1.0 + (hd * 1.57) / -2.0, 0.0,
                                                    (hd * 1.57) / 2.0, 1.0)));
    EXPECT_EQ(units.back()->rect.origin.x, 19.0);
    EXPECT_EQ(units.back()->rect.origin.y, 0.0);
}

// A pane as large as a 4K screen shaded at every pixel: no boxes, no lattice, and the pixels
// are written into the pane's own image. A live resize shades in boxes meanwhile.
TEST(ParallelShading, EveryPixelOnA4KPaneKeepsNoRecordPerPixel) {
    AppHarness::Options options;
    options.domainSize = {3840, 2160};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    domain.showContours = true;
    domain.showArguments = true;
    domain.constructContours();
    ASSERT_GT(domain.contours.size(), 100000u);
    domain.setShadingResolution(ShadingResolution::EveryPixel);
    EXPECT_EQ(domain.contours.capacity(), 0u);
    EXPECT_EQ(domain.contourLattice.pixels().capacity(), 0u);
    EXPECT_TRUE(domain.contourLattice.blocks().empty());

    PixelCanvas canvas(3840, 2160, 1.0);
    domain.drawRect(canvas, domain.bounds());
    EXPECT_EQ(canvas.calls, 1);
    EXPECT_EQ(std::count(canvas.pixels.begin(), canvas.pixels.end(), PixelCanvas::kUnwritten), 0);
    for (const test::CanvasOp* op : canvas.rectFills()) {
        ASSERT_FALSE(op->rect.size.width == 1.0 && op->rect.size.height == 1.0)
            << "no box a pixel on a canvas with pixels";
    }
    EXPECT_EQ(domain.contours.capacity(), 0u);
    // The pixels kept for the next pass are the one picture more.
    EXPECT_GT(domain.shadedPixelBytes(), 0u);
    EXPECT_LE(domain.shadedPixelBytes(), std::size_t{3840} * 2160 * sizeof(std::uint32_t));

    app.domainHost.liveResize = true;
    domain.constructContours();
    EXPECT_FALSE(domain.contours.empty());
    EXPECT_EQ(domain.contourLattice.boxSize(), 8.0);
    EXPECT_EQ(domain.shadedPixelBytes(), 0u) << "boxes keep no picture beside them";
    app.domainHost.liveResize = false;
    domain.viewDidEndLiveResize();
    EXPECT_EQ(domain.contours.capacity(), 0u);
}

// The pixels of one pass of Every Pixel, on a canvas of `ratio` device pixels a unit.
std::vector<std::uint32_t> everyPixel(DomainView& domain, double ratio) {
    PixelCanvas canvas(static_cast<int>(domain.viewWidth * ratio),
                       static_cast<int>(domain.viewHeight * ratio), ratio);
    domain.setNeedsCompleteRedraw();
    domain.drawRect(canvas, domain.bounds());
    return std::move(canvas.pixels);
}

// A pass that changes nothing the shading depends on copies the pixels kept from the pass
// before; whatever changes the shading has every pixel shaded again.
TEST(EveryPixelKept, OnlyAChangeOfTheShadingShadesThePixelsAgain) {
    AppHarness::Options options;
    options.domainSize = {90, 70};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    select(app, {"exp(0.5 z) + z^2", "exp(0.5 z) + z^2"});
    domain.showContours = true;
    domain.setShadingResolution(ShadingResolution::EveryPixel);
    const std::size_t all = 180 * 140;
    const std::vector<std::uint32_t> first = everyPixel(domain, 2.0);
    ASSERT_EQ(domain.pixelsShaded(), all);

    struct Case {
        const char* what;
        std::function<void()> act;
        bool shadesAgain;
    };
    FakeSender item{"Exponentiate"};
    const Case cases[] = {
        {"a path drawn",
         [&] {
             app.drawPath({{10, 10}, {40, 30}, {60, 12}});
         },
         false},
        {"the path undone", [&] { app.undo().undo(); }, false},
        {"a path drawn in the range",
         [&] {
             app.controller.newRangePathStartedAt({0.1, 0.2});
             app.controller.newRangePointAt({0.3, 0.2});
             app.controller.rangePathEnded();
         },
         false},
        {"the images redrawn", [&] { app.controller.redrawImagesUnderCurrentFunction(nullptr); },
         false},
        {"another function", [&] { app.controller.setFunction(&item); }, true},
        {"a formula",
         [&] {
             std::string error;
             app.controller.setFormula("z^2 - 1", "", error);
         },
         true},
        {"the argument shown too", [&] { domain.showArgumentsAction(nullptr); }, true},
        {"the colour wheel", [&] { domain.setShadingColours(ShadingColours::ColourWheel); }, true},
        {"a zoom", [&] { domain.zoomIn(nullptr); }, true},
        {"a pan key", [&] { domain.panBy(4.0, 0.0); }, true},
    };
    std::vector<std::uint32_t> before = first;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t shaded = domain.pixelsShaded();
        c.act();
        const std::vector<std::uint32_t> pixels = everyPixel(domain, 2.0);
        EXPECT_EQ(domain.pixelsShaded() - shaded, c.shadesAgain ? all : 0u);
        if (!c.shadesAgain) {
            EXPECT_TRUE(pixels == before) << "the kept pixels are copied";
        } else {
            EXPECT_FALSE(pixels == before) << "the picture changed";
        }
        EXPECT_LE(domain.shadedPixelBytes(), all * sizeof(std::uint32_t));
        before = pixels;
    }
    // Another device pixel ratio is another picture; boxes keep none.
    const std::size_t shaded = domain.pixelsShaded();
    everyPixel(domain, 1.0);
    EXPECT_EQ(domain.pixelsShaded() - shaded, std::size_t{90 * 70});
    domain.setShadingResolution(ShadingResolution::Boxes);
    EXPECT_EQ(domain.shadedPixelBytes(), 0u);
}

// A live pan by whole device pixels moves the kept pixels and shades only the strips it
// uncovers; any other shades them all. When the pan ends the picture is, pixel for pixel, the
// one a fresh window shows at the same view.
TEST(EveryPixelKept, ALivePanShadesTheUncoveredStripsAndEndsOnAFreshPicture) {
    struct Case {
        double dx, dy, ratio;
        std::size_t shaded;  // by the pan's frame
    };
    constexpr int W = 80, H = 60;
    const Case cases[] = {
        {3, -2, 1.0, 3 * H + 2 * W - 3 * 2},
        {-5, 4, 2.0, 10 * 2 * H + 8 * 2 * W - 10 * 8},
        {0, 7, 1.0, 7 * W},
        {0.5, -1.5, 2.0, 1 * 2 * H + 3 * 2 * W - 1 * 3},
        {0.25, 0, 1.0, W * H},  // not a whole pixel: all of them
        {W, 0, 1.0, W * H},     // nothing of the old picture left in view
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "by " << c.dx << ", " << c.dy << " at " << c.ratio);
        const auto shown = [&](AppHarness& app) {
            select(app, {"sin(z)^2 + 1/(z-1)", "sin(z)^2 + 1/(z-1)"});
            app.domain->showContours = true;
            app.domain->showArguments = true;
            app.domain->translation = {13.5, -20.0};
            app.domain->scaleFactor = 0.75f;
            app.domain->setShadingResolution(ShadingResolution::EveryPixel);
        };
        AppHarness::Options options;
        options.domainSize = {W, H};
        AppHarness app(options);
        shown(app);
        DomainView& domain = *app.domain;
        const std::vector<std::uint32_t> before = everyPixel(domain, c.ratio);

        const std::size_t shaded = domain.pixelsShaded();
        domain.livePanBy(c.dx, c.dy);
        const std::vector<std::uint32_t> frame = everyPixel(domain, c.ratio);
        EXPECT_EQ(domain.pixelsShaded() - shaded, c.shaded);
        // What stayed in view moved with the plane.
        const int w = static_cast<int>(W * c.ratio);
        const int h = static_cast<int>(H * c.ratio);
        const int sx = static_cast<int>(c.dx * c.ratio);
        const int sy = static_cast<int>(c.dy * c.ratio);
        if (c.shaded < static_cast<std::size_t>(W * H)) {
            int moved = 0, wrong = 0;
            for (int j = std::max(0, -sy); j < std::min(h, h - sy); ++j) {
                for (int i = std::max(0, sx); i < std::min(w, w + sx); ++i) {
                    ++moved;
                    wrong += frame[static_cast<std::size_t>(j * w + i)] ==
                                     before[static_cast<std::size_t>((j + sy) * w + i - sx)]
                                 ? 0
                                 : 1;
                }
            }
            EXPECT_GT(moved, 0);
            EXPECT_EQ(wrong, 0);
        }

        domain.endLivePan();
        const std::size_t beforeEnd = domain.pixelsShaded();
        const std::vector<std::uint32_t> ended = everyPixel(domain, c.ratio);
        EXPECT_EQ(domain.pixelsShaded() - beforeEnd, static_cast<std::size_t>(w * h));
        AppHarness fresh(options);
        shown(fresh);
        fresh.domain->setViewport(domain.viewport());
        fresh.domain->constructAxes();
        EXPECT_TRUE(everyPixel(*fresh.domain, c.ratio) == ended) << "as a fresh window shows";
        // The strips the pan uncovered were shaded as the fresh picture has them.
        int uncovered = 0, wrong = 0;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                if (j + sy < 0 || j + sy >= h || i - sx < 0 || i - sx >= w) {
                    ++uncovered;
                    const auto k = static_cast<std::size_t>(j * w + i);
                    wrong += frame[k] == ended[k] ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        if (c.shaded < static_cast<std::size_t>(W * H)) {
            EXPECT_EQ(static_cast<std::size_t>(uncovered), c.shaded);
        }
    }
}

// The row entry point gives the one-point values to the bit, and only functions free of side
// effects are handed to several threads.
TEST(ParallelShading, TheRowEntryGivesTheOnePointValues) {
    AppHarness app;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> plane(-3.0, 3.0);
    std::vector<CGPoint> z(300);
    for (CGPoint& p : z) {
        p = {plane(random), plane(random)};
    }
    z[5] = {1.0, 0.0};  // a pole of 1/(z - 1)
    z[6] = {0.0, 0.0};
    struct Case {
        Function f;
        bool parallel;
    };
    for (const Case& c :
         {Case{{"sin(z)^2 + 1/(z-1)", "sin(z)^2 + 1/(z-1)"}, true}, Case{{"Tan", nullptr}, true},
          Case{{"Invert", nullptr}, false}, Case{{"Hyperbolic Plane To Disk", nullptr}, false},
          Case{{"Cube", nullptr}, true}}) {
        SCOPED_TRACE(c.f.name);
        select(app, c.f);
        EXPECT_EQ(app.transformations.transformsInParallel(), c.parallel);
        std::vector<CGPoint> w(z.size());
        app.transformations.transformRow(z.data(), w.data(), z.size());
        for (std::size_t k = 0; k < z.size(); ++k) {
            const CGPoint one = app.transformations.transform(z[k]);
            EXPECT_TRUE((std::memcmp(&one, &w[k], sizeof one) == 0) ||
                        (std::isnan(one.x) && std::isnan(w[k].x)))
                << "at " << z[k].x << ", " << z[k].y;
        }
    }
    app.transformations.setParameters("usersMobiusMap", 1, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_FALSE(app.transformations.transformsInParallel());
}

// Redrawing the images on several threads draws, under an unchanged function, the very images
// the paths got point by point as they were drawn; with curves followed near poles too.
TEST(ParallelShading, ImagesRedrawnOnEveryCoreAreThoseDrawnPointByPoint) {
    for (const bool follow : {false, true}) {
        SCOPED_TRACE(follow ? "following curves" : "straight");
        AppHarness app;
        app.controller.followCurvesNearPoles = follow;
        select(app, {"1/(z - 0.5)", "1/(z - 0.5)"});
        std::mt19937 random(11);
        std::uniform_real_distribution<double> at(20.0, 280.0);
        for (int p = 0; p < 12; ++p) {
            app.press({at(random), at(random)});
            for (int k = 0; k < 40; ++k) {
                app.drag({at(random), at(random)});
            }
            app.release({at(random), at(random)});
        }
        app.controller.removeLastPath(nullptr);
        const auto points = [](const PathList& list) {
            std::vector<BezierPath::Element> all;
            for (const auto& path : list) {
                all.insert(all.end(), path->elements().begin(), path->elements().end());
            }
            return all;
        };
        const auto same = [](const std::vector<BezierPath::Element>& a,
                             const std::vector<BezierPath::Element>& b) {
            return a.size() == b.size() &&
                   std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
                       return x.type == y.type &&
                              std::memcmp(&x.point, &y.point, sizeof x.point) == 0;
                   });
        };
        const auto drawn = points(app.range->paths);
        const auto removed = points(app.range->removedPaths);
        const auto inDomain = points(app.domain->transformedPathsShownInDomain);
        ASSERT_GT(drawn.size(), 400u);
        const ThreadCount forced(3);
        app.controller.redrawImagesUnderCurrentFunction(nullptr);
        EXPECT_TRUE(same(points(app.range->paths), drawn));
        EXPECT_TRUE(same(points(app.range->removedPaths), removed));
        EXPECT_TRUE(same(points(app.domain->transformedPathsShownInDomain), inDomain));
    }
}

// The grid's images, with curves followed near poles or not, are those one thread makes.
TEST(ParallelShading, GridImagesOnEveryCoreAreThoseOfOneThread) {
    for (const bool follow : {false, true}) {
        SCOPED_TRACE(follow ? "following curves" : "straight");
        AppHarness app;
        app.controller.followCurvesNearPoles = follow;
        select(app, {"1/(z - 0.5) + z^2", "1/(z - 0.5) + z^2"});
        const auto images = [&app](int threads) {
            const ThreadCount forced(threads);
            app.domain->constructAxes();
            std::vector<BezierPath::Element> all;
            for (const auto& line : app.range->transformedGridlines) {
                all.insert(all.end(), line->elements().begin(), line->elements().end());
            }
            return all;
        };
        const auto one = images(1);
        const auto many = images(3);
        ASSERT_GT(one.size(), 200u);
        ASSERT_EQ(many.size(), one.size());
        std::size_t differ = 0;
        for (std::size_t k = 0; k < one.size(); ++k) {
            differ += one[k].type == many[k].type &&
                              std::memcmp(&one[k].point, &many[k].point, sizeof one[k].point) == 0
                          ? 0
                          : 1;
        }
        EXPECT_EQ(differ, 0u);
    }
}

}  // namespace
}  // namespace zw
