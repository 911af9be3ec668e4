// Batch runs: lines read, each run from a fresh document and computed a block ahead, files staged
// and then replaced together after one sync, errors reported by line number.
#include "Batch.h"

#include "AtomicSave.h"
#include "Console.h"
#include "InputFile.h"
#include "JsonLines.h"
#include "ParameterJson.h"
#include "StderrPrompt.h"
#include "WizardRun.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <future>
#include <iostream>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

// A batch longer than this shows its progress on a terminal.
constexpr std::size_t kProgressAbove = 1000;
// Lines are computed in blocks of this many on a second thread, one block ahead of the thread that
// reports them and writes their files, so that the wizard's arithmetic overlaps the file system's
// work; everything the user sees still comes in line order, as from one thread.
constexpr std::size_t kBlockLines = 256;

using BatchLine = JsonLine;

// The beginning of a message about a batch line.
std::string LinePrefix(const std::string& input, std::size_t line) {
    return std::string(kCliName) + ": " + input + " line " + std::to_string(line) + ": ";
}

// What a line gives without regard to the other lines: its parameters read and, when they are
// sound, the wizard's run for them with what its prompt said.
struct PreparedLine {
    ParameterJsonRead read;
    std::string name;
    std::optional<WizardRun> run;
    std::string prompted; // the prompt's lines, as standard error gets them
};

PreparedLine PrepareLine(const CliRequest& request, const std::string& input,
                         const BatchLine& line) {
    PreparedLine prepared;
    ParameterSet parameters = request.arguments.base;
    prepared.read = ReadParameterJson(line.text, parameters);
    prepared.name = prepared.read.name.value_or("line-" + std::to_string(line.number));
    if (!prepared.read)
        return prepared;
    std::ostringstream prompted;
    StderrPrompt prompt(LinePrefix(input, line.number), prompted);
    prepared.run = RunWizard(request.arguments.Complete(parameters), prompt,
                             request.json ? RunOutput::JsonLine : RunOutput::SettingsFile,
                             request.strict, prepared.name);
    prepared.prompted = prompted.str();
    return prepared;
}

std::vector<PreparedLine> PrepareBlock(const CliRequest& request, const std::string& input,
                                       const std::vector<BatchLine>& lines, std::size_t first) {
    std::vector<PreparedLine> block;
    for (std::size_t k = first; k < std::min(first + kBlockLines, lines.size()); ++k)
        block.push_back(PrepareLine(request, input, lines[k]));
    return block;
}

// A line on standard error that counts the lines done, rewritten in place.
class Progress {
public:
    explicit Progress(std::size_t total)
        : m_total(total), m_shown(total > kProgressAbove && StandardErrorIsTerminal()) {}

    void Done(std::size_t done) {
        if (m_shown && (done % 100 == 0 || done == m_total))
            std::cerr << '\r' << kCliName << ": " << done << " of " << m_total << " lines"
                      << (done == m_total ? "\n" : "") << std::flush;
    }
    // Clears the progress line, so that a message can take its place.
    void Clear() {
        if (m_shown)
            std::cerr << "\r\x1b[K";
    }

private:
    std::size_t m_total;
    bool m_shown;
};

// Why a name is no plain file name; nothing when it is one.
std::optional<std::string> RefuseBatchName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (!name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
        !control)
        return std::nullopt;
    return "name " + QuoteValue(name) +
           " is no plain file name; accepted: a name that is not empty, \".\" or \"..\" and has "
           "no \"/\" and no control characters";
}

class BatchRun {
public:
    BatchRun(const CliRequest& request, std::size_t lines)
        : m_request(request), m_input(InputName(request.batchPath)), m_progress(lines),
          m_files(request.outDir) {}

    // Makes the folder of the settings files; the message when it cannot be made.
    std::optional<std::string> Begin();

    // Reports the line and writes its file, in line order.
    void Run(std::size_t line, const PreparedLine& prepared);
    // Runs every line, each block of them computed while the one before is written.
    void RunAll(const std::vector<BatchLine>& lines);
    int Finish();

private:
    // A line on standard error about the batch line; Report also fails the batch.
    void Note(std::size_t line, const std::string& message);
    void Report(std::size_t line, const std::string& message);
    std::optional<std::string> ClaimName(std::size_t line, const std::string& name);
    void Deliver(std::size_t line, const std::string& name, const WizardRun& run);

    const CliRequest& m_request;
    std::string m_input; // how messages name the batch file
    Progress m_progress;
    std::size_t m_done = 0;
    bool m_failed = false;
    bool m_spliceFailed = false;
    std::map<std::string, std::size_t> m_names; // the line that took each name
    AtomicSaveBatch m_files;
    std::vector<std::size_t> m_stagedLines; // the line of each staged file
};

