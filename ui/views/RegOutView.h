// The "Register Output" page: the IFP and driver register lists and the settings-file output form.
#pragma once

#include "EditCommands.h"
#include "Register.h"
#include "WizardFormView.h"

#include <string>
#include <vector>

inline constexpr int IDD_REGISTER_OUTPUT = 1;
inline constexpr int IDC_IFP_REGISTER_LIST = 1000;
inline constexpr int IDC_DRIVER_REGISTER_LIST = 1001;
inline constexpr int IDC_IFP_REGISTERS_LABEL = 1154;
inline constexpr int IDC_DRIVER_REGISTERS_LABEL = 1166;
inline constexpr int IDC_OUTPUT_AS_REGISTERS = 1127;
inline constexpr int IDC_INDIRECT_ADDRESSING = 1155;
inline constexpr int IDC_DIRECT_ADDRESSING = 1156;

// One register list as the page shows it: column titles and the rows' cells.
struct RegisterListText {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// The IFP list (driver false: name, address, hex and decimal value) or the driver list (name, id,
// offset, hex and decimal value) of registers, in their order.
RegisterListText RegisterListOf(const std::vector<CRegister>& registers, bool driver);

class QTableWidget;

class CRegOutView : public CWizardFormView, public ICopySource {
public:
    explicit CRegOutView(const CViewContext& context, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Rebuilds both lists from the document's register list.
    void FillRegisterLists();

    // Copy in a list puts its selected rows (all rows when none is selected) on the clipboard as
    // the settings file writes them, in the current output form and addressing, and as
    // tab-separated text for spreadsheets.
    bool CopiesFrom(const QWidget* control) const override;
    void CopyFrom(QWidget* control) override;

protected:
    void OnNotify(int id, Notify code) override;
    void showEvent(QShowEvent* event) override;

private:
    // Output form and addressing from the document where a settings file gave them; both lists
    // refilled.
    void RestoreParameters(const ParameterSet& given);
    // The addressing choice applies to the register form only.
    void EnableAddressing();
};
