// Saving from the window: the same bytes as the command-line wizard, atomic failures, Save As.
#include "WizardFixture.h"

#include "SettingsFiles.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <ostream>
#include <string_view>

namespace {

class SaveTest : public WizardTest {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(SaveTest, TypedParametersSaveTheSameBytesAsTheCommandLineWizard) {
    QApplication::setActiveWindow(&Frame());
    ClickTreeItem(kClockSettingsPage);
    TypeInto(Pll().Item<QLineEdit>(IDC_TARGET_SYSTEM_FREQ), QStringLiteral("48"));
    ClickTreeItem(kImageTimingPage);
    auto* frameRate = TimingTop().Item<QComboBox>(IDC_FRAME_RATE);
    ASSERT_NE(frameRate, nullptr);
    TypeInto(frameRate->lineEdit(), QStringLiteral("15"));
    EXPECT_DOUBLE_EQ(Doc().m_dTargetSystemFreq, 48.0);
    EXPECT_DOUBLE_EQ(Doc().m_Contexts[0].m_dFrameRate, 15.0);

    m_paths.push_back(Path("typed.ini"));
    Trigger(ID_FILE_SAVE);

    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(m_dialogs[0].path, "QX7R310_Init.ini");
    EXPECT_EQ(m_dialogs[0].filter, ".ini (*.ini)");
    const QByteArray saved = ReadFile(Path("typed.ini"));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_EQ(saved, CliOutput({"--system-freq", "48", "--fps", "15"}));
    EXPECT_EQ(Frame().windowTitle(), "typed.ini - QX7R310 Register Wizard");
}

TEST_F(SaveTest, DefaultsSaveTheCommandLineDefaults) {
    m_paths.push_back(Path("defaults.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(Path("defaults.ini")), CliOutput({}));
}

TEST_F(SaveTest, RefusedTextBringsItsPagePromptsAndSavesNothing) {
    QApplication::setActiveWindow(&Frame());
    ClickTreeItem(kClockSettingsPage);
    auto* target = Pll().Item<QLineEdit>(IDC_TARGET_SYSTEM_FREQ);
    TypeInto(target, QStringLiteral("abc"));
    PostWizardMessage(&Frame(), WM_WIZ_SHOW_PAGE, IDS_PAGE_REGISTER_OUTPUT, 0);
    PumpEvents();
    ASSERT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);
    ASSERT_TRUE(m_prompts.Texts().empty());
    m_paths.push_back(Path("refused.ini"));

    for (const int command : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        m_prompts.Clear();
        Trigger(command);
        EXPECT_EQ(m_prompts.Texts(), std::vector<QString>{"Enter a number."}) << command;
        EXPECT_TRUE(m_dialogs.empty()) << command;
        EXPECT_EQ(Tabs().GetActiveTab(), kClockSettingsPage) << command;
        EXPECT_EQ(CurrentTreeText(), "Clock Settings") << command;
        EXPECT_TRUE(target->hasFocus()) << command;
        EXPECT_EQ(target->selectedText(), QStringLiteral("abc")) << command;
    }
    EXPECT_FALSE(QFile::exists(Path("refused.ini")));
    // Once the text is a number the save goes ahead, after the question about the 40 MHz the PLL
    // cannot match, which the recorder answers Yes.
    m_prompts.Clear();
    TypeInto(target, QStringLiteral("40"));
    Trigger(ID_FILE_SAVE);
    ASSERT_EQ(m_prompts.Prompts().size(), 1u);
    EXPECT_EQ(m_prompts.Prompts()[0].type, kMbYesNo | kMbIconQuestion);
    EXPECT_TRUE(QFile::exists(Path("refused.ini")));
}

TEST_F(SaveTest, SecondSaveReusesThePathWithoutAsking) {
    m_paths.push_back(Path("once.ini"));
    Trigger(ID_FILE_SAVE);
    const QByteArray first = ReadFile(Path("once.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(ReadFile(Path("once.ini")), first);
    EXPECT_EQ(UserSettings()->value("Recent File List/File1").toString(),
              QDir::toNativeSeparators(Path("once.ini")));
}

TEST_F(SaveTest, SaveAsAddsTheExtensionAndProposesTheCurrentFile) {
    m_paths.push_back(Path("noextension"));
    Trigger(ID_FILE_SAVE_AS);
    EXPECT_FALSE(ReadFile(Path("noextension.ini")).isEmpty());
    EXPECT_EQ(Template().GetPathName(), Path("noextension.ini"));
    Trigger(ID_FILE_SAVE_AS);
    ASSERT_EQ(m_dialogs.size(), 2u);
    EXPECT_EQ(m_dialogs[1].path, Path("noextension.ini"));
}

TEST_F(SaveTest, CancelledDialogWritesNothing) {
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(m_dialogs.size(), 1u);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_TRUE(m_prompts.Prompts().empty());
    EXPECT_EQ(Frame().windowTitle(), "QX7R310_Init - QX7R310 Register Wizard");
}

struct FailedTarget {
    const char* name;
    bool makeFolder;

    friend std::ostream& operator<<(std::ostream& out, const FailedTarget& c) {
        return out << c.name;
    }
};

class FailedSaveTest : public SaveTest, public testing::WithParamInterface<FailedTarget> {};

TEST_P(FailedSaveTest, ShowsOneMessageAndKeepsThePreviousFile) {
    m_paths.push_back(Path("previous.ini"));
    Trigger(ID_FILE_SAVE);
    const QByteArray previous = ReadFile(Path("previous.ini"));
    ASSERT_FALSE(previous.isEmpty());

    const QString target = Path(GetParam().name);
    if (GetParam().makeFolder) {
        ASSERT_TRUE(QDir().mkpath(target));
    }
    m_paths.push_back(target);
    Trigger(ID_FILE_SAVE_AS);

    ASSERT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_TRUE(m_prompts.Texts()[0].contains(QDir::toNativeSeparators(target)))
        << m_prompts.Texts()[0].toStdString();
    EXPECT_EQ(ReadFile(Path("previous.ini")), previous);
    EXPECT_EQ(Template().GetPathName(), Path("previous.ini"));
    EXPECT_EQ(QFileInfo(target).isDir(), GetParam().makeFolder);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), (QStringList{"previous.ini"}));
}

INSTANTIATE_TEST_SUITE_P(Targets, FailedSaveTest,
                         testing::Values(FailedTarget{"folder.ini", true},
                                         FailedTarget{"missing/folder/settings.ini", false}));

// A folder's read-only attribute does not stop writing into it on Windows.
#ifndef _WIN32
TEST_F(SaveTest, FolderWithoutWritePermissionKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop the superuser";
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + "/settings.ini";
    ASSERT_TRUE(WriteFile(target, "old bytes\r\n"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    m_paths.push_back(target);
    Trigger(ID_FILE_SAVE);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_EQ(ReadFile(target), "old bytes\r\n");
}
#endif

TEST_F(SaveTest, StandardIniCommandSplicesAndCanBeTurnedOff) {
    const QString standard = Path("standard.ini");
    ASSERT_TRUE(WriteFile(
        standard, "[Camera]\r\nLOAD= PLL Setup - 16MHz External\r\n[PLL_settings]\r\nold\r\n"
                  "// DO NOT REMOVE\r\n[Timing_settings]\r\nold\r\n// DO NOT REMOVE\r\n"));
    m_paths.push_back(standard);
    Trigger(ID_FILE_STANDARD_INI);
    EXPECT_EQ(m_dialogs.back().mode, FileDialogRequest::Mode::Open);
    EXPECT_TRUE(Frame().GetCommand(ID_FILE_STANDARD_INI)->isChecked());
    EXPECT_EQ(Doc().m_bUseStandardIni, 1);

    m_paths.push_back(Path("spliced.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(m_prompts.Texts(),
              (std::vector<QString>{"Do you want to use the Standard INI file?"}));
    EXPECT_EQ(ReadFile(Path("spliced.ini")), CliOutput({"--standard-ini", standard}));

    Trigger(ID_FILE_STANDARD_INI);
    EXPECT_FALSE(Frame().GetCommand(ID_FILE_STANDARD_INI)->isChecked());
    EXPECT_EQ(Doc().m_bUseStandardIni, 0);
    m_prompts.Clear();
    Trigger(ID_FILE_SAVE);
    EXPECT_TRUE(m_prompts.Prompts().empty());
    EXPECT_EQ(ReadFile(Path("spliced.ini")), CliOutput({}));
}

TEST_F(SaveTest, BadStandardIniFallsBackToThePlainFileWithItsMessage) {
    const QString standard = Path("wrong.ini");
    ASSERT_TRUE(WriteFile(standard, "[Camera]\r\nnothing here\r\n"));
    m_paths.push_back(standard);
    Trigger(ID_FILE_STANDARD_INI);
    m_paths.push_back(Path("plain.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(
        m_prompts.Texts(),
        (std::vector<QString>{"Do you want to use the Standard INI file?",
                              "Can not find the required sections. Wrong standard INI file!"}));
    EXPECT_EQ(ReadFile(Path("plain.ini")), CliOutput({}));
}

TEST_F(SaveTest, CancelledStandardIniChoiceLeavesItOff) {
    Trigger(ID_FILE_STANDARD_INI);
    EXPECT_FALSE(Frame().GetCommand(ID_FILE_STANDARD_INI)->isChecked());
    EXPECT_EQ(Doc().m_bUseStandardIni, 0);
}

} // namespace

// The lines of a section of a settings file: from its header to the next section or the end.
QByteArray SectionLines(const QByteArray& file, const QByteArray& header) {
    QByteArray lines;
    const qsizetype start = file.indexOf(header + "\r\n");
    if (start < 0)
        return "no " + header;
    for (const QByteArray& line : file.mid(start + header.size() + 2).split('\n')) {
        if (line.startsWith('['))
            break;
        if (line != "\r" && !line.isEmpty())
            lines += line + '\n';
    }
    return lines;
}

// Edit > Copy in a register list after Ctrl+A gives the saved file's lines of its section, in
// the output form chosen; a selection gives its rows, and spreadsheets get the list's cells.
TEST_F(SaveTest, CopyFromARegisterListGivesTheSavedLines) {
    ClickTreeItem(kRegisterOutputPage);
    auto* ifp = Registers().Item<QTableWidget>(IDC_IFP_REGISTER_LIST);
    auto* driver = Registers().Item<QTableWidget>(IDC_DRIVER_REGISTER_LIST);
    const auto copy = [this](QTableWidget* list, bool all) {
        list->setFocus(Qt::TabFocusReason);
        if (all)
            QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        PumpEvents();
        return QApplication::clipboard()->mimeData();
    };
    for (const char* form : {"registers", "fields"}) {
        if (form == std::string_view("fields"))
            QTest::mouseClick(Registers().GetDlgItem(IDC_OUTPUT_AS_REGISTERS), Qt::LeftButton);
        const QString path = Path(QString::fromLatin1(form) + ".ini");
        ASSERT_TRUE(Template().DoSave(path));
        const QByteArray file = ReadFile(path);
        EXPECT_EQ(copy(ifp, true)->text().toLatin1(), SectionLines(file, "[PLL_settings]")) << form;
        EXPECT_EQ(ifp->selectionModel()->selectedRows().size(), 2);
        EXPECT_EQ(copy(driver, true)->text().toLatin1(), SectionLines(file, "[Timing_settings]"))
            << form;
        EXPECT_EQ(driver->selectionModel()->selectedRows().size(), 13);
    }
    QTest::mouseClick(Registers().GetDlgItem(IDC_OUTPUT_AS_REGISTERS), Qt::LeftButton);
    driver->selectRow(1);
    const QMimeData* data = copy(driver, false);
    EXPECT_EQ(data->text(),
              "REG = 0x98E, 0x1000\r\nREG = 0x300C, 0x02D6\t\t//line_length_pck = 726\r\n");
    EXPECT_EQ(data->data("text/tab-separated-values"),
              "Reg Name\tID\tOffset\tValue (hex)\tValue (dec)\r\n"
              "line_length_pck\t0\t0x300C\t0x02D6\t726\r\n");
    EXPECT_EQ(copy(ifp, true)->data("text/tab-separated-values"),
              "Reg Name\tAddress\tValue (hex)\tValue (dec)\r\n"
              "pll_dividers\t0x10\t0x0018\t24\r\npll_p_dividers\t0x12\t0x500\t1280\r\n");
}
