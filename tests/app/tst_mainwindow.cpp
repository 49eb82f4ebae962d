#include "aboutdialog.h"
#include "aucell.h"
#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "auvaluedialog.h"
#include "commandcodes.h"
#include "commandid.h"
#include "eventswidget.h"
#include "hardtypes.h"
#include "mainwindow.h"
#include "menupicker.h"
#include "modalwatcher.h"
#include "modbuserrorsdialog.h"
#include "modbusprotocol.h"
#include "ostrelcommportdialog.h"
#include "ryninfowidget.h"
#include "rynselectwidget.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace ModbusProtocol;

// The main window on a switched-off port: nothing reaches a line, so every answer a test wants is
// handed to the window's slots directly.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void countingRule_data();
    void countingRule();
    void searchEnds_data();
    void searchEnds();
    void noControllerAnswers();
    void onlyTheSearchsOwnLastProbeEndsIt_data();
    void onlyTheSearchsOwnLastProbeEndsIt();
    void laterFoundControllerJoins_data();
    void laterFoundControllerJoins();
    void commandIdentifiersWrap();
    void commandsGoToTheSelectedController();
    void commandsWithoutAControllerAreRefused_data();
    void commandsWithoutAControllerAreRefused();
    void failedBorderReadEndsTheWait_data();
    void failedBorderReadEndsTheWait();
    void controllerStartClearsTheControllerCounters();
    void errorStatisticsCountTheCountersPeriod_data();
    void errorStatisticsCountTheCountersPeriod();
    void geometryAndSplitterSurviveARestart();
    void languageChangeWrittenOnlyWhenItDiffers_data();
    void languageChangeWrittenOnlyWhenItDiffers();
    void samePortChoiceChangesNothing();
    void aboutBoxTellsWhereTheSettingsAre_data();
    void aboutBoxTellsWhereTheSettingsAre();
    void portWithoutPermissionSaysWhatToDo();
    void disablingThePortClearsTheUnits();
    void blankedUnitsShowTheNewLinesAnswers();
    void windowFitsASmallLaptopScreen();
    void splitterMovesBothWays();
    void nothingScrollsOnAFullHdScreen();
    void everyUnitValueReachesThePropertiesTable();
    void typeSummaryReachesTheProtocolTable();
    void unsavedSettingsReportedOnce_data();
    void unsavedSettingsReportedOnce();

private:
    static void writeFile(const QString &name, const QByteArray &text);
    std::unique_ptr<MainWindow> makeWindow();
    static QString text(MainWindow &window, const char *name);
    // Cuts the window off from its worker's answers and lets the start-up search end.
    static void detachWorker(MainWindow &window);

    QTemporaryDir *m_dir = nullptr;
};

void TestMainWindow::initTestCase()
{
    Q_INIT_RESOURCE(images);
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
}

void TestMainWindow::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
    writeFile(QStringLiteral("TestRYN.ini"),
              "[System]\nPortName=/dev/ryn-test\nPortDisable=true\nRynAddr=3\n");
    writeFile(QStringLiteral("languages.ini"), "[RU]\nRU=Русский\nEN=Английский\n");
}

void TestMainWindow::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestMainWindow::writeFile(const QString &name, const QByteArray &text)
{
    QFile file(name);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

std::unique_ptr<MainWindow> TestMainWindow::makeWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->setLanguage(QStringLiteral("RU"));
    return window;
}

