#include "copyabletableview.h"

#include "cachedscrollbar.h"

#include "atomicwrite.h"
#include "changedcells.h"
#include "commenteditdialog.h"
#include "csvfield.h"
#include "pendingrefresh.h"
#include "selectencodingdialog.h"
#include "settings.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSet>
#include <QStringList>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace {

const QString settingsGroup = QStringLiteral("CopyableTableView");
const QString keyCsvFileName = QStringLiteral("CsvFileName");
const QString keyHtmlFileName = QStringLiteral("HtmlFileName");
const QString dateTimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");
const QString utf8 = QStringLiteral("UTF-8");
constexpr int columnsPerPage = 12;

QString cellText(const QModelIndex &index)
{
    const QVariant value = index.data(Qt::DisplayRole);
    if (!value.isValid())
        return index.data(Qt::ToolTipRole).toString();
    if (value.userType() == QMetaType::QDateTime)
        return value.toDateTime().toString(dateTimeFormat);
    return value.toString();
}

QString now()
{
    return QDateTime::currentDateTime().toString(dateTimeFormat);
}

// An HTML page up to the start of its body, and its end.
QString pageStart(const QString &title)
{
    return QStringLiteral("<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") + title +
           QStringLiteral("</title>\n</head>\n<body bgcolor=#ffffff link=#5000A0>\n");
}

const QString pageEnd = QStringLiteral("</body>\n</html>\n");

// The heading above a table: its title and the date it was made.
QString titleBlock(const QString &title)
{
    return QStringLiteral("<h1><center>") + title + QStringLiteral("</center></h1>\n<h3>") +
           CopyableTableView::tr("Дата формирования: %1").arg(now()) + QStringLiteral("</h3>\n");
}

QModelIndexList sortedByRow(QModelIndexList cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const QModelIndex &a, const QModelIndex &b) {
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    return cells;
}

// The columns that occur among the cells, left to right: the order the cells are written in, so
// each header stands above its column whatever order the cells came in.
QList<int> columnsOf(const QModelIndexList &cells)
{
    QSet<int> seen;
    for (const QModelIndex &cell : cells)
        seen.insert(cell.column());
    QList<int> columns = seen.values();
    std::sort(columns.begin(), columns.end());
    return columns;
}

// "report.csv" -> "report_1.csv", "report_2.csv", ...; only the name is looked at, never the folder,
// and a name without a dot gets the number at its end.
QString uniqueFileName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const QString folder = fileName.left(fileName.size() - name.size());
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    const QString suffix = dot < 0 ? QString() : name.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = folder + base + QLatin1Char('_') + QString::number(n) + suffix;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

// Every table ends with a page break; at the very end of a print it would only add a blank page.
void dropTrailingPageBreaks(QTextDocument *document)
{
    for (QTextBlock block = document->lastBlock(); block.isValid(); block = block.previous()) {
        QTextBlockFormat format = block.blockFormat();
        const bool empty = block.length() <= 1;
        QTextFormat::PageBreakFlags policy = format.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysAfter;
        if (empty)
            policy &= ~QTextFormat::PageBreak_AlwaysBefore;
        if (policy != format.pageBreakPolicy()) {
            format.setPageBreakPolicy(policy);
            QTextCursor(block).setBlockFormat(format);
        }
        if (!empty)
            break;
    }
}

} // namespace

