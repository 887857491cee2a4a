#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "WindowTest.h"
#include "platform/BezierPath.h"
#include "platform/ColoredRect.h"
#include "platform/DevicePixel.h"
#include "qt/QtCanvas.h"

namespace zw::test {
namespace {

constexpr int kSize = 200;

QImage whiteImage() {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

BezierPath polyline(std::initializer_list<CGPoint> points, double width = 1.0) {
    BezierPath path;
    bool first = true;
    for (CGPoint p : points) {
        if (first) {
            path.moveToPoint(p);
        } else {
            path.lineToPoint(p);
        }
        first = false;
    }
    path.setLineWidth(width);
    return path;
}

bool dark(const QImage& image, int x, int yUp) {
    return qGray(image.pixel(x, kSize - 1 - yUp)) < 160;
}

TEST(QtCanvasTest, NonFiniteAndHugeCoordinatesDrawOnlyTheFiniteVisibleParts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QImage image = whiteImage();
    {
        QtCanvas canvas(&image);
        canvas.setColor(Color::blackColor());
        // A pole in the middle of a path: the parts on either side are drawn, nothing between.
        canvas.strokePath(polyline({{10, 10}, {30, 10}, {nan, nan}, {60, 150}, {60, 190}}, 2));
        canvas.strokePath(polyline({{-inf, 50}, {100, 50}, {inf, inf}, {150, 150}}, 2));
        // A segment reaching far beyond the image is drawn where it crosses it.
        canvas.strokePath(polyline({{100, 100}, {1e12, 100}}, 2));
        canvas.strokePath(polyline({{-1e12, -1e12}, {1e12, 1e12}}, 2));
        // Too far out to place precisely, but it must still come back and stay in bounds.
        canvas.strokePath(polyline({{-1e300, 1e300}, {1e300, -1e300}, {1e308, 1e308}}, 2));
        canvas.strokePath(polyline({{20, 180}, {1e12, -1e12}, {nan, 0}}, 2));
        BezierPath dashed = polyline({{100, 120}, {-1e15, 120}}, 2);
        dashed.setLineDash({3.0, 3.0}, 0.0);
        canvas.strokePath(dashed);
        canvas.fillRect({{nan, 0}, {10, 10}});
        canvas.fillRect({{0, 0}, {inf, 10}});
    }
    EXPECT_TRUE(dark(image, 20, 10));
    EXPECT_TRUE(dark(image, 60, 170));
    EXPECT_FALSE(dark(image, 45, 80)) << "nothing joins the points around the pole";
    EXPECT_FALSE(dark(image, 120, 50)) << "nothing after an infinite point";
    EXPECT_TRUE(dark(image, 180, 100));
    EXPECT_FALSE(dark(image, 50, 100));
    EXPECT_TRUE(dark(image, 140, 140) || dark(image, 141, 140) || dark(image, 140, 141));
    int darkOnDash = 0;
    for (int x = 0; x < 100; ++x) {
        darkOnDash += dark(image, x, 120) ? 1 : 0;
    }
    EXPECT_GT(darkOnDash, 20);
    EXPECT_LT(darkOnDash, 80) << "dashes keep their gaps";
    EXPECT_LT(nonWhitePixels(image, image.rect()), kSize * kSize / 5);
}

TEST(QtCanvasTest, OpaqueFillsCoverWholePixelsInFlippedCoordinates) {
    QImage image = whiteImage();
    {
        QtCanvas canvas(&image);
        canvas.setColor(Color::redColor());
        canvas.fillRect({{10, 20}, {4, 4}});
        // Fractional edges round to the nearest pixel edge, so neighbours tile without gaps.
        canvas.setColor(Color::blueColor());
        canvas.fillRect({{30.4, 0.6}, {2.2, 2.0}});
        canvas.fillRect({{32.6, 0.6}, {2.0, 2.0}});
        canvas.setColor(Color::colorWithDeviceRed(0, 1, 0, 0.5));
        canvas.fillRect({{100, 100}, {10, 10}});
    }
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    for (int x = 9; x <= 14; ++x) {
        for (int yUp = 19; yUp <= 24; ++yUp) {
            const bool inside = x >= 10 && x < 14 && yUp >= 20 && yUp < 24;
            EXPECT_EQ(image.pixel(x, kSize - 1 - yUp) == red, inside) << x << "," << yUp;
        }
    }
    for (int x = 29; x <= 36; ++x) {
        const bool inside = x >= 30 && x < 35;
        EXPECT_EQ(image.pixel(x, kSize - 2) == blue, inside) << x;
    }
    EXPECT_EQ(image.pixel(30, kSize - 1), qRgb(255, 255, 255));
    // Translucent colours blend instead of replacing.
    const QColor blended(image.pixel(105, kSize - 105));
    EXPECT_GT(blended.green(), 200);
    EXPECT_GT(blended.red(), 100);
    EXPECT_LT(blended.red(), 160);
}

TEST(QtCanvasTest, TextSitsOnItsBoxsLowerLeftCorner) {
    QImage image = whiteImage();
    const std::string text = "0.500, -2.000";
    const TextAttributes label{"Helvetica", 10.0};
    CGSize box;
    {
        QtCanvas canvas(&image);
        box = canvas.sizeOfText(text, TextAttributes{});
        const CGSize small = canvas.sizeOfText(text, label);
        EXPECT_LT(small.width, box.width);
        EXPECT_LT(small.height, box.height);
        EXPECT_GT(canvas.sizeOfText(text + "0", TextAttributes{}).width, box.width);
        canvas.setColor(Color::redColor());
        canvas.drawText(text, {20, 40}, TextAttributes{});
    }
    EXPECT_GT(box.height, 10.0);
    EXPECT_LT(box.height, 20.0);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(255, 255, 255)) {
                continue;
            }
            EXPECT_FALSE(qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80)
                << "text is black, whatever the current colour";
            const double yUp = kSize - y - 0.5;
            const bool inBox =
                x >= 19 && x <= 20 + box.width + 1 && yUp >= 39 && yUp <= 40 + box.height + 1;
            ++(inBox ? inside : outside);
        }
    }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

// On a screen at 200 % the image holds two device pixels per view unit in each direction.
TEST(QtCanvasTest, AtRatioTwoLinesBoxesAndTextUseTheDevicePixels) {
    QImage image(2 * kSize, 2 * kSize, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::white);
    QRect dirty;
    {
        QtCanvas canvas(&image);
        canvas.setColor(Color::blackColor());
        // Width 1 at a whole unit: one unit either side of a device pixel edge.
        canvas.strokePath(polyline({{20, 150}, {180, 150}}, 1.0));
        canvas.setColor(Color::redColor());
        canvas.fillRect({{40, 40}, {4, 4}});
        canvas.drawText("0.500, -2.000", {20, 100}, TextAttributes{});
        dirty = canvas.dirtyRect();
    }
    const int row = 2 * (kSize - 150);  // the device row just below the line's centre
    for (int x = 60; x < 300; x += 7) {
        EXPECT_EQ(image.pixel(x, row - 1), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, row), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, row - 2), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, row + 1), qRgb(255, 255, 255)) << x;
    }
    // The box: device columns 80..87, rows 2 * (200 - 44) = 312..319, and nothing beside.
    int red = 0;
    for (int y = 300; y < 330; ++y) {
        for (int x = 70; x < 100; ++x) {
            const bool inside = x >= 80 && x < 88 && y >= 312 && y < 320;
            EXPECT_EQ(image.pixel(x, y) == qRgb(255, 0, 0), inside) << x << "," << y;
            red += inside ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 64);
    // Text drawn at device resolution, not as a picture of unit pixels scaled up: some aligned
    // 2 x 2 blocks of device pixels are not of one colour.
    int mixedBlocks = 0;
    for (int y = 2 * (kSize - 115); y < 2 * (kSize - 100); y += 2) {
        for (int x = 40; x < 200; x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
                image.pixel(x + 1, y + 1) != p) {
                ++mixedBlocks;
            }
        }
    }
    EXPECT_GT(mixedBlocks, 40);
    // What changed is reported in view units, for the widget's update.
    EXPECT_TRUE(dirty.contains(QRect(40, kSize - 44, 4, 4))) << "the box";
    EXPECT_TRUE(dirty.contains(QPoint(180, kSize - 150))) << "the line's end";
    EXPECT_TRUE(QRect(0, 0, kSize, kSize).contains(dirty));
}

