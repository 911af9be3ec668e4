// Starts the whole wizard headless for a test: settings in a temporary folder, dialogs answered.
#pragma once

#include "AboutDlg.h"
#include "DocTemplate.h"
#include "FileDialogs.h"
#include "GuiTestHelpers.h"
#include "ImageParms.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "PLLCalcs.h"
#include "PllSolutionsView.h"
#include "RegOutView.h"
#include "ShellIds.h"
#include "SplitterWnd.h"
#include "TabWnd.h"
#include "TimingDiagramView.h"
#include "WizardApp.h"
#include "WizardMessages.h"

#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// Tree items and tabs name the same pages, in this order.
inline constexpr int kImageTimingPage = 0;
inline constexpr int kTimingDiagramPage = 1;
inline constexpr int kClockSettingsPage = 2;
inline constexpr int kPllSolutionsPage = 3;
inline constexpr int kRegisterOutputPage = 4;
inline constexpr int kModesPage = 5;

// Records the wizard messages that reach the windows it watches, in arrival order.
class CMessageSpy : public QObject {
public:
    struct Seen {
        int objectId;
        unsigned message;
        std::intptr_t wParam;
        friend bool operator==(const Seen&, const Seen&) = default;
    };

    void Watch(QObject* window, int objectId) {
        m_ids[window] = objectId;
        window->installEventFilter(this);
    }
    std::vector<Seen> Of(unsigned message) const {
        std::vector<Seen> found;
        for (const Seen& seen : m_seen) {
            if (seen.message == message)
                found.push_back(seen);
        }
        return found;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == CWizardEvent::EventType()) {
            const auto* wizard = static_cast<const CWizardEvent*>(event);
            m_seen.push_back(
                {m_ids[watched], wizard->Message(), static_cast<std::intptr_t>(wizard->WParam())});
        }
        return false;
    }

private:
    std::map<QObject*, int> m_ids;
    std::vector<Seen> m_seen;
};

// Puts the per-user settings into folder. On Windows the native format is the registry, which
// every run and the user's own program share: there the suites keep an INI file instead.
inline void UseSettingsFolder(const QString& folder) {
#ifdef _WIN32
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
    QSettings::setPath(QSettings::defaultFormat(), QSettings::UserScope, folder);
}

// The per-user settings of the wizard, where the suites keep them.
inline std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QSettings::defaultFormat(), QSettings::UserScope, "Velmora",
                                       "QX7R310 Register Wizard");
}

class WizardTest : public testing::Test {
protected:
    // Arguments of the command line, without the program name.
    virtual QStringList Arguments() const { return {}; }

    void SetUp() override {
        ASSERT_TRUE(m_settingsDir.isValid());
        UseSettingsFolder(m_settingsDir.path());
        m_previousDialogs = SetFileDialogHandler([this](const FileDialogRequest& request) {
            m_dialogs.push_back(request);
            if (m_paths.empty())
                return QString();
            const QString path = m_paths.front();
            m_paths.pop_front();
            return path;
        });
        m_previousRunner = SetModalRunner([this](QDialog& dialog) {
            m_modalDialogs.push_back(dialog.windowTitle());
            return static_cast<int>(QDialog::Accepted);
        });
        PrepareSettings();
        m_app = std::make_unique<CKXC2280RegisterWizardApp>();
        m_started = m_app->InitInstance(Arguments());
        PumpEvents();
    }

    void TearDown() override {
        m_app.reset();
        PumpEvents();
        SetModalRunner(std::move(m_previousRunner));
        SetFileDialogHandler(std::move(m_previousDialogs));
    }

    // Runs before start-up, with the temporary settings in place.
    virtual void PrepareSettings() {}

    CMainFrame& Frame() const { return *m_app->GetMainWnd(); }
    CWizardDocTemplate& Template() const { return *m_app->GetDocTemplate(); }
    CKXC2280RegisterWizardDoc& Doc() const { return *Template().GetDocument(); }
    QWidget* Wnd(int id) const { return Frame().GetFramework().GetWnd(id); }
    TTabWnd& Tabs() const { return *qobject_cast<TTabWnd*>(Wnd(ID_LAYOUT_TABS)); }
    CLeftView& Tree() const { return *dynamic_cast<CLeftView*>(Wnd(ID_LAYOUT_NAV_TREE)); }
    CPLLCalcs& Pll() const { return *dynamic_cast<CPLLCalcs*>(Wnd(ID_LAYOUT_PLL)); }
    CImageParms& TimingTop() const {
        return *dynamic_cast<CImageParms*>(Wnd(ID_LAYOUT_TIMING_TOP));
    }
    CRegOutView& Registers() const { return *dynamic_cast<CRegOutView*>(Wnd(ID_LAYOUT_REGISTERS)); }
    CTimingDiagramView& Diagram() const {
        return *dynamic_cast<CTimingDiagramView*>(Wnd(ID_LAYOUT_TIMING_DIAGRAM));
    }

    // Replaces the text of an edit the way a user does who clicked into it: select everything,
    // type the new text; then delivers what the typing posted.
    void TypeInto(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        QApplication::setActiveWindow(&Frame());
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        PumpEvents();
    }

    // Clicks the tree item at index, as a user would.
    void ClickTreeItem(int index) {
        QTreeWidgetItem* item = Tree().topLevelItem(index);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Tree().visualItemRect(item).center());
        PumpEvents();
    }

    // Clicks the tab strip at x, in its middle row.
    void ClickStrip(int x) {
        Tabs().grab(); // painting writes the tab extents
        QTest::mouseClick(&Tabs(), Qt::LeftButton, Qt::NoModifier, QPoint(x, Tabs().height() - 16));
        PumpEvents();
    }

    QString CurrentTreeText() const {
        const QTreeWidgetItem* item = Tree().currentItem();
        return item != nullptr ? item->text(0) : QString();
    }

    void Trigger(int commandId) {
        QAction* action = Frame().GetCommand(commandId);
        ASSERT_NE(action, nullptr);
        action->trigger();
        PumpEvents();
    }

    QTemporaryDir m_settingsDir;
    CPromptRecorder m_prompts; // outlives the program, so no box is ever shown
    std::deque<QString> m_paths;
    std::vector<FileDialogRequest> m_dialogs;
    std::vector<QString> m_modalDialogs;
    std::unique_ptr<CKXC2280RegisterWizardApp> m_app;
    bool m_started = false;

private:
    FileDialogHandler m_previousDialogs;
    ModalRunner m_previousRunner;
};
