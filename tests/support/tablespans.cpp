#include "tablespans.h"

#include <QSet>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace {

void sortSpans(QList<QRect> &spans)
{
    std::sort(spans.begin(), spans.end(),
              [](const QRect &a, const QRect &b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
}

QTextTable *findTable(QTextFrame *frame, int columns)
{
    for (QTextFrame *child : frame->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(child);
        if (table && table->columns() == columns)
            return table;
        if (QTextTable *inner = findTable(child, columns))
            return inner;
    }
    return nullptr;
}

} // namespace

QList<QRect> viewSpans(const QTableView &view)
{
    QList<QRect> spans;
    const QAbstractItemModel *model = view.model();
    QSet<QPair<int, int>> covered;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (covered.contains({row, column}))
                continue;
            const QRect span(column, row, view.columnSpan(row, column), view.rowSpan(row, column));
            if (span.width() * span.height() <= 1)
                continue;
            spans << span;
            for (int r = span.top(); r <= span.bottom(); ++r) {
                for (int c = span.left(); c <= span.right(); ++c)
                    covered.insert({r, c});
            }
        }
    }
    sortSpans(spans);
    return spans;
}

QList<QRect> htmlTableSpans(const QString &html, int columns, int *rows)
{
    QTextDocument document;
    document.setHtml(html);
    QTextTable *table = findTable(document.rootFrame(), columns);
    if (rows)
        *rows = table ? table->rows() : -1;
    QList<QRect> spans;
    if (!table)
        return spans;
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column)
                continue;
            if (cell.rowSpan() * cell.columnSpan() > 1)
                spans << QRect(column, row, cell.columnSpan(), cell.rowSpan());
        }
    }
    sortSpans(spans);
    return spans;
}

QVector<QStringList> htmlTableTexts(const QString &html, int columns)
{
    QTextDocument document;
    document.setHtml(html);
    QVector<QStringList> texts;
    QTextTable *table = findTable(document.rootFrame(), columns);
    for (int row = 0; table && row < table->rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                cells << QString();
                continue;
            }
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            cells << cursor.selectedText().trimmed();
        }
        texts << cells;
    }
    return texts;
}
