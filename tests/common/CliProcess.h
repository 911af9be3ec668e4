// The command-line wizard run as a child process, as its tests and the failure tests run it.
#pragma once

#include "Process.h"

#include <string>
#include <vector>

// Every message of the command-line wizard starts with its name.
inline constexpr const char* kCliPrefix = "qx7r310-wizard-cli: ";

// QX_CLI_PATH is the built executable, defined by each suite that runs it.
inline ProcessResult RunCli(const std::vector<std::string>& args,
                            const ProcessOptions& options = {}) {
    return RunProcess(QX_CLI_PATH, args, options);
}
