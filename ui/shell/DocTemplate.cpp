// Single-document template: creation order, opening, and saving the settings file atomically.
#include "DocTemplate.h"

#include "AtomicSave.h"
#include "FileDialogs.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "MessageBoxPrompt.h"
#include "RequestCheck.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "ShellIds.h"
#include "TimingDiagramExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <string_view>

namespace {

QString SettingsFileFilter() {
    return QStringLiteral("%1 (*%2)")
        .arg(GetDocString(DocString::FilterName), GetDocString(DocString::FilterExt));
}

// A settings file edited by hand may hold values no form takes; such a file is refused like a
// damaged one. Empty when every value given is taken.
QString RefusedValue(const ParameterSet& read) {
    const std::string untaken = UntakenValue(read);
    if (untaken.empty())
        return {};
    return QStringLiteral("The settings file gives %1.").arg(QString::fromStdString(untaken));
}

// The request as the user gave it. The target system clock is the wizard's own while the PLL is
// bypassed (the input clock) or "Use Min. Freq." is ticked (found from the image request), so
// it is no change of the user's.
ParameterSet EditedRequest(const CKXC2280RegisterWizardDoc& doc) {
    ParameterSet request = ParametersOf(doc);
    if (doc.m_bBypassPll != 0 || doc.m_bUseMinFreq != 0)
        request.SetNumber(ParameterIndex("systemFreqMHz"), 0.0);
    return request;
}

} // namespace

CWizardDocTemplate::CWizardDocTemplate() = default;

CWizardDocTemplate::~CWizardDocTemplate() {
    // The views go before the document they edit.
    m_frame.reset();
}

bool CWizardDocTemplate::CreateDocumentAndFrame() {
    m_doc = std::make_unique<CKXC2280RegisterWizardDoc>();
    m_frame = std::make_unique<CMainFrame>();
    connect(m_frame.get(), &CMainFrame::OpenRequested, this, &CWizardDocTemplate::OnFileOpen);
    connect(m_frame.get(), &CMainFrame::SaveRequested, this, &CWizardDocTemplate::OnFileSave);
    connect(m_frame.get(), &CMainFrame::SaveAsRequested, this, &CWizardDocTemplate::OnFileSaveAs);
    connect(m_frame.get(), &CMainFrame::ExportDiagramRequested, this,
            &CWizardDocTemplate::OnExportDiagram);
    connect(m_frame.get(), &CMainFrame::StandardIniRequested, this,
            &CWizardDocTemplate::UseStandardIni);
    connect(m_frame.get(), &CMainFrame::DefaultsSet, this, [this] { SetModifiedFlag(true); });
    connect(m_frame.get(), &CMainFrame::DocumentChanged, this,
            &CWizardDocTemplate::UpdateFrameTitle);
    m_frame->SetCanClose([this] { return SaveModified(); });
    m_context.m_view = CViewContext{m_doc.get(), m_frame.get()};
    if (!m_frame->OnCreateClient(&m_context)) {
        AfxMessageBox(QStringLiteral("The wizard's window layout could not be created."),
                      kMbOk | kMbIconExclamation);
        m_frame.reset();
        return false;
    }
    return true;
}

