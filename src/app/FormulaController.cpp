#include "app/FormulaController.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "app/Controller.h"
#include "engine/Transformations.h"
#include "formula/InverseCheck.h"
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

std::vector<std::string> FormulaController::parametersOf(const std::string& formula,
                                                         const std::string& inverse) {
    std::vector<std::string> names = FormulaParser::parameterNames(formula, "z");
    for (std::string& name : FormulaParser::parameterNames(inverse, "w")) {
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

bool FormulaController::checkUndoes(const std::string& formula, const std::string& inverse,
                                    FormulaError& error, const ParameterValues& values) {
    std::string fault = inverseFault(formula, inverse, values);
    if (fault.empty()) {
        return true;
    }
    std::size_t characters = 0;
    for (char c : inverse) {
        characters += (static_cast<unsigned char>(c) & 0xC0u) == 0x80u ? 0 : 1;
    }
    error = FormulaError{1, characters > 0 ? static_cast<int>(characters) : 1, std::move(fault)};
    return false;
}

bool FormulaController::closeWindow(Sender* sender) {
    const std::string f = formula != nullptr ? formula->stringValue() : std::string();
    const std::string g = inverse != nullptr ? inverse->stringValue() : std::string();
    // An inverse that does not undo f would pull the range's grid back to the wrong places.
    FormulaError fault;
    const ParameterValues values = controller != nullptr && controller->transformations != nullptr
                                       ? controller->transformations->parameterValues()
                                       : ParameterValues();
    if (!checkUndoes(f, g, fault, values)) {
        lastError = "inverse: " + fault.message;
        return false;
    }
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
