// The document's clock side: the PLL request, the search's result in registers 0 and 1, the clock
// summary and the clock report.
#include "PllCalc.h"

#include "FormatDecimal.h"
#include "SettingsEcho.h"
#include "WizardDoc.h"

#include <cmath>
#include <stdexcept>

namespace {

std::string FD(double x, int n) {
    return FormatDecimal(x, n);
}

std::uint32_t PllDividersValue(const PllChoice& c) {
    return static_cast<std::uint32_t>(((c.n & 0x3F) << 8) | (c.m & 0xFF));
}

std::uint32_t PllPDividersValue(const PllChoice& c) {
    return static_cast<std::uint32_t>(((c.d - 1) & 0xF) << 8);
}

// The echo of the clock inputs written to the settings file.
std::string ClockSummary(const CKXC2280RegisterWizardDoc& doc) {
    std::string summary = "Bypass PLL: Unchecked\r\n";
    for (const EchoLine& line : kClockEcho)
        if (!(doc.m_bUseMinFreq && line.parameter == ParameterIndex("systemFreqMHz")))
            summary += std::string(line.label) + EchoValueText(line, &doc, nullptr) + "\r\n";
    summary += "\r\n";
    return summary;
}

// The clock report for the chosen candidate; sets the warning bits of what it cannot match.
std::string ClockReport(const CKXC2280RegisterWizardDoc& doc, double finMHz, double targetMHz,
                        const PllChoice& c, std::uint32_t& warnings) {
    std::string report = "Target System Frequency: " + FD(targetMHz, 3) + " MHz";
    if (doc.m_bUseMinFreq)
        report += "\r\n     (using minimum based on image timing requirements)";
    report += "\r\nInput Clock Frequency: " + FD(finMHz, 3) + " MHz";
    if (!FrequenciesMatch(finMHz, doc.m_dInputFreq)) {
        report += "  (cannot match)";
        warnings |= kWarnInputFreq;
    }
    report += "\r\n";
    report += "\r\nActual Output Frequency: " + FD(c.foutMHz / 2, 3) + " MHz";
    if (!doc.m_bUseMinFreq && !FrequenciesMatch(targetMHz, c.foutMHz)) {
        // The bare line feed is part of the established report text.
        report += "  (cannot match)\n(Suggested System Frequency:" + FD(c.foutMHz, 3) + " MHz)";
        warnings |= kWarnSystemFreq;
    }
    report += "\r\n";
    report += "\r\nM = " + FD(c.m, 0);
    report += "\r\nN = " + FD(c.n, 0);
    report += "\r\nFpdf = " + FD(c.fpdfMHz, 3) + " MHz";
    report += "\r\nFvco = " + FD(c.fvcoMHz, 3) + " MHz";
    report += "\r\nP3 = " + FD(c.d - 1, 0);
    if (doc.m_dTargetVcoFreq != -1.0 && !FrequenciesMatch(doc.m_dTargetVcoFreq, c.fvcoMHz)) {
        report += "  (cannot match)";
        warnings |= kWarnVcoFreq;
    }
    return report;
}

} // namespace

PllRequest PllRequestOf(const CKXC2280RegisterWizardDoc& doc) {
    return {doc.m_dInputFreq, doc.m_dTargetSystemFreq, doc.m_dTargetVcoFreq, doc.m_nPllM,
            doc.m_nPllN};
}

void CKXC2280RegisterWizardDoc::CalculatePLL() {
    const double finMHz = ClampPllInput(m_dInputFreq);
    if (m_bBypassPll) {
        m_dTargetSystemFreq = finMHz;
        m_strClockSummary = "Bypass PLL: Checked\r\n\r\n";
        m_strClockReport = "PLL Bypassed: System Output Clock = " + FD(finMHz / 2, 3) + " MHz";
    } else {
        if (m_Registers.size() <= kRowPllPDividers)
            throw std::invalid_argument("CalculatePLL: the register list lacks the PLL rows");
        if (m_bUseMinFreq) {
            // The lowest clock that still gives the requested frame rate becomes the target; when
            // none does, the target stays as entered.
            if (const std::optional<double> minimum =
                    FindMinimumSystemFreq(PllRequestOf(*this), m_Contexts[0]))
                m_dTargetSystemFreq = *minimum;
        }
        const double targetMHz = m_dTargetSystemFreq;
        const PllChoice choice = SearchPll(finMHz, targetMHz, m_dTargetVcoFreq, m_nPllM, m_nPllN);
        m_Registers[kRowPllDividers].m_nValue = PllDividersValue(choice);
        m_Registers[kRowPllPDividers].m_nValue = PllPDividersValue(choice);
        m_strClockSummary = ClockSummary(*this);
        m_strClockReport = ClockReport(*this, finMHz, targetMHz, choice, m_Contexts[0].m_nWarnings);
    }
}