CopyableTableView::CopyableTableView(QWidget *parent)
    : FilledGridTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBar(new CachedScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new CachedScrollBar(Qt::Horizontal, this));
    m_printDocument = new QTextDocument(this);

    const auto addViewAction = [this](const QString &text, void (CopyableTableView::*slot)()) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    const auto addSeparator = [this]() {
        auto *separator = new QAction(this);
        separator->setSeparator(true);
        addAction(separator);
    };
    addViewAction(tr("Скопировать всё"), &CopyableTableView::slotCopyAll);
    addViewAction(tr("Скопировать выделенное"), &CopyableTableView::slotCopySelected);
    addSeparator();
    addViewAction(tr("Экcпортировать в HTML"), &CopyableTableView::exportHtml);
    addViewAction(tr("Экcпортировать в CSV"), &CopyableTableView::exportCsv);
    addSeparator();
    addViewAction(tr("Печать..."), &CopyableTableView::printView);
    addViewAction(tr("Печать выделенного..."), &CopyableTableView::printViewSelected);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    m_htmlFileName = Settings::readValue(keyHtmlFileName, settingsGroup, QDir::homePath()).toString();
    m_csvFileName = Settings::readValue(keyCsvFileName, settingsGroup, QDir::homePath()).toString();
}

CopyableTableView::~CopyableTableView()
{
    Settings::writeValue(m_htmlFileName, keyHtmlFileName, settingsGroup);
    Settings::writeValue(m_csvFileName, keyCsvFileName, settingsGroup);
}

