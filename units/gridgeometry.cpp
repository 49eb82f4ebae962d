#include "gridgeometry.h"

#include <QtGlobal>

namespace GridGeometry {

int wrapColumns(int viewportWidth, int cellWidth)
{
    const int columns = (viewportWidth - 2) / (qMax(cellWidth, 0) + 1);
    return qBound(1, columns, CellCount);
}

int rowOf(int address, int columns)
{
    return (address - 1) / columns;
}

int columnOf(int address, int columns)
{
    return (address - 1) % columns;
}

int rowCount(int columns)
{
    return (CellCount + columns - 1) / columns;
}

QSize scaled(const QSize &size, double factor)
{
    return QSize(qRound(size.width() * factor), qRound(size.height() * factor));
}

QSize zoomedIn(const QSize &size)
{
    return scaled(size, ZoomStep);
}

QSize zoomedOut(const QSize &size)
{
    return QSize(qRound(size.width() / ZoomStep), qRound(size.height() / ZoomStep));
}

bool isUsableCellSize(const QSize &size)
{
    constexpr int minSide = 8;
    constexpr int maxSide = 1000;
    return size.width() >= minSide && size.width() <= maxSide && size.height() >= minSide &&
           size.height() <= maxSide;
}

bool isUsableScrollWidgetSize(const QSize &size)
{
    constexpr int maxSide = 100000;
    return size.width() > 0 && size.width() <= maxSide && size.height() > 0 && size.height() <= maxSide;
}

} // namespace GridGeometry
