// The panes on a screen at 200 % (this suite runs with QT_SCALE_FACTOR=2, see main.cpp).
#include <QApplication>
#include <QMouseEvent>

#include "WindowTest.h"
#include "views/DomainView.h"

namespace zw::test {
namespace {

using HiDpiPaneTest = WindowTest;

TEST_F(HiDpiPaneTest, ImagesHoldTheDevicePixelsAndViewUnitsStayLogical) {
    for (PlaneWidget* pane : {domainPane(), rangePane()}) {
        ASSERT_EQ(pane->devicePixelRatioF(), 2.0);
        EXPECT_EQ(pane->image().size(), pane->size() * 2);
        EXPECT_EQ(pane->image().devicePixelRatio(), 2.0);
        EXPECT_EQ(pane->view()->viewWidth, pane->width());
        EXPECT_EQ(pane->view()->viewHeight, pane->height());
    }
    // After a resize too.
    window->resize(window->width() + 31, window->height() + 17);
    settle();
    EXPECT_EQ(domainPane()->image().size(), domainPane()->size() * 2);
}

TEST_F(HiDpiPaneTest, PathsCoverWholeDeviceRowsAndBoxesWholeDeviceBlocks) {
    DomainView& domain = *window->domainView();
    const int h = domainPane()->height();
    // A horizontal path at a whole unit between two gridlines, 20 units above the real axis.
    const CGPoint origin = domain.trueCoordinatesToViewCoordinates({0.0, 0.0});
    const double y = h - (origin.y + 20);
    std::vector<QPointF> points;
    for (int i = 0; i <= 10; ++i) {
        points.emplace_back(origin.x + 55 + 8 * i, y);
    }
    drag(domainPane(), points);
    settle();
    const QImage& image = domainPane()->image();
    const int row = static_cast<int>(2 * y);
    for (int x = static_cast<int>(2 * (origin.x + 60)); x < 2 * (origin.x + 95); x += 3) {
        EXPECT_EQ(image.pixel(x, row - 1) & 0xffffff, 0u) << x;
        EXPECT_EQ(image.pixel(x, row) & 0xffffff, 0u) << x;
        EXPECT_EQ(qGray(image.pixel(x, row - 2)), 255) << x;
        EXPECT_EQ(qGray(image.pixel(x, row + 1)), 255) << x;
    }
    trigger("Edit", "Undo Last Path Drawn");

    trigger("Domain", "Shade by Modulus");
    settle();
    ASSERT_FALSE(domain.contours.empty());
    // A box between the gridlines: its 4 units are 8 x 8 device pixels of its colour.
    const ColoredRect* box = nullptr;
    for (const ColoredRect& b : domain.contours) {
        if (b.rect.origin.x == origin.x + 20 && b.rect.origin.y == origin.y + 20) {
            box = &b;
        }
    }
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->rect.size.width, 4.0);
    const QRgb colour = QColor::fromRgbF(static_cast<float>(box->color.red()),
                                         static_cast<float>(box->color.green()),
                                         static_cast<float>(box->color.blue()))
                            .rgb();
    const int left = static_cast<int>(2 * box->rect.origin.x);
    const int top = static_cast<int>(2 * (h - box->rect.origin.y - 4));
    for (int dy = 0; dy < 8; ++dy) {
        for (int dx = 0; dx < 8; ++dx) {
            EXPECT_EQ(domainPane()->image().pixel(left + dx, top + dy), colour) << dx << "," << dy;
        }
    }
}

TEST_F(HiDpiPaneTest, FractionalMousePositionsReachThePlane) {
    DomainView& domain = *window->domainView();
    const int h = domainPane()->height();
    drag(domainPane(), {{100.5, 80.25}, {140.75, 90.5}});
    ASSERT_FALSE(domain.paths.empty());
    const CGPoint first = domain.paths.back()->elementAtIndex(0).point;
    EXPECT_EQ(first.x, 100.5);
    EXPECT_EQ(first.y, h - 80.25);
    const CGPoint z = domain.viewCoordinatesToTrueCoordinates(first);
    EXPECT_EQ(domain.trueCoordinatesToViewCoordinates(z).x, 100.5);
}

}  // namespace
}  // namespace zw::test
