#pragma once

#include <string>

#include "session/Session.h"

namespace zw {

// Writes a session as JSON. Numbers are written in the C locale's notation, each as the
// shortest text that reads back to the same double; non-finite coordinates as null, a lone
// null between two points where an image breaks, and non-finite coefficients as the words
// "inf", "-inf" and "nan" (JSON has no such numbers). Whatever it writes, SessionReader reads
// back to the same session, within the limits SessionDocument checks before saving.
class SessionWriter {
  public:
    static constexpr int kVersion = 1;
    static std::string write(const Session& session);
};

}  // namespace zw
