#pragma once

#include <functional>
#include <string>

namespace zw {

struct AlertRequest {
    std::string title;
    std::string message;
    std::string defaultButton;
    std::string alternateButton;
    std::string otherButton;
};

// Answers of a modal alert panel.
inline constexpr int kAlertDefaultReturn = 1;
inline constexpr int kAlertAlternateReturn = 0;
inline constexpr int kAlertOtherReturn = -1;

using AlertHandler = std::function<int(const AlertRequest&)>;

// Runs a modal alert panel and returns the button pressed. Without an installed handler the
// panel is answered with its default button.
int runAlertPanel(const std::string& title, const std::string& message,
                  const std::string& defaultButton, const std::string& alternateButton,
                  const std::string& otherButton);

// Installs the handler that shows alert panels; returns the previous one.
AlertHandler setAlertHandler(AlertHandler handler);

}  // namespace zw
