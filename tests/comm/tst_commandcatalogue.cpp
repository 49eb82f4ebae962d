#include "commandcatalogue.h"
#include "commandcodes.h"
#include "fakeslave.h"
#include "registermap.h"
#include "scriptedport.h"

#include <QtTest>

using namespace ModbusProtocol;
using Writes = QList<QPair<quint16, QVector<quint16>>>;
using Memory = QMap<int, int>; // register -> value
Q_DECLARE_METATYPE(Memory)

namespace {

// Types block data with the given unit -> type entries; every other unit is 0xFF (no unit).
QByteArray typesData(const QMap<int, int> &types)
{
    QByteArray data(250, '\xff');
    for (auto it = types.cbegin(); it != types.cend(); ++it) {
        const int index = (it.key() % 2 == 1) ? it.key() : it.key() - 2;
        data[index] = char(it.value());
    }
    return data;
}

} // namespace

class TestCommandCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readItems_data();
    void readItems();
    void unknownCodesSendNothing_data();
    void unknownCodesSendNothing();
    void executiveCommands_data();
    void executiveCommands();
    void configurationCommands_data();
    void configurationCommands();
    void defaultsNeedTypes_data();
    void defaultsNeedTypes();
    void failedReadWritesNothing_data();
    void failedReadWritesNothing();
    void hooksFollowTheSteps();

private:
    CommandCatalogue::Outcome run(int code, const QByteArray &info, quint16 version = 0,
                                  const QByteArray &types = QByteArray());

    std::unique_ptr<ModbusLink> m_link;
    ScriptedPort *m_port = nullptr;
    FakeSlave m_slave{3};
    QStringList m_hooks;
};

void TestCommandCatalogue::init()
{
    m_slave = FakeSlave(3);
    m_hooks.clear();
    m_link = std::make_unique<ModbusLink>([this](const QString &) {
        auto port = std::make_unique<ScriptedPort>();
        m_port = port.get();
        return port;
    });
    m_link->setPortName(QStringLiteral("scripted"));
    m_link->openPort();
    m_link->setClock([this] { return m_port->now; });
    m_port->responder = m_slave.responder();
}

CommandCatalogue::Outcome TestCommandCatalogue::run(int code, const QByteArray &info, quint16 version,
                                                    const QByteArray &types)
{
    CommandCatalogue::Hooks hooks;
    hooks.portTx = [this] { m_hooks.append(QStringLiteral("tx")); };
    hooks.portRx = [this](int result, const QByteArray &answer) {
        m_hooks.append(QStringLiteral("rx%1:%2").arg(result).arg(answer.size()));
    };
    return CommandCatalogue::execute(*m_link, 3, code, info, version, types, hooks);
}

void TestCommandCatalogue::readItems_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addRow("ping") << 0 << 0 << 976 << 1;
    QTest::addRow("registers-version-14") << 1 << 14 << 976 << 26;
    QTest::addRow("registers-version-15") << 1 << 15 << 976 << 28;
    QTest::addRow("registers-version-unknown") << 1 << 0 << 976 << 26;
    QTest::addRow("registers-version-high-bit") << 1 << 0x8000 << 976 << 28;
    QTest::addRow("default-constants-version-14") << 2 << 14 << 1002 << 32;
    QTest::addRow("default-constants-version-15") << 2 << 15 << 2002 << 32;
    QTest::addRow("current-constants-version-14") << 3 << 14 << 1102 << 32;
    QTest::addRow("current-constants-version-15") << 3 << 15 << 2102 << 32;
    QTest::addRow("types") << 4 << 15 << 10000 << 125;
    QTest::addRow("type-251") << 5 << 15 << 10125 << 1;
    QTest::addRow("general-state-64") << 18 << 15 << 11441 << 64;
    QTest::addRow("power-part-2") << 34 << 15 << 12887 << 125;
    QTest::addRow("ipt-channel-type") << 43 << 15 << 14076 << 16;
    QTest::addRow("border-w3") << 60 << 15 << 16094 << 125;
    QTest::addRow("cfg-unblocked") << 101 << 15 << 5125 << 16;
    QTest::addRow("cfg-lo-mode") << 104 << 15 << 5650 << 63;
    QTest::addRow("constants-set") << 107 << 15 << 6002 << 32;
}

