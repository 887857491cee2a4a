#include "app/ParameterController.h"

#include <cstdlib>
#include <string>

#include "platform/Window.h"

namespace zw {

float ParameterController::readField(const TextField* field) {
    if (field == nullptr) {
        return 0.0f;
    }
    const std::string text = field->stringValue();
    return static_cast<float>(std::atof(text.c_str()));
}

void ParameterController::closeSenderWindow(Sender* sender) {
    if (sender == nullptr) {
        return;
    }
    if (Window* w = sender->window()) {
        w->close();
    }
}

}  // namespace zw
