// Wizard messages as Qt events: one registered event type, queued posting and synchronous sending.
#include "WizardMessage.h"

#include <QCoreApplication>

CWizardEvent::CWizardEvent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
    : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam) {
    setAccepted(false);
}

QEvent::Type CWizardEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostWizardMessage(QObject* target, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
    if (target == nullptr)
        return;
    // Qt takes ownership of posted events and delivers them in order for the same priority.
    QCoreApplication::postEvent(target, new CWizardEvent(message, wParam, lParam));
}

bool SendWizardMessage(QObject* target, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
    if (target == nullptr)
        return false;
    CWizardEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.isAccepted();
}
