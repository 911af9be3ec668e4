// The timing diagram page and its SVG and PNG export: labels, ticks, colours, bad names, messages;
// the printed mode sheet's geometry.
#include "TimingDiagramView.h"
#include "ModeSheet.h"
#include "Parameters.h"
#include "TimingDiagramExport.h"
#include "ViewHost.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace {

// A document at the forms' defaults after its timing run: 640 by 480 at 30 fps on 44 MHz.
struct DefaultDocument : CKXC2280RegisterWizardDoc {
    DefaultDocument() {
        ApplyImageFormDefaults(m_Contexts[0]);
        OnNewDocument();
        ComputeTiming(false);
    }
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The size of an SVG, the texts of its text elements, how many lines each stroke colour draws
// and how many rectangles each fill colour fills.
struct SvgContent {
    QString width, height;
    QStringList texts;
    std::map<QString, int> linesByStroke;
    std::map<QString, int> rectsByFill;
};

SvgContent ReadSvg(const QByteArray& bytes) {
    SvgContent content;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            content.width = attributes.value(QLatin1String("width")).toString();
            content.height = attributes.value(QLatin1String("height")).toString();
        } else if (xml.name() == QLatin1String("line")) {
            ++content.linesByStroke[attributes.value(QLatin1String("stroke")).toString()];
        } else if (xml.name() == QLatin1String("rect")) {
            ++content.rectsByFill[attributes.value(QLatin1String("fill")).toString()];
        } else if (xml.name() == QLatin1String("text")) {
            content.texts << xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return content;
}

bool HasWord(const QStringList& texts, const QString& word) {
    for (const QString& text : texts) {
        if (text.split(QLatin1Char(' ')).contains(word))
            return true;
    }
    return false;
}

TEST(TimingDiagramExport, SvgOfTheDefaultsHoldsTheLabelsAndTheFlickerTicks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("defaults.svg"));
    const SaveResult saved = ExportTimingDiagram(DefaultDocument(), path.toStdString());
    ASSERT_TRUE(saved) << saved.message;
    const SvgContent svg = ReadSvg(ReadFile(path));
    for (const char* word : {"648", "78", "488", "17", "30.003", "726", "505", "36"})
        EXPECT_TRUE(HasWord(svg.texts, QString::fromLatin1(word))) << word;
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("648 active")));
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("Frame rate: 30.003 fps")));
    // 505 rows hold three 50 Hz periods of 151.52 rows and three 60 Hz ones of 126.26 rows.
    EXPECT_EQ(svg.linesByStroke.at(QStringLiteral("#d55e00")), 3);
    EXPECT_EQ(svg.linesByStroke.at(QStringLiteral("#0072b2")), 3);
    EXPECT_EQ(svg.width, QStringLiteral("1000"));
    EXPECT_EQ(svg.height, QStringLiteral("760"));
    // The white background, and one active area in blue 0072B2 with a quarter of white mixed in.
    EXPECT_EQ(svg.rectsByFill.at(QStringLiteral("#ffffff")), 1);
    EXPECT_EQ(svg.rectsByFill.at(QStringLiteral("#4095c5")), 1);
}

TEST(TimingDiagramExport, PngHasTheActiveAreasColourAtItsCentre) {
    QTemporaryDir dir;
    // The extension is matched in any case.
    const QString path = dir.filePath(QStringLiteral("defaults.PNG"));
    ASSERT_TRUE(ExportTimingDiagram(DefaultDocument(), path.toStdString()));
    QImage image;
    ASSERT_TRUE(image.loadFromData(ReadFile(path), "PNG"));
    EXPECT_EQ(image.size(), QSize(1000, 760));
    // Blue 0072B2 with a quarter of the white background mixed in.
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(0x40, 0x95, 0xC5));
}

TEST(TimingDiagramExport, SameFiguresGiveTheSameBytes) {
    DefaultDocument doc;
    const TimingFigures t = LastTimingFigures(doc);
    for (const DiagramFormat format : {DiagramFormat::Svg, DiagramFormat::Png}) {
        const QByteArray first = RenderTimingDiagram(t, doc.m_Contexts[0], format);
        EXPECT_FALSE(first.isEmpty());
        EXPECT_EQ(RenderTimingDiagram(t, doc.m_Contexts[0], format), first);
    }
}

struct BadTarget {
    const char* name;
    const char* reason; // empty where the system's error text says why

    friend std::ostream& operator<<(std::ostream& out, const BadTarget& c) { return out << c.name; }
};

class TimingDiagramExportFailure : public testing::TestWithParam<BadTarget> {};

TEST_P(TimingDiagramExportFailure, WritesNothingAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(GetParam().name));
    const SaveResult saved = ExportTimingDiagram(DefaultDocument(), path.toStdString());
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.reason.empty());
    EXPECT_NE(saved.reason.find(GetParam().reason), std::string::npos) << saved.reason;
    EXPECT_NE(saved.message.find(path.toStdString()), std::string::npos) << saved.message;
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, TimingDiagramExportFailure,
    testing::Values(BadTarget{"diagram.jpg", "the file name does not end in .svg or .png"},
                    BadTarget{"diagram", "the file name does not end in .svg or .png"},
                    BadTarget{"diagram.svg.txt", "the file name does not end in .svg or .png"},
                    BadTarget{"missing/diagram.svg", ""}));

