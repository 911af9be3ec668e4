// The camera modes of one camera side by side: ordered named parameter sets, each computed in a
// fresh document, and the register writes that switch the camera from one mode to another.
#pragma once

#include "Parameters.h"
#include "RequestCheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one mode gives: the request and the timing it gets. Timing figures are 0 when the timing
// is "n/a".
struct ModeFigures {
    double inputFreqMHz = 0.0;
    double systemFreqMHz = 0.0; // the system clock the timing runs on
    int outputColumns = 0;      // requested
    int outputRows = 0;
    bool skipping = false; // the request allows skipping
    int columnSkip = 1;    // skipping the timing uses
    int rowSkip = 1;
    double requestedFrameRate = 0.0; // frames per second
    double achievedFrameRate = 0.0;  // frames per second, extra delay included
    bool rateMatched = true;
    double rowTimeUs = 0.0;
    int lineLength = 0;  // pixel clocks
    int frameLength = 0; // rows
    double pixelClockHz = 0.0;
    // The longest integration a frame leaves room for: it cannot outlast the frame's rows.
    double maxIntegrationMs = 0.0;
    bool valid = false;
    std::string invalidReason; // why the timing is "n/a"; empty when valid
};

struct Mode {
    std::string name;
    std::size_t line = 0;    // where the mode was read, counted from 1; 0 when not from a file
    ParameterSet parameters; // complete: every parameter the mode runs with
    ModeFigures figures;
    RequestCheck check;
    std::vector<CRegister> registers; // the document's rows, in register table order
    // How the mode's settings file writes its lines.
    bool outputAsRegisters = true;
    bool directAddressing = true;
    bool bypassPll = false;
};

// Runs the parameters in a fresh document, the chain a single command-line run uses.
Mode ComputeMode(std::string name, const ParameterSet& parameters);

// Whether a mode's settings file writes the register of that row: a bypassed PLL leaves out the
// two divider rows.
bool SettingsFileHolds(const Mode& mode, std::size_t row);

// One write of a mode switch: the row's position and the register with the value to write.
struct RegisterWrite {
    std::size_t row;
    CRegister reg;
};

// The writes that take the camera from mode from to mode to, in the settings file's order (its
// PLL section, then its timing section): every register to's settings file holds whose value
// from's settings file does not hold or holds differently. Applying them to from's values gives
// to's values in every register to's file holds.
std::vector<RegisterWrite> ModeSwitch(const Mode& from, const Mode& to);

// A parameter set to compute, as a mode set file gives it.
struct ModeRequest {
    std::string name;
    std::size_t line = 0;
    ParameterSet parameters;
};

// Modes in their order; names are unique. Rows are stable for a table model that shows them.
class ModeSet {
public:
    // Computes and appends a mode; refused (nothing added) when its name is taken or empty. The
    // message names the line of both modes when they have one.
    std::optional<std::string> Add(const ModeRequest& request);
    // Computes parameters in place of the mode at index, which keeps its name and its row.
    void Replace(std::size_t index, const ParameterSet& parameters);
    // An index past the last mode removes nothing.
    void Remove(std::size_t index);
    // Refused (nothing renamed) when the name is empty or another mode has it.
    std::optional<std::string> Rename(std::size_t index, const std::string& name);

    const std::vector<Mode>& Modes() const { return m_modes; }
    // nullptr when no mode has the name.
    const Mode* Find(std::string_view name) const;

private:
    // Why name cannot go to the mode at index (m_modes.size() for a new one), or nothing.
    std::optional<std::string> NameRefusal(const std::string& name, std::size_t line,
                                           std::size_t index) const;

    std::vector<Mode> m_modes;
};

// A whole mode set, or why it was refused: the first request that cannot be added.
struct ModeSetLoad {
    ModeSet set;
    std::string error; // empty when every request was added

    explicit operator bool() const { return error.empty(); }
};

// All requests or none: a refused request leaves the set empty.
ModeSetLoad LoadModeSet(const std::vector<ModeRequest>& requests);
