// What reaches the painter: segments and polygons clipped to a box around the image, dash
// patterns that run on across clipped pieces, and the device pixels a box covers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "platform/Clip.h"
#include "platform/DevicePixel.h"

namespace zw {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct SegmentCase {
    const char* what;
    double ax, ay, bx, by;
    bool visible;
    double t0, t1;
};

// The box [0, 10] by [0, 10].
const SegmentCase kSegments[] = {
    {"wholly inside", 1, 1, 9, 9, true, 0, 1},
    {"enters from the left", -10, 5, 10, 5, true, 0.5, 1},
    {"leaves at the top", 5, 5, 5, 15, true, 0, 0.5},
    {"crosses corner to corner", -5, -5, 15, 15, true, 0.25, 0.75},
    {"runs along the edge", 0, -10, 0, 10, true, 0.5, 1},
    {"passes beside", 11, -5, 11, 15, false, 0, 0},
    {"passes the corner", -1, 9, 9, 21, false, 0, 0},
    {"stops short", -10, 5, -1, 5, false, 0, 0},
    {"a point inside", 3, 4, 3, 4, true, 0, 1},
    {"a point outside", 3, 14, 3, 14, false, 0, 0},
    {"touches a corner", -5, 5, 5, 15, true, 0.5, 0.5},
};

template <typename T>
void expectSegments() {
    const ClipBox<T> box{0, 10, 0, 10};
    for (const SegmentCase& c : kSegments) {
        SCOPED_TRACE(c.what);
        T t0 = -1;
        T t1 = -1;
        ASSERT_EQ(clipSegment<T>(c.ax, c.ay, c.bx, c.by, box, t0, t1), c.visible);
        if (c.visible) {
            EXPECT_EQ(t0, T(c.t0));
            EXPECT_EQ(t1, T(c.t1));
        }
        // Backwards, the same part is visible from the other end.
        T u0 = -1;
        T u1 = -1;
        ASSERT_EQ(clipSegment<T>(c.bx, c.by, c.ax, c.ay, box, u0, u1), c.visible);
        if (c.visible) {
            EXPECT_EQ(u0, 1 - T(c.t1));
            EXPECT_EQ(u1, 1 - T(c.t0));
        }
    }
}

TEST(ClipTest, SegmentsKeepTheirVisiblePartInEitherPrecision) {
    expectSegments<double>();
    expectSegments<ClipReal>();
}

TEST(ClipTest, SegmentsFromFarAwayStayFiniteInTheWidePrecision) {
    const ClipBox<ClipReal> box{-4, 104, -4, 104};
    ClipReal t0 = 0;
    ClipReal t1 = 0;
    // In double the difference of the two ends would overflow.
    ASSERT_TRUE(clipSegment<ClipReal>(-1e308, 50, 1e308, 50, box, t0, t1));
    EXPECT_TRUE(0 <= t0 && t0 <= t1 && t1 <= 1);
    for (const ClipReal t : {t0, t1}) {
        const ClipPoint<ClipReal> p = box.clamp(-1e308L + t * 2e308L, 50);
        EXPECT_TRUE(p.x >= -4 && p.x <= 104);
        EXPECT_EQ(p.y, 50);
    }
}

// The refiner asks only whether a segment misses the view. This is how it used to answer,
// stopping as soon as the part left is empty: the shared clipping must agree on every segment.
bool missesAsBefore(double px, double py, double qx, double qy, const ClipBox<double>& b) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = qx - px, dy = qy - py;
    const double edges[4][2] = {
        {-dx, px - b.xmin}, {dx, b.xmax - px}, {-dy, py - b.ymin}, {dy, b.ymax - py}};
    for (const auto& e : edges) {
        if (e[0] == 0.0) {
            if (e[1] < 0.0) {
                return true;
            }
            continue;
        }
        const double r = e[1] / e[0];
        if (e[0] < 0.0) {
            t0 = r > t0 ? r : t0;
        } else {
            t1 = r < t1 ? r : t1;
        }
        if (t0 > t1) {
            return true;
        }
    }
    return false;
}

TEST(ClipTest, SegmentsMissTheBoxExactlyWhenTheRefinerUsedToSaySo) {
    const ClipBox<double> box{-8, 408, -8, 308};
    std::mt19937 random(7);
    // Coordinates on and near the box's edges, where a different order of steps would show.
    const double values[] = {-8,
                             408,
                             308,
                             -8.000000000000002,
                             0,
                             200,
                             1e-300,
                             -1e300,
                             1e300,
                             407.99999999999994,
                             308.00000000000006,
                             kInf,
                             -kInf,
                             kNaN};
    std::uniform_int_distribution<int> pick(0, std::size(values) - 1);
    std::uniform_real_distribution<double> anywhere(-1000, 1000);
    for (int i = 0; i < 200000; ++i) {
        double v[4];
        for (double& x : v) {
            x = random() % 2 ? values[pick(random)] : anywhere(random);
        }
        double t0 = 0;
        double t1 = 0;
        ASSERT_EQ(!clipSegment(v[0], v[1], v[2], v[3], box, t0, t1),
                  missesAsBefore(v[0], v[1], v[2], v[3], box))
            << v[0] << " " << v[1] << " " << v[2] << " " << v[3];
    }
}

