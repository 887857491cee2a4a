#pragma once

#include <string>
#include <vector>

#include "formula/FormulaParser.h"
#include "platform/Sender.h"

namespace zw {

class Controller;

// The formula dialog: f(z) and an optional inverse in w, checked as they are typed and
// installed through the controller when confirmed.
class FormulaController {
  public:
    // Reads both fields; if they read as formulas and the inverse undoes f, installs them and
    // closes the dialog. If not, the dialog stays open and lastError says why.
    bool closeWindow(Sender* sender);

    // Whether a field's text reads, and if not why. The formula must not be blank; the inverse
    // may be, meaning there is none.
    static bool checkFormula(const std::string& text, FormulaError& error);
    static bool checkInverse(const std::string& text, FormulaError& error);
    // Whether an inverse given with a formula undoes it (see inverseFault); if not, error says
    // where it fails and covers the whole inverse. Texts that do not read pass here.
    // Parameters are taken at `values`.
    static bool checkUndoes(const std::string& formula, const std::string& inverse,
                            FormulaError& error, const ParameterValues& values = {});
    // The parameters of both fields in the order they appear, as far as each reads.
    static std::vector<std::string> parametersOf(const std::string& formula,
                                                 const std::string& inverse);

    // The texts last installed, which the dialog shows again when reopened.
    std::string formulaText = "z^2";
    std::string inverseText;
    std::string lastError;
    Controller* controller = nullptr;
    TextField* formula = nullptr;
    TextField* inverse = nullptr;
};

}  // namespace zw
