#include "commandcodes.h"
#include "responsedecoder.h"

#include <QtTest>

namespace {

// The block of `words` registers with word `index` set to `value`, the rest 0.
QByteArray block(int words, int index, quint16 value)
{
    QByteArray data(words * 2, '\0');
    data[2 * index] = char(value >> 8);
    data[2 * index + 1] = char(value & 0xFF);
    return data;
}

// "unit:value" for every emission of a two-argument signal, in order.
QStringList pairs(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &arguments : spy) {
        const QVariant value = arguments.at(1);
        result.append(arguments.at(0).toString() + QLatin1Char(':') +
                      (value.type() == QVariant::Bool ? value.toString() : QString::number(value.toInt())));
    }
    return result;
}

} // namespace

class TestResponseDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decodesOnlyGoodDataBlocks_data();
    void decodesOnlyGoodDataBlocks();
    void packings();
    void unchangedWordsEmitNothing();
    void scalings();
    void register979GivesTheState251_data();
    void register979GivesTheState251();
    void operatingTimeRegisters();
    void constantsCarryLogicalNumbers();
    void wordBlocksOfTheSecondPart();
    void modulesAndPower();
    void configurationBlocks();
    void bordersAnnounceTheirBlockFirst();
    void oddLengthAndAddressesBeyondTheLoop();
    void debugLinesOnlyWhenSwitchedOn();
};

void TestResponseDecoder::decodesOnlyGoodDataBlocks_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("errCode");
    QTest::addColumn<bool>("decoded");
    QTest::addRow("ping") << 0 << 0 << false;
    QTest::addRow("registers") << 1 << 0 << true;
    QTest::addRow("border-w3") << 60 << 0 << true;
    QTest::addRow("no-block-61") << 61 << 0 << false;
    QTest::addRow("no-block-99") << 99 << 0 << false;
    QTest::addRow("cfg-threshold") << 100 << 0 << true;
    QTest::addRow("cfg-types-not-shown") << 102 << 0 << false;
    QTest::addRow("cfg-output-init") << 105 << 0 << true;
    QTest::addRow("cfg-heat-bits") << 106 << 0 << false;
    QTest::addRow("command") << 1068 << 0 << false;
    QTest::addRow("crc-error") << 4 << 3 << false;
    QTest::addRow("exception") << 18 << 5 << false;
}

void TestResponseDecoder::decodesOnlyGoodDataBlocks()
{
    QFETCH(int, code);
    QFETCH(int, errCode);
    QFETCH(bool, decoded);
    QCOMPARE(ResponseDecoder::decodes(code, errCode), decoded);
}

void TestResponseDecoder::packings()
{
    ResponseDecoder decoder;
    QSignalSpy types(&decoder, &ResponseDecoder::signalSetType);
    QSignalSpy states(&decoder, &ResponseDecoder::signalSetGeneralState);
    QSignalSpy fire(&decoder, &ResponseDecoder::signalSetFire);
    QSignalSpy sensor(&decoder, &ResponseDecoder::signalSetSensor);

    decoder.enqueue(CMD_READ_TYPES, QByteArray::fromHex("1704"));
    QCOMPARE(pairs(types), (QStringList{QStringLiteral("1:4"), QStringLiteral("2:23")}));

    decoder.enqueue(CMD_READ_GENERAL_STATE, block(4, 3, 0x2110));
    QCOMPARE(pairs(states).mid(12), (QStringList{QStringLiteral("13:0"), QStringLiteral("14:1"),
                                                 QStringLiteral("15:1"), QStringLiteral("16:2")}));

    decoder.enqueue(CMD_READ_FIRE, block(2, 1, 0x0001));
    const QStringList fires = pairs(fire).mid(16);
    QCOMPARE(fires.size(), 16);
    QCOMPARE(fires.first(), QStringLiteral("17:true"));
    for (const QString &other : fires.mid(1))
        QVERIFY(other.endsWith(QLatin1String(":false")));
    QCOMPARE(fires.last(), QStringLiteral("32:false"));

    decoder.enqueue(CMD_READ_SENSOR, QByteArray::fromHex("c6e4")); // hi 0xC6, lo 0xE4
    QCOMPARE(pairs(sensor), (QStringList{QStringLiteral("1:0"), QStringLiteral("5:2"), QStringLiteral("2:1"),
                                         QStringLiteral("6:1"), QStringLiteral("3:2"), QStringLiteral("7:0"),
                                         QStringLiteral("4:3"), QStringLiteral("8:3")}));
}

