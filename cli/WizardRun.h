// One run of the wizard for a parameter set, as one process of the command-line wizard makes it:
// a new document, the forms' recalculation chain, then what File > Save writes, or its JSON.
#pragma once

#include "Parameters.h"
#include "RequestCheck.h"
#include "SettingsWriter.h"

#include <string>
#include <vector>

enum class RunOutput {
    SettingsFile, // the bytes File > Save writes
    Json,         // every parameter and result, the settings file included, indented
    JsonLine,     // the same on one line, with the batch line's name first
};

struct WizardRun {
    std::string error; // why nothing could be written (the settings file itself failed)
    RequestCheck check;
    // A settings file was asked for and the check refused the request: there are no bytes.
    bool refused = false;
    SerializeResult result = SerializeResult::PlainFile;
    std::string bytes; // what the run writes
};

// A new document runs the recalculation chain for the parameters (RunNewDocument) and checks the
// request. A settings file is refused when the timing is "n/a", or when strict and the request was
// adjusted; the JSON reports the check instead. name is the batch line's name, for
// RunOutput::JsonLine.
WizardRun RunWizard(const ParameterSet& parameters, IWizardPrompt& prompt, RunOutput output,
                    bool strict, const std::string& name = {});

// The lines standard error gets for a run's check, without the program's prefix: a warning for
// each adjustment, then why nothing was written when the run was refused.
std::vector<std::string> CheckMessages(const WizardRun& run);

// The same for a report (--list-pll): a warning for each adjustment and each reason the timing is
// "n/a".
std::vector<std::string> ReportCheckMessages(const RequestCheck& check);
