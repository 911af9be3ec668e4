// Resource, command, layout and string ids of the application shell, with their texts.
#pragma once

#include "WizardMessages.h"

#include <QString>

// Shared by the menu, accelerators, toolbar, frame icon and document template string.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDC_VERSION_TEXT = 1137;
inline constexpr int IDC_LICENCES = 1138;
inline constexpr int IDP_OLE_INIT_FAILED = 100;

// Layout objects of the main frame.
inline constexpr int ID_LAYOUT_REGISTERS = 1;
inline constexpr int ID_LAYOUT_TIMING_TOP = 2;
inline constexpr int ID_LAYOUT_PLL = 3;
inline constexpr int ID_LAYOUT_TABS = 9;
inline constexpr int ID_LAYOUT_MAIN_SPLITTER = 10;
inline constexpr int ID_LAYOUT_NAV_TREE = 11;
inline constexpr int ID_LAYOUT_TIMING_SPLITTER = 12;
inline constexpr int ID_LAYOUT_TIMING_BOTTOM = 15;
inline constexpr int ID_LAYOUT_TIMING_DIAGRAM = 20;
inline constexpr int ID_LAYOUT_PLL_SOLUTIONS = 16;
inline constexpr int ID_LAYOUT_MODES = 21;

// Navigation pages: string ids whose texts are the tree's labels.
inline constexpr int IDS_PAGE_REGISTER_OUTPUT = 129;
inline constexpr int IDS_PAGE_IMAGE_TIMING = 130;
inline constexpr int IDS_PAGE_CLOCK_SETTINGS = 132;
inline constexpr int IDS_PAGE_TIMING_DIAGRAM = 134;
inline constexpr int IDS_PAGE_PLL_SOLUTIONS = 140;
inline constexpr int IDS_PAGE_MODES = 141;

// One page of the wizard: the tree item that names it and the tab that shows it.
struct WizardPage {
    int pageId;         // string id of the tree label; WM_WIZ_SHOW_PAGE carries it
    int layoutId;       // layout object shown as the page's tab
    const char* title;  // the tab's title
    unsigned showFirst; // wizard message posted to the page's window before it is shown, or 0
};

// The pages in tree order, which is also the tab order: an item index and a tab index name the
// same page.
inline constexpr WizardPage kWizardPages[] = {
    {IDS_PAGE_IMAGE_TIMING, ID_LAYOUT_TIMING_SPLITTER, "Image Timing", 0},
    {IDS_PAGE_TIMING_DIAGRAM, ID_LAYOUT_TIMING_DIAGRAM, "Timing Diagram", 0},
    {IDS_PAGE_CLOCK_SETTINGS, ID_LAYOUT_PLL, "PLL", WM_WIZ_RECALC_CLOCKS},
    {IDS_PAGE_PLL_SOLUTIONS, ID_LAYOUT_PLL_SOLUTIONS, "PLL Solutions", 0},
    {IDS_PAGE_REGISTER_OUTPUT, ID_LAYOUT_REGISTERS, "Registers", 0},
    {IDS_PAGE_MODES, ID_LAYOUT_MODES, "Modes", 0},
};

// The page of a page id or of a layout object id, or none.
const WizardPage* FindPageById(int pageId);
const WizardPage* FindPageByLayout(int layoutId);

// Commands.
inline constexpr int ID_FILE_SET_DEFAULTS = 32782;
inline constexpr int ID_FILE_STANDARD_INI = 32783;
inline constexpr int ID_FILE_EXPORT_DIAGRAM = 32784;
inline constexpr int ID_NEXT_PAGE = 32785;
inline constexpr int ID_PREV_PAGE = 32786;
inline constexpr int ID_FILE_OPEN_MODE_SET = 32787;
inline constexpr int ID_FILE_SAVE_MODE_SET = 32788;
inline constexpr int ID_FILE_EXPORT_REGISTER_TABLE = 32789;
inline constexpr int ID_FILE_EXPORT_MODE_SHEET = 32790;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_WINDOW_SPLIT = 57653;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;

inline constexpr int kRecentFileCount = 4;

// Fields of the document template string, in their order.
enum class DocString {
    WindowTitle,
    DocName,
    FileNewName,
    FilterName,
    FilterExt,
    RegFileTypeId,
    RegFileTypeName,
};

// The text of a string id, or an empty string for an id the shell does not know.
QString LoadShellString(int id);
// One field of the document template string.
QString GetDocString(DocString field);
