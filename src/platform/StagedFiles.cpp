#include "platform/StagedFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/FileSystem.h"

namespace zw {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return "";
    }
    return path.substr(0, slash + 1);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string cannotWrite(const std::string& path, int err) {
    return path + ": cannot be written (" + FileSystem::reason(err) + ")";
}

}  // namespace

StagedFiles::~StagedFiles() {
    discard();
}

int StagedFiles::stage(const std::string& path, std::string& error) {
    if (path.empty() || path.back() == '/') {
        error = path + ": cannot be written (it is a folder)";
        return -1;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        // Renaming over a folder or a device would replace something that is not a picture.
        error = path + ": cannot be written (it is " + FileSystem::kindOf(info.st_mode) + ")";
        return -1;
    }
    static std::atomic<unsigned> counter{0};
    // The same folder as the final name, so that the rename cannot cross file systems; a hidden
    // name, so that a file manager does not show the frames as they come.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = folderOf(path) + "." + baseOf(path) + "." +
                                      std::to_string(::getpid()) + "-" + std::to_string(counter++) +
                                      ".part";
        // 0666 less the umask, as any new file of the user's.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            entries_.push_back({temporary, path});
            return fd;
        }
        if (errno != EEXIST) {
            error = errno == ENOENT ? path + ": cannot be written (no such folder)"
                                    : cannotWrite(path, errno);
            return -1;
        }
    }
    error = cannotWrite(path, EEXIST);
    return -1;
}

bool StagedFiles::write(const std::string& path, std::string_view bytes, std::string& error) {
    const int fd = stage(path, error);
    if (fd < 0) {
        discard();
        return false;
    }
    bool written = FileSystem::writeAll(fd, bytes);
    int err = written ? 0 : errno;
    // A full disk or a lost connection may only tell at the close.
    if (::close(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written) {
        error = cannotWrite(path, err);
        discard();
        return false;
    }
    return true;
}

bool StagedFiles::commit(std::string& error) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (std::rename(entries_[i].temporary.c_str(), entries_[i].final.c_str()) != 0) {
            error = cannotWrite(entries_[i].final, errno);
            // The files renamed already go too: a series is whole or absent.
            for (std::size_t k = 0; k < i; ++k) {
                ::unlink(entries_[k].final.c_str());
            }
            entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i));
            discard();
            return false;
        }
    }
    entries_.clear();
    return true;
}

void StagedFiles::discard() {
    for (const Entry& entry : entries_) {
        ::unlink(entry.temporary.c_str());
    }
    entries_.clear();
}

}  // namespace zw
