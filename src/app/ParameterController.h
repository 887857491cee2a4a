#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Sender.h"

namespace zw {

class Controller;

// What the three coefficient dialogs' controllers share: the numbers read last and the fields.
class ParameterController {
  public:
    virtual ~ParameterController() = default;
    // Reads the fields, installs the map through the controller and closes the dialog.
    virtual void closeWindow(Sender* sender) = 0;

    // closeWindow reads whatever is typed as atof would. A dialog asks these first, so that
    // what it hands over is what the user meant: a field must read whole as a number, in the C
    // locale, that single precision holds; otherwise nothing, with `error` saying why.
    static std::optional<float> checkField(std::string_view text, std::string& error);
    // Whether these coefficients (aR aI bR bI cR cI dR dI) make a map of this dialog's kind;
    // otherwise false, with `error` saying why.
    virtual bool checkMap(const std::array<float, 8>& coefficients, std::string& error) const;

    float aRm = 0, bRm = 0, cRm = 0, dRm = 0;
    float aIm = 0, bIm = 0, cIm = 0, dIm = 0;
    Controller* controller = nullptr;
    TextField* aR = nullptr;
    TextField* bR = nullptr;
    TextField* cR = nullptr;
    TextField* dR = nullptr;
    TextField* aI = nullptr;
    TextField* bI = nullptr;
    TextField* cI = nullptr;
    TextField* dI = nullptr;

  protected:
    // The field's text read as by atof in the C locale and rounded to single precision; a missing
    // field is 0.
    static float readField(const TextField* field);
    static void closeSenderWindow(Sender* sender);
    // What the Möbius and cubic dialogs do: read all eight fields, install the map, close.
    void installComplexMap(Sender* sender, const char* mapName);
};

}  // namespace zw
