// The creation context the layout hands to every view: document, main frame, views to initialise.
#pragma once

#include "ViewContext.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

// Handed to every view the layout creates: the document and main frame the view works with, and
// the list of views whose initial update the template runs once the document is ready.
class CCreateContext {
public:
    CViewContext m_view;

    // Records a new view; initialUpdate runs at every initial update of the frame.
    void AddView(QWidget* view, std::function<void()> initialUpdate);
    // Runs the initial update of every view still alive, in creation order.
    void InitialUpdateViews();

private:
    std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> m_views;
};
