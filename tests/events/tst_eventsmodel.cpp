#include "csvfield.h"
#include "evdesc.h"
#include "eventdesc.h"
#include "eventscsv.h"
#include "eventsfilterproxymodel.h"
#include "eventsmodel.h"
#include "evfilter.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

Q_DECLARE_METATYPE(EvDesc)
Q_DECLARE_METATYPE(EvFilter)

namespace {

const QDateTime baseTime(QDate(2024, 3, 9), QTime(7, 5, 3));

// Events are told apart by their code; the other fields follow from it so filters have something to bite.
ModbusEvent makeEvent(int code, int ryn = 1, int au = 10, int param = 0)
{
    ModbusEvent ev;
    ev.received = baseTime.addSecs(code);
    ev.rynAddr = quint8(ryn);
    ev.auAddr = quint8(au);
    ev.inputNumber = 2;
    ev.evCode = quint8(code);
    ev.addParam = quint8(param);
    return ev;
}

ModbusProtocol::EventList batch(std::initializer_list<int> codes)
{
    ModbusProtocol::EventList events;
    for (int code : codes)
        events << makeEvent(code);
    return events;
}

QList<int> codes(const QAbstractItemModel &model)
{
    QList<int> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result << model.index(row, EventsModel::ColumnCode).data().toInt();
    return result;
}

QList<int> rowNumbers(const QAbstractItemModel &model)
{
    QList<int> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result << model.headerData(row, Qt::Vertical).toInt();
    return result;
}

bool writeDescriptions(const QByteArray &data)
{
    QFile file(QStringLiteral("Resources/Messages.RU"));
    const QByteArray json =
        "{\"content\": \"Ostrel TestRyn events description\", \"version\": 3, \"data\": " + data + "}";
    return file.open(QIODevice::WriteOnly) && file.write(json) == json.size();
}

} // namespace

class TestEventsModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addParamText_data();
    void addParamText();
    void batchOrderAndRowNumbers();
    void overflowKeepsNewest_data();
    void overflowKeepsNewest();
    void rendering_data();
    void rendering();
    void filter_data();
    void filter();
    void filterFollowsBatchesAndOverflow_data();
    void filterFollowsBatchesAndOverflow();
    void offeredCodes();
    void csvField_data();
    void csvField();
    void csvFileBytes();
    void csvWriteFailure();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TestEventsModel::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
}

void TestEventsModel::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEventsModel::addParamText_data()
{
    QTest::addColumn<EvDesc>("evDesc");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    const EvDesc plain;
    QTest::addRow("default-shows-number") << plain << 7 << QStringLiteral("7");
    QTest::addRow("default-shows-zero") << plain << 0 << QStringLiteral("0");

    EvDesc hidden;
    hidden.addDesc = false;
    hidden.addDescPrefix = QStringLiteral("P");
    QTest::addRow("hidden-even-when-non-zero") << hidden << 7 << QString();

    EvDesc prefix;
    prefix.addDescPrefix = QStringLiteral("P");
    QTest::addRow("prefix-space-number") << prefix << 7 << QStringLiteral("P 7");

    EvDesc postfix;
    postfix.addDescPostfix = QStringLiteral("S");
    QTest::addRow("number-space-postfix") << postfix << 7 << QStringLiteral("7 S");

    EvDesc names;
    names.addDescUseDesc = true;
    names.addDescDesc = {{7, QStringLiteral("N")}};
    QTest::addRow("name-replaces-number") << names << 7 << QStringLiteral("N");
    QTest::addRow("no-name-falls-back-to-number") << names << 8 << QStringLiteral("8");

    EvDesc namesOff = names;
    namesOff.addDescUseDesc = false;
    QTest::addRow("names-off-shows-number") << namesOff << 7 << QStringLiteral("7");

    EvDesc all = names;
    all.addDescPrefix = QStringLiteral("U =");
    all.addDescPostfix = QStringLiteral("В");
    QTest::addRow("prefix-name-postfix") << all << 7 << QStringLiteral("U = N В");

    EvDesc emptyName = names;
    emptyName.addDescDesc = {{7, QString()}};
    QTest::addRow("empty-name-falls-back-to-number") << emptyName << 7 << QStringLiteral("7");

    EvDesc padded;
    padded.addDescPrefix = QStringLiteral(" a ");
    padded.addDescPostfix = QStringLiteral(" b ");
    QTest::addRow("outer-spaces-trimmed") << padded << 1 << QStringLiteral("a  1  b");
}

