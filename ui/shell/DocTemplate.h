// The single-document template: document, frame with its layout, new or opened document, views.
#pragma once

#include "CreateContext.h"
#include "ModeSheet.h"
#include "Parameters.h"
#include "WizardDoc.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CMainFrame;
class CModesView;

// What opening a document came to.
enum class OpenResult {
    Opened,     // the document is open
    CannotOpen, // the file could not be opened or read at all; a message was shown
    Refused,    // the file or the window refused; a message was shown and nothing changed
    Cancelled,  // the user kept the unsaved changes of the open document; nothing changed
};

class CWizardDocTemplate : public QObject {
    Q_OBJECT

public:
    CWizardDocTemplate();
    ~CWizardDocTemplate() override;

    // With an empty path creates the new document: document, frame and layout, OnNewDocument,
    // then every view's initial update. With a path reads that settings file whole and restores
    // the parameters it holds into the document and the forms, which recalculate; the parameters
    // it does not hold keep their values. A file that cannot be read back changes nothing. The
    // file the document already belongs to is read again, so what another program wrote shows.
    // Unsaved changes of an open document are offered for saving first (SaveModified).
    OpenResult OpenDocumentFile(const QString& path);
    // File > Open: asks for a settings file, then OpenDocumentFile.
    bool OnFileOpen();

    CKXC2280RegisterWizardDoc* GetDocument() const { return m_doc.get(); }
    CMainFrame* GetFrame() const { return m_frame.get(); }
    // The file the document was saved to or opened from; empty until then.
    const QString& GetPathName() const { return m_strPathName; }
    // The document's name: the default name until the document has a file.
    const QString& GetTitle() const { return m_strTitle; }

    // File > Save: asks for a path first when the document has none. Nothing is saved while a
    // form refuses the text of one of its edits, nor a request whose timing is "n/a"; a request
    // the wizard adjusted is saved only when the user accepts the adjustments.
    bool OnFileSave();
    // File > Save As: the same checks, then asks for a path, proposing the current one or the
    // default name.
    bool OnFileSaveAs();
    // Writes the settings file to path whole or not at all, without checking the request; a
    // failure shows one message that names the file and the reason, and leaves whatever file was
    // there before.
    bool DoSave(const QString& path);

    // True from the first change of the request after the document was created, opened or saved
    // until it is saved again; File > Set Defaults is a change even where the defaults were there.
    bool IsModified() const;
    // true marks the document changed; false takes its request as the saved one.
    void SetModifiedFlag(bool modified);
    // With unsaved changes asks "Save changes to ...?": Yes saves (true only when the file was
    // written), No discards (true), Cancel keeps everything (false). True without changes.
    bool SaveModified();
    // The bytes that saving writes, built by the document's Serialize.
    QByteArray SerializeDocument();

    // File > Export Timing Diagram: asks for an SVG or PNG file name, then DoExportDiagram.
    bool OnExportDiagram();
    // Writes the timing diagram to path whole or not at all, as SVG or PNG by its extension; a
    // failure shows one message that names the file and the reason.
    bool DoExportDiagram(const QString& path);

    // File > Print: the print dialog, then one page per mode on the chosen printer.
    bool OnFilePrint();
    // File > Print Preview: the same pages in the platform's print preview.
    bool OnFilePrintPreview();
    // File > Export Mode Sheet (PDF): asks for a PDF file name, then DoExportModeSheet.
    bool OnExportModeSheet();
    // Writes the mode sheet's pages to path as PDF, whole or not at all; a failure shows one
    // message that names the file and the reason, success is confirmed in the status bar.
    bool DoExportModeSheet(const QString& path);
    // The pages to print: the document's current mode first, then every mode of the Modes page.
    std::vector<ModeSheet> ModeSheets() const;

    // Turns the use of a standard INI file on (asking for the file) or off; returns whether it is
    // in use afterwards.
    bool UseStandardIni(bool use);

    // File > Open Mode Set: unsaved changes of the mode set are offered for saving, then a mode
    // set file is asked for and OpenModeSet.
    bool OnOpenModeSet();
    // Reads the mode set at path whole into the Modes page; a file that cannot be read, a bad
    // line or a name used twice is refused in a box that names the line, and nothing changes.
    bool OpenModeSet(const QString& path);
    // File > Save Mode Set: asks for a path, then writes every mode, one line each.
    bool OnSaveModeSet();
    bool DoSaveModeSet(const QString& path);
    // File > Export Register Table: asks for a path, then writes the C header of the valid modes;
    // the modes left out because their timing is "n/a" are named in a box.
    bool OnExportRegisterTable();
    bool DoExportRegisterTable(const QString& path);
    // With unsaved changes of the mode set asks "Save changes to ...?" as SaveModified does.
    bool SaveModifiedModes();
    // The Modes page, or none before the layout exists.
    CModesView* GetModesPage() const;

signals:
    // The document now belongs to path (saved or opened): the recent-file list takes it.
    void DocumentPathChanged(const QString& path);

private:
    bool CreateDocumentAndFrame();
    // The frame with its layout when there is none yet, then the document's OnNewDocument.
    bool NewDocument();
    // The checks of File > Save before anything is asked or written: a refused request is
    // explained in a box, an adjusted one is saved only on Yes.
    bool CheckRequestBeforeSave();
    // Puts parameters into the document and the forms, which recalculate: what opening a
    // settings file and "Open in Forms" on the Modes page do.
    void RestoreParameters(const ParameterSet& parameters);
    // "Open in Forms": unsaved changes are offered for saving, then the mode's parameters go in.
    void OpenMode(const ParameterSet& parameters);
    // Asks for a file for the settings-file lines of a mode switch and writes them.
    bool SaveModeSwitch(const std::string& lines);
    // Writes bytes to path whole or not at all; a failure is shown naming what (a text such as
    // "mode set"), the file and the reason.
    bool WriteFile(const QString& what, const QString& path, std::string_view bytes);
    void SetPathName(const QString& path);
    void UpdateFrameTitle();

    // Declared first, destroyed last: the views and the frame use the document until they go.
    std::unique_ptr<CKXC2280RegisterWizardDoc> m_doc;
    CCreateContext m_context;
    std::unique_ptr<CMainFrame> m_frame;
    QString m_strPathName;
    QString m_strTitle;
    ParameterSet m_savedRequest; // the request as last created, opened or saved
    bool m_bDefaultsSet = false; // File > Set Defaults since then
};
