// The output prompt on message boxes, document texts.
#include "MessageBoxPrompt.h"
#include "ViewHost.h"

#include <gtest/gtest.h>

namespace {

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
