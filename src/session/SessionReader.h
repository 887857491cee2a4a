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
    // Far above any session the program lets one make (see DomainView::kMaxHeldPoints), far
    // below what would exhaust memory: a point read costs sixteen bytes, and the text is held
    // while it is read, so reading the largest file takes about twice its size.
    static constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;
    // Only points count, wherever in the file their lists are: [x, y] pairs, not the nulls
    // between an image's pieces.
    static constexpr std::size_t kMaxPoints = 8'000'000;
    // Every other value: about seven for each path in each of the three lists.
    static constexpr std::size_t kMaxValues = 1'000'000;
    // Each part of a view's centre: a power of two, so that the largest scale factor times it
    // is exact and finite, and no zoom or pan from a centre within it goes past it.
    static constexpr double kMaxCentre = 0x1p900;

    // Fills `session` only when the whole text is a valid session; otherwise sets `error`.
    static bool read(std::string_view text, Session& session, std::string& error);
    // The same for a file; the error starts with the file's name.
    static bool load(const std::string& path, Session& session, std::string& error);
};

}  // namespace zw
