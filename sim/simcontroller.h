#pragma once

#include "simclock.h"
#include "simcommandexecutor.h"
#include "simcontrollerfields.h"
#include "simeventbuffer.h"
#include "simeventsource.h"
#include "simframe.h"
#include "simramp.h"
#include "simregisterstore.h"
#include "simunit.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

// One simulated RYN controller: its loop of units, its own registers, constants and configuration,
// its event buffer, and what it does when commanded or when time passes. It answers the line and
// the scenario and control lines; its register store, command executor, event source and clock do
// the work.
class SimController : public SimControllerFields
{
    Q_DECLARE_TR_FUNCTIONS(SimController)

public:
    static constexpr int maxAddress = SimRegisterStore::maxAddress;
    static constexpr int loopUnits = 250; // the addresses with configuration entries
    static constexpr int constantCount = SimConfiguration::constantCount;

    explicit SimController(int address, int eventCapacity = SimEventBuffer::defaultCapacity);
    SimController(const SimController &) = delete;
    SimController &operator=(const SimController &) = delete;

    int address() const { return m_address; }
    int version() const { return m_store.version(); }
    bool isSilent() const { return m_silent; }
    void setSilent(bool silent) { m_silent = silent; }
    bool isInitialising() const { return m_store.isInitialising(); }

    // --- set-up (scenario) ---
    // Places a unit; its configuration entries become those of a correctly configured unit.
    void placeUnit(int address, const SimUnit &unit);
    void setDefaultConstant(int index, quint16 value) { m_store.config.setDefaultConstant(index, value); }
    void setCurrentConstant(int index, quint16 value) { m_store.config.setCurrentConstant(index, value); }
    quint16 currentConstant(int index) const { return m_store.config.currentConstant(index); }
    quint16 defaultConstant(int index) const { return m_store.config.defaultConstant(index); }
    // Raw configuration register, 5000..6033.
    void setConfigRegister(int reg, quint16 value) { m_store.config.setRegister(reg, value); }
    // One unit's entry in configuration block 100..106; an error text, empty on success.
    QString setConfigEntry(int code, int address, int value);
    int configValue(int code, int address) const { return m_store.config.value(code, address); }
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
    quint8 exceptionFor(const SimFrame::Request &request) const { return m_store.exceptionFor(request); }
    // A request with a correct CRC addressed to this controller.
    Outcome handleRequest(const SimFrame::Request &request);
    // Reads without side effects (no acknowledgement, no counters); 0 outside the areas.
    quint16 registerValue(int reg) const { return m_store.registerValue(reg); }
    bool isReadable(int start, int count) const { return m_store.isReadable(start, count); }
    static bool isWritable(int start, int count) { return SimRegisterStore::isWritable(start, count); }
    // A broken request that carried this controller's address.
    void countCrcError();

    // --- commands, as written to 5222..5223 ---
    QString executeCommand(int target, int command, int param1, int param2);

    // --- time ---
    void advance(int ms) { m_clock.advance(ms); }

    // --- runtime control ---
    const SimUnit &unit(int address) const { return m_store.units[address]; }
    int field(Field field) const { return m_store.fields[field]; }
    // Returns an error text, empty on success. Value names are unit fields or the helpers
    // "temperature" (degrees), "voltage" (ionistor block, volts) and "loVoltage" (volts).
    QString setUnitValue(int address, const QString &name, double value);
    QString setControllerValue(const QString &name, double value);
    // "normal", "lost", "fault", "fire", "prealarm", "opened", "closed", "blocked", "unblocked",
    // "double", "wrongtype", "offline".
    QString setUnitState(int address, const QString &state, int param);
    void addUnit(int address, int type);
    void removeUnit(int address);
    void raiseEvent(const SimEvent &event) { m_store.events.push(event); }
    void clearEvents() { m_store.events.clear(); }
    // A value moves to `target` over `seconds` (see SimClock::startRamp); `address` 0 names a
    // controller field.
    QString startRamp(int address, const QString &name, double target, double seconds,
                      SimRamp::Shape shape = SimRamp::Linear, double step = 0);
    void reset() { m_commands.reset(); }

    const SimEventBuffer &eventBuffer() const { return m_store.events; }

    // What the controller reports for a unit, as packed into its blocks.
    int generalState(int address) const { return m_store.generalState(address); }
    int connection(int address) const { return m_store.connection(address); }
    int reportedType(int address) const { return m_store.reportedType(address); }
    int ionistorState(int address) const { return m_store.ionistorState(address); }
    int configuredType(int address) const { return m_store.config.configuredType(address); }
    bool isBlocked(int address) const { return m_store.config.isBlocked(address); }
    int thresholdTemperature(int address) const { return m_store.config.thresholdTemperature(address); }
    int reportedValue(int address, int value) const { return m_store.reportedValue(address, value); }

private:
    int m_address = 1;
    bool m_silent = false;
    SimRegisterStore m_store;
    SimEventSource m_events;
    SimCommandExecutor m_commands;
    SimClock m_clock;
};
