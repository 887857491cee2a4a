#include "qt/ExportDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace zw {

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export Picture"));
    planes_ = new QComboBox(this);
    planes_->setObjectName(QStringLiteral("planes"));
    planes_->addItem(QStringLiteral("Both planes, side by side"),
                     static_cast<int>(PictureExporter::Planes::Both));
    planes_->addItem(QStringLiteral("Domain (z) only"),
                     static_cast<int>(PictureExporter::Planes::Domain));
    planes_->addItem(QStringLiteral("Range (w) only"),
                     static_cast<int>(PictureExporter::Planes::Range));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("format"));
    format_->addItem(QStringLiteral("PNG image, as on the screen"));
    format_->addItem(QStringLiteral("SVG drawing, as vectors"));
    // The same view in more pixels, for print: text and lines sharper, nothing more shown.
    scale_ = new QComboBox(this);
    scale_->setObjectName(QStringLiteral("scale"));
    scale_->addItem(QStringLiteral("1\u00d7, as on the screen"), 1);
    for (int n = 2; n <= PictureExporter::kMaxScale; ++n) {
        scale_->addItem(QStringLiteral("%1\u00d7").arg(n), n);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Show:"), planes_);
    layout->addRow(QStringLiteral("Format:"), format_);
    layout->addRow(QStringLiteral("Scale:"), scale_);
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
