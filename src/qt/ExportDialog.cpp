#include "qt/ExportDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace zw {

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("zw::ExportDialog", "Export Picture"));
    planes_ = new QComboBox(this);
    planes_->setObjectName(QStringLiteral("planes"));
    planes_->addItem(QCoreApplication::translate("zw::ExportDialog", "Both planes, side by side"),
                     static_cast<int>(PictureExporter::Planes::Both));
    planes_->addItem(QCoreApplication::translate("zw::ExportDialog", "Domain (z) only"),
                     static_cast<int>(PictureExporter::Planes::Domain));
    planes_->addItem(QCoreApplication::translate("zw::ExportDialog", "Range (w) only"),
                     static_cast<int>(PictureExporter::Planes::Range));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("format"));
    format_->addItem(
        QCoreApplication::translate("zw::ExportDialog", "PNG image, as on the screen"));
    format_->addItem(QCoreApplication::translate("zw::ExportDialog", "SVG drawing, as vectors"));
    // The same view in more pixels, for print: text and lines sharper, nothing more shown.
    scale_ = new QComboBox(this);
    scale_->setObjectName(QStringLiteral("scale"));
    scale_->addItem(QCoreApplication::translate("zw::ExportDialog", "1\u00d7, as on the screen"),
                    1);
    for (int n = 2; n <= PictureExporter::kMaxScale; ++n) {
        scale_->addItem(QStringLiteral("%1\u00d7").arg(n), n);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QCoreApplication::translate("zw::ExportDialog", "Show:"), planes_);
    layout->addRow(QCoreApplication::translate("zw::ExportDialog", "Format:"), format_);
    layout->addRow(QCoreApplication::translate("zw::ExportDialog", "Scale:"), scale_);
    // The fields are named by their labels; their open lists, which take the keys, are not.
    for (QComboBox* field : {planes_, format_, scale_}) {
        field->view()->setAccessibleName(layout->labelForField(field)->property("text").toString());
    }
    layout->addRow(buttons);
}

PictureExporter::Planes ExportDialog::planes() const {
    return static_cast<PictureExporter::Planes>(planes_->currentData().toInt());
}

int ExportDialog::scale() const {
    return scale_->currentData().toInt();
}

bool ExportDialog::svg() const {
    return format_->currentIndex() == 1;
}

}  // namespace zw
