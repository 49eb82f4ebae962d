#pragma once

#include "simeventbuffer.h"
#include "simframe.h"
#include "simunit.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <array>

// One simulated RYN controller: its loop of units, its own registers, constants and configuration,
// its event buffer, and what it does when commanded or when time passes. The register image is
// worked out from the unit models on every read, so it cannot fall out of step with them; events
// come from comparing what the controller would report before and after every change.
class SimController
{
    Q_DECLARE_TR_FUNCTIONS(SimController)

public:
    // The controller's own values, settable by name from a scenario or a control line.
    enum Field : int
    {
        TypeWord,
        Version,
        VersionMajor,
        Supply24,  // 24 V supply, units of 0.112 V
        Current24, // units of 1.36 mA
        Supply13,
        Current13,  // units of 0.896 mA
        Resistance, // loop resistance, units of 0.1 ohm
        CaseOpen,
        LoopBreak,
        LoopShort,
        ShortLeft,
        ShortRight,
        MainPowerFault,
        ReservePowerFault,
        LoopBufferOverflow,
        OsErrors, // bit k - 1: error type k
        Parity,
        Noise,
        DataDlit,
        SbDlit,
        Timeout,
        Overflow,
        IBig,
        ISmall,
        CrcErrors,
        FeErrors,
        NeErrors,
        OreErrors,
        ModbusErrors,
        LoopRequests,
        ModbusRequests,
        SliLeft,
        SliRight,
        StartRelay, // 0 off, 1 on
        FireRelay,
        FaultRelay,
        OperatingTime, // seconds since power-up or reset
        InitSeconds,   // how long initialisation takes after power-up or reset
        FieldCount
    };

    static constexpr int maxAddress = 251;
    static constexpr int loopUnits = 250; // the addresses with configuration entries
    static constexpr int constantCount = 32;

    explicit SimController(int address, int eventCapacity = SimEventBuffer::defaultCapacity);

    int address() const { return m_address; }
    int version() const { return m_fields[Version]; }
    bool isSilent() const { return m_silent; }
    void setSilent(bool silent) { m_silent = silent; }
    bool isInitialising() const { return m_initRemainingMs > 0; }

    // --- set-up (scenario) ---
    // Places a unit; its configuration entries become those of a correctly configured unit.
    void placeUnit(int address, const SimUnit &unit);
    void setDefaultConstant(int index, quint16 value);
    void setCurrentConstant(int index, quint16 value);
    quint16 currentConstant(int index) const { return m_currentConstants[index]; }
    quint16 defaultConstant(int index) const { return m_defaultConstants[index]; }
    // Raw configuration register, 5000..6033.
    void setConfigRegister(int reg, quint16 value);
    // One unit's entry in configuration block 100..106; an error text, empty on success.
    QString setConfigEntry(int code, int address, int value);
    int configValue(int code, int address) const;
    // Power-up: event 101 now, initialisation (102 and the report of what is wrong) after InitSeconds.
    void powerUp();

    // --- the line ---
    struct Outcome
    {
        enum Kind
        {
            Registers,
            Written,
            Exception
        } kind = Exception;
        QVector<quint16> registers;
        quint8 exception = 0;
        QString note; // for the trace: what a command did
    };
    // The exception a request gets, 0 when it is carried out.
    quint8 exceptionFor(const SimFrame::Request &request) const;
    // A request with a correct CRC addressed to this controller.
    Outcome handleRequest(const SimFrame::Request &request);
    // Reads without side effects (no acknowledgement, no counters); 0 outside the areas.
    quint16 registerValue(int reg) const;
    bool isReadable(int start, int count) const;
    static bool isWritable(int start, int count);
    // A broken request that carried this controller's address.
    void countCrcError();

    // --- commands, as written to 5222..5223 ---
    QString executeCommand(int target, int command, int param1, int param2);

    // --- time ---
    void advance(int ms);

