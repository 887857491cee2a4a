#include "session/SessionReader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>
#include <vector>

#include "engine/Catalogue.h"
#include "formula/FormulaParser.h"
#include "formula/InverseCheck.h"
#include "planes/Viewport.h"
#include "platform/FileSystem.h"
#include "session/JsonPlace.h"
#include "session/PrintableText.h"
#include "session/SessionFields.h"
#include "session/SessionTreeBuilder.h"
#include "session/SessionWriter.h"

namespace zw {

namespace {

using Json = nlohmann::json;
using Where = JsonPath;

// A broken file: the message, and where in the document it applies (if anywhere).
struct Invalid {
    std::string message;
    bool located = false;
    Where where;
};

[[noreturn]] void fail(const Where& where, std::string message) {
    throw Invalid{std::move(message), true, where};
}
[[noreturn]] void fail(std::string message) {
    throw Invalid{std::move(message), false, {}};
}

// ---- Fields -----------------------------------------------------------------------------------

class Fields {
  public:
    static const Json& member(const Json& object, const Where& at, const char* key) {
        if (!object.is_object()) {
            fail(at, "must be an object");
        }
        const auto it = object.find(key);
        if (it == object.end()) {
            fail(at, inQuotes(key) + " is missing");
        }
        return *it;
    }

    static const Json& object(const Json& parent, const Where& at, const char* key) {
        const Json& v = member(parent, at, key);
        if (!v.is_object()) {
            fail(at / key, inQuotes(key) + " must be an object");
        }
        return v;
    }

    static const Json& list(const Json& parent, const Where& at, const char* key) {
        const Json& v = member(parent, at, key);
        if (!v.is_array()) {
            fail(at / key, inQuotes(key) + " must be a list");
        }
        return v;
    }

    static bool flag(const Json& parent, const Where& at, const char* key) {
        const Json& v = member(parent, at, key);
        if (!v.is_boolean()) {
            fail(at / key, inQuotes(key) + " must be true or false");
        }
        return v.get<bool>();
    }

    static std::string text(const Json& parent, const Where& at, const char* key) {
        const Json& v = member(parent, at, key);
        if (!v.is_string()) {
            fail(at / key, inQuotes(key) + " must be text");
        }
        return v.get<std::string>();
    }

    static double number(const Json& parent, const Where& at, const char* key) {
        const Json& v = member(parent, at, key);
        if (!v.is_number()) {
            fail(at / key, inQuotes(key) + " must be a number");
        }
        return v.get<double>();
    }
};

Color readColor(const Json& parent, const Where& at, const char* key) {
    const Json& v = Fields::member(parent, at, key);
    const auto bad = [&] {
        fail(at / key,
             inQuotes(key) + " must be four numbers from 0 to 1 (red, green, blue, alpha)");
    };
    if (!v.is_array() || v.size() != 4) {
        bad();
    }
    double c[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (!v[i].is_number()) {
            bad();
        }
        c[i] = v[i].get<double>();
        if (!(c[i] >= 0.0 && c[i] <= 1.0)) {
            bad();
        }
    }
    return Color::colorWithDeviceRed(c[0], c[1], c[2], c[3]);
}

class Reader {
  public:
    explicit Reader(std::vector<PointList>& lists) : lists_(lists) {}

    Session read(const Json& root) {
        if (!root.is_object() || !root.contains("format") ||
            root["format"] != Json("zwmap-session")) {
            fail("not a zwmap session");
        }
        const Where top;
        const Json& version = Fields::member(root, top, "version");
        if (!version.is_number_integer()) {
            fail(top / "version", "\"version\" must be a whole number");
        }
        // A number that is not negative is read as unsigned: so is any version to come.
        if (version.is_number_unsigned()) {
            const auto v = version.get<std::uint64_t>();
            if (v > static_cast<std::uint64_t>(SessionWriter::kVersion)) {
                fail("made by a newer zwmap (version " + std::to_string(v) + ")");
            }
            if (v < 1) {
                fail(top / "version", "unknown version " + std::to_string(v));
            }
        } else {
            fail(top / "version", "unknown version " + std::to_string(version.get<std::int64_t>()));
        }

        Session s;
        const Json& function_ = Fields::object(root, top, "function");
        s.function = function(function_, top / "function");
        motion(function_, top / "function", s);

        for (const sessionfields::Section& part : sessionfields::sections()) {
            section(Fields::object(root, top, part.key), top / part.key, part, s);
        }
        if (s.range.paths.size() != s.domain.paths.size()) {
            fail(top / "range" / "paths", "the range must have one path for each of the " +
                                              std::to_string(s.domain.paths.size()) +
                                              " domain paths, not " +
                                              std::to_string(s.range.paths.size()));
        }
        return s;
    }

