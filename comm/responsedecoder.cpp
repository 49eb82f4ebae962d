#include "responsedecoder.h"

#include "commandcodes.h"
#include "commlogging.h"

namespace {

constexpr double amperageScale = 3.3 * 1000 / 12852;
constexpr double voltageScale = 51.0;

// Word blocks come in pairs; the second block of a pair holds units 126..250.
bool isSecondPart(int cmdCode)
{
    switch (cmdCode) {
    case CMD_READ_U_PART2:
    case CMD_READ_INPUTS_PART2:
    case CMD_READ_OUTPUTS_PART2:
    case CMD_READ_VEXA2R2_IO_PART2:
    case CMD_READ_POWER_PART2:
    case CMD_READ_CUMULATER_S1_PART2:
    case CMD_READ_CUMULATER_S2_PART2:
    case CMD_READ_NO_RESPONSE_COUNTER_PART2:
        return true;
    default:
        return false;
    }
}

} // namespace

ResponseDecoder::ResponseDecoder(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<RynRegisterAddress>("RynRegisterAddress");
}

bool ResponseDecoder::decodes(int cmdCode, int errCode)
{
    if (errCode != 0 || cmdCode < 1 || cmdCode > 105)
        return false;
    return !(cmdCode >= 61 && cmdCode <= 99) && cmdCode != CMD_READ_CFG_TYPES;
}

void ResponseDecoder::enqueue(int cmdCode, const QByteArray &data)
{
    if (cmdCode >= CMD_READ_IPP_W1 && cmdCode <= CMD_READ_IPP_W3) {
        emit signalIppBorderData(data);
        emit signalIppBorderRead(cmdCode, data);
    }
    for (int e = 0; e < data.size() / 2; ++e) {
        m_queue.enqueue({cmdCode, e, data});
        slotCmdProcessTimeout();
    }
}

void ResponseDecoder::forgetDecodedWords()
{
    m_cache.clear();
}

void ResponseDecoder::slotCmdProcessTimeout()
{
    if (m_queue.isEmpty())
        return;
    decode(m_queue.dequeue());
}

