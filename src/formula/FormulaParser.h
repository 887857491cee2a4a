#pragma once

#include <complex>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "formula/FormulaProgram.h"

namespace zw {

// Why a formula was refused: a message for a person, and where (1-based, in characters).
struct FormulaError {
    int column = 0;
    // How many characters the fault covers from column (at least 1).
    int length = 1;
    std::string message;
};

// The values that a formula's parameters are compiled with, by name.
using ParameterValues = std::map<std::string, std::complex<double>, std::less<>>;

// Reads a formula in one complex variable and compiles it.
//
//   sum     = product { ("+" | "-") product }
//   product = signed { ("*" | "/") signed | power }      (a power right after: 2z, 2 sin(z))
//   signed  = ("-" | "+") signed | power
//   power   = primary [ "^" signed ]                     (right-associative: 2^3^2 = 2^9)
//   primary = number | name | function "(" sum ")" | "(" sum ")"
//
// Names: the variable (z or w), x and y (its real and imaginary parts), i, pi, e. Numbers
// always use "." for decimals, whatever the locale. Any other name is a parameter: a whole word
// of letters, digits and "_" that starts with a letter or "_", so az is one parameter, a z and
// a*z are a times z, and 2a is 2 times a. A parameter is not a function: a name right before
// "(" must be one of the functions (write a*(z+1) for the product), which catches sni(z). The
// other plane's variable (w in f, z in the inverse) is refused rather than taken for one.
// A parameter's value is compiled in as a constant, so a formula at a = 1 is the very program
// that the same formula with 1 written for a is; a new value means compiling again, which
// costs microseconds.
class FormulaParser {
  public:
    // The value of a parameter that `values` does not name.
    static constexpr double kParameterDefault = 0.5;

    // Longer input is refused before it is read, and nesting deeper than kMaxDepth is refused
    // as it is met, so the recursion stays shallow whatever the input.
    static constexpr std::size_t kMaxLength = 1000;
    static constexpr int kMaxDepth = 100;

    // On success fills program; on failure fills error and leaves program untouched.
    static bool compile(std::string_view text, std::string_view variable, FormulaProgram& program,
                        FormulaError& error);
    // The same with the parameters' values; the parameters met are appended to `names` (if
    // given) in the order they first appear, each once.
    static bool compile(std::string_view text, std::string_view variable, FormulaProgram& program,
                        FormulaError& error, const ParameterValues& values,
                        std::vector<std::string>* names = nullptr);
    // The parameters of a formula in the order they first appear; none if it does not read.
    static std::vector<std::string> parameterNames(std::string_view text,
                                                   std::string_view variable);

  private:
    enum class Token { End, Number, Name, Symbol };

    FormulaParser(std::string_view text, std::string_view variable, const ParameterValues& values,
                  std::vector<std::string>* names);

    void next();
    void sum();
    void product();
    void signedPower();
    void power();
    void primary();
    void name();
    // A parameter's value, the name just read and not yet consumed.
    void parameter(std::string_view word, std::size_t wordStart);
    bool startsOperand() const;

    [[noreturn]] void fail(std::size_t offset, std::size_t bytes, std::string message) const;
    [[noreturn]] void unexpected() const;
    int columnOf(std::size_t offset) const;

    std::string_view text_;
    std::string_view variable_;
    const ParameterValues& values_;
    std::vector<std::string>* names_;
    FormulaProgram program_;
    int depth_ = 0;

    // The current token.
    Token token_ = Token::End;
    std::size_t start_ = 0;  // byte offset
    std::size_t end_ = 0;
    double number_ = 0;
};

}  // namespace zw