void TestCommandCatalogue::readItems()
{
    QFETCH(int, code);
    QFETCH(int, version);
    QFETCH(int, start);
    QFETCH(int, count);
    m_slave.memory[start] = 0x1234;
    const CommandCatalogue::Outcome outcome = run(code, QByteArray("ignored"), quint16(version));
    QCOMPARE(outcome.result, int(ResultOk));
    QCOMPARE(m_port->requests.size(), 1);
    QCOMPARE(m_port->requests.first(), readHoldingRegisters(3, quint16(start), quint16(count)));
    QCOMPARE(outcome.answer.size(), count * 2 + 5);
    QCOMPARE(answerData(outcome.answer).left(2), QByteArray::fromHex("1234"));
    QVERIFY(m_hooks.isEmpty());
}

void TestCommandCatalogue::unknownCodesSendNothing_data()
{
    QTest::addColumn<int>("code");
    for (int code : {-1, 61, 99, 108, 1000, 1321, 1500, 1509, 5000})
        QTest::addRow("code-%d", code) << code;
}

void TestCommandCatalogue::unknownCodesSendNothing()
{
    QFETCH(int, code);
    QCOMPARE(run(code, QByteArray(3, '\0')).result, int(ResultUnknownCommand));
    QVERIFY(m_port->requests.isEmpty());
}

void TestCommandCatalogue::executiveCommands_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("register5222");
    QTest::addColumn<int>("register5223");
    QTest::addRow("red-led-unit-12") << int(CMD_AU_RED_LED_ON) << QByteArray::fromHex("0c0000")
                                     << int(ResultOk) << 0x0C44 << 0x0000;
    QTest::addRow("controller-reset")
        << int(CMD_RYN_RESET) << QByteArray::fromHex("000000") << int(ResultOk) << 0x0001 << 0x0000;
    QTest::addRow("set-address-parameters")
        << int(CMD_AU_SET_ADDRESS) << QByteArray::fromHex("0511aa") << int(ResultOk) << 0x0580 << 0x11AA;
    QTest::addRow("zirn-relay-on-mask-5") << int(CMD_AU_ZIRN_RELAY_ON) + 5 << QByteArray::fromHex("070000")
                                          << int(ResultOk) << 0x0755 << 0x0000;
    QTest::addRow("command-byte-wraps-at-1256")
        << 1256 << QByteArray::fromHex("000000") << int(ResultOk) << 0x0000 << 0x0000;
    QTest::addRow("command-byte-of-1299")
        << 1299 << QByteArray::fromHex("010203") << int(ResultOk) << 0x012B << 0x0203;
    QTest::addRow("info-too-short-no-answer")
        << int(CMD_RYN_RESET) << QByteArray::fromHex("0000") << int(ResultNoAnswer) << -1 << -1;
    QTest::addRow("info-too-long-no-answer")
        << int(CMD_RYN_RESET) << QByteArray::fromHex("00000000") << int(ResultNoAnswer) << -1 << -1;
}

void TestCommandCatalogue::executiveCommands()
{
    QFETCH(int, code);
    QFETCH(QByteArray, info);
    QFETCH(int, result);
    QFETCH(int, register5222);
    QFETCH(int, register5223);
    const CommandCatalogue::Outcome outcome = run(code, info);
    QCOMPARE(outcome.result, result);
    if (register5222 < 0) {
        QVERIFY(m_port->requests.isEmpty());
        return;
    }
    QCOMPARE(m_slave.writes.size(), 1);
    QCOMPARE(int(m_slave.writes.first().first), 5222);
    QCOMPARE(m_slave.writes.first().second, (QVector<quint16>{quint16(register5222), quint16(register5223)}));
    QCOMPARE(outcome.answer.size(), 8);
}

