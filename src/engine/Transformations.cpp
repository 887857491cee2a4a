#include "engine/Transformations.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/ActiveFunction.h"
#include "engine/Catalogue.h"
#include "engine/FormulaMaps.h"
#include "engine/Morph.h"
#include "engine/UserMaps.h"
#include "formula/FormulaParser.h"
#include "platform/Log.h"

namespace zw {

namespace engine {
ComplexFunction func = nullptr;
ComplexFunction funcinv = nullptr;
}  // namespace engine

namespace {

Evaluation evaluated(ComplexFunction f, CGPoint z) {
    engine::standIn = Outcome::Value;
    Evaluation e{f(z), engine::standIn};
    if (e.outcome == Outcome::Value && !(std::isfinite(e.w.x) && std::isfinite(e.w.y))) {
        e.outcome = std::isinf(e.w.x) || std::isinf(e.w.y) ? Outcome::Pole : Outcome::Undefined;
    }
    return e;
}

// Runs the evaluations of `work` with the log muted and invert's last good point kept.
template <typename Work>
auto quietly(Work work) {
    const CGPoint lastGood = engine::lastGoodPoint;
    LogSink previous = setLogSink([](const std::string&) {});
    const auto result = work();
    setLogSink(std::move(previous));
    engine::lastGoodPoint = lastGood;
    return result;
}

}  // namespace

void Transformations::setFunction(const std::string& title) {
    if (const catalogue::Entry* entry = catalogue::find(title)) {
        engine::active = ActiveFunction{ActiveFunction::Kind::Catalogue, title, {}, {}, {}};
        engine::func = entry->forward;
        if (entry->inverse != nullptr) {
            engine::funcinv = entry->inverse;
        }
    } else {
        log("unknown function specifed, namely %s, behaving as identity", title.c_str());
        engine::active = ActiveFunction{ActiveFunction::Kind::Catalogue, "Identity", {}, {}, {}};
        engine::func = identity;
        engine::funcinv = identity;
    }
    wrapMorph();
}

void Transformations::wrapMorph() {
    if (engine::morphing && engine::func != morphFunction) {
        engine::morphBase = engine::func;
        engine::func = morphFunction;
    }
}

ComplexFunction Transformations::baseFunction() const {
    return engine::func == morphFunction ? engine::morphBase : engine::func;
}

namespace {

// The value a formula is compiled with for each of its parameters.
bool compileAt(const std::string& text, const char* variable, FormulaProgram& program,
               FormulaError& fault) {
    return FormulaParser::compile(text, variable, program, fault, engine::formulaValues);
}

// The formula installed now, compiled again at the values now given.
void recompileFormula() {
    const ActiveFunction& active = engine::active;
    if (active.kind != ActiveFunction::Kind::Formula) {
        return;
    }
    FormulaError fault;
    FormulaProgram forward;
    if (compileAt(active.formula, "z", forward, fault)) {
        engine::formulaProgram = std::move(forward);
    }
    FormulaProgram backward;
    if (engine::formulaHasInverse && compileAt(active.inverse, "w", backward, fault)) {
        engine::formulaInverseProgram = std::move(backward);
    }
}

}  // namespace

std::vector<std::string> Transformations::parameterNames() const {
    std::vector<std::string> names;
    const ActiveFunction& active = engine::active;
    if (active.kind == ActiveFunction::Kind::Formula) {
        FormulaProgram program;
        FormulaError fault;
        FormulaParser::compile(active.formula, "z", program, fault, engine::formulaValues, &names);
        if (!active.inverse.empty()) {
            FormulaParser::compile(active.inverse, "w", program, fault, engine::formulaValues,
                                   &names);
        }
    }
    if (engine::morphing && std::find(names.begin(), names.end(), "t") == names.end()) {
        names.emplace_back("t");
    }
    return names;
}

const ParameterValues& Transformations::parameterValues() const {
    return engine::formulaValues;
}

std::complex<double> Transformations::defaultValue(const std::string& name, bool morphing) {
    return morphing && name == "t" ? std::complex<double>(1.0, 0.0)
                                   : std::complex<double>(FormulaParser::kParameterDefault, 0.0);
}

std::complex<double> Transformations::parameterValue(const std::string& name) const {
    const auto known = engine::formulaValues.find(name);
    return known != engine::formulaValues.end() ? known->second
                                                : defaultValue(name, engine::morphing);
}

bool Transformations::setParameterValue(const std::string& name, std::complex<double> value) {
    const std::vector<std::string> names = parameterNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        return false;
    }
    engine::formulaValues[name] = value;
    if (name == "t") {
        engine::morphT = value;
    }
    recompileFormula();
    return true;
}

void Transformations::resetParameters() {
    setMorph(false);
    engine::formulaValues.clear();
    engine::parameterSettings.clear();
    engine::morphT = defaultValue("t", true);
    recompileFormula();
}

ParameterSettings Transformations::parameterSettings(const std::string& name) const {
    const auto known = engine::parameterSettings.find(name);
    if (known != engine::parameterSettings.end()) {
        return known->second;
    }
    ParameterSettings settings;
    if (name == "t" && engine::morphing) {
        settings.min = 0.0;
        settings.max = 1.0;
    }
    return settings;
}

void Transformations::setParameterSettings(const std::string& name,
                                           const ParameterSettings& settings) {
    engine::parameterSettings[name] = settings;
}

