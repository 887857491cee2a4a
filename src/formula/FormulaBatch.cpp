#include "formula/FormulaBatch.h"

#include <cmath>
#include <vector>

#include "formula/FormulaProgram.h"
#include "formula/ScalarArithmetic.h"
#include "formula/Trigonometric.h"

namespace zw {

namespace {

using Complex = FormulaProgram::Complex;
using Op = FormulaProgram::Op;
using batch::divide;
using batch::kBlock;
using batch::multiply;

// A block's values in one stack slot: the real parts, then the imaginary parts.
struct Lanes {
    double* re;
    double* im;
};

// The loops below run over the whole block whatever the number of points in it, so that their
// trip count is a constant the compiler vectorises without a remainder; the lanes past the
// last point hold values of earlier blocks and are never read out. Every loop does what
// std::complex does with the same parts in the same order, so each lane agrees with the
// one-point evaluation to the last bit.

// Each value of an array replaced by f of it.
template <class F>
void each(double* __restrict a, F f) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        a[k] = f(a[k]);
    }
}

void fill(double* __restrict out, double value) {
    each(out, [value](double) { return value; });
}

void negate(double* __restrict out) {
    each(out, [](double v) { return -v; });
}

void copy(double* __restrict out, const double* __restrict in) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        out[k] = in[k];
    }
}

void add(double* __restrict a, const double* __restrict b) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        a[k] = a[k] + b[k];
    }
}

void subtract(double* __restrict a, const double* __restrict b) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        a[k] = a[k] - b[k];
    }
}

// (x, y) times i b is (-(b y), b x), and over i b it is (y / b, -x / b).
void multiplyImaginary(double* __restrict re, double* __restrict im, double b) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double x = re[k];
        re[k] = -(b * im[k]);
        im[k] = b * x;
    }
}

void divideImaginary(double* __restrict re, double* __restrict im, double b) {
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double x = re[k];
        re[k] = im[k] / b;
        im[k] = -x / b;
    }
}

// Each of the first count lanes of a slot replaced by f of it.
template <class F>
void eachLane(Lanes slot, std::size_t count, F f) {
    for (std::size_t k = 0; k < count; ++k) {
        const Complex w = f(Complex(slot.re[k], slot.im[k]));
        slot.re[k] = w.real();
        slot.im[k] = w.imag();
    }
}

// Each of the first count lanes of a slot replaced by the function op of it, as the one-point
// evaluation computes it.
void eachFunction(Op op, Lanes slot, std::size_t count) {
    switch (op) {
        case Op::Sin:
            return trig::sin(slot.re, slot.im, count);
        case Op::Cos:
            return trig::cos(slot.re, slot.im, count);
        case Op::Tan:
            return eachLane(slot, count, [](Complex a) { return std::tan(a); });
        case Op::Sinh:
            return trig::sinh(slot.re, slot.im, count);
        case Op::Cosh:
            return trig::cosh(slot.re, slot.im, count);
        case Op::Tanh:
            return eachLane(slot, count, [](Complex a) { return std::tanh(a); });
        case Op::Asin:
            return eachLane(slot, count, [](Complex a) { return std::asin(a); });
        case Op::Acos:
            return eachLane(slot, count, [](Complex a) { return std::acos(a); });
        case Op::Atan:
            return eachLane(slot, count, [](Complex a) { return std::atan(a); });
        case Op::Asinh:
            return eachLane(slot, count, [](Complex a) { return std::asinh(a); });
        case Op::Acosh:
            return eachLane(slot, count, [](Complex a) { return std::acosh(a); });
        case Op::Atanh:
            return eachLane(slot, count, [](Complex a) { return std::atanh(a); });
        case Op::Exp:
            return eachLane(slot, count, [](Complex a) { return std::exp(a); });
        case Op::Log:
            return eachLane(slot, count, [](Complex a) { return std::log(a); });
        case Op::Sqrt:
            return eachLane(slot, count, [](Complex a) { return std::sqrt(a); });
        case Op::Abs:
            return eachLane(slot, count, [](Complex a) { return Complex(std::abs(a), 0.0); });
        case Op::Arg:
            return eachLane(slot, count, [](Complex a) { return Complex(std::arg(a), 0.0); });
        default:
            return;
    }
}

}  // namespace

