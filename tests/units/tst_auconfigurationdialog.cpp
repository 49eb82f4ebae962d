#include "auconfigurationdialog.h"
#include "commandcodes.h"
#include "commandid.h"
#include "fakeslave.h"
#include "scriptedmaster.h"
#include "modalwatcher.h"
#include "modbusmaster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

using Edit = std::function<void(AuConfigurationDialog *)>;
Q_DECLARE_METATYPE(Edit)

namespace {
constexpr int Ryn = 2;

// The configuration blocks of one controller, answering the dialog as the worker does: a little
// later, reads with the block's bytes, writes by changing the bytes.
struct FakeConfiguration
{
    QMap<int, QByteArray> blocks;
    QSet<int> failing; // codes answered "no answer"
    QList<int> sentCodes;
    QMap<int, QByteArray> sentInfo;

    static int blockOfWrite(int code)
    {
        static const QMap<int, int> blocks{{1315, 101}, {1316, 102}, {1317, 100},
                                           {1318, 106}, {1319, 105}, {1320, 103}};
        return blocks.value(code);
    }

    FakeConfiguration(quint8 threshold, quint8 bits, quint8 type, quint8 nibbles)
    {
        blocks = {{100, QByteArray(250, char(threshold))}, {101, QByteArray(32, char(bits))},
                  {102, QByteArray(250, char(type))},      {106, QByteArray(32, char(bits))},
                  {105, QByteArray(126, char(nibbles))},   {103, QByteArray(126, char(nibbles))}};
    }

    void attach(AuConfigurationDialog &dialog)
    {
        QObject::connect(&dialog, &AuConfigurationDialog::signalSendCmd, &dialog,
                         [this, &dialog](int code, QByteArray info) {
                             sentCodes.append(code);
                             sentInfo.insert(code, info);
                             const int err = failing.contains(code) ? 1 : 0;
                             QByteArray answer;
                             if (err == 0 && blocks.contains(code))
                                 answer = blocks.value(code);
                             if (err == 0 && blockOfWrite(code))
                                 blocks[blockOfWrite(code)].replace(2 * quint8(info.at(0)), 2, info.mid(1));
                             QTimer::singleShot(1, &dialog, [&dialog, code, err, answer] {
                                 dialog.slotConfigInfo(Ryn, 7, code, err, answer);
                             });
                         });
    }
};

QString shown(const AuConfigurationDialog &dialog)
{
    QString outputs;
    for (int output = 1; output <= 4; ++output)
        outputs += dialog.outputBox(output)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return QStringLiteral("disabled=%1 type=%2 threshold=%3 channel=%4 outputs=%5 lo=%6")
        .arg(dialog.disabledChoice()->currentData().toInt())
        .arg(dialog.typeChoice()->currentData().toInt())
        .arg(dialog.thresholdBox()->value())
        .arg(dialog.channelTypeChoice()->currentData().toInt())
        .arg(outputs)
        .arg(dialog.loChoice()->currentData().toInt());
}

// Every byte that differs, as "block:index=value".
QStringList changes(const QMap<int, QByteArray> &before, const QMap<int, QByteArray> &after)
{
    QStringList result;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray now = after.value(it.key());
        for (int i = 0; i < it.value().size(); ++i) {
            if (now.at(i) != it.value().at(i))
                result.append(QStringLiteral("%1:%2=%3")
                                  .arg(it.key())
                                  .arg(i)
                                  .arg(quint8(now.at(i)), 2, 16, QLatin1Char('0')));
        }
    }
    return result;
}

// The worker on a scripted line to controller `Ryn`, wired to the dialog as the main window wires it.
class Worker
{
public:
    explicit Worker(AuConfigurationDialog &dialog, const QString &portName = QStringLiteral("line"))
        : m_line(Ryn, portName)
    {
        master->init();
        QObject::connect(master, &ModbusMaster::signalConfigInfo, &dialog, &AuConfigurationDialog::slotConfigInfo);
        QObject::connect(&dialog, &AuConfigurationDialog::signalSendCmd, master,
                         [this](int code, const QByteArray &info) {
                             sentCodes.append(code);
                             master->slotAddCommand(Ryn, nextCommandId(), code, info);
                         });
    }

private:
    ScriptedMaster m_line;

public:
    ModbusMaster *const master = m_line.master.get();
    QList<int> sentCodes;
};

