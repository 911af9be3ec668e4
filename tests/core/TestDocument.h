// A document as the forms leave it at start-up: form defaults in the image context, registers
// filled.
#pragma once

#include "WizardDoc.h"

#include <string>
#include <vector>

inline void ApplyImageFormDefaults(CImageContext& ctx) {
    ctx.m_dFrameRate = 30.0;
    ctx.m_nOutputColumns = 640;
    ctx.m_nOutputRows = 480;
    ctx.m_nHBlank = 500;
    ctx.m_nVBlank = 500;
    ctx.m_bAllowSkipping = 0;
    ctx.m_bLowPower = 0;
    ctx.m_nBlankingMode = 0;
}

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