// Boxes written straight into the pixels take exactly the colour QPainter would give them.
TEST(QtCanvasTest, DirectPixelsMatchQColorForEveryComponentValue) {
    QImage image(256, 4, QImage::Format_RGB32);
    std::vector<QRgb> expected;
    {
        QtCanvas canvas(&image);
        for (int i = 0; i < 256; ++i) {
            // Values on and around each step of the 8-bit scale, and in between.
            const double r = i / 255.0;
            const double g = std::nextafter(static_cast<float>((i + 0.5) / 255.0), 0.0f);
            const double b = std::min(1.0, (i + 0.5) / 255.0);
            const Color colour = Color::colorWithDeviceRed(r, g, b, 1.0);
            canvas.setColor(colour);
            canvas.fillRect({{static_cast<double>(i), 0}, {1, 4}});
            expected.push_back(QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g),
                                                static_cast<float>(b))
                                   .rgb());
        }
    }
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.pixel(i, 1), expected[static_cast<std::size_t>(i)]) << i;
    }
}

// Pixels made without Qt agree with QColor on every float in [0, 1]: both are non-decreasing
// in the component, so agreeing at each step of QColor's scale, and just below it, is
// agreeing everywhere.
TEST(QtCanvasTest, DevicePixelsAgreeWithQColorOnEveryComponent) {
    auto viaQColor = [](float f) { return QColor::fromRgbF(f, 0.0f, 0.0f).red(); };
    auto bitsOf = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    auto floatOf = [](std::uint32_t bits) { return std::bit_cast<float>(bits); };
    int wrong = 0;
    for (int k = 1; k < 256; ++k) {
        std::uint32_t lo = bitsOf(0.0f);
        std::uint32_t hi = bitsOf(1.0f);
        while (lo < hi) {
            const std::uint32_t mid = lo + (hi - lo) / 2;
            if (viaQColor(floatOf(mid)) >= k) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        const float step = floatOf(lo);
        const float below = floatOf(lo - 1);
        ASSERT_EQ(viaQColor(step), k);
        ASSERT_EQ(viaQColor(below), k - 1);
        // Each channel in its place.
        const QRgb at = devicePixel(Color::colorWithDeviceRed(step, below, step, below));
        const QRgb under = devicePixel(Color::colorWithDeviceRed(below, step, below, step));
        wrong +=
            qRed(at) == k && qGreen(at) == k - 1 && qBlue(at) == k && qAlpha(at) == k - 1 ? 0 : 1;
        wrong += qRed(under) == k - 1 && qGreen(under) == k && qBlue(under) == k - 1 &&
                         qAlpha(under) == k
                     ? 0
                     : 1;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(devicePixel(Color::blackColor()), qRgb(0, 0, 0));
    EXPECT_EQ(devicePixel(Color::whiteColor()), qRgb(255, 255, 255));
}

// The shading hands its boxes over in one batch; they must land exactly as box after box
// would: flipped on an odd height, clipped at every edge, translucent or upside down boxes
// included, at both pixel densities.
TEST(QtCanvasTest, BoxesInOneBatchPaintTheSamePixelsAsBoxByBox) {
    std::vector<ColoredRect> boxes;
    std::uint32_t seed = 12345;
    auto next = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<double>(seed >> 8) / static_cast<double>(1u << 24);
    };
    for (int i = 0; i < 400; ++i) {
        ColoredRect box;
        box.setRect({{next(-6, 40), next(-6, 28)}, {next(-3, 9), next(-3, 9)}});
        // Runs of equal colours, as neighbouring shading boxes often have.
        const double shade = std::floor(next(0, 6)) / 5.0;
        box.setColor(
            Color::colorWithDeviceRed(shade, next(0, 1), 1.0 - shade, i % 37 == 0 ? 0.5 : 1.0));
        boxes.push_back(box);
    }
    // A grid of whole boxes, as the shading lays them, half a unit off the odd edges.
    for (double y = -1; y < 26; y += 2) {
        for (double x = -1; x < 40; x += 2) {
            ColoredRect box;
            box.setRect({{x, y}, {2, 2}});
            box.setColor(Color::colorWithDeviceRed(x / 40, 0, y / 26, 1));
            boxes.push_back(box);
        }
    }
    ColoredRect odd;
    odd.setRect({{std::numeric_limits<double>::quiet_NaN(), 3}, {4, 4}});
    boxes.push_back(odd);
    odd.setRect({{2, 3}, {std::numeric_limits<double>::infinity(), 4}});
    boxes.push_back(odd);
    odd.setRect({{1e300, -1e300}, {1e300, 1e300}});
    boxes.push_back(odd);

    for (const double ratio : {1.0, 2.0}) {
        auto paint = [&](bool batched, QRect& dirty, Color& last) {
            QImage image(static_cast<int>(37 * ratio) + 1, static_cast<int>(23 * ratio) + 1,
                         QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            QtCanvas canvas(&image);
            if (batched) {
                canvas.fillColoredRects(boxes.data(), boxes.size());
            } else {
                for (const ColoredRect& box : boxes) {
                    canvas.setColor(box.color);
                    canvas.fillRect(box.rect);
                }
            }
            dirty = canvas.dirtyRect();
            last = canvas.currentColor();
            return image;
        };
        QRect dirtyOne;
        QRect dirtyBatch;
        Color lastOne;
        Color lastBatch;
        const QImage one = paint(false, dirtyOne, lastOne);
        const QImage batch = paint(true, dirtyBatch, lastBatch);
        int differing = 0;
        int white = 0;
        for (int y = 0; y < one.height(); ++y) {
            for (int x = 0; x < one.width(); ++x) {
                differing += one.pixel(x, y) != batch.pixel(x, y) ? 1 : 0;
                white += one.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "ratio " << ratio;
        EXPECT_LT(white, one.width() * one.height() / 10) << "ratio " << ratio;
        EXPECT_EQ(dirtyBatch, dirtyOne) << "ratio " << ratio;
        EXPECT_EQ(lastBatch, lastOne) << "ratio " << ratio;
    }
}

}  // namespace
}  // namespace zw::test
