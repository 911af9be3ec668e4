// The shell's string table (page labels, command prompts, the document template string) and the
// lookups of the page table.
#include "ShellIds.h"

#include <QStringList>
#include <array>

namespace {

struct StringEntry {
    int id;
    const char* text;
};

// Prompts: status-bar text, a line feed, then the tooltip.
constexpr std::array kStrings = {
    StringEntry{IDR_MAINFRAME,
                "QX7R310 Register Wizard\nQX7R310_Init\nQX7R310 Registers\n.ini\n.ini\n"
                "QX7R310RegisterWizard.Document\nQX7R310Document"},
    StringEntry{IDP_OLE_INIT_FAILED,
                "The platform services could not be started. The wizard cannot run."},
    StringEntry{IDS_PAGE_REGISTER_OUTPUT, "Register Output"},
    StringEntry{IDS_PAGE_IMAGE_TIMING, "Image Timing"},
    StringEntry{IDS_PAGE_CLOCK_SETTINGS, "Clock Settings"},
    StringEntry{IDS_PAGE_TIMING_DIAGRAM, "Timing Diagram"},
    StringEntry{IDS_PAGE_PLL_SOLUTIONS, "PLL Solutions"},
    StringEntry{IDS_PAGE_MODES, "Camera Modes"},
    StringEntry{ID_FILE_STANDARD_INI,
                "Splice the settings into a standard INI file, or stop using one\nStandard INI"},
    StringEntry{ID_FILE_NEW, "Create a new document\nNew"},
    StringEntry{ID_FILE_OPEN, "Open an existing document\nOpen"},
    StringEntry{ID_FILE_SAVE, "Write settings to Tessaly .ini file\nWrite"},
    StringEntry{ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    StringEntry{ID_FILE_EXPORT_DIAGRAM,
                "Write the timing diagram to an SVG or PNG file\nExport Timing Diagram"},
    StringEntry{ID_FILE_OPEN_MODE_SET,
                "Open a mode set: camera modes in the --batch format\nOpen Mode Set"},
    StringEntry{ID_FILE_SAVE_MODE_SET, "Save the camera modes as a mode set\nSave Mode Set"},
    StringEntry{ID_FILE_EXPORT_REGISTER_TABLE,
                "Write the camera modes' registers as a C header for firmware and drivers\n"
                "Export Register Table"},
    StringEntry{ID_FILE_PRINT, "Print the active document\nPrint"},
    StringEntry{ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    StringEntry{ID_FILE_EXPORT_MODE_SHEET,
                "Write the mode sheet: reports, registers and timing diagram, one page per "
                "mode, as a PDF file\nExport Mode Sheet"},
    StringEntry{ID_FILE_MRU_FILE1, "Open this document"},
    StringEntry{ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    StringEntry{ID_EDIT_UNDO, "Undo the last action\nUndo"},
    StringEntry{ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    StringEntry{ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    StringEntry{ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    StringEntry{ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    StringEntry{ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    StringEntry{ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    StringEntry{ID_WINDOW_SPLIT, "Split the active window into panes\nSplit"},
    StringEntry{ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    StringEntry{ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    StringEntry{ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    StringEntry{ID_NEXT_PAGE, "Show the next page\nNext Page"},
    StringEntry{ID_PREV_PAGE, "Show the previous page\nPrevious Page"},
    StringEntry{ID_INDICATOR_CAPS, "CAP"},
    StringEntry{ID_INDICATOR_NUM, "NUM"},
    StringEntry{ID_INDICATOR_SCRL, "SCRL"},
    StringEntry{AFX_IDS_APP_TITLE, "QX7R310 Register Wizard"},
    StringEntry{AFX_IDS_IDLEMESSAGE, "Ready"},
};

} // namespace

QString LoadShellString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return QString::fromLatin1(entry.text);
    }
    return {};
}

const WizardPage* FindPageById(int pageId) {
    for (const WizardPage& page : kWizardPages) {
        if (page.pageId == pageId)
            return &page;
    }
    return nullptr;
}

const WizardPage* FindPageByLayout(int layoutId) {
    for (const WizardPage& page : kWizardPages) {
        if (page.layoutId == layoutId)
            return &page;
    }
    return nullptr;
}

QString GetDocString(DocString field) {
    const QStringList fields = LoadShellString(IDR_MAINFRAME).split(QLatin1Char('\n'));
    const auto index = static_cast<qsizetype>(field);
    return index < fields.size() ? fields[index] : QString();
}
