// The document's posting seam on a window, the output prompt on message boxes, document texts.
#include "MainFramePoster.h"
#include "MessageBoxPrompt.h"
#include "ViewHost.h"

#include <gtest/gtest.h>

namespace {

TEST(MainFramePoster, PostsQueuedInOrderAndDropsAfterTheTargetIsGone) {
    auto* frame = new CStubFrame;
    CMainFramePoster poster(frame);
    poster.PostToMainFrame({WM_WIZ_RECALC_TIMING, 0, 0});
    poster.PostToMainFrame({WM_WIZ_RECALC_CONTEXT, 1, 0});
    EXPECT_TRUE(frame->messages.empty());
    PumpEvents();
    EXPECT_EQ(frame->Numbers(),
              (std::vector<unsigned>{WM_WIZ_RECALC_TIMING, WM_WIZ_RECALC_CONTEXT}));
    delete frame;
    poster.PostToMainFrame({WM_WIZ_RECALC_TIMING, 0, 0});
    PumpEvents();
}

TEST(MainFramePoster, DocumentClockChangeReachesTheFrame) {
    CStubFrame frame;
    CMainFramePoster poster(&frame);
    CKXC2280RegisterWizardDoc doc;
    doc.m_pMainFrame = &poster;
    doc.OnNewDocument();
    PumpEvents();
    frame.Clear();
    doc.m_dTargetSystemFreq = doc.s_dLastSystemFreq + 1.0;
    doc.CalculatePLL();
    PumpEvents();
    EXPECT_EQ(frame.Numbers(), std::vector<unsigned>{WM_WIZ_RECALC_TIMING});
}

TEST(MessageBoxPrompt, OkAndYesNoGoThroughTheMessageBox) {
    CPromptRecorder recorder;
    recorder.QueueAnswer(kIdNo);
    CMessageBoxPrompt prompt;
    prompt.MessageBoxOk("Section [PLL_settings] not found.\nThe plain file is written.");
    EXPECT_FALSE(prompt.AskYesNo("Do you want to use the Standard INI file?"));
    EXPECT_TRUE(prompt.AskYesNo("Again?"));
    ASSERT_EQ(recorder.Prompts().size(), 3u);
    EXPECT_EQ(recorder.Prompts()[0].text,
              QStringLiteral("Section [PLL_settings] not found.\nThe plain file is written."));
    EXPECT_EQ(recorder.Prompts()[0].type & kMbTypeMask, kMbOk);
    EXPECT_EQ(recorder.Prompts()[1].type & kMbTypeMask, kMbYesNo);
}

TEST(DocumentText, LineEndsBecomeLineFeedsAndBytesStayLatin1) {
    EXPECT_EQ(DocumentText("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
    EXPECT_EQ(DocumentText("\xB5s"), QString(QChar(0xB5)) + QLatin1Char('s'));
    EXPECT_TRUE(DocumentText("").isEmpty());
}

} // namespace
