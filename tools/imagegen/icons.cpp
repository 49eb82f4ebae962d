#include "icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtMath>

#include <functional>

namespace Icons {
namespace {

const QColor green(0x2f, 0xa8, 0x3c);
const QColor red(0xd9, 0x30, 0x25);
const QColor blue(0x2b, 0x6c, 0xc4);
const QColor slate(0x5f, 0x70, 0x84);
const QColor yellow(0xf2, 0xb7, 0x05);
const QColor ink(0x33, 0x36, 0x3a);
const QColor paper(0xfb, 0xfb, 0xfb);

QImage render(int size, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return image;
}

// Every shape is filled with a soft top-to-bottom gradient and a darker rim: one look for all icons.
void fillShape(QPainter &p, const QPainterPath &shape, const QColor &color)
{
    const QRectF box = shape.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, color.lighter(135));
    gradient.setColorAt(1, color);
    p.setBrush(gradient);
    p.setPen(QPen(color.darker(170), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
}

QPainterPath stroked(const QPainterPath &line, double width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line).simplified();
}

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

// A text as a filled outline, centred in a box, so it scales like the rest of the drawing.
QPainterPath centredText(const QString &text, double pixelSize, const QRectF &box)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize * 4));
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    QTransform shrink;
    shrink.scale(0.25, 0.25);
    path = shrink.map(path);
    const QRectF bounds = path.boundingRect();
    path.translate(box.center() - bounds.center());
    return path;
}

// An arc of a circle that ends in an arrow head; angles in degrees, counter-clockwise positive.
QPainterPath arrowArc(const QPointF &centre, double radius, double startDeg, double sweepDeg, double width,
                      double head)
{
    const QRectF rect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(rect, startDeg);
    arc.arcTo(rect, startDeg, sweepDeg);
    const double end = qDegreesToRadians(startDeg + sweepDeg);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    const double sign = sweepDeg < 0 ? -1 : 1;
    const QPointF along(-sign * qSin(end), -sign * qCos(end));
    const QPointF across(-along.y(), along.x());
    const QPainterPath arrowHead =
        polygon({tip + along * head, tip + across * head - along * 0.5, tip - across * head - along * 0.5});
    return stroked(arc, width, Qt::FlatCap).united(arrowHead);
}

void drawPencil(QPainter &p, const QPointF &centre, double length, double thickness)
{
    p.save();
    p.translate(centre);
    p.rotate(135);
    const double half = length / 2, w = thickness / 2;
    const double eraserEnd = -half + length * 0.18, bandEnd = eraserEnd + length * 0.1;
    const double bodyEnd = half - length * 0.24;
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(-half, -w, eraserEnd - (-half) + 1, 2 * w), 1.5, 1.5);
    fillShape(p, eraser, QColor(0xf0, 0x8c, 0x9a));
    QPainterPath band;
    band.addRect(QRectF(eraserEnd, -w, bandEnd - eraserEnd, 2 * w));
    fillShape(p, band, QColor(0xa8, 0xb0, 0xb8));
    QPainterPath body;
    body.addRect(QRectF(bandEnd, -w, bodyEnd - bandEnd, 2 * w));
    fillShape(p, body, yellow);
    fillShape(p, polygon({{bodyEnd, -w}, {half, 0}, {bodyEnd, w}}), QColor(0xf3, 0xd6, 0xa4));
    const double lead = half - length * 0.09;
    const double leadWidth = w * (half - lead) / (half - bodyEnd);
    fillShape(p, polygon({{lead, -leadWidth}, {half, 0}, {lead, leadWidth}}), ink);
    p.restore();
}

// The bar under the fill and font colour icons shows the colour being chosen.
void drawColourBar(QPainter &p)
{
    QPainterPath bar;
    bar.addRoundedRect(QRectF(3, 25, 26, 5), 1.5, 1.5);
    fillShape(p, bar, red);
}

} // namespace

QImage ok(int size)
{
    return render(size, [](QPainter &p) {
        fillShape(p, stroked(polyline({{6, 17}, {13, 24}, {26, 9}}), 5.5), green);
    });
}