// Runs the dialog; `action` gets it once all six reads have been answered.
int runDialog(AuConfigurationDialog &dialog, FakeConfiguration &fake, int addr, HardTypes type,
              const std::function<void(AuConfigurationDialog *)> &action)
{
    whenModal<AuConfigurationDialog>([&fake, action](AuConfigurationDialog *shownDialog) {
        // Without the six reads there is nothing to act on; the checks after the dialog then fail.
        if (!QTest::qWaitFor([&fake] { return fake.sentCodes.size() >= 6; })) {
            shownDialog->reject();
            return;
        }
        QTest::qWait(20);
        action(shownDialog);
    });
    return dialog.exec(addr, type);
}
} // namespace

class TestAuConfigurationDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void entriesShownPerUnit_data();
    void entriesShownPerUnit();
    void writeBackChangesOnlyTheUnit_data();
    void writeBackChangesOnlyTheUnit();
    void applyWaitsForTheFourGroups_data();
    void applyWaitsForTheFourGroups();
    void failedReadIsNeverWritten();
    void failedWriteKeepsTheDialogOpen();
    void thresholdSetIsWritten_data();
    void thresholdSetIsWritten();
    void refusedReadsEndInTheDialog_data();
    void refusedReadsEndInTheDialog();
    void refusedWritesAreNamed();
    void refusedWithoutAController();
};

void TestAuConfigurationDialog::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAuConfigurationDialog::entriesShownPerUnit_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("index"); // the byte that holds the unit's entry
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("expected");
    const QString plain = QStringLiteral("disabled=1 type=255 threshold=99 channel=1 outputs=0000 lo=0");
    const auto with = [&plain](const char *from, const char *to) {
        return QString(plain).replace(QLatin1String(from), QLatin1String(to));
    };
    QTest::addRow("threshold-unit-1") << 2 << 1 << 100 << 1 << 65 << with("threshold=99", "threshold=65");
    QTest::addRow("threshold-unit-2") << 2 << 2 << 100 << 0 << 65 << with("threshold=99", "threshold=65");
    QTest::addRow("threshold-unit-250")
        << 3 << 250 << 100 << 248 << 65 << with("threshold=99", "threshold=65");
    QTest::addRow("threshold-clipped") << 2 << 17 << 100 << 17 << 10 << with("threshold=99", "threshold=25");
    QTest::addRow("type-unit-17") << 4 << 17 << 102 << 17 << 23 << with("type=255", "type=23");
    QTest::addRow("type-unit-16") << 4 << 16 << 102 << 14 << 1 << with("type=255", "type=1");
    QTest::addRow("disabled-bit-unit-1") << 4 << 1 << 101 << 1 << 0xFE << with("disabled=1", "disabled=0");
    QTest::addRow("disabled-bit-unit-16") << 4 << 16 << 101 << 0 << 0x7F << with("disabled=1", "disabled=0");
    QTest::addRow("disabled-bit-unit-17") << 4 << 17 << 101 << 3 << 0xFE << with("disabled=1", "disabled=0");
    QTest::addRow("disabled-bit-unit-250")
        << 4 << 250 << 101 << 30 << 0xFD << with("disabled=1", "disabled=0");
    QTest::addRow("heat-bit-unit-16") << 2 << 16 << 106 << 0 << 0x7F << with("channel=1", "channel=0");
    QTest::addRow("outputs-unit-1") << 11 << 1 << 105 << 1 << 0xFA << with("outputs=0000", "outputs=1010");
    QTest::addRow("outputs-unit-2") << 11 << 2 << 105 << 1 << 0xAF << with("outputs=0000", "outputs=1010");
    QTest::addRow("outputs-unit-250")
        << 11 << 250 << 105 << 125 << 0x5F << with("outputs=0000", "outputs=0101");
    QTest::addRow("lo-unit-16") << 15 << 16 << 103 << 6 << 0x0F << with("lo=0", "lo=1");
    QTest::addRow("lo-unit-17") << 16 << 17 << 103 << 9 << 0xF2 << with("lo=0", "lo=3");
}

void TestAuConfigurationDialog::entriesShownPerUnit()
{
    QFETCH(int, type);
    QFETCH(int, addr);
    QFETCH(int, block);
    QFETCH(int, index);
    QFETCH(int, byte);
    QFETCH(QString, expected);
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    FakeConfiguration fake(0xFF, 0xFF, 0xFF, 0xFF);
    fake.blocks[block][index] = char(byte);
    fake.attach(dialog);
    QString seen;
    runDialog(dialog, fake, addr, HardTypes(type), [&seen](AuConfigurationDialog *shownDialog) {
        seen = shown(*shownDialog);
        shownDialog->reject();
    });
    QCOMPARE(seen, expected);
    QCOMPARE(fake.sentCodes, (QList<int>{101, 102, 100, 106, 105, 103}));
}

