#include "trendcsv.h"
#include "trendstore.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const TrendSeries smoke{1, 5, TrendCatalogue::Smoke};
const TrendSeries temperature{1, 29, TrendCatalogue::Temperature};
const TrendSeries supply{2, 0, TrendCatalogue::Supply24Voltage};

qint64 at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz"))
        .toMSecsSinceEpoch();
}
} // namespace

class TestTrendStore : public QObject
{
    Q_OBJECT

private slots:
    void gapsAreMarkedOnce();
    void valueInForce_data();
    void valueInForce();
    void boundDropsTheOldestFirst();
    void csvBytes();
    void csvThatCannotBeWrittenIsReported();
};

void TestTrendStore::gapsAreMarkedOnce()
{
    TrendStore store;
    store.appendGap(smoke, 1000); // nothing recorded yet: nothing to break
    QCOMPARE(store.count(smoke), 0);
    store.append(smoke, 2000, 48);
    store.appendGap(smoke, 3000);
    store.appendGap(smoke, 4000);
    store.append(smoke, 5000, 50);
    QCOMPARE(store.count(smoke), 3);
    QVERIFY(!store.at(smoke, 0).isGap());
    QVERIFY(store.at(smoke, 1).isGap());
    QCOMPARE(store.at(smoke, 1).timeMs, 3000);
    QCOMPARE(store.last(smoke).value, 50.0);
    // A sample older than the last one is kept in order, at the last one's time.
    store.append(smoke, 100, 51);
    QCOMPARE(store.last(smoke).timeMs, 5000);
}

void TestTrendStore::valueInForce_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<double>("expected"); // NaN: a gap
    QTest::addRow("before-the-first") << qint64(999) << qQNaN();
    QTest::addRow("at-a-sample") << qint64(1000) << 10.0;
    QTest::addRow("between-samples") << qint64(1500) << 10.0;
    QTest::addRow("in-a-gap") << qint64(2500) << qQNaN();
    QTest::addRow("after-the-gap") << qint64(3000) << 30.0;
    QTest::addRow("after-the-last") << qint64(99999) << 30.0;
}

void TestTrendStore::valueInForce()
{
    QFETCH(qint64, time);
    QFETCH(double, expected);
    TrendStore store;
    store.append(smoke, 1000, 10);
    store.appendGap(smoke, 2000);
    store.append(smoke, 3000, 30);
    const TrendStore::Sample sample = store.valueAt(smoke, time);
    if (qIsNaN(expected))
        QVERIFY(sample.isGap());
    else
        QCOMPARE(sample.value, expected);
}

// A store of four chunks fed by three series in turn: it never holds more, the oldest samples go,
// and from heldSinceMs() on every series is complete.
void TestTrendStore::boundDropsTheOldestFirst()
{
    constexpr int chunks = 4;
    TrendStore store(chunks * TrendStore::chunkSamples);
    const QList<TrendSeries> all{smoke, temperature, supply};
    constexpr int rounds = 3 * TrendStore::chunkSamples;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < all.size(); ++i)
            store.append(all.at(i), qint64(round) * 1000 + i, round);
        QVERIFY(store.sampleCount() <= store.sampleBudget());
    }
    QVERIFY(store.hasDropped());
    QVERIFY(store.bytes() <= chunks * (12 + 1) * TrendStore::chunkSamples);
    const qint64 since = store.heldSinceMs();
    for (int i = 0; i < all.size(); ++i) {
        int expected = 0;
        for (int round = 0; round < rounds; ++round)
            expected += qint64(round) * 1000 + i >= since ? 1 : 0;
        const TrendSeries &series = all.at(i);
        QCOMPARE(store.count(series) - store.lowerBound(series, since), expected);
        QCOMPARE(store.last(series).value, double(rounds - 1));
    }
    // Nothing older than a full chunk's worth before the bound is left.
    QVERIFY(store.at(smoke, 0).timeMs >= since - 1000 * TrendStore::chunkSamples);
}

void TestTrendStore::csvBytes()
{
    TrendStore store;
    store.append(smoke, at("01.06.2024 10:00:00.000"), 48);
    store.append(temperature, at("01.06.2024 10:00:00.000"), 23);
    store.append(smoke, at("01.06.2024 10:00:02.500"), 49);
    store.appendGap(temperature, at("01.06.2024 10:00:03.000"));
    store.append(supply, at("01.06.2024 10:00:04.000"), 24.416);
    const QByteArray bytes = TrendCsv::text(store, {smoke, temperature, supply},
                                            {QStringLiteral("АУ 5"), QStringLiteral("АУ 29, °C"), QStringLiteral("24 В")});
    const QByteArray expected = QByteArray("\xc2\xf0\xe5\xec\xff;\xc0\xd3 5;\xc0\xd3 29, \xb0" "C;24 \xc2\n"
                                           "01.06.2024 10:00:00.000;48;23;\n"
                                           "01.06.2024 10:00:02.500;49;;\n"
                                           "01.06.2024 10:00:03.000;;;\n"
                                           "01.06.2024 10:00:04.000;;;24,4\n");
    QCOMPARE(bytes, expected);
}

void TestTrendStore::csvThatCannotBeWrittenIsReported()
{
    QTemporaryDir dir;
    TrendStore store;
    store.append(smoke, 1000, 48);
    const QString good = dir.filePath(QStringLiteral("trend.csv"));
    QCOMPARE(TrendCsv::save(good, store, {smoke}, {QStringLiteral("s")}), QString());
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder that is a file: the write fails, is reported, and the samples stay.
    QVERIFY(!TrendCsv::save(dir.filePath(QStringLiteral("file/trend.csv")), store, {smoke}, {QStringLiteral("s")})
                 .isEmpty());
    QCOMPARE(store.count(smoke), 1);
}

QTEST_GUILESS_MAIN(TestTrendStore)
#include "tst_trendstore.moc"
