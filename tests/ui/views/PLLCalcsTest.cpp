// Clock Settings form driven by keys and clicks: recalculation triggers, prompts, enable rules,
// colours, status texts and wizard messages.
#include "PLLCalcs.h"
#include "ViewHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);

class PLLCalcsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Start()); }

    CPLLCalcs& Form() { return *host.view; }
    QLineEdit* Edit(int id) { return Form().Item<QLineEdit>(id); }
    QString Report() { return Form().GetDlgItemText(IDC_CLOCK_REPORT); }
    bool IsRed(int id) { return Form().GetDlgItem(id)->palette().color(QPalette::Base) == kRed; }
    bool Enabled(int id) { return Form().GetDlgItem(id)->isEnabled(); }
    void TypeInto(int id, const QString& text) { TypeOver(Edit(id), Edit(id), text); }
    void Click(int id) { QTest::mouseClick(Form().GetDlgItem(id), Qt::LeftButton); }
    void Leave(int id) { LeaveWithTab(Edit(id)); }

    CPromptRecorder prompts;
    CViewHost<CPLLCalcs> host;
};

TEST_F(PLLCalcsTest, InitialUpdatePreparesTheControlsWithoutCalculating) {
    EXPECT_EQ(Edit(IDC_INPUT_FREQ)->text(), QStringLiteral("11"));
    EXPECT_EQ(Edit(IDC_TARGET_SYSTEM_FREQ)->text(), QStringLiteral("44"));
    EXPECT_EQ(Edit(IDC_TARGET_VCO_FREQ)->text(), QStringLiteral("528"));
    EXPECT_EQ(Edit(IDC_PLL_M)->text(), QStringLiteral("49"));
    EXPECT_EQ(Edit(IDC_PLL_N)->text(), QStringLiteral("2"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_INPUT_RANGE), QStringLiteral("(4.0MHz -- 44.0MHz)"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_PLL_M_LABEL),
              QStringLiteral("Specify \"M\" value\n(16 -- 70)"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_PLL_N_LABEL),
              QStringLiteral("Specify \"N\" value\n(0 -- 63)"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_HW_REV), QStringLiteral("Rev2"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_BYPASS_PLL_LABEL), QStringLiteral("Bypass PLL"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_USE_MIN_FREQ), QStringLiteral("Use Min. Freq."));
    EXPECT_EQ(Form().GetDlgItemText(IDC_HW_REV_LABEL), QStringLiteral("HW Rev."));
    EXPECT_EQ(Form().GetDlgItemText(IDC_TARGET_SYSTEM_LABEL),
              QStringLiteral("Target System Frequency (MHz)"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_TARGET_VCO_LABEL),
              QStringLiteral("Target VCO Frequency (MHz)"));
    EXPECT_EQ(Form().GetDlgItemText(IDC_INPUT_FREQ_LABEL), QStringLiteral("Input Frequency (MHz)"));
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_TRUE(Form().Item<QTextEdit>(IDC_CLOCK_REPORT)->isReadOnly());
    for (int id : {IDC_TARGET_VCO_FREQ, IDC_PLL_M, IDC_PLL_N})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {IDC_INPUT_FREQ, IDC_TARGET_SYSTEM_FREQ, IDC_USE_VCO, IDC_USE_PLL_M})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PLLCalcsTest, DotAloneDoesNotRecalculateButFourDotDoes) {
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("."));
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_EQ(host.doc.m_dInputFreq, 11.0);
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("4."));
    EXPECT_EQ(host.doc.m_dInputFreq, 4.0);
    EXPECT_FALSE(Report().isEmpty());
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PLLCalcsTest, EmptyingAnEditDoesNotRecalculate) {
    for (int id : {IDC_INPUT_FREQ, IDC_TARGET_SYSTEM_FREQ}) {
        Edit(id)->setFocus(Qt::TabFocusReason);
        Edit(id)->selectAll();
        QTest::keyClick(Edit(id), Qt::Key_Backspace);
        EXPECT_TRUE(Edit(id)->text().isEmpty());
    }
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PLLCalcsTest, InputOutOfRangePromptsSelectsAndTurnsRed) {
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("10000"));
    // At once: the calculation ran with 10000, clamped, marked and red, and no box interrupts.
    EXPECT_TRUE(prompts.Texts().empty());
    EXPECT_TRUE(Form().IsMarkedBad(IDC_INPUT_FREQ));
    EXPECT_EQ(host.doc.m_dInputFreq, 10000.0);
    EXPECT_TRUE(Report().contains(QStringLiteral("(cannot match)")));
    EXPECT_NE(host.doc.m_Contexts[0].m_nWarnings & kWarnInputFreq, 0u);
    EXPECT_TRUE(IsRed(IDC_INPUT_FREQ));
    EXPECT_FALSE(IsRed(IDC_TARGET_SYSTEM_FREQ));
    // Leaving the edit brings the range prompt, the focus back and the text selected.
    Leave(IDC_INPUT_FREQ);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number between 0 and 9999."});
    EXPECT_TRUE(Edit(IDC_INPUT_FREQ)->hasFocus());
    EXPECT_EQ(Edit(IDC_INPUT_FREQ)->selectedText(), QStringLiteral("10000"));
    // Back in range: the bit clears and the edit returns to its normal colour.
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("11"));
    EXPECT_EQ(host.doc.m_Contexts[0].m_nWarnings & kWarnInputFreq, 0u);
    EXPECT_FALSE(IsRed(IDC_INPUT_FREQ));
}

