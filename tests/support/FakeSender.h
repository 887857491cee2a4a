#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/Sender.h"

namespace zw::test {

// A menu item or button: a title, an on/off state (every setState is remembered) and the
// window it sits in.
class FakeSender : public Sender {
  public:
    FakeSender() = default;
    explicit FakeSender(std::string title, int state = 0, Window* window = nullptr)
        : title_(std::move(title)), state_(state), window_(window) {}

    std::string title() const override { return title_; }
    int state() const override { return state_; }
    void setState(int state) override {
        state_ = state;
        stateHistory.push_back(state);
    }
    Window* window() override { return window_; }

    void setTitle(std::string title) { title_ = std::move(title); }
    void setWindow(Window* window) { window_ = window; }

    std::vector<int> stateHistory;

  private:
    std::string title_;
    int state_ = 0;
    Window* window_ = nullptr;
};

class FakeTextField : public TextField {
  public:
    FakeTextField() = default;
    explicit FakeTextField(std::string text) : text_(std::move(text)) {}

    std::string stringValue() const override {
        ++reads;
        return text_;
    }
    void setStringValue(std::string text) { text_ = std::move(text); }

    mutable std::size_t reads = 0;

  private:
    std::string text_;
};

}  // namespace zw::test
