// The window used as a user would: splitter bars dragged, small windows, reopened files, the status
// bar, the report fonts and the pictures of every page.
#include "WizardFixture.h"

#include "SettingsFiles.h"

#include "DialogUnits.h"
#include "KeyLocks.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolTip>

#include <ostream>
#include <utility>

namespace {

// A splitter bar to drag: the splitter's layout object, the panes on either side of the bar, the
// distance to drag it (pixels along the splitter, positive to the right or downwards) and the pane
// that keeps its dragged size when the window grows (the other one takes the growth).
struct DragCase {
    const char* name;
    int splitterId;
    int firstPaneId;
    int lastPaneId;
    int distance;
    int keptPaneId;

    friend std::ostream& operator<<(std::ostream& out, const DragCase& c) { return out << c.name; }
};

class SplitterDragTest : public WizardTest, public testing::WithParamInterface<DragCase> {
protected:
    CSplitterWnd& Splitter() const {
        return *qobject_cast<CSplitterWnd*>(Wnd(GetParam().splitterId));
    }
    bool Horizontal() const { return Splitter().orientation() == Qt::Horizontal; }
    // Extent of a pane along the splitter: where it starts and how long it is.
    int Start(int id) const { return Horizontal() ? Wnd(id)->x() : Wnd(id)->y(); }
    int Length(int id) const { return Horizontal() ? Wnd(id)->width() : Wnd(id)->height(); }

    // Drags the bar between the two panes with the mouse, as a user does. The bar moves under
    // the mouse, so each point is given where it lies on the screen.
    void DragBar(int distance) {
        QSplitterHandle* bar = Splitter().handle(1);
        ASSERT_NE(bar, nullptr);
        const QPoint grip = bar->mapToGlobal(bar->rect().center());
        const QPoint end = grip + (Horizontal() ? QPoint(distance, 0) : QPoint(0, distance));
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(grip));
        QTest::mouseMove(bar, bar->mapFromGlobal((grip + end) / 2));
        QTest::mouseMove(bar, bar->mapFromGlobal(end));
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(end));
        PumpEvents();
    }

    // The panes sit side by side: the second starts after the first and the bar between them.
    void ExpectSideBySide(const char* when) {
        const int first = GetParam().firstPaneId;
        const int last = GetParam().lastPaneId;
        EXPECT_EQ(Start(last), Start(first) + Length(first) + Splitter().handleWidth()) << when;
        const int total = Horizontal() ? Splitter().width() : Splitter().height();
        EXPECT_EQ(Start(last) + Length(last), total) << when;
    }
};

TEST_P(SplitterDragTest, PanesFollowTheBarAndKeepTheirSizesThroughAResize) {
    ASSERT_TRUE(m_started);
    ClickTreeItem(kImageTimingPage); // the timing bar lives on the Image Timing page
    const int first = GetParam().firstPaneId;
    const int before = Length(first);

    DragBar(GetParam().distance);
    EXPECT_EQ(Length(first), before + GetParam().distance);
    ExpectSideBySide("after the drag");

    const int dragged = Length(GetParam().keptPaneId);
    Frame().resize(Frame().size() + QSize(120, 90));
    PumpEvents();
    EXPECT_EQ(Length(GetParam().keptPaneId), dragged)
        << "the dragged size holds through a window resize";
    ExpectSideBySide("after the window resize");

    const int beforeBack = Length(first);
    DragBar(-GetParam().distance / 2);
    EXPECT_EQ(Length(first), beforeBack - GetParam().distance / 2);
    ExpectSideBySide("after dragging back");
}

INSTANTIATE_TEST_SUITE_P(
    Bars, SplitterDragTest,
    testing::Values(DragCase{"TreeBarRight", ID_LAYOUT_MAIN_SPLITTER, ID_LAYOUT_NAV_TREE,
                             ID_LAYOUT_TABS, 150, ID_LAYOUT_NAV_TREE},
                    DragCase{"TreeBarLeft", ID_LAYOUT_MAIN_SPLITTER, ID_LAYOUT_NAV_TREE,
                             ID_LAYOUT_TABS, -80, ID_LAYOUT_NAV_TREE},
                    DragCase{"TimingBarUp", ID_LAYOUT_TIMING_SPLITTER, ID_LAYOUT_TIMING_TOP,
                             ID_LAYOUT_TIMING_BOTTOM, -300, ID_LAYOUT_TIMING_BOTTOM}));

