#include "platform/Alerts.h"

#include <utility>

namespace zw {

namespace {
AlertHandler& handler() {
    static AlertHandler h;
    return h;
}
}  // namespace

int runAlertPanel(const std::string& title, const std::string& message,
                  const std::string& defaultButton, const std::string& alternateButton,
                  const std::string& otherButton) {
    const AlertHandler& h = handler();
    if (!h) {
        return kAlertDefaultReturn;
    }
    return h(AlertRequest{title, message, defaultButton, alternateButton, otherButton});
}

AlertHandler setAlertHandler(AlertHandler h) {
    return std::exchange(handler(), std::move(h));
}

}  // namespace zw
