#pragma once

#include <string>

namespace zw {

class Window;

// The control that sent an action: a menu item or a button.
class Sender {
  public:
    virtual ~Sender() = default;
    virtual std::string title() const = 0;
    virtual int state() const = 0;  // 0 off, 1 on
    virtual void setState(int state) = 0;
    virtual Window* window() = 0;
};

// A display option's click: `flag` becomes the reverse of the item's mark before the click (of
// itself where no item sent it, as from a session or a test), and the item shows it.
inline bool toggleOption(Sender* sender, bool& flag) {
    flag = sender != nullptr ? sender->state() == 0 : !flag;
    if (sender != nullptr) {
        sender->setState(flag ? 1 : 0);
    }
    return flag;
}

class TextField {
  public:
    virtual ~TextField() = default;
    virtual std::string stringValue() const = 0;
};

}  // namespace zw
