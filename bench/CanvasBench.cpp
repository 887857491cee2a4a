// Painting the shading: a complete pass fills tens of thousands of boxes. The canvas writes
// opaque boxes straight into the image; the baselines are one QPainter::fillRect per box, and
// one copy of a whole image.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <vector>

#include "Planes.h"
#include "Ratios.h"
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
        canvas.fillColoredRects(list.data(), list.size());
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

const int kFewBoxes = zw::bench::addRatio("box painting, canvas / one QPainter call per box",
                                          "BM_CanvasFillBoxes", "BM_PainterFillBoxes");

// The boxes of the combined shading of an 800 by 800 domain, as the domain keeps them.
struct Shading {
    std::vector<zw::ColoredRect> boxes;
    zw::BoxLattice lattice;
};

const Shading& largeShading(bool finest) {
    static Shading result[2];
    Shading& shading = result[finest ? 1 : 0];
    if (shading.boxes.empty()) {
        zw::bench::Planes planes({800, 800});
        planes.domain.showContours = true;
        planes.domain.showArguments = true;
        planes.domain.highestResolution = finest;
        planes.domain.constructContours();
        shading.boxes = planes.domain.contours;
        shading.lattice = planes.domain.contourLattice;
    }
    return shading;
}

void BM_PaintBoxes(benchmark::State& state) {
    QImage image(800, 800, QImage::Format_RGB32);
    const Shading& shading = largeShading(state.range(0) == 2);
    for (auto _ : state) {
        zw::QtCanvas canvas(&image);
        canvas.fillShading(shading.boxes, shading.lattice);
    }
    state.counters["boxes"] = static_cast<double>(shading.boxes.size());
}
BENCHMARK(BM_PaintBoxes)->Arg(4)->Arg(2)->Unit(benchmark::kMicrosecond);

// Baseline: one copy of a whole image of the same size into it, as showing a pane costs.
void BM_CopyImage(benchmark::State& state) {
    QImage image(800, 800, QImage::Format_RGB32);
    QImage source(800, 800, QImage::Format_RGB32);
    source.fill(Qt::gray);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
    }
}
BENCHMARK(BM_CopyImage)->Unit(benchmark::kMicrosecond);

const int kBoxes4 = zw::bench::addRatio("P2 painting the boxes 800x800 box 4 / image copy",
                                        "BM_PaintBoxes/4", "BM_CopyImage", 5.0);
const int kBoxes2 = zw::bench::addRatio("P2 painting the boxes 800x800 box 2 / image copy",
                                        "BM_PaintBoxes/2", "BM_CopyImage", 5.0);

}  // namespace
