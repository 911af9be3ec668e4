// Whole-or-nothing file replacement through a synced temporary file and rename.
#include "AtomicSave.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SaveResult Failure(const std::string& path, const std::string& what, int error) {
    std::string reason = what;
    if (error != 0)
        reason += std::string(": ") + std::strerror(error);
    return {false, "cannot write \"" + path + "\": " + reason, reason};
}

// Writes every byte, going on after short writes and interrupted calls; returns 0 or an errno.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return 0;
}

std::string ResolveLink(const std::string& path) {
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) != 0 || !S_ISLNK(linkInfo.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path; // a dangling link is replaced by the new file
    return resolved;
}

SaveResult WriteInPlace(const std::string& path, std::string_view bytes) {
    // Opened without blocking, so a named pipe that nobody reads fails at once instead of
    // waiting for ever; the writes then block as usual.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure(path, "cannot open it", errno);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        const int error = errno;
        ::close(fd);
        return Failure(path, "cannot open it", error);
    }
    const int writeError = WriteAll(fd, bytes);
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (writeError != 0 || closeError != 0)
        return Failure(path, "write failed", writeError != 0 ? writeError : closeError);
    return {};
}

} // namespace

SaveResult SaveFileAtomically(const std::string& requestedPath, std::string_view bytes) {
    if (requestedPath.empty())
        return Failure(requestedPath, "no file name given", 0);
    const std::string path = ResolveLink(requestedPath);

    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return Failure(requestedPath, "it is a folder", 0);
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, bytes);

    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (slash != std::string::npos && slash + 1 == path.size())
        return Failure(requestedPath, "no file name given", 0);

    std::string tempPath;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        // Short and hidden whatever the target's name, so a long name cannot make it too long.
        tempPath = folder + "/.qx-save-" + std::to_string(::getpid()) + "-" +
                   std::to_string(attempt) + ".tmp";
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Failure(requestedPath, "cannot create a temporary file beside it", errno);
    }
    if (fd < 0)
        return Failure(requestedPath, "cannot create a temporary file beside it", EEXIST);

    int error = 0;
    std::string what;
    // The replacement keeps the permissions of the file it replaces.
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        error = errno;
        what = "cannot set the permissions";
    }
    if (error == 0 && (error = WriteAll(fd, bytes)) != 0)
        what = "write failed";
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
        what = "sync failed";
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
        what = "write failed";
    }
    if (error == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) {
        error = errno;
        what = "cannot replace it";
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return Failure(requestedPath, what, error);
    }
    return {};
}
