#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

#include "AlertWatchdog.h"
#include "qt/MainWindow.h"
#include "qt/PlaneWidget.h"

class QAction;
class QMenu;

namespace zw::test {

// The real main window, shown offscreen, with a watchdog for alerts.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Lets queued work and timers run, then runs every pass still owed.
    static void settle(int milliseconds = 0);
    QAction* action(const QString& menu, const QString& text) const;
    void trigger(const QString& menu, const QString& text) const;

    // Mouse and keys as the window system would deliver them; positions in pane pixels.
    static void drag(PlaneWidget* pane, const std::vector<QPointF>& points);
    static void key(PlaneWidget* pane, int key, const QString& text = QString());

    PlaneWidget* domainPane() const { return window->domainPane(); }
    PlaneWidget* rangePane() const { return window->rangePane(); }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<AlertWatchdog> alerts;
};

// Tests find menus and items by the titles they show: the menu bar's menu with this title
// (without its '&'), and the item with this text in it or one of its submenus; null if none.
QMenu* menuNamed(const MainWindow& window, const QString& title);
QAction* findAction(const MainWindow& window, const QString& menuTitle, const QString& text);

// The image column (or row) in `line` whose pixel is darkest; ties go to the first.
int darkestColumn(const QImage& image, int row);
int darkestRow(const QImage& image, int column);
// Pixels that differ between two images of one size, outside the rows at the bottom that the
// coordinate readout repaints.
int changedPixels(const QImage& a, const QImage& b, int readoutRows = 20);
int nonWhitePixels(const QImage& image, const QRect& area);

}  // namespace zw::test
