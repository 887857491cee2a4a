#include "formula/FormulaParser.h"
#include "platform/Translatable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace zw {

namespace {

using Op = FormulaProgram::Op;

struct Failure {
    FormulaError error;
};

struct Function {
    std::string_view name;
    Op op;
};

constexpr std::array<Function, 20> kFunctions{{
    {"sin", Op::Sin},   {"cos", Op::Cos},     {"tan", Op::Tan},     {"sinh", Op::Sinh},
    {"cosh", Op::Cosh}, {"tanh", Op::Tanh},   {"asin", Op::Asin},   {"acos", Op::Acos},
    {"atan", Op::Atan}, {"asinh", Op::Asinh}, {"acosh", Op::Acosh}, {"atanh", Op::Atanh},
    {"exp", Op::Exp},   {"log", Op::Log},     {"sqrt", Op::Sqrt},   {"abs", Op::Abs},
    {"arg", Op::Arg},   {"conj", Op::Conj},   {"re", Op::Re},       {"im", Op::Im},
}};

constexpr double kPi = 3.141592653589793;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A byte that continues a UTF-8 sequence rather than starting a character.
bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

std::size_t characters(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) {
        n += isContinuation(c) ? 0 : 1;
    }
    return n;
}

std::string quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely about "\"" + std::string.
    std::string result(1, '"');
    result += text;
    result += '"';
    return result;
}

}  // namespace

FormulaParser::FormulaParser(std::string_view text, std::string_view variable,
                             const ParameterValues& values, std::vector<std::string>* names)
    : text_(text), variable_(variable), values_(values), names_(names) {}

bool FormulaParser::compile(std::string_view text, std::string_view variable,
                            FormulaProgram& program, FormulaError& error) {
    static const ParameterValues none;
    return compile(text, variable, program, error, none);
}

std::vector<std::string> FormulaParser::parameterNames(std::string_view text,
                                                       std::string_view variable) {
    FormulaProgram program;
    FormulaError error;
    std::vector<std::string> names;
    if (!compile(text, variable, program, error, {}, &names)) {
        names.clear();
    }
    return names;
}

bool FormulaParser::compile(std::string_view text, std::string_view variable,
                            FormulaProgram& program, FormulaError& error,
                            const ParameterValues& values, std::vector<std::string>* names) {
    if (characters(text) > kMaxLength) {
        error = FormulaError{
            1, 1, "the formula is too long: at most " + std::to_string(kMaxLength) + " characters"};
        return false;
    }
    try {
        // Names are collected apart and handed over only on success.
        std::vector<std::string> found;
        FormulaParser parser(text, variable, values, names != nullptr ? &found : nullptr);
        parser.next();
        if (parser.token_ == Token::End) {
            parser.fail(0, 0, QT_TRANSLATE_NOOP("zw::Fields", "the formula is empty"));
        }
        parser.sum();
        if (parser.token_ != Token::End) {
            parser.unexpected();
        }
        if (parser.program_.stackSize() > FormulaProgram::kMaxStack) {
            parser.fail(0, text.size(),
                        QT_TRANSLATE_NOOP("zw::Fields", "the formula is too deeply nested"));
        }
        program = std::move(parser.program_);
        if (names != nullptr) {
            for (std::string& name : found) {
                if (std::find(names->begin(), names->end(), name) == names->end()) {
                    names->push_back(std::move(name));
                }
            }
        }
        return true;
    } catch (const Failure& failure) {
        error = failure.error;
        return false;
    }
}

int FormulaParser::columnOf(std::size_t offset) const {
    return static_cast<int>(characters(text_.substr(0, offset))) + 1;
}

void FormulaParser::fail(std::size_t offset, std::size_t bytes, std::string message) const {
    const std::size_t length = characters(text_.substr(offset, bytes));
    throw Failure{FormulaError{columnOf(offset), length > 0 ? static_cast<int>(length) : 1,
                               std::move(message)}};
}

void FormulaParser::unexpected() const {
    if (token_ == Token::End) {
        fail(start_, 0, "missing operand at column " + std::to_string(columnOf(start_)));
    }
    const std::string_view what = text_.substr(start_, end_ - start_);
    fail(start_, end_ - start_,
         "unexpected " + quoted(what) + " at column " + std::to_string(columnOf(start_)));
}

void FormulaParser::next() {
    std::size_t pos = end_;
    while (pos < text_.size() && isSpace(text_[pos])) {
        ++pos;
    }
    start_ = pos;
    if (pos == text_.size()) {
        token_ = Token::End;
        end_ = pos;
        return;
    }
    const char c = text_[pos];
    const auto at = [this](std::size_t p) { return p < text_.size() ? text_[p] : '\0'; };
    if (isDigit(c) || (c == '.' && isDigit(at(pos + 1)))) {
        while (isDigit(at(pos))) {
            ++pos;
        }
        if (at(pos) == '.') {
            ++pos;
            while (isDigit(at(pos))) {
                ++pos;
            }
        }
        // An exponent only where digits follow: 2e is 2 times e, 2exp(z) is 2 times exp(z).
        if (at(pos) == 'e' || at(pos) == 'E') {
            std::size_t digits = pos + 1;
            if (at(digits) == '+' || at(digits) == '-') {
                ++digits;
            }
            if (isDigit(at(digits))) {
                pos = digits;
                while (isDigit(at(pos))) {
                    ++pos;
                }
            }
        }
        token_ = Token::Number;
        end_ = pos;
        const auto [last, ec] = std::from_chars(text_.data() + start_, text_.data() + end_, number_,
                                                std::chars_format::general);
        if (ec != std::errc() || last != text_.data() + end_) {
            fail(start_, end_ - start_,
                 "number out of range " + quoted(text_.substr(start_, end_ - start_)) +
                     " at column " + std::to_string(columnOf(start_)));
        }
        return;
    }
    if (isNameStart(c)) {
        while (isNameStart(at(pos)) || isDigit(at(pos))) {
            ++pos;
        }
        token_ = Token::Name;
        end_ = pos;
        return;
    }
    token_ = Token::Symbol;
    end_ = pos + 1;
    switch (c) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
        case '(':
        case ')':
            return;
        default:
            break;
    }
    // Anything else, a whole character however many bytes it takes.
    while (end_ < text_.size() && isContinuation(text_[end_])) {
        ++end_;
    }
    unexpected();
}

