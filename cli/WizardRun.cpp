// The command-line wizard's run: document, recalculation, Serialize and the JSON of it all.
#include "WizardRun.h"

#include "ParameterJson.h"
#include "Parameters.h"
#include "Version.h"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

Json RegistersJson(const CKXC2280RegisterWizardDoc& doc) {
    Json registers = Json::array();
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
    return registers;
}

Json ResultsJson(const CKXC2280RegisterWizardDoc& doc) {
    const CImageContext& context = doc.m_Contexts[0];
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
        {"registers", RegistersJson(doc)},
        {"clockSummary", doc.m_strClockSummary},
        {"clockReport", doc.m_strClockReport},
        {"timingSummary", context.m_strTimingSummary},
        {"timingReport", context.m_strTimingReport},
    };
}

std::string JsonText(const ParameterSet& parameters, const CKXC2280RegisterWizardDoc& doc,
                     const WizardRun& run, RunOutput output, const std::string& name) {
    Json json = Json::object();
    if (output == RunOutput::JsonLine)
        json["name"] = name;
    json["version"] = GetVersionText();
    json["parameters"] = ParametersJson(parameters);
    json["results"] = ResultsJson(doc);
    json["standardIniSpliced"] = run.result == SerializeResult::SplicedFile;
    json["refusal"] = run.check.Refused() ? Json(RefusalMessage(run.check)) : Json(nullptr);
    json["adjustments"] = run.check.adjusted;
    // The bytes of a request whose timing is "n/a" would contradict themselves: no settings file.
    json["settingsFile"] = run.check.Refused() ? Json(nullptr) : Json(run.bytes);
    // Bytes copied from a standard INI file need not be UTF-8; they are replaced, not fatal.
    const int indent = output == RunOutput::JsonLine ? -1 : 2;
    return json.dump(indent, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace

WizardRun RunWizard(const ParameterSet& parameters, IWizardPrompt& prompt, RunOutput output,
                    bool strict, const std::string& name) {
    CKXC2280RegisterWizardDoc doc;
    RunNewDocument(parameters, doc);

    WizardRun run;
    run.check = CheckRequest(doc);
    if (output == RunOutput::SettingsFile &&
        (run.check.Refused() || (strict && !run.check.adjusted.empty()))) {
        run.refused = true;
        return run;
    }
    CMemoryOutputFile file;
    try {
        CArchive archive(CArchive::store, file, prompt);
        run.result = Serialize(doc, archive);
    } catch (const CFileException& error) {
        run.error = error.what();
        return run;
    }
    run.bytes = file.Bytes();
    if (output != RunOutput::SettingsFile)
        run.bytes = JsonText(parameters, doc, run, output, name);
    return run;
}

std::vector<std::string> CheckMessages(const WizardRun& run) {
    if (run.check.Refused())
        return {RefusalMessage(run.check)};
    std::vector<std::string> lines;
    for (const std::string& adjusted : run.check.adjusted)
        lines.push_back("warning: " + adjusted);
    if (run.refused)
        lines.push_back("--strict: the request was adjusted, so no settings file was written.");
    return lines;
}

std::vector<std::string> ReportCheckMessages(const RequestCheck& check) {
    std::vector<std::string> lines;
    for (const std::string& reason : check.notAvailable)
        lines.push_back("warning: " + reason + ": the timing is n/a");
    for (const std::string& adjusted : check.adjusted)
        lines.push_back("warning: " + adjusted);
    return lines;
}