QString TestMainWindow::text(MainWindow &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

void TestMainWindow::detachWorker(MainWindow &window)
{
    QTRY_VERIFY(!window.isSearching());
    QObject::disconnect(&window, &MainWindow::signalSendCommand, nullptr, nullptr);
}

void TestMainWindow::countingRule_data()
{
    QTest::addColumn<bool>("viaInfo"); // slotInfo instead of slotPortRx
    QTest::addColumn<int>("errCode");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("labels");   // received, no answer, errors, link, Modbus
    QTest::addColumn<QList<int>>("rynCounts"); // no answer, link, Modbus of the controller
    QTest::addColumn<int>("exceptionCode");    // -1: none emitted
    const QByteArray none;
    auto labels = [](int rx, int noAnswer, int errors, int link, int modbus) {
        return QStringList{QString::number(rx), QString::number(noAnswer), QString::number(errors),
                           QString::number(link), QString::number(modbus)};
    };
    QTest::addRow("rx-ok") << false << 0 << none << labels(1, 0, 0, 0, 0) << QList<int>{0, 0, 0} << -1;
    QTest::addRow("rx-no-answer") << false << 1 << none << labels(0, 1, 0, 0, 0) << QList<int>{1, 0, 0} << -1;
    QTest::addRow("rx-bad-frame") << false << 2 << none << labels(1, 0, 1, 1, 0) << QList<int>{0, 1, 0} << -1;
    QTest::addRow("rx-crc-error") << false << 3 << none << labels(1, 0, 1, 1, 0) << QList<int>{0, 1, 0} << -1;
    QTest::addRow("rx-port-error") << false << 4 << none << labels(0, 1, 0, 0, 0) << QList<int>{1, 0, 0}
                                   << -1;
    QTest::addRow("rx-exception") << false << 5 << QByteArray("\x02", 1) << labels(1, 0, 1, 0, 1)
                                  << QList<int>{0, 0, 1} << 2;
    QTest::addRow("rx-exception-without-code")
        << false << 5 << none << labels(1, 0, 1, 0, 1) << QList<int>{0, 0, 1} << -1;
    QTest::addRow("rx-exception-code-is-signed")
        << false << 5 << QByteArray("\x90", 1) << labels(1, 0, 1, 0, 1) << QList<int>{0, 0, 1} << -112;
    QTest::addRow("info-ok") << true << 0 << none << labels(1, 0, 0, 0, 0) << QList<int>{0, 0, 0} << -1;
    QTest::addRow("info-no-answer") << true << 1 << none << labels(0, 1, 0, 0, 0) << QList<int>{1, 0, 0}
                                    << -1;
    QTest::addRow("info-crc-error-not-received")
        << true << 3 << none << labels(0, 0, 1, 1, 0) << QList<int>{0, 1, 0} << -1;
    QTest::addRow("info-port-error") << true << 4 << none << labels(0, 1, 0, 0, 0) << QList<int>{1, 0, 0}
                                     << -1;
    QTest::addRow("info-exception") << true << 5 << QByteArray("\x03", 1) << labels(0, 0, 1, 0, 1)
                                    << QList<int>{0, 0, 1} << 3;
    QTest::addRow("info-unknown-command")
        << true << 6 << none << labels(0, 0, 0, 0, 0) << QList<int>{0, 0, 0} << -1;
    QTest::addRow("info-no-types") << true << 255 << none << labels(0, 0, 0, 0, 0) << QList<int>{0, 0, 0}
                                   << -1;
}

void TestMainWindow::countingRule()
{
    QFETCH(bool, viaInfo);
    QFETCH(int, errCode);
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, rynCounts);
    QFETCH(int, exceptionCode);
    auto window = makeWindow();
    detachWorker(*window);
    window->slotRynSelected(0); // the start-up search's probes are counted: start from zero
    const QStringList before{text(*window, "rxCounter"), text(*window, "noAnswerCounter"),
                             text(*window, "errorCounter")};
    QSignalSpy timeouts(window.get(), &MainWindow::signalRxTimeoutErrCntChanged);
    QSignalSpy links(window.get(), &MainWindow::signalRxCommErrCntChanged);
    QSignalSpy modbus(window.get(), &MainWindow::signalRxModbusErrCntChanged);
    QSignalSpy codes(window.get(), &MainWindow::signalModbusErrorCode);
    const int baseNoAnswer = before.at(1).toInt();
    if (viaInfo)
        window->slotInfo(1, 0, CMD_READ_FIRE, errCode, answer);
    else
        window->slotPortRx(errCode, answer);
    QStringList shown{text(*window, "rxCounter"),
                      QString::number(text(*window, "noAnswerCounter").toInt() - baseNoAnswer),
                      text(*window, "errorCounter"), text(*window, "linkErrorCounter"),
                      text(*window, "modbusErrorCounter")};
    QCOMPARE(shown, labels);
    QCOMPARE(timeouts.last().at(0).toUInt(), uint(rynCounts.at(0)));
    QCOMPARE(links.last().at(0).toUInt(), uint(rynCounts.at(1)));
    QCOMPARE(modbus.last().at(0).toUInt(), uint(rynCounts.at(2)));
    QCOMPARE(codes.size(), exceptionCode == -1 ? 0 : 1);
    if (exceptionCode != -1)
        QCOMPARE(codes.first().at(0).toInt(), exceptionCode);
}

void TestMainWindow::searchEnds_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QList<int>>("answering");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("storedAfter");
    QTest::addRow("stored-answers-though-lower-does") << 3 << QList<int>{1, 3, 5} << 3 << 3;
    QTest::addRow("stored-silent-lowest-taken") << 3 << QList<int>{2, 6} << 2 << 2;
    QTest::addRow("only-the-last-answers") << 1 << QList<int>{8} << 8 << 8;
    QTest::addRow("stored-none-means-lowest") << 0 << QList<int>{4, 7} << 4 << 4;
    QTest::addRow("nobody-answers") << 3 << QList<int>{} << 0 << 3;
}

void TestMainWindow::searchEnds()
{
    QFETCH(int, stored);
    QFETCH(QList<int>, answering);
    QFETCH(int, selected);
    QFETCH(int, storedAfter);
    writeFile(QStringLiteral("TestRYN.ini"), "[System]\nPortName=/dev/ryn-test\nPortDisable=true\nRynAddr=" +
                                                 QByteArray::number(stored) + "\n");
    auto window = makeWindow();
    detachWorker(*window);
    QSignalSpy need(window.get(), &MainWindow::signalNeedSelectRyn);
    QSignalSpy select(window.get(), &MainWindow::signalSelectRyn);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    window->slotSearchRYN();
    QCOMPARE(sent.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(sent.at(i).at(0).toInt(), i + 1);
        QCOMPARE(sent.at(i).at(2).toInt(), int(CMD_PING));
    }
    RYNSelectWidget *panel = window->auInfoWidget()->selectWidget();
    for (int address = 1; address <= 8; ++address) {
        window->slotInfo(address, sent.at(address - 1).at(1).toInt(), CMD_PING,
                         answering.contains(address) ? int(ResultOk) : int(ResultNoAnswer), QByteArray());
        if (address < 8)
            QVERIFY(need.isEmpty());
    }
    QVERIFY(!window->isSearching());
    QCOMPARE(need.size(), 1);
    QCOMPARE(need.first().at(0).toInt(), selected);
    QCOMPARE(select.last().at(0).toInt(), selected);
    for (int address = 1; address <= 8; ++address)
        QCOMPARE(panel->rynButton(address)->isEnabled(), answering.contains(address));
    if (selected > 0)
        QVERIFY(panel->rynButton(selected)->isChecked());
    QCOMPARE(Settings::readValue(QStringLiteral("RynAddr"), QStringLiteral("System")).toInt(), storedAfter);
}

