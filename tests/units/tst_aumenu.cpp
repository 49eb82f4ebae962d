#include "aucell.h"
#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aumenu.h"
#include "aumenucontext.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "aureledialog.h"
#include "auvaluedialog.h"
#include "commandcodes.h"
#include "commandid.h"
#include "fakeslave.h"
#include "scriptedmaster.h"
#include "menupicker.h"
#include "modalwatcher.h"
#include "modbusmaster.h"
#include "registermap.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// The worker with its last answers from one controller whose unit 5 (type 4) answers, unit 6
// (type 2) is lost, unit 7 is not there and unit 8 is reported with type 0.
class Worker
{
public:
    Worker()
    {
        FakeSlave &slave = m_line.slave;
        slave.memory[RegisterMap::versionRegister] = 15;
        for (int i = 0; i < 125; ++i)
            slave.memory[10000 + i] = 0xFFFF;
        slave.memory[10002] = 0x0204;     // unit 5 type 4 in the low byte, unit 6 type 2 in the high
        slave.memory[10003] = 0x00FF;     // unit 7 no type, unit 8 type 0
        slave.memory[11441 + 1] = 0x0010; // unit 6: connection lost
        master->init();
        master->slotAddCommand(1, nextCommandId(), CMD_PING, QByteArray());
        master->doModbus();
        master->slotSetAddr(1);
        master->slotViewModeChanged(1);
        for (int tick = 0; tick < 12; ++tick)
            master->doModbus();
    }

private:
    ScriptedMaster m_line{1};

public:
    ModbusMaster *const master = m_line.master.get();
};

QStringList visibleItems(const QMenu &menu)
{
    QStringList items;
    for (QAction *item : menu.actions()) {
        if (item->isVisible())
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return items;
}

// What a cell asked for: "send <code> <info hex>", "params <addr>" or "config <addr> <type>".
class Requests : public QObject
{
public:
    explicit Requests(AuCell &cell)
    {
        connect(&cell, &AuCell::signalSendCmd, this, [this](int code, const QByteArray &info) {
            list.append(QStringLiteral("send %1 %2").arg(code).arg(QString::fromLatin1(info.toHex())));
        });
        connect(&cell, &AuCell::signalShowAuParams, this,
                [this](int addr) { list.append(QStringLiteral("params %1").arg(addr)); });
        connect(&cell, &AuCell::signalShowAuConfig, this, [this](int addr, HardTypes type) {
            list.append(QStringLiteral("config %1 %2").arg(addr).arg(int(type)));
        });
    }
    QStringList list;
};

// A unit of the general grid that answers.
std::unique_ptr<AuCell> unitCell(int addr, int type, int state = 0)
{
    auto cell = std::make_unique<AuCell>(addr, AuCell::GeneralCell, nullptr, nullptr);
    cell->setType(type);
    cell->setState(state);
    return cell;
}

} // namespace

class TestAuMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void itemsPerType_data();
    void itemsPerType();
    void identifiersGiveCodeAndParameter_data();
    void identifiersGiveCodeAndParameter();
    void choiceFromTheCell_data();
    void choiceFromTheCell();
    void menuOnlyForKnownStates_data();
    void menuOnlyForKnownStates();
    void relayMasks_data();
    void relayMasks();
    void readdressing_data();
    void readdressing();
    void borderReadWaitsForItsBlock_data();
    void borderReadWaitsForItsBlock();
    void borderWriteSendsTheValue_data();
    void borderWriteSendsTheValue();
};

