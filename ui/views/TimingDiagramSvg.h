// The timing diagram's layout written as SVG text, the same bytes on every platform.
#pragma once

#include "TimingDiagram.h"
#include "TimingDiagramPainter.h"

#include <string>

// Text measured by a fixed rule instead of a platform's fonts: every character of a label is as
// wide as one of a monospaced 13-pixel font (0.6 em), and a line is 16 pixels high. The SVG asks
// for exactly these widths (textLength), so a viewer's own font cannot make labels overlap.
DiagramFont SvgDiagramFont();

// diagram, laid out with SvgDiagramFont() in an area of size, as a standalone SVG document on the
// background colour. Numbers are written without the process locale; the same diagram gives the
// same text.
std::string TimingDiagramSvg(const TimingDiagram& diagram, DiagramSize size,
                             const DiagramColours& colours);
