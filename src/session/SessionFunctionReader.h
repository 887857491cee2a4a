#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "session/JsonFields.h"
#include "session/Session.h"

namespace zw {

// A session file's "function": the kind, and the catalogue title, the map's coefficients or the
// formulas (compiled here, so that one that does not read is turned away before anything
// changes); then its parameters and the morph. What is wrong is thrown as a JsonFields::Invalid.
class SessionFunctionReader {
  public:
    static ActiveFunction function(const nlohmann::json& f, const JsonPath& at);
    // The parameters and the morph, which files from before them do not have.
    static void motion(const nlohmann::json& f, const JsonPath& at, Session& s);

  private:
    static Session::Parameter parameter(const nlohmann::json& p, const JsonPath& at,
                                        const std::vector<std::string>& names);
    static void formulaText(const std::string& text, std::string_view variable, const JsonPath& at,
                            const char* key);
};

}  // namespace zw
