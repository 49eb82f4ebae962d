#include "cachedscrollbar.h"
#include "commenteditdialog.h"
#include "copyabletableview.h"
#include "filledgridtableview.h"
#include "modalwatcher.h"
#include "pendingrefresh.h"
#include "selectencodingdialog.h"
#include "settings.h"
#include "stableheaderview.h"
#include "tableexport.h"
#include "testhelpers.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <unistd.h>

namespace {

// Cells read "a0", "b0", ... (column letter, row number); headers "A", "B", ...
QStandardItemModel *letterModel(int rows, int columns, QObject *parent)
{
    auto *model = new QStandardItemModel(rows, columns, parent);
    for (int column = 0; column < columns; ++column) {
        const QChar letter = QLatin1Char(char('a' + column % 26));
        model->setHorizontalHeaderItem(column, new QStandardItem(QString(letter.toUpper())));
        for (int row = 0; row < rows; ++row)
            model->setItem(row, column, new QStandardItem(letter + QString::number(row)));
    }
    return model;
}

// Holds a new filter back until flushed, as a proxy that coalesces its re-filters does.
class DeferredFilter : public QSortFilterProxyModel, public PendingRefresh
{
public:
    QString pending;
    void flushPending() override
    {
        if (!pending.isNull())
            setFilterFixedString(pending);
        pending.clear();
    }
};

bool writeOld(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write("old") == 3;
}

QString cp1251(const QByteArray &bytes)
{
    return QTextCodec::codecForName("Windows-1251")->toUnicode(bytes);
}

const QRegularExpression dateLine(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
const QString tableOpen =
    QStringLiteral("<center>\n<table style=\"width:100%\" border=1 cellspacing=0 cellpadding=4>\n");
const QString tableClose =
    QStringLiteral("</table>\n<p style=\"page-break-after: always\"></p>\n</center>\n");

QString spanCell(const QString &value, int rows, int columns)
{
    return QStringLiteral("<td style=\"vertical-align: middle\" rowspan=\"%1\" colspan=\"%2\"><div><pre "
                          "style=\"margin: 0.5mm;\">%3</pre></div></td>")
        .arg(rows)
        .arg(columns)
        .arg(value);
}

} // namespace

class InsetScrollBarStyle : public QProxyStyle
{
public:
    InsetScrollBarStyle()
        : QProxyStyle(QStringLiteral("fusion"))
    {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        if (control != CC_ScrollBar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        painter->save();
        painter->setClipRect(option->rect.adjusted(2, 2, -2, -2));
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        painter->restore();
    }
};

class TestCopyableTableView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void csvText_data();
    void csvText();
    void htmlTable_data();
    void htmlTable();
    void pagedPrintStartsEachGroupOnANewPage();
    void clipboardHoldsHtmlAndText_data();
    void clipboardHoldsHtmlAndText();
    void readersFlushDeferredFilter_data();
    void readersFlushDeferredFilter();
    void rowCountFollowsModel();
    void rangeChangesRepaintWhereTheyShow_data();
    void rangeChangesRepaintWhereTheyShow();
    void rowsComingAndGoingShowAsAFreshPaint_data();
    void rowsComingAndGoingShowAsAFreshPaint();
    void stableHeaderMeasuresAsAPlainOne_data();
    void stableHeaderMeasuresAsAPlainOne();
    void exportCsvDialogs_data();
    void exportCsvDialogs();
    void writeTextFile_data();
    void writeTextFile();
    void reportWriters();
    void filledGridPaintsTheViewsLines_data();
    void filledGridPaintsTheViewsLines();
    void scrollBarPaintsAsAPlainOne_data();
    void scrollBarPaintsAsAPlainOne();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QTemporaryDir *m_dir = nullptr;
};

void TestCopyableTableView::initTestCase()
{
    Q_INIT_RESOURCE(images);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestCopyableTableView::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestCopyableTableView::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestCopyableTableView::csvText_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("hideLast");
    QTest::addColumn<QString>("lines");

    const QVariant x(QStringLiteral("x"));
    QTest::addRow("plain") << "B" << x << "" << false << "A;B;C\na0;x;c0\n";
    QTest::addRow("semicolon in value") << "B" << QVariant("x;y") << "" << false << "A;B;C\na0;\"x;y\";c0\n";
    QTest::addRow("quote in header") << "B \"1\"" << x << "" << false << "A;\"B \"\"1\"\"\";C\na0;x;c0\n";
    QTest::addRow("line break in value")
        << "B" << QVariant("x\ny") << "" << false << "A;B;C\na0;\"x\ny\";c0\n";
    QTest::addRow("hidden column left out") << "B" << x << "" << true << "A;B\na0;x\n";
    QTest::addRow("date-time") << "B" << QVariant(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3))) << "" << false
                               << "A;B;C\na0;09.03.2024 07:05:03;c0\n";
    QTest::addRow("tooltip without display value")
        << "B" << QVariant() << "тип" << false << "A;B;C\na0;тип;c0\n";
    QTest::addRow("empty value, no tooltip")
        << "B" << QVariant(QString()) << "тип" << false << "A;B;C\na0;;c0\n";
}

