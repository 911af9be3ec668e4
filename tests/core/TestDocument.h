// A document as the forms leave it at start-up: form defaults in the image context, registers
// filled.
#pragma once

#include "Parameters.h"

#include <string>
#include <vector>

struct TestDocument : CKXC2280RegisterWizardDoc {
    TestDocument() {
        ApplyImageFormDefaults(m_Contexts[0]);
        OnNewDocument();
    }
    CImageContext& Ctx() { return m_Contexts[0]; }
    std::uint32_t Reg(std::size_t row) const { return m_Registers.at(row).m_nValue; }
};

// Splits at "\r\n"; a bare "\n" stays inside its line.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    lines.push_back(text.substr(start));
    return lines;
}
