// Runs the command-line wizard as a separate process and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct CliRun {
    int status = -1; // exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs the built executable with args; extraEnv entries ("NAME=value") are added to the
// environment. Standard output goes to stdoutPath when given, else it is captured; standard input
// comes from stdinPath when given, else from /dev/null.
CliRun RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {},
              const std::string& stdoutPath = {}, const std::string& stdinPath = {});

// A fresh folder under the temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