void TestMainWindow::noControllerAnswers()
{
    // On a switched-off port the start-up search's eight probes fail and nobody is selected.
    auto window = makeWindow();
    QTRY_VERIFY(!window->isSearching());
    QCOMPARE(text(*window, "noAnswerCounter"), QStringLiteral("8"));
    QCOMPARE(text(*window, "rxCounter"), QStringLiteral("0"));
    QCOMPARE(text(*window, "errorCounter"), QStringLiteral("0"));
    QCOMPARE(window->foundMask(), quint16(0));
    QVERIFY(!window->isPortOpened());
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("portStateLabel"))
                ->styleSheet()
                .contains(QLatin1String("red")));
    QCOMPARE(int(window->prgParams().rynAddr), 3);
    // The red port says why nobody answers; the note that no controller answers waits for an open port.
    auto *note = window->findChild<QLabel *>(QStringLiteral("noRynLabel"));
    QVERIFY(note->isHidden());
    window->slotPortOpened(true);
    QTRY_VERIFY(!window->isSearching());
    QVERIFY(!note->isHidden());
    window->slotPortOpened(false);
    QVERIFY(note->isHidden());
}

void TestMainWindow::onlyTheSearchsOwnLastProbeEndsIt_data()
{
    QTest::addColumn<int>("oldResult"); // how the earlier search's probes end
    QTest::addRow("earlier-probes-answered-late") << int(ResultOk);
    QTest::addRow("earlier-probes-failed-on-a-port-change") << int(ResultPortError);
}

void TestMainWindow::onlyTheSearchsOwnLastProbeEndsIt()
{
    QFETCH(int, oldResult);
    auto window = makeWindow();
    detachWorker(*window);
    QSignalSpy need(window.get(), &MainWindow::signalNeedSelectRyn);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    window->slotSearchRYN();
    window->slotSearchRYN();
    QCOMPARE(sent.size(), 16);
    RYNSelectWidget *panel = window->auInfoWidget()->selectWidget();
    for (int address = 1; address <= 8; ++address) {
        window->slotInfo(address, sent.at(address - 1).at(1).toInt(), CMD_PING, oldResult, QByteArray());
        QCOMPARE(panel->rynButton(address)->isEnabled(), oldResult == ResultOk);
    }
    QVERIFY(window->isSearching());
    QVERIFY(need.isEmpty());
    QCOMPARE(window->foundMask(), quint16(0));
    for (int address = 1; address <= 8; ++address) {
        window->slotInfo(address, sent.at(8 + address - 1).at(1).toInt(), CMD_PING,
                         address == 5 ? int(ResultOk) : int(ResultNoAnswer), QByteArray());
    }
    QVERIFY(!window->isSearching());
    QCOMPARE(need.size(), 1);
    QCOMPARE(need.first().at(0).toInt(), 5);
    QCOMPARE(window->foundMask(), quint16(1u << 5));
    for (int address = 1; address <= 8; ++address)
        QCOMPARE(panel->rynButton(address)->isEnabled(), address == 5);
}

void TestMainWindow::laterFoundControllerJoins_data()
{
    QTest::addColumn<QList<int>>("searchFinds");
    QTest::addColumn<bool>("searchEnded"); // when the background probe answers
    QTest::addColumn<int>("laterFound");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("storedAfter");
    // The stored controller is 3.
    QTest::addRow("nothing-found-stored-comes-up") << QList<int>{} << true << 3 << 3 << 3;
    QTest::addRow("nothing-found-another-comes-up") << QList<int>{} << true << 6 << 6 << 6;
    QTest::addRow("selection-kept") << QList<int>{2} << true << 3 << 2 << 2;
    QTest::addRow("address-8-answers-during-a-search") << QList<int>{} << false << 8 << 0 << 3;
}

void TestMainWindow::laterFoundControllerJoins()
{
    QFETCH(QList<int>, searchFinds);
    QFETCH(bool, searchEnded);
    QFETCH(int, laterFound);
    QFETCH(int, selected);
    QFETCH(int, storedAfter);
    auto window = makeWindow();
    detachWorker(*window);
    window->slotPortOpened(true);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    QSignalSpy select(window.get(), &MainWindow::signalSelectRyn);
    auto *status = window->findChild<QLabel *>(QStringLiteral("noRynLabel"));
    window->slotSearchRYN();
    const auto answerSearch = [&](int from, int to) {
        for (int address = from; address <= to; ++address) {
            window->slotInfo(address, sent.at(address - 1).at(1).toInt(), CMD_PING,
                             searchFinds.contains(address) ? int(ResultOk) : int(ResultNoAnswer),
                             QByteArray());
        }
    };
    answerSearch(1, searchEnded ? 8 : 7);
    QCOMPARE(status->isHidden(), !searchFinds.isEmpty());
    select.clear();
    // The worker's background probe: identifier 0.
    window->slotInfo(laterFound, 0, CMD_PING, ResultOk, QByteArray());
    QVERIFY(window->auInfoWidget()->selectWidget()->rynButton(laterFound)->isEnabled());
    QVERIFY(window->foundMask() & (1u << laterFound));
    QVERIFY(status->isHidden());
    QCOMPARE(window->isSearching(), !searchEnded);
    QCOMPARE(window->selectedRyn(), selected);
    QCOMPARE(select.isEmpty(), selected == 0 || !searchFinds.isEmpty());
    QCOMPARE(int(window->prgParams().rynAddr), storedAfter);
    if (searchEnded)
        return;
    // The search ends on its own last probe, and counts the controller found meanwhile.
    window->slotInfo(8, sent.at(7).at(1).toInt(), CMD_PING, ResultOk, QByteArray());
    QVERIFY(!window->isSearching());
    QCOMPARE(window->selectedRyn(), 8);
}

