#include "auinfowidget.h"
#include "aupropertieswidget.h"
#include "aupropertycolumns.h"
#include "hardtypes.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "modbuserrorsdialog.h"
#include "modbusmaster.h"
#include "readingrynsprogressdialog.h"
#include "ryninfowidget.h"
#include "rynselectdialog.h"
#include "simprogramfolder.h"
#include "tablespans.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextCodec>
#include <QTextDocument>
#include <QtTest>

// Reports and protocols of the whole program against three simulated controllers: the worker reads
// each chosen controller, the page writes its document from what the views then show.
class TestReportsSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reportOverAllControllers();
    void protocolsReadBackAndPrint();

private:
    struct Outcome
    {
        bool finished = false;
        QMap<int, bool> rows; // address -> success picture shown (failure otherwise); absent: hidden
    };

    void startWindow();
    // Runs a report or protocol over the choice made by `choose`, with the template `chosenFile`,
    // until every controller has completed.
    Outcome run(bool report, const std::function<void(RynSelectDialog *)> &choose, const QString &chosenFile);
    QString path(const QString &name) const { return m_folder->filePath(name); }
    int selectedByWorker() const;
    // The panel's "Сервер" counters: CRC, TimeOut, ModBus.
    QStringList serverCounters() const;
    // Waits until the server counters stay the same over fresh reads of the controller's registers:
    // no answer spoiled earlier is still on its way.
    void settle();
    // Opens the Modbus error statistics from the server counter: its total and the sum of its rows.
    QPair<QString, int> errorStatistics();

    std::unique_ptr<SimProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

// Controller 2 is the one the settings remember. Each loop holds other units, and each controller
// another version; controller 2 has run for 2 days and 4 hours, the others since the start.
// Controller 2 has 18 units of 14 types (more than the protocol's eight type rows), one of them
// without a label (12), and a unit waiting at 251.
const char scenario[] = R"({
  "controllers": [
    { "address": 1, "version": 14, "versionMajor": 3, "initSeconds": 1,
      "units": [ { "addresses": "1-3", "type": 4 } ] },
    { "address": 2, "version": 17, "versionMajor": 4, "initSeconds": 1, "operatingTime": 190000,
      "supply24V": 24.4,
      "units": [ { "addresses": "1-5", "type": 4 }, { "address": 6, "type": 2 },
                { "address": 7, "type": 1 }, { "address": 8, "type": 3 }, { "address": 9, "type": 5 },
                { "address": 10, "type": 6 }, { "address": 11, "type": 7 }, { "address": 12, "type": 8 },
                { "address": 13, "type": 9 }, { "address": 14, "type": 10 }, { "address": 15, "type": 11 },
                { "address": 16, "type": 12 }, { "address": 17, "type": 13 }, { "address": 18, "type": 14 },
                { "address": 251, "type": 4 } ] },
    { "address": 3, "version": 15, "versionMajor": 3, "initSeconds": 1,
      "units": [ { "address": 1, "type": 1 }, { "address": 9, "type": 7 } ] }
  ]
})";

QStringList numbers(int first, int last)
{
    QStringList result;
    for (int n = first; n <= last; ++n)
        result << QString::number(n);
    return result;
}

const QMap<int, QStringList> unitsOf{{1, numbers(1, 3)}, {2, numbers(1, 18) << "251"}, {3, {"1", "9"}}};
// Controller 2's types in code order with their counts; the unit at 251 is none of them.
const QList<QPair<int, int>> typesOf2{{1, 1}, {2, 1}, {3, 1},  {4, 5},  {5, 1},  {6, 1},  {7, 1},
                                      {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}};
const QMap<int, QString> versionOf{{1, "3 – 14"}, {2, "4 – 17"}, {3, "3 – 15"}};

struct Report
{
    QString title;
    QString version;
    QStringList serverCounters; // the tool's own CRC, TimeOut and ModBus counts for the controller
    QString supply;
    QStringList units;
    QMap<QString, QString> typeOf; // unit address -> its "Тип" field
};