void CopyableTableView::setModel(QAbstractItemModel *model)
{
    for (const auto &connection : qAsConst(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    FilledGridTableView::setModel(model);
    if (model) {
        m_modelConnections
            << connect(model, &QAbstractItemModel::rowsInserted, this, &CopyableTableView::slotRowsChanged)
            << connect(model, &QAbstractItemModel::rowsRemoved, this, &CopyableTableView::slotRowsChanged)
            << connect(model, &QAbstractItemModel::layoutChanged, this, &CopyableTableView::slotRowsChanged)
            << connect(model, &QAbstractItemModel::modelReset, this, &CopyableTableView::slotRowsChanged);
        using M = QAbstractItemModel;
        using V = CopyableTableView;
        m_modelConnections << connect(model, &M::rowsAboutToBeInserted, this,
                                      [this](const QModelIndex &parent, int first, int last) {
                                          noteRowsMoving(parent, first, last, true);
                                      })
                           << connect(model, &M::rowsAboutToBeRemoved, this,
                                      [this](const QModelIndex &parent, int first, int last) {
                                          noteRowsMoving(parent, first, last, false);
                                      });
        m_modelConnections << connect(model, &M::modelAboutToBeReset, this, &V::noteLayoutAll)
                           << connect(model, &M::columnsAboutToBeInserted, this, &V::noteLayoutAll)
                           << connect(model, &M::columnsAboutToBeRemoved, this, &V::noteLayoutAll)
                           << connect(model, &M::layoutAboutToBeChanged, this, &V::noteLayoutAll)
                           << connect(model, &M::rowsAboutToBeMoved, this, &V::noteLayoutAll)
                           << connect(model, &M::columnsAboutToBeMoved, this, &V::noteLayoutAll);
    }
    m_layoutAll = true;
    m_rowsMoveFrom = -1;
    m_rowsMoved = false;
    slotRowsChanged();
}

ExportResult CopyableTableView::writeTextFile(const QString &fileName, const QString &text,
                                              const QString &encoding, bool quiet, bool uniqueName)
{
    ExportResult result;
    result.fileName = uniqueName && QFileInfo::exists(fileName) ? uniqueFileName(fileName) : fileName;
    QTextCodec *codec =
        encoding.isEmpty() ? QTextCodec::codecForLocale() : QTextCodec::codecForName(encoding.toLatin1());
    if (!codec) {
        result.error = tr("Неизвестная кодировка: %1").arg(encoding);
    } else {
        // The encoder skips any byte-order mark the codec would put first.
        const QByteArray bytes = QTextEncoder(codec, QTextCodec::IgnoreHeader).fromUnicode(text);
        result.ok = atomicWrite(result.fileName, bytes, &result.error);
    }

    if (!quiet) {
        if (result.ok) {
            QMessageBox::information(this, tr("Успех!"), tr("Файл успешно сохранен!"));
        } else {
            QMessageBox box(QMessageBox::Critical, tr("Ошибка!"), tr("Не удалось записать в файл!"),
                            QMessageBox::Ok, this);
            box.setInformativeText(QDir::toNativeSeparators(result.fileName) + QLatin1Char('\n') +
                                   result.error);
            box.exec();
        }
    }
    return result;
}

QString CopyableTableView::cellsToText(const QModelIndexList &cells) const
{
    const QChar tab = QLatin1Char('\t');
    const QChar lineFeed = QLatin1Char('\n');
    const bool horizontal = model() && !horizontalHeader()->isHidden();
    const bool vertical = model() && !verticalHeader()->isHidden();
    QString text;
    if (horizontal && vertical)
        text += tab;
    if (horizontal) {
        for (int column : columnsOf(cells))
            text += model()->headerData(column, Qt::Horizontal).toString() + tab;
        text += lineFeed;
    }

    int previousRow = -1;
    bool first = true;
    for (const QModelIndex &cell : sortedByRow(cells)) {
        const bool newRow = first || cell.row() != previousRow;
        if (!first)
            text += newRow ? lineFeed : tab;
        if (newRow && vertical)
            text += model()->headerData(cell.row(), Qt::Vertical).toString() + tab;
        text += cellText(cell);
        previousRow = cell.row();
        first = false;
    }
    return text;
}

QString CopyableTableView::cellsToHtmlTable(const QModelIndexList &cells, bool withSpans) const
{
    const bool horizontal = model() && !horizontalHeader()->isHidden();
    const bool vertical = model() && !verticalHeader()->isHidden();
    QString html =
        QStringLiteral("<center>\n<table style=\"width:100%\" border=1 cellspacing=0 cellpadding=4>\n");
    if (horizontal) {
        html += QStringLiteral("<thead><tr bgcolor=#f0f0f0>");
        if (vertical)
            html += QStringLiteral("<th></th>");
        for (int column : columnsOf(cells))
            html += QStringLiteral("<th>") + model()->headerData(column, Qt::Horizontal).toString() +
                    QStringLiteral("</th>");
        html += QStringLiteral("</tr></thead>\n");
    }

    // Cells are visited row by row, so the top-left cell of a span comes before the cells it covers.
    QSet<QPair<int, int>> covered;
    int previousRow = -1;
    bool first = true;
    for (const QModelIndex &cell : sortedByRow(cells)) {
        const int row = cell.row();
        const int column = cell.column();
        if (first || row != previousRow) {
            if (!first)
                html += QStringLiteral("</tr>\n");
            html += QStringLiteral("<tr>");
            if (vertical)
                html += QStringLiteral("<th bgcolor=#f0f0f0>") +
                        model()->headerData(row, Qt::Vertical).toString() + QStringLiteral("</th>");
            previousRow = row;
            first = false;
        }
        if (!withSpans) {
            html += QStringLiteral("<td nowrap>") + cellText(cell) + QStringLiteral("</td>");
            continue;
        }
        if (covered.contains({row, column}))
            continue;
        const int rows = rowSpan(row, column);
        const int columns = columnSpan(row, column);
        for (int r = row; r < row + rows; ++r) {
            for (int c = column; c < column + columns; ++c) {
                if (r != row || c != column)
                    covered.insert({r, c});
            }
        }
        QString value = cellText(cell);
        if (value.isEmpty())
            value = QStringLiteral(" ");
        html += QStringLiteral("<td style=\"vertical-align: middle\" rowspan=\"") + QString::number(rows) +
                QStringLiteral("\" colspan=\"") + QString::number(columns) +
                QStringLiteral("\"><div><pre style=\"margin: 0.5mm;\">") + value +
                QStringLiteral("</pre></div></td>");
    }
    if (!first)
        html += QStringLiteral("</tr>\n");

    // Qt's rich-text printing ignores a page break on <br>; an empty block carries it.
    html += QStringLiteral("</table>\n<p style=\"page-break-after: always\"></p>\n</center>\n");
    return html;
}

QString CopyableTableView::toHtmlDocument(bool withTitle, const QString &textBefore, const QString &textAfter)
{
    const QModelIndexList cells = allVisibleCells();
    QString html = QStringLiteral("<!DOCTYPE html>\n") + pageStart(m_title);
    if (withTitle)
        html += titleBlock(m_title);
    html += textBefore + cellsToHtmlTable(cells, true) + textAfter;
    html += pageEnd;
    return html;
}

QString CopyableTableView::toPagedHtmlDocument()
{
    QVector<QModelIndexList> groups;
    for (const QModelIndex &cell : allVisibleCells()) {
        const int group = cell.column() / columnsPerPage;
        if (groups.size() <= group)
            groups.resize(group + 1);
        groups[group].append(cell);
    }

    QString html = pageStart(m_title) + titleBlock(m_title);
    const auto marker = [](const QString &text) -> QString {
        return QStringLiteral("<th><center><i>") + text + QStringLiteral("</i></center></th>");
    };
    for (int group = 0; group < groups.size(); ++group) {
        if (groups.at(group).isEmpty())
            continue;
        html += cellsToHtmlTable(groups.at(group), true);
        if (group + 1 < groups.size() && !groups.at(group + 1).isEmpty()) {
            html += marker(QLatin1Char('[') + QString::number(group + 1) + QLatin1Char(']')) +
                    marker(tr("Разрыв заголовка")) +
                    marker(QLatin1Char('[') + QString::number(group + 2) + QLatin1Char(']'));
        }
    }
    html += pageEnd;
    return html;
}

QString CopyableTableView::toCsv(bool withHeader, const QDateTime &generatedAt)
{
    flushPendingRefresh(model());
    const QChar separator = QLatin1Char(';');
    const QChar lineEnd = QLatin1Char('\n');
    QString text;
    if (withHeader) {
        const QString date = generatedAt.isValid() ? generatedAt.toString(dateTimeFormat) : now();
        text += m_title + lineEnd + m_comment + lineEnd + tr("Дата формирования отчёта:;") + date + lineEnd +
                lineEnd;
    }
    if (!model())
        return text;

    const QList<int> columns = visibleColumns();
    QStringList fields;
    for (int column : columns)
        fields << csvField(model()->headerData(column, Qt::Horizontal).toString());
    text += fields.join(separator) + lineEnd;
    const int rows = model()->rowCount();
    for (int row = 0; row < rows; ++row) {
        fields.clear();
        for (int column : columns)
            fields << csvField(cellText(model()->index(row, column)));
        text += fields.join(separator) + lineEnd;
    }
    return text;
}

QModelIndexList CopyableTableView::allVisibleCells()
{
    flushPendingRefresh(model());
    QModelIndexList cells;
    if (!model())
        return cells;
    const QList<int> columns = visibleColumns();
    const int rows = model()->rowCount();
    cells.reserve(rows * columns.size());
    for (int row = 0; row < rows; ++row) {
        for (int column : columns)
            cells.append(model()->index(row, column));
    }
    return cells;
}

QModelIndexList CopyableTableView::selectedCells()
{
    flushPendingRefresh(model());
    return selectionModel() ? selectedIndexes() : QModelIndexList();
}

QList<int> CopyableTableView::visibleColumns() const
{
    QList<int> columns;
    for (int column = 0; model() && column < model()->columnCount(); ++column) {
        if (!isColumnHidden(column))
            columns.append(column);
    }
    return columns;
}

void CopyableTableView::slotExportCsv(const QString &dirName, const QString &encoding)
{
    QDir().mkpath(dirName);
    const QString fileName =
        QDir(dirName).filePath(QDateTime::currentDateTime().toString(QStringLiteral("dd_MM_yyyy_hh_mm_ss")) +
                               QStringLiteral(".csv"));
    // Two exports within one second must not overwrite each other.
    writeTextFile(fileName, toCsv(true), encoding, false, true);
}

void CopyableTableView::slotCopyAll()
{
    copyCells(allVisibleCells());
}

void CopyableTableView::slotCopySelected()
{
    copyCells(selectedCells());
}

void CopyableTableView::slotRowsChanged()
{
    emit signalRowCountChanged(model() ? model()->rowCount() : 0);
}

void CopyableTableView::exportHtml()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Сохранить данные"), m_htmlFileName,
                                                          tr("HTML files(*.htm *.html)"));
    if (fileName.isEmpty())
        return;
    m_htmlFileName = fileName;
    // The page declares UTF-8, so it is written in UTF-8 whatever the locale.
    writeTextFile(fileName, toHtmlDocument(true, QString(), QString()), utf8);
}