using WindowUseTest = WizardTest;

// The index of the one tree item drawn marked, or -1.
int MarkedTreeItem(CLeftView& tree) {
    tree.grab(); // painting marks the caret item
    int marked = -1;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        if (CLeftView::GetItemState(tree.topLevelItem(i)) == TVIS_MARKED)
            marked = marked == -1 ? i : -2;
    }
    return marked;
}

// Started with a settings file named on the command line, so it is the open document and the
// first entry of the recent-file list.
class ReopenTest : public WizardTest {
protected:
    QStringList Arguments() const override { return {m_file}; }
    void PrepareSettings() override { ASSERT_TRUE(WriteFile(m_file, CliOutput({}))); }

    // The File menu's recent-file entry of path.
    QAction* RecentEntry(const QString& path) const {
        for (QAction* item : Frame().menuBar()->actions().first()->menu()->actions()) {
            if (item->isVisible() && item->text().endsWith(QLatin1Char(' ') + path))
                return item;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath("camera.ini");
};

TEST_F(ReopenTest, RecentEntryOfTheOpenFileReadsItAgainAfterTheQuestion) {
    ASSERT_TRUE(m_started);
    QTest::mouseClick(TimingTop().GetDlgItem(IDC_SKIPPING), Qt::LeftButton);
    QTest::mouseClick(TimingTop().GetDlgItem(IDC_VBLANK_MAX), Qt::LeftButton);
    ClickTreeItem(kRegisterOutputPage);
    EXPECT_EQ(Frame().windowTitle(), "camera.ini* - QX7R310 Register Wizard");
    QAction* entry = RecentEntry(QDir::toNativeSeparators(m_file));
    ASSERT_NE(entry, nullptr);
    m_prompts.QueueAnswer(kIdCancel);
    entry->trigger();
    PumpEvents();
    EXPECT_TRUE(TimingTop().IsDlgButtonChecked(IDC_SKIPPING)) << "Cancel keeps the changes";
    EXPECT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);

    m_prompts.QueueAnswer(kIdNo);
    entry->trigger();
    PumpEvents();
    EXPECT_FALSE(TimingTop().IsDlgButtonChecked(IDC_SKIPPING));
    EXPECT_EQ(Doc().m_Contexts[0].m_bAllowSkipping, 0);
    EXPECT_TRUE(TimingTop().IsDlgButtonChecked(IDC_HBLANK_MIN));
    EXPECT_EQ(Doc().m_Contexts[0].m_nBlankingMode, 0);
    EXPECT_EQ(Tabs().GetActiveTab(), kImageTimingPage);
    EXPECT_EQ(MarkedTreeItem(Tree()), kImageTimingPage);
    EXPECT_EQ(Frame().windowTitle(), "camera.ini - QX7R310 Register Wizard");
    EXPECT_EQ(m_prompts.Texts(), std::vector<QString>(2, "Save changes to camera.ini?"));
}

TEST_F(ReopenTest, AnotherFileOpensOnThePageTheTreeMarks) {
    ClickTreeItem(kRegisterOutputPage);
    const QString other = m_dir.filePath("other.ini");
    ASSERT_TRUE(WriteFile(other, Template().SerializeDocument()));
    m_app->OnOpenRecentFile(other);
    PumpEvents();
    EXPECT_EQ(Frame().windowTitle(), "other.ini - QX7R310 Register Wizard");
    EXPECT_EQ(MarkedTreeItem(Tree()), kImageTimingPage);
    EXPECT_EQ(Tabs().GetActiveTab(), kImageTimingPage);
}

// A page in a small window: the tree item that shows it, its form and the report at its far end.
struct ScrollCase {
    const char* name;
    int treeItem;
    int formId;
    int reportId;

