// Posted and sent wizard messages: order, timing relative to the posting handler, OnWndMsg routing.
#include "WizardMessage.h"
#include "GuiTestHelpers.h"

#include <QMainWindow>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Seen {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const Seen&, const Seen&) = default;
};

class CRecordingWnd : public CWndT<QWidget> {
public:
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
        seen.push_back({message, wParam, lParam});
        if (message == 0x500 && forwardTo != nullptr) {
            // Posting from inside a handler: the new message waits until this handler returns.
            PostWizardMessage(forwardTo, 0x501, wParam, 0);
            seenBeforeReturn = forwardTo->seen.size();
        }
        return message != 0x7FF;
    }
    std::vector<Seen> seen;
    CRecordingWnd* forwardTo = nullptr;
    std::size_t seenBeforeReturn = 99;
};

class CRecordingFrame : public CWndT<QMainWindow> {
public:
    bool OnWndMsg(unsigned message, std::uintptr_t, std::intptr_t) override {
        seen.push_back(message);
        return true;
    }
    std::vector<unsigned> seen;
};

TEST(WizardMessage, PostedMessagesArriveInOrderAfterTheCaller) {
    CRecordingWnd wnd;
    PostWizardMessage(&wnd, 0x41E, 0, 0);
    PostWizardMessage(&wnd, 0x41D, 1, 0);
    PostWizardMessage(&wnd, 0x400, 132, 7);
    EXPECT_TRUE(wnd.seen.empty());
    PumpEvents();
    const std::vector<Seen> expected{{0x41E, 0, 0}, {0x41D, 1, 0}, {0x400, 132, 7}};
    EXPECT_EQ(wnd.seen, expected);
}

TEST(WizardMessage, SentMessageIsHandledBeforeTheSenderContinues) {
    CRecordingWnd wnd;
    EXPECT_TRUE(SendWizardMessage(&wnd, 0x420));
    ASSERT_EQ(wnd.seen.size(), 1u);
    EXPECT_EQ(wnd.seen[0], (Seen{0x420, 0, 0}));
    EXPECT_FALSE(SendWizardMessage(&wnd, 0x7FF));
}

TEST(WizardMessage, MessagePostedByAHandlerWaitsUntilTheHandlerReturns) {
    CRecordingWnd first;
    CRecordingWnd second;
    first.forwardTo = &second;
    PostWizardMessage(&first, 0x500, 3);
    PumpEvents();
    EXPECT_EQ(first.seenBeforeReturn, 0u);
    ASSERT_EQ(second.seen.size(), 1u);
    EXPECT_EQ(second.seen[0], (Seen{0x501, 3, 0}));
}

TEST(WizardMessage, AnyWidgetBaseRoutesToOnWndMsg) {
    CRecordingFrame frame;
    SendWizardMessage(&frame, 0x78);
    PostWizardMessage(&frame, 0x41C);
    PumpEvents();
    EXPECT_EQ(frame.seen, (std::vector<unsigned>{0x78, 0x41C}));
}

TEST(WizardMessage, NullTargetIsIgnoredAndDestroyedTargetDropsItsQueue) {
    PostWizardMessage(nullptr, 0x41E);
    EXPECT_FALSE(SendWizardMessage(nullptr, 0x41E));
    auto* wnd = new CRecordingWnd;
    PostWizardMessage(wnd, 0x41E);
    delete wnd;
    PumpEvents();
    SUCCEED();
}

} // namespace
