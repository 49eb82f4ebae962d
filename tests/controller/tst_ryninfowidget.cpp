#include "exlabel.h"
#include "modalwatcher.h"
#include "modbuserrorsdialog.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "tablespans.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

#include <algorithm>

using Writes = QVector<QPair<int, int>>; // register, word
using Texts = QMap<QString, QString>;    // label or ball name -> text or colour
using Rows = QMap<int, QString>;         // information table row -> value

class TestRYNInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void registerRows_data();
    void registerRows();
    void ballsAsPainted_data();
    void ballsAsPainted();
    void protocolTableAfterARegisterBlock();
    void serverCountersInBothTables();
    void typeSummaryRows();
    void typeSummaryGrowsTheProtocol();
    void decimalSeparatorOfTheLocale_data();
    void decimalSeparatorOfTheLocale();
    void exceptionMapReachesTheDialog_data();
    void exceptionMapReachesTheDialog();
    void selectionShowsAddressAndForgetsTheTime();
    void panelScrollsOnASmallScreen();
    void valuesRepaintOnlyTheirLabels();

private:
    QString label(const char *name) const;
    QString ballColour(const QString &name) const;
    QString paintedBall(const QString &name) const;
    QString protocol(int row, int column) const;

    QTableWidget *m_report = nullptr;
    QTableWidget *m_protocol = nullptr;
    RYNInfoWidget *m_view = nullptr;
};

void TestRYNInfoWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestRYNInfoWidget::init()
{
    m_report = new QTableWidget;
    m_protocol = new QTableWidget;
    m_view = new RYNInfoWidget(m_report, m_protocol);
    m_view->setDocumentLocale(QLocale::c());
}

void TestRYNInfoWidget::cleanup()
{
    delete m_view;
    delete m_report;
    delete m_protocol;
}

QString TestRYNInfoWidget::label(const char *name) const
{
    auto *found = m_view->findChild<QLabel *>(QString::fromLatin1(name));
    return found ? found->text() : QStringLiteral("<none>");
}

// What a person sees: the ball's picture compared with each of the four.
QString TestRYNInfoWidget::ballColour(const QString &name) const
{
    auto *ball = m_view->findChild<QLabel *>(name);
    if (!ball)
        return QStringLiteral("<none>");
    const QImage shown = ball->pixmap(Qt::ReturnByValue).toImage();
    for (const char *colour : {"white", "red", "green", "yellow"}) {
        const QPixmap expected =
            QPixmap(QStringLiteral(":/images/rxtx/ball_%1.png").arg(QLatin1String(colour)))
                .scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (expected.toImage() == shown)
            return QLatin1String(colour);
    }
    return QStringLiteral("<other>");
}

namespace {

// The mean colour of the pixels that stand out from the background in the image's corner; invalid
// when nothing does.
QColor meanForeground(const QImage &image)
{
    const QColor background = image.pixelColor(0, 0);
    qint64 red = 0, green = 0, blue = 0, count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - background.red()) + qAbs(pixel.green() - background.green()) +
                    qAbs(pixel.blue() - background.blue()) < 60)
                continue;
            red += pixel.red();
            green += pixel.green();
            blue += pixel.blue();
            ++count;
        }
    }
    return count ? QColor(int(red / count), int(green / count), int(blue / count)) : QColor();
}

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++counts[watched];
        return false;
    }
    QHash<QObject *, int> counts;
};

} // namespace

