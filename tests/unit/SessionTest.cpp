#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Parameters.h"
#include "engine/Transformations.h"
#include "session/Session.h"
#include "session/SessionDocument.h"
#include "session/SessionFields.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/PathPoints.h"
#include "views/ShapeSampler.h"

namespace zw::test {
namespace {

std::string save(const Controller& controller) {
    return SessionWriter::write(Session::capture(controller));
}

// Reads text that must be a valid session.
Session parse(const std::string& text) {
    Session s;
    std::string error;
    EXPECT_TRUE(SessionReader::read(text, s, error)) << error;
    return s;
}

Color odd(double r, double g, double b, double a) {
    return Color::colorWithDeviceRed(r, g, b, a);
}

// A session with every field away from its default: a user map, shading, options, zoomed and
// panned views, colours that are none of the named ones, and images with poles in them.
Session everything(const char* map) {
    Session s;
    s.function.kind = ActiveFunction::Kind::UserMap;
    s.function.title = map;
    s.function.coefficients = {0.1f, -2.5f, 3.0f, 1e-3f, -0.7f, 4.25f, 1.0f / 3.0f, 9.0f};
    s.domain.scaleFactor = 4.0f;
    s.domain.centre = {0.3, -1.25};
    s.domain.tickMarks = false;
    s.domain.showGridlines = false;
    s.domain.pathColor = odd(0.2, 0.4, 0.6, 1.0);
    s.range.scaleFactor = 0.25f;
    s.range.centre = {-12.0, 7.5};
    s.range.showGridlines = true;
    s.range.pathColor = odd(0.9, 0.123456789, 0.0, 0.5);
    const double nan = std::nan("");
    for (int i = 0; i < 2; ++i) {
        s.domain.paths.push_back({odd(0.1 * i, 0.7, 0.3, 1.0), {{0.1, 0.2}, {0.15 + i, -0.3}}});
        Session::Path image{odd(0.5, 0.25, 0.125, 1.0), {{1.5, 2.5}, {nan, 3.0}, {-4.0, nan}}};
        s.range.paths.push_back(image);
        s.transformedPathsShownInDomain.push_back(image);
    }
    s.showTransformedPathsInDomain = true;
    s.showInverseImagesOfRangeGridlines = std::string(map) != "usersPolynomial";
    s.showTransformedGridlines = false;
    s.showContours = true;
    s.showArguments = true;
    s.highestResolution = true;
    s.shadingColours = ShadingColours::ColourWheel;
    s.followCurvesNearPoles = true;
    return s;
}

TEST(SessionRoundTrip, SaveOpenSaveGivesTheSameBytesForEveryMap) {
    for (const char* map : {"usersMobiusMap", "usersPolynomial", "usersAffineMap"}) {
        SCOPED_TRACE(map);
        AppHarness first;
        everything(map).apply(first.controller);
        const std::string once = save(first.controller);

        AppHarness second;
        parse(once).apply(second.controller);
        EXPECT_EQ(save(second.controller), once);
        EXPECT_EQ(second.domain->shadingColours, ShadingColours::ColourWheel);
        EXPECT_TRUE(second.controller.followCurvesNearPoles);

        // The file holds what was applied: nothing was lost on the way in.
        const Session back = parse(once);
        EXPECT_EQ(back.function.title, map);
        EXPECT_EQ(back.function.coefficients, everything(map).function.coefficients);
        EXPECT_EQ(back.range.pathColor, odd(0.9, 0.123456789, 0.0, 0.5));
        EXPECT_EQ(back.domain.paths[1].color, odd(0.1, 0.7, 0.3, 1.0));
        ASSERT_EQ(back.range.paths[0].points.size(), 3u);
        EXPECT_TRUE(std::isnan(back.range.paths[0].points[1].x));
        EXPECT_TRUE(std::isnan(back.transformedPathsShownInDomain[1].points[2].y));
        EXPECT_EQ(back.range.paths[0].points[1].y, 3.0);
        EXPECT_TRUE(back.highestResolution && back.showArguments && back.showContours);
        EXPECT_FALSE(back.showTransformedGridlines);
        EXPECT_EQ(back.showInverseImagesOfRangeGridlines, std::string(map) != "usersPolynomial");
        EXPECT_EQ(back.range.scaleFactor, 0.25f);
        EXPECT_EQ(back.domain.centre.y, -1.25);
        EXPECT_EQ(back.shadingColours, ShadingColours::ColourWheel);
        EXPECT_TRUE(back.followCurvesNearPoles);
    }
}

// The desktop tells a session from other JSON by the string its file type (installed from
// packaging/) looks for near the start; every file zwmap saves must have it there.
TEST(SessionRoundTrip, EverySavedFileHasTheFileTypesMagicNearItsStart) {
    std::ifstream in(ZW_SOURCE_DIR "/packaging/io.github.zwmap.zwmap.xml");
    ASSERT_TRUE(in) << "the file type's XML cannot be read";
    std::stringstream xml;
    xml << in.rdbuf();
    const std::string text = xml.str();
    // The XML's one string match: <match type="string" value="..." offset="first:last">.
    const std::string head = R"(<match type="string" value=")";
    const std::size_t tag = text.find(head);
    ASSERT_NE(tag, std::string::npos) << text;
    const std::size_t valueEnd = text.find('"', tag + head.size());
    const std::string offset = R"(" offset=")";
    ASSERT_EQ(text.compare(valueEnd, offset.size(), offset), 0) << text.substr(tag);
    std::string magic = text.substr(tag + head.size(), valueEnd - tag - head.size());
    for (std::size_t q = magic.find("&quot;"); q != std::string::npos; q = magic.find("&quot;")) {
        magic.replace(q, 6, 1, '"');
    }
    std::size_t first = 0;
    std::size_t last = 0;
    char colon = 0;
    std::istringstream range(text.substr(valueEnd + offset.size()));
    ASSERT_TRUE(range >> first >> colon >> last && colon == ':') << text.substr(tag);
    ASSERT_NE(magic.find("zwmap-session"), std::string::npos) << magic;

