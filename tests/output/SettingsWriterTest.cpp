// Settings file writer: number texts, comment marking, the line forms and the plain file.
#include "SettingsWriter.h"
#include "RecordingPrompt.h"
#include "Version.h"
#include "WizardDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A document holding the register table's initial values, no calculation run.
CKXC2280RegisterWizardDoc TableDocument(int registerForm = 1, int direct = 1) {
    CKXC2280RegisterWizardDoc doc;
    for (const RegisterTableRow& row : kRegisterTable)
        doc.m_Registers.push_back(MakeRegister(row));
    doc.m_bOutputAsRegisters = registerForm;
    doc.m_bDirectAddressing = direct;
    return doc;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

std::string SavePlain(CKXC2280RegisterWizardDoc& doc) {
    CMemoryOutputFile file;
    RecordingPrompt prompt;
    CArchive ar(CArchive::store, file, prompt);
    EXPECT_EQ(Serialize(doc, ar), SerializeResult::PlainFile);
    EXPECT_TRUE(prompt.questions.empty());
    return file.Bytes();
}

TEST(FormatHex, PadsToTheWidthAndNeverCuts) {
    struct Case {
        std::uint32_t value;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {870, 4, "0x0366"},
        {2446, 0, "0x98E"},
        {245, 3, "0x0F5"},
        {4, 2, "0x04"},
        {0x12345, 4, "0x12345"},
        {0, 0, "0x0"},
        {0, -3, "0x0"},
        {0xABC, 16, "0x0000000000000ABC"},
        {0xFFFFFFFF, 20, "0x00000000FFFFFFFF"},
        {0xFFFFFFFF, 1, "0xFFFFFFFF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatHex(c.value, c.width), c.text) << c.value << " width " << c.width;
}

TEST(MarkAsComments, PutsASemicolonBehindEveryLineFeedAfterTheFirstCharacter) {
    struct Case {
        const char* text;
        const char* marked;
    };
    const Case cases[] = {
        {"a\r\nb", "a\r\n; b"},
        {"a\r\n", "a\r\n; "},
        {"\r\n\r\n", "\r\n; \r\n; "},
        {"\nfirst", "\nfirst"},
        {"a\nb\n", "a\n; b\n; "},
        {"no line end", "no line end"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkAsComments(c.text), c.marked) << c.text;
}

TEST(SettingsLines, RegisterFormWithDirectAddressing) {
    CKXC2280RegisterWizardDoc doc = TableDocument(1, 1);
    BuildSettingsBuffers(doc);
    EXPECT_EQ(Lines(doc.m_strIniPllSection),
              (std::vector<std::string>{"REG = 0x0010, 0x0366\t\t//pll_dividers = 870",
                                        "REG = 0x0012, 0x0F5\t\t//pll_p_dividers = 245"}));
    EXPECT_EQ(Lines(doc.m_strIniTimingSection),
              (std::vector<std::string>{
                  "REG = 0x98E, 0x1000",
                  "REG = 0x300A, 0x01F9\t\t//frame_length_lines = 505",
                  "REG = 0x300C, 0x02D6\t\t//line_length_pck = 726",
                  "REG = 0x3010, 0x0010\t\t//fine_correction = 16",
                  "REG = 0x9803, 0x04\t\t//stat_fd_zone_height = 4",
                  "REG = 0xA06E, 0x0097\t\t//cam_fd_config_fdperiod_50hz = 151",
                  "REG = 0xA070, 0x0099\t\t//cam_fd_config_fdperiod_60hz = 153",
                  "REG = 0xA072, 0x0C\t\t//cam_fd_config_search_f1_50 = 12",
                  "REG = 0xA073, 0x0E\t\t//cam_fd_config_search_f2_50 = 14",
                  "REG = 0xA074, 0x0F\t\t//cam_fd_config_search_f1_60 = 15",
                  "REG = 0xA075, 0x11\t\t//cam_fd_config_search_f2_60 = 17",
                  "REG = 0xA076, 0x000E\t\t//cam_fd_config_max_fdzone_50hz = 14",
                  "REG = 0xA078, 0x0010\t\t//cam_fd_config_max_fdzone_60hz = 16",
                  "REG = 0xA01A, 0x0004\t\t//cam_ae_config_target_fdzone = 4",
              }));
}

TEST(SettingsLines, RegisterFormWithAddressDataPairs) {
    CKXC2280RegisterWizardDoc doc = TableDocument(1, 0);
    BuildSettingsBuffers(doc);
    const std::vector<std::string> lines = Lines(doc.m_strIniTimingSection);
    ASSERT_EQ(lines.size(), 3u + 2 * 10);
    // Sensor registers keep their own address whatever the addressing.
    EXPECT_EQ(lines[0], "REG = 0x300A, 0x01F9\t\t//frame_length_lines = 505");
    EXPECT_EQ(lines[3], "REG = 0x98E, 0x9803\t\t//stat_fd_zone_height");
    EXPECT_EQ(lines[4], "REG = 0x990, 0x04\t\t//      = 4");
    EXPECT_EQ(lines[5], "REG = 0x98E, 0x206E\t\t//cam_fd_config_fdperiod_50hz");
    EXPECT_EQ(lines[6], "REG = 0x990, 0x0097\t\t//      = 151");
    // Variables of at most two digits take the 0x8000 of logical addressing.
    EXPECT_EQ(lines[9], "REG = 0x98E, 0xA072\t\t//cam_fd_config_search_f1_50");
    EXPECT_EQ(lines[10], "REG = 0x990, 0x0C\t\t//      = 12");
    EXPECT_EQ(lines[21], "REG = 0x98E, 0x201A\t\t//cam_ae_config_target_fdzone");
    EXPECT_EQ(lines[22], "REG = 0x990, 0x0004\t\t//      = 4");
    for (const std::string& line : lines)
        EXPECT_NE(line, "REG = 0x98E, 0x1000");
}

TEST(SettingsLines, FieldFormNamesEveryRowAndNeverSwitchesAddressing) {
    for (const int direct : {0, 1}) {
        CKXC2280RegisterWizardDoc doc = TableDocument(0, direct);
        BuildSettingsBuffers(doc);
        EXPECT_EQ(Lines(doc.m_strIniPllSection),
                  (std::vector<std::string>{
                      "FIELD_WR = PLL_DIVIDERS, 0x0366\t\t//pll_dividers = 870",
                      "FIELD_WR = PLL_P_DIVIDERS, 0x0F5\t\t//pll_p_dividers = 245"}));
        const std::vector<std::string> lines = Lines(doc.m_strIniTimingSection);
        ASSERT_EQ(lines.size(), 13u);
        EXPECT_EQ(lines[0], "FIELD_WR = FRAME_LENGTH_LINES, 0x01F9\t\t//frame_length_lines = 505");
        EXPECT_EQ(lines[3], "FIELD_WR = STAT_FD_ZONE_HEIGHT, 0x04\t\t//stat_fd_zone_height = 4");
        EXPECT_EQ(lines[12], "FIELD_WR = CAM_AE_CONFIG_TARGET_FDZONE, 0x0004\t\t//"
                             "cam_ae_config_target_fdzone = 4");
    }
}

TEST(SettingsLines, ARowBeyondTheTableTakesItsUpperCaseNameInFieldForm) {
    CKXC2280RegisterWizardDoc doc = TableDocument(0);
    CRegister extra;
    extra.Set("extra_gain_2", 0, 1, 0, 0x3020, 16, 0x10, 0xFFFF);
    doc.m_Registers.push_back(extra);
    BuildSettingsBuffers(doc);
    EXPECT_EQ(Lines(doc.m_strIniTimingSection).back(),
              "FIELD_WR = EXTRA_GAIN_2, 0x0010\t\t//extra_gain_2 = 16");
}

TEST(SettingsLines, AValueWiderThanItsDigitsIsPrintedInFull) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    doc.m_Registers[kRowStatFdZoneHeight].m_nValue = 0x1234;
    doc.m_Registers[kRowPllPDividers].m_nValue = 0xFFFFFFFF;
    BuildSettingsBuffers(doc);
    EXPECT_EQ(Lines(doc.m_strIniTimingSection)[4],
              "REG = 0x9803, 0x1234\t\t//stat_fd_zone_height = 4660");
    EXPECT_EQ(Lines(doc.m_strIniPllSection)[1],
              "REG = 0x0012, 0xFFFFFFFF\t\t//pll_p_dividers = 4294967295");
}

TEST(SettingsLines, AnOffsetAbove0x3FFKeepsOnlyItsLow10Bits) {
    for (const int direct : {1, 0}) {
        CKXC2280RegisterWizardDoc doc = TableDocument(1, direct);
        doc.m_Registers[kRowFdPeriod50Hz].m_nAddress = 0x46E;
        doc.m_Registers[kRowStatFdZoneHeight].m_nAddress = 0xC03;
        BuildSettingsBuffers(doc);
        const std::vector<std::string> lines = Lines(doc.m_strIniTimingSection);
        if (direct) {
            EXPECT_EQ(lines[4], "REG = 0x9803, 0x04\t\t//stat_fd_zone_height = 4");
            EXPECT_EQ(lines[5], "REG = 0xA06E, 0x0097\t\t//cam_fd_config_fdperiod_50hz = 151");
        } else {
            EXPECT_EQ(lines[3], "REG = 0x98E, 0x9803\t\t//stat_fd_zone_height");
            EXPECT_EQ(lines[5], "REG = 0x98E, 0x206E\t\t//cam_fd_config_fdperiod_50hz");
        }
    }
}

TEST(SettingsLines, ABitFieldWritesItsMaskWithDigitsFromTheFullWidth) {
    CKXC2280RegisterWizardDoc doc = TableDocument(1, 0);
    CRegister& zone = doc.m_Registers[kRowStatFdZoneHeight];
    zone.m_bBitField = 1;
    zone.m_nMask = 0x3C; // two digits would follow from the full 8-bit width either way
    CRegister& period = doc.m_Registers[kRowFdPeriod50Hz];
    period.m_bBitField = 1;
    period.m_nMask = 0xF0; // the full 16-bit width gives four digits, the mask alone two
    BuildSettingsBuffers(doc);
    const std::vector<std::string> lines = Lines(doc.m_strIniTimingSection);
    EXPECT_EQ(lines[3], "REG = 0x98E, 0x9803\t\t//stat_fd_zone_height");
    EXPECT_EQ(lines[4], "BITFIELD = 0x990, 0x3C, 0x04\t\t//      = 4");
    EXPECT_EQ(lines[5], "REG = 0x98E, 0x206E\t\t//cam_fd_config_fdperiod_50hz");
    EXPECT_EQ(lines[6], "BITFIELD = 0x990, 0x00F0, 0x0097\t\t//      = 151");
}

TEST(SettingsLines, BypassLeavesOutThePllRowsByPosition) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    doc.m_bBypassPll = 1;
    CRegister pllExtra;
    pllExtra.Set("pll_extra", 0, 0, 0, 0x0014, 16, 0x0001, 0xFFFF);
    doc.m_Registers.push_back(pllExtra);
    BuildSettingsBuffers(doc);
    EXPECT_EQ(doc.m_strIniPllSection, "REG = 0x0014, 0x0001\t\t//pll_extra = 1\r\n");
}

TEST(SettingsFile, BypassLeavesAnEmptyPllSection) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    doc.m_bBypassPll = 1;
    const std::string file = SavePlain(doc);
    EXPECT_NE(
        file.find("\r\n[PLL_settings]\r\n\r\n\r\n[Timing_settings]\r\nREG = 0x98E, 0x1000\r\n"),
        std::string::npos);
    EXPECT_EQ(file.find("pll_dividers"), std::string::npos);
}

TEST(SettingsFile, EmptyReportsKeepTheirHeadingsAndCommentLines) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    const std::string expected = "; This file was generated by: QX7R310 Register Wizard\r\n"
                                 ";   " +
                                 GetVersionText() +
                                 "\r\n"
                                 "; \r\n"
                                 "; [Clock PARAMETERS]\r\n"
                                 "; \r\n"
                                 "; \r\n"
                                 "; \r\n"
                                 "; [TIMING SETTINGS]\r\n"
                                 "; \r\n"
                                 "; \r\n"
                                 "; \r\n"
                                 "; \r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "[PLL_settings]\r\n"
                                 "REG = 0x0010, 0x0366\t\t//pll_dividers = 870\r\n"
                                 "REG = 0x0012, 0x0F5\t\t//pll_p_dividers = 245\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "[Timing_settings]\r\n"
                                 "REG = 0x98E, 0x1000\r\n"
                                 "REG = 0x300A, 0x01F9\t\t//frame_length_lines = 505\r\n"
                                 "REG = 0x300C, 0x02D6\t\t//line_length_pck = 726\r\n"
                                 "REG = 0x3010, 0x0010\t\t//fine_correction = 16\r\n"
                                 "REG = 0x9803, 0x04\t\t//stat_fd_zone_height = 4\r\n"
                                 "REG = 0xA06E, 0x0097\t\t//cam_fd_config_fdperiod_50hz = 151\r\n"
                                 "REG = 0xA070, 0x0099\t\t//cam_fd_config_fdperiod_60hz = 153\r\n"
                                 "REG = 0xA072, 0x0C\t\t//cam_fd_config_search_f1_50 = 12\r\n"
                                 "REG = 0xA073, 0x0E\t\t//cam_fd_config_search_f2_50 = 14\r\n"
                                 "REG = 0xA074, 0x0F\t\t//cam_fd_config_search_f1_60 = 15\r\n"
                                 "REG = 0xA075, 0x11\t\t//cam_fd_config_search_f2_60 = 17\r\n"
                                 "REG = 0xA076, 0x000E\t\t//cam_fd_config_max_fdzone_50hz = 14\r\n"
                                 "REG = 0xA078, 0x0010\t\t//cam_fd_config_max_fdzone_60hz = 16\r\n"
                                 "REG = 0xA01A, 0x0004\t\t//cam_ae_config_target_fdzone = 4\r\n";
    EXPECT_EQ(SavePlain(doc), expected);
}