  private:
    static ActiveFunction function(const Json& f, const Where& at) {
        ActiveFunction out;
        const std::string kind = Fields::text(f, at, "kind");
        if (kind == "catalogue") {
            out.kind = ActiveFunction::Kind::Catalogue;
            out.title = Fields::text(f, at, "title");
            if (catalogue::find(out.title) == nullptr) {
                fail(at / "title", "unknown function " + inQuotes(out.title));
            }
        } else if (kind == "map") {
            out.kind = ActiveFunction::Kind::UserMap;
            out.title = Fields::text(f, at, "name");
            if (!catalogue::isUserMapName(out.title)) {
                fail(at / "name", "unknown map " + inQuotes(out.title));
            }
            const Json& c = Fields::list(f, at, "coefficients");
            const auto bad = [&] {
                fail(at / "coefficients",
                     "\"coefficients\" must be eight numbers: aR aI bR bI cR cI dR dI (or "
                     "\"inf\", \"-inf\", \"nan\")");
            };
            if (c.size() != 8) {
                bad();
            }
            for (std::size_t i = 0; i < 8; ++i) {
                // JSON has no infinities: a typed coefficient past single range is text.
                if (c[i].is_string()) {
                    const auto& word = c[i].get_ref<const std::string&>();
                    if (word == "inf" || word == "-inf" || word == "nan") {
                        out.coefficients[i] =
                            word == "nan"   ? std::numeric_limits<float>::quiet_NaN()
                            : word == "inf" ? std::numeric_limits<float>::infinity()
                                            : -std::numeric_limits<float>::infinity();
                        continue;
                    }
                }
                if (!c[i].is_number()) {
                    bad();
                }
                const double value = c[i].get<double>();
                if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
                    fail(at / "coefficients" / i, "a coefficient is too large");
                }
                out.coefficients[i] = static_cast<float>(value);
            }
        } else if (kind == "formula") {
            out.kind = ActiveFunction::Kind::Formula;
            out.formula = Fields::text(f, at, "formula");
            out.inverse = Fields::text(f, at, "inverse");
            // Compiled here, so that a formula that does not read is turned away before
            // anything changes, and installing it later cannot fail.
            formulaText(out.formula, "z", at, "formula");
            if (out.inverse.find_first_not_of(" \t\n\r\f\v") != std::string::npos) {
                formulaText(out.inverse, "w", at, "inverse");
            } else {
                out.inverse.clear();
            }
        } else {
            fail(at / "kind",
                 "unknown kind of function " + inQuotes(kind) + " (catalogue, map or formula)");
        }
        return out;
    }

    // The parameters and the morph, which files from before them do not have.
    static void motion(const Json& f, const Where& at, Session& s) {
        if (f.contains("morph")) {
            s.morph = Fields::flag(f, at, "morph");
        }
        std::vector<std::string> names;
        if (s.function.kind == ActiveFunction::Kind::Formula) {
            names = FormulaParser::parameterNames(s.function.formula, "z");
            for (const std::string& name : FormulaParser::parameterNames(s.function.inverse, "w")) {
                if (std::find(names.begin(), names.end(), name) == names.end()) {
                    names.push_back(name);
                }
            }
        }
        if (s.morph && std::find(names.begin(), names.end(), "t") == names.end()) {
            names.emplace_back("t");
        }
        ParameterValues values;
        if (f.contains("parameters")) {
            const Json& list = Fields::list(f, at, "parameters");
            const Where listAt = at / "parameters";
            for (std::size_t i = 0; i < list.size(); ++i) {
                Session::Parameter p = parameter(list[i], listAt / i, names);
                if (!values.emplace(p.name, p.value).second) {
                    fail(listAt / i / "name", "parameter " + inQuotes(p.name) + " is given twice");
                }
                s.parameters.push_back(std::move(p));
            }
        }
        // The dialog never lets a pair through whose inverse does not undo f at the values it
        // has; a file must not either, or the pulled-back grid would be drawn wrong.
        if (!s.function.inverse.empty()) {
            const std::string fault = inverseFault(s.function.formula, s.function.inverse, values);
            if (!fault.empty()) {
                fail(at / "inverse", "\"inverse\": " + fault);
            }
        }
    }

