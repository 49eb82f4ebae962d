#include "aucellparametersmodel.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "aufilterproxymodel.h"
#include "auinfowidget.h"
#include "aumenu.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "aureledialog.h"
#include "copyabletableview.h"
#include "menupicker.h"
#include "modalwatcher.h"
#include "readingrynsprogressdialog.h"
#include "ryninfowidget.h"
#include "rynselectdialog.h"
#include "settings.h"
#include "tableexport.h"
#include "tablespans.h"
#include "testhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <functional>

using namespace AuProperty;

using TypeSummary = QMap<HardTypes, QPair<QString, QString>>;

class TestAuPropertiesWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listsConfiguredUnitsWithValues_data();
    void listsConfiguredUnitsWithValues();
    void typeFilterHidesRowsAndEmptyColumns_data();
    void typeFilterHidesRowsAndEmptyColumns();
    void parameterWindowFromAGrid();
    void templatesInTheSettings_data();
    void templatesInTheSettings();
    void reportTitle_data();
    void reportTitle();
    void readersSeeChangesOfTheSameTurn_data();
    void readersSeeChangesOfTheSameTurn();
    void rowMenuCommandsTheClickedUnit_data();
    void rowMenuCommandsTheClickedUnit();
    void configurationFromTheRowMenu();
    void reportBytes_data();
    void reportBytes();
    void protocolOfAController();
    void documentActionsStartTheirRun_data();
    void documentActionsStartTheirRun();
    void cancelAfterTwoOfFive_data();
    void cancelAfterTwoOfFive();
    void completedRunClosesAndNextRunAddsNumber();
    void failedWriteShownAsFailed();
    void outOfRangeRunRefused_data();
    void outOfRangeRunRefused();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    QTemporaryDir *m_dir = nullptr;
    QTableWidget m_reportTable;
    QTableWidget m_protocolTable;
};

namespace {

// The texts of one source column down the listed rows; empty when the column is not shown.
QStringList columnTexts(const AuPropertiesWidget &page, int sourceColumn)
{
    const QAbstractItemModel *shown = page.view()->model();
    const QString header = auPropertyHeader(sourceColumn);
    QStringList texts;
    for (int column = 0; column < shown->columnCount(); ++column) {
        if (shown->headerData(column, Qt::Horizontal).toString() != header)
            continue;
        for (int row = 0; row < shown->rowCount(); ++row)
            texts << shown->index(row, column).data().toString();
    }
    return texts;
}

QStringList addresses(const AuPropertiesWidget &page)
{
    return columnTexts(page, Address);
}

// The address cell of a unit's row in the table; invalid when the unit is not listed.
QModelIndex rowOf(const AuPropertiesWidget &page, int addr)
{
    const QAbstractItemModel *shown = page.view()->model();
    for (int column = 0; column < shown->columnCount(); ++column) {
        if (shown->headerData(column, Qt::Horizontal).toString() != auPropertyHeader(Address))
            continue;
        for (int row = 0; row < shown->rowCount(); ++row) {
            if (shown->index(row, column).data().toInt() == addr)
                return shown->index(row, column);
        }
    }
    return QModelIndex();
}

// A smoke detector, an input module and a heat detector, all in normal state.
void feedMixedLoop(AuPropertiesModel *model)
{
    const int units[][2] = {{1, SmokeDetector}, {2, InputModule2}, {3, HeatDetector}};
    for (const auto &unit : units) {
        model->slotSetType(unit[0], unit[1]);
        model->slotSetGeneralState(unit[0], 0);
    }
}

// Answers the dialogs of the next run: the controller choice (a range; 0 keeps the choice as it is),
// the file-name template, then hands the progress dialog to `during`.
void answerRun(int start, int end, const QString &chosenFile,
               const std::function<void(ReadingRynsProgressDialog *)> &during)
{
    whenModal<RynSelectDialog>([start, end](RynSelectDialog *dialog) {
        if (start > 0) {
            dialog->findChild<QRadioButton *>(QStringLiteral("2"))->click();
            dialog->findChild<QSpinBox *>(QStringLiteral("rangeEnd"))->setValue(end);
            dialog->findChild<QSpinBox *>(QStringLiteral("rangeStart"))->setValue(start);
        }
        dialog->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    });
    whenModal<QFileDialog>([chosenFile](QFileDialog *dialog) {
        acceptFile(dialog, chosenFile);
    });
    whenModal<ReadingRynsProgressDialog>(during);
}

// Answers every message box until destroyed, keeping "title|text" of each.
class MessageBoxes : public QObject
{
public:
    MessageBoxes()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        });
        m_timer.start(5);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

struct ProgressRow
{
    bool success = false;
    bool failure = false;
};