void TestEventsModel::addParamText()
{
    QFETCH(EvDesc, evDesc);
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(evDesc.addParamText(value), text);
}

void TestEventsModel::batchOrderAndRowNumbers()
{
    EventsModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.insertEvents(batch({1, 2, 3}));
    QCOMPARE(codes(model), (QList<int>{3, 2, 1}));
    model.insertEvents(batch({4, 5}));
    QCOMPARE(codes(model), (QList<int>{5, 4, 3, 2, 1}));
    QCOMPARE(rowNumbers(model), (QList<int>{5, 4, 3, 2, 1}));
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 0);
    QCOMPARE(inserted.at(1).at(2).toInt(), 1);

    model.insertEvents({});
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(model.count(), 5);
}

void TestEventsModel::overflowKeepsNewest_data()
{
    QTest::addColumn<int>("maxCount");
    QTest::addColumn<QList<int>>("kept");
    QTest::addColumn<int>("loweredMax"); // 0: not lowered
    QTest::addColumn<QList<int>>("incoming");
    QTest::addColumn<QList<int>>("expected");

    QTest::addRow("max5-kept4-batch3")
        << 5 << QList<int>{1, 2, 3, 4} << 0 << QList<int>{5, 6, 7} << QList<int>{7, 6, 5, 4, 3};
    QTest::addRow("exactly-at-max-drops-nothing")
        << 5 << QList<int>{1, 2} << 0 << QList<int>{3, 4, 5} << QList<int>{5, 4, 3, 2, 1};
    QTest::addRow("batch-larger-than-max")
        << 3 << QList<int>{1} << 0 << QList<int>{2, 3, 4, 5, 6} << QList<int>{6, 5, 4};
    QTest::addRow("lowered-max-applies-with-next-batch")
        << 10 << QList<int>{1, 2, 3, 4, 5} << 2 << QList<int>{6} << QList<int>{6, 5};
}

void TestEventsModel::overflowKeepsNewest()
{
    QFETCH(int, maxCount);
    QFETCH(QList<int>, kept);
    QFETCH(int, loweredMax);
    QFETCH(QList<int>, incoming);
    QFETCH(QList<int>, expected);

    EventsModel model;
    model.setMaxCount(maxCount);
    ModbusProtocol::EventList events;
    for (int code : kept)
        events << makeEvent(code);
    model.insertEvents(events);
    if (loweredMax) {
        model.setMaxCount(loweredMax);
        QCOMPARE(model.count(), kept.size());
    }
    events.clear();
    for (int code : incoming)
        events << makeEvent(code);
    model.insertEvents(events);

    QCOMPARE(codes(model), expected);
    QCOMPARE(rowNumbers(model).first(), expected.size());
    QCOMPARE(rowNumbers(model).last(), 1);
}

void TestEventsModel::rendering_data()
{
    QTest::addColumn<bool>("withDescriptions");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("param");
    QTest::addColumn<QString>("paramText");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("foreground");

    QTest::addRow("no-descriptions-yet")
        << false << 5 << 9 << QStringLiteral("9") << QString() << QColor(Qt::white) << QColor(Qt::black);
    QTest::addRow("code-not-described")
        << true << 6 << 9 << QStringLiteral("9") << QString() << QColor(Qt::white) << QColor(Qt::black);
    QTest::addRow("described-code") << true << 5 << 9 << QStringLiteral("тип 9") << QStringLiteral("Пожар")
                                    << QColor(Qt::red) << QColor(255, 255, 255);
    QTest::addRow("parameter-hidden")
        << true << 7 << 9 << QString() << QStringLiteral("Старт") << QColor(Qt::white) << QColor(Qt::black);
    QTest::addRow("bad-colour-name-gives-view-default")
        << true << 8 << 1 << QStringLiteral("1") << QStringLiteral("x") << QColor() << QColor(Qt::black);
}

