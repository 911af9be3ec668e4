// qx7r310-wizard-cli: sets the parameters as a user would in the two forms, runs the forms'
// recalculation chain and writes what File > Save writes (or everything as JSON).
#include "AtomicSave.h"
#include "CommandLine.h"
#include "SettingsWriter.h"
#include "Version.h"
#include "WindowlessChain.h"
#include "WizardPrompt.h"

#include <nlohmann/json.hpp>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Messages go to standard error; the one question, whether to use the standard INI file, is
// answered Yes because the user asked for the splice by naming the file.
class StderrPrompt : public IWizardPrompt {
public:
    void MessageBoxOk(std::string_view text) override {
        std::cerr << kCliName << ": " << text << '\n';
    }
    bool AskYesNo(std::string_view text) override {
        std::cerr << kCliName << ": " << text << " Yes\n";
        return true;
    }
};

void ApplyParameters(const WizardParameters& p, CKXC2280RegisterWizardDoc& doc) {
    // The Image Timing form's request; the boxes the form never shows keep the values its
    // full-form set-up gives them.
    CImageContext& context = doc.m_Contexts[0];
    context.m_nBlankingMode = p.blankingMode;
    context.m_nHBlank = p.hBlank;
    context.m_nVBlank = p.vBlank;
    context.m_dFrameRate = p.frameRate;
    context.m_bVariableFrameRate = p.variableFrameRate;
    context.m_bBinning = 0;
    context.m_bXOnly = 0;
    context.m_bAllowSkipping = p.allowSkipping;
    context.m_nOutputColumns = p.outputColumns;
    context.m_nOutputRows = p.outputRows;
    context.m_bJpeg = 0;
    context.m_bHorzMirror = 0;
    context.m_bVertFlip = 0;
    context.m_bLowPower = p.lowPower;
    context.m_dMinFrameRate = p.minFrameRate;

    // The Clock Settings form's values.
    doc.m_dInputFreq = p.inputFreqMHz;
    doc.m_dTargetSystemFreq = p.systemFreqMHz;
    doc.m_bBypassPll = p.bypassPll;
    doc.m_bUseMinFreq = p.useMinFreq;
    doc.m_dTargetVcoFreq = p.vcoFreqMHz;
    doc.m_nPllM = p.pllM;
    doc.m_nPllN = p.pllN;
    doc.m_nHwRev = p.hwRev;

    // The register view's output form and the splice switch.
    doc.m_bOutputAsRegisters = p.outputAsRegisters;
    doc.m_bDirectAddressing = p.directAddressing;
    doc.m_bUseStandardIni = p.useStandardIni;
    doc.m_strStandardIniPath = p.standardIniPath;
}

nlohmann::ordered_json ParametersJson(const WizardParameters& p) {
    static constexpr const char* kBlankingNames[] = {"hb-min", "hb-max", "vb-min",
                                                     "vb-max", "hb=N",   "vb=N"};
    return {
        {"inputFreqMHz", p.inputFreqMHz},
        {"systemFreqMHz", p.systemFreqMHz},
        {"vcoFreqMHz", p.vcoFreqMHz},
        {"pllM", p.pllM},
        {"pllN", p.pllN},
        {"bypassPll", p.bypassPll},
        {"useMinFreq", p.useMinFreq},
        {"hwRev", p.hwRev},
        {"frameRate", p.frameRate},
        {"outputColumns", p.outputColumns},
        {"outputRows", p.outputRows},
        {"allowSkipping", p.allowSkipping},
        {"lowPower", p.lowPower},
        {"variableFrameRate", p.variableFrameRate},
        {"minFrameRate", p.minFrameRate},
        {"blankingMode", p.blankingMode},
        {"blanking", kBlankingNames[p.blankingMode]},
        {"hBlank", p.hBlank},
        {"vBlank", p.vBlank},
        {"outputAs", p.outputAsRegisters ? "registers" : "fields"},
        {"addressing", p.directAddressing ? "direct" : "indirect"},
        {"useStandardIni", p.useStandardIni},
        {"standardIniPath", p.standardIniPath},
    };
}

