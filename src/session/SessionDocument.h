#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zw {

class Controller;
class Path;

// The session file the window shows: its name, whether paths were drawn since it was last
// saved or opened, and opening and saving it whole.
class SessionDocument {
  public:
    explicit SessionDocument(Controller* controller);

    // Empty while the session has never been saved or opened.
    const std::string& path() const { return path_; }
    // The file's name without its folder, or "Untitled".
    std::string displayName() const;
    // Paths were drawn, removed, restored or cleared since the last save or open.
    bool isModified() const;

    // Reads and checks the whole file, and only then replaces what the planes show.
    bool open(const std::string& path, std::string& error);

    // Writes `bytes` to `path` whole, or leaves the file as it was and says why.
    using Writer =
        std::function<bool(const std::string& path, const std::string& bytes, std::string& error)>;
    // Saves the planes to `path`; a failed save leaves the session marked as modified.
    bool save(const std::string& path, const Writer& write, std::string& error);

    enum class Choice { Save, Discard, Cancel };
    // Before the session is closed: asks "Save changes to NAME?" when paths would be lost;
    // with none, Discard without asking.
    Choice askToSave() const;

  private:
    using Mark = std::vector<std::pair<const Path*, std::size_t>>;
    Mark mark() const;

    Controller* controller_;
    std::string path_;
    Mark saved_;
};

}  // namespace zw
