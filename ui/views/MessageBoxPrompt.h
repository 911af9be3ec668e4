// The settings output's questions and notices shown through the program's message boxes.
#pragma once

#include "WizardPrompt.h"

// OK boxes and Yes/No questions of the settings writer and the standard INI splice, shown with
// AfxMessageBox (so tests record them instead).
class CMessageBoxPrompt : public IWizardPrompt {
public:
    void MessageBoxOk(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
};
