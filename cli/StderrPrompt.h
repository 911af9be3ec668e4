// The command line's answer to the settings output's messages and question, on standard error.
#pragma once

#include "WizardPrompt.h"

#include <iostream>
#include <string>

// Messages go to standard error after a prefix naming the tool (and the batch line); the one
// question, whether to use the standard INI file, is answered Yes because the user asked for the
// splice by naming the file. A batch line computed ahead gives a string stream, which standard
// error gets in the line's turn.
class StderrPrompt : public IWizardPrompt {
public:
    explicit StderrPrompt(std::string prefix, std::ostream& out = std::cerr)
        : m_prefix(std::move(prefix)), m_out(out) {}

    void MessageBoxOk(std::string_view text) override { m_out << m_prefix << text << '\n'; }
    bool AskYesNo(std::string_view text) override {
        m_out << m_prefix << text << " Yes\n";
        return true;
    }

private:
    std::string m_prefix;
    std::ostream& m_out;
};
