// The diagram export of the window program: its one option split off, the rest parsed as the
// command-line wizard parses its parameters, the wizard's run, then the SVG or PNG file.
#include "ExportDiagramCommand.h"

#include "CommandLine.h"
#include "Parameters.h"
#include "TimingDiagramExport.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace {

constexpr const char* kProgram = "qx7r310-wizard";
constexpr std::string_view kOption = "--export-diagram";
constexpr const char* kAccepted = "a file name ending in .svg or .png";

int Refuse(const std::string& what) {
    std::cerr << kProgram << ": " << what << '\n';
    return kExitBadUsage;
}

// The option's file name and every other argument, in order; the refusal when the option has no
// value or comes twice.
struct SplitArguments {
    std::optional<std::string> path;
    std::vector<const char*> rest; // argv[0] first
    std::string refusal;
};

SplitArguments Split(int argc, const char* const* argv) {
    SplitArguments split;
    split.rest.push_back(argv[0]);
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        options = options && arg != "--";
        std::optional<std::string> value;
        if (options && arg == kOption) {
            if (i + 1 >= argc) {
                split.refusal =
                    "option " + std::string(kOption) + ": value missing; accepted: " + kAccepted;
                return split;
            }
            value = argv[++i];
        } else if (options && arg.starts_with(std::string(kOption) + "=")) {
            value = std::string(arg.substr(kOption.size() + 1));
        } else {
            split.rest.push_back(argv[i]);
            continue;
        }
        if (split.path) {
            split.refusal =
                "option " + std::string(kOption) + ": given more than once; accepted: once";
            return split;
        }
        split.path = std::move(value);
    }
    return split;
}

// Without a display the GUI application would not start; the offscreen platform draws the same.
// Windows always has one. A platform the user chose stays.
void UseOffscreenWithoutDisplay() {
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

} // namespace

bool AsksForDiagramExport(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == kOption || arg.starts_with(std::string(kOption) + "="))
            return true;
    }
    return false;
}

std::string DiagramExportHelp() {
    // The parameter options as the command-line wizard's parser lists them, without its --help.
    const char* argv[] = {kProgram, "--help"};
    const auto parsed = ParseParameterArguments(kProgram, 2, argv);
    std::string options;
    if (const auto* help = std::get_if<CliExit>(&parsed)) {
        const std::string& text = help->text;
        const std::size_t start = text.find("Options:\n");
        std::size_t at = start == std::string::npos ? text.size() : start + 9;
        while (at < text.size()) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            const std::string_view line(text.data() + at, end - at);
            if (!line.empty() && !line.starts_with("  --help "))
                options += std::string(line) + '\n';
            at = end + 1;
        }
    }
    return "  --export-diagram FILE.svg|FILE.png [PARAMETERS...]\n"
           "             write the frame timing diagram of PARAMETERS to FILE without a window\n"
           "             and exit: SVG or PNG by the extension, replaced whole or not at all;\n"
           "             status 0 done, 1 the file could not be written, 2 bad options or\n"
           "             parameter files (nothing written)\n"
           "\n"
           "PARAMETERS, as qx7r310-wizard-cli takes them (the defaults, --params, --from, then\n"
           "the options, each over the ones before):\n" +
           options;
}

int ExportDiagramCommand(int argc, char** argv) {
    const SplitArguments split = Split(argc, argv);
    if (!split.refusal.empty())
        return Refuse(split.refusal);
    if (!split.path || !DiagramFormatForPath(*split.path))
        return Refuse("option " + std::string(kOption) + ": invalid value " +
                      QuoteValue(split.path.value_or("")) + "; accepted: " + kAccepted);
    std::vector<std::string> notes;
    auto parsed = ParseParameterArguments(kProgram, static_cast<int>(split.rest.size()),
                                          split.rest.data(), &notes);
    if (const auto* exit = std::get_if<CliExit>(&parsed)) {
        (exit->status == kExitOk ? std::cout : std::cerr) << exit->text << std::flush;
        return exit->status;
    }
    for (const std::string& note : notes)
        std::cerr << note << '\n';

    UseOffscreenWithoutDisplay();
    // Qt sees only the program name: every other argument was a parameter.
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    CKXC2280RegisterWizardDoc doc;
    RunNewDocument(std::get<ParameterSet>(parsed), doc);
    if (const SaveResult saved = ExportTimingDiagram(doc, *split.path); !saved) {
        std::cerr << kProgram << ": " << saved.message << '\n';
        return kExitWriteFailed;
    }
    return kExitOk;
}