    AppHarness blank;
    std::vector<std::string> files{save(blank.controller), SessionWriter::write(Session{})};
    for (const char* map : {"usersMobiusMap", "usersPolynomial"}) {
        files.push_back(SessionWriter::write(everything(map)));
    }
    for (const std::string& file : files) {
        const std::size_t at = file.find(magic);
        ASSERT_NE(at, std::string::npos) << file.substr(0, 80);
        EXPECT_GE(at, first);
        EXPECT_LE(at, last);
    }
}

TEST(SessionRoundTrip, AFileFromBeforeTheColoursAndFollowingOpensWithTheirDefaults) {
    AppHarness first;
    everything("usersMobiusMap").apply(first.controller);
    std::string old = save(first.controller);
    for (const std::string field :
         {"\n  \"followCurvesNearPoles\": true,", ",\n  \"colours\": \"colourWheel\""}) {
        const std::size_t at = old.find(field);
        ASSERT_NE(at, std::string::npos) << field;
        old.erase(at, field.size());
    }

    // Opened over a window showing both away from their defaults: they go back, not stay.
    AppHarness app;
    everything("usersMobiusMap").apply(app.controller);
    parse(old).apply(app.controller);
    EXPECT_EQ(app.domain->shadingColours, ShadingColours::Classic);
    EXPECT_FALSE(app.controller.followCurvesNearPoles);
    EXPECT_TRUE(app.domain->showArguments) << "the rest of the file is read as before";
    EXPECT_EQ(app.domain->paths.size(), 2u);
}

TEST(SessionRoundTrip, EachFieldIsWrittenWhereItIsReadAndMissingOnlyWhereOptional) {
    using namespace sessionfields;
    const std::string whole = SessionWriter::write(everything("usersMobiusMap"));
    for (const Section& part : sections()) {
        for (const Field& field : part.fields) {
            SCOPED_TRACE(std::string(part.key) + "/" + field.key);
            if (field.kind == Kind::Flag) {
                // One flag turned over comes back turned over, and no other with it.
                Session turned = everything("usersMobiusMap");
                flagIn(turned, part, field) = !flagIn(turned, part, field);
                const Session back = parse(SessionWriter::write(turned));
                for (const Section& p : sections()) {
                    for (const Field& f : p.fields) {
                        if (f.kind == Kind::Flag) {
                            EXPECT_EQ(flagIn(back, p, f), flagIn(turned, p, f)) << f.key;
                        }
                    }
                }
            }
            nlohmann::json tree = nlohmann::json::parse(whole);
            ASSERT_EQ(tree.at(part.key).erase(field.key), 1u);
            Session read;
            std::string error;
            const bool ok = SessionReader::read(tree.dump(1), read, error);
            EXPECT_EQ(ok, field.optional) << error;
            if (!ok) {
                EXPECT_NE(error.find("\"" + std::string(field.key) + "\" is missing"),
                          std::string::npos)
                    << error;
            }
        }
    }
}

TEST(SessionRoundTrip, NumbersAreWrittenInTheCLocaleAndNonFiniteAsNull) {
    Session s = everything("usersMobiusMap");
    s.range.paths[0].points.push_back({INFINITY, -INFINITY});
    const std::string text = SessionWriter::write(s);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_NE(text.find("[null,3.0]"), std::string::npos) << text;
    EXPECT_NE(text.find("[null,null]"), std::string::npos);
    EXPECT_NE(text.find("\"format\": \"zwmap-session\""), std::string::npos);
    // 1/3 in single precision, widened: the shortest text that reads back to the same double.
    EXPECT_NE(text.find("0.3333333432674408"), std::string::npos);

    // A decimal comma in the user's locale changes nothing either way.
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.utf8"), nullptr);
    EXPECT_EQ(SessionWriter::write(s), text);
    const Session back = parse(text);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(back.domain.centre.x, 0.3);
    EXPECT_EQ(SessionWriter::write(back), text);
}

TEST(SessionRoundTrip, DrawnPanedAndZoomedPlanesComeBackPointForPoint) {
    AppHarness first;
    first.controller.setFunction(nullptr);  // an unknown title: the identity
    FakeSender squareItem("Square");
    first.controller.setFunction(&squareItem);
    first.drawPath({{120.0, 80.0}, {150.5, 95.25}, {170.0, 140.0}});
    first.domain->zoomIn(nullptr);
    first.domain->keyDown(KeyEvent{u"4"});
    first.range->zoomOut(nullptr);
    first.range->keyDown(KeyEvent{u"8"});
    first.drawPath({{200.0, 200.0}, {230.0, 190.0}});
    first.domain->setColorBlue(nullptr);
    const std::string text = save(first.controller);

    // The same size: every stored view point is where it was.
    AppHarness same;
    parse(text).apply(same.controller);
    EXPECT_EQ(save(same.controller), text);
    auto samePoints = [](const PathList& a, const PathList& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i]->elementCount(), b[i]->elementCount());
            EXPECT_EQ(a[i]->color, b[i]->color);
            for (std::size_t j = 0; j < a[i]->elementCount(); ++j) {
                const CGPoint p = a[i]->elementAtIndex(j).point;
                const CGPoint q = b[i]->elementAtIndex(j).point;
                EXPECT_NEAR(p.x, q.x, 1e-9);
                EXPECT_NEAR(p.y, q.y, 1e-9);
            }
        }
    };
    samePoints(first.domain->paths, same.domain->paths);
    samePoints(first.range->paths, same.range->paths);
    samePoints(first.domain->transformedPathsShownInDomain,
               same.domain->transformedPathsShownInDomain);
    EXPECT_EQ(same.domain->scaleFactor, 2.0f);
    EXPECT_EQ(same.domain->translation.x, first.domain->translation.x);
    EXPECT_EQ(same.range->translation.y, first.range->translation.y);
    EXPECT_EQ(same.domain->pathColor, Color::blueColor());
    EXPECT_EQ(engine::func, &zw::square);

    // A bigger window: the same true points, and the same true point at the centre.
    AppHarness::Options big;
    big.domainSize = {533.0, 401.0};
    big.rangeSize = {300.0, 250.0};
    AppHarness other(big);
    parse(text).apply(other.controller);
    auto sameTruePoints = [](const PlaneView& a, const PlaneView& b) {
        ASSERT_EQ(a.paths.size(), b.paths.size());
        for (std::size_t i = 0; i < a.paths.size(); ++i) {
            for (std::size_t j = 0; j < a.paths[i]->elementCount(); ++j) {
                const CGPoint z =
                    a.viewCoordinatesToTrueCoordinates(a.paths[i]->elementAtIndex(j).point);
                const CGPoint w =
                    b.viewCoordinatesToTrueCoordinates(b.paths[i]->elementAtIndex(j).point);
                EXPECT_NEAR(z.x, w.x, 1e-12);
                EXPECT_NEAR(z.y, w.y, 1e-12);
            }
        }
        const CGPoint ca = a.viewCoordinatesToTrueCoordinates(
            {static_cast<double>(a.viewWidth / 2), static_cast<double>(a.viewHeight / 2)});
        const CGPoint cb = b.viewCoordinatesToTrueCoordinates(
            {static_cast<double>(b.viewWidth / 2), static_cast<double>(b.viewHeight / 2)});
        EXPECT_DOUBLE_EQ(ca.x, cb.x);
        EXPECT_DOUBLE_EQ(ca.y, cb.y);
    };
    sameTruePoints(*first.domain, *other.domain);
    sameTruePoints(*first.range, *other.range);
}

