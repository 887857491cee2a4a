#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "session/Session.h"

namespace zw {

// Reads a session file whole and checks every field before anything is handed out, so that a
// broken file changes nothing. Errors are one line: what is wrong and, where it helps, the
// line of the file it is on.
class SessionReader {
  public:
    // Far above any session drawn by hand, far below what would exhaust memory: reading
    // builds a tree of about 100 bytes a point before the points are checked.
    static constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;
    static constexpr std::size_t kMaxPointsPerPath = 1'000'000;
    static constexpr std::size_t kMaxPoints = 2'000'000;

    // Fills `session` only when the whole text is a valid session; otherwise sets `error`.
    static bool read(std::string_view text, Session& session, std::string& error);
    // The same for a file; the error starts with the file's name.
    static bool load(const std::string& path, Session& session, std::string& error);
};

}  // namespace zw
