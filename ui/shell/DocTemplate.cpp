// Single-document template: creation order, opening, and saving the settings file atomically.
#include "DocTemplate.h"

#include "AboutDlg.h"
#include "AtomicSave.h"
#include "FileDialogs.h"
#include "FileSystem.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "MessageBoxPrompt.h"
#include "ModeExport.h"
#include "ModeSetText.h"
#include "ModesView.h"
#include "RequestCheck.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "ShellIds.h"
#include "TimingDiagramExport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <exception>
#include <functional>
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

// Far more than any camera's modes; it keeps a wrong pick such as a video file out of memory.
constexpr std::size_t kModeSetMaxBytes = 16u * 1024 * 1024;

QString ModeSetFilter() {
    return QStringLiteral("Mode sets (*.jsonl);;All files (*)");
}

// "Save changes to title?": Yes saves (true only when save wrote the file), No discards (true),
// Cancel keeps everything (false).
bool AskToSaveChanges(const QString& title, const std::function<bool()>& save) {
    switch (AfxMessageBox(QStringLiteral("Save changes to %1?").arg(title),
                          kMbYesNoCancel | kMbIconExclamation)) {
    case kIdYes:
        return save();
    case kIdNo:
        return true;
    default:
        return false;
    }
}

// A name typed without an extension gets extension.
QString WithSuffix(QString path, const QString& extension) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += extension;
    return path;
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
    connect(m_frame.get(), &CMainFrame::PrintRequested, this, &CWizardDocTemplate::OnFilePrint);
    connect(m_frame.get(), &CMainFrame::PrintPreviewRequested, this,
            &CWizardDocTemplate::OnFilePrintPreview);
    connect(m_frame.get(), &CMainFrame::ExportModeSheetRequested, this,
            &CWizardDocTemplate::OnExportModeSheet);
    connect(m_frame.get(), &CMainFrame::StandardIniRequested, this,
            &CWizardDocTemplate::UseStandardIni);
    connect(m_frame.get(), &CMainFrame::OpenModeSetRequested, this,
            &CWizardDocTemplate::OnOpenModeSet);
    connect(m_frame.get(), &CMainFrame::SaveModeSetRequested, this,
            &CWizardDocTemplate::OnSaveModeSet);
    connect(m_frame.get(), &CMainFrame::ExportRegisterTableRequested, this,
            &CWizardDocTemplate::OnExportRegisterTable);
    connect(m_frame.get(), &CMainFrame::OpenModeRequested, this, &CWizardDocTemplate::OpenMode);
    connect(m_frame.get(), &CMainFrame::SaveModeSwitchRequested, this,
            &CWizardDocTemplate::SaveModeSwitch);
    connect(m_frame.get(), &CMainFrame::DefaultsSet, this, [this] { SetModifiedFlag(true); });
    connect(m_frame.get(), &CMainFrame::DocumentChanged, this,
            &CWizardDocTemplate::UpdateFrameTitle);
    m_frame->SetCanClose([this] { return SaveModified() && SaveModifiedModes(); });
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
    RestoreParameters(read.parameters);
    SetModifiedFlag(false);
    SetPathName(path);
    // What the file does not hold is said where it does not interrupt: the status bar.
    QStringList notes;
    for (const std::string& note : read.notes)
        notes << QString::fromStdString(note);
    m_frame->ShowNote(notes.join(QLatin1Char(' ')));
    emit DocumentPathChanged(path);
    return OpenResult::Opened;
}

void CWizardDocTemplate::RestoreParameters(const ParameterSet& parameters) {
    {
        // The loading direction of the document's serialisation only empties its buffers.
        CMemoryOutputFile nothing;
        CMessageBoxPrompt prompt;
        CArchive archive(CArchive::load, nothing, prompt);
        Serialize(*m_doc, archive);
    }
    ApplyGivenParameters(parameters, *m_doc);
    m_frame->OnRestoreParameters(parameters);
}

void CWizardDocTemplate::OpenMode(const ParameterSet& parameters) {
    // Taken before the question: the box's event loop must not pull the page's mode away.
    const ParameterSet mode = parameters;
    if (m_frame == nullptr || !SaveModified())
        return;
    RestoreParameters(mode);
    UpdateFrameTitle();
}

CModesView* CWizardDocTemplate::GetModesPage() const {
    return m_frame != nullptr
               ? dynamic_cast<CModesView*>(m_frame->GetFramework().GetWnd(ID_LAYOUT_MODES))
               : nullptr;
}

