#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class QTableView;

// Cells that span more than one cell, each as QRect(column, row, columns spanned, rows spanned),
// ordered by row, then column.

// As the view shows them.
QList<QRect> viewSpans(const QTableView &view);
// As Qt's rich-text reader reads the first table of the HTML that has `columns` columns; an empty
// list, and `rows` set to -1, when there is no such table.
QList<QRect> htmlTableSpans(const QString &html, int columns, int *rows = nullptr);
// The plain text of each cell of that table, trimmed, row by row; a cell covered by a span reads empty.
QVector<QStringList> htmlTableTexts(const QString &html, int columns);