// The first line, the information table's version and server no-answer count, and the units'
// addresses of a report.
Report readReport(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QTextCodec::codecForName("Windows-1251")->toUnicode(file.readAll()).split('\n');
    Report report;
    report.title = lines.value(0);
    int addressField = -1;
    int typeField = -1;
    bool serverCounters = false;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(';'));
        if (fields.value(0) == QStringLiteral("Версия"))
            report.version = fields.value(1);
        if (fields.value(0) == QStringLiteral("Напряжение питания"))
            report.supply = fields.value(1);
        if (fields.value(0).startsWith(QStringLiteral("Ошибки ModBus  Сервер")))
            serverCounters = true;
        if (serverCounters && QStringList({"CRC", "TimeOut", "ModBus"}).contains(fields.value(0)))
            report.serverCounters << fields.value(1);
        if (addressField >= 0 && !line.isEmpty()) {
            report.units << fields.value(addressField);
            report.typeOf.insert(fields.value(addressField), fields.value(typeField));
        }
        if (fields.contains(auPropertyHeader(AuProperty::Address))) {
            addressField = fields.indexOf(auPropertyHeader(AuProperty::Address));
            typeField = fields.indexOf(auPropertyHeader(AuProperty::Type));
        }
    }
    return report;
}

int pdfPages(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // Page objects, not the page tree. The file holds NUL bytes: the whole of it is converted.
    const QByteArray bytes = file.readAll();
    return QString::fromLatin1(bytes.constData(), bytes.size())
        .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
}

} // namespace

void TestReportsSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestReportsSim::init()
{
    m_folder = std::make_unique<SimProgramFolder>();
    QVERIFY2(m_folder->start(scenario, 2), qPrintable(m_folder->errorString()));
}

void TestReportsSim::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

void TestReportsSim::startWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->setLanguage(QStringLiteral("RU"));
    m_window->setDocumentLocale(QLocale(QLocale::Russian, QLocale::Russia));
    m_window->show();
    QTRY_VERIFY_WITH_TIMEOUT(m_window->foundMask() == 0b1110 && !m_window->isSearching(), 10000);
    QCOMPARE(m_window->selectedRyn(), 2);
    // Controller 2's units are on show before the run takes the line.
    QTableWidget *info = m_window->auInfoWidget()->reportTable();
    QTRY_VERIFY_WITH_TIMEOUT(info->item(3, 1) && info->item(3, 1)->text() == versionOf.value(2), 10000);
}

int TestReportsSim::selectedByWorker() const
{
    int selected = -1;
    ModbusMaster *worker = m_window->worker();
    QMetaObject::invokeMethod(
        worker, [&selected, worker] { selected = worker->selectedRyn(); }, Qt::BlockingQueuedConnection);
    return selected;
}

QStringList TestReportsSim::serverCounters() const
{
    QStringList counters;
    for (const char *name : {"serverCrcLabel", "serverTimeoutLabel", "serverModbusLabel"})
        counters << m_window->rynInfoWidget()->findChild<QLabel *>(QLatin1String(name))->text();
    return counters;
}

void TestReportsSim::settle()
{
    QTableWidget *info = m_window->auInfoWidget()->reportTable();
    QStringList counters;
    for (int round = 0; round < 10 && counters != serverCounters(); ++round) {
        counters = serverCounters();
        for (int read = 0; read < 2; ++read) {
            const QString requests = info->item(55, 1) ? info->item(55, 1)->text() : QString();
            QTRY_VERIFY_WITH_TIMEOUT(info->item(55, 1) && info->item(55, 1)->text() != requests, 10000);
        }
    }
    QCOMPARE(serverCounters(), counters);
}

QPair<QString, int> TestReportsSim::errorStatistics()
{
    QPair<QString, int> shown;
    whenModal<ModbusErrorsDialog>([&shown](ModbusErrorsDialog *dialog) {
        shown.first = dialog->findChild<QLabel *>(QStringLiteral("totalLabel"))->text();
        const auto *table = dialog->findChild<QTableWidget *>();
        for (int row = 0; row < table->rowCount(); ++row)
            shown.second += table->item(row, 1)->text().toInt();
        dialog->reject();
    });
    QTest::mouseClick(m_window->rynInfoWidget()->findChild<QLabel *>(QStringLiteral("serverModbusLabel")),
                      Qt::LeftButton);
    return shown;
}

