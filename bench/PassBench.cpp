// Drawing passes on the Qt canvas, each against a baseline from the same run: an incremental
// pass over a crowded plane against one over an empty plane, complete passes of images drawn
// through poles against tame ones, and complete passes of many long paths against QPainter
// drawing the same polylines itself.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <cmath>
#include <memory>
#include <vector>

#include "Planes.h"
#include "Ratios.h"
#include "qt/QtCanvas.h"

namespace {

using zw::CGPoint;

// A path drawn with the mouse through view positions.
void draw(zw::DomainView& domain, const std::vector<CGPoint>& points) {
    domain.mouseDown(zw::MouseEvent{points.front()});
    for (std::size_t i = 1; i < points.size(); ++i) {
        domain.mouseDragged(zw::MouseEvent{points[i]});
    }
    domain.mouseUp(zw::MouseEvent{points.back()});
}

// The same, given true coordinates.
void drawThrough(zw::DomainView& domain, const std::vector<CGPoint>& zs) {
    std::vector<CGPoint> points;
    points.reserve(zs.size());
    for (const CGPoint& z : zs) {
        points.push_back(domain.trueCoordinatesToViewCoordinates(z));
    }
    draw(domain, points);
}

void completePass(zw::PlaneView& view, QImage& image) {
    view.needsCompleteRedraw = true;
    zw::QtCanvas canvas(&image);
    view.drawRect(canvas, view.bounds());
}

// ---- One incremental pass with 10,000 stored paths and shading on ----------------------------

void BM_IncrementalPass(benchmark::State& state) {
    const bool crowded = state.range(0) != 0;
    zw::bench::Planes planes;
    zw::DomainView& domain = planes.domain;
    if (crowded) {
        domain.showContours = true;
        domain.constructContours();
        for (int k = 0; k < 10000; ++k) {
            std::vector<CGPoint> points;
            for (int i = 0; i < 20; ++i) {
                points.push_back({20.0 + (k % 100) * 3.6 + i, 20.0 + (k / 100) * 3.6 + (i % 3)});
            }
            draw(domain, points);
        }
    }
    // The path being drawn.
    domain.mouseDown(zw::MouseEvent{{200, 200}});
    QImage image(400, 400, QImage::Format_RGB32);
    completePass(domain, image);
    double t = 0;
    for (auto _ : state) {
        t += 0.01;
        domain.mouseDragged(zw::MouseEvent{{200 + 150 * std::cos(t), 200 + 150 * std::sin(t)}});
        zw::QtCanvas canvas(&image);
        domain.drawRect(canvas, domain.bounds());
    }
    state.counters["paths"] = static_cast<double>(domain.paths.size());
}
BENCHMARK(BM_IncrementalPass)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
const int kIncremental =
    zw::bench::addRatio("P3 incremental pass, 10,000 paths and shading / empty plane",
                        "BM_IncrementalPass/1", "BM_IncrementalPass/0", 1.1);

// ---- A complete pass of a range holding 60 images through and near poles -------------------

// 60 domain paths of 1,000 points: through the poles of the function when `wild`, well away
// from them otherwise.
void drawSixty(zw::bench::Planes& planes, const char* function, bool wild) {
    planes.transformations.setFunction(function);
    const bool tan = std::string(function) == "Tan";
    const double pole = tan ? 1.5707963267948966 : 0.0;
    for (int k = 0; k < 60; ++k) {
        std::vector<CGPoint> zs;
        // Vertical lines through and beside the pole, then circles about it, some tiny.
        const double offset = (k % 30 - 15) * (k < 30 ? 1e-3 : 3e-2);
        for (int i = 0; i < 1000; ++i) {
            const double s = i / 999.0;
            CGPoint z;
            if (k < 30) {
                z = {pole + offset, -1.5 + 3.0 * s};
            } else {
                const double r = std::abs(offset) + 1e-4;
                z = {pole + r * std::cos(6.283185307179586 * s),
                     r * std::sin(6.283185307179586 * s)};
            }
            if (!wild) {
                // Far from every pole: exp(1/z) near 1, tan near i.
                z = tan ? CGPoint{z.x * 0.3, 2.0 + z.y * 0.3} : CGPoint{3.0 + z.x, z.y};
            }
            zs.push_back(z);
        }
        drawThrough(planes.domain, zs);
    }
}

void BM_PolePass(benchmark::State& state, const char* function, bool wild) {
    zw::bench::Planes planes;
    drawSixty(planes, function, wild);
    QImage image(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        completePass(planes.range, image);
    }
}
#define ZW_POLE_PASS(tag, title)                                                            \
    BENCHMARK_CAPTURE(BM_PolePass, tag##Poles, title, true)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(BM_PolePass, tag##Tame, title, false)->Unit(benchmark::kMillisecond); \
    const int kPole##tag =                                                                  \
        zw::bench::addRatio("P4 range pass, 60 images through poles / tame, " title,        \
                            "BM_PolePass/" #tag "Poles", "BM_PolePass/" #tag "Tame", 3.0);
ZW_POLE_PASS(ExpInverse, "exp(1/z)")
ZW_POLE_PASS(Tan, "Tan")
#undef ZW_POLE_PASS

// ---- A complete pass with 1,000 paths of 1,000 points in each plane -------------------------

struct Crowded {
    zw::bench::Planes planes;
    Crowded() {
        planes.transformations.setFunction("Square");
        for (int k = 0; k < 1000; ++k) {
            // Loops of varying size and phase over the middle of the domain.
            std::vector<CGPoint> zs;
            const double r = 0.2 + (k % 37) * 0.04;
            const double phase = k * 0.37;
            for (int i = 0; i < 1000; ++i) {
                const double a = phase + 6.283185307179586 * i / 999.0;
                zs.push_back({r * std::cos(a) + 0.3 * std::sin(3 * a), r * std::sin(2 * a)});
            }
            drawThrough(planes.domain, zs);
        }
    }
};

Crowded& crowded() {
    static Crowded c;
    return c;
}

zw::PlaneView& plane(int which) {
    return which == 0 ? static_cast<zw::PlaneView&>(crowded().planes.domain)
                      : static_cast<zw::PlaneView&>(crowded().planes.range);
}

void BM_CrowdedPass(benchmark::State& state) {
    zw::PlaneView& view = plane(static_cast<int>(state.range(0)));
    QImage image(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        completePass(view, image);
    }
}
BENCHMARK(BM_CrowdedPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Baseline: QPainter draws each stored path's points as one polyline, antialiased.
void BM_CrowdedPolylines(benchmark::State& state) {
    zw::PlaneView& view = plane(static_cast<int>(state.range(0)));
    std::vector<QPolygonF> polylines;
    for (const auto& path : view.paths) {
        QPolygonF polyline;
        for (std::size_t i = 0; i < path->elementCount(); ++i) {
            const CGPoint p = path->elementAtIndex(i).point;
            polyline.append(QPointF(p.x, 400 - p.y));
        }
        polylines.push_back(polyline);
    }
    QImage image(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(Qt::black);
        pen.setWidthF(1.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        for (const QPolygonF& polyline : polylines) {
            painter.drawPolyline(polyline);
        }
    }
}
BENCHMARK(BM_CrowdedPolylines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
const int kCrowdedDomain =
    zw::bench::addRatio("P5 domain pass, 1,000 paths of 1,000 points / polylines",
                        "BM_CrowdedPass/0", "BM_CrowdedPolylines/0", 1.5);
const int kCrowdedRange =
    zw::bench::addRatio("P5 range pass, 1,000 images of 1,000 points / polylines",
                        "BM_CrowdedPass/1", "BM_CrowdedPolylines/1", 1.5);

}  // namespace