void TestEventsModel::rendering()
{
    QFETCH(bool, withDescriptions);
    QFETCH(int, code);
    QFETCH(int, param);
    QFETCH(QString, paramText);
    QFETCH(QString, desc);
    QFETCH(QColor, background);
    QFETCH(QColor, foreground);

    QVERIFY(writeDescriptions(
        "[{\"code\": 5, \"desc\": \"Пожар\", \"bgColor\": \"Red\", \"fgColor\": \"#ffffff\","
        " \"addDescPrefix\": \"тип\"},"
        " {\"code\": 7, \"desc\": \"Старт\", \"addDesc\": 0},"
        " {\"code\": 8, \"desc\": \"x\", \"bgColor\": \"Reddish\"}]"));
    const EventDesc eventDesc(QStringLiteral("RU"));
    EventsModel model;
    if (withDescriptions)
        model.setEventDesc(&eventDesc);
    model.insertEvents({makeEvent(code, 3, 17, param)});

    const auto cell = [&](int column, int role) { return model.index(0, column).data(role); };
    QCOMPARE(cell(EventsModel::ColumnDate, Qt::DisplayRole), QVariant(baseTime.addSecs(code).date()));
    QCOMPARE(cell(EventsModel::ColumnTime, Qt::DisplayRole).toString(),
             baseTime.addSecs(code).toString(QStringLiteral("hh:mm:ss")));
    QCOMPARE(cell(EventsModel::ColumnRyn, Qt::DisplayRole).toInt(), 3);
    QCOMPARE(cell(EventsModel::ColumnInput, Qt::DisplayRole).toInt(), 2);
    QCOMPARE(cell(EventsModel::ColumnAuAddr, Qt::DisplayRole).toInt(), 17);
    QCOMPARE(cell(EventsModel::ColumnCode, Qt::DisplayRole).toInt(), code);
    QCOMPARE(cell(EventsModel::ColumnAddParam, Qt::DisplayRole).toString(), paramText);
    QCOMPARE(cell(EventsModel::ColumnDesc, Qt::DisplayRole).toString(), desc);
    for (int column = 0; column < EventsModel::ColumnCount; ++column) {
        QCOMPARE(cell(column, Qt::BackgroundRole).value<QColor>(), background);
        QCOMPARE(cell(column, Qt::ForegroundRole).value<QColor>(), foreground);
    }
}

void TestEventsModel::filter_data()
{
    QTest::addColumn<EvFilter>("filter");
    QTest::addColumn<QString>("codeDesc");
    QTest::addColumn<QList<int>>("visible"); // codes, newest first
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<bool>("laterPasses"); // a later event of controller 2, unit 20, code 7

    const QList<int> all{6, 5, 4, 3, 2, 1};
    QTest::addRow("off") << EvFilter() << QString() << all << QList<int>{6, 5, 4, 3, 2, 1}
                         << QStringLiteral("Фильтр по событиям: не установлен") << true;

    EvFilter ryn;
    ryn.rynFilterOn = 1;
    ryn.rynAddr = 2;
    QTest::addRow("controller") << ryn << QString() << QList<int>{5, 4, 2} << QList<int>{5, 4, 2}
                                << QStringLiteral("Фильтр по событиям: адрес RYN = 2") << true;

    EvFilter au;
    au.auFilterOn = 1;
    au.auAddr = 20;
    QTest::addRow("unit") << au << QString() << QList<int>{6, 4} << QList<int>{6, 4}
                          << QStringLiteral("Фильтр по событиям: адрес АУ = 20") << true;

    EvFilter rynCode = ryn;
    rynCode.evCodeFilterOn = 1;
    rynCode.evCode = 5;
    QTest::addRow("controller-and-code")
        << rynCode << QStringLiteral("Пожар") << QList<int>{5} << QList<int>{5}
        << QStringLiteral("Фильтр по событиям: адрес RYN = 2, код события = 5 [Пожар]") << false;

    EvFilter allThree = rynCode;
    allThree.auFilterOn = 1;
    allThree.auAddr = 20;
    allThree.evCode = 4;
    QTest::addRow("all-three") << allThree << QString() << QList<int>{4} << QList<int>{4}
                               << QStringLiteral(
                                      "Фильтр по событиям: адрес RYN = 2, адрес АУ = 20, код события = 4")
                               << false;

    EvFilter nothing = au;
    nothing.auAddr = 99;
    QTest::addRow("nothing-passes") << nothing << QString() << QList<int>{} << QList<int>{}
                                    << QStringLiteral("Фильтр по событиям: адрес АУ = 99") << false;

    EvFilter code = EvFilter();
    code.evCodeFilterOn = 1;
    code.evCode = 3;
    QTest::addRow("description-double-space-reads-as-comma")
        << code << QStringLiteral("a  b; \"c\"") << QList<int>{3} << QList<int>{3}
        << QStringLiteral("Фильтр по событиям: код события = 3 [a, b; \"c\"]") << false;
}

