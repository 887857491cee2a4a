#pragma once

#include <cstddef>
#include <vector>

#include "platform/AffineTransform.h"
#include "platform/Geometry.h"

namespace zw {

class Canvas;

// A polyline made of move-to and line-to elements, each with one point.
class BezierPath {
  public:
    enum class ElementType { MoveTo, LineTo };
    struct Element {
        ElementType type;
        CGPoint point;
    };

    virtual ~BezierPath() = default;

    void moveToPoint(CGPoint p) { elements_.push_back({ElementType::MoveTo, p}); }
    void lineToPoint(CGPoint p) { elements_.push_back({ElementType::LineTo, p}); }
    std::size_t elementCount() const { return elements_.size(); }
    const Element& elementAtIndex(std::size_t i) const { return elements_[i]; }
    const std::vector<Element>& elements() const { return elements_; }

    double lineWidth() const { return lineWidth_; }
    void setLineWidth(double w) { lineWidth_ = w; }

    void setLineDash(const std::vector<double>& pattern, double phase);
    const std::vector<double>& lineDash() const { return dash_; }
    double lineDashPhase() const { return dashPhase_; }

    void transformUsingAffineTransform(const AffineTransform& t);

    // Draw with the canvas's current colour.
    virtual void stroke(Canvas& canvas) const;
    void fill(Canvas& canvas) const;
    static void fillRect(Canvas& canvas, CGRect rect);

  private:
    std::vector<Element> elements_;
    double lineWidth_ = 1.0;
    std::vector<double> dash_;
    double dashPhase_ = 0.0;
};

}  // namespace zw