void TestCommandCatalogue::configurationCommands_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QByteArray>("types");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("writeStart");
    QTest::addColumn<int>("writeCount");
    QTest::addColumn<Memory>("expected"); // registers after the command
    QTest::addColumn<int>("fill");        // every register before the command
    const QByteArray none;
    QTest::addRow("unblock-bit-unit-17-cleared")
        << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("1100") << none << int(ResultOk) << 5125 << 16
        << Memory{{5125, 0xFFFF}, {5126, 0xFFFE}, {5127, 0xFFFF}} << 0xFFFF;
    QTest::addRow("unblock-bit-unit-250-cleared")
        << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("fa00") << none << int(ResultOk) << 5125 << 16
        << Memory{{5140, 0xFDFF}} << 0xFFFF;
    QTest::addRow("unblock-bit-unit-0-refused")
        << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("0001") << none << int(ResultUnknownCommand)
        << -1 << 0 << Memory{} << 0xFFFF;
    QTest::addRow("unblock-bit-unit-251-refused")
        << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("fb01") << none << int(ResultUnknownCommand)
        << -1 << 0 << Memory{} << 0xFFFF;
    QTest::addRow("unblock-bit-without-value-refused")
        << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("05") << none << int(ResultUnknownCommand)
        << -1 << 0 << Memory{} << 0xFFFF;
    // Four units share an LO mode register; the neighbours' modes are read and written back as they were.
    QTest::addRow("lo-mode-unit-6-neighbours-zero")
        << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("0603") << none << int(ResultOk) << 5651 << 1
        << Memory{{5651, 0x0030}, {5650, 0x0000}} << 0;
    QTest::addRow("lo-mode-unit-1-lowest-nibble")
        << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("0102") << none << int(ResultOk) << 5650 << 1
        << Memory{{5650, 0x1232}, {5651, 0x1234}} << 0x1234;
    QTest::addRow("lo-mode-unit-3-high-byte")
        << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("0304") << none << int(ResultOk) << 5650 << 1
        << Memory{{5650, 0x1434}} << 0x1234;
    QTest::addRow("lo-mode-unit-248-highest-nibble")
        << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("f804") << none << int(ResultOk) << 5711 << 1
        << Memory{{5711, 0x4234}, {5710, 0x1234}, {5712, 0x1234}} << 0x1234;
    QTest::addRow("lo-mode-unit-250") << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("fa01") << none
                                      << int(ResultOk) << 5712 << 1 << Memory{{5712, 0x1214}} << 0x1234;
    QTest::addRow("lo-mode-unit-251-refused") << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("fb01") << none
                                              << int(ResultUnknownCommand) << -1 << 0 << Memory{} << 0x1234;
    QTest::addRow("constant-1") << int(CMD_WRITE_RYN_CONSTANT) << QByteArray::fromHex("010005") << none
                                << int(ResultOk) << 6002 << 1 << Memory{{6002, 0x0005}} << 0xFFFF;
    QTest::addRow("constant-32") << int(CMD_WRITE_RYN_CONSTANT) << QByteArray::fromHex("20abcd") << none
                                 << int(ResultOk) << 6033 << 1 << Memory{{6033, 0xABCD}} << 0xFFFF;
    QTest::addRow("constant-0-refused") << int(CMD_WRITE_RYN_CONSTANT) << QByteArray::fromHex("000005")
                                        << none << int(ResultUnknownCommand) << -1 << 0 << Memory{} << 0xFFFF;
    QTest::addRow("constant-past-the-last-refused")
        << int(CMD_WRITE_RYN_CONSTANT) << QByteArray::fromHex("2000010002") << none
        << int(ResultUnknownCommand) << -1 << 0 << Memory{} << 0xFFFF;
    QTest::addRow("constant-without-data-refused")
        << int(CMD_WRITE_RYN_CONSTANT) << QByteArray::fromHex("01") << none << int(ResultUnknownCommand) << -1
        << 0 << Memory{} << 0xFFFF;
    QTest::addRow("clear-unblocked") << int(CMD_CLEAR_CFG_UNBLOCKED) << none << none << int(ResultOk) << 5125
                                     << 16 << Memory{} << 0xFFFF;
    QTest::addRow("clear-types") << int(CMD_CLEAR_CFG_TYPES) << none << none << int(ResultOk) << 5237 << 125
                                 << Memory{} << 0xFFFF;
    QTest::addRow("clear-thresholds") << int(CMD_CLEAR_CFG_THRESHOLD_T) << none << none << int(ResultOk)
                                      << 5000 << 125 << Memory{} << 0xFFFF;
    QTest::addRow("clear-heat-bits") << int(CMD_CLEAR_CFG_HEAT_BITS) << none << none << int(ResultOk) << 5776
                                     << 16 << Memory{} << 0xFFFF;
    QTest::addRow("clear-output-init") << int(CMD_CLEAR_CFG_OUTPUT_INIT) << none << none << int(ResultOk)
                                       << 5713 << 63 << Memory{} << 0xFFFF;
    QTest::addRow("clear-power-lo-init") << int(CMD_CLEAR_CFG_POWER_LO_INIT) << none << none << int(ResultOk)
                                         << 5586 << 63 << Memory{} << 0xFFFF;
    QTest::addRow("default-unblocked-needs-no-types") << int(CMD_DEFAULT_CFG_UNBLOCKED) << none << none
                                                      << int(ResultOk) << 5125 << 16 << Memory{} << 0xFFFF;
    const QByteArray types = typesData(
        {{1, 2}, {2, 4}, {3, 23}, {4, 3}, {6, 11}, {9, 10}, {10, 13}, {17, 2}, {19, 15}, {250, 24}});
    QTest::addRow("default-types") << int(CMD_DEFAULT_CFG_TYPES) << none << types << int(ResultOk) << 5237
                                   << 125 << Memory{{5237, 0x0402}, {5238, 0x0317}} << 0xFFFF;
    QTest::addRow("default-thresholds")
        << int(CMD_DEFAULT_CFG_THRESHOLD_T) << none << types << int(ResultOk) << 5000 << 125
        << Memory{{5000, 0xFF39}, {5001, 0x3939}, {5124, 0x39FF}, {5002, 0xFFFF}} << 0xFFFF;
    QTest::addRow("default-heat-bits")
        << int(CMD_DEFAULT_CFG_HEAT_BITS) << none << typesData({{1, 2}, {4, 3}, {17, 2}}) << int(ResultOk)
        << 5776 << 16 << Memory{{5776, 0x0009}, {5777, 0x0001}, {5778, 0x0000}} << 0;
    QTest::addRow("default-output-init")
        << int(CMD_DEFAULT_CFG_OUTPUT_INIT) << none << types << int(ResultOk) << 5713 << 63
        << Memory{{5713, 0x0000}, {5714, 0x00F0}, {5715, 0x0033}} << 0;
    QTest::addRow("default-power-lo-init")
        << int(CMD_DEFAULT_CFG_POWER_LO_INIT) << none << types << int(ResultOk) << 5586 << 63
        << Memory{{5590, 0xF0FF}, {5586, 0xFFFF}} << 0xFFFF;
    QTest::addRow("write-thresholds-at-offset")
        << int(CMD_WRITE_CFG_THRESHOLD_T) << QByteArray::fromHex("02393a") << none << int(ResultOk) << 5002
        << 1 << Memory{{5002, 0x393A}, {5001, 0xFFFF}} << 0xFFFF;
    QTest::addRow("write-types-whole-block")
        << int(CMD_WRITE_CFG_TYPES) << QByteArray(1, '\0') + QByteArray(250, '\x04') << none << int(ResultOk)
        << 5237 << 125 << Memory{{5361, 0x0404}} << 0xFFFF;
    QTest::addRow("write-unblocked-last-register")
        << int(CMD_WRITE_CFG_UNBLOCKED) << QByteArray::fromHex("0f0000") << none << int(ResultOk) << 5140 << 1
        << Memory{{5140, 0x0000}} << 0xFFFF;
    QTest::addRow("write-past-block-refused")
        << int(CMD_WRITE_CFG_UNBLOCKED) << QByteArray::fromHex("0f00000000") << none
        << int(ResultUnknownCommand) << -1 << 0 << Memory{} << 0xFFFF;
    QTest::addRow("write-heat-bits") << int(CMD_WRITE_CFG_HEAT_BITS) << QByteArray::fromHex("000001") << none
                                     << int(ResultOk) << 5776 << 1 << Memory{{5776, 0x0001}} << 0xFFFF;
    QTest::addRow("write-output-init")
        << int(CMD_WRITE_CFG_OUTPUT_INIT) << QByteArray::fromHex("3e1234") << none << int(ResultOk) << 5775
        << 1 << Memory{{5775, 0x1234}} << 0xFFFF;
    QTest::addRow("write-power-lo-init")
        << int(CMD_WRITE_CFG_POWER_LO_INIT) << QByteArray::fromHex("010000") << none << int(ResultOk) << 5587
        << 1 << Memory{{5587, 0x0000}} << 0xFFFF;
    QTest::addRow("write-without-data-refused")
        << int(CMD_WRITE_CFG_TYPES) << QByteArray::fromHex("00") << none << int(ResultUnknownCommand) << -1
        << 0 << Memory{} << 0xFFFF;
}