void CopyableTableView::exportCsv()
{
    const QString encoding = SelectEncodingDialog::getEncoding(this);
    if (encoding.isEmpty())
        return;
    const QString comment =
        CommentEditDialog::getComment(tr("Комментарий к отчету"), tr("Введите комментарий к отчету"), this);
    if (comment.isNull())
        return;
    m_comment = comment;
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Сохранить данные"), m_csvFileName, tr("CSV files(*.csv)"));
    if (fileName.isEmpty())
        return;
    m_csvFileName = fileName;
    writeTextFile(fileName, toCsv(true), encoding);
}

void CopyableTableView::printView()
{
    preview(toPagedHtmlDocument());
}

void CopyableTableView::printViewSelected()
{
    preview(cellsToHtmlTable(selectedCells(), true));
}

void CopyableTableView::slotPrintPreview(QPrinter *printer)
{
    m_printDocument->print(printer);
}

void CopyableTableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        slotCopySelected();
        event->accept();
        return;
    }
    FilledGridTableView::keyPressEvent(event);
}

void CopyableTableView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                    const QVector<int> &roles)
{
    // The base class repaints the whole viewport for a range, and looks up every changed cell's place
    // even where it is out of sight. A model that announces values one by one, a unit's type or its
    // inputs as one range, would cost every value that. Instead the changed cells in sight are
    // gathered and repainted once when the event loop turns (this view opens no editors to update).
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        FilledGridTableView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // Assistive tools hear of the change through the base class, told of the first cell alone.
    if (QAccessible::isActive())
        FilledGridTableView::dataChanged(topLeft, topLeft, roles);
    if (!isVisible())
        return;
    int top = topLeft.row();
    int bottom = bottomRight.row();
    if (!verticalHeader()->sectionsMoved()) {
        const int firstShown = rowAt(0);
        const int lastShown = rowAt(viewport()->height() - 1);
        top = qMax(top, firstShown);
        if (lastShown >= 0)
            bottom = qMin(bottom, lastShown);
        if (firstShown < 0 || top > bottom)
            return;
    }
    const QRect cells(QPoint(topLeft.column(), top), QPoint(bottomRight.column(), bottom));
    if (m_changedCells.isEmpty())
        QMetaObject::invokeMethod(this, &CopyableTableView::repaintChangedCells, Qt::QueuedConnection);
    addChangedCells(m_changedCells, cells);
}

