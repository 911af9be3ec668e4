// The document's posting seam wired to a window: WM_WIZ_RECALC_TIMING becomes a queued Qt event.
#pragma once

#include "WizardMessages.h"

#include <QObject>
#include <QPointer>

// Posts each message to target (the main frame) as a queued wizard event; once the target is
// destroyed, messages are dropped.
class CMainFramePoster : public IMainFramePoster {
public:
    explicit CMainFramePoster(QObject* target = nullptr) : m_target(target) {}
    void SetTarget(QObject* target) { m_target = target; }
    void PostToMainFrame(const WizardMessage& msg) override;

private:
    QPointer<QObject> m_target;
};
