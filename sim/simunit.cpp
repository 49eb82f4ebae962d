#include "simunit.h"

#include <QtMath>

namespace {

struct FieldInfo
{
    const char *name;
    int max;
};

// In the order of SimUnit::Field.
const FieldInfo fieldInfo[] = {
    {"type", 255},
    {"firmware", 255},
    {"procType", 255},
    {"addData", 255},
    {"tUlo", 255},
    {"fire", 1},
    {"preAlarm", 1},
    {"sbAmperage", 255},
    {"avgAmperage", 255},
    {"link", 4},
    {"fault", 6},
    {"opened", 1},
    {"double", 1},
    {"u1", 255},
    {"u2", 255},
    {"u3", 255},
    {"ionistorFault", 1},
    {"charging", 1},
    {"heater", 6},
    {"rNe", 255},
    {"isolatorLeft", 2},
    {"isolatorRight", 2},
    {"button", 3},
    {"cover", 3},
    {"startButton", 3},
    {"sensor", 3},
    {"in1", 15},
    {"in2", 15},
    {"in3", 15},
    {"in4", 15},
    {"out1", 15},
    {"out2", 15},
    {"out3", 15},
    {"out4", 15},
    {"valve1", 15},
    {"valve2", 15},
    {"powerSupply", 3},
    {"op", 3},
    {"rp", 3},
    {"lo", 3},
    {"powerLo", 7},
    {"smoke", 255},
    {"smokeMid", 255},
    {"photo", 3},
    {"dust", 3},
    {"fireThreshold", 255},
    {"resource", 255},
    {"channelType", 1},
    {"laser", 3},
    {"pyro", 3},
    {"s1", 255},
    {"s2", 255},
    {"pyroTimer", 15},
    {"noResponse", 65535},
    {"adc1", 255},
    {"adc2", 255},
    {"adc3", 255},
    {"adc4", 255},
    {"w1", 255},
    {"w2", 255},
    {"w3", 255},
    {"unitW1", 255},
    {"unitW2", 255},
    {"unitW3", 255},
    {"redLed", 1},
    {"yellowLed", 1},
    {"testMode", 1},
    {"mainsMain", 255},
    {"mainsReserve", 255},
    {"mainsDrive", 255},
};
static_assert(sizeof(fieldInfo) / sizeof(fieldInfo[0]) == SimUnit::FieldCount, "one entry per field");

// Thermistor of the heat detectors: B = 4334 K, 0.62 of the divider's resistance at 25 °C.
constexpr double thermistorB = 4334.0;
constexpr double thermistorRatio = 0.62;
constexpr double kelvinAt25 = 298.0;
constexpr double zeroCelsius = 273.15;
constexpr double loFullScale = 29.76;

} // namespace

