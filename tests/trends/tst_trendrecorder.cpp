#include "commandcodes.h"
#include "modbusprotocol.h"
#include "responsedecoder.h"
#include "trendfeed.h"
#include "trendrecorder.h"

#include <QtTest>

namespace {

constexpr int ryn = 2;

// A block of byte units (two units a register) with one unit's byte set and the rest `fill`.
QByteArray byteBlock(int registers, int addr, int value, char fill = '\0')
{
    QByteArray block(registers * 2, fill);
    const int word = (addr - 1) / 2;
    block[(addr % 2) ? 2 * word + 1 : 2 * word] = char(value);
    return block;
}

// The general state block (nibble units), every other unit not configured (8).
QByteArray stateBlock(int addr, int state)
{
    QByteArray block(64 * 2, char(0x88));
    const int word = (addr - 1) / 4;
    const int k = (addr - 1) % 4; // 0: lo bits 0..3, 1: lo bits 4..7, 2: hi bits 0..3, 3: hi bits 4..7
    const int byte = k < 2 ? 2 * word + 1 : 2 * word;
    const int shift = (k % 2) * 4;
    block[byte] = char((quint8(block[byte]) & ~(0xf << shift)) | (state << shift));
    return block;
}

QByteArray wordBlock(int registers, int index, int word)
{
    QByteArray block(registers * 2, '\0');
    block[2 * index] = char(word >> 8);
    block[2 * index + 1] = char(word & 0xff);
    return block;
}

struct Line
{
    Line()
        : recorder(nullptr, [this] { return nowMs; })
    {
        connectTrendFeed(&decoder, &recorder);
        recorder.slotRynSelected(ryn);
        recorder.setRecording(true);
    }
    // A monitoring read as the worker reports it: the block (when it changed) first, then the read.
    void read(int code, const QByteArray &data, int result = ModbusProtocol::ResultOk)
    {
        nowMs += 1000;
        if (result == ModbusProtocol::ResultOk)
            decoder.enqueue(code, data);
        recorder.slotMonitoringRead(ryn, code, result);
    }
    void unit(int addr, int type, int state = 0)
    {
        read(CMD_READ_TYPES, byteBlock(125, addr, type, char(0xff)));
        read(CMD_READ_GENERAL_STATE, stateBlock(addr, state));
    }

    qint64 nowMs = 1000000;
    ResponseDecoder decoder;
    TrendRecorder recorder;
};

} // namespace

class TestTrendRecorder : public QObject
{
    Q_OBJECT

private slots:
    void seriesTakesItsDecodedValue_data();
    void seriesTakesItsDecodedValue();
    void gapsWhereTheLineFailed_data();
    void gapsWhereTheLineFailed();
    void unitThatDisappearsKeepsItsSamples_data();
    void unitThatDisappearsKeepsItsSamples();
    void stateChangesAreMarkedAndThresholdsKnown();
    void readEverythingOnlyWhileRecordingSeries();
};

void TestTrendRecorder::seriesTakesItsDecodedValue_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("reading");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<double>("expected");
    using C = TrendCatalogue;
    QTest::addRow("smoke") << 3 << 4 << int(C::Smoke) << 35 << byteBlock(125, 3, 48) << 48.0;
    QTest::addRow("temperature") << 22 << 2 << int(C::Temperature) << 7 << byteBlock(125, 22, 128) << 35.0;
    QTest::addRow("lo-voltage") << 14 << 15 << int(C::LoVoltage) << 7 << byteBlock(125, 14, 255) << 29.64375;
    QTest::addRow("ionistors-first-block") << 1 << 3 << int(C::IonistorVoltage) << 13 << wordBlock(125, 0, 510) << 10.0;
    QTest::addRow("ionistors-second-block") << 130 << 24 << int(C::IonistorVoltage) << 14 << wordBlock(125, 4, 306) << 6.0;
    QTest::addRow("mains") << 20 << 18 << int(C::MainsVoltage) << 53 << byteBlock(125, 20, 221) << 221.0;
    QTest::addRow("supply-24") << 0 << 0 << int(C::Supply24Voltage) << 1 << wordBlock(26, 994 - 976, 0x0A6B) << 11.984;
    QTest::addRow("current-24") << 0 << 0 << int(C::Supply24Current) << 1 << wordBlock(26, 994 - 976, 0x0A6B) << 13.6;
    QTest::addRow("current-13") << 0 << 0 << int(C::Supply13Current) << 1 << wordBlock(26, 995 - 976, 0x0A00) << 8.96;
    QTest::addRow("resistance") << 0 << 0 << int(C::LoopResistance) << 1 << wordBlock(26, 998 - 976, 187) << 18.7;
    QTest::addRow("polled") << 0 << 0 << int(C::UnitsPolled) << 1 << wordBlock(26, 978 - 976, 0x1412) << 18.0;
    QTest::addRow("configured") << 0 << 0 << int(C::UnitsConfigured) << 1 << wordBlock(26, 978 - 976, 0x1412) << 20.0;
    QTest::addRow("loop-timeout") << 0 << 0 << int(C::LoopTimeout) << 1 << wordBlock(26, 985 - 976, 7) << 7.0;
}

