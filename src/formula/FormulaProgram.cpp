#include "formula/FormulaProgram.h"

#include <cmath>
#include <cstddef>

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

Op withConstantRight(Op op) {
    switch (op) {
        case Op::Add:
            return Op::AddConstant;
        case Op::Sub:
            return Op::SubConstant;
        case Op::Mul:
            return Op::MulConstant;
        case Op::Div:
            return Op::DivConstant;
        default:
            return op;
    }
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
            return std::sin(a);
        case Op::Cos:
            return std::cos(a);
        case Op::Tan:
            return std::tan(a);
        case Op::Sinh:
            return std::sinh(a);
        case Op::Cosh:
            return std::cosh(a);
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
    push({Op::Constant, 0, c}, 1);
}

void FormulaProgram::pushVariable(Op which) {
    push({which, 0, {}}, 1);
}

void FormulaProgram::unary(Op op) {
    if (topIsConstant()) {
        code_.back().c = apply(op, code_.back().c);
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
        code_.back().c = powInt(code_.back().c, n);
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
        const Complex b = code_.back().c;
        code_.pop_back();
        --depth_;
        Complex& a = code_.back().c;
        if (op == Op::Pow && isWholeNumber(b)) {
            a = powInt(a, static_cast<int>(b.real()));
        } else if (op == Op::Pow && b.imag() == 0.0) {
            a = std::pow(a, b.real());
        } else {
            a = apply(op, a, b);
        }
        return;
    }
    if (rightConstant) {
        const Complex b = code_.back().c;
        code_.pop_back();
        --depth_;
        if (op == Op::Pow) {
            if (isWholeNumber(b)) {
                powerInt(static_cast<int>(b.real()));
            } else if (b.imag() == 0.0) {
                push({Op::PowReal, 0, b}, 0);
            } else {
                push({Op::PowConstant, 0, b}, 0);
            }
            return;
        }
        push({withConstantRight(op), 0, b}, 0);
        return;
    }
    if (leftConstant && op != Op::Pow) {
        const Complex a = code_[rightStart - 1].c;
        code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(rightStart - 1));
        --depth_;
        switch (op) {
            case Op::Add:
                push({Op::AddConstant, 0, a}, 0);
                return;
            case Op::Mul:
                push({Op::MulConstant, 0, a}, 0);
                return;
            case Op::Sub:
                push({Op::ConstantSub, 0, a}, 0);
                return;
            default:
                push({Op::ConstantDiv, 0, a}, 0);
                return;
        }
    }
    if (leftConstant && op == Op::Pow && code_[rightStart - 1].c == std::exp(Complex(1.0, 0.0))) {
        // e^w is exp(w).
        code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(rightStart - 1));
        --depth_;
        push({Op::Exp, 0, {}}, 0);
        return;
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
            case Op::PowConstant:
                top = std::pow(top, in.c);
                break;
            case Op::PowReal:
                top = std::pow(top, in.c.real());
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
                top = std::sin(top);
                break;
            case Op::Cos:
                top = std::cos(top);
                break;
            case Op::Tan:
                top = std::tan(top);
                break;
            case Op::Sinh:
                top = std::sinh(top);
                break;
            case Op::Cosh:
                top = std::cosh(top);
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
