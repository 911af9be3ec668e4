// The "Modes" page: the camera modes side by side, the registers each one writes with what
// differs from a reference mode marked, and the writes that switch the camera between two modes.
#pragma once

#include "ModeSetDocument.h"
#include "ViewContext.h"
#include "WizardMessage.h"

#include <QPointer>
#include <QWidget>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class CChangedOnlyProxy;
class CModeRegisterModel;
class CModeTableModel;

// Sent by the Modes page to the main frame. wParam = address of the ParameterSet of the mode to
// put into the forms, valid only during the call; the document takes it as it takes an opened
// settings file.
inline constexpr unsigned WM_WIZ_OPEN_MODE = 0x430;
// Sent by the Modes page to the main frame. wParam = address of the std::string of settings-file
// lines of the shown mode switch, valid only during the call; the user picks a file for them.
inline constexpr unsigned WM_WIZ_SAVE_MODE_SWITCH = 0x431;

class CModesView : public CWndT<QWidget> {
public:
    explicit CModesView(const CViewContext& context, QWidget* parent = nullptr);

    // The set the page shows and edits; the File menu's mode set commands work on it.
    CModeSetDocument& Modes() { return m_modes; }

    // "Add Current Mode": the document's parameters as a new mode.
    void AddCurrentMode();
    // "Replace with Current": the selected mode computed again from the document's parameters.
    void ReplaceWithCurrent();
    void RemoveSelected();
    // Starts editing the selected mode's name in the table.
    void RenameSelected();
    // "Open in Forms": the selected mode's parameters go to the forms through the main frame.
    void OpenSelectedInForms();
    // The row of the selected mode, or -1.
    int SelectedRow() const;

    // The settings-file lines that switch from the "from" mode to the "to" mode, as the pane
    // shows them (with line feeds); empty when a mode is missing or its timing is "n/a".
    QString SwitchText() const;

    QTableView* ModeTable() const { return m_modeTable; }
    QTableView* Grid() const { return m_grid; }
    CModeRegisterModel* GridModel() const { return m_gridModel; }
    QCheckBox* ChangedOnlyBox() const { return m_changedOnly; }
    QComboBox* ReferenceBox() const { return m_reference; }
    QComboBox* FromBox() const { return m_from; }
    QComboBox* ToBox() const { return m_to; }
    QPlainTextEdit* SwitchPane() const { return m_switchPane; }
    QLabel* SwitchNote() const { return m_switchNote; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The mode names into the three boxes, keeping each one's choice where the mode is still there.
    void FillModeBoxes();
    // The switch pane and its note for the two modes chosen.
    void UpdateSwitch();
    void UpdateButtons();

    CKXC2280RegisterWizardDoc* m_pDoc;
    QPointer<QObject> m_mainFrame;
    CModeSetDocument m_modes;
    CModeTableModel* m_modeModel;
    CModeRegisterModel* m_gridModel;
    CChangedOnlyProxy* m_proxy;
    QTableView* m_modeTable;
    QTableView* m_grid;
    QComboBox* m_reference;
    QCheckBox* m_changedOnly;
    QComboBox* m_from;
    QComboBox* m_to;
    QPlainTextEdit* m_switchPane;
    QLabel* m_switchNote;
    QPushButton* m_add;
    QPushButton* m_replace;
    QPushButton* m_remove;
    QPushButton* m_rename;
    QPushButton* m_openInForms;
    QPushButton* m_copy;
    QPushButton* m_save;
    std::string m_switchLines; // what the pane shows, with the settings file's line ends
};
