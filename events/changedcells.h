#pragma once

#include <QRect>
#include <QVector>

// Changed cells of a table model gathered for one announcement: each block is a QRect in model
// coordinates (x a column, y a row). A block that continues another extends it, so a column of
// values arriving cell by cell, or a row's values one by one, stays one block.
void addChangedCells(QVector<QRect> &blocks, const QRect &cells);
