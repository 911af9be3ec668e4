// Start-up as a whole: window placement, title, settings key, recent files, command line, About.
#include "WizardFixture.h"

#include "SettingsFiles.h"

#include "Version.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using StartupTest = WizardTest;

TEST_F(StartupTest, MainWindowAt50And50With840By860) {
    ASSERT_TRUE(m_started);
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().frameGeometry(), QRect(50, 50, 840, 860));
}

TEST_F(StartupTest, UntitledDocumentNamesTheWindow) {
    EXPECT_EQ(Frame().windowTitle(), "QX7R310_Init - QX7R310 Register Wizard");
    EXPECT_EQ(Template().GetTitle(), "QX7R310_Init");
    EXPECT_TRUE(Template().GetPathName().isEmpty());
}

TEST_F(StartupTest, NewDocumentIsCalculatedBeforeTheViewsStart) {
    EXPECT_EQ(Doc().m_Registers.size(), 15u);
    EXPECT_EQ(Doc().m_Registers[0].m_nValue, 0x0018u);
    EXPECT_EQ(Doc().m_Registers[1].m_nValue, 0x0500u);
    EXPECT_FALSE(Doc().m_strClockReport.empty());
}

TEST_F(StartupTest, SettingsLiveUnderTheCompanyKeyAndTitle) {
    EXPECT_EQ(QCoreApplication::organizationName(), "Velmora");
    EXPECT_EQ(QCoreApplication::applicationName(), "QX7R310 Register Wizard");
}

