// Fuzzes the command-line option parser with arbitrary argument vectors: it never crashes, a bad
// command line gives status 2 and one line of message, and what it accepts lies in the ranges the
// forms accept. Parsing reads no file, so --params and --batch are safe to fuzz.
#include "FuzzSupport.h"

#include "CommandLine.h"
#include "ParameterChecks.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kMaxArguments = 64;
constexpr std::size_t kMaxArgumentBytes = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // NUL bytes separate the arguments; the program name comes first, as the shell passes it.
    FuzzInput in(data, size);
    std::vector<std::string> arguments{kCliName};
    while (in.Remaining() > 0 && arguments.size() <= kMaxArguments)
        arguments.push_back(in.Text(kMaxArgumentBytes));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);

    const auto parsed = ParseCommandLine(static_cast<int>(arguments.size()), argv.data());
    if (const auto* request = std::get_if<CliRequest>(&parsed)) {
        CheckWithinTable(request->arguments.options);
        CheckWithinTable(request->arguments.Complete(request->arguments.base));
        return 0;
    }
    const CliExit& exit = std::get<CliExit>(parsed);
    if (exit.status == kExitOk) {
        const bool asked = std::any_of(arguments.begin() + 1, arguments.end(), [](const auto& a) {
            return a.starts_with("--help") || a.starts_with("--version");
        });
        FUZZ_CHECK(asked, "only --help and --version end the run with status 0");
        return 0;
    }
    FUZZ_CHECK(exit.status == kExitBadUsage, "a bad command line gives status 2");
    FUZZ_CHECK(exit.text.starts_with(std::string(kCliName) + ": "), "the message names the tool");
    FUZZ_CHECK(exit.text.ends_with('\n') &&
                   std::count(exit.text.begin(), exit.text.end(), '\n') == 1,
               "a bad command line gives one line of message");
    return 0;
}
