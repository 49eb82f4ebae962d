#include "ostrelcommportdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// The dialog with the port enumeration replaced by a fixed list.
class FakePortsDialog : public OstrelCommPortDialog
{
public:
    QStringList ports;

protected:
    QStringList availablePortNames() const override { return ports; }
};

// What the dialog showed while it was open.
struct Shown
{
    QStringList items;
    QString currentText;
    int currentIndex = -1;
    QString status;
    QString statusStyle;
    bool statusCut = false;
    bool comboEnabled = false;
    bool disableChecked = false;
};

static Shown look(const OstrelCommPortDialog &dialog)
{
    Shown shown;
    const auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("portComboBox"));
    for (int i = 0; i < combo->count(); ++i)
        shown.items.append(combo->itemText(i));
    shown.currentText = combo->currentText();
    shown.currentIndex = combo->currentIndex();
    const auto *status = dialog.findChild<QLabel *>(QStringLiteral("statusLabel"));
    shown.status = status->text();
    shown.statusStyle = status->styleSheet();
    shown.statusCut = status->width() < status->sizeHint().width();
    shown.comboEnabled = combo->isEnabled();
    shown.disableChecked = dialog.findChild<QCheckBox *>(QStringLiteral("disableCheckBox"))->isChecked();
    return shown;
}

class TestOstrelCommPortDialog : public QObject
{
    Q_OBJECT

private slots:
    void offeredPorts_data();
    void offeredPorts();
    void malformedServerNameIsNotAccepted_data();
    void malformedServerNameIsNotAccepted();
    void serverNameAndEchoChoiceAreKept();
    void echoCountAndOpenErrorOfThePortInUse();
    void disableCheckBox_data();
    void disableCheckBox();
    void userChoice_data();
    void userChoice();
    void reopeningShowsTheNewPortState();
};

void TestOstrelCommPortDialog::offeredPorts_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("isOpen");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("currentIndex");
    QTest::addColumn<QString>("status");

    const QString open = QStringLiteral("  -  порт открыт");
    const QString closed = QStringLiteral("  -  порт не открыт");
    QTest::addRow("parallel-ports-never-listed")
        << QStringList{"COM1", "LPT1", "COM3", "LPT2"} << QStringLiteral("COM3") << true
        << QStringList{"COM1", "COM3"} << QStringLiteral("COM3") << 1 << QStringLiteral("COM3") + open;
    QTest::addRow("stored-port-closed")
        << QStringList{"ttyS0", "ttyUSB0"} << QStringLiteral("ttyUSB0") << false
        << QStringList{"ttyS0", "ttyUSB0"} << QStringLiteral("ttyUSB0") << 1
        << QStringLiteral("ttyUSB0") + closed;
    QTest::addRow("duplicate-names-last-one-current")
        << QStringList{"COM1", "COM2", "COM1"} << QStringLiteral("COM1") << true
        << QStringList{"COM1", "COM2", "COM1"} << QStringLiteral("COM1") << 2
        << QStringLiteral("COM1") + open;
    QTest::addRow("unlisted-stored-port-first-listed-instead")
        << QStringList{"ttyS0", "ttyS1"} << QStringLiteral("/dev/pts/3") << true
        << QStringList{"ttyS0", "ttyS1"} << QStringLiteral("ttyS0") << 0 << QString();
    QTest::addRow("vanished-port-no-ports-left")
        << QStringList{} << QStringLiteral("COM1") << false << QStringList{} << QString() << -1 << QString();
    QTest::addRow("no-ports-no-stored-name")
        << QStringList{} << QString() << false << QStringList{} << QString() << -1 << QString();
    QTest::addRow("no-stored-name-first-port-preselected")
        << QStringList{"ttyS0", "ttyS1"} << QString() << false << QStringList{"ttyS0", "ttyS1"}
        << QStringLiteral("ttyS0") << 0 << QString();
    const QString longPath = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    QTest::addRow("long-device-path-state-not-cut")
        << QStringList{"ttyS0", longPath} << longPath << true << QStringList{"ttyS0", longPath} << longPath
        << 1 << longPath + open;
    QTest::addRow("stored-name-with-blanks")
        << QStringList{"ttyS0"} << QStringLiteral(" ttyS0 ") << true << QStringList{"ttyS0"}
        << QStringLiteral("ttyS0") << 0 << QStringLiteral("ttyS0") + open;
}

