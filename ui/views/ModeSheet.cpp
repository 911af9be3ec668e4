// The mode sheet: its texts from the document, its geometry on a page, and its painting.
#include "ModeSheet.h"

#include "TimingDiagramExport.h"
#include "TimingDiagramPainter.h"
#include "Version.h"
#include "WizardDoc.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <string_view>

namespace {

// Largest and smallest text size in points; a page that cannot hold the texts takes a smaller one.
constexpr int kLargestFontPt = 8;
constexpr int kSmallestFontPt = 5;
// The diagram is not drawn smaller than this share of its minimum size: an 8-point font gives
// labels of 5 points, the smallest a print keeps legible.
constexpr double kSmallestDiagramScale = 0.6;

// The lines of a report, without the empty ones at its end.
std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// Lays out blocks of lines from the top of the page down.
class SheetBuilder {
public:
    SheetBuilder(ModeSheetLayout& layout, DiagramSize page, const DiagramFont& font)
        : m_layout(layout), m_page(page), m_font(font),
          m_lh(std::ceil(std::max(font.lineHeight, 1.0))), m_gap(m_lh) {}

    double Width(std::string_view text) const {
        return m_font.textWidth ? std::ceil(std::max(m_font.textWidth(text), 0.0)) : 0.0;
    }
    double LineHeight() const { return m_lh; }
    double Top() const { return m_y; }

    void Text(SheetTextRole role, const std::string& text, double x, double y) {
        const double width = Width(text);
        m_layout.texts.push_back({role, text, {x, y, width, m_lh}});
        m_right = std::max(m_right, x + width);
    }

    void Heading(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            Text(SheetTextRole::Heading, line, 0, m_y);
            m_y += m_lh;
        }
        m_y += m_lh / 2;
        m_layout.rules.push_back({DiagramRole::Text, 0, m_y, m_page.width, m_y});
        m_y += m_lh / 2;
    }

    // Blocks side by side where the page is wide enough for all of them, else one under another.
    template <class Block>
    void Row(const std::vector<Block>& blocks, double (SheetBuilder::*width)(const Block&) const,
             double (SheetBuilder::*place)(const Block&, double, double)) {
        double total = 0;
        for (const Block& block : blocks)
            total += (this->*width)(block);
        total += m_gap * static_cast<double>(blocks.empty() ? 0 : blocks.size() - 1);
        const bool sideBySide = total <= m_page.width;
        double x = 0;
        double bottom = m_y;
        for (const Block& block : blocks) {
            const double blockBottom = (this->*place)(block, x, m_y);
            if (sideBySide) {
                x += (this->*width)(block) + m_gap;
                bottom = std::max(bottom, blockBottom);
            } else {
                m_y = blockBottom + m_lh / 2;
                bottom = m_y;
            }
        }
        m_y = bottom + m_lh / 2;
    }

    double ReportWidth(const std::vector<std::string>& lines) const {
        double width = 0;
        for (const std::string& line : lines)
            width = std::max(width, Width(line));
        return width;
    }
    double PlaceReport(const std::vector<std::string>& lines, double x, double y) {
        for (const std::string& line : lines) {
            Text(SheetTextRole::Report, line, x, y);
            y += m_lh;
        }
        return y;
    }

    // A column is as wide as its widest text and half a line on either side.
    std::vector<double> ColumnWidths(const RegisterListText& list) const {
        std::vector<double> widths;
        for (std::size_t c = 0; c < list.columns.size(); ++c) {
            double width = Width(list.columns[c]);
            for (const std::vector<std::string>& row : list.rows)
                width = std::max(width, c < row.size() ? Width(row[c]) : 0.0);
            widths.push_back(width + m_lh);
        }
        return widths;
    }
    using TitledList = std::pair<std::string, RegisterListText>;
    double ListWidth(const TitledList& list) const {
        const std::vector<double> widths = ColumnWidths(list.second);
        double width = 0;
        for (const double w : widths)
            width += w;
        return std::max(width, Width(list.first));
    }
    // The title, then the column titles and the rows in a grid.
    double PlaceList(const TitledList& list, double x, double y) {
        Text(SheetTextRole::ListTitle, list.first, x, y);
        y += m_lh;
        const std::vector<double> widths = ColumnWidths(list.second);
        double right = x;
        for (const double w : widths)
            right += w;
        const double gridTop = y;
        const auto row = [&](SheetTextRole role, const std::vector<std::string>& cells) {
            double cellX = x;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                if (c < cells.size())
                    Text(role, cells[c], cellX + m_lh / 2, y);
                cellX += widths[c];
            }
            y += m_lh;
            m_layout.rules.push_back({DiagramRole::Text, x, y, right, y});
        };
        m_layout.rules.push_back({DiagramRole::Text, x, y, right, y});
        row(SheetTextRole::ColumnTitle, list.second.columns);
        for (const std::vector<std::string>& cells : list.second.rows)
            row(SheetTextRole::Cell, cells);
        double lineX = x;
        for (std::size_t c = 0; c <= widths.size(); ++c) {
            m_layout.rules.push_back({DiagramRole::Text, lineX, gridTop, lineX, y});
            if (c < widths.size())
                lineX += widths[c];
        }
        return y;
    }

    bool TextsFit() const { return m_right <= m_page.width && m_y <= m_page.height; }