    static Session::Parameter parameter(const Json& p, const Where& at,
                                        const std::vector<std::string>& names) {
        Session::Parameter out;
        out.name = Fields::text(p, at, "name");
        if (std::find(names.begin(), names.end(), out.name) == names.end()) {
            fail(at / "name", "the function has no parameter " + inQuotes(out.name));
        }
        const Json& value = Fields::member(p, at, "value");
        if (!value.is_array() || value.size() != 2 || !value[0].is_number() ||
            !value[1].is_number()) {
            fail(at / "value", "\"value\" must be two numbers (real and imaginary part)");
        }
        out.value = {value[0].get<double>(), value[1].get<double>()};
        if (!std::isfinite(out.value.real()) || !std::isfinite(out.value.imag())) {
            fail(at / "value", "\"value\" must be finite");
        }
        out.settings.min = Fields::number(p, at, "min");
        out.settings.max = Fields::number(p, at, "max");
        if (!std::isfinite(out.settings.min) || !std::isfinite(out.settings.max) ||
            !(out.settings.min < out.settings.max)) {
            fail(at / "max", "\"min\" must be less than \"max\"");
        }
        out.settings.complex = Fields::flag(p, at, "complex");
        if (!out.settings.complex && out.value.imag() != 0.0) {
            fail(at / "value", "a real parameter's \"value\" has no imaginary part");
        }
        const std::string play = Fields::text(p, at, "play");
        if (play == "loop" || play == "bounce") {
            out.settings.play.mode =
                play == "loop" ? PlaySettings::Mode::Loop : PlaySettings::Mode::Bounce;
        } else {
            fail(at / "play", "unknown play " + inQuotes(play) + " (loop or bounce)");
        }
        out.settings.play.speed = Fields::number(p, at, "speed");
        if (!(out.settings.play.speed > 0.0) || !std::isfinite(out.settings.play.speed)) {
            fail(at / "speed", "\"speed\" must be a number above 0");
        }
        return out;
    }

    static void formulaText(const std::string& text, std::string_view variable, const Where& at,
                            const char* key) {
        FormulaProgram program;
        FormulaError fault;
        if (!FormulaParser::compile(text, variable, program, fault)) {
            fail(at / key, inQuotes(key) + ": " + fault.message);
        }
    }

    void section(const Json& p, const Where& at, const sessionfields::Section& part, Session& s) {
        using sessionfields::Kind;
        for (const sessionfields::Field& field : part.fields) {
            if (field.optional && !p.contains(field.key)) {
                if (field.kind == Kind::Flag) {
                    sessionfields::flagIn(s, part, field) = field.absent;
                }
                continue;
            }
            switch (field.kind) {
                case Kind::View:
                    view(p, at, s.*part.plane);
                    break;
                case Kind::Flag:
                    sessionfields::flagIn(s, part, field) = Fields::flag(p, at, field.key);
                    break;
                case Kind::Colour:
                    (s.*part.plane).pathColor = readColor(p, at, field.key);
                    break;
                case Kind::Paths:
                    (s.*part.plane).paths =
                        paths(p, at, field.key, std::numeric_limits<std::size_t>::max());
                    break;
                case Kind::DomainImages:
                    s.transformedPathsShownInDomain =
                        paths(p, at, field.key, s.domain.paths.size());
                    break;
                case Kind::RangePaths:
                    s.rangePaths = rangePaths(p, at, field.key, s.domain.paths.size());
                    break;
                case Kind::ShadingColours: {
                    const std::string colours = Fields::text(p, at, field.key);
                    if (!sessionfields::shadingColoursNamed(colours, s.shadingColours)) {
                        fail(at / field.key, "unknown shading colours " + inQuotes(colours) +
                                                 " (classic or colourWheel)");
                    }
                    break;
                }
            }
        }
    }

    static void view(const Json& p, const Where& at, Session::Plane& out) {
        const Where viewAt = at / "view";
        const Json& view = Fields::object(p, at, "view");
        const double scale = Fields::number(view, viewAt, "scaleFactor");
        if (!Viewport::allowsScaleFactor(scale)) {
            fail(viewAt / "scaleFactor", "\"scaleFactor\" must be between 2^-100 and 2^100");
        }
        out.scaleFactor = static_cast<float>(scale);
        const Json& centre = Fields::member(view, viewAt, "centre");
        if (!centre.is_array() || centre.size() != 2 || !centre[0].is_number() ||
            !centre[1].is_number()) {
            fail(viewAt / "centre", "\"centre\" must be two numbers");
        }
        out.centre = {centre[0].get<double>(), centre[1].get<double>()};
        if (!(std::fabs(out.centre.x) <= SessionReader::kMaxCentre &&
              std::fabs(out.centre.y) <= SessionReader::kMaxCentre)) {
            fail(viewAt / "centre", "\"centre\" is too far out (each part at most 2^900)");
        }
    }