bool CWizardDocTemplate::WriteFile(const QString& what, const QString& path,
                                   std::string_view bytes) {
    const SaveResult saved = SaveFileAtomically(QFile::encodeName(path).toStdString(), bytes);
    if (!saved)
        AfxMessageBox(
            QStringLiteral("The %1 \"%2\" could not be saved: %3.")
                .arg(what, QDir::toNativeSeparators(path), QString::fromLocal8Bit(saved.reason)),
            kMbOk | kMbIconExclamation);
    return bool(saved);
}

bool CWizardDocTemplate::SaveModifiedModes() {
    CModesView* page = GetModesPage();
    return page == nullptr || !page->Modes().IsModified() ||
           AskToSaveChanges(page->Modes().Title(), [this] { return OnSaveModeSet(); });
}

bool CWizardDocTemplate::OnOpenModeSet() {
    CModesView* page = GetModesPage();
    if (page == nullptr || !SaveModifiedModes())
        return false;
    const QString current = page->Modes().PathName();
    const QString path = AskForFilePath(
        {FileDialogRequest::Mode::Open, m_frame.get(), QStringLiteral("Open Mode Set"),
         current.isEmpty() ? QString() : QFileInfo(current).absolutePath(), ModeSetFilter()});
    return !path.isEmpty() && OpenModeSet(path);
}

