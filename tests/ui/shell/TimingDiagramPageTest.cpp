// The Timing Diagram page in the running program: it follows both forms through the wizard
// messages, exports from the File menu, and is pictured for people to look at.
#include "WizardFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <ostream>

namespace {

class TimingDiagramPageTest : public WizardTest {
protected:
    CTimingDiagramView& Page() const { return Diagram(); }

    bool PageShows(const std::string& text) {
        const TimingDiagram& diagram = Page().Diagram();
        return std::any_of(diagram.labels.begin(), diagram.labels.end(),
                           [&text](const DiagramLabel& label) { return label.text == text; });
    }

    QLineEdit* FrameRate() const { return TimingTop().Item<QComboBox>(IDC_FRAME_RATE)->lineEdit(); }
    QLineEdit* TimingEdit(int id) const { return TimingTop().Item<QLineEdit>(id); }

    QTemporaryDir m_dir;
};

struct FormChange {
    const char* name;
    int page; // the form's page
    int edit; // the entry typed into; 0 for the frame-rate box
    const char* text;
    const char* shown; // a label the diagram shows afterwards and not before

    friend std::ostream& operator<<(std::ostream& out, const FormChange& c) {
        return out << c.name;
    }
};

class FormChangeTest : public TimingDiagramPageTest,
                       public testing::WithParamInterface<FormChange> {};

TEST_P(FormChangeTest, ReachesThePageThroughTheMainFrame) {
    ASSERT_TRUE(m_started);
    ClickTreeItem(kTimingDiagramPage);
    ASSERT_EQ(Page().Diagram().state, DiagramState::Frame);
    EXPECT_TRUE(PageShows("505 rows"));
    EXPECT_FALSE(PageShows(GetParam().shown));

    CMessageSpy spy;
    spy.Watch(&Page(), ID_LAYOUT_TIMING_DIAGRAM);
    ClickTreeItem(GetParam().page);
    TypeInto(GetParam().edit == 0                    ? FrameRate()
             : GetParam().page == kClockSettingsPage ? Pll().Item<QLineEdit>(GetParam().edit)
                                                     : TimingEdit(GetParam().edit),
             QString::fromLatin1(GetParam().text));
    ClickTreeItem(kTimingDiagramPage);

    EXPECT_FALSE(spy.Of(WM_WIZ_TIMING_CHANGED).empty());
    EXPECT_TRUE(PageShows(GetParam().shown)) << GetParam().shown;
    EXPECT_FALSE(PageShows("505 rows"));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FormChangeTest,
    testing::Values(FormChange{"FrameRate15", kImageTimingPage, 0, "15", "1010 rows"},
                    FormChange{"SystemClock66MHz", kClockSettingsPage, IDC_TARGET_SYSTEM_FREQ, "66",
                               "Warning: Flicker Detection Inoperative!"},
                    FormChange{"Columns700", kImageTimingPage, IDC_OUTPUT_COLUMNS, "700",
                               "Output columns 700 outside 1 to 648"}),
    [](const testing::TestParamInfo<FormChange>& info) { return std::string(info.param.name); });

TEST_F(TimingDiagramPageTest, ExportFromTheFileMenuWritesTheChosenFormat) {
    m_paths = {m_dir.filePath("menu.png"), m_dir.filePath("bare")};
    Trigger(ID_FILE_EXPORT_DIAGRAM);
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(m_dialogs[0].caption, "Export Timing Diagram");
    EXPECT_EQ(m_dialogs[0].path, "QX7R310_Init.svg");
    EXPECT_EQ(m_dialogs[0].filter, "SVG image (*.svg);;PNG image (*.png)");
    QFile png(m_dir.filePath("menu.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(png.read(8).startsWith("\x89PNG"));
    EXPECT_EQ(Frame().GetMessageText(),
              "Timing diagram written to " + QDir::toNativeSeparators(png.fileName()));

    // A name without an extension is written as SVG; the caption ties it to its mode, and to
    // its settings file once there is one.
    const char* caption = "input clock 11 MHz, system clock 44 MHz, 640 x 480, 30 fps requested, "
                          "30.003 fps achieved</text>";
    Trigger(ID_FILE_EXPORT_DIAGRAM);
    QFile svg(m_dir.filePath("bare.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray bare = svg.readAll();
    EXPECT_TRUE(bare.contains(QByteArray(">") + caption));
    ASSERT_TRUE(Template().DoSave(m_dir.filePath("camera.ini")));
    m_paths = {m_dir.filePath("named.svg")};
    Trigger(ID_FILE_EXPORT_DIAGRAM);
    QFile named(m_dir.filePath("named.svg"));
    ASSERT_TRUE(named.open(QIODevice::ReadOnly));
    EXPECT_TRUE(named.readAll().contains(QByteArray(">camera.ini: ") + caption));
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

TEST_F(TimingDiagramPageTest, ExportFailureSaysWhyAndWritesNothing) {
    const QString path = m_dir.filePath("diagram.jpg");
    m_paths = {path};
    Trigger(ID_FILE_EXPORT_DIAGRAM);
    EXPECT_EQ(m_prompts.Texts(),
              std::vector<QString>{QStringLiteral("The timing diagram \"%1\" could not be saved: "
                                                  "the file name does not end in .svg or .png.")
                                       .arg(QDir::toNativeSeparators(path))});
    EXPECT_FALSE(QFile::exists(path));
}

// Pictures of the page in the default window and a large one, with skipping, and "n/a".
TEST_F(TimingDiagramPageTest, Screenshots) {
    ClickTreeItem(kTimingDiagramPage);
    EXPECT_FALSE(SaveScreenshot(Frame(), QStringLiteral("timing-diagram-840x860")).isEmpty());
    Frame().resize(1400, 1000);
    PumpEvents();
    EXPECT_FALSE(SaveScreenshot(Frame(), QStringLiteral("timing-diagram-1400x1000")).isEmpty());
    Frame().resize(840, 860);
    PumpEvents();
    // The page alone in a dark theme.
    QPalette dark = Page().palette();
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
    Page().setPalette(dark);
    EXPECT_FALSE(SaveScreenshot(Page(), QStringLiteral("timing-diagram-dark")).isEmpty());
    Page().setPalette(QPalette());

    ClickTreeItem(kImageTimingPage);
    TypeInto(TimingEdit(IDC_OUTPUT_COLUMNS), QStringLiteral("320"));
    TypeInto(TimingEdit(IDC_OUTPUT_ROWS), QStringLiteral("240"));
    QTest::mouseClick(TimingTop().GetDlgItem(IDC_SKIPPING), Qt::LeftButton);
    PumpEvents();
    ClickTreeItem(kTimingDiagramPage);
    EXPECT_TRUE(PageShows("324 active"));
    EXPECT_FALSE(SaveScreenshot(Frame(), QStringLiteral("timing-diagram-skip-320x240")).isEmpty());

    ClickTreeItem(kImageTimingPage);
    TypeInto(TimingEdit(IDC_OUTPUT_COLUMNS), QStringLiteral("700"));
    ClickTreeItem(kTimingDiagramPage);
    EXPECT_EQ(Page().Diagram().state, DiagramState::NotAvailable);
    EXPECT_FALSE(SaveScreenshot(Frame(), QStringLiteral("timing-diagram-na")).isEmpty());
}

} // namespace
