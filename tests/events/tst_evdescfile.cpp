#include "evdescfile.h"
#include "eventdesc.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(EvDesc)

namespace {

const QByteArray marker = "Ostrel TestRyn events description";

QByteArray document(const QByteArray &data, const QByteArray &version = "2")
{
    return "{\"content\": \"" + marker + "\", \"version\": " + version + ", \"data\": " + data + "}";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

EvDesc record(int code, const QString &desc)
{
    EvDesc evDesc;
    evDesc.code = code;
    evDesc.desc = desc;
    return evDesc;
}

// The codes listed in the catalogue tables: first cell of every table row that is a number.
QList<int> catalogueCodes()
{
    QList<int> codes;
    QFile file(QStringLiteral(RYN_DATA_DIR "/event-codes.md"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return codes;
    const QRegularExpression row(QStringLiteral("^\\| (\\d+) \\|"));
    while (!file.atEnd()) {
        const auto match = row.match(QString::fromUtf8(file.readLine()));
        if (match.hasMatch())
            codes << match.captured(1).toInt();
    }
    return codes;
}

} // namespace

class TestEvDescFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failedLoads_data();
    void failedLoads();
    void failedReloadKeepsVersion();
    void damagedFileLosesOnlyTheDamage_data();
    void damagedFileLosesOnlyTheDamage();
    void elementReading_data();
    void elementReading();
    void writerLeavesDefaultsOut();
    void roundTrip();
    void suffixCase_data();
    void suffixCase();
    void saveWithoutDirectoryFails();
    void installedProgramKeepsTheUsersCopy();
    void shippedFiles_data();
    void shippedFiles();
    void shippedRendering_data();
    void shippedRendering();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TestEvDescFile::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
}

void TestEvDescFile::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEvDescFile::failedLoads_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file at all
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("records");

    QTest::addRow("missing-file") << QByteArray() << false << 0 << 0;
    QTest::addRow("truncated-json") << document("[{\"code\": 1}]").left(40) << false << 0 << 0;
    QTest::addRow("array-document") << QByteArray("[{\"code\": 1}]") << false << 0 << 0;
    QTest::addRow("marker-other-case") << document("[]").replace("TestRyn", "TestRYN") << false << 0 << 0;
    QTest::addRow("marker-missing") << QByteArray("{\"version\": 2, \"data\": [{\"code\": 1}]}") << false << 0
                                    << 0;
    QTest::addRow("data-not-an-array") << document("{\"code\": 1}") << false << 2 << 0;
    QTest::addRow("data-missing") << QByteArray("{\"content\": \"" + marker + "\", \"version\": 4}") << true
                                  << 4 << 0;
    QTest::addRow("byte-order-mark") << QByteArray("\xEF\xBB\xBF" + document("[{\"code\": 1}]")) << true << 2
                                     << 1;
    QTest::addRow("version-fraction") << document("[]", "1.5") << true << 0 << 0;
    QTest::addRow("version-string") << document("[]", "\"3\"") << true << 0 << 0;
}

void TestEvDescFile::failedLoads()
{
    QFETCH(QByteArray, contents);
    if (!contents.isNull())
        QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), contents));

    QFETCH(bool, loaded);
    QFETCH(int, version);
    QFETCH(int, records);

    const EventDesc eventDesc(QStringLiteral("RU"));
    QCOMPARE(eventDesc.isLoaded(), loaded);
    QCOMPARE(eventDesc.version(), version);
    QCOMPARE(eventDesc.descriptions().size(), records);
    // Whatever happened, a look-up answers with a usable record.
    QCOMPARE(eventDesc.description(200), EvDesc());
}

void TestEvDescFile::failedReloadKeepsVersion()
{
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), document("[{\"code\": 1}]", "7")));
    EventDesc eventDesc(QStringLiteral("RU"));
    QVERIFY(eventDesc.isLoaded());
    QCOMPARE(eventDesc.version(), 7);

    QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), "not json"));
    QVERIFY(!eventDesc.load());
    QVERIFY(!eventDesc.isLoaded());
    QCOMPARE(eventDesc.version(), 7);
    QVERIFY(eventDesc.descriptions().isEmpty());
}

