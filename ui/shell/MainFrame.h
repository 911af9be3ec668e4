// The main window: menu, toolbar, status bar, the tabbed layout, and the wizard's switchboard.
#pragma once

#include "VisualFramework.h"
#include "WindowClass.h"
#include "WizardMessage.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class CWizardDocTemplate;

class CMainFrame : public CWndT<QMainWindow>, public TFrameWnd {
    Q_OBJECT

public:
    explicit CMainFrame(CWizardDocTemplate* docTemplate = nullptr);
    ~CMainFrame() override;

    // Builds the layout of tree, tab window and pages; views are tied to the document by context.
    bool OnCreateClient(CCreateContext* context);
    // Sends WM_WIZ_SET_DEFAULTS to the clock form, the full timing form and the register view.
    void OnSetDefaults();
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
    // Puts the recent-file entries in place of the File menu's "Recent File" entry.
    void SetRecentFiles(const QStringList& paths);
    // Applies the enable state that the command update handlers give.
    void UpdateCommandStates();

signals:
    // A recent-file entry was chosen.
    void RecentFileChosen(const QString& path);
    // Help > About was chosen.
    void AboutRequested();

private:
    QAction* AddCommand(QMenu* menu, int id, const QString& text,
                        const QList<QKeySequence>& shortcuts = {});
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ShowTab(int objectId);
    // Moves the keyboard focus between the tree and the shown page.
    void SwitchPane();
    void OnStandardIni(bool checked);

    TVisualFramework m_Framework;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    std::map<int, QAction*> m_commands;
    QPointer<QWidget> m_activeView;
    CWizardDocTemplate* m_pTemplate;
    bool m_bDestroyed = false;
};
