// Reading a settings file back: the round trip over every form, what a file does not hold, and
// the refusals.
#include "SettingsReader.h"
#include "GoldenFile.h"
#include "RecordingPrompt.h"
#include "ScratchFolder.h"
#include "SettingsWriter.h"
#include "Parameters.h"
#include "WizardDoc.h"

#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>

namespace {

// What a user sets in the two forms and the register view, and whether the file is spliced into
// the standard INI file.
struct Inputs {
    const char* name;
    double inputMHz = 11.0;
    double systemMHz = 44.0;
    double vcoMHz = -1.0;
    int pllM = -1;
    int pllN = -1;
    int bypass = 0;
    int useMinFreq = 0;
    int hwRev = 2;
    double fps = 30.0;
    int columns = 640;
    int rows = 480;
    int skipping = 0;
    int lowPower = 0;
    int blanking = 0;
    int hBlank = 500;
    int vBlank = 500;
    int registers = 1;
    int direct = 1;
    bool spliced = false;
};

constexpr std::string_view kStandardIni = "[General]\r\n"
                                          "LOAD= PLL Setup - 16MHz External\r\n"
                                          "[Timing_settings]\r\n"
                                          "old timing line\r\n"
                                          "// DO NOT REMOVE\r\n"
                                          "[PLL_settings]\r\n"
                                          "// DO NOT REMOVE\r\n"
                                          "[End]\r\n";

std::string Save(CKXC2280RegisterWizardDoc& doc, bool spliced, const std::string& standardPath) {
    doc.m_bUseStandardIni = spliced ? 1 : 0;
    doc.m_strStandardIniPath = standardPath;
    CMemoryOutputFile file;
    RecordingPrompt prompt;
    CArchive archive(CArchive::store, file, prompt);
    EXPECT_EQ(Serialize(doc, archive),
              spliced ? SerializeResult::SplicedFile : SerializeResult::PlainFile);
    return file.Bytes();
}

std::string WrittenFile(const Inputs& in, const std::string& standardPath) {
    CKXC2280RegisterWizardDoc doc = NewDocument();
    doc.m_dInputFreq = in.inputMHz;
    doc.m_dTargetSystemFreq = in.systemMHz;
    doc.m_dTargetVcoFreq = in.vcoMHz;
    doc.m_nPllM = in.pllM;
    doc.m_nPllN = in.pllN;
    doc.m_bBypassPll = in.bypass;
    doc.m_bUseMinFreq = in.useMinFreq;
    doc.m_nHwRev = in.hwRev;
    CImageContext& context = doc.m_Contexts[0];
    context.m_dFrameRate = in.fps;
    context.m_nOutputColumns = in.columns;
    context.m_nOutputRows = in.rows;
    context.m_bAllowSkipping = in.skipping;
    context.m_bLowPower = in.lowPower;
    context.m_nBlankingMode = in.blanking;
    context.m_nHBlank = in.hBlank;
    context.m_nVBlank = in.vBlank;
    doc.m_bOutputAsRegisters = in.registers;
    doc.m_bDirectAddressing = in.direct;
    Recalculate(doc);
    return Save(doc, in.spliced, standardPath);
}

std::string WithoutVersionLine(std::string bytes) {
    const std::size_t start = bytes.find('\n') + 1;
    return bytes.erase(start, bytes.find('\n', start) + 1 - start);
}

std::vector<std::string> Notes(std::initializer_list<std::string_view> notes) {
    std::vector<std::string> all{std::string(kNoteVariableFrameRate)};
    all.insert(all.end(), notes.begin(), notes.end());
    return all;
}

const Inputs kRoundTrips[] = {
    {.name = "defaults"},
    {.name = "field form", .registers = 0},
    {.name = "address/data pair", .direct = 0},
    {.name = "fractions", .inputMHz = 13.25, .systemMHz = 40.125, .fps = 29.97},
    {.name = "target not reached", .systemMHz = 50.0, .fps = 60.0, .blanking = 3},
    {.name = "fixed PLL", .vcoMHz = 500.5, .pllM = 48, .pllN = 1, .hwRev = 1},
    {.name = "min freq", .vcoMHz = 480.0, .pllM = 24, .pllN = 0, .useMinFreq = 1, .direct = 0},
    {.name = "bypass", .inputMHz = 12.5, .bypass = 1},
    {.name = "bypass, field form", .inputMHz = 24.002, .bypass = 1, .registers = 0},
    {.name = "HB count, skipping, low power",
     .fps = 15.0,
     .columns = 320,
     .rows = 240,
     .skipping = 1,
     .lowPower = 1,
     .blanking = 4,
     .hBlank = 123},
    {.name = "VB count, field form", .hwRev = 1, .blanking = 5, .vBlank = 77, .registers = 0},
    {.name = "other blanking modes", .blanking = 1},
    {.name = "VB min", .blanking = 2, .direct = 0},
    {.name = "no timing", .fps = 0.0, .columns = 700, .rows = 0},
    {.name = "spliced", .spliced = true},
    {.name = "spliced field form", .registers = 0, .spliced = true},
    {.name = "spliced address/data pair",
     .blanking = 5,
     .vBlank = 40,
     .direct = 0,
     .spliced = true},
    {.name = "spliced bypass, min freq",
     .inputMHz = 20.0,
     .bypass = 1,
     .useMinFreq = 1,
     .registers = 0,
     .direct = 0,
     .spliced = true},
};

TEST(SettingsReader, RoundTripOverEveryForm) {
    ScratchFolder folder;
    const std::string standardPath = folder.File("standard.ini");
    WriteBytes(standardPath, std::string(kStandardIni));
    for (const Inputs& in : kRoundTrips) {
        SCOPED_TRACE(in.name);
        const std::string written = WrittenFile(in, standardPath);
        const SettingsFileReadResult read = ReadSettingsFile(written);
        ASSERT_TRUE(read) << read.message;
        // What the file gave for a key; nothing when it does not hold it.
        const auto p = [&read](std::string_view key) {
            return read.parameters.GivenNumber(IndexOf(*FindParameter(key)));
        };
        const auto near = [](const std::optional<double>& value, double expected) {
            ASSERT_TRUE(value.has_value());
            EXPECT_NEAR(*value, expected, 0.0005);
        };

        EXPECT_EQ(p("bypassPll"), in.bypass);
        near(p("inputFreqMHz"), in.inputMHz);
        if (in.bypass) {
            EXPECT_FALSE(p("useMinFreq") || p("vcoFreqMHz") || p("pllM") || p("pllN"));
        } else {
            EXPECT_EQ(p("useMinFreq"), in.useMinFreq);
            near(p("vcoFreqMHz"), in.vcoMHz);
            EXPECT_EQ(p("pllM"), in.pllM);
            EXPECT_EQ(p("pllN"), in.pllN);
        }
        if (in.bypass || in.useMinFreq)
            EXPECT_FALSE(p("systemFreqMHz"));
        else
            near(p("systemFreqMHz"), in.systemMHz);
        EXPECT_EQ(p("hwRev"), in.hwRev);
        near(p("frameRate"), in.fps);
        EXPECT_EQ(p("outputColumns"), in.columns);
        EXPECT_EQ(p("outputRows"), in.rows);
        EXPECT_EQ(p("allowSkipping"), in.skipping);
        EXPECT_EQ(p("lowPower"), in.lowPower);
        EXPECT_EQ(p("blankingMode"), in.blanking);
        EXPECT_EQ(p("hBlank"), in.blanking == 4 ? std::optional(in.hBlank) : std::nullopt);
        EXPECT_EQ(p("vBlank"), in.blanking == 5 ? std::optional(in.vBlank) : std::nullopt);
        EXPECT_EQ(p("outputAs"), in.registers);
        EXPECT_EQ(p("addressing"), in.registers ? std::optional(in.direct) : std::nullopt);

        CKXC2280RegisterWizardDoc restored = NewDocument();
        ApplyGivenParameters(read.parameters, restored);
        Recalculate(restored);
        EXPECT_EQ(WithoutVersionLine(Save(restored, in.spliced, standardPath)),
                  WithoutVersionLine(written));
    }
}

TEST(SettingsReader, NotesNameWhatTheFileDoesNotHold) {
    struct Case {
        Inputs in;
        std::vector<std::string> notes;
    };
    const Case cases[] = {
        {{.name = "defaults"}, Notes({})},
        {{.name = "min freq", .useMinFreq = 1}, Notes({kNoteTargetWithMinFreq})},
        {{.name = "bypass", .bypass = 1, .useMinFreq = 1}, Notes({kNoteBypassedPll})},
        {{.name = "fields, min freq", .useMinFreq = 1, .registers = 0},
         Notes({kNoteTargetWithMinFreq, kNoteFieldForm})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSettingsFile(WrittenFile(c.in, "")).notes, c.notes) << c.in.name;
}

TEST(SettingsReader, ApplyingLeavesWhatTheFileDoesNotHold) {
    CKXC2280RegisterWizardDoc doc = NewDocument();
    doc.m_dTargetSystemFreq = 37.5;
    doc.m_dTargetVcoFreq = 450.0;
    doc.m_nPllM = 30;
    doc.m_nPllN = 2;
    doc.m_bUseMinFreq = 1;
    doc.m_bDirectAddressing = 0;
    doc.m_strStandardIniPath = "standard.ini";
    CImageContext& context = doc.m_Contexts[0];
    context.m_bVariableFrameRate = 1;
    context.m_dMinFrameRate = 7.5;
    context.m_nHBlank = 111;
    context.m_nVBlank = 222;

    // A bypassed PLL in the field form with blanking mode 1 holds none of the values set above.
    const SettingsFileReadResult read = ReadSettingsFile(WrittenFile(
        {.name = "bypass", .inputMHz = 20.0, .bypass = 1, .blanking = 1, .registers = 0}, ""));
    ASSERT_TRUE(read) << read.message;
    ApplyGivenParameters(read.parameters, doc);
    EXPECT_EQ(doc.m_bBypassPll, 1);
    EXPECT_EQ(doc.m_dInputFreq, 20.0);
    EXPECT_EQ(doc.m_bOutputAsRegisters, 0);
    EXPECT_EQ(context.m_nBlankingMode, 1);
    EXPECT_EQ(doc.m_dTargetSystemFreq, 37.5);
    EXPECT_EQ(doc.m_dTargetVcoFreq, 450.0);
    EXPECT_EQ(doc.m_nPllM, 30);
    EXPECT_EQ(doc.m_nPllN, 2);
    EXPECT_EQ(doc.m_bUseMinFreq, 1);
    EXPECT_EQ(doc.m_bDirectAddressing, 0);
    EXPECT_EQ(doc.m_strStandardIniPath, "standard.ini");
    EXPECT_EQ(context.m_bVariableFrameRate, 1);
    EXPECT_EQ(context.m_dMinFrameRate, 7.5);
    EXPECT_EQ(context.m_nHBlank, 111);
    EXPECT_EQ(context.m_nVBlank, 222);
}

// The default file with one line (counted from 1) replaced.
std::string DefaultFileWithLine(int number, const std::string& text) {
    std::string bytes = ExpectedDefaultFile();
    std::size_t start = 0;
    for (int i = 1; i < number; ++i)
        start = bytes.find('\n', start) + 1;
    return bytes.replace(start, bytes.find("\r\n", start) - start, text);
}

TEST(SettingsReader, RefusesWithTheFirstLineItCannotRead) {
    const std::string title = "; This file was generated by: QX7R310 Register Wizard";
    struct Case {
        const char* what;
        std::string bytes;
        int line;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", 1,
         "Line 1 of the settings file cannot be read: expected \"" + title +
             "\", found the end of the file."},
        {"another program's file", "[General]\r\nname=x\r\n", 1,
         "Line 1 of the settings file cannot be read: expected \"" + title +
             "\", found \"[General]\"."},
        {"binary bytes",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\xFF\n",
                     11),
         1,
         "Line 1 of the settings file cannot be read: expected \"" + title +
             "\", found \"\\x7FELF\\x02\\x01\\x01\\x00\\x00\\xFF\"."},
        {"title only", title, 1,
         "Line 1 of the settings file cannot be read: expected \"" + title + "\", found \"" +
             title + "\" without a line end."},
        {"comma decimal", DefaultFileWithLine(7, "; Input Frequency: 11,000"), 7,
         "Line 7 of the settings file cannot be read: expected \"; Input Frequency: \" and a "
         "number with three decimals, found \"; Input Frequency: 11,000\"."},
        {"two decimals", DefaultFileWithLine(9, "; Target System Frequency: 44.00"), 9,
         "Line 9 of the settings file cannot be read: expected \"; Target System Frequency: \" "
         "and a number with three decimals, found \"; Target System Frequency: 44.00\"."},
        {"exponent", DefaultFileWithLine(10, "; Target VCO Frequency: 5e2"), 10,
         "Line 10 of the settings file cannot be read: expected \"; Target VCO Frequency: \" and "
         "\"Unspecified\" or a number with three decimals, found \"; Target VCO Frequency: "
         "5e2\"."},
        {"not a number", DefaultFileWithLine(28, "; Output Columns: 64O"), 28,
         "Line 28 of the settings file cannot be read: expected \"; Output Columns: \" and an "
         "integer, found \"; Output Columns: 64O\"."},
        {"sign", DefaultFileWithLine(29, "; Output Rows: +480"), 29,
         "Line 29 of the settings file cannot be read: expected \"; Output Rows: \" and an "
         "integer, found \"; Output Rows: +480\"."},
        {"integer too large", DefaultFileWithLine(12, "; \"N\" Value: 99999999999"), 12,
         "Line 12 of the settings file cannot be read: expected \"; \\\"N\\\" Value: \" and "
         "\"Unspecified\" or an integer, found \"; \\\"N\\\" Value: 99999999999\"."},
        {"unknown blanking", DefaultFileWithLine(33, "; Blanking Computation: HB = 5 then HB"), 33,
         "Line 33 of the settings file cannot be read: expected \"; Blanking Computation: \" and "
         "one of the six blanking computations, found \"; Blanking Computation: HB = 5 then "
         "HB\"."},
        {"HW Rev", DefaultFileWithLine(53, "; HW Rev: 2.0"), 53,
         "Line 53 of the settings file cannot be read: expected \"; HW Rev: \" and an integer, "
         "found \"; HW Rev: 2.0\"."},
        {"register value", DefaultFileWithLine(60, "REG = 0x0010, 0x0018\t\t//pll_dividers = 25"),
         60,
         "Line 60 of the settings file cannot be read: expected \"REG = 0x0010, "
         "0x0019\\t\\t//pll_dividers = 25\", found \"REG = 0x0010, 0x0018\\t\\t//pll_dividers = "
         "25\"."},
        {"forms mixed",
         DefaultFileWithLine(66, "FIELD_WR = FRAME_LENGTH_LINES, 0x01F9\t\t//frame_length_lines = "
                                 "505"),
         66,
         "Line 66 of the settings file cannot be read: expected \"REG = 0x300A, "
         "0x01F9\\t\\t//frame_length_lines = 505\", found \"FIELD_WR = FRAME_LENGTH_LINES, "
         "0x01F9\\t\\t//frame_length_lines = 505\"."},
        {"line appended", WrittenFile({.name = "defaults"}, "") + "\r\n", 79,
         "Line 79 of the settings file cannot be read: expected the end of the file, found "
         "\"\"."},
        {"huge file", WrittenFile({.name = "defaults"}, "") + std::string(1024 * 1024, ';'), 1,
         "Line 1 of the settings file cannot be read: the file is larger than 1 MiB, which no "
         "settings file of this wizard is."},
    };
    for (const Case& c : cases) {
        const SettingsFileReadResult read = ReadSettingsFile(c.bytes);
        EXPECT_EQ(read.status, SettingsFileStatus::Refused) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
        EXPECT_EQ(read.message, c.message) << c.what;
        EXPECT_EQ(read.parameters, ParameterSet{}) << c.what;
        EXPECT_TRUE(read.notes.empty()) << c.what;
    }
}

