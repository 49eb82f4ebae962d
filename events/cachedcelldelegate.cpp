#include "cachedcelldelegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

// Kilobytes of pictures kept: the cells of a large window and the ones its next batches repeat.
constexpr int maxKilobytes = 8 * 1024;

bool isOpaqueColor(const QBrush &brush)
{
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255;
}

} // namespace

bool CachedCellDelegate::Key::operator==(const Key &other) const
{
    return text == other.text && size == other.size && state == other.state && features == other.features &&
           alignment == other.alignment && elideMode == other.elideMode && direction == other.direction &&
           colorGroup == other.colorGroup && background == other.background &&
           viewBackground == other.viewBackground && pixelRatio == other.pixelRatio && style == other.style &&
           dpiX == other.dpiX && dpiY == other.dpiY && renderHints == other.renderHints &&
           palette == other.palette && font == other.font && painterFont == other.painterFont;
}

uint qHash(const CachedCellDelegate::Key &key, uint seed)
{
    return qHash(key.text, seed) ^ uint(key.size.width() * 31 + key.size.height()) ^ uint(key.state) ^
           (uint(key.background) * 17);
}

CachedCellDelegate::CachedCellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    m_cells.setMaxCost(maxKilobytes);
}

void CachedCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const auto *view = qobject_cast<const QAbstractScrollArea *>(opt.widget);
    const QWidget *viewport = view ? view->viewport() : nullptr;
    // What lies under the cell must be the view's plain background, and the cell's own plain too.
    const bool keepable = viewport && viewport->autoFillBackground() &&
                          isOpaqueColor(viewport->palette().brush(viewport->backgroundRole())) &&
                          (opt.backgroundBrush.style() == Qt::NoBrush || isOpaqueColor(opt.backgroundBrush)) &&
                          !(opt.features & (QStyleOptionViewItem::Alternate | QStyleOptionViewItem::HasCheckIndicator |
                                            QStyleOptionViewItem::HasDecoration)) &&
                          !opt.rect.isEmpty();
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    if (!keepable) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        return;
    }

    Key key;
    key.text = opt.text;
    key.font = opt.font;
    key.size = opt.rect.size();
    key.pixelRatio = painter->device()->devicePixelRatioF();
    key.dpiX = painter->device()->logicalDpiX();
    key.dpiY = painter->device()->logicalDpiY();
    key.painterFont = painter->font();
    key.renderHints = int(painter->renderHints());
    key.style = style;
    key.state = int(opt.state);
    key.features = int(opt.features);
    key.alignment = int(opt.displayAlignment);
    key.elideMode = int(opt.textElideMode);
    key.direction = int(opt.direction);
    key.colorGroup = int(opt.palette.currentColorGroup());
    key.background = opt.backgroundBrush.style() == Qt::NoBrush ? 0 : opt.backgroundBrush.color().rgba();
    key.viewBackground = viewport->palette().brush(viewport->backgroundRole()).color().rgba();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            key.palette[std::size_t(group * QPalette::NColorRoles + role)] =
                opt.palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)).rgba();
    }

    const QPoint topLeft = opt.rect.topLeft();
    if (const QPixmap *cell = m_cells.object(key)) {
        painter->drawPixmap(topLeft, *cell);
        return;
    }
    // The view's steps for a cell, on its background: the row's panel, then the item.
    // Drawn as on the view itself: text is sized for the screen's resolution, not a picture's.
    QImage image(key.size * key.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(key.pixelRatio);
    image.setDotsPerMeterX(qRound(key.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(key.dpiY / 0.0254));
    image.fill(QColor::fromRgba(key.viewBackground));
    {
        QPainter cellPainter(&image);
        cellPainter.setFont(painter->font());
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
