// Form views: controls from the template, data exchange prompts, focus, dropped notifications.
#include "FormView.h"
#include "GuiTestHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <climits>
#include <clocale>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr ControlTemplate kControls[] = {
    {10, CtlKind::Edit, "", {7, 7, 50, 12}, CtlNone},
    {11, CtlKind::Edit, "", {7, 21, 50, 12}, CtlNone},
    {12, CtlKind::Edit, "", {7, 35, 50, 12}, CtlNone},
    {13, CtlKind::CheckBox, "Auto", {7, 49, 50, 10}, CtlNone},
    {14, CtlKind::CheckBox, "Manual", {7, 61, 50, 10}, CtlManual},
    {15, CtlKind::Static, "Caption", {7, 73, 50, 8}, CtlHidden},
    {16, CtlKind::ComboBox, "", {7, 85, 50, 60}, CtlEditable},
    {17, CtlKind::Edit, "", {7, 99, 50, 12}, CtlDisabled},
    {18, CtlKind::RadioButton, "Manual radio", {60, 7, 60, 10}, CtlManual},
};

class CTestForm : public CFormView {
public:
    static constexpr DialogTemplate kDialog{900, 200, 120, kControls};
    CTestForm() : CFormView(kDialog, nullptr) {}

    double m_dValue = 44.0; // MHz
    int m_nCount = 7;
    double m_dLast = 1.5;
    int m_bFlag = 0;
    std::vector<std::pair<int, Notify>> notes;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 10, m_dValue);
        DDV_MinMaxDouble(pDX, m_dValue, -1.0, 9999.0);
        DDX_Text(pDX, 11, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 63);
        DDX_Text(pDX, 12, m_dLast);
        DDX_Check(pDX, 13, m_bFlag);
    }
    void OnNotify(int id, Notify code) override { notes.emplace_back(id, code); }
};

class FormViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.OnInitialUpdate();
    }
    QLineEdit* Edit(int id) { return form.Item<QLineEdit>(id); }

    CPromptRecorder prompts;
    CTestForm form;
};

TEST_F(FormViewTest, ControlsComeFromTheTemplate) {
    ASSERT_NE(Edit(10), nullptr);
    EXPECT_EQ(form.GetDlgItem(99), nullptr);
    EXPECT_EQ(form.GetDlgCtrlID(Edit(11)), 11);
    EXPECT_FALSE(form.GetDlgItem(15)->isVisible());
    EXPECT_FALSE(form.GetDlgItem(17)->isEnabled());
    EXPECT_EQ(form.GetDlgItemText(13), QStringLiteral("Auto"));
    const DialogBaseUnits base = form.BaseUnits();
    EXPECT_EQ(Edit(11)->geometry(), DialogUnitsToPixels({7, 21, 50, 12}, base));
    EXPECT_EQ(form.sizeHint(), DialogUnitsToPixels({0, 0, 200, 120}, base).size());
}

TEST_F(FormViewTest, MembersShowInShortestForm) {
    EXPECT_EQ(Edit(10)->text(), QStringLiteral("44"));
    EXPECT_EQ(Edit(11)->text(), QStringLiteral("7"));
    EXPECT_EQ(Edit(12)->text(), QStringLiteral("1.5"));
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{44.0, "44"},   {14.645, "14.645"},     {0.1, "0.1"},
                          {-1.0, "-1"},   {9999999.0, "9999999"}, {1.0 / 3.0, "0.333333333333333"},
                          {528.0, "528"}, {1e20, "1e+20"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatDdxDouble(c.value), QString::fromLatin1(c.text));
}

