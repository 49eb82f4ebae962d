#include "stableheaderview.h"

StableHeaderView::StableHeaderView(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{}

void StableHeaderView::setModel(QAbstractItemModel *model)
{
    disconnect(m_layoutConnection);
    QHeaderView::setModel(model);
    // A new order of the rows may bring other header texts into the same sections (a sorting model).
    if (model) {
        m_layoutConnection = connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
            if (count() > 0)
                headerDataChanged(orientation(), 0, count() - 1);
        });
    }
}

void StableHeaderView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                   const QVector<int> &roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    const bool horizontal = orientation() == Qt::Horizontal;
    const int first = horizontal ? topLeft.column() : topLeft.row();
    const int last = horizontal ? bottomRight.column() : bottomRight.row();
    for (int section = qMax(0, first); section <= last && section < count(); ++section) {
        if (sectionResizeMode(section) == ResizeToContents) {
            QHeaderView::dataChanged(topLeft, bottomRight, roles);
            return;
        }
    }
}
