#include "support/RecordingCanvas.h"

#include "platform/BezierPath.h"

namespace zw::test {

void RecordingCanvas::setColor(const Color& color) {
    current_ = color;
    ++setColorCalls;
}

void RecordingCanvas::fillRect(CGRect rect) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::FillRect;
    op.color = current_;
    op.rect = rect;
    ops.push_back(std::move(op));
}

namespace {
CanvasOp pathOp(CanvasOp::Kind kind, const Color& color, const BezierPath& path) {
    CanvasOp op;
    op.kind = kind;
    op.color = color;
    op.lineWidth = path.lineWidth();
    op.dash = path.lineDash();
    op.dashPhase = path.lineDashPhase();
    op.points.reserve(path.elementCount());
    for (const BezierPath::Element& e : path.elements()) {
        op.points.push_back(e.point);
    }
    return op;
}
}  // namespace

void RecordingCanvas::strokePath(const BezierPath& path) {
    ops.push_back(pathOp(CanvasOp::Kind::StrokePath, current_, path));
}

void RecordingCanvas::fillPath(const BezierPath& path) {
    ops.push_back(pathOp(CanvasOp::Kind::FillPath, current_, path));
}

CGSize RecordingCanvas::measure(const std::string& text, const TextAttributes& attributes) {
    const double n = static_cast<double>(text.size());
    if (attributes.isDefault()) {
        return {kDefaultCharWidth * n, kDefaultTextHeight};
    }
    return {attributes.pointSize / 2.0 * n, attributes.pointSize * 1.25};
}

CGSize RecordingCanvas::sizeOfText(const std::string& text, const TextAttributes& attributes) {
    return measure(text, attributes);
}

void RecordingCanvas::drawText(const std::string& text, CGPoint point,
                               const TextAttributes& attributes) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Text;
    op.color = current_;
    op.text = text;
    op.point = point;
    op.attributes = attributes;
    ops.push_back(std::move(op));
}

void RecordingCanvas::clear() {
    ops.clear();
    setColorCalls = 0;
}

std::vector<const CanvasOp*> RecordingCanvas::ofKind(CanvasOp::Kind kind) const {
    std::vector<const CanvasOp*> result;
    for (const CanvasOp& op : ops) {
        if (op.kind == kind) {
            result.push_back(&op);
        }
    }
    return result;
}

}  // namespace zw::test