ProgressRow progressRow(const ReadingRynsProgressDialog *dialog, int rynAddr)
{
    return {dialog->findChild<QLabel *>(QStringLiteral("success%1").arg(rynAddr))->isVisible(),
            dialog->findChild<QLabel *>(QStringLiteral("failure%1").arg(rynAddr))->isVisible()};
}

QStringList filesIn(const QString &dirName, const QString &pattern)
{
    return QDir(dirName).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace

void TestAuPropertiesWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
    qRegisterMetaType<TypeSummary>();
}

void TestAuPropertiesWidget::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestAuPropertiesWidget::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestAuPropertiesWidget::listsConfiguredUnitsWithValues_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("listed");
    QTest::addRow("normal") << 0 << true;
    QTest::addRow("fire") << 4 << true;
    QTest::addRow("not-configured") << 8 << false;
    QTest::addRow("double-address") << 9 << true;
}

void TestAuPropertiesWidget::listsConfiguredUnitsWithValues()
{
    QFETCH(int, state);
    QFETCH(bool, listed);
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    AuPropertiesModel *model = page.model();
    model->slotSetType(5, SmokeDetector);
    model->slotSetGeneralState(5, 0);
    model->slotSetSmoke(5, 48);
    model->slotSetType(7, SmokeDetector);
    model->slotSetFirmwareVersion(7, 12);
    model->slotSetGeneralState(7, state);
    model->slotSetGeneralState251(state);
    QTRY_VERIFY(!page.proxyModel()->isFilterPending());

    const QStringList expected =
        listed ? QStringList{QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("251")}
               : QStringList{QStringLiteral("5")};
    QCOMPARE(addresses(page), expected);
    QCOMPARE(columnTexts(page, Smoke).first(), QStringLiteral("48 ед."));
    QCOMPARE(columnTexts(page, Type).first(), auTypeName(SmokeDetector));
    // The general state decides the listing only: it is never a column.
    QVERIFY(columnTexts(page, GeneralState).isEmpty());

    // A unit configured later comes into the list.
    model->slotSetGeneralState(7, 0);
    QTRY_VERIFY(addresses(page).contains(QStringLiteral("7")));

    QSignalSpy summary(&page, &AuPropertiesWidget::signalTypeVersionCountMap);
    page.sendTypeVersionCountMap();
    QCOMPARE(summary.count(), 1);
    const auto types = summary.first().first().value<TypeSummary>();
    QCOMPARE(types.value(SmokeDetector), qMakePair(QStringLiteral("0/12"), QStringLiteral("2")));
}

void TestAuPropertiesWidget::typeFilterHidesRowsAndEmptyColumns_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QList<int>>("shownColumns");
    QTest::addColumn<QList<int>>("hiddenColumns");
    QTest::addRow("nothing-hidden") << QList<int>{} << QStringList{"1", "2", "3"}
                                    << QList<int>{Smoke, Input1, Temperature} << QList<int>{Output1};
    QTest::addRow("smoke-hidden") << QList<int>{SmokeDetector} << QStringList{"2", "3"}
                                  << QList<int>{Input1, Temperature} << QList<int>{Smoke, Dustiness};
    QTest::addRow("inputs-and-heat-hidden")
        << QList<int>{InputModule2, InputModule2A, InputModule4, HeatDetector, HeatDetector2}
        << QStringList{"1"} << QList<int>{Smoke, Fire} << QList<int>{Input1, Temperature};
    QTest::addRow("everything-hidden") << QList<int>{SmokeDetector, InputModule2, HeatDetector}
                                       << QStringList{} << QList<int>{} << QList<int>{Address, Type, Smoke};
}

void TestAuPropertiesWidget::typeFilterHidesRowsAndEmptyColumns()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QStringList, listed);
    QFETCH(QList<int>, shownColumns);
    QFETCH(QList<int>, hiddenColumns);
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    QCOMPARE(tabs.propertiesModel(), page->model());
    feedMixedLoop(page->model());

    tabs.slotFilterChanged(hidden);
    QTRY_COMPARE(addresses(*page), listed);
    for (int column : shownColumns)
        QVERIFY2(!columnTexts(*page, column).isEmpty(), qPrintable(auPropertyHeader(column)));
    const QAbstractItemModel *shown = page->view()->model();
    for (int column : hiddenColumns) {
        for (int c = 0; c < shown->columnCount(); ++c)
            QVERIFY2(shown->headerData(c, Qt::Horizontal).toString() != auPropertyHeader(column),
                     qPrintable(auPropertyHeader(column)));
    }

    // Lifting the filter brings everything back.
    tabs.slotFilterChanged({});
    QTRY_COMPARE(addresses(*page), (QStringList{"1", "2", "3"}));
}

