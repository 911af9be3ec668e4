// The command-line wizard as the failure tests run it, and the plain settings file it writes.
#pragma once

#include "CliProcess.h"

#include <string>
#include <vector>

// The plain settings file for the default parameters, as the command line prints it.
const std::string& PlainSettingsFile();

// True when text is exactly one line: no line break but the one that ends it.
bool IsOneLine(const std::string& text);
