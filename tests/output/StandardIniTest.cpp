// Standard INI file: reading, the check with each of its messages, and the splice.
#include "StandardIni.h"
#include "AtomicSave.h"
#include "GoldenFile.h"
#include "RecordingPrompt.h"
#include "ScratchFolder.h"
#include "SettingsWriter.h"
#include "Version.h"
#include "WizardDoc.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// text with its LF line ends replaced by lineEnd; the last one left out unless lastTerminated.
std::string WithLineEnds(const std::string& text, const std::string& lineEnd, bool lastTerminated) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
        out += text.substr(start, lf - start) + lineEnd;
    if (start < text.size())
        out += text.substr(start);
    else if (!lastTerminated && !out.empty())
        out.erase(out.size() - lineEnd.size());
    return out;
}

TEST(StandardIniFile, ReadsLinesOfEitherEndAndALastLineWithoutEnd) {
    ScratchFolder folder;
    const std::string longLine(200000, 'L');
    WriteBytes(folder.File("std.ini"), "crlf\r\nlf\n\r\n" + longLine + "\nlone\rcr\r\nlast");
    CStandardIniFile file;
    ASSERT_TRUE(file.Open(folder.File("std.ini")));
    std::vector<std::string> lines;
    for (std::string line; file.ReadString(line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"crlf", "lf", "", longLine, "lone\rcr", "last"}));
    file.SeekToBegin();
    std::string first;
    ASSERT_TRUE(file.ReadString(first));
    EXPECT_EQ(first, "crlf");
}

TEST(StandardIniFile, CannotOpenWhatIsNoReadableFile) {
    ScratchFolder folder;
    CStandardIniFile file;
    EXPECT_FALSE(file.Open(folder.File("missing.ini")));
    EXPECT_FALSE(file.Open(folder.Path().string()));
    EXPECT_FALSE(file.Open(""));
}

struct CheckCase {
    const char* what;
    const char* text;
    bool ok;
    std::string_view message; // empty when ok
};

const CheckCase kCheckCases[] = {
    {"empty file", "", false, kMsgMissingSections},
    {"one empty line", "\n", false, kMsgMissingSections},
    {"no section", "a\nb\n", false, kMsgMissingSections},
    {"complete", "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n", true,
     ""},
    {"timing first", "x\n[Timing_settings]\n// DO NOT REMOVE\n[PLL_settings]\n// DO NOT REMOVE",
     true, ""},
    {"only pll", "[PLL_settings]\n// DO NOT REMOVE\n", false, kMsgMissingTimingSection},
    {"only timing", "[Timing_settings]\n// DO NOT REMOVE\n", false, kMsgMissingPllSection},
    {"pll tag missing before timing", "[PLL_settings]\nx\n[Timing_settings]\n// DO NOT REMOVE\n",
     false, kMsgMissingPllTag},
    {"pll tag missing at the end", "[Timing_settings]\n// DO NOT REMOVE\n[PLL_settings]\nx\n",
     false, kMsgMissingPllTag},
    {"timing tag missing", "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\nx\n", false,
     kMsgMissingTimingTag},
    {"header holding the tag does not close itself",
     "[PLL_settings] // DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n", false,
     kMsgMissingPllTag},
    {"header holding the tag, tag on a later line",
     "[PLL_settings] // DO NOT REMOVE\nold\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT "
     "REMOVE\n",
     true, ""},
    {"matching is case-sensitive",
     "[pll_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n", false,
     kMsgMissingPllSection},
    {"pll header inside the timing body is not looked at",
     "[Timing_settings]\n[PLL_settings]\n// DO NOT REMOVE\n", false, kMsgMissingPllSection},
    {"a line with both headers is a pll header",
     "[Timing_settings][PLL_settings]\n// DO NOT REMOVE\n", false, kMsgMissingTimingSection},
    {"two pll sections",
     "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n[PLL_settings]\n// "
     "DO NOT REMOVE\n",
     true, ""},
};

TEST(CheckStandardIni, ShowsTheFirstProblemItMeets) {
    ScratchFolder folder;
    for (const CheckCase& c : kCheckCases) {
        for (const char* lineEnd : {"\n", "\r\n"}) {
            SCOPED_TRACE(std::string(c.what) + (lineEnd[1] ? " (CR LF)" : " (LF)"));
            WriteBytes(folder.File("std.ini"), WithLineEnds(c.text, lineEnd, true));
            CStandardIniFile file;
            ASSERT_TRUE(file.Open(folder.File("std.ini")));
            RecordingPrompt prompt;
            EXPECT_EQ(CheckStandardIni(file, prompt), c.ok);
            const std::vector<std::string> expected =
                c.ok ? std::vector<std::string>{}
                     : std::vector<std::string>{std::string(c.message)};
            EXPECT_EQ(prompt.messages, expected);
        }
    }
}

