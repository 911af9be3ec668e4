// The frame timing diagram laid out as shapes, lines and labels in a drawing area, without a
// painter.
#pragma once

#include "ImageContext.h"
#include "TimingCalc.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CKXC2280RegisterWizardDoc;

// Pixels; x grows to the right and y downwards from the top-left corner of the drawing area.
struct DiagramRect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
};

// What a shape, line or label stands for; the painter picks colour, pen and fill by role.
enum class DiagramRole {
    ActiveArea,
    HBlankBand,
    VBlankBand,
    ExtraDelayBand,
    FrameOutline,   // an outline, not a fill
    FlickerStrip,   // background of the strip that carries one frequency's period ticks
    Flicker50,      // 50 Hz period: ticks, a strip whose ticks run together, the legend swatch
    Flicker60,      // 60 Hz period, the same
    IntegrationBar, // the integration time on the time axis, and its legend swatch
    TimeAxis,       // the axis line and its ticks
    Dimension,      // dimension lines and their end marks
    Text,
    Heading,
    Warning, // the flicker warning and "(cannot match)"
};

struct DiagramShape {
    DiagramRole role;
    DiagramRect rect;
};

// Every line is horizontal or vertical.
struct DiagramLine {
    DiagramRole role;
    double x1;
    double y1;
    double x2;
    double y2;
};

// One line of text, drawn from the left edge of rect and centred vertically; rect is as wide as
// the measured text and one line high.
struct DiagramLabel {
    DiagramRole role;
    std::string text; // UTF-8
    DiagramRect rect;
};

// Text measuring supplied by the caller, since the core knows no fonts.
struct DiagramFont {
    double lineHeight = 0.0;                           // pixels from one line to the next
    std::function<double(std::string_view)> textWidth; // pixels of a UTF-8 text
};

enum class DiagramState {
    Frame,        // the frame is drawn
    NotAvailable, // the timing is "n/a": a message says why
    TooSmall,     // the area cannot hold the picture with its labels
};

struct TimingDiagram {
    DiagramState state = DiagramState::TooSmall;
    std::vector<DiagramShape> shapes; // drawn first, in order
    std::vector<DiagramLine> lines;   // drawn over the shapes
    std::vector<DiagramLabel> labels; // drawn last
};

struct DiagramSize {
    double width = 0.0;
    double height = 0.0;
};

// The frame of one timing run in a width by height area: the frame to scale in clocks across and
// rows down, its active area and blanking bands, the extra delay, the flicker period ticks, the
// time axis with the integration bar, dimension labels and a legend of the derived figures.
// request is the image context the figures were computed for. Nothing lies outside the area.
TimingDiagram LayOutTimingDiagram(const TimingFigures& t, const CImageContext& request,
                                  DiagramSize area, const DiagramFont& font);

// The smallest area in which LayOutTimingDiagram draws the frame (or the "n/a" message) with all
// of its labels.
DiagramSize MinimumDiagramSize(const TimingFigures& t, const CImageContext& request,
                               const DiagramFont& font);

// The figures of the document's last timing run. ComputeTiming takes them from CalculateTiming on
// context 0 and the system frequency, and every caller runs it right after changing either, so
// the same call on the document's inputs gives the same figures without a second copy to keep.
TimingFigures LastTimingFigures(const CKXC2280RegisterWizardDoc& doc);

// The line that ties a diagram to its mode, the achieved rate as the timing report gives it: "camera.ini: input clock 11 MHz, system clock 44 MHz,
// 640 x 480, 30 fps requested, 30.003 fps achieved" ("achieved n/a" when the timing is "n/a");
// without a file name the name and its colon are left out.
std::string DiagramCaption(const CKXC2280RegisterWizardDoc& doc, std::string_view fileName);