void CopyableTableView::repaintChangedCells()
{
    // A model's deferred re-filter would move rows after the cells are marked, and their marks
    // with them: a row that leaves would have the row that takes its place painted again.
    flushPendingRefresh(model());
    markChangedCells();
}

void CopyableTableView::markChangedCells()
{
    const QVector<QRect> changed = std::exchange(m_changedCells, {});
    const QAbstractItemModel *source = model();
    if (!source || !isVisible())
        return;
    // Rows may have gone since: what is left of each block is repainted, and a layout repaints all.
    const int rows = source->rowCount(rootIndex());
    const int columns = source->columnCount(rootIndex());
    QRegion region;
    for (const QRect &cells : changed) {
        const QRect left = cells & QRect(0, 0, columns, rows);
        if (left.isEmpty())
            continue;
        region += visualRegionForSelection(QItemSelection(source->index(left.top(), left.left(), rootIndex()),
                                                          source->index(left.bottom(), left.right(), rootIndex())));
    }
    if (!region.isEmpty())
        viewport()->update(region);
}

void CopyableTableView::noteRowsMoving(const QModelIndex &parent, int first, int last, bool coming)
{
    if (parent.isValid() || verticalHeader()->sectionsMoved()) {
        m_layoutAll = true;
        return;
    }
    m_rowsMoved = true;
    // Where the first row that comes or goes starts now; rows scrolled out above move everything.
    const int rows = model()->rowCount(rootIndex());
    int from = 0;
    if (first < rows)
        from = rowViewportPosition(first);
    else if (rows > 0)
        from = rowViewportPosition(rows - 1) + rowHeight(rows - 1);

    // The rows below keep their pixels, moved on screen now, while the screen still shows the rows
    // as they were: a paint before the next layout already paints the rows where they go. Cells
    // changed so far are marked first, where they show now, and move with their rows.
    const QRect below(0, from, viewport()->width(), viewport()->height() - from);
    if (!m_rowChangesRepaintBelow || m_layoutAll || !isVisible() || from < 0 || below.isEmpty() ||
        viewport()->testAttribute(Qt::WA_WState_InPaintEvent)) {
        m_rowsMoveFrom = m_rowsMoveFrom < 0 ? qMax(0, from) : qMin(m_rowsMoveFrom, qMax(0, from));
        return;
    }
    if (!coming) {
        m_changedCells.erase(std::remove_if(m_changedCells.begin(), m_changedCells.end(),
                                            [first, last](const QRect &cells) {
                                                return cells.top() >= first && cells.bottom() <= last;
                                            }),
                             m_changedCells.end());
    }
    // Not the model's deferred re-filter: the model is in the middle of a change.
    markChangedCells();
    // A header gives rows that come its default height; one resized later repaints from there down.
    const int shift = coming ? (last - first + 1) * verticalHeader()->defaultSectionSize()
                             : from - (rowViewportPosition(last) + rowHeight(last));
    viewport()->scroll(0, shift, below);
}

