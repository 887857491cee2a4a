#pragma once

#include <QDialog>

#include "qt/PictureExporter.h"

class QComboBox;

namespace zw {

// Asks what a picture shows (both planes side by side, or one) and in which format.
class ExportDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ExportDialog(QWidget* parent = nullptr);

    PictureExporter::Planes planes() const;
    bool svg() const;

  private:
    QComboBox* planes_;
    QComboBox* format_;
};

}  // namespace zw
