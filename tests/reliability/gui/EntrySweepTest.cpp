// Every numeric entry of the Clock Settings and Image Timing forms fed with bad and borderline
// texts: no box while a text is entered, the data exchange's prompt and the focus back on the
// entry when it is committed with Enter, never a crash, and the calculations running on with the
// members the exchange left.
#include "ImageParms.h"
#include "PLLCalcs.h"
#include "ViewHost.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const QString kNotANumber = QStringLiteral("Enter a number.");
const QString kNotAnInteger = QStringLiteral("Enter an integer.");

// A numeric entry: its control, its kind, the range the exchange checks (none for M and N) and
// the member it fills.
struct Entry {
    int id;
    const char* name;
    bool integer;
    std::optional<std::pair<double, double>> range;
};

const Entry kClockEntries[] = {
    {IDC_INPUT_FREQ, "input frequency", false, std::pair{0.0, 9999.0}},
    {IDC_TARGET_SYSTEM_FREQ, "target system frequency", false, std::pair{0.0, 9999.0}},
    {IDC_TARGET_VCO_FREQ, "target VCO frequency", false, std::pair{-1.0, 9999.0}},
    {IDC_PLL_M, "M", true, std::nullopt},
    {IDC_PLL_N, "N", true, std::nullopt},
};

const Entry kImageEntries[] = {
    {IDC_FRAME_RATE, "frame rate", false, std::pair{0.0, 9999.0}},
    {IDC_OUTPUT_COLUMNS, "output columns", true, std::pair{0.0, 9999.0}},
    {IDC_OUTPUT_ROWS, "output rows", true, std::pair{0.0, 9999.0}},
    {IDC_HBLANK, "horizontal blanking", true, std::pair{0.0, 999999.0}},
    {IDC_VBLANK, "vertical blanking", true, std::pair{0.0, 999999.0}},
    {IDC_MIN_FRAME_RATE, "minimum frame rate", false, std::pair{0.0, 9999999.0}},
};

// What a pasted text must give: no prompt and this value in the member, or, once committed, this
// prompt.
struct Outcome {
    std::optional<double> value; // the member's new value
    QStringList prompts;         // refused: one of these prompts, the member as the text says
};

QString RangePrompt(const Entry& e) {
    const QString text = e.integer ? QStringLiteral("Enter an integer between %1 and %2.")
                                   : QStringLiteral("Enter a number between %1 and %2.");
    return text.arg(QString::number(e.range->first, 'g', 15),
                    QString::number(e.range->second, 'g', 15));
}

struct SweepCase {
    QString text;
    std::function<Outcome(const Entry&)> outcome;
};

Outcome NotANumber(const Entry& e) {
    return {std::nullopt, {e.integer ? kNotAnInteger : kNotANumber}};
}

Outcome Accepts(double value) {
    return {value, {}};
}

// Texts every entry gets; the borderline values are added per entry from its range.
std::vector<SweepCase> SweepCases() {
    return {
        // Neither an empty entry nor, in a decimal entry, a lone "." (the start of a number)
        // starts a recalculation, but committed they are no number.
        {"", NotANumber},
        {".", NotANumber},
        {"-", NotANumber},
        {"nan", NotANumber},
        {"inf", NotANumber},
        {"0x10", NotANumber},
        {"1,5", NotANumber},
        {"1e999",
         [](const Entry& e) {
             Outcome o = NotANumber(e);
             if (e.range && !e.integer)
                 o.prompts << RangePrompt(e);
             return o;
         }},
        {QString(400, '7'),
         [](const Entry& e) {
             // A whole number however long: out of range for the integers, as the largest int.
             if (e.integer)
                 return e.range ? Outcome{2147483647.0, {RangePrompt(e)}} : Accepts(2147483647.0);
             Outcome o = NotANumber(e);
             if (e.range)
                 o.prompts << RangePrompt(e);
             return o;
         }},
        {"  12  ", [](const Entry&) { return Accepts(12); }},
        {"+5", [](const Entry&) { return Accepts(5); }},
    };
}

