// Draws the program icon at every size the desktop asks for, as PNG files,
// and writes the same picture as an SVG: one description, so they can't drift.
//   brindlecot-icons OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/apps/brindlecot.png and
// OUTPUT_FOLDER/scalable/apps/brindlecot.svg.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The picture on a 32 x 32 grid: a teal tile, a white note, a green arrow
// pointing right (the note turns into a wave file).
constexpr double kGrid = 32;

struct Shape {
    enum class Kind { RoundedSquare, Ellipse, Polygon } kind;
    QColor colour;
    std::vector<QPointF> points; // square: corner and radius; ellipse: centre and radii
};

std::vector<Shape> Picture() {
    const QColor teal(0x00, 0x80, 0x80), white(0xFF, 0xFF, 0xFF), green(0x00, 0xFF, 0x00);
    return {
        {Shape::Kind::RoundedSquare, teal, {{0, 0}, {4, 4}}},
        {Shape::Kind::Ellipse, white, {{10.5, 21}, {4.5, 3.2}}},
        {Shape::Kind::Polygon,
         white,
         {{13, 6}, {21, 6}, {18.5, 9.5}, {15, 9.5}, {15, 21}, {13, 21}}},
        {Shape::Kind::Polygon,
         green,
         {{17, 22}, {24, 22}, {24, 18}, {30.5, 24.5}, {24, 31}, {24, 27}, {17, 27}}},
    };
}

QPainterPath PathOf(const Shape& shape) {
    QPainterPath path;
    switch (shape.kind) {
    case Shape::Kind::RoundedSquare:
        path.addRoundedRect(QRectF(shape.points[0], QSizeF(kGrid, kGrid)), shape.points[1].x(),
                            shape.points[1].y());
        break;
    case Shape::Kind::Ellipse:
        path.addEllipse(shape.points[0], shape.points[1].x(), shape.points[1].y());
        break;
    case Shape::Kind::Polygon:
        path.addPolygon(QPolygonF(QList<QPointF>(shape.points.begin(), shape.points.end())));
        path.closeSubpath();
        break;
    }
    return path;
}

QString SvgOf(const Shape& shape) {
    const QString fill = shape.colour.name();
    const QPointF a = shape.points[0], b = shape.points.size() > 1 ? shape.points[1] : QPointF();
    switch (shape.kind) {
    case Shape::Kind::RoundedSquare:
        return QStringLiteral(
                   R"(<rect x="%1" y="%2" width="%3" height="%3" rx="%4" ry="%5" fill="%6"/>)")
            .arg(a.x())
            .arg(a.y())
            .arg(kGrid)
            .arg(b.x())
            .arg(b.y())
            .arg(fill);
    case Shape::Kind::Ellipse:
        return QStringLiteral(R"(<ellipse cx="%1" cy="%2" rx="%3" ry="%4" fill="%5"/>)")
            .arg(a.x())
            .arg(a.y())
            .arg(b.x())
            .arg(b.y())
            .arg(fill);
    case Shape::Kind::Polygon: {
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
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.scale(size / kGrid, size / kGrid);
        for (const Shape& shape : Picture())
            painter.fillPath(PathOf(shape), shape.colour);
    }
    const QString path = QStringLiteral("%1/%2x%2/apps/brindlecot.png").arg(folder).arg(size);
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

bool WriteSvg(const QString& folder) {
    QString svg =
        QStringLiteral(
            R"(<svg xmlns="http://www.w3.org/2000/svg" width="%1" height="%1" viewBox="0 0 %1 %1">)")
            .arg(kGrid) +
        '\n';
    for (const Shape& shape : Picture())
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
