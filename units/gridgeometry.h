#pragma once

#include <QSize>

// Arithmetic of the unit grid's layouts: where a cell goes with a given number of columns, how many
// columns fit, and how zooming changes a size.
namespace GridGeometry {

constexpr int CellCount = 250;
constexpr int FixedColumns = 25;
constexpr double ZoomStep = 1.05;

// Columns of cells of the given width (spacing 1, margin 1) that fit the viewport: 1..250.
int wrapColumns(int viewportWidth, int cellWidth);
int rowOf(int address, int columns);
int columnOf(int address, int columns);
// Rows that the 250 cells take with the given number of columns.
int rowCount(int columns);
// Each dimension multiplied by the factor and rounded to the nearest integer.
QSize scaled(const QSize &size, double factor);
QSize zoomedIn(const QSize &size);
QSize zoomedOut(const QSize &size);
// Sizes that make a usable picture; anything else (a damaged settings file, zooming too far) is refused.
bool isUsableCellSize(const QSize &size);
bool isUsableScrollWidgetSize(const QSize &size);

} // namespace GridGeometry
