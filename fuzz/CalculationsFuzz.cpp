// Fuzzes the whole calculation chain with arbitrary values in every document and image-context
// field (NaN, infinities, negatives, huge values), then writes the settings file: no sanitizer
// report, and a well-formed file whose register lines carry exactly the register values. The
// timing diagram of the result keeps inside its area.
#include "FuzzSupport.h"

#include "Parameters.h"
#include "RecordingPrompt.h"
#include "SettingsWriter.h"
#include "TimingDiagram.h"
#include "WindowlessChain.h"
#include "WizardDoc.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kInterestingDoubles[] = {
    std::numeric_limits<double>::quiet_NaN(),
    kInf,
    -kInf,
    0.0,
    -0.0,
    -1.0,
    1.0,
    std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::min(),
    1e-300,
    2147483648.0,
    -2147483649.0,
    9007199254740993.0,
    4.0,
    44.0,
    11.0,
    30.0,
    60.0,
    0.001,
    1043.0,
    1044.0,
    560.0,
    10.0,
    1e9,
};
constexpr int kInterestingInts[] = {INT_MIN, INT_MIN + 1, -1,  0,   1,   2,     3,     4,
                                    5,       6,           16,  63,  64,  70,    71,    120,
                                    160,     488,         489, 648, 649, 16384, 65535, INT_MAX};
constexpr std::uint32_t kInterestingValues[] = {0u,      1u,       0xFu,        0x10u,
                                                0xFFu,   0x100u,   0xFFFu,      0x1000u,
                                                0xFFFFu, 0x10000u, 0x80000000u, 0xFFFFFFFFu};

// Every request parameter but the standard INI switch and file, which would make the save read a
// file: reals from the interesting doubles, every other kind from the interesting ints.
void FillParameters(FuzzInput& in, CKXC2280RegisterWizardDoc& doc) {
    ParameterSet set;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterInfo& row = kParameters[i];
        if (std::holds_alternative<std::monostate>(row.field) ||
            i == ParameterIndex("useStandardIni") || row.kind == ParameterKind::Text)
            continue;
        set.SetNumber(i, row.kind == ParameterKind::Real ? in.Pick(kInterestingDoubles)
                                                         : in.Pick(kInterestingInts));
    }
    ApplyParameters(set, doc);
}

// The fields that are no request parameter: results and the boxes the form never shows.
void FillOtherFields(FuzzInput& in, CKXC2280RegisterWizardDoc& doc) {
    doc.m_nActiveColumns = in.Pick(kInterestingInts);
    doc.m_nActiveRows = in.Pick(kInterestingInts);
    doc.m_nHBlankUsed = in.Pick(kInterestingInts);
    doc.m_nVBlankUsed = in.Pick(kInterestingInts);
    doc.m_dActualFrameRate = in.Pick(kInterestingDoubles);
    CKXC2280RegisterWizardDoc::s_dLastSystemFreq = in.Pick(kInterestingDoubles);
    CImageContext& c = doc.m_Contexts[0];
    c.m_bJpeg = in.Pick(kInterestingInts);
    c.m_bTimingValid = in.Byte() & 1;
    c.m_dRowTime = in.Pick(kInterestingDoubles);
    c.m_nWarnings = in.Raw<std::uint32_t>();
    c.m_dMinClockOutput = in.Pick(kInterestingDoubles);
    c.m_bBinning = in.Pick(kInterestingInts);
    c.m_bXOnly = in.Pick(kInterestingInts);
    c.m_bHorzMirror = in.Pick(kInterestingInts);
    c.m_bVertFlip = in.Pick(kInterestingInts);
}

void FillDocument(FuzzInput& in, CKXC2280RegisterWizardDoc& doc) {
    FillParameters(in, doc);
    FillOtherFields(in, doc);
}

std::uint64_t ParseNumber(std::string_view text, int base) {
    std::uint64_t value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value, base);
    FUZZ_CHECK(res.ec == std::errc() && res.ptr == text.data() + text.size() && !text.empty(),
               "a register line carries a plain number");
    return value;
}

// A line that carries a register value ends with "\t\t//<name> = <decimal>" and has the value in
// hex right before the tabs; the address line of an address/data pair carries none.
std::optional<std::uint64_t> LineValue(std::string_view line) {
    const std::size_t tail = line.find("\t\t//");
    FUZZ_CHECK(tail != std::string_view::npos, "every register line has its comment tail");
    const std::size_t equals = line.rfind(" = ");
    if (equals == std::string_view::npos || equals < tail)
        return std::nullopt;
    const std::uint64_t decimal = ParseNumber(line.substr(equals + 3), 10);
    const std::size_t hex = line.rfind(", 0x", tail);
    FUZZ_CHECK(hex != std::string_view::npos, "a register line has its value in hex");
    const std::uint64_t value = ParseNumber(line.substr(hex + 4, tail - hex - 4), 16);
    FUZZ_CHECK(value == decimal, "the hex value and its decimal comment agree");
    return value;
}