// Cut anywhere before its end, a file is refused at the line the cut falls into (or the one after
// a cut between lines); a spliced file only up to its last replaced section, since the standard
// file's own lines after it are free.
TEST(SettingsReader, RefusesAFileCutAtAnyByte) {
    ScratchFolder folder;
    const std::string standardPath = folder.File("standard.ini");
    WriteBytes(standardPath, std::string(kStandardIni));
    const Inputs files[] = {
        {.name = "defaults"},
        {.name = "fields", .useMinFreq = 1, .registers = 0},
        {.name = "pair", .systemMHz = 50.0, .blanking = 4, .hBlank = 90, .direct = 0},
        {.name = "bypass", .bypass = 1},
        {.name = "spliced pair", .direct = 0, .spliced = true},
    };
    for (const Inputs& in : files) {
        const std::string bytes = WrittenFile(in, standardPath);
        const std::size_t end = in.spliced ? bytes.rfind("// DO NOT REMOVE") : bytes.size();
        int lineOfCut = 1;
        for (std::size_t cut = 0; cut < end; ++cut) {
            const SettingsFileReadResult read = ReadSettingsFile(bytes.substr(0, cut));
            ASSERT_EQ(read.status, SettingsFileStatus::Refused) << in.name << " cut at " << cut;
            ASSERT_EQ(read.line, lineOfCut) << in.name << " cut at " << cut << ": " << read.message;
            if (bytes[cut] == '\n')
                ++lineOfCut;
        }
        EXPECT_TRUE(ReadSettingsFile(bytes)) << in.name;
    }
}