// The default document with short report texts, set to splice.
class Splice : public ::testing::Test {
protected:
    Splice() : doc(DefaultDocument()) {
        doc.m_strClockSummary = "CS\r\n";
        doc.m_strClockReport = "CR\r\n";
        doc.m_Contexts[0].m_strTimingSummary = "TS\r\n";
        doc.m_Contexts[0].m_strTimingReport = "TR\r\n";
        doc.m_bUseStandardIni = 1;
        doc.m_strStandardIniPath = StandardPath();
    }

    std::string StandardPath() const { return folder.File("standard.ini"); }

    std::string Save(RecordingPrompt& prompt, SerializeResult expected) {
        CMemoryOutputFile file;
        CArchive ar(CArchive::store, file, prompt);
        EXPECT_EQ(Serialize(doc, ar), expected);
        return file.Bytes();
    }

    std::string PlainFile() {
        CKXC2280RegisterWizardDoc plain = doc;
        plain.m_bUseStandardIni = 0;
        CMemoryOutputFile file;
        RecordingPrompt prompt;
        CArchive ar(CArchive::store, file, prompt);
        Serialize(plain, ar);
        return file.Bytes();
    }

    static std::string Top() {
        return "; This file was generated by: QX7R310 Register Wizard\r\n;  " + GetVersionText() +
               "\r\n";
    }

    ScratchFolder folder;
    CKXC2280RegisterWizardDoc doc;
};

const char* const kStandardText = "; standard header\n"
                                  "LOAD= PLL Setup - 16MHz External\n"
                                  "[PLL_settings]\n"
                                  "old pll 1\n"
                                  "old pll 2\n"
                                  "// DO NOT REMOVE pll\n"
                                  "between\n"
                                  "// DO NOT REMOVE stray\n"
                                  "[Timing_settings]\n"
                                  "old timing\n"
                                  "// DO NOT REMOVE timing\n"
                                  "tail\n";

// The sections the splice writes for the fixture's document: its short reports and the register
// lines of the hand-written file.
std::string PllBlock() {
    return "[PLL_settings]\r\n"
           "\r\n"
           "; CS\r\n"
           "; CR\r\n"
           "; \r\n" +
           GoldenRegisterLines("[PLL_settings]") + "\r\n";
}

std::string TimingBlock() {
    return "[Timing_settings]\r\n"
           "\r\n"
           "; TS\r\n"
           "; TR\r\n"
           "; \r\n"
           "; \r\n"
           "; \r\n" +
           GoldenRegisterLines("[Timing_settings]") + "\r\n";
}

TEST_F(Splice, ReplacesBothBodiesWhateverTheLineEnds) {
    const std::string expected = Top() +
                                 "; standard header\r\n"
                                 "LOAD= PLL_settings\r\n"
                                 "//LOAD= PLL Setup - 16MHz External\r\n" +
                                 PllBlock() +
                                 "// DO NOT REMOVE pll\r\n"
                                 "between\r\n"
                                 "// DO NOT REMOVE stray\r\n" +
                                 TimingBlock() +
                                 "// DO NOT REMOVE timing\r\n"
                                 "tail\r\n";
    struct Ends {
        const char* what;
        const char* lineEnd;
        bool lastTerminated;
    };
    for (const Ends& ends : {Ends{"CR LF", "\r\n", true}, Ends{"LF", "\n", true},
                             Ends{"unterminated last line", "\n", false},
                             Ends{"CR LF, unterminated", "\r\n", false}}) {
        SCOPED_TRACE(ends.what);
        WriteBytes(StandardPath(), WithLineEnds(kStandardText, ends.lineEnd, ends.lastTerminated));
        RecordingPrompt prompt;
        EXPECT_EQ(Save(prompt, SerializeResult::SplicedFile), expected);
        EXPECT_EQ(prompt.questions, std::vector<std::string>{std::string(kQuestionUseStandardIni)});
        EXPECT_TRUE(prompt.messages.empty());
    }
}