void TestEventsModel::filter()
{
    QFETCH(EvFilter, filter);
    QFETCH(QString, codeDesc);
    QFETCH(QList<int>, visible);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, summary);
    QFETCH(bool, laterPasses);

    EvFilter shared;
    EventsModel model;
    EventsFilterProxyModel proxy(shared);
    proxy.setSourceModel(&model);
    model.insertEvents({makeEvent(1, 1, 10), makeEvent(2, 2, 10), makeEvent(3, 3, 10), makeEvent(4, 2, 20),
                        makeEvent(5, 2, 10), makeEvent(6, 1, 20)});
    shared = filter;
    proxy.applyFilter();
    QCOMPARE(codes(proxy), visible);
    QCOMPARE(rowNumbers(proxy), numbers);
    QCOMPARE(evFilterSummary(filter, codeDesc), summary);

    // Rows arriving later pass the same filter, and the numbers stay those of the whole log.
    model.insertEvents({makeEvent(7, 2, 20)});
    QCOMPARE(proxy.rowCount(), visible.size() + (laterPasses ? 1 : 0));
    shared = EvFilter();
    proxy.applyFilter();
    QCOMPARE(rowNumbers(proxy), (QList<int>{7, 6, 5, 4, 3, 2, 1}));
}

void TestEventsModel::filterFollowsBatchesAndOverflow_data()
{
    QTest::addColumn<EvFilter>("filter");
    QTest::addColumn<int>("maxCount");

    EvFilter ryn;
    ryn.rynFilterOn = 1;
    ryn.rynAddr = 2;
    EvFilter auAndCode;
    auAndCode.auFilterOn = 1;
    auAndCode.auAddr = 3;
    auAndCode.evCodeFilterOn = 1;
    auAndCode.evCode = 4;
    EvFilter nothing;
    nothing.rynFilterOn = 1;
    nothing.rynAddr = 9;
    QTest::addRow("off") << EvFilter() << 12;
    QTest::addRow("controller") << ryn << 12;
    QTest::addRow("unit-and-code") << auAndCode << 30;
    QTest::addRow("nothing-passes") << nothing << 12;
    QTest::addRow("controller-log-of-one") << ryn << 1;
}

void TestEventsModel::filterFollowsBatchesAndOverflow()
{
    QFETCH(EvFilter, filter);
    QFETCH(int, maxCount);

    EvFilter shared = filter;
    EventsModel model;
    model.setMaxCount(maxCount);
    EventsFilterProxyModel proxy(shared);
    proxy.setSourceModel(&model);
    // Fails the test on any change whose signals do not match what the proxy then shows.
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);

    // Each event is told apart by its time; the filtered fields cycle at different rates.
    const auto expected = [&](const EvFilter &f) {
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            const ModbusEvent &ev = model.eventAt(row);
            if ((!f.rynFilterOn || ev.rynAddr == f.rynAddr) && (!f.auFilterOn || ev.auAddr == f.auAddr) &&
                (!f.evCodeFilterOn || ev.evCode == f.evCode))
                rows << QStringLiteral("%1 #%2").arg(ev.received.toString(QStringLiteral("hh:mm:ss"))).arg(model.rowCount() - row);
        }
        return rows;
    };
    const auto shown = [&proxy] {
        QStringList rows;
        for (int row = 0; row < proxy.rowCount(); ++row)
            rows << QStringLiteral("%1 #%2").arg(proxy.index(row, EventsModel::ColumnTime).data().toString(),
                                                  proxy.headerData(row, Qt::Vertical).toString());
        return rows;
    };

    int n = 0;
    QPersistentModelIndex held;
    QString heldTime;
    for (int round = 0; round < 24; ++round) {
        ModbusProtocol::EventList events;
        for (int i = 0; i < 1 + round % 5; ++i, ++n) {
            ModbusEvent ev = makeEvent(1 + n % 7, 1 + n % 3, 1 + n % 4);
            ev.received = baseTime.addSecs(n);
            events << ev;
        }
        model.insertEvents(events);
        QCOMPARE(shown(), expected(shared));
        // A row the engineer selected stays on its event while it is kept.
        if (!held.isValid() && proxy.rowCount() > 0) {
            held = proxy.index(proxy.rowCount() - 1, EventsModel::ColumnTime);
            heldTime = held.data().toString();
        } else if (held.isValid()) {
            QCOMPARE(held.data().toString(), heldTime);
        }
        if (round == 10)
            model.descriptionsChanged();
    }

    // Turning the filter off keeps the held row on its event; turning it back on shows the same rows.
    shared = EvFilter();
    proxy.applyFilter();
    QCOMPARE(shown(), expected(shared));
    if (held.isValid())
        QCOMPARE(held.data().toString(), heldTime);
    shared = filter;
    proxy.applyFilter();
    QCOMPARE(shown(), expected(shared));

    model.clear();
    QCOMPARE(proxy.rowCount(), 0);
    QVERIFY(!held.isValid());
}

