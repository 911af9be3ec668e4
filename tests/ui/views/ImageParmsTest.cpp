// Image Timing form driven by keys and clicks: triggers, blanking radios, skipping, variable
// frame rate, frame-rate list, prompts, colours, hints, tooltips and wizard messages.
#include "ImageParms.h"
#include "ViewHost.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

constexpr int kRadios[] = {IDC_HBLANK_MIN, IDC_HBLANK_MAX,   IDC_VBLANK_MIN,
                           IDC_VBLANK_MAX, IDC_HBLANK_FIXED, IDC_VBLANK_FIXED};

class ImageParmsTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.view->SetContext(0);
        ASSERT_TRUE(host.Start());
    }

    CImageParms& Form() { return *host.view; }
    CImageContext& Ctx() { return host.doc.m_Contexts[0]; }
    QComboBox* FrameRate() { return Form().Item<QComboBox>(IDC_FRAME_RATE); }
    QLineEdit* Edit(int id) {
        if (id == IDC_FRAME_RATE)
            return FrameRate()->lineEdit();
        return Form().Item<QLineEdit>(id);
    }
    void TypeInto(int id, const QString& text) { TypeOver(Form().GetDlgItem(id), Edit(id), text); }
    void Click(int id) { QTest::mouseClick(Form().GetDlgItem(id), Qt::LeftButton); }
    void Leave(int id) { LeaveWithTab(Edit(id)); }
    // The radios that are checked, in mode order.
    std::vector<int> CheckedRadios() {
        std::vector<int> checked;
        for (int id : kRadios) {
            if (Form().IsDlgButtonChecked(id))
                checked.push_back(id);
        }
        return checked;
    }
    // Recomputations the form started since the last call, counted by their posted messages.
    int PostedRecomputes() {
        PumpEvents();
        int count = 0;
        for (const WizardMessage& msg : host.frame.messages) {
            if (msg.message == WM_WIZ_RECALC_CONTEXT) {
                EXPECT_EQ(msg.wParam, 1u);
                EXPECT_EQ(msg.lParam, 0);
                ++count;
            }
        }
        host.frame.Clear();
        return count;
    }
    // The edit field shows the warning colours (for the frame-rate box, its edit field).
    bool IsRed(int id) {
        const QPalette palette = Edit(id)->palette();
        return palette.color(QPalette::Base) == kRed && palette.color(QPalette::Text) == kWhite;
    }

    CPromptRecorder prompts;
    CViewHost<CImageParms> host;
};

