#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace zw {

// A formula compiled to a flat list of instructions over a value stack. Operations whose
// operands are all constants are folded as they are emitted, and a binary operation with one
// constant operand takes it from the instruction rather than from the stack, so a compiled
// formula costs little more than the same expression written out in C++.
//
// A constant with no imaginary part is a real number, as a double is in C++: -1 is -1+0i, and
// z+1, 1-z, 2z and z/2 act on the parts of z as std::complex does with a double operand, so
// the signed zeros that pick a side of a branch cut survive. A constant with no real part
// (i, 2i) acts likewise as an imaginary number, as C's imaginary type does: z+2i leaves Re z
// alone and iz is the exact quarter turn (-y, x).
// Evaluation never throws: a pole or an overflow gives infinities or NaN as the arithmetic does.
class FormulaProgram {
  public:
    using Complex = std::complex<double>;

    enum class Op : unsigned char {
        Constant,  // push c
        Variable,  // push the variable
        Real,      // push its real part
        Imag,      // push its imaginary part
        Add,
        Sub,
        Mul,
        Div,
        Pow,          // the principal value, whatever the exponent turns out to be
        AddConstant,  // top + c
        SubConstant,  // top - c
        ConstantSub,  // c - top
        MulConstant,  // top * c
        DivConstant,  // top / c
        ConstantDiv,  // c / top
        AddReal,      // top + c.real(), the imaginary part untouched
        SubReal,      // top - c.real()
        RealSub,      // c.real() - top
        MulReal,      // both parts times c.real()
        DivReal,      // both parts over c.real()
        AddImag,      // top + i c.imag(), the real part untouched
        SubImag,      // top - i c.imag()
        ImagSub,      // i c.imag() - top
        MulImag,      // top times i c.imag(): (-b y, b x)
        DivImag,      // top over i c.imag(): (y / b, -x / b)
        PowConstant,  // top ^ c, c not real: the principal value
        PowReal,      // top ^ c.real(), not a whole number: the principal value
        RealPow,      // b ^ top for b = c.real() > 0, with c.imag() = log b: b^x cis(y log b)
        PowInt,       // top ^ n by repeated multiplication (a reciprocal for n < 0)
        Square,
        Cube,
        Negate,
        // One argument.
        Sin,
        Cos,
        Tan,
        Sinh,
        Cosh,
        Tanh,
        Asin,
        Acos,
        Atan,
        Asinh,
        Acosh,
        Atanh,
        Exp,
        Log,
        Sqrt,
        Abs,
        Arg,
        Conj,
        Re,
        Im,
    };

    struct Instruction {
        Op op;
        int n = 0;
        Complex c{};
    };

    // A stack deeper than this is refused when compiling; evaluation keeps its stack on the
    // machine stack and never allocates.
    static constexpr std::size_t kMaxStack = 512;

    Complex evaluate(Complex z) const noexcept;
    // The same at n points, w[k] = evaluate(z[k]) to the last bit, a block of points per
    // instruction so that the dispatch is paid per block and the arithmetic vectorises
    // (FormulaBatch.cpp). w may be z.
    void evaluate(const Complex* z, Complex* w, std::size_t n) const;
    bool empty() const { return code_.empty(); }
    const std::vector<Instruction>& instructions() const { return code_; }
    std::size_t stackSize() const { return maxDepth_; }

    // Emitting, used by the parser; each folds what it can.
    void pushConstant(Complex c);
    void pushVariable(Op which);  // Variable, Real or Imag
    void unary(Op op);            // Negate or a function
    // Add, Sub, Mul, Div or Pow of the two values on top; the right operand's code starts at
    // rightStart (mark() before it was emitted).
    void binary(Op op, std::size_t rightStart);
    std::size_t mark() const { return code_.size(); }
    // The top value raised to the whole number n by repeated multiplication.
    void powerInt(int n);
    // a^n as the program computes it: square-and-multiply, a reciprocal for n < 0.
    static Complex powInt(Complex a, int n);

  private:
    class Batch;  // the block evaluation, in FormulaBatch.cpp
    // Carries the derivative beside the value through the same steps.
    friend class FormulaDerivative;
    static Complex apply(Op op, Complex a);
    static Complex apply(Op op, Complex a, Complex b);
    // What an instruction with a constant operand (c, n) makes of the value a.
    static Complex applyInstruction(const Instruction& in, Complex a);
    // The instruction for "top op c", and for "c op top" (Add, Sub, Mul, Div, Pow).
    static Instruction withConstantRight(Op op, Complex c);
    static Instruction withConstantLeft(Op op, Complex c);
    // The last instruction pushes a constant.
    bool topIsConstant() const;
    void push(const Instruction& instruction, int depthChange);

    std::vector<Instruction> code_;
    std::size_t depth_ = 0;
    std::size_t maxDepth_ = 0;
};

}  // namespace zw