SimUnit SimUnit::create(int type)
{
    SimUnit unit;
    if (type == 0)
        return unit;
    const auto set = [&unit](Field field, int value) { unit.m_values[field] = value; };
    set(Type, type);
    set(Firmware, 20 + type % 5);
    set(ProcType, 2);
    set(SbAmperage, 20);
    set(AvgAmperage, 24);
    set(IsolatorLeft, 1);
    set(IsolatorRight, 1);
    set(Sensor, isHeatType(type) || isSmokeType(type) ? 0 : 3);
    set(Photo, isSmokeType(type) ? 0 : 3);
    set(Button, isCallPointType(type) ? 0 : 2);
    set(Cover, type == 7 || type == 12 ? 2 : 0);
    set(StartButton, type == 7 ? 2 : 0);
    set(Laser, isFlameType(type) ? 0 : 3);
    set(Pyro, isFlameType(type) ? 1 : 0);
    set(Heater, isIonistorType(type) ? 0 : 4);
    set(PowerSupply, isLoType(type) ? 1 : 2);
    set(Op, isLoType(type) ? 0 : 2);
    set(Rp, isLoType(type) ? 0 : 2);
    set(Lo, isLoType(type) ? 0 : 3);
    set(PowerLo, isLoType(type) ? 0 : 5);
    for (int i = 0; i < 4; ++i) {
        set(Field(In1 + i), i < inputCount(type) ? 0 : 4);
        set(Field(Out1 + i), i < outputCount(type) ? 0 : 4);
        set(Field(Adc1 + i), i < inputCount(type) ? 128 : 0);
    }
    if (type == 13) { // its inputs and outputs live in a bank of their own, but they are there
        set(In1, 0);
        set(In2, 0);
        set(Out1, 0);
        set(Out2, 0);
        set(Adc1, 128);
        set(Adc2, 128);
    }
    set(Valve1, type == 14 ? 1 : 4);
    set(Valve2, type == 14 ? 1 : 4);
    if (type == 14) {
        set(Adc1, 128);
        set(Adc2, 128);
    }
    if (isHeatType(type)) {
        set(TUlo, thermistorRaw(23.0));
        set(ChannelType, type == 3 ? 1 : 0);
    }
    if (isLoType(type))
        set(TUlo, loVoltageRaw(24.0));
    if (isSmokeType(type)) {
        set(Smoke, 25);
        set(SmokeMid, 24);
        set(FireThreshold, 110);
        set(Resource, 95);
    }
    if (isIonistorType(type)) {
        set(U1, 133); // 2.6 V a cell, 7.8 V the block
        set(U2, 133);
        set(U3, 133);
        set(RNe, 120);
    }
    if (isFlameType(type)) {
        const int borders[] = {40, 90, 160};
        for (int i = 0; i < 3; ++i) {
            set(Field(W1 + i), borders[i]);
            set(Field(UnitW1 + i), borders[i]);
        }
    }
    if (isPowerModuleType(type)) {
        set(MainsMain, 230);
        set(MainsReserve, 228);
        set(MainsDrive, 226);
    }
    return unit;
}

QString SimUnit::fieldName(Field field)
{
    return QLatin1String(fieldInfo[field].name);
}

int SimUnit::fieldByName(const QString &name)
{
    for (int i = 0; i < FieldCount; ++i) {
        if (name.compare(QLatin1String(fieldInfo[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList SimUnit::fieldNames()
{
    QStringList names;
    for (const FieldInfo &info : fieldInfo)
        names.append(QLatin1String(info.name));
    return names;
}

int SimUnit::maxValue(Field field)
{
    return fieldInfo[field].max;
}

int SimUnit::thermistorRaw(double celsius)
{
    // The inverse of thermistorCelsius: the divider ratio x / (255 - x) for the temperature.
    const double ratio =
        qExp(thermistorB / (celsius + zeroCelsius) - thermistorB / kelvinAt25) / thermistorRatio;
    const int raw = qRound(255.0 * ratio / (1.0 + ratio));
    return qBound(1, raw, 254);
}

double SimUnit::thermistorCelsius(int raw)
{
    if (raw <= 0 || raw >= 255)
        return -zeroCelsius;
    return thermistorB / (qLn(thermistorRatio * raw / (255.0 - raw)) + thermistorB / kelvinAt25) -
           zeroCelsius;
}

int SimUnit::loVoltageRaw(double volts)
{
    return qBound(0, qRound(volts * 256.0 / loFullScale), 255);
}

bool SimUnit::isHeatType(int type)
{
    return type == 2 || type == 3 || type == 23 || type == 24;
}

bool SimUnit::isSmokeType(int type)
{
    return type == 4 || type == 23 || type == 24;
}

bool SimUnit::isFlameType(int type)
{
    return type == 5 || type == 6;
}

bool SimUnit::isIonistorType(int type)
{
    return type == 3 || type == 6 || type == 17 || type == 24;
}

bool SimUnit::isLoType(int type)
{
    return type == 15 || type == 16;
}

bool SimUnit::isPowerModuleType(int type)
{
    return type >= 18 && type <= 22;
}

bool SimUnit::isCallPointType(int type)
{
    return type == 1 || type == 12;
}

int SimUnit::outputCount(int type)
{
    if (type == 10)
        return 2;
    if (type == 11)
        return 4;
    if (isPowerModuleType(type))
        return 2; // relays K1 and K2
    return 0;
}

int SimUnit::inputCount(int type)
{
    if (type == 8)
        return 2;
    if (type == 9)
        return 4;
    return 0;
}
