#pragma once

#include "exportresult.h"

#include <QDateTime>
#include <QList>
#include <QString>

class CopyableTableView;
class QAbstractItemModel;

// File writers for the reports: quiet, and never replacing an existing file (the result names the
// file actually written).

// The models one after another in one Windows-1251 CSV file: the first with the title and the
// generation date (`generatedAt`, or now when it is not valid) above it, four empty lines between
// tables, every column of each model.
ExportResult exportModelsCsv(const QList<QAbstractItemModel *> &models, const QString &title,
                             const QString &fileName, const QDateTime &generatedAt = QDateTime());

// The view's whole table as a UTF-8 HTML page between the two texts, without a title block.
// Nothing is written when the file name is empty.
ExportResult exportHtmlFile(CopyableTableView *view, const QString &textBefore, const QString &textAfter,
                            const QString &fileName);
