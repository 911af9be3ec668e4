// Runs a program as a child process under chosen limits and collects its exit status and output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult {
    int status = -1; // exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::vector<std::string> env;   // extra "NAME=value" entries
    long long fileSizeLimit = -1;   // bytes a written file may reach (RLIMIT_FSIZE); -1: none
    unsigned timeLimitSeconds = 60; // a child that hangs is killed after this
    std::string stdoutPath;         // standard output goes to this file instead of being captured
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Names of every entry below the folder, relative to it and sorted.
    std::vector<std::string> Tree() const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