void TestMainWindow::commandIdentifiersWrap()
{
    auto window = makeWindow();
    detachWorker(*window);
    window->slotRynSelected(1);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    setLastCommandId(INT_MAX - 1);
    window->slotSendCmd(CMD_RYN_RESET, QByteArray(3, '\0'));
    window->slotSendCmd(CMD_RYN_RESET, QByteArray(3, '\0'));
    window->slotSendCmd2(5, CMD_RYN_RESET, QByteArray(3, '\0'));
    QCOMPARE(sent.at(0).at(1).toInt(), INT_MAX);
    QCOMPARE(sent.at(1).at(1).toInt(), 1);
    QCOMPARE(sent.at(2).at(1).toInt(), 2);
}

void TestMainWindow::commandsGoToTheSelectedController()
{
    auto window = makeWindow();
    detachWorker(*window);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    window->slotRynSelected(6);
    window->slotSendCmd(CMD_AU_RED_LED_ON, QByteArray::fromHex("0c0000"));
    window->slotSendCmd2(2, CMD_RYN_RESET, QByteArray(3, '\0'));
    QCOMPARE(sent.at(0).at(0).toInt(), 6);
    QCOMPARE(sent.at(0).at(2).toInt(), int(CMD_AU_RED_LED_ON));
    QCOMPARE(sent.at(0).at(3).toByteArray(), QByteArray::fromHex("0c0000"));
    QCOMPARE(sent.at(1).at(0).toInt(), 2);
    QCOMPARE(Settings::readValue(QStringLiteral("RynAddr"), QStringLiteral("System")).toInt(), 6);
}

void TestMainWindow::commandsWithoutAControllerAreRefused_data()
{
    QTest::addColumn<int>("selectedBefore"); // -1: the start-up search selects nobody
    QTest::addColumn<bool>("explicitController");
    QTest::addRow("search-found-none") << -1 << false;
    QTest::addRow("selected-controller-gone") << 4 << false;
    QTest::addRow("explicit-address-0") << 4 << true;
}

void TestMainWindow::commandsWithoutAControllerAreRefused()
{
    QFETCH(int, selectedBefore);
    QFETCH(bool, explicitController);
    auto window = makeWindow();
    detachWorker(*window);
    if (selectedBefore >= 0) {
        window->slotRynSelected(selectedBefore);
        if (!explicitController)
            window->slotRynSelected(0);
    }
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    QString shown;
    int boxes = 0;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, window.get(), [&shown, &boxes] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        ++boxes;
        shown = box->windowTitle() + QLatin1Char('|') + box->text();
        box->accept();
    });
    answerer.start(5);
    // A burst of commands (the six of a default configuration, say) is refused with one message.
    for (int i = 0; i < 3; ++i) {
        if (explicitController)
            window->slotSendCmd2(0, CMD_RYN_RESET, QByteArray(3, '\0'));
        else
            window->slotSendCmd(CMD_AU_RED_LED_ON, QByteArray::fromHex("0c0000"));
    }
    QTRY_COMPARE(shown, QStringLiteral("Внимание!|Контроллер не выбран: команда не отправлена."));
    QTest::qWait(50);
    QCOMPARE(boxes, 1);
    QCOMPARE(sent.size(), 0);
    // The settings still name the controller used last; it is not commanded behind the engineer's back.
    QCOMPARE(window->selectedRyn(), explicitController ? selectedBefore : 0);
}

void TestMainWindow::failedBorderReadEndsTheWait_data()
{
    QTest::addColumn<int>("cmdCode");
    QTest::addColumn<int>("id"); // -1: the command is refused for want of a controller
    QTest::addColumn<QString>("shown");
    const QString waiting = QStringLiteral("Ожидаем значение ...");
    QTest::addRow("border-command-failed") << int(CMD_AU_READ_BORDER_W2) << 7 << QStringLiteral("Ошибка!");
    QTest::addRow("read-of-the-block-failed") << int(CMD_READ_IPP_W2) << 8 << QStringLiteral("Ошибка!");
    QTest::addRow("border-command-refused") << int(CMD_AU_READ_BORDER_W2) << -1 << QStringLiteral("Ошибка!");
    QTest::addRow("another-border-failed") << int(CMD_AU_READ_BORDER_W1) << 7 << waiting;
    QTest::addRow("monitoring-read") << int(CMD_READ_IPP_W2) << 0 << waiting;
}

void TestMainWindow::failedBorderReadEndsTheWait()
{
    QFETCH(int, cmdCode);
    QFETCH(int, id);
    QFETCH(QString, shown);
    auto window = makeWindow();
    detachWorker(*window);
    AuValueDialog *dialog = AuValueDialog::instance();
    QCOMPARE(dialog->parentWidget(), window.get());
    dialog->open(5, CMD_READ_IPP_W2, QStringLiteral("Подождите"), QStringLiteral("Ожидаем значение ..."));
    ModalAnswerer answerer([](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->accept();
    });
    if (id < 0)
        window->slotSendCmd(cmdCode, QByteArray::fromHex("050000"));
    else
        window->slotInfo(1, id, cmdCode, ResultNoAnswer, QByteArray());
    QCOMPARE(dialog->text(), shown);
    QTest::qWait(20);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    dialog->close();
}

void TestMainWindow::controllerStartClearsTheControllerCounters()
{
    auto window = makeWindow();
    detachWorker(*window);
    window->slotRynSelected(1);
    window->slotPortRx(ResultNoAnswer, QByteArray());
    window->slotPortRx(ResultCrcError, QByteArray());
    window->slotPortRx(ResultException, QByteArray("\x02", 1));
    QSignalSpy timeouts(window.get(), &MainWindow::signalRxTimeoutErrCntChanged);
    QSignalSpy links(window.get(), &MainWindow::signalRxCommErrCntChanged);
    const QString totalNoAnswer = text(*window, "noAnswerCounter");
    const int received = text(*window, "rxCounter").toInt();

    ModbusEvent other;
    other.evCode = 0x66;
    window->slotEvents({other});
    QCOMPARE(timeouts.last().at(0).toUInt(), 1u);
    ModbusEvent start;
    start.evCode = 0x65;
    window->slotEvents({other, start});
    QCOMPARE(timeouts.last().at(0).toUInt(), 0u);
    QCOMPARE(links.last().at(0).toUInt(), 0u);
    // The totals stay; each batch counts as one received answer.
    QCOMPARE(text(*window, "noAnswerCounter"), totalNoAnswer);
    QCOMPARE(text(*window, "rxCounter").toInt(), received + 2);
}