TEST_F(Splice, ReplacesEveryPllSectionAndCopiesLookalikes) {
    WriteBytes(StandardPath(), "[pll_settings]\r\n"
                               "[PLL_settings] // DO NOT REMOVE\r\n"
                               "old\r\n"
                               "// DO NOT REMOVE 1\r\n"
                               "[Timing_settings]\r\n"
                               "[PLL_settings] inside the timing body\r\n"
                               "// DO NOT REMOVE 2\r\n"
                               "[PLL_settings]\r\n"
                               "// DO NOT REMOVE 3\r\n");
    RecordingPrompt prompt;
    const std::string spliced = Save(prompt, SerializeResult::SplicedFile);
    std::string pllBlockWithTag = PllBlock();
    pllBlockWithTag.replace(0, 14, "[PLL_settings] // DO NOT REMOVE");
    EXPECT_EQ(spliced, Top() + "[pll_settings]\r\n" + pllBlockWithTag + "// DO NOT REMOVE 1\r\n" +
                           TimingBlock() + "// DO NOT REMOVE 2\r\n" + PllBlock() +
                           "// DO NOT REMOVE 3\r\n");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(Splice, RedirectsEveryLoadLine) {
    WriteBytes(StandardPath(), "LOAD= PLL Setup - 16MHz External\n"
                               "[PLL_settings]\n// DO NOT REMOVE\n"
                               "[Timing_settings]\n// DO NOT REMOVE\n"
                               "  x LOAD= PLL Setup - 16MHz External; y\n"
                               "LOAD= PLL Setup - 24MHz External\n");
    RecordingPrompt prompt;
    const std::string spliced = Save(prompt, SerializeResult::SplicedFile);
    const std::string head = Top() + "LOAD= PLL_settings\r\n//LOAD= PLL Setup - 16MHz External\r\n";
    EXPECT_EQ(spliced.substr(0, head.size()), head);
    const std::string tail = "// DO NOT REMOVE\r\n"
                             "LOAD= PLL_settings\r\n"
                             "//  x LOAD= PLL Setup - 16MHz External; y\r\n"
                             "LOAD= PLL Setup - 24MHz External\r\n";
    EXPECT_EQ(spliced.substr(spliced.size() - tail.size()), tail);
}

TEST_F(Splice, EachFailureShowsItsMessageAndGivesExactlyThePlainFile) {
    struct Failure {
        const char* what;
        std::string path;
        const char* text; // written to the path when not null
        std::string_view message;
    };
    const Failure failures[] = {
        {"missing file", folder.File("missing.ini"), nullptr, kMsgCannotOpenStandardIni},
        {"empty path", "", nullptr, kMsgCannotOpenStandardIni},
        {"a folder", folder.Path().string(), nullptr, kMsgCannotOpenStandardIni},
        {"empty file", StandardPath(), "", kMsgMissingSections},
        {"no timing section", StandardPath(), "[PLL_settings]\n// DO NOT REMOVE\n",
         kMsgMissingTimingSection},
        {"no pll section", StandardPath(), "[Timing_settings]\n// DO NOT REMOVE\n",
         kMsgMissingPllSection},
        {"pll tag missing", StandardPath(), "[PLL_settings]\n[Timing_settings]\n// DO NOT REMOVE\n",
         kMsgMissingPllTag},
        {"timing tag missing", StandardPath(),
         "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n", kMsgMissingTimingTag},
    };
    const std::string plain = PlainFile();
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        if (failure.text != nullptr)
            WriteBytes(failure.path, failure.text);
        doc.m_strStandardIniPath = failure.path;
        RecordingPrompt prompt;
        EXPECT_EQ(Save(prompt, SerializeResult::PlainFileAfterFailure), plain);
        EXPECT_EQ(prompt.messages, std::vector<std::string>{std::string(failure.message)});
    }
}

// A file that takes the first bytes and then reports a full disk.
class FullDiskFile : public COutputFile {
public:
    void Write(std::string_view) override { throw CFileException("disk full"); }
    void Rewind() override {}
};

TEST_F(Splice, AFailingDiskIsReportedAfterASuccessfulSplice) {
    // Small enough to stay in the writer's buffer until the end of the splice.
    doc.m_Registers.resize(2);
    WriteBytes(StandardPath(), "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT "
                               "REMOVE\n");
    FullDiskFile file;
    RecordingPrompt prompt;
    CArchive ar(CArchive::store, file, prompt);
    EXPECT_THROW(Serialize(doc, ar), CFileException);
}

TEST_F(Splice, AnsweringNoWritesThePlainFile) {
    WriteBytes(StandardPath(), kStandardText);
    RecordingPrompt prompt(false);
    EXPECT_EQ(Save(prompt, SerializeResult::PlainFile), PlainFile());
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(Splice, NeverWritesToTheStandardFileAndCanReplaceIt) {
    WriteBytes(StandardPath(), kStandardText);
#ifndef _WIN32
    // Only POSIX replaces a file without write permission; Windows keeps a read-only file.
    ::chmod(StandardPath().c_str(), 0444);
#endif
    const auto before = std::filesystem::last_write_time(StandardPath());
    RecordingPrompt prompt;
    const std::string spliced = Save(prompt, SerializeResult::SplicedFile);
    EXPECT_EQ(ReadBytes(StandardPath()), kStandardText);
    EXPECT_EQ(std::filesystem::last_write_time(StandardPath()), before);

    // Saving onto the standard file's own path: it was read whole before the save replaces it.
    ASSERT_TRUE(SaveFileAtomically(StandardPath(), spliced));
    EXPECT_EQ(ReadBytes(StandardPath()), spliced);
}

} // namespace