private:
    ModeSheetLayout& m_layout;
    DiagramSize m_page;
    const DiagramFont& m_font;
    double m_lh;
    double m_gap;
    double m_y = 0;
    double m_right = 0;
};

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The sheet font at size points, in a painter whose unit is the point.
QFont SheetFont(int sizePt) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(sizePt);
    // Unhinted outlines measure the same at every scale the printer applies.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void PaintModeSheet(QPainter& painter, const ModeSheetLayout& layout, const QFont& font) {
    const DiagramColours colours = ExportDiagramColours();
    painter.setPen(QPen(colours.text, 0.5));
    for (const DiagramLine& rule : layout.rules)
        painter.drawLine(QPointF(rule.x1, rule.y1), QPointF(rule.x2, rule.y2));
    QFont bold = font;
    bold.setBold(true);
    for (const SheetText& text : layout.texts) {
        const bool strong = text.role == SheetTextRole::Heading ||
                            text.role == SheetTextRole::ListTitle ||
                            text.role == SheetTextRole::ColumnTitle;
        painter.setFont(strong ? bold : font);
        painter.drawText(QRectF(text.rect.x, text.rect.y, text.rect.width, text.rect.height),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         FromUtf8(text.text));
    }
    painter.save();
    painter.translate(layout.diagramArea.x, layout.diagramArea.y);
    painter.scale(layout.diagramScale, layout.diagramScale);
    painter.setFont(font);
    PaintTimingDiagram(painter, layout.diagram, colours);
    painter.restore();
}

} // namespace

ModeSheet MakeModeSheet(const CKXC2280RegisterWizardDoc& doc, const std::string& name,
                        const std::string& date) {
    ModeSheet sheet;
    sheet.heading = {name,
                     "Printed " + date + " by " + std::string(kAppTitle) + ", " + GetVersionText(),
                     DiagramCaption(doc, {})};
    sheet.clockReport = LinesOf(doc.m_strClockReport);
    sheet.timingReport = LinesOf(doc.m_Contexts[0].m_strTimingReport);
    sheet.lists = {{"IFP Registers", RegisterListOf(doc.m_Registers, false)},
                   {"Driver Registers", RegisterListOf(doc.m_Registers, true)}};
    sheet.figures = LastTimingFigures(doc);
    sheet.request = doc.m_Contexts[0];
    return sheet;
}

ModeSheetLayout LayOutModeSheet(const ModeSheet& sheet, DiagramSize page, const DiagramFont& font) {
    ModeSheetLayout layout;
    SheetBuilder b(layout, page, font);
    b.Heading(sheet.heading);
    b.Row<std::vector<std::string>>({sheet.clockReport, sheet.timingReport},
                                    &SheetBuilder::ReportWidth, &SheetBuilder::PlaceReport);
    b.Row<SheetBuilder::TitledList>(sheet.lists, &SheetBuilder::ListWidth,
                                    &SheetBuilder::PlaceList);

    layout.diagramArea = {0, b.Top(), page.width, std::max(page.height - b.Top(), 0.0)};
    const DiagramSize minimum = MinimumDiagramSize(sheet.figures, sheet.request, font);
    layout.diagramScale = std::min({1.0, layout.diagramArea.width / std::max(minimum.width, 1.0),
                                    layout.diagramArea.height / std::max(minimum.height, 1.0)});
    const double scale = std::max(layout.diagramScale, 1e-3);
    layout.diagram = LayOutTimingDiagram(
        sheet.figures, sheet.request,
        {layout.diagramArea.width / scale, layout.diagramArea.height / scale}, font);
    layout.fits = b.TextsFit() && layout.diagramScale >= kSmallestDiagramScale &&
                  layout.diagram.state != DiagramState::TooSmall;
    return layout;
}

bool PrintModeSheets(QPagedPaintDevice& device, const std::vector<ModeSheet>& sheets) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's unit is the point, whatever the device's resolution.
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
    painter.setWindow(0, 0, qRound(page.width()), qRound(page.height()));
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        QFont font = SheetFont(kLargestFontPt);
        ModeSheetLayout layout;
        for (int size = kLargestFontPt; size >= kSmallestFontPt; --size) {
            font = SheetFont(size);
            layout =
                LayOutModeSheet(sheets[i], {page.width(), page.height()}, DiagramFontFor(font));
            if (layout.fits)
                break;
        }
        PaintModeSheet(painter, layout, font);
    }
    return painter.end();
}

QByteArray ModeSheetsPdf(const std::vector<ModeSheet>& sheets, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        if (!PrintModeSheets(pdf, sheets))
            return {};
    }
    return bytes;
}
