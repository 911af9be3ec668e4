// Mode switch lines: what the settings file of the target mode says, for the registers that
// change; and the register values read back from a settings file's lines.
#include "ModeExport.h"
#include "SettingsRegisterValues.h"
#include "SettingsWriter.h"
#include "Parameters.h"

#include <gtest/gtest.h>

namespace {

// The three modes of examples/camera-modes.jsonl.
ParameterSet Request(double fps, int columns, int rows, bool skipping, int blankingMode) {
    ParameterSet set;
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("frameRate"), fps));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("outputColumns"), columns));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("outputRows"), rows));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("allowSkipping"), skipping));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("blankingMode"), blankingMode));
    return set;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// In every output form and addressing, the switch's lines are lines of the target's settings
// file, in its order, and the direct addressing line opens the timing section's writes.
TEST(ModeSwitchLines, AreTheTargetSettingsFileLinesOfTheChangedRegisters) {
    const ParameterSet requests[] = {Request(30, 320, 240, true, kBlankHMinThenV),
                                     Request(15, 640, 480, false, kBlankHMaxThenV),
                                     Request(30, 640, 480, false, kBlankHMinThenV)};
    for (const auto& [asRegisters, direct] : {std::pair(1, 1), std::pair(1, 0), std::pair(0, 1)}) {
        for (const ParameterSet& from : requests) {
            for (const ParameterSet& to : requests) {
                SCOPED_TRACE(std::to_string(asRegisters) + std::to_string(direct));
                CKXC2280RegisterWizardDoc doc;
                RunNewDocument(to, doc);
                doc.m_bOutputAsRegisters = asRegisters;
                doc.m_bDirectAddressing = direct;
                const std::vector<std::string> file =
                    Lines(BuildPllSectionLines(doc) + BuildTimingSectionLines(doc));
                const std::vector<RegisterWrite> writes =
                    ModeSwitch(ComputeMode("a", from), ComputeMode("b", to));
                const std::vector<std::string> lines =
                    Lines(ModeSwitchLines(writes, asRegisters, direct));
                auto next = file.begin();
                for (const std::string& line : lines) {
                    next = std::find(next, file.end(), line);
                    ASSERT_NE(next, file.end()) << line;
                }
                // One line a register; two for a driver variable reached indirectly.
                std::size_t expected = 0;
                bool timing = false;
                for (const RegisterWrite& write : writes) {
                    expected += asRegisters && !direct && write.reg.m_nDriverId != 0 ? 2 : 1;
                    timing = timing || write.reg.m_bDriverGroup != 0;
                }
                EXPECT_EQ(lines.size(), expected + (asRegisters && direct && timing ? 1 : 0));
                EXPECT_EQ(writes.empty(), &from == &to);
            }
        }
    }
}

// Every line form gives back the values it wrote; a bypassed PLL writes no divider rows.
TEST(SettingsRegisterValues, AreReadFromEveryLineForm) {
    struct Case {
        int asRegisters;
        int direct;
        int bypass;
    };
    for (const Case c : {Case{1, 1, 0}, Case{1, 0, 0}, Case{0, 1, 0}, Case{1, 0, 1}}) {
        SCOPED_TRACE(std::to_string(c.asRegisters) + std::to_string(c.direct) +
                     std::to_string(c.bypass));
        ParameterSet set = Request(15, 640, 480, false, kBlankHMaxThenV);
        ASSERT_TRUE(SetCheckedNumber(set, ParameterIndex("bypassPll"), c.bypass));
        CKXC2280RegisterWizardDoc doc;
        RunNewDocument(set, doc);
        doc.m_bOutputAsRegisters = c.asRegisters;
        doc.m_bDirectAddressing = c.direct;
        BuildSettingsBuffers(doc);
        const auto values =
            ReadSettingsRegisterValues(doc.m_strIniHeader + doc.m_strIniPllSection +
                                       "\r\n[Timing_settings]\r\n" + doc.m_strIniTimingSection);
        for (std::size_t row = 0; row < kRegisterCount; ++row) {
            if (c.bypass && row <= kRowPllPDividers) {
                EXPECT_FALSE(values[row]) << row;
            } else {
                EXPECT_EQ(values[row], doc.m_Registers[row].m_nValue) << row;
            }
        }
    }
}

} // namespace
