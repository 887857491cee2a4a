#include "session/SessionReader.h"

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

#include "engine/Transformations.h"
#include "formula/FormulaParser.h"
#include "planes/PlaneView.h"
#include "platform/FileSystem.h"
#include "session/SessionWriter.h"

namespace zw {

namespace {

using Json = nlohmann::ordered_json;

// Where a value sits in the document: object keys and list indices from the top.
struct Step {
    std::string key;
    std::size_t index = 0;
    bool isIndex = false;
};
using Where = std::vector<Step>;

Where operator/(Where where, const char* key) {
    where.push_back(Step{key, 0, false});
    return where;
}
Where operator/(Where where, std::size_t index) {
    where.push_back(Step{{}, index, true});
    return where;
}

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

std::string inQuotes(const std::string& name) {
    return "\"" + name + "\"";
}

// ---- Finding the line of a value --------------------------------------------------------------
// The parsed tree keeps no positions; the text is walked again along the steps instead. This
// runs only for a message, on text already known to be JSON.

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t skipSpace(std::string_view t, std::size_t i) {
    while (i < t.size() && isSpace(t[i])) {
        ++i;
    }
    return i;
}

std::size_t skipString(std::string_view t, std::size_t i) {
    for (++i; i < t.size(); ++i) {
        if (t[i] == '\\') {
            ++i;
        } else if (t[i] == '"') {
            return i + 1;
        }
    }
    return t.size();
}

std::size_t skipValue(std::string_view t, std::size_t i) {
    if (i >= t.size()) {
        return i;
    }
    if (t[i] == '"') {
        return skipString(t, i);
    }
    if (t[i] == '{' || t[i] == '[') {
        int depth = 0;
        while (i < t.size()) {
            const char c = t[i];
            if (c == '"') {
                i = skipString(t, i);
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                return i + 1;
            }
            ++i;
        }
        return i;
    }
    while (i < t.size() && !isSpace(t[i]) && t[i] != ',' && t[i] != ']' && t[i] != '}') {
        ++i;
    }
    return i;
}

// The offset of the value at `where`, or of the innermost value on the way that holds it. A
// key given twice means its last value, as for the parser.
std::size_t locate(std::string_view t, const Where& where) {
    std::size_t i = skipSpace(t, 0);
    for (const Step& step : where) {
        const std::size_t container = i;
        if (i >= t.size() || t[i] != (step.isIndex ? '[' : '{')) {
            return container;
        }
        i = skipSpace(t, i + 1);
        std::size_t found = std::string_view::npos;
        for (std::size_t k = 0; i < t.size() && t[i] != ']' && t[i] != '}'; ++k) {
            if (step.isIndex) {
                if (k == step.index) {
                    found = i;
                    break;
                }
            } else {
                const std::size_t end = skipString(t, i);
                const std::string_view key =
                    end - i >= 2 ? t.substr(i + 1, end - i - 2) : std::string_view{};
                i = skipSpace(t, end);
                if (i < t.size() && t[i] == ':') {
                    i = skipSpace(t, i + 1);
                }
                if (key == step.key) {
                    found = i;
                }
            }
            i = skipSpace(t, skipValue(t, i));
            if (i < t.size() && t[i] == ',') {
                i = skipSpace(t, i + 1);
            }
        }
        if (found == std::string_view::npos) {
            return container;
        }
        i = found;
    }
    return i;
}

std::size_t lineAt(std::string_view t, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < t.size(); ++i) {
        line += t[i] == '\n' ? 1 : 0;
    }
    return line;
}

// ---- Limits, before the tree is built ---------------------------------------------------------

// Counts as the parser goes, so that a file with a path of ten million points is turned away
// before ten million values are made; it also keeps the parse error's position.
class Limits : public nlohmann::json_sax<Json> {
  public:
    explicit Limits(std::string_view text) : text_(text) {}

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool start_object(std::size_t) override { return open(false); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: <what>"
        std::string what = ex.what();
        const std::size_t column = what.find("column");
        const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
        if (colon != std::string::npos) {
            what = what.substr(colon + 2);
        }
        const std::size_t at = position > 0 ? position - 1 : 0;
        error_ = "line " + std::to_string(lineAt(text_, at)) + ": not JSON (" + what + ")";
        return false;
    }

