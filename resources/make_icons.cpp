// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program icon at every size the desktop asks for, as PNG files,
// and writes the same picture as an SVG: one description, so they can't drift.
//   brindlecot-icons OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/apps/brindlecot.png and
// OUTPUT_FOLDER/scalable/apps/brindlecot.svg.

#include "program_icon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

namespace {

QString SvgOf(const IconShape& shape) {
    const QString fill = shape.colour.name();
    const QPointF a = shape.points[0], b = shape.points.size() > 1 ? shape.points[1] : QPointF();
    switch (shape.kind) {
    case IconShape::Kind::RoundedSquare:
        return QStringLiteral(
                   R"(<rect x="%1" y="%2" width="%3" height="%3" rx="%4" ry="%5" fill="%6"/>)")
            .arg(a.x())
            .arg(a.y())
            .arg(kIconGrid)
            .arg(b.x())
            .arg(b.y())
            .arg(fill);
    case IconShape::Kind::Ellipse:
        return QStringLiteral(R"(<ellipse cx="%1" cy="%2" rx="%3" ry="%4" fill="%5"/>)")
            .arg(a.x())
            .arg(a.y())
            .arg(b.x())
            .arg(b.y())
            .arg(fill);
    case IconShape::Kind::Polygon: {
        QStringList points;
        for (const QPointF& point : shape.points)
            points << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
        return QStringLiteral(R"(<polygon points="%1" fill="%2"/>)").arg(points.join(' '), fill);
    }
    }
    return {};
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

bool WritePng(const QString& folder, int size) {
    const QImage image = DrawProgramIcon(size);
    const QString path = QStringLiteral("%1/%2x%2/apps/brindlecot.png").arg(folder).arg(size);
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

bool WriteSvg(const QString& folder) {
    QString svg =
        QStringLiteral(
            R"(<svg xmlns="http://www.w3.org/2000/svg" width="%1" height="%1" viewBox="0 0 %1 %1">)")
            .arg(kIconGrid) +
        '\n';
    for (const IconShape& shape : ProgramIconShapes())
        svg += "  " + SvgOf(shape) + '\n';
    svg += "</svg>\n";
    return Write(folder + "/scalable/apps/brindlecot.svg", svg.toUtf8());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: brindlecot-icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool written = WriteSvg(folder);
    for (int i = 2; i < argc; ++i)
        written = WritePng(folder, std::stoi(argv[i])) && written;
    if (!written)
        std::fprintf(stderr, "brindlecot-icons: could not write the icons into %s\n", argv[1]);
    return written ? 0 : 1;
}
