#include "monitoring.h"

#include <QtTest>

namespace {

QByteArray typesWith(std::initializer_list<int> types)
{
    QByteArray data(250, '\xff');
    int index = 1;
    for (int type : types) {
        data[index] = char(type);
        index += 2;
    }
    return data;
}

const QList<int> base{4, 5, 1, 2, 3, 58, 59, 60};

} // namespace

class TestMonitoring : public QObject
{
    Q_OBJECT

private slots:
    void buildList_data();
    void buildList();
    void noCodeTwice();
    void isDue_data();
    void isDue();
};

void TestMonitoring::buildList_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("viewMode");
    QTest::addColumn<QByteArray>("types");
    QTest::addColumn<QList<int>>("items"); // after the common start
    QTest::addRow("general-version-only-smoke") << 0 << 1 << typesWith({4}) << QList<int>{18, 23, 6};
    QTest::addRow("general-full-heat-smoke-fenk")
        << 0 << 0 << typesWith({2, 4, 17}) << QList<int>{18, 23, 100, 13, 14, 7, 35, 37};
    QTest::addRow("general-full-only-fenk") << 0 << 0 << typesWith({17}) << QList<int>{18, 23, 13, 14};
    QTest::addRow("general-full-smoke-heat-without-heat")
        << 0 << 0 << typesWith({23}) << QList<int>{18, 23, 7, 35, 37};
    QTest::addRow("general-full-modules")
        << 0 << 0 << typesWith({8, 14, 13, 11, 16}) << QList<int>{18, 23, 19, 20, 32, 30, 31, 21, 22, 33, 34};
    QTest::addRow("general-full-nothing") << 0 << 0 << QByteArray(250, '\xff') << QList<int>{18, 23};
    QTest::addRow("general-temperature-smoke") << 0 << 2 << typesWith({3}) << QList<int>{18, 23, 7, 35, 37};
    QTest::addRow("general-temperature-smoke-none") << 0 << 2 << typesWith({5, 17}) << QList<int>{18, 23};
    QTest::addRow("general-ionistor-voltage") << 0 << 3 << typesWith({24}) << QList<int>{18, 23, 13, 14};
    QTest::addRow("general-unknown-view-mode") << 0 << 7 << typesWith({2, 4}) << QList<int>{18, 23};
    QTest::addRow("ionistor-tab-with-ionistors") << 1 << 0 << typesWith({6}) << QList<int>{18, 13, 14, 24};
    QTest::addRow("ionistor-tab-without") << 1 << 0 << typesWith({2, 4}) << QList<int>{18};
    QTest::addRow("smoke-tab-without-smoke") << 2 << 0 << typesWith({2}) << QList<int>{18, 7};
    QTest::addRow("smoke-tab-with-smoke")
        << 2 << 3 << typesWith({24}) << QList<int>{18, 7, 29, 35, 37, 39, 40, 42, 8, 12, 101};
    QTest::addRow("all-parameters-no-units")
        << 3 << 0 << QByteArray(250, '\xff')
        << QList<int>{6, 8, 12, 38, 18, 23, 10, 11, 101, 51, 52, 53, 54, 55, 56, 57};
    QTest::addRow("all-parameters-every-type")
        << 3 << 0
        << typesWith({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})
        << QList<int>{6,  8,   12, 38, 18, 23, 10, 11, 101, 51, 52, 53, 54, 55, 56,  57, 27, 28, 26,
                      9,  100, 43, 7,  24, 15, 16, 17, 13,  14, 25, 36, 29, 39, 35,  37, 41, 40, 42,
                      44, 45,  46, 47, 48, 49, 50, 30, 31,  32, 19, 20, 21, 22, 105, 33, 34, 103};
    QTest::addRow("all-parameters-call-point-with-cover")
        << 3 << 0 << typesWith({12})
        << QList<int>{6, 8, 12, 38, 18, 23, 10, 11, 101, 51, 52, 53, 54, 55, 56, 57, 27, 26};
    QTest::addRow("unknown-mode") << 4 << 0 << typesWith({4}) << QList<int>{};
    QTest::addRow("types-never-read") << 2 << 0 << QByteArray() << QList<int>{18, 7};
}

void TestMonitoring::buildList()
{
    QFETCH(int, mode);
    QFETCH(int, viewMode);
    QFETCH(QByteArray, types);
    QFETCH(QList<int>, items);
    QCOMPARE(Monitoring::buildList(mode, viewMode, types), base + items);
}

void TestMonitoring::noCodeTwice()
{
    QByteArray every(250, '\xff');
    for (int type = 1; type <= 24; ++type)
        every[type] = char(type);
    for (int mode = 0; mode <= 3; ++mode) {
        for (int viewMode = 0; viewMode <= 3; ++viewMode) {
            const QList<int> list = Monitoring::buildList(mode, viewMode, every);
            QCOMPARE(QSet<int>(list.cbegin(), list.cend()).size(), list.size());
        }
    }
}

void TestMonitoring::isDue_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<int>("secondsAgo"); // -1 = never read
    QTest::addColumn<bool>("due");
    QTest::addRow("no-policy") << 0 << 0 << true;
    QTest::addRow("once-never-read") << 1 << -1 << true;
    QTest::addRow("once-read-long-ago") << 1 << 100000 << false;
    QTest::addRow("minute-never-read") << 2 << -1 << true;
    QTest::addRow("minute-read-60-s-ago") << 2 << 60 << false;
    QTest::addRow("minute-read-61-s-ago") << 2 << 61 << true;
    QTest::addRow("minute-read-in-the-future") << 2 << -3600 << false;
    QTest::addRow("unknown-policy") << 9 << 0 << true;
}

void TestMonitoring::isDue()
{
    QFETCH(int, policy);
    QFETCH(int, secondsAgo);
    QFETCH(bool, due);
    const QDateTime now(QDate(2026, 12, 8), QTime(12, 0));
    const QDateTime last = secondsAgo == -1 ? QDateTime() : now.addSecs(-secondsAgo);
    QCOMPARE(Monitoring::isDue(policy, last, now), due);
}

QTEST_GUILESS_MAIN(TestMonitoring)
#include "tst_monitoring.moc"
