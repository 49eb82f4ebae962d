#include "changedcells.h"

void addChangedCells(QVector<QRect> &blocks, const QRect &cells)
{
    for (QRect &block : blocks) {
        if (block.contains(cells) ||
            (block.left() == cells.left() && block.right() == cells.right() &&
             cells.top() <= block.bottom() + 1 && cells.bottom() >= block.top() - 1) ||
            (block.top() == cells.top() && block.bottom() == cells.bottom() &&
             cells.left() <= block.right() + 1 && cells.right() >= block.left() - 1)) {
            block |= cells;
            return;
        }
    }
    blocks.append(cells);
}
