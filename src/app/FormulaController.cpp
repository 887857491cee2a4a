#include "app/FormulaController.h"

#include "app/Controller.h"
#include "platform/Window.h"

namespace zw {

namespace {

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

}  // namespace

bool FormulaController::checkFormula(const std::string& text, FormulaError& error) {
    FormulaProgram program;
    return FormulaParser::compile(text, "z", program, error);
}

bool FormulaController::checkInverse(const std::string& text, FormulaError& error) {
    if (isBlank(text)) {
        return true;
    }
    FormulaProgram program;
    return FormulaParser::compile(text, "w", program, error);
}

bool FormulaController::closeWindow(Sender* sender) {
    const std::string f = formula != nullptr ? formula->stringValue() : std::string();
    const std::string g = inverse != nullptr ? inverse->stringValue() : std::string();
    if (controller == nullptr || !controller->setFormula(f, g, lastError)) {
        return false;
    }
    lastError.clear();
    formulaText = f;
    inverseText = isBlank(g) ? std::string() : g;
    if (sender != nullptr) {
        if (Window* window = sender->window()) {
            window->close();
        }
    }
    return true;
}

}  // namespace zw