// Just inside and just outside the range of e; the entries without a range take any int.
std::vector<std::pair<QString, Outcome>> Borders(const Entry& e) {
    if (!e.range) {
        return {{"-2147483648", Accepts(-2147483648.0)},
                {"2147483647", Accepts(2147483647.0)},
                {"2147483648", Accepts(2147483647.0)},
                {"-2147483649", Accepts(-2147483648.0)}};
    }
    const auto [lo, hi] = *e.range;
    const double step = e.integer ? 1.0 : 0.001;
    const auto text = [&](double v) { return QString::number(v, 'g', 12); };
    return {{text(lo), Accepts(lo)},
            {text(hi), Accepts(hi)},
            {text(lo - step), Outcome{lo - step, {RangePrompt(e)}}},
            {text(hi + step), Outcome{hi + step, {RangePrompt(e)}}}};
}

template <class View> class SweepHost {
public:
    SweepHost() {
        if constexpr (std::is_same_v<View, CImageParms>)
            host.view->SetContext(0);
    }

    QLineEdit* Edit(int id) {
        QWidget* control = host.view->GetDlgItem(id);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            return combo->lineEdit();
        return qobject_cast<QLineEdit*>(control);
    }
    // Gives the entry the focus and replaces its text as a paste does: one change.
    void Paste(int id, const QString& text) {
        QLineEdit* edit = Edit(id);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            edit->insert(text);
        PumpEvents();
    }
    // Types the text key by key over the selected entry.
    void Type(int id, const QString& text) {
        TypeOver(Edit(id), Edit(id), text);
        PumpEvents();
    }
    // Commits the entry with Enter.
    void Commit(int id) {
        QTest::keyClick(Edit(id), Qt::Key_Return);
        PumpEvents();
    }

    CPromptRecorder prompts;
    CViewHost<View> host;
};

// The value entry id fills: the forms keep none of their own, the document holds it.
double ClockMember(const CPLLCalcs& f, int id) {
    const CKXC2280RegisterWizardDoc& doc = f.GetDocument();
    switch (id) {
    case IDC_INPUT_FREQ:
        return doc.m_dInputFreq;
    case IDC_TARGET_SYSTEM_FREQ:
        return doc.m_dTargetSystemFreq;
    case IDC_TARGET_VCO_FREQ:
        return doc.m_dTargetVcoFreq;
    case IDC_PLL_M:
        return doc.m_nPllM;
    default:
        return doc.m_nPllN;
    }
}

double ImageMember(const CImageParms& f, int id) {
    const CImageContext& c = f.GetDocument().m_Contexts[0];
    switch (id) {
    case IDC_FRAME_RATE:
        return c.m_dFrameRate;
    case IDC_OUTPUT_COLUMNS:
        return c.m_nOutputColumns;
    case IDC_OUTPUT_ROWS:
        return c.m_nOutputRows;
    case IDC_HBLANK:
        return c.m_nHBlank;
    case IDC_VBLANK:
        return c.m_nVBlank;
    default:
        return c.m_dMinFrameRate;
    }
}

// The calculations ran and left their reports.
void ExpectClockDocumentFollows(const CPLLCalcs&, const CKXC2280RegisterWizardDoc& doc) {
    EXPECT_EQ(doc.m_Registers.size(), kRegisterCount);
    EXPECT_FALSE(doc.m_strClockReport.empty());
}

void ExpectImageDocumentFollows(const CImageParms&, const CKXC2280RegisterWizardDoc& doc) {
    EXPECT_FALSE(doc.m_Contexts[0].m_strTimingReport.empty());
}

