// Layout of the frame timing diagram: the frame to scale, blanking, extra delay, flicker periods,
// time axis, integration, and the legend of the derived figures.
#include "TimingDiagram.h"

#include "FormatDecimal.h"
#include "WizardDoc.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

using S = SensorLimits;

constexpr char kMicro[] = "\xC2\xB5"; // the micro sign in UTF-8

// Ticks closer than this run together; the strip is then filled instead.
constexpr double kMinTickSpacingPx = 3.0;
// The extra delay band never takes more than this share of the frame's height.
constexpr double kMaxBandShare = 0.25;

// One legend line: an optional colour swatch, a text, and a note in the warning role after it.
struct LegendLine {
    std::optional<DiagramRole> swatch;
    std::string text;
    DiagramRole role = DiagramRole::Text;
    std::string note;
};

// Sizes derived from the font: one line, the small spacing, and the margin of the area.
struct Metrics {
    const DiagramFont& font;
    double lh;
    double s;

    explicit Metrics(const DiagramFont& f)
        : font(f), lh(std::ceil(std::max(f.lineHeight, 1.0))),
          s(std::max(4.0, std::round(lh / 2))) {}
    double Width(std::string_view text) const {
        return font.textWidth ? std::ceil(std::max(font.textWidth(text), 0.0)) : 0.0;
    }
    double Pad() const { return s; }
    double SwatchIndent() const { return s + s / 2; }
};

// Every text of a drawn frame and the widths the layout reserves for them.
struct FramePlan {
    std::string lineTotal, activeColumns, hBlank;
    std::string frameRows, activeRows, vBlank;
    std::string extraDelay, frameEnd;
    std::vector<LegendLine> timing, flicker;

    double outerLeftW = 0, innerLeftW = 0, stripW = 0, axisLabelW = 0;
    double minFrameW = 0, minFrameH = 0;
    double timingW = 0, flickerW = 0;
};

double LegendLineWidth(const Metrics& m, const LegendLine& line) {
    double w = m.SwatchIndent() + m.Width(line.text);
    if (!line.note.empty())
        w += m.s + m.Width(line.note);
    return w;
}

double LegendWidth(const Metrics& m, const std::vector<LegendLine>& lines) {
    double w = 0;
    for (const LegendLine& line : lines)
        w = std::max(w, LegendLineWidth(m, line));
    return w;
}

// The legend's timing lines: row and frame time, the rate got and asked for, integration.
std::vector<LegendLine> TimingLegend(const TimingFigures& t, const CImageContext& request) {
    std::vector<LegendLine> lines;
    lines.push_back({std::nullopt,
                     "Row time: " + FormatDecimal(t.rowTimeUs, 3) + " " + kMicro +
                         "s = " + FormatInt(t.lineLength) + " clocks",
                     DiagramRole::Text,
                     {}});
    lines.push_back({std::nullopt,
                     "Frame time: " + FormatDecimal(t.frameTimeMs, 3) + " ms",
                     DiagramRole::Text,
                     {}});
    // "(cannot match)" as the report marks a rate that misses the request.
    lines.push_back({std::nullopt, "Frame rate: " + FormatDecimal(t.actualFrameRate, 3) + " fps",
                     DiagramRole::Text,
                     t.rateMatched ? std::string() : std::string("(cannot match)")});
    lines.push_back({std::nullopt,
                     "Requested: " + FormatDecimal(request.m_dFrameRate, 3) + " fps",
                     DiagramRole::Text,
                     {}});
    if (!t.rateMatched)
        lines.push_back({std::nullopt,
                         "Clock output minimum: " + FormatDecimal(t.minClockOutputMHz, 3) + " MHz",
                         DiagramRole::Text,
                         {}});
    lines.push_back({DiagramRole::IntegrationBar,
                     "Integration: " + (std::isfinite(t.integrationMs)
                                            ? FormatDecimal(t.integrationMs, 3) + " ms"
                                            : std::string("n/a")),
                     DiagramRole::Text,
                     {}});
    return lines;
}

