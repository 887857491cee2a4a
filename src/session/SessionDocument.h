#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/Session.h"

namespace zw {

class Controller;
class Path;

// The session file the window shows: its name, whether what the file holds has changed since it
// was last saved or opened, and opening and saving it whole.
class SessionDocument {
  public:
    // What the controller shows now counts as unmodified (nothing, if it is not wired yet).
    explicit SessionDocument(Controller* controller);

    // Empty while the session has never been saved or opened.
    const std::string& path() const { return path_; }
    // The file's name without its folder, or "Untitled".
    std::string displayName() const;
    // Anything the file holds differs from the last save or open (or from the start): the
    // function, a view, an option, a colour, the paths. Changing it back, or undoing back to
    // it, is no change.
    bool isModified() const;
    // The session as it stands is the one to compare with, as after a save.
    void markUnmodified();
    // What the controller shows now is how a window starts: unmodified, and what New brings
    // back.
    void markStart();
    // Back to the start: its function, views, options and no paths, the undo history emptied
    // and no file, unmodified. The caller asks to save first.
    void startNew();

    // Reads and checks the whole file, and only then replaces what the planes show.
    bool open(const std::string& path, std::string& error);
    // Opens a recovery copy as the unsaved session it was: named `path` (empty: Untitled),
    // and modified until it is saved.
    bool openRecovered(const std::string& copy, const std::string& path, std::string& error);

    // Writes `bytes` to `path` whole, or leaves the file as it was and says why.
    using Writer =
        std::function<bool(const std::string& path, const std::string& bytes, std::string& error)>;
    // Saves the planes to `path`; a failed save leaves the session marked as modified.
    bool save(const std::string& path, const Writer& write, std::string& error);
    // The file's bytes for the planes as they are, or false and why it would not open again.
    bool contents(std::string& bytes, std::string& error) const;

    enum class Choice { Save, Discard, Cancel };
    // Before the session is closed: asks "Save changes to NAME?" when changes would be lost;
    // with none, Discard without asking.
    Choice askToSave() const;

    // Which path objects, how far each is drawn and where its ends are: paths keep their own
    // history (undo gives back the same objects), so the points need not be compared.
    struct PathMark {
        const Path* path;
        std::size_t count;
        // Bit patterns: the image of a pole is NaN, which no comparison of doubles finds equal.
        std::uint64_t firstX, firstY, lastX, lastY;
        bool operator==(const PathMark&) const = default;
    };
    struct Mark {
        // Everything but the paths, as the file would hold it.
        std::string settings;
        std::vector<PathMark> paths;
        bool operator==(const Mark&) const = default;
    };
    // What the file would hold, cheaply: two marks are equal when nothing changed between.
    Mark mark() const;

  private:
    Controller* controller_;
    std::string path_;
    Mark saved_;
    // Empty until markStart: New then only forgets the file.
    std::optional<Session> start_;
};

}  // namespace zw