void TestMainWindow::errorStatisticsCountTheCountersPeriod_data()
{
    QTest::addColumn<bool>("bySelection"); // the counters restart by a selection, else by a start
    QTest::addRow("another-controller-selected") << true;
    QTest::addRow("controller-started") << false;
}

void TestMainWindow::errorStatisticsCountTheCountersPeriod()
{
    // The statistics' rows count the exceptions over the same period as their total, the server
    // Modbus counter, whichever way that counter starts afresh.
    QFETCH(bool, bySelection);
    auto window = makeWindow();
    detachWorker(*window);
    window->slotRynSelected(1);
    window->slotPortRx(ResultException, QByteArray("\x02", 1));
    window->slotPortRx(ResultException, QByteArray("\x02", 1));
    if (bySelection) {
        window->slotRynSelected(2);
    } else {
        ModbusEvent start;
        start.evCode = 0x65;
        window->slotEvents({start});
    }
    window->slotPortRx(ResultException, QByteArray("\x06", 1));

    QString total;
    QStringList rows;
    whenModal<ModbusErrorsDialog>([&](ModbusErrorsDialog *dialog) {
        total = dialog->findChild<QLabel *>(QStringLiteral("totalLabel"))->text();
        const auto *table = dialog->findChild<QTableWidget *>();
        for (int row = 0; row < table->rowCount(); ++row)
            rows << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
        dialog->reject();
    });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(window->rynInfoWidget()->findChild<QLabel *>(QStringLiteral("serverModbusLabel")),
                      Qt::LeftButton);
    QCOMPARE(total, QStringLiteral("Всего ошибок: 1"));
    QCOMPARE(rows, QStringList{ModbusErrorsDialog::errorText(6) + QStringLiteral("=1")});
}

void TestMainWindow::geometryAndSplitterSurviveARestart()
{
    QByteArray splitterState;
    QRect geometry;
    {
        auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->setGeometry(40, 50, 1100, 900);
        window->splitter()->setSizes({500, 300});
        splitterState = window->splitter()->saveState();
        geometry = window->geometry();
        window->close();
    }
    QVERIFY(Settings::readValue(QStringLiteral("Geometry"), QStringLiteral("MainWindow")).isValid());
    auto window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->splitter()->saveState(), splitterState);
    QCOMPARE(window->geometry().size(), geometry.size());
}

void TestMainWindow::languageChangeWrittenOnlyWhenItDiffers_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("informed");
    QTest::addRow("same-language-nothing-written") << QStringLiteral("Русский") << QString() << false;
    QTest::addRow("english-written-and-told") << QStringLiteral("Английский") << QStringLiteral("EN") << true;
}

void TestMainWindow::languageChangeWrittenOnlyWhenItDiffers()
{
    QFETCH(QString, choice);
    QFETCH(QString, stored);
    QFETCH(bool, informed);
    auto window = makeWindow();
    detachWorker(*window);
    whenModal<QDialog>([choice](QDialog *dialog) {
        auto *list = dialog->findChild<QListWidget *>();
        list->setCurrentItem(list->findItems(choice, Qt::MatchExactly).value(0));
        dialog->accept();
    });
    bool told = false;
    if (informed) {
        QTimer::singleShot(0, this, [&told] {
            whenModal<QMessageBox>([&told](QMessageBox *box) {
                told = box->text().startsWith(QStringLiteral("Язык приложения изменен!"));
                box->accept();
            });
        });
    }
    window->slotShowSelectLangDialog();
    QCOMPARE(told, informed);
    QCOMPARE(Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang")).toString(), stored);
}

// A port the user may not open turns red like any other, and both the status bar and the port
// dialog say what to do about it.
void TestMainWindow::portWithoutPermissionSaysWhatToDo()
{
    auto window = makeWindow();
    detachWorker(*window);
    auto *label = window->findChild<QLabel *>(QStringLiteral("portAccessLabel"));
    QVERIFY(label);
    window->show();
    QVERIFY(!label->isVisible());

    window->slotPortOpened(false);
    window->slotPortAccessDenied(true);
    QVERIFY(label->isVisible());
    QVERIFY(label->text().contains(QLatin1String("dialout")));
    QString state;
    whenModal<OstrelCommPortDialog>([&state](OstrelCommPortDialog *dialog) {
        dialog->findChild<QComboBox *>()->setEditText(QStringLiteral("/dev/ryn-test"));
        state = dialog->findChild<QLabel *>(QStringLiteral("statusLabel"))->text();
        dialog->reject();
    });
    window->selectComPort();
    QVERIFY2(state.contains(QStringLiteral("порт не открыт")) && state.contains(QLatin1String("dialout")),
             qPrintable(state));

    window->slotPortAccessDenied(false);
    window->slotPortOpened(true);
    QVERIFY(!label->isVisible());
}

void TestMainWindow::aboutBoxTellsWhereTheSettingsAre_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addRow("portable-copy") << false;
    QTest::addRow("installed-package") << true;
}