void TestCopyableTableView::csvText()
{
    QFETCH(QString, header);
    QFETCH(QVariant, value);
    QFETCH(QString, toolTip);
    QFETCH(bool, hideLast);
    QFETCH(QString, lines);

    auto *model = letterModel(1, 3, this);
    model->setHorizontalHeaderItem(1, new QStandardItem(header));
    model->setData(model->index(0, 1), value, Qt::DisplayRole);
    model->setData(model->index(0, 1), toolTip, Qt::ToolTipRole);
    CopyableTableView view;
    view.setModel(model);
    view.setColumnHidden(2, hideLast);
    view.setTitle(QStringLiteral("RYN адрес 3.\nТипы: 1;2"));

    QCOMPARE(view.toCsv(false), lines);
    const QStringList withHeader = view.toCsv(true).split(QLatin1Char('\n'));
    QCOMPARE(withHeader.mid(0, 3), QStringList({"RYN адрес 3.", "Типы: 1;2", ""}));
    QVERIFY(withHeader.at(3).startsWith(QStringLiteral("Дата формирования отчёта:;")));
    QVERIFY(dateLine.match(withHeader.at(3).section(QLatin1Char(';'), 1)).hasMatch());
    QCOMPARE(withHeader.mid(4).join(QLatin1Char('\n')), QLatin1Char('\n') + lines);
}

void TestCopyableTableView::htmlTable_data()
{
    QTest::addColumn<QRect>("span"); // x = column, y = row
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<bool>("withSpans");
    QTest::addColumn<bool>("headers");
    QTest::addColumn<QString>("body");

    const QString tr = QStringLiteral("<tr>");
    const QString endTr = QStringLiteral("</tr>\n");
    QTest::addRow("row span leaves out the cell below")
        << QRect(0, 0, 1, 2) << 0 << 2 << true << false
        << tr + spanCell("a0", 2, 1) + spanCell("b0", 1, 1) + endTr + tr + spanCell("b1", 1, 1) + endTr + tr +
               spanCell(" ", 1, 1) + spanCell("b2", 1, 1) + endTr;
    QTest::addRow("column span leaves out the cell beside")
        << QRect(0, 1, 2, 1) << 1 << 2 << true << false
        << tr + spanCell("a1", 1, 2) + endTr + tr + spanCell(" ", 1, 1) + spanCell("b2", 1, 1) + endTr;
    QTest::addRow("selection from row 5 without spans")
        << QRect(0, 0, 1, 2) << 5 << 6 << false << false
        << "<tr><td nowrap>a5</td><td nowrap>b5</td></tr>\n<tr><td nowrap></td><td nowrap>b6</td></tr>\n";
    QTest::addRow("headers") << QRect() << 5 << 6 << false << true
                             << "<thead><tr bgcolor=#f0f0f0><th></th><th>A</th><th>B</th></tr></thead>\n"
                                "<tr><th bgcolor=#f0f0f0>6</th><td nowrap>a5</td><td nowrap>b5</td></tr>\n"
                                "<tr><th bgcolor=#f0f0f0>7</th><td nowrap></td><td nowrap>b6</td></tr>\n";
}

void TestCopyableTableView::htmlTable()
{
    QFETCH(QRect, span);
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    QFETCH(bool, withSpans);
    QFETCH(bool, headers);
    QFETCH(QString, body);

    auto *model = letterModel(7, 2, this);
    model->setData(model->index(2, 0), QString());
    model->setData(model->index(6, 0), QString());
    CopyableTableView view;
    view.setModel(model);
    view.horizontalHeader()->setHidden(!headers);
    view.verticalHeader()->setHidden(!headers);
    if (span.isValid())
        view.setSpan(span.y(), span.x(), span.height(), span.width());
    QModelIndexList cells;
    for (int row = lastRow; row >= firstRow; --row) // out of order on purpose
        cells << model->index(row, 1) << model->index(row, 0);
    QCOMPARE(view.cellsToHtmlTable(cells, withSpans), tableOpen + body + tableClose);
}