void TestAuPropertiesWidget::parameterWindowFromAGrid()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    feedMixedLoop(page->model());
    page->model()->slotSetSmoke(1, 61);
    QSignalSpy shown(page, qOverload<>(&AuPropertiesWidget::signalShowAuParams));
    QSignalSpy hidden(page, &AuPropertiesWidget::signalHideAuParams);

    QString title;
    QStringList rows;
    int shownWhileOpen = -1;
    int hiddenWhileOpen = -1;
    QString retitled;
    whenModal<QDialog>([&](QDialog *dialog) {
        title = dialog->windowTitle();
        shownWhileOpen = shown.count();
        hiddenWhileOpen = hidden.count();
        const QAbstractItemModel *list = page->parametersView()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            rows << list->index(row, 0).data().toString() + QLatin1Char('=') +
                        list->index(row, 1).data().toString();
        // Asked for another unit while open: the same window shows it, the worker goes on reading.
        emit tabs.generalGrid()->signalShowAuParams(2);
        retitled = dialog->windowTitle();
        hiddenWhileOpen += hidden.count();
        dialog->accept();
    });
    emit tabs.smokeGrid()->signalShowAuParams(1);

    QCOMPARE(title, QStringLiteral("АУ адрес 1"));
    QCOMPARE(retitled, QStringLiteral("АУ адрес 2"));
    QCOMPARE(shownWhileOpen, 1);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(hiddenWhileOpen, 0);
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(page->parametersDialog()->size(), QSize(500, 500));
    QVERIFY(rows.contains(auPropertyHeader(Type) + QLatin1Char('=') + auTypeName(SmokeDetector)));
    QVERIFY(rows.contains(auPropertyHeader(Smoke) + QStringLiteral("=61 ед.")));
    for (const QString &row : qAsConst(rows))
        QVERIFY2(!row.startsWith(auPropertyHeader(Input1)) && !row.startsWith(auPropertyHeader(Address)),
                 qPrintable(row));
}

void TestAuPropertiesWidget::templatesInTheSettings_data()
{
    QTest::addColumn<QVariant>("stored");        // invalid: no key
    QTest::addColumn<QString>("expectedReport"); // empty: the default
    QTest::addRow("absent") << QVariant() << QString();
    QTest::addRow("empty-falls-back") << QVariant(QString()) << QString();
    QTest::addRow("stored-kept") << QVariant(QStringLiteral("/srv/out/R")) << QStringLiteral("/srv/out/R");
}

void TestAuPropertiesWidget::templatesInTheSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, expectedReport);
    const QString group = QStringLiteral("AuPropertiesWidget");
    if (stored.isValid())
        Settings::writeValue(stored, QStringLiteral("ReportFileNameTemplate"), group);
    const QList<int> noFilter;
    {
        AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
        // The default names a file in the home folder, not one beside it.
        const QString report = AuPropertiesWidget::defaultReportFileNameTemplate();
        const QString protocol = AuPropertiesWidget::defaultProtocolFileNameTemplate();
        QCOMPARE(QFileInfo(report).absolutePath(), QDir::homePath());
        QCOMPARE(QFileInfo(report).fileName(), QStringLiteral("Отчёт о состоянии АУ и RYN"));
        QCOMPARE(QFileInfo(protocol).absolutePath(), QDir::homePath());
        QCOMPARE(QFileInfo(protocol).fileName(), QStringLiteral("Протокол обследования RYN"));

        QCOMPARE(page.reportFileNameTemplate(), expectedReport.isEmpty() ? report : expectedReport);
        QCOMPARE(page.protocolFileNameTemplate(), protocol);
        page.setProtocolFileNameTemplate(QStringLiteral("/srv/out/P"));
    }
    QSettings file(Settings::fileName, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("AuPropertiesWidget/ProtocolFileNameTemplate")).toString(),
             QStringLiteral("/srv/out/P"));
    AuPropertiesWidget again(&m_reportTable, &m_protocolTable, &noFilter);
    QCOMPARE(again.protocolFileNameTemplate(), QStringLiteral("/srv/out/P"));
}

