#pragma once

namespace zw {

// A complex number (x real, y imaginary) or a position in a view (origin lower left, y up).
struct CGPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    friend bool operator==(const CGRect&, const CGRect&) = default;
};

}  // namespace zw