void TestCopyableTableView::pagedPrintStartsEachGroupOnANewPage()
{
    auto *model = letterModel(2, 30, this);
    model->setHorizontalHeaderItem(5, new QStandardItem(QStringLiteral("скрытый")));
    CopyableTableView view;
    view.setModel(model);
    view.setColumnHidden(5, true);

    const QString html = view.toPagedHtmlDocument();
    QCOMPARE(html.count(QStringLiteral("<table ")), 3);
    for (int group : {1, 2}) {
        QVERIFY(html.contains(
            QStringLiteral("<th><center><i>[%1]</i></center></th><th><center><i>Разрыв заголовка"
                           "</i></center></th><th><center><i>[%2]</i></center></th>")
                .arg(group)
                .arg(group + 1)));
    }
    QVERIFY(!html.contains(QStringLiteral("скрытый")) && !html.contains(QStringLiteral(">f0<")));
    QVERIFY(html.contains(spanCell(QStringLiteral("d1"), 1, 1)));

    int previewPages = 0;
    whenModal<QPrintPreviewDialog>([&previewPages](QPrintPreviewDialog *dialog) {
        previewPages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
        dialog->reject();
    });
    view.printView();
    QCOMPARE(previewPages, 3);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("print.pdf")));
        view.slotPrintPreview(&printer);
    }
    QCOMPARE(fileBytes(path(QStringLiteral("print.pdf"))).count("/Type /Page\n"), 3);
}

void TestCopyableTableView::clipboardHoldsHtmlAndText_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QString>("text");

    QTest::addRow("both headers") << "all" << true << true << "\tA\tB\t\n1\ta0\tb0\n2\ta1\tb1";
    QTest::addRow("column headers") << "all" << true << false << "A\tB\t\na0\tb0\na1\tb1";
    QTest::addRow("row headers") << "all" << false << true << "1\ta0\tb0\n2\ta1\tb1";
    QTest::addRow("no headers") << "all" << false << false << "a0\tb0\na1\tb1";
    QTest::addRow("ctrl+c copies the selected row") << "ctrl+c" << true << true << "\tA\tB\t\n2\ta1\tb1";
    QTest::addRow("nothing selected keeps the clipboard") << "selected" << true << true << "old";
}

void TestCopyableTableView::clipboardHoldsHtmlAndText()
{
    QFETCH(QString, action);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    QFETCH(QString, text);

    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    CopyableTableView view;
    view.setModel(letterModel(2, 2, this));
    view.horizontalHeader()->setHidden(!horizontal);
    view.verticalHeader()->setHidden(!vertical);
    if (action == QLatin1String("all")) {
        view.slotCopyAll();
    } else if (action == QLatin1String("ctrl+c")) {
        view.selectRow(1);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    } else {
        view.slotCopySelected();
    }
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(mime->text(), text);
    QCOMPARE(mime->hasHtml() && mime->html().contains(spanCell(QStringLiteral("b1"), 1, 1)), text != "old");
}

void TestCopyableTableView::readersFlushDeferredFilter_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<bool>("behindProxy");

    for (const char *reader : {"csv", "html", "paged", "copy", "models csv"})
        QTest::addRow("%s", reader) << QString::fromLatin1(reader) << false;
    QTest::addRow("behind another proxy") << "csv" << true;
}

void TestCopyableTableView::readersFlushDeferredFilter()
{
    QFETCH(QString, reader);
    QFETCH(bool, behindProxy);

    QStandardItemModel source;
    source.appendRow(new QStandardItem(QStringLiteral("keep")));
    source.appendRow(new QStandardItem(QStringLiteral("drop")));
    DeferredFilter filter;
    filter.setSourceModel(&source);
    QSortFilterProxyModel outer;
    outer.setSourceModel(&filter);
    QAbstractItemModel *shown = behindProxy ? static_cast<QAbstractItemModel *>(&outer) : &filter;
    CopyableTableView view;
    view.setModel(shown);
    filter.pending = QStringLiteral("keep");

    QString text;
    if (reader == QLatin1String("csv")) {
        text = view.toCsv(true);
    } else if (reader == QLatin1String("html")) {
        text = view.toHtmlDocument(true, QString(), QString());
    } else if (reader == QLatin1String("paged")) {
        text = view.toPagedHtmlDocument();
    } else if (reader == QLatin1String("copy")) {
        view.slotCopyAll();
        text = QGuiApplication::clipboard()->text();
    } else {
        text = cp1251(fileBytes(exportModelsCsv({shown}, QString(), path(QStringLiteral("r.csv"))).fileName));
    }
    QVERIFY(text.contains(QStringLiteral("keep")));
    QVERIFY(!text.contains(QStringLiteral("drop")));
}

void TestCopyableTableView::rowCountFollowsModel()
{
    auto *model = letterModel(3, 1, this);
    CopyableTableView view;
    QSignalSpy spy(&view, &CopyableTableView::signalRowCountChanged);
    view.setModel(model);
    const auto lastCount = [&spy]() {
        const int count = spy.isEmpty() ? -1 : spy.last().at(0).toInt();
        spy.clear();
        return count;
    };
    QCOMPARE(lastCount(), 3);
    model->appendRow(new QStandardItem);
    QCOMPARE(lastCount(), 4);
    model->removeRows(0, 2);
    QCOMPARE(lastCount(), 2);
    model->sort(0, Qt::DescendingOrder);
    QCOMPARE(lastCount(), 2);
    model->clear();
    QCOMPARE(lastCount(), 0);
}

