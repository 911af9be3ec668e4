// Pictures of the whole window on each page, saved under the build folder for people to look at.
#include "WizardFixture.h"

namespace {

using ScreenshotTest = WizardTest;

TEST_F(ScreenshotTest, EveryPage) {
    const std::pair<int, const char*> pages[] = {{kImageTimingPage, "wizard-image-timing"},
                                                 {kTimingDiagramPage, "wizard-timing-diagram"},
                                                 {kClockSettingsPage, "wizard-clock-settings"},
                                                 {kPllSolutionsPage, "wizard-pll-solutions"},
                                                 {kRegisterOutputPage, "wizard-register-output"}};
    for (const auto& [index, name] : pages) {
        ClickTreeItem(index);
        EXPECT_EQ(Tabs().GetActiveTab(), index);
        EXPECT_FALSE(SaveScreenshot(Frame(), QString::fromLatin1(name)).isEmpty()) << name;
    }
}

} // namespace
