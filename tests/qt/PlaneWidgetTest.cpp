#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include "WindowTest.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using PlaneWidgetTest = WindowTest;

// Image row and column at which the true origin of a plane is drawn.
QPoint originPixel(const PlaneView& view) {
    const CGPoint p = view.trueCoordinatesToViewCoordinates({0.0, 0.0});
    return QPoint(static_cast<int>(p.x), view.viewHeight - static_cast<int>(p.y));
}

// The axes are half a unit wide on a whole coordinate, so they darken the two pixels on
// either side of it equally; these give the coordinate between the darkest pixels.
int yAxisColumn(const PlaneWidget* pane, int row) {
    const int x = darkestColumn(pane->image(), row);
    const int left = qGray(pane->image().pixel(x - 1, row));
    const int right = qGray(pane->image().pixel(x + 1, row));
    return left < right ? x : x + 1;
}
int xAxisRow(const PlaneWidget* pane, int column) {
    const int y = darkestRow(pane->image(), column);
    const int above = qGray(pane->image().pixel(column, y - 1));
    const int below = qGray(pane->image().pixel(column, y + 1));
    return above < below ? y : y + 1;
}

TEST_F(PlaneWidgetTest, AxesAreWhereTheViewPutsThem) {
    for (PlaneWidget* pane : {domainPane(), rangePane()}) {
        const QPoint origin = originPixel(*pane->view());
        // Away from the other axis, the ticks, the labels and the readout.
        EXPECT_EQ(yAxisColumn(pane, origin.y() - 75), origin.x());
        EXPECT_EQ(xAxisRow(pane, origin.x() + 75), origin.y());
    }
}

TEST_F(PlaneWidgetTest, PanningKeysMoveTheAxesByHundredPixels) {
    const QPoint origin = originPixel(*window->domainView());
    const int row = origin.y() - 75;
    const int column = origin.x() + 75;

    key(domainPane(), Qt::Key_4, "4");
    EXPECT_EQ(yAxisColumn(domainPane(), row), origin.x() + 100);
    key(domainPane(), Qt::Key_Left);
    EXPECT_EQ(yAxisColumn(domainPane(), row), origin.x() + 200);
    key(domainPane(), Qt::Key_Right);
    EXPECT_EQ(yAxisColumn(domainPane(), row), origin.x() + 100);
    key(domainPane(), Qt::Key_6, "6");
    EXPECT_EQ(yAxisColumn(domainPane(), row), origin.x());

    // Up moves the view up over the plane, so the axis goes down the image.
    key(domainPane(), Qt::Key_Up);
    EXPECT_EQ(xAxisRow(domainPane(), column), origin.y() + 100);
    key(domainPane(), Qt::Key_2, "2");
    EXPECT_EQ(xAxisRow(domainPane(), column), origin.y());

    // Each plane pans on its own.
    key(rangePane(), Qt::Key_8, "8");
    EXPECT_EQ(window->rangeView()->translation.y, -100.0);
    EXPECT_EQ(window->domainView()->translation.y, 0.0);
}

TEST_F(PlaneWidgetTest, OtherKeysShowOneSheetAndModifiersNone) {
    alerts->allowModalWidgets(true);
    const int passes = domainPane()->passCount();
    key(domainPane(), Qt::Key_Shift);
    key(domainPane(), Qt::Key_Control);
    EXPECT_EQ(domainPane()->passCount(), passes) << "a lone modifier is no key";
    // Ctrl+Z with nothing to undo: the menu does not take it, and it is no key either.
    QKeyEvent ctrlZ(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    QApplication::sendEvent(domainPane(), &ctrlZ);
    EXPECT_EQ(domainPane()->passCount(), passes) << "a shortcut no menu took is no key";
    EXPECT_EQ(window->findChildren<QMessageBox*>().size(), 0);

    key(domainPane(), Qt::Key_A, "a");
    key(domainPane(), Qt::Key_B, "b");
    settle();
    EXPECT_EQ(domainPane()->passCount(), passes + 2) << "every key redraws in full";
    auto visibleSheets = [this] {
        QList<QMessageBox*> sheets;
        for (QMessageBox* box : window->findChildren<QMessageBox*>()) {
            if (box->isVisible()) {
                sheets.append(box);
            }
        }
        return sheets;
    };
    const QList<QMessageBox*> sheets = visibleSheets();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0]->text(), QStringLiteral("Unrecogonised key"));
    EXPECT_EQ(sheets[0]->windowModality(), Qt::WindowModal);
    ASSERT_EQ(sheets[0]->buttons().size(), 1);
    EXPECT_EQ(sheets[0]->buttons().front()->text(), QStringLiteral("OK"));
    sheets[0]->buttons().front()->click();
    settle();
    EXPECT_TRUE(visibleSheets().isEmpty());
    alerts->allowModalWidgets(false);
}