void TestCopyableTableView::rangeChangesRepaintWhereTheyShow_data()
{
    QTest::addColumn<QRect>("range"); // columns x..right, rows y..bottom
    QTest::addColumn<int>("hiddenColumn");
    QTest::addRow("one-cell") << QRect(1, 2, 1, 1) << -1;
    QTest::addRow("part-of-a-row") << QRect(0, 2, 6, 1) << -1;
    QTest::addRow("block") << QRect(1, 1, 3, 4) << -1;
    QTest::addRow("row-running-out-of-sight") << QRect(0, 0, 20, 1) << -1;
    QTest::addRow("over-a-hidden-column") << QRect(1, 3, 4, 2) << 2;
}

// A model may announce a whole row or several columns as changed at once; every changed cell in
// sight is repainted, and nothing more than the range.
void TestCopyableTableView::rangeChangesRepaintWhereTheyShow()
{
    QFETCH(QRect, range);
    QFETCH(int, hiddenColumn);
    struct PaintLog : QObject
    {
        QRegion painted;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    } log;
    QStandardItemModel *model = letterModel(30, 20, this);
    CopyableTableView view;
    view.setModel(model);
    if (hiddenColumn >= 0)
        view.setColumnHidden(hiddenColumn, true);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.viewport()->installEventFilter(&log);
    for (int turn = 0; turn < 10; ++turn) {
        log.painted = QRegion();
        QTest::qWait(30);
        if (log.painted.isEmpty())
            break;
    }
    QVERIFY(log.painted.isEmpty());

    emit model->dataChanged(model->index(range.top(), range.left()),
                            model->index(range.bottom(), range.right()));
    QTRY_VERIFY(!log.painted.isEmpty());
    const QRect viewport = view.viewport()->rect();
    for (int row = range.top(); row <= range.bottom(); ++row) {
        for (int column = range.left(); column <= range.right(); ++column) {
            const QRect cell = view.visualRect(model->index(row, column)) & viewport;
            QVERIFY2((QRegion(cell) - log.painted).isEmpty(),
                     qPrintable(QStringLiteral("%1,%2").arg(row).arg(column)));
        }
    }
    QVERIFY(!(QRegion(viewport) - log.painted).isEmpty());
}

void TestCopyableTableView::rowsComingAndGoingShowAsAFreshPaint_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("scrolledTo");
    QTest::addColumn<int>("changedBefore"); // a cell's row changed before the rows move, -1: none
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count"); // > 0: rows come, < 0: rows go
    QTest::addColumn<int>("changedAfter");
    QTest::addColumn<bool>("tall"); // rows sized to their contents, the rows that come two lines high
    QTest::addColumn<bool>("heldBack"); // behind a filter whose re-filter waits for the turn to end
    QTest::addColumn<int>("selected"); // a row selected and current before the rows move, -1: none
    QTest::addRow("one-goes") << 40 << 0 << -1 << 3 << -1 << -1 << false << false << -1;
    QTest::addRow("three-go") << 40 << 0 << -1 << 2 << -3 << -1 << false << false << -1;
    QTest::addRow("two-come") << 40 << 0 << -1 << 3 << 2 << -1 << false << false << -1;
    QTest::addRow("changed-then-one-goes-above") << 40 << 0 << 8 << 2 << -1 << -1 << false << false << -1;
    QTest::addRow("changed-then-one-comes-above") << 40 << 0 << 8 << 2 << 1 << -1 << false << false << -1;
    QTest::addRow("one-goes-then-changed-below") << 40 << 0 << -1 << 2 << -1 << 8 << false << false << -1;
    QTest::addRow("the-changed-row-goes") << 40 << 0 << 4 << 4 << -1 << -1 << false << false << -1;
    QTest::addRow("rows-come-at-the-end") << 5 << 0 << -1 << 5 << 2 << -1 << false << false << -1;
    QTest::addRow("one-goes-above-the-top") << 40 << 5 << -1 << 1 << -1 << -1 << false << false << -1;
    QTest::addRow("tall-rows-come") << 40 << 0 << 6 << 3 << 2 << -1 << true << false << -1;
    QTest::addRow("tall-rows-go") << 40 << 0 << 6 << 3 << -2 << -1 << true << false << -1;
    QTest::addRow("rows-come-while-a-re-filter-waits") << 40 << 0 << 8 << 3 << 2 << -1 << false << true << -1;
    QTest::addRow("the-selected-row-goes") << 40 << 0 << -1 << 4 << -1 << -1 << false << false << 4;
    QTest::addRow("rows-come-above-the-selected-row") << 40 << 0 << -1 << 3 << 2 << -1 << false << false << 8;
}

