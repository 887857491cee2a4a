// Painting the shading: a complete pass fills tens of thousands of boxes. The canvas writes
// opaque boxes straight into the image; the baseline is one QPainter::fillRect per box.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <vector>

#include "Planes.h"
#include "qt/QtCanvas.h"

namespace {

// The boxes of a 400 by 400 domain shaded by argument at the finest size.
const std::vector<zw::ColoredRect>& boxes() {
    static const std::vector<zw::ColoredRect> result = [] {
        zw::bench::Planes planes;
        zw::DomainView& domain = planes.domain;
        domain.showArguments = true;
        domain.highestResolution = true;
        domain.constructContours();
        return domain.contours;
    }();
    return result;
}

void BM_CanvasFillBoxes(benchmark::State& state) {
    QImage image(400, 400, QImage::Format_RGB32);
    const auto& list = boxes();
    for (auto _ : state) {
        zw::QtCanvas canvas(&image);
        for (const zw::ColoredRect& box : list) {
            canvas.setColor(box.color);
            canvas.fillRect(box.rect);
        }
    }
    state.counters["boxes"] = static_cast<double>(list.size());
}
BENCHMARK(BM_CanvasFillBoxes)->Unit(benchmark::kMillisecond);

void BM_PainterFillBoxes(benchmark::State& state) {
    QImage image(400, 400, QImage::Format_RGB32);
    const auto& list = boxes();
    for (auto _ : state) {
        QPainter painter(&image);
        for (const zw::ColoredRect& box : list) {
            const QColor colour = QColor::fromRgbF(static_cast<float>(box.color.red()),
                                                   static_cast<float>(box.color.green()),
                                                   static_cast<float>(box.color.blue()));
            painter.fillRect(
                QRectF(box.rect.origin.x, 400 - box.rect.origin.y - box.rect.size.height,
                       box.rect.size.width, box.rect.size.height),
                colour);
        }
    }
}
BENCHMARK(BM_PainterFillBoxes)->Unit(benchmark::kMillisecond);

}  // namespace