TEST_F(PLLCalcsTest, NotANumberInTheTargetKeepsThePreviousValue) {
    TypeInto(IDC_TARGET_SYSTEM_FREQ, QStringLiteral("abc"));
    EXPECT_EQ(Edit(IDC_TARGET_SYSTEM_FREQ)->text(), QStringLiteral("abc"));
    Leave(IDC_TARGET_SYSTEM_FREQ);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number."});
    EXPECT_EQ(host.doc.m_dTargetSystemFreq, 44.0);
    EXPECT_TRUE(Edit(IDC_TARGET_SYSTEM_FREQ)->hasFocus());
}

TEST_F(PLLCalcsTest, FailedFieldStopsTheReadButTheCalculationRuns) {
    Click(IDC_USE_VCO);
    Edit(IDC_TARGET_VCO_FREQ)->setText(QStringLiteral("500"));
    prompts.Clear();
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("x"));
    Leave(IDC_INPUT_FREQ);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number."});
    // The VCO field after the failing one keeps its previous value, 500 read earlier.
    EXPECT_EQ(host.doc.m_dTargetVcoFreq, 500.0);
    EXPECT_FALSE(Report().isEmpty());
}

TEST_F(PLLCalcsTest, VcoEditRangeStartsAtMinusOne) {
    Click(IDC_USE_VCO);
    prompts.Clear();
    TypeInto(IDC_TARGET_VCO_FREQ, QStringLiteral("10000"));
    Leave(IDC_TARGET_VCO_FREQ);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number between -1 and 9999."});
    prompts.Clear();
    TypeInto(IDC_PLL_M, QStringLiteral("4.5"));
    EXPECT_TRUE(prompts.Texts().empty()); // M is disabled: typing does not reach it
}

TEST_F(PLLCalcsTest, BypassDisablesAllButInputAndHwRevAndShowsOneLine) {
    Click(IDC_BYPASS_PLL);
    for (int id : {IDC_TARGET_SYSTEM_FREQ, IDC_USE_VCO, IDC_USE_MIN_FREQ, IDC_USE_PLL_M,
                   IDC_USE_PLL_N, IDC_TARGET_VCO_FREQ, IDC_PLL_M, IDC_PLL_N})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {IDC_INPUT_FREQ, IDC_HW_REV, IDC_CLOCK_REPORT, IDC_BYPASS_PLL})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(Report(), QStringLiteral("PLL Bypassed: System Output Clock = 5.500 MHz"));
    EXPECT_EQ(host.doc.m_bBypassPll, 1);
    ASSERT_EQ(host.frame.statusTexts.size(), 1u);
    EXPECT_EQ(host.frame.statusTexts[0],
              QStringLiteral("Bypass PLL: Check to run the system clock directly from the input "
                             "clock"));
    Click(IDC_BYPASS_PLL);
    EXPECT_TRUE(Enabled(IDC_TARGET_SYSTEM_FREQ));
    EXPECT_FALSE(Enabled(IDC_PLL_M));
}