// What a person sees: the ball as its label paints it, matched to the nearest of the four pictures
// painted on the same background.
QString TestRYNInfoWidget::paintedBall(const QString &name) const
{
    auto *ball = m_view->findChild<QLabel *>(name);
    if (!ball)
        return QStringLiteral("<none>");
    const QImage shown = ball->grab().toImage();
    const QColor painted = meanForeground(shown);
    if (!painted.isValid())
        return QStringLiteral("<nothing>");
    QString nearest;
    int best = INT_MAX;
    for (const char *colour : {"white", "red", "green", "yellow"}) {
        QImage reference(12, 12, QImage::Format_ARGB32);
        reference.fill(shown.pixelColor(0, 0));
        QPainter painter(&reference);
        painter.drawPixmap(1, 1, QPixmap(QStringLiteral(":/images/rxtx/ball_%1.png").arg(QLatin1String(colour)))
                                     .scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        painter.end();
        const QColor expected = meanForeground(reference);
        if (!expected.isValid())
            continue;
        const int distance = qAbs(expected.red() - painted.red()) + qAbs(expected.green() - painted.green()) +
                             qAbs(expected.blue() - painted.blue());
        if (distance < best) {
            best = distance;
            nearest = QLatin1String(colour);
        }
    }
    return nearest;
}

QString TestRYNInfoWidget::protocol(int row, int column) const
{
    const QTableWidgetItem *item = m_protocol->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

void TestRYNInfoWidget::registerRows_data()
{
    QTest::addColumn<Writes>("writes");
    QTest::addColumn<Texts>("labels");
    QTest::addColumn<Texts>("balls");
    QTest::addColumn<Rows>("report");
    const QString unknownTime = QStringLiteral("----:--:--:--");

    QTest::addRow("type") << Writes{{976, 7}} << Texts{{"reg976", "7"}} << Texts{} << Rows{{2, "7"}};
    QTest::addRow("version-14-has-no-operating-time")
        << Writes{{1002, 0x0107}, {1003, 0x0065}, {977, 14}, {1000, 3}}
        << Texts{{"versionLabel", "3-14"}, {"operatingTimeLabel", unknownTime}} << Texts{}
        << Rows{{3, "3 \u2013 14"}, {0, unknownTime}};
    QTest::addRow("version-15-shows-operating-time")
        << Writes{{977, 15}, {1000, 4}, {1002, 0x0107}, {1003, 0x0065}}
        << Texts{{"versionLabel", "4-15"}, {"operatingTimeLabel", "3:05:04:07"}} << Texts{}
        << Rows{{3, "4 \u2013 15"}, {0, "3:05:04:07"}};
    QTest::addRow("configured-and-polled-units")
        << Writes{{978, 0x3635}} << Texts{{"unitCountLabel", "54"}, {"polledCountLabel", "53"}} << Texts{}
        << Rows{{5, "54"}, {6, "53"}};
    QTest::addRow("left-key-only") << Writes{{979, 0x0001}} << Texts{}
                                   << Texts{{"leftKeyBall", "red"},
                                            {"rightKeyBall", "white"},
                                            {"leftStageBall", "white"}}
                                   << Rows{{13, "Нет"}, {14, "Нет"}};
    QTest::addRow("stages-double-address-and-251") << Writes{{979, 0x018E}} << Texts{}
                                                   << Texts{{"leftKeyBall", "white"},
                                                            {"rightKeyBall", "red"},
                                                            {"leftStageBall", "green"},
                                                            {"rightStageBall", "green"}}
                                                   << Rows{{13, "Да"}, {14, "Да"}};
    QTest::addRow("loop-break-and-short")
        << Writes{{980, 0x0030}} << Texts{}
        << Texts{{"loopBreakBall", "yellow"}, {"loopShortBall", "yellow"}, {"caseOpenBall", "white"}}
        << Rows{{8, "Да"}, {9, "Да"}, {17, "Нет"}, {18, "Нет"}, {22, "Нет"}};
    QTest::addRow("os-error-types-1-and-6")
        << Writes{{980, 0x0003}} << Texts{}
        << Texts{{"osError1Ball", "yellow"}, {"osError6Ball", "yellow"}, {"shortLeftBall", "white"}}
        << Rows{{22, "Да"}, {23, "Нет"}, {26, "Нет"}, {27, "Да"}};
    QTest::addRow("every-other-error-bit")
        << Writes{{980, 0x3FCC}} << Texts{}
        << Texts{{"loopBreakBall", "white"},
                 {"loopShortBall", "white"},
                 {"shortLeftBall", "yellow"},
                 {"shortRightBall", "yellow"},
                 {"loopBufferOverflowBall", "yellow"},
                 {"caseOpenBall", "yellow"},
                 {"osError2Ball", "yellow"},
                 {"osError5Ball", "yellow"},
                 {"mainPowerFaultBall", "yellow"},
                 {"reservePowerFaultBall", "yellow"},
                 {"osError1Ball", "white"}}
        << Rows{{8, "Нет"}, {17, "Да"}, {18, "Да"}, {23, "Да"}, {26, "Да"}, {27, "Нет"}};
    QTest::addRow("loop-and-modbus-counters")
        << Writes{{981, 2}, {986, 7}, {988, 65535}, {989, 1}, {993, 9}, {996, 1200}, {997, 33}}
        << Texts{{"reg981", "2"}, {"reg986", "7"},    {"reg988", "65535"},
                 {"reg993", "9"}, {"reg996", "1200"}, {"reg997", "33"}}
        << Texts{}
        << Rows{{31, "2"}, {36, "7"}, {38, "65535"}, {44, "1"}, {48, "9"}, {40, "1200"}, {55, "33"}};
    QTest::addRow("supply-24") << Writes{{994, 0x0A6B}}
                               << Texts{{"voltage24Label", "12.0"}, {"current24Label", "13.6"}} << Texts{}
                               << Rows{{16, "12.0"}};
    QTest::addRow("supply-24-without-current")
        << Writes{{994, 0x0A6B}, {994, 0x006B}} << Texts{{"current24Label", "0"}} << Texts{} << Rows{};
    QTest::addRow("supply-13") << Writes{{995, 0x2879}}
                               << Texts{{"voltage13Label", "13.6"}, {"current13Label", "35.8"}} << Texts{}
                               << Rows{};
    QTest::addRow("loop-resistance") << Writes{{998, 124}} << Texts{{"resistanceLabel", "12.4"}} << Texts{}
                                     << Rows{{11, "12.4"}};
    QTest::addRow("charging") << Writes{{999, 0x0201}}
                              << Texts{{"toChargeLabel", "1"}, {"chargingLabel", "2"}} << Texts{} << Rows{};
    QTest::addRow("relays-on") << Writes{{1001, 0x0015}} << Texts{}
                               << Texts{{"startRelayBall", "red"},
                                        {"fireRelayBall", "red"},
                                        {"faultRelayBall", "yellow"}}
                               << Rows{};
    QTest::addRow("relay-codes-other-than-on")
        << Writes{{1001, 0x0015}, {1001, 0x003E}} << Texts{}
        << Texts{{"startRelayBall", "white"}, {"fireRelayBall", "white"}, {"faultRelayBall", "white"}}
        << Rows{};
    QTest::addRow("registers-outside-the-block")
        << Writes{{975, 5}, {1004, 5}} << Texts{{"reg976", ""}, {"versionLabel", "-"}} << Texts{} << Rows{};
}

void TestRYNInfoWidget::registerRows()
{
    QFETCH(Writes, writes);
    QFETCH(Texts, labels);
    QFETCH(Texts, balls);
    QFETCH(Rows, report);
    for (const auto &write : writes)
        m_view->slotRynRegistersUpdated(write.first, ushort(write.second));
    for (auto it = labels.cbegin(); it != labels.cend(); ++it)
        QCOMPARE(label(qPrintable(it.key())), it.value());
    for (auto it = balls.cbegin(); it != balls.cend(); ++it)
        QCOMPARE(ballColour(it.key()), it.value());
    for (auto it = report.cbegin(); it != report.cend(); ++it) {
        QVERIFY2(m_report->item(it.key(), 1), qPrintable(QString::number(it.key())));
        QCOMPARE(m_report->item(it.key(), 1)->text(), it.value());
    }
}

void TestRYNInfoWidget::ballsAsPainted_data()
{
    QTest::addColumn<Writes>("writes");
    QTest::addColumn<QString>("ball");
    QTest::addColumn<QString>("colour");
    QTest::addRow("fire-relay-on") << Writes{{1001, 0x0004}} << QStringLiteral("fireRelayBall") << QStringLiteral("red");
    QTest::addRow("fire-relay-off") << Writes{{1001, 0x0000}} << QStringLiteral("fireRelayBall")
                                    << QStringLiteral("white");
    QTest::addRow("loop-break-fault") << Writes{{980, 0x0020}} << QStringLiteral("loopBreakBall")
                                      << QStringLiteral("yellow");
    QTest::addRow("case-closed") << Writes{{980, 0x0020}} << QStringLiteral("caseOpenBall")
                                 << QStringLiteral("white");
    QTest::addRow("line-stage-on") << Writes{{979, 0x0004}} << QStringLiteral("leftStageBall")
                                   << QStringLiteral("green");
}

void TestRYNInfoWidget::ballsAsPainted()
{
    QFETCH(Writes, writes);
    QFETCH(QString, ball);
    QFETCH(QString, colour);
    for (const auto &write : writes)
        m_view->slotRynRegistersUpdated(write.first, ushort(write.second));
    QCOMPARE(paintedBall(ball), colour);
}

void TestRYNInfoWidget::protocolTableAfterARegisterBlock()
{
    QCOMPARE(m_report->rowCount(), 56);
    QCOMPARE(m_report->columnCount(), 2);
    QCOMPARE(m_protocol->rowCount(), 31);
    QCOMPARE(m_protocol->columnCount(), 7);
    // Row, column, rows spanned, columns spanned.
    const QVector<QVector<int>> spans = {
        {0, 1, 1, 2},  {0, 3, 1, 4},  {1, 3, 1, 4},  {2, 0, 9, 1},  {2, 1, 9, 2},  {2, 3, 1, 2},
        {10, 3, 1, 2}, {11, 1, 1, 2}, {11, 5, 1, 2}, {12, 3, 1, 2}, {13, 3, 1, 4}, {14, 1, 1, 2},
        {15, 5, 1, 2}, {18, 3, 1, 2}, {19, 0, 3, 1}, {19, 1, 3, 2}, {22, 0, 4, 1}, {22, 1, 4, 2},
        {26, 0, 5, 1}, {26, 1, 5, 1}, {26, 2, 3, 1}, {28, 5, 1, 2}, {29, 2, 2, 1}, {30, 5, 1, 2},
        {20, 3, 1, 1}, {26, 3, 1, 1}};
    for (const QVector<int> &span : spans) {
        const QString where = QStringLiteral("%1,%2").arg(span[0]).arg(span[1]);
        QVERIFY2(m_protocol->rowSpan(span[0], span[1]) == span[2], qPrintable(where));
        QVERIFY2(m_protocol->columnSpan(span[0], span[1]) == span[3], qPrintable(where));
    }
    // Every cell of the protocol exists, so a document made before any answer still has every row.
    for (int row = 0; row < 31; ++row) {
        for (int column = 0; column < 7; ++column)
            QVERIFY(m_protocol->item(row, column));
    }
    QCOMPARE(protocol(11, 3), QStringLiteral("Есть\u2610"));
    QCOMPARE(protocol(11, 5), QStringLiteral("Нет\u2610"));

    const Writes block = {
        {976, 1},   {977, 17},  {978, 0x1B1A}, {979, 0x0080}, {980, 0x1021},  {981, 2},       {982, 5},
        {983, 0},   {984, 0},   {985, 3},      {986, 0},      {987, 0},       {988, 1},       {989, 4},
        {990, 0},   {991, 0},   {992, 6},      {993, 8},      {994, 0x6ED9},  {995, 0x2879},  {996, 1200},
        {997, 950}, {998, 187}, {999, 0},      {1000, 4},     {1001, 0x0001}, {1002, 0x0A28}, {1003, 0x0044}};
    for (const auto &write : block)
        m_view->slotRynRegistersUpdated(write.first, ushort(write.second));

    QCOMPARE(label("operatingTimeLabel"), QStringLiteral("2:04:40:40"));
    const QVector<QStringList> expected = {
        {"0", "1", "Количество АУ в СЛИ согласно конфигурации", "27"},
        {"1", "1", "Фактическое количество АУ, находящихся в СЛИ", "26"},
        {"0", "3", "27"},
        {"1", "3", "26"},
        {"11", "0", "3"},
        {"11", "1", "Обрыв СЛИ"},
        {"11", "3", "Есть\u2611"},
        {"11", "5", "Нет\u2610"},
        {"12", "3", "Есть\u2610"},
        {"12", "5", "Нет\u2611"},
        {"13", "3", "24.3 В"},
        {"14", "3", "18.7 Ом."},
        {"15", "3", "Есть\u2610"},
        {"16", "3", "Есть\u2611"},
        {"17", "3", "Есть\u2611"},
        {"18", "5", "Нет\u2611"},
        {"19", "0", "11"},
        {"19", "3", "Тип 1"},
        {"19", "4", "\u2610"},
        {"21", "6", "\u2611"},
        {"22", "0", "12"},
        {"22", "1", "Количество ошибок СЛИ \n\nВремя работы <u>&nbsp;&nbsp;2:04:40:40&nbsp;&nbsp;</u>\u00B2"},
        {"22", "2", "2:04:40:40"},
        {"22", "3", "Parity"},
        {"22", "4", "2"},
        {"22", "6", "5"},
        {"24", "4", "3"},
        {"25", "5", "I_Small"},
        {"25", "6", "1"},
        {"26", "0", "13"},
        {"26", "1",
         "Количество ошибок ModBus \n\nВремя работы <u>&nbsp;&nbsp;2:04:40:40&nbsp;&nbsp;</u>\u00B2"},
        {"26", "2", "RYN"},
        {"26", "4", "4"},
        {"26", "5", "ORE"},
        {"26", "6", "6"},
        {"27", "5", "ModBus"},
        {"27", "6", "8"},
        {"28", "3", "NE"},
        {"28", "4", "0"},
    };
    for (const QStringList &cell : expected) {
        const int row = cell[0].toInt();
        const int column = cell[1].toInt();
        QCOMPARE(protocol(row, column), cell[2]);
    }
    QCOMPARE(m_report->item(0, 0)->text(), QStringLiteral("Продолжительность работы"));
    QCOMPARE(m_report->item(0, 1)->text(), QStringLiteral("2:04:40:40"));
    QCOMPARE(m_report->item(3, 1)->text(), QStringLiteral("4 \u2013 17"));
    QCOMPARE(m_report->item(30, 0)->text(), QStringLiteral("Количество ошибок СЛИ:"));
    QCOMPARE(m_report->item(43, 0)->text(), QStringLiteral("Ошибки ModBus RYN:"));
    QCOMPARE(m_report->item(21, 0)->text(), QStringLiteral("Ошибки ОС:"));
    // Rows the view does not own stay empty.
    for (int row : {1, 4, 7, 10, 12, 15, 19, 20, 28, 29, 39, 41, 42, 49, 54})
        QVERIFY2(!m_report->item(row, 0), qPrintable(QString::number(row)));
}

void TestRYNInfoWidget::serverCountersInBothTables()
{
    m_view->slotRxCommErrCntChanged(3);
    m_view->slotRxTimeoutErrCntChanged(12);
    m_view->slotRxModbusErrCntChanged(5);
    QCOMPARE(label("serverCrcLabel"), QStringLiteral("3"));
    QCOMPARE(label("serverTimeoutLabel"), QStringLiteral("12"));
    QCOMPARE(label("serverModbusLabel"), QStringLiteral("5"));
    const QVector<QStringList> report = {
        {"Ошибки ModBus  Сервер:", ""}, {"CRC", "3"}, {"TimeOut", "12"}, {"ModBus", "5"}};
    for (int i = 0; i < report.size(); ++i) {
        QCOMPARE(m_report->item(50 + i, 0)->text(), report[i][0]);
        QCOMPARE(m_report->item(50 + i, 1)->text(), report[i][1]);
    }
    const QStringList row29 = {"Сервер", "CRC", "3", "ModBus", "5"};
    const QStringList row30 = {"", "TimeOut", "12", "", ""};
    for (int column = 2; column < 7; ++column) {
        QCOMPARE(protocol(29, column), row29[column - 2]);
        QCOMPARE(protocol(30, column), row30[column - 2]);
    }
}

void TestRYNInfoWidget::typeSummaryRows()
{
    QMap<HardTypes, QPair<QString, QString>> summary;
    for (int type = 1; type <= 7; ++type)
        summary.insert(HardTypes(type), {QString::number(type + 10), QString::number(type)});
    summary.insert(SmokeDetector, {QStringLiteral("12/14"), QStringLiteral("40")});
    summary.insert(ManualCallPointV, {QStringLiteral("3"), QStringLiteral("1")});
    m_view->slotTypeVersionCountMap(summary);
    // Key order; eight types fill the table as it is, a type without a label is named by its code.
    QCOMPARE(m_protocol->rowCount(), 31);
    QCOMPARE(protocol(3, 3), auTypeName(ManualCallPoint));
    QCOMPARE(protocol(6, 3), auTypeName(SmokeDetector));
    QCOMPARE(protocol(6, 5), QStringLiteral("12/14"));
    QCOMPARE(protocol(6, 6), QStringLiteral("40"));
    QCOMPARE(protocol(10, 3), QStringLiteral("тип 12"));
    QCOMPARE(protocol(11, 1), QStringLiteral("Обрыв СЛИ"));

    // A shorter summary leaves no type of the longer one behind.
    m_view->slotTypeVersionCountMap({{HeatDetector, {QStringLiteral("5"), QStringLiteral("2")}}});
    QCOMPARE(protocol(3, 3), auTypeName(HeatDetector));
    QCOMPARE(protocol(3, 6), QStringLiteral("2"));
    for (int row = 4; row <= 10; ++row) {
        for (int column : {3, 5, 6})
            QCOMPARE(protocol(row, column), QString());
    }
    QCOMPARE(protocol(2, 3), QStringLiteral("<b>Тип</b>"));
}

void TestRYNInfoWidget::typeSummaryGrowsTheProtocol()
{
    QTableWidget freshReport;
    QTableWidget freshProtocol;
    const RYNInfoWidget fresh(&freshReport, &freshProtocol);
    const QList<QRect> eightTypeSpans = viewSpans(freshProtocol);

    QMap<HardTypes, QPair<QString, QString>> summary;
    int units = 0;
    for (int type = 1; type <= 14; ++type) {
        summary.insert(HardTypes(type), {QString::number(type + 10), QString::number(type)});
        units += type;
    }
    m_view->slotTypeVersionCountMap(summary);
    m_view->slotRxTimeoutErrCntChanged(12);
    m_view->slotRynRegistersUpdated(994, 0x0A6B);

    // Six rows more at the end of the types: every type with its count; the rows below keep their
    // texts and item numbers, the type spans grow and all others move down.
    QCOMPARE(m_protocol->rowCount(), 37);
    int listed = 0;
    for (int type = 1; type <= 14; ++type) {
        QCOMPARE(protocol(2 + type, 3), auTypeDisplayName(type));
        QCOMPARE(protocol(2 + type, 5), QString::number(type + 10));
        listed += protocol(2 + type, 6).toInt();
    }
    QCOMPARE(listed, units);
    QCOMPARE(protocol(17, 0), QStringLiteral("3"));
    QCOMPARE(protocol(17, 1), QStringLiteral("Обрыв СЛИ"));
    QCOMPARE(protocol(19, 3), QStringLiteral("12.0 В"));
    QCOMPARE(protocol(25, 0), QStringLiteral("11"));
    QCOMPARE(protocol(32, 0), QStringLiteral("13"));
    QCOMPARE(protocol(35, 2), QStringLiteral("Сервер"));
    QCOMPARE(protocol(36, 4), QStringLiteral("12"));
    for (int row = 0; row < 37; ++row) {
        for (int column = 0; column < 7; ++column)
            QVERIFY(m_protocol->item(row, column));
    }
    QList<QRect> grown;
    for (const QRect &span : eightTypeSpans) {
        if (span.top() == 2 && span.height() > 1)
            grown << span.adjusted(0, 0, 0, 6);
        else
            grown << (span.top() > 10 ? span.translated(0, 6) : span);
    }
    for (int row = 11; row <= 16; ++row)
        grown << QRect(3, row, 2, 1);
    std::sort(grown.begin(), grown.end(),
              [](const QRect &a, const QRect &b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    QCOMPARE(viewSpans(*m_protocol), grown);

    // Back to a few types: the table as it was made.
    m_view->slotTypeVersionCountMap({{HeatDetector, {QStringLiteral("5"), QStringLiteral("2")}}});
    QCOMPARE(m_protocol->rowCount(), 31);
    QCOMPARE(viewSpans(*m_protocol), eightTypeSpans);
    QCOMPARE(protocol(11, 1), QStringLiteral("Обрыв СЛИ"));
    QCOMPARE(protocol(13, 3), QStringLiteral("12.0 В"));
    QCOMPARE(protocol(30, 4), QStringLiteral("12"));
    QCOMPARE(protocol(10, 3), QString());
}

void TestRYNInfoWidget::decimalSeparatorOfTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("resistance");
    QTest::addColumn<QString>("current");
    QTest::addRow("english") << QLocale(QLocale::English, QLocale::UnitedStates) << "12.0"
                             << "18.7"
                             << "13.6";
    QTest::addRow("russian") << QLocale(QLocale::Russian, QLocale::Russia) << "12,0"
                             << "18,7"
                             << "13,6";
}

void TestRYNInfoWidget::decimalSeparatorOfTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, voltage);
    QFETCH(QString, resistance);
    QFETCH(QString, current);
    // Numbers already on show are written again in the new locale.
    m_view->slotRynRegistersUpdated(994, 0x0A6B);
    m_view->setDocumentLocale(locale);
    m_view->slotRynRegistersUpdated(998, 187);

    QCOMPARE(label("voltage24Label"), voltage);
    QCOMPARE(label("resistanceLabel"), resistance);
    QCOMPARE(m_report->item(16, 1)->text(), voltage);
    QCOMPARE(m_report->item(11, 1)->text(), resistance);
    QCOMPARE(protocol(13, 3), voltage + QStringLiteral(" В"));
    QCOMPARE(protocol(14, 3), resistance + QStringLiteral(" Ом."));
    QCOMPARE(label("current24Label"), current);
}

void TestRYNInfoWidget::exceptionMapReachesTheDialog_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("rows");
    QTest::addRow("none") << QList<int>{} << QStringList{};
    QTest::addRow("counted-per-code-in-code-order")
        << QList<int>{6, 2, 2, 2, 2, 2}
        << QStringList{ModbusErrorsDialog::errorText(2) + "=5", ModbusErrorsDialog::errorText(6) + "=1"};
    QTest::addRow("unknown-and-negative-codes")
        << QList<int>{-112, 17} << QStringList{"[-112] =1", "[17] =1"};
}

