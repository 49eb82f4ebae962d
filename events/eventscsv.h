#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>

class QAbstractItemModel;

// The saved event log: a filter line, a creation line, an empty line, the header and one line per
// row of the table as the user sees it. Encoded as Windows-1251 for the spreadsheets the engineers use.
namespace EventsCsv {

// A cell value as the file shows it: date-times "dd.MM.yyyy hh:mm:ss", dates ISO, numbers decimal.
QString valueText(const QVariant &value);

// The rows of the model in its order, restricted to the given columns.
QString text(const QAbstractItemModel &model, const QVector<int> &columns, const QString &filterSummary,
             const QDateTime &createdAt);

// Replaces the file atomically with the text in Windows-1251 and platform line ends.
bool write(const QString &fileName, const QString &text);

} // namespace EventsCsv