void TestAuMenu::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAuMenu::itemsPerType_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("extra"); // beside the items every unit has
    const QString red = QStringLiteral("Красный светодиод");
    const QString yellow = QStringLiteral("Желтый светодиод");
    const QString charging = QStringLiteral("Заряд ионисторов");
    const QString laser = QStringLiteral("Лазер");
    const QString pyro = QStringLiteral("Тест пиросенсора");
    const QString lo = QStringLiteral("ЛО");
    const QString zirn = QStringLiteral("Реле Zirn");
    const QString readBorders = QStringLiteral("Чтение границ");
    const QString writeBorders = QStringLiteral("Запись границ");
    const QString ponaRelays = QStringLiteral("Реле Pona");
    const QString ponaVoltage = QStringLiteral("Напряжение Pona");
    QTest::addRow("smoke-detector") << 17 << 4 << QStringList{red, yellow};
    QTest::addRow("smoke-heat-detector") << 17 << 23 << QStringList{red, yellow, charging};
    QTest::addRow("heat-detector-with-ionistors") << 17 << 3 << QStringList{red, yellow, charging};
    QTest::addRow("relay-module-2") << 50 << 10 << QStringList{zirn};
    QTest::addRow("input-relay-module") << 50 << 13 << QStringList{zirn};
    QTest::addRow("flame-detector") << 1 << 5
                                    << QStringList{red, yellow, laser, pyro, readBorders, writeBorders};
    QTest::addRow("flame-detector-with-ionistors")
        << 1 << 6 << QStringList{red, yellow, charging, laser, pyro, readBorders, writeBorders};
    QTest::addRow("call-point-v") << 1 << 12 << QStringList{red};
    QTest::addRow("control-module-b") << 1 << 16 << QStringList{lo};
    QTest::addRow("power-module") << 1 << 18 << QStringList{red, yellow, charging, ponaRelays, ponaVoltage};
    QTest::addRow("valve-module") << 1 << 14 << QStringList();
    QTest::addRow("unknown-type") << 1 << 255
                                  << QStringList{red,         yellow,       charging,   lo,         zirn,
                                                 readBorders, writeBorders, ponaRelays, ponaVoltage};
    QTest::addRow("address-251") << 251 << 4 << QStringList();
}

void TestAuMenu::itemsPerType()
{
    QFETCH(int, addr);
    QFETCH(int, type);
    QFETCH(QStringList, extra);
    const QStringList order{QStringLiteral("Свойства ..."),
                            QStringLiteral("Конфигурирование ..."),
                            QStringLiteral("-"),
                            QStringLiteral("Красный светодиод"),
                            QStringLiteral("Желтый светодиод"),
                            QStringLiteral("Задать адрес ..."),
                            QStringLiteral("Заряд ионисторов"),
                            QStringLiteral("НЭ"),
                            QStringLiteral("Лазер"),
                            QStringLiteral("Тест пиросенсора"),
                            QStringLiteral("Режим 'ТЕСТ'"),
                            QStringLiteral("Левый изолятор"),
                            QStringLiteral("Правый изолятор"),
                            QStringLiteral("ЛО"),
                            QStringLiteral("Реле Zirn"),
                            QStringLiteral("Блокировка"),
                            QStringLiteral("Чтение границ"),
                            QStringLiteral("Запись границ"),
                            QStringLiteral("Реле Pona"),
                            QStringLiteral("Напряжение Pona")};
    QStringList shown = extra;
    if (addr == 251)
        shown = QStringList{QStringLiteral("Задать адрес ...")};
    else
        shown << order.mid(0, 3) << QStringLiteral("Задать адрес ...") << order.mid(10, 3)
              << QStringLiteral("Блокировка");
    QStringList expected;
    for (const QString &item : order) {
        if (shown.contains(item))
            expected.append(item);
    }
    AuMenu menu;
    menu.prepare(17, 255); // whatever was shown for another unit must not stay
    menu.prepare(addr, type);
    QCOMPARE(visibleItems(menu), expected);
}

void TestAuMenu::identifiersGiveCodeAndParameter_data()
{
    QTest::addColumn<int>("identifier");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("param");
    const QList<QPair<int, int>> table{
        {1000, 0}, {1503, 0}, {1068, 0}, {1069, 0}, {1070, 0}, {1071, 0}, {1502, 0}, {1064, 0},
        {1065, 0}, {1066, 0}, {1067, 0}, {1078, 0}, {1079, 0}, {1063, 0}, {1072, 0}, {1073, 0},
        {1074, 0}, {1075, 0}, {1076, 0}, {1077, 0}, {1301, 1}, {1301, 2}, {1301, 3}, {1301, 4},
        {1500, 0}, {1501, 0}, {1300, 0}, {1300, 1}, {1504, 0}, {1505, 0}, {1506, 0}, {1507, 0},
        {1508, 0}, {1509, 0}, {1106, 0}, {1107, 0}, {1108, 0}, {1016, 0}, {1017, 0}, {1018, 0}};
    for (int identifier = 1; identifier <= AuMenu::IdentifierCount; ++identifier) {
        const QPair<int, int> expected = table.at(identifier - 1);
        QTest::addRow("identifier-%d", identifier) << identifier << expected.first << expected.second;
    }
}

