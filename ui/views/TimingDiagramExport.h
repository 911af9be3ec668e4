// The timing diagram as an SVG or PNG file, for File > Export Timing Diagram and the command line.
#pragma once

#include "AtomicSave.h"
#include "TimingCalc.h"
#include "TimingDiagramPainter.h"

#include <QByteArray>
#include <optional>
#include <string>
#include <string_view>

class CKXC2280RegisterWizardDoc;

enum class DiagramFormat { Svg, Png };

// The format a file name asks for by its extension (".svg" or ".png", in any case); none for any
// other name.
std::optional<DiagramFormat> DiagramFormatForPath(std::string_view path);

// The diagram of the figures computed for request under a caption line, on a light background
// with a fixed font, at a size that holds every label. The same figures and caption give the same
// bytes; the SVG's are the same on every platform.
QByteArray RenderTimingDiagram(const TimingFigures& t, const CImageContext& request,
                               DiagramFormat format, const std::string& caption = {});

// Black on white whatever the desktop's theme, so an exported or printed diagram looks the same
// everywhere.
DiagramColours ExportDiagramColours();

// Writes the diagram of the document's last timing run, captioned with DiagramCaption of fileName
// (the settings file's name, or empty), to path (file name bytes as the system takes them) whole
// or not at all, in the format its extension names. A name without ".svg" or
// ".png" writes nothing and says so. Like RenderTimingDiagram it needs a QGuiApplication for the
// fonts; the offscreen platform serves where no display is.
[[nodiscard]] SaveResult ExportTimingDiagram(const CKXC2280RegisterWizardDoc& doc,
                                             const std::string& path,
                                             std::string_view fileName = {});
