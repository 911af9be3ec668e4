// The main window: menu, toolbar, status bar, the tabbed layout, and the wizard's switchboard.
#pragma once

#include "KeyLocks.h"
#include "Parameters.h"
#include "VisualFramework.h"
#include "WindowClass.h"
#include "WizardMessage.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

class CMainFrame : public CWndT<QMainWindow>, public TFrameWnd {
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the layout of tree, tab window and pages; views are tied to the document by context.
    bool OnCreateClient(CCreateContext* context);
    // Sends WM_WIZ_SET_DEFAULTS to the clock form, the full timing form and the register view.
    void OnSetDefaults();
    // After a settings file was read into the document: sends WM_WIZ_RESTORE_PARAMETERS with the
    // parameters it gave to the same views in the same order, and shows the first page.
    void OnRestoreParameters(const ParameterSet& given);
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // Tears the layout down; the frame's own destruction calls it too.
    void OnDestroy();

    void SetClientWindow(QWidget* window) override;
    void SetActiveView(QWidget* view, bool notify = true) override;
    QWidget* GetActiveView() const override { return m_activeView; }

    TVisualFramework& GetFramework() { return m_Framework; }
    // The action of a command id (menu, toolbar or accelerator), or none.
    QAction* GetCommand(int id) const;
    // The toolbar's commands from left to right; 0 stands for a separator.
    std::vector<int> GetToolBarCommands() const;
    QToolBar* GetToolBar() const { return m_wndToolBar; }
    QStatusBar* GetStatusBar() const { return m_wndStatusBar; }
    // The text of the status bar's message pane.
    QString GetMessageText() const;
    // Shows text in the message pane until the next prompt or help text replaces it.
    void SetMessageText(const QString& text);
    // Shows a note in the message pane that stays until the user next presses a key or a mouse
    // button; an empty note shows the idle message.
    void ShowNote(const QString& note);
    // Puts the recent-file entries in place of the File menu's "Recent File" entry.
    void SetRecentFiles(const QStringList& paths);
    // Applies the enable state that the command update handlers give.
    void UpdateCommandStates();
    // Shows whether the document splices its settings into a standard INI file.
    void SetStandardIniInUse(bool inUse);

    // After the views' initial update: the tree marks its first item, so its page is shown.
    void InitialUpdateFrame();
    // Before saving: every form takes the texts of its edits; at the first one it refuses, its
    // page comes forward and the form prompts. False when a text was refused.
    bool CommitEdits();
    // The lock indicators of the status bar, by their indicator ids.
    QLabel* GetIndicator(int id) const;
    // Asked when the window is about to close; false keeps it open.
    void SetCanClose(std::function<bool()> canClose) { m_canClose = std::move(canClose); }

signals:
    // A recent-file entry was chosen.
    void RecentFileChosen(const QString& path);
    // Help > About was chosen.
    void AboutRequested();
    // File > Open was chosen.
    void OpenRequested();
    // File > Save and File > Save As were chosen.
    void SaveRequested();
    void SaveAsRequested();
    // File > Open Mode Set, Save Mode Set and Export Register Table were chosen.
    void OpenModeSetRequested();
    void SaveModeSetRequested();
    void ExportRegisterTableRequested();
    // The Modes page asks to put a mode's parameters into the forms, or to save a mode switch's
    // settings-file lines; both live only during the signal.
    void OpenModeRequested(const ParameterSet& parameters);
    void SaveModeSwitchRequested(const std::string& lines);
    // File > Export Timing Diagram was chosen.
    void ExportDiagramRequested();
    // File > Print, Print Preview and Export Mode Sheet (PDF) were chosen.
    void PrintRequested();
    void PrintPreviewRequested();
    void ExportModeSheetRequested();
    // File > Use Standard INI File was chosen, to turn the use on or off.
    void StandardIniRequested(bool use);
    // File > Set Defaults put the defaults into the document: a change even where they were there.
    void DefaultsSet();
    // A view recalculated or changed the document: the title's modified mark may change.
    void DocumentChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Watches the application's input while a note is held.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, int id, const QString& text,
                        const QList<QKeySequence>& shortcuts = {});
    void CreateMenus();
    void CreateFileMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void ShowTab(int objectId);
    // Shows the page at index of the page table in the tab window and in the tree alike.
    void ShowPage(int index);
    // Moves the keyboard focus between the tree and the shown page.
    void SwitchPane();
    // Shows the page step places after the shown one, round the page table.
    void StepPage(int step);
    // Each indicator shows its text while its lock is on; greyed where the state is unknown.
    void UpdateKeyIndicators();
    // After a page switch: the help text of the page's focused control, or the idle message.
    void ShowPageHint(int index);
    // Enables each Edit command where it would act on the focused control.
    void UpdateEditCommands();
    // Follows the control that now has the focus, its selection and its text.
    void WatchFocusedControl(QWidget* old, QWidget* now);

    TVisualFramework m_Framework;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    std::map<int, QLabel*> m_indicators;
    CKeyLockState m_keyLocks;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    std::map<int, QAction*> m_commands;
    QPointer<QWidget> m_activeView;
    bool m_bStandardIniInUse = false;
    bool m_bDestroyed = false;
    std::function<bool()> m_canClose;
    QPointer<QWidget> m_editTarget; // the control the Edit commands act on: the last one focused
    std::vector<QMetaObject::Connection> m_focusWatch; // its signals
    bool m_bNoteHeld = false; // the message pane keeps a note until the user's next input
};
