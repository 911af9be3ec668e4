// Document construction, new-document initialisation and the process-wide announced clock.
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
