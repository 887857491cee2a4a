#pragma once

#include <array>
#include <vector>

#include "session/Session.h"

namespace zw {

// The fields of a session file below its function, as one list that the writer walks to
// write them and the reader walks to read them: a key is named once, in the order written,
// with where its value lives in a Session and what an older file without it means.
namespace sessionfields {

enum class Kind {
    View,            // the plane's "scaleFactor" and "centre"
    Flag,            // true or false
    Colour,          // the plane's path colour: red, green, blue, alpha from 0 to 1
    Paths,           // the plane's paths
    DomainImages,    // the domain's own copies of the images, one per domain path
    ShadingColours,  // "classic" or "colourWheel"
    RangePaths,      // the paths drawn in the range, each with its preimages and its place
};

struct Field {
    const char* key;
    Kind kind;
    // For a Flag: on the section's plane, or else on the session.
    bool Session::Plane::*planeFlag = nullptr;
    bool Session::*flag = nullptr;
    // Added after the first files were written: a file without it keeps `absent` (a Flag) or
    // the classic colours.
    bool optional = false;
    bool absent = false;
};

struct Section {
    const char* key;
    // The plane its View, Colour, Paths and plane flags belong to; null for none.
    Session::Plane Session::*plane;
    std::vector<Field> fields;
};

// "shading", "domain" and "range", in the order they are written.
const std::array<Section, 3>& sections();

// The value of the shading colours as written.
const char* shadingColoursName(ShadingColours colours);
// Sets `colours` from a name written by shadingColoursName; false for any other.
bool shadingColoursNamed(const std::string& name, ShadingColours& colours);

// Where a Flag field's value lives in `session`.
bool& flagIn(Session& session, const Section& section, const Field& field);
bool flagIn(const Session& session, const Section& section, const Field& field);

}  // namespace sessionfields

}  // namespace zw
