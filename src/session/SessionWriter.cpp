#include "session/SessionWriter.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "session/SessionFields.h"

namespace zw {

namespace {

using Json = nlohmann::ordered_json;  // keys in the order written

// The shortest text that reads back to the same double, or null where it is not finite.
void appendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    // The JSON library's own notation, so that a number reads the same in every list.
    char buffer[64];
    char* const end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, end);
}

// Lists of numbers (points, colours, coefficients) are written on one line each: the document
// is laid out with indentation, which would give every number a line. They stand in the tree
// as markers that are replaced once the tree is written.
class OneLine {
  public:
    Json keep(const Json& list) { return keepText(list.dump()); }
    Json keepText(std::string text) {
        lines_.push_back(std::move(text));
        return Json(marker(lines_.size() - 1));
    }

    std::string fill(const std::string& text) const {
        // The marker as written: a quote, the escaped control character, the word.
        std::string opening = Json(marker(0)).dump();
        opening.resize(opening.size() - 2);
        std::string out;
        std::size_t total = text.size();
        for (const std::string& line : lines_) {
            total += line.size();
        }
        out.reserve(total);
        std::size_t from = 0;
        for (std::size_t at = text.find(opening); at != std::string::npos;
             at = text.find(opening, from)) {
            std::size_t end = at + opening.size();
            std::size_t index = 0;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
                index = index * 10 + static_cast<std::size_t>(text[end] - '0');
                ++end;
            }
            out.append(text, from, at - from);
            out += lines_.at(index);
            from = end + 1;  // past the closing quote
        }
        out.append(text, from, std::string::npos);
        return out;
    }

  private:
    // No session text can hold a control character unescaped, so the marker is unique.
    static std::string marker(std::size_t i) { return "\x01list " + std::to_string(i); }
    std::vector<std::string> lines_;
};

Json color(const Color& c, OneLine& lines) {
    return lines.keep(Json::array({c.red(), c.green(), c.blue(), c.alpha()}));
}

Json paths(const std::vector<Session::Path>& list, OneLine& lines) {
    Json out = Json::array();
    for (const Session::Path& path : list) {
        // Written straight to text: a tree of a million points would take a hundred megabytes.
        std::string points = "[";
        points.reserve(2 + 24 * path.points.size());
        auto move = path.moves.begin();
        for (std::size_t i = 0; i < path.points.size(); ++i) {
            if (i > 0) {
                points += ',';
            }
            // A null between two points: the image breaks there, a move and not a line.
            bool jump = false;
            for (; move != path.moves.end() && *move <= i; ++move) {
                jump = jump || *move == i;
            }
            if (jump && i > 0) {
                points += "null,";
            }
            points += '[';
            appendNumber(points, path.points[i].x);
            points += ',';
            appendNumber(points, path.points[i].y);
            points += ']';
        }
        points += ']';
        Json color_ = color(path.color, lines);
        out.push_back(
            Json{{"color", std::move(color_)}, {"points", lines.keepText(std::move(points))}});
    }
    return out;
}

Json rangePaths(const std::vector<Session::RangePath>& list, OneLine& lines) {
    Json out = Json::array();
    for (const Session::RangePath& r : list) {
        Json drawn = paths({r.path}, lines).at(0);
        drawn["after"] = r.after;
        drawn["preimages"] = paths(r.preimages, lines);
        out.push_back(std::move(drawn));
    }
    return out;
}

Json view(const Session::Plane& plane, OneLine& lines) {
    return Json{{"scaleFactor", static_cast<double>(plane.scaleFactor)},
                {"centre", lines.keep(Json::array({plane.centre.x, plane.centre.y}))}};
}

Json function(const ActiveFunction& f, OneLine& lines) {
    switch (f.kind) {
        case ActiveFunction::Kind::UserMap: {
            Json coefficients = Json::array();
            for (float c : f.coefficients) {
                // JSON has no infinities: a coefficient typed past single range is text.
                if (std::isnan(c)) {
                    coefficients.push_back("nan");
                } else if (std::isinf(c)) {
                    coefficients.push_back(c > 0.0f ? "inf" : "-inf");
                } else {
                    coefficients.push_back(static_cast<double>(c));
                }
            }
            return Json{
                {"kind", "map"}, {"name", f.title}, {"coefficients", lines.keep(coefficients)}};
        }
        case ActiveFunction::Kind::Formula:
            return Json{{"kind", "formula"}, {"formula", f.formula}, {"inverse", f.inverse}};
        case ActiveFunction::Kind::Catalogue:
            break;
    }
    return Json{{"kind", "catalogue"}, {"title", f.title}};
}

const char* playModeName(PlaySettings::Mode mode) {
    return mode == PlaySettings::Mode::Bounce ? "bounce" : "loop";
}

// Written only where there is something to keep, so that a session without parameters or the
// morph reads as it always did.
void addParameters(Json& function, const Session& s, OneLine& lines) {
    if (!s.parameters.empty()) {
        Json list = Json::array();
        for (const Session::Parameter& p : s.parameters) {
            list.push_back(
                Json{{"name", p.name},
                     {"value", lines.keep(Json::array({p.value.real(), p.value.imag()}))},
                     {"min", p.settings.min},
                     {"max", p.settings.max},
                     {"complex", p.settings.complex},
                     {"play", playModeName(p.settings.play.mode)},
                     {"speed", p.settings.play.speed}});
        }
        function["parameters"] = std::move(list);
    }
    if (s.morph) {
        function["morph"] = true;
    }
}

Json section(const Session& s, const sessionfields::Section& part, OneLine& lines) {
    using sessionfields::Kind;
    Json out = Json::object();
    for (const sessionfields::Field& field : part.fields) {
        Json& value = out[field.key];
        switch (field.kind) {
            case Kind::View:
                value = view(s.*part.plane, lines);
                break;
            case Kind::Flag:
                value = sessionfields::flagIn(s, part, field);
                break;
            case Kind::Colour:
                value = color((s.*part.plane).pathColor, lines);
                break;
            case Kind::Paths:
                value = paths((s.*part.plane).paths, lines);
                break;
            case Kind::DomainImages:
                value = paths(s.transformedPathsShownInDomain, lines);
                break;
            case Kind::ShadingColours:
                value = sessionfields::shadingColoursName(s.shadingColours);
                break;
            case Kind::RangePaths:
                value = rangePaths(s.rangePaths, lines);
                break;
        }
    }
    return out;
}

}  // namespace

std::string SessionWriter::write(const Session& s) {
    OneLine lines;
    Json root{{"format", "zwmap-session"},
              {"version", kVersion},
              {"function", function(s.function, lines)}};
    addParameters(root["function"], s, lines);
    for (const sessionfields::Section& part : sessionfields::sections()) {
        root[part.key] = section(s, part, lines);
    }
    return lines.fill(root.dump(1)) + "\n";
}

}  // namespace zw