// Rows that come or go in sight move the rows below them on screen rather than repainting them:
// what the view shows afterwards, as painted, is what a fresh rendering shows.
void TestCopyableTableView::rowsComingAndGoingShowAsAFreshPaint()
{
    QFETCH(int, rows);
    QFETCH(int, scrolledTo);
    QFETCH(int, changedBefore);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, changedAfter);
    QFETCH(bool, tall);
    QFETCH(bool, heldBack);
    QFETCH(int, selected);
    QStandardItemModel *model = letterModel(rows, 6, this);
    // Rows come in the middle of the filter's own change: the view must not make it re-filter then.
    DeferredFilter filter;
    filter.setSourceModel(model);
    QAbstractItemModelTester tester(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // In a window, as views are.
    QWidget window;
    auto *view = new CopyableTableView(&window);
    view->setRowChangesRepaintBelow(true);
    view->setModel(heldBack ? static_cast<QAbstractItemModel *>(&filter) : model);
    if (tall)
        view->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->resize(400, 300);
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    view->verticalScrollBar()->setValue(scrolledTo);
    if (selected >= 0) {
        view->setFocus();
        view->selectRow(selected);
    }
    const auto shown = [&window] {
        return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto rendered = [&window] { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QTRY_COMPARE(shown(), rendered());

    if (changedBefore >= 0)
        model->item(changedBefore, 1)->setText(QStringLiteral("changed"));
    if (heldBack)
        filter.pending = QStringLiteral("1");
    if (count > 0) {
        model->insertRows(first, count);
        for (int row = first; row < first + count; ++row)
            model->setItem(row, 0, new QStandardItem(tall ? QStringLiteral("new\nrow") : QStringLiteral("new")));
    } else {
        model->removeRows(first, -count);
    }
    if (changedAfter >= 0)
        model->item(changedAfter, 2)->setText(QStringLiteral("later"));
    QTRY_COMPARE(shown(), rendered());
}

void TestCopyableTableView::stableHeaderMeasuresAsAPlainOne_data()
{
    QTest::addColumn<QString>("change");
    QTest::addRow("a-cell") << QStringLiteral("cell");
    QTest::addRow("a-header-text") << QStringLiteral("header");
    // A plain header measures its first and last hundred sections: sorting brings the long label
    // from the middle to the top.
    QTest::addRow("rows-sorted") << QStringLiteral("sort");
}

// The header keeps its measure while cells change, and measures anew whatever a plain header
// measures anew for.
void TestCopyableTableView::stableHeaderMeasuresAsAPlainOne()
{
    QFETCH(QString, change);
    QStandardItemModel *model = letterModel(300, 2, this);
    model->setHeaderData(150, Qt::Vertical, QStringLiteral("a label longer than any number"));
    model->setData(model->index(150, 0), QStringLiteral("_first"));
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(model);
    CopyableTableView view;
    auto *header = new StableHeaderView(Qt::Vertical, &view);
    view.setVerticalHeader(header);
    view.setModel(&proxy);
    const auto plainHint = [&proxy] {
        QHeaderView plain(Qt::Vertical);
        plain.setModel(&proxy);
        return plain.sizeHint();
    };
    QCOMPARE(header->sizeHint(), plainHint());

    if (change == QLatin1String("cell"))
        model->setData(model->index(3, 1), QStringLiteral("a much longer text than before"));
    else if (change == QLatin1String("header"))
        model->setHeaderData(3, Qt::Vertical, QStringLiteral("a header text longer than that"));
    else
        proxy.sort(0);
    QCOMPARE(header->sizeHint(), plainHint());
}

void TestCopyableTableView::exportCsvDialogs_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("pick");            // -1: close the encoding window, -2: take what is offered
    QTest::addColumn<QString>("comment");     // null: cancel
    QTest::addColumn<QByteArray>("expected"); // the file without its date line; empty: no file

    const QByteArray table("\n\n\xc0;B\n\xe0\x30;b0\n");
    QTest::addRow("stored choice offered")
        << "Windows-1251" << -2 << "Проверка" << QByteArray("\n\xcf\xf0\xee\xe2\xe5\xf0\xea\xe0") + table;
    QTest::addRow("utf-8 without bom")
        << "Windows-1251" << 0 << "x" << QByteArray("\nx\n\n\xd0\x90;B\n\xd0\xb0\x30;b0\n");
    QTest::addRow("empty comment is no cancel") << "" << 1 << "" << QByteArray("\n") + table;
    QTest::addRow("encoding window closed") << "UTF-8" << -1 << "x" << QByteArray();
    QTest::addRow("comment cancelled") << "" << 1 << QString() << QByteArray();
}

void TestCopyableTableView::exportCsvDialogs()
{
    QFETCH(QString, stored);
    QFETCH(int, pick);
    QFETCH(QString, comment);
    QFETCH(QByteArray, expected);

    const QString group = QStringLiteral("Encoding");
    Settings::writeValue(stored, QStringLiteral("CsvEncoding"), group);
    const QString fileName = path(QStringLiteral("export.csv"));
    auto *model = letterModel(1, 2, this);
    model->setHorizontalHeaderItem(0, new QStandardItem(QStringLiteral("А")));
    model->setData(model->index(0, 0), QStringLiteral("а0"));
    QString offered;
    QString chosen;
    QString boxText;
    {
        CopyableTableView view;
        view.setModel(model);
        whenModal<SelectEncodingDialog>([&](SelectEncodingDialog *dialog) {
            auto *combo = dialog->findChild<QComboBox *>();
            offered = combo->currentText();
            if (pick == -1) {
                dialog->close();
                return;
            }
            combo->setCurrentIndex(pick >= 0 ? pick : combo->currentIndex());
            chosen = combo->currentText();
            whenModal<CommentEditDialog>([&](CommentEditDialog *commentDialog) {
                if (!comment.isEmpty())
                    commentDialog->findChild<QPlainTextEdit *>()->setPlainText(comment);
                const auto buttons = commentDialog->findChildren<QPushButton *>();
                if (comment.isNull()) {
                    buttons.at(1)->click();
                    return;
                }
                whenModal<QFileDialog>([&](QFileDialog *fileDialog) {
                    whenModal<QMessageBox>([&boxText](QMessageBox *box) {
                        boxText = box->text();
                        box->accept();
                    });
                    acceptFile(fileDialog, fileName);
                });
                buttons.at(0)->click();
            });
            dialog->findChild<QPushButton *>()->click();
        });
        view.exportCsv();
    }

    QCOMPARE(offered, stored.isEmpty() ? QStringLiteral("UTF-8") : stored);
    QCOMPARE(Settings::readValue(QStringLiteral("CsvEncoding"), group).toString(),
             pick == -1 ? stored : chosen);
    const QString csvPath =
        Settings::readValue(QStringLiteral("CsvFileName"), QStringLiteral("CopyableTableView")).toString();
    QCOMPARE(csvPath, expected.isEmpty() ? QDir::homePath() : fileName);
    QCOMPARE(boxText, expected.isEmpty() ? QString() : QStringLiteral("Файл успешно сохранен!"));
    QList<QByteArray> lines = fileBytes(fileName).split('\n');
    if (lines.size() > 2) {
        QVERIFY(
            lines.at(2).startsWith(chosen == "UTF-8" ? "Дата формирования отчёта:;" : "\xc4\xe0\xf2\xe0 "));
        QVERIFY(dateLine.match(QString::fromLatin1(lines.takeAt(2)).section(';', 1)).hasMatch());
    }
    QCOMPARE(lines.join('\n'), expected);
}

void TestCopyableTableView::writeTextFile_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<bool>("unique");
    QTest::addColumn<QString>("written"); // empty: the write fails

    const QStringList report{"report.csv"};
    QTest::addRow("free name") << QStringList() << "report.csv"
                               << "" << true << "report.csv";
    QTest::addRow("first number") << report << "report.csv"
                                  << "" << true << "report_1.csv";
    QTest::addRow("next free number") << QStringList{"report.csv", "report_1.csv"} << "report.csv"
                                      << "" << true << "report_2.csv";
    QTest::addRow("before the last dot") << QStringList{"r.v1.csv"} << "r.v1.csv"
                                         << "" << true << "r.v1_1.csv";
    QTest::addRow("no dot: number at the end") << QStringList{"report"} << "report"
                                               << "" << true << "report_1";
    QTest::addRow("dot only in the folder") << QStringList{"a.b/r"} << "a.b/r"
                                            << "" << true << "a.b/r_1";
    QTest::addRow("replaced without the flag") << report << "report.csv"
                                               << "" << false << "report.csv";
    QTest::addRow("directory in place of the file") << report << "a.b"
                                                    << "" << false << "";
    QTest::addRow("folder is a file") << report << "report.csv/x.csv"
                                      << "" << true << "";
    QTest::addRow("read-only folder") << QStringList{"ro/r.csv"} << "ro/r.csv"
                                      << "" << false << "";
    QTest::addRow("unknown encoding") << report << "report.csv"
                                      << "no-such-codec" << false << "";
}

