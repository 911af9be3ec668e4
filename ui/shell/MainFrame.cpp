// Main window: commands, status bar, the tabbed layout and the forwarding of wizard messages.
#include "MainFrame.h"

#include "CommandIcons.h"
#include "CreateContext.h"
#include "EditCommands.h"
#include "FormView.h"
#include "ImageParms.h"
#include "LeftView.h"
#include "ModesView.h"
#include "PLLCalcs.h"
#include "PllSolutionsView.h"
#include "RegOutView.h"
#include "ShellIds.h"
#include "SplitterWnd.h"
#include "TabWnd.h"
#include "TimingDiagramView.h"
#include "WizardMessages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>

namespace {

// A form view of class View, tied to the document of the creation context.
template <class View> const TWindowClass& FormViewClass(const char* name) {
    static const TWindowClass record{
        QString::fromLatin1(name),
        [](QWidget* parent, CCreateContext* context) -> QWidget* {
            // A form cannot work without its document.
            if (context == nullptr || context->m_view.m_pDoc == nullptr)
                return nullptr;
            auto* view = new View(context->m_view, parent);
            context->AddView(view, [view] { view->OnInitialUpdate(); });
            return view;
        },
        true};
    return record;
}

// A page of class View that is no form: created with the document, nothing to update at first.
template <class View> const TWindowClass& PageClass(const char* name) {
    static const TWindowClass record{QString::fromLatin1(name),
                                     [](QWidget* parent, CCreateContext* context) -> QWidget* {
                                         if (context == nullptr ||
                                             context->m_view.m_pDoc == nullptr)
                                             return nullptr;
                                         return new View(context->m_view, parent);
                                     },
                                     true};
    return record;
}

const TWindowClass& LeftViewClass() {
    static const TWindowClass record{
        QStringLiteral("CLeftView"),
        [](QWidget* parent, CCreateContext* context) -> QWidget* {
            auto* view = new CLeftView(parent);
            if (context != nullptr) {
                view->SetMainWnd(qobject_cast<QWidget*>(context->m_view.m_pMainFrame));
                context->AddView(view, [view] { view->OnInitialUpdate(); });
            }
            return view;
        },
        true};
    return record;
}

// The status-bar prompt of a command: its string up to the line feed.
QString PromptOf(int id) {
    return LoadShellString(id).section(QLatin1Char('\n'), 0, 0);
}
// The tooltip of a command: its string after the line feed.
QString TipOf(int id) {
    return LoadShellString(id).section(QLatin1Char('\n'), 1, 1);
}

// Commands the program has no handler for; the platform shows them greyed.
constexpr int kUnhandledCommands[] = {ID_WINDOW_SPLIT};

// The Edit menu's commands and what each does on the focused control.
struct EditCommandId {
    int id;
    EditCommand command;
};
constexpr EditCommandId kEditCommands[] = {{ID_EDIT_UNDO, EditCommand::Undo},
                                           {ID_EDIT_CUT, EditCommand::Cut},
                                           {ID_EDIT_COPY, EditCommand::Copy},
                                           {ID_EDIT_PASTE, EditCommand::Paste},
                                           {ID_EDIT_SELECT_ALL, EditCommand::SelectAll}};
// Commands kept disabled in menus, toolbar and accelerators alike.
constexpr int kAlwaysDisabled[] = {ID_FILE_NEW};

// The window class of a page that is one view; the Image Timing page is the timing splitter.
const TWindowClass* PageViewClass(int layoutId) {
    switch (layoutId) {
    case ID_LAYOUT_TIMING_DIAGRAM:
        return &FormViewClass<CTimingDiagramView>("CTimingDiagramView");
    case ID_LAYOUT_PLL:
        return &FormViewClass<CPLLCalcs>("CPLLCalcs");
    case ID_LAYOUT_PLL_SOLUTIONS:
        return &FormViewClass<CPllSolutionsView>("CPllSolutionsView");
    case ID_LAYOUT_REGISTERS:
        return &FormViewClass<CRegOutView>("CRegOutView");
    case ID_LAYOUT_MODES:
        return &PageClass<CModesView>("CModesView");
    default:
        return nullptr;
    }
}

// The lock indicators of the status bar and the locks they show.
struct Indicator {
    int id;
    LockKey key;
};
constexpr Indicator kIndicators[] = {{ID_INDICATOR_CAPS, LockKey::Caps},
                                     {ID_INDICATOR_NUM, LockKey::Num},
                                     {ID_INDICATOR_SCRL, LockKey::Scroll}};

// The form views of a page: the page itself or the forms inside it, in creation order.
std::vector<CFormView*> FormsOf(QWidget* page) {
    std::vector<CFormView*> forms;
    if (auto* form = dynamic_cast<CFormView*>(page))
        forms.push_back(form);
    else if (page != nullptr)
        for (QObject* child : page->children())
            if (auto* form = dynamic_cast<CFormView*>(child))
                forms.push_back(form);
    return forms;
}

} // namespace

