#include "formula/FormulaBatch.h"

#include <cmath>
#include <vector>

#include "formula/FormulaProgram.h"
#include "formula/ScalarArithmetic.h"

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
        plan();
    }

    void run(const Complex* z, Complex* w, std::size_t count) {
        const Lanes points = lanes(slots_ - 4);
        for (std::size_t k = 0; k < count; ++k) {
            points.re[k] = z[k].real();
            points.im[k] = z[k].imag();
        }
        const std::vector<Instruction>& code = program_.code_;
        for (const Step& next : steps_) {
            if (next.partner == kAlone) {
                step(code[next.index], before_[next.index], count);
                continue;
            }
            // Two instructions lane by lane together: while one lane waits for the divider or
            // a library function, the other's work goes on.
            const Instruction& first = code[next.index];
            const Instruction& second = code[next.partner];
            const Lanes a = lanes(before_[next.index] - 1);
            const Lanes b = lanes(before_[next.partner] - 1);
            for (std::size_t k = 0; k < count; ++k) {
                const Complex u = applyInstruction(first, Complex(a.re[k], a.im[k]));
                const Complex v = applyInstruction(second, Complex(b.re[k], b.im[k]));
                a.re[k] = u.real();
                a.im[k] = u.imag();
                b.re[k] = v.real();
                b.im[k] = v.imag();
            }
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

    // The instruction with the stack depth before it.
    void step(const Instruction& in, std::size_t depth, std::size_t count);

    // An instruction, or two that run lane by lane together.
    static constexpr std::size_t kAlone = ~std::size_t{0};
    struct Step {
        std::size_t index;
        std::size_t partner;
    };

    // Whether an instruction acts on the top value alone, lane by lane through a library
    // function or a division: the work a block cannot vectorise.
    static bool laneByLane(Op op) {
        switch (op) {
            case Op::DivConstant:
            case Op::ConstantDiv:
            case Op::PowConstant:
            case Op::PowReal:
            case Op::RealPow:
                return true;
            default:
                return op >= Op::Sin && op <= Op::Arg;
        }
    }
    static int depthChange(Op op) {
        if (op <= Op::Imag) {
            return 1;
        }
        return op <= Op::Pow ? -1 : 0;
    }

    // The order the instructions run in. A lane-by-lane instruction on one slot pairs with the
    // next one on a slot above it when nothing in between reaches below that: the instructions
    // between run first if above the slot, after the pair if on it. Instructions on different
    // slots that read nothing of each other's commute, so every value is what the program's own
    // order gives.
    void plan() {
        const std::vector<Instruction>& code = program_.code_;
        before_.resize(code.size());
        std::size_t depth = 0;
        for (std::size_t i = 0; i < code.size(); ++i) {
            before_[i] = depth;
            depth = static_cast<std::size_t>(static_cast<long>(depth) + depthChange(code[i].op));
        }
        steps_.clear();
        std::vector<std::size_t> onSlot;
        for (std::size_t i = 0; i < code.size(); ++i) {
            if (!laneByLane(code[i].op)) {
                steps_.push_back({i, kAlone});
                continue;
            }
            const std::size_t slot = before_[i] - 1;
            const std::size_t firstStep = steps_.size();
            onSlot.clear();
            std::size_t partner = kAlone;
            for (std::size_t j = i + 1; j < code.size() && partner == kAlone; ++j) {
                const Op op = code[j].op;
                // The lowest slot instruction j reads or writes.
                const long lowest = static_cast<long>(before_[j]) - (depthChange(op) == 1   ? 0
                                                                     : depthChange(op) == 0 ? 1
                                                                                            : 2);
                if (lowest > static_cast<long>(slot)) {
                    if (laneByLane(op)) {
                        partner = j;
                    } else {
                        steps_.push_back({j, kAlone});
                    }
                } else if (lowest == static_cast<long>(slot) && depthChange(op) == 0) {
                    onSlot.push_back(j);
                } else {
                    break;
                }
            }
            if (partner == kAlone) {
                steps_.resize(firstStep);
                steps_.push_back({i, kAlone});
                continue;
            }
            steps_.push_back({i, partner});
            for (const std::size_t j : onSlot) {
                steps_.push_back({j, kAlone});
            }
            i = partner;
        }
    }

    const FormulaProgram& program_;
    std::size_t slots_;
    double* base_;
    std::vector<std::size_t> before_;  // the stack depth before each instruction
    std::vector<Step> steps_;
};

void FormulaProgram::Batch::step(const Instruction& in, std::size_t depth, std::size_t count) {
    const Lanes points = lanes(slots_ - 4);
    const double cr = in.c.real();
    const double ci = in.c.imag();
    switch (in.op) {
        case Op::Constant:
        case Op::Variable:
        case Op::Real:
        case Op::Imag: {
            const Lanes top = lanes(depth);
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
            const Lanes b = lanes(depth - 1);
            const Lanes a = lanes(depth - 2);
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
        // The functions, the modulus and the argument, lane by lane as one point at a time.
        default:
            eachLane(top, count, [&in](Complex a) { return apply(in.op, a); });
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
