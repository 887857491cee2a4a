#pragma once

#include <string>
#include <vector>

namespace zw {

// Which translation the window speaks: the first of the person's languages, in their order of
// preference, that zwmap has, or "" for English (the language the texts are written in). An
// English entry before any translated one keeps English; "de-AT" and "de_DE.UTF-8" find "de".
std::string chooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& available);

}  // namespace zw