void TestRYNInfoWidget::exceptionMapReachesTheDialog()
{
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, rows);
    for (int code : codes)
        m_view->slotModbusErrorCode(code);
    m_view->slotRxModbusErrCntChanged(uint(codes.size()));
    // A selection does not forget what the controller has sent.
    m_view->slotRynSelected(2);

    QStringList shown;
    QString total;
    whenModal<ModbusErrorsDialog>([&](ModbusErrorsDialog *dialog) {
        auto *table = dialog->findChild<QTableWidget *>();
        for (int row = 0; row < table->rowCount(); ++row)
            shown << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
        total = dialog->findChild<QLabel *>(QStringLiteral("totalLabel"))->text();
        dialog->reject();
    });
    auto *counter = m_view->findChild<ExLabel *>(QStringLiteral("serverModbusLabel"));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QTest::mouseClick(counter, Qt::LeftButton);
    QCOMPARE(shown, rows);
    QCOMPARE(total, QStringLiteral("Всего ошибок: %1").arg(codes.size()));

    // A click that carries another tag opens nothing: the timer would find the dialog on screen.
    bool opened = false;
    QTimer::singleShot(0, m_view, [this, &opened] {
        opened = m_view->errorsDialog()->isVisible();
        m_view->errorsDialog()->reject();
    });
    m_view->slotExLabelClicked(2);
    QCoreApplication::processEvents();
    QVERIFY(!opened);
}

