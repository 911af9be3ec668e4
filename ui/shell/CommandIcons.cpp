// Simple line drawings for the toolbar commands, in the palette's text colour.
#include "CommandIcons.h"

#include "ShellIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr QSize kIconSize(16, 15);

void DrawPage(QPainter& p, int x, int y) {
    p.drawPolygon(QPolygon({{x, y}, {x + 6, y}, {x + 9, y + 3}, {x + 9, y + 12}, {x, y + 12}}));
    p.drawPolyline(QPolygon({{x + 6, y}, {x + 6, y + 3}, {x + 9, y + 3}}));
}

void Draw(QPainter& p, int id) {
    switch (id) {
    case ID_FILE_NEW:
        p.setBrush(Qt::white);
        DrawPage(p, 3, 1);
        break;
    case ID_FILE_OPEN:
        p.setBrush(QColor(0xE8, 0xC8, 0x60));
        p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {7, 5}, {13, 5}, {13, 12}, {1, 12}}));
        p.drawPolygon(QPolygon({{3, 7}, {15, 7}, {13, 12}, {1, 12}}));
        break;
    case ID_FILE_SAVE:
        p.setBrush(QColor(0x50, 0x70, 0xB0));
        p.drawRect(1, 1, 13, 12);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);
        p.drawRect(4, 9, 7, 4);
        break;
    case ID_EDIT_CUT:
        p.drawLine(4, 1, 10, 9);
        p.drawLine(11, 1, 5, 9);
        p.drawEllipse(1, 9, 4, 4);
        p.drawEllipse(10, 9, 4, 4);
        break;
    case ID_EDIT_COPY:
        p.setBrush(Qt::white);
        DrawPage(p, 1, 0);
        DrawPage(p, 6, 2);
        break;
    case ID_EDIT_PASTE:
        p.setBrush(QColor(0xC0, 0x90, 0x50));
        p.drawRect(1, 2, 10, 12);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 4, 2);
        DrawPage(p, 6, 2);
        break;
    case ID_FILE_PRINT:
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(1, 6, 13, 5);
        p.setBrush(Qt::white);
        p.drawRect(4, 9, 7, 5);
        break;
    case ID_FILE_SET_DEFAULTS: {
        // A circular arrow: start again from the defaults.
        QPainterPath arrow;
        arrow.arcMoveTo(2, 2, 11, 11, 60);
        arrow.arcTo(2, 2, 11, 11, 60, 280);
        p.drawPath(arrow);
        p.setBrush(p.pen().color());
        p.drawPolygon(QPolygon({{9, 0}, {13, 3}, {9, 6}}));
        break;
    }
    case ID_APP_ABOUT:
        p.setBrush(QColor(0x40, 0x80, 0xD0));
        p.drawEllipse(1, 0, 13, 13);
        p.setPen(QPen(Qt::white, 2));
        p.drawPoint(8, 4);
        p.drawLine(8, 7, 8, 11);
        break;
    default:
        break;
    }
}

} // namespace

QIcon CommandIcon(int commandId) {
    switch (commandId) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_FILE_PRINT:
    case ID_FILE_SET_DEFAULTS:
    case ID_APP_ABOUT:
        break;
    default:
        return {};
    }
    QPixmap image(kIconSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    Draw(painter, commandId);
    painter.end();
    return QIcon(image);
}