// Pastes every sweep text and border value into one entry, each from a clean form, and checks
// the outcome; member and followsDocument read the form.
template <class View>
void SweepEntry(SweepHost<View>& s, const Entry& e, double (*member)(const View&, int),
                void (*followsDocument)(const View&, const CKXC2280RegisterWizardDoc&)) {
    View& form = *s.host.view;
    QLineEdit* edit = s.Edit(e.id);
    ASSERT_NE(edit, nullptr) << e.name;
    ASSERT_TRUE(edit->isEnabled()) << e.name;
    const QString clean = edit->text();

    std::vector<std::pair<QString, Outcome>> cases;
    for (const SweepCase& c : SweepCases())
        cases.emplace_back(c.text, c.outcome(e));
    for (auto& border : Borders(e))
        cases.push_back(border);

    for (const auto& [text, outcome] : cases) {
        SCOPED_TRACE(std::string(e.name) + " <- \"" + text.left(40).toStdString() + "\"");
        s.Paste(e.id, clean);
        s.prompts.Clear();
        const double before = member(form, e.id);

        s.Paste(e.id, text);
        EXPECT_TRUE(s.prompts.Texts().empty()) << "no box while the text is entered";
        s.Commit(e.id);

        const std::vector<QString> shown = s.prompts.Texts();
        if (outcome.prompts.isEmpty()) {
            EXPECT_TRUE(shown.empty()) << shown.front().toStdString();
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_TRUE(outcome.prompts.contains(shown.front())) << shown.front().toStdString();
            EXPECT_EQ(QApplication::focusWidget(), form.GetDlgItem(e.id));
            EXPECT_EQ(edit->selectedText(), edit->text()) << "the failing text is selected";
        }
        if (outcome.value) {
            EXPECT_EQ(member(form, e.id), *outcome.value);
        } else if (shown.size() == 1 && !shown.front().contains("between")) {
            EXPECT_EQ(member(form, e.id), before) << "a text that is no number changes nothing";
        }
        followsDocument(form, s.host.doc);
    }
    s.Paste(e.id, clean);
}

// Types every sweep text key by key: every prompt is one of the exchange's, nothing crashes and
// the document follows the form after each text.
template <class View>
void TypeEveryText(SweepHost<View>& s, const Entry& e,
                   void (*followsDocument)(const View&, const CKXC2280RegisterWizardDoc&)) {
    const QString clean = s.Edit(e.id)->text();
    for (const SweepCase& c : SweepCases()) {
        SCOPED_TRACE(std::string(e.name) + " typed \"" + c.text.left(40).toStdString() + "\"");
        s.prompts.Clear();
        s.Type(e.id, c.text);
        EXPECT_TRUE(s.prompts.Texts().empty()) << "no box while the text is typed";
        s.Commit(e.id);
        for (const QString& prompt : s.prompts.Texts()) {
            const bool known = prompt == kNotANumber || prompt == kNotAnInteger ||
                               (e.range && prompt == RangePrompt(e));
            EXPECT_TRUE(known) << prompt.toStdString();
        }
        followsDocument(*s.host.view, s.host.doc);
        s.Paste(e.id, clean);
    }
}

TEST(EntrySweep, ClockSettingsForm) {
    SweepHost<CPLLCalcs> s;
    ASSERT_TRUE(s.host.Start());
    // The VCO, M and N entries are enabled by their boxes.
    for (int box : {IDC_USE_VCO, IDC_USE_PLL_M, IDC_USE_PLL_N})
        QTest::mouseClick(s.host.view->GetDlgItem(box), Qt::LeftButton);
    PumpEvents();
    for (const Entry& e : kClockEntries) {
        SweepEntry<CPLLCalcs>(s, e, ClockMember, ExpectClockDocumentFollows);
        TypeEveryText<CPLLCalcs>(s, e, ExpectClockDocumentFollows);
    }
}

TEST(EntrySweep, ImageTimingForm) {
    SweepHost<CImageParms> s;
    ASSERT_TRUE(s.host.Start());
    // The minimum frame rate is enabled by the variable frame rate box.
    QTest::mouseClick(s.host.view->GetDlgItem(IDC_VARIABLE_FRAME_RATE), Qt::LeftButton);
    PumpEvents();
    for (const Entry& e : kImageEntries) {
        SweepEntry<CImageParms>(s, e, ImageMember, ExpectImageDocumentFollows);
        TypeEveryText<CImageParms>(s, e, ExpectImageDocumentFollows);
    }
}

} // namespace
