// Whole-or-nothing replacement of a file.
#include "AtomicSave.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

TEST(SaveFileAtomically, CreatesANewFile) {
    ScratchFolder folder;
    const std::string path = folder.File("settings.ini");
    ASSERT_TRUE(SaveFileAtomically(path, "REG = 0x98E, 0x1000\r\n"));
    EXPECT_EQ(ReadBytes(path), "REG = 0x98E, 0x1000\r\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"settings.ini"});
}

#ifndef _WIN32
TEST(SaveFileAtomically, ReplacesAnExistingFileAndKeepsItsPermissions) {
    ScratchFolder folder;
    const std::string path = folder.File("settings.ini");
    WriteBytes(path, std::string(4000, 'o'));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveFileAtomically(path, "new"));
    EXPECT_EQ(ReadBytes(path), "new");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"settings.ini"});
}

#endif

TEST(SaveFileAtomically, SavesUnderTheLongestNameTheFolderAllows) {
    ScratchFolder folder;
    const std::string path = folder.File(std::string(255, 'n'));
    ASSERT_TRUE(SaveFileAtomically(path, "long"));
    EXPECT_EQ(ReadBytes(path), "long");
}

#ifndef _WIN32
TEST(SaveFileAtomically, ReplacesTheFileALinkPointsAtAndKeepsTheLink) {
    ScratchFolder folder;
    WriteBytes(folder.File("real.ini"), "old");
    fs::create_symlink("real.ini", folder.Path() / "link.ini");
    ASSERT_TRUE(SaveFileAtomically(folder.File("link.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.ini"));
    EXPECT_EQ(ReadBytes(folder.File("real.ini")), "new");
}
#endif

struct FailingTarget {
    const char* what;
    std::string (*prepare)(const ScratchFolder&); // returns the path to save to
};

const FailingTarget kFailingTargets[] = {
    {"a folder",
     [](const ScratchFolder& f) {
         fs::create_directory(f.Path() / "settings.ini");
         return f.File("settings.ini");
     }},
    {"a missing parent folder", [](const ScratchFolder& f) { return f.File("missing/out.ini"); }},
    {"an empty name", [](const ScratchFolder&) { return std::string(); }},
    {"a name ending in a slash", [](const ScratchFolder& f) { return f.File("new/"); }},
#ifdef _WIN32
    // Windows opens the device of a reserved name in every folder, whatever the extension.
    {"the null device", [](const ScratchFolder&) { return std::string("NUL"); }},
    {"the console", [](const ScratchFolder& f) { return f.File("CON"); }},
    {"a serial port with an extension", [](const ScratchFolder& f) { return f.File("com1.ini"); }},
    {"the printer in lower case", [](const ScratchFolder& f) { return f.File("lpt9.txt"); }},
    {"a read-only file",
     [](const ScratchFolder& f) {
         fs::permissions(f.Path() / "previous.ini",
                         fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
         return f.File("previous.ini");
     }},
#else
    {"a full device", [](const ScratchFolder&) { return std::string("/dev/full"); }},
    {"a named pipe nobody reads",
     [](const ScratchFolder& f) {
         ::mkfifo(f.File("pipe").c_str(), 0600);
         return f.File("pipe");
     }},
#endif
};

TEST(SaveFileAtomically, ReportsEachFailureAndLeavesNoTemporaryFile) {
    for (const FailingTarget& target : kFailingTargets) {
        SCOPED_TRACE(target.what);
        ScratchFolder folder;
        WriteBytes(folder.File("previous.ini"), "previous");
        const std::string path = target.prepare(folder);
        const std::vector<std::string> before = folder.Entries();
        const SaveResult result = SaveFileAtomically(path, std::string(10000, 'n'));
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("cannot write \"" + path + "\""), std::string::npos)
            << result.message;
        // The window names the file itself and shows only the reason after it.
        EXPECT_FALSE(result.reason.empty());
        if (!path.empty()) {
            EXPECT_EQ(result.reason.find(path), std::string::npos) << result.reason;
        }
        EXPECT_TRUE(result.message.ends_with(": " + result.reason)) << result.message;
        EXPECT_EQ(folder.Entries(), before);
        EXPECT_EQ(ReadBytes(folder.File("previous.ini")), "previous");
    }
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)); // written into, never replaced
#endif
}

// A batch into a new folder: before Commit the folder is not there, at Commit it appears with every
// file; a folder that appears meanwhile gets the files one by one and keeps its own; a batch that
// never commits leaves nothing. No hidden folder is ever left beside it.
TEST(AtomicSaveBatch, ANewFolderAppearsWholeOrNotAtAll) {
    struct Case {
        const char* what;
        bool folderAppears;
        bool commits;
        std::vector<std::string> tree; // below the scratch folder, after the batch
    };
    const Case cases[] = {
        {"commits", false, true, {"new", "new/out", "new/out/a.ini", "new/out/b.ini"}},
        {"a folder appears",
         true,
         true,
         {"new", "new/out", "new/out/a.ini", "new/out/b.ini", "new/out/other.ini"}},
        {"never commits", false, false, {"new"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const std::string out = folder.File("new/out");
        {
            AtomicSaveBatch batch(out + "/");
            ASSERT_EQ(batch.Begin(), std::nullopt);
            ASSERT_TRUE(batch.Stage("a.ini", "A"));
            ASSERT_TRUE(batch.Stage("b.ini", "B"));
            EXPECT_FALSE(fs::exists(out));
            if (c.folderAppears) {
                fs::create_directory(out);
                WriteBytes(out + "/a.ini", "previous");
                WriteBytes(out + "/other.ini", "other");
            }
            if (c.commits) {
                const std::vector<SaveResult> saved = batch.Commit();
                ASSERT_EQ(saved.size(), 2u);
                EXPECT_TRUE(saved[0] && saved[1]) << saved[0].message << saved[1].message;
            }
        }
        EXPECT_EQ(folder.Tree(), c.tree);
        if (c.commits) {
            EXPECT_EQ(ReadBytes(out + "/a.ini") + ReadBytes(out + "/b.ini"), "AB");
        }
    }
}

#ifndef _WIN32

TEST(SaveFileAtomically, KeepsThePreviousFileWhenTheFolderIsReadOnly) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ScratchFolder folder;
    const std::string path = folder.File("settings.ini");
    WriteBytes(path, "previous");
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveFileAtomically(path, "new").ok);
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(path), "previous");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"settings.ini"});
}

TEST(SaveFileAtomically, WritesIntoADeviceThatIsNoRegularFile) {
    EXPECT_TRUE(SaveFileAtomically("/dev/null", "discarded"));
    struct stat info {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

#endif

} // namespace