void TestResponseDecoder::unchangedWordsEmitNothing()
{
    ResponseDecoder decoder;
    QSignalSpy types(&decoder, &ResponseDecoder::signalSetType);
    decoder.enqueue(CMD_READ_TYPES, QByteArray::fromHex("17040303"));
    QCOMPARE(types.size(), 4);
    // The same words from another controller: nothing; one changed word: its two units only.
    decoder.enqueue(CMD_READ_TYPES, QByteArray::fromHex("17040302"));
    QCOMPARE(pairs(types).mid(4), (QStringList{QStringLiteral("3:2"), QStringLiteral("4:3")}));
    // The cache is per code: the same word under another code is new.
    QSignalSpy versions(&decoder, &ResponseDecoder::signalSetFirmwareVersion);
    decoder.enqueue(CMD_READ_FIRMWARE_VERSION, QByteArray::fromHex("1704"));
    QCOMPARE(versions.size(), 2);
}

void TestResponseDecoder::scalings()
{
    ResponseDecoder decoder;
    QSignalSpy voltage(&decoder, &ResponseDecoder::signalSetU);
    QSignalSpy u2(&decoder, &ResponseDecoder::signalSetU2);
    QSignalSpy standby(&decoder, &ResponseDecoder::signalSetSbAmperage);
    QSignalSpy average(&decoder, &ResponseDecoder::signalSetAverageAmperage);
    decoder.enqueue(CMD_READ_U_PART1, block(1, 0, 510));
    QCOMPARE(voltage.first().at(0).toInt(), 1);
    QCOMPARE(voltage.first().at(1).toDouble(), 10.0);
    decoder.enqueue(CMD_READ_U2, QByteArray::fromHex("ff33"));
    QCOMPARE(u2.at(0).at(1).toDouble(), 51 / 51.0);
    QCOMPARE(u2.at(1).at(1).toDouble(), 255 / 51.0);
    decoder.enqueue(CMD_READ_SB_AMPERAGE, QByteArray::fromHex("00ff"));
    QCOMPARE(standby.first().at(0).toInt(), 1);
    QVERIFY(qAbs(standby.first().at(1).toDouble() - 65.48) < 0.005);
    decoder.enqueue(CMD_READ_AVERAGE_AMPERAGE, QByteArray::fromHex("0100"));
    QCOMPARE(average.at(1).at(0).toInt(), 2);
    QVERIFY(qAbs(average.at(1).at(1).toDouble() - 3.3 * 1000 / 12852) < 1e-12);
}

void TestResponseDecoder::register979GivesTheState251_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("state");
    QTest::addRow("double-address-at-251") << 0x0180 << 9;
    QTest::addRow("unit-at-251") << 0x0080 << 0;
    QTest::addRow("nobody-at-251") << 0x0000 << 8;
    QTest::addRow("bit-8-alone-means-nobody") << 0x0100 << 8;
}

void TestResponseDecoder::register979GivesTheState251()
{
    QFETCH(int, word);
    QFETCH(int, state);
    ResponseDecoder decoder;
    QSignalSpy state251(&decoder, &ResponseDecoder::signalSetGeneralState251);
    QSignalSpy registers(&decoder, &ResponseDecoder::signalRynRegistersUpdated);
    decoder.enqueue(CMD_READ_RYN_REGISTERS, block(26, 3, quint16(word)));
    QCOMPARE(state251.size(), 1);
    QCOMPARE(state251.first().at(0).toInt(), state);
    QCOMPARE(registers.size(), 26);
    QCOMPARE(registers.at(3).at(0).toInt(), 979);
    QCOMPARE(registers.at(3).at(1).toInt(), word);
}