void TestAuMenu::identifiersGiveCodeAndParameter()
{
    QFETCH(int, identifier);
    QFETCH(int, code);
    QFETCH(int, param);
    AuMenu menu;
    menu.action(28)->trigger(); // leaves a parameter byte behind that the next choice must clear
    menu.action(identifier)->trigger();
    QCOMPARE(menu.code(), code);
    QCOMPARE(int(menu.param1()), param);
    QCOMPARE(int(menu.param2()), 0);
}

void TestAuMenu::choiceFromTheCell_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("blocking-off") << 12 << 4
                                  << QStringList{QStringLiteral("Блокировка"), QStringLiteral("ВЫКЛ.")}
                                  << QStringList{QStringLiteral("send 1300 0c0100")};
    QTest::addRow("lo-reverse") << 6 << 15 << QStringList{QStringLiteral("ЛО"), QStringLiteral("Обратное")}
                                << QStringList{QStringLiteral("send 1301 060300")};
    QTest::addRow("red-led-on") << 12 << 4
                                << QStringList{QStringLiteral("Красный светодиод"), QStringLiteral("ВКЛ.")}
                                << QStringList{QStringLiteral("send 1068 0c0000")};
    QTest::addRow("power-module-relay-k2")
        << 20 << 18 << QStringList{QStringLiteral("Реле Pona"), QStringLiteral("ВКЛ. реле К2")}
        << QStringList{QStringLiteral("send 1108 140000")};
    QTest::addRow("right-isolator-open")
        << 200 << 1 << QStringList{QStringLiteral("Правый изолятор"), QStringLiteral("Разомкнуть")}
        << QStringList{QStringLiteral("send 1077 c80000")};
    QTest::addRow("properties") << 12 << 4 << QStringList{QStringLiteral("Свойства ...")}
                                << QStringList{QStringLiteral("params 12")};
    QTest::addRow("configuration") << 21 << 2 << QStringList{QStringLiteral("Конфигурирование ...")}
                                   << QStringList{QStringLiteral("config 21 2")};
    QTest::addRow("closed-without-choice") << 12 << 4 << QStringList() << QStringList();
}

void TestAuMenu::choiceFromTheCell()
{
    QFETCH(int, addr);
    QFETCH(int, type);
    QFETCH(QStringList, path);
    QFETCH(QStringList, expected);
    auto cell = unitCell(addr, type);
    Requests requests(*cell);
    MenuPicker picker(path);
    QTest::mouseClick(cell.get(), Qt::RightButton);
    QVERIFY(picker.opened);
    QVERIFY(!picker.missing);
    QCOMPARE(requests.list, expected);
    QCOMPARE(int(cell->menu()->address()), addr);
}

void TestAuMenu::menuOnlyForKnownStates_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("opens");
    const int general = AuCell::GeneralCell;
    const int ionistor = AuCell::IonistorCell;
    const int smoke = AuCell::SmokeCell;
    QTest::addRow("general-normal") << general << 12 << 4 << 0 << true;
    QTest::addRow("general-not-configured") << general << 12 << 4 << 8 << false;
    QTest::addRow("general-no-state") << general << 12 << 4 << 255 << false;
    QTest::addRow("general-251-double") << general << 251 << 4 << 9 << false;
    QTest::addRow("general-251-there") << general << 251 << 4 << 0 << true;
    QTest::addRow("general-double-on-the-loop") << general << 12 << 4 << 9 << true;
    QTest::addRow("ionistor-normal") << ionistor << 32 << 3 << 0 << true;
    QTest::addRow("ionistor-undefined") << ionistor << 32 << 3 << 4 << false;
    QTest::addRow("ionistor-no-state") << ionistor << 32 << 3 << 255 << false;
    QTest::addRow("smoke-of-a-smoke-detector") << smoke << 17 << 4 << 0 << true;
    QTest::addRow("smoke-not-configured") << smoke << 17 << 4 << 8 << false;
    QTest::addRow("smoke-of-a-heat-detector") << smoke << 21 << 2 << 0 << false;
}