// The legend's flicker lines: both periods, the zone height and the warning.
std::vector<LegendLine> FlickerLegend(const FlickerFigures& f) {
    std::vector<LegendLine> lines;
    lines.push_back({DiagramRole::Flicker50,
                     "50 Hz flicker period: " + FormatDecimal(f.period50Rows, 2) + " rows",
                     DiagramRole::Text,
                     {}});
    lines.push_back({DiagramRole::Flicker60,
                     "60 Hz flicker period: " + FormatDecimal(f.period60Rows, 2) + " rows",
                     DiagramRole::Text,
                     {}});
    lines.push_back({std::nullopt,
                     "Flicker zone height: " + FormatDecimal(f.zoneHeight, 0) + " rows",
                     DiagramRole::Text,
                     {}});
    if (f.warning)
        lines.push_back(
            {std::nullopt, "Warning: Flicker Detection Inoperative!", DiagramRole::Warning, {}});
    return lines;
}

FramePlan MakeFramePlan(const TimingFigures& t, const CImageContext& request, const Metrics& m) {
    FramePlan p;
    p.lineTotal = FormatInt(t.lineLength) + " clocks per row";
    p.activeColumns = FormatInt(t.activeColumns) + " active";
    p.hBlank = FormatInt(t.hBlankUsed) + " blank";
    p.frameRows = FormatInt(t.frameLength) + " rows";
    p.activeRows = FormatInt(t.activeRows) + " active";
    p.vBlank = FormatInt(t.vBlankUsed) + " blank";
    p.extraDelay = FormatInt(t.extraDelay) + " clocks extra delay";
    p.frameEnd = FormatDecimal(t.frameTimeMs, 3) + " ms";

    p.timing = TimingLegend(t, request);
    p.flicker = FlickerLegend(t.flicker);

    p.outerLeftW = m.Width(p.frameRows);
    p.innerLeftW = std::max(m.Width(p.activeRows), m.Width(p.vBlank));
    p.stripW = std::max(m.Width("50 Hz"), m.Width("60 Hz")) + m.s / 2;
    // Tick labels carry at most three decimals and are below the frame time, so they are never
    // wider than the frame time's own label with three more places.
    p.axisLabelW = std::max(m.Width(p.frameEnd) + m.Width(".000"), m.Width("Time"));
    p.minFrameW = std::max({m.Width(p.activeColumns) + m.s + m.Width(p.hBlank),
                            m.Width(p.lineTotal), m.Width(p.extraDelay), 4 * m.lh});
    p.minFrameH = 3 * m.lh;
    p.timingW = LegendWidth(m, p.timing);
    p.flickerW = LegendWidth(m, p.flicker);
    return p;
}

// Widths beside the frame: label columns on the left; strips, integration bar and axis on the
// right.
double LeftWidth(const Metrics& m, const FramePlan& p) {
    return m.Pad() + p.outerLeftW + m.s + p.innerLeftW + m.s;
}
double RightWidth(const Metrics& m, const FramePlan& p) {
    return m.s + p.stripW + m.s / 2 + p.stripW + m.s + m.s + m.s / 2 + 2 + p.axisLabelW + m.Pad();
}
double TopHeight(const Metrics& m) {
    return m.Pad() + 2 * (m.lh + m.s);
}
// Below the frame, without the extra delay band itself: the gaps around it, its label, the legend.
double BottomHeight(const Metrics& m, double legendH) {
    return m.s + m.s / 2 + m.lh + m.s + legendH + m.Pad();
}
double TwoColumnWidth(const Metrics& m, const FramePlan& p) {
    return p.timingW + 2 * m.lh + p.flickerW;
}
double LegendHeight(const Metrics& m, const FramePlan& p, bool twoColumns) {
    const std::size_t lines = twoColumns ? std::max(p.timing.size(), p.flicker.size())
                                         : p.timing.size() + p.flicker.size();
    return static_cast<double>(lines) * m.lh;
}