    friend std::ostream& operator<<(std::ostream& out, const ScrollCase& c) {
        return out << c.name;
    }
};

class SmallWindowTest : public WizardTest, public testing::WithParamInterface<ScrollCase> {};

TEST_P(SmallWindowTest, FormScrollsToItsReport) {
    Frame().resize(600, 500);
    ClickTreeItem(GetParam().treeItem);
    auto* form = dynamic_cast<CFormView*>(Wnd(GetParam().formId));
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->verticalScrollBar()->isVisible());
    EXPECT_TRUE(form->horizontalScrollBar()->isVisible());
    QWidget* report = form->GetDlgItem(GetParam().reportId);
    const auto shownCorner = [&] {
        return form->viewport()->rect().contains(
            report->mapTo(form->viewport(), report->rect().bottomRight()));
    };
    EXPECT_FALSE(shownCorner()) << "the report's far corner lies outside the small window";
    form->verticalScrollBar()->setValue(form->verticalScrollBar()->maximum());
    form->horizontalScrollBar()->setValue(form->horizontalScrollBar()->maximum());
    EXPECT_TRUE(shownCorner()) << "scrolling reaches it";
}

INSTANTIATE_TEST_SUITE_P(Pages, SmallWindowTest,
                         testing::Values(ScrollCase{"ImageTiming", kImageTimingPage,
                                                    ID_LAYOUT_TIMING_TOP, IDC_TIMING_REPORT},
                                         ScrollCase{"ClockSettings", kClockSettingsPage,
                                                    ID_LAYOUT_PLL, IDC_CLOCK_REPORT},
                                         ScrollCase{"RegisterOutput", kRegisterOutputPage,
                                                    ID_LAYOUT_REGISTERS,
                                                    IDC_DRIVER_REGISTER_LIST}));

// Whether a column of table is cut short, and if so whether the tooltip of its title and of its
// first cut cell gives the full text.
void ExpectWholeOrTipped(QTableView& table, int column, const std::string& where) {
    QHeaderView* header = table.horizontalHeader();
    const int left = header->sectionViewportPosition(column);
    const int width = header->sectionSize(column);
    EXPECT_GE(left, 0) << where;
    EXPECT_LE(left + width, table.viewport()->width()) << where << " lies out of sight";
    const auto tipAt = [](QWidget* area, const QRect& rect) {
        QHelpEvent help(QEvent::ToolTip, rect.center(), area->mapToGlobal(rect.center()));
        QApplication::sendEvent(area, &help);
        return QToolTip::text();
    };
    const QString title = table.model()->headerData(column, Qt::Horizontal).toString();
    if (header->sectionSizeHint(column) > width) {
        EXPECT_EQ(tipAt(header->viewport(), QRect(left, 0, width, header->height())), title)
            << where;
    }
    for (int row = 0; row < table.model()->rowCount(); ++row) {
        const QModelIndex index = table.model()->index(row, column);
        if (table.sizeHintForIndex(index).width() <= width || table.isRowHidden(row))
            continue;
        table.scrollTo(index);
        EXPECT_TRUE(
            tipAt(table.viewport(), table.visualRect(index)).startsWith(index.data().toString()))
            << where << " row " << row;
        break;
    }
}

TEST_F(WindowUseTest, EveryPageFitsTheDefaultWindowAcrossAndALargeOneLeavesNoPaneEmpty) {
    ASSERT_TRUE(m_started);
    for (const QSize size : {QSize(840, 860), QSize(1280, 1000)}) {
        Frame().resize(size);
        PumpEvents();
        for (int page = 0; page < static_cast<int>(std::size(kWizardPages)); ++page) {
            const std::string where =
                std::string(kWizardPages[page].title) + " at " + std::to_string(size.width());
            ClickTreeItem(page);
            QWidget* shown = Wnd(kWizardPages[page].layoutId);
            QList<QAbstractScrollArea*> areas = shown->findChildren<QAbstractScrollArea*>();
            if (auto* area = qobject_cast<QAbstractScrollArea*>(shown))
                areas << area;
            for (QAbstractScrollArea* area : areas) {
                if (!area->isVisible())
                    continue;
                EXPECT_FALSE(area->horizontalScrollBar()->isVisible())
                    << where << ": " << area->metaObject()->className();
                auto* form = dynamic_cast<CFormView*>(area);
                if (form != nullptr && form->height() > 8) {
                    const QList<QWidget*> children = form->findChildren<QWidget*>();
                    EXPECT_TRUE(std::any_of(children.begin(), children.end(),
                                            [form](QWidget* w) {
                                                return form->GetDlgCtrlID(w) != 0 && w->isVisible();
                                            }))
                        << where << ": an empty pane";
                }
                if (auto* table = qobject_cast<QTableView*>(area))
                    for (int c = 0; c < table->model()->columnCount(); ++c)
                        ExpectWholeOrTipped(*table, c, where + " column " + std::to_string(c));
            }
        }
    }
}