TEST_F(ImageParmsTest, FullFormAfterInitialUpdate) {
    EXPECT_EQ(Form().GetDlgItemText(IDC_IMAGE_GROUP), QStringLiteral("Image Parameters"));
    EXPECT_EQ(Form().m_bFollowOtherContext, 0);
    const std::pair<int, const char*> captions[] = {
        {IDC_FRAME_RATE_LABEL, "Max. Frames Rate"},
        {IDC_OUTPUT_COLUMNS_LABEL, "Output Columns"},
        {IDC_OUTPUT_ROWS_LABEL, "Output Rows"},
        {IDC_SKIPPING_LABEL, "Skipping"},
        {IDC_VARIABLE_FRAME_RATE, "Variable Frame Rate"},
        {IDC_MIN_FRAME_RATE_LABEL, "Min. Frame Rate"},
        {IDC_HBLANK_GROUP, "Horizontal Blanking (pixels)"},
        {IDC_VBLANK_GROUP, "Vertical Blanking (rows)"},
        {IDC_HBLANK_MIN, "Min"},
        {IDC_HBLANK_MAX, "Max"},
        {IDC_VBLANK_MIN, "Min"},
        {IDC_VBLANK_MAX, "Max"},
    };
    for (const auto& [id, text] : captions) {
        EXPECT_EQ(Form().GetDlgItemText(id), QString::fromLatin1(text)) << id;
        EXPECT_TRUE(Form().GetDlgItem(id)->isVisible()) << id;
    }
    const QStringList rates = {"55",    "45",     "36.67",  "27.5",  "24.5",  "22",    "18.57",
                               "15.8",  "14.645", "14.125", "13.81", "12.91", "12.25", "11.55",
                               "10.45", "9.5",    "8.45",   "7.32",  "6.45",  "5.36",  "5.11"};
    ASSERT_EQ(FrameRate()->count(), rates.size());
    for (int i = 0; i < rates.size(); ++i)
        EXPECT_EQ(FrameRate()->itemText(i), rates[i]);
    EXPECT_TRUE(FrameRate()->isEditable());
    EXPECT_EQ(Edit(IDC_FRAME_RATE)->text(), QStringLiteral("30"));
    EXPECT_EQ(Edit(IDC_OUTPUT_COLUMNS)->text(), QStringLiteral("640"));
    EXPECT_EQ(Edit(IDC_OUTPUT_ROWS)->text(), QStringLiteral("480"));
    EXPECT_EQ(Edit(IDC_HBLANK)->text(), QStringLiteral("500"));
    EXPECT_EQ(Edit(IDC_VBLANK)->text(), QStringLiteral("500"));
    EXPECT_EQ(Edit(IDC_MIN_FRAME_RATE)->text(), QStringLiteral("10"));
    EXPECT_FALSE(Edit(IDC_MIN_FRAME_RATE)->isEnabled());
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_HBLANK_MIN});
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_SKIPPING));
    for (int id :
         {IDC_BINNING, IDC_BINNING_LABEL, IDC_X_ONLY, IDC_X_ONLY_LABEL, IDC_JPEG, IDC_VERT_FLIP,
          IDC_HORZ_MIRROR, IDC_FLICKER_60HZ, IDC_LOW_POWER, IDC_LOW_POWER_LABEL})
        EXPECT_FALSE(Form().GetDlgItem(id)->isVisible()) << id;
    EXPECT_FALSE(Form().GetDlgItemText(IDC_TIMING_REPORT).isEmpty());
    EXPECT_EQ(Form().GetDlgItemText(IDC_TIMING_REPORT), DocumentText(Ctx().m_strTimingReport));
    EXPECT_EQ(Ctx().m_dFrameRate, 30.0);
    EXPECT_EQ(Ctx().m_nOutputColumns, 640);
}

TEST_F(ImageParmsTest, InitialUpdatePostsRecalcContext) {
    CViewHost<CImageParms> other;
    other.view->SetContext(0);
    other.window.show();
    other.view->OnInitialUpdate();
    EXPECT_TRUE(other.frame.messages.empty());
    PumpEvents();
    std::vector<WizardMessage> recalcContext;
    for (const WizardMessage& msg : other.frame.messages) {
        if (msg.message == WM_WIZ_RECALC_CONTEXT)
            recalcContext.push_back(msg);
    }
    EXPECT_EQ(recalcContext, (std::vector<WizardMessage>{{WM_WIZ_RECALC_CONTEXT, 1, 0}}));
}

TEST_F(ImageParmsTest, DotDoesNotRecomputeButOneDotDoes) {
    TypeInto(IDC_FRAME_RATE, QStringLiteral("."));
    EXPECT_EQ(PostedRecomputes(), 0);
    EXPECT_EQ(Ctx().m_dFrameRate, 30.0);
    TypeInto(IDC_FRAME_RATE, QStringLiteral("1."));
    EXPECT_EQ(PostedRecomputes(), 2);
    EXPECT_EQ(Ctx().m_dFrameRate, 1.0);
    EXPECT_TRUE(prompts.Texts().empty());

    Click(IDC_VARIABLE_FRAME_RATE);
    PostedRecomputes();
    TypeInto(IDC_MIN_FRAME_RATE, QStringLiteral("."));
    EXPECT_EQ(PostedRecomputes(), 0);
    TypeInto(IDC_MIN_FRAME_RATE, QStringLiteral("1."));
    EXPECT_EQ(PostedRecomputes(), 2);
    EXPECT_EQ(Ctx().m_dMinFrameRate, 1.0);
}