void TestRYNInfoWidget::selectionShowsAddressAndForgetsTheTime()
{
    m_view->slotRynRegistersUpdated(977, 17);
    m_view->slotRynRegistersUpdated(1002, 0x0107);
    m_view->slotRynRegistersUpdated(1003, 0x0065);
    QCOMPARE(label("operatingTimeLabel"), QStringLiteral("3:05:04:07"));
    auto *group = m_view->findChild<QGroupBox *>(QStringLiteral("rynGroup"));

    m_view->slotRynSelected(2);
    QCOMPARE(group->title(), QStringLiteral("RYN адрес 2"));
    QCOMPARE(label("operatingTimeLabel"), QStringLiteral("----:--:--:--"));
    QCOMPARE(m_report->item(0, 1)->text(), QStringLiteral("----:--:--:--"));
    QVERIFY(protocol(22, 1).contains(QLatin1String("----:--:--:--")));
    // The hours of the new controller come with fresh minutes and seconds, never the old ones.
    m_view->slotRynRegistersUpdated(1003, 0x0065);
    QCOMPARE(label("operatingTimeLabel"), QStringLiteral("3:05:00:00"));

    m_view->slotRynSelected(0);
    QCOMPARE(group->title(), QStringLiteral("RYN"));
}

void TestRYNInfoWidget::panelScrollsOnASmallScreen()
{
    m_view->resize(m_view->sizeHint().width(), m_view->minimumSizeHint().height());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    // The panel must not make the window taller than a 768-pixel screen leaves it.
    QVERIFY2(m_view->minimumSizeHint().height() < 300,
             qPrintable(QString::number(m_view->minimumSizeHint().height())));
    auto *reset = m_view->cmdWidget()->findChild<QWidget *>(QStringLiteral("resetAllButton"));
    QVERIFY(reset->isVisible());
    QVERIFY(m_view->rect().contains(QRect(reset->mapTo(m_view, QPoint(0, 0)), reset->size())));
}