void TestEvDescFile::damagedFileLosesOnlyTheDamage_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QList<int>>("keys"); // of the records read
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("firstSkipped");
    QTest::addColumn<QString>("firstSkippedText");
    QTest::addColumn<bool>("bytesReplaced");

    // A record that is not a description is skipped; the ones after it are read all the same.
    QTest::addRow("code-a-string")
        << document("[{\"code\": 1}, {\"code\": \"5\", \"desc\": \"x\"}, {\"code\": 5}]")
        << QList<int>{1, 5} << 1 << 1 << QStringLiteral("{\"code\":\"5\",\"desc\":\"x\"}") << false;
    QTest::addRow("code-a-fraction") << document("[{\"code\": 2.5}, {\"code\": 3}]") << QList<int>{3} << 1
                                     << 0 << QStringLiteral("{\"code\":2.5}") << false;
    QTest::addRow("code-missing-and-not-an-object")
        << document("[{\"code\": 1}, 7, {\"code\": 3}, {\"desc\": \"x\"}, {\"code\": 4}]")
        << QList<int>{1, 3, 4} << 2 << 1 << QStringLiteral("7") << false;
    QTest::addRow("long-record-shortened")
        << document("[{\"code\": null, \"desc\": \"" + QByteArray(200, 'a') + "\"}]") << QList<int>{} << 1
        << 0 << QStringLiteral("{\"code\":null,\"desc\":\"") + QString(56, QLatin1Char('a')) + QStringLiteral("...")
        << false;
    // A byte that is not UTF-8 damages its own text only.
    QTest::addRow("invalid-utf8-in-a-text")
        << document("[{\"code\": 1, \"desc\": \"\xCF\xEE\xE6\xE0\xF0\"}, {\"code\": 2, \"desc\": \"Пожар\"}]")
        << QList<int>{1, 2} << 0 << -1 << QString() << true;
    QTest::addRow("truncated-sequence-before-a-quote")
        << document("[{\"code\": 1, \"desc\": \"a\xD0\"}, {\"code\": 2}]") << QList<int>{1, 2} << 0 << -1
        << QString() << true;
}

void TestEvDescFile::damagedFileLosesOnlyTheDamage()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<int>, keys);
    QFETCH(int, skipped);
    QFETCH(int, firstSkipped);
    QFETCH(QString, firstSkippedText);
    QFETCH(bool, bytesReplaced);
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), contents));

    const EventDesc eventDesc(QStringLiteral("RU"));
    QList<int> read;
    for (const EvDesc &evDesc : eventDesc.descriptions())
        read.append(evDesc.code);
    QCOMPARE(read, keys);
    QCOMPARE(eventDesc.version(), 2);
    // Skipped records make the load a failure (the red indicator); replaced bytes do not.
    QCOMPARE(eventDesc.isLoaded(), skipped == 0);
    const EvDescFile::ReadReport &report = eventDesc.readReport();
    QCOMPARE(report.skippedRecords, skipped);
    QCOMPARE(report.firstSkipped, firstSkipped);
    QCOMPARE(report.firstSkippedText, firstSkippedText);
    QCOMPARE(report.bytesReplaced, bytesReplaced);
    QCOMPARE(report.saveLosesData(), skipped > 0 || bytesReplaced);
    if (bytesReplaced) {
        QVERIFY(eventDesc.description(1).desc.contains(QChar::ReplacementCharacter));
        QVERIFY(!eventDesc.description(2).desc.contains(QChar::ReplacementCharacter));
    }
    const QString text = EvDescFile::reportText(report, eventDesc.path());
    QCOMPARE(text.isEmpty(), !report.saveLosesData());
    if (skipped > 0)
        QVERIFY2(text.contains(QStringLiteral("№ %1: ").arg(firstSkipped + 1) + firstSkippedText), qPrintable(text));
}

