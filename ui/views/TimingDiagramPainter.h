// Drawing the timing diagram's shapes, lines and labels with a QPainter, in palette-based colours.
#pragma once

#include "TimingDiagram.h"

#include <QColor>

class QFont;
class QPainter;
class QPaintDevice;
class QPalette;

// The colour of every role. Fills mix colour-blind safe hues (blue, orange, reddish purple,
// vermillion, bluish green) into the background, so they keep their contrast in dark and light
// themes; texts and lines take the palette's text colour.
struct DiagramColours {
    QColor background;
    QColor text;
    QColor dimension;
    QColor warning;
    QColor active;
    QColor hBlank;
    QColor vBlank;
    QColor extraDelay;
    QColor strip;
    QColor flicker50;
    QColor flicker60;
    QColor integration;

    // The fill of a shape role, or the pen of a line role.
    QColor Of(DiagramRole role) const;
};

// Colours on the palette's base (the background of text entry and lists) and its text colour.
DiagramColours DiagramColoursFor(const QPalette& palette);

// Text measuring of font on device (the screen when none), for the layout.
DiagramFont DiagramFontFor(const QFont& font, const QPaintDevice* device = nullptr);

// Draws diagram with the painter's font, which must be the font the layout was measured with. The
// background is left to the caller.
void PaintTimingDiagram(QPainter& painter, const TimingDiagram& diagram,
                        const DiagramColours& colours);
