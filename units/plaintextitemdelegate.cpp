#include "plaintextitemdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// Enough for the distinct labels and values of several screens, at most a few megabytes in all; the
// cost of an image is its bytes.
constexpr int keptBytes = 2 * 1024 * 1024;
constexpr int keptLines = 1024;

// Styles whose item paint is the common one (background, text, focus) with its text placement.
bool paintsItemsPlainly(const QStyle *style)
{
    const char *name = style->metaObject()->className();
    return qstrcmp(name, "QFusionStyle") == 0 || qstrcmp(name, "QWindowsStyle") == 0;
}

bool isPlain(const QStyleOptionViewItem &option)
{
    constexpr QStyleOptionViewItem::ViewItemFeatures extras =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    constexpr QStyle::State special = QStyle::State_HasFocus | QStyle::State_Editing;
    return !(option.features & extras) && !(option.state & special) && option.direction == Qt::LeftToRight &&
           !option.text.isEmpty();
}

// The style's text rectangle of a cell without icon or check box: the cell less a margin.
QRect textBox(const QStyleOptionViewItem &opt, const QStyle *style)
{
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    return opt.rect.adjusted(margin, 0, -margin, 0);
}

} // namespace

PlainTextItemDelegate::PlainTextItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_lines(keptLines)
    , m_cells(keptBytes)
{}

void PlainTextItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    if (!paintsItemsPlainly(style) || !isPlain(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    TextLine *text = laidOut(opt, textBox(opt, style).size());
    // Short texts are drawn from their kept glyphs; the few glyphs of an elided label cost more to
    // draw than its kept picture to copy.
    if (!text->whole && paintCopied(painter, opt, style, text))
        return;
    if (!text->drawable) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    paintText(painter, opt, style, text);
}

void PlainTextItemDelegate::paintText(QPainter *painter, QStyleOptionViewItem opt, QStyle *style,
                                      TextLine *text) const
{
    makeReady(text);
    const QWidget *widget = opt.widget;
    const QRect textRect = textBox(opt, style);
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    if (paintsBehindText(opt, style))
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment, text->size, textRect);
    const QPointF at(textRect.x(), layoutRect.top());
    const QColor ink = opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text);
    // The style clips the text to the cell; glyphs well inside it need no clip (a pixel spare for
    // the antialiasing).
    if (QRectF(opt.rect).contains(text->ink.translated(at).adjusted(-1, -1, 1, 1))) {
        const QPen pen = painter->pen();
        painter->setPen(ink);
        drawRuns(painter, at, text);
        painter->setPen(pen);
        return;
    }
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(ink);
    drawRuns(painter, at, text);
    painter->restore();
}

PlainTextItemDelegate::TextLine *PlainTextItemDelegate::laidOut(const QStyleOptionViewItem &opt,
                                                                const QSize &box) const
{
    const bool wrap = opt.features & QStyleOptionViewItem::WrapText;
    const Qt::Alignment alignment = QStyle::visualAlignment(opt.direction, opt.displayAlignment);
    const LineKey key{opt.text, fontId(opt.font), box.width(), box.height(),
                      int(wrap) | int(alignment) << 1 | int(opt.textElideMode) << 12};
    if (TextLine *kept = m_lines.object(key))
        return kept;
    auto *line = new TextLine;
    QTextOption textOption;
    textOption.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    textOption.setTextDirection(opt.direction);
    textOption.setAlignment(alignment);
    QTextLayout &layout = line->layout;
    // Keeps the shaped glyphs, so drawing the kept layout again does not shape it again.
    layout.setCacheEnabled(true);
    layout.setText(opt.text);
    layout.setFont(opt.font);
    layout.setTextOption(textOption);
    // The style stops at the box's height only for text centred in it.
    const bool centred = opt.displayAlignment & Qt::AlignVCenter;
    const int lastShown = layOutLines(layout, box.width(), centred ? box.height() : 0);
    line->size = layout.boundingRect().size().toSize();
    line->width = box.width();
    line->shown = shownText(layout, lastShown, opt, box, &line->drawable);
    line->whole = line->drawable && layout.lineCount() == 1 && line->shown == opt.text;
    // A text shown whole is drawn from the layout that measured it, every time.
    if (line->whole)
        makeReady(line);
    m_lines.insert(key, line);
    return line;
}

