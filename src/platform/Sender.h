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

class TextField {
  public:
    virtual ~TextField() = default;
    virtual std::string stringValue() const = 0;
};

}  // namespace zw
