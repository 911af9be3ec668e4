// Layout objects: registration by id, creation in registration order, lookup and tear-down.
#include "VisualFramework.h"

#include "SplitterWnd.h"
#include "TabWnd.h"

#include <algorithm>

TVisualObject::TVisualObject(int id, const QString& title, int rows, int columns,
                             CCreateContext* context)
    : m_kind(Kind::Splitter), m_nId(id), m_strTitle(title), m_nRows(rows), m_nColumns(columns),
      m_pContext(context) {}

TVisualObject::TVisualObject(int id, int row, int column, CCreateContext* context,
                             const TWindowClass* windowClass, QSize size)
    : m_kind(Kind::Pane), m_nId(id), m_nRow(row), m_nColumn(column), m_pContext(context),
      m_pWindowClass(windowClass), m_size(size) {}

TVisualObject::TVisualObject(int id, const QString& title, CCreateContext* context,
                             const TWindowClass* windowClass)
    : m_kind(Kind::TabView), m_nId(id), m_strTitle(title), m_pContext(context),
      m_pWindowClass(windowClass) {}

TVisualObject::~TVisualObject() = default;

TVisualFramework::TVisualFramework() = default;

TVisualFramework::~TVisualFramework() {
    if (!m_objects.empty())
        Destroy();
}

bool TVisualFramework::AddRoot(std::unique_ptr<TVisualObject> object) {
    if (object == nullptr || m_objects.contains(object->m_nId))
        return false;
    TVisualObject* root = object.get();
    root->m_pFramework = this;
    m_roots.push_back(root);
    m_objects.emplace(root->m_nId, std::move(object));
    return true;
}

bool TVisualFramework::AddChild(TVisualObject* parent, std::unique_ptr<TVisualObject> child) {
    // The parent must be one of ours, or the child would hang off a tree the framework never walks.
    if (parent == nullptr || child == nullptr || Find(parent->m_nId) != parent ||
        m_objects.contains(child->m_nId))
        return false;
    TVisualObject* node = child.get();
    node->m_pParent = parent;
    node->m_pFramework = this;
    parent->m_children.push_back(node);
    m_objects.emplace(node->m_nId, std::move(child));
    return true;
}

bool TVisualFramework::Create(QWidget* owner) {
    m_pOwner = owner;
    for (TVisualObject* root : m_roots)
        CreateObject(root, owner);
    for (const auto& [id, object] : m_objects) {
        QWidget* window = object->m_pWnd;
        if (window != nullptr && qobject_cast<CSplitterWnd*>(window) == nullptr &&
            qobject_cast<TTabWnd*>(window) == nullptr) {
            ShowObject(object.get());
            break;
        }
    }
    return true;
}

void TVisualFramework::CreateObject(TVisualObject* object, QWidget* parentWnd) {
    // A window that could not be made stays empty; its subtree then has nowhere to live.
    if (parentWnd == nullptr)
        return;
    switch (object->m_kind) {
    case TVisualObject::Kind::Splitter: {
        CSplitterWnd* splitter = CreateSplitter();
        bool created = false;
        if (auto* tabs = qobject_cast<TTabWnd*>(parentWnd)) {
            created = tabs->AddSplitterTab(object->m_strTitle, object->m_nRows, object->m_nColumns,
                                           splitter, AFX_IDW_PANE_FIRST) != nullptr;
        } else if (auto* frame = dynamic_cast<TFrameWnd*>(parentWnd)) {
            created = splitter->CreateStatic(parentWnd, object->m_nRows, object->m_nColumns,
                                             AFX_IDW_PANE_FIRST);
            if (created)
                frame->SetClientWindow(splitter);
        }
        if (!created) {
            delete splitter;
            splitter = nullptr;
        }
        object->m_pWnd = splitter;
        break;
    }
    case TVisualObject::Kind::Pane: {
        auto* splitter = qobject_cast<CSplitterWnd*>(parentWnd);
        if (splitter != nullptr && object->m_pWindowClass != nullptr &&
            splitter->CreateView(object->m_nRow, object->m_nColumn, *object->m_pWindowClass,
                                 object->m_size, object->m_pContext))
            object->m_pWnd = splitter->GetPane(object->m_nRow, object->m_nColumn);
        break;
    }
    case TVisualObject::Kind::TabView: {
        auto* tabs = qobject_cast<TTabWnd*>(parentWnd);
        TTabItem* item =
            tabs != nullptr && object->m_pWindowClass != nullptr
                ? tabs->AddViewTab(object->m_strTitle, *object->m_pWindowClass, object->m_pContext)
                : nullptr;
        object->m_pWnd = item != nullptr ? item->GetWnd() : nullptr;
        break;
    }
    }
    object->m_pParentWnd = parentWnd;
    for (TVisualObject* child : object->m_children)
        CreateObject(child, object->m_pWnd);
}

void TVisualFramework::Destroy() {
    for (TVisualObject* root : m_roots)
        DestroySubtree(root);
    m_roots.clear();
    m_objects.clear();
}

void TVisualFramework::DestroySubtree(TVisualObject* object) {
    QWidget* window = object->m_pWnd;
    if (window == nullptr || (qobject_cast<TTabWnd*>(window) == nullptr &&
                              qobject_cast<CSplitterWnd*>(window) == nullptr))
        return;
    for (TVisualObject* child : object->m_children)
        DestroySubtree(child);
    // Views inside go with their parent window.
    delete window;
    object->m_pWnd = nullptr;
}

CSplitterWnd* TVisualFramework::CreateSplitter() {
    return new CSplitterWnd;
}

TVisualObject* TVisualFramework::Find(int id) const {
    const auto found = m_objects.find(id);
    return found != m_objects.end() ? found->second.get() : nullptr;
}

QWidget* TVisualFramework::GetWnd(int id) const {
    const TVisualObject* object = Find(id);
    return object != nullptr ? object->m_pWnd.data() : nullptr;
}

bool TVisualFramework::SetActiveTab(TVisualObject* object) {
    if (object == nullptr)
        return false;
    auto* tabs = qobject_cast<TTabWnd*>(object->m_pParentWnd.data());
    if (tabs == nullptr)
        return false;
    return tabs->SetActiveTab(tabs->FindTab(object->m_pWnd), false);
}

bool TVisualFramework::ShowObject(TVisualObject* object) {
    if (object == nullptr)
        return false;
    QWidget* window = object->m_pWnd;
    if (window == nullptr || qobject_cast<CSplitterWnd*>(window) != nullptr ||
        qobject_cast<TTabWnd*>(window) != nullptr)
        return false;
    std::vector<TVisualObject*> chain;
    for (TVisualObject* node = object; node != nullptr; node = node->m_pParent)
        chain.push_back(node);
    std::reverse(chain.begin(), chain.end());
    for (TVisualObject* node : chain) {
        if (node->m_pParent == nullptr)
            continue;
        if (auto* tabs = qobject_cast<TTabWnd*>(node->m_pParent->m_pWnd.data())) {
            if (!tabs->SetActiveTab(tabs->FindTab(node->m_pWnd), true))
                return false;
        }
    }
    if (auto* frame = dynamic_cast<TFrameWnd*>(m_pOwner.data()))
        frame->SetActiveView(window);
    return true;
}
