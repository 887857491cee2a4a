// The formula language as read: precedence, implicit products, what is refused and where.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "formula/FormulaParser.h"

namespace zw {
namespace {

using C = std::complex<double>;

C eval(const std::string& text, C z, const char* variable = "z") {
    FormulaProgram program;
    FormulaError error;
    EXPECT_TRUE(FormulaParser::compile(text, variable, program, error))
        << text << ": " << error.message;
    return program.evaluate(z);
}

FormulaError refusal(const std::string& text, const char* variable = "z") {
    FormulaProgram program;
    FormulaError error;
    EXPECT_FALSE(FormulaParser::compile(text, variable, program, error)) << text;
    return error;
}

void expectSame(const std::string& a, const std::string& b) {
    for (C z : {C(0.3, -0.7), C(-1.9, 2.2), C(2.5, 0.25)}) {
        EXPECT_EQ(eval(a, z), eval(b, z)) << a << " against " << b << " at " << z;
    }
}

TEST(FormulaParser, PrecedenceAndAssociativity) {
    expectSame("2^3^2", "512");
    expectSame("-z^2", "-(z^2)");
    expectSame("-2^2", "-4");
    expectSame("2^-3", "0.125");
    expectSame("1+2*3", "7");
    expectSame("z-1-2", "(z-1)-2");
    expectSame("z/2/4", "(z/2)/4");
    expectSame("8/2*z", "4*z");
    expectSame("z^2*3+1", "((z^2)*3)+1");
    expectSame("--z", "z");
    expectSame("+z", "z");
    expectSame("z^-1", "1/z");
    expectSame("2^z^2", "2^(z^2)");
    EXPECT_EQ(eval("2^3^2", 0), C(512, 0));
}

TEST(FormulaParser, ImplicitMultiplication) {
    // Read at run time, so the compiler cannot work the references out exactly beforehand.
    volatile double re = 0.6, im = -1.3;
    const C z(re, im);
    EXPECT_EQ(eval("2z", z), 2.0 * z);
    EXPECT_EQ(eval("3i", z), C(0, 3));
    EXPECT_EQ(eval("2(z+1)", z), 2.0 * (z + 1.0));
    EXPECT_EQ(eval("z(z-1)", z), z * (z - 1.0));
    EXPECT_EQ(eval("(z+1)(z-1)", z), (z + 1.0) * (z - 1.0));
    EXPECT_EQ(eval("2 sin(z)", z), 2.0 * std::sin(z));
    EXPECT_EQ(eval("sin(z)cos(z)", z), std::sin(z) * std::cos(z));
    EXPECT_EQ(eval("2z^2", z), 2.0 * (z * z)) << "the power binds first";
    EXPECT_EQ(eval("2pi i", z), C(0, 2 * 3.141592653589793));
    EXPECT_EQ(eval("x y", z), C(0.6 * -1.3, 0));
    // An exponent needs digits after the e; otherwise e is the constant.
    EXPECT_EQ(eval("2e", z), 2.0 * std::exp(C(1, 0)));
    EXPECT_EQ(eval("2exp(z)", z), 2.0 * std::exp(z));
    EXPECT_EQ(eval("1e-3", z), C(0.001, 0));
    EXPECT_EQ(eval("2.5E+2", z), C(250, 0));
    EXPECT_EQ(eval(".5z", z), 0.5 * z);
}

TEST(FormulaParser, NamesAndTheVariable) {
    const C w(1.5, -0.5);
    EXPECT_EQ(eval("w^2 + x - i y", w, "w"), w * w + C(1.5, 0) - C(0, 1) * C(-0.5, 0));
    EXPECT_EQ(eval("re(z) + im(z) + conj(z)", w), C(1.5 - 0.5, 0) + std::conj(w));
    EXPECT_EQ(eval("pi", w), C(3.141592653589793, 0));
    EXPECT_EQ(eval("e", w), C(std::exp(1.0), 0));

    EXPECT_EQ(refusal("w+1").message, "unknown name \"w\": the variable here is z");
    EXPECT_EQ(refusal("z+1", "w").message, "unknown name \"z\": the variable here is w");
}

TEST(FormulaParser, NumbersIgnoreTheLocale) {
    // A locale whose decimal separator is a comma, where the system has one.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_EQ(eval("2.5", 0), C(2.5, 0));
    EXPECT_EQ(refusal("2,5").message, "unexpected \",\" at column 2");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(FormulaParser, EachFaultIsNamedWithItsPlace) {
    struct Case {
        const char* text;
        int column;
        int length;
        const char* message;
    };
    const Case cases[] = {
        {"sin(z))", 7, 1, "unexpected \")\" at column 7"},
        {"sni(z)", 1, 3, "unknown function \"sni\" (for a product write sni*(...))"},
        {"(z+1", 5, 1, "missing \")\""},
        {"sin(z", 6, 1, "missing \")\""},
        {"z +", 4, 1, "missing operand at column 4"},
        {"z * * 2", 5, 1, "unexpected \"*\" at column 5"},
        {"2 3", 3, 1, "missing operator before \"3\" at column 3"},
        {"sin z", 5, 1, "expected \"(\" after \"sin\" at column 5"},
        {"z²", 2, 1, "unexpected \"²\" at column 2"},
        {"1e999", 1, 5, "number out of range \"1e999\" at column 1"},
        {"", 1, 1, "the formula is empty"},
        {"   ", 1, 1, "the formula is empty"},
        {"()", 2, 1, "unexpected \")\" at column 2"},
        {"z$", 2, 1, "unexpected \"$\" at column 2"},
    };
    for (const Case& c : cases) {
        const FormulaError e = refusal(c.text);
        EXPECT_EQ(e.message, c.message) << c.text;
        EXPECT_EQ(e.column, c.column) << c.text;
        EXPECT_EQ(e.length, c.length) << c.text;
    }
}

TEST(FormulaParser, RefusesOverlongAndOverdeepInputWithAMessage) {
    std::string longest = "z";
    while (longest.size() + 2 <= FormulaParser::kMaxLength) {
        longest += "+z";
    }
    EXPECT_EQ(eval(longest, C(1, 1)), C(static_cast<double>(longest.size() / 2 + 1), 0) * C(1, 1));
    EXPECT_EQ(refusal(std::string(10000, 'z')).message,
              "the formula is too long: at most 1000 characters");
    EXPECT_EQ(refusal(longest + "+z").column, 1);

    // Within the limits the nesting that is allowed reads; deeper is refused where it starts.
    const int allowed = FormulaParser::kMaxDepth - 1;
    EXPECT_EQ(eval(std::string(allowed, '(') + "z" + std::string(allowed, ')'), C(2, 3)), C(2, 3));
    const FormulaError deep =
        refusal(std::string(allowed + 1, '(') + "z" + std::string(allowed + 1, ')'));
    EXPECT_EQ(deep.message, "too deeply nested at column 101: at most 100 levels");
    EXPECT_EQ(deep.column, 101);
    // Every kind of nesting counts: exponents, function arguments, brackets.
    std::string tower = "z";
    for (int k = 0; k < 150; ++k) {
        tower += "^z";
    }
    EXPECT_EQ(refusal(tower).message.rfind("too deeply nested", 0), 0u);
    std::string calls = "z";
    for (int k = 0; k < 120; ++k) {
        calls = "sin(" + calls + ")";
    }
    EXPECT_EQ(refusal(calls).message.rfind("too deeply nested", 0), 0u);
    // 10,000 nested brackets are longer than the limit and refused before they are read.
    EXPECT_EQ(refusal(std::string(10000, '(') + "z" + std::string(10000, ')')).message,
              "the formula is too long: at most 1000 characters");
    // Signs are not nesting.
    EXPECT_EQ(eval(std::string(900, '-') + "z", C(1, 2)), C(1, 2));
}

TEST(FormulaParser, FoldsConstantsAndLoadsTheVariableOnce) {
    FormulaProgram program;
    FormulaError error;
    ASSERT_TRUE(FormulaParser::compile("2*pi*i/4 + (1+1)^3", "z", program, error));
    ASSERT_EQ(program.instructions().size(), 1u);
    EXPECT_EQ(program.instructions()[0].op, FormulaProgram::Op::Constant);

    ASSERT_TRUE(FormulaParser::compile("sin(z)^2 + 1/(z-1)", "z", program, error));
    using Op = FormulaProgram::Op;
    std::vector<Op> ops;
    for (const auto& in : program.instructions()) {
        ops.push_back(in.op);
    }
    EXPECT_EQ(ops, (std::vector<Op>{Op::Variable, Op::Sin, Op::Square, Op::Variable, Op::SubReal,
                                    Op::ConstantDiv, Op::Add}));
}

// Every name that is not the variable, a function or a constant is a parameter, a whole word
// at a time; its value is compiled in, as if the number had been written there.
TEST(FormulaParser, ParametersAreWholeWordsCompiledAtTheirValues) {
    struct Case {
        const char* text;
        std::vector<std::string> names;
        const char* written;  // the same with the values below written in
    };
    const ParameterValues values{{"a", C(3, 0)},
                                 {"az", C(-1, 0)},
                                 {"k", C(0.5, -2)},
                                 {"r1", C(2, 0)},
                                 {"theta", C(0.25, 0)}};
    const Case cases[] = {
        {"az", {"az"}, "-1"},
        {"a z", {"a"}, "3 z"},
        {"a*z", {"a"}, "3*z"},
        {"2a", {"a"}, "2*3"},
        {"z^2 + a", {"a"}, "z^2 + 3"},
        {"a^a + a z", {"a"}, "3^3 + 3 z"},
        {"k z + r1 exp(i theta)", {"k", "r1", "theta"}, "(0.5-2i) z + 2 exp(i*0.25)"},
        {"x + i y - e pi", {}, "x + i y - e pi"},
        {"sinz + b", {"sinz", "b"}, "0.5 + 0.5"},  // not given: the default
    };
    const C z(0.7, -1.1);
    for (const Case& c : cases) {
        FormulaProgram program;
        FormulaError error;
        std::vector<std::string> names;
        ASSERT_TRUE(FormulaParser::compile(c.text, "z", program, error, values, &names))
            << c.text << ": " << error.message;
        EXPECT_EQ(names, c.names) << c.text;
        EXPECT_EQ(FormulaParser::parameterNames(c.text, "z"), c.names) << c.text;
        EXPECT_EQ(program.evaluate(z), eval(c.written, z)) << c.text;
        EXPECT_EQ(program.instructions().size(), [&] {
            FormulaProgram literal;
            FormulaParser::compile(c.written, "z", literal, error);
            return literal.instructions().size();
        }()) << c.text;
    }
    // A name before "(" must be a function; the other plane's variable is no parameter.
    EXPECT_EQ(refusal("a(z+1)").message, "unknown function \"a\" (for a product write a*(...))");
    EXPECT_EQ(refusal("a (z+1)").column, 1);
    EXPECT_EQ(refusal("a*w").message, "unknown name \"w\": the variable here is z");
    EXPECT_TRUE(FormulaParser::parameterNames("a +", "z").empty()) << "none when it does not read";
    EXPECT_EQ(eval("a*(z+1)", z), 0.5 * (z + 1.0));
}

}  // namespace
}  // namespace zw
