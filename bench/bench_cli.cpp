// Speed of the command-line wizard as a script sees it: process start to settings file written.
// Two reference runs show how much of it is process start-up and how much the synced file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Runs program with args; false when it did not exit with status 0.
bool Run(std::vector<std::string> command) {
    std::vector<char*> argv;
    for (std::string& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void RunRepeatedly(benchmark::State& state, const std::vector<std::string>& command) {
    for (auto _ : state) {
        if (!Run(command)) {
            state.SkipWithError("the program failed");
            break;
        }
    }
}

// The goal: the whole job, the settings file written, synced and renamed into place.
void BM_Cli_DefaultsToFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "qx-bench-cli-settings.ini").string();
    RunRepeatedly(state, {QX_CLI_PATH, "-o", path});
    std::filesystem::remove(path);
}
BENCHMARK(BM_Cli_DefaultsToFile)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same job with the file going to /dev/null: no temporary file, no sync.
void BM_Cli_DefaultsToDevNull(benchmark::State& state) {
    RunRepeatedly(state, {QX_CLI_PATH, "-o", "/dev/null"});
}
BENCHMARK(BM_Cli_DefaultsToDevNull)->UseRealTime()->Unit(benchmark::kMillisecond);

// Starting a process that does nothing, on the same machine at the same time.
void BM_ProcessStartOnly(benchmark::State& state) {
    RunRepeatedly(state, {"/bin/true"});
}
BENCHMARK(BM_ProcessStartOnly)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
