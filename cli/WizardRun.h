// One run of the wizard for a parameter set, as one process of the command-line wizard makes it:
// a new document, the forms' recalculation chain, then what File > Save writes, or its JSON.
#pragma once

#include "Parameters.h"
#include "SettingsWriter.h"

#include <string>

enum class RunOutput {
    SettingsFile, // the bytes File > Save writes
    Json,         // every parameter and result, the settings file included, indented
    JsonLine,     // the same on one line, with the batch line's name first
};

struct WizardRun {
    std::string error; // why nothing could be written (the settings file itself failed)
    SerializeResult result = SerializeResult::PlainFile;
    std::string bytes; // what the run writes
};

// A new document runs the recalculation chain for the parameters (RunNewDocument). name is the
// batch line's name, for RunOutput::JsonLine.
WizardRun RunWizard(const ParameterSet& parameters, IWizardPrompt& prompt, RunOutput output,
                    const std::string& name = {});
