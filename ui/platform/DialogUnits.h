// Dialog units to pixels: the dialog font's average character size scales every control rectangle.
#pragma once

#include <QFont>
#include <QRect>

// A rectangle in dialog units: left, top, width, height.
struct DlgRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// The dialog font's average character width and height in pixels; one horizontal dialog unit is
// a quarter of the width, one vertical unit an eighth of the height.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const DialogBaseUnits&, const DialogBaseUnits&) = default;
};

// a * b / c rounded half away from zero; c == 0 or a result outside int gives -1.
int MulDiv(int a, int b, int c);

// Base units from the pixel width of "A".."Z" followed by "a".."z" and the font's line height:
// the average width is that width over 52, rounded to nearest.
DialogBaseUnits BaseUnitsFromFontMeasure(int alphabetWidthPx, int fontHeightPx);

// Dialog units to pixels with the given base units.
QRect DialogUnitsToPixels(const DlgRect& rect, DialogBaseUnits base);

// The font of every form: the application's default family at 8 points.
QFont DialogFont();

// A fixed-pitch font as measured ('i' as wide as 'W'): the system's fixed font, or, where its
// family is missing and the font matcher gave a proportional one in its place (Wine without the
// Windows fonts), the first installed family that measures fixed.
QFont FixedPitchFont();

// Base units of font as the form measures it.
DialogBaseUnits DialogFontBaseUnits(const QFont& font);
