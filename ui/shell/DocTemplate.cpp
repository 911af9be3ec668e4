// Single-document template: creation order, opening, and saving the settings file atomically.
#include "DocTemplate.h"

#include "AtomicSave.h"
#include "FileDialogs.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "MessageBoxPrompt.h"
#include "SettingsWriter.h"
#include "ShellIds.h"
#include "TimingDiagramExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <string_view>

CWizardDocTemplate::CWizardDocTemplate() = default;

CWizardDocTemplate::~CWizardDocTemplate() {
    // The views go before the document they edit.
    m_frame.reset();
}

bool CWizardDocTemplate::CreateDocumentAndFrame() {
    m_doc = std::make_unique<CKXC2280RegisterWizardDoc>();
    m_doc->m_pMainFrame = &m_poster;
    m_frame = std::make_unique<CMainFrame>();
    connect(m_frame.get(), &CMainFrame::SaveRequested, this, &CWizardDocTemplate::OnFileSave);
    connect(m_frame.get(), &CMainFrame::SaveAsRequested, this, &CWizardDocTemplate::OnFileSaveAs);
    connect(m_frame.get(), &CMainFrame::ExportDiagramRequested, this,
            &CWizardDocTemplate::OnExportDiagram);
    connect(m_frame.get(), &CMainFrame::StandardIniRequested, this,
            &CWizardDocTemplate::UseStandardIni);
    m_poster.SetTarget(m_frame.get());
    m_context.m_view = CViewContext{m_doc.get(), m_frame.get()};
    if (!m_frame->OnCreateClient(&m_context)) {
        AfxMessageBox(QStringLiteral("The wizard's window layout could not be created."),
                      MB_OK | MB_ICONEXCLAMATION);
        m_frame.reset();
        return false;
    }
    return true;
}

