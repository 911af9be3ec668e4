// Outer placement: size and position set now and again once the window manager's frame is known.
#include "WindowPlacement.h"

#include <QEvent>
#include <QWidget>

namespace {

QMargins ReportedMargins(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Watches the window until its decoration is known, then places it once more and goes.
class COuterPlacement : public QObject {
public:
    COuterPlacement(QWidget& window, const QRect& outer, FrameMarginsOf margins)
        : QObject(&window), m_window(window), m_outer(outer), m_margins(std::move(margins)) {
        window.installEventFilter(this);
        Apply();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            Apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Apply() {
        if (m_done)
            return;
        if ((m_window.windowState() &
             (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) != 0) {
            Finish();
            return;
        }
        const QMargins margins = m_margins(m_window);
        if (m_applied && margins == m_lastMargins)
            return;
        m_applied = true;
        m_lastMargins = margins;
        m_window.resize(m_outer.size().shrunkBy(margins));
        m_window.move(m_outer.topLeft());
        if (!margins.isNull())
            Finish();
    }

    void Finish() {
        m_done = true;
        m_window.removeEventFilter(this);
        deleteLater();
    }

    QWidget& m_window;
    QRect m_outer;
    FrameMarginsOf m_margins;
    QMargins m_lastMargins;
    bool m_applied = false;
    bool m_done = false;
};

} // namespace

void SetOuterGeometry(QWidget& window, const QRect& outer, FrameMarginsOf margins) {
    new COuterPlacement(window, outer,
                        margins ? std::move(margins) : FrameMarginsOf(ReportedMargins));
}