void TestResponseDecoder::operatingTimeRegisters()
{
    ResponseDecoder decoder;
    QSignalSpy registers(&decoder, &ResponseDecoder::signalRynRegistersUpdated);
    QByteArray data = block(28, 26, 0x0107);
    data[54] = char(0x00);
    data[55] = char(0x65);
    decoder.enqueue(CMD_READ_RYN_REGISTERS, data);
    QStringList tail;
    for (int i = registers.size() - 3; i < registers.size(); ++i)
        tail.append(registers.at(i).at(0).toString() + QLatin1Char('=') + registers.at(i).at(1).toString());
    QCOMPARE(tail, (QStringList{QStringLiteral("1002=263"), QStringLiteral("1003=101"),
                                QStringLiteral("1003=101")}));

    // A block that ends at 1002 has no next word to report.
    ResponseDecoder shortBlock;
    QSignalSpy shortRegisters(&shortBlock, &ResponseDecoder::signalRynRegistersUpdated);
    shortBlock.enqueue(CMD_READ_RYN_REGISTERS, block(27, 26, 0x0107));
    QCOMPARE(shortRegisters.last().at(0).toInt(), 1002);
}

void TestResponseDecoder::constantsCarryLogicalNumbers()
{
    ResponseDecoder decoder;
    QSignalSpy constants(&decoder, &ResponseDecoder::signalRynConstantsUpdated);
    decoder.enqueue(CMD_READ_RYN_CONSTANTS_DEFAULT, block(32, 31, 7));
    decoder.enqueue(CMD_READ_RYN_CONSTANTS_CURRENT, block(32, 0, 9));
    QCOMPARE(constants.size(), 64);
    QCOMPARE(constants.at(31), (QList<QVariant>{1033, 7, true}));
    QCOMPARE(constants.at(32), (QList<QVariant>{1102, 9, false}));
}

void TestResponseDecoder::wordBlocksOfTheSecondPart()
{
    ResponseDecoder decoder;
    QSignalSpy voltage(&decoder, &ResponseDecoder::signalSetU);
    QSignalSpy counter(&decoder, &ResponseDecoder::signalSetNoResponseCounter);
    QSignalSpy cumulater(&decoder, &ResponseDecoder::signalSetCumulaterS2);
    decoder.enqueue(CMD_READ_U_PART2, block(125, 124, 1020));
    QCOMPARE(voltage.first().at(0).toInt(), 126);
    QCOMPARE(voltage.last().at(0).toInt(), 250);
    QCOMPARE(voltage.last().at(1).toDouble(), 20.0);
    decoder.enqueue(CMD_READ_NO_RESPONSE_COUNTER_PART1, block(1, 0, 0xABCD));
    QCOMPARE(counter.first(), (QList<QVariant>{1, 0xABCD}));
    decoder.enqueue(CMD_READ_CUMULATER_S2_PART2, block(1, 0, 0x1234));
    QCOMPARE(cumulater.first().at(0).toInt(), 126);
    QCOMPARE(cumulater.first().at(1).toInt(), 0x34);
}

