#pragma once

#include <QDialog>
#include <complex>
#include <string>
#include <vector>

#include "qt/AnimationExport.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zw {

// Asks what an animation moves and how: the parameter (or the morph's t), from and to (a real
// or x+yi, in the C locale), the number of frames, frames per second, the size, the planes
// shown and the format. OK is taken only when every field reads.
class AnimationExportDialog : public QDialog {
    Q_OBJECT

  public:
    struct Choice {
        std::string name;
        std::complex<double> from;
        std::complex<double> to;
    };
    // `choices`: the names that can move, each with the range it starts with; `size`: the
    // planes' size on the screen, which the dialog starts with.
    AnimationExportDialog(const std::vector<Choice>& choices, QSize size,
                          QWidget* parent = nullptr);

    // What the fields say; the output's name is left to the caller.
    AnimationExport::Settings settings() const;
    // A file dialog's filter and suffix for the format chosen.
    QString filter() const;
    QString suffix() const;
    // A name for the format chosen: a PNG series gets "-%03d" before ".png" when it has no
    // number of its own.
    static QString outputName(const QString& chosen, AnimationWriter::Format format);

    void accept() override;

  private:
    void nameChosen();
    bool read(AnimationExport::Settings& settings, QString& why) const;

    std::vector<Choice> choices_;
    QComboBox* name_;
    QLineEdit* from_;
    QLineEdit* to_;
    QSpinBox* frames_;
    QLineEdit* fps_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* planes_;
    QComboBox* format_;
    QLabel* problem_;
};

}  // namespace zw
