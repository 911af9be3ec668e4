// The prompt of the settings output as tests and benchmarks use it: it records, it never asks.
#pragma once

#include "WizardPrompt.h"

#include <string>
#include <vector>

// Records every message box and answers the Yes/No question with a fixed answer.
class RecordingPrompt : public IWizardPrompt {
public:
    explicit RecordingPrompt(bool answerYes = true) : m_answerYes(answerYes) {}

    void MessageBoxOk(std::string_view text) override { messages.emplace_back(text); }
    bool AskYesNo(std::string_view text) override {
        questions.emplace_back(text);
        return m_answerYes;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;

private:
    bool m_answerYes;
};