void TestAuMenu::menuOnlyForKnownStates()
{
    QFETCH(int, kind);
    QFETCH(int, addr);
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(bool, opens);
    AuCell cell(addr, AuCell::CellKind(kind), nullptr, nullptr);
    cell.setType(type);
    cell.setState(state);
    MenuPicker picker({});
    QTest::mouseClick(&cell, Qt::RightButton);
    QTest::qWait(30);
    QCOMPARE(picker.opened, opens);
    // The left button never opens it.
    MenuPicker leftPicker({});
    QTest::mouseClick(&cell, Qt::LeftButton);
    QTest::qWait(30);
    QVERIFY(!leftPicker.opened);
}

void TestAuMenu::relayMasks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("outputs"); // outputs 1..4, then the two of the input/relay bank
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("execute");
    QTest::addColumn<QString>("dialog"); // title, boxes checked and enabled, execute enabled
    QTest::addColumn<QStringList>("expected");
    const QString on = QStringLiteral("ВКЛ. ...");
    const QString off = QStringLiteral("ВЫКЛ. ...");
    QTest::addRow("relays-1-and-3-on") << 11 << QList<int>{0, 0, 0, 0, 4, 4} << on << QList<int>{1, 3} << true
                                       << QStringLiteral("Включение реле checked=0000 enabled=1111 ok=0")
                                       << QStringList{QStringLiteral("send 1085 320000")};
    QTest::addRow("relay-2-off") << 11 << QList<int>{0, 1, 0, 0, 4, 4} << off << QList<int>{} << true
                                 << QStringLiteral("Выключение реле checked=0100 enabled=1111 ok=1")
                                 << QStringList{QStringLiteral("send 1114 320000")};
    QTest::addRow("input-relay-module-relays-from-its-bank")
        << 13 << QList<int>{4, 4, 4, 4, 1, 0} << off << QList<int>{} << true
        << QStringLiteral("Выключение реле checked=1000 enabled=1100 ok=1")
        << QStringList{QStringLiteral("send 1113 320000")};
    QTest::addRow("relay-module-2-has-no-relays-3-and-4")
        << 10 << QList<int>{0, 1, 1, 1, 4, 4} << on << QList<int>{1} << true
        << QStringLiteral("Включение реле checked=0100 enabled=1100 ok=1")
        << QStringList{QStringLiteral("send 1083 320000")};
    QTest::addRow("cancelled") << 11 << QList<int>{0, 0, 0, 0, 4, 4} << on << QList<int>{2} << false
                               << QStringLiteral("Включение реле checked=0000 enabled=1111 ok=0")
                               << QStringList();
    QTest::addRow("none-checked-cannot-execute")
        << 11 << QList<int>{0, 1, 0, 0, 4, 4} << off << QList<int>{2} << true
        << QStringLiteral("Выключение реле checked=0100 enabled=1111 ok=1") << QStringList();
}

void TestAuMenu::relayMasks()
{
    QFETCH(int, type);
    QFETCH(QList<int>, outputs);
    QFETCH(QString, entry);
    QFETCH(QList<int>, clicks);
    QFETCH(bool, execute);
    QFETCH(QString, dialog);
    QFETCH(QStringList, expected);
    auto cell = unitCell(50, type);
    for (int i = 0; i < 4; ++i)
        cell->setOutput(AuCell::IoNumber(i + 1), quint8(outputs.at(i)), false);
    for (int i = 0; i < 2; ++i)
        cell->setOutput(AuCell::IoNumber(i + 1), quint8(outputs.at(4 + i)), true);
    Requests requests(*cell);
    QString seen;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *relays = qobject_cast<AuReleDialog *>(modal);
        if (!relays)
            return;
        QString checked, enabled;
        for (int relay = 1; relay <= AuReleDialog::RelayCount; ++relay) {
            checked += relays->relayBox(relay)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
            enabled += relays->relayBox(relay)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        seen = QStringLiteral("%1 checked=%2 enabled=%3 ok=%4")
                   .arg(relays->windowTitle(), checked, enabled)
                   .arg(relays->okButton()->isEnabled() ? 1 : 0);
        for (int relay : clicks)
            relays->relayBox(relay)->click();
        if (execute && relays->okButton()->isEnabled())
            relays->okButton()->click();
        else
            relays->cancelButton()->click();
    });
    MenuPicker picker({QStringLiteral("Реле Zirn"), entry});
    QTest::mouseClick(cell.get(), Qt::RightButton);
    QCOMPARE(seen, dialog);
    QCOMPARE(requests.list, expected);
}