// Starts of two spans centred on c1 <= c2 inside [lo, hi], moved apart so that they keep gap
// between them; the room is at least len1 + gap + len2.
std::pair<double, double> PlacePair(double c1, double len1, double c2, double len2, double lo,
                                    double hi, double gap) {
    double s2 = std::clamp(c2 - len2 / 2, lo + len1 + gap, hi - len2);
    double s1 = std::clamp(c1 - len1 / 2, lo, hi - len1);
    if (s1 + len1 + gap > s2)
        s1 = s2 - gap - len1;
    return {s1, s2};
}

struct AxisTick {
    double ms;
    std::string text;
};

// Round steps (1, 2 or 5 times a power of ten, at least 0.001 ms) about three lines apart.
std::vector<AxisTick> AxisTicks(double frameMs, double frameH, double lh) {
    std::vector<AxisTick> ticks;
    if (!(frameMs > 0) || !std::isfinite(frameMs))
        return ticks;
    const double wanted = std::max(1.0, std::floor(frameH / (3 * lh)));
    const double raw = std::max(frameMs / wanted, 0.001);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= raw) {
            step = factor * magnitude;
            break;
        }
    }
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 3);
    for (int k = 0; k * step < frameMs; ++k)
        ticks.push_back({k * step, FormatDecimal(k * step, decimals) + " ms"});
    return ticks;
}

class Builder {
public:
    Builder(const Metrics& m, TimingDiagram& d) : m_(m), d_(d) {}

    void Fill(DiagramRole role, double x, double y, double w, double h) {
        d_.shapes.push_back({role, {x, y, w, h}});
    }
    void Line(DiagramRole role, double x1, double y1, double x2, double y2) {
        d_.lines.push_back({role, x1, y1, x2, y2});
    }
    // A label whose left edge is at x and whose middle is at yMid.
    void Label(DiagramRole role, const std::string& text, double x, double yMid) {
        d_.labels.push_back(
            {role, text, {std::round(x), std::round(yMid - m_.lh / 2), m_.Width(text), m_.lh}});
    }
    // A horizontal dimension line with end marks at each of xs.
    void HDimension(double y, const std::vector<double>& xs) {
        Line(DiagramRole::Dimension, xs.front(), y, xs.back(), y);
        for (const double x : xs)
            Line(DiagramRole::Dimension, x, y - m_.s / 4, x, y + m_.s / 4);
    }
    void VDimension(double x, const std::vector<double>& ys) {
        Line(DiagramRole::Dimension, x, ys.front(), x, ys.back());
        for (const double y : ys)
            Line(DiagramRole::Dimension, x - m_.s / 4, y, x + m_.s / 4, y);
    }

private:
    const Metrics& m_;
    TimingDiagram& d_;
};

// Ticks every period rows down a strip, or the strip filled when they would run together.
void FlickerTicks(Builder& b, DiagramRole role, double period, const DiagramRect& strip,
                  int frameLength, double yScale) {
    if (!(period > 0) || !std::isfinite(period))
        return;
    if (period * yScale < kMinTickSpacingPx) {
        b.Fill(role, strip.x, strip.y, strip.width, strip.height);
        return;
    }
    const auto count = static_cast<int>(std::floor(frameLength / period));
    for (int k = 1; k <= count; ++k) {
        const double y = std::round(strip.y + k * period * yScale);
        b.Line(role, strip.x, y, strip.Right(), y);
    }
}

void DrawLegend(Builder& b, const Metrics& m, const std::vector<LegendLine>& lines, double x,
                double y) {
    for (const LegendLine& line : lines) {
        const double mid = y + m.lh / 2;
        if (line.swatch)
            b.Fill(*line.swatch, x, std::round(mid - m.s / 2), m.s, m.s);
        const double textX = x + m.SwatchIndent();
        b.Label(line.role, line.text, textX, mid);
        if (!line.note.empty())
            b.Label(DiagramRole::Warning, line.note, textX + m.Width(line.text) + m.s, mid);
        y += m.lh;
    }
}

