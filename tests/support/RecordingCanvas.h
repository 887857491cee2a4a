#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/TextAttributes.h"

namespace zw::test {

// One thing a drawing pass did, with the colour that was current when it did it.
struct CanvasOp {
    enum class Kind { FillRect, StrokePath, FillPath, Text };

    Kind kind = Kind::FillRect;
    Color color;
    // FillRect
    CGRect rect;
    // StrokePath and FillPath
    std::vector<CGPoint> points;
    double lineWidth = 0.0;
    std::vector<double> dash;
    double dashPhase = 0.0;
    // Text
    std::string text;
    CGPoint point;
    TextAttributes attributes;

    bool isFillRect() const { return kind == Kind::FillRect; }
    bool isStroke() const { return kind == Kind::StrokePath; }
    bool isText() const { return kind == Kind::Text; }
};

// A canvas that draws nothing and remembers every operation in order. Text is measured
// deterministically: 6 units per character and 15 high in the default font; for a named font,
// half the point size per character and 1.25 times the point size high.
class RecordingCanvas : public Canvas {
  public:
    static constexpr double kDefaultCharWidth = 6.0;
    static constexpr double kDefaultTextHeight = 15.0;

    void setColor(const Color& color) override;
    Color currentColor() const override { return current_; }
    void fillRect(CGRect rect) override;
    void strokePath(const BezierPath& path) override;
    void fillPath(const BezierPath& path) override;
    CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) override;
    void drawText(const std::string& text, CGPoint point,
                  const TextAttributes& attributes) override;

    static CGSize measure(const std::string& text, const TextAttributes& attributes);

    // Forgets what was recorded; the current colour stays.
    void clear();

    std::vector<const CanvasOp*> strokes() const { return ofKind(CanvasOp::Kind::StrokePath); }
    std::vector<const CanvasOp*> rectFills() const { return ofKind(CanvasOp::Kind::FillRect); }
    std::vector<const CanvasOp*> texts() const { return ofKind(CanvasOp::Kind::Text); }
    std::vector<const CanvasOp*> ofKind(CanvasOp::Kind kind) const;
    std::size_t count(CanvasOp::Kind kind) const { return ofKind(kind).size(); }

    std::vector<CanvasOp> ops;
    std::size_t setColorCalls = 0;

  private:
    Color current_ = Color::blackColor();
};

}  // namespace zw::test
