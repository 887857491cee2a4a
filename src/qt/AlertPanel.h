#pragma once

#include <string>

#include "platform/Alerts.h"

class QMessageBox;
class QWidget;

namespace zw {

// Alert panels and sheets as message boxes: a button for every non-empty title.
class AlertPanel {
  public:
    // Makes runAlertPanel show an application-modal box; returns the handler it replaced.
    static AlertHandler install();
    static int run(const AlertRequest& request);
    // The box with its buttons, not yet shown. The default button is the box's default and
    // Escape picks the alternate one when there is one.
    static QMessageBox* makeBox(QWidget* parent, const AlertRequest& request);
    // The answer that the pressed button stands for.
    static int answer(const QMessageBox& box);
};

}  // namespace zw
