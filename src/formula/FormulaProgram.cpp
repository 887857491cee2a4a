#include "formula/FormulaProgram.h"

#include <cmath>
#include <cstddef>

#include "formula/ScalarArithmetic.h"
#include "formula/Trigonometric.h"

namespace zw {

namespace {

using Complex = FormulaProgram::Complex;
using Op = FormulaProgram::Op;

// Exponents up to this size are whole-number powers by repeated squaring: at most about 40
// multiplications, and exact wherever the products are.
constexpr double kLargestIntPower = 1 << 30;

bool isWholeNumber(Complex c) {
    return c.imag() == 0.0 && std::isfinite(c.real()) && std::trunc(c.real()) == c.real() &&
           std::fabs(c.real()) <= kLargestIntPower;
}

bool isReal(Complex c) {
    return c.imag() == 0.0;
}

bool isImaginary(Complex c) {
    return c.real() == 0.0 && c.imag() != 0.0 && !std::isnan(c.imag());
}

// A constant as the number it stands for: one with no imaginary part is a real number, and the
// sign of that zero means nothing (-1 is -1+0i, as std::complex<double>(-1) is, not -1-0i).
Complex number(Complex c) {
    return isReal(c) ? Complex(c.real(), 0.0) : c;
}

}  // namespace

Complex FormulaProgram::powInt(Complex a, int n) {
    // Square-and-multiply, as std::pow does for an integer exponent; a negative power is the
    // reciprocal of the positive one, so z^-1 is exactly 1/z.
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

Complex FormulaProgram::apply(Op op, Complex a) {
    switch (op) {
        case Op::Negate:
            return -a;
        case Op::Square:
            return a * a;
        case Op::Cube:
            return a * a * a;
        case Op::Sin:
            return trig::sin(a);
        case Op::Cos:
            return trig::cos(a);
        case Op::Tan:
            return std::tan(a);
        case Op::Sinh:
            return trig::sinh(a);
        case Op::Cosh:
            return trig::cosh(a);
        case Op::Tanh:
            return std::tanh(a);
        case Op::Asin:
            return std::asin(a);
        case Op::Acos:
            return std::acos(a);
        case Op::Atan:
            return std::atan(a);
        case Op::Asinh:
            return std::asinh(a);
        case Op::Acosh:
            return std::acosh(a);
        case Op::Atanh:
            return std::atanh(a);
        case Op::Exp:
            return std::exp(a);
        case Op::Log:
            return std::log(a);
        case Op::Sqrt:
            return std::sqrt(a);
        case Op::Abs:
            return {std::abs(a), 0.0};
        case Op::Arg:
            return {std::arg(a), 0.0};
        case Op::Conj:
            return std::conj(a);
        case Op::Re:
            return {a.real(), 0.0};
        case Op::Im:
            return {a.imag(), 0.0};
        default:
            return a;
    }
}

Complex FormulaProgram::apply(Op op, Complex a, Complex b) {
    switch (op) {
        case Op::Add:
            return a + b;
        case Op::Sub:
            return a - b;
        case Op::Mul:
            return a * b;
        case Op::Div:
            return a / b;
        // An exponent known only when evaluating is taken as it comes: the principal value.
        case Op::Pow:
            return std::pow(a, b);
        default:
            return a;
    }
}

Complex FormulaProgram::applyInstruction(const Instruction& in, Complex a) {
    switch (in.op) {
        case Op::AddConstant:
            return a + in.c;
        case Op::SubConstant:
            return a - in.c;
        case Op::ConstantSub:
            return in.c - a;
        case Op::MulConstant:
            return a * in.c;
        case Op::DivConstant:
            return a / in.c;
        case Op::ConstantDiv:
            return in.c / a;
        case Op::AddReal:
            return scalar::addReal(a, in.c.real());
        case Op::SubReal:
            return scalar::subReal(a, in.c.real());
        case Op::RealSub:
            return scalar::realSub(in.c.real(), a);
        case Op::MulReal:
            return scalar::mulReal(a, in.c.real());
        case Op::DivReal:
            return scalar::divReal(a, in.c.real());
        case Op::AddImag:
            return scalar::addImag(a, in.c.imag());
        case Op::SubImag:
            return scalar::subImag(a, in.c.imag());
        case Op::ImagSub:
            return scalar::imagSub(in.c.imag(), a);
        case Op::MulImag:
            return scalar::mulImag(a, in.c.imag());
        case Op::DivImag:
            return scalar::divImag(a, in.c.imag());
        case Op::PowConstant:
            return std::pow(a, in.c);
        case Op::PowReal:
            return std::pow(a, in.c.real());
        case Op::RealPow:
            return scalar::realPow(in.c.real(), in.c.imag(), a);
        case Op::PowInt:
            return powInt(a, in.n);
        default:
            return apply(in.op, a);
    }
}

FormulaProgram::Instruction FormulaProgram::withConstantRight(Op op, Complex c) {
    const bool real = isReal(c);
    const bool imaginary = isImaginary(c);
    switch (op) {
        case Op::Add:
            return {real ? Op::AddReal : imaginary ? Op::AddImag : Op::AddConstant, 0, c};
        case Op::Sub:
            return {real ? Op::SubReal : imaginary ? Op::SubImag : Op::SubConstant, 0, c};
        case Op::Mul:
            return {real ? Op::MulReal : imaginary ? Op::MulImag : Op::MulConstant, 0, c};
        case Op::Div:
            return {real ? Op::DivReal : imaginary ? Op::DivImag : Op::DivConstant, 0, c};
        default:
            break;
    }
    if (isWholeNumber(c)) {
        return {Op::PowInt, static_cast<int>(c.real()), {}};
    }
    // The principal square root, from sqrt itself: pow(z, 0.5) goes through log and exp and
    // loses several units in the last place.
    if (c == Complex(0.5, 0.0)) {
        return {Op::Sqrt, 0, {}};
    }
    return {real ? Op::PowReal : Op::PowConstant, 0, c};
}

FormulaProgram::Instruction FormulaProgram::withConstantLeft(Op op, Complex c) {
    switch (op) {
        case Op::Add:
        case Op::Mul:
            // Both commute, to the last bit.
            return withConstantRight(op, c);
        case Op::Sub:
            return {isReal(c) ? Op::RealSub : isImaginary(c) ? Op::ImagSub : Op::ConstantSub, 0, c};
        case Op::Div:
            // A quotient over z needs the whole division whatever the constant.
            return {Op::ConstantDiv, 0, c};
        default:
            break;
    }
    if (isReal(c) && c.real() > 0.0 && std::isfinite(c.real())) {
        // e^w is exp(w).
        if (c.real() == std::exp(1.0)) {
            return {Op::Exp, 0, {}};
        }
        return {Op::RealPow, 0, {c.real(), std::log(c.real())}};
    }
    // Any other base: the stack's Pow, the principal value.
    return {Op::Pow, 0, {}};
}

bool FormulaProgram::topIsConstant() const {
    return !code_.empty() && code_.back().op == Op::Constant;
}

void FormulaProgram::push(const Instruction& instruction, int depthChange) {
    code_.push_back(instruction);
    depth_ = static_cast<std::size_t>(static_cast<long>(depth_) + depthChange);
    if (depth_ > maxDepth_) {
        maxDepth_ = depth_;
    }
}

void FormulaProgram::pushConstant(Complex c) {
    push({Op::Constant, 0, number(c)}, 1);
}

void FormulaProgram::pushVariable(Op which) {
    push({which, 0, {}}, 1);
}

void FormulaProgram::unary(Op op) {
    if (topIsConstant()) {
        code_.back().c = number(apply(op, code_.back().c));
        return;
    }
    // Negation is exact, so a double one is no negation at all.
    if (op == Op::Negate && !code_.empty() && code_.back().op == Op::Negate) {
        code_.pop_back();
        return;
    }
    push({op, 0, {}}, 0);
}

void FormulaProgram::powerInt(int n) {
    if (topIsConstant()) {
        code_.back().c = number(powInt(code_.back().c, n));
    } else if (n == 1) {
        // z^1 is z.
    } else if (n == 2) {
        push({Op::Square, 0, {}}, 0);
    } else if (n == 3) {
        push({Op::Cube, 0, {}}, 0);
    } else {
        push({Op::PowInt, n, {}}, 0);
    }
}

void FormulaProgram::binary(Op op, std::size_t rightStart) {
    const bool rightConstant = topIsConstant() && rightStart + 1 == code_.size();
    // The left operand ends just before the right one starts; an operand whose last
    // instruction pushes a constant is that constant alone.
    const bool leftConstant = rightStart > 0 && code_[rightStart - 1].op == Op::Constant;

    if (rightConstant && leftConstant) {
        // Folded by the very instruction that would act on a left operand known only when
        // evaluating, so a constant and a variable of the same value agree to the bit.
        const Complex b = code_.back().c;
        code_.pop_back();
        --depth_;
        Complex& a = code_.back().c;
        Instruction in = withConstantRight(op, b);
        Complex operand = a;
        if (op == Op::Pow && in.op != Op::PowInt) {
            const Instruction left = withConstantLeft(op, a);
            if (left.op != Op::Pow) {
                in = left;
                operand = b;
            }
        }
        a = number(applyInstruction(in, operand));
        return;
    }
    if (rightConstant) {
        const Instruction in = withConstantRight(op, code_.back().c);
        code_.pop_back();
        --depth_;
        if (in.op == Op::PowInt) {
            powerInt(in.n);
        } else {
            push(in, 0);
        }
        return;
    }
    if (leftConstant) {
        const Instruction in = withConstantLeft(op, code_[rightStart - 1].c);
        if (in.op != Op::Pow) {
            code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(rightStart - 1));
            --depth_;
            push(in, 0);
            return;
        }
    }
    push({op, 0, {}}, -1);
}

Complex FormulaProgram::evaluate(Complex z) const noexcept {
    // The top value lives in a local, where the compiler can keep it in registers; only the
    // values under it go to memory. That memory is left uninitialised: zeroing it would cost
    // more than most formulas. The first push spills the meaningless starting top, hence the
    // extra slot.
    alignas(Complex) unsigned char storage[(kMaxStack + 1) * sizeof(Complex)];
    Complex* below = reinterpret_cast<Complex*>(storage);  // one past the value under the top
    Complex top(0.0, 0.0);
    const Complex x(z.real(), 0.0);
    const Complex y(z.imag(), 0.0);

    for (const Instruction& in : code_) {
        switch (in.op) {
            case Op::Constant:
                *below++ = top;
                top = in.c;
                break;
            case Op::Variable:
                *below++ = top;
                top = z;
                break;
            case Op::Real:
                *below++ = top;
                top = x;
                break;
            case Op::Imag:
                *below++ = top;
                top = y;
                break;
            case Op::Add:
                top = *--below + top;
                break;
            case Op::Sub:
                top = *--below - top;
                break;
            case Op::Mul:
                top = *--below * top;
                break;
            case Op::Div:
                top = *--below / top;
                break;
            case Op::Pow:
                top = std::pow(*--below, top);
                break;
            case Op::AddConstant:
                top = top + in.c;
                break;
            case Op::SubConstant:
                top = top - in.c;
                break;
            case Op::ConstantSub:
                top = in.c - top;
                break;
            case Op::MulConstant:
                top = top * in.c;
                break;
            case Op::DivConstant:
                top = top / in.c;
                break;
            case Op::ConstantDiv:
                top = in.c / top;
                break;
            case Op::AddReal:
                top = scalar::addReal(top, in.c.real());
                break;
            case Op::SubReal:
                top = scalar::subReal(top, in.c.real());
                break;
            case Op::RealSub:
                top = scalar::realSub(in.c.real(), top);
                break;
            case Op::MulReal:
                top = scalar::mulReal(top, in.c.real());
                break;
            case Op::DivReal:
                top = scalar::divReal(top, in.c.real());
                break;
            case Op::AddImag:
                top = scalar::addImag(top, in.c.imag());
                break;
            case Op::SubImag:
                top = scalar::subImag(top, in.c.imag());
                break;
            case Op::ImagSub:
                top = scalar::imagSub(in.c.imag(), top);
                break;
            case Op::MulImag:
                top = scalar::mulImag(top, in.c.imag());
                break;
            case Op::DivImag:
                top = scalar::divImag(top, in.c.imag());
                break;
            case Op::PowConstant:
                top = std::pow(top, in.c);
                break;
            case Op::PowReal:
                top = std::pow(top, in.c.real());
                break;
            case Op::RealPow:
                top = scalar::realPow(in.c.real(), in.c.imag(), top);
                break;
            case Op::PowInt:
                top = powInt(top, in.n);
                break;
            case Op::Square:
                top = top * top;
                break;
            case Op::Cube:
                top = top * top * top;
                break;
            case Op::Negate:
                top = -top;
                break;
            // The functions here rather than through apply: one dispatch per instruction.
            case Op::Sin:
                top = trig::sin(top);
                break;
            case Op::Cos:
                top = trig::cos(top);
                break;
            case Op::Tan:
                top = std::tan(top);
                break;
            case Op::Sinh:
                top = trig::sinh(top);
                break;
            case Op::Cosh:
                top = trig::cosh(top);
                break;
            case Op::Tanh:
                top = std::tanh(top);
                break;
            case Op::Asin:
                top = std::asin(top);
                break;
            case Op::Acos:
                top = std::acos(top);
                break;
            case Op::Atan:
                top = std::atan(top);
                break;
            case Op::Asinh:
                top = std::asinh(top);
                break;
            case Op::Acosh:
                top = std::acosh(top);
                break;
            case Op::Atanh:
                top = std::atanh(top);
                break;
            case Op::Exp:
                top = std::exp(top);
                break;
            case Op::Log:
                top = std::log(top);
                break;
            case Op::Sqrt:
                top = std::sqrt(top);
                break;
            default:
                top = apply(in.op, top);
                break;
        }
    }
    return top;
}

}  // namespace zw
