// Draws the program's images into the folder given as the only argument.
#include "gifwriter.h"
#include "icons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>
#include <map>

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage ball(const QColor &color)
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(6, 6), 8);
    gradient.setColorAt(0, color.lighter(170));
    gradient.setColorAt(1, color.darker(115));
    p.setBrush(gradient);
    p.setPen(QPen(color.darker(170), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return image;
}

// The maker's mark: a flame in a red circle.
void drawMark(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x99, 0x10, 0x10), r.width() / 24));
    p.setBrush(QColor(0xd4, 0x20, 0x20));
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    QPainterPath flame;
    const double w = r.width(), h = r.height(), x = r.x(), y = r.y();
    flame.moveTo(x + 0.50 * w, y + 0.14 * h);
    flame.cubicTo(x + 0.78 * w, y + 0.40 * h, x + 0.80 * w, y + 0.62 * h, x + 0.64 * w, y + 0.80 * h);
    flame.cubicTo(x + 0.58 * w, y + 0.86 * h, x + 0.42 * w, y + 0.86 * h, x + 0.36 * w, y + 0.80 * h);
    flame.cubicTo(x + 0.20 * w, y + 0.64 * h, x + 0.28 * w, y + 0.44 * h, x + 0.42 * w, y + 0.36 * h);
    flame.cubicTo(x + 0.42 * w, y + 0.48 * h, x + 0.48 * w, y + 0.54 * h, x + 0.52 * w, y + 0.56 * h);
    flame.cubicTo(x + 0.60 * w, y + 0.44 * h, x + 0.58 * w, y + 0.28 * h, x + 0.50 * w, y + 0.14 * h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd0, 0x40));
    p.drawPath(flame);
}

QImage logo()
{
    QImage image = canvas(64, 64);
    QPainter p(&image);
    drawMark(p, QRectF(0, 0, 64, 64));
    return image;
}

QImage logoWithName()
{
    QImage image = canvas(128, 160);
    QPainter p(&image);
    drawMark(p, QRectF(4, 4, 120, 120));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x99, 0x10, 0x10));
    p.drawText(QRectF(0, 124, 128, 34), Qt::AlignCenter, QStringLiteral("OSTREL"));
    return image;
}

// The program's icon for the desktop's menus: a loop of unit cells in their state colours around the
// maker's mark.
QImage appIcon()
{
    constexpr int side = 256;
    QImage image = canvas(side, side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x3a, 0x5f));
    p.drawRoundedRect(QRectF(8, 8, side - 16, side - 16), 36, 36);
    const QColor states[] = {QColor(QStringLiteral("lawngreen")), QColor(QStringLiteral("lawngreen")),
                             QColor(QStringLiteral("orange")),    QColor(QStringLiteral("lawngreen")),
                             QColor(QStringLiteral("yellow")),    QColor(QStringLiteral("lawngreen")),
                             QColor(QStringLiteral("red")),       QColor(QStringLiteral("lawngreen")),
                             QColor(QStringLiteral("silver")),    QColor(QStringLiteral("lawngreen")),
                             QColor(QStringLiteral("cyan")),      QColor(QStringLiteral("lawngreen"))};
    // Twelve cells on the border of a 4 x 4 grid, clockwise from the top left.
    const QPoint ring[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2},
                           {3, 3}, {2, 3}, {1, 3}, {0, 3}, {0, 2}, {0, 1}};
    constexpr double cell = 46, gap = 8, origin = 28;
    for (int i = 0; i < 12; ++i) {
        p.setBrush(states[i]);
        p.drawRoundedRect(QRectF(origin + ring[i].x() * (cell + gap), origin + ring[i].y() * (cell + gap), cell,
                                 cell),
                          6, 6);
    }
    drawMark(p, QRectF(origin + cell + gap, origin + cell + gap, 2 * cell + gap, 2 * cell + gap));
    return image;
}