QImage cancel(int size)
{
    return render(size, [](QPainter &p) {
        const QPainterPath cross =
            stroked(polyline({{8, 8}, {24, 24}}), 5.5).united(stroked(polyline({{24, 8}, {8, 24}}), 5.5));
        fillShape(p, cross, red);
    });
}

QImage add(int size)
{
    return render(size, [](QPainter &p) {
        const QPainterPath plus =
            stroked(polyline({{16, 5}, {16, 27}}), 6).united(stroked(polyline({{5, 16}, {27, 16}}), 6));
        fillShape(p, plus, green);
    });
}

QImage remove(int size)
{
    return render(size, [](QPainter &p) { fillShape(p, stroked(polyline({{5, 16}, {27, 16}}), 6), red); });
}

QImage rightArrow(int size)
{
    return render(size, [](QPainter &p) {
        fillShape(p, polygon({{4, 12.5}, {16, 12.5}, {16, 5.5}, {28, 16}, {16, 26.5}, {16, 19.5}, {4, 19.5}}),
                  green);
    });
}

QImage menu(int size)
{
    return render(size, [](QPainter &p) {
        for (const double y : {8.5, 16.0, 23.5})
            fillShape(p, stroked(polyline({{6, y}, {26, y}}), 4.5), slate);
    });
}

QImage save(int size)
{
    return render(size, [](QPainter &p) {
        fillShape(p, polygon({{4, 4}, {23, 4}, {28, 9}, {28, 28}, {4, 28}}), blue);
        QPainterPath shutter;
        shutter.addRect(QRectF(9, 4, 13, 9));
        fillShape(p, shutter, QColor(0xd0, 0xd6, 0xdd));
        QPainterPath slot;
        slot.addRect(QRectF(17, 6, 3, 5));
        fillShape(p, slot, blue.darker(130));
        QPainterPath label;
        label.addRoundedRect(QRectF(8, 16, 16, 12), 1, 1);
        fillShape(p, label, paper);
        p.setPen(QPen(QColor(0x9a, 0xa4, 0xae), 1.2));
        p.drawLine(QPointF(11, 20), QPointF(21, 20));
        p.drawLine(QPointF(11, 24), QPointF(21, 24));
    });
}

QImage edit(int size)
{
    return render(size, [](QPainter &p) { drawPencil(p, QPointF(16, 16), 30, 8); });
}

QImage csv(int size)
{
    return render(size, [](QPainter &p) {
        fillShape(p, polygon({{7, 2}, {20, 2}, {27, 9}, {27, 30}, {7, 30}}), paper);
        fillShape(p, polygon({{20, 2}, {20, 9}, {27, 9}}), QColor(0xd0, 0xd6, 0xdd));
        p.setPen(QPen(QColor(0x9a, 0xa4, 0xae), 1.2));
        for (const double y : {7.0, 11.0})
            p.drawLine(QPointF(10, y), QPointF(y < 10 ? 17 : 24, y));
        QPainterPath badge;
        badge.addRoundedRect(QRectF(2, 14, 26, 12), 2, 2);
        fillShape(p, badge, green);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(centredText(QStringLiteral("CSV"), 9, QRectF(2, 14, 26, 12)));
        p.setPen(QPen(QColor(0x9a, 0xa4, 0xae), 1.2));
        p.drawLine(QPointF(10, 28), QPointF(24, 28));
    });
}

QImage clear(int size)
{
    return render(size, [](QPainter &p) {
        const QColor bin(0x6b, 0x7a, 0x8c);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(bin.darker(170), 1.6));
        p.drawRoundedRect(QRectF(12.5, 3, 7, 4), 1, 1);
        fillShape(p, polygon({{7.5, 10.5}, {24.5, 10.5}, {22.5, 29}, {9.5, 29}}), bin);
        QPainterPath lid;
        lid.addRoundedRect(QRectF(5, 6, 22, 4), 1.5, 1.5);
        fillShape(p, lid, bin);
        p.setPen(QPen(bin.lighter(160), 1.8, Qt::SolidLine, Qt::RoundCap));
        for (const double x : {12.5, 16.0, 19.5})
            p.drawLine(QPointF(x, 14), QPointF(x, 25.5));
    });
}