void TestCommandCatalogue::configurationCommands()
{
    QFETCH(int, code);
    QFETCH(QByteArray, info);
    QFETCH(QByteArray, types);
    QFETCH(int, result);
    QFETCH(int, writeStart);
    QFETCH(int, writeCount);
    QFETCH(Memory, expected);
    QFETCH(int, fill);
    m_slave.memory.fill(quint16(fill));
    const CommandCatalogue::Outcome outcome = run(code, info, 15, types);
    QCOMPARE(outcome.result, result);
    if (writeStart < 0) {
        QVERIFY(m_port->requests.isEmpty());
        return;
    }
    QCOMPARE(m_slave.writes.size(), 1);
    QCOMPARE(int(m_slave.writes.first().first), writeStart);
    QCOMPARE(m_slave.writes.first().second.size(), writeCount);
    QCOMPARE(outcome.answer.size(), 8);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(QString::number(m_slave.memory.at(it.key()), 16), QString::number(it.value(), 16));
}

void TestCommandCatalogue::defaultsNeedTypes_data()
{
    QTest::addColumn<int>("code");
    for (int code = CMD_DEFAULT_CFG_TYPES; code <= CMD_DEFAULT_CFG_POWER_LO_INIT; ++code)
        QTest::addRow("code-%d", code) << code;
}