void TestEventsModel::offeredCodes()
{
    EvDescList list;
    for (int code : {1, 5, 7}) {
        list << EvDesc();
        list.last().code = code;
    }
    const QList<int> offered = offeredEvCodes(7, list);
    QCOMPARE(offered.mid(0, 6), (QList<int>{7, 2, 3, 4, 6, 8}));
    QCOMPARE(offered.last(), 255);
    QCOMPARE(offered.size(), 1 + 255 - 3);
    QCOMPARE(offeredEvCodes(0, list).first(), 0);
}

void TestEventsModel::csvField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");

    QTest::addRow("plain-untouched") << QStringLiteral("Пожар 5") << QStringLiteral("Пожар 5");
    QTest::addRow("empty-untouched") << QString() << QString();
    QTest::addRow("comma-untouched") << QStringLiteral("a, b") << QStringLiteral("a, b");
    QTest::addRow("semicolon-quoted") << QStringLiteral("a;b") << QStringLiteral("\"a;b\"");
    QTest::addRow("quote-doubled") << QStringLiteral("ИП \"Д\"") << QStringLiteral("\"ИП \"\"Д\"\"\"");
    QTest::addRow("line-feed-quoted") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
    QTest::addRow("carriage-return-quoted") << QStringLiteral("a\rb") << QStringLiteral("\"a\rb\"");
}

void TestEventsModel::csvField()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(::csvField(text), field);
}

void TestEventsModel::csvFileBytes()
{
    QVERIFY(
        writeDescriptions("[{\"code\": 5, \"desc\": \"Пожар; зона \\\"А\\\"\", \"addDescPrefix\": \"тип\"},"
                          " {\"code\": 6, \"desc\": \"Обрыв\", \"addDesc\": 0}]"));
    const EventDesc eventDesc(QStringLiteral("RU"));
    EvFilter filter;
    EventsModel model;
    model.setEventDesc(&eventDesc);
    EventsFilterProxyModel proxy(filter);
    proxy.setSourceModel(&model);
    model.insertEvents({makeEvent(5, 1, 10, 4), makeEvent(6, 2, 10, 1), makeEvent(5, 2, 11, 9)});
    filter.rynFilterOn = 1;
    filter.rynAddr = 2;
    proxy.applyFilter();

    const QString fileName = QStringLiteral("events.csv");
    const QString text = EventsCsv::text(proxy, {0, 1, 2, 3, 4, 5, 6, 7},
                                         evFilterSummary(filter, eventDesc.description(filter.evCode).desc),
                                         QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));
    QVERIFY(EventsCsv::write(fileName, text));

    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString expected =
        QStringLiteral("Фильтр по событиям: адрес RYN = 2\n"
                       "Дата формирования отчёта: 31.12.2024 23:59:58\n"
                       "\n"
                       "Дата;Время;RYN;Номер входа;Адрес АУ;Код;Доп. параметры;Описание\n"
                       "2024-03-09;07:05:08;2;2;11;5;тип 9;\"Пожар; зона \"\"А\"\"\"\n"
                       "2024-03-09;07:05:09;2;2;10;6;;Обрыв\n");
    QCOMPARE(bytes, QTextCodec::codecForName("Windows-1251")->fromUnicode(expected));
    QVERIFY(bytes.startsWith("\xD4\xE8\xEB\xFC\xF2\xF0")); // "Фильтр" in Windows-1251, no byte-order mark
}

void TestEventsModel::csvWriteFailure()
{
    QVERIFY(!EventsCsv::write(QStringLiteral("missing/events.csv"), QStringLiteral("x")));
    QVERIFY(QDir().mkdir(QStringLiteral("taken.csv")));
    QVERIFY(!EventsCsv::write(QStringLiteral("taken.csv"), QStringLiteral("x")));
}

QTEST_GUILESS_MAIN(TestEventsModel)
#include "tst_eventsmodel.moc"
