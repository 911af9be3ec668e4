// Mode switch lines and the register table header, built from the settings writer's lines and
// writes so that both say exactly what the settings files say.
#include "ModeExport.h"

#include "FormatDecimal.h"
#include "SettingsWriter.h"
#include "Version.h"

#include <cmath>
#include <map>

namespace {

constexpr std::string_view kTypes = "#include <stdint.h>\n"
                                    "\n"
                                    "struct qx7r310_reg {\n"
                                    "\tuint16_t addr;\n"
                                    "\tuint32_t val;\n"
                                    "\tuint8_t width; /* bits */\n"
                                    "};\n"
                                    "\n"
                                    "struct qx7r310_mode {\n"
                                    "\tconst char *name;\n"
                                    "\tuint32_t width;\n"
                                    "\tuint32_t height;\n"
                                    "\tuint32_t fps_mhz; /* frame rate in mHz */\n"
                                    "\tuint32_t pixel_clock_hz;\n"
                                    "\tuint32_t line_length; /* pixel clocks */\n"
                                    "\tuint32_t frame_length; /* rows */\n"
                                    "\tconst struct qx7r310_reg *regs;\n"
                                    "\tuint32_t num_regs;\n"
                                    "};\n";

// A C identifier from a mode name: letters in lower case and digits kept, anything else "_".
std::string CName(const std::string& name) {
    std::string id = "qx7r310_";
    for (const char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            id += c;
        else if (c >= 'A' && c <= 'Z')
            id += static_cast<char>(c - 'A' + 'a');
        else
            id += '_';
    }
    return id + "_regs";
}

// A C string literal of the name's bytes. "?" is escaped against trigraphs, and every byte outside
// printable ASCII goes as a three-digit octal escape, which no following digit can extend.
std::string CString(const std::string& name) {
    std::string literal = "\"";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || c == '?') {
            literal += '\\';
            literal += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            literal += '\\';
            for (const int shift : {6, 3, 0})
                literal += static_cast<char>('0' + ((byte >> shift) & 7));
        } else {
            literal += c;
        }
    }
    return literal + "\"";
}

std::string FiguresComment(const std::string& id, const ModeFigures& f) {
    std::string text = "/*\n * " + id + ": input clock " + FormatDecimal(f.inputFreqMHz, 3) +
                       " MHz, system clock " + FormatDecimal(f.systemFreqMHz, 3) + " MHz,\n * " +
                       FormatInt(f.outputColumns) + " x " + FormatInt(f.outputRows);
    if (f.columnSkip != 1 || f.rowSkip != 1)
        text += " (skipping " + FormatInt(f.columnSkip) + " x " + FormatInt(f.rowSkip) + ")";
    text += ", " + FormatDecimal(f.requestedFrameRate, 3) + " fps requested, " +
            FormatDecimal(f.achievedFrameRate, 3) + " fps achieved,\n * row time " +
            FormatDecimal(f.rowTimeUs, 3) + " us, line length " + FormatInt(f.lineLength) +
            ", frame length " + FormatInt(f.frameLength) + " rows\n */\n";
    return text;
}

// Whether writes[k] is the first of the timing section, before which the settings file switches
// on direct addressing in the register form.
bool OpensTimingSection(const std::vector<RegisterWrite>& writes, std::size_t k) {
    return writes[k].reg.m_bDriverGroup && (k == 0 || !writes[k - 1].reg.m_bDriverGroup);
}

std::string WriteRow(const BusWrite& write) {
    return "\t{ " + FormatHex(write.address, 4) + ", " + FormatHex(write.value, 4) + ", " +
           FormatInt(write.bits) + " },\n";
}

// The array of one mode: what the register form of its settings file writes, in order.
std::string RegisterArray(const std::string& id, const Mode& mode) {
    std::string text =
        FiguresComment(id, mode.figures) + "static const struct qx7r310_reg " + id + "[] = {\n";
    // Every register the mode's settings file holds: the switch from a mode that holds none.
    const std::vector<RegisterWrite> writes = ModeSwitch(Mode(), mode);
    for (std::size_t k = 0; k < writes.size(); ++k) {
        if (mode.directAddressing && OpensTimingSection(writes, k))
            text += WriteRow(DirectAddressingWrite());
        for (const BusWrite& bus : RegisterFormWrites(writes[k].reg, mode.directAddressing))
            text += WriteRow(bus);
    }
    return text + "};\n\n";
}

std::string DescriptionRow(const std::string& id, const Mode& mode) {
    const ModeFigures& f = mode.figures;
    return "\t{ " + CString(mode.name) + ", " + FormatInt(f.outputColumns) + ", " +
           FormatInt(f.outputRows) + ", " + FormatInt(std::llround(f.achievedFrameRate * 1000.0)) +
           ", " + FormatInt(std::llround(f.pixelClockHz)) + ", " + FormatInt(f.lineLength) + ", " +
           FormatInt(f.frameLength) + ", " + id + ", sizeof(" + id + ") / sizeof(" + id +
           "[0]) },\n";
}

} // namespace

std::string ModeSwitchLines(const std::vector<RegisterWrite>& writes, bool outputAsRegisters,
                            bool directAddressing) {
    std::string lines;
    for (std::size_t k = 0; k < writes.size(); ++k) {
        if (outputAsRegisters && directAddressing && OpensTimingSection(writes, k))
            lines += DirectAddressingLine();
        lines += RegisterLines(writes[k].reg, outputAsRegisters, directAddressing);
    }
    return lines;
}

RegisterTableHeader MakeRegisterTableHeader(const ModeSet& modes) {
    RegisterTableHeader header;
    std::map<std::string, std::string> names; // C name to the mode name that took it
    std::string arrays;
    std::string descriptions;
    for (const Mode& mode : modes.Modes()) {
        if (!mode.figures.valid) {
            header.leftOut.push_back("mode \"" + mode.name + "\" left out of the register table: " +
                                     mode.figures.invalidReason + ": the timing is n/a");
            continue;
        }
        const std::string id = CName(mode.name);
        if (const auto [taken, added] = names.try_emplace(id, mode.name); !added) {
            header.error = "modes \"" + taken->second + "\" and \"" + mode.name +
                           "\" both give the C name " + id + "; accepted: names that differ in " +
                           "more than case and punctuation";
            return header;
        }
        arrays += RegisterArray(id, mode);
        descriptions += DescriptionRow(id, mode);
    }
    if (descriptions.empty()) {
        header.error = "no mode has a timing to export: every timing is n/a";
        return header;
    }
    header.text = "/* " + std::string(kAppTitle) + ", " + GetVersionText() +
                  ": register table of the camera modes. */\n#ifndef QX7R310_MODES_H\n"
                  "#define QX7R310_MODES_H\n\n" +
                  std::string(kTypes) + "\n" + arrays +
                  "static const struct qx7r310_mode qx7r310_modes[] = {\n" + descriptions +
                  "};\n\n#endif /* QX7R310_MODES_H */\n";
    return header;
}