    // --- runtime control ---
    const SimUnit &unit(int address) const { return m_units[address]; }
    int field(Field field) const { return m_fields[field]; }
    // Returns an error text, empty on success. Value names are unit fields or the helpers
    // "temperature" (degrees), "voltage" (ionistor block, volts) and "loVoltage" (volts).
    QString setUnitValue(int address, const QString &name, double value);
    QString setControllerValue(const QString &name, double value);
    // "normal", "lost", "fault", "fire", "prealarm", "opened", "closed", "blocked", "unblocked",
    // "double", "wrongtype", "offline".
    QString setUnitState(int address, const QString &state, int param);
    void addUnit(int address, int type);
    void removeUnit(int address);
    void raiseEvent(const SimEvent &event);
    void clearEvents() { m_events.clear(); }
    // A value moves linearly to `target` over `seconds`; `address` 0 names a controller field.
    QString startRamp(int address, const QString &name, double target, double seconds);
    void reset();

    const SimEventBuffer &eventBuffer() const { return m_events; }

    static QString fieldName(Field field);
    static int fieldByName(const QString &name);
    static QStringList fieldNames();

    // What the controller reports for a unit, as packed into its blocks.
    int generalState(int address) const;
    int connection(int address) const;
    int reportedType(int address) const;
    int ionistorState(int address) const;
    int configuredType(int address) const;
    bool isBlocked(int address) const;
    int thresholdTemperature(int address) const;
    int reportedValue(int address, int value) const;

private:
    // What a change is compared by to decide which events to raise.
    struct UnitSnapshot
    {
        int type = 0;
        bool known = false; // a unit is there or configured
        bool present = false;
        int fire = 0;
        int preAlarm = 0;
        int lost = 0;
        int fault = 0;
        int doubled = 0;
        int wrongType = 0;
        int opened = 0;
        int blocked = 0;
        int button = 0;
        int startButton = 0;
        std::array<int, 4> inputs{};
        std::array<int, 4> outputs{};
        std::array<int, 2> valves{};
        int isolatorLeft = 0;
        int isolatorRight = 0;
        int dust = 0;
        int ionistor = 0;
        int charging = 0;
        int meanCell = 0;
        int lo = 0;
        int powerLo = 0;
        int powerSupply = 0;
        int testMode = 0;
    };
    struct ControllerSnapshot
    {
        std::array<int, 12> flags{}; // the fields that have a raise/clear event pair
        int supplyLow = 0;
    };
    struct Ramp
    {
        int address = 0;
        QString name;
        double from = 0;
        double to = 0;
        qint64 startMs = 0;
        qint64 durationMs = 0;
    };

    UnitSnapshot snapshot(int address) const;
    static UnitSnapshot normalised(UnitSnapshot snapshot);
    ControllerSnapshot controllerSnapshot() const;
    void diffUnit(int address, const UnitSnapshot &before, const UnitSnapshot &after);
    void diffController(const ControllerSnapshot &before, const ControllerSnapshot &after);
    // Raises the events for every change since the last call.
    void updateEvents();
    // Takes the present state as the baseline, raising nothing.
    void rebaseline();
    // After initialisation: 102, then an event for everything that is not normal.
    void finishInitialisation();
    void push(int unit, quint8 code, int param = 0, int input = 0);

    void applyDetectorRules(int address);
    void applyInitialStates();
    QString unitCommand(int target, int command, int param1, int param2);
    QString moveUnit(int from, int to);
    void clearTables();
    void switchRelays(int address, int mask, int state);
    int chargingCount() const;
    bool loopPowered() const;

    quint16 controllerRegister(int reg) const;
    quint16 unitRegister(int reg) const;
    quint16 configRegister(int reg) const;
    void writeConfig(int start, const QVector<quint16> &values, QString *note);
    void applyConfigEffect(int code, int address);
    void setConfigValue(int code, int address, int value);

    int m_address = 1;
    bool m_silent = false;
    std::array<int, FieldCount> m_fields{};
    std::array<SimUnit, maxAddress + 1> m_units{};
    std::array<quint16, constantCount> m_defaultConstants{};
    std::array<quint16, constantCount> m_currentConstants{};
    QVector<quint16> m_config;
    SimEventBuffer m_events;
    std::array<UnitSnapshot, maxAddress + 1> m_snapshots{};
    ControllerSnapshot m_controllerSnapshot;
    QList<Ramp> m_ramps;
    qint64 m_nowMs = 0;
    qint64 m_operatingMs = 0;
    int m_initRemainingMs = 0;
    double m_loopRequestCarry = 0;
    std::array<double, maxAddress + 1> m_chargeCarry{};
};
