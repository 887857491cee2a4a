#include "session/RecentFiles.h"

#include <algorithm>
#include <utility>

namespace zw {

RecentFiles::RecentFiles(const std::vector<std::string>& paths) {
    // A repeat keeps its newest place, the first the list names.
    std::vector<std::string> once;
    for (const std::string& p : paths) {
        if (!p.empty() && std::find(once.begin(), once.end(), p) == once.end()) {
            once.push_back(p);
        }
    }
    once.resize(std::min(once.size(), kMost));
    paths_ = std::move(once);
}

void RecentFiles::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMost) {
        paths_.resize(kMost);
    }
}

void RecentFiles::remove(const std::string& path) {
    std::erase(paths_, path);
}

std::vector<std::string> RecentFiles::dropMissing(
    const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> gone;
    std::erase_if(paths_, [&](const std::string& p) {
        if (exists(p)) {
            return false;
        }
        gone.push_back(p);
        return true;
    });
    return gone;
}

}  // namespace zw
