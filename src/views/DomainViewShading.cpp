// The domain's shading: the boxes coloured by the modulus or the argument of f, walked out
// from the origin, and the options that switch it.
#include "views/DomainView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/DevicePixel.h"
#include "platform/Parallel.h"
#include "platform/Sender.h"
#include "views/ColourWheel.h"

namespace zw {

int DomainView::contourBoxSize() const {
    if (inLiveResize()) {
        return 8;
    }
    return highestResolution ? 2 : 4;
}

void DomainView::constructContours() {
    if ((!showContours && !showArguments) || shadesEveryPixel()) {
        // Nothing is shaded, or every pixel is, as the picture is drawn: let go of the boxes'
        // memory as well. What made the rebuild (f, the view, the toggles) may have changed
        // every pixel, so the next pass shades them all again.
        if (showContours || showArguments) {
            shadedPixels_.forget();
        } else {
            shadedPixels_.release();
        }
        std::vector<ColoredRect>().swap(contours);
        contourLattice.clear();
        needsCompleteRedraw = true;
        setNeedsDisplay(true);
        return;
    }
    // Shaded in boxes: no picture of every pixel is kept beside them.
    shadedPixels_.release();
    // Every pan, zoom and resize step rebuilds the boxes, at one or two evaluations of f and
    // some 70 bytes each. A pane big enough to need more than kMaxContourBoxes of them would hold
    // up the program for seconds and take gigabytes, so it gets boxes twice as large (a quarter as
    // many) until they fit: a coarser shading rather than a frozen window.
    int s = contourBoxSize();
    double needed = countBoxes(s);
    while (needed > static_cast<double>(kMaxContourBoxes) && s < (1 << 29)) {
        s *= 2;
        needed = countBoxes(s);
    }
    const auto count = static_cast<std::size_t>(needed);
    // A list grown for a larger pane keeps its memory; start afresh when it holds far more room
    // than this rebuild needs.
    if (contours.capacity() > 2 * count) {
        std::vector<ColoredRect>().swap(contours);
    }
    // Every box is written again below, each row by its own task, so the list keeps the length
    // it had: a pan or zoom that needs as many boxes as before passes over the list once, on
    // every core, rather than first emptying and refilling it on one thread (some four parts in
    // a hundred of the rebuild, with the other cores idle meanwhile).
    contours.resize(count);
    contourLattice.reset(static_cast<double>(s), count);
    std::size_t made = 0;
    if (controller != nullptr && controller->transformsInParallel()) {
        // The four quarters' rows are shared among the cores in one go, so that no core waits
        // for another's last rows at the end of each quarter.
        std::vector<BoxLattice::Block> blocks;
        for (const auto& [tx, ty] : {std::pair{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
            blocks.push_back(blockAxes(tx, ty, s));
            made += blocks.back().count();
        }
        if (contours.size() < made) {
            contours.resize(made);
        }
        makeBoxRows(blocks, s, contours.data(), contourLattice.appendPixels(made));
        for (BoxLattice::Block& block : blocks) {
            contourLattice.addBlock(std::move(block.xs), std::move(block.ys));
        }
    } else {
        made += makeBlock(1, 1, s, made);
        made += makeBlock(1, -1, s, made);
        made += makeBlock(-1, 1, s, made);
        made += makeBlock(-1, -1, s, made);
    }
    contours.resize(made);
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

double DomainView::countBoxes(int step) const {
    double count = 0.0;
    for (const int tx : {1, -1}) {
        for (const int ty : {1, -1}) {
            count += static_cast<double>(Walk::boxes(axisAlong(false), ty, step).steps()) *
                     static_cast<double>(Walk::boxes(axisAlong(true), tx, step).steps());
        }
    }
    return count;
}

void DomainView::makeBoxes(int tx, int ty, int step) {
    makeBlock(tx, ty, step, contours.size());
}

BoxLattice::Block DomainView::blockAxes(int tx, int ty, int step) const {
    // Rows outermost, each walked from the origin's column; only boxes that reach into the
    // view, or lie one box beyond its edge, are made.
    const Walk rows = Walk::boxes(axisAlong(false), ty, step);
    const Walk columns = Walk::boxes(axisAlong(true), tx, step);
    BoxLattice::Block block;
    block.xs.resize(static_cast<std::size_t>(columns.steps()));
    for (std::size_t j = 0; j < block.xs.size(); ++j) {
        block.xs[j] = columns.at(static_cast<long long>(j));
    }
    block.ys.resize(static_cast<std::size_t>(rows.steps()));
    for (std::size_t i = 0; i < block.ys.size(); ++i) {
        block.ys[i] = rows.at(static_cast<long long>(i));
    }
    return block;
}

std::size_t DomainView::makeBlock(int tx, int ty, int step, std::size_t at) {
    if (contourLattice.boxSize() != static_cast<double>(step) ||
        contourLattice.pixels().size() != at) {
        // Boxes made outside a rebuild: the lattice no longer describes the list, so it is
        // left unusable (size 0) and the boxes are painted one by one.
        contourLattice.clear();
    }
    std::vector<BoxLattice::Block> blocks{blockAxes(tx, ty, step)};
    BoxLattice::Block& block = blocks.front();
    const std::size_t count = block.count();
    if (contours.size() < at + count) {
        contours.resize(at + count);
    }
    if (controller != nullptr && controller->transformsInParallel()) {
        makeBoxRows(blocks, step, contours.data() + at, contourLattice.appendPixels(count));
    } else {
        ColoredRect* box = contours.data() + at;
        for (const double y : block.ys) {
            for (const double x : block.xs) {
                makeBox(x, y, step, *box++);
            }
        }
    }
    contourLattice.addBlock(std::move(block.xs), std::move(block.ys));
    return count;
}

void DomainView::makeBoxRows(const std::vector<BoxLattice::Block>& blocks, int step,
                             ColoredRect* boxes, std::uint32_t* pixels) {
    // Every box has its place before any is made, so each row writes only its own: row k of
    // the blocks taken one after another is block rowBlock[k]'s row rowIndex[k], whose first
    // box is rowStart[k].
    std::vector<std::size_t> rowBlock, rowIndex, rowStart;
    std::size_t widest = 1;
    std::size_t start = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::size_t width = blocks[b].xs.size();
        widest = std::max(widest, width);
        for (std::size_t r = 0; r < blocks[b].ys.size(); ++r) {
            rowBlock.push_back(b);
            rowIndex.push_back(r);
            rowStart.push_back(start);
            start += width;
        }
    }
    const double half = step / 2;
    const double side = static_cast<double>(step);
    const Viewport view = viewport();
    // Some thousand boxes a task: small enough that the cores finish close together.
    const std::size_t rowsPerTask = std::max<std::size_t>(1, 1024 / widest);
    parallel::forEachChunk(rowStart.size(), rowsPerTask, [&](std::size_t begin, std::size_t end) {
        std::vector<CGPoint> z(widest);
        std::vector<CGPoint> w(widest);
        for (std::size_t k = begin; k < end; ++k) {
            const std::vector<double>& xs = blocks[rowBlock[k]].xs;
            const std::size_t width = xs.size();
            const double y = blocks[rowBlock[k]].ys[rowIndex[k]];
            for (std::size_t c = 0; c < width; ++c) {
                z[c] = view.toTrue({xs[c] + half, y + half});
            }
            controller->transformRow(z.data(), w.data(), width);
            ColoredRect* row = boxes + rowStart[k];
            std::uint32_t* rowPixels = pixels + rowStart[k];
            for (std::size_t c = 0; c < width; ++c) {
                ColoredRect& box = row[c];
                box.setColor(shade(w[c]));
                box.setRect({{xs[c], y}, {side, side}});
                rowPixels[c] = devicePixel(box.color);
            }
        }
    });
}

void DomainView::makeBox(double x, double y, int step, ColoredRect& box) {
    const double half = step / 2;
    const CGPoint z = viewCoordinatesToTrueCoordinates({x + half, y + half});
    box.setColor(boxColor(z));
    box.setRect({{x, y}, {static_cast<double>(step), static_cast<double>(step)}});
    contourLattice.addPixel(devicePixel(box.color));
}

namespace {

// The classic colours from the greyness and the argument, each asked for only when its toggle
// is on, in the order the one-point queries have always been made.
template <class Greyness, class Argument>
Color classicColour(bool modulus, bool argument, Greyness greyness, Argument degrees) {
    if (modulus && !argument) {
        const float v = 1.0f - greyness();
        return Color::colorWithDeviceWhite(v, 1.0);
    }
    if (!modulus) {
        const float h = std::fabs(degrees()) / 180.0f;
        const double hd = h;
        return Color::colorWithDeviceRed(1.0 + (hd * 1.57) / -2.0, 0.0, (hd * 1.57) / 2.0, 1.0);
    }
    const float v = 1.0f - greyness();
    const float h = std::fabs(degrees()) / 180.0f;
    const float red = (1.0f - h) * v * 3.0f / 2.0f;
    const float blue = h * v * 3.0f / 2.0f;
    return Color::colorWithDeviceRed(red, 0.0, blue, 1.0);
}

}  // namespace

Color DomainView::boxColor(CGPoint z) const {
    if (controller == nullptr) {
        return Color::blackColor();
    }
    if (shadingColours == ShadingColours::ColourWheel) {
        return ColourWheel::shade(controller->transform(z), showContours, showArguments);
    }
    return classicColour(
        showContours, showArguments, [&] { return controller->greyness(z); },
        [&] { return controller->argument(z); });
}

Color DomainView::shade(CGPoint w) const {
    if (shadingColours == ShadingColours::ColourWheel) {
        return ColourWheel::shade(w, showContours, showArguments);
    }
    return classicColour(
        showContours, showArguments, [w] { return PlaneController::greynessOf(w); },
        [w] { return PlaneController::argumentOf(w); });
}

bool DomainView::shadesEveryPixel() const {
    return shadingResolution == ShadingResolution::EveryPixel && !inLiveResize();
}

void DomainView::shadeEveryPixel(const PixelImage& image) {
    const ShadedPixels::Key key{viewport(),       image.width,    image.height, image.ratio,
                                image.viewHeight, shadingColours, showContours, showArguments};
    for (const ShadedPixels::Strip& strip : shadedPixels_.prepare(key)) {
        shadePixels(shadedPixels_.image(), strip);
    }
    shadedPixels_.copyTo(image);
}

void DomainView::shadePixels(const PixelImage& image, const ShadedPixels::Strip& strip) {
    pixelsShaded_ += strip.area();
    const Viewport view = viewport();
    const auto width = static_cast<std::size_t>(strip.right - strip.left);
    const bool together = controller != nullptr && controller->transformsInParallel();
    const auto shadeRows = [&](std::size_t begin, std::size_t end) {
        std::vector<CGPoint> z(width);
        std::vector<CGPoint> w(together ? width : 0);
        for (std::size_t r = begin; r < end; ++r) {
            const int j = strip.top + static_cast<int>(r);
            const double y = image.viewHeight - (static_cast<double>(j) + 0.5) / image.ratio;
            for (std::size_t c = 0; c < width; ++c) {
                const double i = static_cast<double>(strip.left) + static_cast<double>(c);
                z[c] = view.toTrue({(i + 0.5) / image.ratio, y});
            }
            std::uint32_t* row = image.row(j) + strip.left;
            if (together) {
                controller->transformRow(z.data(), w.data(), width);
                for (std::size_t c = 0; c < width; ++c) {
                    row[c] = devicePixel(shade(w[c]));
                }
            } else {
                for (std::size_t c = 0; c < width; ++c) {
                    row[c] = devicePixel(boxColor(z[c]));
                }
            }
        }
    };
    const auto rows = static_cast<std::size_t>(strip.bottom - strip.top);
    if (together) {
        // Some sixteen thousand pixels a task: a strip a few columns wide still spreads over
        // every core.
        parallel::forEachChunk(
            rows, std::max<std::size_t>(1, 16384 / std::max<std::size_t>(width, 1)), shadeRows);
    } else {
        // A function with side effects sees the pixels one by one in reading order.
        shadeRows(0, rows);
    }
}

void DomainView::fillBackground(Canvas& canvas) {
    if (!showContours && !showArguments) {
        return;
    }
    if (shadesEveryPixel()) {
        canvas.fillEveryPixel({static_cast<double>(viewWidth), static_cast<double>(viewHeight)},
                              [this](const PixelImage& image) { shadeEveryPixel(image); });
        return;
    }
    canvas.fillShading(contours, contourLattice);
}

void DomainView::showContoursAction(Sender* sender) {
    toggleDisplayOption(sender, showContours);
}

void DomainView::showArgumentsAction(Sender* sender) {
    toggleDisplayOption(sender, showArguments);
}

void DomainView::highestResolutionAction(Sender* sender) {
    toggleDisplayOption(sender, highestResolution);
}

void DomainView::setShadingResolution(ShadingResolution resolution) {
    shadingResolution = resolution;
    rebuildShadingIfShown();
    setNeedsCompleteRedraw();
}

void DomainView::setShadingColours(ShadingColours colours) {
    shadingColours = colours;
    if (showContours || showArguments) {
        constructContours();
    }
    setNeedsCompleteRedraw();
}

}  // namespace zw
