#pragma once

#include "exportresult.h"
#include "filledgridtableview.h"

#include <QDateTime>
#include <QModelIndexList>
#include <QRect>
#include <QVector>

class QPrinter;
class QTextDocument;

// A table view that hands its table on: to the clipboard (HTML and tab-separated text in one entry),
// to CSV and HTML files, and to the printer through a print preview. The texts it builds are also
// the basis of the reports, which use a hidden instance of it.
//
// Every reader here (copying, exporting, printing, the document builders) first brings the model up
// to date through flushPendingRefresh() (pendingrefresh.h), so a model with a deferred re-filter is
// never read stale. A cell is read the same way everywhere: the display value, date-times as
// "dd.MM.yyyy hh:mm:ss", and the tooltip when the cell has no display value at all.
class CopyableTableView : public FilledGridTableView
{
    Q_OBJECT

public:
    explicit CopyableTableView(QWidget *parent = nullptr);
    ~CopyableTableView() override;

    void setModel(QAbstractItemModel *model) override;

    // Writes the text through a temporary file that replaces the target only when complete. An empty
    // encoding means the locale's codec. In unique-name mode an existing file is never replaced:
    // "_1", "_2", ... go before the last dot of the name (at its end when it has none). Unless quiet,
    // the outcome is shown in a message box; the result always tells it.
    virtual ExportResult writeTextFile(const QString &fileName, const QString &text,
                                       const QString &encoding = QString(), bool quiet = false,
                                       bool uniqueName = false);
    // The cells as tab-separated lines, with the headers that are visible.
    virtual QString cellsToText(const QModelIndexList &cells) const;
    // The cells as one centred HTML table followed by a page break. Cell texts go in as they are:
    // callers may put markup in them.
    virtual QString cellsToHtmlTable(const QModelIndexList &cells, bool withSpans) const;
    // A UTF-8 HTML page holding the whole visible table, spans kept, between the two texts.
    virtual QString toHtmlDocument(bool withTitle, const QString &textBefore, const QString &textAfter);
    // The page to print the whole table: one table per group of twelve columns, each on a page of
    // its own, with a marker where the header continues.
    virtual QString toPagedHtmlDocument();
    // ";"-separated lines of the visible columns; a field holding ";", a quote or a line break is quoted.
    // The header's generation date is `generatedAt`, or the current date-time when it is not valid.
    virtual QString toCsv(bool withHeader, const QDateTime &generatedAt = QDateTime());

    // Rows that come or go in the model in sight move the rows below them on screen, and only what
    // that uncovers is painted: the rows above and below keep their pixels. For a view without spans
    // (a span above may change with rows below).
    void setRowChangesRepaintBelow(bool below) { m_rowChangesRepaintBelow = below; }

    void setTitle(const QString &text) { m_title = text; }
    QString title() const { return m_title; }
    QString comment() const { return m_comment; }

    // Every row, every column that is not hidden, row by row; the model is brought up to date first.
    QModelIndexList allVisibleCells();
    // The selected cells of columns that are not hidden; the model is brought up to date first.
    QModelIndexList selectedCells();

signals:
    void signalRowCountChanged(int rowCount);

public slots:
    // Writes the table with its header into the folder (created when missing) under a name made of
    // the current date-time.
    void slotExportCsv(const QString &dirName, const QString &encoding);
    void slotCopyAll();
    void slotCopySelected();
    void slotRowsChanged();
    void exportHtml();
    void exportCsv();
    void printView();
    void printViewSelected();
    void slotPrintPreview(QPrinter *printer);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void doItemsLayout() override;
    void changeEvent(QEvent *event) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;

private:
    // Repaints the cells changed since the last event-loop turn where they show now, once the model
    // is up to date.
    void repaintChangedCells();
    void markChangedCells();
    // Before rows come or go: moves the rows below them on screen, or notes where to repaint from.
    void noteRowsMoving(const QModelIndex &parent, int first, int last, bool coming);
    void noteLayoutAll() { m_layoutAll = true; }
    void copyCells(const QModelIndexList &cells);
    void preview(const QString &html);
    QList<int> visibleColumns() const;

    QString m_title;
    QString m_comment;
    QString m_htmlFileName;
    QString m_csvFileName;
    QTextDocument *m_printDocument = nullptr;
    QList<QMetaObject::Connection> m_modelConnections;
    // Changed cells in sight, as model columns (x) and rows (y), waiting for the turn to end.
    QVector<QRect> m_changedCells;
    bool m_rowChangesRepaintBelow = false;
    // Since the last layout: the highest viewport line from which rows must be repainted (-1: none),
    // whether rows came or went, and whether anything else changed that the whole view must be laid
    // out and repainted for.
    int m_rowsMoveFrom = -1;
    bool m_rowsMoved = false;
    bool m_layoutAll = false;
};