// The controller's values change several times a second while it is watched: each repaints its
// label, not the scroll area around the panel and the window behind it. A panel that needs more room
// still gets it.
void TestRYNInfoWidget::valuesRepaintOnlyTheirLabels()
{
    // Squeezed as in a small window, the panel scrolls both ways.
    m_view->setMinimumSize(100, 100);
    m_view->resize(m_view->sizeHint().width() - 60, 400);
    auto *area = m_view->findChild<QScrollArea *>(QStringLiteral("panelScrollArea"));
    auto *count = m_view->findChild<QLabel *>(QStringLiteral("unitCountLabel"));
    QVERIFY(area && count);
    PaintCounter paints;
    for (QObject *watched : {static_cast<QObject *>(area), static_cast<QObject *>(area->verticalScrollBar()),
                             static_cast<QObject *>(count)})
        watched->installEventFilter(&paints);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QVERIFY(area->verticalScrollBar()->isVisible());
    QVERIFY(area->horizontalScrollBar()->isVisible());
    // Shown, and laid out to the panel's first size hints.
    QTRY_VERIFY(paints.counts.value(area) > 0 && paints.counts.value(count) > 0);
    QTest::qWait(50);
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    paints.counts.clear();

    for (int units = 1; units <= 5; ++units) {
        m_view->slotRynRegistersUpdated(978, quint16(units * 0x0101));
        QTRY_VERIFY(paints.counts.value(count) >= units);
    }
    QTest::qWait(50);
    QCOMPARE(paints.counts.value(area), 0);
    QCOMPARE(paints.counts.value(area->verticalScrollBar()), 0);

    auto *version = m_view->findChild<QLabel *>(QStringLiteral("versionLabel"));
    version->setText(QString(120, QLatin1Char('8')));
    QTRY_VERIFY(version->width() >= version->sizeHint().width());
}

QTEST_MAIN(TestRYNInfoWidget)
#include "tst_ryninfowidget.moc"
