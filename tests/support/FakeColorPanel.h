#pragma once

#include <cstddef>
#include <functional>
#include <utility>

#include "platform/Color.h"
#include "platform/ColorPanel.h"

namespace zw::test {

// A colour panel the test picks colours in. Unless told otherwise it installs itself as the
// shared panel while alive and puts the previous one back afterwards.
class FakeColorPanel : public ColorPanel {
  public:
    explicit FakeColorPanel(bool installAsShared = true);
    ~FakeColorPanel() override;
    FakeColorPanel(const FakeColorPanel&) = delete;
    FakeColorPanel& operator=(const FakeColorPanel&) = delete;

    void setTarget(std::function<void()> action) override {
        target_ = std::move(action);
        ++setTargetCalls;
    }
    void makeKeyAndOrderFront() override { ++orderFrontCalls; }
    Color color() const override { return color_; }

    // The user picks a colour: the panel takes it and calls its target.
    void pick(const Color& color);
    bool hasTarget() const { return static_cast<bool>(target_); }

    std::size_t setTargetCalls = 0;
    std::size_t orderFrontCalls = 0;

  private:
    std::function<void()> target_;
    Color color_ = Color::whiteColor();
    bool installed_;
    ColorPanel* previous_ = nullptr;
};

}  // namespace zw::test
