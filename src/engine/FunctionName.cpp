#include "engine/FunctionName.h"

#include <charconv>

#include "engine/Catalogue.h"

namespace zw {

namespace {

std::string number(float v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// A coefficient as people write it in front of `power` ("z²", "x", or "" for the constant
// term): 2z, iz, -z, (1+2i)z, 3.
std::string coefficient(float re, float im, const std::string& power) {
    std::string text;
    if (im == 0.0f) {
        text = re == 1.0f && !power.empty() ? "" : re == -1.0f && !power.empty() ? "-" : number(re);
    } else {
        const std::string imaginary = im == 1.0f ? "i" : im == -1.0f ? "-i" : number(im) + "i";
        if (re == 0.0f) {
            text = imaginary;
        } else {
            // Appended piece by piece, from a character: GCC 12 at -O3 warns falsely about
            // "(" + std::string and about assigning "(".
            text.push_back('(');
            text += number(re);
            text += im > 0.0f ? "+" : "";
            text += imaginary;
            text += ')';
        }
    }
    return text + power;
}

// Terms joined as a sum, leaving out the zero ones and writing "a - b" for "a + -b".
class Sum {
  public:
    void add(float re, float im, const std::string& power) {
        if (re == 0.0f && im == 0.0f) {
            return;
        }
        const std::string term = coefficient(re, im, power);
        if (text_.empty()) {
            text_ = term;
        } else if (term.front() == '-') {
            // Appended, not "a" + b: GCC 12 at -O3 warns falsely about the temporary's copy.
            text_.append(" - ").append(term, 1);
        } else {
            text_.append(" + ").append(term);
        }
    }
    std::string str() const { return text_.empty() ? "0" : text_; }

  private:
    std::string text_;
};

std::string userMapName(const ActiveFunction& f) {
    const auto& k = f.coefficients;  // aR aI bR bI cR cI dR dI
    if (f.title == catalogue::kMobiusMap) {
        Sum numerator, denominator;
        numerator.add(k[0], k[1], "z");
        numerator.add(k[2], k[3], "");
        denominator.add(k[4], k[5], "z");
        denominator.add(k[6], k[7], "");
        return "w = (" + numerator.str() + ") / (" + denominator.str() + ")";
    }
    if (f.title == catalogue::kPolynomial) {
        Sum sum;
        sum.add(k[0], k[1], "z³");
        sum.add(k[2], k[3], "z²");
        sum.add(k[4], k[5], "z");
        sum.add(k[6], k[7], "");
        return "w = " + sum.str();
    }
    if (f.title == catalogue::kAffineMap) {
        // The affine map keeps its translation in the real parts of a and b.
        Sum re, im;
        re.add(k[0], 0.0f, "");
        re.add(k[1], 0.0f, "x");
        re.add(k[5], 0.0f, "y");
        im.add(k[2], 0.0f, "");
        im.add(k[3], 0.0f, "x");
        im.add(k[7], 0.0f, "y");
        return "Re w = " + re.str() + ", Im w = " + im.str();
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
