#pragma once

#include "platform/Sender.h"

class QAbstractButton;

namespace zw {

// A push button as the sender of an action, in the window given (its dialog).
class ButtonSender : public Sender {
  public:
    ButtonSender(QAbstractButton* button, Window* window) : button_(button), window_(window) {}

    std::string title() const override;
    int state() const override;
    void setState(int state) override;
    Window* window() override { return window_; }

  private:
    QAbstractButton* button_;
    Window* window_;
};

}  // namespace zw