void TestCopyableTableView::writeTextFile()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, requested);
    QFETCH(QString, encoding);
    QFETCH(bool, unique);
    QFETCH(QString, written);

    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("a.b")) &&
            QDir(m_dir->path()).mkpath(QStringLiteral("ro")));
    for (const QString &name : existing)
        QVERIFY(writeOld(path(name)));
    if (requested.startsWith(QLatin1String("ro/"))) {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner));
    }
    // A failure is reported on screen unless the caller asks for quiet, and to the caller always.
    const bool quiet = !written.isEmpty();
    QString boxText;
    if (!quiet)
        whenModal<QMessageBox>([&boxText](QMessageBox *box) {
            boxText = box->text();
            box->accept();
        });
    CopyableTableView view;
    const ExportResult result =
        view.writeTextFile(path(requested), QStringLiteral("Дата\n"), encoding, quiet, unique);
    QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(result.ok, !written.isEmpty());
    QCOMPARE(result.error.isEmpty(), result.ok);
    QCOMPARE(boxText, quiet ? QString() : QStringLiteral("Не удалось записать в файл!"));
    if (result.ok) {
        QCOMPARE(result.fileName, path(written));
        QCOMPARE(fileBytes(path(written)), QByteArray("\xd0\x94\xd0\xb0\xd1\x82\xd0\xb0\n"));
    }
    for (const QString &name : existing) {
        if (name != written)
            QCOMPARE(fileBytes(path(name)), QByteArray("old"));
    }
    QVERIFY(QFileInfo(path(QStringLiteral("a.b"))).isDir());
}