void ResponseDecoder::decode(const Item &item)
{
    const int c = item.cmdCode;
    const int e = item.wordIndex;
    const quint8 hi = quint8(item.data.at(2 * e));
    const quint8 lo = quint8(item.data.at(2 * e + 1));
    const quint16 w = quint16(hi * 256 + lo);

    QHash<int, quint16> &cache = m_cache[c];
    const auto cached = cache.constFind(e);
    if (cached != cache.constEnd() && cached.value() == w)
        return;
    cache.insert(e, w);

    // The unit numbering of each packing for word e.
    const auto byteUnits = [&](auto emitter) {
        emitter(2 * e + 1, lo);
        emitter(2 * e + 2, hi);
    };
    const auto nibbleUnits = [&](auto emitter) {
        emitter(4 * e + 1, quint8(lo & 0x0F));
        emitter(4 * e + 2, quint8(lo >> 4));
        emitter(4 * e + 3, quint8(hi & 0x0F));
        emitter(4 * e + 4, quint8(hi >> 4));
    };
    const auto pairUnits = [&](auto emitter) {
        for (int k = 1; k <= 4; ++k) {
            emitter(8 * e + k, quint8((lo >> (2 * (k - 1))) & 3));
            emitter(8 * e + 4 + k, quint8((hi >> (2 * (k - 1))) & 3));
        }
    };
    const auto bitUnits = [&](auto emitter) {
        for (int k = 1; k <= 8; ++k)
            emitter(16 * e + k, bool((lo >> (k - 1)) & 1));
        for (int k = 1; k <= 8; ++k)
            emitter(16 * e + 8 + k, bool((hi >> (k - 1)) & 1));
    };
    const int wordUnit = e + (isSecondPart(c) ? 126 : 1);

    switch (c) {
    case CMD_READ_RYN_REGISTERS:
        emit signalRynRegistersUpdated(976 + e, w);
        if (976 + e == 1002 && 2 * e + 3 < item.data.size())
            emit signalRynRegistersUpdated(
                1003, ushort(quint8(item.data.at(2 * e + 2)) * 256 + quint8(item.data.at(2 * e + 3))));
        if (976 + e == 979) {
            const bool bit7 = w & 0x0080;
            const bool bit8 = w & 0x0100;
            emit signalSetGeneralState251(!bit7 ? 8 : (bit8 ? 9 : 0));
        }
        break;
    case CMD_READ_RYN_CONSTANTS_DEFAULT:
        emit signalRynConstantsUpdated(RegisterMap::defaultConstantsLogical + e, w, true);
        if (e == 20)
            qCDebug(lcComm) << "CMD_READ_RYN_CONSTANTS_DEFAULT 1022:" << w;
        break;
    case CMD_READ_RYN_CONSTANTS_CURRENT:
        emit signalRynConstantsUpdated(RegisterMap::currentConstantsLogical + e, w, false);
        if (e == 20)
            qCDebug(lcComm) << "CMD_READ_RYN_CONSTANTS_CURRENT 1122:" << w;
        break;
    case CMD_READ_TYPES:
        byteUnits([this](int unit, quint8 value) { emit signalSetType(unit, value); });
        break;
    case CMD_READ_TYPE_251:
        emit signalSetType(251 + 2 * e, lo);
        break;
    case CMD_READ_FIRMWARE_VERSION:
        byteUnits([this](int unit, quint8 value) { emit signalSetFirmwareVersion(unit, value); });
        break;
    case CMD_READ_T_ULO:
        byteUnits([this](int unit, quint8 value) { emit signalSet_T_ULo(unit, value); });
        break;
    case CMD_READ_FIRE:
        bitUnits([this](int unit, bool value) { emit signalSetFire(unit, value); });
        break;
    case CMD_READ_PRE_ALARM:
        bitUnits([this](int unit, bool value) { emit signalSetPreAlarm(unit, value); });
        break;
    case CMD_READ_SB_AMPERAGE:
        byteUnits([this](int unit, quint8 value) { emit signalSetSbAmperage(unit, value * amperageScale); });
        break;
    case CMD_READ_AVERAGE_AMPERAGE:
        byteUnits(
            [this](int unit, quint8 value) { emit signalSetAverageAmperage(unit, value * amperageScale); });
        break;
    case CMD_READ_CONNECTION:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetConnection(unit, value); });
        break;
    case CMD_READ_U_PART1:
    case CMD_READ_U_PART2:
        emit signalSetU(wordUnit, w / voltageScale);
        break;
    case CMD_READ_U1:
        byteUnits([this](int unit, quint8 value) { emit signalSetU1(unit, value / voltageScale); });
        break;
    case CMD_READ_U2:
        byteUnits([this](int unit, quint8 value) { emit signalSetU2(unit, value / voltageScale); });
        break;
    case CMD_READ_U3:
        byteUnits([this](int unit, quint8 value) { emit signalSetU3(unit, value / voltageScale); });
        break;
    case CMD_READ_GENERAL_STATE:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetGeneralState(unit, value); });
        break;
    case CMD_READ_INPUTS_PART1:
    case CMD_READ_INPUTS_PART2:
        emit signalSetInput(wordUnit, 1, quint8(lo & 0x0F), false);
        emit signalSetInput(wordUnit, 2, quint8(lo >> 4), false);
        emit signalSetInput(wordUnit, 3, quint8(hi & 0x0F), false);
        emit signalSetInput(wordUnit, 4, quint8(hi >> 4), false);
        break;
    case CMD_READ_OUTPUTS_PART1:
    case CMD_READ_OUTPUTS_PART2:
        emit signalSetOutput(wordUnit, 1, quint8(lo & 0x0F), false);
        emit signalSetOutput(wordUnit, 2, quint8(lo >> 4), false);
        emit signalSetOutput(wordUnit, 3, quint8(hi & 0x0F), false);
        emit signalSetOutput(wordUnit, 4, quint8(hi >> 4), false);
        break;
    case CMD_READ_INSULATORS:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetInsulators(unit, value); });
        break;
    case CMD_READ_IONISTOR_STATE:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetIonistorState(unit, value); });
        break;
    case CMD_READ_HEATER:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetHeater(unit, value); });
        break;
    case CMD_READ_BUTTON_IPR_IPRV:
        pairUnits([this](int unit, quint8 value) { emit signalSetButtonIPR_IPRV(unit, value); });
        break;
    case CMD_READ_TAMPER_UDP_IPRV:
        pairUnits([this](int unit, quint8 value) { emit signalSetTamperUDP_IPRV(unit, value); });
        break;
    case CMD_READ_BUTTON_UDP:
        pairUnits([this](int unit, quint8 value) { emit signalSetButtonUDP(unit, value); });
        break;
    case CMD_READ_SENSOR:
        pairUnits([this](int unit, quint8 value) { emit signalSetSensor(unit, value); });
        break;
    case CMD_READ_VEXA2R2_IO_PART1:
    case CMD_READ_VEXA2R2_IO_PART2:
        emit signalSetInput(wordUnit, 1, quint8(lo & 0x0F), true);
        emit signalSetInput(wordUnit, 2, quint8(lo >> 4), true);
        emit signalSetOutput(wordUnit, 1, quint8(hi & 0x0F), true);
        emit signalSetOutput(wordUnit, 2, quint8(hi >> 4), true);
        break;
    case CMD_READ_VALVES:
        emit signalSetValve(2 * e + 1, 1, quint8(lo & 0x0F));
        emit signalSetValve(2 * e + 1, 2, quint8(lo >> 4));
        emit signalSetValve(2 * e + 2, 1, quint8(hi & 0x0F));
        emit signalSetValve(2 * e + 2, 2, quint8(hi >> 4));
        break;
    case CMD_READ_POWER_PART1:
    case CMD_READ_POWER_PART2:
        emit signalSetPowerSupply(wordUnit, quint8(lo & 3));
        emit signalSetOp(wordUnit, quint8((lo >> 2) & 3));
        emit signalSetRp(wordUnit, quint8((lo >> 4) & 3));
        emit signalSetLo(wordUnit, quint8((lo >> 6) & 3));
        emit signalSetPowerLo(wordUnit, quint8(hi & 7));
        break;
    case CMD_READ_SMOKE:
        byteUnits([this](int unit, quint8 value) { emit signalSetSmoke(unit, value); });
        break;
    case CMD_READ_R_NE:
        byteUnits([this](int unit, quint8 value) { emit signalSet_R_NE(unit, value); });
        break;
    case CMD_READ_SMOKE_MID:
        byteUnits([this](int unit, quint8 value) { emit signalSetSmokeMid(unit, value); });
        break;
    case CMD_READ_PROC_TYPE:
        byteUnits([this](int unit, quint8 value) { emit signalSetProcType(unit, value); });
        break;
    case CMD_READ_PHOTO:
        pairUnits([this](int unit, quint8 value) { emit signalSetPhoto(unit, value); });
        break;
    case CMD_READ_DUSTINESS:
        pairUnits([this](int unit, quint8 value) { emit signalSetDustiness(unit, value); });
        break;
    case CMD_READ_IPD_FIRE_THRESHOLD:
        byteUnits([this](int unit, quint8 value) { emit signalSetIPD_FireThreshold(unit, value); });
        break;
    case CMD_READ_IPD_RESOURCE:
        byteUnits([this](int unit, quint8 value) { emit signalSetIPD_resource(unit, value); });
        break;
    case CMD_READ_IPT_CHANNEL_TYPE:
        bitUnits([this](int unit, bool value) { emit signalSetIptChannelType(unit, value); });
        break;
    case CMD_READ_LASER:
        pairUnits([this](int unit, quint8 value) { emit signalSetLaser(unit, value); });
        break;
    case CMD_READ_PYROSENSOR:
        pairUnits([this](int unit, quint8 value) { emit signalSetPyrosensor(unit, value); });
        break;
    case CMD_READ_CUMULATER_S1_PART1:
    case CMD_READ_CUMULATER_S1_PART2:
        emit signalSetCumulaterS1(wordUnit, lo);
        break;
    case CMD_READ_CUMULATER_S2_PART1:
    case CMD_READ_CUMULATER_S2_PART2:
        emit signalSetCumulaterS2(wordUnit, lo);
        break;
    case CMD_READ_PYRO_TIMER:
        nibbleUnits([this](int unit, quint8 value) { emit signalSetPyroTimer(unit, value); });
        break;
    case CMD_READ_NO_RESPONSE_COUNTER_PART1:
    case CMD_READ_NO_RESPONSE_COUNTER_PART2:
        emit signalSetNoResponseCounter(wordUnit, w);
        break;
    case CMD_READ_ADDITION_DATA:
        qCDebug(lcComm) << "CMD_READ_ADDITION_DATA";
        byteUnits([this](int unit, quint8 value) { emit signalSetAdditionData(unit, value); });
        break;
    case READ_ADC1:
    case READ_ADC2:
    case READ_ADC3:
    case READ_ADC4: {
        qCDebug(lcComm).noquote() << QStringLiteral("READ_ADC%1").arg(c - 53);
        const int number = c - 53;
        byteUnits([this, number](int unit, quint8 value) { emit signalSetInputADC(unit, number, value); });
        break;
    }
    case CMD_READ_IPP_W1:
    case CMD_READ_IPP_W2:
    case CMD_READ_IPP_W3: {
        const int number = c - 57;
        byteUnits([this, number](int unit, quint8 value) { emit signalSetIPP_W(unit, number, value); });
        break;
    }
    case CMD_READ_CFG_THRESHOLD_T:
        byteUnits([this](int unit, quint8 value) { emit signalSetThresholdT(unit, value); });
        break;
    case CMD_READ_CFG_UNBLOCKED:
        bitUnits([this](int unit, bool value) { emit signalSetBlocking(unit, value); });
        break;
    case CMD_READ_CFG_POWER_LO_INIT:
        nibbleUnits(
            [this](int unit, quint8 value) { emit signalSetPowerLoInit(unit, quint8((value + 1) % 16)); });
        break;
    case CMD_READ_CFG_OUTPUT_INIT:
        nibbleUnits([this](int unit, quint8 value) {
            for (int n = 1; n <= 4; ++n)
                emit signalSetOutputInit(unit, n, quint8(1 - ((value >> (n - 1)) & 1)));
        });
        break;
    default:
        break;
    }
}
