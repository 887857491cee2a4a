#pragma once

namespace zw {

// An immutable RGBA colour; components are kept within [0, 1] when it is made.
class Color {
  public:
    Color() = default;

    static Color blackColor() { return Color(0, 0, 0, 1); }
    static Color whiteColor() { return Color(1, 1, 1, 1); }
    static Color redColor() { return Color(1, 0, 0, 1); }
    static Color greenColor() { return Color(0, 1, 0, 1); }
    static Color blueColor() { return Color(0, 0, 1, 1); }
    static Color colorWithDeviceRed(double r, double g, double b, double a);
    static Color colorWithDeviceWhite(double w, double a);

    double red() const { return r_; }
    double green() const { return g_; }
    double blue() const { return b_; }
    double alpha() const { return a_; }

    friend bool operator==(const Color&, const Color&) = default;

  private:
    Color(double r, double g, double b, double a) : r_(r), g_(g), b_(b), a_(a) {}
    double r_ = 0.0;
    double g_ = 0.0;
    double b_ = 0.0;
    double a_ = 1.0;
};

}  // namespace zw