// Paths drawn in the range come back with every branch of their preimages and their place
// among the domain's paths, so that Remove Last Path takes them in the order they were drawn.
TEST(SessionRoundTrip, PathsDrawnInTheRangeComeBackWithTheirPreimagesAndPlaces) {
    AppHarness first;
    FakeSender squareItem("Square");
    first.controller.setFunction(&squareItem);
    FakeSender allow("Allow Drawing", 0);
    first.range->toggleAllowDrawing_(&allow);
    const auto drawInRange = [&first](std::initializer_list<CGPoint> points) {
        first.range->mouseDown(MouseEvent{*points.begin()});
        for (const CGPoint p : points) {
            first.range->mouseDragged(MouseEvent{p});
        }
        first.range->mouseUp(MouseEvent{*(points.end() - 1)});
    };
    first.range->setColorGreen(nullptr);
    drawInRange({{310, 160}, {320, 170}, {330, 150}});  // before any domain path
    first.drawPath({{120.0, 80.0}, {150.5, 95.25}});
    drawInRange({{250, 250}, {260, 240}});
    first.drawPath({{200.0, 200.0}, {230.0, 190.0}});
    first.range->zoomOut(nullptr);
    const std::string text = save(first.controller);

    AppHarness same;
    parse(text).apply(same.controller);
    EXPECT_EQ(save(same.controller), text) << "what is written reads back";
    ASSERT_EQ(same.range->drawnPaths.size(), 2u);
    ASSERT_EQ(same.domain->preimagePaths.size(), 2u);
    EXPECT_EQ(same.range->drawnPaths[0]->color, Color::greenColor());
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(test::pointsOf(*same.range->drawnPaths[k]),
                  test::pointsOf(*first.range->drawnPaths[k]));
        ASSERT_EQ(same.domain->preimagePaths[k].size(), 2u) << "both branches";
        for (std::size_t b = 0; b < 2; ++b) {
            EXPECT_EQ(test::pointsOf(*same.domain->preimagePaths[k][b]),
                      test::pointsOf(*first.domain->preimagePaths[k][b]));
        }
    }
    // Newest first: domain, range, domain, range.
    const struct {
        std::size_t domainPaths, rangePaths;
    } after[] = {{1, 2}, {1, 1}, {0, 1}, {0, 0}};
    for (const auto& a : after) {
        same.controller.removeLastPath(nullptr);
        EXPECT_EQ(same.domain->paths.size(), a.domainPaths);
        EXPECT_EQ(same.range->drawnPaths.size(), a.rangePaths);
        EXPECT_EQ(same.domain->preimagePaths.size(), a.rangePaths);
    }

    // Places that do not fit the domain's paths are turned away with the reason.
    struct Case {
        std::string from, to, message;
    };
    const Case cases[] = {
        {"\"after\": 1", "\"after\": 3", "\"after\" must be a whole number from 0 to 2"},
        {"\"after\": 1", "\"after\": -1", "\"after\" must be a whole number from 0 to 2"},
        {"\"after\": 0", "\"after\": 2", "\"after\" must be a whole number from 2 to 2"},
        {"\"preimages\": [", "\"preimagez\": [", "\"preimages\" is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        std::string bad = text;
        const std::size_t at = bad.find(c.from);
        ASSERT_NE(at, std::string::npos);
        bad.replace(at, c.from.size(), c.to);
        Session read;
        std::string error;
        EXPECT_FALSE(SessionReader::read(bad, read, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(SessionRoundTrip, FormulasWithAndWithoutInverseComeBackAsTyped) {
    struct Typed {
        const char* formula;
        const char* inverse;
        CGPoint z;
        CGPoint w;
    };
    for (const Typed& typed :
         {Typed{"sin(z)^2 + 1/(z-1)", "", {2.0, 0.0}, {std::sin(2.0) * std::sin(2.0) + 1.0, 0.0}},
          Typed{"(z-i)/(z+i)", "i(1+w)/(1-w)", {0.0, 1.0}, {0.0, 0.0}}}) {
        SCOPED_TRACE(typed.formula);
        const bool invertible = *typed.inverse != '\0';
        Session s = everything("usersMobiusMap");
        s.function = {ActiveFunction::Kind::Formula, "Formula", {}, typed.formula, typed.inverse};
        s.showInverseImagesOfRangeGridlines = true;
        s.showTransformedGridlines = true;
        AppHarness first;
        s.apply(first.controller);
        const std::string once = save(first.controller);
        EXPECT_NE(once.find(std::string("\"formula\": \"") + typed.formula + "\""),
                  std::string::npos)
            << once;

        AppHarness second;
        FakeSender sin("Sin");
        second.controller.setFunction(&sin);
        AlertScript alerts;  // no alert for a pull-back the formula cannot keep
        parse(once).apply(second.controller);
        EXPECT_TRUE(alerts.requests.empty());
        EXPECT_EQ(save(second.controller), once);

        const Transformations& engine = *second.controller.transformations;
        EXPECT_EQ(engine.activeFunction().kind, ActiveFunction::Kind::Formula);
        EXPECT_EQ(engine.activeFunction().formula, typed.formula);
        EXPECT_EQ(engine.activeFunction().inverse, typed.inverse);
        const CGPoint w = second.controller.transform(typed.z);
        EXPECT_NEAR(w.x, typed.w.x, 1e-12);
        EXPECT_NEAR(w.y, typed.w.y, 1e-12);
        EXPECT_EQ(engine.hasInverse(), invertible);
        EXPECT_EQ(second.controller.showingInverseImagesInDomain, invertible);
        EXPECT_FALSE(second.range->transformedGridlines.empty());
        EXPECT_FALSE(second.domain->contours.empty());
    }
}

TEST(SessionRoundTrip, CoefficientsBeyondSingleRangeAreWrittenAsWordsAndComeBack) {
    const float inf = std::numeric_limits<float>::infinity();
    Session s = everything("usersMobiusMap");
    s.function.coefficients = {inf, -inf, std::nanf(""), 3.4028235e38f, 1e-45f, -0.0f, 1.0f, 2.0f};
    AppHarness first;
    s.apply(first.controller);
    const std::string once = save(first.controller);
    EXPECT_NE(once.find("[\"inf\",\"-inf\",\"nan\",3.4028234663852886e+38,"), std::string::npos)
        << once.substr(0, 400);

    const Session back = parse(once);
    const auto& c = back.function.coefficients;
    EXPECT_EQ(c[0], inf);
    EXPECT_EQ(c[1], -inf);
    EXPECT_TRUE(std::isnan(c[2]));
    EXPECT_EQ(c[3], 3.4028235e38f);
    EXPECT_EQ(c[4], 1e-45f);
    EXPECT_TRUE(std::signbit(c[5]));
    AppHarness second;
    back.apply(second.controller);
    EXPECT_EQ(save(second.controller), once);
}

// An image followed near a pole is a move there, not a line; the file keeps the move.
TEST(SessionRoundTrip, ImagesBrokenAtPolesReopenWithTheSamePieces) {
    AppHarness first;
    FakeSender invert("Invert");
    first.controller.setFunction(&invert);
    first.controller.toggleFollowCurvesNearPoles(nullptr);
    // Through the pole at the domain's centre, and a second path that passes it closely.
    first.drawPath({{150.0, 150.0}, {175.0, 150.0}, {225.0, 150.0}, {250.0, 150.0}});
    first.drawPath({{200.0, 100.0}, {200.0, 149.0}, {200.0, 200.0}});
    const auto pieces = [](const PathList& list) {
        std::vector<std::vector<bool>> out;
        for (const auto& path : list) {
            std::vector<bool> moves;
            for (const auto& element : path->elements()) {
                moves.push_back(element.type == BezierPath::ElementType::MoveTo);
            }
            out.push_back(moves);
        }
        return out;
    };
    const auto drawn = pieces(first.range->paths);
    ASSERT_EQ(drawn.size(), 2u);
    ASSERT_GE(std::count(drawn[0].begin(), drawn[0].end(), true), 2) << "the image breaks";
    const std::string text = save(first.controller);
    EXPECT_NE(text.find("],null,["), std::string::npos);

    AppHarness second;
    parse(text).apply(second.controller);
    EXPECT_EQ(pieces(second.range->paths), drawn);
    EXPECT_EQ(pieces(second.domain->transformedPathsShownInDomain),
              pieces(first.domain->transformedPathsShownInDomain));
    EXPECT_EQ(pieces(second.domain->paths), pieces(first.domain->paths));
    EXPECT_EQ(save(second.controller), text);
}

// A view's centre is kept as an offset in view units, which must stay finite at every scale:
// whatever opens must save again to a file that opens, after zooming to either end and panning.
TEST(SessionRoundTrip, AnyCentreThatOpensStillOpensAfterZoomingToTheEnds) {
    for (const double far : {0x1p900, 1e300, 1e277}) {
        SCOPED_TRACE(far);
        Session s;
        s.function.title = "Square";
        s.domain.centre = {far, -far};
        s.range.centre = {-far, 1e-300};
        Session read;
        std::string error;
        if (!SessionReader::read(SessionWriter::write(s), read, error)) {
            EXPECT_GT(far, SessionReader::kMaxCentre);
            EXPECT_NE(error.find("\"centre\" is too far out"), std::string::npos) << error;
            continue;
        }
        AppHarness app;
        read.apply(app.controller);
        for (int i = 0; i < 110; ++i) {
            app.domain->zoomIn(nullptr);
            app.range->zoomAt({17.0, 290.0}, true);
        }
        app.domain->keyDown(KeyEvent{u"4"});
        app.range->panBy(-399.0, 299.0);
        EXPECT_EQ(app.domain->scaleFactor, PlaneView::kMaxScaleFactor);
        const std::string zoomedIn = save(app.controller);
        const Session back = parse(zoomedIn);
        EXPECT_LE(std::fabs(back.domain.centre.x), SessionReader::kMaxCentre);
        for (int i = 0; i < 220; ++i) {
            app.domain->zoomAt({0.0, 0.0}, false);
            app.range->zoomOut(nullptr);
        }
        app.domain->keyDown(KeyEvent{u"8"});
        EXPECT_EQ(app.range->scaleFactor, PlaneView::kMinScaleFactor);
        parse(save(app.controller));
    }
}

// The most a session may hold, each number as long as any can be: the file stays below the
// size the reader takes, and the points and other values below its counts.
TEST(SessionRoundTrip, TheMostTheProgramHoldsFitsTheFileTheReaderTakes) {
    const double longest = -2.2250738585072014e-308;
    const Color colour =
        odd(0.12345678901234568, 0.23456789012345678, 0.3456789012345679, 0.9876543210987654);
    const auto bytes = [&](std::size_t paths, std::size_t points) {
        Session s;
        s.function = {ActiveFunction::Kind::Formula, "Formula", {}, "z", "w"};
        Session::Path path{colour, std::vector<CGPoint>(points, {longest, longest}), {}};
        for (std::size_t i = 1; i < points; ++i) {
            path.moves.push_back(i);  // a null before every point but the first
        }
        for (std::size_t i = 0; i < paths; ++i) {
            s.domain.paths.push_back(path);
            s.range.paths.push_back(path);
            s.transformedPathsShownInDomain.push_back(path);
        }
        const std::string text = SessionWriter::write(s);
        EXPECT_EQ(SessionWriter::write(parse(text)), text);
        return static_cast<double>(text.size());
    };
    const double none = bytes(0, 0);
    const double perPoint = (bytes(1, 1001) - bytes(1, 1)) / 3000.0;
    const double perPath = (bytes(1000, 1) - none) / 3000.0 - perPoint;
    EXPECT_LE(perPoint, 57.0);
    const double most = none + perPoint * static_cast<double>(DomainView::kMaxHeldPoints) +
                        perPath * 3.0 * static_cast<double>(DomainView::kMaxHeldPaths);
    EXPECT_LT(most + (4 << 20), static_cast<double>(SessionReader::kMaxFileBytes)) << most;
    EXPECT_LT(DomainView::kMaxHeldPoints, SessionReader::kMaxPoints);
    EXPECT_LT(7 * 3 * DomainView::kMaxHeldPaths + 100, SessionReader::kMaxValues);
}

// Circles at ten zoom-ins are 200,000 points each, in the domain and both lists of images.
TEST(SessionRoundTrip, ShapesUpToTheLimitSaveAndOpenAndOnePastItIsNotAdded) {
    AppHarness app;
    for (int i = 0; i < 10; ++i) {
        app.domain->zoomIn(nullptr);
    }
    const double unit = static_cast<double>(100.0f * app.domain->scaleFactor);
    AlertScript alerts;
    for (int i = 0; i < 5; ++i) {
        const auto circle = ShapeSampler::circle({0.0, 0.01 * i}, 1.0, unit);
        ASSERT_EQ(circle.size(), ShapeSampler::kMaxPoints);
        EXPECT_TRUE(app.domain->addExactPath(circle));
    }
    EXPECT_TRUE(alerts.requests.empty());
    EXPECT_EQ(app.domain->heldPoints(), 5 * 3 * ShapeSampler::kMaxPoints);
    app.controller.removeLastPath(nullptr);  // Undo may bring it back: it still counts
    EXPECT_FALSE(app.domain->addExactPath(ShapeSampler::circle({0.0, 0.0}, 2.0, unit)));
    ASSERT_EQ(alerts.requests.size(), 1u);
    EXPECT_EQ(alerts.requests[0].title, "The shape is not added");
    EXPECT_NE(alerts.requests[0].message.find("at most 3500000 points"), std::string::npos);
    EXPECT_EQ(app.domain->paths.size(), 4u);
    app.undo().undo();
    EXPECT_EQ(app.domain->paths.size(), 5u) << "the removal was undone, not the refused shape";

    const std::string text = save(app.controller);
    AppHarness other;
    parse(text).apply(other.controller);
    EXPECT_EQ(other.domain->heldPoints(), 5 * 3 * ShapeSampler::kMaxPoints);
}

TEST(SessionApply, AFormulaThatDoesNotReadChangesNothing) {
    AppHarness app;
    FakeSender tan("Tan");
    app.controller.setFunction(&tan);
    app.drawPath({{100.0, 100.0}, {120.0, 110.0}});
    const std::string before = save(app.controller);
    Session s;
    s.function = {ActiveFunction::Kind::Formula, "Formula", {}, "z^2 +", ""};
    const LogCapture log;
    s.apply(app.controller);
    EXPECT_EQ(save(app.controller), before);
    EXPECT_EQ(engine::func, &ctan);
    EXPECT_TRUE(app.undo().canUndo());
    EXPECT_EQ(log.startingWith("a session's formula does not read").size(), 1u);
}

TEST(SessionApply, ReplacesPathsEmptiesTheHistoryAndRebuildsWithoutAlerts) {
    AppHarness app;
    FakeSender invert("Invert");
    app.controller.setFunction(&invert);
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    app.drawPath({{10.0, 10.0}, {20.0, 30.0}});
    app.drawPath({{50.0, 10.0}, {60.0, 30.0}});
    app.controller.removeLastPath(nullptr);
    ASSERT_TRUE(app.undo().canUndo());

    Session s;
    s.function = {ActiveFunction::Kind::Catalogue, "Cos", {}, {}, {}};
    s.showInverseImagesOfRangeGridlines = true;  // Cos has none: silently off
    s.showContours = true;
    s.domain.paths.push_back({Color::redColor(), {{0.0, 0.0}, {0.5, 0.5}}});
    s.range.paths.push_back({Color::greenColor(), {{1.0, 0.0}, {0.9, 0.4}}});
    s.transformedPathsShownInDomain.push_back({Color::greenColor(), {{1.0, 0.0}, {0.9, 0.4}}});
    AlertScript alerts;  // any alert fails: none is expected
    s.apply(app.controller);

    EXPECT_TRUE(alerts.requests.empty());
    EXPECT_EQ(engine::func, &ccos);
    EXPECT_FALSE(app.controller.showingInverseImagesInDomain);
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_EQ(app.domain->paths.size(), 1u);
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_TRUE(app.domain->removedTransformedPathsShownInDomain.empty());
    EXPECT_FALSE(app.undo().canUndo());
    EXPECT_FALSE(app.domain->contours.empty());
    EXPECT_FALSE(app.range->transformedGridlines.empty());
    // The origin of the domain sits at the centre of a 400 x 300 plane.
    EXPECT_EQ(app.domain->paths[0]->elementAtIndex(0).point, (CGPoint{200.0, 150.0}));
}

// New gives back what the window started with, whatever came since: a session opened over it,
// paths drawn and removed, options changed, a file to save to.
TEST(SessionNew, BringsBackTheStartWithNoPathsHistoryOrFile) {
    AppHarness app;
    SessionDocument document(&app.controller);
    document.markStart();
    const std::string start = save(app.controller);

    everything("usersMobius").apply(app.controller);
    FakeSender invert("Invert");
    app.controller.setFunction(&invert);
    app.controller.toggleFollowCurvesNearPoles(nullptr);
    app.drawPath({{10.0, 10.0}, {20.0, 30.0}});
    app.drawPath({{50.0, 10.0}, {60.0, 30.0}});
    app.controller.removeLastPath(nullptr);
    std::string error;
    ASSERT_TRUE(document.save(
        "/tmp/somewhere.zwmap",
        [](const std::string&, const std::string&, std::string&) { return true; }, error));
    app.drawPath({{30.0, 10.0}, {40.0, 30.0}});
    ASSERT_TRUE(document.isModified());
    ASSERT_NE(save(app.controller), start);

    AlertScript alerts;  // any alert fails: none is expected
    document.startNew();
    EXPECT_EQ(save(app.controller), start);
    EXPECT_TRUE(document.path().empty());
    EXPECT_EQ(document.displayName(), "Untitled");
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(app.undo().canUndo());
    EXPECT_FALSE(app.undo().canRedo());
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_TRUE(alerts.requests.empty());

    // Drawing after New is a change again, and a second New undoes it.
    app.drawPath({{10.0, 10.0}, {20.0, 30.0}});
    EXPECT_TRUE(document.isModified());
    document.startNew();
    EXPECT_EQ(save(app.controller), start);
    EXPECT_FALSE(document.isModified());
}

// ---- Broken files -----------------------------------------------------------------------------

struct TempFile {
    std::string path;
    explicit TempFile(const std::string& text) {
        char name[] = "/tmp/zwmap-session-XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        if (fd >= 0) {
            close(fd);
        }
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile() { std::remove(path.c_str()); }
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::size_t lineOf(const std::string& text, const std::string& piece) {
    const std::size_t at = text.find(piece);
    std::size_t line = 1;
    for (std::size_t i = 0; i < at; ++i) {
        line += text[i] == '\n' ? 1 : 0;
    }
    return line;
}

TEST(SessionBrokenFiles, EachIsExplainedAndChangesNothing) {
    AppHarness app;
    FakeSender tan("Tan");
    app.controller.setFunction(&tan);
    app.drawPath({{100.0, 100.0}, {120.0, 110.0}});
    app.domain->zoomIn(nullptr);
    // Both away from their defaults, so that a file that would reset them must not.
    app.domain->setShadingColours(ShadingColours::ColourWheel);
    app.controller.toggleFollowCurvesNearPoles(nullptr);
    const std::string good = save(app.controller);
    const std::size_t scaleLine = lineOf(good, "\"scaleFactor\"");

    std::string tenMillion;
    tenMillion.reserve(60'000'000);
    for (int i = 0; i < 10'000'000; ++i) {
        tenMillion += i == 0 ? "[0,0]" : ",[0,0]";
    }

    std::string manyKeys = "{\"format\": \"zwmap-session\", \"version\": 1";
    for (int i = 0; i < 1'000'000; ++i) {
        manyKeys += ",\"" + std::to_string(i) + "\":0";
    }
    manyKeys += "}";

    std::string manyPaths;
    for (int p = 0; p < 3; ++p) {
        manyPaths += p == 0 ? "{\"points\": [" : "]}, {\"points\": [";
        for (int i = 0; i < 2'700'000; ++i) {
            manyPaths += i == 0 ? "[0,0]" : ",[0,0]";
        }
    }
    manyPaths += "]}";

    // The range's first point, on the last line that holds points.
    std::string rangePointAsText = good;
    const std::size_t rangePoints = good.rfind("\"points\": [[");
    rangePointAsText.insert(rangePoints + 11, "[true,0],");
    const auto rangePointsLine =
        1 + std::count(good.begin(), good.begin() + static_cast<long>(rangePoints), '\n');

    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    const std::string pathPoints = good.substr(good.find("\"points\": [") + 11);
    const std::vector<Case> cases = {
        {"not JSON", "this is no session",
         "line 1: not a zwmap session (the file is not JSON: syntax error"},
        {"truncated", good.substr(0, good.size() / 2),
         "not a zwmap session (the file is not JSON: syntax error"},
        {"empty", "", "line 1: not a zwmap session (the file is not JSON"},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x02\x80", 18),
         "line 1: not a zwmap session (the file is not JSON: syntax error while parsing value - "
         "invalid literal; last read: '\\x89')"},
        {"a number past any double",
         replaced(good, "\"scaleFactor\": 2.0", "\"scaleFactor\": 1e999"),
         "line " + std::to_string(scaleLine) +
             ": not a zwmap session (the file is not JSON: number overflow parsing '1e999')"},
        {"other format", replaced(good, "zwmap-session", "zwmap-sessions"), "not a zwmap session"},
        {"a list", "[1, 2]", "not a zwmap session"},
        {"newer", replaced(good, "\"version\": 1", "\"version\": 3"),
         "made by a newer zwmap (version 3)"},
        {"version as text", replaced(good, "\"version\": 1", "\"version\": \"1\""),
         "line 3: \"version\" must be a whole number"},
        {"version 0", replaced(good, "\"version\": 1", "\"version\": 0"), "unknown version 0"},
        {"version past any integer",
         replaced(good, "\"version\": 1", "\"version\": 18446744073709551615"),
         "made by a newer zwmap (version 18446744073709551615)"},
        {"negative version", replaced(good, "\"version\": 1", "\"version\": -1"),
         "line 3: unknown version -1"},
        {"scale as text", replaced(good, "\"scaleFactor\": 2.0", "\"scaleFactor\": \"2\""),
         "line " + std::to_string(scaleLine) + ": \"scaleFactor\" must be a number"},
        {"scale too big", replaced(good, "\"scaleFactor\": 2.0", "\"scaleFactor\": 1e31"),
         "\"scaleFactor\" must be between 2^-100 and 2^100"},
        {"scale zero", replaced(good, "\"scaleFactor\": 2.0", "\"scaleFactor\": 0"),
         "\"scaleFactor\" must be between"},
        {"missing flag", replaced(good, "\"tickMarks\": true,", ""), "\"tickMarks\" is missing"},
        {"flag as number", replaced(good, "\"showContours\": false", "\"showContours\": 0"),
         "\"showContours\" must be true or false"},
        {"colours as a number", replaced(good, "\"colourWheel\"", "1"),
         "line " + std::to_string(lineOf(good, "\"colours\"")) + ": \"colours\" must be text"},
        {"unknown colours", replaced(good, "\"colourWheel\"", "\"rainbow\""),
         "unknown shading colours \"rainbow\" (classic or colourWheel)"},
        {"following as text",
         replaced(good, "\"followCurvesNearPoles\": true", "\"followCurvesNearPoles\": \"yes\""),
         "line " + std::to_string(lineOf(good, "\"followCurvesNearPoles\"")) +
             ": \"followCurvesNearPoles\" must be true or false"},
        {"following as null",
         replaced(good, "\"followCurvesNearPoles\": true", "\"followCurvesNearPoles\": null"),
         "\"followCurvesNearPoles\" must be true or false"},
        {"unknown title", replaced(good, "\"Tan\"", "\"Tangent\""),
         "line " + std::to_string(lineOf(good, "\"Tan\"")) + ": unknown function \"Tangent\""},
        {"title with control characters", replaced(good, "\"Tan\"", "\"Tan\\n\\u001b[2J\\u009b\""),
         "unknown function \"Tan\\n\\x1b[2J\\x9b\""},
        {"a long title", replaced(good, "\"Tan\"", "\"" + std::string(500, 'x') + "\""),
         "unknown function \"" + std::string(60, 'x') + "...\""},
        {"coefficient as another word",
         replaced(good, "\"kind\": \"catalogue\",\n  \"title\": \"Tan\"",
                  "\"kind\": \"map\", \"name\": \"usersAffineMap\", \"coefficients\": "
                  "[\"infinity\",0,0,0,0,0,0,0]"),
         "\"coefficients\" must be eight numbers"},
        {"unknown kind", replaced(good, "\"catalogue\"", "\"table\""),
         "unknown kind of function \"table\""},
        {"formula that does not read",
         replaced(good, "\"kind\": \"catalogue\",\n  \"title\": \"Tan\"",
                  "\"kind\": \"formula\", \"formula\": \"sin(z))\", \"inverse\": \"\""),
         "line " + std::to_string(lineOf(good, "\"kind\"")) +
             ": \"formula\": unexpected \")\" at column 7"},
        {"inverse in z",
         replaced(good, "\"kind\": \"catalogue\",\n  \"title\": \"Tan\"",
                  "\"kind\": \"formula\", \"formula\": \"2z\", \"inverse\": \"z/2\""),
         "\"inverse\": unknown name \"z\": the variable here is w"},
        {"inverse that does not invert",
         replaced(good, "\"kind\": \"catalogue\",\n  \"title\": \"Tan\"",
                  "\"kind\": \"formula\", \"formula\": \"z+1\", \"inverse\": \"w+2\""),
         "\"inverse\": not an inverse of f: f(inverse(w)) = "},
        {"formula as a number",
         replaced(good, "\"kind\": \"catalogue\",\n  \"title\": \"Tan\"",
                  "\"kind\": \"formula\", \"formula\": 2, \"inverse\": \"\""),
         "\"formula\" must be text"},
        {"colour out of range", replaced(good, "\"pathColor\": [0.0", "\"pathColor\": [2.0"),
         "\"pathColor\" must be four numbers from 0 to 1"},
        {"point of three", replaced(good, "\"points\": [[", "\"points\": [[1,2,3],["),
         "a point must be two numbers"},
        {"break first", replaced(good, "\"points\": [[", "\"points\": [null,["),
         "line " + std::to_string(lineOf(good, "\"points\": [[")) +
             ": a break (null) must stand between two points"},
        {"two breaks", replaced(good, "\"points\": [[", "\"points\": [[0,0],null,null,["),
         "a break (null) must stand between two points"},
        {"break last", replaced(good, "]]\n", "],null]\n"),
         "a break (null) must stand between two points"},
        {"point as text", replaced(good, "\"points\": [[", "\"points\": [[\"a\",2],["),
         "line " + std::to_string(lineOf(good, "\"points\": [[")) +
             ": a point must be two numbers"},
        {"range point as text", rangePointAsText,
         "line " + std::to_string(rangePointsLine) + ": a point must be two numbers"},
        {"one image too few",
         replaced(good, "\"transformedPathsShownInDomain\": [",
                  "\"transformedPathsShownInDomain\": [], \"x\": ["),
         "\"transformedPathsShownInDomain\" must have one path for each of the 1 paths, not 0"},
        {"centre of three", replaced(good, "\"centre\": [", "\"centre\": [1,"),
         "\"centre\" must be two numbers"},
        {"centre too far", replaced(good, "\"centre\": [", "\"centre\": [1e307,0],\"x\": ["),
         "\"centre\" is too far out"},
        {"centre past 2^900 at scale 1",
         replaced(good, "\"centre\": [", "\"centre\": [0,-1e300],\"x\": ["),
         "\"centre\" is too far out (each part at most 2^900)"},
        {"ten million points",
         "{\"format\": \"zwmap-session\", \"version\": 1, \"domain\": {\"paths\": [{\"points\": [" +
             tenMillion + "]}]}}",
         "the session holds more than 8000000 points"},
        {"too many points in all",
         "{\"format\": \"zwmap-session\", \"version\": 1, \"domain\": {\"paths\": [" + manyPaths +
             "]}}",
         "the session holds more than 8000000 points"},
        {"a million keys", manyKeys, "the session holds more than 1000000 values besides"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFile file(c.text);
        SessionDocument document(&app.controller);
        const std::string before = save(app.controller);
        const ComplexFunction func = engine::func;
        std::string error;
        EXPECT_FALSE(document.open(file.path, error));
        EXPECT_EQ(error.rfind(file.path + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        // Nothing from the file reaches a terminal raw, and nothing of the parser's own.
        EXPECT_TRUE(std::none_of(error.begin(), error.end(), [](char ch) {
            return ch >= 0 && ch < 0x20;
        })) << error;
        EXPECT_EQ(error.find("json.exception"), std::string::npos) << error;
        EXPECT_EQ(save(app.controller), before);
        EXPECT_EQ(engine::func, func);
        EXPECT_EQ(app.domain->paths.size(), 1u);
        EXPECT_EQ(app.domain->shadingColours, ShadingColours::ColourWheel);
        EXPECT_TRUE(app.controller.followCurvesNearPoles);
        EXPECT_TRUE(app.undo().canUndo()) << "the history stays";
    }
    ASSERT_GT(tenMillion.size(), 6u * 10'000'000u - 100);
}

TEST(SessionBrokenFiles, AFileOfAGigabyteIsNotRead) {
    const TempFile file("");
    ASSERT_EQ(truncate(file.path.c_str(), 1LL << 30), 0);  // sparse: no gigabyte on disk
    Session s;
    std::string error;
    EXPECT_FALSE(SessionReader::load(file.path, s, error));
    EXPECT_EQ(error, file.path + ": too large for a session (1024 MB; at most 256 MB)");
    EXPECT_FALSE(SessionReader::load("/nonexistent/x.zwmap", s, error));
    EXPECT_EQ(error, "/nonexistent/x.zwmap: no such file");
}

// Keys are found in a tree: a file of 300,000 keys is read as quickly as any of its size.
TEST(SessionBrokenFiles, AnObjectOfManyKeysIsReadWholeAndTheLastOfTwinsCounts) {
    AppHarness app;
    app.drawPath({{100.0, 100.0}, {120.0, 110.0}});
    const std::string good = save(app.controller);
    std::string keys = "\"format\": \"not this one\",";
    for (int i = 0; i < 300'000; ++i) {
        keys += "\"k" + std::to_string(i) + "\": [" + std::to_string(i) + "],";
    }
    std::string text = good;
    text.insert(1, keys);
    ASSERT_GT(text.size(), 3'500'000u);
    const TempFile file(text);

    AppHarness other;
    SessionDocument document(&other.controller);
    std::string error;
    ASSERT_TRUE(document.open(file.path, error)) << error;
    EXPECT_EQ(save(other.controller), good);
}

// Drawn by hand, paths are not counted as they are made; saving is the last word, so that
// no file is written that would not open again.
TEST(SessionDocumentTest, ASessionPastWhatAFileHoldsIsNotSaved) {
    AppHarness app;
    SessionDocument document(&app.controller);
    app.drawPath({{10.0, 10.0}, {20.0, 30.0}});
    for (PathList* list :
         {&app.domain->paths, &app.range->paths, &app.domain->transformedPathsShownInDomain}) {
        for (int i = 0; i < 50'000; ++i) {
            auto path = std::make_unique<Path>();
            path->moveToPoint({1.0, 2.0});
            list->push_back(std::move(path));
        }
    }
    bool written = false;
    std::string error;
    EXPECT_FALSE(document.save(
        "/tmp/never.zwmap",
        [&written](const std::string&, const std::string&, std::string&) { return written = true; },
        error));
    EXPECT_FALSE(written);
    EXPECT_EQ(error,
              "the session is too large to save (150006 points in 50001 paths); clear some paths "
              "first");
    EXPECT_TRUE(document.isModified());
}

// Only a regular file is read: anything else would block (a pipe with no writer), never end
// (a device) or mean nothing. Each is refused and named; a loop of links says so.
TEST(SessionBrokenFiles, WhatIsNoRegularFileIsRefusedAtOnceAndNamed) {
    char made[] = "/tmp/zwmap-files-XXXXXX";
    ASSERT_NE(mkdtemp(made), nullptr);
    const std::string dir = made;
    ASSERT_EQ(mkfifo((dir + "/pipe.zwmap").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/null", (dir + "/null.zwmap").c_str()), 0);
    ASSERT_EQ(mkdir((dir + "/folder.zwmap").c_str(), 0700), 0);
    ASSERT_EQ(symlink("b.zwmap", (dir + "/a.zwmap").c_str()), 0);
    ASSERT_EQ(symlink("a.zwmap", (dir + "/b.zwmap").c_str()), 0);
    ASSERT_EQ(symlink("gone.zwmap", (dir + "/dangling.zwmap").c_str()), 0);
    // Should a reader wait on the pipe for a writer after all, one comes, so the test ends.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = open((dir + "/pipe.zwmap").c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const struct {
        const char* name;
        std::string message;
    } cases[] = {
        {"pipe.zwmap", "a named pipe, not a session file"},
        {"null.zwmap", "a device, not a session file"},
        {"folder.zwmap", "a folder, not a session file"},
        {"a.zwmap", "cannot be read (its symbolic links go round in a loop)"},
        {"dangling.zwmap", "no such file"},
        {"missing/x.zwmap", "no such file"},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name;
        Session s;
        std::string error;
        EXPECT_FALSE(SessionReader::load(path, s, error)) << c.name;
        EXPECT_EQ(error, path + ": " + c.message);
    }
    done = true;
    writer.join();
    for (const char* name : {"pipe.zwmap", "null.zwmap", "a.zwmap", "b.zwmap", "dangling.zwmap"}) {
        unlink((dir + "/" + name).c_str());
    }
    rmdir((dir + "/folder.zwmap").c_str());
    rmdir(dir.c_str());
}

// ---- The document -----------------------------------------------------------------------------

TEST(SessionDocumentTest, AsksOnlyWhenTheSessionChangedSinceTheLastSave) {
    AppHarness app;
    SessionDocument document(&app.controller);
    EXPECT_EQ(document.displayName(), "Untitled");
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.askToSave(), SessionDocument::Choice::Discard);

    app.drawPath({{10.0, 10.0}, {20.0, 30.0}});
    EXPECT_TRUE(document.isModified());
    {
        AlertScript alerts({kAlertAlternateReturn, kAlertDefaultReturn, kAlertOtherReturn});
        EXPECT_EQ(document.askToSave(), SessionDocument::Choice::Cancel);
        EXPECT_EQ(document.askToSave(), SessionDocument::Choice::Save);
        EXPECT_EQ(document.askToSave(), SessionDocument::Choice::Discard);
        ASSERT_EQ(alerts.requests.size(), 3u);
        EXPECT_EQ(alerts.requests[0].title, "Save changes to Untitled?");
        EXPECT_EQ(alerts.requests[0].defaultButton, "Save");
        EXPECT_EQ(alerts.requests[0].otherButton, "Discard");
    }

    std::string written;
    std::string error;
    const auto failing = [](const std::string&, const std::string&, std::string& why) {
        why = "disk full";
        return false;
    };
    EXPECT_FALSE(document.save("/tmp/a.zwmap", failing, error));
    EXPECT_EQ(error, "disk full");
    EXPECT_TRUE(document.isModified()) << "a failed save keeps the marker";
    EXPECT_EQ(document.path(), "");

    const TempFile file("");
    const auto writing = [&](const std::string& path, const std::string& bytes, std::string&) {
        written = bytes;
        std::ofstream(path, std::ios::binary) << bytes;
        return true;
    };
    ASSERT_TRUE(document.save(file.path, writing, error));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.displayName(), file.path.substr(5));

    // A view is part of the file: panning changes it, panning back does not. Drawing, undoing
    // back and redoing are judged by the paths.
    app.domain->keyDown(KeyEvent{u"6"});
    EXPECT_TRUE(document.isModified());
    app.domain->keyDown(KeyEvent{u"4"});
    EXPECT_FALSE(document.isModified());
    app.drawPath({{30.0, 10.0}, {40.0, 30.0}});
    EXPECT_TRUE(document.isModified());
    app.undo().undo();
    EXPECT_FALSE(document.isModified());
    app.undo().redo();
    EXPECT_TRUE(document.isModified());

    // Opening brings the saved paths back and is unmodified.
    ASSERT_TRUE(document.open(file.path, error)) << error;
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(save(app.controller), written);
}

TEST(SessionRoundTrip, ParametersAndTheMorphComeBackAndOlderFilesHaveNone) {
    AppHarness first;
    Parameters& parameters = first.workbench.parameters;
    std::string error;
    ASSERT_TRUE(first.controller.setFormula("z^2 + 1", "", error)) << error;
    const std::string plain = save(first.controller);
    EXPECT_EQ(plain.find("\"parameters\""), std::string::npos)
        << "nothing to keep, nothing written";
    EXPECT_EQ(plain.find("\"morph\""), std::string::npos);
    ASSERT_TRUE(first.controller.setFormula("(z - a)/(1 - conj(a) z) + k", "", error)) << error;
    parameters.setMorph(true);
    ASSERT_TRUE(parameters.setComplex("a", true));
    ASSERT_TRUE(parameters.setRange("a", -1.0, 1.0));
    ASSERT_TRUE(parameters.setPlay("a", {PlaySettings::Mode::Bounce, 0.5}));
    ASSERT_TRUE(parameters.setParameterValue("a", {0.3, -0.2}));
    ASSERT_TRUE(parameters.setParameterValue("k", 0.1));
    ASSERT_TRUE(parameters.setParameterValue("t", 0.4));
    const std::string once = save(first.controller);
    const CGPoint z{0.2, 0.7};
    const CGPoint w = first.controller.transform(z);

    AppHarness second;
    second.workbench.parameters.reset();
    parse(once).apply(second.controller);
    EXPECT_EQ(save(second.controller), once);
    EXPECT_EQ(second.controller.transform(z), w);
    const auto a = second.workbench.parameters.parameter("a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->value, std::complex<double>(0.3, -0.2));
    EXPECT_EQ(a->min, -1.0);
    EXPECT_TRUE(a->complex);
    EXPECT_EQ(a->play, (PlaySettings{PlaySettings::Mode::Bounce, 0.5}));
    EXPECT_TRUE(second.workbench.parameters.morphing());
    EXPECT_EQ(second.workbench.parameters.parameter("t")->value, 0.4);

    // A file without them (any from before) opens with none and no morph.
    parse(plain).apply(second.controller);
    EXPECT_FALSE(second.workbench.parameters.morphing());
    EXPECT_TRUE(second.workbench.parameters.parameters().empty());
}

TEST(SessionBrokenFiles, ParametersAreCheckedAndAFaultChangesNothing) {
    AppHarness app;
    std::string error;
    ASSERT_TRUE(app.controller.setFormula("z + a", "w - a", error)) << error;
    ASSERT_TRUE(app.workbench.parameters.setParameterValue("a", 1.0));
    const std::string good = save(app.controller);
    const std::string entry = good.substr(good.find("{\n    \"name\""));
    ASSERT_NE(good.find("\"play\": \"loop\""), std::string::npos) << good;
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"unknown name", replaced(good, "\"name\": \"a\"", "\"name\": \"b\""),
         "the function has no parameter \"b\""},
        {"given twice",
         replaced(good, "\"parameters\": [",
                  "\"parameters\": [" + entry.substr(0, entry.find('}') + 1) + ","),
         "parameter \"a\" is given twice"},
        {"value of one number", replaced(good, "\"value\": [1.0,0.0]", "\"value\": [1.0]"),
         "\"value\" must be two numbers (real and imaginary part)"},
        {"imaginary part of a real one",
         replaced(good, "\"value\": [1.0,0.0]", "\"value\": [1.0,2.0]"),
         "a real parameter's \"value\" has no imaginary part"},
        {"empty range", replaced(good, "\"max\": 2.0", "\"max\": -2.0"),
         "\"min\" must be less than \"max\""},
        {"unknown play", replaced(good, "\"loop\"", "\"spin\""),
         "unknown play \"spin\" (loop or bounce)"},
        {"no speed", replaced(good, "\"speed\": 0.25", "\"speed\": 0"),
         "\"speed\" must be a number above 0"},
        {"morph as text",
         replaced(good, "\"parameters\": [", "\"morph\": \"yes\", \"parameters\": ["),
         "\"morph\" must be true or false"},
        {"parameters as a number",
         replaced(good, "\"parameters\": [", "\"parameters\": 3, \"x\": ["),
         "\"parameters\" must be a list"},
        // The inverse is checked at the file's values: w - 1 undoes z + a only at a = 1.
        {"inverse at the file's value",
         replaced(good, "\"w - a\"", "\"w - 1\"").replace(good.find("[1.0,0.0]"), 9, "[0.5,0.0]"),
         "\"inverse\": not an inverse of f"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        EXPECT_FALSE(SessionReader::read(c.text, s, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    // And the same value with the right inverse reads.
    Session s;
    EXPECT_TRUE(SessionReader::read(replaced(good, "\"w - a\"", "\"w - 1\""), s, error)) << error;
}

}  // namespace
}  // namespace zw::test
