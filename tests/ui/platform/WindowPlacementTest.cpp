// Outer placement of a top-level window, with the window manager's frame reported late.
#include "WindowPlacement.h"
#include "KeyLocks.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A window manager that frames the window only after it is shown, as a real one does: the
// decoration is unknown (none) until then.
struct LateFrame {
    QMargins decoration{1, 20, 1, 5};
    bool framed = false;
};

// Places window at (50, 50), 840 by 860 outside, with the decoration frame reports.
std::shared_ptr<LateFrame> PlaceAtStartUpSize(QWidget& window) {
    auto frame = std::make_shared<LateFrame>();
    SetOuterGeometry(window, QRect(50, 50, 840, 860), [frame](const QWidget&) {
        return frame->framed ? frame->decoration : QMargins();
    });
    return frame;
}

TEST(WindowPlacement, OuterSizeHoldsOnceTheFrameIsKnown) {
    QMainWindow window;
    const auto frame = PlaceAtStartUpSize(window);
    EXPECT_EQ(window.size(), QSize(840, 860)); // nothing known yet: the client size is the outer
    window.show();
    frame->framed = true;
    window.move(51, 70); // the window manager reparents and moves the client inside its frame
    EXPECT_EQ(window.size(), QSize(838, 835));
    EXPECT_EQ(window.pos(), QPoint(50, 50));
    // Later changes are the user's: the placement does not fight them.
    window.resize(700, 600);
    frame->decoration = QMargins(4, 30, 4, 4);
    window.move(80, 90);
    EXPECT_EQ(window.size(), QSize(700, 600));
}

TEST(WindowPlacement, MaximisedWindowIsLeftAsItIs) {
    QMainWindow window;
    const auto frame = PlaceAtStartUpSize(window);
    window.showMaximized();
    const QSize maximised = window.size();
    frame->framed = true;
    window.move(0, 0);
    EXPECT_EQ(window.size(), maximised);
}

TEST(KeyLocks, UnknownWhereThePlatformDoesNotTell) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        GTEST_SKIP() << "the offscreen platform reports no keyboard";
    CKeyLockState locks;
#ifdef _WIN32
    // Windows tells the lock keys' state to every program, whatever draws its windows.
    EXPECT_TRUE(locks.IsKnown());
#else
    EXPECT_FALSE(locks.IsKnown());
    for (const LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll})
        EXPECT_FALSE(locks.IsOn(key));
#endif
}

} // namespace