TEST_F(ImageParmsTest, EmptySizeEditsDoNotRecompute) {
    for (int id : {IDC_OUTPUT_COLUMNS, IDC_OUTPUT_ROWS, IDC_HBLANK, IDC_VBLANK}) {
        Edit(id)->setFocus(Qt::TabFocusReason);
        Edit(id)->selectAll();
        QTest::keyClick(Edit(id), Qt::Key_Delete);
        EXPECT_EQ(PostedRecomputes(), 0) << id;
        EXPECT_TRUE(prompts.Texts().empty()) << id;
        // An empty entry is no integer: marked while it is empty, prompted when it is left.
        EXPECT_TRUE(Form().IsMarkedBad(id)) << id;
        Leave(id);
        EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer."}) << id;
        EXPECT_TRUE(Edit(id)->hasFocus()) << id;
        prompts.Clear();
        Form().UpdateData(false);
        EXPECT_FALSE(Form().IsMarkedBad(id)) << id;
    }
    EXPECT_EQ(PostedRecomputes(), 0);
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_HBLANK_MIN});
}

TEST_F(ImageParmsTest, BlankingEditsSelectTheirRadioOnTheFirstCharacter) {
    Edit(IDC_HBLANK)->setFocus(Qt::TabFocusReason);
    Edit(IDC_HBLANK)->selectAll();
    QTest::keyClick(Edit(IDC_HBLANK), Qt::Key_6);
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_HBLANK_FIXED});
    EXPECT_EQ(Ctx().m_nBlankingMode, 4);
    EXPECT_EQ(Ctx().m_nHBlank, 6);
    TypeInto(IDC_VBLANK, QStringLiteral("7"));
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_VBLANK_FIXED});
    EXPECT_EQ(Ctx().m_nBlankingMode, 5);
    EXPECT_EQ(Ctx().m_nVBlank, 7);
}

TEST_F(ImageParmsTest, RadioClicksSelectOneModeAndAlwaysRecompute) {
    PostedRecomputes();
    Click(IDC_HBLANK_MIN);
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_HBLANK_MIN});
    EXPECT_EQ(PostedRecomputes(), 1);
    const std::pair<int, int> cases[] = {{IDC_VBLANK_MAX, 3},   {IDC_HBLANK_MAX, 1},
                                         {IDC_VBLANK_MIN, 2},   {IDC_VBLANK_FIXED, 5},
                                         {IDC_HBLANK_FIXED, 4}, {IDC_HBLANK_MIN, 0}};
    for (const auto& [id, mode] : cases) {
        Click(id);
        EXPECT_EQ(CheckedRadios(), std::vector<int>{id});
        EXPECT_EQ(Ctx().m_nBlankingMode, mode);
        EXPECT_EQ(PostedRecomputes(), 1);
    }
    Click(IDC_VBLANK_MAX);
    Click(IDC_VBLANK_MAX);
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_VBLANK_MAX});
    EXPECT_EQ(PostedRecomputes(), 2);
}

TEST_F(ImageParmsTest, SkippingBoxToggles) {
    Click(IDC_SKIPPING);
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_SKIPPING));
    EXPECT_EQ(Ctx().m_bAllowSkipping, 1);
    Click(IDC_SKIPPING);
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_SKIPPING));
    EXPECT_EQ(Ctx().m_bAllowSkipping, 0);
    EXPECT_EQ(PostedRecomputes(), 2);
}

