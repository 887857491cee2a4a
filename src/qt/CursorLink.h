#pragma once

#include <QObject>

#include "app/LinkedCursor.h"

namespace zw {

class MainWindow;
class StatusBar;

// Keeps the linked-cursor markers and the status bar in step with the pointer, the viewports
// and the function, after every event and menu action the window hands to the planes.
class CursorLink : public QObject {
    Q_OBJECT

  public:
    CursorLink(MainWindow* window, StatusBar* statusBar);

    void setMarkersShown(bool shown);
    bool markersShown() const { return cursor_.markersShown; }

  public slots:
    void refresh();

  private:
    MainWindow* window_;
    StatusBar* statusBar_;
    LinkedCursor cursor_;
};

}  // namespace zw
