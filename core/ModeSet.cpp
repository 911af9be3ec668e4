// Computing the modes of a mode set and the writes of a switch between two of them.
#include "ModeSet.h"

#include "Parameters.h"
#include "TimingCalc.h"

#include <algorithm>

namespace {

ModeFigures FiguresOf(const CKXC2280RegisterWizardDoc& doc, const RequestCheck& check) {
    const CImageContext& ctx = doc.m_Contexts[0];
    const TimingFigures t = CalculateTiming(ctx, doc.m_dTargetSystemFreq);
    ModeFigures f;
    f.inputFreqMHz = doc.m_dInputFreq;
    f.systemFreqMHz = doc.m_dTargetSystemFreq;
    f.outputColumns = ctx.m_nOutputColumns;
    f.outputRows = ctx.m_nOutputRows;
    f.skipping = ctx.m_bAllowSkipping != 0;
    f.columnSkip = t.columnSkip;
    f.rowSkip = t.rowSkip;
    f.requestedFrameRate = ctx.m_dFrameRate;
    f.valid = t.valid;
    if (!t.valid) {
        for (const std::string& reason : check.notAvailable)
            f.invalidReason += (f.invalidReason.empty() ? "" : "; ") + reason;
        return f;
    }
    f.achievedFrameRate = t.rateWithExtraDelay;
    f.rateMatched = t.rateMatched;
    f.rowTimeUs = t.rowTimeUs;
    f.lineLength = t.lineLength;
    f.frameLength = t.frameLength;
    f.pixelClockHz = t.clockMHz * 1000000.0 / t.divider;
    f.maxIntegrationMs = t.frameTimeMs;
    return f;
}

std::string LineText(std::size_t line) {
    return line == 0 ? std::string() : "line " + std::to_string(line) + ": ";
}

} // namespace

Mode ComputeMode(std::string name, const ParameterSet& parameters) {
    CKXC2280RegisterWizardDoc doc;
    RunNewDocument(parameters, doc);
    Mode mode;
    mode.name = std::move(name);
    mode.parameters = parameters;
    mode.check = CheckRequest(doc);
    mode.figures = FiguresOf(doc, mode.check);
    mode.registers = doc.m_Registers;
    mode.outputAsRegisters = doc.m_bOutputAsRegisters != 0;
    mode.directAddressing = doc.m_bDirectAddressing != 0;
    mode.bypassPll = doc.m_bBypassPll != 0;
    return mode;
}

bool SettingsFileHolds(const Mode& mode, std::size_t row) {
    return row < mode.registers.size() &&
           !(mode.bypassPll && (row == kRowPllDividers || row == kRowPllPDividers));
}

std::vector<RegisterWrite> ModeSwitch(const Mode& from, const Mode& to) {
    std::vector<RegisterWrite> writes;
    // The settings file writes its PLL section (group 0) before its timing section (group 1).
    for (const int group : {0, 1}) {
        for (std::size_t row = 0; row < to.registers.size(); ++row) {
            const CRegister& reg = to.registers[row];
            if (reg.m_bDriverGroup != group || !SettingsFileHolds(to, row))
                continue;
            if (!SettingsFileHolds(from, row) || from.registers[row].m_nValue != reg.m_nValue)
                writes.push_back({row, reg});
        }
    }
    return writes;
}

std::optional<std::string> ModeSet::NameRefusal(const std::string& name, std::size_t line,
                                                std::size_t index) const {
    if (name.empty())
        return LineText(line) + "a mode needs a name that is not empty";
    const Mode* taken = Find(name);
    if (taken == nullptr || taken == m_modes.data() + index)
        return std::nullopt;
    return LineText(line) + "name \"" + name + "\" already used by " +
           (taken->line == 0 ? std::string("another mode")
                             : "line " + std::to_string(taken->line)) +
           "; accepted: a name of its own";
}

std::optional<std::string> ModeSet::Add(const ModeRequest& request) {
    if (std::optional<std::string> refused =
            NameRefusal(request.name, request.line, m_modes.size()))
        return refused;
    Mode mode = ComputeMode(request.name, request.parameters);
    mode.line = request.line;
    m_modes.push_back(std::move(mode));
    return std::nullopt;
}

void ModeSet::Replace(std::size_t index, const ParameterSet& parameters) {
    // The mode no longer is what its line of a file says.
    m_modes.at(index) = ComputeMode(m_modes.at(index).name, parameters);
}

void ModeSet::Remove(std::size_t index) {
    if (index < m_modes.size())
        m_modes.erase(m_modes.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::string> ModeSet::Rename(std::size_t index, const std::string& name) {
    if (std::optional<std::string> refused = NameRefusal(name, 0, index))
        return refused;
    m_modes.at(index).name = name;
    return std::nullopt;
}

const Mode* ModeSet::Find(std::string_view name) const {
    const auto found = std::find_if(m_modes.begin(), m_modes.end(),
                                    [name](const Mode& mode) { return mode.name == name; });
    return found == m_modes.end() ? nullptr : &*found;
}

ModeSetLoad LoadModeSet(const std::vector<ModeRequest>& requests) {
    ModeSetLoad load;
    for (const ModeRequest& request : requests) {
        if (std::optional<std::string> refused = load.set.Add(request))
            return {ModeSet(), *refused};
    }
    return load;
}
