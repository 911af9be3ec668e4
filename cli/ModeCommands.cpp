// Reading a mode set from the --batch file (all lines or none), writing its register table, and
// comparing two modes or settings files.
#include "ModeCommands.h"

#include "AtomicSave.h"
#include "InputFile.h"
#include "MessageText.h"
#include "ModeExport.h"
#include "ModeSetFile.h"
#include "ParameterJson.h"
#include "SettingsRegisterValues.h"
#include "SettingsWriter.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <utility>
#include <variant>

namespace {

using Json = nlohmann::ordered_json;

void Say(const std::string& message) {
    std::cerr << kCliName << ": " << OneLine(message) << '\n';
}

// Writes text to standard output; status, or kExitWriteFailed when it could not be written.
int Print(const std::string& text, int status) {
    std::cout << text << std::flush;
    if (!std::cout) {
        Say("cannot write to standard output");
        return kExitWriteFailed;
    }
    return status;
}

// A settings file read as --from reads it, over --params and under the options. Its registers
// are the values its lines write: a parameter it does not echo would make recomputed ones differ.
std::variant<Mode, std::string> ModeOfSettingsFile(const CliRequest& request,
                                                   const std::string& path) {
    ParameterArguments file = request.arguments;
    file.paramsPath.reset(); // already in the base
    file.fromPath = path;
    if (std::optional<std::string> refused = file.ReadFiles()) {
        // The reader names the option it serves.
        constexpr std::string_view kFromPrefix = "option --from: ";
        if (refused->starts_with(kFromPrefix))
            return "option --diff: " + refused->substr(kFromPrefix.size());
        return *refused;
    }
    Mode mode = ComputeMode(path, file.Complete(file.base));
    std::string bytes;
    if (std::optional<std::string> unreadable = ReadInputFile(path, bytes))
        return "option --diff: " + *unreadable;
    const auto values = ReadSettingsRegisterValues(bytes);
    for (std::size_t row = 0; row < std::min(values.size(), mode.registers.size()); ++row)
        if (values[row])
            mode.registers[row].m_nValue = *values[row];
    return mode;
}

// The mode of a name given to option.
std::variant<Mode, std::string> ModeNamed(const ModeSet& modes, const CliRequest& request,
                                          const std::string& name, std::string_view option) {
    if (const Mode* mode = modes.Find(name))
        return *mode;
    std::string accepted;
    for (const Mode& mode : modes.Modes())
        accepted += (accepted.empty() ? "" : ", ") + QuoteValue(mode.name);
    return "option " + std::string(option) + ": no mode " + QuoteValue(name) + " in " +
           InputName(request.batchPath) + "; accepted: " + accepted;
}

// The two operands of option (--diff or --switch) as modes, or why they cannot be had.
std::variant<std::pair<Mode, Mode>, std::string>
ModeOperands(const CliRequest& request, const std::vector<std::string>& operands,
             std::string_view option) {
    std::vector<Mode> sides;
    std::optional<ModeSet> modes;
    if (!request.batchPath.empty()) {
        auto read = ReadModeSetFile(request.batchPath, request.arguments);
        if (const std::string* refused = std::get_if<std::string>(&read))
            return *refused;
        modes = std::move(std::get<ModeSet>(read));
    }
    for (const std::string& operand : operands) {
        auto side = modes ? ModeNamed(*modes, request, operand, option)
                          : ModeOfSettingsFile(request, operand);
        if (const std::string* refused = std::get_if<std::string>(&side))
            return *refused;
        sides.push_back(std::move(std::get<Mode>(side)));
    }
    return std::pair(std::move(sides[0]), std::move(sides[1]));
}

// The differing parameters ({key, a, b}) and registers, in table order.
Json Differences(const Mode& a, const Mode& b) {
    Json parameters = Json::array();
    const Json pa = ParametersJson(a.parameters);
    const Json pb = ParametersJson(b.parameters);
    for (const auto& [key, value] : pa.items())
        // A second name of a field (blanking beside blankingMode) would repeat the difference.
        if (value != pb[key] && *FindParameter(key)->sameFieldAs == '\0')
            parameters.push_back({{"key", key}, {"a", value}, {"b", pb[key]}});
    Json registers = Json::array();
    for (std::size_t row = 0; row < std::min(a.registers.size(), b.registers.size()); ++row) {
        const CRegister& ra = a.registers[row];
        const CRegister& rb = b.registers[row];
        if (ra.m_nValue == rb.m_nValue)
            continue;
        registers.push_back(
            {{"name", ra.m_strName},
             {"addressHex", FormatHex(static_cast<std::uint32_t>(ra.m_nAddress), 4)},
             {"a", ra.m_nValue},
             {"b", rb.m_nValue},
             {"aHex", FormatHex(ra.m_nValue, ra.GetHexDigits())},
             {"bHex", FormatHex(rb.m_nValue, rb.GetHexDigits())}});
    }
    return {{"a", a.name}, {"b", b.name}, {"parameters", parameters}, {"registers", registers}};
}

// One line per difference: "key: a -> b", then "name address: a -> b".
std::string DiffText(const Json& diff) {
    std::string text;
    for (const Json& p : diff["parameters"])
        text += p["key"].get<std::string>() + ": " + p["a"].dump() + " -> " + p["b"].dump() + "\n";
    for (const Json& r : diff["registers"])
        text += r["name"].get<std::string>() + " " + r["addressHex"].get<std::string>() + ": " +
                r["aHex"].get<std::string>() + " -> " + r["bHex"].get<std::string>() + "\n";
    return text;
}

} // namespace