// An installed program keeps its settings in the user's folder, and the about box says where; a
// portable copy's about box is as it always was.
void TestMainWindow::aboutBoxTellsWhereTheSettingsAre()
{
    QFETCH(bool, installed);
    const QString settingsFile = QDir(m_dir->path()).filePath(QStringLiteral("config/TestRYN.ini"));
    if (installed) {
        QVERIFY(QDir().mkpath(QFileInfo(settingsFile).absolutePath()));
        Settings::fileName = settingsFile;
        Settings::userDataDirectory = QDir(m_dir->path()).filePath(QStringLiteral("data"));
    }
    auto window = makeWindow();
    detachWorker(*window);
    QString shown;
    whenModal<AboutDialog>([&shown](AboutDialog *dialog) {
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            shown += label->text();
        dialog->accept();
    });
    window->slotShowAbout();
    Settings::userDataDirectory.clear();
    QVERIFY(shown.contains(QStringLiteral("Тест RYN.")));
    QCOMPARE(shown.contains(QDir::toNativeSeparators(settingsFile)), installed);
}

void TestMainWindow::samePortChoiceChangesNothing()
{
    auto window = makeWindow();
    detachWorker(*window);
    QSignalSpy reinit(window.get(), &MainWindow::signalReinit);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);
    // The stored device is not among the listed ports: the user types it again.
    whenModal<OstrelCommPortDialog>([](OstrelCommPortDialog *dialog) {
        dialog->findChild<QComboBox *>()->setEditText(QStringLiteral("/dev/ryn-test"));
        dialog->accept();
    });
    window->selectComPort();
    QVERIFY(reinit.isEmpty());
    QVERIFY(sent.isEmpty());
    QCOMPARE(window->prgParams().portName, QStringLiteral("/dev/ryn-test"));
}

void TestMainWindow::disablingThePortClearsTheUnits()
{
    writeFile(QStringLiteral("TestRYN.ini"),
              "[System]\nPortName=/dev/ryn-test\nPortDisable=false\nRynAddr=2\n");
    auto window = makeWindow();
    detachWorker(*window);
    RYNSelectWidget *panel = window->auInfoWidget()->selectWidget();
    for (int address : {1, 2})
        window->slotInfo(address, 0, CMD_PING, ResultOk, QByteArray());
    window->slotRynSelected(2);
    window->slotInfo(2, 0, CMD_READ_TYPES, ResultOk, QByteArray::fromHex("0404"));
    QSignalSpy types(window.get(), &MainWindow::signalSetType);
    QSignalSpy states(window.get(), &MainWindow::signalSetGeneralState);
    QSignalSpy select(window.get(), &MainWindow::signalSelectRyn);
    QSignalSpy need(window.get(), &MainWindow::signalNeedSelectRyn);
    QSignalSpy reinit(window.get(), &MainWindow::signalReinit);
    QSignalSpy sent(window.get(), &MainWindow::signalSendCommand);

    whenModal<OstrelCommPortDialog>([](OstrelCommPortDialog *dialog) {
        dialog->findChild<QCheckBox *>()->click();
        dialog->accept();
    });
    window->selectComPort();
    QCOMPARE(reinit.size(), 1);
    QCOMPARE(reinit.first().at(0).toString(), QString());
    QVERIFY(sent.isEmpty());
    QCOMPARE(need.last().at(0).toInt(), 0);
    QCOMPARE(select.last().at(0).toInt(), 0);
    for (int address = 1; address <= 8; ++address) {
        QVERIFY(!panel->rynButton(address)->isEnabled());
        QVERIFY(!panel->rynButton(address)->isChecked());
    }
    // Every unit then shows no type and no state.
    QVERIFY(!types.isEmpty());
    for (const QList<QVariant> &arguments : types)
        QCOMPARE(arguments.at(1).toInt(), 255);
    QCOMPARE(states.size(), 1000);
    QVERIFY(Settings::readValue(QStringLiteral("PortDisable"), QStringLiteral("System")).toBool());
    QTRY_VERIFY(window->findChild<QLabel *>(QStringLiteral("portStateLabel"))
                    ->styleSheet()
                    .contains(QLatin1String("red")));
}

// After a port change the views are blanked; the new line's answers must show again in full, even
// where they equal what the old line answered (the address-251 cell once stayed "...").
void TestMainWindow::blankedUnitsShowTheNewLinesAnswers()
{
    writeFile(QStringLiteral("TestRYN.ini"),
              "[System]\nPortName=/dev/ryn-test\nPortDisable=false\nRynAddr=1\n");
    auto window = makeWindow();
    detachWorker(*window);
    window->slotInfo(1, 0, CMD_PING, ResultOk, QByteArray());
    window->slotRynSelected(1);
    QByteArray registers(2 * 28, '\0');
    registers[2 * (979 - 976) + 1] = char(0x80); // a unit answers at address 251
    const auto answerLine = [&]() {
        window->slotInfo(1, 0, CMD_READ_TYPE_251, ResultOk, QByteArray::fromHex("0004"));
        window->slotInfo(1, 0, CMD_READ_RYN_REGISTERS, ResultOk, registers);
        window->slotInfo(1, 0, CMD_READ_TYPES, ResultOk, QByteArray::fromHex("0204"));
        window->slotInfo(1, 0, CMD_READ_GENERAL_STATE, ResultOk, QByteArray::fromHex("0000"));
    };
    AuCell *cell251 = window->auInfoWidget()->cell251(AuCell::GeneralCell);
    AuCell *cell1 = window->auInfoWidget()->generalGrid()->cell(1);
    answerLine();
    QCOMPARE(cell251->labelText(AuCellValues::TypeLabel), auTypeName(SmokeDetector));
    QCOMPARE(cell1->labelText(AuCellValues::TypeLabel), auTypeName(SmokeDetector));

    for (int change = 0; change < 2; ++change) {
        whenModal<OstrelCommPortDialog>([](OstrelCommPortDialog *dialog) {
            dialog->findChild<QCheckBox *>()->click();
            dialog->accept();
        });
        window->selectComPort();
    }
    QCOMPARE(cell251->labelText(AuCellValues::TypeLabel), auTypeName(UndefinedType));
    QCOMPARE(cell1->labelText(AuCellValues::TypeLabel), auTypeName(UndefinedType));

    window->slotInfo(1, 0, CMD_PING, ResultOk, QByteArray());
    window->slotRynSelected(1);
    answerLine();
    QCOMPARE(cell251->labelText(AuCellValues::TypeLabel), auTypeName(SmokeDetector));
    QCOMPARE(cell251->colour(), QColor(QStringLiteral("lawngreen")));
    QCOMPARE(cell1->labelText(AuCellValues::TypeLabel), auTypeName(SmokeDetector));
    QCOMPARE(cell1->colour(), QColor(QStringLiteral("lawngreen")));
}