TEST_F(PlaneWidgetTest, ZoomActionsScaleTheirOwnPlane) {
    DomainView* domain = window->domainView();
    trigger("Domain", "Zoom In");
    EXPECT_EQ(domain->scaleFactor, 2.0f);
    EXPECT_EQ(window->rangeView()->scaleFactor, 1.0f);
    bool half = false;
    for (const AxisLabel& label : domain->axesLabels) {
        half = half || label.label == "0.50";
    }
    EXPECT_TRUE(half) << "labels at 100 pixels show half units";
    // The axes stay put, the labels have been redrawn.
    const QPoint origin = originPixel(*domain);
    EXPECT_EQ(yAxisColumn(domainPane(), origin.y() - 75), origin.x());

    trigger("Range", "Zoom Out");
    EXPECT_EQ(window->rangeView()->scaleFactor, 0.5f);
}

TEST_F(PlaneWidgetTest, ResizeMovesTheOriginByHalfTheChangeAndEndsLiveResize) {
    DomainView* domain = window->domainView();
    const QSize before = domainPane()->size();
    const CGPoint originBefore = domain->trueCoordinatesToViewCoordinates({0.0, 0.0});
    const int w = before.width();
    const int h = before.height();
    drag(domainPane(), {{w / 2.0 + 10, h / 2.0}, {w / 2.0 + 60, h / 2.0}});
    const CGPoint pointBefore = domain->paths.back()->elementAtIndex(0).point;

    window->resize(window->width() + 120, window->height() + 60);
    QApplication::processEvents();
    PlaneWidget::flushAll();
    const QSize after = domainPane()->size();
    ASSERT_NE(after, before);
    EXPECT_TRUE(domainPane()->inLiveResize());
    EXPECT_EQ(domain->viewWidth, after.width());
    EXPECT_EQ(domain->viewHeight, after.height());
    EXPECT_EQ(domainPane()->image().size(), after);
    const double dx = (after.width() - before.width()) / 2.0;
    const double dy = (after.height() - before.height()) / 2.0;
    const CGPoint originAfter = domain->trueCoordinatesToViewCoordinates({0.0, 0.0});
    EXPECT_NEAR(originAfter.x - originBefore.x, dx, 0.5);
    EXPECT_NEAR(originAfter.y - originBefore.y, dy, 0.5);
    const CGPoint pointAfter = domain->paths.back()->elementAtIndex(0).point;
    EXPECT_DOUBLE_EQ(pointAfter.x - pointBefore.x, static_cast<double>(domain->xshift));
    EXPECT_DOUBLE_EQ(pointAfter.y - pointBefore.y, static_cast<double>(domain->yshift));
    // What is on screen follows: the axis is drawn at the new origin.
    const QPoint origin = originPixel(*domain);
    EXPECT_EQ(yAxisColumn(domainPane(), origin.y() - 75), origin.x());
    settle(PlaneWidget::kLiveResizeEndMs + 200);
    EXPECT_FALSE(domainPane()->inLiveResize());

    // Shading is coarse while the user resizes and fine again once he stops.
    trigger("Domain", "Shade by Modulus");
    window->resize(window->width() - 80, window->height());
    QApplication::processEvents();
    EXPECT_TRUE(domainPane()->inLiveResize());
    ASSERT_FALSE(domain->contours.empty());
    EXPECT_EQ(domain->contours.front().rect.size.width, 8.0);
    settle(PlaneWidget::kLiveResizeEndMs + 200);
    EXPECT_FALSE(domainPane()->inLiveResize());
    ASSERT_FALSE(domain->contours.empty());
    EXPECT_EQ(domain->contours.front().rect.size.width, 4.0);
    EXPECT_FALSE(domain->needsCompleteRedraw) << "the fine boxes have been drawn";
}

