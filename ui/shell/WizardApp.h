// The application object: start-up, per-user settings, recent files, the About command.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class CMainFrame;
class CWizardDocTemplate;

inline constexpr const char* kRegistryKey = "Velmora";
inline constexpr const char* kRecentFileSection = "Recent File List";

class CKXC2280RegisterWizardApp : public QObject {
    Q_OBJECT

public:
    CKXC2280RegisterWizardApp();
    ~CKXC2280RegisterWizardApp() override;

    // Start-up: platform services, settings key, recent files, document template, command line
    // (arguments without the program name), then the main window placed and shown. False ends
    // the program.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* GetMainWnd() const;
    CWizardDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    const QStringList& GetRecentFiles() const { return m_recentFiles; }

    // Help > About: the About box, modally.
    void OnAppAbout();
    // A recent-file entry was chosen: opens it, or drops it from the list when its file cannot be
    // opened.
    void OnOpenRecentFile(const QString& path);
    // Puts path at the top of the recent-file list and stores the list.
    void AddToRecentFileList(const QString& path);

private:
    void SetRegistryKey(const char* company);
    void LoadStdProfileSettings(int maxRecentFiles);
    void SaveStdProfileSettings() const;
    bool ProcessShellCommand(const QStringList& arguments);

    std::unique_ptr<CWizardDocTemplate> m_pDocTemplate;
    QStringList m_recentFiles;
    int m_maxRecentFiles = 0;
};