void TestAuPropertiesWidget::reportTitle_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QList<int>>("shownTypes");
    QTest::addRow("no-filter") << QList<int>{} << QList<int>{};
    // Hidden types keep the filter's order; shown ones go by code: only unit types with a label (12 has
    // none, nor has the controller's code 100).
    QTest::addRow("smoke-then-heat") << QList<int>{SmokeDetector, HeatDetector}
                                     << QList<int>{1,  3,  5,  6,  7,  8,  9,  10, 11, 13, 14,
                                                   15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    QTest::addRow("relays-and-all-smoke")
        << QList<int>{RelayModule4, SmokeHeatDetector2, SmokeDetector, SmokeHeatDetector, RelayModule2}
        << QList<int>{1, 2, 3, 5, 6, 7, 8, 9, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
}

void TestAuPropertiesWidget::reportTitle()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QList<int>, shownTypes);
    Settings::writeValue(3, QStringLiteral("RynAddr"), QStringLiteral("System"));
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    QString expected = QStringLiteral("RYN адрес 3.\n");
    if (!hidden.isEmpty()) {
        QStringList hiddenNames;
        for (int type : hidden)
            hiddenNames << auTypeName(type);
        QStringList shownNames;
        for (int type : shownTypes)
            shownNames << auTypeName(type);
        expected += QStringLiteral("Применён фильтр. Скрытые типы: ") +
                    hiddenNames.join(QStringLiteral(", ")) + QStringLiteral(".\nОтображаемые типы: ") +
                    shownNames.join(QStringLiteral(", ")) + QStringLiteral(".\n");
    }
    QCOMPARE(page.reportTitle(3), expected);

    // A right-click titles the table's own exports for the current controller and offers them.
    emit page.view()->customContextMenuRequested(QPoint(10, 200));
    QCOMPARE(page.view()->title(), expected);
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(page.plainMenu()));
    QCOMPARE(page.plainMenu()->actions(), page.view()->actions());
    page.plainMenu()->close();
}

void TestAuPropertiesWidget::readersSeeChangesOfTheSameTurn_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("change");
    for (const QString &reader : {QStringLiteral("copy"), QStringLiteral("csv")}) {
        for (const QString &change :
             {QStringLiteral("configured"), QStringLiteral("filtered"), QStringLiteral("retyped")})
            QTest::addRow("%s-%s", qPrintable(reader), qPrintable(change)) << reader << change;
    }
}

// Values and filters arrive in bursts and the table re-filters once the burst is over; a copy or an
// export made in the middle of a burst must still hold what the table is about to show.
void TestAuPropertiesWidget::readersSeeChangesOfTheSameTurn()
{
    QFETCH(QString, reader);
    QFETCH(QString, change);
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    AuPropertiesModel *model = page->model();
    feedMixedLoop(model);
    model->slotSetType(9, InputModule4);
    model->slotSetGeneralState(9, 8);
    QTRY_VERIFY(!page->proxyModel()->isFilterPending());

    QString present;
    QString absent;
    if (change == QLatin1String("configured")) {
        // The row itself shows at once; the columns only it fills come with the re-filter.
        model->slotSetGeneralState(9, 0);
        present = auPropertyHeader(Input3);
    } else if (change == QLatin1String("filtered")) {
        tabs.slotFilterChanged({SmokeDetector});
        absent = auTypeName(SmokeDetector);
    } else {
        model->slotSetType(1, RelayModule2);
        present = auPropertyHeader(Output1);
        absent = auTypeName(SmokeDetector);
    }
    QVERIFY(page->proxyModel()->isFilterPending());

    QString text;
    if (reader == QLatin1String("copy")) {
        page->view()->slotCopyAll();
        text = QGuiApplication::clipboard()->text();
    } else {
        const ExportResult written =
            exportModelsCsv({page->proxyModel()}, QString(), QStringLiteral("r.csv"));
        QVERIFY(written.ok);
        QFile file(written.fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        text = QTextCodec::codecForName("Windows-1251")->toUnicode(file.readAll());
    }
    if (!present.isEmpty())
        QVERIFY2(text.contains(present), qPrintable(text));
    if (!absent.isEmpty())
        QVERIFY2(!text.contains(absent), qPrintable(text));
}

void TestAuPropertiesWidget::reportBytes_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QString>("filterLines");
    QTest::addColumn<QStringList>("listed");
    QTest::addRow("no-filter") << QList<int>{} << QString() << QStringList{"1", "2", "3"};
    // Hidden types in the filter's order, shown ones by code.
    QStringList shown;
    for (int type : {1, 3, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})
        shown << auTypeName(type);
    QTest::addRow("smoke-and-heat-hidden")
        << QList<int>{SmokeDetector, HeatDetector}
        << QStringLiteral("Применён фильтр. Скрытые типы: ") + auTypeName(SmokeDetector) +
               QStringLiteral(", ") + auTypeName(HeatDetector) + QStringLiteral(".\nОтображаемые типы: ") +
               shown.join(QStringLiteral(", ")) + QStringLiteral(".\n")
        << QStringList{"2"};
}