void PlainTextItemDelegate::makeReady(TextLine *text)
{
    if (text->ready || !text->drawable)
        return;
    if (text->shown != text->layout.text()) {
        text->layout.setText(text->shown);
        layOutLines(text->layout, text->width, 0);
    }
    text->runs = text->layout.glyphRuns();
    for (const QGlyphRun &run : qAsConst(text->runs))
        text->ink |= run.boundingRect();
    text->ready = true;
}

void PlainTextItemDelegate::drawRuns(QPainter *painter, const QPointF &at, const TextLine *text)
{
    // The layout's glyphs, placed as it places them: drawing them skips the layout's walk through
    // its lines and items.
    for (const QGlyphRun &run : text->runs)
        painter->drawGlyphRun(at, run);
}

int PlainTextItemDelegate::layOutLines(QTextLayout &layout, int width, int height)
{
    int lastShown = -1;
    qreal bottom = 0;
    layout.beginLayout();
    for (int i = 0;; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, bottom));
        bottom += line.height();
        // The style takes the next line to be as tall as this one.
        if (height > 0 && bottom + line.height() > height) {
            if (layout.createLine().isValid())
                lastShown = i;
            break;
        }
    }
    layout.endLayout();
    return lastShown;
}

QString PlainTextItemDelegate::shownText(const QTextLayout &measured, int lastShown, const QStyleOptionViewItem &opt,
                                         const QSize &box, bool *drawable)
{
    *drawable = true;
    // Where the lines start in the box, as the style aligns them.
    const int top = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                        measured.boundingRect().size().toSize(), QRect(QPoint(0, 0), box))
                        .top();
    const QString &text = measured.text();
    // A text of variants, which eliding reads apart: left to the style.
    if (text.contains(QChar(0x9c))) {
        *drawable = false;
        return {};
    }
    const QFontMetrics metrics(opt.font);
    // The style leaves out lines above the box and starts lower; kept here, they fall outside the
    // cell's clip all the same.
    QString shown;
    qreal bottom = 0;
    const int count = measured.lineCount();
    for (int i = 0; i < count; ++i) {
        const QTextLine line = measured.lineAt(i);
        bottom += line.height();
        QString part = text.mid(line.textStart(), line.textLength());
        const bool tooWide = line.naturalTextWidth() > box.width();
        bool endsShort = i == lastShown;
        // A line is also cut short where less than half of the next would show (whole pixels, as the
        // style counts them).
        if (!tooWide && !endsShort && i + 1 < count)
            endsShort = int(bottom + measured.lineAt(i + 1).height() / 2) + top > box.height();
        if (tooWide || endsShort) {
            if (endsShort) {
                if (part.endsWith(QChar::LineSeparator))
                    part.chop(1);
                part += QChar(0x2026);
            }
            shown += metrics.elidedText(part, opt.textElideMode, box.width());
            if (i < count - 1 && !shown.endsWith(QChar::LineSeparator))
                shown += QChar::LineSeparator;
        } else {
            shown += part;
        }
        if (bottom + top >= box.height() - 1 || i == lastShown)
            break;
    }
    return shown;
}