// One pass per appended point: the range strokes only the newest segment each time, so a
// skipped pass would leave a gap in the drawn image.
TEST_F(PlaneWidgetTest, DragDrawsTheImageInTheRangeAndUndoTakesItAway) {
    const QImage before = rangePane()->image().copy();
    EXPECT_FALSE(action("Edit", "Undo")->isEnabled());
    const int w = domainPane()->width();
    const int h = domainPane()->height();
    std::vector<QPointF> points;
    for (int i = 0; i <= 30; ++i) {
        points.emplace_back(w / 2.0 - 100 + 5 * i, h / 2.0 + 40 - 2 * i);
    }
    const int passes = rangePane()->passCount();
    drag(domainPane(), points);
    EXPECT_EQ(rangePane()->passCount(), passes + 30);
    EXPECT_EQ(window->rangeView()->paths.back()->elementCount(), points.size());

    const QImage drawn = rangePane()->image().copy();
    EXPECT_GT(changedPixels(before, drawn), 100);
    // The image of the last segment is on screen: f(z) of the last point, in range pixels.
    const RangeView& range = *window->rangeView();
    const CGPoint last = range.paths.back()->elementAtIndex(points.size() - 1).point;
    const int lx = static_cast<int>(last.x);
    const int ly = range.viewHeight - static_cast<int>(last.y);
    EXPECT_GT(nonWhitePixels(drawn, QRect(lx - 2, ly - 2, 5, 5)), 0);

    // The Edit menu names the step; undoing it repaints the range as it was.
    trigger("Edit", "Undo Last Path Drawn");
    EXPECT_EQ(changedPixels(before, rangePane()->image()), 0);
    EXPECT_FALSE(action("Edit", "Undo")->isEnabled());
    QAction* redo = findAction(
        *window, "Edit", "Redo " + QString::fromStdString(window->undoManager()->redoActionName()));
    ASSERT_NE(redo, nullptr);
    redo->trigger();
    // Redrawn whole rather than segment by segment: joins and crossings may differ slightly.
    const int drawnChange = changedPixels(before, drawn);
    EXPECT_GT(changedPixels(before, rangePane()->image()), drawnChange * 9 / 10);
    EXPECT_LT(changedPixels(drawn, rangePane()->image()), drawnChange / 10);
}

TEST_F(PlaneWidgetTest, ShadingPaintsEachBoxInItsColour) {
    const QImage before = domainPane()->image().copy();
    trigger("Domain", "Shade by Modulus");
    const DomainView& domain = *window->domainView();
    ASSERT_FALSE(domain.contours.empty());
    const QImage& shaded = domainPane()->image();
    EXPECT_GT(changedPixels(before, shaded), shaded.width() * shaded.height() / 2);

    // A pixel between gridlines shows the colour of the last box that covers it.
    const QPoint origin = originPixel(domain);
    const QPoint pixel(origin.x() + 22, origin.y() - 23);
    const CGPoint centre{pixel.x() + 0.5, domain.viewHeight - pixel.y() - 0.5};
    const ColoredRect* cover = nullptr;
    for (const ColoredRect& box : domain.contours) {
        const CGRect& r = box.rect;
        if (centre.x >= r.origin.x && centre.x < r.origin.x + r.size.width &&
            centre.y >= r.origin.y && centre.y < r.origin.y + r.size.height) {
            cover = &box;
        }
    }
    ASSERT_NE(cover, nullptr);
    const QColor expected = QColor::fromRgbF(static_cast<float>(cover->color.red()),
                                             static_cast<float>(cover->color.green()),
                                             static_cast<float>(cover->color.blue()));
    EXPECT_EQ(QColor(shaded.pixel(pixel)).rgb(), expected.rgb());
    EXPECT_NE(expected.rgb(), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace zw::test