void CopyableTableView::doItemsLayout()
{
    const int from = std::exchange(m_rowsMoveFrom, -1);
    const bool moved = std::exchange(m_rowsMoved, false);
    const bool all = std::exchange(m_layoutAll, false);
    // A row leaving or entering the list would repaint the whole page; on a page of units that is
    // each time a unit's type or state moves it in or out of the list.
    if (!m_rowChangesRepaintBelow || all || !moved || !isVisible()) {
        FilledGridTableView::doItemsLayout();
        return;
    }
    // As the base class does, less the repaint of the rows that moved on screen already. A changed
    // scroll position scrolls the viewport by itself.
    updateGeometries();
    if (!verticalHeader()->updatesEnabled())
        verticalHeader()->setUpdatesEnabled(true);
    if (from >= 0)
        viewport()->update(QRect(0, from, viewport()->width(), viewport()->height() - from));
}

void CopyableTableView::changeEvent(QEvent *event)
{
    // A new style or font lays every row out anew.
    m_layoutAll = true;
    FilledGridTableView::changeEvent(event);
}

void CopyableTableView::copyCells(const QModelIndexList &cells)
{
    if (cells.isEmpty())
        return;
    auto *mimeData = new QMimeData;
    mimeData->setHtml(cellsToHtmlTable(cells, true));
    mimeData->setText(cellsToText(cells));
    QGuiApplication::clipboard()->setMimeData(mimeData);
}

void CopyableTableView::preview(const QString &html)
{
    m_printDocument->setHtml(html);
    dropTrailingPageBreaks(m_printDocument);
    QPrintPreviewDialog dialog(this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CopyableTableView::slotPrintPreview);
    dialog.exec();
}
