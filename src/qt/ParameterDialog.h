#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "qt/ButtonSender.h"
#include "qt/LineEditField.h"
#include "qt/WidgetWindow.h"

class QLineEdit;
class QPushButton;

namespace zw {

class ParameterController;

// The coefficients of one user map: eight fields, laid out as the pairs aR aI, bR bI, cR cI,
// dR dI, and an OK button that hands them to the map's controller. The dialog is kept and
// reused, so the fields keep their text between openings.
class ParameterDialog : public QDialog {
    Q_OBJECT

  public:
    // Fields in the order aR, aI, bR, bI, cR, cI, dR, dI.
    static constexpr int kFieldCount = 8;
    struct Field {
        QString label;
        QString initialText;
        bool used = true;
    };

    ParameterDialog(const QString& title, const QString& formula,
                    const std::array<Field, kFieldCount>& fields, ParameterController* controller,
                    QWidget* parent = nullptr);

    QLineEdit* field(int index) const { return edits_[static_cast<std::size_t>(index)]; }
    QPushButton* okButton() const { return okButton_; }

  signals:
    // The map has been installed (and the dialog closed).
    void confirmed();

  private:
    void confirm();

    ParameterController* controller_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    std::array<std::unique_ptr<LineEditField>, kFieldCount> textFields_;
    QPushButton* okButton_;
    WidgetWindow window_;
    std::unique_ptr<ButtonSender> okSender_;
};

}  // namespace zw