// A column of centred lines in the middle of the area; false when the area cannot hold them.
bool CentredMessage(TimingDiagram& d, const Metrics& m, DiagramSize area,
                    const std::vector<std::pair<DiagramRole, std::string>>& lines) {
    double widest = 0;
    for (const auto& [role, text] : lines)
        widest = std::max(widest, m.Width(text));
    const double height = static_cast<double>(lines.size()) * m.lh;
    if (widest + 2 * m.Pad() > area.width || height + 2 * m.Pad() > area.height)
        return false;
    Builder b(m, d);
    double y = std::floor((area.height - height) / 2);
    for (const auto& [role, text] : lines) {
        b.Label(role, text, std::floor((area.width - m.Width(text)) / 2), y + m.lh / 2);
        y += m.lh;
    }
    return true;
}

TimingDiagram TooSmall(const Metrics& m, DiagramSize area) {
    TimingDiagram d;
    d.state = DiagramState::TooSmall;
    CentredMessage(d, m, area, {{DiagramRole::Text, "Too small for the timing diagram"}});
    return d;
}

// Why the timing is "n/a", in the terms of the report's "n/a" entries.
std::vector<std::pair<DiagramRole, std::string>> NotAvailableLines(const TimingFigures& t,
                                                                   const CImageContext& request) {
    std::vector<std::pair<DiagramRole, std::string>> lines{
        {DiagramRole::Heading, "Frame timing n/a"}};
    if (request.m_nOutputColumns < 1 || request.m_nOutputColumns > S::kColumns)
        lines.emplace_back(DiagramRole::Text, "Output columns " +
                                                  FormatInt(request.m_nOutputColumns) +
                                                  " outside 1 to " + FormatInt(S::kColumns));
    if (request.m_nOutputRows < 1 || request.m_nOutputRows > S::kRows)
        lines.emplace_back(DiagramRole::Text, "Output rows " + FormatInt(request.m_nOutputRows) +
                                                  " outside 1 to " + FormatInt(S::kRows));
    const double clocks = t.maxFrameClocks;
    if (!(t.clockMHz > 0))
        lines.emplace_back(DiagramRole::Text, "Max Frame Clocks: n/a (timing clock " +
                                                  FormatDecimal(t.clockMHz, 3) + " MHz)");
    else if (!(request.m_dFrameRate > 0))
        lines.emplace_back(DiagramRole::Text, "Max Frame Time: n/a (frame rate " +
                                                  FormatDecimal(request.m_dFrameRate, 3) + " fps)");
    else if (clocks >= S::kMaxFrameClocks)
        lines.emplace_back(DiagramRole::Text,
                           "Max Frame Clocks: n/a (" +
                               FormatInt(static_cast<long long>(S::kMaxFrameClocks)) +
                               " or more per frame)");
    else if (!(clocks > 0 && clocks < S::kMaxFrameClocks))
        lines.emplace_back(DiagramRole::Text, "Max Frame Clocks: n/a");
    if (t.flicker.warning)
        lines.emplace_back(DiagramRole::Warning, "Warning: Flicker Detection Inoperative!");
    return lines;
}

// Where the frame and the extra delay band below it stand in the area, in pixels.
struct FrameBox {
    double x = 0, top = 0, width = 0, height = 0;
    double activeRight = 0, activeBottom = 0; // where the active columns and rows end
    double yScale = 0;                        // pixels per row
    double bandRows = 0;                      // the extra delay in rows: over clocks per row
    double bandTop = 0, bandRowH = 0;         // the extra delay band and the height it gets

    double Right() const { return x + width; }
    double Bottom() const { return top + height; }
};

// The two rows of dimension labels above the frame.
double OuterLabelY(const Metrics& m) {
    return m.Pad();
}
double InnerLabelY(const Metrics& m) {
    return OuterLabelY(m) + m.lh + m.s;
}

