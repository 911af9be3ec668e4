// What the window saves and when it asks: requests the sensor cannot do are refused, adjusted ones
// saved on Yes, unsaved changes marked in the title and offered for saving before they are lost.
#include "WizardFixture.h"

#include "SettingsFiles.h"

#include <QComboBox>
#include <QLineEdit>

#include <ostream>

namespace {

// One edit of a form as a person makes it: click the page, then type.
struct Typed {
    int page;
    int control;
    const char* text;
};

class SaveCheckTest : public WizardTest {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QLineEdit* Edit(int page, int control) const {
        CFormView& form = page == kClockSettingsPage ? static_cast<CFormView&>(Pll())
                                                     : static_cast<CFormView&>(TimingTop());
        if (auto* combo = form.Item<QComboBox>(control))
            return combo->lineEdit();
        return form.Item<QLineEdit>(control);
    }

    void Type(const Typed& typed) {
        QApplication::setActiveWindow(&Frame());
        ClickTreeItem(typed.page);
        TypeInto(Edit(typed.page, typed.control), QString::fromLatin1(typed.text));
    }

    QString Title() const { return Frame().windowTitle(); }

    QTemporaryDir m_dir;
};

struct Refused {
    const char* name;
    std::vector<Typed> typed;
    bool skipping;
    const char* says;

    friend std::ostream& operator<<(std::ostream& out, const Refused& c) { return out << c.name; }
};

class RefusedSaveTest : public SaveCheckTest, public testing::WithParamInterface<Refused> {};

TEST_P(RefusedSaveTest, SaysWhyAndWritesNothing) {
    for (const Typed& typed : GetParam().typed)
        Type(typed);
    if (GetParam().skipping) {
        QTest::mouseClick(TimingTop().GetDlgItem(IDC_SKIPPING), Qt::LeftButton);
        PumpEvents();
    }
    for (const int command : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        m_prompts.Clear();
        m_paths.push_back(Path("refused.ini"));
        Trigger(command);
        ASSERT_EQ(m_prompts.Prompts().size(), 1u) << command;
        EXPECT_EQ(m_prompts.Texts()[0], QString::fromLatin1(GetParam().says)) << command;
        EXPECT_EQ(m_prompts.Prompts()[0].type, kMbOk | kMbIconExclamation) << command;
        m_paths.clear();
    }
    EXPECT_TRUE(m_dialogs.empty()) << "refused before a file name is asked for";
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Requests, RefusedSaveTest,
    testing::Values(
        Refused{"Columns9000",
                {{kImageTimingPage, IDC_OUTPUT_COLUMNS, "9000"}},
                false,
                "Output Columns 9000 is outside the sensor's 1 to 648 columns: the timing cannot "
                "be computed, so no settings file was written."},
        Refused{"Rows0",
                {{kImageTimingPage, IDC_OUTPUT_ROWS, "0"}},
                false,
                "Output Rows 0 is outside the sensor's 1 to 488 rows: the timing cannot be "
                "computed, so no settings file was written."},
        Refused{"Fps0",
                {{kImageTimingPage, IDC_FRAME_RATE, "0"}},
                false,
                "Max. Frames Rate 0 fps is at or below the slowest rate the sensor can time at "
                "this clock, 0.011 fps: the timing cannot be computed, so no settings file was "
                "written."},
        Refused{"Rows700Skipping",
                {{kImageTimingPage, IDC_OUTPUT_ROWS, "700"}},
                true,
                "Output Rows 700 is outside the sensor's 1 to 488 rows: the timing cannot be "
                "computed, so no settings file was written."}));

struct Adjusted {
    const char* name;
    Typed typed;
    QStringList cliArguments;
    const char* says;