void TestAuMenu::readdressing_data()
{
    QTest::addColumn<bool>("worker");
    QTest::addColumn<int>("newAddr");
    QTest::addColumn<int>("answer"); // to the question, if one comes
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");
    const QString question =
        QStringLiteral("Информация|Выбранный адрес уже есть и он на связи!\nПродолжить?");
    QTest::addRow("same-address") << true << 12 << int(QMessageBox::Ok)
                                  << QStringLiteral("Информация|Вы пытаетесь задать тот же адрес!")
                                  << QStringList();
    QTest::addRow("to-251-without-asking") << true << 251 << int(QMessageBox::No) << QString()
                                           << QStringList{QStringLiteral("send 1128 0cfb00")};
    QTest::addRow("occupied-online-confirmed")
        << true << 5 << int(QMessageBox::Yes) << question << QStringList{QStringLiteral("send 1128 0c0500")};
    QTest::addRow("occupied-online-declined")
        << true << 5 << int(QMessageBox::No) << question << QStringList();
    QTest::addRow("free-address") << true << 7 << int(QMessageBox::No) << QString()
                                  << QStringList{QStringLiteral("send 1128 0c0700")};
    QTest::addRow("address-reported-with-type-0")
        << true << 8 << int(QMessageBox::No) << QString() << QStringList{QStringLiteral("send 1128 0c0800")};
    QTest::addRow("address-of-a-lost-unit")
        << true << 6 << int(QMessageBox::No) << QString() << QStringList{QStringLiteral("send 1128 0c0600")};
    QTest::addRow("without-a-worker") << false << 7 << int(QMessageBox::No) << QString() << QStringList();
}

// The cell asks the worker through the questions its owner hands it, as the main window sets them up.
void TestAuMenu::readdressing()
{
    QFETCH(bool, worker);
    QFETCH(int, newAddr);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    std::unique_ptr<Worker> line;
    AuMenuContext context;
    if (worker) {
        line = std::make_unique<Worker>();
        const ModbusMaster *master = line->master;
        context.isUnitTyped = [master](int addr) { return master->isUnitTyped(addr); };
        context.isUnitReachable = [master](int addr) { return master->isUnitReachable(addr); };
    }
    auto cell = unitCell(12, 4);
    cell->setMenuContext(&context);
    Requests requests(*cell);
    QString input;
    QString seen;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (auto *dialog = qobject_cast<QInputDialog *>(modal)) {
            input = QStringLiteral("%1|%2|%3|%4..%5")
                        .arg(dialog->windowTitle(), dialog->labelText())
                        .arg(dialog->intValue())
                        .arg(dialog->intMinimum())
                        .arg(dialog->intMaximum());
            dialog->setIntValue(newAddr);
            dialog->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(box->standardButtons() & QMessageBox::StandardButton(answer)
                            ? QMessageBox::StandardButton(answer)
                            : QMessageBox::Ok)
                ->click();
        }
    });
    MenuPicker picker({QStringLiteral("Задать адрес ...")});
    QTest::mouseClick(cell.get(), Qt::RightButton);
    QCOMPARE(input, QStringLiteral("Ввод адреса|Новый адрес:|12|1..251"));
    QCOMPARE(seen, message);
    QCOMPARE(requests.list, expected);
}