TEST_F(ImageParmsTest, VariableFrameRateMinimumRule) {
    Click(IDC_VARIABLE_FRAME_RATE);
    EXPECT_TRUE(Edit(IDC_MIN_FRAME_RATE)->isEnabled());
    EXPECT_EQ(Ctx().m_bVariableFrameRate, 1);
    TypeInto(IDC_MIN_FRAME_RATE, QStringLiteral("15"));
    EXPECT_EQ(Ctx().m_dMinFrameRate, 15.0);
    // Rate 30, minimum 15: the minimum falls back to 10.
    Click(IDC_VARIABLE_FRAME_RATE);
    EXPECT_FALSE(Edit(IDC_MIN_FRAME_RATE)->isEnabled());
    EXPECT_EQ(Ctx().m_dMinFrameRate, 10.0);
    EXPECT_EQ(Edit(IDC_MIN_FRAME_RATE)->text(), QStringLiteral("10"));
    EXPECT_EQ(Ctx().m_bVariableFrameRate, 0);
    // Rate 8, minimum 10: the minimum becomes the rate.
    TypeInto(IDC_FRAME_RATE, QStringLiteral("8"));
    Click(IDC_VARIABLE_FRAME_RATE);
    EXPECT_EQ(Ctx().m_dMinFrameRate, 8.0);
    EXPECT_EQ(Edit(IDC_MIN_FRAME_RATE)->text(), QStringLiteral("8"));
    EXPECT_EQ(Ctx().m_dMinFrameRate, 8.0);
}

