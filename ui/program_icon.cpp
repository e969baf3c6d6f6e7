// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program_icon.h"

#include <QList>
#include <QPainter>
#include <QPolygonF>

std::vector<IconShape> ProgramIconShapes() {
    const QColor teal(0x00, 0x80, 0x80), white(0xFF, 0xFF, 0xFF), green(0x00, 0xFF, 0x00);
    return {
        {IconShape::Kind::RoundedSquare, teal, {{0, 0}, {4, 4}}},
        {IconShape::Kind::Ellipse, white, {{10.5, 21}, {4.5, 3.2}}},
        {IconShape::Kind::Polygon,
         white,
         {{13, 6}, {21, 6}, {18.5, 9.5}, {15, 9.5}, {15, 21}, {13, 21}}},
        {IconShape::Kind::Polygon,
         green,
         {{17, 22}, {24, 22}, {24, 18}, {30.5, 24.5}, {24, 31}, {24, 27}, {17, 27}}},
    };
}

QPainterPath IconShapePath(const IconShape& shape) {
    QPainterPath path;
    switch (shape.kind) {
    case IconShape::Kind::RoundedSquare:
        path.addRoundedRect(QRectF(shape.points[0], QSizeF(kIconGrid, kIconGrid)),
                            shape.points[1].x(), shape.points[1].y());
        break;
    case IconShape::Kind::Ellipse:
        path.addEllipse(shape.points[0], shape.points[1].x(), shape.points[1].y());
        break;
    case IconShape::Kind::Polygon:
        path.addPolygon(QPolygonF(QList<QPointF>(shape.points.begin(), shape.points.end())));
        path.closeSubpath();
        break;
    }
    return path;
}

QImage DrawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size / kIconGrid, size / kIconGrid);
    for (const IconShape& shape : ProgramIconShapes())
        painter.fillPath(IconShapePath(shape), shape.colour);
    return image;
}
