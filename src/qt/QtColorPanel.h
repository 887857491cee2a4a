#pragma once

#include <QObject>
#include <functional>

#include "platform/ColorPanel.h"

class QColorDialog;
class QWidget;

namespace zw {

// The shared colour chooser: one non-modal colour dialog that calls its target whenever the
// user picks a colour.
class QtColorPanel : public QObject, public ColorPanel {
    Q_OBJECT

  public:
    explicit QtColorPanel(QWidget* parent);

    void setTarget(std::function<void()> action) override { target_ = std::move(action); }
    void makeKeyAndOrderFront() override;
    Color color() const override;
    QColorDialog* dialog() const { return dialog_; }

  signals:
    // The target has taken the colour.
    void colorChosen();

  private:
    void pick();

    QColorDialog* dialog_;
    std::function<void()> target_;
};

}  // namespace zw
