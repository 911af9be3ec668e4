// The main frame: layout objects, commands, status bar and the routing of every wizard message.
#include "WizardFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>

#include <ostream>

namespace {

using MainFrameTest = WizardTest;

TEST_F(MainFrameTest, LayoutHoldsTheTenObjectsWithTheirWindows) {
    ASSERT_TRUE(m_started);
    EXPECT_NE(qobject_cast<CSplitterWnd*>(Wnd(ID_LAYOUT_MAIN_SPLITTER)), nullptr);
    EXPECT_NE(dynamic_cast<CLeftView*>(Wnd(ID_LAYOUT_NAV_TREE)), nullptr);
    EXPECT_NE(qobject_cast<TTabWnd*>(Wnd(ID_LAYOUT_TABS)), nullptr);
    EXPECT_NE(qobject_cast<CSplitterWnd*>(Wnd(ID_LAYOUT_TIMING_SPLITTER)), nullptr);
    EXPECT_NE(dynamic_cast<CPLLCalcs*>(Wnd(ID_LAYOUT_PLL)), nullptr);
    EXPECT_NE(dynamic_cast<CPllSolutionsView*>(Wnd(ID_LAYOUT_PLL_SOLUTIONS)), nullptr);
    EXPECT_NE(dynamic_cast<CRegOutView*>(Wnd(ID_LAYOUT_REGISTERS)), nullptr);
    EXPECT_NE(dynamic_cast<CImageParms*>(Wnd(ID_LAYOUT_TIMING_TOP)), nullptr);
    EXPECT_NE(dynamic_cast<CImageParms*>(Wnd(ID_LAYOUT_TIMING_BOTTOM)), nullptr);
    EXPECT_NE(dynamic_cast<CTimingDiagramView*>(Wnd(ID_LAYOUT_TIMING_DIAGRAM)), nullptr);
    EXPECT_NE(dynamic_cast<CPllSolutionsView*>(Wnd(ID_LAYOUT_PLL_SOLUTIONS)), nullptr);
    EXPECT_EQ(Frame().GetFramework().GetObjectCount(), 11);
    EXPECT_EQ(Frame().centralWidget(), Wnd(ID_LAYOUT_MAIN_SPLITTER));

    ASSERT_EQ(Tabs().GetTabCount(), 6);
    EXPECT_EQ(Tabs().GetTab(kImageTimingPage)->GetText(), "Image Timing");
    EXPECT_EQ(Tabs().GetTab(kTimingDiagramPage)->GetText(), "Timing Diagram");
    EXPECT_EQ(Tabs().GetTab(kClockSettingsPage)->GetText(), "PLL");
    EXPECT_EQ(Tabs().GetTab(kPllSolutionsPage)->GetText(), "PLL Solutions");
    EXPECT_EQ(Tabs().GetTab(kRegisterOutputPage)->GetText(), "Registers");
    EXPECT_EQ(Tabs().GetTab(kModesPage)->GetText(), "Modes");
    EXPECT_EQ(Frame().GetFramework().Find(ID_LAYOUT_MAIN_SPLITTER)->GetTitle(), "Main Splitter");
}

TEST_F(MainFrameTest, StartsOnImageTimingWithTheRegisterViewActive) {
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
    EXPECT_TRUE(Wnd(ID_LAYOUT_TIMING_SPLITTER)->isVisible());
    EXPECT_EQ(Frame().GetActiveView(), Wnd(ID_LAYOUT_REGISTERS));
    EXPECT_EQ(TimingTop().m_nContext, 0);
    EXPECT_EQ(TimingTop().m_bFollowOtherContext, 0);
    auto& bottom = *dynamic_cast<CImageParms*>(Wnd(ID_LAYOUT_TIMING_BOTTOM));
    EXPECT_EQ(bottom.m_nContext, 0);
    auto* timing = qobject_cast<CSplitterWnd*>(Wnd(ID_LAYOUT_TIMING_SPLITTER));
    EXPECT_EQ(timing->GetPane(0, 0), Wnd(ID_LAYOUT_TIMING_TOP));
    EXPECT_EQ(timing->GetPane(1, 0), Wnd(ID_LAYOUT_TIMING_BOTTOM));
    auto* main = qobject_cast<CSplitterWnd*>(Wnd(ID_LAYOUT_MAIN_SPLITTER));
    EXPECT_EQ(main->sizes().at(0), 150);
}

struct PageCase {
    std::uintptr_t pageId;
    int tab;