// One block at a time over memory laid out as: the stack's slots, then the points, a
// constant operand, a product being formed and the base of a power.
class FormulaProgram::Batch {
  public:
    Batch(const FormulaProgram& program, std::vector<double>& memory)
        : program_(program), slots_(program.stackSize() + 4), base_(nullptr) {
        if (memory.size() < 2 * kBlock * slots_) {
            memory.assign(2 * kBlock * slots_, 0.0);
        }
        base_ = memory.data();
    }

    void run(const Complex* z, Complex* w, std::size_t count) {
        const Lanes points = lanes(slots_ - 4);
        for (std::size_t k = 0; k < count; ++k) {
            points.re[k] = z[k].real();
            points.im[k] = z[k].imag();
        }
        std::size_t depth = 0;
        for (const Instruction& in : program_.code_) {
            step(in, depth, count);
        }
        const Lanes top = lanes(0);
        for (std::size_t k = 0; k < count; ++k) {
            w[k] = Complex(top.re[k], top.im[k]);
        }
    }

  private:
    Lanes lanes(std::size_t slot) const {
        return {base_ + 2 * kBlock * slot, base_ + 2 * kBlock * slot + kBlock};
    }

    // a = a b through the product slot, and a = a / b.
    void multiplyInto(Lanes a, Lanes b, std::size_t count) {
        const Lanes x = lanes(slots_ - 2);
        multiply(a.re, a.im, b.re, b.im, x.re, x.im, count);
        copy(a.re, x.re);
        copy(a.im, x.im);
    }
    void divideInto(Lanes a, Lanes b, std::size_t count) {
        divide(a.re, a.im, b.re, b.im, a.re, a.im, count);
    }
    Lanes constant(Complex c) {
        const Lanes k = lanes(slots_ - 3);
        fill(k.re, c.real());
        fill(k.im, c.imag());
        return k;
    }
    // c / a, into a.
    void divideConstantBy(Complex c, Lanes a, std::size_t count) {
        const Lanes k = constant(c);
        divide(k.re, k.im, a.re, a.im, a.re, a.im, count);
    }

    // The top raised to n by the same square-and-multiply as the one-point powInt: the steps
    // depend on n alone, so every lane takes them together.
    void powerInt(Lanes top, int n, std::size_t count) {
        unsigned int m = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
        const Lanes power = lanes(slots_ - 1);
        copy(power.re, top.re);
        copy(power.im, top.im);
        if (m == 0) {
            fill(top.re, 1.0);
            fill(top.im, 0.0);
        }
        bool first = true;
        while (m != 0) {
            if ((m & 1u) != 0) {
                if (first) {
                    copy(top.re, power.re);
                    copy(top.im, power.im);
                } else {
                    multiplyInto(top, power, count);
                }
                first = false;
            }
            m >>= 1;
            if (m != 0) {
                multiplyInto(power, power, count);
            }
        }
        if (n < 0) {
            divideConstantBy(Complex(1.0, 0.0), top, count);
        }
    }

    void step(const Instruction& in, std::size_t& depth, std::size_t count);

    const FormulaProgram& program_;
    std::size_t slots_;
    double* base_;
};

