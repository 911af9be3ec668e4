// Common-controls style: a proxy of the application's style that draws group-box frames, the
// extension arrows and the focus frame of lists and text panes in code.
#include "CommonControls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

constexpr int kGroupBoxTopMargin = 3; // pixels between the title and the frame
constexpr int kArrowIconSize = 16;    // pixels
constexpr int kFocusFrameWidth = 2;   // pixels

class CCommonControlsStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // The frame runs below the title, as the base style places it.
        const int titleHeight =
            qMax(proxy()->pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                 option->fontMetrics.height());
        const QRect frame = option->rect.adjusted(0, titleHeight + kGroupBoxTopMargin, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(option->palette.color(QPalette::Light));
        painter->drawRect(frame.translated(1, 1));
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->drawRect(frame);
        painter->restore();
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        // Lists, trees and text panes that Tab reaches show the focus on their frame, as edits,
        // buttons and boxes do on their own.
        const auto* pane = qobject_cast<const QAbstractScrollArea*>(widget);
        if (element != CE_ShapedFrame || pane == nullptr || !(option->state & State_HasFocus) ||
            (pane->focusPolicy() & Qt::TabFocus) == 0)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(option->palette.color(QPalette::Highlight));
        for (int inset = 0; inset < kFocusFrameWidth; ++inset)
            painter->drawRect(option->rect.adjusted(inset, inset, -1 - inset, -1 - inset));
        painter->restore();
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon != SP_ToolBarHorizontalExtensionButton &&
            icon != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        // Two chevrons pointing where the hidden items are.
        QPixmap image(kArrowIconSize, kArrowIconSize);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1));
        if (icon == SP_ToolBarVerticalExtensionButton) {
            painter.translate(kArrowIconSize, 0);
            painter.rotate(90);
        }
        for (const int x : {4, 8}) {
            painter.drawLine(x, 4, x + 3, 7);
            painter.drawLine(x + 3, 8, x, 11);
        }
        painter.end();
        return QIcon(image);
    }
};

} // namespace

void InitCommonControls() {
    if (dynamic_cast<CCommonControlsStyle*>(QApplication::style()) != nullptr)
        return;
    QApplication::setStyle(new CCommonControlsStyle(QApplication::style()->name()));
}
