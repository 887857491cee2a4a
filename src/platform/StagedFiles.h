#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Files that appear together or not at all: each is written under a hidden temporary name
// beside its final one, and only `commit` renames them into place, in the order staged. Until
// then, and after a failure anywhere (a commit that stops half way included), everything
// written is removed: an animation cancelled or failed leaves nothing behind.
class StagedFiles {
  public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    // Removes what was staged and not committed.
    ~StagedFiles();

    // A new temporary file beside `path`, open for writing: its descriptor, which the caller
    // closes (directly or through a library that owns it), or -1 with one line in `error`
    // ("PATH: cannot be written (REASON)").
    int stage(const std::string& path, std::string& error);
    // Stages a file beside `path` that holds `bytes`, written whole and closed. On failure, with
    // one line in `error` ("PATH: cannot be written (REASON)"), nothing staged stays.
    bool write(const std::string& path, std::string_view bytes, std::string& error);
    // The temporary name of the file last staged.
    const std::string& lastTemporary() const { return entries_.back().temporary; }
    // Renames every staged file over its final name. On failure, with one line in `error`,
    // nothing staged stays: neither the temporaries nor the files already renamed.
    bool commit(std::string& error);
    // Removes every staged file now.
    void discard();
    std::size_t size() const { return entries_.size(); }

  private:
    struct Entry {
        std::string temporary;
        std::string final;
    };
    std::vector<Entry> entries_;
};

}  // namespace zw
