// Rendering the timing diagram into SVG text or PNG (QImage) bytes and saving them.
#include "TimingDiagramExport.h"

#include "TimingDiagram.h"
#include "TimingDiagramPainter.h"
#include "TimingDiagramSvg.h"
#include "WizardDoc.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Room for the frame beside its labels; a larger minimum from long labels wins.
constexpr int kExportWidth = 1000;
constexpr int kExportHeight = 760;
// Around the caption line.
constexpr double kCaptionMarginPx = 8.0;

// A pixel-sized font measures and draws the same on every device.
QFont ExportFont() {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    return font;
}

// Puts the caption on the first line and the diagram below it.
void AddCaption(TimingDiagram& diagram, const std::string& caption, const DiagramFont& metrics,
                double captionHeight) {
    for (DiagramShape& shape : diagram.shapes)
        shape.rect.y += captionHeight;
    for (DiagramLine& line : diagram.lines) {
        line.y1 += captionHeight;
        line.y2 += captionHeight;
    }
    for (DiagramLabel& label : diagram.labels)
        label.rect.y += captionHeight;
    diagram.labels.push_back(
        {DiagramRole::Heading,
         caption,
         {kCaptionMarginPx, kCaptionMarginPx, metrics.textWidth(caption), metrics.lineHeight}});
}

bool EndsWith(std::string_view path, std::string_view extension) {
    if (path.size() < extension.size())
        return false;
    return std::equal(
        extension.begin(), extension.end(), path.end() - extension.size(),
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

std::optional<DiagramFormat> DiagramFormatForPath(std::string_view path) {
    if (EndsWith(path, ".svg"))
        return DiagramFormat::Svg;
    if (EndsWith(path, ".png"))
        return DiagramFormat::Png;
    return std::nullopt;
}

DiagramColours ExportDiagramColours() {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    return DiagramColoursFor(palette);
}

QByteArray RenderTimingDiagram(const TimingFigures& t, const CImageContext& request,
                               DiagramFormat format, const std::string& caption) {
    const QFont font = ExportFont();
    // The SVG measures its text by a fixed rule, so its bytes follow no platform's fonts.
    const DiagramFont metrics =
        format == DiagramFormat::Svg ? SvgDiagramFont() : DiagramFontFor(font);
    const double captionHeight =
        caption.empty() ? 0.0 : std::ceil(metrics.lineHeight) + 2 * kCaptionMarginPx;
    const double captionWidth =
        caption.empty() ? 0.0 : metrics.textWidth(caption) + 2 * kCaptionMarginPx;
    const DiagramSize minimum = MinimumDiagramSize(t, request, metrics);
    const QSize size(
        std::max({kExportWidth, static_cast<int>(std::ceil(minimum.width)),
                  static_cast<int>(std::ceil(captionWidth))}),
        std::max(kExportHeight, static_cast<int>(std::ceil(minimum.height + captionHeight))));
    const DiagramSize area{static_cast<double>(size.width()), static_cast<double>(size.height())};
    TimingDiagram diagram =
        LayOutTimingDiagram(t, request, {area.width, area.height - captionHeight}, metrics);
    if (!caption.empty())
        AddCaption(diagram, caption, metrics, captionHeight);
    const DiagramColours colours = ExportDiagramColours();

    if (format == DiagramFormat::Svg)
        return QByteArray::fromStdString(TimingDiagramSvg(diagram, area, colours));
    QImage image(size, QImage::Format_RGB32);
    image.fill(colours.background);
    {
        QPainter painter(&image);
        painter.setFont(font);
        PaintTimingDiagram(painter, diagram, colours);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

SaveResult ExportTimingDiagram(const CKXC2280RegisterWizardDoc& doc, const std::string& path,
                               std::string_view fileName) {
    const std::optional<DiagramFormat> format = DiagramFormatForPath(path);
    if (!format) {
        const std::string reason = "the file name does not end in .svg or .png";
        return {false, "cannot write \"" + path + "\": " + reason, reason};
    }
    const QByteArray bytes = RenderTimingDiagram(LastTimingFigures(doc), doc.m_Contexts[0], *format,
                                                 DiagramCaption(doc, fileName));
    if (bytes.isEmpty()) {
        const std::string reason = "the picture could not be drawn";
        return {false, "cannot write \"" + path + "\": " + reason, reason};
    }
    return SaveFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
