// The engine remembers how its function was chosen, so it can be named and chosen again.
#include <gtest/gtest.h>

#include "engine/Transformations.h"
#include "support/LogCapture.h"

namespace zw {
namespace {

TEST(ActiveFunction, FollowsCatalogueTitlesUserMapsAndUnknownTitles) {
    test::LogCapture log;
    Transformations t;
    t.setFunction("Sin");
    EXPECT_EQ(t.activeFunction().kind, ActiveFunction::Kind::Catalogue);
    EXPECT_EQ(t.activeFunction().title, "Sin");

    t.setParameters("usersMobiusMap", 1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_EQ(t.activeFunction().kind, ActiveFunction::Kind::UserMap);
    EXPECT_EQ(t.activeFunction().title, "usersMobiusMap");
    EXPECT_EQ(t.activeFunction().coefficients, (std::array<float, 8>{1, 2, 3, 4, 5, 6, 7, 8}));

    // An unrecognised map name changes nothing, as it changes no function.
    t.setParameters("nonsense", 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(t.activeFunction().title, "usersMobiusMap");

    // An unknown title behaves as the identity, and is named so.
    t.setFunction("No Such Title");
    EXPECT_EQ(t.activeFunction().kind, ActiveFunction::Kind::Catalogue);
    EXPECT_EQ(t.activeFunction().title, "Identity");
}

}  // namespace
}  // namespace zw
