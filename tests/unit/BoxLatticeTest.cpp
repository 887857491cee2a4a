// The domain keeps its shading twice: as the list of boxes, and laid out by rows and columns
// for painting. The two must describe the same boxes, in the same order, at all times.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/DevicePixel.h"
#include "support/AppHarness.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;

struct LaidOutBox {
    CGRect rect;
    std::uint32_t pixel;
};

std::vector<LaidOutBox> expand(const BoxLattice& lattice) {
    std::vector<LaidOutBox> boxes;
    const double s = lattice.boxSize();
    std::size_t k = 0;
    for (const BoxLattice::Block& block : lattice.blocks()) {
        for (const double y : block.ys) {
            for (const double x : block.xs) {
                boxes.push_back({{{x, y}, {s, s}}, lattice.pixels().at(k++)});
            }
        }
    }
    return boxes;
}

// Bit for bit: a canvas paints from the lattice the pixels it would paint from the list.
void expectInStep(const DomainView& domain, const char* what) {
    SCOPED_TRACE(what);
    const std::vector<LaidOutBox> laidOut = expand(domain.contourLattice);
    ASSERT_TRUE(domain.contourLattice.complete());
    ASSERT_EQ(laidOut.size(), domain.contours.size());
    int wrong = 0;
    for (std::size_t k = 0; k < laidOut.size(); ++k) {
        const ColoredRect& box = domain.contours[k];
        const bool same = laidOut[k].rect.origin.x == box.rect.origin.x &&
                          laidOut[k].rect.origin.y == box.rect.origin.y &&
                          laidOut[k].rect.size.width == box.rect.size.width &&
                          laidOut[k].rect.size.height == box.rect.size.height &&
                          laidOut[k].pixel == devicePixel(box.color);
        wrong += same ? 0 : 1;
    }
    EXPECT_EQ(wrong, 0);
}

class BoxLatticeTest : public ::testing::Test {
  protected:
    BoxLatticeTest() : app(options()) {}

    static AppHarness::Options options() {
        AppHarness::Options o;
        o.domainSize = {301, 207};
        return o;
    }

    AppHarness app;
    FakeSender modulusItem{"Contours"};
    FakeSender argumentItem{"Arguments"};
    FakeSender resolutionItem{"Highest Resolution"};
};

TEST_F(BoxLatticeTest, EveryRebuildLaysOutTheListItMakes) {
    DomainView& domain = *app.domain;
    domain.showContoursAction(&modulusItem);
    expectInStep(domain, "modulus, 4-unit boxes");
    EXPECT_EQ(domain.contourLattice.boxSize(), 4.0);
    EXPECT_EQ(domain.contourLattice.blocks().size(), 4u) << "one block a quadrant pass";

    domain.showArgumentsAction(&argumentItem);
    domain.highestResolutionAction(&resolutionItem);
    expectInStep(domain, "combined, 2-unit boxes");

    // Fractional, outside the view, and far away.
    for (const CGPoint t :
         {CGPoint{0.3, -0.7}, CGPoint{250, 0}, CGPoint{-40.25, 600}, CGPoint{3e9 + 0.5, -1e12}}) {
        domain.translation = t;
        domain.constructContours();
        expectInStep(domain, "translated");
    }
    domain.translation = {17.5, -3.25};
    app.domainHost.liveResize = true;
    domain.constructContours();
    EXPECT_EQ(domain.contourLattice.boxSize(), 8.0);
    expectInStep(domain, "live resize");
    app.domainHost.liveResize = false;

    FakeSender tan{"Tan"};
    app.controller.setFunction(&tan);
    expectInStep(domain, "another function");
    domain.setShadingColours(ShadingColours::ColourWheel);
    expectInStep(domain, "colour wheel");
}

TEST_F(BoxLatticeTest, ALivePanMovesBothAlike) {
    DomainView& domain = *app.domain;
    domain.showArgumentsAction(&argumentItem);
    // Steps whose sums are inexact in double: each box and its row or column must round alike.
    for (int i = 0; i < 25; ++i) {
        domain.livePanBy(0.1 * i - 1.3, 0.7 - 0.03 * i);
    }
    expectInStep(domain, "during the pan");
    domain.endLivePan();
    expectInStep(domain, "after the pan");
}

TEST_F(BoxLatticeTest, OutsideARebuildTheLatticeIsSetAsideOrEmptied) {
    DomainView& domain = *app.domain;
    domain.showContoursAction(&modulusItem);
    ASSERT_FALSE(domain.contours.empty());
    // Boxes made directly, without the rebuild that lays them out: the lattice must not claim
    // to describe them, so a canvas paints the list box by box.
    domain.contours.clear();
    domain.makeBoxes(1, 1, 8);
    EXPECT_FALSE(domain.contours.empty());
    EXPECT_EQ(domain.contourLattice.boxSize(), 0.0);

    domain.constructContours();
    expectInStep(domain, "rebuilt");
    // Switching the shading off keeps the list, and a change of function then empties it.
    domain.showContoursAction(&modulusItem);
    expectInStep(domain, "switched off");
    FakeSender square{"Square"};
    app.controller.setFunction(&square);
    EXPECT_TRUE(domain.contours.empty());
    EXPECT_TRUE(domain.contourLattice.pixels().empty());
    EXPECT_TRUE(domain.contourLattice.blocks().empty());
}

}  // namespace
}  // namespace zw