    friend std::ostream& operator<<(std::ostream& out, const PageCase& c) {
        return out << "page" << c.pageId;
    }
};

class ShowPageTest : public WizardTest, public testing::WithParamInterface<PageCase> {};

TEST_P(ShowPageTest, ShowsTheTabOfThePage) {
    PostWizardMessage(&Frame(), WM_WIZ_SHOW_PAGE, GetParam().pageId, 0);
    PumpEvents();
    EXPECT_EQ(Tabs().GetActiveTab(), GetParam().tab);
    // The frame's active view is not changed by a page shown from the tree.
    EXPECT_EQ(Frame().GetActiveView(), Wnd(ID_LAYOUT_REGISTERS));
}

INSTANTIATE_TEST_SUITE_P(Pages, ShowPageTest,
                         testing::Values(PageCase{129, kRegisterOutputPage},
                                         PageCase{130, kImageTimingPage},
                                         PageCase{132, kClockSettingsPage},
                                         PageCase{134, kTimingDiagramPage},
                                         PageCase{140, kPllSolutionsPage}));

class UnknownPageTest : public WizardTest, public testing::WithParamInterface<std::uintptr_t> {};

TEST_P(UnknownPageTest, ChangesNothing) {
    PostWizardMessage(&Frame(), WM_WIZ_SHOW_PAGE, 129, 0);
    PumpEvents();
    Doc().m_strClockReport.clear();
    PostWizardMessage(&Frame(), WM_WIZ_SHOW_PAGE, GetParam(), 0);
    PumpEvents();
    EXPECT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);
    EXPECT_TRUE(Doc().m_strClockReport.empty());
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

INSTANTIATE_TEST_SUITE_P(Ids, UnknownPageTest,
                         testing::Values(0u, 128u, 131u, 133u, 1u, 12u,
                                         static_cast<std::uintptr_t>(-1)));

TEST_F(MainFrameTest, ClockSettingsPageRerunsTheClockCalculationEachTime) {
    CMessageSpy spy;
    spy.Watch(Wnd(ID_LAYOUT_PLL), ID_LAYOUT_PLL);
    for (int round = 0; round < 3; ++round) {
        Doc().m_strClockReport.clear();
        ClickTreeItem(kClockSettingsPage);
        EXPECT_EQ(Tabs().GetActiveTab(), kClockSettingsPage);
        EXPECT_FALSE(Doc().m_strClockReport.empty()) << round;
        ClickTreeItem(kRegisterOutputPage);
        EXPECT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);
    }
    EXPECT_EQ(spy.Of(WM_WIZ_RECALC_CLOCKS).size(), 3u);
}

TEST_F(MainFrameTest, PllTabRerunsTheClockCalculationThroughTheTree) {
    Doc().m_strClockReport.clear();
    ClickStrip(Tabs().GetTab(kClockSettingsPage)->m_nLeft + 5);
    EXPECT_EQ(Tabs().GetActiveTab(), kClockSettingsPage);
    EXPECT_EQ(CurrentTreeText(), "Clock Settings");
    EXPECT_FALSE(Doc().m_strClockReport.empty());
    EXPECT_EQ(Frame().GetActiveView(), Wnd(ID_LAYOUT_PLL));
}

TEST_F(MainFrameTest, StripClickRightOfTheLastTabShowsImageTiming) {
    ClickTreeItem(kModesPage);
    ASSERT_EQ(Tabs().GetActiveTab(), kModesPage);
    CMessageSpy spy;
    spy.Watch(Wnd(ID_LAYOUT_NAV_TREE), ID_LAYOUT_NAV_TREE);
    ClickStrip(Tabs().GetTab(kModesPage)->m_nRight + 40);
    EXPECT_EQ(spy.Of(WM_WIZ_SELECT_TREE_ITEM),
              (std::vector<CMessageSpy::Seen>{{ID_LAYOUT_NAV_TREE, WM_WIZ_SELECT_TREE_ITEM, -1}}));
    EXPECT_EQ(CurrentTreeText(), "Image Timing");
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
}

