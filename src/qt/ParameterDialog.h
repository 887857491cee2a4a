#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "qt/ButtonSender.h"
#include "qt/LineEditField.h"
#include "qt/WidgetWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zw {

class ParameterController;

// The coefficients of one user map: eight fields, laid out as the pairs aR aI, bR bI, cR cI,
// dR dI, and OK, which hands them to the map's controller. Each field is checked as it
// changes: what is wrong is said under it and its text is marked, and OK waits until every
// field reads whole as a number and the numbers make a map. Cancel or Escape change nothing.
// The dialog is kept and reused, so the fields keep the text last confirmed between openings.
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
    // Shows the coefficients of a map put in use by other means (an opened session): they are
    // what Cancel goes back to, even while the dialog is open.
    void showCoefficients(const std::array<QString, kFieldCount>& texts);
    // What is wrong with a field's text; empty when it reads.
    QLabel* fieldMessage(int index) const { return messages_[static_cast<std::size_t>(index)]; }
    // Whether the field's text is marked as wrong.
    bool marked(int index) const { return marked_[static_cast<std::size_t>(index)]; }
    // What is wrong with the map the numbers make; empty when nothing is.
    QLabel* mapMessage() const { return mapMessage_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

  public slots:
    // Puts back the texts the dialog was opened with, and closes it.
    void reject() override;

  signals:
    // The map has been installed (and the dialog closed).
    void confirmed();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void check();
    void confirm();

    ParameterController* controller_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    std::array<QLabel*, kFieldCount> messages_{};
    std::array<bool, kFieldCount> marked_{};
    std::array<bool, kFieldCount> used_{};
    std::array<QString, kFieldCount> opened_;
    std::array<std::unique_ptr<LineEditField>, kFieldCount> textFields_;
    QLabel* mapMessage_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    WidgetWindow window_;
    std::unique_ptr<ButtonSender> okSender_;
};

}  // namespace zw
