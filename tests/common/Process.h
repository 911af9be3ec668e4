// Runs a program as a child process under chosen limits and collects its exit status and output.
#pragma once

#include <string>
#include <utility>
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
    std::string stdinPath;          // standard input comes from this file; else from /dev/null
};

// Options that set only one thing: standard input from path, standard output to path, or extra
// "NAME=value" entries of the environment.
inline ProcessOptions InputFrom(std::string path) {
    ProcessOptions options;
    options.stdinPath = std::move(path);
    return options;
}
inline ProcessOptions OutputTo(std::string path) {
    ProcessOptions options;
    options.stdoutPath = std::move(path);
    return options;
}
inline ProcessOptions WithEnvironment(std::vector<std::string> env) {
    ProcessOptions options;
    options.env = std::move(env);
    return options;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});
