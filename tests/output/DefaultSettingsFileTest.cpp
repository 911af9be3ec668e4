// The whole settings file of a new document with the forms' defaults, byte for byte.
#include "GoldenFile.h"
#include "RecordingPrompt.h"
#include "SettingsWriter.h"

#include <gtest/gtest.h>

namespace {

TEST(DefaultSettingsFile, MatchesTheHandWrittenFile) {
    CKXC2280RegisterWizardDoc doc = DefaultDocument();
    CMemoryOutputFile file;
    RecordingPrompt prompt;
    CArchive ar(CArchive::store, file, prompt);
    EXPECT_EQ(Serialize(doc, ar), SerializeResult::PlainFile);
    EXPECT_EQ(file.Bytes(), ExpectedDefaultFile());
}

TEST(DefaultSettingsFile, FieldFormNamesTheComputedValues) {
    CKXC2280RegisterWizardDoc doc = DefaultDocument();
    doc.m_bOutputAsRegisters = 0;
    BuildSettingsBuffers(doc);
    EXPECT_EQ(doc.m_strIniPllSection,
              "FIELD_WR = PLL_DIVIDERS, 0x0018\t\t//pll_dividers = 24\r\n"
              "FIELD_WR = PLL_P_DIVIDERS, 0x500\t\t//pll_p_dividers = 1280\r\n");
}

} // namespace