bool PlainTextItemDelegate::paintCopied(QPainter *painter, const QStyleOptionViewItem &opt, QStyle *style,
                                        TextLine *text) const
{
    // The cell lies on the viewport's background, which must be one opaque colour, and is copied
    // pixel for pixel: no scaling, whole-pixel offsets only.
    const auto *view = qobject_cast<const QAbstractItemView *>(opt.widget);
    if (!view || view->alternatingRowColors() || !view->viewport()->autoFillBackground())
        return false;
    const QBrush background = view->viewport()->palette().brush(view->viewport()->backgroundRole());
    const QTransform &transform = painter->worldTransform();
    if (background.style() != Qt::SolidPattern || !background.isOpaque() ||
        transform.type() > QTransform::TxTranslate || transform.dx() != int(transform.dx()) ||
        transform.dy() != int(transform.dy()) || painter->device()->devicePixelRatioF() != 1.0 ||
        painter->opacity() != 1.0 || painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const bool ownBackground = opt.backgroundBrush.style() != Qt::NoBrush;
    if (ownBackground && (opt.backgroundBrush.style() != Qt::SolidPattern || !opt.backgroundBrush.isOpaque()))
        return false;
    if (opt.state & QStyle::State_MouseOver)
        return false;

    const CellKey key = cellKey(opt, background.color(), text);
    const QImage *kept = m_cells.object(key);
    if (!kept) {
        // Opaque, so copying it is a plain copy of its lines rather than a blend of each pixel.
        auto *image = new QImage(opt.rect.size(), QImage::Format_RGB32);
        image->fill(background.color());
        QStyleOptionViewItem local = opt;
        local.rect.moveTo(0, 0);
        QPainter imagePainter(image);
        imagePainter.setFont(painter->font());
        imagePainter.setRenderHints(painter->renderHints());
        if (text->drawable)
            paintText(&imagePainter, local, style, text);
        else
            style->drawControl(QStyle::CE_ItemViewItem, &local, &imagePainter, opt.widget);
        imagePainter.end();
        kept = image;
        m_cells.insert(key, image, int(image->sizeInBytes()));
    }
    painter->drawImage(opt.rect.topLeft(), *kept);
    return true;
}

PlainTextItemDelegate::CellKey PlainTextItemDelegate::cellKey(const QStyleOptionViewItem &opt,
                                                              const QColor &background, const TextLine *text) const
{
    const bool ownBackground = opt.backgroundBrush.style() != Qt::NoBrush;
    CellKey key;
    const bool shown = text && text->drawable;
    key.text = shown ? text->shown : opt.text;
    key.height = shown ? text->size.height() : -1;
    key.font = fontId(opt.font);
    key.size = opt.rect.size();
    key.flags = {int(opt.state), int(opt.features), int(opt.displayAlignment),
                 int(opt.textElideMode) | int(ownBackground) << 8 | int(opt.backgroundBrush.style()) << 9};
    key.colours[0] = background.rgba();
    key.colours[1] = ownBackground ? opt.backgroundBrush.color().rgba() : 0;
    int next = 2;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::HighlightedText, QPalette::Highlight})
            key.colours[next++] = opt.palette.color(group, role).rgba();
    }
    return key;
}

bool PlainTextItemDelegate::paintsBehindText(const QStyleOptionViewItem &blank, QStyle *style) const
{
    // Only options the key can hold: a background brush of one colour or none.
    const Qt::BrushStyle brush = blank.backgroundBrush.style();
    if (brush != Qt::NoBrush && brush != Qt::SolidPattern)
        return true;
    const CellKey key = cellKey(blank, QColor());
    const auto known = m_blankPaints.constFind(key);
    if (known != m_blankPaints.constEnd())
        return known.value();
    // The style's paint of the cell without its text, tried once on a transparent image.
    QImage probe(blank.rect.size(), QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    QStyleOptionViewItem local = blank;
    local.rect.moveTo(0, 0);
    QPainter probePainter(&probe);
    style->drawControl(QStyle::CE_ItemViewItem, &local, &probePainter, blank.widget);
    probePainter.end();
    bool paints = false;
    for (int y = 0; y < probe.height() && !paints; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(probe.constScanLine(y));
        paints = std::any_of(line, line + probe.width(), [](QRgb pixel) { return pixel != 0; });
    }
    if (m_blankPaints.size() >= keptLines)
        m_blankPaints.clear();
    m_blankPaints.insert(key, paints);
    return paints;
}

int PlainTextItemDelegate::fontId(const QFont &font) const
{
    const int known = m_fonts.indexOf(font);
    if (known >= 0)
        return known;
    m_fonts.append(font);
    return m_fonts.size() - 1;
}