void TestAuMenu::borderReadWaitsForItsBlock_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("readCode"); // of the block that arrives
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<QString>("shown");
    const QString waiting = QStringLiteral("Подождите|Ожидаем значение ...");
    QTest::addRow("odd-unit-in-its-own-byte") << 5 << 59 << 250 << QStringLiteral("Значение|105");
    QTest::addRow("even-unit-two-bytes-before") << 4 << 59 << 250 << QStringLiteral("Значение|102");
    QTest::addRow("unit-2-first-byte") << 2 << 59 << 250 << QStringLiteral("Значение|100");
    QTest::addRow("past-the-end") << 250 << 59 << 100 << QStringLiteral("Значение|Ошибка!");
    QTest::addRow("failed-read") << 5 << 59 << 0 << QStringLiteral("Значение|Ошибка!");
    QTest::addRow("another-border-ignored") << 5 << 58 << 250 << waiting;
    QTest::addRow("third-border-ignored") << 5 << 60 << 250 << waiting;
}

void TestAuMenu::borderReadWaitsForItsBlock()
{
    QFETCH(int, addr);
    QFETCH(int, readCode);
    QFETCH(int, blockSize);
    QFETCH(QString, shown);
    auto cell = unitCell(addr, FlameDetector);
    Requests requests(*cell);
    MenuPicker picker({QStringLiteral("Чтение границ"), QStringLiteral("Средняя W2 ...")});
    QTest::mouseClick(cell.get(), Qt::RightButton);
    AuValueDialog *dialog = AuValueDialog::instance();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle() + QLatin1Char('|') + dialog->text(),
             QStringLiteral("Подождите|Ожидаем значение ..."));
    QCOMPARE(requests.list, QStringList{QStringLiteral("send 1020 %1").arg(addr, 2, 16, QLatin1Char('0')) +
                                        QStringLiteral("0000")});
    QByteArray block(blockSize, '\0');
    for (int i = 0; i < blockSize; ++i)
        block[i] = char(100 + i);
    dialog->slotIppBorderRead(readCode, block);
    QCOMPARE(dialog->windowTitle() + QLatin1Char('|') + dialog->text(), shown);
    dialog->close();
}

void TestAuMenu::borderWriteSendsTheValue_data()
{
    QTest::addColumn<bool>("known"); // the properties table has heard the unit's border
    QTest::addColumn<QString>("expectedInput");
    QTest::addRow("unit-the-table-knows")
        << true << QStringLiteral("Введите значение|Граница W3:|123|0..255");
    QTest::addRow("unit-unknown-to-the-table")
        << false << QStringLiteral("Введите значение|Граница W3:|0|0..255");
}

void TestAuMenu::borderWriteSendsTheValue()
{
    QFETCH(bool, known);
    QFETCH(QString, expectedInput);
    QTableWidget reportTable;
    QTableWidget protocolTable;
    AuInfoWidget tabs(&reportTable, &protocolTable);
    if (known) {
        tabs.propertiesWidget()->model()->slotSetIPP_W(5, AuCellTypes::W2, 99);
        tabs.propertiesWidget()->model()->slotSetIPP_W(5, AuCellTypes::W3, 123);
    }
    // A cell of the tabs' own grid: the tabs hand their table to the menu.
    tabs.slotSetGeneralType(5, FlameDetector);
    tabs.slotSetGeneralState(5, 0);
    AuCell *cell = tabs.generalGrid()->cell(5);
    Requests requests(*cell);
    QString input;
    ModalAnswerer answerer([&input](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog)
            return;
        input = QStringLiteral("%1|%2|%3|%4..%5")
                    .arg(dialog->windowTitle(), dialog->labelText())
                    .arg(dialog->intValue())
                    .arg(dialog->intMinimum())
                    .arg(dialog->intMaximum());
        dialog->setIntValue(77);
        dialog->accept();
    });
    MenuPicker picker({QStringLiteral("Запись границ"), QStringLiteral("Верхняя W3 ...")});
    QTest::mouseClick(cell, Qt::RightButton);
    QCOMPARE(input, expectedInput);
    QCOMPARE(requests.list, QStringList{QStringLiteral("send 1142 054d00")});
}

QTEST_MAIN(TestAuMenu)
#include "tst_aumenu.moc"