QImage version(int size)
{
    return render(size, [](QPainter &p) {
        QPainterPath tag = polygon({{2, 16}, {10, 6}, {30, 6}, {30, 26}, {10, 26}});
        tag.addEllipse(QPointF(9, 16), 2.2, 2.2);
        tag.setFillRule(Qt::OddEvenFill);
        fillShape(p, tag, yellow);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(centredText(QStringLiteral("1.0"), 10, QRectF(12.5, 6, 17, 20)));
    });
}

QImage fillColor(int size)
{
    return render(size, [](QPainter &p) {
        p.save();
        p.translate(13, 13);
        p.rotate(-15);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.6));
        p.drawArc(QRectF(-7, -12, 14, 14), 0, 180 * 16);
        fillShape(p, polygon({{-7.5, -5}, {7.5, -5}, {6, 9}, {-6, 9}}), QColor(0xc8, 0xd0, 0xd8));
        QPainterPath paint;
        paint.addEllipse(QPointF(0, -5), 7.5, 2.6);
        fillShape(p, paint, red);
        p.restore();
        QPainterPath drop;
        drop.moveTo(25, 8);
        drop.cubicTo(27, 12, 28.5, 14, 28.5, 16.5);
        drop.cubicTo(28.5, 19.5, 21.5, 19.5, 21.5, 16.5);
        drop.cubicTo(21.5, 14, 23, 12, 25, 8);
        fillShape(p, drop, red);
        drawColourBar(p);
    });
}

QImage fontColor(int size)
{
    return render(size, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(centredText(QStringLiteral("A"), 24, QRectF(2, 1, 28, 22)));
        drawColourBar(p);
    });
}

QImage reset(int size)
{
    return render(
        size, [](QPainter &p) { fillShape(p, arrowArc(QPointF(16, 16.5), 9.5, 15, -255, 5, 6.5), blue); });
}

QImage resetAll(int size)
{
    return render(size, [](QPainter &p) {
        const QPointF centre(16, 16);
        fillShape(p, arrowArc(centre, 9.5, 20, 130, 5, 6.5).united(arrowArc(centre, 9.5, 200, 130, 5, 6.5)),
                  red);
    });
}

QImage commands(int size)
{
    return render(size, [](QPainter &p) {
        QPainterPath screen;
        screen.addRoundedRect(QRectF(2.5, 4.5, 27, 23), 3, 3);
        fillShape(p, screen, QColor(0x2d, 0x33, 0x3b));
        const QColor prompt(0x5c, 0xd6, 0x5c);
        p.setPen(QPen(prompt, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(polyline({{8, 11}, {13, 16}, {8, 21}}));
        p.drawLine(QPointF(16, 21), QPointF(24, 21));
    });
}

QImage setup(int size)
{
    return render(size, [](QPainter &p) {
        const QPointF centre(16, 16);
        const double inner = 10.5, outer = 14.5;
        QPainterPath gear;
        auto at = [&](double radius, double degrees) {
            const double a = qDegreesToRadians(degrees);
            return centre + QPointF(radius * qCos(a), radius * qSin(a));
        };
        for (int tooth = 0; tooth < 8; ++tooth) {
            const double a = tooth * 45.0;
            if (tooth == 0)
                gear.moveTo(at(inner, a - 15));
            else
                gear.lineTo(at(inner, a - 15));
            gear.lineTo(at(outer, a - 9));
            gear.lineTo(at(outer, a + 9));
            gear.lineTo(at(inner, a + 15));
        }
        gear.closeSubpath();
        gear.addEllipse(centre, 4.5, 4.5);
        gear.setFillRule(Qt::OddEvenFill);
        fillShape(p, gear, slate);
    });
}

} // namespace Icons