bool CWizardDocTemplate::NewDocument() {
    if (m_frame == nullptr && !CreateDocumentAndFrame())
        return false;
    if (!m_doc->OnNewDocument()) {
        AfxMessageBox(QStringLiteral("Failed to create empty document."),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    return true;
}

OpenResult CWizardDocTemplate::OpenDocumentFile(const QString& path) {
    if (m_frame != nullptr && !SaveModified())
        return OpenResult::Cancelled;
    if (path.isEmpty()) {
        if (!NewDocument())
            return OpenResult::Refused;
        SetPathName(path);
        m_context.InitialUpdateViews();
        m_frame->InitialUpdateFrame();
        SetModifiedFlag(false);
        return OpenResult::Opened;
    }

    // The whole file is read and checked before anything changes, so a refused file leaves the
    // document, the forms, the title and the recent-file list as they were.
    const std::string localPath = QFile::encodeName(path).toStdString();
    const SettingsFileReadResult read = LoadSettingsFile(localPath);
    if (read.status == SettingsFileStatus::CannotOpen) {
        // The reader names the file; the box names it the way the user knows it.
        const std::string prefix = "cannot open \"" + localPath + "\": ";
        const std::string reason =
            read.message.starts_with(prefix) ? read.message.substr(prefix.size()) : read.message;
        AfxMessageBox(QStringLiteral("Cannot open the document \"%1\": %2.")
                          .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(reason)),
                      kMbOk | kMbIconExclamation);
        return OpenResult::CannotOpen;
    }
    const QString refusal =
        read ? RefusedValue(read.parameters) : QString::fromStdString(read.message);
    if (!refusal.isEmpty()) {
        AfxMessageBox(QStringLiteral("Cannot open the document \"%1\":\n%2")
                          .arg(QDir::toNativeSeparators(path), refusal),
                      kMbOk | kMbIconExclamation);
        return OpenResult::Refused;
    }

    if (m_frame == nullptr) {
        // The forms compute on the register rows and first clock run of a new document.
        if (!NewDocument())
            return OpenResult::Refused;
        m_context.InitialUpdateViews();
    }
    {
        // The loading direction of the document's serialisation only empties its buffers.
        CMemoryOutputFile nothing;
        CMessageBoxPrompt prompt;
        CArchive archive(CArchive::load, nothing, prompt);
        Serialize(*m_doc, archive);
    }
    ApplyGivenParameters(read.parameters, *m_doc);
    m_frame->OnRestoreParameters(read.parameters);
    SetModifiedFlag(false);
    SetPathName(path);
    // What the file does not hold is said where it does not interrupt: the status bar.
    QStringList notes;
    for (const std::string& note : read.notes)
        notes << QString::fromStdString(note);
    m_frame->SetMessageText(notes.join(QLatin1Char(' ')));
    emit DocumentPathChanged(path);
    return OpenResult::Opened;
}

bool CWizardDocTemplate::OnFileOpen() {
    const QString folder =
        m_strPathName.isEmpty() ? QString() : QFileInfo(m_strPathName).absolutePath();
    const QString path = AskForFilePath({FileDialogRequest::Mode::Open, m_frame.get(),
                                         QStringLiteral("Open"), folder, SettingsFileFilter()});
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(path) == OpenResult::Opened;
}

bool CWizardDocTemplate::OnFileSave() {
    if (m_strPathName.isEmpty())
        return OnFileSaveAs();
    if (m_frame != nullptr && !m_frame->CommitEdits())
        return false;
    if (!CheckRequestBeforeSave())
        return false;
    return DoSave(m_strPathName);
}

bool CWizardDocTemplate::OnFileSaveAs() {
    if (m_frame != nullptr && !m_frame->CommitEdits())
        return false;
    if (!CheckRequestBeforeSave())
        return false;
    const QString proposed =
        m_strPathName.isEmpty() ? m_strTitle + GetDocString(DocString::FilterExt) : m_strPathName;
    QString path = AskForFilePath({FileDialogRequest::Mode::Save, m_frame.get(),
                                   QStringLiteral("Save As"), proposed, SettingsFileFilter()});
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
                      kMbOk | kMbIconExclamation);
        return false;
    }
    SetModifiedFlag(false);
    SetPathName(path);
    emit DocumentPathChanged(path);
    return true;
}

bool CWizardDocTemplate::CheckRequestBeforeSave() {
    const RequestCheck check = CheckRequest(*m_doc);
    if (check.Refused()) {
        AfxMessageBox(QString::fromStdString(RefusalMessage(check)), kMbOk | kMbIconExclamation);
        return false;
    }
    if (check.adjusted.empty())
        return true;
    QStringList adjusted;
    for (const std::string& line : check.adjusted)
        adjusted << QString::fromStdString(line) + QLatin1Char('.');
    return AfxMessageBox(QStringLiteral("The wizard adjusted the request:\n\n%1\n\nSave the "
                                        "settings file with the adjusted values?")
                             .arg(adjusted.join(QLatin1Char('\n'))),
                         kMbYesNo | kMbIconQuestion) == kIdYes;
}

bool CWizardDocTemplate::IsModified() const {
    return m_doc != nullptr && (m_bDefaultsSet || EditedRequest(*m_doc) != m_savedRequest);
}

void CWizardDocTemplate::SetModifiedFlag(bool modified) {
    m_bDefaultsSet = modified;
    if (!modified && m_doc != nullptr)
        m_savedRequest = EditedRequest(*m_doc);
    UpdateFrameTitle();
}

bool CWizardDocTemplate::SaveModified() {
    if (!IsModified())
        return true;
    switch (AfxMessageBox(QStringLiteral("Save changes to %1?").arg(m_strTitle),
                          kMbYesNoCancel | kMbIconExclamation)) {
    case kIdYes:
        return OnFileSave();
    case kIdNo:
        return true;
    default:
        return false;
    }
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
            kMbOk | kMbIconExclamation);
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
    UpdateFrameTitle();
    return inUse;
}

void CWizardDocTemplate::SetPathName(const QString& path) {
    m_strPathName = path;
    m_strTitle = path.isEmpty() ? GetDocString(DocString::DocName) : QFileInfo(path).fileName();
    UpdateFrameTitle();
}

void CWizardDocTemplate::UpdateFrameTitle() {
    // The usual mark of unsaved changes follows the document's name.
    if (m_frame != nullptr)
        m_frame->setWindowTitle(m_strTitle + (IsModified() ? QStringLiteral("*") : QString()) +
                                QStringLiteral(" - ") + GetDocString(DocString::WindowTitle));
}
