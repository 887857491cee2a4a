#pragma once

#include <QString>

#include "platform/Sender.h"

class QAction;

namespace zw {

// A menu item as the sender of an action: its text is the title and its check mark the state.
class MenuItemSender : public Sender {
  public:
    explicit MenuItemSender(QAction* action, Window* window = nullptr)
        : action_(action), window_(window) {}

    // The item's text without accelerator markers: a lone '&' dropped, "&&" read as '&'.
    std::string title() const override;
    int state() const override;
    void setState(int state) override;
    Window* window() override { return window_; }
    QAction* action() const { return action_; }

    static QString withoutAccelerators(const QString& text);

  private:
    QAction* action_;
    Window* window_;
};

}  // namespace zw