int WriteRegisterTable(const CliRequest& request) {
    auto read = ReadModeSetFile(request.batchPath, request.arguments);
    if (const std::string* refused = std::get_if<std::string>(&read)) {
        Say(*refused);
        return kExitBadUsage;
    }
    const ModeSet& modes = std::get<ModeSet>(read);
    const std::string input = InputName(request.batchPath);
    for (const Mode& mode : modes.Modes())
        for (const std::string& adjusted : mode.check.adjusted)
            Say(input + " line " + std::to_string(mode.line) + ": warning: " + adjusted);
    const RegisterTableHeader header = MakeRegisterTableHeader(modes);
    for (const std::string& message : header.leftOut)
        Say(message);
    if (!header.error.empty()) {
        Say(header.error);
        return header.leftOut.size() == modes.Modes().size() ? kExitRequestRefused : kExitBadUsage;
    }
    if (const SaveResult saved = SaveFileAtomically(request.registerTablePath, header.text);
        !saved) {
        Say(saved.message);
        return kExitWriteFailed;
    }
    return header.leftOut.empty() ? kExitOk : kExitWriteFailed;
}

int DiffModes(const CliRequest& request) {
    auto operands = ModeOperands(request, request.diff, "--diff");
    if (const std::string* refused = std::get_if<std::string>(&operands)) {
        Say(*refused);
        return kExitBadUsage;
    }
    const auto& [a, b] = std::get<std::pair<Mode, Mode>>(operands);
    const Json diff = Differences(a, b);
    if (diff["parameters"].empty() && diff["registers"].empty())
        return kExitOk;
    const std::string text = request.json
                                 ? diff.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"
                                 : DiffText(diff);
    return Print(text, kExitDiffer);
}

int PrintModeSwitch(const CliRequest& request) {
    auto operands = ModeOperands(request, request.modeSwitch, "--switch");
    if (const std::string* refused = std::get_if<std::string>(&operands)) {
        Say(*refused);
        return kExitBadUsage;
    }
    const auto& [from, to] = std::get<std::pair<Mode, Mode>>(operands);
    for (const Mode* mode : {&from, &to})
        if (!mode->figures.valid) {
            Say("mode " + QuoteValue(mode->name) + ": " + mode->figures.invalidReason +
                ": the timing is n/a");
            return kExitRequestRefused;
        }
    return Print(ModeSwitchLines(ModeSwitch(from, to), to.outputAsRegisters, to.directAddressing),
                 kExitOk);
}