    std::vector<Session::Path> paths(const Json& parent, const Where& at, const char* key,
                                     std::size_t expected) {
        const Json& list = Fields::list(parent, at, key);
        const Where listAt = at / key;
        if (expected != std::numeric_limits<std::size_t>::max() && list.size() != expected) {
            fail(listAt, inQuotes(key) + " must have one path for each of the " +
                             std::to_string(expected) + " paths, not " +
                             std::to_string(list.size()));
        }
        std::vector<Session::Path> out;
        out.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            out.push_back(path(list[i], listAt / i));
        }
        return out;
    }

    Session::Path path(const Json& entry, const Where& pathAt) {
        Session::Path out;
        out.color = readColor(entry, pathAt, "color");
        // The builder took every list named "points" out of the tree.
        const Json& points = Fields::member(entry, pathAt, "points");
        if (!points.is_binary()) {
            fail(pathAt / "points", "\"points\" must be a list");
        }
        PointList& read = lists_.at(static_cast<std::size_t>(points.get_binary().subtype()));
        if (read.bad) {
            fail(pathAt / "points" / read.badEntry, read.why);
        }
        out.points = std::move(read.points);
        out.moves = std::move(read.moves);
        return out;
    }

    // Each drawn path with its preimages and its place among the domain's paths, which only
    // grows along the list and never passes their count.
    std::vector<Session::RangePath> rangePaths(const Json& parent, const Where& at, const char* key,
                                               std::size_t domainPaths) {
        const Json& list = Fields::list(parent, at, key);
        const Where listAt = at / key;
        std::vector<Session::RangePath> out;
        out.reserve(list.size());
        std::size_t earliest = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Where pathAt = listAt / i;
            Session::RangePath r;
            r.path = path(list[i], pathAt);
            const Json& after = Fields::member(list[i], pathAt, "after");
            if (!after.is_number_unsigned() || after.get<std::uint64_t>() < earliest ||
                after.get<std::uint64_t>() > domainPaths) {
                fail(pathAt / "after",
                     "\"after\" must be a whole number from " + std::to_string(earliest) + " to " +
                         std::to_string(domainPaths) + " (the domain paths drawn before it)");
            }
            r.after = static_cast<std::size_t>(after.get<std::uint64_t>());
            earliest = r.after;
            r.preimages =
                paths(list[i], pathAt, "preimages", std::numeric_limits<std::size_t>::max());
            out.push_back(std::move(r));
        }
        return out;
    }

    std::vector<PointList>& lists_;
};

}  // namespace

bool SessionReader::read(std::string_view text, Session& session, std::string& error) {
    SessionTreeBuilder builder(text);
    if (!Json::sax_parse(text, &builder)) {
        error = printable(builder.error(), 400);
        return false;
    }
    try {
        Session read = Reader(builder.lists).read(builder.root);
        session = std::move(read);
        return true;
    } catch (const Invalid& invalid) {
        error = invalid.located
                    ? "line " + std::to_string(lineAt(text, locateInJson(text, invalid.where))) +
                          ": " + invalid.message
                    : invalid.message;
    } catch (const Json::exception& e) {
        std::string what = e.what();
        const std::size_t close = what.find("] ");
        error = "not a zwmap session (" +
                (close == std::string::npos ? what : what.substr(close + 2)) + ")";
    }
    // Any text of the file in it is already quoted; this is for what a message quotes whole.
    error = printable(error, 400);
    return false;
}

bool SessionReader::load(const std::string& path, Session& session, std::string& error) {
    std::string text;
    std::string why;
    std::uintmax_t size = 0;
    switch (FileSystem::readWhole(path, kMaxFileBytes, text, why, size)) {
        case FileSystem::Read::Done:
            break;
        case FileSystem::Read::Missing:
            error = path + ": no such file";
            return false;
        case FileSystem::Read::NotAFile:
            error = path + ": " + why + ", not a session file";
            return false;
        case FileSystem::Read::TooLarge:
            error = size > 0 ? path + ": too large for a session (" + std::to_string(size >> 20) +
                                   " MB; at most " + std::to_string(kMaxFileBytes >> 20) + " MB)"
                             : path + ": too large for a session (at most " +
                                   std::to_string(kMaxFileBytes >> 20) + " MB)";
            return false;
        case FileSystem::Read::Failed:
            error = path + ": cannot be read (" + why + ")";
            return false;
    }
    if (!read(text, session, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace zw
