// qx7r310-wizard-cli: sets the parameters as a user would in the two forms, runs the forms'
// recalculation chain and writes what File > Save writes (or everything as JSON), once or for
// every line of a batch, or lists the PLL divider settings for the clock parameters.
#include "AtomicSave.h"
#include "Batch.h"
#include "CommandLine.h"
#include "Console.h"
#include "ModeCommands.h"
#include "PllListing.h"
#include "StderrPrompt.h"
#include "WizardRun.h"

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Writes the bytes to the named file, or to standard output; false with a message on failure.
bool Deliver(const std::string& path, const std::string& bytes) {
    if (!path.empty()) {
        const SaveResult saved = SaveFileAtomically(path, bytes);
        if (!saved)
            std::cerr << kCliName << ": " << saved.message << '\n';
        return saved.ok;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (!written || std::fflush(stdout) != 0) {
        std::cerr << kCliName << ": cannot write to standard output\n";
        return false;
    }
    return true;
}

int ListPll(const CliRequest& request) {
    const PllListing listing =
        ListPllSettings(request.arguments.Complete(request.arguments.base), request.json);
    // The JSON carries the check itself; the table stays a table.
    if (!request.json)
        for (const std::string& line : ReportCheckMessages(listing.check))
            std::cerr << kCliName << ": " << line << '\n';
    return Deliver(request.outputPath, listing.text) ? kExitOk : kExitWriteFailed;
}

int RunOnce(const CliRequest& request) {
    StderrPrompt prompt(std::string(kCliName) + ": ");
    const WizardRun run =
        RunWizard(request.arguments.Complete(request.arguments.base), prompt,
                  request.json ? RunOutput::Json : RunOutput::SettingsFile, request.strict);
    if (!request.json)
        for (const std::string& line : CheckMessages(run))
            std::cerr << kCliName << ": " << line << '\n';
    if (run.refused)
        return kExitRequestRefused;
    if (!run.error.empty()) {
        std::cerr << kCliName << ": " << run.error << '\n';
        return kExitWriteFailed;
    }
    if (!Deliver(request.outputPath, run.bytes))
        return kExitWriteFailed;
    return run.result == SerializeResult::PlainFileAfterFailure ? kExitSpliceFailed : kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    // System messages (why a file could not be written) in the user's language; numbers are
    // parsed and printed without the locale, so the output is the same everywhere.
    std::setlocale(LC_ALL, "");
    UseBinaryStandardStreams();
    Utf8Arguments arguments(argc, argv);
    auto parsed = ParseCommandLine(arguments.Count(), arguments.Values());
    if (const auto* exit = std::get_if<CliExit>(&parsed)) {
        (exit->status == kExitOk ? std::cout : std::cerr) << exit->text << std::flush;
        return exit->status;
    }
    CliRequest& request = std::get<CliRequest>(parsed);
    if (std::optional<std::string> refused = request.arguments.ReadFiles()) {
        std::cerr << kCliName << ": " << *refused << '\n';
        return kExitBadUsage;
    }
    for (const std::string& note : request.arguments.notes)
        std::cerr << kCliName << ": " << note << '\n';
    if (request.listPll)
        return ListPll(request);
    if (!request.diff.empty())
        return DiffModes(request);
    if (!request.modeSwitch.empty())
        return PrintModeSwitch(request);
    if (!request.registerTablePath.empty())
        return WriteRegisterTable(request);
    return request.batchPath.empty() ? RunOnce(request) : RunBatch(request);
}
