// File > Print and File > Export Mode Sheet (PDF): one page per mode, read back with pdftotext.
#include "WizardFixture.h"

#include "ModesView.h"

#include <QPrintDialog>
#include <QPrinter>

#include <ostream>

namespace {

// A command that puts the mode sheet into a PDF file: the export asks for the file, the print
// dialog is given a PDF printer.
struct PrintCase {
    const char* name;
    int command;
    const char* confirmation; // the status bar's text afterwards, with the file's path after it

    friend std::ostream& operator<<(std::ostream& out, const PrintCase& c) { return out << c.name; }
};

class PrintTest : public WizardTest, public testing::WithParamInterface<PrintCase> {};

TEST_P(PrintTest, OnePagePerModeWithReportsRegistersAndTheFileName) {
#ifdef _WIN32
    GTEST_SKIP() << "pdftotext is a Debian tool";
#endif
    ASSERT_TRUE(m_started);
    QTemporaryDir dir;
    ASSERT_TRUE(Template().DoSave(dir.filePath(QStringLiteral("camera.ini"))));
    auto* modes = dynamic_cast<CModesView*>(Wnd(ID_LAYOUT_MODES));
    ASSERT_NE(modes, nullptr);
    ParameterSet fifteen;
    fifteen.SetNumber(ParameterIndex("frameRate"), 15.0);
    modes->Modes().Add(fifteen);

    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    m_paths = {pdf};
    SetModalRunner([&pdf](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog))
            print->printer()->setOutputFileName(pdf);
        return static_cast<int>(QDialog::Accepted);
    });
    Trigger(GetParam().command);

    EXPECT_TRUE(m_prompts.Texts().empty());
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2) << pages.join(QStringLiteral("\n----\n")).toStdString();
    for (const char* text : {"camera.ini", "Frames per Sec: 30.003 fps", "0x300A",
                             "frame_length_lines", "Driver Registers", "Fvco = 528 MHz",
                             "30 fps requested, 30.003 fps achieved", "Frame rate: 30.003 fps"})
        EXPECT_TRUE(pages[0].contains(QLatin1String(text))) << text;
    for (const char* text : {"Mode set: mode 1", "Frames per Sec: 15.002 fps"})
        EXPECT_TRUE(pages[1].contains(QLatin1String(text))) << text;
    if (*GetParam().confirmation != '\0') {
        EXPECT_EQ(Frame().GetMessageText(),
                  QLatin1String(GetParam().confirmation) + QDir::toNativeSeparators(pdf));
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, PrintTest,
                         testing::Values(PrintCase{"ExportModeSheet", ID_FILE_EXPORT_MODE_SHEET,
                                                   "Mode sheet written to "},
                                         PrintCase{"Print", ID_FILE_PRINT, ""}),
                         [](const testing::TestParamInfo<PrintCase>& info) {
                             return std::string(info.param.name);
                         });

using PrintCommandTest = WizardTest;

TEST_F(PrintCommandTest, PreviewRunsModallyAndAPrinterThatCannotStartSaysSo) {
    Trigger(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(m_modalDialogs.size(), 1u);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("missing/sheet.pdf"));
    SetModalRunner([&pdf](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog))
            print->printer()->setOutputFileName(pdf);
        return static_cast<int>(QDialog::Accepted);
    });
    Trigger(ID_FILE_PRINT);
    EXPECT_EQ(m_prompts.Texts(),
              std::vector<QString>{
                  QStringLiteral("The mode sheet could not be printed on \"%1\".").arg(pdf)});
}

} // namespace
