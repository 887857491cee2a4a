#include "session/SessionFields.h"

namespace zw::sessionfields {

namespace {

Field planeFlag(const char* key, bool Session::Plane::*member) {
    return Field{key, Kind::Flag, member, nullptr};
}

Field sessionFlag(const char* key, bool Session::*member) {
    return Field{key, Kind::Flag, nullptr, member};
}

Field of(const char* key, Kind kind) {
    return Field{key, kind};
}

}  // namespace

const std::array<Section, 3>& sections() {
    static const std::array<Section, 3> table{{
        {"shading",
         nullptr,
         {
             sessionFlag("showContours", &Session::showContours),
             sessionFlag("showArguments", &Session::showArguments),
             sessionFlag("highestResolution", &Session::highestResolution),
             Field{"colours", Kind::ShadingColours, nullptr, nullptr, true},
         }},
        {"domain",
         &Session::domain,
         {
             of("view", Kind::View),
             planeFlag("tickMarks", &Session::Plane::tickMarks),
             planeFlag("showGridlines", &Session::Plane::showGridlines),
             sessionFlag("showTransformedPathsInDomain", &Session::showTransformedPathsInDomain),
             sessionFlag("showInverseImagesOfRangeGridlines",
                         &Session::showInverseImagesOfRangeGridlines),
             of("pathColor", Kind::Colour),
             of("paths", Kind::Paths),
             of("transformedPathsShownInDomain", Kind::DomainImages),
         }},
        {"range",
         &Session::range,
         {
             of("view", Kind::View),
             planeFlag("tickMarks", &Session::Plane::tickMarks),
             planeFlag("showGridlines", &Session::Plane::showGridlines),
             sessionFlag("showTransformedGridlines", &Session::showTransformedGridlines),
             Field{"followCurvesNearPoles", Kind::Flag, nullptr, &Session::followCurvesNearPoles,
                   true, false},
             of("pathColor", Kind::Colour),
             of("paths", Kind::Paths),
             Field{"drawnPaths", Kind::RangePaths, nullptr, nullptr, true},
         }},
    }};
    return table;
}

const char* shadingColoursName(ShadingColours colours) {
    return colours == ShadingColours::ColourWheel ? "colourWheel" : "classic";
}

bool shadingColoursNamed(const std::string& name, ShadingColours& colours) {
    for (ShadingColours c : {ShadingColours::Classic, ShadingColours::ColourWheel}) {
        if (name == shadingColoursName(c)) {
            colours = c;
            return true;
        }
    }
    return false;
}

namespace {

template <class S>
auto& flagOf(S& session, const Section& section, const Field& field) {
    return field.planeFlag != nullptr ? (session.*section.plane).*field.planeFlag
                                      : session.*field.flag;
}

}  // namespace

bool& flagIn(Session& session, const Section& section, const Field& field) {
    return flagOf(session, section, field);
}

bool flagIn(const Session& session, const Section& section, const Field& field) {
    return flagOf(session, section, field);
}

}  // namespace zw::sessionfields
