// The plane's axes: tick marks, their labels and its own square grid, rebuilt whenever the
// view moves.
#include "planes/PlaneView.h"

#include <string>
#include <vector>

#include "planes/Readout.h"
#include "planes/Walk.h"
#include "platform/Canvas.h"

namespace zw {

namespace {
// A line of label text is about this many times its point size high.
constexpr double kLineHeight = 1.25;

// Writes the labels from `first` on, one walk's, with the fewest decimals from `decimals` on
// that tell every two neighbours apart (neighbours that are one number, far beyond a double's
// precision, no decimals can); returns that number of decimals.
int writeLabels(std::vector<AxisLabel>& labels, std::size_t first, int decimals) {
    for (int d = decimals;; ++d) {
        bool distinct = true;
        for (std::size_t i = first; i < labels.size(); ++i) {
            labels[i].label = Readout::fixed(labels[i].value, d);
            distinct = distinct && (i == first || labels[i].label != labels[i - 1].label ||
                                    labels[i].value == labels[i - 1].value);
        }
        if (distinct || d >= Readout::kMaxDecimals) {
            return d;
        }
    }
}
}  // namespace

void PlaneView::constructAxes() {
    const auto [ox, oy] = viewport().origin();
    xaxis = std::make_unique<Path>();
    xaxis->setLineWidth(0.5);
    xaxis->moveToPoint({0.0, oy});
    xaxis->lineToPoint({static_cast<double>(viewWidth), oy});
    yaxis = std::make_unique<Path>();
    yaxis->setLineWidth(0.5);
    yaxis->moveToPoint({ox, 0.0});
    yaxis->lineToPoint({ox, static_cast<double>(viewHeight)});
    axesTickMarks.clear();
    axesLabels.clear();
    labelDecimals_ = 2;
    makeHorizontalMarksWithStep(1);
    makeHorizontalMarksWithStep(-1);
    makeVerticalMarksWithStep(1);
    makeVerticalMarksWithStep(-1);
}

void PlaneView::makeHorizontalMarksWithStep(int step) {
    makeMarks(true, step);
}

void PlaneView::makeVerticalMarksWithStep(int step) {
    makeMarks(false, step);
}

void PlaneView::makeMarks(bool alongRealAxis, int step) {
    const Viewport v = viewport();
    const auto [ox, oy] = v.origin();
    const Walk::Axis axis = v.axisAlong(alongRealAxis);
    const Walk ticks = Walk::ticks(axis, step);
    // Across the axis: the real axis's labels stand below it, the imaginary axis's left of it.
    const double across = alongRealAxis ? oy : ox;
    const double offset = alongRealAxis ? -20.0 : -30.0;
    const AxisMarks marks =
        coordinatesAtEdges
            ? AxisMarks::keptInView(across, offset,
                                    static_cast<double>(alongRealAxis ? viewHeight : viewWidth))
            : AxisMarks::onAxis(across, offset);
    const double t = marks.ticksAt;
    for (long long k = 0; k < ticks.steps(); ++k) {
        const double at = ticks.at(k);
        auto tick = std::make_unique<Path>();
        tick->setLineWidth(0.5);
        tick->moveToPoint(alongRealAxis ? CGPoint{at, t - 5.0} : CGPoint{t - 5.0, at});
        tick->lineToPoint(alongRealAxis ? CGPoint{at, t + 5.0} : CGPoint{t + 5.0, at});
        axesTickMarks.push_back(std::move(tick));
    }
    if (!tickMarks) {
        return;
    }
    const double origin = alongRealAxis ? ox : oy;
    const double unit = v.pixelsPerUnit();
    const Walk labels = Walk::labels(axis, step);
    const std::size_t first = axesLabels.size();
    // The imaginary axis's labels on an edge leave the corner to the real axis's.
    const bool onEdge = marks.ticksAt != across;
    const AxisMarks realLabels = AxisMarks::keptInView(oy, -20.0, static_cast<double>(viewHeight));
    const double lineHeight = kLineHeight * labelAttributes.pointSize;
    const AxisLabel::Anchor anchor =
        !marks.labelsEndThere
            ? AxisLabel::Anchor::LowerLeft
            : (alongRealAxis ? AxisLabel::Anchor::UpperLeft : AxisLabel::Anchor::LowerRight);
    for (long long k = 0; k < labels.steps(); ++k) {
        const double along = labels.at(k);
        if (!alongRealAxis && onEdge && realLabels.labelsMeet(along, lineHeight)) {
            continue;
        }
        const CGPoint position =
            alongRealAxis ? CGPoint{along, marks.labelsAt} : CGPoint{marks.labelsAt, along};
        axesLabels.emplace_back(std::string(), position, &labelAttributes,
                                (along + 8.0 - origin) / unit, anchor);
    }
    // Never fewer decimals than the walks before; those take more if this one needs more.
    const int decimals = writeLabels(axesLabels, first, labelDecimals_);
    if (decimals > labelDecimals_) {
        labelDecimals_ = decimals;
        for (std::size_t i = 0; i < first; ++i) {
            axesLabels[i].label = Readout::fixed(axesLabels[i].value, decimals);
        }
    }
}

void PlaneView::addOwnGridlines(bool horizontalMarks, int step, double width, bool dashed) {
    const Walk lines = Walk::ticks(axisAlong(horizontalMarks), step);
    for (long long k = 0; k < lines.steps(); ++k) {
        const double at = lines.at(k);
        auto line = std::make_unique<Path>();
        if (dashed) {
            line->makeDashed();
        }
        line->setLineWidth(width);
        if (horizontalMarks) {
            line->moveToPoint({at, 0.0});
            line->lineToPoint({at, static_cast<double>(viewHeight)});
        } else {
            line->moveToPoint({0.0, at});
            line->lineToPoint({static_cast<double>(viewWidth), at});
        }
        gridlines.push_back(std::move(line));
    }
}

void PlaneView::walkGridlines(bool horizontal, int step, const std::function<void(CGPoint)>& start,
                              const std::function<void(CGPoint)>& add) const {
    const Viewport v = viewport();
    const int samples = horizontal ? viewWidth / 10 : viewHeight / 10;
    // Rows (horizontal lines) walk along the imaginary axis, columns along the real one.
    const Walk walk = Walk::gridlines(v.axisAlong(!horizontal), step);
    for (long long k = 0; k < walk.steps(); ++k) {
        const double at = walk.at(k);
        auto point = [&](double along) {
            return v.toTrue(horizontal ? CGPoint{along, at} : CGPoint{at, along});
        };
        start(point(0.0));
        double along = 0.0;
        for (int sample = 0; sample < samples; ++sample) {
            along += 10.0;
            add(point(along));
        }
    }
}

void PlaneView::drawLabels(Canvas& canvas, const std::vector<AxisLabel>& labels) const {
    const std::size_t n = labels.size();
    for (std::size_t i = 0; i < n; ++i) {
        labels[i].drawLabel(canvas);
    }
}

}  // namespace zw