// A controller's report: the title, an empty comment, the date, the information table with its empty
// header, four empty lines, then the listed units with every column, in Windows-1251.
void TestAuPropertiesWidget::reportBytes()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QString, filterLines);
    QFETCH(QStringList, listed);
    QTableWidget info(3, 2);
    info.setHorizontalHeaderItem(0, new QTableWidgetItem);
    info.setHorizontalHeaderItem(1, new QTableWidgetItem);
    info.setItem(0, 0, new QTableWidgetItem(QStringLiteral("Тип")));
    info.setItem(0, 1, new QTableWidgetItem(QStringLiteral("1")));
    info.setItem(1, 0, new QTableWidgetItem(QStringLiteral("Версия")));
    info.setItem(1, 1, new QTableWidgetItem(QStringLiteral("3 – 14")));
    AuPropertiesWidget page(&info, &m_protocolTable, &hidden);
    feedMixedLoop(page.model());
    page.setDocumentClock([] { return QDateTime(QDate(2024, 3, 1), QTime(9, 5, 7)); });
    page.setReportFileNameTemplate(path(QStringLiteral("R")));

    const ExportResult written = page.writeDocument(ReportDocuments::Report, 3);
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(written.fileName, path(QStringLiteral("R 3.csv")));
    const QByteArray bytes = fileBytes(written.fileName);
    const QString head = QStringLiteral("RYN адрес 3.\n") + filterLines +
                         QStringLiteral("\n\nДата формирования отчёта:;01.03.2024 09:05:07\n\n"
                                        ";\nТип;1\nВерсия;3 – 14\n;\n\n\n\n\n");
    QTextCodec *cp1251 = QTextCodec::codecForName("Windows-1251");
    const QByteArray headBytes = cp1251->fromUnicode(head);
    QCOMPARE(bytes.left(headBytes.size()), headBytes);
    QVERIFY(bytes.startsWith("RYN \xe0\xe4\xf0\xe5\xf1 3.\n")); // "адрес" in Windows-1251

    // The units as the table lists them now, every column.
    QStringList units = cp1251->toUnicode(bytes.mid(headBytes.size())).split(QLatin1Char('\n'));
    QCOMPARE(units.takeLast(), QString());
    const QStringList header = units.takeFirst().split(QLatin1Char(';'));
    const int addressField = header.indexOf(auPropertyHeader(Address));
    QVERIFY(addressField >= 0);
    QVERIFY(header.contains(auPropertyHeader(Input1)));
    QStringList addresses;
    for (const QString &line : qAsConst(units))
        addresses << line.split(QLatin1Char(';')).value(addressField);
    QCOMPARE(addresses, listed);
}

// A controller's protocol: the type summary goes to the controller view first, the protocol table
// follows the header with its spans, the footer closes it; UTF-8.
void TestAuPropertiesWidget::protocolOfAController()
{
    QTableWidget info;
    QTableWidget summary;
    RYNInfoWidget controller(&info, &summary);
    const QList<int> noFilter;
    AuPropertiesWidget page(&info, &summary, &noFilter);
    connect(&page, &AuPropertiesWidget::signalTypeVersionCountMap, &controller,
            &RYNInfoWidget::slotTypeVersionCountMap);
    feedMixedLoop(page.model());
    controller.slotRynRegistersUpdated(977, 14);
    controller.slotRynRegistersUpdated(1000, 3);
    page.setDocumentClock([] { return QDateTime(QDate(2024, 3, 1), QTime(23, 59)); });
    page.setDocumentLocale(QLocale(QLocale::Russian, QLocale::Russia));
    page.setProtocolFileNameTemplate(path(QStringLiteral("P")));
    QVERIFY(summary.item(3, 2) == nullptr || summary.item(3, 2)->text().isEmpty());

    const ExportResult written = page.writeDocument(ReportDocuments::Protocol, 5);
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(written.fileName, path(QStringLiteral("P 5.htm")));
    const QString html = QString::fromUtf8(fileBytes(written.fileName));
    const QString header = ReportDocuments::protocolHeader(QDate(2024, 3, 1), QLocale(QLocale::Russian), 5,
                                                           QStringLiteral("3 – 14"));
    QVERIFY(header.contains(QStringLiteral("«<u>1</u>» <u> мартa </u> <u> 2024 </u>")));
    QVERIFY(html.startsWith(
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title></title>\n"
                       "</head>\n<body bgcolor=#ffffff link=#5000A0>\n") +
        header + QStringLiteral("<center>\n<table ")));
    QVERIFY(html.endsWith(QStringLiteral("</center>\n") + ReportDocuments::protocolFooter() +
                          QStringLiteral("</body>\n</html>\n")));
    QVERIFY2(html.contains(QStringLiteral("<pre style=\"margin: 0.5mm;\">") + auTypeName(SmokeDetector) +
                           QStringLiteral("</pre>")),
             "the type summary reaches the protocol table before it is copied");

    int rows = 0;
    const QList<QRect> spans = htmlTableSpans(html, 7, &rows);
    QCOMPARE(rows, 31);
    QCOMPARE(spans, viewSpans(summary));
    QVERIFY(spans.contains(QRect(0, 2, 1, 9)) && spans.contains(QRect(2, 26, 1, 3)));
}

