// Standard INI files that cannot be spliced: the splice's message, then exactly the plain settings
// file, and nothing else written; files that can be spliced however odd their bytes.
#include "CliFixture.h"

#include "RecordingPrompt.h"
#include "ScratchFolder.h"
#include "StandardIni.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kQuestionLine =
    "qx7r310-wizard-cli: Do you want to use the Standard INI file? Yes\n";
constexpr const char* kPrevious = "previous settings\r\n";
constexpr const char* kSections =
    "[PLL_settings]\r\n// DO NOT REMOVE\r\n[Timing_settings]\r\n// DO NOT REMOVE\r\n";

std::string Binary() {
    std::string bytes;
    for (int round = 0; round < 64; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>((b * 7 + round) & 0xFF);
    return bytes;
}

struct BadStandardCase {
    const char* what;
    // Prepares the standard file at path (or leaves it missing).
    void (*make)(const std::string& path);
    std::string_view message;
    bool needsPermissionChecks;
};

const BadStandardCase kBadStandardCases[] = {
    {"missing", [](const std::string&) {}, kMsgCannotOpenStandardIni, false},
    {"empty", [](const std::string& p) { WriteBytes(p, ""); }, kMsgMissingSections, false},
    {"unreadable",
     [](const std::string& p) {
         WriteBytes(p, kSections);
         fs::permissions(p, fs::perms::none);
     },
     kMsgCannotOpenStandardIni, true},
    {"a folder", [](const std::string& p) { fs::create_directory(p); }, kMsgCannotOpenStandardIni,
     false},
    {"binary", [](const std::string& p) { WriteBytes(p, Binary()); }, kMsgMissingSections, false},
    {"one line of several megabytes",
     [](const std::string& p) { WriteBytes(p, std::string(6 << 20, 'A')); }, kMsgMissingSections,
     false},
    {"a named pipe that nobody writes",
     [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
     kMsgCannotOpenStandardIni, false},
    {"a device that never ends", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
     kMsgCannotOpenStandardIni, false},
    {"a section without its tag",
     [](const std::string& p) { WriteBytes(p, "[PLL_settings]\r\n[Timing_settings]\r\n"); },
     kMsgMissingPllTag, false},
};

void PrintTo(const BadStandardCase& c, std::ostream* os) {
    *os << c.what;
}

std::string TestName(const char* what) {
    std::string name;
    for (const char* p = what; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

class BadStandardIni : public testing::TestWithParam<BadStandardCase> {};

TEST_P(BadStandardIni, MessageThenThePlainFileAndNothingElse) {
    const BadStandardCase& c = GetParam();
    if (c.needsPermissionChecks && ::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ScratchFolder folder;
    const std::string standard = folder.File("standard.ini");
    const std::string output = folder.File("settings.ini");
    WriteBytes(output, kPrevious);
    c.make(standard);
    const bool standardExists = fs::exists(standard) && fs::is_regular_file(standard);
    std::string standardBefore;
    if (standardExists) {
        // Read past the test's own permission change, which is then put back.
        const fs::perms perms = fs::status(standard).permissions();
        fs::permissions(standard, fs::perms::owner_read, fs::perm_options::add);
        standardBefore = ReadBytes(standard);
        fs::permissions(standard, perms);
    }
    const std::vector<std::string> before = folder.Tree();

    const ProcessResult run = RunCli({"--standard-ini", standard, "-o", output});

    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, kQuestionLine + std::string(kCliPrefix) + std::string(c.message) + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(output), PlainSettingsFile());
    EXPECT_EQ(folder.Tree(), before);
    if (standardExists) {
        fs::permissions(standard, fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(ReadBytes(standard), standardBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, BadStandardIni, testing::ValuesIn(kBadStandardCases),
                         [](const testing::TestParamInfo<BadStandardCase>& info) {
                             return TestName(info.param.what);
                         });

struct OddStandardCase {
    const char* what;
    std::string bytes;
    std::string keptLine; // a line of the standard file the output must carry unchanged
};

const OddStandardCase kOddStandardCases[] = {
    {"a line of several megabytes", std::string(kSections) + std::string(5 << 20, 'B') + "\n",
     std::string(5 << 20, 'B')},
    {"binary bytes around the sections",
     std::string("\x00\xFF\x7F\x01 head", 9) + "\n" + kSections + std::string("tail\x00\x80\n", 7),
     std::string("tail\x00\x80", 6)},
    {"line feeds only and no last line end",
     "[PLL_settings]\nx\n// DO NOT REMOVE\n[Timing_settings]\ny\n// DO NOT REMOVE\nlast", "last"},
};

void PrintTo(const OddStandardCase& c, std::ostream* os) {
    *os << c.what;
}

class OddStandardIni : public testing::TestWithParam<OddStandardCase> {};

TEST_P(OddStandardIni, IsSplicedWithEveryLineKept) {
    const OddStandardCase& c = GetParam();
    ScratchFolder folder;
    const std::string standard = folder.File("standard.ini");
    const std::string output = folder.File("settings.ini");
    WriteBytes(standard, c.bytes);

    const ProcessResult run = RunCli({"--standard-ini", standard, "-o", output});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, kQuestionLine);
    const std::string spliced = ReadBytes(output);
    EXPECT_NE(spliced.find("\r\n" + c.keptLine + "\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(standard), c.bytes);
    EXPECT_EQ(folder.Tree(), (std::vector<std::string>{"settings.ini", "standard.ini"}));
}

INSTANTIATE_TEST_SUITE_P(Cli, OddStandardIni, testing::ValuesIn(kOddStandardCases),
                         [](const testing::TestParamInfo<OddStandardCase>& info) {
                             return TestName(info.param.what);
                         });

TEST(StandardIniInPlace, SavingOverTheStandardFileReplacesItWhole) {
    ScratchFolder folder;
    const std::string standard = folder.File("standard.ini");
    WriteBytes(standard, std::string("; before\r\n") + kSections);
    const ProcessResult run = RunCli({"--standard-ini", standard, "-o", standard});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string spliced = ReadBytes(standard);
    EXPECT_EQ(spliced.rfind("; This file was generated by: QX7R310 Register Wizard\r\n", 0), 0u);
    EXPECT_NE(spliced.find("\r\n; before\r\n[PLL_settings]\r\n"), std::string::npos);
    EXPECT_EQ(folder.Tree(), std::vector<std::string>{"standard.ini"});
}

// The check and the splice read one snapshot, taken when the file is opened: a file changed
// between the two cannot give an output mixed from two versions.
TEST(StandardIniSnapshot, AChangeAfterOpeningIsNotSeenByCheckOrSplice) {
    RecordingPrompt prompt;
    ScratchFolder folder;
    const std::string path = folder.File("standard.ini");
    WriteBytes(path, kSections);
    CStandardIniFile file;
    ASSERT_TRUE(file.Open(path));
    WriteBytes(path, "changed\r\n");

    EXPECT_TRUE(CheckStandardIni(file, prompt));
    EXPECT_TRUE(prompt.messages.empty());
    file.SeekToBegin();
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "[PLL_settings]");
}

} // namespace
