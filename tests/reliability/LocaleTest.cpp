// Every report, list and file is the same under a comma-decimal process locale, and the same
// inputs always give the same bytes.
#include "CliFixture.h"

#include "Parameters.h"
#include "RecordingPrompt.h"
#include "ScratchFolder.h"
#include "SettingsWriter.h"
#include "WizardDoc.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";

struct Request {
    const char* what;
    double inputFreqMHz;
    double systemFreqMHz;
    double frameRate;
    int columns;
    int rows;
    int lowPower;
    int skipping;
    int blankingMode;
    int bypass;
    int asRegisters;
    int direct;
};

// Requests whose reports carry fractions, "(cannot match)" lines and every line form.
const Request kRequests[] = {
    {"form defaults", 11.0, 44.0, 30.0, 640, 480, 0, 0, 0, 0, 1, 1},
    {"fractions and a missed target", 12.5, 10.0, 14.645, 320, 240, 1, 1, 4, 0, 1, 0},
    {"bypass and field form", 60.0, 44.0, 7.5, 160, 120, 0, 1, 5, 1, 0, 1},
    {"n/a timing", 11.0, 44.0, 0.0, 649, 0, 1, 0, 1, 0, 1, 1},
};

struct Texts {
    std::string file, clockReport, timingReport, timingSummary;
    friend bool operator==(const Texts&, const Texts&) = default;
};

Texts Compute(const Request& r) {
    CKXC2280RegisterWizardDoc doc;
    CImageContext& c = doc.m_Contexts[0];
    c.m_dFrameRate = r.frameRate;
    c.m_nOutputColumns = r.columns;
    c.m_nOutputRows = r.rows;
    c.m_bLowPower = r.lowPower;
    c.m_bAllowSkipping = r.skipping;
    c.m_nBlankingMode = r.blankingMode;
    c.m_nHBlank = 300;
    c.m_nVBlank = 40;
    c.m_bVariableFrameRate = 1;
    c.m_dMinFrameRate = 2.5;
    doc.m_dInputFreq = r.inputFreqMHz;
    doc.m_dTargetSystemFreq = r.systemFreqMHz;
    doc.m_bBypassPll = r.bypass;
    doc.m_bOutputAsRegisters = r.asRegisters;
    doc.m_bDirectAddressing = r.direct;
    doc.OnNewDocument();
    Recalculate(doc, UserChange::ClockSettings);

    RecordingPrompt prompt(false);
    CMemoryOutputFile file;
    CArchive archive(CArchive::store, file, prompt);
    Serialize(doc, archive);
    return {file.Bytes(), doc.m_strClockReport, c.m_strTimingReport, c.m_strTimingSummary};
}

// Switches the C and C++ process locales for the scope and restores the previous ones.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
        : m_previousC(std::setlocale(LC_ALL, nullptr)), m_previousCpp(std::locale()) {
        m_ok = std::setlocale(LC_ALL, name) != nullptr;
        if (m_ok)
            std::locale::global(std::locale(name));
    }
    ~ScopedLocale() {
        std::setlocale(LC_ALL, m_previousC.c_str());
        std::locale::global(m_previousCpp);
    }
    bool Ok() const { return m_ok; }

private:
    std::string m_previousC;
    std::locale m_previousCpp;
    bool m_ok = false;
};

void PrintTo(const Request& r, std::ostream* os) {
    *os << r.what;
}

class Locale : public testing::TestWithParam<Request> {};

TEST_P(Locale, CommaDecimalLocaleChangesNoText) {
    Texts classic;
    {
        ScopedLocale c("C");
        classic = Compute(GetParam());
    }
    ScopedLocale comma(kCommaLocale);
    if (!comma.Ok())
        GTEST_SKIP() << kCommaLocale << " is not installed (./wizard setup generates it)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the comma-decimal locale is in force";
    EXPECT_EQ(Compute(GetParam()), classic);
    EXPECT_EQ(classic.file.find(','), classic.file.find(", ")) << "no decimal comma in the file";
}

INSTANTIATE_TEST_SUITE_P(Reports, Locale, testing::ValuesIn(kRequests),
                         [](const testing::TestParamInfo<Request>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(Repeatability, TwoCommandLineRunsWriteByteIdenticalFiles) {
    ScratchFolder folder;
    const std::vector<std::string> args = {"--fps",       "14.645",     "--input-freq", "12.5",
                                           "--low-power", "--skipping", "--columns",    "320",
                                           "--rows",      "240",        "--blanking",   "vb=40"};
    std::vector<std::string> first = args, second = args, comma = args;
    first.insert(first.end(), {"-o", folder.File("first.ini")});
    second.insert(second.end(), {"-o", folder.File("second.ini")});
    comma.insert(comma.end(), {"-o", folder.File("comma.ini")});
    ASSERT_EQ(RunCli(first).status, 0);
    ASSERT_EQ(RunCli(second).status, 0);
    ProcessOptions options;
    options.env = {std::string("LC_ALL=") + kCommaLocale};
    ASSERT_EQ(RunCli(comma, options).status, 0);
    const std::string bytes = ReadBytes(folder.File("first.ini"));
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(ReadBytes(folder.File("second.ini")), bytes);
    EXPECT_EQ(ReadBytes(folder.File("comma.ini")), bytes);
}

} // namespace