void TestOstrelCommPortDialog::offeredPorts()
{
    QFETCH(QStringList, available);
    QFETCH(QString, stored);
    QFETCH(bool, isOpen);
    QFETCH(QStringList, items);
    QFETCH(QString, current);
    QFETCH(int, currentIndex);
    QFETCH(QString, status);

    FakePortsDialog dialog;
    dialog.ports = available;
    Shown shown;
    QTimer::singleShot(0, &dialog, [&] {
        shown = look(dialog);
        dialog.reject();
    });
    QCOMPARE(dialog.exec(stored, false, isOpen), int(QDialog::Rejected));
    QCOMPARE(shown.items, items);
    QCOMPARE(shown.currentText, current);
    QCOMPARE(shown.currentIndex, currentIndex);
    QCOMPARE(shown.status, status);
    QVERIFY(!shown.statusCut);
    if (!status.isEmpty())
        QVERIFY(shown.statusStyle.contains(isOpen ? QStringLiteral("green") : QStringLiteral("red")));
}

void TestOstrelCommPortDialog::disableCheckBox_data()
{
    QTest::addColumn<bool>("isDisable");
    QTest::addRow("opened-disabled-then-switched-on") << true;
    QTest::addRow("opened-enabled-then-switched-off") << false;
}

void TestOstrelCommPortDialog::disableCheckBox()
{
    QFETCH(bool, isDisable);

    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1", "COM2"};
    Shown atOpening, afterClick;
    QTimer::singleShot(0, &dialog, [&] {
        atOpening = look(dialog);
        QTest::keyClick(dialog.findChild<QCheckBox *>(QStringLiteral("disableCheckBox")), Qt::Key_Space);
        afterClick = look(dialog);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(QStringLiteral("COM2"), isDisable, true), int(QDialog::Accepted));
    QCOMPARE(atOpening.disableChecked, isDisable);
    QCOMPARE(atOpening.comboEnabled, !isDisable);
    QCOMPARE(afterClick.disableChecked, !isDisable);
    QCOMPARE(afterClick.comboEnabled, isDisable);
    QCOMPARE(dialog.isPortDisabled(), !isDisable);
    QCOMPARE(dialog.selectedPortName(), QStringLiteral("COM2"));
}

void TestOstrelCommPortDialog::userChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pickIndex");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("statusWhilePicked");

    const int clickOk = 0, clickCancel = 1;
    QTest::addRow("typed-device-path-trimmed")
        << QStringLiteral("  /dev/pts/7  ") << -1 << clickOk << int(QDialog::Accepted)
        << QStringLiteral("/dev/pts/7") << QString();
    QTest::addRow("enter-in-typed-name-accepts")
        << QStringLiteral("/dev/ttyACM0") << -1 << int(Qt::Key_Return) << int(QDialog::Accepted)
        << QStringLiteral("/dev/ttyACM0") << QString();
    QTest::addRow("typing-the-current-port-shows-its-state")
        << QStringLiteral("COM1") << -1 << clickOk << int(QDialog::Accepted) << QStringLiteral("COM1")
        << QStringLiteral("COM1  -  порт открыт");
    QTest::addRow("other-port-picked-status-emptied")
        << QString() << 1 << clickOk << int(QDialog::Accepted) << QStringLiteral("COM2") << QString();
    QTest::addRow("cancel-rejects") << QString() << 1 << clickCancel << int(QDialog::Rejected) << QString()
                                    << QString();
    QTest::addRow("escape-rejects") << QStringLiteral("COM9") << -1 << int(Qt::Key_Escape)
                                    << int(QDialog::Rejected) << QString() << QString();
}

void TestOstrelCommPortDialog::userChoice()
{
    QFETCH(QString, typed);
    QFETCH(int, pickIndex);
    QFETCH(int, key);
    QFETCH(int, result);
    QFETCH(QString, chosen);
    QFETCH(QString, statusWhilePicked);

    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1", "COM2"};
    QSignalSpy changed(&dialog, &OstrelCommPortDialog::signalComPortChanged);
    Shown picked;
    QTimer::singleShot(0, &dialog, [&] {
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("portComboBox"));
        if (pickIndex >= 0)
            combo->setCurrentIndex(pickIndex);
        if (!typed.isEmpty()) {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), typed);
        }
        picked = look(dialog);
        if (key == 0 || key == 1)
            QTest::mouseClick(dialog.findChild<QPushButton *>(key == 0 ? QStringLiteral("okButton")
                                                                       : QStringLiteral("cancelButton")),
                              Qt::LeftButton);
        else
            QTest::keyClick(combo->lineEdit(), Qt::Key(key));
        if (dialog.isVisible())
            dialog.done(-1);
    });
    QCOMPARE(dialog.exec(QStringLiteral("COM1"), false, true), result);
    QCOMPARE(picked.status, statusWhilePicked);
    // Typing never adds to the list of ports the system reported.
    QCOMPARE(picked.items, (QStringList{"COM1", "COM2"}));
    QCOMPARE(look(dialog).items, (QStringList{"COM1", "COM2"}));
    if (result == QDialog::Accepted) {
        QCOMPARE(dialog.selectedPortName(), chosen);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), chosen);
    } else {
        QCOMPARE(changed.count(), 0);
    }
}

