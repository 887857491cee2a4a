#include "WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QThread>

namespace zw::test {

void WindowTest::SetUp() {
    window = std::make_unique<MainWindow>();
    // After the window, which installs the real alert panels.
    alerts = std::make_unique<AlertWatchdog>();
    window->show();
    settle();
}

void WindowTest::TearDown() {
    alerts.reset();
    window.reset();
}

void WindowTest::settle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (milliseconds > 0) {
            QThread::msleep(5);
        }
    } while (clock.elapsed() < milliseconds);
    QApplication::processEvents();
    PlaneWidget::flushAll();
}

QAction* WindowTest::action(const QString& menu, const QString& text) const {
    QAction* found = findAction(*window, menu, text);
    EXPECT_NE(found, nullptr) << "no item " << text.toStdString() << " in " << menu.toStdString();
    return found;
}

void WindowTest::trigger(const QString& menu, const QString& text) const {
    if (QAction* item = action(menu, text)) {
        item->trigger();
    }
}

namespace {
void sendMouse(PlaneWidget* pane, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, pane->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pane, &event);
}
}  // namespace

void WindowTest::drag(PlaneWidget* pane, const std::vector<QPointF>& points) {
    sendMouse(pane, QEvent::MouseButtonPress, points.front(), Qt::LeftButton, Qt::LeftButton);
    for (std::size_t i = 1; i < points.size(); ++i) {
        sendMouse(pane, QEvent::MouseMove, points[i], Qt::NoButton, Qt::LeftButton);
    }
    sendMouse(pane, QEvent::MouseButtonRelease, points.back(), Qt::LeftButton, Qt::NoButton);
}

void WindowTest::key(PlaneWidget* pane, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(pane, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(pane, &release);
}

QMenu* menuNamed(const MainWindow& window, const QString& title) {
    for (QAction* item : window.menuBar()->actions()) {
        if (item->menu() != nullptr && item->text().remove(QLatin1Char('&')) == title) {
            return item->menu();
        }
    }
    return nullptr;
}

QAction* findAction(const MainWindow& window, const QString& menuTitle, const QString& text) {
    QMenu* top = menuNamed(window, menuTitle);
    if (top == nullptr) {
        return nullptr;
    }
    std::vector<QMenu*> pending = {top};
    while (!pending.empty()) {
        QMenu* current = pending.back();
        pending.pop_back();
        for (QAction* item : current->actions()) {
            if (item->menu() != nullptr) {
                pending.push_back(item->menu());
            } else if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

int darkestColumn(const QImage& image, int row) {
    int best = 0;
    int bestValue = 256;
    for (int x = 0; x < image.width(); ++x) {
        const int value = qGray(image.pixel(x, row));
        if (value < bestValue) {
            bestValue = value;
            best = x;
        }
    }
    return best;
}

int darkestRow(const QImage& image, int column) {
    int best = 0;
    int bestValue = 256;
    for (int y = 0; y < image.height(); ++y) {
        const int value = qGray(image.pixel(column, y));
        if (value < bestValue) {
            bestValue = value;
            best = y;
        }
    }
    return best;
}

int changedPixels(const QImage& a, const QImage& b, int readoutRows) {
    if (a.size() != b.size()) {
        ADD_FAILURE() << "images differ in size";
        return -1;
    }
    int changed = 0;
    for (int y = 0; y < a.height() - readoutRows; ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++changed;
            }
        }
    }
    return changed;
}

int nonWhitePixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace zw::test
