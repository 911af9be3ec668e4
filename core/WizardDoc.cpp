// New-document initialisation and the recalculation after a change.
// The document is constructed from the parameter defaults (Parameters.cpp).
#include "WizardDoc.h"

bool CKXC2280RegisterWizardDoc::OnNewDocument() {
    m_Registers.clear();
    m_Registers.reserve(kRegisterTable.size());
    for (const RegisterTableRow& row : kRegisterTable)
        m_Registers.push_back(MakeRegister(row));
    CalculatePLL();
    return true;
}

Changes Recalculate(CKXC2280RegisterWizardDoc& doc, UserChange change) {
    Changes changes;
    const bool searchesMinimum = doc.m_bUseMinFreq != 0 && doc.m_bBypassPll == 0;
    if (change == UserChange::ClockSettings) {
        doc.m_dEnteredSystemFreq = doc.m_dTargetSystemFreq;
        changes.clock = true;
    } else if (searchesMinimum) {
        // The minimum clock follows the image request, searched from the target entered.
        doc.m_dTargetSystemFreq = doc.m_dEnteredSystemFreq;
        changes.clock = true;
    }
    // Every warning bit is set again by the runs below.
    doc.m_Contexts[0].m_nWarnings &= ~(kWarnTimingBits | (changes.clock ? kWarnClockBits : 0u));
    if (changes.clock) {
        doc.CalculatePLL();
        if (searchesMinimum)
            changes.foundMinimumMHz = doc.m_dTargetSystemFreq;
    }
    doc.ComputeTiming(false);
    changes.timing = true;
    return changes;
}
