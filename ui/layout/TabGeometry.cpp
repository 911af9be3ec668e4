// Tab strip geometry: pure functions, so the extents and drawing steps are tested without painting.
#include "TabGeometry.h"

#include <algorithm>

namespace tabstrip {

namespace {

Step MakeStroke(Ink ink, std::vector<QPoint> points) {
    Step step;
    step.kind = Step::Kind::Stroke;
    step.stroke = {ink, std::move(points)};
    return step;
}

// Rectangle given by its left-top corner and its exclusive right-bottom corner.
Step MakeFill(Ink ink, int left, int top, int right, int bottom, bool frameOnly = false) {
    Step step;
    step.kind = Step::Kind::Fill;
    step.fill = {ink, QRect(left, top, right - left, bottom - top), frameOnly};
    return step;
}

// A three-dimensional rectangle: top and left edges in one colour, bottom and right in another.
void Add3dRect(std::vector<Step>& steps, int x, int y, int cx, int cy, Ink topLeft,
               Ink bottomRight) {
    steps.push_back(MakeFill(topLeft, x, y, x + cx - 1, y + 1));
    steps.push_back(MakeFill(topLeft, x, y, x + 1, y + cy - 1));
    steps.push_back(MakeFill(bottomRight, x + cx - 1, y, x + cx, y + cy));
    steps.push_back(MakeFill(bottomRight, x, y + cy - 1, x + cx, y + cy));
}

} // namespace

int LabelWidth(int textWidth) {
    return std::min(std::max(textWidth, 0) + kTextPadding, kMaxTextWidth);
}

int TabWidth(int textWidth) {
    return LabelWidth(textWidth) + kTabExtra;
}

std::vector<TabExtent> LayoutTabs(std::span<const int> textWidths) {
    std::vector<TabExtent> tabs;
    tabs.reserve(textWidths.size());
    int x = 0;
    for (const int width : textWidths) {
        const int left = x;
        x += TabWidth(width);
        tabs.push_back({left, x, LabelWidth(width)});
    }
    return tabs;
}

int HitTest(std::span<const TabExtent> tabs, int x, int y, int clientHeight) {
    if (y < clientHeight - kTabTop || y > clientHeight - kHitBottom)
        return -1;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (x >= tabs[i].left && x <= tabs[i].right)
            return static_cast<int>(i);
    }
    return -1;
}

QRect PageRect(int cx, int cy) {
    return QRect(1, 0, cx, cy - kStripHeight);
}

QRect EraseRect(int w, int h) {
    return QRect(0, h - kEraseHeight, w, kEraseHeight);
}

std::vector<Step> PageFrame(int w, int h) {
    std::vector<Step> steps;
    Add3dRect(steps, 0, 0, w, h - 29, Ink::Shadow1, Ink::Highlight);
    Add3dRect(steps, 1, 1, w - 2, h - 31, Ink::Black, Ink::Light3d);
    return steps;
}

TabDrawing DrawTab(int x, int t, int textHeight, bool active, int w, int h) {
    const int y0 = h - kTabTop;
    TabDrawing tab;
    auto& steps = tab.steps;
    if (active) {
        // An open-topped raised box joined to the page frame above it.
        steps.push_back(
            MakeStroke(Ink::Black, {{x, y0}, {x, y0 + 20}, {x + t + 5, y0 + 20}, {x + t + 5, y0}}));
        steps.push_back(MakeStroke(Ink::Light2, {{x + 2, y0}, {x + 2, y0 + 19}}));
        steps.push_back(MakeStroke(Ink::Shadow2, {{x + 2, y0 + 19}, {x + t + 2, y0 + 19}}));
        steps.push_back(MakeStroke(Ink::Shadow2, {{x + t + 4, y0}, {x + t + 4, y0 + 19}}));
        steps.push_back(MakeStroke(Ink::Black, {{0, y0}, {x, y0}}));
        steps.push_back(MakeStroke(Ink::Black, {{x + t + 6, y0}, {w, y0}}));
        if (x != 0)
            steps.push_back(MakeStroke(Ink::Shadow1, {{0, y0 - 1}, {x, y0 - 1}}));
        steps.push_back(MakeStroke(Ink::Shadow1, {{x + t + 4, y0 - 1}, {w, y0 - 1}}));
        steps.push_back(MakeFill(Ink::Face, x + 3, y0, x + 3 + t, y0 + 18));
    } else {
        // A closed, flat box.
        steps.push_back(MakeFill(Ink::Black, x, y0, x + t + 6, y0 + 21, true));
        steps.push_back(MakeStroke(Ink::Shadow1, {{x + 1, y0 + 19}, {x + t + 4, y0 + 19}}));
        steps.push_back(MakeStroke(Ink::Shadow1, {{x + t + 4, y0}, {x + t + 4, y0 + 19}}));
        steps.push_back(MakeFill(Ink::Face, x + 1, y0 + 1, x + t + 3, y0 + 18));
    }
    tab.labelRect = QRect(x + 3, y0 + 1 + (20 - textHeight) / 2, t, textHeight);
    tab.width = t + kTabExtra;
    return tab;
}

} // namespace tabstrip