TEST_F(FormViewTest, ParsingAcceptsOnlyWholeNumbers) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"4.", true, 4.0},     {" 12.5 ", true, 12.5}, {"+3", true, 3.0}, {"-1", true, -1.0},
        {"1e3", true, 1000.0}, {".5", true, 0.5},      {".", false, 0},   {"", false, 0},
        {"abc", false, 0},     {"4,5", false, 0},      {"nan", false, 0}, {"inf", false, 0},
        {"1e999", false, 0},   {"+-1", false, 0},      {"12x", false, 0}, {"0x1A", false, 0}};
    for (const Case& c : cases) {
        double value = -7.0;
        EXPECT_EQ(ParseDdxDouble(QString::fromLatin1(c.text), value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -7.0) << c.text;
    }
    struct IntCase {
        const char* text;
        bool ok;
        int value;
    };
    // A whole number too long for an int reads as the nearest int, so range checks refuse it.
    const IntCase ints[] = {{"49", true, 49},
                            {" -3 ", true, -3},
                            {"+2", true, 2},
                            {"4.5", false, 0},
                            {"", false, 0},
                            {"abc", false, 0},
                            {"-", false, 0},
                            {"1e3", false, 0},
                            {"99999999999", true, INT_MAX},
                            {"-99999999999", true, INT_MIN}};
    for (const IntCase& c : ints) {
        int value = -7;
        EXPECT_EQ(ParseDdxInt(QString::fromLatin1(c.text), value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -7) << c.text;
    }
}

TEST_F(FormViewTest, ParsingIgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    double value = 0.0;
    EXPECT_TRUE(ParseDdxDouble(QStringLiteral("14.645"), value));
    EXPECT_EQ(value, 14.645);
    EXPECT_FALSE(ParseDdxDouble(QStringLiteral("14,645"), value));
    EXPECT_EQ(FormatDdxDouble(2.5), QStringLiteral("2.5"));
    std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(FormViewTest, NotANumberPromptsKeepsMemberAndStopsTheRead) {
    form.SetDlgItemText(10, QStringLiteral("abc"));
    form.SetDlgItemText(12, QStringLiteral("2.5"));
    EXPECT_FALSE(form.UpdateData(true));
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{QStringLiteral("Enter a number.")});
    EXPECT_EQ(form.m_dValue, 44.0);
    EXPECT_EQ(form.m_dLast, 1.5); // the read stopped before this field
    EXPECT_TRUE(Edit(10)->hasFocus());
    EXPECT_EQ(Edit(10)->selectedText(), QStringLiteral("abc"));
}

TEST_F(FormViewTest, OutOfRangePromptsWithBoundsAndKeepsTheNewValue) {
    form.SetDlgItemText(10, QStringLiteral("10000"));
    EXPECT_FALSE(form.UpdateData(true));
    EXPECT_EQ(form.m_dValue, 10000.0);
    form.SetDlgItemText(10, QStringLiteral("5"));
    form.SetDlgItemText(11, QStringLiteral("64"));
    EXPECT_FALSE(form.UpdateData(true));
    form.SetDlgItemText(11, QStringLiteral("x"));
    EXPECT_FALSE(form.UpdateData(true));
    const std::vector<QString> expected{QStringLiteral("Enter a number between -1 and 9999."),
                                        QStringLiteral("Enter an integer between 0 and 63."),
                                        QStringLiteral("Enter an integer.")};
    EXPECT_EQ(prompts.Texts(), expected);
    EXPECT_EQ(form.m_nCount, 64);
    EXPECT_TRUE(Edit(11)->hasFocus());
    EXPECT_EQ(Edit(11)->selectedText(), QStringLiteral("x"));
}

TEST_F(FormViewTest, CheckFindsRefusedTextsAndChangesNothing) {
    form.SetDlgItemText(10, QStringLiteral("10000"));
    form.SetDlgItemText(11, QStringLiteral("x"));
    EXPECT_EQ(form.CheckControl(10), QStringLiteral("Enter a number between -1 and 9999."));
    EXPECT_EQ(form.CheckControl(11), QStringLiteral("Enter an integer."));
    EXPECT_TRUE(form.CheckControl(12).isEmpty());
    EXPECT_EQ(form.FirstBadEdit(), 10);
    // A check writes no member and shows no box.
    EXPECT_EQ(form.m_dValue, 44.0);
    EXPECT_EQ(form.m_nCount, 7);
    EXPECT_TRUE(prompts.Texts().empty());
    // Every refused text carries the red frame over its edit.
    for (const int id : {10, 11}) {
        EXPECT_TRUE(form.IsMarkedBad(id)) << id;
        const QWidget* frame = Edit(id)->findChild<QWidget*>(QStringLiteral("badTextFrame"));
        ASSERT_NE(frame, nullptr) << id;
        EXPECT_TRUE(frame->isVisible()) << id;
        EXPECT_EQ(frame->geometry(), Edit(id)->rect()) << id;
    }
    EXPECT_FALSE(form.IsMarkedBad(12));
}

TEST_F(FormViewTest, CommitEditsPromptsForTheFirstReachableRefusedText) {
    form.SetDlgItemText(10, QStringLiteral("abc"));
    form.SetDlgItemText(11, QStringLiteral("64"));
    form.GetDlgItem(10)->setEnabled(false); // out of the user's reach
    EXPECT_FALSE(form.CommitEdits());
    EXPECT_EQ(prompts.Texts(), std::vector<QString>{"Enter an integer between 0 and 63."});
    EXPECT_TRUE(Edit(11)->hasFocus());
    EXPECT_EQ(Edit(11)->selectedText(), QStringLiteral("64"));
    prompts.Clear();
    form.SetDlgItemText(11, QStringLiteral("63"));
    EXPECT_TRUE(form.CommitEdits());
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(FormViewTest, GoodReadTakesEveryField) {
    QTest::mouseClick(form.GetDlgItem(13), Qt::LeftButton);
    form.SetDlgItemText(10, QStringLiteral("4."));
    form.SetDlgItemText(12, QStringLiteral("-0.25"));
    EXPECT_TRUE(form.UpdateData(true));
    EXPECT_TRUE(prompts.Texts().empty());
    EXPECT_EQ(form.m_dValue, 4.0);
    EXPECT_EQ(form.m_dLast, -0.25);
    EXPECT_EQ(form.m_bFlag, 1);
}

TEST_F(FormViewTest, NotificationsAreDroppedDuringAnExchange) {
    form.notes.clear();
    form.m_dValue = 12.0;
    form.m_bFlag = 1;
    form.UpdateData(false);
    EXPECT_TRUE(form.notes.empty());
    EXPECT_TRUE(form.IsDlgButtonChecked(13));
    QTest::keyClicks(Edit(12), QStringLiteral("9"));
    ASSERT_FALSE(form.notes.empty());
    EXPECT_EQ(form.notes.back(), (std::pair<int, Notify>{12, Notify::Changed}));
}

TEST_F(FormViewTest, FocusClickAndComboNotificationsReachTheForm) {
    form.notes.clear();
    Edit(11)->setFocus(Qt::TabFocusReason);
    ASSERT_FALSE(form.notes.empty());
    EXPECT_EQ(form.notes.back(), (std::pair<int, Notify>{11, Notify::SetFocus}));
    form.notes.clear();
    QTest::mouseClick(form.GetDlgItem(14), Qt::LeftButton);
    EXPECT_FALSE(form.IsDlgButtonChecked(14)); // the form, not the click, sets a manual box
    QTest::mouseClick(form.GetDlgItem(18), Qt::LeftButton);
    EXPECT_FALSE(form.IsDlgButtonChecked(18));
    auto* combo = form.Item<QComboBox>(16);
    combo->addItems({QStringLiteral("55"), QStringLiteral("14.645")});
    form.notes.clear();
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("3"));
    const std::vector<std::pair<int, Notify>> expected{{14, Notify::Clicked},
                                                       {18, Notify::Clicked},
                                                       {16, Notify::SetFocus},
                                                       {16, Notify::EditChange}};
    std::vector<std::pair<int, Notify>> seen{{14, Notify::Clicked}, {18, Notify::Clicked}};
    seen.insert(seen.end(), form.notes.begin(), form.notes.end());
    EXPECT_EQ(seen, expected);
}

} // namespace
