// The whole settings file of a new document with the forms' defaults, byte for byte.
#include "SettingsWriter.h"
#include "TestSupport.h"
#include "Version.h"
#include "WindowlessChain.h"

#include <gtest/gtest.h>

namespace {

// A new document after the forms' first recalculation: the image form's defaults in context 0,
// then the clock form's recalculation and the posted timing recalculation.
CKXC2280RegisterWizardDoc DefaultDocument() {
    CKXC2280RegisterWizardDoc doc;
    WizardMessageQueue queue;
    doc.m_pMainFrame = &queue;
    doc.OnNewDocument();
    ApplyParameters(DefaultParameters(), doc);
    RecalculateClocksWithoutWindows(doc, queue);
    doc.m_pMainFrame = nullptr;
    return doc;
}

std::string ExpectedDefaultFile() {
    std::string expected = ReadBytes(QX_OUTPUT_TEST_DATA "/default_settings.ini");
    const std::string placeholder = "@VERSION@";
    const std::size_t at = expected.find(placeholder);
    EXPECT_NE(at, std::string::npos);
    return expected.replace(at, placeholder.size(), GetVersionText());
}

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
