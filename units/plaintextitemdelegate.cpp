#include "plaintextitemdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace {

// Styles whose item paint is the common one (background, text, focus) with its text placement.
bool paintsItemsPlainly(const QStyle *style)
{
    const QByteArray name = style->metaObject()->className();
    return name == "QFusionStyle" || name == "QWindowsStyle";
}

bool isPlain(const QStyleOptionViewItem &option)
{
    constexpr QStyleOptionViewItem::ViewItemFeatures extras =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    constexpr QStyle::State special = QStyle::State_HasFocus | QStyle::State_Editing;
    return !(option.features & extras) && !(option.state & special) && option.direction == Qt::LeftToRight &&
           !option.text.isEmpty();
}

// Enough for every cell of a full screen several times over; the cost is in bytes.
constexpr int keptBytes = 8 * 1024 * 1024;

QString colourKey(const QColor &colour)
{
    return QString::number(colour.rgba(), 16);
}

} // namespace

PlainTextItemDelegate::PlainTextItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
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
    QTextOption textOption;
    const bool wrap = opt.features & QStyleOptionViewItem::WrapText;
    textOption.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    textOption.setTextDirection(opt.direction);
    textOption.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
    QTextLayout layout(opt.text, opt.font);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(textRect.width());
    line.setPosition(QPointF(0, 0));
    const bool oneLine = !layout.createLine().isValid();
    layout.endLayout();
    if (!oneLine || line.naturalTextWidth() > textRect.width()) {
        if (!paintCopied(painter, opt, style))
            QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    const QString text = opt.text;
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), textRect);
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                 : QPalette::Text));
    layout.draw(painter, QPointF(textRect.x(), layoutRect.top()));
    painter->restore();
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
    if (opt.backgroundBrush.style() != Qt::NoBrush &&
        (opt.backgroundBrush.style() != Qt::SolidPattern || !opt.backgroundBrush.isOpaque()))
        return false;
    constexpr QStyle::State special = QStyle::State_MouseOver;
    if (opt.state & special)
        return false;

    const QChar separator(0x1f);
    QString key = opt.text;
    for (const QString &part :
         {opt.font.key(), QString::number(opt.rect.width()), QString::number(opt.rect.height()),
          QString::number(int(opt.state)), QString::number(int(opt.features)),
          QString::number(int(opt.displayAlignment)), QString::number(int(opt.textElideMode)),
          colourKey(background.color()),
          colourKey(opt.backgroundBrush.style() == Qt::NoBrush ? QColor() : opt.backgroundBrush.color())}) {
        key += separator + part;
    }
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::HighlightedText, QPalette::Highlight})
            key += separator + colourKey(opt.palette.color(group, role));
    }

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
