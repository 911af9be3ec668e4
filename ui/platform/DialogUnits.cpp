// Dialog font measurement and the dialog-unit conversion.
#include "DialogUnits.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
// The letters whose average width is the dialog font's character width.
const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
} // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t num = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    // Round half away from zero, whatever the signs.
    const std::int64_t q = ((num < 0) != (c < 0)) ? -((std::llabs(num) + half) / std::llabs(c))
                                                  : (std::llabs(num) + half) / std::llabs(c);
    if (q > INT32_MAX || q < INT32_MIN)
        return -1;
    return static_cast<int>(q);
}

DialogBaseUnits BaseUnitsFromFontMeasure(int alphabetWidthPx, int fontHeightPx) {
    return {(alphabetWidthPx / 26 + 1) / 2, fontHeightPx};
}

QRect DialogUnitsToPixels(const DlgRect& rect, DialogBaseUnits base) {
    return {MulDiv(rect.x, base.cx, 4), MulDiv(rect.y, base.cy, 8), MulDiv(rect.cx, base.cx, 4),
            MulDiv(rect.cy, base.cy, 8)};
}

int StretchForTemplateProportion(int alphabetWidthPx, int fontHeightPx) {
    // The widest average width the proportion allows, over 52 letters, against the measured one.
    const std::int64_t allowed =
        std::int64_t{100} * 52 * kTemplateBaseUnits.cx * std::max(fontHeightPx, 0);
    const std::int64_t measured = std::int64_t{kTemplateBaseUnits.cy} * alphabetWidthPx;
    if (measured <= 0 || allowed >= std::int64_t{100} * measured)
        return 100;
    return static_cast<int>(std::max<std::int64_t>(allowed / measured, 50));
}

QFont DialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    // Measured once per application font: shaping the alphabet for every control would cost.
    static QString measuredKey;
    static int stretch = 100;
    if (measuredKey != font.key() || measuredKey.isEmpty()) {
        const QFontMetrics metrics(font);
        stretch =
            StretchForTemplateProportion(metrics.horizontalAdvance(kAlphabet), metrics.height());
        measuredKey = font.key();
    }
    font.setStretch(stretch);
    return font;
}

namespace {

bool MeasuresFixed(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
           metrics.horizontalAdvance(QLatin1Char('W'));
}

} // namespace

QFont FixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (MeasuresFixed(font))
        return font;
    // Some monospaced families (Noto Sans Mono) do not declare their pitch: each one is measured.
    for (const QString& family : QFontDatabase::families()) {
        QFont candidate = font;
        candidate.setFamilies({family});
        if (MeasuresFixed(candidate))
            return candidate;
    }
    return font;
}

DialogBaseUnits DialogFontBaseUnits(const QFont& font) {
    // Every form and dialog measures the same dialog font: shape the alphabet once per font.
    static QString measuredKey;
    static DialogBaseUnits measured;
    if (measuredKey != font.key() || measuredKey.isEmpty()) {
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(kAlphabet);
        measured = BaseUnitsFromFontMeasure(width, metrics.height());
        measuredKey = font.key();
    }
    return measured;
}
