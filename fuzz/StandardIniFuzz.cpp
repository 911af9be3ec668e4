// Fuzzes the standard INI check and splice with arbitrary standard-file bytes: the output is the
// standard file with both section bodies replaced, or exactly the plain settings file after one
// message; every line ends with CR LF and the standard file is never touched.
#include "FuzzSupport.h"

#include "RecordingPrompt.h"
#include "SettingsWriter.h"
#include "StandardIni.h"
#include "WizardDoc.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

bool Contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

// The standard file as its reader sees it: LF ends a line and a CR right before it goes with it;
// a last line without a line end is a line too.
std::vector<std::string> SplitStandardLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos) {
            lines.emplace_back(bytes);
            break;
        }
        std::string_view line = bytes.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        bytes.remove_prefix(lf + 1);
    }
    return lines;
}

// The message the check owes this file, or none when it passes: written from the rules of the
// check, separately from the code under test.
std::optional<std::string_view> ExpectedCheckMessage(const std::vector<std::string>& lines) {
    if (lines.empty())
        return kMsgMissingSections;
    bool pll = false;
    bool timing = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool pllHeader = Contains(lines[i], kIniPllHeader);
        if (!pllHeader && !Contains(lines[i], kIniTimingHeader))
            continue;
        // A [PLL_settings] body ends badly at a [Timing_settings] line, tested before the tag.
        const auto endsBadly = [&](std::size_t j) {
            return j == lines.size() || (pllHeader && Contains(lines[j], kIniTimingHeader));
        };
        std::size_t j = i + 1;
        while (!endsBadly(j) && !Contains(lines[j], kIniKeepTag))
            ++j;
        if (endsBadly(j))
            return pllHeader ? kMsgMissingPllTag : kMsgMissingTimingTag;
        (pllHeader ? pll : timing) = true;
        i = j;
    }
    if (pll && timing)
        return std::nullopt;
    if (pll)
        return kMsgMissingTimingSection;
    if (timing)
        return kMsgMissingPllSection;
    return kMsgMissingSections;
}

// The standard lines that must reach the output unchanged and in order: everything outside the
// replaced bodies, the header and tag lines included, with a LOAD line behind "//".
std::vector<std::string> KeptLines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Contains(lines[i], kIniPllHeader) || Contains(lines[i], kIniTimingHeader)) {
            kept.push_back(lines[i]);
            while (++i < lines.size() && !Contains(lines[i], kIniKeepTag)) {
            }
            if (i < lines.size())
                kept.push_back(lines[i]);
        } else if (Contains(lines[i], kIniLoadPllSetup)) {
            kept.push_back("LOAD= PLL_settings");
            kept.push_back("//" + lines[i]);
        } else {
            kept.push_back(lines[i]);
        }
    }
    return kept;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Fixture {
    std::string path;
    CKXC2280RegisterWizardDoc doc;
    std::string plainFile;

    Fixture() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qx-fuzz-stdini-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        FUZZ_CHECK(fd >= 0, "a scratch file for the standard INI file");
        ::close(fd);
        path = pattern;
        doc.OnNewDocument();
        doc.ComputeTiming(false);
        doc.m_bOutputAsRegisters = 1;
        doc.m_strStandardIniPath = path;
        plainFile = Save(false, nullptr);
    }
    ~Fixture() { ::unlink(path.c_str()); }

    std::string Save(bool useStandardIni, RecordingPrompt* prompt,
                     SerializeResult* result = nullptr) {
        RecordingPrompt ignored;
        CMemoryOutputFile file;
        CArchive archive(CArchive::store, file, prompt ? *prompt : ignored);
        doc.m_bUseStandardIni = useStandardIni ? 1 : 0;
        const SerializeResult r = Serialize(doc, archive);
        if (result)
            *result = r;
        return file.Bytes();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    const std::string standard(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(fixture.path, std::ios::binary | std::ios::trunc);
        out << standard;
        FUZZ_CHECK(out.good(), "writing the standard INI file");
    }

    RecordingPrompt prompt;
    SerializeResult result{};
    const std::string output = fixture.Save(true, &prompt, &result);

    FUZZ_CHECK(ReadFile(fixture.path) == standard, "the standard INI file is only read");
    FUZZ_CHECK(prompt.questions.size() == 1, "the splice is offered once");

    const std::vector<std::string> lines = SplitStandardLines(standard);
    if (const auto message = ExpectedCheckMessage(lines)) {
        FUZZ_CHECK(result == SerializeResult::PlainFileAfterFailure, "a failed check");
        FUZZ_CHECK(prompt.messages.size() == 1 && prompt.messages[0] == *message,
                   "the check shows the message of the first problem");
        FUZZ_CHECK(output == fixture.plainFile, "a failed splice gives exactly the plain file");
        return 0;
    }
    FUZZ_CHECK(result == SerializeResult::SplicedFile, "a file that passes the check is spliced");
    FUZZ_CHECK(prompt.messages.empty(), "a splice that works shows nothing");
    FUZZ_CHECK(output.size() >= 2 && output.ends_with("\r\n"), "the output ends with CR LF");
    for (std::size_t lf = output.find('\n'); lf != std::string::npos;
         lf = output.find('\n', lf + 1))
        FUZZ_CHECK(lf > 0 && output[lf - 1] == '\r', "every line ends with CR LF");

    std::vector<std::string_view> outputLines;
    ForEachCrLfLine(output, [&](std::string_view line) { outputLines.push_back(line); });
    FUZZ_CHECK(outputLines.size() >= 2 &&
                   outputLines[0] == "; This file was generated by: QX7R310 Register Wizard" &&
                   outputLines[1].starts_with(";  Version: "),
               "the two header lines come first");
    const std::vector<std::string> kept = KeptLines(lines);
    std::size_t next = 2;
    for (const std::string& line : kept) {
        while (next < outputLines.size() && outputLines[next] != line)
            ++next;
        FUZZ_CHECK(next < outputLines.size(), "every kept line appears unchanged and in order");
        ++next;
    }
    return 0;
}