// Places the frame to scale below the dimension rows and above the band, its label and the
// legend; none when the area is too small for the frame or the legend.
std::optional<FrameBox> PlaceFrame(const TimingFigures& t, DiagramSize area, const Metrics& m,
                                   const FramePlan& p, bool twoColumns) {
    FrameBox box;
    const double legendH = LegendHeight(m, p, twoColumns);
    box.top = TopHeight(m);
    const double avail = area.height - box.top - BottomHeight(m, legendH);
    const double L = t.lineLength;
    const double F = t.frameLength;
    // The band is to scale (extra delay over clocks per row, in rows) once that is taller than
    // the smallest band that can be seen.
    box.bandRows = t.extraDelay / L;
    double frameH = avail - m.s;
    if (box.bandRows / F * frameH > m.s)
        frameH = avail / (1 + std::min(box.bandRows / F, kMaxBandShare));
    box.height = std::floor(frameH);
    box.bandRowH = avail - box.height;

    box.x = LeftWidth(m, p);
    box.width = std::floor(area.width - box.x - RightWidth(m, p));
    if (box.height < p.minFrameH || box.width < p.minFrameW ||
        (twoColumns ? TwoColumnWidth(m, p) : std::max(p.timingW, p.flickerW)) + 2 * m.Pad() >
            area.width)
        return std::nullopt;

    // Clocks across, rows down. A band that exists keeps at least a pixel.
    const double xScale = box.width / L;
    box.yScale = box.height / F;
    box.activeRight = std::clamp(std::round(box.x + t.activeColumns * xScale), box.x + 1,
                                 t.hBlankUsed > 0 ? box.Right() - 1 : box.Right());
    box.activeBottom = std::clamp(std::round(box.top + t.activeRows * box.yScale), box.top + 1,
                                  t.vBlankUsed > 0 ? box.Bottom() - 1 : box.Bottom());
    box.bandTop = box.Bottom() + m.s;
    return box;
}

// The active area, the blanking bands and the outline; then the extra delay, which follows the
// last row: as wide as its clocks, at most one row.
void DrawFrame(Builder& b, const Metrics& m, const FramePlan& p, const TimingFigures& t,
               const FrameBox& box) {
    b.Fill(DiagramRole::ActiveArea, box.x, box.top, box.activeRight - box.x,
           box.activeBottom - box.top);
    b.Fill(DiagramRole::HBlankBand, box.activeRight, box.top, box.Right() - box.activeRight,
           box.activeBottom - box.top);
    b.Fill(DiagramRole::VBlankBand, box.x, box.activeBottom, box.width,
           box.Bottom() - box.activeBottom);
    b.Fill(DiagramRole::FrameOutline, box.x, box.top, box.width, box.height);

    if (t.extraDelay > 0) {
        const double bandW = std::max(1.0, std::round(std::min(1.0, box.bandRows) * box.width));
        b.Fill(DiagramRole::ExtraDelayBand, box.x, box.bandTop, bandW, box.bandRowH);
    }
    b.Label(DiagramRole::Text, p.extraDelay, box.x,
            box.bandTop + box.bandRowH + m.s / 2 + m.lh / 2);
}