TEST(TimingDiagramView, TakesTheFiguresOnlyWhenATimingRunIsAnnounced) {
    PumpEvents();
    CViewHost<CTimingDiagramView> host;
    ASSERT_TRUE(host.Start());
    // The document as constructed asks for 0 fps: nothing to draw but the reason.
    EXPECT_FALSE(host.view->Figures().valid);
    EXPECT_EQ(host.view->Diagram().state, DiagramState::NotAvailable);

    ApplyImageFormDefaults(host.doc.m_Contexts[0]);
    host.doc.m_Contexts[0].m_dFrameRate = 15.0;
    host.doc.ComputeTiming(false);
    host.view->repaint();
    EXPECT_FALSE(host.view->Figures().valid) << "painting only draws";

    EXPECT_TRUE(SendWizardMessage(host.view, WM_WIZ_TIMING_CHANGED));
    EXPECT_EQ(host.view->Figures().frameLength, 1010);
    const TimingDiagram& diagram = host.view->Diagram();
    ASSERT_EQ(diagram.state, DiagramState::Frame);
    EXPECT_TRUE(std::any_of(diagram.labels.begin(), diagram.labels.end(),
                            [](const DiagramLabel& label) { return label.text == "1010 rows"; }));
    EXPECT_FALSE(host.view->accessibleDescription().isEmpty());
}

// Pages in points without margins: A4 and Letter upright and on their side, and a label.
struct SheetPage {
    const char* name;
    DiagramSize size;
    bool fits; // the sheet is legible on it at an 8-point font
};

TEST(ModeSheet, TextsStayOnThePageApartAndAboveTheDiagram) {
    const DefaultDocument doc;
    const ModeSheet sheet = MakeModeSheet(doc, "camera.ini", "2026-05-12");
    // An 8-point fixed-pitch font: 0.6 em across, lines 10 points apart.
    const DiagramFont font{10.0, [](std::string_view text) { return 4.8 * double(text.size()); }};
    for (const SheetPage& page :
         {SheetPage{"A4", {571, 818}, true}, SheetPage{"Letter", {588, 768}, true},
          SheetPage{"A4 landscape", {818, 571}, true}, SheetPage{"label", {200, 300}, false}}) {
        SCOPED_TRACE(page.name);
        const ModeSheetLayout layout = LayOutModeSheet(sheet, page.size, font);
        EXPECT_EQ(layout.fits, page.fits) << "diagram scale " << layout.diagramScale;
        if (!layout.fits)
            continue;
        const auto within = [&page](const DiagramRect& r) {
            return r.x >= 0 && r.y >= 0 && r.Right() <= page.size.width &&
                   r.Bottom() <= page.size.height;
        };
        for (std::size_t i = 0; i < layout.texts.size(); ++i) {
            const DiagramRect& a = layout.texts[i].rect;
            EXPECT_TRUE(within(a)) << layout.texts[i].text;
            EXPECT_LE(a.Bottom(), layout.diagramArea.y) << layout.texts[i].text;
            for (std::size_t j = i + 1; j < layout.texts.size(); ++j) {
                const DiagramRect& b = layout.texts[j].rect;
                const bool apart =
                    a.Right() <= b.x || b.Right() <= a.x || a.Bottom() <= b.y || b.Bottom() <= a.y;
                EXPECT_TRUE(apart) << layout.texts[i].text << " / " << layout.texts[j].text;
            }
        }
        EXPECT_TRUE(within(layout.diagramArea));
        EXPECT_EQ(layout.diagram.state, DiagramState::Frame);
        EXPECT_GE(layout.diagramScale, 0.4);
        EXPECT_LE(layout.diagramScale, 1.0);
    }
    // The A4 page names the file first and carries the reports and both lists.
    const ModeSheetLayout a4 = LayOutModeSheet(sheet, {571, 818}, font);
    ASSERT_FALSE(a4.texts.empty());
    EXPECT_EQ(a4.texts.front().text, "camera.ini");
    const auto has = [&a4](SheetTextRole role, const std::string& text) {
        return std::any_of(a4.texts.begin(), a4.texts.end(),
                           [&](const SheetText& t) { return t.role == role && t.text == text; });
    };
    EXPECT_TRUE(has(SheetTextRole::Report, "Frames per Sec: 30.003 fps"));
    EXPECT_TRUE(has(SheetTextRole::Report, "Fvco = 528 MHz"));
    EXPECT_TRUE(has(SheetTextRole::ListTitle, "Driver Registers"));
    EXPECT_TRUE(has(SheetTextRole::ColumnTitle, "Value (hex)"));
    EXPECT_TRUE(has(SheetTextRole::Cell, "0x300A"));
    EXPECT_TRUE(has(SheetTextRole::Cell, "frame_length_lines"));
}

} // namespace
