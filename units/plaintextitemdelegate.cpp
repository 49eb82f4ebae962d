#include "plaintextitemdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
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

    // The style's text rectangle of a cell without icon or check box is the cell less a margin.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = opt.rect.adjusted(margin, 0, -margin, 0);
    const TextLine *text = laidOut(opt, textRect.width());
    if (!text->fits) {
        if (!paintCopied(painter, opt, style))
            QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    if (paintsBehindText(opt, style))
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment, text->size, textRect);
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                 : QPalette::Text));
    text->layout.draw(painter, QPointF(textRect.x(), layoutRect.top()));
    painter->restore();
}

const PlainTextItemDelegate::TextLine *PlainTextItemDelegate::laidOut(const QStyleOptionViewItem &opt,
                                                                      int width) const
{
    const bool wrap = opt.features & QStyleOptionViewItem::WrapText;
    const Qt::Alignment alignment = QStyle::visualAlignment(opt.direction, opt.displayAlignment);
    const LineKey key{opt.text, fontId(opt.font), width, int(wrap) | int(alignment) << 1};
    if (const TextLine *kept = m_lines.object(key))
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
    layout.beginLayout();
    QTextLine first = layout.createLine();
    first.setLineWidth(width);
    first.setPosition(QPointF(0, 0));
    const bool oneLine = !layout.createLine().isValid();
    layout.endLayout();
    line->fits = oneLine && first.naturalTextWidth() <= width;
    line->size = layout.boundingRect().size().toSize();
    m_lines.insert(key, line);
    return line;
}

bool PlainTextItemDelegate::paintCopied(QPainter *painter, const QStyleOptionViewItem &opt, QStyle *style) const
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

    const CellKey key = cellKey(opt, background.color());
    const QImage *kept = m_cells.object(key);
    if (!kept) {
        auto *image = new QImage(opt.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image->fill(background.color());
        QStyleOptionViewItem local = opt;
        local.rect.moveTo(0, 0);
        QPainter imagePainter(image);
        imagePainter.setFont(painter->font());
        imagePainter.setRenderHints(painter->renderHints());
        style->drawControl(QStyle::CE_ItemViewItem, &local, &imagePainter, opt.widget);
        imagePainter.end();
        kept = image;
        m_cells.insert(key, image, int(image->sizeInBytes()));
    }
    painter->drawImage(opt.rect.topLeft(), *kept);
    return true;
}

PlainTextItemDelegate::CellKey PlainTextItemDelegate::cellKey(const QStyleOptionViewItem &opt,
                                                              const QColor &background) const
{
    const bool ownBackground = opt.backgroundBrush.style() != Qt::NoBrush;
    CellKey key;
    key.text = opt.text;
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
