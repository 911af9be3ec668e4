// Whole-file reads with POSIX calls, so that a folder or an unreadable device fails with its
// reason instead of reading as empty.
#include "InputFile.h"

#include "MessageText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Reads fd to its end; 0 or an errno.
int ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

std::string InputName(const std::string& path) {
    return path == "-" ? std::string("standard input") : QuoteValue(path);
}

std::optional<std::string> ReadInputFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int error = fd < 0 ? errno : ReadAll(fd, bytes);
    if (fd >= 0 && !standardInput && ::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        return std::nullopt;
    return "cannot read " + InputName(path) + ": " + std::strerror(error);
}