void FormulaParser::parameter(std::string_view word, std::size_t wordStart) {
    next();
    if (token_ == Token::Symbol && text_[start_] == '(') {
        fail(wordStart, word.size(),
             "unknown function " + quoted(word) + " (for a product write " + std::string(word) +
                 "*(...))");
    }
    const auto known = values_.find(word);
    program_.pushConstant(known != values_.end() ? known->second
                                                 : std::complex<double>(kParameterDefault, 0.0));
    if (names_ != nullptr && std::find(names_->begin(), names_->end(), word) == names_->end()) {
        names_->emplace_back(word);
    }
}

bool FormulaParser::startsOperand() const {
    return token_ == Token::Number || token_ == Token::Name ||
           (token_ == Token::Symbol && text_[start_] == '(');
}

void FormulaParser::sum() {
    product();
    while (token_ == Token::Symbol && (text_[start_] == '+' || text_[start_] == '-')) {
        const Op op = text_[start_] == '+' ? Op::Add : Op::Sub;
        next();
        const std::size_t right = program_.mark();
        product();
        program_.binary(op, right);
    }
}

void FormulaParser::product() {
    signedPower();
    for (;;) {
        if (token_ == Token::Symbol && (text_[start_] == '*' || text_[start_] == '/')) {
            const Op op = text_[start_] == '*' ? Op::Mul : Op::Div;
            next();
            const std::size_t right = program_.mark();
            signedPower();
            program_.binary(op, right);
        } else if (token_ == Token::Number) {
            // 2z and z(z-1) read as products, but "2 3" is more likely a slip than 6.
            fail(start_, end_ - start_,
                 "missing operator before " + quoted(text_.substr(start_, end_ - start_)) +
                     " at column " + std::to_string(columnOf(start_)));
        } else if (startsOperand()) {
            const std::size_t right = program_.mark();
            power();
            program_.binary(Op::Mul, right);
        } else {
            return;
        }
    }
}

void FormulaParser::signedPower() {
    // Signs are counted rather than recursed into, and bind looser than ^: -z^2 = -(z^2).
    bool negative = false;
    while (token_ == Token::Symbol && (text_[start_] == '-' || text_[start_] == '+')) {
        negative = negative != (text_[start_] == '-');
        next();
    }
    power();
    if (negative) {
        program_.unary(Op::Negate);
    }
}

void FormulaParser::power() {
    // Every recursion passes through here: brackets, function arguments and exponents.
    if (++depth_ > kMaxDepth) {
        fail(start_, end_ - start_,
             "too deeply nested at column " + std::to_string(columnOf(start_)) + ": at most " +
                 std::to_string(kMaxDepth) + " levels");
    }
    primary();
    if (token_ == Token::Symbol && text_[start_] == '^') {
        next();
        const std::size_t right = program_.mark();
        signedPower();
        program_.binary(Op::Pow, right);
    }
    --depth_;
}

void FormulaParser::primary() {
    if (token_ == Token::Number) {
        program_.pushConstant(number_);
        next();
        return;
    }
    if (token_ == Token::Name) {
        name();
        return;
    }
    if (token_ == Token::Symbol && text_[start_] == '(') {
        next();
        sum();
        if (!(token_ == Token::Symbol && text_[start_] == ')')) {
            fail(text_.size(), 0, QT_TRANSLATE_NOOP("zw::Fields", "missing \")\""));
        }
        next();
        return;
    }
    unexpected();
}

void FormulaParser::name() {
    const std::string_view word = text_.substr(start_, end_ - start_);
    const std::size_t wordStart = start_;
    if (word == variable_) {
        program_.pushVariable(Op::Variable);
    } else if (word == "x") {
        program_.pushVariable(Op::Real);
    } else if (word == "y") {
        program_.pushVariable(Op::Imag);
    } else if (word == "i") {
        program_.pushConstant({0.0, 1.0});
    } else if (word == "pi") {
        program_.pushConstant(kPi);
    } else if (word == "e") {
        program_.pushConstant(std::exp(1.0));
    } else {
        for (const Function& function : kFunctions) {
            if (word != function.name) {
                continue;
            }
            next();
            if (!(token_ == Token::Symbol && text_[start_] == '(')) {
                fail(start_, end_ - start_,
                     "expected \"(\" after " + quoted(word) + " at column " +
                         std::to_string(columnOf(start_)));
            }
            next();
            sum();
            if (!(token_ == Token::Symbol && text_[start_] == ')')) {
                fail(text_.size(), 0, QT_TRANSLATE_NOOP("zw::Fields", "missing \")\""));
            }
            next();
            program_.unary(function.op);
            return;
        }
        if (word == "z" || word == "w") {
            fail(wordStart, word.size(),
                 "unknown name " + quoted(word) + ": the variable here is " +
                     std::string(variable_));
        }
        parameter(word, wordStart);
        return;
    }
    next();
}

}  // namespace zw