TEST_F(ImageParmsTest, ChoosingFromTheListRecomputesWithThatRate) {
    PostedRecomputes();
    FrameRate()->showPopup();
    QAbstractItemView* list = FrameRate()->view();
    const QModelIndex index = list->model()->index(8, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    EXPECT_EQ(Edit(IDC_FRAME_RATE)->text(), QStringLiteral("14.645"));
    EXPECT_EQ(Ctx().m_dFrameRate, 14.645);
    EXPECT_EQ(PostedRecomputes(), 1);
}

TEST_F(ImageParmsTest, PromptsForTheSizeFieldsStopTheRead) {
    Edit(IDC_HBLANK)->setText(QStringLiteral("600"));
    PostedRecomputes();
    prompts.Clear();
    TypeInto(IDC_OUTPUT_COLUMNS, QStringLiteral("x"));
    EXPECT_TRUE(prompts.Texts().empty());
    Leave(IDC_OUTPUT_COLUMNS);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer."});
    EXPECT_EQ(Ctx().m_nOutputColumns, 640);
    // While the columns stop the read, the rows after them are not read.
    Edit(IDC_OUTPUT_ROWS)->setText(QStringLiteral("10000"));
    EXPECT_EQ(Ctx().m_nOutputRows, 480);
    Edit(IDC_OUTPUT_COLUMNS)->setText(QStringLiteral("320"));
    EXPECT_EQ(Ctx().m_nOutputRows, 10000);
    prompts.Clear();
    TypeInto(IDC_OUTPUT_ROWS, QStringLiteral("10000"));
    EXPECT_EQ(Ctx().m_nOutputRows, 10000);
    EXPECT_TRUE(prompts.Texts().empty());
    Leave(IDC_OUTPUT_ROWS);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer between 0 and 9999."});
    EXPECT_TRUE(Edit(IDC_OUTPUT_ROWS)->hasFocus());
    EXPECT_EQ(Edit(IDC_OUTPUT_ROWS)->selectedText(), QStringLiteral("10000"));
    Edit(IDC_OUTPUT_ROWS)->setText(QStringLiteral("240"));
    prompts.Clear();
    TypeInto(IDC_FRAME_RATE, QStringLiteral("abc"));
    Leave(IDC_FRAME_RATE);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number."});
    EXPECT_EQ(Ctx().m_dFrameRate, 30.0);
}

TEST_F(ImageParmsTest, OutOfRangeSizeIsAcceptedAndReportedNotAvailable) {
    TypeInto(IDC_OUTPUT_COLUMNS, QStringLiteral("2000"));
    EXPECT_TRUE(prompts.Texts().empty());
    EXPECT_EQ(Ctx().m_nOutputColumns, 2000);
    EXPECT_TRUE(Form().GetDlgItemText(IDC_TIMING_REPORT).contains(QStringLiteral("n/a")));
}

TEST_F(ImageParmsTest, UnmatchedRateTurnsTheBoxRedUntilTheNextRun) {
    TypeInto(IDC_FRAME_RATE, QStringLiteral("1000"));
    EXPECT_NE(Ctx().m_nWarnings & kWarnFrameRate, 0u);
    EXPECT_TRUE(IsRed(IDC_FRAME_RATE));
    EXPECT_FALSE(IsRed(IDC_HBLANK));
    SaveScreenshot(host.window, QStringLiteral("image_timing_warning"));
    TypeInto(IDC_FRAME_RATE, QStringLiteral("15"));
    EXPECT_EQ(Ctx().m_nWarnings & kWarnFrameRate, 0u);
    EXPECT_FALSE(IsRed(IDC_FRAME_RATE));
}

TEST_F(ImageParmsTest, WarningColoursLeaveTheFrameRateListAlone) {
    TypeInto(IDC_FRAME_RATE, QStringLiteral("1000"));
    ASSERT_TRUE(IsRed(IDC_FRAME_RATE));
    const QPalette list = FrameRate()->view()->palette();
    EXPECT_NE(list.color(QPalette::Base), kRed);
    EXPECT_NE(list.color(QPalette::Text), kWhite);
}

TEST_F(ImageParmsTest, VBlankEditTurnsRedAndBack) {
    TypeInto(IDC_VBLANK, QStringLiteral("1"));
    EXPECT_EQ(Ctx().m_nBlankingMode, 5);
    EXPECT_NE(Ctx().m_nWarnings & kWarnVBlank, 0u);
    EXPECT_TRUE(IsRed(IDC_VBLANK));
    EXPECT_FALSE(IsRed(IDC_HBLANK));
    Click(IDC_VBLANK_MIN);
    EXPECT_EQ(Ctx().m_nWarnings & kWarnVBlank, 0u);
    EXPECT_FALSE(IsRed(IDC_VBLANK));
}

TEST_F(ImageParmsTest, HugeWholeNumberIsOutOfRange) {
    TypeInto(IDC_OUTPUT_COLUMNS, QStringLiteral("99999999999"));
    EXPECT_TRUE(prompts.Texts().empty());
    // Taken as out of range: the calculation runs with it and cannot give those columns.
    EXPECT_EQ(Ctx().m_nOutputColumns, 2147483647);
    EXPECT_TRUE(Form().GetDlgItemText(IDC_TIMING_REPORT).contains(QStringLiteral("n/a")));
    Leave(IDC_OUTPUT_COLUMNS);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer between 0 and 9999."});
}

TEST_F(ImageParmsTest, ColoursFollowBitsSetWhileTheFormWasHidden) {
    Form().hide();
    Ctx().m_nWarnings |= kWarnFrameRate; // as a clock-side timing run would leave it
    Form().show();
    EXPECT_TRUE(IsRed(IDC_FRAME_RATE));
    Form().hide();
    Ctx().m_nWarnings &= ~kWarnFrameRate;
    Form().show();
    EXPECT_FALSE(IsRed(IDC_FRAME_RATE));
}

TEST_F(ImageParmsTest, ChangedHBlankTurnsItsEditRed) {
    TypeInto(IDC_HBLANK, QStringLiteral("1"));
    EXPECT_NE(Ctx().m_nWarnings & kWarnHBlank, 0u);
    EXPECT_TRUE(IsRed(IDC_HBLANK));
    Click(IDC_HBLANK_MIN);
    EXPECT_FALSE(IsRed(IDC_HBLANK));
}

TEST_F(ImageParmsTest, SizeOutsideTheSensorTurnsItsEditRed) {
    const std::pair<int, const char*> outside[] = {
        {IDC_OUTPUT_COLUMNS, "9000"}, {IDC_OUTPUT_COLUMNS, "0"}, {IDC_OUTPUT_ROWS, "489"}};
    for (const auto& [id, text] : outside) {
        TypeInto(id, QString::fromLatin1(text));
        EXPECT_TRUE(IsRed(id)) << text;
        TypeInto(id, QStringLiteral("320"));
        EXPECT_FALSE(IsRed(id)) << text;
    }
}

TEST_F(ImageParmsTest, FocusHintsSelectTheTextAndGoToTheFrame) {
    const std::pair<int, const char*> cases[] = {
        {IDC_FRAME_RATE, "Frames Per Second: Enter desired # of frames per second for this mode"},
        {IDC_OUTPUT_COLUMNS,
         "Output Columns: Enter desired # of colums to output in final image for this mode (1 to "
         "648; with skipping, 324 or fewer read every 2nd column, 162 or fewer every 4th)"},
        {IDC_OUTPUT_ROWS,
         "Output Rows: Enter desired # of rows to output in final image for this mode (1 to 488; "
         "with skipping, 244 or fewer read every 2nd row, 122 or fewer every 4th)"},
        {IDC_HBLANK, "HBlank Pixels: Enter desired # of horizontal blanking pixels for each row "
                     "(or check 'Min' or 'Max')"},
        {IDC_VBLANK, "VBlank Rows: Enter desired # of vertical blanking rows for each frame (or "
                     "check 'Min' or 'Max')"},
    };
    // The frame-rate box, first in the tab order, has the focus since the window opened.
    Form().GetDlgItem(IDC_VARIABLE_FRAME_RATE)->setFocus(Qt::TabFocusReason);
    for (const auto& [id, text] : cases) {
        host.frame.Clear();
        Form().GetDlgItem(id)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(host.frame.statusTexts, std::vector<QString>{QString::fromLatin1(text)}) << id;
        EXPECT_EQ(Edit(id)->selectedText(), Edit(id)->text()) << id;
    }
    host.frame.Clear();
    Form().GetDlgItem(IDC_VARIABLE_FRAME_RATE)->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(host.frame.statusTexts.empty());
}

TEST_F(ImageParmsTest, ToolTipsFromTheStringTable) {
    EXPECT_EQ(
        Form().GetDlgItem(IDC_FRAME_RATE)->toolTip(),
        QStringLiteral("Enter the desired Frames Per Second (FPS) for this context (be exact)"));
    EXPECT_EQ(Form().GetDlgItem(IDC_OUTPUT_COLUMNS)->toolTip(),
              QStringLiteral("Enter the desired # of columns in the final image (1 to 648)"));
    EXPECT_EQ(Form().GetDlgItem(IDC_OUTPUT_ROWS)->toolTip(),
              QStringLiteral("Enter the desired # of rows in the final image (1 to 488)"));
    EXPECT_TRUE(Form().GetDlgItem(IDC_HBLANK)->toolTip().isEmpty());
    EXPECT_TRUE(Form().GetDlgItem(IDC_TIMING_REPORT)->toolTip().isEmpty());
    EXPECT_EQ(LoadWizardString(135).size(), 69);
    EXPECT_TRUE(LoadWizardString(999).isEmpty());
}

TEST_F(ImageParmsTest, SetDefaultsRestoresTheRequestButKeepsVariableFrameRate) {
    Click(IDC_VARIABLE_FRAME_RATE);
    TypeInto(IDC_MIN_FRAME_RATE, QStringLiteral("12"));
    TypeInto(IDC_FRAME_RATE, QStringLiteral("15"));
    TypeInto(IDC_OUTPUT_COLUMNS, QStringLiteral("320"));
    TypeInto(IDC_OUTPUT_ROWS, QStringLiteral("240"));
    TypeInto(IDC_VBLANK, QStringLiteral("40"));
    Click(IDC_SKIPPING);
    PostedRecomputes();
    EXPECT_TRUE(SendWizardMessage(&Form(), WM_WIZ_SET_DEFAULTS));
    EXPECT_EQ(Edit(IDC_FRAME_RATE)->text(), QStringLiteral("30"));
    EXPECT_EQ(Edit(IDC_OUTPUT_COLUMNS)->text(), QStringLiteral("640"));
    EXPECT_EQ(Edit(IDC_OUTPUT_ROWS)->text(), QStringLiteral("480"));
    EXPECT_EQ(Edit(IDC_HBLANK)->text(), QStringLiteral("500"));
    EXPECT_EQ(Edit(IDC_VBLANK)->text(), QStringLiteral("500"));
    EXPECT_EQ(CheckedRadios(), std::vector<int>{IDC_HBLANK_MIN});
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_SKIPPING));
    EXPECT_EQ(Ctx().m_bAllowSkipping, 0);
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_BINNING));
    EXPECT_EQ(Ctx().m_bLowPower, 0);
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_VARIABLE_FRAME_RATE));
    EXPECT_EQ(Edit(IDC_MIN_FRAME_RATE)->text(), QStringLiteral("12"));
    EXPECT_EQ(Ctx().m_dFrameRate, 30.0);
    EXPECT_EQ(Ctx().m_nOutputColumns, 640);
    EXPECT_EQ(Ctx().m_nOutputRows, 480);
    EXPECT_EQ(Ctx().m_nBlankingMode, 0);
    EXPECT_EQ(Ctx().m_bAllowSkipping, 0);
    EXPECT_EQ(Ctx().m_bVariableFrameRate, 1);
    EXPECT_EQ(Ctx().m_dMinFrameRate, 12.0);
    EXPECT_EQ(Ctx().m_bBinning, 0); // the calculation always clears it
    EXPECT_EQ(PostedRecomputes(), 0);
    EXPECT_EQ(Form().GetDlgItemText(IDC_TIMING_REPORT), DocumentText(Ctx().m_strTimingReport));
}

