#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>

#include "platform/Color.h"
#include "session/JsonPlace.h"

namespace zw {

// Checked reads of the fields of a session file. Whatever is wrong with a field is thrown as an
// Invalid that says what and where, for the reader to turn into its one line.
class JsonFields {
  public:
    using Json = nlohmann::json;

    // A broken file: the message, and where in the document it applies (if anywhere).
    struct Invalid {
        std::string message;
        bool located = false;
        JsonPath where;
    };
    [[noreturn]] static void fail(const JsonPath& where, std::string message);
    [[noreturn]] static void fail(std::string message);

    // The member `key` of `object`, which must be an object that has it.
    static const Json& member(const Json& object, const JsonPath& at, const char* key);
    static const Json& object(const Json& parent, const JsonPath& at, const char* key);
    static const Json& list(const Json& parent, const JsonPath& at, const char* key);
    static bool flag(const Json& parent, const JsonPath& at, const char* key);
    static std::string text(const Json& parent, const JsonPath& at, const char* key);
    static double number(const Json& parent, const JsonPath& at, const char* key);
    // Four numbers from 0 to 1: red, green, blue and alpha.
    static Color colour(const Json& parent, const JsonPath& at, const char* key);
};

}  // namespace zw