// A battery being charged: the level grows frame by frame.
QList<QImage> chargingFrames()
{
    QList<QImage> frames;
    for (int level = 0; level <= 4; ++level) {
        QImage image = canvas(30, 16);
        QPainter p(&image);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 24, 11));
        p.setBrush(QColor(0x20, 0x20, 0x20));
        p.drawRect(QRectF(25.5, 5.5, 3, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0xa0, 0x10));
        for (int bar = 0; bar < level; ++bar)
            p.drawRect(QRectF(3.5 + bar * 5.5, 4.5, 4.5, 8));
        frames.append(image);
    }
    return frames;
}

using Painter = std::function<QImage()>;

const std::map<QString, Painter> &pngImages()
{
    static const std::map<QString, Painter> images{
        {QStringLiteral("rxtx/ball_green.png"), [] { return ball(QColor(0x20, 0xc0, 0x20)); }},
        {QStringLiteral("rxtx/ball_red.png"), [] { return ball(QColor(0xe0, 0x20, 0x20)); }},
        {QStringLiteral("rxtx/ball_yellow.png"), [] { return ball(QColor(0xf0, 0xd0, 0x10)); }},
        {QStringLiteral("rxtx/ball_white.png"), [] { return ball(QColor(0xf4, 0xf4, 0xf4)); }},
        {QStringLiteral("rxtx/ball_transparrent.png"), [] { return canvas(16, 16); }},
        {QStringLiteral("ostrel_logo.png"), logo},
        {QStringLiteral("ostrel_logo2.png"), logoWithName},
        {QStringLiteral("testryn.png"), appIcon},
        {QStringLiteral("buttons/add.png"), [] { return Icons::add(32); }},
        {QStringLiteral("buttons/cancel.png"), [] { return Icons::cancel(32); }},
        {QStringLiteral("buttons/clear.png"), [] { return Icons::clear(32); }},
        {QStringLiteral("buttons/csv.png"), [] { return Icons::csv(32); }},
        {QStringLiteral("buttons/edit.png"), [] { return Icons::edit(32); }},
        {QStringLiteral("buttons/menu.png"), [] { return Icons::menu(32); }},
        {QStringLiteral("buttons/ok.png"), [] { return Icons::ok(32); }},
        {QStringLiteral("buttons/remove.png"), [] { return Icons::remove(32); }},
        {QStringLiteral("buttons/right_arrow.png"), [] { return Icons::rightArrow(32); }},
        {QStringLiteral("buttons/save.png"), [] { return Icons::save(32); }},
        {QStringLiteral("buttons/version.png"), [] { return Icons::version(32); }},
        {QStringLiteral("buttons_24/edit.png"), [] { return Icons::edit(24); }},
        {QStringLiteral("buttons_24/fill_color.png"), [] { return Icons::fillColor(24); }},
        {QStringLiteral("buttons_24/font_color.png"), [] { return Icons::fontColor(24); }},
        {QStringLiteral("buttons_24/minus.png"), [] { return Icons::remove(24); }},
        {QStringLiteral("buttons_24/plus.png"), [] { return Icons::add(24); }},
        {QStringLiteral("commands/commands.png"), [] { return Icons::commands(24); }},
        {QStringLiteral("commands/reset.png"), [] { return Icons::reset(24); }},
        {QStringLiteral("commands/reset_all.png"), [] { return Icons::resetAll(24); }},
        {QStringLiteral("commands/setup.png"), [] { return Icons::setup(24); }},
    };
    return images;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ryn_imagegen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const auto &entry : pngImages()) {
        const QString path = out.filePath(entry.first);
        QDir().mkpath(QFileInfo(path).path());
        if (!entry.second().save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString gif = out.filePath(QStringLiteral("extended states/charging.gif"));
    QDir().mkpath(QFileInfo(gif).path());
    if (!writeAnimatedGif(gif, chargingFrames(), 30)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(gif));
        return 1;
    }
    return 0;
}
