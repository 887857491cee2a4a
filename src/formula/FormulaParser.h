#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "formula/FormulaProgram.h"

namespace zw {

// Why a formula was refused: a message for a person, and where (1-based, in characters).
struct FormulaError {
    int column = 0;
    // How many characters the fault covers from column (at least 1).
    int length = 1;
    std::string message;
};

// Reads a formula in one complex variable and compiles it.
//
//   sum     = product { ("+" | "-") product }
//   product = signed { ("*" | "/") signed | power }      (a power right after: 2z, 2 sin(z))
//   signed  = ("-" | "+") signed | power
//   power   = primary [ "^" signed ]                     (right-associative: 2^3^2 = 2^9)
//   primary = number | name | function "(" sum ")" | "(" sum ")"
//
// Names: the variable (z or w), x and y (its real and imaginary parts), i, pi, e. Numbers
// always use "." for decimals, whatever the locale.
class FormulaParser {
  public:
    // Longer input is refused before it is read, and nesting deeper than kMaxDepth is refused
    // as it is met, so the recursion stays shallow whatever the input.
    static constexpr std::size_t kMaxLength = 1000;
    static constexpr int kMaxDepth = 100;

    // On success fills program; on failure fills error and leaves program untouched.
    static bool compile(std::string_view text, std::string_view variable, FormulaProgram& program,
                        FormulaError& error);

  private:
    enum class Token { End, Number, Name, Symbol };

    FormulaParser(std::string_view text, std::string_view variable);

    void next();
    void sum();
    void product();
    void signedPower();
    void power();
    void primary();
    void name();
    bool startsOperand() const;

    [[noreturn]] void fail(std::size_t offset, std::size_t bytes, std::string message) const;
    [[noreturn]] void unexpected() const;
    int columnOf(std::size_t offset) const;

    std::string_view text_;
    std::string_view variable_;
    FormulaProgram program_;
    int depth_ = 0;

    // The current token.
    Token token_ = Token::End;
    std::size_t start_ = 0;  // byte offset
    std::size_t end_ = 0;
    double number_ = 0;
};

}  // namespace zw
