// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "state_icons.h"

#include "program_icon.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

QPixmap StatePicture(ItemState state) {
    QPixmap picture(16, 16);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    switch (state) {
    case ItemState::Waiting:
        painter.fillRect(2, 2, 12, 12, QColor(0x00, 0x80, 0x80));
        painter.fillRect(4, 4, 8, 8, QColor(0x00, 0xFF, 0x00));
        break;
    case ItemState::Processing: {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 1.5));
        painter.setBrush(QColor(0x00, 0xFF, 0x00));
        painter.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(14, 8), QPointF(3.5, 14.5)}));
        break;
    }
    case ItemState::Processed: {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(
            QPen(QColor(0xFF, 0x00, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6, 12.5);
        tick.lineTo(13.5, 2.5);
        painter.drawPath(tick);
        break;
    }
    case ItemState::Failed:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xFF, 0x00, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case ItemState::KeptBack:
        // A pause: left alone for now, taken again by the next batch.
        painter.fillRect(3, 2, 4, 12, QColor(0x80, 0x60, 0x00));
        painter.fillRect(9, 2, 4, 12, QColor(0x80, 0x60, 0x00));
        painter.fillRect(4, 3, 2, 10, QColor(0xFF, 0xC0, 0x00));
        painter.fillRect(10, 3, 2, 10, QColor(0xFF, 0xC0, 0x00));
        break;
    }
    return picture;
}

QString StatePictureHtml(ItemState state) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    StatePicture(state).save(&buffer, "PNG");
    return QString("<img src=\"data:image/png;base64,%1\">")
        .arg(QString::fromLatin1(png.toBase64()));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    return icon;
}
