#pragma once

#include <QObject>

#include "qt/AnimationExport.h"

class QProgressDialog;

namespace zw {

class MainWindow;
class MenuBuilder;

// File > Export Animation...: what to move and how, where to, then the frames written under a
// progress dialog whose Cancel leaves nothing behind.
class AnimationActions : public QObject {
    Q_OBJECT

  public:
    AnimationActions(MainWindow* window, const MenuBuilder& menus);

    // Writes the window's session as `settings` say, under a progress dialog; false when it
    // was cancelled or failed (a failure is told in an alert).
    bool write(const AnimationExport::Settings& settings);
    // The progress dialog while `write` runs, else null.
    QProgressDialog* progress() const { return progress_; }

  public slots:
    void exportAnimation();

  private:
    MainWindow* window_;
    QProgressDialog* progress_ = nullptr;
};

}  // namespace zw