void TestTrendRecorder::seriesTakesItsDecodedValue()
{
    QFETCH(int, addr);
    QFETCH(int, type);
    QFETCH(int, reading);
    QFETCH(int, code);
    QFETCH(QByteArray, block);
    QFETCH(double, expected);
    Line line;
    if (addr != 0)
        line.unit(addr, type);
    const TrendSeries series{ryn, addr, TrendCatalogue::Reading(reading)};
    QVERIFY(line.recorder.addSeries(series));
    line.read(code, block);
    // Reads of other blocks and of another controller add nothing to it.
    line.read(CMD_READ_FIRE, QByteArray(32, '\0'));
    line.recorder.slotMonitoringRead(ryn + 1, code, ModbusProtocol::ResultOk);
    QCOMPARE(line.recorder.store().count(series), 1);
    QVERIFY(qAbs(line.recorder.store().last(series).value - expected) < 1e-4);
    // An unchanged block is sampled again: one sample a read.
    line.read(code, block);
    QCOMPARE(line.recorder.store().count(series), 2);
    QCOMPARE(line.recorder.store().at(series, 1).timeMs, line.nowMs);
}

void TestTrendRecorder::gapsWhereTheLineFailed_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addRow("no-answer") << QStringLiteral("noanswer");
    QTest::addRow("crc") << QStringLiteral("crc");
    QTest::addRow("port-closed") << QStringLiteral("port");
    QTest::addRow("other-controller") << QStringLiteral("select");
    QTest::addRow("window-closed") << QStringLiteral("stop");
}

void TestTrendRecorder::gapsWhereTheLineFailed()
{
    QFETCH(QString, cause);
    Line line;
    line.unit(3, 4);
    const TrendSeries series{ryn, 3, TrendCatalogue::Smoke};
    line.recorder.addSeries(series);
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 48));
    line.nowMs += 500;
    if (cause == QLatin1String("noanswer"))
        line.read(CMD_READ_SMOKE, QByteArray(), ModbusProtocol::ResultNoAnswer);
    else if (cause == QLatin1String("crc"))
        line.read(CMD_READ_SMOKE, QByteArray(), ModbusProtocol::ResultCrcError);
    else if (cause == QLatin1String("port"))
        line.recorder.slotPortOpened(false);
    else if (cause == QLatin1String("select"))
        line.recorder.slotRynSelected(ryn + 1);
    else
        line.recorder.setRecording(false);
    const TrendStore &store = line.recorder.store();
    QCOMPARE(store.count(series), 2);
    QVERIFY(store.last(series).isGap());
    // The value is unchanged when the line comes back: it is drawn again from then on.
    line.recorder.slotRynSelected(ryn);
    line.recorder.setRecording(true);
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 48));
    QCOMPARE(store.count(series), 3);
    QCOMPARE(store.last(series).value, 48.0);
}

void TestTrendRecorder::unitThatDisappearsKeepsItsSamples_data()
{
    QTest::addColumn<int>("newType");
    QTest::addColumn<int>("newState");
    QTest::addColumn<int>("presence");
    QTest::addRow("lost") << 4 << 1 << int(TrendRecorder::Lost);
    QTest::addRow("not-configured") << 4 << 8 << int(TrendRecorder::Gone);
    QTest::addRow("another-type-at-the-address") << 10 << 0 << int(TrendRecorder::Gone);
    QTest::addRow("no-type") << 255 << 0 << int(TrendRecorder::Gone);
}