    const std::string& error() const { return error_; }

  private:
    static constexpr std::size_t kMaxDepth = 32;
    // A point is three values: its list and two coordinates.
    static constexpr std::size_t kMaxValues = 3 * SessionReader::kMaxPoints + 100'000;

    bool value() {
        if (++values_ > kMaxValues) {
            error_ = "the session holds more than " + std::to_string(SessionReader::kMaxPoints) +
                     " points";
            return false;
        }
        if (!lists_.empty() && lists_.back().isList &&
            ++lists_.back().entries > SessionReader::kMaxPointsPerPath) {
            error_ = "a path has more than " + std::to_string(SessionReader::kMaxPointsPerPath) +
                     " points";
            return false;
        }
        return true;
    }
    bool open(bool isList) {
        if (!value()) {
            return false;
        }
        if (lists_.size() >= kMaxDepth) {
            error_ = "not a zwmap session (nested too deeply)";
            return false;
        }
        lists_.push_back({isList, 0});
        return true;
    }
    bool close() {
        lists_.pop_back();
        return true;
    }

    struct Open {
        bool isList;
        std::size_t entries;
    };
    std::string_view text_;
    std::vector<Open> lists_;
    std::size_t values_ = 0;
    std::string error_;
};

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

    // Fields added after the first sessions were written: a file without one keeps the default.
    static bool optionalFlag(const Json& parent, const Where& at, const char* key, bool absent) {
        return parent.contains(key) ? flag(parent, at, key) : absent;
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
        const auto v = version.get<long long>();
        if (v > SessionWriter::kVersion) {
            fail("made by a newer zwmap (version " + std::to_string(v) + ")");
        }
        if (v < 1) {
            fail(top / "version", "unknown version " + std::to_string(v));
        }

        Session s;
        s.function = function(Fields::object(root, top, "function"), top / "function");

        const Where shadingAt = top / "shading";
        const Json& shading = Fields::object(root, top, "shading");
        s.showContours = Fields::flag(shading, shadingAt, "showContours");
        s.showArguments = Fields::flag(shading, shadingAt, "showArguments");
        s.highestResolution = Fields::flag(shading, shadingAt, "highestResolution");
        if (shading.contains("colours")) {
            const std::string colours = Fields::text(shading, shadingAt, "colours");
            if (colours == "classic") {
                s.shadingColours = ShadingColours::Classic;
            } else if (colours == "colourWheel") {
                s.shadingColours = ShadingColours::ColourWheel;
            } else {
                fail(shadingAt / "colours",
                     "unknown shading colours " + inQuotes(colours) + " (classic or colourWheel)");
            }
        }

        const Where domainAt = top / "domain";
        const Json& domain = Fields::object(root, top, "domain");
        plane(domain, domainAt, s.domain);
        s.showTransformedPathsInDomain =
            Fields::flag(domain, domainAt, "showTransformedPathsInDomain");
        s.showInverseImagesOfRangeGridlines =
            Fields::flag(domain, domainAt, "showInverseImagesOfRangeGridlines");
        s.transformedPathsShownInDomain =
            paths(domain, domainAt, "transformedPathsShownInDomain", s.domain.paths.size());

        const Where rangeAt = top / "range";
        const Json& range = Fields::object(root, top, "range");
        plane(range, rangeAt, s.range);
        s.showTransformedGridlines = Fields::flag(range, rangeAt, "showTransformedGridlines");
        s.followCurvesNearPoles =
            Fields::optionalFlag(range, rangeAt, "followCurvesNearPoles", false);
        if (s.range.paths.size() != s.domain.paths.size()) {
            fail(rangeAt / "paths", "the range must have one path for each of the " +
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
            if (!Transformations::isCatalogueTitle(out.title)) {
                fail(at / "title", "unknown function " + inQuotes(out.title));
            }
        } else if (kind == "map") {
            out.kind = ActiveFunction::Kind::UserMap;
            out.title = Fields::text(f, at, "name");
            if (out.title != "usersMobiusMap" && out.title != "usersPolynomial" &&
                out.title != "usersAffineMap") {
                fail(at / "name", "unknown map " + inQuotes(out.title));
            }
            const Json& c = Fields::list(f, at, "coefficients");
            const auto bad = [&] {
                fail(at / "coefficients",
                     "\"coefficients\" must be eight numbers: aR aI bR bI cR cI dR dI");
            };
            if (c.size() != 8) {
                bad();
            }
            for (std::size_t i = 0; i < 8; ++i) {
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

    static void formulaText(const std::string& text, std::string_view variable, const Where& at,
                            const char* key) {
        FormulaProgram program;
        FormulaError fault;
        if (!FormulaParser::compile(text, variable, program, fault)) {
            fail(at / key, inQuotes(key) + ": " + fault.message);
        }
    }

    void plane(const Json& p, const Where& at, Session::Plane& out) {
        const Where viewAt = at / "view";
        const Json& view = Fields::object(p, at, "view");
        const double scale = Fields::number(view, viewAt, "scaleFactor");
        if (!(scale >= PlaneView::kMinScaleFactor && scale <= PlaneView::kMaxScaleFactor)) {
            fail(viewAt / "scaleFactor", "\"scaleFactor\" must be between 2^-100 and 2^100");
        }
        out.scaleFactor = static_cast<float>(scale);
        const Json& centre = Fields::member(view, viewAt, "centre");
        if (!centre.is_array() || centre.size() != 2 || !centre[0].is_number() ||
            !centre[1].is_number()) {
            fail(viewAt / "centre", "\"centre\" must be two numbers");
        }
        out.centre = {centre[0].get<double>(), centre[1].get<double>()};
        // The view keeps the centre as an offset in view units, which must stay finite.
        const double k = static_cast<double>(100.0f * out.scaleFactor);
        if (!std::isfinite(k * out.centre.x) || !std::isfinite(k * out.centre.y)) {
            fail(viewAt / "centre", "\"centre\" is too far out for the scale factor");
        }
        out.tickMarks = Fields::flag(p, at, "tickMarks");
        out.showGridlines = Fields::flag(p, at, "showGridlines");
        out.pathColor = readColor(p, at, "pathColor");
        out.paths = paths(p, at, "paths", std::numeric_limits<std::size_t>::max());
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
            const Where pathAt = listAt / i;
            Session::Path path;
            path.color = readColor(list[i], pathAt, "color");
            const Json& points = Fields::list(list[i], pathAt, "points");
            total_ += points.size();
            if (points.size() > SessionReader::kMaxPointsPerPath) {
                fail(pathAt / "points", "a path has more than " +
                                            std::to_string(SessionReader::kMaxPointsPerPath) +
                                            " points");
            }
            if (total_ > SessionReader::kMaxPoints) {
                fail(pathAt / "points", "the session holds more than " +
                                            std::to_string(SessionReader::kMaxPoints) + " points");
            }
            path.points.reserve(points.size());
            for (std::size_t j = 0; j < points.size(); ++j) {
                path.points.push_back(point(points[j], pathAt / "points" / j));
            }
            out.push_back(std::move(path));
        }
        return out;
    }

    static CGPoint point(const Json& p, const Where& at) {
        if (!p.is_array() || p.size() != 2) {
            fail(at, "a point must be two numbers, or null where it is not finite");
        }
        double c[2];
        for (std::size_t i = 0; i < 2; ++i) {
            if (p[i].is_null()) {
                c[i] = std::numeric_limits<double>::quiet_NaN();
            } else if (p[i].is_number()) {
                c[i] = p[i].get<double>();
            } else {
                fail(at, "a point must be two numbers, or null where it is not finite");
            }
        }
        return {c[0], c[1]};
    }

    std::size_t total_ = 0;
};

}  // namespace

bool SessionReader::read(std::string_view text, Session& session, std::string& error) {
    Limits limits(text);
    if (!Json::sax_parse(text, &limits)) {
        error = limits.error();
        return false;
    }
    try {
        const Json root = Json::parse(text);
        Session read = Reader().read(root);
        session = std::move(read);
        return true;
    } catch (const Invalid& invalid) {
        error = invalid.located
                    ? "line " + std::to_string(lineAt(text, locate(text, invalid.where))) + ": " +
                          invalid.message
                    : invalid.message;
    } catch (const Json::exception& e) {
        error = std::string("not a zwmap session (") + e.what() + ")";
    }
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
