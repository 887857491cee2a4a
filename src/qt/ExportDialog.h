#pragma once

#include <QDialog>

#include "qt/PictureExporter.h"

class QComboBox;

namespace zw {

// Asks what a picture shows (both planes side by side, or one), in which format, and at which
// scale (1 to 8: the same view in that many times the pixels; 1 is the screen's).
class ExportDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ExportDialog(QWidget* parent = nullptr);

    PictureExporter::Planes planes() const;
    bool svg() const;
    int scale() const;

  private:
    QComboBox* planes_;
    QComboBox* format_;
    QComboBox* scale_;
};

}  // namespace zw