void TestEvDescFile::elementReading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("key");
    QTest::addColumn<EvDesc>("expected");

    EvDesc plain = record(5, QString());
    QTest::addRow("only-code-gives-defaults") << QByteArray("[{\"code\": 5}]") << 5 << plain;

    EvDesc boolFlags = plain;
    boolFlags.addDesc = false;
    QTest::addRow("json-true-is-not-a-number")
        << QByteArray("[{\"code\": 5, \"addDesc\": true, \"addDescUseDesc\": true}]") << 5 << boolFlags;
    QTest::addRow("fraction-reads-zero") << QByteArray("[{\"code\": 5, \"addDesc\": 0.5}]") << 5 << boolFlags;

    EvDesc useNames = plain;
    useNames.addDescUseDesc = true;
    QTest::addRow("any-non-zero-is-true")
        << QByteArray("[{\"code\": 5, \"addDescUseDesc\": -3}]") << 5 << useNames;

    EvDesc wrongTypes = record(5, QString());
    wrongTypes.bgColor = QString();
    QTest::addRow("wrong-types-read-as-empty")
        << QByteArray("[{\"code\": 5, \"desc\": 12, \"bgColor\": [1]}]") << 5 << wrongTypes;

    EvDesc wide = record(256, QStringLiteral("wide"));
    QTest::addRow("code-256-stored-under-0")
        << QByteArray("[{\"code\": 256, \"desc\": \"wide\"}]") << 0 << wide;

    QTest::addRow("later-duplicate-wins")
        << QByteArray("[{\"code\": 5, \"desc\": \"first\"}, {\"code\": 5, \"desc\": \"second\"}]") << 5
        << record(5, QStringLiteral("second"));

    EvDesc names = plain;
    names.addDescDesc = {{0, QStringLiteral("zero")}, {2, QStringLiteral("two")}};
    QTest::addRow("name-entries-not-objects-skipped")
        << QByteArray("[{\"code\": 5, \"addDescDesc\": [3, {\"value\": 2, \"name\": \"two\"}, \"x\","
                      " {\"name\": \"zero\"}]}]")
        << 5 << names;
    QTest::addRow("names-not-an-array-ignored")
        << QByteArray("[{\"code\": 5, \"addDescDesc\": {\"value\": 1, \"name\": \"one\"}}]") << 5 << plain;

    EvDesc full = record(1, QStringLiteral("Пожар"));
    full.bgColor = QStringLiteral("Red");
    full.fgColor = QStringLiteral("#ffffff");
    full.addDescPrefix = QStringLiteral("тип");
    full.addDescPostfix = QStringLiteral("шт.");
    full.addDescUseDesc = true;
    full.addDescDesc = {{4, QStringLiteral("ИП дымовой")}};
    QTest::addRow("every-key")
        << QByteArray("[{\"code\": 1, \"desc\": \"Пожар\", \"bgColor\": \"Red\", \"fgColor\": \"#ffffff\","
                      " \"addDesc\": 1, \"addDescPrefix\": \"тип\", \"addDescPostfix\": \"шт.\","
                      " \"addDescUseDesc\": 1, \"addDescDesc\": [{\"value\": 4, \"name\": \"ИП дымовой\"}]}]")
        << 1 << full;
}

void TestEvDescFile::elementReading()
{
    QFETCH(QByteArray, data);
    QFETCH(int, key);
    QFETCH(EvDesc, expected);
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), document(data)));

    const EventDesc eventDesc(QStringLiteral("RU"));
    QVERIFY(eventDesc.isLoaded());
    QCOMPARE(eventDesc.description(key), expected);
    QCOMPARE(eventDesc.description(key + 256), expected);
}

void TestEvDescFile::writerLeavesDefaultsOut()
{
    EvDesc colours = record(2, QStringLiteral("x"));
    colours.bgColor = QStringLiteral("white"); // differs from the default only in case: kept
    const QByteArray json = EvDescFile::toJson({record(1, QString()), colours}, 3);

    QVERIFY(!json.contains("\"bgColor\": \"White\""));
    QVERIFY(!json.contains("fgColor"));
    QVERIFY(!json.contains("addDescPrefix"));
    QVERIFY(!json.contains("addDescPostfix"));
    QVERIFY(!json.contains("addDescDesc"));
    QVERIFY(json.contains("\"bgColor\": \"white\""));
    QVERIFY(json.contains("\"desc\": \"\""));
    QVERIFY(json.contains("\"lang\": \"RU\""));
    // Sorted keys, four spaces per level, one key per line.
    QVERIFY(json.startsWith("{\n    \"content\": \"" + marker +
                            "\",\n    \"data\": [\n        {\n"
                            "            \"addDesc\": 1,\n            \"addDescUseDesc\": 0,\n"
                            "            \"code\": 1,\n"));
}