TestReportsSim::Outcome TestReportsSim::run(bool report, const std::function<void(RynSelectDialog *)> &choose,
                                            const QString &chosenFile)
{
    Outcome outcome;
    whenModal<RynSelectDialog>([choose](RynSelectDialog *dialog) {
        choose(dialog);
        dialog->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    });
    whenModal<QFileDialog>([chosenFile](QFileDialog *dialog) {
        acceptFile(dialog, chosenFile);
    });
    whenModal<ReadingRynsProgressDialog>([&outcome](ReadingRynsProgressDialog *dialog) {
        outcome.finished = QTest::qWaitFor([dialog] { return dialog->closeButton()->isVisible(); }, 30000);
        for (int address = 1; address <= 8; ++address) {
            const auto *success = dialog->findChild<QLabel *>(QStringLiteral("success%1").arg(address));
            const auto *failure = dialog->findChild<QLabel *>(QStringLiteral("failure%1").arg(address));
            if (success->isVisible() || failure->isVisible())
                outcome.rows.insert(address, success->isVisible());
        }
        (outcome.finished ? dialog->closeButton() : dialog->cancelButton())->click();
    });
    AuPropertiesWidget *page = m_window->auInfoWidget()->propertiesWidget();
    (report ? page->reportAction() : page->protocolAction())->trigger();
    return outcome;
}

