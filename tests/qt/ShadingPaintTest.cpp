// A pane's shading is painted from its rows and columns; every pixel, the area reported as
// changed and the colour left current must be what painting the boxes one by one gives.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/DevicePixel.h"
#include "qt/QtCanvas.h"
#include "support/AppHarness.h"

namespace zw::test {
namespace {

struct Painted {
    QImage image;
    QRect dirty;
    Color last;
};

Painted paint(const std::vector<ColoredRect>& boxes, const BoxLattice* lattice, QSize size,
              double ratio) {
    Painted result;
    result.image = QImage(static_cast<int>(std::ceil(size.width() * ratio)),
                          static_cast<int>(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
    result.image.setDevicePixelRatio(ratio);
    result.image.fill(Qt::white);
    QtCanvas canvas(&result.image);
    if (lattice != nullptr) {
        canvas.fillShading(boxes, *lattice);
    } else {
        for (const ColoredRect& box : boxes) {
            canvas.setColor(box.color);
            canvas.fillRect(box.rect);
        }
    }
    result.dirty = canvas.dirtyRect();
    result.last = canvas.currentColor();
    return result;
}

void expectSamePainting(const std::vector<ColoredRect>& boxes, const BoxLattice& lattice,
                        QSize size, double ratio) {
    const Painted one = paint(boxes, nullptr, size, ratio);
    const Painted laidOut = paint(boxes, &lattice, size, ratio);
    int differing = 0;
    for (int y = 0; y < one.image.height(); ++y) {
        for (int x = 0; x < one.image.width(); ++x) {
            differing += one.image.pixel(x, y) != laidOut.image.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "ratio " << ratio;
    EXPECT_EQ(laidOut.dirty, one.dirty) << "ratio " << ratio;
    EXPECT_EQ(laidOut.last, one.last) << "ratio " << ratio;
}

TEST(ShadingPaintTest, ADomainsShadingPaintsAsBoxByBox) {
    AppHarness::Options options;
    options.domainSize = {203, 151};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    FakeSender argumentItem{"Arguments"};
    FakeSender modulusItem{"Contours"};
    FakeSender resolutionItem{"Highest Resolution"};
    domain.showArgumentsAction(&argumentItem);
    const QSize size(domain.viewWidth, domain.viewHeight);

    struct Case {
        const char* what;
        CGPoint translation;
        bool finest;
        bool live;
    };
    const Case cases[] = {
        {"centred", {0, 0}, false, false},
        {"finest, half units", {0.5, -0.5}, true, false},
        {"fractional", {0.3, -12.7}, true, false},
        {"origin beyond the right edge", {180.25, 3}, false, false},
        {"origin below the view", {-20, -400.5}, true, false},
        {"live resize", {7.75, 2.125}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        domain.highestResolution = c.finest;
        app.domainHost.liveResize = c.live;
        domain.translation = c.translation;
        domain.constructContours();
        ASSERT_FALSE(domain.contours.empty());
        for (const double ratio : {1.0, 2.0, 1.5}) {
            expectSamePainting(domain.contours, domain.contourLattice, size, ratio);
        }
    }
    app.domainHost.liveResize = false;

    // Moved by a pan still under way, by steps that do not add up exactly.
    domain.showContoursAction(&modulusItem);
    for (int i = 0; i < 9; ++i) {
        domain.livePanBy(1.1 * i - 3.3, 0.35);
    }
    expectSamePainting(domain.contours, domain.contourLattice, size, 1.0);
    expectSamePainting(domain.contours, domain.contourLattice, size, 2.0);
}

// A lattice made by hand with what the shading never makes: translucent boxes (only the
// painter can blend them), rows and columns that are not numbers or lie far off.
TEST(ShadingPaintTest, OddBoxesTakeTheLongWayAndLandAsBoxByBox) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    BoxLattice lattice;
    std::vector<ColoredRect> boxes;
    lattice.reset(3.0, 0);
    auto block = [&](std::vector<double> xs, std::vector<double> ys) {
        for (const double y : ys) {
            for (const double x : xs) {
                const std::size_t k = boxes.size();
                ColoredRect box;
                box.setRect({{x, y}, {3.0, 3.0}});
                box.setColor(Color::colorWithDeviceRed((k % 7) / 6.0, (k % 3) / 2.0, (k % 5) / 4.0,
                                                       k % 11 == 0 ? 0.5 : 1.0));
                boxes.push_back(box);
                lattice.addPixel(devicePixel(box.color));
            }
        }
        lattice.addBlock(std::move(xs), std::move(ys));
    };
    block({-4.5, -1.5, 1.5, 4.5, 7.5, 10.5, 13.5, 16.5, 19.5, 22.5, 25.5, 28.5},
          {-2.25, 0.75, 3.75, 6.75, 9.75, 12.75, 15.75, 18.75});
    block({nan, 2.0, inf, -inf, 1e300, -1e300, 5.0}, {nan, 1.0, -1e300, 1e300, 4.0, inf});
    block({30.0, 27.0, 24.0, 21.0}, {20.0, 17.0, 14.0});
    ASSERT_TRUE(lattice.complete());
    for (const double ratio : {1.0, 2.0}) {
        expectSamePainting(boxes, lattice, QSize(29, 19), ratio);
    }
}

// A lattice that does not describe the list (another count, or set aside) is not used.
TEST(ShadingPaintTest, ALatticeOutOfStepIsIgnored) {
    std::vector<ColoredRect> boxes(3);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        boxes[k].setRect({{2.0 * static_cast<double>(k), 0}, {2, 2}});
        boxes[k].setColor(Color::redColor());
    }
    BoxLattice stale;
    stale.reset(2.0, 0);
    stale.addBlock({10.0, 12.0}, {10.0});
    stale.addPixel(devicePixel(Color::blueColor()));
    stale.addPixel(devicePixel(Color::blueColor()));
    expectSamePainting(boxes, stale, QSize(16, 16), 1.0);
    BoxLattice setAside;
    setAside.reset(0.0, 0);
    setAside.addBlock({10.0, 12.0, 14.0}, {10.0});
    for (int k = 0; k < 3; ++k) {
        setAside.addPixel(devicePixel(Color::blueColor()));
    }
    expectSamePainting(boxes, setAside, QSize(16, 16), 1.0);
}

// Every Pixel writes each device pixel of the pane's own image, whatever its ratio, and the
// area it reports is the whole pane; an SVG picture gets the same shading as one image.
TEST(ShadingPaintTest, EveryPixelWritesTheImagesOwnPixelsAndAnSvgGetsAPicture) {
    AppHarness::Options options;
    options.domainSize = {61, 40};
    AppHarness app(options);
    DomainView& domain = *app.domain;
    domain.showContours = true;
    domain.showArguments = true;
    domain.setShadingResolution(ShadingResolution::EveryPixel);
    for (const double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        QImage image(static_cast<int>(61 * ratio), static_cast<int>(40 * ratio),
                     QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(1, 2, 3));
        const uchar* before = image.constBits();
        QRect dirty;
        {
            QtCanvas canvas(&image);
            domain.fillBackground(canvas);
            dirty = canvas.dirtyRect();
        }
        EXPECT_EQ(image.constBits(), before) << "written in place";
        EXPECT_EQ(dirty, QRect(0, 0, 61, 40));
        int wrong = 0;
        for (int j = 0; j < image.height(); ++j) {
            for (int i = 0; i < image.width(); ++i) {
                const CGPoint z = domain.viewCoordinatesToTrueCoordinates(
                    {(i + 0.5) / ratio, 40 - (j + 0.5) / ratio});
                const float v = 1.0f - app.controller.greyness(z);
                const float h = std::fabs(app.controller.argument(z)) / 180.0f;
                const Color want = Color::colorWithDeviceRed((1.0f - h) * v * 3.0f / 2.0f, 0.0,
                                                             h * v * 3.0f / 2.0f, 1.0);
                wrong += image.pixel(i, j) == devicePixel(want) ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(QSize(61, 40));
        QtCanvas canvas(&generator, QSize(61, 40));
        domain.fillBackground(canvas);
    }
    const QByteArray text = svg.data();
    EXPECT_EQ(text.count("<image"), 1) << text.left(400).toStdString();
}

}  // namespace
}  // namespace zw::test
