// A printed page of one mode: heading, clock and timing reports, both register lists and the
// timing diagram, laid out as rectangles on the page before anything is painted.
#pragma once

#include "RegOutView.h"
#include "TimingDiagram.h"

#include <string>
#include <vector>

class CKXC2280RegisterWizardDoc;
class QPagedPaintDevice;
class QPainter;

// What one page shows.
struct ModeSheet {
    std::vector<std::string> heading; // the name, the date and version line, the diagram caption
    std::vector<std::string> clockReport;
    std::vector<std::string> timingReport;
    std::vector<std::pair<std::string, RegisterListText>> lists; // title and list
    TimingFigures figures;
    CImageContext request;
};

// The sheet of the document's current mode. name is the settings file's or the mode's name
// ("Untitled" for a document without a file), date the day it is printed ("2026-05-12").
ModeSheet MakeModeSheet(const CKXC2280RegisterWizardDoc& doc, const std::string& name,
                        const std::string& date);

enum class SheetTextRole { Heading, Report, ListTitle, ColumnTitle, Cell };

// One line of text, drawn from the left edge of rect and centred vertically in it.
struct SheetText {
    SheetTextRole role;
    std::string text;
    DiagramRect rect;
};

struct ModeSheetLayout {
    bool fits = false; // every text lies on the page and the diagram has room for its labels
    std::vector<SheetText> texts;
    std::vector<DiagramLine> rules; // under the heading and the lists' grid
    DiagramRect diagramArea;        // where the diagram is drawn on the page
    double diagramScale = 1.0;      // page units per diagram unit, at most 1
    TimingDiagram diagram;          // laid out in diagramArea's size over diagramScale
};

// The sheet on a page of size (the printable area, in the font's units): heading at the top, the
// two reports side by side where they fit (else one under the other), then the register lists the
// same way, and the diagram in the rest of the page, scaled down where the rest is smaller than
// the diagram's minimum size.
ModeSheetLayout LayOutModeSheet(const ModeSheet& sheet, DiagramSize page, const DiagramFont& font);

// Prints one page per sheet on device (a printer or a PDF writer), black on white, in a fixed-pitch
// font as large as 8 points where the page holds it. False when the device could not be painted.
bool PrintModeSheets(QPagedPaintDevice& device, const std::vector<ModeSheet>& sheets);

// The sheets as a PDF document with title, one A4 page per sheet; empty when it could not be made.
QByteArray ModeSheetsPdf(const std::vector<ModeSheet>& sheets, const QString& title);