void TestAuPropertiesWidget::documentActionsStartTheirRun_data()
{
    QTest::addColumn<bool>("report");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addRow("report") << true << "Выберите шаблон имени для отчёта"
                            << "CSV files(*.csv)";
    QTest::addRow("protocol") << false << "Выберите шаблон имени для протокола"
                              << "HTML files(*.htm *.html)";
}

// Both menus end with the view's actions, a separator and the two document actions; each action
// asks for its own template, and a cancelled template reads nothing.
void TestAuPropertiesWidget::documentActionsStartTheirRun()
{
    QFETCH(bool, report);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    const QList<QAction *> actions = page.view()->actions();
    QCOMPARE(actions.size(), 11);
    QVERIFY(actions.at(8)->isSeparator());
    QCOMPARE(actions.at(9), page.reportAction());
    QCOMPARE(actions.at(9)->text(), QStringLiteral("Сформировать отчёт..."));
    QCOMPARE(actions.at(10)->text(), QStringLiteral("Сформировать протокол..."));
    QCOMPARE(page.plainMenu()->actions(), actions);
    const QList<QAction *> unitActions = page.unitMenu()->actions();
    const int viewActionsAt = unitActions.size() - actions.size();
    QCOMPARE(unitActions.mid(viewActionsAt), actions);
    QVERIFY(unitActions.at(viewActionsAt - 1)->isSeparator());
    page.setReportFileNameTemplate(path(QStringLiteral("R")));
    page.setProtocolFileNameTemplate(path(QStringLiteral("P")));

    QSignalSpy reads(&page, &AuPropertiesWidget::signalReadRyns);
    QString shownTitle;
    QString shownFilter;
    QString startName;
    whenModal<RynSelectDialog>([](RynSelectDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    });
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        shownTitle = dialog->windowTitle();
        shownFilter = dialog->selectedNameFilter();
        startName = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    (report ? page.reportAction() : page.protocolAction())->trigger();
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownFilter, filter);
    QCOMPARE(QFileInfo(startName).fileName(), report ? QStringLiteral("R") : QStringLiteral("P"));
    QCOMPARE(reads.count(), 0);
    QCOMPARE(page.reportFileNameTemplate(), path(QStringLiteral("R")));
    QVERIFY(!page.isRunActive());
}

void TestAuPropertiesWidget::cancelAfterTwoOfFive_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("warning");
    QTest::addRow("report") << int(ReportDocuments::Report)
                            << "Внимание!|Процесс формирования отчётов был прерван пользователем.";
    QTest::addRow("protocol") << int(ReportDocuments::Protocol)
                              << "Внимание!|Процесс формирования протоколов был прерван пользователем.";
}

void TestAuPropertiesWidget::cancelAfterTwoOfFive()
{
    QFETCH(int, kind);
    QFETCH(QString, warning);
    const bool report = kind == ReportDocuments::Report;
    const QString extension = report ? QStringLiteral(".csv") : QStringLiteral(".htm");
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    feedMixedLoop(page.model());
    QSignalSpy reads(&page, &AuPropertiesWidget::signalReadRyns);
    QSignalSpy aborts(&page, &AuPropertiesWidget::signalReadingRynsAborted);
    MessageBoxes boxes;

    int abortsDuringRun = -1;
    answerRun(2, 6, path(QStringLiteral("D") + extension + extension),
              [&](ReadingRynsProgressDialog *dialog) {
                  page.slotRynReadingCompleted(2, true);
                  page.slotRynReadingCompleted(3, true);
                  abortsDuringRun = aborts.count();
                  dialog->cancelButton()->click();
              });
    report ? page.slotMakeReport() : page.slotMakeProtocol();

    QCOMPARE(reads.count(), 1);
    QCOMPARE(reads.first().first().value<QList<int>>(), (QList<int>{2, 3, 4, 5, 6}));
    QCOMPARE(abortsDuringRun, 0);
    QCOMPARE(aborts.count(), 1);
    QCOMPARE(boxes.texts, QStringList{warning});
    QCOMPARE(filesIn(m_dir->path(), QStringLiteral("D*")),
             (QStringList{QStringLiteral("D 2") + extension, QStringLiteral("D 3") + extension}));
    QCOMPARE(report ? page.reportFileNameTemplate() : page.protocolFileNameTemplate(),
             path(QStringLiteral("D")));

    // A completion that crossed the abort on its way writes nothing.
    page.slotRynReadingCompleted(4, true);
    QCOMPARE(filesIn(m_dir->path(), QStringLiteral("D*")).size(), 2);
    QCOMPARE(aborts.count(), 1);
}

