// The state of the Caps, Num and Scroll Lock keys, where the platform tells it.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <array>
#include <memory>

enum class LockKey { Caps, Num, Scroll };

// Reads the keyboard's lock indicators (under X11 through the XKB extension on the connection Qt
// already holds, on Windows with GetKeyState) and tells when they change. Where the platform does
// not tell, as on the offscreen platform, the state is unknown.
class CKeyLockState : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit CKeyLockState(QObject* parent = nullptr);
    ~CKeyLockState() override;

    // False where the platform does not report the lock indicators.
    bool IsKnown() const { return m_platform != nullptr; }
    // Whether the lock is on; false while the state is unknown.
    bool IsOn(LockKey key) const { return m_on[static_cast<std::size_t>(key)]; }
    // Reads the indicators again and emits Changed when any of them differs.
    void Refresh();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Changed();

private:
    struct Platform;
    std::unique_ptr<Platform> m_platform;
    std::array<bool, 3> m_on{};
};