void CheckSettingsFile(const CKXC2280RegisterWizardDoc& doc, const std::string& file) {
    FUZZ_CHECK(file.starts_with("; This file was generated by: QX7R310 Register Wizard\r\n"
                                ";   Version: "),
               "the comment block opens the file");
    FUZZ_CHECK(file.ends_with("\r\n"), "the file ends with CR LF");
    // The clock report's suggestion follows its "(cannot match)" after a bare line feed; every
    // other line ends with CR LF.
    constexpr std::string_view kSuggestion = "; (Suggested System Frequency:";
    for (std::size_t lf = file.find('\n'); lf != std::string::npos; lf = file.find('\n', lf + 1))
        FUZZ_CHECK(file[lf - 1] == '\r' ||
                       file.compare(lf + 1, kSuggestion.size(), kSuggestion) == 0,
                   "every line ends with CR LF");

    std::vector<std::string_view> lines;
    ForEachCrLfLine(file, [&](std::string_view line) { lines.push_back(line); });
    std::size_t pll = 0;
    while (pll < lines.size() && lines[pll] != "[PLL_settings]")
        ++pll;
    FUZZ_CHECK(pll >= 4 && pll < lines.size(), "the [PLL_settings] header");
    for (std::size_t i = 0; i + 3 < pll; ++i)
        FUZZ_CHECK(lines[i].starts_with("; "), "every line of the comment block is marked");
    FUZZ_CHECK(lines[pll - 1].empty() && lines[pll - 2].empty() && lines[pll - 3].empty(),
               "three empty lines before [PLL_settings]");
    std::size_t timing = pll + 1;
    while (timing < lines.size() && lines[timing] != "[Timing_settings]")
        ++timing;
    FUZZ_CHECK(timing < lines.size() && lines[timing - 1].empty() && lines[timing - 2].empty(),
               "two empty lines before [Timing_settings]");

    std::vector<std::uint64_t> written;
    for (std::size_t i = pll + 1; i < lines.size(); ++i) {
        if (i == timing || i == timing - 1 || i == timing - 2)
            continue;
        if (i == timing + 1 && lines[i] == "REG = 0x98E, 0x1000")
            continue;
        if (const auto value = LineValue(lines[i]))
            written.push_back(*value);
    }
    std::vector<std::uint64_t> expected;
    for (std::size_t k = 0; k < doc.m_Registers.size(); ++k)
        if (!(doc.m_bBypassPll && k < 2))
            expected.push_back(doc.m_Registers[k].m_nValue);
    FUZZ_CHECK(expected.size() == (doc.m_bBypassPll ? 13u : 15u), "fifteen rows or the bypass set");
    FUZZ_CHECK(written == expected, "the register lines carry the register values in order");
}

bool Inside(double x, double y, double width, double height, DiagramSize area) {
    return x >= 0 && y >= 0 && width >= 0 && height >= 0 && x + width <= area.width &&
           y + height <= area.height;
}

// The diagram of whatever the chain computed, in the page's size, a large one and a small one.
void CheckDiagram(const CKXC2280RegisterWizardDoc& doc) {
    const TimingFigures t = LastTimingFigures(doc);
    const DiagramFont font{16.0, [](std::string_view text) { return 7.0 * text.size(); }};
    for (const DiagramSize area :
         {DiagramSize{690, 760}, DiagramSize{1250, 900}, DiagramSize{320, 200}}) {
        const TimingDiagram d = LayOutTimingDiagram(t, doc.m_Contexts[0], area, font);
        FUZZ_CHECK(d.state != DiagramState::Frame || t.valid, "a frame only for a valid timing");
        for (const DiagramShape& s : d.shapes)
            FUZZ_CHECK(Inside(s.rect.x, s.rect.y, s.rect.width, s.rect.height, area),
                       "every shape inside the area");
        for (const DiagramLine& l : d.lines)
            FUZZ_CHECK(Inside(std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::abs(l.x2 - l.x1),
                              std::abs(l.y2 - l.y1), area),
                       "every line inside the area");
        for (const DiagramLabel& label : d.labels)
            FUZZ_CHECK(
                Inside(label.rect.x, label.rect.y, label.rect.width, label.rect.height, area),
                "every label inside the area");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    WizardMessageQueue queue;
    CKXC2280RegisterWizardDoc doc;
    doc.m_pMainFrame = &queue;
    FillDocument(in, doc);
    FUZZ_CHECK(doc.OnNewDocument(), "a new document");
    for (CRegister& reg : doc.m_Registers)
        if (in.Byte() & 1)
            reg.m_nValue = in.Pick(kInterestingValues);

    // The Clock Settings form's recalculation and the posted messages, then a quiet run as the
    // minimum-frequency mode makes one.
    RecalculateClocksWithoutWindows(doc, queue);
    if (in.Byte() & 1)
        doc.ComputeTiming(true);
    FUZZ_CHECK(doc.m_Registers.size() == kRegisterCount, "the fifteen register rows");
    CheckDiagram(doc);

    RecordingPrompt prompt;
    CMemoryOutputFile file;
    CArchive archive(CArchive::store, file, prompt);
    FUZZ_CHECK(Serialize(doc, archive) == SerializeResult::PlainFile, "the plain settings file");
    CheckSettingsFile(doc, file.Bytes());

    CMemoryOutputFile again;
    CArchive archiveAgain(CArchive::store, again, prompt);
    Serialize(doc, archiveAgain);
    FUZZ_CHECK(again.Bytes() == file.Bytes(), "saving twice gives the same bytes");
    FUZZ_CHECK(prompt.messages.empty(), "the plain settings file shows no message");
    FUZZ_CHECK(prompt.questions.empty(), "the plain settings file asks nothing");
    return 0;
}
