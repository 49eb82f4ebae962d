#include "commandcodes.h"
#include "commandnames.h"
#include "linemonitorfile.h"
#include "linemonitormodel.h"
#include "modbusprotocol.h"
#include "numberedrecords.h"
#include "testhelpers.h"

#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using namespace ModbusProtocol;

namespace {

bool shownByFilter(int id, int rynFilter, bool errorsOnly)
{
    const LineRecord record = numberedRecord(id);
    return (rynFilter == 0 || record.rynAddr == rynFilter) && (!errorsOnly || record.result != ResultOk);
}

QList<int> shownIds(const LineMonitorModel &model)
{
    QList<int> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids.append(model.record(row).durationMs);
    return ids;
}

qint64 at(int msecs)
{
    return QDateTime(QDate(2026, 12, 8), QTime(9, 0)).addMSecs(msecs).toMSecsSinceEpoch();
}

// A good ping of controller 1, an exception from controller 2, an unknown code refused.
LineRecordList threeRecords()
{
    LineRecord good;
    good.startedMs = at(5);
    good.rynAddr = 1;
    good.cmdCode = CMD_PING;
    good.durationMs = 5;
    good.request = QByteArray::fromHex("010303d0000185b7");
    good.answer = QByteArray::fromHex("0103020000b844");
    LineRecord exception = good;
    exception.startedMs = at(61017);
    exception.rynAddr = 2;
    exception.cmdCode = CMD_READ_FIRE;
    exception.result = ResultException;
    exception.exceptionCode = 2;
    exception.durationMs = 203;
    exception.request = QByteArray::fromHex("020328880010");
    exception.answer = QByteArray::fromHex("028302");
    LineRecord refused;
    refused.startedMs = at(61300);
    refused.rynAddr = 1;
    refused.cmdCode = CommandNames::eventReadCode;
    refused.result = ResultPortError;
    return {good, exception, refused};
}

} // namespace

class TestLineMonitorModel : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheLast100000_data();
    void keepsTheLast100000();
    void filters_data();
    void filters();
    void pauseHoldsTheRows();
    void savedFileBytes_data();
    void savedFileBytes();
};

void TestLineMonitorModel::keepsTheLast100000_data()
{
    QTest::addColumn<int>("batchSize");
    QTest::addColumn<int>("batches");
    QTest::addColumn<int>("rynFilter");
    QTest::addColumn<bool>("errorsOnly");
    QTest::addRow("one-over-in-one-batch") << 100001 << 1 << 0 << false;
    QTest::addRow("batches-of-a-thousand") << 1000 << 103 << 0 << false;
    QTest::addRow("filtered-while-dropping") << 1000 << 103 << 2 << true;
    QTest::addRow("batch-larger-than-the-table") << 150000 << 2 << 3 << false;
}

void TestLineMonitorModel::keepsTheLast100000()
{
    QFETCH(int, batchSize);
    QFETCH(int, batches);
    QFETCH(int, rynFilter);
    QFETCH(bool, errorsOnly);
    LineMonitorModel model;
    model.setRynFilter(rynFilter);
    model.setErrorsOnly(errorsOnly);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    for (int batch = 0; batch < batches; ++batch)
        model.slotLineRecords(numberedBatch(batch * batchSize, batchSize), 0);

    const int total = batchSize * batches;
    QCOMPARE(model.keptCount(), LineMonitorModel::capacity);
    QList<int> expected;
    for (int id = total - LineMonitorModel::capacity; id < total; ++id) {
        if (shownByFilter(id, rynFilter, errorsOnly))
            expected.append(id);
    }
    QCOMPARE(shownIds(model), expected);
    // Rows leave from the top only.
    for (const QList<QVariant> &rows : removed)
        QCOMPARE(rows.at(1).toInt(), 0);
}

void TestLineMonitorModel::filters_data()
{
    QTest::addColumn<int>("rynFilter");
    QTest::addColumn<bool>("errorsOnly");
    QTest::addColumn<bool>("filterFirst");
    QTest::addColumn<QList<int>>("ids");
    QTest::addRow("everything") << 0 << false << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8};
    QTest::addRow("controller-2") << 2 << false << false << QList<int>{1, 4, 7};
    QTest::addRow("controller-2-before-they-came") << 2 << false << true << QList<int>{1, 4, 7};
    QTest::addRow("errors-only") << 0 << true << false << QList<int>{0, 4, 8};
    QTest::addRow("errors-only-before-they-came") << 0 << true << true << QList<int>{0, 4, 8};
    QTest::addRow("errors-of-controller-1") << 1 << true << true << QList<int>{0};
    QTest::addRow("controller-without-records") << 7 << false << false << QList<int>{};
}

