#include "formula/FormulaDerivative.h"

#include <cmath>
#include <limits>

#include "formula/ScalarArithmetic.h"

namespace zw {

namespace {

using Complex = FormulaDerivative::Complex;
using Dual = FormulaDerivative::Dual;
using Op = FormulaProgram::Op;

const Complex kNoDerivative{std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::quiet_NaN()};

// The same square-and-multiply as the program's, so the value agrees to the bit.
Complex powInt(Complex a, int n) {
    unsigned int m = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
    Complex result(1.0, 0.0);
    bool first = true;
    Complex base = a;
    while (m != 0) {
        if ((m & 1u) != 0) {
            result = first ? base : result * base;
            first = false;
        }
        m >>= 1;
        if (m != 0) {
            base = base * base;
        }
    }
    return n < 0 ? 1.0 / result : result;
}

// d(a^n) = n a^(n−1) da; a^0 is constant.
Complex powIntDerivative(Complex a, int n, Complex da) {
    if (n == 0) {
        return {0.0, 0.0};
    }
    return static_cast<double>(n) * powInt(a, n - 1) * da;
}

// a^b = exp(b log a): d = b a^(b−1) da + a^b log(a) db. A term whose differential is zero is
// left out, so that a constant exponent at a = 0 gives no 0·log 0.
Complex powDerivative(Complex a, Complex b, Complex value, Complex da, Complex db) {
    Complex d(0.0, 0.0);
    if (da != Complex(0.0, 0.0)) {
        d += b * std::pow(a, b - 1.0) * da;
    }
    if (db != Complex(0.0, 0.0)) {
        d += value * std::log(a) * db;
    }
    return d;
}

// The unary functions: f(a) and f'(a).
Dual function(Op op, Complex a) {
    switch (op) {
        case Op::Sin:
            return {std::sin(a), std::cos(a)};
        case Op::Cos:
            return {std::cos(a), -std::sin(a)};
        case Op::Tan: {
            const Complex c = std::cos(a);
            return {std::tan(a), 1.0 / (c * c)};
        }
        case Op::Sinh:
            return {std::sinh(a), std::cosh(a)};
        case Op::Cosh:
            return {std::cosh(a), std::sinh(a)};
        case Op::Tanh: {
            const Complex c = std::cosh(a);
            return {std::tanh(a), 1.0 / (c * c)};
        }
        // The inverse functions' derivatives written with the same principal square roots as
        // the functions themselves, so each is right on both sides of its cuts.
        case Op::Asin:
            return {std::asin(a), 1.0 / (std::sqrt(1.0 - a) * std::sqrt(1.0 + a))};
        case Op::Acos:
            return {std::acos(a), -1.0 / (std::sqrt(1.0 - a) * std::sqrt(1.0 + a))};
        case Op::Atan:
            return {std::atan(a), 1.0 / (1.0 + a * a)};
        case Op::Asinh:
            return {std::asinh(a), 1.0 / std::sqrt(1.0 + a * a)};
        case Op::Acosh:
            return {std::acosh(a), 1.0 / (std::sqrt(a - 1.0) * std::sqrt(a + 1.0))};
        case Op::Atanh:
            return {std::atanh(a), 1.0 / (1.0 - a * a)};
        case Op::Exp: {
            const Complex e = std::exp(a);
            return {e, e};
        }
        case Op::Log:
            return {std::log(a), 1.0 / a};
        case Op::Sqrt: {
            const Complex s = std::sqrt(a);
            return {s, 0.5 / s};
        }
        // No complex derivative.
        case Op::Abs:
            return {{std::abs(a), 0.0}, kNoDerivative};
        case Op::Arg:
            return {{std::arg(a), 0.0}, kNoDerivative};
        case Op::Conj:
            return {std::conj(a), kNoDerivative};
        case Op::Re:
            return {{a.real(), 0.0}, kNoDerivative};
        case Op::Im:
            return {{a.imag(), 0.0}, kNoDerivative};
        default:
            return {a, 1.0};
    }
}

}  // namespace

Dual FormulaDerivative::evaluate(const FormulaProgram& program, Complex z) noexcept {
    Dual stack[FormulaProgram::kMaxStack + 1];
    std::size_t depth = 0;
    Dual top{{0.0, 0.0}, {0.0, 0.0}};
    const Complex zero(0.0, 0.0);

    for (const FormulaProgram::Instruction& in : program.instructions()) {
        Complex& a = top.value;
        Complex& da = top.derivative;
        switch (in.op) {
            case Op::Constant:
                stack[depth++] = top;
                top = {in.c, zero};
                break;
            case Op::Variable:
                stack[depth++] = top;
                top = {z, {1.0, 0.0}};
                break;
            case Op::Real:
                stack[depth++] = top;
                top = {{z.real(), 0.0}, kNoDerivative};
                break;
            case Op::Imag:
                stack[depth++] = top;
                top = {{z.imag(), 0.0}, kNoDerivative};
                break;
            case Op::Add: {
                const Dual l = stack[--depth];
                top = {l.value + a, l.derivative + da};
                break;
            }
            case Op::Sub: {
                const Dual l = stack[--depth];
                top = {l.value - a, l.derivative - da};
                break;
            }
            case Op::Mul: {
                const Dual l = stack[--depth];
                top = {l.value * a, l.derivative * a + l.value * da};
                break;
            }
            case Op::Div: {
                const Dual l = stack[--depth];
                const Complex q = l.value / a;
                top = {q, (l.derivative - q * da) / a};
                break;
            }
            case Op::Pow: {
                const Dual l = stack[--depth];
                const Complex v = std::pow(l.value, a);
                top = {v, powDerivative(l.value, a, v, l.derivative, da)};
                break;
            }
            case Op::AddConstant:
                a = a + in.c;
                break;
            case Op::SubConstant:
                a = a - in.c;
                break;
            case Op::ConstantSub:
                a = in.c - a;
                da = -da;
                break;
            case Op::MulConstant:
                a = a * in.c;
                da = da * in.c;
                break;
            case Op::DivConstant:
                a = a / in.c;
                da = da / in.c;
                break;
            case Op::ConstantDiv: {
                const Complex v = in.c / a;
                da = -(v / a) * da;
                a = v;
                break;
            }
            case Op::AddReal:
                a = scalar::addReal(a, in.c.real());
                break;
            case Op::SubReal:
                a = scalar::subReal(a, in.c.real());
                break;
            case Op::RealSub:
                a = scalar::realSub(in.c.real(), a);
                da = -da;
                break;
            case Op::MulReal:
                a = scalar::mulReal(a, in.c.real());
                da = scalar::mulReal(da, in.c.real());
                break;
            case Op::DivReal:
                a = scalar::divReal(a, in.c.real());
                da = scalar::divReal(da, in.c.real());
                break;
            case Op::AddImag:
                a = scalar::addImag(a, in.c.imag());
                break;
            case Op::SubImag:
                a = scalar::subImag(a, in.c.imag());
                break;
            case Op::ImagSub:
                a = scalar::imagSub(in.c.imag(), a);
                da = -da;
                break;
            case Op::MulImag:
                a = scalar::mulImag(a, in.c.imag());
                da = scalar::mulImag(da, in.c.imag());
                break;
            case Op::DivImag:
                a = scalar::divImag(a, in.c.imag());
                da = scalar::divImag(da, in.c.imag());
                break;
            case Op::PowConstant:
            case Op::PowReal: {
                const Complex c = in.op == Op::PowReal ? Complex(in.c.real(), 0.0) : in.c;
                const Complex v =
                    in.op == Op::PowReal ? std::pow(a, in.c.real()) : std::pow(a, in.c);
                da = powDerivative(a, c, v, da, zero);
                a = v;
                break;
            }
            case Op::RealPow: {
                const Complex v = scalar::realPow(in.c.real(), in.c.imag(), a);
                da = v * in.c.imag() * da;
                a = v;
                break;
            }
            case Op::PowInt:
                da = powIntDerivative(a, in.n, da);
                a = powInt(a, in.n);
                break;
            case Op::Square:
                da = 2.0 * a * da;
                a = a * a;
                break;
            case Op::Cube:
                da = 3.0 * (a * a) * da;
                a = a * a * a;
                break;
            case Op::Negate:
                a = -a;
                da = -da;
                break;
            default: {
                const Dual f = function(in.op, a);
                top = {f.value, f.derivative * da};
                break;
            }
        }
    }
    return top;
}

}  // namespace zw
