#include "numberheaderview.h"

#include <QEvent>

namespace {

// The numbers near the top and the bottom of a full log: a few thousand at most, but a log that
// grows for days meets ever new ones.
constexpr int maxRemembered = 4096;

} // namespace

NumberHeaderView::NumberHeaderView(QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
{
    // As a table's own vertical header: a click on a number selects the row.
    setSectionsClickable(true);
}

void NumberHeaderView::setModel(QAbstractItemModel *model)
{
    m_sizes.clear();
    QHeaderView::setModel(model);
}

QSize NumberHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    const QVariant number = model()->headerData(logicalIndex, orientation());
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

void NumberHeaderView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_sizes.clear();
    QHeaderView::changeEvent(event);
}
