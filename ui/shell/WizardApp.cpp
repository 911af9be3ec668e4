// Application start-up in its fixed order, and the per-user recent-file list.
#include "WizardApp.h"

#include "AboutDlg.h"
#include "CommonControls.h"
#include "DocTemplate.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "ShellIds.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>

namespace {
constexpr QPoint kWindowPosition(50, 50);
constexpr QSize kWindowSize(840, 860); // outer size, frame included

// A file's entry in the recent-file list: its absolute path in the platform's own form (C:\... on
// Windows), as the File menu shows it and the registry keeps it; one file, one entry.
QString RecentFileEntry(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
} // namespace

CKXC2280RegisterWizardApp::CKXC2280RegisterWizardApp() = default;

CKXC2280RegisterWizardApp::~CKXC2280RegisterWizardApp() = default;

bool CKXC2280RegisterWizardApp::InitInstance(const QStringList& arguments) {
    // The widgets need the GUI application; without it no window, not even a box, can be shown.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s\n",
                     LoadShellString(IDP_OLE_INIT_FAILED).toLocal8Bit().constData());
        return false;
    }
    InitCommonControls();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFileCount);

    m_pDocTemplate = std::make_unique<CWizardDocTemplate>();
    connect(m_pDocTemplate.get(), &CWizardDocTemplate::DocumentPathChanged, this,
            &CKXC2280RegisterWizardApp::AddToRecentFileList);

    if (!ProcessShellCommand(arguments))
        return false;

    CMainFrame* frame = GetMainWnd();
    connect(frame, &CMainFrame::AboutRequested, this, &CKXC2280RegisterWizardApp::OnAppAbout);
    connect(frame, &CMainFrame::RecentFileChosen, this,
            &CKXC2280RegisterWizardApp::OnOpenRecentFile);
    frame->SetRecentFiles(m_recentFiles);

    SetOuterGeometry(*frame, QRect(kWindowPosition, kWindowSize));
    frame->show();
    frame->repaint();
    return true;
}

bool CKXC2280RegisterWizardApp::ProcessShellCommand(const QStringList& arguments) {
    // The platform's rules: the first argument that is no option names a file to open.
    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    return m_pDocTemplate->OpenDocumentFile(file) == OpenResult::Opened;
}

CMainFrame* CKXC2280RegisterWizardApp::GetMainWnd() const {
    return m_pDocTemplate != nullptr ? m_pDocTemplate->GetFrame() : nullptr;
}

void CKXC2280RegisterWizardApp::SetRegistryKey(const char* company) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(company));
    QCoreApplication::setApplicationName(LoadShellString(AFX_IDS_APP_TITLE));
}

void CKXC2280RegisterWizardApp::LoadStdProfileSettings(int maxRecentFiles) {
    m_maxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kRecentFileSection));
    for (int i = 1; i <= maxRecentFiles; ++i) {
        // An entry kept with '/' on Windows (by an earlier version) is the same file.
        const QString path =
            QDir::toNativeSeparators(settings.value(QStringLiteral("File%1").arg(i)).toString());
        if (!path.isEmpty() && !m_recentFiles.contains(path))
            m_recentFiles.push_back(path);
    }
}

void CKXC2280RegisterWizardApp::SaveStdProfileSettings() const {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kRecentFileSection));
    for (int i = 1; i <= m_maxRecentFiles; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recentFiles.size())
            settings.setValue(key, m_recentFiles[i - 1]);
        else
            settings.remove(key);
    }
}

void CKXC2280RegisterWizardApp::AddToRecentFileList(const QString& path) {
    const QString entry = RecentFileEntry(path);
    m_recentFiles.removeAll(entry);
    m_recentFiles.prepend(entry);
    while (m_recentFiles.size() > m_maxRecentFiles)
        m_recentFiles.removeLast();
    SaveStdProfileSettings();
    if (CMainFrame* frame = GetMainWnd())
        frame->SetRecentFiles(m_recentFiles);
}

void CKXC2280RegisterWizardApp::OnOpenRecentFile(const QString& path) {
    // A file that can no longer be opened leaves the list, so it is not offered again; one that
    // opens but is refused stays, as the list does.
    if (m_pDocTemplate->OpenDocumentFile(path) != OpenResult::CannotOpen)
        return;
    m_recentFiles.removeAll(RecentFileEntry(path));
    SaveStdProfileSettings();
    if (CMainFrame* frame = GetMainWnd())
        frame->SetRecentFiles(m_recentFiles);
}

void CKXC2280RegisterWizardApp::OnAppAbout() {
    CAboutDlg about(GetMainWnd());
    about.DoModal();
}