// A 1366 x 768 laptop leaves about 1366 x 700 to a window once a title bar and a task bar have their
// share: every view must stay reachable there.
void TestMainWindow::windowFitsASmallLaptopScreen()
{
    auto window = makeWindow();
    detachWorker(*window);
    window->show();
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    qInfo() << "minimum size" << minimum;
    QVERIFY2(minimum.width() <= 1366, qPrintable(QString::number(minimum.width())));
    QVERIFY2(minimum.height() <= 700, qPrintable(QString::number(minimum.height())));

    // Even at its narrowest the controller panel shows its texts whole: it scrolls up and down only.
    window->resize(minimum.width(), 700);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *panel = window->findChild<QScrollArea *>(QStringLiteral("panelScrollArea"));
    QVERIFY(panel);
    QTRY_VERIFY(!panel->horizontalScrollBar()->isVisible());
}

// A 1920 x 1080 screen with a task bar and a title bar leaves the maximized window about 1920 x 1010.
// Measured with a desktop's usual 9-point font (the headless platform's own is larger).
void TestMainWindow::nothingScrollsOnAFullHdScreen()
{
    const QFont font = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
    auto window = makeWindow();
    detachWorker(*window);
    const QSize available(1920, 1040);
    window->rynInfoWidget()->setPanelColumns(RYNInfoWidget::panelColumns(available));
    window->setWindowState(Qt::WindowNoState);
    window->resize(1920, 1010);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (const char *name : {"selectScrollArea", "panelScrollArea"}) {
        auto *area = window->findChild<QScrollArea *>(QLatin1String(name));
        QVERIFY(area);
        QTRY_VERIFY2(!area->verticalScrollBar()->isVisible(), name);
        QVERIFY2(!area->horizontalScrollBar()->isVisible(), name);
    }
    window.reset();
    QApplication::setFont(font);
}

