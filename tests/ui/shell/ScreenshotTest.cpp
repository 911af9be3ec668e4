// Pictures of the whole window on each page, at the start-up size and in a small window, saved
// under the build folder for people to look at.
#include "WizardFixture.h"

namespace {

using ScreenshotTest = WizardTest;

TEST_F(ScreenshotTest, EveryPage) {
    const std::pair<int, const char*> pages[] = {{kImageTimingPage, "wizard-image-timing"},
                                                 {kTimingDiagramPage, "wizard-timing-diagram"},
                                                 {kClockSettingsPage, "wizard-clock-settings"},
                                                 {kPllSolutionsPage, "wizard-pll-solutions"},
                                                 {kRegisterOutputPage, "wizard-register-output"},
                                                 {kModesPage, "wizard-modes"}};
    const std::pair<QSize, const char*> sizes[] = {{Frame().size(), ""},
                                                   {QSize(600, 500), "-600x500"}};
    for (const auto& [size, suffix] : sizes) {
        Frame().resize(size);
        PumpEvents();
        for (const auto& [index, name] : pages) {
            ClickTreeItem(index);
            EXPECT_EQ(Tabs().GetActiveTab(), index);
            const QString file = QString::fromLatin1(name) + QString::fromLatin1(suffix);
            EXPECT_FALSE(SaveScreenshot(Frame(), file).isEmpty()) << file.toStdString();
        }
    }
}

} // namespace