void TestResponseDecoder::modulesAndPower()
{
    ResponseDecoder decoder;
    QSignalSpy inputs(&decoder, &ResponseDecoder::signalSetInput);
    QSignalSpy outputs(&decoder, &ResponseDecoder::signalSetOutput);
    QSignalSpy valves(&decoder, &ResponseDecoder::signalSetValve);
    QSignalSpy supply(&decoder, &ResponseDecoder::signalSetPowerSupply);
    QSignalSpy op(&decoder, &ResponseDecoder::signalSetOp);
    QSignalSpy rp(&decoder, &ResponseDecoder::signalSetRp);
    QSignalSpy lo(&decoder, &ResponseDecoder::signalSetLo);
    QSignalSpy powerLo(&decoder, &ResponseDecoder::signalSetPowerLo);

    decoder.enqueue(CMD_READ_INPUTS_PART1, QByteArray::fromHex("4321"));
    QCOMPARE(inputs.size(), 4);
    QCOMPARE(inputs.at(0), (QList<QVariant>{1, 1, 1, false}));
    QCOMPARE(inputs.at(1), (QList<QVariant>{1, 2, 2, false}));
    QCOMPARE(inputs.at(2), (QList<QVariant>{1, 3, 3, false}));
    QCOMPARE(inputs.at(3), (QList<QVariant>{1, 4, 4, false}));

    decoder.enqueue(CMD_READ_VEXA2R2_IO_PART2, QByteArray::fromHex("1032"));
    QCOMPARE(inputs.at(4), (QList<QVariant>{126, 1, 2, true}));
    QCOMPARE(inputs.at(5), (QList<QVariant>{126, 2, 3, true}));
    QCOMPARE(outputs.at(0), (QList<QVariant>{126, 1, 0, true}));
    QCOMPARE(outputs.at(1), (QList<QVariant>{126, 2, 1, true}));

    decoder.enqueue(CMD_READ_VALVES, QByteArray::fromHex("0000"
                                                         "3421"));
    QCOMPARE(valves.mid(4).size(), 4);
    QCOMPARE(valves.at(4), (QList<QVariant>{3, 1, 1}));
    QCOMPARE(valves.at(5), (QList<QVariant>{3, 2, 2}));
    QCOMPARE(valves.at(6), (QList<QVariant>{4, 1, 4}));
    QCOMPARE(valves.at(7), (QList<QVariant>{4, 2, 3}));

    decoder.enqueue(CMD_READ_POWER_PART1, QByteArray::fromHex("05e4")); // lo 11 10 01 00
    QCOMPARE(supply.first(), (QList<QVariant>{1, 0}));
    QCOMPARE(op.first(), (QList<QVariant>{1, 1}));
    QCOMPARE(rp.first(), (QList<QVariant>{1, 2}));
    QCOMPARE(lo.first(), (QList<QVariant>{1, 3}));
    QCOMPARE(powerLo.first(), (QList<QVariant>{1, 5}));
}

void TestResponseDecoder::configurationBlocks()
{
    ResponseDecoder decoder;
    QSignalSpy outputInit(&decoder, &ResponseDecoder::signalSetOutputInit);
    QSignalSpy powerLoInit(&decoder, &ResponseDecoder::signalSetPowerLoInit);
    QSignalSpy blocking(&decoder, &ResponseDecoder::signalSetBlocking);
    QSignalSpy threshold(&decoder, &ResponseDecoder::signalSetThresholdT);

    decoder.enqueue(CMD_READ_CFG_OUTPUT_INIT, QByteArray::fromHex("000e")); // unit 1 nibble 0xE
    QCOMPARE(outputInit.size(), 16);
    QCOMPARE(outputInit.at(0), (QList<QVariant>{1, 1, 1}));
    QCOMPARE(outputInit.at(1), (QList<QVariant>{1, 2, 0}));
    QCOMPARE(outputInit.at(2), (QList<QVariant>{1, 3, 0}));
    QCOMPARE(outputInit.at(3), (QList<QVariant>{1, 4, 0}));
    QCOMPARE(outputInit.at(4), (QList<QVariant>{2, 1, 1}));

    decoder.enqueue(CMD_READ_CFG_POWER_LO_INIT, QByteArray::fromHex("000f"));
    QCOMPARE(powerLoInit.at(0), (QList<QVariant>{1, 0}));
    QCOMPARE(powerLoInit.at(1), (QList<QVariant>{2, 1}));

    decoder.enqueue(CMD_READ_CFG_UNBLOCKED, QByteArray::fromHex("fffe"));
    QCOMPARE(blocking.at(0), (QList<QVariant>{1, false}));
    QCOMPARE(blocking.at(1), (QList<QVariant>{2, true}));

    decoder.enqueue(CMD_READ_CFG_THRESHOLD_T, QByteArray::fromHex("3945"));
    QCOMPARE(pairs(threshold), (QStringList{QStringLiteral("1:69"), QStringLiteral("2:57")}));
}

