#include "session/SessionReader.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "planes/Viewport.h"
#include "platform/FileSystem.h"
#include "session/JsonFields.h"
#include "session/JsonPlace.h"
#include "session/PrintableText.h"
#include "session/SessionFields.h"
#include "session/SessionFunctionReader.h"
#include "session/SessionTreeBuilder.h"
#include "session/SessionWriter.h"

namespace zw {

namespace {

using Json = nlohmann::json;
using Where = JsonPath;
using Fields = JsonFields;

class Reader {
  public:
    explicit Reader(std::vector<PointList>& lists) : lists_(lists) {}

    Session read(const Json& root) {
        if (!root.is_object() || !root.contains("format") ||
            root["format"] != Json("zwmap-session")) {
            Fields::fail("not a zwmap session");
        }
        const Where top;
        const Json& version = Fields::member(root, top, "version");
        if (!version.is_number_integer()) {
            Fields::fail(top / "version", "\"version\" must be a whole number");
        }
        // A number that is not negative is read as unsigned: so is any version to come.
        if (version.is_number_unsigned()) {
            const auto v = version.get<std::uint64_t>();
            if (v > static_cast<std::uint64_t>(SessionWriter::kVersion)) {
                Fields::fail("made by a newer zwmap (version " + std::to_string(v) + ")");
            }
            if (v < 1) {
                Fields::fail(top / "version", "unknown version " + std::to_string(v));
            }
        } else {
            Fields::fail(top / "version",
                         "unknown version " + std::to_string(version.get<std::int64_t>()));
        }

        Session s;
        const Json& function_ = Fields::object(root, top, "function");
        s.function = SessionFunctionReader::function(function_, top / "function");
        SessionFunctionReader::motion(function_, top / "function", s);

        for (const sessionfields::Section& part : sessionfields::sections()) {
            section(Fields::object(root, top, part.key), top / part.key, part, s);
        }
        if (s.range.paths.size() != s.domain.paths.size()) {
            Fields::fail(top / "range" / "paths", "the range must have one path for each of the " +
                                                      std::to_string(s.domain.paths.size()) +
                                                      " domain paths, not " +
                                                      std::to_string(s.range.paths.size()));
        }
        return s;
    }

  private:
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
                    (s.*part.plane).pathColor = Fields::colour(p, at, field.key);
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
                        Fields::fail(at / field.key, "unknown shading colours " +
                                                         inQuotes(colours) +
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
            Fields::fail(viewAt / "scaleFactor",
                         "\"scaleFactor\" must be between 2^-100 and 2^100");
        }
        out.scaleFactor = static_cast<float>(scale);
        const Json& centre = Fields::member(view, viewAt, "centre");
        if (!centre.is_array() || centre.size() != 2 || !centre[0].is_number() ||
            !centre[1].is_number()) {
            Fields::fail(viewAt / "centre", "\"centre\" must be two numbers");
        }
        out.centre = {centre[0].get<double>(), centre[1].get<double>()};
        if (!(std::fabs(out.centre.x) <= SessionReader::kMaxCentre &&
              std::fabs(out.centre.y) <= SessionReader::kMaxCentre)) {
            Fields::fail(viewAt / "centre", "\"centre\" is too far out (each part at most 2^900)");
        }
    }

    std::vector<Session::Path> paths(const Json& parent, const Where& at, const char* key,
                                     std::size_t expected) {
        const Json& list = Fields::list(parent, at, key);
        const Where listAt = at / key;
        if (expected != std::numeric_limits<std::size_t>::max() && list.size() != expected) {
            Fields::fail(listAt, inQuotes(key) + " must have one path for each of the " +
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
        out.color = Fields::colour(entry, pathAt, "color");
        // The builder took every list named "points" out of the tree.
        const Json& points = Fields::member(entry, pathAt, "points");
        if (!points.is_binary()) {
            Fields::fail(pathAt / "points", "\"points\" must be a list");
        }
        PointList& read = lists_.at(static_cast<std::size_t>(points.get_binary().subtype()));
        if (read.bad) {
            Fields::fail(pathAt / "points" / read.badEntry, read.why);
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
                Fields::fail(pathAt / "after", "\"after\" must be a whole number from " +
                                                   std::to_string(earliest) + " to " +
                                                   std::to_string(domainPaths) +
                                                   " (the domain paths drawn before it)");
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
    } catch (const JsonFields::Invalid& invalid) {
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
