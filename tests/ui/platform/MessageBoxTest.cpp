// Message boxes go through the installed prompt handler; the recorder answers without a window.
#include "MessageBox.h"
#include "GuiTestHelpers.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace {

TEST(MessageBox, RecorderTakesTextTypeAndAnswers) {
    CPromptRecorder recorder;
    recorder.QueueAnswer(kIdNo);
    EXPECT_EQ(AfxMessageBox(QStringLiteral("Enter a number.")), kIdOk);
    EXPECT_EQ(AfxMessageBox(QStringLiteral("Overwrite?"), kMbYesNo), kIdNo);
    EXPECT_EQ(AfxMessageBox(QStringLiteral("Again?"), kMbYesNo | kMbIconExclamation), kIdYes);
    ASSERT_EQ(recorder.Prompts().size(), 3u);
    EXPECT_EQ(recorder.Prompts()[0].text, QStringLiteral("Enter a number."));
    EXPECT_EQ(recorder.Prompts()[0].type, kMbOk);
    EXPECT_EQ(recorder.Prompts()[2].type, kMbYesNo | kMbIconExclamation);
}

TEST(MessageBox, NestedRecorderRestoresThePreviousHandler) {
    CPromptRecorder outer;
    {
        CPromptRecorder inner;
        AfxMessageBox(QStringLiteral("inner"));
        EXPECT_EQ(inner.Texts().size(), 1u);
    }
    AfxMessageBox(QStringLiteral("outer"));
    ASSERT_EQ(outer.Texts().size(), 1u);
    EXPECT_EQ(outer.Texts()[0], QStringLiteral("outer"));
}

TEST(MessageBox, QtBoxIsADialogWithACloseButtonOnly) {
    for (const unsigned type : {kMbOk | kMbIconExclamation, kMbYesNo | kMbIconQuestion}) {
        const auto box = CreateQtMessageBox(QStringLiteral("Enter a number."), type);
        const Qt::WindowFlags flags = box->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog) << type;
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << type;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << type;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << type;
        EXPECT_EQ(box->text(), QStringLiteral("Enter a number.")) << type;
    }
}

// The caption must fit the title bar of a window manager, which draws it in bold beside its
// icon and buttons; the box's text alone would make the box narrower than that.
TEST(MessageBox, QtBoxIsWideEnoughForItsCaption) {
    const QString name = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("QX7R310 Register Wizard"));
    for (const unsigned type : {kMbOk | kMbIconExclamation, kMbYesNo | kMbIconQuestion, kMbOk}) {
        const auto box = CreateQtMessageBox(QStringLiteral("Enter a number."), type);
        box->show();
        QFont bold = box->font();
        bold.setBold(true);
        const int caption = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        EXPECT_GE(box->width(), caption + 3 * 24) << type;
        EXPECT_EQ(box->text(), QStringLiteral("Enter a number.")) << type;
    }
    QGuiApplication::setApplicationDisplayName(name);
}

// A box is owned by the program's window even while no window is active (the user is in another
// program), so the window manager keeps it with the window as a transient dialog.
TEST(MessageBox, QtBoxBelongsToTheMainWindowWithOrWithoutFocus) {
    QMainWindow window;
    window.show();
    for (const bool active : {true, false}) {
        QApplication::setActiveWindow(active ? &window : nullptr);
        const auto box = CreateQtMessageBox(QStringLiteral("Enter a number."), kMbOk);
        EXPECT_EQ(box->parentWidget(), &window) << active;
        EXPECT_TRUE(box->isWindow()) << active;
    }
}

} // namespace