void TestAuPropertiesWidget::completedRunClosesAndNextRunAddsNumber()
{
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    feedMixedLoop(page.model());
    QSignalSpy aborts(&page, &AuPropertiesWidget::signalReadingRynsAborted);
    MessageBoxes boxes;

    for (int run = 0; run < 2; ++run) {
        bool closeShown = false;
        answerRun(1, 2, path(QStringLiteral("R.csv")), [&](ReadingRynsProgressDialog *dialog) {
            page.slotRynReadingCompleted(1, true);
            page.slotRynReadingCompleted(2, false);
            closeShown = dialog->closeButton()->isVisible() && !dialog->cancelButton()->isVisible();
            dialog->closeButton()->click();
        });
        page.slotMakeReport();
        QVERIFY(closeShown);
    }
    // Controller 2 failed to read: no document. The second run never replaces the first one's file.
    QCOMPARE(filesIn(m_dir->path(), QStringLiteral("R*")),
             (QStringList{QStringLiteral("R 1.csv"), QStringLiteral("R 1_1.csv")}));
    QCOMPARE(aborts.count(), 0);
    QVERIFY(boxes.texts.isEmpty());

    // Closed by its frame once every controller has completed, the dialog aborts nothing either. The
    // choice of the last run is offered again.
    answerRun(0, 0, path(QStringLiteral("R.csv")), [&](ReadingRynsProgressDialog *dialog) {
        page.slotRynReadingCompleted(1, true);
        page.slotRynReadingCompleted(2, true);
        dialog->reject();
    });
    page.slotMakeReport();
    QCOMPARE(aborts.count(), 0);
    QVERIFY(boxes.texts.isEmpty());
    QVERIFY(QFileInfo::exists(path(QStringLiteral("R 1_2.csv"))));
    QVERIFY(QFileInfo::exists(path(QStringLiteral("R 2.csv"))));
}

// A document that cannot be written is a failure: its row shows the failure picture and, when the
// run ends, one message lists what was not written.
void TestAuPropertiesWidget::failedWriteShownAsFailed()
{
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    feedMixedLoop(page.model());
    QVERIFY(QDir().mkpath(path(QStringLiteral("out"))));
    MessageBoxes boxes;

    ProgressRow written;
    ProgressRow notWritten;
    ProgressRow notRead;
    int boxesDuringRun = -1;
    answerRun(2, 4, path(QStringLiteral("out/R.csv")), [&](ReadingRynsProgressDialog *dialog) {
        page.slotRynReadingCompleted(2, true);
        // The folder goes away (a removed stick, a network share gone) before controller 3 is in.
        QDir(path(QStringLiteral("out"))).removeRecursively();
        QFile blocker(path(QStringLiteral("out")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        page.slotRynReadingCompleted(3, true);
        page.slotRynReadingCompleted(4, false);
        written = progressRow(dialog, 2);
        notWritten = progressRow(dialog, 3);
        notRead = progressRow(dialog, 4);
        boxesDuringRun = boxes.texts.size();
        dialog->closeButton()->click();
    });
    page.slotMakeReport();

    QVERIFY(written.success && !written.failure);
    QVERIFY(!notWritten.success && notWritten.failure);
    QVERIFY(!notRead.success && notRead.failure);
    QCOMPARE(boxesDuringRun, 0);
    QCOMPARE(boxes.texts.size(), 1);
    const QString text = boxes.texts.first();
    QVERIFY2(text.startsWith(QStringLiteral("Ошибка!|")), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(path(QStringLiteral("out/R 3.csv")))), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("R 2.csv")) && !text.contains(QStringLiteral("R 4.csv")),
             qPrintable(text));
}

void TestAuPropertiesWidget::outOfRangeRunRefused_data()
{
    QTest::addColumn<int>("stored");
    QTest::addRow("nine") << 9;
    QTest::addRow("zero") << 0;
}

// A current controller outside 1..8 has no row to show: the run is refused before anything is read.
void TestAuPropertiesWidget::outOfRangeRunRefused()
{
    QFETCH(int, stored);
    Settings::writeValue(stored, QStringLiteral("RynAddr"), QStringLiteral("System"));
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    QSignalSpy reads(&page, &AuPropertiesWidget::signalReadRyns);
    MessageBoxes boxes;
    bool templateAsked = false;
    whenModal<RynSelectDialog>([](RynSelectDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    });
    whenModal<QFileDialog>([&templateAsked](QFileDialog *dialog) {
        templateAsked = true;
        dialog->reject();
    });
    page.slotMakeProtocol();
    QTest::qWait(50);

    QCOMPARE(reads.count(), 0);
    QVERIFY(!templateAsked);
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts.first().startsWith(QStringLiteral("Внимание!|")), qPrintable(boxes.texts.first()));
    QVERIFY2(boxes.texts.first().contains(QString::number(stored)), qPrintable(boxes.texts.first()));
    QVERIFY(!page.isRunActive());
}