void TestReportsSim::reportOverAllControllers()
{
    startWindow();
    // While controller 2 is monitored some answers are missing, spoiled or exceptions: its counters
    // are its own, kept through the run and shown in its report only.
    QTableWidget *info = m_window->auInfoWidget()->reportTable();
    SimProcess &sim = m_folder->sim();
    QCOMPARE(sim.command(QStringLiteral("silence 2")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(serverCounters().at(1).toInt() > 0, 10000);
    QCOMPARE(sim.command(QStringLiteral("revive 2")), QStringLiteral("OK"));
    QVERIFY(sim.command(QStringLiteral("faults exception=0.2,crc=0.2")).startsWith(QStringLiteral("OK")));
    QTRY_VERIFY_WITH_TIMEOUT(serverCounters().at(0).toInt() > 0 && serverCounters().at(2).toInt() > 0, 10000);
    QVERIFY(sim.command(QStringLiteral("faults off")).startsWith(QStringLiteral("OK")));
    settle();
    const QStringList before = serverCounters();
    const QPair<QString, int> statisticsBefore = errorStatistics();
    QCOMPARE(statisticsBefore.first, QStringLiteral("Всего ошибок: %1").arg(before.at(2)));
    QCOMPARE(statisticsBefore.second, before.at(2).toInt());

    const Outcome outcome = run(
        true,
        [](RynSelectDialog *dialog) { dialog->findChild<QRadioButton *>(QStringLiteral("1"))->click(); },
        path(QStringLiteral("R.csv")));
    QVERIFY(outcome.finished);
    const QMap<int, bool> rows{{1, true},  {2, true},  {3, true},  {4, false},
                               {5, false}, {6, false}, {7, false}, {8, false}};
    QCOMPARE(outcome.rows, rows);

    QCOMPARE(QDir(m_folder->path()).entryList({QStringLiteral("R *")}, QDir::Files, QDir::Name),
             (QStringList{"R 1.csv", "R 2.csv", "R 3.csv"}));
    for (int address = 1; address <= 3; ++address) {
        const Report report = readReport(path(QStringLiteral("R %1.csv").arg(address)));
        QCOMPARE(report.title, QStringLiteral("RYN адрес %1.").arg(address));
        QCOMPARE(report.version, versionOf.value(address));
        QCOMPARE(report.units, unitsOf.value(address));
        QCOMPARE(report.serverCounters, address == 2 ? before : QStringList({"0", "0", "0"}));
    }
    // A type without a label is named by its code; the supply has the locale's decimal comma, as
    // the protocol writes it.
    const Report second = readReport(path(QStringLiteral("R 2.csv")));
    QCOMPARE(second.typeOf.value(QStringLiteral("16")), QStringLiteral("тип 12"));
    QCOMPARE(second.typeOf.value(QStringLiteral("4")), auTypeName(SmokeDetector));
    QCOMPARE(second.supply, QStringLiteral("24,4"));

    // The controller selected before the run is monitored again, its counters as they were.
    QCOMPARE(selectedByWorker(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(info->item(3, 1)->text(), versionOf.value(2), 10000);
    QCOMPARE(serverCounters(), before);
    QCOMPARE(errorStatistics(), statisticsBefore);
}

void TestReportsSim::protocolsReadBackAndPrint()
{
    startWindow();
    const Outcome outcome = run(
        false,
        [](RynSelectDialog *dialog) {
            dialog->findChild<QRadioButton *>(QStringLiteral("2"))->click();
            dialog->findChild<QSpinBox *>(QStringLiteral("rangeEnd"))->setValue(3);
            dialog->findChild<QSpinBox *>(QStringLiteral("rangeStart"))->setValue(2);
        },
        path(QStringLiteral("P.html")));
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.rows, (QMap<int, bool>{{2, true}, {3, true}}));
    QCOMPARE(QDir(m_folder->path()).entryList({QStringLiteral("P *")}, QDir::Files, QDir::Name),
             (QStringList{"P 2.htm", "P 3.htm"}));

    // The summary table holds controller 3's two types after the run; controller 2's 14 types grow
    // it by six rows, each with a span of its own.
    QTableWidget *table = m_window->auInfoWidget()->protocolTable();
    const QList<QRect> spansOf3 = viewSpans(*table);
    AuPropertiesWidget *page = m_window->auInfoWidget()->propertiesWidget();
    QTRY_VERIFY_WITH_TIMEOUT((page->sendTypeVersionCountMap(), table->rowCount() == 37), 20000);
    const QMap<int, QList<QRect>> expectedSpans{{2, viewSpans(*table)}, {3, spansOf3}};
    QCOMPARE(spansOf3.size(), 47);
    QCOMPARE(expectedSpans.value(2).size(), 53);
    for (int address : {2, 3}) {
        QFile file(path(QStringLiteral("P %1.htm").arg(address)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.contains(QStringLiteral("Адрес RYN: <u> %1 </u>").arg(address)));
        QVERIFY(html.contains(QStringLiteral("Версия RYN: <u> %1 </u>").arg(versionOf.value(address))));
        // Each protocol carries its own controller's operating time.
        const QString operatingTime = address == 2 ? QStringLiteral("2:04:4") : QStringLiteral("0:00:0");
        QVERIFY2(html.contains(QStringLiteral("<u>&nbsp;&nbsp;") + operatingTime), qPrintable(html));
        int rows = 0;
        QCOMPARE(htmlTableSpans(html, 7, &rows), expectedSpans.value(address));
        QCOMPARE(rows, address == 2 ? 37 : 31);

        const QVector<QStringList> cells = htmlTableTexts(html, 7);
        if (address == 2) {
            // Every type in code order with its count, and all units counted, none twice.
            int counted = 0;
            for (int i = 0; i < typesOf2.size(); ++i) {
                QCOMPARE(cells.value(3 + i).value(3), auTypeDisplayName(typesOf2.at(i).first));
                QCOMPARE(cells.value(3 + i).value(6), QString::number(typesOf2.at(i).second));
                counted += cells.value(3 + i).value(6).toInt();
            }
            QCOMPARE(counted, 18);
            QCOMPARE(cells.value(17).value(1), QStringLiteral("Обрыв СЛИ"));
            QCOMPARE(cells.value(19).value(3), QStringLiteral("24,4 В"));
        } else {
            QCOMPARE(cells.value(3).value(3), auTypeName(ManualCallPoint));
            QCOMPARE(cells.value(4).value(3), auTypeName(RemoteStartButton));
            QCOMPARE(cells.value(5).value(3), QString());
        }

        QTextDocument document;
        document.setHtml(html);
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = path(QStringLiteral("P %1.pdf").arg(address));
        printer.setOutputFileName(pdf);
        document.print(&printer);
        QVERIFY2(pdfPages(pdf) >= 2, qPrintable(QString::number(pdfPages(pdf))));
    }
    QCOMPARE(selectedByWorker(), 2);
}

QTEST_MAIN(TestReportsSim)
#include "tst_reportssim.moc"