void TestEvDescFile::roundTrip()
{
    EvDesc fire = record(1, QStringLiteral("Пожар \"А\"; тест"));
    fire.bgColor = QStringLiteral("#ff0000");
    fire.fgColor = QStringLiteral("White");
    fire.addDescPrefix = QStringLiteral("тип");
    fire.addDescUseDesc = true;
    fire.addDescDesc = {{-1, QStringLiteral("minus")}, {4, QStringLiteral("ИП дымовой")}};
    EvDesc hidden = record(14, QStringLiteral("Двойной адрес"));
    hidden.addDesc = false;
    hidden.addDescPostfix = QStringLiteral("В");
    const EvDesc wide = record(300, QStringLiteral("low byte 44"));
    const EvDescList written{fire, hidden, wide};

    QVERIFY(EvDescFile::save(QStringLiteral("RU"), written, 9));
    const EventDesc eventDesc(QStringLiteral("RU"));
    QVERIFY(eventDesc.isLoaded());
    QCOMPARE(eventDesc.version(), 9);
    QCOMPARE(eventDesc.descriptions(), (EvDescList{fire, hidden, wide}));
    QCOMPARE(eventDesc.description(44), wide);
    // Writing what was read gives the same bytes: saving an unchanged list changes nothing.
    QCOMPARE(EvDescFile::toJson(eventDesc.descriptions(), 9),
             readFile(EvDescFile::writePath(QStringLiteral("RU"))));
}

void TestEvDescFile::suffixCase_data()
{
    QTest::addColumn<QString>("existing"); // empty: no file yet
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");

    QTest::addRow("configured-upper-file-lower")
        << QStringLiteral("Messages.ru") << QStringLiteral("RU") << QStringLiteral("Messages.ru");
    QTest::addRow("configured-upper-file-upper")
        << QStringLiteral("Messages.RU") << QStringLiteral("RU") << QStringLiteral("Messages.RU");
    QTest::addRow("configured-lower-file-upper")
        << QStringLiteral("Messages.EN") << QStringLiteral("en") << QStringLiteral("Messages.EN");
    QTest::addRow("mixed-case-file") << QStringLiteral("Messages.En") << QStringLiteral("EN")
                                     << QStringLiteral("Messages.En");
    QTest::addRow("no-file-writes-lower")
        << QString() << QStringLiteral("RU") << QStringLiteral("Messages.ru");
}

void TestEvDescFile::suffixCase()
{
    QFETCH(QString, existing);
    QFETCH(QString, language);
    QFETCH(QString, file);
    if (!existing.isEmpty())
        QVERIFY(writeFile(QStringLiteral("Resources/") + existing,
                          document("[{\"code\": 1, \"desc\": \"old\"}]")));
    QCOMPARE(QDir(QStringLiteral("Resources")).entryList(QDir::Files),
             existing.isEmpty() ? QStringList() : QStringList{existing});

    QVERIFY(EvDescFile::save(language, {record(1, QStringLiteral("new"))}, 2));
    QCOMPARE(QDir(QStringLiteral("Resources")).entryList(QDir::Files), QStringList{file});
    const EventDesc eventDesc(language);
    QVERIFY(eventDesc.isLoaded());
    QCOMPARE(eventDesc.description(1).desc, QStringLiteral("new"));
}

void TestEvDescFile::saveWithoutDirectoryFails()
{
    QVERIFY(QDir(QStringLiteral("Resources")).removeRecursively());
    QVERIFY(!EvDescFile::save(QStringLiteral("RU"), {record(1, QStringLiteral("x"))}, 1));
    QVERIFY(!QFileInfo::exists(QStringLiteral("Resources")));
}

// An installed program may not write beside itself: a save goes to the user's folder, and from then
// on the user's copy is what is read; the installed file stays as shipped.
void TestEvDescFile::installedProgramKeepsTheUsersCopy()
{
    const QByteArray shipped = document("[{\"code\": 1, \"desc\": \"shipped\"}]");
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.RU"), shipped));
    const QString user = QDir(m_dir->path()).filePath(QStringLiteral("user/data"));
    EvDescFile::setUserDirectory(user);
    QCOMPARE(EventDesc(QStringLiteral("RU")).description(1).desc, QStringLiteral("shipped"));

    const bool saved = EvDescFile::save(QStringLiteral("RU"), {record(1, QStringLiteral("mine"))}, 2);
    const QString writtenTo = EvDescFile::writePath(QStringLiteral("RU"));
    const QString readFrom = EvDescFile::readPath(QStringLiteral("RU"));
    const QString mine = EventDesc(QStringLiteral("RU")).description(1).desc;
    EvDescFile::setUserDirectory(QString());
    QVERIFY(saved);
    QCOMPARE(writtenTo, QDir(user).filePath(QStringLiteral("Resources/Messages.ru")));
    QCOMPARE(readFrom, writtenTo);
    QCOMPARE(mine, QStringLiteral("mine"));
    QCOMPARE(readFile(QStringLiteral("Resources/Messages.RU")), shipped);
    // A program that keeps its files beside itself reads its own again.
    QCOMPARE(EventDesc(QStringLiteral("RU")).description(1).desc, QStringLiteral("shipped"));
}

