// The timing diagram drawn with a QPainter: colours from the palette, fills, lines, then labels.
#include "TimingDiagramPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace {

// Hues of the Okabe-Ito set, told apart with every common colour vision deficiency.
constexpr QRgb kBlue = 0x0072B2;
constexpr QRgb kOrange = 0xE69F00;
constexpr QRgb kReddishPurple = 0xCC79A7;
constexpr QRgb kVermillion = 0xD55E00;
constexpr QRgb kBluishGreen = 0x009E73;
constexpr QRgb kSkyBlue = 0x56B4E9;

// share of b mixed into a.
QColor Mix(const QColor& a, const QColor& b, double share) {
    auto channel = [share](int x, int y) {
        return static_cast<int>(std::lround(x * (1 - share) + y * share));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

bool IsDark(const QColor& background) {
    return background.lightness() < 128;
}

} // namespace

QColor DiagramColours::Of(DiagramRole role) const {
    switch (role) {
    case DiagramRole::ActiveArea:
        return active;
    case DiagramRole::HBlankBand:
        return hBlank;
    case DiagramRole::VBlankBand:
        return vBlank;
    case DiagramRole::ExtraDelayBand:
        return extraDelay;
    case DiagramRole::FlickerStrip:
        return strip;
    case DiagramRole::Flicker50:
        return flicker50;
    case DiagramRole::Flicker60:
        return flicker60;
    case DiagramRole::IntegrationBar:
        return integration;
    case DiagramRole::Dimension:
        return dimension;
    case DiagramRole::Warning:
        return warning;
    case DiagramRole::FrameOutline:
    case DiagramRole::TimeAxis:
    case DiagramRole::Text:
    case DiagramRole::Heading:
        return text;
    }
    return text;
}

DiagramColours DiagramColoursFor(const QPalette& palette) {
    DiagramColours c;
    c.background = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    const bool dark = IsDark(c.background);
    auto fill = [&c](QRgb hue) { return Mix(QColor(hue), c.background, 0.25); };
    c.active = fill(kBlue);
    c.hBlank = fill(kOrange);
    c.vBlank = fill(kReddishPurple);
    c.extraDelay = fill(kVermillion);
    c.integration = QColor(kBluishGreen);
    // Ticks stay full strength: they are thin.
    c.flicker50 = QColor(kVermillion);
    c.flicker60 = QColor(dark ? kSkyBlue : kBlue);
    c.strip = Mix(c.background, c.text, 0.08);
    c.dimension = Mix(c.text, c.background, 0.35);
    // Warnings in vermillion, lightened on a dark background and darkened on a light one so the
    // text keeps its contrast; the words themselves say it is a warning.
    c.warning =
        dark ? Mix(QColor(kVermillion), Qt::white, 0.3) : Mix(QColor(kVermillion), Qt::black, 0.2);
    return c;
}

DiagramFont DiagramFontFor(const QFont& font, const QPaintDevice* device) {
    const QFontMetricsF metrics =
        device != nullptr ? QFontMetricsF(font, device) : QFontMetricsF(font);
    return {std::ceil(metrics.lineSpacing()), [metrics](std::string_view text) {
                return metrics.horizontalAdvance(
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            }};
}

void PaintTimingDiagram(QPainter& painter, const TimingDiagram& diagram,
                        const DiagramColours& colours) {
    painter.save();
    // Every edge lies on whole pixels: crisp without antialiasing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DiagramShape& shape : diagram.shapes) {
        const QRectF rect(shape.rect.x, shape.rect.y, shape.rect.width, shape.rect.height);
        if (shape.role == DiagramRole::FrameOutline) {
            painter.setPen(QPen(colours.text, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        } else {
            painter.fillRect(rect, colours.Of(shape.role));
        }
    }
    for (const DiagramLine& line : diagram.lines) {
        const bool tick =
            line.role == DiagramRole::Flicker50 || line.role == DiagramRole::Flicker60;
        painter.setPen(QPen(colours.Of(line.role), tick ? 2 : 1, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    for (const DiagramLabel& label : diagram.labels) {
        painter.setPen(colours.Of(label.role));
        painter.drawText(
            QRectF(label.rect.x, label.rect.y, label.rect.width, label.rect.height),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
            QString::fromUtf8(label.text.data(), static_cast<qsizetype>(label.text.size())));
    }
    painter.restore();
}