void BatchRun::Note(std::size_t line, const std::string& message) {
    m_progress.Clear();
    // One write for the whole line: standard error is unbuffered, and a batch may warn on
    // thousands of lines.
    std::cerr << (LinePrefix(m_input, line) + message + '\n');
}

void BatchRun::Report(std::size_t line, const std::string& message) {
    Note(line, message);
    m_failed = true;
}

std::optional<std::string> BatchRun::ClaimName(std::size_t line, const std::string& name) {
    if (std::optional<std::string> refused = RefuseBatchName(name))
        return refused;
    const auto [taken, claimed] = m_names.try_emplace(name, line);
    if (claimed)
        return std::nullopt;
    return "name " + QuoteValue(name) + " already used by line " + std::to_string(taken->second) +
           "; accepted: a name of its own";
}

void BatchRun::Run(std::size_t line, const PreparedLine& prepared) {
    m_progress.Done(m_done++);
    // A name is taken as soon as it is known, also by a line whose parameters are refused, so a
    // name given twice is reported whatever else is wrong with the first line.
    if (prepared.read.name || prepared.read) {
        if (std::optional<std::string> refused = ClaimName(line, prepared.name))
            return Report(line, *refused);
    }
    if (!prepared.run)
        return Report(line, prepared.read.error);
    const WizardRun& run = *prepared.run;
    if (!prepared.prompted.empty()) {
        m_progress.Clear();
        std::cerr << prepared.prompted;
    }
    if (!m_request.json)
        for (const std::string& message : CheckMessages(run))
            Note(line, message);
    if (run.refused) {
        m_failed = true;
        return;
    }
    if (!run.error.empty())
        return Report(line, run.error);
    m_spliceFailed = m_spliceFailed || run.result == SerializeResult::PlainFileAfterFailure;
    Deliver(line, prepared.name, run);
}

void BatchRun::RunAll(const std::vector<BatchLine>& lines) {
    const auto prepare = [&](std::size_t first) {
        return std::async(std::launch::async, PrepareBlock, std::cref(m_request),
                          std::cref(m_input), std::cref(lines), first);
    };
    std::future<std::vector<PreparedLine>> next = prepare(0);
    for (std::size_t first = 0; first < lines.size(); first += kBlockLines) {
        const std::vector<PreparedLine> block = next.get();
        if (first + kBlockLines < lines.size())
            next = prepare(first + kBlockLines);
        for (std::size_t k = 0; k < block.size(); ++k)
            Run(lines[first + k].number, block[k]);
    }
}

void BatchRun::Deliver(std::size_t line, const std::string& name, const WizardRun& run) {
    if (m_request.json) {
        std::fwrite(run.bytes.data(), 1, run.bytes.size(), stdout);
        return;
    }
    if (const SaveResult staged = m_files.Stage(name + ".ini", run.bytes); !staged)
        return Report(line, staged.message);
    m_stagedLines.push_back(line);
}

std::optional<std::string> BatchRun::Begin() {
    if (m_request.json)
        return std::nullopt;
    if (std::optional<std::string> refused = m_files.Begin())
        return "cannot create the folder " + QuoteValue(m_request.outDir) + ": " + *refused;
    return std::nullopt;
}

int BatchRun::Finish() {
    m_progress.Done(m_done);
    if (m_request.json) {
        if (std::ferror(stdout) != 0 || std::fflush(stdout) != 0) {
            std::cerr << kCliName << ": cannot write to standard output\n";
            return kExitWriteFailed;
        }
    } else {
        const std::vector<SaveResult> saved = m_files.Commit();
        for (std::size_t k = 0; k < saved.size(); ++k)
            if (!saved[k])
                Report(m_stagedLines[k], saved[k].message);
    }
    if (m_failed)
        return kExitWriteFailed;
    return m_spliceFailed ? kExitSpliceFailed : kExitOk;
}

} // namespace

int RunBatch(const CliRequest& request) {
    std::string bytes;
    if (std::optional<std::string> unreadable = ReadInputFile(request.batchPath, bytes)) {
        std::cerr << kCliName << ": option --batch: " << *unreadable << '\n';
        return kExitBadUsage;
    }
    const std::vector<BatchLine> lines = ContentLines(bytes);
    BatchRun batch(request, lines.size());
    if (std::optional<std::string> refused = batch.Begin()) {
        std::cerr << kCliName << ": " << *refused << '\n';
        return kExitWriteFailed;
    }
    batch.RunAll(lines);
    return batch.Finish();
}
