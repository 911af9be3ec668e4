// Window messages between the wizard's windows, carried as a custom Qt event (posted or sent).
#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>

// A window message: number, wParam and lParam, as the views and the main frame exchange them.
class CWizardEvent : public QEvent {
public:
    CWizardEvent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    // The one event type registered for every wizard message.
    static QEvent::Type EventType();

    unsigned Message() const { return m_message; }
    std::uintptr_t WParam() const { return m_wParam; }
    std::intptr_t LParam() const { return m_lParam; }

private:
    unsigned m_message;
    std::uintptr_t m_wParam;
    std::intptr_t m_lParam;
};

// Queues the message for target: it is handled after the current handler returns, in the order
// posted. A target destroyed before delivery drops its pending messages.
void PostWizardMessage(QObject* target, unsigned message, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0);

// Delivers the message to target before returning; true when the target handled it.
bool SendWizardMessage(QObject* target, unsigned message, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0);

// Routes a wizard event to handler.OnWndMsg; true when the event was a wizard message that the
// handler took. Use from event() of classes that cannot derive from CWndT.
template <class Handler> bool RouteWizardEvent(QEvent* event, Handler& handler) {
    if (event->type() != CWizardEvent::EventType())
        return false;
    const auto* wiz = static_cast<const CWizardEvent*>(event);
    const bool handled = handler.OnWndMsg(wiz->Message(), wiz->WParam(), wiz->LParam());
    event->setAccepted(handled);
    return true;
}

// A window that sees every wizard message in OnWndMsg before the default dispatch. Base is any
// QWidget class (QWidget, QMainWindow, QSplitter, ...); a Q_OBJECT class may derive from it.
template <class Base> class CWndT : public Base {
public:
    using Base::Base;

    // Called for every wizard message sent or posted to this window; return true when handled.
    // The default handles nothing.
    virtual bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        (void)message;
        (void)wParam;
        (void)lParam;
        return false;
    }

protected:
    bool event(QEvent* event) override {
        if (RouteWizardEvent(event, *this))
            return event->isAccepted();
        return Base::event(event);
    }
};
