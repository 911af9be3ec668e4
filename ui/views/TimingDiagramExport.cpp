// Rendering the timing diagram into SVG (QSvgGenerator) or PNG (QImage) bytes and saving them.
#include "TimingDiagramExport.h"

#include "TimingDiagram.h"
#include "TimingDiagramPainter.h"
#include "WizardDoc.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Room for the frame beside its labels; a larger minimum from long labels wins.
constexpr int kExportWidth = 1000;
constexpr int kExportHeight = 760;

// A pixel-sized font measures and draws the same on every device, screen, SVG or image.
QFont ExportFont() {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    return font;
}

// Black on white whatever the desktop's theme, so an exported file looks the same everywhere.
QPalette ExportPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
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

QByteArray RenderTimingDiagram(const TimingFigures& t, const CImageContext& request,
                               DiagramFormat format) {
    const QFont font = ExportFont();
    const DiagramFont metrics = DiagramFontFor(font);
    const DiagramSize minimum = MinimumDiagramSize(t, request, metrics);
    const QSize size(std::max(kExportWidth, static_cast<int>(std::ceil(minimum.width))),
                     std::max(kExportHeight, static_cast<int>(std::ceil(minimum.height))));
    const TimingDiagram diagram = LayOutTimingDiagram(
        t, request, {static_cast<double>(size.width()), static_cast<double>(size.height())},
        metrics);
    const DiagramColours colours = DiagramColoursFor(ExportPalette());

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == DiagramFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setResolution(96); // CSS pixels: the file's size reads as the picture's pixels
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Timing Diagram"));
        svg.setDescription(QStringLiteral("Frame timing of the QX7R310 image request"));
        QPainter painter(&svg);
        painter.setFont(font);
        painter.fillRect(QRect(QPoint(0, 0), size), colours.background);
        PaintTimingDiagram(painter, diagram, colours);
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colours.background);
        {
            QPainter painter(&image);
            painter.setFont(font);
            PaintTimingDiagram(painter, diagram, colours);
        }
        image.save(&buffer, "PNG");
    }
    return bytes;
}

SaveResult ExportTimingDiagram(const CKXC2280RegisterWizardDoc& doc, const std::string& path) {
    const std::optional<DiagramFormat> format = DiagramFormatForPath(path);
    if (!format) {
        const std::string reason = "the file name does not end in .svg or .png";
        return {false, "cannot write \"" + path + "\": " + reason, reason};
    }
    const QByteArray bytes =
        RenderTimingDiagram(LastTimingFigures(doc), doc.m_Contexts[0], *format);
    if (bytes.isEmpty()) {
        const std::string reason = "the picture could not be drawn";
        return {false, "cannot write \"" + path + "\": " + reason, reason};
    }
    return SaveFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