void TestCopyableTableView::reportWriters()
{
    QStandardItemModel info;
    info.setHorizontalHeaderLabels({QString(), QString()});
    info.appendRow({new QStandardItem(QStringLiteral("Версия")), new QStandardItem(QStringLiteral("1.2"))});
    auto *units = letterModel(1, 2, this);
    units->setData(units->index(0, 0), QStringLiteral("ИП"));
    QVERIFY(writeOld(path(QStringLiteral("R 3.csv"))));

    ExportResult result = exportModelsCsv({&info, units}, QStringLiteral("RYN адрес 3.\n"), path("R 3.csv"));
    QVERIFY(result.ok);
    QCOMPARE(result.fileName, path(QStringLiteral("R 3_1.csv")));
    QStringList lines = cp1251(fileBytes(result.fileName)).split(QLatin1Char('\n'));
    QVERIFY(lines.takeAt(3).startsWith(QStringLiteral("Дата формирования отчёта:;")));
    QCOMPARE(lines, QStringList(
                        {"RYN адрес 3.", "", "", "", ";", "Версия;1.2", "", "", "", "", "A;B", "ИП;b0", ""}));

    CopyableTableView view;
    view.setModel(units);
    view.setTitle(QStringLiteral("Протокол"));
    QVERIFY(!exportHtmlFile(&view, QString(), QString(), QString()).ok);
    QVERIFY(writeOld(path(QStringLiteral("P 5.htm"))));
    result = exportHtmlFile(&view, QStringLiteral("<pre>до</pre>"), QStringLiteral("<b>после</b>"),
                            path("P 5.htm"));
    QVERIFY(result.ok);
    QCOMPARE(result.fileName, path(QStringLiteral("P 5_1.htm")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 5); // the settings, two CSVs, two HTML pages
    const QString html = QString::fromUtf8(fileBytes(result.fileName));
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                                           "<title>Протокол</title>\n")));
    QVERIFY(!html.contains(QStringLiteral("<h1>")));
    QVERIFY(html.contains(QStringLiteral("<pre>до</pre><center>")));
    QVERIFY(html.endsWith(QStringLiteral("</center>\n<b>после</b></body>\n</html>\n")));
    QVERIFY(html.contains(spanCell(QStringLiteral("ИП"), 1, 1)));
}

void TestCopyableTableView::filledGridPaintsTheViewsLines_data()
{
    QTest::addColumn<bool>("rowHeaderShown");
    QTest::addColumn<bool>("columnHeaderShown");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<bool>("scrolled");
    QTest::addColumn<int>("hiddenRow");
    QTest::addColumn<int>("hiddenColumn");
    QTest::addColumn<QSize>("cells"); // columns, rows

    const QSize many(12, 40);
    const QSize few(4, 5); // the grid ends inside the viewport
    QTest::addRow("headers") << true << true << false << false << -1 << -1 << many;
    QTest::addRow("no-headers") << false << false << false << false << -1 << -1 << many;
    QTest::addRow("no-headers-scrolled") << false << false << false << true << -1 << -1 << many;
    QTest::addRow("hidden-row-and-column") << true << true << false << false << 2 << 1 << many;
    QTest::addRow("hidden-last-row") << true << true << false << false << 4 << -1 << few;
    QTest::addRow("right-to-left") << true << true << true << false << -1 << -1 << many;
    QTest::addRow("right-to-left-no-headers") << false << false << true << false << -1 << 0 << many;
    QTest::addRow("right-to-left-few") << true << true << true << false << -1 << -1 << few;
    QTest::addRow("scrolled") << true << true << false << true << -1 << -1 << many;
    QTest::addRow("few") << true << true << false << false << -1 << -1 << few;
}

