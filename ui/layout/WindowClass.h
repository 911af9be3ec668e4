// Window classes as factory records, the frame interface the layout needs, and control ids.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

// The creation context handed on to every view the layout creates; it ties a new view to the
// document. Its contents belong to the application, so the layout only passes it along.
class CCreateContext;

// A window class: its name, a function that creates a window of the class as a child of parent,
// and whether the window is a view (a page that can become the frame's active view).
struct TWindowClass {
    QString name;
    std::function<QWidget*(QWidget* parent, CCreateContext* context)> create;
    bool isView = false;

    // Creates the window and marks it as a view when the class is one; none when creation fails.
    QWidget* CreateWnd(QWidget* parent, CCreateContext* context) const;
};

// A frame window: it can hold a client window and keeps an active view.
class TFrameWnd {
public:
    virtual ~TFrameWnd() = default;

    // Places window in the frame's client area.
    virtual void SetClientWindow(QWidget* window) = 0;
    // Makes view the active view; notify tells the old and new view about the change.
    virtual void SetActiveView(QWidget* view, bool notify = true) = 0;
    virtual QWidget* GetActiveView() const = 0;
};

// The nearest ancestor of window (window itself excluded) that is a frame window, or none.
TFrameWnd* GetParentFrame(const QWidget* window);

// True when window was created from a view class.
bool IsViewWindow(const QWidget* window);
void MarkAsView(QWidget* window);

// Control ids, kept on the window so that a parent can find its children by id.
void SetDlgCtrlID(QWidget* window, int id);
int GetDlgCtrlID(const QWidget* window); // 0 when none was set
