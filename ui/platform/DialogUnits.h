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

// The forms were drawn for a dialog font whose average character is 6 by 13 pixels; the default
// window size was chosen for forms of that font.
inline constexpr DialogBaseUnits kTemplateBaseUnits{6, 13};

// The stretch in percent (50 to 100) that narrows a font whose average character, measured as
// BaseUnitsFromFontMeasure does, is wider than kTemplateBaseUnits' proportion of its height; 100
// for a font that is not wider. Rounded down, so the narrowed text never needs more room than the
// forms give it.
int StretchForTemplateProportion(int alphabetWidthPx, int fontHeightPx);

// The font of every form: the application's default family at 8 points, narrowed to the
// templates' proportion. The base units measured from it keep the forms' proportions and their
// size relative to the window, and grow with the font.
QFont DialogFont();

// A fixed-pitch font as measured ('i' as wide as 'W'): the system's fixed font, or, where its
// family is missing and the font matcher gave a proportional one in its place (Wine without the
// Windows fonts), the first installed family that measures fixed.
QFont FixedPitchFont();

// Base units of font as the form measures it.
DialogBaseUnits DialogFontBaseUnits(const QFont& font);
