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

#include "engine/Catalogue.h"
#include "formula/FormulaParser.h"
#include "formula/InverseCheck.h"
#include "planes/PlaneView.h"
#include "platform/FileSystem.h"
#include "session/SessionWriter.h"

namespace zw {

namespace {

using Json = nlohmann::json;

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

// Text from the file as a message may show it: control characters and bytes that are not
// UTF-8 escaped, so that nothing in a file can move the cursor or recolour a terminal, and
// cut after `most` characters.
std::string printable(std::string_view text, std::size_t most) {
    std::string out;
    std::size_t shown = 0;
    const auto escaped = [&out](unsigned value) {
        static const char* const kHex = "0123456789abcdef";
        out += value > 0xff ? "\\u" : "\\x";
        for (int shift = value > 0xff ? 12 : 4; shift >= 0; shift -= 4) {
            out += kHex[(value >> shift) & 0xf];
        }
    };
    for (std::size_t i = 0; i < text.size(); ++shown) {
        if (shown == most) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '\n') {
                out += "\\n";
            } else if (c == '\t') {
                out += "\\t";
            } else if (c == '\r') {
                out += "\\r";
            } else if (c < 0x20 || c == 0x7f) {
                escaped(c);
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        // A whole UTF-8 sequence, or one byte that does not start one.
        const std::size_t length = c >= 0xf0 && c < 0xf5 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 ? 2 : 0;
        bool whole = length > 0 && c < 0xf5 && i + length <= text.size();
        unsigned code = length == 2 ? c & 0x1fu : length == 3 ? c & 0x0fu : c & 0x07u;
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xc0) == 0x80;
            code = (code << 6) | (next & 0x3fu);
        }
        whole = whole && !(length == 3 && (code < 0x800 || (code >= 0xd800 && code < 0xe000))) &&
                !(length == 4 && (code < 0x10000 || code > 0x10ffff));
        if (!whole) {
            escaped(c);
            ++i;
        } else if (code < 0xa0) {
            escaped(code);  // a control character of the second set
            i += length;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string inQuotes(std::string_view name) {
    return "\"" + printable(name, 60) + "\"";
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

// ---- Building the tree -------------------------------------------------------------------------

// A list of points, kept out of the tree: there a point would cost about a hundred bytes, here
// sixteen. What is wrong with it is kept for the reader, which says so in its own order.
struct PointList {
    std::vector<CGPoint> points;
    std::vector<std::size_t> moves;
    bool bad = false;
    std::size_t badEntry = 0;
    std::string why;
};

const char* const kNotAPoint = "a point must be two numbers, or null where it is not finite";
const char* const kLoneBreak = "a break (null) must stand between two points";

// Builds the tree in one pass over the text, with every list named "points" taken out into a
// PointList (the tree holds its index), and counts as it goes: a file of ten million points is
// turned away before ten million values are made. Keys are found in a tree, not searched in
// order, so that an object with a million keys costs no more than a million values.
class Builder : public nlohmann::json_sax<Json> {
  public:
    explicit Builder(std::string_view text) : text_(text) {}

    Json root;
    std::vector<PointList> lists;
    const std::string& error() const { return error_; }

    bool null() override { return inList_ ? entryNull() : put(Json(nullptr)); }
    bool boolean(bool b) override { return inList_ ? entryOther() : put(Json(b)); }
    bool number_integer(number_integer_t v) override {
        return inList_ ? entryNumber(static_cast<double>(v)) : put(Json(v));
    }
    bool number_unsigned(number_unsigned_t v) override {
        return inList_ ? entryNumber(static_cast<double>(v)) : put(Json(v));
    }
    bool number_float(number_float_t v, const string_t&) override {
        return inList_ ? entryNumber(v) : put(Json(v));
    }
    bool string(string_t& s) override { return inList_ ? entryOther() : put(Json(std::move(s))); }
    bool binary(binary_t&) override { return inList_ ? entryOther() : put(Json(nullptr)); }
    bool key(string_t& k) override {
        if (!inList_) {
            key_ = std::move(k);
        }
        return true;
    }
    bool start_object(std::size_t) override {
        return inList_ ? entryOpen(false) : open(Json::object());
    }
    bool end_object() override { return inList_ ? entryClose() : close(); }
    bool start_array(std::size_t) override {
        if (inList_) {
            return entryOpen(true);
        }
        if (!stack_.empty() && stack_.back()->is_object() && key_ == "points") {
            if (!deepEnough(1)) {
                return false;
            }
            lists.emplace_back();
            inList_ = true;
            depth_ = 0;
            entry_ = 0;
            pendingBreak_ = false;
            return put(Json::binary({}, lists.size() - 1));
        }
        return open(Json::array());
    }
    bool end_array() override { return inList_ ? entryClose() : close(); }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        const std::size_t at = position > 0 ? position - 1 : 0;
        error_ = "line " + std::to_string(lineAt(text_, at)) +
                 ": not a zwmap session (the file is not JSON: " + parserMessage(ex.what()) + ")";
        return false;
    }

  private:
    static constexpr std::size_t kMaxDepth = 32;

    // "[json.exception.parse_error.101] parse error at line 1, column 2: <what>": the what.
    static std::string parserMessage(std::string what) {
        if (what.rfind("[json.exception.", 0) == 0) {
            const std::size_t close = what.find("] ");
            what = close == std::string::npos ? std::string() : what.substr(close + 2);
        }
        if (what.rfind("parse error", 0) == 0) {
            const std::size_t colon = what.find(": ");
            if (colon != std::string::npos) {
                what = what.substr(colon + 2);
            }
        }
        return printable(what, 120);
    }

    bool deepEnough(std::size_t more) {
        if (stack_.size() + more > kMaxDepth) {
            error_ = "not a zwmap session (nested too deeply)";
            return false;
        }
        return true;
    }

    bool counted() {
        if (++values_ > SessionReader::kMaxValues) {
            error_ = "the session holds more than " + std::to_string(SessionReader::kMaxValues) +
                     " values besides its points";
            return false;
        }
        return true;
    }

    // Children go only into the innermost open container, so a pointer to it stays valid.
    bool put(Json&& v) {
        if (!counted()) {
            return false;
        }
        if (stack_.empty()) {
            root = std::move(v);
            last_ = &root;
        } else if (stack_.back()->is_array()) {
            stack_.back()->push_back(std::move(v));
            last_ = &stack_.back()->back();
        } else {
            // A key given twice: its last value, as for any JSON reader.
            Json& slot = (*stack_.back())[key_];
            slot = std::move(v);
            last_ = &slot;
        }
        return true;
    }
    bool open(Json&& container) {
        if (!deepEnough(1) || !put(std::move(container))) {
            return false;
        }
        stack_.push_back(last_);
        return true;
    }
    bool close() {
        stack_.pop_back();
        return true;
    }

    // ---- Entries of a point list: a point [x, y], or null for a break.
    PointList& list() { return lists.back(); }

    void markBad(std::size_t entry, const char* why) {
        PointList& l = list();
        if (!l.bad) {
            l.bad = true;
            l.badEntry = entry;
            l.why = why;
            l.points = {};
            l.moves = {};
        }
    }

    // A point's end, or anything else ending at the list's own level.
    bool entryDone(bool isPoint) {
        if (++points_ > SessionReader::kMaxPoints) {
            error_ = "the session holds more than " + std::to_string(SessionReader::kMaxPoints) +
                     " points";
            return false;
        }
        if (!isPoint) {
            markBad(entry_, kNotAPoint);
        } else if (!list().bad) {
            if (pendingBreak_) {
                list().moves.push_back(list().points.size());
            }
            list().points.push_back({coords_[0], coords_[1]});
        }
        pendingBreak_ = false;
        ++entry_;
        return true;
    }

    bool entryNumber(double v) {
        if (depth_ == 0) {
            return entryDone(false);
        }
        if (depth_ == 1 && count_ < 2) {
            coords_[count_] = v;
        } else {
            pointOk_ = false;
        }
        ++count_;
        return true;
    }
    bool entryNull() {
        if (depth_ > 0) {
            return entryNumber(std::numeric_limits<double>::quiet_NaN());
        }
        if (entry_ == 0 || pendingBreak_) {
            markBad(entry_, kLoneBreak);
        }
        pendingBreak_ = true;
        ++entry_;
        return true;
    }
    bool entryOther() {
        if (depth_ == 0) {
            return entryDone(false);
        }
        pointOk_ = false;
        return true;
    }
    bool entryOpen(bool isArray) {
        if (!deepEnough(2 + depth_)) {
            return false;
        }
        if (depth_ == 0) {
            pointOk_ = isArray;
            count_ = 0;
        } else {
            pointOk_ = false;
        }
        ++depth_;
        return true;
    }
    bool entryClose() {
        if (depth_ == 0) {
            if (pendingBreak_ && entry_ > 0) {
                markBad(entry_ - 1, kLoneBreak);
            }
            inList_ = false;
            return true;
        }
        if (--depth_ == 0) {
            return entryDone(pointOk_ && count_ == 2);
        }
        return true;
    }

    std::string_view text_;
    std::vector<Json*> stack_;
    Json* last_ = nullptr;
    std::string key_;
    std::size_t values_ = 0;
    std::size_t points_ = 0;
    std::string error_;

    bool inList_ = false;
    std::size_t depth_ = 0;
    std::size_t entry_ = 0;
    bool pendingBreak_ = false;
    bool pointOk_ = false;
    std::size_t count_ = 0;
    double coords_[2] = {0.0, 0.0};
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
                // The dialog never lets such a pair through; a file must not either, or the
                // pulled-back grid would be drawn wrong.
                const std::string fault = inverseFault(out.formula, out.inverse);
                if (!fault.empty()) {
                    fail(at / "inverse", "\"inverse\": " + fault);
                }
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
        if (!(std::fabs(out.centre.x) <= SessionReader::kMaxCentre &&
              std::fabs(out.centre.y) <= SessionReader::kMaxCentre)) {
            fail(viewAt / "centre", "\"centre\" is too far out (each part at most 2^900)");
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
            // The builder took every list named "points" out of the tree.
            const Json& points = Fields::member(list[i], pathAt, "points");
            if (!points.is_binary()) {
                fail(pathAt / "points", "\"points\" must be a list");
            }
            PointList& read = lists_.at(static_cast<std::size_t>(points.get_binary().subtype()));
            if (read.bad) {
                fail(pathAt / "points" / read.badEntry, read.why);
            }
            path.points = std::move(read.points);
            path.moves = std::move(read.moves);
            out.push_back(std::move(path));
        }
        return out;
    }

    std::vector<PointList>& lists_;
};

}  // namespace

bool SessionReader::read(std::string_view text, Session& session, std::string& error) {
    Builder builder(text);
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
                    ? "line " + std::to_string(lineAt(text, locate(text, invalid.where))) + ": " +
                          invalid.message
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