TEST_F(PLLCalcsTest, UseMinFreqDisablesTheTargetButStillSendsIt) {
    TypeInto(IDC_TARGET_SYSTEM_FREQ, QStringLiteral("40"));
    host.frame.Clear();
    Click(IDC_USE_MIN_FREQ);
    EXPECT_FALSE(Enabled(IDC_TARGET_SYSTEM_FREQ));
    EXPECT_EQ(host.doc.m_bUseMinFreq, 1);
    EXPECT_EQ(host.doc.m_dTargetSystemFreq, 40.0);
    // The click gives the box the focus (one text), then the click handler sends it again.
    const QString text = QStringLiteral("Use Min Frequency: Check to have Wizard calculate minimum "
                                        "PLL frequency to achieve desired frame rates");
    EXPECT_EQ(host.frame.statusTexts, (std::vector<QString>{text, text}));
    Click(IDC_USE_MIN_FREQ);
    EXPECT_TRUE(Enabled(IDC_TARGET_SYSTEM_FREQ));
}

TEST_F(PLLCalcsTest, FixedMAndNWithoutCandidateShowZerosAndRedTarget) {
    Click(IDC_USE_PLL_M);
    EXPECT_TRUE(Enabled(IDC_PLL_M));
    EXPECT_EQ(host.doc.m_nPllM, 49);
    Click(IDC_USE_PLL_N);
    EXPECT_EQ(host.doc.m_nPllN, 2);
    EXPECT_EQ(host.doc.m_Registers[kRowPllDividers].m_nValue, 0x0000u);
    EXPECT_EQ(host.doc.m_Registers[kRowPllPDividers].m_nValue, 0x0F00u);
    EXPECT_TRUE(Report().contains(QStringLiteral("(cannot match)")));
    EXPECT_NE(host.doc.m_Contexts[0].m_nWarnings & kWarnSystemFreq, 0u);
    EXPECT_TRUE(IsRed(IDC_TARGET_SYSTEM_FREQ));
    Click(IDC_USE_PLL_N);
    EXPECT_FALSE(Enabled(IDC_PLL_N));
    EXPECT_EQ(host.doc.m_nPllN, -1);
}

TEST_F(PLLCalcsTest, EditsOfMAndNRecalculateOnEveryNonEmptyText) {
    Click(IDC_USE_PLL_M);
    TypeInto(IDC_PLL_M, QStringLiteral("24"));
    EXPECT_EQ(host.doc.m_nPllM, 24);
    TypeInto(IDC_PLL_M, QStringLiteral("x"));
    Leave(IDC_PLL_M);
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer."});
    EXPECT_EQ(host.doc.m_nPllM, 24);
}

TEST_F(PLLCalcsTest, Rev1RecalculatesTheDocumentOnce) {
    SendWizardMessage(&Form(), WM_WIZ_RECALC_CLOCKS);
    PumpEvents();
    host.frame.Clear();
    auto* combo = Form().Item<QComboBox>(IDC_HW_REV);
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Rev1"));
    EXPECT_EQ(host.doc.m_nHwRev, 1);
    EXPECT_TRUE(host.frame.messages.empty()); // posted, so not yet delivered
    PumpEvents();
    // The revision changes the timing too; the one recalculation covered it, the pages show it.
    EXPECT_EQ(host.frame.Numbers(),
              (std::vector<unsigned>{WM_WIZ_TIMING_CHANGED, WM_WIZ_CLOCKS_RECALCULATED}));
}

TEST_F(PLLCalcsTest, FocusSendsStatusTextsAndSelectsTheText) {
    Click(IDC_USE_VCO);
    Click(IDC_USE_PLL_M);
    Click(IDC_USE_PLL_N);
    host.frame.Clear();
    const std::pair<int, const char*> cases[] = {
        {IDC_INPUT_FREQ, "Input Frequency: Enter frequency of input clock"},
        {IDC_TARGET_SYSTEM_FREQ, "Output Frequency: Enter desired PLL output frequency"},
        {IDC_TARGET_VCO_FREQ, "VCO Output Frequency: Enter desired PLL VCO output frequency"},
        {IDC_PLL_M, "PLL M: Enter specific 'M' value"},
        {IDC_PLL_N, "PLL M: Enter specific 'N' value"},
        {IDC_USE_MIN_FREQ, "Use Min Frequency: Check to have Wizard calculate minimum PLL "
                           "frequency to achieve desired frame rates"},
    };
    for (const auto& [id, text] : cases) {
        host.frame.Clear();
        Form().GetDlgItem(id)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(host.frame.statusTexts, std::vector<QString>{QString::fromLatin1(text)}) << id;
        if (auto* edit = Edit(id)) {
            EXPECT_EQ(edit->selectedText(), edit->text()) << id;
        }
    }
    EXPECT_EQ(host.frame.messages.back().lParam, 0);
}

