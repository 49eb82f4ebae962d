#include "aucell.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "auinfowidget.h"
#include "aureledialog.h"
#include "auvaluedialog.h"
#include "mainwindow.h"
#include "menupicker.h"
#include "simprogramfolder.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// Units commanded through the whole program, the way an engineer does it: a right click on a cell,
// a choice in its menu, an answer to its dialog; the simulated controller then shows what it did.
class TestUnitCommandsSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void relaysSwitchOnTheModuleAndItsCell();
    void blockingTurnsTheUnitBlocked();
    void readdressingMovesTheUnit();
    void borderIsReadAndWritten();
    void loModeKeepsTheNeighboursModes();
    void configurationThresholdIsWritten();

private:
    AuCell *cell(int addr) const;
    // Right-clicks a unit's cell and picks `path` from its menu; `answer` handles the dialogs.
    void choose(int addr, const QStringList &path, const std::function<void(QWidget *)> &answer = {});
    bool onLine(const QString &request);
    QString get(const QString &what);

    std::unique_ptr<SimProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestUnitCommandsSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
    m_folder = std::make_unique<SimProgramFolder>();
    const QString scenario = SimProcess::sourcePath(QStringLiteral("tests/app/unitcommands.json"));
    QVERIFY2(m_folder->start(scenario,
                             {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--trace")}, 1),
             qPrintable(m_folder->errorString()));
    m_window = std::make_unique<MainWindow>();
    m_window->setLanguage(QStringLiteral("RU"));
    m_window->show();
    QTRY_COMPARE_WITH_TIMEOUT(m_window->selectedRyn(), 1, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(cell(50)->values().type == RelayModule4 && cell(50)->values().state == 0, 15000);
}

void TestUnitCommandsSim::cleanupTestCase()
{
    m_window.reset();
    m_folder.reset();
}

AuCell *TestUnitCommandsSim::cell(int addr) const
{
    return m_window->auInfoWidget()->generalGrid()->cell(addr);
}

void TestUnitCommandsSim::choose(int addr, const QStringList &path,
                                 const std::function<void(QWidget *)> &answer)
{
    QString unexpected;
    ModalAnswerer answerer([&answer, &unexpected](QWidget *modal) {
        if (answer)
            answer(modal);
        // A question nobody expected would otherwise wait for ever.
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            unexpected = box->text();
            box->reject();
        }
    });
    MenuPicker picker(path);
    QTest::mouseClick(cell(addr), Qt::RightButton);
    QVERIFY(picker.opened);
    QVERIFY(!picker.missing);
    QCOMPARE(unexpected, QString());
}

bool TestUnitCommandsSim::onLine(const QString &request)
{
    return m_folder->sim().trace().contains(QStringLiteral("RX  ") + request);
}

QString TestUnitCommandsSim::get(const QString &what)
{
    return m_folder->sim().command(QStringLiteral("get 1 ") + what);
}

void TestUnitCommandsSim::relaysSwitchOnTheModuleAndItsCell()
{
    choose(50, {QStringLiteral("Реле Zirn"), QStringLiteral("ВКЛ. ...")}, [](QWidget *modal) {
        if (auto *relays = qobject_cast<AuReleDialog *>(modal)) {
            relays->relayBox(1)->click();
            relays->relayBox(3)->click();
            relays->okButton()->click();
        }
    });
    // Command 85 (1085: relays 1 and 3) for unit 50, written to the command registers 5222..5223.
    QTRY_VERIFY(onLine(QStringLiteral("01 10 14 66 00 02 04 32 55 00 00")));
    QTRY_COMPARE(get(QStringLiteral("50 out1 out2 out3 out4")),
                 QStringLiteral("OK out1=1 out2=0 out3=1 out4=0"));
    QTRY_VERIFY_WITH_TIMEOUT(cell(50)->values().output[0] == 1 && cell(50)->values().output[2] == 1, 10000);
    QCOMPARE(cell(50)->labelText(AuCellValues::Output1Label), QStringLiteral("Р1:з"));

    choose(50, {QStringLiteral("Реле Zirn"), QStringLiteral("ВЫКЛ. ...")}, [](QWidget *modal) {
        if (auto *relays = qobject_cast<AuReleDialog *>(modal)) {
            relays->relayBox(1)->click(); // keep relay 1 on, switch relay 3 off
            relays->okButton()->click();
        }
    });
    QTRY_VERIFY(onLine(QStringLiteral("01 10 14 66 00 02 04 32 74 00 00")));
    QTRY_COMPARE(get(QStringLiteral("50 out1 out3")), QStringLiteral("OK out1=1 out3=0"));
    QTRY_VERIFY_WITH_TIMEOUT(cell(50)->values().output[2] == 0, 10000);
}

void TestUnitCommandsSim::blockingTurnsTheUnitBlocked()
{
    QCOMPARE(cell(12)->values().state, 0);
    choose(12, {QStringLiteral("Блокировка"), QStringLiteral("ВКЛ.")});
    // The blocking block is read, then written back with unit 12's bit cleared.
    QTRY_VERIFY(onLine(QStringLiteral("01 03 14 05 00 10")));
    QTRY_VERIFY(onLine(QStringLiteral("01 10 14 05 00 10 20")));
    QTRY_COMPARE(get(QStringLiteral("12 blocked generalState")),
                 QStringLiteral("OK generalState=6 blocked=1"));
    QTRY_COMPARE_WITH_TIMEOUT(cell(12)->values().state, 6, 10000);
    QCOMPARE(cell(12)->colour(), QColor(QStringLiteral("peru")));
}

void TestUnitCommandsSim::readdressingMovesTheUnit()
{
    QString input;
    choose(17, {QStringLiteral("Задать адрес ...")}, [&input](QWidget *modal) {
        if (auto *dialog = qobject_cast<QInputDialog *>(modal)) {
            input = QString::number(dialog->intValue());
            dialog->setIntValue(30); // nobody there: no question
            dialog->accept();
        }
    });
    QCOMPARE(input, QStringLiteral("17"));
    QTRY_VERIFY(onLine(QStringLiteral("01 10 14 66 00 02 04 11 80 1E 00")));
    // 17 is still configured but empty now; 30 holds the unit, at an address nobody configured.
    QTRY_COMPARE_WITH_TIMEOUT(cell(17)->values().state, 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(cell(30)->values().type, int(SmokeDetector), 10000);
    QCOMPARE(cell(30)->values().state, 8);
}

void TestUnitCommandsSim::borderIsReadAndWritten()
{
    AuValueDialog *value = AuValueDialog::instance();
    choose(5, {QStringLiteral("Чтение границ"), QStringLiteral("Средняя W2 ...")});
    QTRY_COMPARE_WITH_TIMEOUT(value->windowTitle() + QLatin1Char('|') + value->text(),
                              QStringLiteral("Значение|44"), 10000);
    // Command 20 for unit 5, then at once the read of border block W2 (15969, 125 registers).
    QVERIFY(onLine(QStringLiteral("01 10 14 66 00 02 04 05 14 00 00")));
    QVERIFY(onLine(QStringLiteral("01 03 3E 61 00 7D")));
    value->close();

    choose(5, {QStringLiteral("Запись границ"), QStringLiteral("Средняя W2 ...")}, [](QWidget *modal) {
        if (auto *dialog = qobject_cast<QInputDialog *>(modal)) {
            dialog->setIntValue(66);
            dialog->accept();
        }
    });
    QTRY_VERIFY(onLine(QStringLiteral("01 10 14 66 00 02 04 05 8D 42 00")));
    QTRY_COMPARE(get(QStringLiteral("5 unitW2")), QStringLiteral("OK unitW2=66"));

    choose(5, {QStringLiteral("Чтение границ"), QStringLiteral("Средняя W2 ...")});
    QTRY_COMPARE_WITH_TIMEOUT(value->text(), QStringLiteral("66"), 10000);
    value->close();
}

void TestUnitCommandsSim::loModeKeepsTheNeighboursModes()
{
    choose(42, {QStringLiteral("ЛО"), QStringLiteral("Обратное с миганием")});
    // Register 5660 holds units 41..44, lowest nibble first: read, then written with unit 42's changed.
    QTRY_VERIFY(onLine(QStringLiteral("01 03 16 1C 00 01")));
    QTRY_VERIFY(onLine(QStringLiteral("01 10 16 1C 00 01 02 43 41")));
    QTRY_COMPARE(get(QStringLiteral("42 loMode")), QStringLiteral("OK loMode=4"));
    QCOMPARE(get(QStringLiteral("41 loMode")), QStringLiteral("OK loMode=1"));
    QCOMPARE(get(QStringLiteral("43 loMode")), QStringLiteral("OK loMode=3"));
    QCOMPARE(get(QStringLiteral("44 loMode")), QStringLiteral("OK loMode=4"));
}

void TestUnitCommandsSim::configurationThresholdIsWritten()
{
    int shownThreshold = 0;
    bool accepted = false;
    choose(21, {QStringLiteral("Конфигурирование ...")}, [&](QWidget *modal) {
        auto *dialog = qobject_cast<AuConfigurationDialog *>(modal);
        if (!dialog || !QTest::qWaitFor([dialog] { return dialog->applyButton()->isEnabled(); }, 10000))
            return;
        shownThreshold = dialog->thresholdBox()->value();
        dialog->thresholdBox()->setValue(70);
        dialog->applyButton()->click();
        accepted = QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, 10000);
        if (!accepted)
            dialog->reject();
    });
    QCOMPARE(shownThreshold, 60);
    QVERIFY(accepted);
    // The threshold block read whole (5000, 125 registers), then only unit 21's register written.
    QVERIFY(onLine(QStringLiteral("01 03 13 88 00 7D")));
    QVERIFY(onLine(QStringLiteral("01 10 13 92 00 01 02")));
    QCOMPARE(get(QStringLiteral("21 threshold")), QStringLiteral("OK threshold=70"));
    // Unit 22 shares the register: its threshold went back as it was.
    QCOMPARE(get(QStringLiteral("22 threshold")), QStringLiteral("OK threshold=65"));
}

QTEST_MAIN(TestUnitCommandsSim)
#include "tst_unitcommandssim.moc"
