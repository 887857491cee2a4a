// Redrawing the images under the current function: every image point is f of its domain
// point, colours and order stay, removed paths come back under the new f, and one undo step
// brings the earlier images back point for point.
#include <gtest/gtest.h>

#include <vector>

#include "engine/ComplexFunctions.h"
#include "support/AppHarness.h"
#include "support/PathPoints.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;
using test::pointsOf;

class ImageRedrawTest : public ::testing::Test {
  protected:
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    // Each image point, in the range, is the view position of f(z) for its domain point z.
    void expectImagesUnder(CGPoint (*f)(CGPoint), const PathList& sources,
                           const PathList& rangeImages, const PathList& domainImages) {
        ASSERT_EQ(sources.size(), rangeImages.size());
        ASSERT_EQ(sources.size(), domainImages.size());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const auto z = pointsOf(*sources[i]);
            const auto inRange = pointsOf(*rangeImages[i]);
            const auto inDomain = pointsOf(*domainImages[i]);
            ASSERT_EQ(z.size(), inRange.size());
            ASSERT_EQ(z.size(), inDomain.size());
            for (std::size_t k = 0; k < z.size(); ++k) {
                const CGPoint w = f(app.domain->viewCoordinatesToTrueCoordinates(z[k]));
                const CGPoint r = app.range->trueCoordinatesToViewCoordinates(w);
                const CGPoint d = app.domain->trueCoordinatesToViewCoordinates(w);
                EXPECT_NEAR(inRange[k].x, r.x, 1e-9);
                EXPECT_NEAR(inRange[k].y, r.y, 1e-9);
                EXPECT_NEAR(inDomain[k].x, d.x, 1e-9);
                EXPECT_NEAR(inDomain[k].y, d.y, 1e-9);
            }
        }
    }

    AppHarness app;
};

TEST_F(ImageRedrawTest, SquareThenRedrawMapsEveryPointAndUndoRestoresTheOldImages) {
    app.range->setColorRed(nullptr);
    app.drawPath({{150, 100}, {180, 120}, {230, 160}});
    app.range->setColorBlue(nullptr);
    app.drawPath({{250, 200}, {260, 180}});
    app.drawPath({{100, 250}, {120, 260}, {140, 240}});
    app.controller.removeLastPath(nullptr);
    std::vector<std::vector<CGPoint>> before;
    for (const auto& p : app.range->paths) {
        before.push_back(pointsOf(*p));
    }
    const auto removedBefore = pointsOf(*app.range->removedPaths.back());

    select("Square");
    app.controller.redrawImagesUnderCurrentFunction(nullptr);
    expectImagesUnder(square, app.domain->paths, app.range->paths,
                      app.domain->transformedPathsShownInDomain);
    expectImagesUnder(square, app.domain->removedPaths, app.range->removedPaths,
                      app.domain->removedTransformedPathsShownInDomain);
    EXPECT_EQ(app.range->paths[0]->color, Color::redColor());
    EXPECT_EQ(app.range->paths[1]->color, Color::blueColor());
    EXPECT_TRUE(app.range->needsCompleteRedraw);
    EXPECT_EQ(app.undo().undoActionName(), "Redraw Images");

    // A restore brings back an image under the current f.
    app.controller.restoreLastPath();
    expectImagesUnder(square, app.domain->paths, app.range->paths,
                      app.domain->transformedPathsShownInDomain);
    app.undo().undo();  // the restore
    app.undo().undo();  // the redraw
    ASSERT_EQ(app.range->paths.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(pointsOf(*app.range->paths[i]), before[i]);
    }
    EXPECT_EQ(pointsOf(*app.range->removedPaths.back()), removedBefore);
    expectImagesUnder(exponentiate, app.domain->paths, app.range->paths,
                      app.domain->transformedPathsShownInDomain);

    app.undo().redo();
    expectImagesUnder(square, app.domain->paths, app.range->paths,
                      app.domain->transformedPathsShownInDomain);
}

TEST_F(ImageRedrawTest, TheNextPathAfterARedrawExtendsOnlyItsOwnImage) {
    app.drawPath({{150, 100}, {180, 120}});
    select("Negate");
    app.controller.redrawImagesUnderCurrentFunction(nullptr);
    // The incremental pass strokes the current image, which must be the new object.
    EXPECT_EQ(app.range->path, app.range->paths.back().get());
    EXPECT_EQ(app.domain->transformedPathShownInDomain,
              app.domain->transformedPathsShownInDomain.back().get());
    app.drawPath({{200, 200}, {210, 190}});
    ASSERT_EQ(app.range->paths.size(), 2u);
    EXPECT_EQ(app.range->paths[0]->elementCount(), 2u);
    EXPECT_EQ(app.range->paths[1]->elementCount(), 2u);
}

}  // namespace
}  // namespace zw