void FormulaProgram::Batch::step(const Instruction& in, std::size_t& depth, std::size_t count) {
    const Lanes points = lanes(slots_ - 4);
    const double cr = in.c.real();
    const double ci = in.c.imag();
    switch (in.op) {
        case Op::Constant:
        case Op::Variable:
        case Op::Real:
        case Op::Imag: {
            const Lanes top = lanes(depth++);
            if (in.op == Op::Constant) {
                fill(top.re, cr);
                fill(top.im, ci);
            } else {
                copy(top.re, in.op == Op::Imag ? points.im : points.re);
                if (in.op == Op::Variable) {
                    copy(top.im, points.im);
                } else {
                    fill(top.im, 0.0);
                }
            }
            return;
        }
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const Lanes b = lanes(--depth);
            const Lanes a = lanes(depth - 1);
            if (in.op == Op::Add) {
                add(a.re, b.re);
                add(a.im, b.im);
            } else if (in.op == Op::Sub) {
                subtract(a.re, b.re);
                subtract(a.im, b.im);
            } else if (in.op == Op::Mul) {
                multiplyInto(a, b, count);
            } else if (in.op == Op::Div) {
                divideInto(a, b, count);
            } else {
                for (std::size_t k = 0; k < count; ++k) {
                    const Complex p =
                        std::pow(Complex(a.re[k], a.im[k]), Complex(b.re[k], b.im[k]));
                    a.re[k] = p.real();
                    a.im[k] = p.imag();
                }
            }
            return;
        }
        default:
            break;
    }

    const Lanes top = lanes(depth - 1);
    switch (in.op) {
        case Op::AddConstant:
        case Op::AddReal:
        case Op::AddImag:
            if (in.op != Op::AddImag) {
                each(top.re, [cr](double v) { return v + cr; });
            }
            if (in.op != Op::AddReal) {
                each(top.im, [ci](double v) { return v + ci; });
            }
            break;
        case Op::SubConstant:
        case Op::SubReal:
        case Op::SubImag:
            if (in.op != Op::SubImag) {
                each(top.re, [cr](double v) { return v - cr; });
            }
            if (in.op != Op::SubReal) {
                each(top.im, [ci](double v) { return v - ci; });
            }
            break;
        // c - top; a real c negates the imaginary part, an imaginary one the real part.
        case Op::ConstantSub:
        case Op::RealSub:
        case Op::ImagSub:
            if (in.op == Op::ImagSub) {
                negate(top.re);
            } else {
                each(top.re, [cr](double v) { return cr - v; });
            }
            if (in.op == Op::RealSub) {
                negate(top.im);
            } else {
                each(top.im, [ci](double v) { return ci - v; });
            }
            break;
        case Op::MulConstant:
            multiplyInto(top, constant(in.c), count);
            break;
        case Op::DivConstant:
            divideInto(top, constant(in.c), count);
            break;
        case Op::ConstantDiv:
            divideConstantBy(in.c, top, count);
            break;
        case Op::MulReal:
            each(top.re, [cr](double v) { return v * cr; });
            each(top.im, [cr](double v) { return v * cr; });
            break;
        case Op::DivReal:
            each(top.re, [cr](double v) { return v / cr; });
            each(top.im, [cr](double v) { return v / cr; });
            break;
        case Op::MulImag:
            multiplyImaginary(top.re, top.im, ci);
            break;
        case Op::DivImag:
            divideImaginary(top.re, top.im, ci);
            break;
        case Op::PowInt:
            powerInt(top, in.n, count);
            break;
        case Op::Square:
            multiplyInto(top, top, count);
            break;
        case Op::Cube: {
            // (top top) top, as the one-point evaluation groups it.
            const Lanes x = lanes(slots_ - 2);
            multiply(top.re, top.im, top.re, top.im, x.re, x.im, count);
            const Lanes square = lanes(slots_ - 1);
            copy(square.re, x.re);
            copy(square.im, x.im);
            multiply(square.re, square.im, top.re, top.im, x.re, x.im, count);
            copy(top.re, x.re);
            copy(top.im, x.im);
            break;
        }
        case Op::Negate:
            negate(top.re);
            negate(top.im);
            break;
        case Op::Conj:
            negate(top.im);
            break;
        case Op::Re:
            fill(top.im, 0.0);
            break;
        case Op::Im:
            copy(top.re, top.im);
            fill(top.im, 0.0);
            break;
        case Op::PowConstant:
            eachLane(top, count, [&](Complex a) { return std::pow(a, in.c); });
            break;
        case Op::PowReal:
            eachLane(top, count, [&](Complex a) { return std::pow(a, cr); });
            break;
        case Op::RealPow:
            eachLane(top, count, [&](Complex a) { return scalar::realPow(cr, ci, a); });
            break;
        // The functions lane by lane, each its own loop: one dispatch per block.
        default:
            eachFunction(in.op, top, count);
            break;
    }
}

void FormulaProgram::evaluate(const Complex* z, Complex* w, std::size_t n) const {
    if (code_.empty()) {
        for (std::size_t k = 0; k < n; ++k) {
            w[k] = evaluate(z[k]);
        }
        return;
    }
    // Kept from call to call on each thread, so that evaluating row after row allocates once.
    thread_local std::vector<double> memory;
    Batch batch(*this, memory);
    for (std::size_t start = 0; start < n; start += kBlock) {
        const std::size_t count = n - start < kBlock ? n - start : kBlock;
        batch.run(z + start, w + start, count);
    }
}

}  // namespace zw