CMainFrame::CMainFrame() {
    setWindowTitle(GetDocString(DocString::WindowTitle));
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    // The base classes close the window, which moves the focus: the frame's slots must not see
    // that, since by then the frame is only a QWidget.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    OnDestroy();
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text,
                                const QList<QKeySequence>& shortcuts) {
    QAction* action = m_commands.contains(id) ? m_commands[id] : nullptr;
    if (action == nullptr) {
        action = new QAction(CommandIcon(id), text, this);
        action->setProperty("commandId", id);
        action->setStatusTip(PromptOf(id));
        if (!TipOf(id).isEmpty())
            action->setToolTip(TipOf(id));
        action->setShortcuts(shortcuts);
        addAction(action); // accelerators work even while the menus are closed
        m_commands[id] = action;
    }
    if (menu != nullptr)
        menu->addAction(action);
    return action;
}

void CMainFrame::CreateFileMenu() {
    using QKS = QKeySequence;
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    connect(AddCommand(m_fileMenu, ID_FILE_SET_DEFAULTS, QStringLiteral("Set &Defaults")),
            &QAction::triggered, this, &CMainFrame::OnSetDefaults);
    AddCommand(m_fileMenu, ID_FILE_NEW, QStringLiteral("&New"), {QKS(Qt::CTRL | Qt::Key_N)});
    connect(AddCommand(m_fileMenu, ID_FILE_OPEN, QStringLiteral("&Open..."),
                       {QKS(Qt::CTRL | Qt::Key_O)}),
            &QAction::triggered, this, &CMainFrame::OpenRequested);
    connect(
        AddCommand(m_fileMenu, ID_FILE_SAVE, QStringLiteral("&Save"), {QKS(Qt::CTRL | Qt::Key_S)}),
        &QAction::triggered, this, &CMainFrame::SaveRequested);
    connect(AddCommand(m_fileMenu, ID_FILE_SAVE_AS, QStringLiteral("Save &As...")),
            &QAction::triggered, this, &CMainFrame::SaveAsRequested);
    connect(
        AddCommand(m_fileMenu, ID_FILE_EXPORT_DIAGRAM, QStringLiteral("&Export Timing Diagram...")),
        &QAction::triggered, this, &CMainFrame::ExportDiagramRequested);
    m_fileMenu->addSeparator();
    connect(AddCommand(m_fileMenu, ID_FILE_OPEN_MODE_SET, QStringLiteral("Open &Mode Set...")),
            &QAction::triggered, this, &CMainFrame::OpenModeSetRequested);
    connect(AddCommand(m_fileMenu, ID_FILE_SAVE_MODE_SET, QStringLiteral("Sa&ve Mode Set...")),
            &QAction::triggered, this, &CMainFrame::SaveModeSetRequested);
    connect(AddCommand(m_fileMenu, ID_FILE_EXPORT_REGISTER_TABLE,
                       QStringLiteral("Export &Register Table...")),
            &QAction::triggered, this, &CMainFrame::ExportRegisterTableRequested);
    m_fileMenu->addSeparator();
    connect(AddCommand(m_fileMenu, ID_FILE_PRINT, QStringLiteral("&Print..."),
                       {QKS(Qt::CTRL | Qt::Key_P)}),
            &QAction::triggered, this, &CMainFrame::PrintRequested);
    connect(AddCommand(m_fileMenu, ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Pre&view")),
            &QAction::triggered, this, &CMainFrame::PrintPreviewRequested);
    connect(AddCommand(m_fileMenu, ID_FILE_EXPORT_MODE_SHEET,
                       QStringLiteral("Export Mode S&heet (PDF)...")),
            &QAction::triggered, this, &CMainFrame::ExportModeSheetRequested);
    m_fileMenu->addSeparator();
    QAction* standardIni =
        AddCommand(m_fileMenu, ID_FILE_STANDARD_INI, QStringLiteral("Use Standard &INI File..."));
    standardIni->setCheckable(true);
    connect(standardIni, &QAction::triggered, this, [this](bool use) {
        // The check mark follows the document, which the handler may leave unchanged.
        SetStandardIniInUse(m_bStandardIniInUse);
        emit StandardIniRequested(use);
    });
    m_fileMenu->addSeparator();
    m_recentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
    m_recentPlaceholder->setEnabled(false);
    m_recentPlaceholder->setStatusTip(PromptOf(ID_FILE_MRU_FILE1));
    m_fileMenu->addAction(m_recentPlaceholder);
    m_fileMenu->addSeparator();
    connect(AddCommand(m_fileMenu, ID_APP_EXIT, QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);
}

void CMainFrame::CreateMenus() {
    using QKS = QKeySequence;
    CreateFileMenu();
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, ID_EDIT_UNDO, QStringLiteral("&Undo"),
               {QKS(Qt::CTRL | Qt::Key_Z), QKS(Qt::ALT | Qt::Key_Backspace)});
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_CUT, QStringLiteral("Cu&t"),
               {QKS(Qt::CTRL | Qt::Key_X), QKS(Qt::SHIFT | Qt::Key_Delete)});
    AddCommand(edit, ID_EDIT_COPY, QStringLiteral("&Copy"),
               {QKS(Qt::CTRL | Qt::Key_C), QKS(Qt::CTRL | Qt::Key_Insert)});
    AddCommand(edit, ID_EDIT_PASTE, QStringLiteral("&Paste"),
               {QKS(Qt::CTRL | Qt::Key_V), QKS(Qt::SHIFT | Qt::Key_Insert)});
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_SELECT_ALL, QStringLiteral("Select &All"),
               {QKS(Qt::CTRL | Qt::Key_A)});
    for (const EditCommandId& command : kEditCommands)
        connect(m_commands.at(command.id), &QAction::triggered, this,
                [this, command] { DoEdit(m_editTarget.data(), command.command); });
    // The commands follow the focused control and its selection, so their keys reach the control
    // itself whenever the command would do nothing.
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::WatchFocusedControl);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateEditCommands);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* toolbar = AddCommand(view, ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar"));
    toolbar->setCheckable(true);
    connect(toolbar, &QAction::triggered, this,
            [this](bool shown) { m_wndToolBar->setVisible(shown); });
    QAction* statusBar = AddCommand(view, ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"));
    statusBar->setCheckable(true);
    connect(statusBar, &QAction::triggered, this,
            [this](bool shown) { m_wndStatusBar->setVisible(shown); });
    AddCommand(view, ID_WINDOW_SPLIT, QStringLiteral("S&plit"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(AddCommand(help, ID_APP_ABOUT, QStringLiteral("&About Register Wizard...")),
            &QAction::triggered, this, &CMainFrame::AboutRequested);

    connect(AddCommand(nullptr, ID_NEXT_PANE, QStringLiteral("Next Pane"), {QKS(Qt::Key_F6)}),
            &QAction::triggered, this, &CMainFrame::SwitchPane);
    connect(AddCommand(nullptr, ID_PREV_PANE, QStringLiteral("Previous Pane"),
                       {QKS(Qt::SHIFT | Qt::Key_F6)}),
            &QAction::triggered, this, &CMainFrame::SwitchPane);

    // The page switching keys of tabbed windows; past the last page comes the first again.
    connect(AddCommand(nullptr, ID_NEXT_PAGE, QStringLiteral("Next Page"),
                       {QKS(Qt::CTRL | Qt::Key_Tab), QKS(Qt::CTRL | Qt::Key_PageDown)}),
            &QAction::triggered, this, [this] { StepPage(1); });
    connect(
        AddCommand(nullptr, ID_PREV_PAGE, QStringLiteral("Previous Page"),
                   {QKS(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKS(Qt::CTRL | Qt::Key_PageUp)}),
        &QAction::triggered, this, [this] { StepPage(-1); });

    // Menus are brought up to date as they open, the way update handlers run.
    for (QMenu* menu : {m_fileMenu, edit, view, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar%1").arg(ID_VIEW_TOOLBAR));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                         ID_EDIT_PASTE, 0, ID_FILE_PRINT, 0, ID_FILE_SET_DEFAULTS, ID_APP_ABOUT}) {
        if (id == 0)
            m_wndToolBar->addSeparator();
        else
            m_wndToolBar->addAction(m_commands.at(id));
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("statusbar%1").arg(ID_VIEW_STATUS_BAR));
    m_messagePane = new QLabel(LoadShellString(AFX_IDS_IDLEMESSAGE), m_wndStatusBar);
    // A long text is cut at the pane's end rather than widening the window.
    m_messagePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_wndStatusBar->addWidget(m_messagePane, 1);
    // When a menu or toolbar prompt goes, the pane shows the idle message, not an older hint.
    // A held note stays.
    connect(m_wndStatusBar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty() && !m_bNoteHeld)
            m_messagePane->setText(LoadShellString(AFX_IDS_IDLEMESSAGE));
    });
    for (const Indicator& lock : kIndicators) {
        const QString text = LoadShellString(lock.id);
        auto* indicator = new QLabel(text, m_wndStatusBar);
        indicator->setObjectName(text);
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        // The pane keeps its width while its text is off.
        indicator->setMinimumWidth(indicator->sizeHint().width());
        m_wndStatusBar->addPermanentWidget(indicator);
        m_indicators[lock.id] = indicator;
    }
    setStatusBar(m_wndStatusBar);
    connect(&m_keyLocks, &CKeyLockState::Changed, this, &CMainFrame::UpdateKeyIndicators);
    UpdateKeyIndicators();
}

void CMainFrame::UpdateKeyIndicators() {
    for (const Indicator& lock : kIndicators) {
        QLabel* indicator = m_indicators.at(lock.id);
        indicator->setEnabled(m_keyLocks.IsKnown());
        const bool shown = !m_keyLocks.IsKnown() || m_keyLocks.IsOn(lock.key);
        indicator->setText(shown ? LoadShellString(lock.id) : QString());
    }
}

QLabel* CMainFrame::GetIndicator(int id) const {
    const auto found = m_indicators.find(id);
    return found != m_indicators.end() ? found->second : nullptr;
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_commands)
        action->setEnabled(true);
    for (const int id : kAlwaysDisabled)
        m_commands.at(id)->setEnabled(false);
    for (const int id : kUnhandledCommands)
        m_commands.at(id)->setEnabled(false);
    UpdateEditCommands();
    m_commands.at(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
    m_commands.at(ID_VIEW_STATUS_BAR)->setChecked(!m_wndStatusBar->isHidden());
    m_commands.at(ID_FILE_STANDARD_INI)->setChecked(m_bStandardIniInUse);
}

void CMainFrame::SetStandardIniInUse(bool inUse) {
    m_bStandardIniInUse = inUse;
    m_commands.at(ID_FILE_STANDARD_INI)->setChecked(inUse);
}

QAction* CMainFrame::GetCommand(int id) const {
    const auto found = m_commands.find(id);
    return found != m_commands.end() ? found->second : nullptr;
}

std::vector<int> CMainFrame::GetToolBarCommands() const {
    std::vector<int> ids;
    for (QAction* action : m_wndToolBar->actions())
        ids.push_back(action->isSeparator() ? 0 : action->property("commandId").toInt());
    return ids;
}

QString CMainFrame::GetMessageText() const {
    return m_messagePane->text();
}

void CMainFrame::SetMessageText(const QString& text) {
    m_wndStatusBar->clearMessage();
    m_messagePane->setText(text);
    m_messagePane->setToolTip(text);
}

void CMainFrame::ShowNote(const QString& note) {
    SetMessageText(note.isEmpty() ? LoadShellString(AFX_IDS_IDLEMESSAGE) : note);
    if (!std::exchange(m_bNoteHeld, !note.isEmpty()) && m_bNoteHeld)
        qApp->installEventFilter(this);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The input goes on to its control, whose hint may then replace the note.
        m_bNoteHeld = false;
        qApp->removeEventFilter(this);
        break;
    default:
        break;
    }
    return CWndT<QMainWindow>::eventFilter(watched, event);
}

void CMainFrame::ShowPageHint(int index) {
    const auto* tabs = qobject_cast<TTabWnd*>(m_Framework.GetWnd(ID_LAYOUT_TABS));
    if (m_bNoteHeld || tabs == nullptr)
        return;
    QWidget* page = tabs->GetTabWnd(index);
    std::vector<QWidget*> views;
    for (CFormView* form : FormsOf(page))
        views.push_back(form);
    if (views.empty())
        views.push_back(page);
    QString hint;
    for (QWidget* view : views)
        SendWizardMessage(view, WM_WIZ_GET_FOCUS_HINT, reinterpret_cast<std::uintptr_t>(&hint), 0);
    SetMessageText(hint.isEmpty() ? LoadShellString(AFX_IDS_IDLEMESSAGE) : hint);
}

void CMainFrame::SetRecentFiles(const QStringList& paths) {
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    m_recentPlaceholder->setVisible(paths.isEmpty());
    for (int i = 0; i < paths.size() && i < kRecentFileCount; ++i) {
        const QString& path = paths[i];
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this);
        action->setProperty("commandId", ID_FILE_MRU_FILE1 + i);
        action->setStatusTip(PromptOf(ID_FILE_MRU_FILE1));
        connect(action, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        m_recentActions.push_back(action);
    }
}

bool CMainFrame::OnCreateClient(CCreateContext* context) {
    auto add = [this](TVisualObject* parent, std::unique_ptr<TVisualObject> child) {
        return parent != nullptr ? m_Framework.AddChild(parent, std::move(child))
                                 : m_Framework.AddRoot(std::move(child));
    };
    const TWindowClass* imageParms = &FormViewClass<CImageParms>("CImageParms");
    add(nullptr,
        std::make_unique<TVisualObject>(ID_LAYOUT_MAIN_SPLITTER, "Main Splitter", 1, 2, context));
    TVisualObject* mainSplitter = m_Framework.Find(ID_LAYOUT_MAIN_SPLITTER);
    add(mainSplitter, std::make_unique<TVisualObject>(ID_LAYOUT_NAV_TREE, 0, 0, context,
                                                      &LeftViewClass(), QSize(150, 0)));
    add(mainSplitter, std::make_unique<TVisualObject>(ID_LAYOUT_TABS, 0, 1, context,
                                                      &TTabWnd::Class(), QSize(900, 500)));
    // One tab per page, in the order of the page table, which is the tree's order too.
    TVisualObject* tabs = m_Framework.Find(ID_LAYOUT_TABS);
    for (const WizardPage& page : kWizardPages) {
        const QString title = QString::fromLatin1(page.title);
        if (page.layoutId != ID_LAYOUT_TIMING_SPLITTER) {
            add(tabs, std::make_unique<TVisualObject>(page.layoutId, title, context,
                                                      PageViewClass(page.layoutId)));
            continue;
        }
        add(tabs, std::make_unique<TVisualObject>(page.layoutId, title, 2, 1, context));
        TVisualObject* timing = m_Framework.Find(page.layoutId);
        add(timing, std::make_unique<TVisualObject>(ID_LAYOUT_TIMING_TOP, 0, 0, context, imageParms,
                                                    QSize(0, 760)));
        add(timing, std::make_unique<TVisualObject>(ID_LAYOUT_TIMING_BOTTOM, 1, 0, context,
                                                    imageParms, QSize(0, 3)));
    }

    m_Framework.Create(this);
    // The strip tells the tree which tab the user clicked, through the frame as every request.
    if (auto* tabWnd = qobject_cast<TTabWnd*>(m_Framework.GetWnd(ID_LAYOUT_TABS))) {
        connect(tabWnd, &TTabWnd::TabClicked, this, [this](int index) {
            PostWizardMessage(this, WM_WIZ_SELECT_TREE_ITEM,
                              static_cast<std::uintptr_t>(static_cast<std::intptr_t>(index)), 0);
        });
        // A hint from the page left behind never stays.
        connect(tabWnd, &TTabWnd::ActiveTabChanged, this, &CMainFrame::ShowPageHint);
    }
    auto* top = dynamic_cast<CImageParms*>(m_Framework.GetWnd(ID_LAYOUT_TIMING_TOP));
    auto* bottom = dynamic_cast<CImageParms*>(m_Framework.GetWnd(ID_LAYOUT_TIMING_BOTTOM));
    if (top != nullptr)
        top->SetContext(0);
    if (bottom != nullptr)
        bottom->SetContext(1);
    // The reduced bottom form shows nothing: a taller window gives its room to the full form.
    if (auto* timing = qobject_cast<CSplitterWnd*>(m_Framework.GetWnd(ID_LAYOUT_TIMING_SPLITTER)))
        timing->SetStretchPane(0, 0);
    ShowTab(ID_LAYOUT_TIMING_SPLITTER);

    // Every later step relies on each of the windows; a layout with a gap is not used.
    for (const int id :
         {ID_LAYOUT_MAIN_SPLITTER, ID_LAYOUT_NAV_TREE, ID_LAYOUT_TABS, ID_LAYOUT_TIMING_SPLITTER,
          ID_LAYOUT_TIMING_DIAGRAM, ID_LAYOUT_PLL, ID_LAYOUT_PLL_SOLUTIONS, ID_LAYOUT_REGISTERS,
          ID_LAYOUT_MODES, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_TIMING_BOTTOM}) {
        if (m_Framework.GetWnd(id) == nullptr)
            return false;
    }
    return true;
}

void CMainFrame::ShowTab(int objectId) {
    m_Framework.SetActiveTab(m_Framework.Find(objectId));
}

void CMainFrame::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kWizardPages)))
        return;
    ShowTab(kWizardPages[index].layoutId);
    // The tree follows as it follows a click on the strip.
    PostWizardMessage(this, WM_WIZ_SELECT_TREE_ITEM, static_cast<std::uintptr_t>(index), 0);
}