struct PolygonCase {
    const char* what;
    std::vector<ClipPoint<ClipReal>> polygon;
    std::vector<ClipPoint<ClipReal>> clipped;
};

TEST(ClipTest, PolygonsKeepTheirPartInTheBox) {
    const ClipBox<ClipReal> box{0, 10, 0, 10};
    const PolygonCase cases[] = {
        {"inside", {{1, 1}, {9, 1}, {5, 9}}, {{1, 1}, {9, 1}, {5, 9}}},
        {"over the right edge",
         {{5, 2}, {15, 2}, {15, 6}, {5, 6}},
         {{5, 2}, {10, 2}, {10, 6}, {5, 6}}},
        {"outside", {{11, 1}, {19, 1}, {15, 9}}, {}},
        {"around the box",
         {{-1e300L, -1e300L}, {1e300L, -1e300L}, {1e300L, 1e300L}, {-1e300L, 1e300L}},
         {{0, 10}, {0, 0}, {10, 0}, {10, 10}}},
        {"a line, as two corners", {{-5, 5}, {15, 5}}, {{10, 5}, {0, 5}, {0, 5}, {10, 5}}},
    };
    for (const PolygonCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto clipped = clipPolygon(c.polygon, box);
        ASSERT_EQ(clipped.size(), c.clipped.size());
        for (std::size_t i = 0; i < clipped.size(); ++i) {
            EXPECT_EQ(clipped[i].x, c.clipped[i].x) << i;
            EXPECT_EQ(clipped[i].y, c.clipped[i].y) << i;
        }
    }
}

struct DashCase {
    const char* what;
    std::vector<double> lengths;
    double unit;
    std::vector<double> dashes;
    double period;
};

TEST(ClipTest, DashPatternsComeInPairsOfPenWidths) {
    const DashCase cases[] = {
        {"solid", {}, 1, {}, 0},
        {"pairs", {3, 2}, 1, {3, 2}, 5},
        {"in pen widths", {3, 2}, 2, {1.5, 1}, 5},
        {"odd, read twice over", {4}, 1, {4, 4}, 8},
        {"odd of three", {1, 2, 3}, 1, {1, 2, 3, 1, 2, 3}, 12},
        {"no length", {0, 0}, 1, {}, 0},
        {"a dot stays visible", {0, 2}, 2, {5e-4, 1}, 2},
        {"not a number", {3, kNaN}, 1, {}, 0},
        {"endless", {kInf, 2}, 1, {}, 0},
        {"negative", {3, -2}, 1, {}, 0},
    };
    for (const DashCase& c : cases) {
        SCOPED_TRACE(c.what);
        const DashPattern pattern = dashPattern(c.lengths, c.unit);
        EXPECT_EQ(pattern.dashes, c.dashes);
        EXPECT_EQ(pattern.dashed(), !c.dashes.empty());
        if (pattern.dashed()) {
            EXPECT_EQ(pattern.period, c.period);
        }
    }
    // A piece starting 23 units into a pattern of 5 starts 3 units into it: 1.5 pen widths.
    const DashPattern pattern = dashPattern({3, 2}, 2);
    EXPECT_EQ(pattern.offset(23), 1.5);
    EXPECT_EQ(pattern.offset(0), 0);
    EXPECT_EQ(pattern.offset(5), 0);
}

struct SpanCase {
    const char* what;
    double v0, v1, ratio;
    int limit;
    int from, to;
};

TEST(ClipTest, BoxesCoverTheDevicePixelsWhoseCentresTheyHold) {
    const SpanCase cases[] = {
        {"whole units", 2, 5, 1, 10, 2, 5},
        {"at ratio two", 2, 5, 2, 20, 4, 10},
        {"half a pixel rounds up", 2.5, 5.5, 1, 10, 3, 6},
        {"just short of half", 2.49, 5.49, 1, 10, 2, 5},
        {"less than a centre", 2.6, 3.4, 1, 10, 3, 3},
        {"cut at the image", -3, 12, 1, 10, 0, 10},
        {"far beyond", -1e300, 1e300, 2, 10, 0, 10},
        {"wholly before", -8, -2, 1, 10, 0, -1},
        {"wholly after", 12, 18, 1, 10, 11, 10},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PixelSpan span = pixelSpan(c.v0, c.v1, c.ratio, c.limit);
        EXPECT_EQ(span.from, c.from);
        EXPECT_EQ(span.to, c.to);
        EXPECT_EQ(span.empty(), c.from >= c.to);
    }
}

TEST(ClipTest, PixelsFillExactlyTheirSpans) {
    // Two by two and four wide take their own way; the rest the general one.
    const int spans[][4] = {{1, 3, 1, 3}, {2, 6, 0, 3}, {0, 7, 4, 5}, {3, 3, 0, 2}};
    for (const auto& s : spans) {
        std::vector<std::uint32_t> image(8 * 6, 0);
        fillPixels(reinterpret_cast<unsigned char*>(image.data()), 8 * 4, s[0], s[1], s[2], s[3],
                   0xff123456u);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool in = x >= s[0] && x < s[1] && y >= s[2] && y < s[3];
                EXPECT_EQ(image[y * 8 + x], in ? 0xff123456u : 0u) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace zw