void TestLineMonitorModel::filters()
{
    QFETCH(int, rynFilter);
    QFETCH(bool, errorsOnly);
    QFETCH(bool, filterFirst);
    QFETCH(QList<int>, ids);
    LineMonitorModel model;
    if (filterFirst) {
        model.setRynFilter(rynFilter);
        model.setErrorsOnly(errorsOnly);
    }
    model.slotLineRecords(numberedBatch(0, 5), 0);
    model.slotLineRecords(numberedBatch(5, 4), 0);
    model.setRynFilter(rynFilter);
    model.setErrorsOnly(errorsOnly);
    QCOMPARE(shownIds(model), ids);
    QCOMPARE(model.keptCount(), 9);
    // Taking the filter off shows everything again.
    model.setRynFilter(0);
    model.setErrorsOnly(false);
    QCOMPARE(model.rowCount(), 9);
}

void TestLineMonitorModel::pauseHoldsTheRows()
{
    LineMonitorModel model;
    model.slotLineRecords(numberedBatch(0, 3), 0);
    model.setPaused(true);
    model.slotLineRecords(numberedBatch(3, 4), 2);
    model.slotLineRecords(numberedBatch(7, 1), 1);
    QCOMPARE(shownIds(model), (QList<int>{0, 1, 2}));
    QCOMPARE(model.waitingCount(), 5);
    QCOMPARE(model.lostCount(), qint64(3));
    model.setPaused(false);
    QCOMPARE(shownIds(model), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    QCOMPARE(model.waitingCount(), 0);

    // Clearing empties the table, what waits and the lost count.
    model.setPaused(true);
    model.slotLineRecords(numberedBatch(8, 2), 0);
    model.clear();
    model.setPaused(false);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.keptCount(), 0);
    QCOMPARE(model.lostCount(), qint64(0));
    model.slotLineRecords(numberedBatch(10, 1), 0);
    QCOMPARE(shownIds(model), QList<int>{10});
}

void TestLineMonitorModel::savedFileBytes_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("text");
    QTest::addRow("csv") << QStringLiteral("line.CSV") << QByteArray("Windows-1251")
                         << QStringLiteral(
                                "Время;RYN;Функция;Регистры;Команда;Результат;Длит., мс;Запрос;Ответ\n"
                                "08.12.2026 09:00:00.005;1;3;976 (1);CMD_PING (0);Успешно;5;"
                                "01 03 03 D0 00 01 85 B7;01 03 02 00 00 B8 44\n"
                                "08.12.2026 09:01:01.017;2;3;10376 (16);CMD_READ_FIRE (8);Исключение 2;203;"
                                "02 03 28 88 00 10;02 83 02\n"
                                "08.12.2026 09:01:01.300;1;;;Чтение событий;Ошибка порта;0;;\n");
    QTest::addRow("text") << QStringLiteral("line.txt") << QByteArray("UTF-8")
                          << QStringLiteral(
                                 "Время                    RYN  Функция  Регистры    Команда            "
                                 "Результат     Длит., мс  Запрос                   Ответ\n"
                                 "08.12.2026 09:00:00.005  1    3        976 (1)     CMD_PING (0)       "
                                 "Успешно       5          01 03 03 D0 00 01 85 B7  01 03 02 00 00 B8 44\n"
                                 "08.12.2026 09:01:01.017  2    3        10376 (16)  CMD_READ_FIRE (8)  "
                                 "Исключение 2  203        02 03 28 88 00 10        02 83 02\n"
                                 "08.12.2026 09:01:01.300  1                         Чтение событий     "
                                 "Ошибка порта  0\n");
}

void TestLineMonitorModel::savedFileBytes()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QCOMPARE(LineMonitorFile::save(path, threeRecords()), QString());
    QCOMPARE(fileBytes(path), QTextCodec::codecForName(codec)->fromUnicode(text));
}

QTEST_GUILESS_MAIN(TestLineMonitorModel)
#include "tst_linemonitormodel.moc"
