// Reading a session never crashes or hangs, and a file that is turned away leaves the session
// it was read into as it was. One that is taken writes back to text that reads the same.
// fuzz runs: 50000
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zw::Session session;
    session.function.title = "Sin";
    session.domain.paths.push_back({zw::Color::redColor(), {{1.0, 2.0}}});
    const std::string before = zw::SessionWriter::write(session);
    std::string error;
    if (!zw::SessionReader::read(text, session, error)) {
        if (error.empty() || zw::SessionWriter::write(session) != before) {
            std::abort();
        }
        return 0;
    }
    const std::string once = zw::SessionWriter::write(session);
    zw::Session again;
    if (!zw::SessionReader::read(once, again, error) || zw::SessionWriter::write(again) != once) {
        std::abort();
    }
    return 0;
}