TEST_F(MainFrameTest, SetDefaultsGoesToClockThenTimingThenRegisters) {
    CMessageSpy spy;
    for (const int id :
         {ID_LAYOUT_PLL, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_REGISTERS, ID_LAYOUT_TIMING_BOTTOM})
        spy.Watch(Wnd(id), id);
    // A changed clock must be back at its default before the timing defaults are computed.
    Doc().m_dTargetSystemFreq = Doc().m_dEnteredSystemFreq = 30.0;
    Pll().UpdateData(false);
    Trigger(ID_FILE_SET_DEFAULTS);

    std::vector<int> order;
    for (const CMessageSpy::Seen& seen : spy.Of(WM_WIZ_SET_DEFAULTS))
        order.push_back(seen.objectId);
    EXPECT_EQ(order, (std::vector<int>{ID_LAYOUT_PLL, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_REGISTERS}));
    EXPECT_DOUBLE_EQ(Doc().m_dTargetSystemFreq, 44.0);

    // The lists show the final register values.
    auto* list = Registers().Item<QTableWidget>(IDC_IFP_REGISTER_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 3)->text(), QString::number(Doc().m_Registers[0].m_nValue));
}

TEST_F(MainFrameTest, NewStaysDisabledInEveryStateAndOpenAndPrintAreEnabled) {
    auto expectStates = [this](const char* when) {
        EXPECT_FALSE(Frame().GetCommand(ID_FILE_NEW)->isEnabled()) << when;
        for (const int id : {ID_FILE_OPEN, ID_FILE_SET_DEFAULTS, ID_FILE_PRINT})
            EXPECT_TRUE(Frame().GetCommand(id)->isEnabled()) << id << " " << when;
    };
    expectStates("after start-up");
    Frame().UpdateCommandStates();
    expectStates("after an update");
    Trigger(ID_FILE_SET_DEFAULTS);
    expectStates("after Set Defaults");
    ClickTreeItem(kClockSettingsPage);
    expectStates("on the PLL page");
    // Ctrl+N is dead; Ctrl+O asks for a settings file (cancelled here, so nothing opens).
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    PumpEvents();
    EXPECT_TRUE(m_dialogs.empty());
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    PumpEvents();
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs[0].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(m_dialogs[0].filter, ".ini (*.ini)");
    // Set Defaults was a change; the cancelled dialog asked nothing about it.
    EXPECT_EQ(Frame().windowTitle(), "QX7R310_Init* - QX7R310 Register Wizard");
    EXPECT_TRUE(m_prompts.Texts().empty());
    expectStates("after Ctrl+N and Ctrl+O");
}

struct CommandCase {
    int id;
    const char* text;
    const char* shortcuts;
    const char* statusTip;

    friend std::ostream& operator<<(std::ostream& out, const CommandCase& c) {
        return out << "command" << c.id;
    }
};

class MenuCommandTest : public WizardTest, public testing::WithParamInterface<CommandCase> {};

