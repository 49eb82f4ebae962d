#include "numberheaderview.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>

namespace {

// The numbers near the top and the bottom of a full log: a few thousand at most, but a log that
// grows for days meets ever new ones.
constexpr int maxRemembered = 4096;
// Kilobytes of section pictures: a tall window's numbers and those of the next batches.
constexpr int maxPictureKilobytes = 1024;

bool isOpaqueColor(const QBrush &brush)
{
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255;
}

} // namespace

bool NumberHeaderView::Key::operator==(const Key &other) const
{
    return number == other.number && blank == other.blank && size == other.size && pixelRatio == other.pixelRatio &&
           dpiX == other.dpiX && dpiY == other.dpiY &&
           style == other.style && palette == other.palette && background == other.background &&
           renderHints == other.renderHints && elideMode == other.elideMode && enabled == other.enabled &&
           active == other.active && first == other.first && last == other.last && selected == other.selected &&
           previousSelected == other.previousSelected && nextSelected == other.nextSelected &&
           font == other.font;
}

uint qHash(const NumberHeaderView::Key &key, uint seed)
{
    return qHash(key.number, seed) ^ uint(key.size.width() * 31 + key.size.height());
}

NumberHeaderView::NumberHeaderView(QWidget *parent)
    : StableHeaderView(Qt::Vertical, parent)
{
    // As a table's own vertical header: a click on a number selects the row.
    setSectionsClickable(true);
    m_pictures.setMaxCost(maxPictureKilobytes);
}

void NumberHeaderView::setModel(QAbstractItemModel *model)
{
    m_sizes.clear();
    m_emptySize = QSize();
    StableHeaderView::setModel(model);
}

void NumberHeaderView::setSectionsBlank(bool blank)
{
    if (blank == m_sectionsBlank)
        return;
    m_sectionsBlank = blank;
    m_sizes.clear();
    m_emptySize = QSize();
    m_pictures.clear();
    // A header measured as blank, a plain one as its model says.
    headerDataChanged(orientation(), 0, qMax(0, count() - 1));
}

QSize NumberHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    const QVariant number = m_sectionsBlank ? QVariant() : model()->headerData(logicalIndex, orientation());
    if (m_sectionsBlank ||
        (!number.isValid() && !model()->headerData(logicalIndex, orientation(), Qt::DecorationRole).isValid() &&
         !model()->headerData(logicalIndex, orientation(), Qt::FontRole).isValid())) {
        if (!m_emptySize.isValid())
            m_emptySize = QHeaderView::sectionSizeFromContents(logicalIndex);
        return m_emptySize;
    }
    if (number.userType() != QMetaType::Int)
        return QHeaderView::sectionSizeFromContents(logicalIndex);
    const auto known = m_sizes.constFind(number.toInt());
    if (known != m_sizes.constEnd())
        return *known;
    if (m_sizes.size() >= maxRemembered)
        m_sizes.clear();
    const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    m_sizes.insert(number.toInt(), size);
    return size;
}

bool NumberHeaderView::sectionSelected(int visual) const
{
    const int logical = logicalIndex(visual);
    return logical >= 0 && selectionModel() && selectionModel()->isRowSelected(logical, rootIndex());
}

void NumberHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QVariant number = m_sectionsBlank ? QVariant() : model()->headerData(logicalIndex, orientation());
    const auto given = [&](int role) { return model()->headerData(logicalIndex, orientation(), role).isValid(); };
    // A section without text (the unit page's rows) is kept as well.
    const bool blank = !number.isValid();
    const bool plainSection = m_sectionsBlank ||
                              ((number.userType() == QMetaType::Int || blank) && !given(Qt::TextAlignmentRole) &&
                               !given(Qt::DecorationRole) && !given(Qt::ForegroundRole) &&
                               !given(Qt::BackgroundRole) && !given(Qt::FontRole));
    // The section is drawn over the header's own background: kept only when that is plain.
    const QBrush background = viewport()->palette().brush(viewport()->backgroundRole());
    if (!plainSection || !rect.isValid() || isSortIndicatorShown() || !viewport()->autoFillBackground() ||
        !isOpaqueColor(background) || underMouse() || viewport()->underMouse() ||
        QGuiApplication::mouseButtons() != Qt::NoButton) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }

    Key key;
    key.number = number.toInt();
    key.blank = blank;
    key.size = rect.size();
    key.pixelRatio = painter->device()->devicePixelRatioF();
    key.dpiX = painter->device()->logicalDpiX();
    key.dpiY = painter->device()->logicalDpiY();
    key.style = style();
    key.palette = palette().cacheKey();
    key.background = background.color().rgba();
    key.font = painter->font();
    key.renderHints = int(painter->renderHints());
    key.elideMode = int(textElideMode());
    key.enabled = isEnabled();
    key.active = window()->isActiveWindow();
    const int visual = visualIndex(logicalIndex);
    const int start = sectionPosition(logicalIndex);
    key.first = start == 0;
    key.last = start + sectionSize(logicalIndex) == length();
    key.selected = sectionSelected(visual);
    key.previousSelected = sectionSelected(visual - 1);
    key.nextSelected = sectionSelected(visual + 1);

    if (const QPixmap *picture = m_pictures.object(key)) {
        painter->drawPixmap(rect.topLeft(), *picture);
        return;
    }
    // Drawn as on the header itself: the text is sized for the screen's resolution, not a picture's.
    QImage image(key.size * key.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(key.pixelRatio);
    image.setDotsPerMeterX(qRound(key.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(key.dpiY / 0.0254));
    image.fill(background.color());
    {
        QPainter sectionPainter(&image);
        sectionPainter.setFont(key.font);
        sectionPainter.setRenderHints(painter->renderHints());
        QHeaderView::paintSection(&sectionPainter, QRect(QPoint(0, 0), key.size), logicalIndex);
    }
    const QPixmap picture = QPixmap::fromImage(image);
    painter->drawPixmap(rect.topLeft(), picture);
    m_pictures.insert(key, new QPixmap(picture),
                      qMax(1, picture.width() * picture.height() * picture.depth() / 8 / 1024));
}

void NumberHeaderView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_sizes.clear();
        m_emptySize = QSize();
        m_pictures.clear();
    }
    StableHeaderView::changeEvent(event);
}