void TestOstrelCommPortDialog::reopeningShowsTheNewPortState()
{
    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1"};
    QStringList statuses;
    for (const bool isOpen : {false, true}) {
        QTimer::singleShot(0, &dialog, [&] {
            statuses.append(look(dialog).status);
            dialog.reject();
        });
        dialog.exec(QStringLiteral("COM1"), false, isOpen);
    }
    QCOMPARE(statuses, (QStringList{QStringLiteral("COM1  -  порт не открыт"),
                                    QStringLiteral("COM1  -  порт открыт")}));
}

void TestOstrelCommPortDialog::malformedServerNameIsNotAccepted_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addRow("no-port") << "tcp://10.0.0.7" << "не указан порт";
    QTest::addRow("port-zero") << "tcp://10.0.0.7:0" << "от 1 до 65535";
    QTest::addRow("port-too-large") << "tcp://10.0.0.7:70000" << "от 1 до 65535";
    QTest::addRow("empty-host") << "tcp://:4001" << "не указан адрес";
}

void TestOstrelCommPortDialog::malformedServerNameIsNotAccepted()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1"};
    QSignalSpy changed(&dialog, &OstrelCommPortDialog::signalComPortChanged);
    Shown afterOk;
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("portComboBox"));
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        stillOpen = dialog.isVisible();
        afterOk = look(dialog);
        dialog.reject();
    });
    QCOMPARE(dialog.exec(QStringLiteral("COM1"), false, true), int(QDialog::Rejected));
    QVERIFY(stillOpen);
    QCOMPARE(changed.count(), 0);
    QVERIFY2(afterOk.status.startsWith(QStringLiteral("Неверное имя порта: ")) && afterOk.status.contains(message),
             qPrintable(afterOk.status));
    QVERIFY(afterOk.statusStyle.contains(QLatin1String("red")));
    QVERIFY(!afterOk.statusCut);
}

void TestOstrelCommPortDialog::serverNameAndEchoChoiceAreKept()
{
    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1"};
    const QString server = QStringLiteral("tcp://[fe80::7]:4001");
    dialog.setStripEcho(true);
    QString echoShown;
    QTimer::singleShot(0, &dialog, [&] {
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("portComboBox"));
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), server);
        auto *echo = dialog.findChild<QComboBox *>(QStringLiteral("echoComboBox"));
        echoShown = echo->currentText();
        echo->setCurrentIndex(1);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(QStringLiteral("COM1"), false, true), int(QDialog::Accepted));
    QCOMPARE(echoShown, QStringLiteral("авто"));
    QCOMPARE(dialog.selectedPortName(), server);
    QVERIFY(!dialog.isStripEcho());
}

void TestOstrelCommPortDialog::echoCountAndOpenErrorOfThePortInUse()
{
    FakePortsDialog dialog;
    dialog.ports = QStringList{"COM1", "COM2"};
    dialog.setEchoCount(17);
    QStringList counts;
    QTimer::singleShot(0, &dialog, [&] {
        const auto *label = dialog.findChild<QLabel *>(QStringLiteral("echoCountLabel"));
        counts.append(label->text());
        dialog.setEchoCount(18); // arrives from the worker while the dialog is open
        counts.append(label->text());
        dialog.findChild<QComboBox *>(QStringLiteral("portComboBox"))->setCurrentIndex(1);
        counts.append(label->text());
        dialog.reject();
    });
    dialog.exec(QStringLiteral("COM1"), false, true);
    QCOMPARE(counts, (QStringList{QStringLiteral("Принято эхо запросов: 17"),
                                  QStringLiteral("Принято эхо запросов: 18"), QString()}));

    // A port that did not open shows no count, and says why it did not.
    dialog.ports = QStringList{"tcp://127.0.0.1:4001"};
    dialog.setOpenError(QStringLiteral("сервер отказал в соединении"));
    Shown shown;
    QString count;
    QTimer::singleShot(0, &dialog, [&] {
        shown = look(dialog);
        count = dialog.findChild<QLabel *>(QStringLiteral("echoCountLabel"))->text();
        dialog.reject();
    });
    dialog.exec(QStringLiteral("tcp://127.0.0.1:4001"), false, false);
    QCOMPARE(shown.status, QStringLiteral("tcp://127.0.0.1:4001  -  порт не открыт (сервер отказал в соединении)"));
    QCOMPARE(count, QString());
}

QTEST_MAIN(TestOstrelCommPortDialog)
#include "tst_ostrelcommportdialog.moc"