TEST_F(WindowUseTest, ReportPanesUseTheFixedPitchFontAtTheDialogSize) {
    for (const QWidget* report :
         {Pll().GetDlgItem(IDC_CLOCK_REPORT), TimingTop().GetDlgItem(IDC_TIMING_REPORT)}) {
        EXPECT_EQ(report->font().pointSizeF(), DialogFont().pointSizeF());
        // Fixed pitch as measured: some monospaced fonts (Noto Sans Mono) do not declare it.
        const QFontMetrics metrics(report->font());
        EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')),
                  metrics.horizontalAdvance(QLatin1Char('W')));
        // The report's two size lines are laid out to line up column by column.
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("Horiz clks:  648 active")),
                  metrics.horizontalAdvance(QStringLiteral("Vert  rows:  488 active")));
    }
}

TEST_F(WindowUseTest, MenuPromptGivesWayToTheIdleMessage) {
    const QString hint = QStringLiteral("Output Frequency: Enter desired PLL output frequency");
    SendWizardMessage(&Frame(), WM_WIZ_STATUS_TEXT, reinterpret_cast<std::uintptr_t>(&hint), 0);
    ASSERT_EQ(Frame().GetMessageText(), hint);
    // The events a menu sends while the mouse is over an item, and when it goes.
    QStatusTipEvent over(QStringLiteral("Create a new document"));
    QApplication::sendEvent(&Frame(), &over);
    EXPECT_EQ(Frame().GetStatusBar()->currentMessage(), "Create a new document");
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(&Frame(), &gone);
    EXPECT_TRUE(Frame().GetStatusBar()->currentMessage().isEmpty());
    EXPECT_EQ(Frame().GetMessageText(), "Ready");
}

TEST_F(WindowUseTest, LockIndicatorsAreGreyedWhereTheirStateIsUnknown) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        GTEST_SKIP() << "the offscreen platform reports no keyboard";
    const CKeyLockState locks;
    const std::pair<const char*, LockKey> indicators[] = {
        {"CAP", LockKey::Caps}, {"NUM", LockKey::Num}, {"SCRL", LockKey::Scroll}};
    for (const auto& [name, key] : indicators) {
        const auto* indicator = Frame().GetStatusBar()->findChild<QLabel*>(name);
        ASSERT_NE(indicator, nullptr) << name;
#ifdef _WIN32
        // Windows tells every program the locks' state: the pane names its lock while it is on.
        EXPECT_TRUE(indicator->isEnabled()) << name;
        EXPECT_EQ(indicator->text(), locks.IsOn(key) ? QString::fromLatin1(name) : QString());
#else
        EXPECT_FALSE(indicator->isEnabled()) << name;
        EXPECT_EQ(indicator->text(), name);
#endif
    }
}

TEST_F(WindowUseTest, ClockTypingUpdatesTimingAndRegistersThroughThePostedMessage) {
    QApplication::setActiveWindow(&Frame());
    ClickTreeItem(kRegisterOutputPage);
    auto* ifp = Registers().Item<QTableWidget>(IDC_IFP_REGISTER_LIST);
    auto* driver = Registers().Item<QTableWidget>(IDC_DRIVER_REGISTER_LIST);
    // The decimal value column of each list.
    const auto values = [](const QTableWidget* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->item(row, column)->text();
        return texts;
    };
    const QStringList pllBefore = values(ifp, 3);
    const QStringList timingRowsBefore = values(driver, 4);
    ClickTreeItem(kClockSettingsPage);
    CMessageSpy spy;
    spy.Watch(Wnd(ID_LAYOUT_TIMING_TOP), ID_LAYOUT_TIMING_TOP);
    const QString timingBefore = TimingTop().GetDlgItemText(IDC_TIMING_REPORT);

    auto* target = Pll().Item<QLineEdit>(IDC_TARGET_SYSTEM_FREQ);
    target->setFocus(Qt::MouseFocusReason);
    target->selectAll();
    QTest::keyClicks(target, QStringLiteral("22"));
    // The timing form follows only once the posted message has arrived.
    EXPECT_EQ(TimingTop().GetDlgItemText(IDC_TIMING_REPORT), timingBefore);
    PumpEvents();
    EXPECT_FALSE(spy.Of(WM_WIZ_TIMING_CHANGED).empty());
    const QString timingAfter = TimingTop().GetDlgItemText(IDC_TIMING_REPORT);
    EXPECT_NE(timingAfter, timingBefore);
    EXPECT_EQ(timingAfter, DocumentText(Doc().m_Contexts[0].m_strTimingReport));

    ClickTreeItem(kRegisterOutputPage);
    EXPECT_NE(values(ifp, 3), pllBefore);
    EXPECT_NE(values(driver, 4), timingRowsBefore);
    QStringList expected;
    for (std::size_t row = 0; row < Doc().m_Registers.size(); ++row)
        expected << QString::number(Doc().m_Registers[row].m_nValue);
    EXPECT_EQ(values(ifp, 3) + values(driver, 4), expected);
}

