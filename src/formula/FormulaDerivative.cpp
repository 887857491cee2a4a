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

// d(a^n) = n a^(n−1) da; a^0 is constant.
Complex powIntDerivative(Complex a, int n, Complex da) {
    if (n == 0) {
        return {0.0, 0.0};
    }
    return static_cast<double>(n) * FormulaProgram::powInt(a, n - 1) * da;
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

// f'(a) for the one-argument functions, given f(a); NaN where f has no complex derivative.
Complex slope(Op op, Complex a, Complex value) {
    switch (op) {
        case Op::Sin:
            return std::cos(a);
        case Op::Cos:
            return -std::sin(a);
        case Op::Tan: {
            const Complex c = std::cos(a);
            return 1.0 / (c * c);
        }
        case Op::Sinh:
            return std::cosh(a);
        case Op::Cosh:
            return std::sinh(a);
        case Op::Tanh: {
            const Complex c = std::cosh(a);
            return 1.0 / (c * c);
        }
        // The inverse functions' derivatives written with the same principal square roots as
        // the functions themselves, so each is right on both sides of its cuts.
        case Op::Asin:
            return 1.0 / (std::sqrt(1.0 - a) * std::sqrt(1.0 + a));
        case Op::Acos:
            return -1.0 / (std::sqrt(1.0 - a) * std::sqrt(1.0 + a));
        case Op::Atan:
            return 1.0 / (1.0 + a * a);
        case Op::Asinh:
            return 1.0 / std::sqrt(1.0 + a * a);
        case Op::Acosh:
            return 1.0 / (std::sqrt(a - 1.0) * std::sqrt(a + 1.0));
        case Op::Atanh:
            return 1.0 / (1.0 - a * a);
        case Op::Exp:
            return value;
        case Op::Log:
            return 1.0 / a;
        case Op::Sqrt:
            return 0.5 / value;
        default:  // abs, arg, conj, re, im
            return kNoDerivative;
    }
}

// The derivative after an instruction with a constant operand (or a function) took a to
// `value`, where da was a's.
Complex derivativeAfter(const FormulaProgram::Instruction& in, Complex a, Complex value,
                        Complex da) {
    switch (in.op) {
        case Op::AddConstant:
        case Op::SubConstant:
        case Op::AddReal:
        case Op::SubReal:
        case Op::AddImag:
        case Op::SubImag:
            return da;
        case Op::ConstantSub:
        case Op::RealSub:
        case Op::ImagSub:
        case Op::Negate:
            return -da;
        case Op::MulConstant:
            return da * in.c;
        case Op::DivConstant:
            return da / in.c;
        case Op::ConstantDiv:
            return -(value / a) * da;
        case Op::MulReal:
            return scalar::mulReal(da, in.c.real());
        case Op::DivReal:
            return scalar::divReal(da, in.c.real());
        case Op::MulImag:
            return scalar::mulImag(da, in.c.imag());
        case Op::DivImag:
            return scalar::divImag(da, in.c.imag());
        case Op::PowConstant:
            return powDerivative(a, in.c, value, da, {0.0, 0.0});
        case Op::PowReal:
            return powDerivative(a, {in.c.real(), 0.0}, value, da, {0.0, 0.0});
        case Op::RealPow:
            return value * in.c.imag() * da;
        case Op::PowInt:
            return powIntDerivative(a, in.n, da);
        case Op::Square:
            return 2.0 * a * da;
        case Op::Cube:
            return 3.0 * (a * a) * da;
        default:
            return slope(in.op, a, value) * da;
    }
}

// The derivative of l op a, whose value is `value`.
Complex derivativeOf(Op op, Dual l, Dual a, Complex value) {
    switch (op) {
        case Op::Add:
            return l.derivative + a.derivative;
        case Op::Sub:
            return l.derivative - a.derivative;
        case Op::Mul:
            return l.derivative * a.value + l.value * a.derivative;
        case Op::Div:
            return (l.derivative - value * a.derivative) / a.value;
        default:  // Pow
            return powDerivative(l.value, a.value, value, l.derivative, a.derivative);
    }
}

}  // namespace

Dual FormulaDerivative::evaluate(const FormulaProgram& program, Complex z) noexcept {
    // The values come from the program's own steps, so that they are its values to the bit.
    // The stack is left uninitialised, as the program's own is: zeroing 16 KB at every call
    // cost twenty times what a short formula does.
    alignas(Dual) unsigned char storage[(FormulaProgram::kMaxStack + 1) * sizeof(Dual)];
    Dual* stack = reinterpret_cast<Dual*>(storage);
    std::size_t depth = 0;
    Dual top{{0.0, 0.0}, {0.0, 0.0}};
    for (const FormulaProgram::Instruction& in : program.instructions()) {
        switch (in.op) {
            case Op::Constant:
                stack[depth++] = top;
                top = {in.c, {0.0, 0.0}};
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
            case Op::Add:
            case Op::Sub:
            case Op::Mul:
            case Op::Div:
            case Op::Pow: {
                const Dual l = stack[--depth];
                const Complex value = FormulaProgram::apply(in.op, l.value, top.value);
                top = {value, derivativeOf(in.op, l, top, value)};
                break;
            }
            default: {
                const Complex value = FormulaProgram::applyInstruction(in, top.value);
                top = {value, derivativeAfter(in, top.value, value, top.derivative)};
                break;
            }
        }
    }
    return top;
}

}  // namespace zw