void TestAuConfigurationDialog::writeBackChangesOnlyTheUnit_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("addr");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QList<int>>("writes");
    QTest::addColumn<QStringList>("changed");
    QTest::addRow("heat-detector-17") << 2 << 17 << Edit([](AuConfigurationDialog *d) {
        d->thresholdBox()->setValue(60);
        d->channelTypeChoice()->setCurrentIndex(0);
        d->disabledChoice()->setCurrentIndex(0);
        d->typeChoice()->setCurrentIndex(d->typeChoice()->findData(3));
    }) << QList<int>{1317, 1315, 1316, 1318}
                                      << QStringList{QStringLiteral("100:17=3c"), QStringLiteral("101:3=fe"),
                                                     QStringLiteral("102:17=03"), QStringLiteral("106:3=fe")};
    QTest::addRow("heat-detector-without-threshold-untouched")
        << 2 << 5 << Edit([](AuConfigurationDialog *) {}) << QList<int>{1317, 1315, 1316, 1318}
        << QStringList();
    QTest::addRow("relay-module-4-at-250") << 11 << 250 << Edit([](AuConfigurationDialog *d) {
        d->outputBox(1)->setChecked(true);
        d->outputBox(3)->setChecked(true);
    }) << QList<int>{1315, 1316, 1319} << QStringList{QStringLiteral("105:125=af")};
    QTest::addRow("relay-module-2-keeps-outputs-3-and-4")
        << 10 << 1 << Edit([](AuConfigurationDialog *d) { d->outputBox(1)->setChecked(true); })
        << QList<int>{1315, 1316, 1319} << QStringList{QStringLiteral("105:1=fe")};
    QTest::addRow("control-module-at-6") << 16 << 6 << Edit([](AuConfigurationDialog *d) {
        d->loChoice()->setCurrentIndex(d->loChoice()->findData(3));
    }) << QList<int>{1315, 1316, 1320} << QStringList{QStringLiteral("103:3=2a")};
}

void TestAuConfigurationDialog::writeBackChangesOnlyTheUnit()
{
    QFETCH(int, type);
    QFETCH(int, addr);
    QFETCH(Edit, edit);
    QFETCH(QList<int>, writes);
    QFETCH(QStringList, changed);
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    FakeConfiguration fake(0xFF, 0xFF, quint8(type), 0xFF);
    // Neighbours with entries of their own, which a write must carry back unchanged.
    for (QByteArray &data : fake.blocks) {
        for (int i = 0; i < data.size(); i += 3)
            data[i] = char(0x5A);
    }
    fake.blocks[101][3] = char(0xFF);
    fake.blocks[106][3] = char(0xFF);
    const QMap<int, QByteArray> before = fake.blocks;
    fake.attach(dialog);
    const int result =
        runDialog(dialog, fake, addr, HardTypes(type), [&edit](AuConfigurationDialog *shownDialog) {
            edit(shownDialog);
            shownDialog->applyButton()->click();
        });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(fake.sentCodes.mid(6), writes);
    QCOMPARE(changes(before, fake.blocks), changed);
}

void TestAuConfigurationDialog::applyWaitsForTheFourGroups_data()
{
    QTest::addColumn<QList<int>>("answers"); // codes in order; negative: answered with an error
    QTest::addColumn<bool>("applyEnabled");
    QTest::addRow("all-six") << QList<int>{101, 102, 100, 106, 105, 103} << true;
    QTest::addRow("the-four-without-threshold-and-blocking") << QList<int>{102, 106, 105, 103} << true;
    QTest::addRow("the-four-failing") << QList<int>{-102, -106, -105, -103} << true;
    QTest::addRow("lo-missing") << QList<int>{101, 102, 100, 106, 105} << false;
    QTest::addRow("type-missing") << QList<int>{101, 100, 106, 105, 103} << false;
}