void TestEvDescFile::shippedFiles_data()
{
    QTest::addColumn<QString>("language");
    QTest::addRow("russian") << QStringLiteral("RU");
    QTest::addRow("english") << QStringLiteral("EN");
}

void TestEvDescFile::shippedFiles()
{
    QFETCH(QString, language);
    const QString shipped = QStringLiteral(RYN_DATA_DIR "/Messages.") + language;
    QVERIFY(QFile::copy(shipped, QStringLiteral("Resources/Messages.") + language));
    QVERIFY(
        QFile::copy(QStringLiteral(RYN_DATA_DIR "/Messages.RU"), QStringLiteral("Resources/Messages.XX")));

    const EventDesc eventDesc(language);
    const EventDesc russian(QStringLiteral("XX"));
    QVERIFY(eventDesc.isLoaded());
    QCOMPARE(eventDesc.version(), 1);
    const QList<int> codes = catalogueCodes();
    QVERIFY(codes.size() > 50);
    for (int code : codes) {
        const EvDesc evDesc = eventDesc.description(code);
        QVERIFY2(evDesc.code == code && !evDesc.desc.isEmpty(), qPrintable(QString::number(code)));
        QVERIFY2(QColor(evDesc.bgColor).isValid() && QColor(evDesc.fgColor).isValid(),
                 qPrintable(evDesc.desc));
        // Both languages colour an event alike.
        QCOMPARE(evDesc.bgColor, russian.description(code).bgColor);
        QCOMPARE(evDesc.fgColor, russian.description(code).fgColor);
    }
    QCOMPARE(eventDesc.descriptions().size(), codes.size());
    // In the writer's own form, so the editor's save changes only what the user changed.
    QCOMPARE(EvDescFile::toJson(eventDesc.descriptions(), 1), readFile(shipped));
}

void TestEvDescFile::shippedRendering_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("param");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bgColor");

    QTest::addRow("fire-names-the-type")
        << QStringLiteral("RU") << 1 << 4 << QStringLiteral("ИП дымовой") << QStringLiteral("Red");
    QTest::addRow("unknown-type-as-number")
        << QStringLiteral("EN") << 1 << 99 << QStringLiteral("99") << QStringLiteral("Red");
    QTest::addRow("low-voltage-in-volts")
        << QStringLiteral("RU") << 78 << 108 << QStringLiteral("U = 10,8 В") << QStringLiteral("Yellow");
    QTest::addRow("ionistors-overcharged")
        << QStringLiteral("EN") << 165 << 255 << QStringLiteral("U = 5.00 V") << QStringLiteral("Yellow");
    QTest::addRow("relay-name") << QStringLiteral("RU") << 84 << 2 << QStringLiteral("реле Пожар")
                                << QStringLiteral("White");
    QTest::addRow("restoration-green") << QStringLiteral("EN") << 11 << 4 << QStringLiteral("smoke detector")
                                       << QStringLiteral("LightGreen");
    QTest::addRow("start-hides-parameter")
        << QStringLiteral("RU") << 101 << 0 << QString() << QStringLiteral("LightSkyBlue");
}

void TestEvDescFile::shippedRendering()
{
    QFETCH(QString, language);
    QFETCH(int, code);
    QFETCH(int, param);
    QFETCH(QString, text);
    QFETCH(QString, bgColor);
    QVERIFY(QFile::copy(QStringLiteral(RYN_DATA_DIR "/Messages.") + language,
                        QStringLiteral("Resources/Messages.") + language));
    const EvDesc evDesc = EventDesc(language).description(code);
    QCOMPARE(evDesc.addParamText(param), text);
    QCOMPARE(evDesc.bgColor, bgColor);
}

QTEST_GUILESS_MAIN(TestEvDescFile)
#include "tst_evdescfile.moc"
