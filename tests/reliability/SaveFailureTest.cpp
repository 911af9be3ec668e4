// Saving the settings file where it cannot go: one line on standard error, a failing status, the
// file that was there before intact, and nothing left behind.
#include "CliFixture.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrevious = "previous settings\r\n";
constexpr const char* kInside = "a file inside a folder\r\n";

struct SaveCase {
    const char* what;
    // Prepares the folder and returns the target of -o.
    std::string (*target)(const ScratchFolder& folder);
    long long fileSizeLimit;
    bool needsPermissionChecks; // root passes permission bits, so the case cannot fail for root
};

const SaveCase kSaveCases[] = {
    {"a path that is an empty folder",
     [](const ScratchFolder& f) {
         fs::create_directory(f.Path() / "empty");
         return f.File("empty");
     },
     -1, false},
    {"a path that is a folder with files", [](const ScratchFolder& f) { return f.File("taken"); },
     -1, false},
    {"a folder that does not exist",
     [](const ScratchFolder& f) { return f.File("missing/settings.ini"); }, -1, false},
    {"a file used as a folder",
     [](const ScratchFolder& f) { return f.File("settings.ini/settings.ini"); }, -1, false},
    {"a name too long for the file system",
     [](const ScratchFolder& f) { return f.File(std::string(300, 'n') + ".ini"); }, -1, false},
    {"the full device", [](const ScratchFolder&) { return std::string("/dev/full"); }, -1, false},
    {"a disk that fills up while the file is replaced",
     [](const ScratchFolder& f) { return f.File("settings.ini"); }, 300, false},
    {"a disk that fills up while a new file is written",
     [](const ScratchFolder& f) { return f.File("new.ini"); }, 300, false},
    {"a file in a folder without write permission",
     [](const ScratchFolder& f) {
         fs::create_directory(f.Path() / "locked");
         WriteBytes(f.File("locked/settings.ini"), kPrevious);
         fs::permissions(f.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
         return f.File("locked/settings.ini");
     },
     -1, true},
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.what;
}

class SaveFailure : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveFailure, OneLineFailingStatusPreviousFileIntactNothingLeft) {
    const SaveCase& c = GetParam();
    if (c.needsPermissionChecks && ::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ScratchFolder folder;
    WriteBytes(folder.File("settings.ini"), kPrevious);
    fs::create_directory(folder.Path() / "taken");
    WriteBytes(folder.File("taken/inside.ini"), kInside);
    const std::string target = c.target(folder);
    const std::vector<std::string> before = folder.Tree();

    ProcessOptions options;
    options.fileSizeLimit = c.fileSizeLimit;
    const ProcessResult run = RunCli({"-o", target}, options);

    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_EQ(run.err.rfind(std::string(kCliPrefix) + "cannot write \"" + target + "\"", 0), 0u)
        << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(folder.Tree(), before) << "no temporary or partial file is left";
    EXPECT_EQ(ReadBytes(folder.File("settings.ini")), kPrevious);
    EXPECT_EQ(ReadBytes(folder.File("taken/inside.ini")), kInside);
    if (fs::exists(folder.Path() / "locked")) {
        EXPECT_EQ(ReadBytes(folder.File("locked/settings.ini")), kPrevious);
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, SaveFailure, testing::ValuesIn(kSaveCases),
                         [](const testing::TestParamInfo<SaveCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// The same limit that fails the save leaves room for a file that fits: the limit is what failed.
TEST(SaveFailureControl, TheSameSaveSucceedsWithoutTheLimit) {
    ScratchFolder folder;
    WriteBytes(folder.File("settings.ini"), kPrevious);
    const ProcessResult run = RunCli({"-o", folder.File("settings.ini")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder.File("settings.ini")), PlainSettingsFile());
    EXPECT_EQ(folder.Tree(), std::vector<std::string>{"settings.ini"});
}

TEST(SaveFailureControl, StandardOutputOnTheFullDeviceFailsWithOneLine) {
    ProcessOptions options;
    options.stdoutPath = "/dev/full";
    const ProcessResult run = RunCli({}, options);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
}

} // namespace