bool CWizardDocTemplate::OpenModeSet(const QString& path) {
    CModesView* page = GetModesPage();
    if (page == nullptr)
        return false;
    std::string bytes;
    std::optional<std::string> reason =
        ReadWholeFile(QFile::encodeName(path).toStdString(), kModeSetMaxBytes, bytes);
    if (!reason && bytes.size() > kModeSetMaxBytes)
        reason = "larger than 16 MiB";
    if (reason) {
        AfxMessageBox(QStringLiteral("Cannot open the mode set \"%1\": %2.")
                          .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(*reason)),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    // The window has no parameter options: each line goes over the defaults.
    auto read = ReadModeSetText(bytes, "\"" + QFileInfo(path).fileName().toStdString() + "\"",
                                ParameterSet(), [](ParameterSet set) {
                                    ApplyVariableFrameRateRule(set);
                                    return set;
                                });
    if (const std::string* refused = std::get_if<std::string>(&read)) {
        AfxMessageBox(QStringLiteral("Cannot open the mode set \"%1\":\n%2")
                          .arg(QDir::toNativeSeparators(path), QString::fromStdString(*refused)),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    page->Modes().Reset(std::move(std::get<ModeSet>(read)), path);
    return true;
}

bool CWizardDocTemplate::OnSaveModeSet() {
    CModesView* page = GetModesPage();
    if (page == nullptr)
        return false;
    if (page->Modes().Count() == 0) {
        // A file without a mode is one no reader takes.
        AfxMessageBox(QStringLiteral("The mode set has no mode to save. Add the current mode on "
                                     "the Modes page first."),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    const QString current = page->Modes().PathName();
    const QString path = WithSuffix(
        AskForFilePath(
            {FileDialogRequest::Mode::Save, m_frame.get(), QStringLiteral("Save Mode Set"),
             current.isEmpty() ? QStringLiteral("modes.jsonl") : current, ModeSetFilter()}),
        QStringLiteral(".jsonl"));
    return !path.isEmpty() && DoSaveModeSet(path);
}

bool CWizardDocTemplate::DoSaveModeSet(const QString& path) {
    CModesView* page = GetModesPage();
    if (page == nullptr ||
        !WriteFile(QStringLiteral("mode set"), path, ModeSetText(page->Modes().Modes())))
        return false;
    page->Modes().SetSaved(path);
    return true;
}

bool CWizardDocTemplate::OnExportRegisterTable() {
    CModesView* page = GetModesPage();
    if (page == nullptr)
        return false;
    const QString base = page->Modes().PathName();
    const QString path = WithSuffix(
        AskForFilePath(
            {FileDialogRequest::Mode::Save, m_frame.get(), QStringLiteral("Export Register Table"),
             (base.isEmpty() ? QStringLiteral("modes") : QFileInfo(base).completeBaseName()) +
                 QStringLiteral(".h"),
             QStringLiteral("C headers (*.h);;All files (*)")}),
        QStringLiteral(".h"));
    return !path.isEmpty() && DoExportRegisterTable(path);
}

bool CWizardDocTemplate::DoExportRegisterTable(const QString& path) {
    CModesView* page = GetModesPage();
    if (page == nullptr)
        return false;
    const RegisterTableHeader header = MakeRegisterTableHeader(page->Modes().Modes());
    QStringList leftOut;
    for (const std::string& message : header.leftOut)
        leftOut << QString::fromStdString(message) + QLatin1Char('.');
    if (!header.error.empty()) {
        leftOut << QString::fromStdString(header.error) + QLatin1Char('.');
        AfxMessageBox(QStringLiteral("The register table was not written.\n\n%1")
                          .arg(leftOut.join(QLatin1Char('\n'))),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    if (!WriteFile(QStringLiteral("register table"), path, header.text))
        return false;
    if (!leftOut.isEmpty())
        AfxMessageBox(QStringLiteral("The register table was written without these modes:\n\n%1")
                          .arg(leftOut.join(QLatin1Char('\n'))),
                      kMbOk | kMbIconInformation);
    return true;
}

bool CWizardDocTemplate::SaveModeSwitch(const std::string& lines) {
    const QString path =
        AskForFilePath({FileDialogRequest::Mode::Save, m_frame.get(),
                        QStringLiteral("Save Mode Switch"), QStringLiteral("mode-switch.ini"),
                        QStringLiteral("Settings lines (*.ini);;All files (*)")});
    return !path.isEmpty() && WriteFile(QStringLiteral("mode switch"), path, lines);
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
    return !IsModified() || AskToSaveChanges(m_strTitle, [this] { return OnFileSave(); });
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
    const std::string fileName =
        m_strPathName.isEmpty() ? std::string() : QFileInfo(m_strPathName).fileName().toStdString();
    const SaveResult saved =
        ExportTimingDiagram(*m_doc, QFile::encodeName(path).toStdString(), fileName);
    if (!saved) {
        AfxMessageBox(
            QStringLiteral("The timing diagram \"%1\" could not be saved: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(saved.reason.c_str())),
            kMbOk | kMbIconExclamation);
        return false;
    }
    m_frame->SetMessageText(
        QStringLiteral("Timing diagram written to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

std::vector<ModeSheet> CWizardDocTemplate::ModeSheets() const {
    std::vector<ModeSheet> sheets;
    if (m_doc == nullptr)
        return sheets;
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const QString name =
        m_strPathName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_strPathName).fileName();
    sheets.push_back(MakeModeSheet(*m_doc, name.toStdString(), date));
    if (CModesView* page = GetModesPage()) {
        const QString path = page->Modes().PathName();
        const std::string set =
            (path.isEmpty() ? QStringLiteral("Mode set") : QFileInfo(path).fileName())
                .toStdString();
        for (const Mode& mode : page->Modes().Modes().Modes()) {
            CKXC2280RegisterWizardDoc doc;
            RunNewDocument(mode.parameters, doc);
            sheets.push_back(MakeModeSheet(doc, set + ": " + mode.name, date));
        }
    }
    return sheets;
}

bool CWizardDocTemplate::OnFilePrint() {
    if (m_doc == nullptr)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_strTitle);
    QPrintDialog dialog(&printer, m_frame.get());
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    if (!PrintModeSheets(printer, ModeSheets())) {
        AfxMessageBox(QStringLiteral("The mode sheet could not be printed on \"%1\".")
                          .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                               : printer.printerName()),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    return true;
}

bool CWizardDocTemplate::OnFilePrintPreview() {
    if (m_doc == nullptr)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_strTitle);
    QPrintPreviewDialog dialog(&printer, m_frame.get());
    const std::vector<ModeSheet> sheets = ModeSheets();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&sheets](QPrinter* target) { PrintModeSheets(*target, sheets); });
    return RunModal(dialog) == QDialog::Accepted;
}

bool CWizardDocTemplate::OnExportModeSheet() {
    if (m_doc == nullptr)
        return false;
    const QString proposed =
        QFileInfo(m_strPathName.isEmpty() ? m_strTitle : m_strPathName).completeBaseName() +
        QStringLiteral(".pdf");
    const QString path =
        WithSuffix(AskForFilePath({FileDialogRequest::Mode::Save, m_frame.get(),
                                   QStringLiteral("Export Mode Sheet"), proposed,
                                   QStringLiteral("PDF documents (*.pdf);;All files (*)")}),
                   QStringLiteral(".pdf"));
    return !path.isEmpty() && DoExportModeSheet(path);
}

bool CWizardDocTemplate::DoExportModeSheet(const QString& path) {
    const QByteArray pdf = ModeSheetsPdf(ModeSheets(), m_strTitle);
    if (pdf.isEmpty()) {
        AfxMessageBox(QStringLiteral("The mode sheet \"%1\" could not be saved: the pages could "
                                     "not be drawn.")
                          .arg(QDir::toNativeSeparators(path)),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    if (!WriteFile(QStringLiteral("mode sheet"), path,
                   std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))))
        return false;
    m_frame->SetMessageText(
        QStringLiteral("Mode sheet written to %1").arg(QDir::toNativeSeparators(path)));
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
