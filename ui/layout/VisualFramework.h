// Layout of splitters, panes and tab pages declared as objects with ids, created in one pass.
#pragma once

#include "WindowClass.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class CSplitterWnd;
class TVisualFramework;

// One node of the layout: a static splitter, a pane of a splitter, or a view shown as a tab.
class TVisualObject {
public:
    enum class Kind { Splitter, Pane, TabView };

    // A static splitter of rows by columns; title names its tab when its parent is a tab window.
    TVisualObject(int id, const QString& title, int rows, int columns, CCreateContext* context);
    // A pane of a splitter at (row, column) holding a window of windowClass; size is the ideal
    // width by height in pixels.
    TVisualObject(int id, int row, int column, CCreateContext* context,
                  const TWindowClass* windowClass, QSize size);
    // A view of windowClass shown as a tab titled title.
    TVisualObject(int id, const QString& title, CCreateContext* context,
                  const TWindowClass* windowClass);
    virtual ~TVisualObject();
    TVisualObject(const TVisualObject&) = delete;
    TVisualObject& operator=(const TVisualObject&) = delete;

    Kind GetKind() const { return m_kind; }
    int GetId() const { return m_nId; }
    const QString& GetTitle() const { return m_strTitle; }
    QWidget* GetWnd() const { return m_pWnd; }
    QWidget* GetParentWnd() const { return m_pParentWnd; }
    TVisualObject* GetParent() const { return m_pParent; }
    TVisualFramework* GetFramework() const { return m_pFramework; }
    const std::vector<TVisualObject*>& GetChildren() const { return m_children; }

private:
    friend class TVisualFramework;

    Kind m_kind;
    int m_nId;
    QPointer<QWidget> m_pWnd;
    QPointer<QWidget> m_pParentWnd;
    QString m_strTitle;
    int m_nRows = 0;
    int m_nColumns = 0;
    int m_nRow = 0;
    int m_nColumn = 0;
    CCreateContext* m_pContext = nullptr;
    const TWindowClass* m_pWindowClass = nullptr;
    QSize m_size; // ideal pane size, pixels
    TVisualObject* m_pParent = nullptr;
    TVisualFramework* m_pFramework = nullptr;
    std::vector<TVisualObject*> m_children; // registration order
};

// Owner of the layout objects: registers them, creates their windows, finds and shows them.
class TVisualFramework : public QObject {
    Q_OBJECT

public:
    TVisualFramework();
    ~TVisualFramework() override;

    // Register a root object or a child of a registered parent. An id that is registered
    // already is refused (false) and the framework stays as it was; the refused object is
    // deleted, since the framework owns whatever it is handed.
    bool AddRoot(std::unique_ptr<TVisualObject> object);
    bool AddChild(TVisualObject* parent, std::unique_ptr<TVisualObject> child);

    // Creates every window under owner, then shows the first view in ascending id order.
    virtual bool Create(QWidget* owner);
    // Destroys the layout's splitter and tab windows and deletes every object.
    virtual void Destroy();
    // A new splitter window object; a derived framework may return another splitter class.
    virtual CSplitterWnd* CreateSplitter();

    TVisualObject* Find(int id) const;
    QWidget* GetWnd(int id) const;
    // Shows the object's page in its tab window without activating a view.
    bool SetActiveTab(TVisualObject* object);
    // Shows every tab on the way to the object and makes its window the frame's active view.
    bool ShowObject(TVisualObject* object);

    QWidget* GetOwner() const { return m_pOwner; }
    const std::vector<TVisualObject*>& GetRoots() const { return m_roots; }
    int GetObjectCount() const { return static_cast<int>(m_objects.size()); }

private:
    void CreateObject(TVisualObject* object, QWidget* parentWnd);
    void DestroySubtree(TVisualObject* object);

    QPointer<QWidget> m_pOwner;
    std::vector<TVisualObject*> m_roots;
    std::map<int, std::unique_ptr<TVisualObject>> m_objects; // every object, by ascending id
};