// Drags the handle between the unit views and the event log by the given distance, as a mouse does.
static void dragSplitterHandle(QSplitter *splitter, int dy)
{
    QSplitterHandle *handle = splitter->handle(1);
    const QPoint from = handle->rect().center();
    const QPoint to = from + QPoint(0, dy);
    const auto send = [handle](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void TestMainWindow::splitterMovesBothWays()
{
    auto window = makeWindow();
    detachWorker(*window);
    window->resize(1366, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QSplitter *splitter = window->splitter();
    const int logBefore = splitter->sizes().at(1);
    // The handle shows as a plain silver bar, without the style's grip.
    const QImage handle = splitter->handle(1)->grab().toImage();
    QVERIFY(!handle.isNull());
    for (int y = 0; y < handle.height(); ++y) {
        for (int x = 0; x < handle.width(); ++x)
            QCOMPARE(handle.pixelColor(x, y), QColor(0xc0, 0xc0, 0xc0));
    }

    dragSplitterHandle(splitter, -150);
    QVERIFY2(splitter->sizes().at(1) >= logBefore + 100, qPrintable(QString::number(splitter->sizes().at(1))));

    dragSplitterHandle(splitter, 2000);
    const int logAtBottom = splitter->sizes().at(1);
    QVERIFY2(logAtBottom < logBefore + 100, qPrintable(QString::number(logAtBottom)));
    // A few rows of the log stay whatever the drag.
    QVERIFY2(logAtBottom >= window->eventsWidget()->minimumHeight(), qPrintable(QString::number(logAtBottom)));
    QVERIFY(window->eventsWidget()->isVisible());
}

namespace {

// Arguments for a unit-value signal or slot: the address first (when it takes one), then `value` in
// every other parameter, each of the parameter's own type (a flag: whether `value` is odd, so that
// consecutive values differ there too).
class UnitValueArgs
{
public:
    UnitValueArgs(const QMetaMethod &method, int addr, int value)
    {
        const bool takesAddress = method.parameterNames().value(0) == "addr";
        for (int i = 0; i < method.parameterCount(); ++i) {
            int v = i == 0 && takesAddress ? addr : value;
            if (method.parameterType(i) == QMetaType::Bool)
                v %= 2;
            QVariant arg(v);
            if (!arg.convert(method.parameterType(i)))
                arg = QVariant(method.parameterType(i), &v); // the number enums: an int underneath
            m_values[i] = arg;
            m_args[i] = QGenericArgument(arg.typeName(), m_values[i].constData());
        }
    }

    bool invoke(const QMetaMethod &method, QObject *object) const
    {
        return method.invoke(object, Qt::DirectConnection, m_args[0], m_args[1], m_args[2], m_args[3]);
    }

private:
    QVariant m_values[4];
    QGenericArgument m_args[4];
};

// The columns a second value for a known unit announces, and how its row then reads.
QPair<QList<QPair<int, int>>, QStringList> secondValue(QAbstractItemModel *model, int addr,
                                                       const std::function<void(int)> &send)
{
    send(1);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    send(2);
    QList<QPair<int, int>> columns;
    for (const QList<QVariant> &args : qAsConst(changed))
        columns << qMakePair(args.at(0).toModelIndex().column(), args.at(1).toModelIndex().column());
    const int row = static_cast<AuPropertiesModel *>(model)->rowOfAddress(addr);
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column)
        texts << model->index(row, column).data().toString();
    return qMakePair(columns, texts);
}

} // namespace

// Each unit-value signal of the window must reach the properties table's slot of the same name: the
// table then announces the same columns and reads the same as when that slot gets the value itself.
void TestMainWindow::everyUnitValueReachesThePropertiesTable()
{
    auto window = makeWindow();
    AuPropertiesModel *model = window->auInfoWidget()->propertiesModel();
    ColumnValidRows valid;
    AuPropertiesModel reference(&valid);
    const QMetaObject *meta = window->metaObject();
    int addr = 0;
    QStringList checked;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod signal = meta->method(i);
        if (signal.methodType() != QMetaMethod::Signal || !signal.name().startsWith("signalSet") ||
            (signal.attributes() & QMetaMethod::Cloned))
            continue;
        const QByteArray slotSignature = "slotSet" + signal.methodSignature().mid(int(qstrlen("signalSet")));
        const int slotIndex = AuPropertiesModel::staticMetaObject.indexOfSlot(slotSignature.constData());
        QVERIFY2(slotIndex >= 0, slotSignature.constData());
        const QMetaMethod slot = AuPropertiesModel::staticMetaObject.method(slotIndex);
        const int unit = signal.parameterNames().value(0) == "addr" ? ++addr : AuPropertiesModel::MaxAddress;

        const auto viaWindow = secondValue(model, unit, [&](int value) {
            QVERIFY(UnitValueArgs(signal, unit, value).invoke(signal, window.get()));
        });
        const auto direct = secondValue(&reference, unit, [&](int value) {
            QVERIFY(UnitValueArgs(slot, unit, value).invoke(slot, &reference));
        });
        QVERIFY2(model->rowOfAddress(unit) >= 0, signal.methodSignature().constData());
        QVERIFY2(!direct.first.isEmpty(), slotSignature.constData());
        QCOMPARE(viaWindow.first, direct.first);
        QCOMPARE(viaWindow.second, direct.second);
        checked << QString::fromLatin1(signal.name());
    }
    // The decoder's unit values, signalSetType to signalSetIptChannelType.
    QCOMPARE(checked.size(), 51);
}

// The properties page sums up the types and versions it lists; the protocol's table must show them.
void TestMainWindow::typeSummaryReachesTheProtocolTable()
{
    auto window = makeWindow();
    detachWorker(*window);
    window->slotInfo(3, 0, CMD_READ_TYPES, ResultOk, QByteArray::fromHex("04040202"));
    window->slotInfo(3, 0, CMD_READ_FIRMWARE_VERSION, ResultOk, QByteArray::fromHex("0e0c0707"));
    window->slotInfo(3, 0, CMD_READ_GENERAL_STATE, ResultOk, QByteArray::fromHex("00000000"));
    window->auInfoWidget()->propertiesWidget()->sendTypeVersionCountMap();
    QTableWidget *table = window->auInfoWidget()->protocolTable();
    const auto text = [table](int row, int column) {
        const QTableWidgetItem *item = table->item(row, column);
        return item ? item->text() : QString();
    };
    QCOMPARE(text(3, 3), auTypeName(HeatDetector));
    QCOMPARE(text(3, 5), QStringLiteral("7"));
    QCOMPARE(text(3, 6), QStringLiteral("2"));
    QCOMPARE(text(4, 3), auTypeName(SmokeDetector));
    QCOMPARE(text(4, 5), QStringLiteral("12/14"));
    QCOMPARE(text(4, 6), QStringLiteral("2"));
}

void TestMainWindow::unsavedSettingsReportedOnce_data()
{
    QTest::addColumn<bool>("changeDuringRun"); // false: the first write is the one at exit
    QTest::addRow("change-during-the-run") << true;
    QTest::addRow("first-write-at-exit") << false;
}

void TestMainWindow::unsavedSettingsReportedOnce()
{
    QFETCH(bool, changeDuringRun);
    // A folder where the settings file belongs: nothing can be written there, even by root.
    QVERIFY(QFile::remove(QStringLiteral("TestRYN.ini")));
    QVERIFY(QDir().mkdir(QStringLiteral("TestRYN.ini")));
    // Answers every message box while the test runs, and notes what it said.
    QStringList told;
    QTimer answering;
    answering.setInterval(5);
    connect(&answering, &QTimer::timeout, &answering, [&told] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        told.append(box->windowTitle() + QLatin1Char('|') + box->text());
        box->accept();
    });
    answering.start();
    auto window = makeWindow();
    detachWorker(*window);
    if (changeDuringRun) {
        window->slotEnentsFromAllRyn(false);
        QTRY_COMPARE(told.size(), 1);
        // Once: the next change fails as quietly as every other write of this run.
        window->slotEnentsFromAllRyn(true);
        QTest::qWait(200);
        QCOMPARE(told.size(), 1);
    }
    window.reset();
    QCOMPARE(told.size(), 1);
    const QString path = QDir::toNativeSeparators(QDir::current().absoluteFilePath(QStringLiteral("TestRYN.ini")));
    QVERIFY2(told.first().startsWith(QStringLiteral("Внимание!|")), qPrintable(told.first()));
    QVERIFY2(told.first().contains(path), qPrintable(told.first()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