nlohmann::ordered_json ResultsJson(const CKXC2280RegisterWizardDoc& doc) {
    const CImageContext& context = doc.m_Contexts[0];
    nlohmann::ordered_json registers = nlohmann::ordered_json::array();
    for (std::size_t k = 0; k < doc.m_Registers.size(); ++k) {
        const CRegister& reg = doc.m_Registers[k];
        registers.push_back({
            {"position", k},
            {"name", reg.m_strName},
            {"fieldName", k < kRegisterTable.size() ? kRegisterTable[k].fieldName : ""},
            {"driverGroup", reg.m_bDriverGroup},
            {"driverId", reg.m_nDriverId},
            {"address", reg.m_nAddress},
            {"addressHex", FormatHex(static_cast<std::uint32_t>(reg.m_nAddress), 4)},
            {"value", reg.m_nValue},
            {"valueHex", FormatHex(reg.m_nValue, reg.GetHexDigits())},
            {"mask", reg.m_nMask},
            {"hexDigits", reg.GetHexDigits()},
        });
    }
    return {
        {"systemFreqMHz", doc.m_dTargetSystemFreq},
        {"timingValid", context.m_bTimingValid},
        {"activeColumns", doc.m_nActiveColumns},
        {"activeRows", doc.m_nActiveRows},
        {"hBlankUsed", doc.m_nHBlankUsed},
        {"vBlankUsed", doc.m_nVBlankUsed},
        {"actualFrameRate", doc.m_dActualFrameRate},
        {"rowTimeUs", context.m_dRowTime},
        {"minClockOutputMHz", context.m_dMinClockOutput},
        {"warnings", context.m_nWarnings},
        {"registers", registers},
        {"clockSummary", doc.m_strClockSummary},
        {"clockReport", doc.m_strClockReport},
        {"timingSummary", context.m_strTimingSummary},
        {"timingReport", context.m_strTimingReport},
    };
}

// Writes the bytes to the named file, or to standard output; false with a message on failure.
bool Deliver(const std::string& path, const std::string& bytes) {
    if (!path.empty()) {
        const SaveResult saved = SaveFileAtomically(path, bytes);
        if (!saved)
            std::cerr << kCliName << ": " << saved.message << '\n';
        return saved.ok;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (!written || std::fflush(stdout) != 0) {
        std::cerr << kCliName << ": cannot write to standard output\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // System messages (why a file could not be written) in the user's language; numbers are
    // parsed and printed without the locale, so the output is the same everywhere.
    std::setlocale(LC_ALL, "");
    const auto parsed = ParseCommandLine(argc, argv);
    if (const auto* exit = std::get_if<CliExit>(&parsed)) {
        (exit->status == kExitOk ? std::cout : std::cerr) << exit->text << std::flush;
        return exit->status;
    }
    const CliRequest& request = std::get<CliRequest>(parsed);

    WizardMessageQueue queue;
    CKXC2280RegisterWizardDoc doc;
    doc.m_pMainFrame = &queue;
    doc.OnNewDocument();
    ApplyParameters(request.parameters, doc);
    RecalculateClocksWithoutWindows(doc, queue);

    StderrPrompt prompt;
    CMemoryOutputFile file;
    SerializeResult result = SerializeResult::PlainFile;
    try {
        CArchive archive(CArchive::store, file, prompt);
        result = Serialize(doc, archive);
    } catch (const CFileException& error) {
        std::cerr << kCliName << ": " << error.what() << '\n';
        return kExitWriteFailed;
    }

    std::string bytes = file.Bytes();
    if (request.json) {
        nlohmann::ordered_json json = {
            {"version", GetVersionText()},
            {"parameters", ParametersJson(request.parameters)},
            {"results", ResultsJson(doc)},
            {"standardIniSpliced", result == SerializeResult::SplicedFile},
            {"settingsFile", bytes},
        };
        // Bytes copied from a standard INI file need not be UTF-8; they are replaced, not fatal.
        bytes = json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }
    if (!Deliver(request.outputPath, bytes))
        return kExitWriteFailed;
    return result == SerializeResult::PlainFileAfterFailure ? kExitSpliceFailed : kExitOk;
}
