// New-document initialisation, the process-wide announced clock and the forms' recalculations.
// The document is constructed from the parameter defaults (Parameters.cpp).
#include "WizardDoc.h"

double CKXC2280RegisterWizardDoc::s_dLastSystemFreq = 0.0;

bool CKXC2280RegisterWizardDoc::OnNewDocument() {
    m_Registers.clear();
    m_Registers.reserve(kRegisterTable.size());
    for (const RegisterTableRow& row : kRegisterTable)
        m_Registers.push_back(MakeRegister(row));
    CalculatePLL();
    return true;
}

void RecalculateClocks(CKXC2280RegisterWizardDoc& doc) {
    doc.m_Contexts[0].m_nWarnings &= ~kWarnClockBits;
    doc.CalculatePLL();
    doc.ComputeTiming(false);
}

void RecalculateTiming(CKXC2280RegisterWizardDoc& doc) {
    doc.m_Contexts[0].m_nWarnings &= ~kWarnTimingBits;
    doc.ComputeTiming(false);
}