TEST_F(PLLCalcsTest, RecalcClocksMessageRecalculates) {
    EXPECT_TRUE(SendWizardMessage(&Form(), WM_WIZ_RECALC_CLOCKS));
    EXPECT_FALSE(Report().isEmpty());
    EXPECT_TRUE(Report().contains(QStringLiteral("44")));
}

TEST_F(PLLCalcsTest, SetDefaultsRestoresClocksAndKeepsACheckedMBox) {
    Click(IDC_USE_PLL_M);
    TypeInto(IDC_PLL_M, QStringLiteral("24"));
    Click(IDC_USE_VCO);
    TypeInto(IDC_TARGET_VCO_FREQ, QStringLiteral("500"));
    TypeInto(IDC_INPUT_FREQ, QStringLiteral("12"));
    TypeInto(IDC_TARGET_SYSTEM_FREQ, QStringLiteral("40"));
    Click(IDC_USE_MIN_FREQ);
    Click(IDC_BYPASS_PLL);
    EXPECT_TRUE(SendWizardMessage(&Form(), WM_WIZ_SET_DEFAULTS));
    EXPECT_EQ(Edit(IDC_INPUT_FREQ)->text(), QStringLiteral("11"));
    EXPECT_EQ(Edit(IDC_TARGET_SYSTEM_FREQ)->text(), QStringLiteral("44"));
    EXPECT_EQ(Edit(IDC_TARGET_VCO_FREQ)->text(), QStringLiteral("528"));
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_BYPASS_PLL));
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_USE_VCO));
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_USE_PLL_M));
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_USE_MIN_FREQ));
    EXPECT_EQ(Edit(IDC_PLL_M)->text(), QStringLiteral("24"));
    EXPECT_EQ(host.doc.m_bBypassPll, 0);
    EXPECT_EQ(host.doc.m_dInputFreq, 11.0);
    EXPECT_EQ(host.doc.m_dTargetVcoFreq, -1.0);
    EXPECT_EQ(host.doc.m_nPllM, 24);
    // The enable rules follow the boxes again.
    EXPECT_FALSE(Enabled(IDC_TARGET_VCO_FREQ));
    EXPECT_TRUE(Enabled(IDC_PLL_M));
    EXPECT_FALSE(Enabled(IDC_TARGET_SYSTEM_FREQ)); // "Use Min. Freq." is still checked
    EXPECT_TRUE(Enabled(IDC_USE_VCO));
    EXPECT_FALSE(Report().startsWith(QStringLiteral("PLL Bypassed")));
}

// A number typed key by key: the entry, what the text must read as, and the prompt leaving it
// gives (empty: none).
struct TypedCase {
    int id;
    const char* keys;
    double value;
    const char* leavePrompt;
};

TEST_F(PLLCalcsTest, HalfTypedNumbersKeepEveryKeyAndPromptOnlyOnLeaving) {
    Click(IDC_USE_VCO);
    const TypedCase cases[] = {
        {IDC_TARGET_VCO_FREQ, "-5", -5.0, "Enter a number between -1 and 9999."},
        {IDC_TARGET_VCO_FREQ, "-1", -1.0, ""},
        {IDC_INPUT_FREQ, "1e1", 10.0, ""},
        {IDC_TARGET_SYSTEM_FREQ, " 40", 40.0, ""},
        {IDC_TARGET_SYSTEM_FREQ, "4x", 4.0, "Enter a number."}, // "x" keeps the 4 read before
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.keys);
        prompts.Clear();
        QLineEdit* edit = Edit(c.id);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        const QString keys = QString::fromLatin1(c.keys);
        for (int typed = 1; typed <= keys.size(); ++typed) {
            QTest::keyClick(edit, keys[typed - 1].toLatin1());
            PumpEvents();
            EXPECT_EQ(edit->text(), keys.left(typed)) << "every key stays in the edit";
            EXPECT_TRUE(prompts.Texts().empty()) << "no box while typing";
        }
        const double documentValue = c.id == IDC_INPUT_FREQ           ? host.doc.m_dInputFreq
                                     : c.id == IDC_TARGET_SYSTEM_FREQ ? host.doc.m_dTargetSystemFreq
                                                                      : host.doc.m_dTargetVcoFreq;
        EXPECT_EQ(documentValue, c.value);
        Leave(c.id);
        const std::vector<QString> expected =
            *c.leavePrompt != 0 ? std::vector<QString>{c.leavePrompt} : std::vector<QString>{};
        EXPECT_EQ(prompts.Texts(), expected);
        if (!expected.empty()) {
            EXPECT_TRUE(edit->hasFocus());
            EXPECT_EQ(edit->selectedText(), keys);
        }
    }
}

