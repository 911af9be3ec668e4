// Lock indicators from the X keyboard extension (named indicators read on the display's
// connection, refreshed when the server reports an indicator change) or, on Windows, from
// GetKeyState, refreshed on the lock keys' messages and when the program is activated.
#include "KeyLocks.h"

#include <QCoreApplication>
#include <QGuiApplication>

#ifdef QX_HAVE_XKB
#include <xcb/xcb.h>
// The C header names a member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <cstring>
#elif defined(_WIN32)
#include <windows.h>
#endif

#ifdef QX_HAVE_XKB
struct CKeyLockState::Platform {
    xcb_connection_t* connection = nullptr;
    std::uint8_t firstEvent = 0;       // where the extension's events start
    std::array<xcb_atom_t, 3> names{}; // "Caps Lock", "Num Lock", "Scroll Lock"
};

namespace {

// The connection Qt holds to the X server with the keyboard extension in use on it, or none.
xcb_connection_t* KeyboardConnection(std::uint8_t& firstEvent) {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr)
        return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (extension == nullptr || extension->present == 0)
        return nullptr;
    xcb_xkb_use_extension_reply_t* use = xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr);
    const bool supported = use != nullptr && use->supported != 0;
    std::free(use);
    if (!supported)
        return nullptr;
    firstEvent = extension->first_event;
    return connection;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace
#else
struct CKeyLockState::Platform {};
#endif

#ifdef _WIN32
namespace {

// The toggle state a lock key had when the last message was taken from the queue.
bool Toggled(int virtualKey) {
    return (::GetKeyState(virtualKey) & 1) != 0;
}

} // namespace
#endif

CKeyLockState::CKeyLockState(QObject* parent) : QObject(parent) {
#ifdef QX_HAVE_XKB
    auto platform = std::make_unique<Platform>();
    platform->connection = KeyboardConnection(platform->firstEvent);
    if (platform->connection == nullptr)
        return;
    const char* names[] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (std::size_t i = 0; i < platform->names.size(); ++i)
        platform->names[i] = Atom(platform->connection, names[i]);
    // Only the indicator events are chosen here; the selections Qt made for itself stay.
    xcb_xkb_select_events_details_t details{};
    xcb_xkb_select_events_aux(platform->connection, XCB_XKB_ID_USE_CORE_KBD,
                              XCB_XKB_EVENT_TYPE_INDICATOR_STATE_NOTIFY, 0,
                              XCB_XKB_EVENT_TYPE_INDICATOR_STATE_NOTIFY, 0, 0, &details);
    xcb_flush(platform->connection);
    m_platform = std::move(platform);
    QCoreApplication::instance()->installNativeEventFilter(this);
    Refresh();
#elif defined(_WIN32)
    m_platform = std::make_unique<Platform>();
    QCoreApplication::instance()->installNativeEventFilter(this);
    Refresh();
#endif
}

CKeyLockState::~CKeyLockState() {
    if (m_platform != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void CKeyLockState::Refresh() {
#ifdef QX_HAVE_XKB
    if (m_platform == nullptr)
        return;
    std::array<bool, 3> on{};
    for (std::size_t i = 0; i < on.size(); ++i) {
        if (m_platform->names[i] == xcb_atom_t{XCB_ATOM_NONE})
            continue;
        xcb_xkb_get_named_indicator_reply_t* reply = xcb_xkb_get_named_indicator_reply(
            m_platform->connection,
            xcb_xkb_get_named_indicator(m_platform->connection, XCB_XKB_ID_USE_CORE_KBD,
                                        XCB_XKB_LED_CLASS_DFLT_XI_CLASS, XCB_XKB_ID_DFLT_XI_ID,
                                        m_platform->names[i]),
            nullptr);
        on[i] = reply != nullptr && reply->found != 0 && reply->on != 0;
        std::free(reply);
    }
#elif defined(_WIN32)
    const std::array<bool, 3> on{Toggled(VK_CAPITAL), Toggled(VK_NUMLOCK), Toggled(VK_SCROLL)};
#endif
#if defined(QX_HAVE_XKB) || defined(_WIN32)
    if (on != m_on) {
        m_on = on;
        emit Changed();
    }
#endif
}

bool CKeyLockState::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef QX_HAVE_XKB
    if (m_platform == nullptr || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // Every event of the extension has the same number; its kind follows in the next byte.
    if ((event->response_type & 0x7F) == m_platform->firstEvent &&
        event->pad0 == XCB_XKB_INDICATOR_STATE_NOTIFY)
        QMetaObject::invokeMethod(this, &CKeyLockState::Refresh, Qt::QueuedConnection);
#elif defined(_WIN32)
    if (eventType != "windows_generic_MSG")
        return false;
    const auto* msg = static_cast<const MSG*>(message);
    const bool lockKey =
        (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) &&
        (msg->wParam == VK_CAPITAL || msg->wParam == VK_NUMLOCK || msg->wParam == VK_SCROLL);
    // A lock may also have been toggled while another program had the keyboard.
    if (lockKey || msg->message == WM_ACTIVATEAPP)
        QMetaObject::invokeMethod(this, &CKeyLockState::Refresh, Qt::QueuedConnection);
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}
