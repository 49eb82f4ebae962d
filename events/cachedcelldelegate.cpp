#include "cachedcelldelegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDate>
#include <QImage>
#include <QPainter>

namespace {

// Pictures kept: at least this many kilobytes, and room for the cells of a few screens of the view,
// so that the cells on screen and those the next batches bring back stay in.
constexpr int minKilobytes = 2 * 1024;
constexpr int screensKept = 3;

bool isOpaqueColor(const QBrush &brush)
{
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255;
}

uint valueHash(const QVariant &value, uint seed)
{
    switch (value.userType()) {
    case QMetaType::QString:
        return qHash(value.toString(), seed);
    case QMetaType::Int:
        return qHash(value.toInt(), seed);
    case QMetaType::QDate:
        return qHash(value.toDate().toJulianDay(), seed);
    default:
        return uint(value.userType());
    }
}

} // namespace

bool CachedCellDelegate::Key::operator==(const Key &other) const
{
    return size == other.size && state == other.state && features == other.features &&
           displayAlignment == other.displayAlignment && decorationAlignment == other.decorationAlignment &&
           decorationPosition == other.decorationPosition && decorationSize == other.decorationSize &&
           elideMode == other.elideMode && direction == other.direction &&
           viewItemPosition == other.viewItemPosition && showDecorationSelected == other.showDecorationSelected &&
           colorGroup == other.colorGroup && palette == other.palette && viewBackground == other.viewBackground &&
           pixelRatio == other.pixelRatio && dpiX == other.dpiX && dpiY == other.dpiY &&
           renderHints == other.renderHints && style == other.style && values == other.values &&
           font == other.font && painterFont == other.painterFont && locale == other.locale;
}

uint qHash(const CachedCellDelegate::Key &key, uint seed)
{
    uint hash = uint(key.size.width() * 31 + key.size.height()) ^ uint(key.state);
    for (const QVariant &value : key.values)
        hash = hash * 31 + valueHash(value, seed);
    return hash;
}

CachedCellDelegate::CachedCellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    m_cells.setMaxCost(minKilobytes);
}

void CachedCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const auto *view = qobject_cast<const QAbstractScrollArea *>(option.widget);
    const QWidget *viewport = view ? view->viewport() : nullptr;
    // What lies under the cell must be the view's plain background.
    if (!viewport || !viewport->autoFillBackground() ||
        !isOpaqueColor(viewport->palette().brush(viewport->backgroundRole())) || option.rect.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyle *style = option.widget->style();

    Key key;
    for (std::size_t i = 0; i < roles.size(); ++i)
        key.values[i] = index.data(roles[i]);
    key.font = option.font;
    key.painterFont = painter->font();
    key.locale = option.locale;
    key.size = option.rect.size();
    key.decorationSize = option.decorationSize;
    key.pixelRatio = painter->device()->devicePixelRatioF();
    key.dpiX = painter->device()->logicalDpiX();
    key.dpiY = painter->device()->logicalDpiY();
    key.renderHints = int(painter->renderHints());
    key.style = style;
    key.palette = option.palette.cacheKey();
    key.colorGroup = int(option.palette.currentColorGroup());
    key.state = int(option.state);
    key.features = int(option.features);
    key.displayAlignment = int(option.displayAlignment);
    key.decorationAlignment = int(option.decorationAlignment);
    key.decorationPosition = int(option.decorationPosition);
    key.elideMode = int(option.textElideMode);
    key.direction = int(option.direction);
    key.viewItemPosition = int(option.viewItemPosition);
    key.showDecorationSelected = option.showDecorationSelected;
    key.viewBackground = viewport->palette().brush(viewport->backgroundRole()).color().rgba();

    const QSize screen = viewport->size() * key.pixelRatio;
    const int kilobytes = qMax(minKilobytes, screensKept * screen.width() * screen.height() * 4 / 1024);
    if (m_cells.maxCost() != kilobytes)
        m_cells.setMaxCost(kilobytes);

    const QPoint topLeft = option.rect.topLeft();
    if (const QPixmap *cell = m_cells.object(key)) {
        painter->drawPixmap(topLeft, *cell);
        return;
    }

    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The cell's own background must be plain too, and nothing drawn from outside the text.
    if ((opt.backgroundBrush.style() != Qt::NoBrush && !isOpaqueColor(opt.backgroundBrush)) ||
        (opt.features & (QStyleOptionViewItem::Alternate | QStyleOptionViewItem::HasCheckIndicator |
                         QStyleOptionViewItem::HasDecoration))) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        return;
    }
    // The view's steps for a cell, on its background: the row's panel, then the item. Drawn as on
    // the view itself: text is sized for the screen's resolution, not a picture's.
    QImage image(key.size * key.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(key.pixelRatio);
    image.setDotsPerMeterX(qRound(key.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(key.dpiY / 0.0254));
    image.fill(QColor::fromRgba(key.viewBackground));
    {
        QPainter cellPainter(&image);
        cellPainter.setFont(key.painterFont);
        cellPainter.setRenderHints(painter->renderHints());
        QStyleOptionViewItem row = option;
        row.rect.moveTopLeft(QPoint(0, 0));
        style->drawPrimitive(QStyle::PE_PanelItemViewRow, &row, &cellPainter, opt.widget);
        opt.rect.moveTopLeft(QPoint(0, 0));
        style->drawControl(QStyle::CE_ItemViewItem, &opt, &cellPainter, opt.widget);
    }
    const QPixmap picture = QPixmap::fromImage(image);
    painter->drawPixmap(topLeft, picture);
    m_cells.insert(key, new QPixmap(picture), qMax(1, picture.width() * picture.height() * picture.depth() / 8 / 1024));
}
