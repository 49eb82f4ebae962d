#include "trendcatalogue.h"

#include "commandcodes.h"
#include "hardtypes.h"

namespace {
constexpr int firstBlockUnits = 125; // the ionistor voltages of units 1..125 come in the first block
}

bool TrendCatalogue::isKnown(int reading)
{
    return (reading >= Smoke && reading <= MainsVoltage) || (reading >= LoopResistance && reading <= LoopISmall);
}

QList<TrendCatalogue::Reading> TrendCatalogue::unitReadings(int type)
{
    QList<Reading> readings;
    if (isSmokeType(type))
        readings << Smoke;
    if (isHeatType(type))
        readings << Temperature;
    if (isIonistorType(type))
        readings << IonistorVoltage;
    if (isLoType(type))
        readings << LoVoltage;
    if (type >= PowerModuleA && type <= PowerModuleE)
        readings << MainsVoltage;
    return readings;
}

QList<TrendCatalogue::Reading> TrendCatalogue::controllerReadings()
{
    QList<Reading> readings;
    for (int reading = LoopResistance; reading <= LoopISmall; ++reading)
        readings << Reading(reading);
    return readings;
}

QString TrendCatalogue::name(Reading reading)
{
    switch (reading) {
    case Smoke:
        return tr("Задымлённость");
    case Temperature:
        return tr("Температура");
    case IonistorVoltage:
        return tr("U ионисторов");
    case LoVoltage:
        return tr("U питания ЛО");
    case MainsVoltage:
        return tr("Напряжение сети");
    case LoopResistance:
        return tr("R СЛИ");
    case Supply24Voltage:
        return tr("U питания 24 В");
    case Supply24Current:
        return tr("I питания 24 В");
    case Supply13Voltage:
        return tr("U питания 13 В");
    case Supply13Current:
        return tr("I питания 13 В");
    case UnitsConfigured:
        return tr("АУ по конфигурации");
    case UnitsPolled:
        return tr("АУ в опросе");
    case LoopParity:
        return QStringLiteral("Parity");
    case LoopNoise:
        return QStringLiteral("Noise");
    case LoopDataDlit:
        return QStringLiteral("DataDlit");
    case LoopSbDlit:
        return QStringLiteral("SBDlit");
    case LoopTimeout:
        return QStringLiteral("TimeOut");
    case LoopOverflow:
        return QStringLiteral("Overflow");
    case LoopIBig:
        return QStringLiteral("I_Big");
    case LoopISmall:
        return QStringLiteral("I_Small");
    case NoReading:
        break;
    }
    return QString();
}

QString TrendCatalogue::unitOfMeasure(Reading reading)
{
    switch (reading) {
    case Temperature:
        return tr("°C");
    case IonistorVoltage:
    case LoVoltage:
    case MainsVoltage:
    case Supply24Voltage:
    case Supply13Voltage:
        return tr("В");
    case Supply24Current:
    case Supply13Current:
        return tr("мА");
    case LoopResistance:
        return tr("Ом");
    default:
        return QString();
    }
}

int TrendCatalogue::decimals(Reading reading)
{
    switch (reading) {
    case IonistorVoltage:
        return 2;
    case LoVoltage:
    case Supply24Voltage:
    case Supply13Voltage:
    case Supply24Current:
    case Supply13Current:
    case LoopResistance:
        return 1;
    default:
        return 0;
    }
}

int TrendCatalogue::blockCode(Reading reading, int unitAddr)
{
    switch (reading) {
    case Smoke:
        return CMD_READ_SMOKE;
    case Temperature:
    case LoVoltage:
        return CMD_READ_T_ULO;
    case IonistorVoltage:
        return unitAddr <= firstBlockUnits ? CMD_READ_U_PART1 : CMD_READ_U_PART2;
    case MainsVoltage:
        return CMD_READ_ADDITION_DATA;
    case NoReading:
        return -1;
    default:
        return CMD_READ_RYN_REGISTERS;
    }
}