// Dimensions: rows of labels above the frame, columns of labels to its left.
void DrawDimensions(Builder& b, const Metrics& m, const FramePlan& p, const FrameBox& box) {
    const double outerY = OuterLabelY(m);
    const double innerY = InnerLabelY(m);
    b.Label(DiagramRole::Text, p.lineTotal, box.x + (box.width - m.Width(p.lineTotal)) / 2,
            outerY + m.lh / 2);
    b.HDimension(outerY + m.lh + m.s / 2, {box.x, box.Right()});
    const auto [activeX, blankX] =
        PlacePair((box.x + box.activeRight) / 2, m.Width(p.activeColumns),
                  (box.activeRight + box.Right()) / 2, m.Width(p.hBlank), box.x, box.Right(), m.s);
    b.Label(DiagramRole::Text, p.activeColumns, activeX, innerY + m.lh / 2);
    b.Label(DiagramRole::Text, p.hBlank, blankX, innerY + m.lh / 2);
    b.HDimension(innerY + m.lh + m.s / 2, {box.x, box.activeRight, box.Right()});

    const double outerRight = m.Pad() + p.outerLeftW;
    b.Label(DiagramRole::Text, p.frameRows, outerRight - m.Width(p.frameRows),
            box.top + box.height / 2);
    b.VDimension(outerRight + m.s / 2, {box.top, box.Bottom()});
    const double innerRight = outerRight + m.s + p.innerLeftW;
    const auto [activeY, blankY] =
        PlacePair((box.top + box.activeBottom) / 2, m.lh, (box.activeBottom + box.Bottom()) / 2,
                  m.lh, box.top, box.Bottom(), 0);
    b.Label(DiagramRole::Text, p.activeRows, innerRight - m.Width(p.activeRows),
            activeY + m.lh / 2);
    b.Label(DiagramRole::Text, p.vBlank, innerRight - m.Width(p.vBlank), blankY + m.lh / 2);
    b.VDimension(innerRight + m.s / 2, {box.top, box.activeBottom, box.Bottom()});
}

// Flicker period strips beside the frame; returns the right edge of the second.
double DrawFlickerStrips(Builder& b, const Metrics& m, const FramePlan& p, const TimingFigures& t,
                         const FrameBox& box) {
    const DiagramRect strip50{box.Right() + m.s, box.top, p.stripW, box.height};
    const DiagramRect strip60{strip50.Right() + m.s / 2, box.top, p.stripW, box.height};
    for (const auto& [strip, role, period, name] :
         {std::tuple{strip50, DiagramRole::Flicker50, t.flicker.period50Rows, "50 Hz"},
          std::tuple{strip60, DiagramRole::Flicker60, t.flicker.period60Rows, "60 Hz"}}) {
        b.Fill(DiagramRole::FlickerStrip, strip.x, strip.y, strip.width, strip.height);
        FlickerTicks(b, role, period, strip, t.frameLength, box.yScale);
        b.Label(DiagramRole::Text, name, strip.x + (strip.width - m.Width(name)) / 2,
                InnerLabelY(m) + m.lh / 2);
    }
    return strip60.Right();
}

// Time axis at axisX: the frame's rows are its time, with the integration bar from the frame
// start.
void DrawTimeAxis(Builder& b, const Metrics& m, const FramePlan& p, const TimingFigures& t,
                  const FrameBox& box, double axisX) {
    const double tickRight = axisX + m.s / 2;
    const double labelX = tickRight + 2;
    const double msScale = box.height / t.frameTimeMs;
    if (std::isfinite(t.integrationMs) && t.integrationMs > 0)
        b.Fill(DiagramRole::IntegrationBar, axisX - m.s, box.top, m.s,
               std::clamp(std::round(t.integrationMs * msScale), 2.0, box.height));
    b.Line(DiagramRole::TimeAxis, axisX, box.top, axisX, box.Bottom());
    b.Label(DiagramRole::Text, "Time", labelX, OuterLabelY(m) + m.lh / 2);
    for (const AxisTick& tick : AxisTicks(t.frameTimeMs, box.height, m.lh)) {
        const double y = std::round(box.top + tick.ms * msScale);
        b.Line(DiagramRole::TimeAxis, axisX, y, tickRight, y);
        // A round value too close to the frame's end leaves its place to the end's label.
        if (box.Bottom() - y >= m.lh)
            b.Label(DiagramRole::Text, tick.text, labelX, y);
    }
    b.Line(DiagramRole::TimeAxis, axisX, box.Bottom(), tickRight, box.Bottom());
    b.Label(DiagramRole::Text, p.frameEnd, labelX, box.Bottom());
}

