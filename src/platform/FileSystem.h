#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zw {

// Opening, reading and writing whole files, with reasons a person can act on. Only regular
// files are read: a named pipe or a device would block or never end.
class FileSystem {
  public:
    // Why an operation failed, from its errno: "no space left on the device", "permission
    // denied", ... (never "Unknown error").
    static std::string reason(int errnum);
    // What a path names that is not a regular file ("a folder", "a named pipe", "a device",
    // "a socket"); empty for a regular file. `mode` is a stat st_mode.
    static std::string kindOf(unsigned mode);

    enum class Read { Done, Missing, NotAFile, TooLarge, Failed };
    // Reads the regular file at `path` whole. Anything else is refused before its contents
    // are touched, at once: a named pipe with no writer never holds it up. At most `limit`
    // bytes: more gives TooLarge, with the size in `size` when it was known beforehand (else
    // 0). On failure `why` says what the path is (NotAFile: "a named pipe") or why it could
    // not be read (Failed: "permission denied", "its symbolic links go round in a loop").
    static Read readWhole(const std::string& path, std::uintmax_t limit, std::string& text,
                          std::string& why, std::uintmax_t& size);

    // Writes `bytes` to `path` whole or not at all, and false with one line in `error`
    // ("PATH: cannot be written (REASON)"). A regular file (or a new one) is replaced only
    // once the new one is completely on disk: a temporary file beside it, with the old
    // file's permissions, is renamed over it. A symbolic link stays a link: its target is
    // written. A character device or a named pipe is written in place (it cannot be
    // replaced); a pipe nobody reads from is refused at once. A folder, a block device or a
    // socket is refused.
    static bool writeWhole(const std::string& path, std::string_view bytes, std::string& error);
    // Writes `bytes` to the open descriptor `fd` whole, going on after an interrupted write;
    // false with errno saying why where it cannot (EIO where the system wrote nothing and gave
    // no reason).
    static bool writeAll(int fd, std::string_view bytes);
};

}  // namespace zw
