#include "session/SessionFunctionReader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "engine/Catalogue.h"
#include "formula/FormulaParser.h"
#include "formula/InverseCheck.h"
#include "session/PrintableText.h"

namespace zw {

namespace {

using Json = nlohmann::json;
using Where = JsonPath;
using Fields = JsonFields;

}  // namespace

ActiveFunction SessionFunctionReader::function(const Json& f, const Where& at) {
    ActiveFunction out;
    const std::string kind = Fields::text(f, at, "kind");
    if (kind == "catalogue") {
        out.kind = ActiveFunction::Kind::Catalogue;
        out.title = Fields::text(f, at, "title");
        if (catalogue::find(out.title) == nullptr) {
            Fields::fail(at / "title", "unknown function " + inQuotes(out.title));
        }
    } else if (kind == "map") {
        out.kind = ActiveFunction::Kind::UserMap;
        out.title = Fields::text(f, at, "name");
        if (!catalogue::isUserMapName(out.title)) {
            Fields::fail(at / "name", "unknown map " + inQuotes(out.title));
        }
        const Json& c = Fields::list(f, at, "coefficients");
        const auto bad = [&] {
            Fields::fail(at / "coefficients",
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
                    out.coefficients[i] = word == "nan"   ? std::numeric_limits<float>::quiet_NaN()
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
                Fields::fail(at / "coefficients" / i, "a coefficient is too large");
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
        Fields::fail(at / "kind",
                     "unknown kind of function " + inQuotes(kind) + " (catalogue, map or formula)");
    }
    return out;
}

void SessionFunctionReader::motion(const Json& f, const Where& at, Session& s) {
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
                Fields::fail(listAt / i / "name",
                             "parameter " + inQuotes(p.name) + " is given twice");
            }
            s.parameters.push_back(std::move(p));
        }
    }
    // The dialog never lets a pair through whose inverse does not undo f at the values it
    // has; a file must not either, or the pulled-back grid would be drawn wrong.
    if (!s.function.inverse.empty()) {
        const std::string fault = inverseFault(s.function.formula, s.function.inverse, values);
        if (!fault.empty()) {
            Fields::fail(at / "inverse", "\"inverse\": " + fault);
        }
    }
}

Session::Parameter SessionFunctionReader::parameter(const Json& p, const Where& at,
                                                    const std::vector<std::string>& names) {
    Session::Parameter out;
    out.name = Fields::text(p, at, "name");
    if (std::find(names.begin(), names.end(), out.name) == names.end()) {
        Fields::fail(at / "name", "the function has no parameter " + inQuotes(out.name));
    }
    const Json& value = Fields::member(p, at, "value");
    if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number()) {
        Fields::fail(at / "value", "\"value\" must be two numbers (real and imaginary part)");
    }
    out.value = {value[0].get<double>(), value[1].get<double>()};
    if (!std::isfinite(out.value.real()) || !std::isfinite(out.value.imag())) {
        Fields::fail(at / "value", "\"value\" must be finite");
    }
    out.settings.min = Fields::number(p, at, "min");
    out.settings.max = Fields::number(p, at, "max");
    if (!std::isfinite(out.settings.min) || !std::isfinite(out.settings.max) ||
        !(out.settings.min < out.settings.max)) {
        Fields::fail(at / "max", "\"min\" must be less than \"max\"");
    }
    out.settings.complex = Fields::flag(p, at, "complex");
    if (!out.settings.complex && out.value.imag() != 0.0) {
        Fields::fail(at / "value", "a real parameter's \"value\" has no imaginary part");
    }
    const std::string play = Fields::text(p, at, "play");
    if (play == "loop" || play == "bounce") {
        out.settings.play.mode =
            play == "loop" ? PlaySettings::Mode::Loop : PlaySettings::Mode::Bounce;
    } else {
        Fields::fail(at / "play", "unknown play " + inQuotes(play) + " (loop or bounce)");
    }
    out.settings.play.speed = Fields::number(p, at, "speed");
    if (!(out.settings.play.speed > 0.0) || !std::isfinite(out.settings.play.speed)) {
        Fields::fail(at / "speed", "\"speed\" must be a number above 0");
    }
    return out;
}

void SessionFunctionReader::formulaText(const std::string& text, std::string_view variable,
                                        const Where& at, const char* key) {
    FormulaProgram program;
    FormulaError fault;
    if (!FormulaParser::compile(text, variable, program, fault)) {
        Fields::fail(at / key, inQuotes(key) + ": " + fault.message);
    }
}

}  // namespace zw