void CMainFrame::StepPage(int step) {
    const auto* tabs = qobject_cast<TTabWnd*>(m_Framework.GetWnd(ID_LAYOUT_TABS));
    if (tabs == nullptr)
        return;
    const int count = static_cast<int>(std::size(kWizardPages));
    ShowPage(((tabs->GetActiveTab() + step) % count + count) % count);
}

void CMainFrame::InitialUpdateFrame() {
    ShowTab(kWizardPages[0].layoutId);
}

bool CMainFrame::CommitEdits() {
    for (int index = 0; index < static_cast<int>(std::size(kWizardPages)); ++index) {
        for (CFormView* form : FormsOf(m_Framework.GetWnd(kWizardPages[index].layoutId))) {
            if (form->FirstBadEdit() == 0)
                continue;
            ShowPage(index);
            return form->CommitEdits();
        }
    }
    return true;
}

void CMainFrame::OnSetDefaults() {
    // The clock form first, so the timing defaults are computed with the default clocks; the
    // register lists are refilled last, from the final values.
    for (const int id : {ID_LAYOUT_PLL, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_REGISTERS})
        SendWizardMessage(m_Framework.GetWnd(id), WM_WIZ_SET_DEFAULTS, 0, 0);
    emit DefaultsSet();
}

void CMainFrame::OnRestoreParameters(const ParameterSet& given) {
    // The order of Set Defaults: the clock first, then the image request, the lists last.
    for (const int id : {ID_LAYOUT_PLL, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_REGISTERS})
        SendWizardMessage(m_Framework.GetWnd(id), WM_WIZ_RESTORE_PARAMETERS,
                          reinterpret_cast<std::uintptr_t>(&given), 0);
    // The opened document starts on the first page, in the tabs and the tree alike.
    ShowPage(0);
}

