// What leaves the wizard for a mode set: the settings-file lines of a mode switch, and the C
// header of every valid mode's register writes for firmware and drivers.
#pragma once

#include "ModeSet.h"

#include <string>
#include <vector>

// The settings-file lines of a mode switch's writes in the output form and addressing given,
// each as the settings file writes that register. In the register form with direct addressing
// the line that switches it on opens the timing section's writes, as in the settings file.
std::string ModeSwitchLines(const std::vector<RegisterWrite>& writes, bool outputAsRegisters,
                            bool directAddressing);

struct RegisterTableHeader {
    std::string text;                 // the header; empty when refused
    std::vector<std::string> leftOut; // one message per mode left out because its timing is n/a
    std::string error;                // why no header was made; empty when it was
};

// One C header (C99 and C++): per valid mode a static const array of {address, value, width in
// bits}, the writes of its settings file's register form in its addressing, under a comment with
// the mode's figures; then an array describing every valid mode. Refused when no mode is valid or
// two names give one C name.
RegisterTableHeader MakeRegisterTableHeader(const ModeSet& modes);