void TestCommandCatalogue::defaultsNeedTypes()
{
    QFETCH(int, code);
    QCOMPARE(run(code, QByteArray()).result, int(ResultNoTypes));
    QVERIFY(m_port->requests.isEmpty());
}

void TestCommandCatalogue::failedReadWritesNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<int>("readStart");
    QTest::addColumn<int>("readCount");
    QTest::addRow("unblocked-bit") << int(CMD_WRITE_UNBLOCKED_BIT) << QByteArray::fromHex("0101") << 5125
                                   << 16;
    QTest::addRow("lo-mode") << int(CMD_WRITE_LO_MODE) << QByteArray::fromHex("0603") << 5651 << 1;
}

void TestCommandCatalogue::failedReadWritesNothing()
{
    QFETCH(int, code);
    QFETCH(QByteArray, info);
    QFETCH(int, readStart);
    QFETCH(int, readCount);
    m_slave.silent = true;
    const CommandCatalogue::Outcome outcome = run(code, info);
    QCOMPARE(outcome.result, int(ResultNoAnswer));
    QCOMPARE(m_port->requests.size(), 1);
    QCOMPARE(m_port->requests.first().toHex(),
             readHoldingRegisters(3, quint16(readStart), quint16(readCount)).toHex());
    QVERIFY(m_hooks.isEmpty());
}

void TestCommandCatalogue::hooksFollowTheSteps()
{
    run(CMD_DEFAULT_CFG_HEAT_BITS, QByteArray(), 15, typesData({{2, 2}}));
    QCOMPARE(m_hooks, (QStringList{QStringLiteral("rx0:0"), QStringLiteral("tx")}));
    m_hooks.clear();
    run(CMD_CLEAR_CFG_TYPES, QByteArray());
    QCOMPARE(m_hooks, QStringList{QStringLiteral("tx")});
    m_hooks.clear();
    run(CMD_WRITE_LO_MODE, QByteArray::fromHex("0603"));
    QCOMPARE(m_hooks, (QStringList{QStringLiteral("rx0:0"), QStringLiteral("tx")}));
}

QTEST_GUILESS_MAIN(TestCommandCatalogue)
#include "tst_commandcatalogue.moc"