void TestCopyableTableView::filledGridPaintsTheViewsLines()
{
    QFETCH(bool, rowHeaderShown);
    QFETCH(bool, columnHeaderShown);
    QFETCH(bool, rightToLeft);
    QFETCH(bool, scrolled);
    QFETCH(int, hiddenRow);
    QFETCH(int, hiddenColumn);
    QFETCH(QSize, cells);

    FilledGridTableView view;
    view.setModel(letterModel(cells.height(), cells.width(), &view));
    view.verticalHeader()->setVisible(rowHeaderShown);
    view.horizontalHeader()->setVisible(columnHeaderShown);
    view.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    view.setRowHidden(hiddenRow, hiddenRow >= 0);
    view.setColumnHidden(hiddenColumn, hiddenColumn >= 0);
    view.setColumnWidth(3, 17);
    view.setRowHeight(4, 41);
    view.resize(430, 260);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    if (scrolled) {
        view.verticalScrollBar()->setValue(5);
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
    }

    // The whole viewport, then a part that starts and ends inside cells, as a repaint of a few cells.
    const QRect viewport = view.viewport()->rect();
    for (const QRegion &region : {QRegion(viewport), QRegion(23, 11, 150, 70) + QRegion(200, 140, 90, 60)}) {
        const auto rendered = [&](bool filled) {
            view.setGridFilled(filled);
            QImage image(viewport.size(), QImage::Format_RGB32);
            image.fill(Qt::magenta);
            view.viewport()->render(&image, region.boundingRect().topLeft(), region);
            return image;
        };
        const QImage lines = rendered(false);
        const QImage filled = rendered(true);
        QVERIFY(view.isGridFilled());
        QCOMPARE(filled, lines);
    }
}

QTEST_MAIN(TestCopyableTableView)
#include "tst_copyabletableview.moc"

void TestCopyableTableView::scrollBarPaintsAsAPlainOne_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    // What changes on both bars after each has painted once: the kept picture must not be shown then.
    QTest::addColumn<QString>("change");
    for (const Qt::Orientation orientation : {Qt::Vertical, Qt::Horizontal}) {
        const char *name = orientation == Qt::Vertical ? "vertical" : "horizontal";
        for (const char *change : {"none", "value", "range", "page", "disabled", "palette", "size", "inverted",
                                   "right-to-left", "hovered", "inset-style"}) {
            // A vertical bar looks the same either way.
            if (orientation == Qt::Horizontal || qstrcmp(change, "right-to-left") != 0)
                QTest::addRow("%s-%s", name, change) << orientation << QString::fromLatin1(change);
        }
    }
}

// A bar that keeps its picture shows what a plain bar shows, after a change and back again.
void TestCopyableTableView::scrollBarPaintsAsAPlainOne()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QString, change);
    QWidget window;
    window.resize(300, 300);
    CachedScrollBar cached(orientation, &window);
    QScrollBar plain(orientation, &window);
    const QSize size = orientation == Qt::Vertical ? QSize(16, 200) : QSize(200, 16);
    cached.setGeometry(QRect(QPoint(0, 0), size));
    plain.setGeometry(QRect(orientation == Qt::Vertical ? QPoint(100, 0) : QPoint(0, 100), size));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto apply = [&](QScrollBar &bar, bool changed) {
        bar.setRange(0, change == QLatin1String("range") && changed ? 30 : 100);
        bar.setPageStep(change == QLatin1String("page") && changed ? 60 : 20);
        bar.setValue(change == QLatin1String("value") && changed ? 70 : 40);
        bar.setEnabled(!(change == QLatin1String("disabled") && changed));
        QPalette palette = window.palette();
        if (change == QLatin1String("palette") && changed)
            palette.setColor(QPalette::Button, Qt::darkRed);
        bar.setPalette(palette);
        bar.resize(change == QLatin1String("size") && changed ? size * 3 / 4 : size);
        bar.setInvertedAppearance(change == QLatin1String("inverted") && changed);
        bar.setLayoutDirection(change == QLatin1String("right-to-left") && changed ? Qt::RightToLeft
                                                                                   : Qt::LeftToRight);
    };
    // As painted over what is behind it; with the mouse on the slider, or away.
    const auto shown = [&](const QScrollBar &bar, bool hovered) {
        const QPoint onSlider = orientation == Qt::Vertical ? QPoint(8, 86) : QPoint(86, 8);
        QTest::mouseMove(&window, hovered ? bar.geometry().topLeft() + onSlider : QPoint(250, 250));
        return window.grab(bar.geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const bool hovers = change == QLatin1String("hovered");
    // A style that leaves the bar's edge to what is behind it.
    InsetScrollBarStyle insetStyle;
    if (change == QLatin1String("inset-style")) {
        window.setStyle(&insetStyle);
        cached.setStyle(&insetStyle);
        plain.setStyle(&insetStyle);
    }
    QImage before;
    for (const bool changed : {false, true, false}) {
        apply(cached, changed);
        apply(plain, changed);
        const QImage expected = shown(plain, hovers && changed);
        QCOMPARE(shown(cached, hovers && changed), expected);
        if (changed && change != QLatin1String("none") && change != QLatin1String("inset-style"))
            QVERIFY(expected != before);
        before = expected;
    }
}
