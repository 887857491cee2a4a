#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zw {

// The sessions last opened or saved, newest first, each once. Where the list is kept is the
// window's business; this is only its order and its bounds.
class RecentFiles {
  public:
    static constexpr std::size_t kMost = 8;

    RecentFiles() = default;
    // A list as it was kept: it may come from a settings file anyone can edit, so empty
    // entries, repeats and those past the limit are dropped.
    explicit RecentFiles(const std::vector<std::string>& paths);

    const std::vector<std::string>& paths() const { return paths_; }
    bool empty() const { return paths_.empty(); }

    // To the front; an entry already listed moves there, and the oldest past the limit goes.
    void add(const std::string& path);
    void remove(const std::string& path);
    void clear() { paths_.clear(); }
    // Drops every entry `exists` says is gone and returns those, in list order.
    std::vector<std::string> dropMissing(const std::function<bool(const std::string&)>& exists);

  private:
    std::vector<std::string> paths_;
};

}  // namespace zw
