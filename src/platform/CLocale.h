#pragma once

#include <locale.h>
#include <clocale>
#include <string_view>

namespace zw {

// The C library's "C" locale, whatever the user's desktop uses: numbers that zwmap reads or
// writes always have a '.' for the decimal point.
class CLocale {
  public:
    // Makes the C locale this thread's locale for the lifetime of the object.
    CLocale();
    ~CLocale();
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;

    // What atof does in the C locale: leading white space skipped, the longest number at the
    // start read, the rest ignored; no number at all reads as 0.
    static double atof(const char* text);

    // How a text reads when the whole of it must be one number: blanks around it, one leading
    // '+', '.' as the decimal point. "inf" and "nan" read, as the non-finite numbers they name;
    // whoever asks decides whether those will do.
    enum class Reading { Number, Empty, NotANumber, OutOfRange };
    static Reading readNumber(std::string_view text, double& value);

  private:
    static locale_t handle();
    locale_t previous_;
};

}  // namespace zw