TEST_F(ImageParmsTest, TimingChangedShowsTheDocumentWithoutComputing) {
    Ctx().m_dFrameRate = 5.0;
    Ctx().m_strTimingReport = "Computed elsewhere\r\n";
    PostWizardMessage(&Form(), WM_WIZ_TIMING_CHANGED);
    PumpEvents();
    EXPECT_EQ(Form().GetDlgItemText(IDC_TIMING_REPORT), QStringLiteral("Computed elsewhere\n"));
    EXPECT_EQ(Ctx().m_dFrameRate, 5.0);
    EXPECT_EQ(PostedRecomputes(), 0);
}

TEST_F(ImageParmsTest, FullFormIgnoresRecalcContext) {
    Ctx().m_dFrameRate = 5.0;
    SendWizardMessage(&Form(), WM_WIZ_RECALC_CONTEXT, 0);
    SendWizardMessage(&Form(), WM_WIZ_RECALC_CONTEXT, 1);
    EXPECT_EQ(Ctx().m_dFrameRate, 5.0);
}

TEST_F(ImageParmsTest, ReducedFormHidesEverythingAndFollowsContextZero) {
    CViewHost<CImageParms> reduced;
    reduced.view->SetContext(1);
    ASSERT_TRUE(reduced.Start());
    // Every control of the form is hidden.
    int controls = 0;
    for (const QWidget* control : reduced.view->findChildren<QWidget*>()) {
        if (const int id = reduced.view->GetDlgCtrlID(control); id != 0) {
            ++controls;
            EXPECT_FALSE(control->isVisible()) << id;
        }
    }
    EXPECT_EQ(controls, 33);
    EXPECT_EQ(reduced.view->m_nContext, 0);
    EXPECT_EQ(reduced.view->m_bFollowOtherContext, 1);
    // It does not overwrite the context at its initial update...
    EXPECT_TRUE(reduced.doc.m_Contexts[0].m_strTimingReport.empty());
    // ...but follows a recomputation of context 0 announced to it.
    SendWizardMessage(reduced.view, WM_WIZ_RECALC_CONTEXT, 0);
    EXPECT_EQ(reduced.doc.m_Contexts[0].m_dFrameRate, 30.0);
    EXPECT_FALSE(reduced.doc.m_Contexts[0].m_strTimingReport.empty());
}

TEST_F(ImageParmsTest, Screenshot) {
    EXPECT_FALSE(SaveScreenshot(host.window, QStringLiteral("image_timing")).isEmpty());
    EXPECT_EQ(DrawingFaults(host.window), std::vector<std::string>{});
}

} // namespace