void TestResponseDecoder::bordersAnnounceTheirBlockFirst()
{
    ResponseDecoder decoder;
    QStringList order;
    connect(&decoder, &ResponseDecoder::signalIppBorderData, this,
            [&order](const QByteArray &data) { order.append(QStringLiteral("block:%1").arg(data.size())); });
    connect(&decoder, &ResponseDecoder::signalIppBorderRead, this, [&order](int code, const QByteArray &data) {
        order.append(QStringLiteral("code %1:%2").arg(code).arg(data.size()));
    });
    connect(&decoder, &ResponseDecoder::signalSetIPP_W, this, [&order](int unit, int number, uchar w) {
        order.append(QStringLiteral("%1/%2=%3").arg(unit).arg(number).arg(w));
    });
    decoder.enqueue(CMD_READ_IPP_W2, QByteArray::fromHex("0a14"));
    QCOMPARE(order,
             (QStringList{QStringLiteral("block:2"), QStringLiteral("code 59:2"), QStringLiteral("1/2=20"),
                          QStringLiteral("2/2=10")}));
}

void TestResponseDecoder::oddLengthAndAddressesBeyondTheLoop()
{
    ResponseDecoder decoder;
    QSignalSpy types(&decoder, &ResponseDecoder::signalSetType);
    decoder.enqueue(CMD_READ_TYPES, QByteArray::fromHex("010203"));
    QCOMPARE(types.size(), 2);
    decoder.enqueue(CMD_READ_TYPE_251, QByteArray::fromHex("0005"));
    QCOMPARE(types.last(), (QList<QVariant>{251, 5}));

    // The blanking block after a port change: 500 bytes of 0xFF reach units far beyond 250.
    ResponseDecoder blank;
    QSignalSpy blankTypes(&blank, &ResponseDecoder::signalSetType);
    blank.enqueue(CMD_READ_TYPES, QByteArray(500, '\xff'));
    QCOMPARE(blankTypes.size(), 500);
    QCOMPARE(blankTypes.last(), (QList<QVariant>{500, 255}));
    QSignalSpy blankStates(&blank, &ResponseDecoder::signalSetGeneralState);
    blank.enqueue(CMD_READ_GENERAL_STATE, QByteArray(500, '\xff'));
    QCOMPARE(blankStates.size(), 1000);
    QCOMPARE(blankStates.first(), (QList<QVariant>{1, 15}));
}

namespace {
QStringList debugLines;
void collectDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg)
        debugLines.append(message);
}
} // namespace

// The decoder's diagnostic lines came by the hundred for every answer: they stay silent unless a
// logging rule switches them on.
void TestResponseDecoder::debugLinesOnlyWhenSwitchedOn()
{
    const QtMessageHandler previous = qInstallMessageHandler(collectDebug);
    debugLines.clear();
    ResponseDecoder decoder;
    decoder.enqueue(READ_ADC1, QByteArray::fromHex("0102"));
    const QStringList silent = debugLines;

    QLoggingCategory::setFilterRules(QStringLiteral("ryn.comm.debug=true"));
    decoder.enqueue(READ_ADC1, QByteArray::fromHex("0103"));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);

    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QLatin1Char('|'))));
    QCOMPARE(debugLines, QStringList{QStringLiteral("READ_ADC1")});
}

QTEST_GUILESS_MAIN(TestResponseDecoder)
#include "tst_responsedecoder.moc"
