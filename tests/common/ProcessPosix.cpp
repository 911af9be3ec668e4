// Child processes on POSIX with captured output, chosen input and limits on file size and time.
#include "Process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

extern char** environ;

namespace {

std::string ReadAllFrom(int fd) {
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
}

// A file the child writes to, read back afterwards; pipes could fill up and stall the child.
int ScratchDescriptor(std::string& path) {
    path = (fs::temp_directory_path() / "qx-test-out-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0)
        throw std::runtime_error("cannot create a capture file");
    return fd;
}

} // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options) {
    std::string outPath, errPath;
    const int outFd = options.stdoutPath.empty()
                          ? ScratchDescriptor(outPath)
                          : ::open(options.stdoutPath.c_str(), O_WRONLY | O_CLOEXEC);
    const int errFd = ScratchDescriptor(errPath);
    if (outFd < 0)
        throw std::runtime_error("cannot open " + options.stdoutPath);
    const std::string inPath = options.stdinPath.empty() ? "/dev/null" : options.stdinPath;
    const int inFd = ::open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (inFd < 0)
        throw std::runtime_error("cannot open " + inPath);

    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), options.env.begin(), options.env.end());
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(inFd, STDIN_FILENO);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        if (options.fileSizeLimit >= 0) {
            // A write past the limit then fails with EFBIG, as on a full disk, instead of
            // killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                               static_cast<rlim_t>(options.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        // The alarm survives exec: a hanging child dies and the test fails instead of hanging.
        ::alarm(options.timeLimitSeconds);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    int wstatus = 0;
    while (pid > 0 && ::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    ProcessResult result;
    result.status = pid > 0 && WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (options.stdoutPath.empty()) {
        ::lseek(outFd, 0, SEEK_SET);
        result.out = ReadAllFrom(outFd);
        ::unlink(outPath.c_str());
    }
    ::lseek(errFd, 0, SEEK_SET);
    result.err = ReadAllFrom(errFd);
    ::unlink(errPath.c_str());
    ::close(inFd);
    ::close(outFd);
    ::close(errFd);
    return result;
}