TEST(SettingsFile, MarksEveryReportLineIncludingBareLineFeeds) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    doc.m_strClockSummary = "Input Frequency: 11 MHz\r\n";
    doc.m_strClockReport = "Fout = 44\nFvco = 528\r\n";
    doc.m_Contexts[0].m_strTimingSummary = "Output Rows: 480\r\n";
    doc.m_Contexts[0].m_strTimingReport = "Row Time: 33.000 usec.";
    BuildSettingsBuffers(doc);
    const std::string expectedTail = "; [Clock PARAMETERS]\r\n"
                                     "; \r\n"
                                     "; Input Frequency: 11 MHz\r\n"
                                     "; Fout = 44\n"
                                     "; Fvco = 528\r\n"
                                     "; \r\n"
                                     "; \r\n"
                                     "; [TIMING SETTINGS]\r\n"
                                     "; \r\n"
                                     "; Output Rows: 480\r\n"
                                     "; Row Time: 33.000 usec.\r\n"
                                     "; \r\n"
                                     "; \r\n"
                                     "\r\n"
                                     "\r\n"
                                     "\r\n"
                                     "[PLL_settings]\r\n";
    const std::string& header = doc.m_strIniHeader;
    ASSERT_GE(header.size(), expectedTail.size());
    EXPECT_EQ(header.substr(header.size() - expectedTail.size()), expectedTail);
}

