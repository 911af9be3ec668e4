// The command-line wizard run as a child process, as its tests and the failure tests run it.
#pragma once

#include "Process.h"

#include <sstream>
#include <string>
#include <vector>

// Every message of the command-line wizard starts with its name.
inline constexpr const char* kCliPrefix = "qx7r310-wizard-cli: ";

// QX_CLI_PATH is the built executable, defined by each suite that runs it.
inline ProcessResult RunCli(const std::vector<std::string>& args,
                            const ProcessOptions& options = {}) {
    return RunProcess(QX_CLI_PATH, args, options);
}

// The lines of a program's output, without their line feeds.
inline std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