bool CWizardDocTemplate::OpenDocumentFile(const QString& path) {
    if (m_frame != nullptr && IsOpen(path)) {
        // Opening it again would start every view afresh and lose what the user set.
        m_frame->raise();
        m_frame->activateWindow();
        return true;
    }
    if (!path.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            AfxMessageBox(QStringLiteral("Cannot open the document \"%1\": %2.")
                              .arg(QDir::toNativeSeparators(path), file.errorString()),
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    if (m_frame == nullptr && !CreateDocumentAndFrame())
        return false;
    if (path.isEmpty()) {
        if (!m_doc->OnNewDocument()) {
            AfxMessageBox(QStringLiteral("Failed to create empty document."),
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    } else {
        // A document opened into a new frame still needs its register rows and first clock run,
        // which the forms compute on; the file itself contributes nothing.
        if (m_doc->m_Registers.empty())
            m_doc->OnNewDocument();
        CMemoryOutputFile nothing;
        CMessageBoxPrompt prompt;
        CArchive archive(CArchive::load, nothing, prompt);
        Serialize(*m_doc, archive);
    }
    SetPathName(path);
    m_context.InitialUpdateViews();
    m_frame->InitialUpdateFrame();
    if (!path.isEmpty())
        emit DocumentPathChanged(path);
    return true;
}

bool CWizardDocTemplate::IsOpen(const QString& path) const {
    if (path.isEmpty() || m_strPathName.isEmpty())
        return false;
    const QFileInfo wanted(path);
    const QFileInfo open(m_strPathName);
    // The same file under another spelling (a link, "..") is the same document.
    const QString wantedPath = wanted.canonicalFilePath();
    const QString openPath = open.canonicalFilePath();
    if (!wantedPath.isEmpty() && !openPath.isEmpty())
        return wantedPath == openPath;
    return wanted.absoluteFilePath() == open.absoluteFilePath();
}

bool CWizardDocTemplate::OnFileSave() {
    if (m_strPathName.isEmpty())
        return OnFileSaveAs();
    if (m_frame != nullptr && !m_frame->CommitEdits())
        return false;
    return DoSave(m_strPathName);
}

bool CWizardDocTemplate::OnFileSaveAs() {
    if (m_frame != nullptr && !m_frame->CommitEdits())
        return false;
    const QString proposed =
        m_strPathName.isEmpty() ? m_strTitle + GetDocString(DocString::FilterExt) : m_strPathName;
    const QString filter =
        QStringLiteral("%1 (*%2)")
            .arg(GetDocString(DocString::FilterName), GetDocString(DocString::FilterExt));
    QString path = AskForFilePath({FileDialogRequest::Mode::Save, m_frame.get(),
                                   QStringLiteral("Save As"), proposed, filter});
    if (path.isEmpty())
        return false;
    // A name typed without an extension gets the settings file's one.
    if (QFileInfo(path).suffix().isEmpty())
        path += GetDocString(DocString::FilterExt);
    return DoSave(path);
}

QByteArray CWizardDocTemplate::SerializeDocument() {
    CMemoryOutputFile file;
    CMessageBoxPrompt prompt;
    CArchive archive(CArchive::store, file, prompt);
    Serialize(*m_doc, archive);
    return QByteArray(file.Bytes().data(), static_cast<qsizetype>(file.Bytes().size()));
}

bool CWizardDocTemplate::DoSave(const QString& path) {
    QString reason;
    try {
        const QByteArray bytes = SerializeDocument();
        // The output layer's replacement checks every write and the sync, and writes into a
        // device instead of renaming a regular file over it.
        const SaveResult saved =
            SaveFileAtomically(QFile::encodeName(path).toStdString(),
                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
        if (!saved)
            reason = QString::fromLocal8Bit(saved.reason.c_str());
    } catch (const std::exception& error) {
        reason = QString::fromLocal8Bit(error.what());
    }
    if (!reason.isNull()) {
        // Nothing replaced the previous file: only a complete, synced new one is renamed over it.
        AfxMessageBox(QStringLiteral("The settings file \"%1\" could not be saved: %2.")
                          .arg(QDir::toNativeSeparators(path), reason),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetPathName(path);
    emit DocumentPathChanged(path);
    return true;
}

bool CWizardDocTemplate::OnExportDiagram() {
    if (m_doc == nullptr)
        return false;
    const QString proposed =
        QFileInfo(m_strPathName.isEmpty() ? m_strTitle : m_strPathName).completeBaseName() +
        QStringLiteral(".svg");
    QString path = AskForFilePath({FileDialogRequest::Mode::Save, m_frame.get(),
                                   QStringLiteral("Export Timing Diagram"), proposed,
                                   QStringLiteral("SVG image (*.svg);;PNG image (*.png)")});
    if (path.isEmpty())
        return false;
    // A name typed without an extension gets the first format's.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".svg");
    return DoExportDiagram(path);
}

bool CWizardDocTemplate::DoExportDiagram(const QString& path) {
    const SaveResult saved = ExportTimingDiagram(*m_doc, QFile::encodeName(path).toStdString());
    if (!saved) {
        AfxMessageBox(
            QStringLiteral("The timing diagram \"%1\" could not be saved: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(saved.reason.c_str())),
            MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CWizardDocTemplate::UseStandardIni(bool use) {
    if (m_doc == nullptr)
        return false;
    if (!use) {
        m_doc->m_bUseStandardIni = 0;
    } else {
        const QString current = QFile::decodeName(m_doc->m_strStandardIniPath.c_str());
        const QString path =
            AskForFilePath({FileDialogRequest::Mode::Open, m_frame.get(),
                            QStringLiteral("Choose the Standard INI File"), current,
                            QStringLiteral("INI files (*.ini);;All files (*)")});
        if (!path.isEmpty()) {
            m_doc->m_strStandardIniPath = QFile::encodeName(path).toStdString();
            m_doc->m_bUseStandardIni = 1;
        }
    }
    const bool inUse = m_doc->m_bUseStandardIni != 0;
    if (m_frame != nullptr)
        m_frame->SetStandardIniInUse(inUse);
    return inUse;
}

void CWizardDocTemplate::SetPathName(const QString& path) {
    m_strPathName = path;
    m_strTitle = path.isEmpty() ? GetDocString(DocString::DocName) : QFileInfo(path).fileName();
    UpdateFrameTitle();
}

void CWizardDocTemplate::UpdateFrameTitle() {
    if (m_frame != nullptr)
        m_frame->setWindowTitle(m_strTitle + QStringLiteral(" - ") +
                                GetDocString(DocString::WindowTitle));
}