TimingDiagram LayOutFrame(const TimingFigures& t, const CImageContext& request, DiagramSize area,
                          const Metrics& m) {
    const FramePlan p = MakeFramePlan(t, request, m);
    // Down the area: dimension rows, frame, extra delay band and its label, legend.
    const bool twoColumns = TwoColumnWidth(m, p) + 2 * m.Pad() <= area.width;
    const std::optional<FrameBox> box = PlaceFrame(t, area, m, p, twoColumns);
    if (!box)
        return TooSmall(m, area);

    TimingDiagram d;
    d.state = DiagramState::Frame;
    Builder b(m, d);
    DrawFrame(b, m, p, t, *box);
    DrawDimensions(b, m, p, *box);
    const double stripsRight = DrawFlickerStrips(b, m, p, t, *box);
    DrawTimeAxis(b, m, p, t, *box, stripsRight + m.s + m.s);

    // Legend of the derived figures, in two columns where the width allows.
    const double legendY = box->bandTop + box->bandRowH + m.s / 2 + m.lh + m.s;
    DrawLegend(b, m, p.timing, m.Pad(), legendY);
    if (twoColumns)
        DrawLegend(b, m, p.flicker, m.Pad() + p.timingW + 2 * m.lh, legendY);
    else
        DrawLegend(b, m, p.flicker, m.Pad(), legendY + static_cast<double>(p.timing.size()) * m.lh);
    return d;
}

} // namespace

TimingDiagram LayOutTimingDiagram(const TimingFigures& t, const CImageContext& request,
                                  DiagramSize area, const DiagramFont& font) {
    const Metrics m(font);
    if (!t.valid || t.lineLength <= 0 || t.frameLength <= 0) {
        TimingDiagram d;
        d.state = DiagramState::NotAvailable;
        if (!CentredMessage(d, m, area, NotAvailableLines(t, request)))
            return TooSmall(m, area);
        return d;
    }
    return LayOutFrame(t, request, area, m);
}

DiagramSize MinimumDiagramSize(const TimingFigures& t, const CImageContext& request,
                               const DiagramFont& font) {
    const Metrics m(font);
    if (!t.valid || t.lineLength <= 0 || t.frameLength <= 0) {
        double widest = 0;
        const auto lines = NotAvailableLines(t, request);
        for (const auto& [role, text] : lines)
            widest = std::max(widest, m.Width(text));
        return {widest + 2 * m.Pad(), static_cast<double>(lines.size()) * m.lh + 2 * m.Pad()};
    }
    const FramePlan p = MakeFramePlan(t, request, m);
    const double width = std::max(LeftWidth(m, p) + p.minFrameW + RightWidth(m, p),
                                  std::max(p.timingW, p.flickerW) + 2 * m.Pad());
    // The band above its smallest height takes at most a share of the frame's height.
    const double height = TopHeight(m) + p.minFrameH / (1 - kMaxBandShare) + m.s +
                          BottomHeight(m, LegendHeight(m, p, false));
    // One pixel more each way for the rounding of the frame's edges.
    return {std::ceil(width) + 1, std::ceil(height) + 1};
}

TimingFigures LastTimingFigures(const CKXC2280RegisterWizardDoc& doc) {
    return CalculateTiming(doc.m_Contexts[0], doc.m_dTargetSystemFreq);
}

std::string DiagramCaption(const CKXC2280RegisterWizardDoc& doc, std::string_view fileName) {
    const CImageContext& request = doc.m_Contexts[0];
    const TimingFigures t = LastTimingFigures(doc);
    std::string caption = fileName.empty() ? std::string() : std::string(fileName) + ": ";
    // A file name may hold line breaks and other control characters; the caption is one line.
    std::replace_if(
        caption.begin(), caption.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }, '?');
    caption += "input clock " + FormatDecimal(doc.m_dInputFreq, 3) + " MHz, system clock " +
               FormatDecimal(doc.m_dTargetSystemFreq, 3) + " MHz, " +
               std::to_string(request.m_nOutputColumns) + " x " +
               std::to_string(request.m_nOutputRows) + ", " +
               FormatDecimal(request.m_dFrameRate, 3) + " fps requested, " +
               (t.valid ? FormatDecimal(t.actualFrameRate, 3) + " fps achieved"
                        : std::string("achieved n/a"));
    return caption;
}
