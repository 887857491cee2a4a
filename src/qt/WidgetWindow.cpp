#include "qt/WidgetWindow.h"

#include <QMessageBox>
#include <QWidget>

#include "qt/AlertPanel.h"

namespace zw {

namespace {
const char* const kSheetName = "zwAlertSheet";
}

CGSize WidgetWindow::frameSize() const {
    if (frameSize_) {
        return *frameSize_;
    }
    return CGSize{static_cast<double>(widget_->width()), static_cast<double>(widget_->height())};
}

void WidgetWindow::setAcceptsMouseMovedEvents(bool accepts) {
    widget_->setMouseTracking(accepts);
}

void WidgetWindow::close() {
    widget_->window()->close();
}

void WidgetWindow::beginAlertSheet(const std::string& title, const std::string& defaultButton,
                                   const std::string& alternateButton,
                                   const std::string& otherButton, const std::string& message) {
    QWidget* top = widget_->window();
    for (QMessageBox* open : top->findChildren<QMessageBox*>(QString::fromLatin1(kSheetName))) {
        if (open->isVisible()) {
            return;
        }
    }
    QMessageBox* sheet = AlertPanel::makeBox(
        top, AlertRequest{title, message, defaultButton, alternateButton, otherButton});
    sheet->setObjectName(QString::fromLatin1(kSheetName));
    QObject::connect(sheet, &QDialog::finished, sheet, &QObject::deleteLater);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->open();
}

}  // namespace zw
