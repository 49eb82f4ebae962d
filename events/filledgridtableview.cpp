#include "filledgridtableview.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

FilledGridTableView::FilledGridTableView(QWidget *parent)
    : QTableView(parent)
{}

void FilledGridTableView::setGridFilled(bool filled)
{
    m_gridFilled = filled;
    // The view itself then draws no lines; its cells keep their places, which follow showGrid() alone.
    setGridStyle(filled ? Qt::NoPen : Qt::SolidLine);
}

void FilledGridTableView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    const QHeaderView *rows = verticalHeader();
    const QHeaderView *columns = horizontalHeader();
    if (!m_gridFilled || !showGrid() || !model() || !itemDelegate() || rows->count() == 0 ||
        columns->count() == 0)
        return;
    const QStyleOptionViewItem option = viewOptions();
    const QColor color = QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    QPainter painter(viewport());
    const bool rightToLeft = isRightToLeft();
    const int viewportWidth = viewport()->width();
    // The last pixel the sections reach, as the view clips its dirty area.
    const int x = columns->length() - columns->offset() - (rightToLeft ? 0 : 1);
    const int y = rows->length() - rows->offset() - 1;
    const auto line = [&](const QPoint &from, const QPoint &to) { painter.fillRect(QRect(from, to), color); };

    for (QRect dirty : event->region()) {
        dirty.setBottom(qMin(dirty.bottom(), y));
        if (rightToLeft)
            dirty.setLeft(qMax(dirty.left(), viewportWidth - x));
        else
            dirty.setRight(qMin(dirty.right(), x));
        if (!dirty.isValid())
            continue;

        int left = columns->visualIndexAt(dirty.left());
        int right = columns->visualIndexAt(dirty.right());
        if (rightToLeft)
            qSwap(left, right);
        if (left == -1)
            left = 0;
        if (right == -1)
            right = columns->count() - 1;
        int bottom = rows->visualIndexAt(dirty.bottom());
        if (bottom == -1)
            bottom = rows->count() - 1;
        const int top = rows->visualIndexAt(dirty.top());
        if (top == -1 || top > bottom)
            continue;

        for (int visual = top; visual <= bottom; ++visual) {
            const int row = rows->logicalIndex(visual);
            if (rows->isSectionHidden(row))
                continue;
            const int lineY = rowViewportPosition(row) + rowHeight(row) - 1;
            line(QPoint(dirty.left(), lineY), QPoint(dirty.right(), lineY));
        }
        for (int visual = left; visual <= right; ++visual) {
            const int column = columns->logicalIndex(visual);
            if (columns->isSectionHidden(column))
                continue;
            int lineX = columnViewportPosition(column);
            if (!rightToLeft)
                lineX += columnWidth(column) - 1;
            line(QPoint(lineX, dirty.top()), QPoint(lineX, dirty.bottom()));
        }
    }
}