void TestAuPropertiesWidget::rowMenuCommandsTheClickedUnit_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("path"); // empty: only whether a menu opens
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("blocking-off") << 3 << 0
                                  << QStringList{QStringLiteral("Блокировка"), QStringLiteral("ВЫКЛ.")}
                                  << true << QStringList{QStringLiteral("send 1300 030100")};
    QTest::addRow("relays-from-the-recorded-outputs")
        << 4 << 0 << QStringList{QStringLiteral("Реле Zirn"), QStringLiteral("ВЫКЛ. ...")} << true
        << QStringList{QStringLiteral("send 1114 040000")};
    QTest::addRow("properties") << 1 << 0 << QStringList{QStringLiteral("Свойства ...")} << true
                                << QStringList{QStringLiteral("params 1")};
    QTest::addRow("address-251") << 251 << 0 << QStringList() << true << QStringList();
    QTest::addRow("address-251-doubled") << 251 << 9 << QStringList() << false << QStringList();
}

void TestAuPropertiesWidget::rowMenuCommandsTheClickedUnit()
{
    QFETCH(int, addr);
    QFETCH(int, state);
    QFETCH(QStringList, path);
    QFETCH(bool, opens);
    QFETCH(QStringList, expected);
    const QList<int> hidden;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    AuPropertiesModel *model = page.model();
    feedMixedLoop(model);
    model->slotSetType(4, RelayModule4);
    model->slotSetGeneralState(4, 0);
    model->slotSetOutput(4, AuCellTypes::Io2, 1, false);
    model->slotSetType(251, SmokeDetector);
    model->slotSetGeneralState251(state);
    page.resize(900, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.flushPendingFilter();
    const QModelIndex index = rowOf(page, addr);
    QVERIFY(index.isValid());

    QStringList requests;
    connect(&page, &AuPropertiesWidget::signalSendCmd, this, [&requests](int code, const QByteArray &info) {
        requests << QStringLiteral("send %1 %2").arg(code).arg(QString::fromLatin1(info.toHex()));
    });
    connect(&page, qOverload<int>(&AuPropertiesWidget::signalShowAuParams), this,
            [&requests](int unit) { requests << QStringLiteral("params %1").arg(unit); });
    // The relay dialog shows relay 2 on, as the table recorded it; the other dialogs are answered plainly.
    ModalAnswerer answerer([](QWidget *modal) {
        if (auto *relays = qobject_cast<AuReleDialog *>(modal))
            relays->okButton()->click();
        else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setIntValue(5);
            input->accept();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    MenuPicker picker(path);
    emit page.view()->customContextMenuRequested(page.view()->visualRect(index).center());
    QTest::qWait(30);
    QCOMPARE(picker.opened, opens);
    QCOMPARE(requests, expected);
    if (opens) {
        QCOMPARE(page.view()->currentIndex().row(), index.row());
        // The table's own actions follow the unit's commands.
        QCOMPARE(
            page.unitMenu()->actions().mid(page.unitMenu()->actions().size() - page.view()->actions().size()),
            page.view()->actions());
    }
}

void TestAuPropertiesWidget::configurationFromTheRowMenu()
{
    const QList<int> hidden;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    feedMixedLoop(page.model());
    page.configurationDialog()->slotRynSelected(1);
    page.resize(900, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.flushPendingFilter();
    QSignalSpy sent(&page, &AuPropertiesWidget::signalSendCmd);
    QString title;
    ModalAnswerer answerer([&title](QWidget *modal) {
        if (auto *dialog = qobject_cast<AuConfigurationDialog *>(modal)) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    MenuPicker picker({QStringLiteral("Конфигурирование ...")});
    const QModelIndex heatDetector = rowOf(page, 3);
    QVERIFY(heatDetector.isValid());
    emit page.view()->customContextMenuRequested(page.view()->visualRect(heatDetector).center());
    QCOMPARE(title, QStringLiteral("Конфигурационные параметры ИПТ по адресу 3"));
    // The dialog's reads leave through the page, for the main window to send.
    QCOMPARE(sent.size(), 6);
    QCOMPARE(sent.first().at(0).toInt(), 101);
}

QTEST_MAIN(TestAuPropertiesWidget)
#include "tst_aupropertieswidget.moc"