void Transformations::setMorph(bool on) {
    if (on == engine::morphing) {
        return;
    }
    if (on) {
        // t starts where the picture is f itself, unless it is the formula's own parameter:
        // then f keeps its value.
        const std::vector<std::string> own = parameterNames();
        if (std::find(own.begin(), own.end(), "t") == own.end()) {
            engine::formulaValues["t"] = defaultValue("t", true);
        } else {
            engine::formulaValues.try_emplace("t", defaultValue("t", false));
        }
        engine::morphing = true;
        engine::morphT = parameterValue("t");
        wrapMorph();
        return;
    }
    engine::morphing = false;
    if (engine::func == morphFunction) {
        engine::func = engine::morphBase;
    }
}

bool Transformations::morphing() const {
    return engine::morphing;
}

CGPoint Transformations::transform(CGPoint z) const {
    return engine::func(z);
}

CGPoint Transformations::transformInv(CGPoint w) const {
    return engine::funcinv != nullptr ? engine::funcinv(w) : w;
}

Evaluation Transformations::evaluate(CGPoint z) const {
    return evaluated(engine::func, z);
}

Evaluation Transformations::evaluateInverse(CGPoint w) const {
    return engine::funcinv != nullptr ? evaluated(engine::funcinv, w) : Evaluation{w};
}

Evaluation Transformations::probe(CGPoint z) const {
    return quietly([z] { return evaluated(engine::func, z); });
}

Evaluation Transformations::probeInverse(CGPoint w) const {
    if (engine::funcinv == nullptr) {
        return Evaluation{w};
    }
    return quietly([w] { return evaluated(engine::funcinv, w); });
}

bool Transformations::hasValueAtAny(const std::vector<CGPoint>& points) const {
    return quietly([&points] {
        for (const CGPoint z : points) {
            if (evaluated(engine::func, z).isValue()) {
                return true;
            }
        }
        return false;
    });
}

const ActiveFunction& Transformations::activeFunction() const {
    return engine::active;
}

bool Transformations::hasInverse() const {
    if (engine::morphing && engine::morphT != 1.0) {
        return false;
    }
    const ComplexFunction f = baseFunction();
    if (f == usersAffineMap || f == usersMobiusMap) {
        return true;
    }
    if (f == formulaFunction) {
        return engine::formulaHasInverse;
    }
    for (const catalogue::Entry& entry : catalogue::functions()) {
        if (f == entry.forward) {
            return entry.inverse != nullptr;
        }
    }
    return false;
}

bool Transformations::setFormula(const std::string& formula, const std::string& inverse,
                                 std::string& error) {
    FormulaProgram forward;
    FormulaProgram backward;
    FormulaError fault;
    if (!compileAt(formula, "z", forward, fault)) {
        error = "f(z): " + fault.message;
        return false;
    }
    const bool withInverse = inverse.find_first_not_of(" \t\n\r\f\v") != std::string::npos;
    if (withInverse && !compileAt(inverse, "w", backward, fault)) {
        error = "inverse: " + fault.message;
        return false;
    }
    engine::formulaProgram = std::move(forward);
    engine::func = formulaFunction;
    engine::formulaHasInverse = withInverse;
    if (withInverse) {
        engine::formulaInverseProgram = std::move(backward);
        engine::funcinv = formulaInverse;
    }
    engine::active = ActiveFunction{ActiveFunction::Kind::Formula,
                                    "Formula",
                                    {},
                                    formula,
                                    withInverse ? inverse : std::string()};
    wrapMorph();
    return true;
}

void Transformations::setParameters(const std::string& name, float aR, float aI, float bR, float bI,
                                    float cR, float cI, float dR, float dI) {
    if (name == catalogue::kMobiusMap) {
        engine::aRm = aR, engine::aIm = aI, engine::bRm = bR, engine::bIm = bI;
        engine::cRm = cR, engine::cIm = cI, engine::dRm = dR, engine::dIm = dI;
        engine::func = usersMobiusMap;
        engine::funcinv = inverseUsersMobiusMap;
    } else if (name == catalogue::kPolynomial) {
        engine::aRp = aR, engine::aIp = aI, engine::bRp = bR, engine::bIp = bI;
        engine::cRp = cR, engine::cIp = cI, engine::dRp = dR, engine::dIp = dI;
        engine::func = usersPolynomial;
    } else if (name == catalogue::kAffineMap) {
        // The dialog's real parts of a and b carry the translation; cR and dR mean nothing.
        engine::a = aI, engine::b = bI, engine::c = cI, engine::d = dI;
        engine::u = aR, engine::v = bR;
        log("Transformations.setParameters here, setting affine parameters, a = %f, b = %f, "
            "c=%f, d=%f",
            static_cast<double>(engine::a), static_cast<double>(engine::b),
            static_cast<double>(engine::c), static_cast<double>(engine::d));
        engine::func = usersAffineMap;
        engine::funcinv = inverseUsersAffineMap;
    } else {
        log("setParameters called with unrecognisd function");
        return;
    }
    engine::active = ActiveFunction{
        ActiveFunction::Kind::UserMap, name, {aR, aI, bR, bI, cR, cI, dR, dI}, {}, {}};
    wrapMorph();
}

}  // namespace zw
