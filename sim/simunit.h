#pragma once

#include <QString>
#include <QStringList>

#include <array>

// One addressable unit on a simulated loop: what the unit itself would tell its controller. The
// values are the raw codes the controller packs into its registers; what the controller derives
// from them (general state, connection, ionistor state) is worked out by the controller.
class SimUnit
{
public:
    enum Field : int
    {
        Type,
        Firmware,
        ProcType,
        AddData,
        TUlo, // thermistor byte of heat types, LO supply byte of LO types
        Fire,
        PreAlarm,
        SbAmperage,
        AvgAmperage,
        Link,  // 0 answers, 1 switched off, 3 receive errors, 4 does not answer
        Fault, // 0 none, else the fault kind of event 12
        Opened,
        Double,
        U1,
        U2,
        U3,
        IonistorFault,
        Charging,
        Heater,
        RNe,
        IsolatorLeft,
        IsolatorRight,
        Button,
        Cover,
        StartButton,
        Sensor,
        In1,
        In2,
        In3,
        In4,
        Out1,
        Out2,
        Out3,
        Out4,
        Valve1,
        Valve2,
        PowerSupply,
        Op,
        Rp,
        Lo,
        PowerLo,
        Smoke,
        SmokeMid,
        Photo,
        Dust,
        FireThreshold,
        Resource,
        ChannelType,
        Laser,
        Pyro,
        S1,
        S2,
        PyroTimer,
        NoResponse,
        Adc1,
        Adc2,
        Adc3,
        Adc4,
        W1, // borders as the controller last read them
        W2,
        W3,
        UnitW1, // borders held in the detector itself
        UnitW2,
        UnitW3,
        RedLed,
        YellowLed,
        TestMode,
        MainsMain, // mains voltages a power module measures, volts
        MainsReserve,
        MainsDrive,
        FieldCount
    };

    SimUnit() = default;

    // A unit of the type with the values a healthy unit of that type reports; type 0 is no unit.
    static SimUnit create(int type);

    int value(Field field) const { return m_values[field]; }
    void setValue(Field field, int value) { m_values[field] = value; }
    int type() const { return m_values[Type]; }
    bool isPresent() const { return m_values[Type] != 0; }

    static QString fieldName(Field field);
    // Case-insensitive; -1 for an unknown name.
    static int fieldByName(const QString &name);
    static QStringList fieldNames();
    static int maxValue(Field field);

    // The thermistor of the heat types: the byte the unit reports for a temperature and back.
    static int thermistorRaw(double celsius);
    static double thermistorCelsius(int raw);
    // The LO supply byte of the LO modules (29.76 V full scale).
    static int loVoltageRaw(double volts);

    static bool isHeatType(int type);
    static bool isSmokeType(int type);
    static bool isFlameType(int type);
    static bool isIonistorType(int type);
    static bool isLoType(int type);
    static bool isPowerModuleType(int type);
    static bool isCallPointType(int type);
    // Outputs reported in the output blocks; type 13 keeps its two in a bank of its own.
    static int outputCount(int type);
    static int inputCount(int type);

private:
    std::array<int, FieldCount> m_values{};
};