TEST(SettingsFile, EveryComposedLineEndsWithCrLfAndNoByteOrderMark) {
    for (const int form : {0, 1}) {
        for (const int direct : {0, 1}) {
            CKXC2280RegisterWizardDoc doc = TableDocument(form, direct);
            doc.m_strClockReport = "clock\r\n";
            const std::string file = SavePlain(doc);
            ASSERT_GE(file.size(), 2u);
            EXPECT_NE(static_cast<unsigned char>(file[0]), 0xEF);
            EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
            for (std::size_t i = 0; i < file.size(); ++i) {
                if (file[i] == '\n') {
                    EXPECT_EQ(file[i - 1], '\r') << "at byte " << i;
                }
            }
        }
    }
}

TEST(SettingsFile, SavingTwiceGivesTheSameBytes) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    const std::string first = SavePlain(doc);
    EXPECT_EQ(SavePlain(doc), first);
}

TEST(Serialize, LoadingOnlyEmptiesTheBuffers) {
    CKXC2280RegisterWizardDoc doc = TableDocument();
    BuildSettingsBuffers(doc);
    CMemoryOutputFile file;
    RecordingPrompt prompt;
    CArchive ar(CArchive::load, file, prompt);
    EXPECT_EQ(Serialize(doc, ar), SerializeResult::Loaded);
    EXPECT_EQ(doc.m_strIniHeader, "");
    EXPECT_EQ(doc.m_strIniPllSection, "");
    EXPECT_EQ(doc.m_strIniTimingSection, "");
    EXPECT_EQ(file.Bytes(), "");
    EXPECT_TRUE(prompt.questions.empty());
}

} // namespace
