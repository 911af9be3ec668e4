// The seam through which the settings output asks the user: OK message boxes and a Yes/No question.
#pragma once

#include <string_view>

// The GUI shows real message boxes, the command line writes to standard error with a fixed
// answer, tests record. Texts may hold "\n", a line break inside the box.
class IWizardPrompt {
public:
    virtual ~IWizardPrompt() = default;
    // A message box with an OK button; returns when the user has closed it.
    virtual void MessageBoxOk(std::string_view text) = 0;
    // A message box with a question icon and Yes and No buttons; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
};
