// The plain settings file of the default parameters, computed once per test run.
#include "CliFixture.h"

#include <algorithm>
#include <stdexcept>

const std::string& PlainSettingsFile() {
    static const std::string bytes = [] {
        const ProcessResult run = RunCli({});
        if (run.status != 0 || run.out.empty())
            throw std::runtime_error("the command line cannot print the plain settings file");
        return run.out;
    }();
    return bytes;
}

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}
