// Speed of the command-line wizard as a script sees it: process start to settings file written.
// Two reference runs show how much of it is process start-up and how much the synced file; the
// batch runs show what one process does for 10,000 modes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Runs program with args, its standard output to stdoutPath when given; false when it did not exit
// with status 0.
bool Run(std::vector<std::string> command, const std::string& stdoutPath = {}) {
    std::vector<char*> argv;
    for (std::string& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stdoutPath.empty())
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
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

constexpr int kBatchLines = 10000;

// A batch of modes that differ in every parameter the timing and the PLL search react to.
std::string WriteBatchFile(const std::filesystem::path& folder) {
    static constexpr const char* kBlanking[] = {"hb-min", "hb-max", "vb-min",
                                                "vb-max", "hb=300", "vb=40"};
    const std::string path = (folder / "modes.jsonl").string();
    std::ofstream out(path);
    for (int i = 0; i < kBatchLines; ++i) {
        out << "{\"name\": \"mode-" << i << "\", \"inputFreqMHz\": " << 6 + i % 30
            << ", \"systemFreqMHz\": " << 20 + i % 25 << ", \"frameRate\": " << 5 + (i % 50) * 1.1
            << ", \"outputColumns\": " << 160 + i * 7 % 489
            << ", \"outputRows\": " << 120 + i * 13 % 369
            << ", \"allowSkipping\": " << (i / 2 % 2 ? "true" : "false")
            << ", \"lowPower\": " << (i % 2 ? "true" : "false")
            << ", \"variableFrameRate\": " << (i / 3 % 2 ? "true" : "false") << ", \"blanking\": \""
            << kBlanking[i % 6] << "\"}\n";
    }
    return path;
}

std::filesystem::path BatchFolder(const char* name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Runs the batch once per iteration, each time into a new folder, or over the files of the run
// before (the first of them untimed).
void RunBatches(benchmark::State& state, const char* name, bool replacing) {
    const std::filesystem::path folder = BatchFolder(name);
    const std::string batch = WriteBatchFile(folder);
    int run = 0;
    const auto batchInto = [&] {
        const std::string outDir = replacing ? "out" : "out-" + std::to_string(run++);
        return Run({QX_CLI_PATH, "--batch", batch, "--out-dir", (folder / outDir).string()});
    };
    bool ok = !replacing || batchInto();
    for (auto _ : state) {
        if (!ok || !(ok = batchInto())) {
            state.SkipWithError("the batch failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kBatchLines);
    std::filesystem::remove_all(folder);
}

// The goal, with replacing:0: 10,000 settings files written into a new folder, under a second in
// all. Nothing is deleted between the runs: an ext4 file system without a journal steps over the
// inodes freed in the last minutes one by one, which makes the creations after a mass deletion
// slow (run it a few minutes after the last benchmark). With replacing:1 the same batch goes over
// the files of the run before, and each rename also frees the file it replaces.
void BM_Cli_Batch10000ToFiles(benchmark::State& state) {
    RunBatches(state, "qx-bench-cli-batch-files", state.range(0) != 0);
}
BENCHMARK(BM_Cli_Batch10000ToFiles)
    ->ArgName("replacing")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The same batch as JSON Lines into /dev/null: the chain and the formatting without the files.
void BM_Cli_Batch10000Json(benchmark::State& state) {
    const std::filesystem::path folder = BatchFolder("qx-bench-cli-batch-json");
    const std::string batch = WriteBatchFile(folder);
    for (auto _ : state) {
        if (!Run({QX_CLI_PATH, "--batch", batch, "--json"}, "/dev/null")) {
            state.SkipWithError("the batch failed");
            break;
        }
    }
    std::filesystem::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * kBatchLines);
}
BENCHMARK(BM_Cli_Batch10000Json)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// The batch into a new folder against the floor a file system sets: the same 10,000 files copied
// into a new folder and synced (cp -r, then sync -f), in one run. The counter copyRatio is the
// batch's time over the copy's; the goal is at most 1.5.
void BM_Cli_Batch10000AgainstCopy(benchmark::State& state) {
    const std::filesystem::path folder = BatchFolder("qx-bench-cli-batch-copy");
    const std::string batch = WriteBatchFile(folder);
    using Clock = std::chrono::steady_clock;
    double batchSeconds = 0.0;
    double copySeconds = 0.0;
    int run = 0;
    for (auto _ : state) {
        const std::string out = (folder / ("out-" + std::to_string(run))).string();
        const std::string copy = (folder / ("copy-" + std::to_string(run++))).string();
        const Clock::time_point start = Clock::now();
        const bool batched = Run({QX_CLI_PATH, "--batch", batch, "--out-dir", out});
        const Clock::time_point batchDone = Clock::now();
        const bool copied = Run({"/bin/cp", "-r", out, copy}) && Run({"/bin/sync", "-f", copy});
        const Clock::time_point copyDone = Clock::now();
        if (!batched || !copied) {
            state.SkipWithError("the batch or the copy failed");
            break;
        }
        batchSeconds += std::chrono::duration<double>(batchDone - start).count();
        copySeconds += std::chrono::duration<double>(copyDone - batchDone).count();
    }
    state.counters["batchSeconds"] = batchSeconds / run;
    state.counters["copySeconds"] = copySeconds / run;
    state.counters["copyRatio"] = copySeconds > 0.0 ? batchSeconds / copySeconds : 0.0;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Cli_Batch10000AgainstCopy)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
