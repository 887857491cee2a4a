#include "engine/FunctionName.h"

#include <charconv>

namespace zw {

namespace {

std::string number(float v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// A coefficient as people write it: 2, 3i, -i, (1+2i).
std::string complexNumber(float re, float im) {
    if (im == 0.0f) {
        return number(re);
    }
    const std::string imaginary = im == 1.0f ? "i" : im == -1.0f ? "-i" : number(im) + "i";
    if (re == 0.0f) {
        return imaginary;
    }
    // Appended piece by piece: GCC 12 at -O3 warns falsely about "(" + std::string.
    std::string result(1, '(');
    result += number(re);
    result += im > 0.0f ? "+" : "";
    result += imaginary;
    result += ')';
    return result;
}

std::string userMapName(const ActiveFunction& f) {
    const auto& k = f.coefficients;  // aR aI bR bI cR cI dR dI
    const std::string a = complexNumber(k[0], k[1]);
    const std::string b = complexNumber(k[2], k[3]);
    const std::string c = complexNumber(k[4], k[5]);
    const std::string d = complexNumber(k[6], k[7]);
    if (f.title == "usersMobiusMap") {
        return "w = (" + a + "z + " + b + ") / (" + c + "z + " + d + ")";
    }
    if (f.title == "usersPolynomial") {
        return "w = " + a + "z³ + " + b + "z² + " + c + "z + " + d;
    }
    if (f.title == "usersAffineMap") {
        // The affine map keeps its translation in the real parts of a and b.
        return "Re w = " + number(k[0]) + " + " + number(k[1]) + "x + " + number(k[5]) +
               "y, Im w = " + number(k[2]) + " + " + number(k[3]) + "x + " + number(k[7]) + "y";
    }
    return f.title;
}

}  // namespace

std::string functionDisplayName(const ActiveFunction& function) {
    switch (function.kind) {
        case ActiveFunction::Kind::Catalogue:
            return function.title;
        case ActiveFunction::Kind::UserMap:
            return userMapName(function);
        case ActiveFunction::Kind::Formula:
            return "f(z) = " + function.formula;
    }
    return function.title;
}

}  // namespace zw