    friend std::ostream& operator<<(std::ostream& out, const Adjusted& c) { return out << c.name; }
};

class AdjustedSaveTest : public SaveCheckTest, public testing::WithParamInterface<Adjusted> {};

TEST_P(AdjustedSaveTest, AsksOnceAndWritesOnlyOnYes) {
    Type(GetParam().typed);
    const QString question =
        QStringLiteral("The wizard adjusted the request:\n\n%1\n\nSave the settings file with the "
                       "adjusted values?")
            .arg(QString::fromLatin1(GetParam().says));

    m_prompts.QueueAnswer(kIdNo);
    m_paths.push_back(Path("adjusted.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(m_prompts.Texts(), std::vector<QString>{question});
    EXPECT_TRUE(m_dialogs.empty());
    EXPECT_FALSE(QFile::exists(Path("adjusted.ini")));

    m_prompts.Clear();
    m_prompts.QueueAnswer(kIdYes);
    Trigger(ID_FILE_SAVE);
    ASSERT_EQ(m_prompts.Prompts().size(), 1u);
    EXPECT_EQ(m_prompts.Prompts()[0].type, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(ReadFile(Path("adjusted.ini")), CliOutput(GetParam().cliArguments));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, AdjustedSaveTest,
    testing::Values(Adjusted{"Input48MHz",
                             {kClockSettingsPage, IDC_INPUT_FREQ, "48"},
                             {"--input-freq", "48"},
                             "Input Frequency 48 MHz is outside the PLL's 4 to 44 MHz: the clocks "
                             "are computed for 44 MHz."},
                    Adjusted{"Fps60CannotMatch",
                             {kImageTimingPage, IDC_FRAME_RATE, "60"},
                             {"--fps", "60"},
                             "Max. Frames Rate 60 fps cannot be matched: the timing gives 30 "
                             "fps."}));

TEST_F(SaveCheckTest, ChangesAreMarkedUntilSaved) {
    EXPECT_EQ(Title(), "QX7R310_Init - QX7R310 Register Wizard");
    Type({kImageTimingPage, IDC_OUTPUT_COLUMNS, "320"});
    EXPECT_EQ(Title(), "QX7R310_Init* - QX7R310 Register Wizard");
    m_paths.push_back(Path("marked.ini"));
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(Title(), "marked.ini - QX7R310 Register Wizard");
    // Set Defaults is a change even where the defaults are there already.
    Trigger(ID_FILE_SET_DEFAULTS);
    EXPECT_EQ(Title(), "marked.ini* - QX7R310 Register Wizard");
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(Title(), "marked.ini - QX7R310 Register Wizard");
    Trigger(ID_FILE_SET_DEFAULTS);
    EXPECT_EQ(Title(), "marked.ini* - QX7R310 Register Wizard");
}

TEST_F(SaveCheckTest, ExitAsksAndCancelKeepsTheWindow) {
    Type({kImageTimingPage, IDC_OUTPUT_COLUMNS, "320"});
    const QByteArray document = Template().SerializeDocument();
    m_prompts.QueueAnswer(kIdCancel);
    Trigger(ID_APP_EXIT);
    ASSERT_EQ(m_prompts.Prompts().size(), 1u);
    EXPECT_EQ(m_prompts.Texts()[0], "Save changes to QX7R310_Init?");
    EXPECT_EQ(m_prompts.Prompts()[0].type, kMbYesNoCancel | kMbIconExclamation);
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Template().SerializeDocument(), document);
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_OUTPUT_COLUMNS), "320");

    // Yes saves first; a cancelled file dialog writes nothing and keeps the window too.
    m_prompts.QueueAnswer(kIdYes);
    Trigger(ID_APP_EXIT);
    EXPECT_EQ(m_dialogs.size(), 1u);
    EXPECT_TRUE(Frame().isVisible());

    m_prompts.QueueAnswer(kIdYes);
    m_paths.push_back(Path("on-exit.ini"));
    Trigger(ID_APP_EXIT);
    EXPECT_EQ(ReadFile(Path("on-exit.ini")), CliOutput({"--columns", "320"}));
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(SaveCheckTest, SavedChangesCloseWithoutAQuestion) {
    Type({kImageTimingPage, IDC_OUTPUT_COLUMNS, "320"});
    m_paths.push_back(Path("saved.ini"));
    Trigger(ID_FILE_SAVE);
    m_prompts.Clear();
    Trigger(ID_APP_EXIT);
    EXPECT_TRUE(m_prompts.Prompts().empty());
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(SaveCheckTest, OpeningAnotherFileAfterNoDiscardsTheChanges) {
    const QString other = Path("other.ini");
    ASSERT_TRUE(WriteFile(other, CliOutput({"--fps", "15"})));
    Type({kImageTimingPage, IDC_OUTPUT_COLUMNS, "320"});
    m_prompts.QueueAnswer(kIdNo);
    m_paths.push_back(other);
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(m_prompts.Texts(), std::vector<QString>{"Save changes to QX7R310_Init?"});
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_FRAME_RATE), "15");
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_OUTPUT_COLUMNS), "640");
    EXPECT_EQ(Title(), "other.ini - QX7R310 Register Wizard");
}

TEST_F(SaveCheckTest, OpeningTheOpenFileReadsItAgain) {
    const QString file = Path("camera.ini");
    ASSERT_TRUE(WriteFile(file, CliOutput({"--fps", "15", "--columns", "320"})));
    m_paths.push_back(file);
    Trigger(ID_FILE_OPEN);
    Trigger(ID_FILE_SET_DEFAULTS);
    ASSERT_EQ(TimingTop().GetDlgItemText(IDC_FRAME_RATE), "30");

    m_prompts.QueueAnswer(kIdNo);
    m_paths.push_back(file);
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_FRAME_RATE), "15");
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_OUTPUT_COLUMNS), "320");
    EXPECT_EQ(Title(), "camera.ini - QX7R310 Register Wizard");

    // Another program rewrote the file: opening it again shows what is on disk now.
    ASSERT_TRUE(WriteFile(file, CliOutput({"--fps", "7.5", "--rows", "240"})));
    m_paths.push_back(file);
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_FRAME_RATE), "7.5");
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_OUTPUT_ROWS), "240");
    EXPECT_EQ(Doc().m_Contexts[0].m_nOutputRows, 240);
}

} // namespace
