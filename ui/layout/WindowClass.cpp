// Window-class records, frame lookup, view marks and control ids.
#include "WindowClass.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kViewProperty = "qxIsView";
constexpr const char* kCtrlIdProperty = "qxCtrlId";
} // namespace

QWidget* TWindowClass::CreateWnd(QWidget* parent, CCreateContext* context) const {
    if (!create)
        return nullptr;
    QWidget* window = create(parent, context);
    if (window != nullptr && isView)
        MarkAsView(window);
    return window;
}

TFrameWnd* GetParentFrame(const QWidget* window) {
    for (QWidget* w = window != nullptr ? window->parentWidget() : nullptr; w != nullptr;
         w = w->parentWidget()) {
        if (auto* frame = dynamic_cast<TFrameWnd*>(w))
            return frame;
    }
    return nullptr;
}

bool IsViewWindow(const QWidget* window) {
    return window != nullptr && window->property(kViewProperty).toBool();
}

void MarkAsView(QWidget* window) {
    window->setProperty(kViewProperty, true);
}

void SetDlgCtrlID(QWidget* window, int id) {
    window->setProperty(kCtrlIdProperty, id);
}

int GetDlgCtrlID(const QWidget* window) {
    return window != nullptr ? window->property(kCtrlIdProperty).toInt() : 0;
}
