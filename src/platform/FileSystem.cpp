#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace zw {

namespace {

// Closes a descriptor on every way out, keeping the errno that explains a failure.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now: a full disk or a lost connection may only tell at the close.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A device or a named pipe cannot be replaced by a file: it is written where it is.
bool writeInPlace(const std::string& path, bool pipe, std::string_view bytes, std::string& why) {
    // Not blocking on the open: a pipe that nobody reads from is refused at once.
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        why =
            pipe && errno == ENXIO ? "nobody reads from the named pipe" : FileSystem::reason(errno);
        return false;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !FileSystem::writeAll(fd.get(), bytes) || !fd.close()) {
        why = FileSystem::reason(errno);
        return false;
    }
    return true;
}

// A new file beside `target`, named after it and hidden, made with the usual permissions.
int makeTemporary(const std::string& target, std::string& temporary) {
    const std::string stem = folderOf(target) + "/." + nameOf(target) + ".";
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned long long attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(::getpid()) + "-" + std::to_string(seed + attempt * 7919);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

std::string FileSystem::reason(int errnum) {
    switch (errnum) {
        case ENOENT:
            return "no such file";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case ELOOP:
            return "its symbolic links go round in a loop";
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENOSPC:
            return "no space left on the device";
        case EDQUOT:
            return "the disk quota is used up";
        case EROFS:
            return "the disk is read-only";
        case EIO:
            return "the device failed to read or write";
        case EISDIR:
            return "a folder";
        case ENAMETOOLONG:
            return "the name is too long";
        case EFBIG:
            return "the file would be too large";
        case EMFILE:
        case ENFILE:
            return "too many files are open";
        case ENOMEM:
            return "out of memory";
        case ENXIO:
        case ENODEV:
            return "no such device";
        case EBUSY:
        case ETXTBSY:
            return "the file is busy";
        case EAGAIN:
            return "the file is not ready";
        default:
            break;
    }
    std::string text = std::strerror(errnum);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

std::string FileSystem::kindOf(unsigned mode) {
    if (S_ISREG(mode)) {
        return "";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a regular file";
}

FileSystem::Read FileSystem::readWhole(const std::string& path, std::uintmax_t limit,
                                       std::string& text, std::string& why, std::uintmax_t& size) {
    size = 0;
    const auto failed = [&](int err) {
        if (err == ENOENT) {
            return Read::Missing;
        }
        why = reason(err);
        return Read::Failed;
    };
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return failed(errno);
    }
    // Looked at before opening: opening a device may already do something.
    if (!S_ISREG(status.st_mode)) {
        why = kindOf(status.st_mode);
        return Read::NotAFile;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > limit) {
        size = static_cast<std::uintmax_t>(status.st_size);
        return Read::TooLarge;
    }
    // Should the path have become a pipe since, the open must not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        return failed(errno);
    }
    if (::fstat(fd.get(), &status) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        why = kindOf(status.st_mode);
        return Read::NotAFile;
    }
    text.clear();
    text.reserve(static_cast<std::size_t>(status.st_size));
    // Read in pieces, stopping at the limit: a file may grow after its size was asked.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failed(errno);
        }
        if (n == 0) {
            return Read::Done;
        }
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > limit) {
            return Read::TooLarge;
        }
    }
}

bool FileSystem::writeWhole(const std::string& path, std::string_view bytes, std::string& error) {
    std::string why;
    const auto fail = [&] {
        error = path + ": cannot be written (" + why + ")";
        return false;
    };
    if (path.empty()) {
        why = "no name";
        return fail();
    }
    std::string target = path;
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (exists) {
        if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode)) {
            return writeInPlace(path, S_ISFIFO(status.st_mode), bytes, why) || fail();
        }
        if (!S_ISREG(status.st_mode)) {
            why = kindOf(status.st_mode);
            return fail();
        }
        // A file made read-only is not replaced behind its owner's back, though the folder
        // would allow it.
        if (::access(path.c_str(), W_OK) != 0) {
            why = reason(errno);
            return fail();
        }
        // The file a link points to is replaced; the link stays.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    } else if (errno != ENOENT) {
        why = reason(errno);
        return fail();
    } else {
        struct stat link {};
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            why = "a symbolic link to a file that does not exist";
            return fail();
        }
    }

    std::string temporary;
    Descriptor fd(makeTemporary(target, temporary));
    if (fd.get() < 0) {
        why = errno == ENOENT ? "no such folder" : reason(errno);
        return fail();
    }
    // The new file keeps what the old one allowed.
    if (exists) {
        ::fchmod(fd.get(), status.st_mode & 07777);
    }
    if (!FileSystem::writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.close() ||
        ::rename(temporary.c_str(), target.c_str()) != 0) {
        why = reason(errno);
        ::unlink(temporary.c_str());
        return fail();
    }
    // The rename itself lasts once the folder is on disk too; a failure here loses nothing.
    const Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return true;
}

bool FileSystem::writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace zw