bool CMainFrame::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    switch (message) {
    case WM_WIZ_STATUS_TEXT:
        // wParam is the address of a text that lives only during this call.
        if (const auto* text = reinterpret_cast<const QString*>(wParam); text && !m_bNoteHeld)
            SetMessageText(*text);
        break;
    case WM_WIZ_SHOW_PAGE:
        if (const WizardPage* page = FindPageById(static_cast<int>(wParam))) {
            if (page->showFirst != 0)
                PostWizardMessage(m_Framework.GetWnd(page->layoutId), page->showFirst, 0, 0);
            ShowTab(page->layoutId);
        }
        break;
    case WM_WIZ_SELECT_TREE_ITEM:
        PostWizardMessage(m_Framework.GetWnd(ID_LAYOUT_NAV_TREE), message, wParam, 0);
        break;
    case WM_WIZ_RECALC_CONTEXT:
        PostWizardMessage(m_Framework.GetWnd(ID_LAYOUT_TIMING_TOP), message, wParam, 0);
        break;
    case WM_WIZ_TIMING_CHANGED:
        // The document was recalculated once; the pages only show it.
        for (const int id : {ID_LAYOUT_TIMING_TOP, ID_LAYOUT_TIMING_DIAGRAM})
            PostWizardMessage(m_Framework.GetWnd(id), message, wParam, 0);
        emit DocumentChanged();
        break;
    case WM_WIZ_USE_PLL_SOLUTION:
    case WM_WIZ_FREE_PLL_DIVIDERS:
        PostWizardMessage(m_Framework.GetWnd(ID_LAYOUT_PLL), message, wParam, 0);
        break;
    case WM_WIZ_CLOCKS_RECALCULATED:
        for (const int id : {ID_LAYOUT_PLL, ID_LAYOUT_PLL_SOLUTIONS})
            PostWizardMessage(m_Framework.GetWnd(id), message, wParam, 0);
        emit DocumentChanged();
        break;
    case WM_WIZ_OUTPUT_FORM_CHANGED:
        emit DocumentChanged();
        break;
    case WM_WIZ_OPEN_MODE:
        if (const auto* parameters = reinterpret_cast<const ParameterSet*>(wParam))
            emit OpenModeRequested(*parameters);
        break;
    case WM_WIZ_SAVE_MODE_SWITCH:
        if (const auto* lines = reinterpret_cast<const std::string*>(wParam))
            emit SaveModeSwitchRequested(*lines);
        break;
    default:
        break;
    }
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_canClose && !m_canClose()) {
        event->ignore();
        return;
    }
    CWndT<QMainWindow>::closeEvent(event);
}