TEST(SettingsReader, ReadsLfLineEnds) {
    std::string bytes = WrittenFile({.name = "min freq", .useMinFreq = 1, .direct = 0}, "");
    std::erase(bytes, '\r');
    const SettingsFileReadResult read = ReadSettingsFile(bytes);
    ASSERT_TRUE(read) << read.message;
    EXPECT_EQ(read.parameters.GivenNumber(ParameterIndex("useMinFreq")), 1);
    EXPECT_EQ(read.parameters.GivenNumber(ParameterIndex("addressing")), 0);
}

TEST(SettingsReader, LoadsOnlyARegularFileOfAtMostOneMebibyte) {
    ScratchFolder folder;
    WriteBytes(folder.File("settings.ini"), WrittenFile({.name = "defaults"}, ""));
    WriteBytes(folder.File("huge.ini"), std::string(kSettingsFileMaxBytes + 1, ';'));
    struct Case {
        std::string path;
        SettingsFileStatus status;
        std::string message;
    };
    std::vector<Case> cases = {
        {folder.File("settings.ini"), SettingsFileStatus::Read, ""},
        {folder.File("huge.ini"), SettingsFileStatus::Refused,
         "Line 1 of the settings file cannot be read: the file is larger than 1 MiB, which no "
         "settings file of this wizard is."},
        {folder.File("missing.ini"), SettingsFileStatus::CannotOpen,
         "cannot open \"" + folder.File("missing.ini") + "\": "},
        {folder.Path().string(), SettingsFileStatus::CannotOpen,
         "cannot open \"" + folder.Path().string() + "\": not a regular file"},
    };
#ifdef _WIN32
    // A device's reserved name, with an extension as the file dialog would add it.
    const std::string device = folder.File("nul.ini");
#else
    const std::string device = folder.File("pipe");
    ASSERT_EQ(::mkfifo(device.c_str(), 0600), 0);
#endif
    cases.push_back({device, SettingsFileStatus::CannotOpen,
                     "cannot open \"" + device + "\": not a regular file"});
    for (const Case& c : cases) {
        const SettingsFileReadResult read = LoadSettingsFile(c.path);
        EXPECT_EQ(read.status, c.status) << c.path;
        // The system's reason follows in the user's language.
        if (c.message.ends_with(": "))
            EXPECT_TRUE(read.message.starts_with(c.message)) << read.message;
        else
            EXPECT_EQ(read.message, c.message) << c.path;
    }
}

} // namespace
