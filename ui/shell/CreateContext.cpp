// The creation context's list of views and their initial updates.
#include "CreateContext.h"

void CCreateContext::AddView(QWidget* view, std::function<void()> initialUpdate) {
    m_views.emplace_back(view, std::move(initialUpdate));
}

void CCreateContext::InitialUpdateViews() {
    for (const auto& [view, initialUpdate] : m_views) {
        if (view)
            initialUpdate();
    }
}
