// Geometry of the tab strip along the bottom of a tab window: tab extents, drawing steps, hit
// tests.
#pragma once

#include <QPoint>
#include <QRect>
#include <span>
#include <vector>

namespace tabstrip {

inline constexpr int kStripHeight = 30;    // pixels below the pages that the strip keeps
inline constexpr int kEraseHeight = 33;    // pixels of the strip filled with the face colour
inline constexpr int kTabTop = 26;         // the tabs start this many pixels above the bottom
inline constexpr int kHitBottom = 6;       // the lowest row a click hits, above the bottom edge
inline constexpr int kMaxTextWidth = 200;  // widest label, pixels
inline constexpr int kTextPadding = 4;     // added to the measured title width, pixels
inline constexpr int kTabExtra = 6;        // a tab is its label width plus this, pixels
inline constexpr int kFirstPageId = 13576; // control id of the first page window
// Top edge of a new view page until the next resize places every page at y = 0. It is the
// creation rectangle the tab window has always used, not a strip measure.
inline constexpr int kNewPageTop = 32;

// Label width t of a tab whose title measures textWidth pixels: padded, capped at 200.
int LabelWidth(int textWidth);
// Full width of a tab whose title measures textWidth pixels.
int TabWidth(int textWidth);

// Horizontal extent of one tab in the strip; left and right both belong to the tab.
struct TabExtent {
    int left = 0;
    int right = 0;
    int labelWidth = 0;

    friend bool operator==(const TabExtent&, const TabExtent&) = default;
};

// Lays the tabs out from x = 0, each starting where the previous one ended.
std::vector<TabExtent> LayoutTabs(std::span<const int> textWidths);

// Index of the tab under (x, y) in a client area clientHeight pixels high, or -1. A point on the
// boundary shared by two tabs hits the left one.
int HitTest(std::span<const TabExtent> tabs, int x, int y, int clientHeight);

// Rectangle of the page area: every page sits at x = 1, y = 0, cx wide and cy - 30 high.
QRect PageRect(int cx, int cy);

// The pens and brushes of the tab window, taken from the system colours.
enum class Ink {
    Black,     // 1-pixel black pen or the black frame brush
    Light2,    // 2-pixel button-highlight pen
    Shadow1,   // 1-pixel button-shadow pen
    Shadow2,   // 2-pixel button-shadow pen
    Face,      // button-face brush
    Light3d,   // 3-D light colour of the inner frame
    Highlight, // button-highlight colour of the outer frame
};

// A polyline: drawn from point to point, the last point itself left out.
struct Stroke {
    Ink ink = Ink::Black;
    std::vector<QPoint> points;

    friend bool operator==(const Stroke&, const Stroke&) = default;
};

// A filled rectangle, or a one-pixel frame drawn inside it.
struct Fill {
    Ink ink = Ink::Face;
    QRect rect;
    bool frameOnly = false;

    friend bool operator==(const Fill&, const Fill&) = default;
};

// One drawing step: a stroke or a fill, in the order they are drawn.
struct Step {
    enum class Kind { Stroke, Fill } kind = Kind::Fill;
    Stroke stroke;
    Fill fill;

    friend bool operator==(const Step&, const Step&) = default;
};

// Fill of the strip background below the pages, client width w by height h.
QRect EraseRect(int w, int h);

// The two three-dimensional frame rectangles around the pages, as fills of one-pixel edges.
std::vector<Step> PageFrame(int w, int h);

// The drawing steps of one tab at x with label width t, plus where its label goes.
struct TabDrawing {
    std::vector<Step> steps;
    QRect labelRect;
    int width = 0;
};
TabDrawing DrawTab(int x, int labelWidth, int textHeight, bool active, int w, int h);

} // namespace tabstrip