TEST_F(WindowUseTest, TreeItemsKnowTheirPageByItsLayoutObject) {
    Tree().topLevelItem(kRegisterOutputPage)->setText(0, QStringLiteral("Registers and variables"));
    CMessageSpy spy;
    spy.Watch(&Frame(), 0);
    ClickTreeItem(kRegisterOutputPage);
    EXPECT_EQ(spy.Of(WM_WIZ_SHOW_PAGE),
              (std::vector<CMessageSpy::Seen>{{0, WM_WIZ_SHOW_PAGE, IDS_PAGE_REGISTER_OUTPUT}}));
    EXPECT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);
}

TEST_F(WindowUseTest, ShownPageTakesTheKeyboardFocus) {
    QApplication::setActiveWindow(&Frame());
    const std::pair<int, QWidget*> pages[] = {
        {kClockSettingsPage, Pll().GetDlgItem(IDC_BYPASS_PLL)},
        {kRegisterOutputPage, Registers().GetDlgItem(IDC_IFP_REGISTER_LIST)},
        {kImageTimingPage, TimingTop().GetDlgItem(IDC_FRAME_RATE)},
    };
    for (const auto& [item, first] : pages) {
        ClickTreeItem(item);
        EXPECT_EQ(QApplication::focusWidget(), first) << item;
    }
}

// A page switch shows the hint of the control the page focuses, or the idle message: never a hint
// left from another page.
TEST_F(WindowUseTest, PageSwitchShowsThatPagesHintOrReady) {
    QApplication::setActiveWindow(&Frame());
    TimingTop().GetDlgItem(IDC_OUTPUT_COLUMNS)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(Frame().GetMessageText().startsWith("Output Columns:"));
    const std::pair<int, QString> steps[] = {
        {kTimingDiagramPage, "Ready"},
        {kImageTimingPage, "Frames Per Second: Enter desired # of frames per second for this mode"},
        {kClockSettingsPage, "Ready"},
        {kRegisterOutputPage, "Ready"},
    };
    for (const auto& [page, text] : steps) {
        ClickTreeItem(page);
        EXPECT_EQ(Frame().GetMessageText(), text) << page;
    }
    QTest::keyClick(&Frame(), Qt::Key_PageUp, Qt::ControlModifier);
    PumpEvents();
    EXPECT_EQ(Frame().GetMessageText(), "Ready") << "PLL Solutions";
}

// The tree and the report panes mark the focus on their frame when Tab reaches them.
TEST_F(WindowUseTest, TreeAndReportsShowTheFocusOnTheirFrame) {
    QApplication::setActiveWindow(&Frame());
    const QColor mark = Frame().palette().color(QPalette::Highlight);
    for (QWidget* pane :
         {static_cast<QWidget*>(&Tree()), TimingTop().GetDlgItem(IDC_TIMING_REPORT)}) {
        const QPoint edge(0, pane->height() / 2);
        pane->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(pane->grab().toImage().pixelColor(edge), mark) << pane->metaObject()->className();
        TimingTop().GetDlgItem(IDC_FRAME_RATE)->setFocus(Qt::TabFocusReason);
        EXPECT_NE(pane->grab().toImage().pixelColor(edge), mark) << pane->metaObject()->className();
    }
}

} // namespace
