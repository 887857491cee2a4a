#include "session/JsonFields.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "session/PrintableText.h"

namespace zw {

void JsonFields::fail(const JsonPath& where, std::string message) {
    throw Invalid{std::move(message), true, where};
}

void JsonFields::fail(std::string message) {
    throw Invalid{std::move(message), false, {}};
}

const JsonFields::Json& JsonFields::member(const Json& object, const JsonPath& at,
                                           const char* key) {
    if (!object.is_object()) {
        fail(at, "must be an object");
    }
    const auto it = object.find(key);
    if (it == object.end()) {
        fail(at, inQuotes(key) + " is missing");
    }
    return *it;
}

const JsonFields::Json& JsonFields::object(const Json& parent, const JsonPath& at,
                                           const char* key) {
    const Json& v = member(parent, at, key);
    if (!v.is_object()) {
        fail(at / key, inQuotes(key) + " must be an object");
    }
    return v;
}

const JsonFields::Json& JsonFields::list(const Json& parent, const JsonPath& at, const char* key) {
    const Json& v = member(parent, at, key);
    if (!v.is_array()) {
        fail(at / key, inQuotes(key) + " must be a list");
    }
    return v;
}

bool JsonFields::flag(const Json& parent, const JsonPath& at, const char* key) {
    const Json& v = member(parent, at, key);
    if (!v.is_boolean()) {
        fail(at / key, inQuotes(key) + " must be true or false");
    }
    return v.get<bool>();
}

std::string JsonFields::text(const Json& parent, const JsonPath& at, const char* key) {
    const Json& v = member(parent, at, key);
    if (!v.is_string()) {
        fail(at / key, inQuotes(key) + " must be text");
    }
    return v.get<std::string>();
}

double JsonFields::number(const Json& parent, const JsonPath& at, const char* key) {
    const Json& v = member(parent, at, key);
    if (!v.is_number()) {
        fail(at / key, inQuotes(key) + " must be a number");
    }
    return v.get<double>();
}

Color JsonFields::colour(const Json& parent, const JsonPath& at, const char* key) {
    const Json& v = member(parent, at, key);
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

}  // namespace zw
