// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's icon, described once on a 32 x 32 grid: the window draws it
// and the build draws the installed PNG and SVG files from the same shapes.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>

#include <vector>

inline constexpr double kIconGrid = 32;

struct IconShape {
    enum class Kind { RoundedSquare, Ellipse, Polygon } kind;
    QColor colour;
    std::vector<QPointF> points; // square: corner and radius; ellipse: centre and radii
};

// A teal tile, a white note, a green arrow pointing right (the note turns into a wave file).
std::vector<IconShape> ProgramIconShapes();

QPainterPath IconShapePath(const IconShape& shape);

// The icon drawn at size x size pixels on a transparent ground.
QImage DrawProgramIcon(int size);
