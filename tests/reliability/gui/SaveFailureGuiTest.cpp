// Saving from the window where the file cannot go: one message, the previous file and the target
// intact, nothing left behind.
#include "WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// While alive, a write that makes a file larger than the limit fails with EFBIG, as on a full
// disk, instead of killing the process.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit{bytes, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

class GuiSaveFailure : public WizardTest {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QStringList Entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    }
    // Saves once to previous.ini, then Save As to target; the message texts shown.
    std::vector<QString> SaveAsAfterAGoodSave(const QString& target) {
        m_paths.push_back(Path("previous.ini"));
        Trigger(ID_FILE_SAVE);
        m_previous = ReadFile(Path("previous.ini"));
        EXPECT_FALSE(m_previous.isEmpty());
        m_prompts.Clear();
        m_paths.push_back(target);
        Trigger(ID_FILE_SAVE_AS);
        return m_prompts.Texts();
    }

    QTemporaryDir m_dir;
    QByteArray m_previous;
};

// A write cut short by a full disk must not be renamed over the previous file as if it were whole.
TEST_F(GuiSaveFailure, ADiskThatFillsUpKeepsThePreviousFile) {
    std::vector<QString> shown;
    m_paths.push_back(Path("previous.ini"));
    Trigger(ID_FILE_SAVE);
    m_previous = ReadFile(Path("previous.ini"));
    ASSERT_FALSE(m_previous.isEmpty());
    m_prompts.Clear();
    {
        ScopedFileSizeLimit limit(300);
        Trigger(ID_FILE_SAVE);
        shown = m_prompts.Texts();
    }
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(!shown.empty() && shown[0].contains(Path("previous.ini")));
    EXPECT_EQ(ReadFile(Path("previous.ini")), m_previous);
    EXPECT_EQ(Entries(), QStringList{"previous.ini"}) << "no temporary file is left";
}

TEST_F(GuiSaveFailure, AFileUsedAsAFolderShowsOneMessage) {
    const std::vector<QString> shown = SaveAsAfterAGoodSave(Path("previous.ini/settings.ini"));
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(ReadFile(Path("previous.ini")), m_previous);
    EXPECT_EQ(Entries(), QStringList{"previous.ini"});
    EXPECT_EQ(Template().GetPathName(), Path("previous.ini"));
}

// A device that refuses every write, like /dev/full, made in the test's own folder so that the
// real one is never put at risk: the device stays a device and the refused write is reported.
TEST_F(GuiSaveFailure, AFullDeviceShowsOneMessageAndStaysADevice) {
    const QString device = Path("full.ini");
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (needs root)";
    const std::vector<QString> shown = SaveAsAfterAGoodSave(device);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device was replaced by a regular file";
    EXPECT_EQ(shown.size(), 1u) << "a write that failed was reported as saved";
    EXPECT_TRUE(!shown.empty() && shown[0].contains(device));
    EXPECT_EQ(ReadFile(Path("previous.ini")), m_previous);
    EXPECT_EQ(Entries(), (QStringList{"full.ini", "previous.ini"}));
    EXPECT_EQ(Template().GetPathName(), Path("previous.ini"));
}

} // namespace