TEST_P(MenuCommandTest, HasItsTextShortcutsAndPrompt) {
    const QAction* action = Frame().GetCommand(GetParam().id);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), GetParam().text);
    QStringList shortcuts;
    for (const QKeySequence& key : action->shortcuts())
        shortcuts << key.toString(QKeySequence::PortableText);
    EXPECT_EQ(shortcuts.join(", "), GetParam().shortcuts);
    EXPECT_EQ(action->statusTip(), GetParam().statusTip);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MenuCommandTest,
    testing::Values(
        CommandCase{ID_FILE_SET_DEFAULTS, "Set &Defaults", "", ""},
        CommandCase{ID_FILE_NEW, "&New", "Ctrl+N", "Create a new document"},
        CommandCase{ID_FILE_OPEN, "&Open...", "Ctrl+O", "Open an existing document"},
        CommandCase{ID_FILE_SAVE, "&Save", "Ctrl+S", "Write settings to Tessaly .ini file"},
        CommandCase{ID_FILE_SAVE_AS, "Save &As...", "", "Save the active document with a new name"},
        CommandCase{ID_FILE_EXPORT_DIAGRAM, "&Export Timing Diagram...", "",
                    "Write the timing diagram to an SVG or PNG file"},
        CommandCase{ID_FILE_PRINT, "&Print...", "Ctrl+P", "Print the active document"},
        CommandCase{ID_FILE_PRINT_PREVIEW, "Print Pre&view", "", "Display full pages"},
        CommandCase{ID_FILE_EXPORT_MODE_SHEET, "Export Mode S&heet (PDF)...", "",
                    "Write the mode sheet: reports, registers and timing diagram, one page per "
                    "mode, as a PDF file"},
        CommandCase{ID_APP_EXIT, "E&xit", "", "Quit the application; prompts to save documents"},
        CommandCase{ID_EDIT_UNDO, "&Undo", "Ctrl+Z, Alt+Backspace", "Undo the last action"},
        CommandCase{ID_EDIT_CUT, "Cu&t", "Ctrl+X, Shift+Del",
                    "Cut the selection and put it on the Clipboard"},
        CommandCase{ID_EDIT_COPY, "&Copy", "Ctrl+C, Ctrl+Ins",
                    "Copy the selection and put it on the Clipboard"},
        CommandCase{ID_EDIT_PASTE, "&Paste", "Ctrl+V, Shift+Ins", "Insert Clipboard contents"},
        CommandCase{ID_EDIT_SELECT_ALL, "Select &All", "Ctrl+A", "Select the entire document"},
        CommandCase{ID_VIEW_TOOLBAR, "&Toolbar", "", "Show or hide the toolbar"},
        CommandCase{ID_VIEW_STATUS_BAR, "&Status Bar", "", "Show or hide the status bar"},
        CommandCase{ID_WINDOW_SPLIT, "S&plit", "", "Split the active window into panes"},
        CommandCase{ID_APP_ABOUT, "&About Register Wizard...", "",
                    "Display program information, version number and copyright"},
        CommandCase{ID_NEXT_PANE, "Next Pane", "F6", "Switch to the next window pane"},
        CommandCase{ID_PREV_PANE, "Previous Pane", "Shift+F6",
                    "Switch back to the previous window pane"}));

TEST_F(MainFrameTest, MenusListTheirItemsInOrder) {
    QStringList menus;
    std::vector<QStringList> items;
    for (QAction* menuAction : Frame().menuBar()->actions()) {
        menus << menuAction->text();
        QStringList texts;
        for (QAction* item : menuAction->menu()->actions())
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        items.push_back(texts);
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Help"}));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], (QStringList{"Set &Defaults",
                                     "&New",
                                     "&Open...",
                                     "&Save",
                                     "Save &As...",
                                     "&Export Timing Diagram...",
                                     "-",
                                     "Open &Mode Set...",
                                     "Sa&ve Mode Set...",
                                     "Export &Register Table...",
                                     "-",
                                     "&Print...",
                                     "Print Pre&view",
                                     "Export Mode S&heet (PDF)...",
                                     "-",
                                     "Use Standard &INI File...",
                                     "-",
                                     "Recent File",
                                     "-",
                                     "E&xit"}));
    EXPECT_EQ(items[1], (QStringList{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "-", "Select &All"}));
    EXPECT_EQ(items[2], (QStringList{"&Toolbar", "&Status Bar", "S&plit"}));
    EXPECT_EQ(items[3], (QStringList{"&About Register Wizard..."}));
}

TEST_F(MainFrameTest, ToolbarButtonsInOrderWithIcons) {
    EXPECT_EQ(
        Frame().GetToolBarCommands(),
        (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                          ID_EDIT_PASTE, 0, ID_FILE_PRINT, 0, ID_FILE_SET_DEFAULTS, ID_APP_ABOUT}));
    for (const int id : {ID_FILE_NEW, ID_FILE_SAVE, ID_FILE_SET_DEFAULTS, ID_APP_ABOUT})
        EXPECT_FALSE(Frame().GetCommand(id)->icon().isNull()) << id;
    EXPECT_EQ(Frame().GetCommand(ID_FILE_SAVE)->toolTip(), "Write");
    EXPECT_EQ(Frame().GetToolBar()->iconSize(), QSize(16, 15));
}

