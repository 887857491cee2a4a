#include "qt/QtColorPanel.h"

#include <QColorDialog>
#include <QCoreApplication>

namespace zw {

QtColorPanel::QtColorPanel(QWidget* parent) : QObject(parent), dialog_(new QColorDialog(parent)) {
    dialog_->setWindowTitle(QCoreApplication::translate("zw::QtColorPanel", "Colours"));
    // A panel, not a question: the colour counts as soon as it is picked.
    dialog_->setOption(QColorDialog::NoButtons, true);
    dialog_->setOption(QColorDialog::DontUseNativeDialog, true);
    dialog_->setModal(false);
    dialog_->setCurrentColor(Qt::black);
    connect(dialog_, &QColorDialog::currentColorChanged, this, &QtColorPanel::pick);
}

void QtColorPanel::makeKeyAndOrderFront() {
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

Color QtColorPanel::color() const {
    const QColor c = dialog_->currentColor();
    return Color::colorWithDeviceRed(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

void QtColorPanel::pick() {
    if (target_) {
        target_();
    }
    emit colorChosen();
}

}  // namespace zw