void TestAuConfigurationDialog::applyWaitsForTheFourGroups()
{
    QFETCH(QList<int>, answers);
    QFETCH(bool, applyEnabled);
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    const FakeConfiguration blocks(30, 0xFF, 2, 0xFF);
    bool enabled = !applyEnabled;
    QStringList groups;
    whenModal<AuConfigurationDialog>([&](AuConfigurationDialog *d) {
        // An answer meant for another controller changes nothing.
        d->slotConfigInfo(Ryn + 1, 1, 102, 0, blocks.blocks.value(102));
        for (int answer : answers)
            d->slotConfigInfo(Ryn, 1, qAbs(answer), answer < 0 ? 1 : 0, blocks.blocks.value(qAbs(answer)));
        enabled = d->applyButton()->isEnabled();
        for (QGroupBox *group : {d->mainGroup(), d->heatGroup(), d->outputsGroup(), d->loGroup()})
            groups.append(group->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"));
        groups.append(d->typeChoice()->isEnabled() ? QStringLiteral("type") : QStringLiteral("no-type"));
        d->reject();
    });
    dialog.exec(17, HeatDetector);
    QCOMPARE(enabled, applyEnabled);
    const bool typeRead = answers.contains(102);
    QCOMPARE(groups.first(),
             answers.contains(102) || answers.contains(-102) ? QStringLiteral("on") : QStringLiteral("off"));
    QCOMPARE(groups.last(), typeRead ? QStringLiteral("type") : QStringLiteral("no-type"));
}

void TestAuConfigurationDialog::failedReadIsNeverWritten()
{
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    FakeConfiguration fake(57, 0xFF, 2, 0xFF);
    fake.failing = {100};
    fake.blocks[102].truncate(4); // answers, but not as far as unit 17
    fake.attach(dialog);
    bool thresholdEnabled = true;
    bool heatGroupEnabled = false;
    const int result = runDialog(dialog, fake, 17, HeatDetector, [&](AuConfigurationDialog *d) {
        thresholdEnabled = d->thresholdBox()->isEnabled();
        heatGroupEnabled = d->heatGroup()->isEnabled();
        d->applyButton()->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!thresholdEnabled);
    QVERIFY(heatGroupEnabled);
    QCOMPARE(fake.sentCodes.mid(6), (QList<int>{1315, 1318}));
}

void TestAuConfigurationDialog::failedWriteKeepsTheDialogOpen()
{
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    FakeConfiguration fake(57, 0xFF, 2, 0xFF);
    fake.failing = {1317};
    fake.attach(dialog);
    QString status;
    bool stillOpen = false;
    bool applyAgain = false;
    const int result = runDialog(dialog, fake, 17, HeatDetector, [&](AuConfigurationDialog *d) {
        d->thresholdBox()->setValue(70);
        d->applyButton()->click();
        if (!QTest::qWaitFor([&fake] { return fake.sentCodes.size() >= 10; }))
            return;
        QTest::qWait(20);
        stillOpen = d->isVisible();
        status = d->statusLabel()->text();
        applyAgain = d->applyButton()->isEnabled();
        fake.failing.clear();
        d->applyButton()->click();
    });
    QVERIFY(stillOpen);
    QCOMPARE(status, QStringLiteral("Не записано: Пороговая температура"));
    QVERIFY(applyAgain);
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(quint8(fake.blocks.value(100).at(17)), quint8(70));
}

void TestAuConfigurationDialog::thresholdSetIsWritten_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("written");
    const auto keys = [](QList<Qt::Key> keys) {
        return Edit([keys](AuConfigurationDialog *d) {
            for (Qt::Key key : keys)
                QTest::keyClick(d->thresholdBox(), key);
        });
    };
    // Shown clipped to 99 or 25: the engineer can still choose exactly that value.
    QTest::addRow("cleared-stepped-back-to-99") << 0xFF << keys({Qt::Key_Down, Qt::Key_Up}) << 99;
    QTest::addRow("cleared-typed-99") << 0xFF << Edit([](AuConfigurationDialog *d) {
        d->thresholdBox()->selectAll();
        QTest::keyClicks(d->thresholdBox(), QStringLiteral("99"));
    }) << 99;
    QTest::addRow("low-stepped-back-to-25") << 10 << keys({Qt::Key_Up, Qt::Key_Down}) << 25;
    QTest::addRow("cleared-untouched") << 0xFF << keys({}) << 0xFF;
    QTest::addRow("cleared-set-to-88") << 0xFF << keys({Qt::Key_PageDown, Qt::Key_Down}) << 88;
}

// The threshold written is the one the engineer set, compared with what the controller holds.
void TestAuConfigurationDialog::thresholdSetIsWritten()
{
    QFETCH(int, stored);
    QFETCH(Edit, edit);
    QFETCH(int, written);
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    FakeConfiguration fake(quint8(stored), 0xFF, 2, 0xFF);
    fake.attach(dialog);
    const int result = runDialog(dialog, fake, 17, HeatDetector, [&edit](AuConfigurationDialog *d) {
        edit(d);
        d->applyButton()->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(int(quint8(fake.blocks.value(100).at(17))), written);
    QCOMPARE(int(quint8(fake.blocks.value(100).at(18))), stored); // unit 18 shares the register
}

void TestAuConfigurationDialog::refusedReadsEndInTheDialog_data()
{
    QTest::addColumn<bool>("portOpen");
    QTest::addRow("no-port") << false;
    QTest::addRow("queue-failed-on-a-port-change") << true;
}

// Reads the worker refuses are failed reads: the groups open, without the entries, and say why.
void TestAuConfigurationDialog::refusedReadsEndInTheDialog()
{
    QFETCH(bool, portOpen);
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    Worker worker(dialog, portOpen ? QStringLiteral("line") : QString());
    QCOMPARE(worker.master->isTicking(), portOpen);
    if (portOpen) {
        // The port changes while all six reads wait in the queue.
        QObject::connect(&dialog, &AuConfigurationDialog::signalSendCmd, worker.master, [&worker] {
            if (worker.sentCodes.size() == 6)
                worker.master->reinit(QStringLiteral("other"));
        });
    }
    bool applyEnabled = false;
    QStringList groups;
    QString status;
    whenModal<AuConfigurationDialog>([&](AuConfigurationDialog *d) {
        (void)QTest::qWaitFor([d] { return d->applyButton()->isEnabled(); }, 2000);
        applyEnabled = d->applyButton()->isEnabled();
        for (QWidget *widget :
             {static_cast<QWidget *>(d->mainGroup()), static_cast<QWidget *>(d->heatGroup()),
              static_cast<QWidget *>(d->typeChoice()), static_cast<QWidget *>(d->thresholdBox())})
            groups.append(widget->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"));
        status = d->statusLabel()->isVisible() ? d->statusLabel()->text() : QString();
        d->reject();
    });
    dialog.exec(17, HeatDetector);
    QCOMPARE(worker.sentCodes, (QList<int>{101, 102, 100, 106, 105, 103}));
    QVERIFY(applyEnabled);
    QCOMPARE(groups, (QStringList{"on", "on", "off", "off"}));
    QCOMPARE(status,
             QStringLiteral("Не прочитано: Адрес отключен (Ошибка порта), Тип устройства (Ошибка порта), "
                            "Пороговая температура (Ошибка порта), Тип теплового канала (Ошибка порта)"));
}

// Writes the worker refuses (the port switched off after the reads) are named; the dialog stays open.
void TestAuConfigurationDialog::refusedWritesAreNamed()
{
    AuConfigurationDialog dialog;
    dialog.slotRynSelected(Ryn);
    Worker worker(dialog);
    bool stillOpen = false;
    bool applyAgain = false;
    QString status;
    whenModal<AuConfigurationDialog>([&](AuConfigurationDialog *d) {
        if (!QTest::qWaitFor([d] { return d->applyButton()->isEnabled(); }, 5000))
            return d->reject();
        worker.master->reinit(QString());
        d->thresholdBox()->setValue(70);
        d->applyButton()->click();
        QTest::qWait(20);
        stillOpen = d->isVisible();
        applyAgain = d->applyButton()->isEnabled();
        status = d->statusLabel()->text();
        d->reject();
    });
    dialog.exec(17, HeatDetector);
    QCOMPARE(worker.sentCodes.mid(6), (QList<int>{1317, 1315, 1316, 1318}));
    QVERIFY(stillOpen);
    QVERIFY(applyAgain);
    QCOMPARE(status, QStringLiteral("Не записано: Пороговая температура, Адрес отключен, Тип устройства, "
                                    "Тип теплового канала"));
}

void TestAuConfigurationDialog::refusedWithoutAController()
{
    AuConfigurationDialog dialog;
    QSignalSpy sent(&dialog, &AuConfigurationDialog::signalSendCmd);
    QString title;
    whenModal<QMessageBox>([&title](QMessageBox *box) {
        title = box->windowTitle();
        box->accept();
    });
    QCOMPARE(dialog.exec(17, HeatDetector), int(QDialog::Rejected));
    QCOMPARE(title, QStringLiteral("Внимание!"));
    QCOMPARE(sent.size(), 0);
}

QTEST_MAIN(TestAuConfigurationDialog)
#include "tst_auconfigurationdialog.moc"