TEST_F(MainFrameTest, ToolbarAndStatusBarToggle) {
    Trigger(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Frame().GetToolBar()->isHidden());
    Trigger(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(Frame().GetToolBar()->isHidden());
    Trigger(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Frame().GetStatusBar()->isHidden());
    Frame().UpdateCommandStates();
    EXPECT_FALSE(Frame().GetCommand(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(MainFrameTest, StatusBarHasMessagePaneAndIndicators) {
    EXPECT_EQ(Frame().GetMessageText(), "Ready");
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* indicator = Frame().GetStatusBar()->findChild<QLabel*>(name);
        ASSERT_NE(indicator, nullptr) << name;
#ifndef _WIN32
        // The state is unknown here, so the name stays; on Windows it follows the lock.
        EXPECT_EQ(indicator->text(), name);
#endif
    }
}

TEST_F(MainFrameTest, StatusTextMessageFillsTheMessagePane) {
    const QString text = QStringLiteral("Output Frequency: Enter desired PLL output frequency");
    SendWizardMessage(&Frame(), WM_WIZ_STATUS_TEXT, reinterpret_cast<std::uintptr_t>(&text), 0);
    EXPECT_EQ(Frame().GetMessageText(), text);
    // A null address is ignored.
    SendWizardMessage(&Frame(), WM_WIZ_STATUS_TEXT, 0, 0);
    EXPECT_EQ(Frame().GetMessageText(), text);
}

TEST_F(MainFrameTest, FocusInAFormShowsItsHintInTheStatusBar) {
    ClickTreeItem(kClockSettingsPage);
    QWidget* edit = Pll().GetDlgItem(IDC_TARGET_SYSTEM_FREQ);
    ASSERT_NE(edit, nullptr);
    QApplication::setActiveWindow(&Frame());
    edit->setFocus(Qt::TabFocusReason);
    PumpEvents();
    EXPECT_EQ(Frame().GetMessageText(), "Output Frequency: Enter desired PLL output frequency");
}

struct ForwardCase {
    unsigned message;
    std::uintptr_t wParam;
    std::vector<int> receivers; // in the order they get it

    friend std::ostream& operator<<(std::ostream& out, const ForwardCase& c) {
        return out << "message" << c.message;
    }
};

class ForwardTest : public WizardTest, public testing::WithParamInterface<ForwardCase> {};

TEST_P(ForwardTest, ReachesTheWindowsThatActOnIt) {
    CMessageSpy spy;
    for (const int id :
         {ID_LAYOUT_NAV_TREE, ID_LAYOUT_PLL, ID_LAYOUT_PLL_SOLUTIONS, ID_LAYOUT_REGISTERS,
          ID_LAYOUT_TIMING_TOP, ID_LAYOUT_TIMING_BOTTOM, ID_LAYOUT_TIMING_DIAGRAM})
        spy.Watch(Wnd(id), id);
    PostWizardMessage(&Frame(), GetParam().message, GetParam().wParam, 77);
    PumpEvents();
    std::vector<int> receivers;
    for (const CMessageSpy::Seen& seen : spy.Of(GetParam().message)) {
        EXPECT_EQ(seen.wParam, static_cast<std::intptr_t>(GetParam().wParam));
        receivers.push_back(seen.objectId);
    }
    EXPECT_EQ(receivers, GetParam().receivers);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ForwardTest,
    testing::Values(
        ForwardCase{WM_WIZ_SELECT_TREE_ITEM, 2, {ID_LAYOUT_NAV_TREE}},
        ForwardCase{WM_WIZ_RECALC_CONTEXT, 1, {ID_LAYOUT_TIMING_TOP}},
        ForwardCase{WM_WIZ_TIMING_CHANGED, 0, {ID_LAYOUT_TIMING_TOP, ID_LAYOUT_TIMING_DIAGRAM}},
        ForwardCase{WM_WIZ_CLOCKS_RECALCULATED, 0, {ID_LAYOUT_PLL, ID_LAYOUT_PLL_SOLUTIONS}},
        ForwardCase{WM_WIZ_USE_PLL_SOLUTION, PackPllSetting(1, 48, 6), {ID_LAYOUT_PLL}},
        ForwardCase{WM_WIZ_FREE_PLL_DIVIDERS, 0, {ID_LAYOUT_PLL}}));

TEST_F(MainFrameTest, F6MovesBetweenTreeAndPage) {
    QApplication::setActiveWindow(&Frame());
    Tree().setFocus();
    PumpEvents();
    QTest::keyClick(&Frame(), Qt::Key_F6);
    PumpEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(Wnd(ID_LAYOUT_TIMING_SPLITTER)->isAncestorOf(focus));
    QTest::keyClick(&Frame(), Qt::Key_F6, Qt::ShiftModifier);
    PumpEvents();
    EXPECT_EQ(QApplication::focusWidget(), &Tree());
}

TEST_F(MainFrameTest, PageSwitchingKeysGoRoundThePages) {
    QApplication::setActiveWindow(&Frame());
    Tree().setFocus();
    PumpEvents();
    struct Step {
        QKeyCombination key;
        int page; // shown afterwards, in the tabs and the tree alike
    };
    const Step steps[] = {
        {Qt::CTRL | Qt::Key_Tab, kTimingDiagramPage},
        {Qt::CTRL | Qt::Key_PageDown, kClockSettingsPage},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, kTimingDiagramPage},
        {Qt::CTRL | Qt::Key_PageUp, kImageTimingPage},
        {Qt::CTRL | Qt::Key_PageUp, kModesPage},
        {Qt::CTRL | Qt::Key_Tab, kImageTimingPage},
    };
    for (const Step& step : steps) {
        QTest::keyClick(&Frame(), step.key.key(), step.key.keyboardModifiers());
        PumpEvents();
        EXPECT_EQ(Tabs().GetActiveTab(), step.page) << step.key.key();
        EXPECT_EQ(Tree().currentItem(), Tree().topLevelItem(step.page)) << step.key.key();
    }
}

// Undo, Cut, Copy, Paste and Select All act on the focused control and are enabled by its state.
TEST_F(MainFrameTest, EditCommandsActOnTheFocusedControl) {
    QApplication::setActiveWindow(&Frame());
    QApplication::clipboard()->clear();
    const auto enabled = [this] {
        QString states;
        for (const int id :
             {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL})
            states += Frame().GetCommand(id)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    };
    ClickTreeItem(kClockSettingsPage);
    Tree().setFocus();
    EXPECT_EQ(enabled(), "00000") << "tree";
    auto* edit = Pll().Item<QLineEdit>(IDC_TARGET_SYSTEM_FREQ);
    edit->setFocus(Qt::TabFocusReason); // the form selects the whole text
    EXPECT_EQ(enabled(), "01101") << "edit";
    Trigger(ID_EDIT_CUT);
    EXPECT_EQ(QApplication::clipboard()->text(), "44");
    EXPECT_EQ(enabled(), "10010") << "emptied edit";
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(edit->text(), "44");
    Trigger(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(edit->selectedText(), "44");
    // A report copies whole while nothing in it is selected; it takes no text.
    auto* report = Pll().Item<QTextEdit>(IDC_CLOCK_REPORT);
    report->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(enabled(), "00101") << "report";
    // The keyboard's way into the menus moves the focus to the menu bar for a while.
    Frame().menuBar()->setFocus(Qt::MenuBarFocusReason);
    EXPECT_EQ(enabled(), "00101") << "menu bar";
    Trigger(ID_EDIT_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), report->toPlainText());
    EXPECT_TRUE(report->toPlainText().contains("44"));
}

TEST_F(MainFrameTest, OnDestroyTearsTheLayoutDown) {
    QPointer<QWidget> tabs = Wnd(ID_LAYOUT_TABS);
    QPointer<QWidget> pll = Wnd(ID_LAYOUT_PLL);
    Frame().OnDestroy();
    EXPECT_TRUE(tabs.isNull());
    EXPECT_TRUE(pll.isNull());
    EXPECT_EQ(Frame().GetFramework().GetObjectCount(), 0);
    // Messages that still arrive find nothing to forward to.
    PostWizardMessage(&Frame(), WM_WIZ_SHOW_PAGE, 132, 0);
    PostWizardMessage(&Frame(), WM_WIZ_TIMING_CHANGED, 0, 0);
    Frame().OnSetDefaults();
    PumpEvents();
}

} // namespace
