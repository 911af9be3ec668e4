// Writes the timing diagram's shapes, lines and labels as SVG elements, numbers through to_chars.
#include "TimingDiagramSvg.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

constexpr double kFontPx = 13.0;
constexpr double kAdvancePx = 0.6 * kFontPx;
constexpr double kLineHeightPx = 16.0;
// From a label's vertical centre down to its baseline: about half the height of a capital.
constexpr double kBaselineBelowCentrePx = 4.5;

std::size_t CodePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// Hundredths of a pixel at most: the layout's arithmetic may differ in the last bits between C
// libraries, the written text must not.
std::string Number(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, rounded == 0.0 ? 0.0 : rounded);
    return std::string(text, result.ptr);
}

std::string Colour(const QColor& colour) {
    return colour.name(QColor::HexRgb).toStdString();
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            // XML forbids the control characters; a label from a file name may hold them.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                out += "\xEF\xBF\xBD";
            else
                out += c;
        }
    }
}

} // namespace

DiagramFont SvgDiagramFont() {
    return {kLineHeightPx, [](std::string_view text) {
                return static_cast<double>(CodePoints(text)) * kAdvancePx;
            }};
}

std::string TimingDiagramSvg(const TimingDiagram& diagram, DiagramSize size,
                             const DiagramColours& colours) {
    const std::string width = Number(size.width);
    const std::string height = Number(size.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
                      "\" shape-rendering=\"crispEdges\">\n" +
                      "<title>Timing Diagram</title>\n"
                      "<desc>Frame timing of the QX7R310 image request</desc>\n"
                      "<rect width=\"" +
                      width + "\" height=\"" + height + "\" fill=\"" + Colour(colours.background) +
                      "\"/>\n";
    for (const DiagramShape& shape : diagram.shapes) {
        const DiagramRect& r = shape.rect;
        if (shape.role == DiagramRole::FrameOutline) {
            // A one-pixel line just inside the rectangle, as the painter draws it.
            svg += "<rect x=\"" + Number(r.x + 0.5) + "\" y=\"" + Number(r.y + 0.5) +
                   "\" width=\"" + Number(r.width - 1) + "\" height=\"" + Number(r.height - 1) +
                   "\" fill=\"none\" stroke=\"" + Colour(colours.text) +
                   "\" stroke-width=\"1\"/>\n";
        } else {
            svg += "<rect x=\"" + Number(r.x) + "\" y=\"" + Number(r.y) + "\" width=\"" +
                   Number(r.width) + "\" height=\"" + Number(r.height) + "\" fill=\"" +
                   Colour(colours.Of(shape.role)) + "\"/>\n";
        }
    }
    for (const DiagramLine& line : diagram.lines) {
        const bool tick =
            line.role == DiagramRole::Flicker50 || line.role == DiagramRole::Flicker60;
        svg += "<line x1=\"" + Number(line.x1) + "\" y1=\"" + Number(line.y1) + "\" x2=\"" +
               Number(line.x2) + "\" y2=\"" + Number(line.y2) + "\" stroke=\"" +
               Colour(colours.Of(line.role)) + "\" stroke-width=\"" + (tick ? "2" : "1") + "\"/>\n";
    }
    svg += "<g xml:space=\"preserve\" font-family=\"DejaVu Sans Mono, Consolas, Courier New, "
           "monospace\" font-size=\"" +
           Number(kFontPx) + "\">\n";
    for (const DiagramLabel& label : diagram.labels) {
        const DiagramRect& r = label.rect;
        svg += "<text x=\"" + Number(r.x) + "\" y=\"" +
               Number(r.y + r.height / 2 + kBaselineBelowCentrePx) + "\" textLength=\"" +
               Number(static_cast<double>(CodePoints(label.text)) * kAdvancePx) +
               "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + Colour(colours.Of(label.role)) +
               "\">";
        AppendEscaped(svg, label.text);
        svg += "</text>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}