void TestTrendRecorder::unitThatDisappearsKeepsItsSamples()
{
    QFETCH(int, newType);
    QFETCH(int, newState);
    QFETCH(int, presence);
    Line line;
    line.unit(3, 4);
    const TrendSeries series{ryn, 3, TrendCatalogue::Smoke};
    line.recorder.addSeries(series);
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 48));
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 49));
    line.unit(3, newType, newState);
    const qint64 changedAt = line.nowMs;
    qint64 since = 0;
    QCOMPARE(int(line.recorder.presence(series, &since)), presence);
    QVERIFY(since >= changedAt - 1000 && since <= changedAt);
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 50));
    const TrendStore &store = line.recorder.store();
    QCOMPARE(store.at(series, 0).value, 48.0);
    QCOMPARE(store.at(series, 1).value, 49.0);
    QVERIFY(store.last(series).isGap()); // nothing is drawn for a unit that is not there
    QVERIFY(line.recorder.isRecorded(series));
    // Back on the line: recorded again.
    line.unit(3, 4, 0);
    QCOMPARE(int(line.recorder.presence(series)), int(TrendRecorder::Present));
    line.read(CMD_READ_SMOKE, byteBlock(125, 3, 51));
    QCOMPARE(store.last(series).value, 51.0);
}

void TestTrendRecorder::stateChangesAreMarkedAndThresholdsKnown()
{
    Line line;
    line.unit(29, 2);
    line.unit(3, 4);
    const TrendSeries heat{ryn, 29, TrendCatalogue::Temperature};
    const TrendSeries smoke{ryn, 3, TrendCatalogue::Smoke};
    line.recorder.addSeries(heat);
    line.recorder.addSeries(smoke);
    QVERIFY(qIsNaN(line.recorder.threshold(heat)));
    line.read(CMD_READ_CFG_THRESHOLD_T, byteBlock(125, 29, 70));
    line.read(CMD_READ_IPD_FIRE_THRESHOLD, byteBlock(125, 3, 120));
    QCOMPARE(line.recorder.threshold(heat), 70.0);
    QCOMPARE(line.recorder.threshold(smoke), 120.0);
    line.read(CMD_READ_CFG_THRESHOLD_T, byteBlock(125, 29, 255)); // no threshold
    QVERIFY(qIsNaN(line.recorder.threshold(heat)));

    line.read(CMD_READ_GENERAL_STATE, stateBlock(29, 4));
    const qint64 fireAt = line.nowMs;
    line.read(CMD_READ_GENERAL_STATE, stateBlock(29, 0));
    const QList<TrendStore::Marker> markers = line.recorder.store().markers(ryn, 29);
    QCOMPARE(markers.size(), 2);
    QCOMPARE(markers.at(0).state, 4);
    QCOMPARE(markers.at(0).timeMs, fireAt);
    QCOMPARE(markers.at(1).state, 0);
}

void TestTrendRecorder::readEverythingOnlyWhileRecordingSeries()
{
    TrendRecorder recorder;
    QSignalSpy spy(&recorder, &TrendRecorder::signalReadEverything);
    recorder.setRecording(true); // nothing to record yet
    QCOMPARE(spy.count(), 0);
    const TrendSeries series{1, 0, TrendCatalogue::LoopResistance};
    recorder.addSeries(series);
    recorder.removeSeries(series);
    recorder.addSeries(series);
    recorder.setRecording(false);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(spy.at(2).at(0).toBool(), true);
    QCOMPARE(spy.at(3).at(0).toBool(), false);
    // Nonsense is refused: a controller reading of a unit, an address beyond the loop.
    QVERIFY(!recorder.addSeries({1, 5, TrendCatalogue::LoopResistance}));
    QVERIFY(!recorder.addSeries({1, 0, TrendCatalogue::Smoke}));
    QVERIFY(!recorder.addSeries({9, 0, TrendCatalogue::LoopResistance}));
    QVERIFY(!recorder.addSeries(series)); // already there
}

QTEST_GUILESS_MAIN(TestTrendRecorder)
#include "tst_trendrecorder.moc"