TEST_F(PLLCalcsTest, RefusedTextIsMarkedAndNamedInTheStatusBarWhileTyping) {
    Click(IDC_USE_VCO);
    QLineEdit* edit = Edit(IDC_TARGET_VCO_FREQ);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    const QString hint =
        QStringLiteral("VCO Output Frequency: Enter desired PLL VCO output frequency");
    ASSERT_EQ(host.frame.statusTexts.back(), hint);
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Minus, "Enter a number."},
        {Qt::Key_5, "Enter a number between -1 and 9999."},
        {Qt::Key_Home, "Enter a number between -1 and 9999."},
        {Qt::Key_Delete, nullptr},
    };
    for (const auto& [key, status] : steps) {
        QTest::keyClick(edit, key);
        EXPECT_EQ(Form().IsMarkedBad(IDC_TARGET_VCO_FREQ), status != nullptr)
            << edit->text().toStdString();
        EXPECT_EQ(host.frame.statusTexts.back(), status != nullptr ? status : hint)
            << edit->text().toStdString();
        // The frame is drawn over the edit, covering it.
        const QWidget* frame = edit->findChild<QWidget*>(QStringLiteral("badTextFrame"));
        EXPECT_EQ(frame != nullptr && frame->isVisible(), status != nullptr)
            << edit->text().toStdString();
    }
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PLLCalcsTest, EnterCommitsTheEditAndPromptsForARefusedText) {
    TypeInto(IDC_TARGET_SYSTEM_FREQ, QStringLiteral("abc"));
    QTest::keyClick(Edit(IDC_TARGET_SYSTEM_FREQ), Qt::Key_Return);
    PumpEvents();
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter a number."});
    EXPECT_TRUE(Edit(IDC_TARGET_SYSTEM_FREQ)->hasFocus());
    EXPECT_EQ(Edit(IDC_TARGET_SYSTEM_FREQ)->selectedText(), QStringLiteral("abc"));
    prompts.Clear();
    TypeInto(IDC_TARGET_SYSTEM_FREQ, QStringLiteral("40"));
    QTest::keyClick(Edit(IDC_TARGET_SYSTEM_FREQ), Qt::Key_Return);
    PumpEvents();
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PLLCalcsTest, VcoEditTurnsRedAndBack) {
    Click(IDC_USE_VCO);
    TypeInto(IDC_TARGET_VCO_FREQ, QStringLiteral("123.456"));
    EXPECT_NE(host.doc.m_Contexts[0].m_nWarnings & kWarnVcoFreq, 0u);
    EXPECT_TRUE(IsRed(IDC_TARGET_VCO_FREQ));
    EXPECT_FALSE(IsRed(IDC_TARGET_SYSTEM_FREQ));
    Click(IDC_USE_VCO); // no VCO target any more
    EXPECT_EQ(host.doc.m_Contexts[0].m_nWarnings & kWarnVcoFreq, 0u);
    EXPECT_FALSE(IsRed(IDC_TARGET_VCO_FREQ));
}

TEST_F(PLLCalcsTest, DisabledTargetEditShowsItsWarningRed) {
    Click(IDC_USE_MIN_FREQ);
    QWidget* target = Form().GetDlgItem(IDC_TARGET_SYSTEM_FREQ);
    ASSERT_FALSE(target->isEnabled());
    // A warning bit left by a calculation shows on the disabled edit once the form comes up.
    Form().hide();
    host.doc.m_Contexts[0].m_nWarnings |= kWarnSystemFreq;
    Form().show();
    EXPECT_EQ(target->palette().color(QPalette::Disabled, QPalette::Base), kRed);
    // What the user sees: the disabled edit's inside is painted red.
    const QImage image = target->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 4), kRed);
}

TEST_F(PLLCalcsTest, Screenshot) {
    SendWizardMessage(&Form(), WM_WIZ_RECALC_CLOCKS);
    EXPECT_FALSE(SaveScreenshot(host.window, QStringLiteral("clock_settings")).isEmpty());
    EXPECT_EQ(DrawingFaults(host.window), std::vector<std::string>{});
}

} // namespace