TEST(DocumentTemplateString, HasItsSevenFields) {
    const std::pair<DocString, const char*> fields[] = {
        {DocString::WindowTitle, "QX7R310 Register Wizard"},
        {DocString::DocName, "QX7R310_Init"},
        {DocString::FileNewName, "QX7R310 Registers"},
        {DocString::FilterName, ".ini"},
        {DocString::FilterExt, ".ini"},
        {DocString::RegFileTypeId, "QX7R310RegisterWizard.Document"},
        {DocString::RegFileTypeName, "QX7R310Document"},
    };
    for (const auto& [field, text] : fields)
        EXPECT_EQ(GetDocString(field), text);
    EXPECT_EQ(LoadShellString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_TRUE(LoadShellString(4711).isEmpty());
}

TEST_F(StartupTest, AboutCommandRunsTheAboutBoxModally) {
    Trigger(ID_APP_ABOUT);
    EXPECT_EQ(m_modalDialogs, (std::vector<QString>{"About Register Wizard"}));
}

TEST(AboutBox, ShowsNameVersionAndNotice) {
    CAboutDlg about;
    QLabel* version = about.GetDlgItem(IDC_VERSION_TEXT);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version:    Build Date:");
    EXPECT_TRUE(about.OnInitDialog());
    EXPECT_EQ(version->text(), QString::fromStdString(GetVersionText()));
    EXPECT_TRUE(version->text().startsWith("Version: "));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("QX7R310 Register Wizard"));
    EXPECT_TRUE(texts.contains(kLegalNotice));
    EXPECT_EQ(about.windowTitle(), "About Register Wizard");
    // A fixed dialog: a close button, no minimise or maximise button.
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// The BSD licence asks for the notice wherever the binaries go; Qt is named since it is linked.
TEST(AboutBox, LicencesButtonShowsTheNoticesOfWhatIsCompiledInAndQt) {
    CAboutDlg about;
    QPushButton* licences = about.GetButton(IDC_LICENCES);
    ASSERT_NE(licences, nullptr);
    EXPECT_EQ(licences->text(), "&Licences...");
    QStringList shown;
    QString text;
    ModalRunner previous = SetModalRunner([&](QDialog& dialog) {
        shown << dialog.windowTitle();
        if (const auto* edit = dialog.findChild<QPlainTextEdit*>())
            text = edit->toPlainText();
        return static_cast<int>(QDialog::Rejected);
    });
    licences->click();
    SetModalRunner(std::move(previous));
    EXPECT_EQ(shown, QStringList{"Licences"});
    const char* const expected[] = {
        "CLI11",
        "Copyright: 2017-2020 University of Cincinnati",
        "License: BSD-3-clause",
        "2. Redistributions in binary form must reproduce the above copyright",
        "nlohmann-json",
        "Copyright: 2013-2022 Niels Lohmann",
        "License: Expat",
        "The above copyright notice and this permission notice shall be included in all",
        "Qt 6",
        "LGPL-3.0-only",
    };
    for (const char* line : expected)
        EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << line;
}

// An absolute path in the platform's own form: "/data/a.ini" here is "C:\data\a.ini" on Windows.
QString Absolute(const char* posixPath) {
#ifdef _WIN32
    return QStringLiteral("C:") + QDir::toNativeSeparators(QString::fromLatin1(posixPath));
#else
    return QString::fromLatin1(posixPath);
#endif
}

// Start-up with two recent files already stored, the second as a program may have kept it with '/'
// on Windows.
class RecentFilesTest : public WizardTest {
protected:
    void PrepareSettings() override {
        const auto settings = UserSettings();
        settings->beginGroup("Recent File List");
        settings->setValue("File1", Absolute("/data/first.ini"));
        settings->setValue("File2", QDir::fromNativeSeparators(Absolute("/data/second.ini")));
    }
};

TEST_F(RecentFilesTest, AreListedInTheFileMenu) {
    EXPECT_EQ(m_app->GetRecentFiles(),
              (QStringList{Absolute("/data/first.ini"), Absolute("/data/second.ini")}));
    QStringList texts;
    for (QAction* item : Frame().menuBar()->actions().first()->menu()->actions()) {
        if (item->isVisible())
            texts << item->text();
    }
    EXPECT_TRUE(texts.contains("&1 " + Absolute("/data/first.ini")));
    EXPECT_TRUE(texts.contains("&2 " + Absolute("/data/second.ini")));
    EXPECT_FALSE(texts.contains("Recent File"));
}

TEST_F(RecentFilesTest, KeepFourNewestFirst) {
    // Given with '/' on Windows, the last one is still the second file of the list.
    for (const char* path : {"/a.ini", "/b.ini", "/c.ini", "/data/second.ini"})
        m_app->AddToRecentFileList(QDir::fromNativeSeparators(Absolute(path)));
    EXPECT_EQ(m_app->GetRecentFiles(),
              (QStringList{Absolute("/data/second.ini"), Absolute("/c.ini"), Absolute("/b.ini"),
                           Absolute("/a.ini")}));
    const auto settings = UserSettings();
    settings->beginGroup("Recent File List");
    EXPECT_EQ(settings->value("File1").toString(), Absolute("/data/second.ini"));
    EXPECT_EQ(settings->value("File4").toString(), Absolute("/a.ini"));
    EXPECT_FALSE(settings->contains("File5"));
}

TEST_F(RecentFilesTest, ChoosingOneThatIsGoneDropsItWithOneMessage) {
    QAction* first = nullptr;
    for (QAction* item : Frame().menuBar()->actions().first()->menu()->actions()) {
        if (item->text() == "&1 " + Absolute("/data/first.ini"))
            first = item;
    }
    ASSERT_NE(first, nullptr);
    first->trigger();
    PumpEvents();
    ASSERT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_TRUE(m_prompts.Texts()[0].contains(Absolute("/data/first.ini")));
    EXPECT_EQ(m_app->GetRecentFiles(), (QStringList{Absolute("/data/second.ini")}));
    EXPECT_EQ(Frame().windowTitle(), "QX7R310_Init - QX7R310 Register Wizard");
}

TEST_F(RecentFilesTest, ChoosingOneOpensItAndNamesTheWindow) {
    QTemporaryDir dir;
    const QString path = dir.filePath("recent.ini");
    ASSERT_TRUE(WriteFile(path, Template().SerializeDocument()));
    m_app->AddToRecentFileList(path);
    m_app->OnOpenRecentFile(path);
    PumpEvents();
    EXPECT_EQ(Frame().windowTitle(), "recent.ini - QX7R310 Register Wizard");
    EXPECT_EQ(Tree().topLevelItemCount(), 6);
    EXPECT_EQ(m_app->GetRecentFiles().value(0), QDir::toNativeSeparators(path));
}

// Start-up with a settings file named on the command line.
class OpenFromCommandLineTest : public WizardTest {
protected:
    QStringList Arguments() const override { return {m_file}; }
    void PrepareSettings() override {
        m_bytes = CliOutput({"--system-freq", "48", "--fps", "15"});
        ASSERT_TRUE(WriteFile(m_file, m_bytes));
    }

    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath("camera.ini");
    QByteArray m_bytes;
};

TEST_F(OpenFromCommandLineTest, RestoresTheParametersOfTheFile) {
    ASSERT_TRUE(m_started);
    EXPECT_EQ(Frame().windowTitle(), "camera.ini - QX7R310 Register Wizard");
    EXPECT_EQ(Template().GetPathName(), m_file);
    EXPECT_EQ(Doc().m_Registers.size(), 15u);
    EXPECT_DOUBLE_EQ(Doc().m_dTargetSystemFreq, 48.0);
    EXPECT_DOUBLE_EQ(Doc().m_Contexts[0].m_dFrameRate, 15.0);
    EXPECT_EQ(Pll().GetDlgItemText(IDC_TARGET_SYSTEM_FREQ), "48");
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_FRAME_RATE), "15");
    EXPECT_EQ(Template().SerializeDocument(), m_bytes);
    EXPECT_EQ(ReadFile(m_file), m_bytes) << "opening leaves the file as it is";
    EXPECT_EQ(m_app->GetRecentFiles().value(0), QDir::toNativeSeparators(m_file));
    EXPECT_TRUE(m_prompts.Texts().empty());
}

// A file that is no settings file of the wizard ends the start-up as a missing one does.
class OpenRefusedFileTest : public WizardTest {
protected:
    QStringList Arguments() const override { return {m_file}; }
    void PrepareSettings() override { ASSERT_TRUE(WriteFile(m_file, "; kept as it is\r\n")); }

    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath("other.ini");
};

TEST_F(OpenRefusedFileTest, EndsTheProgramWithTheReadersMessage) {
    EXPECT_FALSE(m_started);
    ASSERT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_EQ(m_prompts.Texts()[0],
              "Cannot open the document \"" + QDir::toNativeSeparators(m_file) +
                  "\":\nLine 1 of the settings file cannot be read: expected \"; This file was "
                  "generated by: QX7R310 Register Wizard\", found \"; kept as it is\".");
    EXPECT_EQ(ReadFile(m_file), "; kept as it is\r\n");
}

class OpenMissingFileTest : public WizardTest {
protected:
    QStringList Arguments() const override { return {m_dir.filePath("missing.ini")}; }
    QTemporaryDir m_dir;
};

TEST_F(OpenMissingFileTest, EndsTheProgramWithOneMessage) {
    EXPECT_FALSE(m_started);
    ASSERT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_TRUE(m_prompts.Texts()[0].contains("missing.ini"));
}

} // namespace
