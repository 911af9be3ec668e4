// Window benchmarks: program start-up against a bare main window, the reaction to a key, and the
// repaint of the timing diagram.
#include "ImageParms.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "PLLCalcs.h"
#include "ShellIds.h"
#include "WizardApp.h"
#include "WizardMessages.h"
#include "WizardRunCounts.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <utility>

namespace {

// Starts the probe program in mode and times it until it says its window is painted.
void RunProbe(benchmark::State& state, const QStringList& mode) {
    for (auto _ : state) {
        QProcess probe;
        QElapsedTimer clock;
        clock.start();
        probe.start(QStringLiteral(QX_STARTUP_PROBE), mode);
        const bool painted = probe.waitForReadyRead(60000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        if (!painted || !probe.waitForFinished(60000) || probe.exitCode() != 0) {
            state.SkipWithError("the start-up probe failed");
            break;
        }
    }
}

void BM_StartProgram_Wizard(benchmark::State& state) {
    RunProbe(state, {});
}
void BM_StartProgram_BareMainWindow(benchmark::State& state) {
    RunProbe(state, {QStringLiteral("bare")});
}
void BM_StartProgram_BareMainWindowWithText(benchmark::State& state) {
    RunProbe(state, {QStringLiteral("text")});
}
BENCHMARK(BM_StartProgram_BareMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_StartProgram_BareMainWindowWithText)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_StartProgram_Wizard)->Unit(benchmark::kMillisecond)->UseManualTime();

// The same inside one process: only building, showing and painting the window.
void BM_ShowWindow_Wizard(benchmark::State& state) {
    for (auto _ : state) {
        auto app = std::make_unique<CKXC2280RegisterWizardApp>();
        if (!app->InitInstance({})) {
            state.SkipWithError("start-up failed");
            break;
        }
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
void BM_ShowWindow_BareMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        window->move(50, 50);
        window->resize(840, 860);
        window->show();
        window->repaint();
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowWindow_BareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShowWindow_Wizard)->Unit(benchmark::kMillisecond)->UseRealTime();

// The wizard as a user starts it, every box answered OK, showing the page its tree names label.
class StartedWizard {
public:
    explicit StartedWizard(const QString& label)
        : m_previous(SetPromptHandler([](const QString&, unsigned) { return kIdOk; })),
          m_started(m_app.InitInstance({})) {
        if (m_started)
            ShowPage(label);
    }
    ~StartedWizard() { SetPromptHandler(std::move(m_previous)); }
    StartedWizard(const StartedWizard&) = delete;
    StartedWizard& operator=(const StartedWizard&) = delete;

    bool Started() const { return m_started; }
    void ShowPage(const QString& label) {
        auto* tree = dynamic_cast<CLeftView*>(Frame().GetFramework().GetWnd(ID_LAYOUT_NAV_TREE));
        tree->setCurrentItem(tree->findItems(label, Qt::MatchExactly).at(0));
        QCoreApplication::sendPostedEvents();
    }
    CMainFrame& Frame() { return *m_app.GetMainWnd(); }

private:
    PromptHandler m_previous;
    CKXC2280RegisterWizardApp m_app;
    bool m_started;
};

// One key in a form's edit until every page is up to date, with the number of timing runs and PLL
// searches one key costs. Arguments: the edit (0 Input Frequency and 2 Target System Frequency on
// Clock Settings, 1 the frame rate on Image Timing) and "Use Min. Freq." (0 or 1).
void BM_KeyWithRunCounts(benchmark::State& state) {
    const bool imagePage = state.range(0) == 1;
    StartedWizard wizard(QStringLiteral("Clock Settings"));
    if (!wizard.Started()) {
        state.SkipWithError("start-up failed");
        return;
    }
    CMainFrame& frame = wizard.Frame();
    auto* pll = dynamic_cast<CPLLCalcs*>(frame.GetFramework().GetWnd(ID_LAYOUT_PLL));
    if (state.range(1) != 0)
        QTest::mouseClick(pll->GetDlgItem(IDC_USE_MIN_FREQ), Qt::LeftButton);
    if (imagePage)
        wizard.ShowPage(QStringLiteral("Image Timing"));
    auto* image = dynamic_cast<CImageParms*>(frame.GetFramework().GetWnd(ID_LAYOUT_TIMING_TOP));
    // The frame rate is an editable combo box; its line edit takes the keys.
    QLineEdit* edit = imagePage             ? image->Item<QComboBox>(IDC_FRAME_RATE)->lineEdit()
                      : state.range(0) == 0 ? pll->Item<QLineEdit>(IDC_INPUT_FREQ)
                                            : pll->Item<QLineEdit>(IDC_TARGET_SYSTEM_FREQ);
    QApplication::setActiveWindow(&frame);
    edit->setFocus();
    edit->setCursorPosition(edit->text().size());
    QCoreApplication::sendPostedEvents();
    // "11" -> "1" -> "12" -> "1" -> "11", "30" -> "3" -> "32", "44" -> "4" -> "42" ...: every key
    // changes the value.
    const Qt::Key lastDigit[] = {Qt::Key_1, Qt::Key_0, Qt::Key_4};
    const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_2, Qt::Key_Backspace,
                            lastDigit[state.range(0)]};
    std::size_t next = 0;
    const WizardRunCounts before = CurrentRunCounts();
    for (auto _ : state) {
        QTest::keyClick(edit, keys[next]);
        next = (next + 1) % std::size(keys);
        QCoreApplication::sendPostedEvents();
    }
    const WizardRunCounts after = CurrentRunCounts();
    const double keyCount = static_cast<double>(state.iterations());
    state.counters["timingRunsPerKey"] =
        static_cast<double>(after.timing - before.timing) / keyCount;
    state.counters["pllSearchesPerKey"] = static_cast<double>(after.pll - before.pll) / keyCount;
}
BENCHMARK(BM_KeyWithRunCounts)
    ->ArgNames({"edit", "useMinFreq"})
    ->Args({0, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The Timing Diagram page repainted in the 840 by 860 window. With argument 1 every repaint
// follows a timing run (WM_WIZ_TIMING_CHANGED): the figures are taken again and the picture laid
// out anew, as on every keystroke; with 0 only the drawing is repeated.
void BM_RepaintTimingDiagram(benchmark::State& state) {
    StartedWizard wizard(QStringLiteral("Timing Diagram"));
    if (!wizard.Started()) {
        state.SkipWithError("start-up failed");
        return;
    }
    CMainFrame& frame = wizard.Frame();
    // Only an exposed window paints.
    if (!QTest::qWaitForWindowExposed(&frame)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    QWidget* page = frame.GetFramework().GetWnd(ID_LAYOUT_TIMING_DIAGRAM);
    const bool timingRun = state.range(0) != 0;
    for (auto _ : state) {
        if (timingRun)
            SendWizardMessage(page, WM_WIZ_TIMING_CHANGED);
        page->repaint();
    }
    state.counters["width"] = page->width();
    state.counters["height"] = page->height();
}
BENCHMARK(BM_RepaintTimingDiagram)
    ->ArgName("timingRun")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
