// The file seam on POSIX: whole-file reads, and whole-or-nothing replacement through a synced
// temporary file and rename.
#include "AtomicSave.h"
#include "FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SaveResult Failure(const std::string& path, const std::string& what, int error) {
    std::string reason = what;
    if (error != 0)
        reason += ": " + SystemErrorText(error);
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

// Reads fd to its end or to one byte over maxBytes; 0 or an errno.
int ReadAll(int fd, std::size_t maxBytes, std::string& bytes) {
    char chunk[65536];
    while (bytes.size() <= maxBytes) {
        const std::size_t want = std::min(sizeof chunk, maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(fd, chunk, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
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

// Where a replacement goes: the target with a link resolved, its folder and what is there now.
struct Target {
    SaveResult refused; // not ok when the path cannot be replaced at all
    std::string path;
    std::string folder;
    bool exists = false;
    struct stat existing {};
};

// The folder a file of path lies in.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

Target Examine(const std::string& requestedPath) {
    Target target;
    if (requestedPath.empty()) {
        target.refused = Failure(requestedPath, "no file name given", 0);
        return target;
    }
    // One look-up for a path that is no link: a batch into a large folder pays for each one.
    target.exists = ::lstat(requestedPath.c_str(), &target.existing) == 0;
    target.path = requestedPath;
    if (target.exists && S_ISLNK(target.existing.st_mode)) {
        target.path = ResolveLink(requestedPath);
        target.exists = ::stat(target.path.c_str(), &target.existing) == 0;
    }
    const std::size_t slash = target.path.rfind('/');
    target.folder = FolderOf(target.path);
    if (target.exists && S_ISDIR(target.existing.st_mode))
        target.refused = Failure(requestedPath, "it is a folder", 0);
    else if (slash != std::string::npos && slash + 1 == target.path.size())
        target.refused = Failure(requestedPath, "no file name given", 0);
    return target;
}

bool IsReplaceable(const Target& target) {
    return !target.exists || S_ISREG(target.existing.st_mode);
}

// Creates a new temporary file in the target's folder; its descriptor, or -1 with the failure.
int CreateTemporary(const Target& target, const std::string& requestedPath, std::string& tempPath,
                    SaveResult& failure) {
    // Numbered through the whole process, so that a batch can hold many at once.
    static std::atomic<unsigned long> s_next{0};
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        // Short and hidden whatever the target's name, so a long name cannot make it too long.
        tempPath = target.folder + "/.qx-save-" + std::to_string(::getpid()) + "-" +
                   std::to_string(s_next++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            break;
    }
    failure = Failure(requestedPath, "cannot create a temporary file beside it", errno);
    return -1;
}

// Writes the bytes into the temporary file, with the permissions of the file it replaces, syncs
// it when asked and closes it; on failure the temporary file is gone.
SaveResult FillTemporary(int fd, const std::string& tempPath, const Target& target,
                         std::string_view bytes, bool sync, const std::string& requestedPath) {
    int error = 0;
    std::string what;
    if (target.exists && ::fchmod(fd, target.existing.st_mode & 07777) != 0) {
        error = errno;
        what = "cannot set the permissions";
    }
    if (error == 0 && (error = WriteAll(fd, bytes)) != 0)
        what = "write failed";
    if (error == 0 && sync && ::fsync(fd) != 0) {
        error = errno;
        what = "sync failed";
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
        what = "write failed";
    }
    if (error == 0)
        return {};
    ::unlink(tempPath.c_str());
    return Failure(requestedPath, what, error);
}

SaveResult Rename(const std::string& tempPath, const std::string& targetPath,
                  const std::string& requestedPath) {
    if (::rename(tempPath.c_str(), targetPath.c_str()) == 0)
        return {};
    const int error = errno;
    ::unlink(tempPath.c_str());
    return Failure(requestedPath, "cannot replace it", error);
}

// Syncs the file system that holds folder; 0 or an errno.
int SyncFileSystemOf(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::syncfs(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                         std::string& bytes, FileKinds kinds) {
    bytes.clear();
    const bool regularOnly = kinds == FileKinds::RegularOnly;
    // Opened without blocking when only a regular file will do, so that a named pipe is known
    // for one before anything waits for it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0)
        return SystemErrorText(errno);
    struct stat info {};
    if (regularOnly && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return "not a regular file";
    }
    int error = ReadAll(fd, maxBytes, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        return std::nullopt;
    bytes.clear();
    return SystemErrorText(error);
}

std::optional<std::string> ReadStandardInput(std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    if (const int error = ReadAll(STDIN_FILENO, maxBytes, bytes); error != 0) {
        bytes.clear();
        return SystemErrorText(error);
    }
    return std::nullopt;
}

SaveResult SaveFileAtomically(const std::string& requestedPath, std::string_view bytes) {
    const Target target = Examine(requestedPath);
    if (!target.refused)
        return target.refused;
    if (!IsReplaceable(target))
        return WriteInPlace(target.path, bytes);
    std::string tempPath;
    SaveResult failure;
    const int fd = CreateTemporary(target, requestedPath, tempPath, failure);
    if (fd < 0)
        return failure;
    if (SaveResult filled = FillTemporary(fd, tempPath, target, bytes, true, requestedPath);
        !filled)
        return filled;
    return Rename(tempPath, target.path, requestedPath);
}

AtomicSaveBatch::~AtomicSaveBatch() {
    for (const Staged& staged : m_staged)
        if (!staged.temporary.empty())
            ::unlink(staged.temporary.c_str());
    if (!m_hidden.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_hidden, ignored);
    }
}

SaveResult AtomicSaveBatch::Stage(const std::string& name, std::string_view bytes) {
    const std::string path = PathOf(name);
    if (!m_hidden.empty()) {
        // The hidden folder holds only this batch's files: there is nothing to examine or keep,
        // and the file is written under its own name.
        const std::string file = m_hidden + "/" + name;
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            return Failure(path, "cannot create it", errno);
        if (SaveResult filled = FillTemporary(fd, file, Target{}, bytes, false, path); !filled)
            return filled;
        m_staged.push_back({path, path, file});
        return {};
    }
    const Target target = Examine(path);
    if (!target.refused)
        return target.refused;
    if (!IsReplaceable(target)) {
        SaveResult written = WriteInPlace(target.path, bytes);
        if (written)
            m_staged.push_back({path, target.path, {}});
        return written;
    }
    Staged staged{path, target.path, {}};
    SaveResult failure;
    const int fd = CreateTemporary(target, path, staged.temporary, failure);
    if (fd < 0)
        return failure;
    if (SaveResult filled = FillTemporary(fd, staged.temporary, target, bytes, false, path);
        !filled)
        return filled;
    m_staged.push_back(std::move(staged));
    return {};
}

std::vector<SaveResult> AtomicSaveBatch::CommitNewFolder() {
    std::vector<SaveResult> results;
    const int syncError = SyncFileSystemOf(m_hidden);
    if (syncError == 0 && ::rename(m_hidden.c_str(), m_newFolder.c_str()) == 0) {
        results.resize(m_staged.size());
        m_hidden.clear();
    } else {
        // A folder of that name appeared meanwhile: each file replaces its namesake there.
        for (const Staged& staged : m_staged)
            results.push_back(syncError != 0
                                  ? Failure(staged.requested, "sync failed", syncError)
                                  : Rename(staged.temporary, staged.target, staged.requested));
    }
    m_staged.clear();
    return results;
}

std::vector<SaveResult> AtomicSaveBatch::Commit() {
    if (!m_hidden.empty())
        return CommitNewFolder();
    std::map<std::string, int> syncErrors; // by folder: every file system is synced once
    std::vector<SaveResult> results;
    for (Staged& staged : m_staged) {
        if (staged.temporary.empty()) {
            results.emplace_back();
            continue;
        }
        const std::string folder = FolderOf(staged.target);
        const auto synced = syncErrors.try_emplace(folder, 0);
        if (synced.second)
            synced.first->second = SyncFileSystemOf(folder);
        if (const int error = synced.first->second; error != 0) {
            ::unlink(staged.temporary.c_str());
            results.push_back(Failure(staged.requested, "sync failed", error));
        } else {
            results.push_back(Rename(staged.temporary, staged.target, staged.requested));
        }
        staged.temporary.clear();
    }
    m_staged.clear();
    return results;
}