void CMainFrame::OnDestroy() {
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    m_Framework.Destroy();
}

void CMainFrame::SetClientWindow(QWidget* window) {
    setCentralWidget(window);
}

void CMainFrame::SetActiveView(QWidget* view, bool) {
    m_activeView = view;
}

void CMainFrame::SwitchPane() {
    // Two panes, the tree and the shown page: the next and the previous pane are the same one.
    QWidget* tree = m_Framework.GetWnd(ID_LAYOUT_NAV_TREE);
    auto* tabs = qobject_cast<TTabWnd*>(m_Framework.GetWnd(ID_LAYOUT_TABS));
    if (tree == nullptr || tabs == nullptr)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool inTree = focus != nullptr && (focus == tree || tree->isAncestorOf(focus));
    if (!inTree) {
        tree->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (QWidget* target = PageFocusTarget(tabs->GetTabWnd(tabs->GetActiveTab())))
        target->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::UpdateEditCommands() {
    for (const EditCommandId& command : kEditCommands)
        m_commands.at(command.id)->setEnabled(CanEdit(m_editTarget.data(), command.command));
}

void CMainFrame::WatchFocusedControl(QWidget*, QWidget* now) {
    // The menu bar takes the focus while the keyboard opens a menu; the Edit menu still acts on
    // the control the user was in.
    if (now == nullptr || qobject_cast<QMenuBar*>(now) || qobject_cast<QMenu*>(now))
        return;
    m_editTarget = now;
    for (const QMetaObject::Connection& connection : m_focusWatch)
        disconnect(connection);
    m_focusWatch.clear();
    const auto watch = [this](const auto* sender, auto signal) {
        m_focusWatch.push_back(connect(sender, signal, this, &CMainFrame::UpdateEditCommands));
    };
    if (const auto* combo = qobject_cast<QComboBox*>(now); combo && combo->lineEdit())
        now = combo->lineEdit();
    if (const auto* edit = qobject_cast<QLineEdit*>(now)) {
        watch(edit, &QLineEdit::selectionChanged);
        watch(edit, &QLineEdit::textChanged);
    } else if (const auto* pane = qobject_cast<QTextEdit*>(now)) {
        watch(pane, &QTextEdit::selectionChanged);
        watch(pane, &QTextEdit::textChanged);
    } else if (const auto* plain = qobject_cast<QPlainTextEdit*>(now)) {
        watch(plain, &QPlainTextEdit::selectionChanged);
        watch(plain, &QPlainTextEdit::textChanged);
    }
    UpdateEditCommands();
}
