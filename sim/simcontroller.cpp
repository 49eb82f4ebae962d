#include "simcontroller.h"

#include "simregistermap.h"

#include <QtMath>

using namespace SimRegisterMap;

SimController::SimController(int address, int eventCapacity)
    : m_address(address)
    , m_store(address, eventCapacity)
    , m_events(m_store)
    , m_commands(m_store, m_events)
    , m_clock(m_store, m_events, [this](int unitAddress, const QString &name, double value) {
        if (unitAddress == 0)
            setControllerValue(name, value);
        else
            setUnitValue(unitAddress, name, value);
    })
{
}

// ---------------------------------------------------------------------------------------------
// Set-up

void SimController::placeUnit(int address, const SimUnit &unit)
{
    if (address < 1 || address > maxAddress)
        return;
    m_store.units[address] = unit;
    if (address > 250 || unit.type() == 0)
        return;
    m_store.config.configureUnit(address, unit);
}

void SimController::powerUp()
{
    m_store.events.clear();
    // The operating time stays as the scenario gave it: the controller has been running that long.
    m_events.push(0, 101);
    m_store.initRemainingMs = m_store.fields[InitSeconds] * 1000;
    m_events.rebaseline();
    if (m_store.initRemainingMs <= 0)
        m_events.finishInitialisation();
}

QString SimController::setConfigEntry(int code, int address, int value)
{
    const Block *block = blockByCode(code);
    if (!block || block->start < configFirst || code == 107)
        return tr("there is no configuration block %1").arg(code);
    const Position at = position(*block, address);
    if (address > 250 || at.offset < 0)
        return tr("unit address %1 has no entry in configuration block %2").arg(address).arg(code);
    const int max = (1 << at.width) - 1;
    if (value < 0 || value > max)
        return tr("an entry of configuration block %1 must lie in 0..%2").arg(code).arg(max);
    m_store.config.setValue(code, address, value);
    m_commands.applyConfigEffect(code, address);
    m_events.update();
    return QString();
}

SimController::Outcome SimController::handleRequest(const SimFrame::Request &request)
{
    Outcome outcome;
    m_store.fields[ModbusRequests] = (m_store.fields[ModbusRequests] + 1) & 0xFFFF;
    if (const quint8 code = m_store.exceptionFor(request)) {
        m_store.events.noteOtherRequest();
        m_store.fields[ModbusErrors] = (m_store.fields[ModbusErrors] + 1) & 0xFFFF;
        outcome.kind = Outcome::Exception;
        outcome.exception = code;
        return outcome;
    }
    if (request.function == SimFrame::readFunction) {
        if (request.start <= m_store.events.lastRegister())
            m_store.events.noteRead(request.start, request.count);
        else
            m_store.events.noteOtherRequest();
        outcome.kind = Outcome::Registers;
        for (int i = 0; i < request.count; ++i)
            outcome.registers.append(m_store.registerValue(request.start + i));
        return outcome;
    }
    m_store.events.noteOtherRequest();
    m_commands.write(request.start, request.values, &outcome.note);
    m_events.update();
    outcome.kind = Outcome::Written;
    return outcome;
}

void SimController::countCrcError()
{
    m_store.fields[CrcErrors] = (m_store.fields[CrcErrors] + 1) & 0xFFFF;
}

QString SimController::executeCommand(int target, int command, int param1, int param2)
{
    return m_commands.execute(target, command, param1, param2);
}

// ---------------------------------------------------------------------------------------------
// Runtime control

QString SimController::setUnitValue(int address, const QString &name, double value)
{
    if (address < 1 || address > maxAddress)
        return tr("unit address %1 is outside 1..%2").arg(address).arg(maxAddress);
    SimUnit &unit = m_store.units[address];
    QList<QPair<SimUnit::Field, int>> changes;
    if (name.compare(QLatin1String("temperature"), Qt::CaseInsensitive) == 0) {
        changes.append({SimUnit::TUlo, SimUnit::thermistorRaw(value)});
    } else if (name.compare(QLatin1String("loVoltage"), Qt::CaseInsensitive) == 0) {
        changes.append({SimUnit::TUlo, SimUnit::loVoltageRaw(value)});
    } else if (name.compare(QLatin1String("voltage"), Qt::CaseInsensitive) == 0) {
        const int cell = qBound(0, qRound(value * 51.0 / 3.0), 255);
        changes = {{SimUnit::U1, cell}, {SimUnit::U2, cell}, {SimUnit::U3, cell}};
    } else {
        const int field = SimUnit::fieldByName(name);
        if (field < 0)
            return tr("unknown unit value \"%1\"").arg(name);
        const int number = qRound(value);
        if (number < 0 || number > SimUnit::maxValue(SimUnit::Field(field)))
            return tr("%1 must lie in 0..%2").arg(name).arg(SimUnit::maxValue(SimUnit::Field(field)));
        if (field == SimUnit::Type) {
            if (number == 0)
                removeUnit(address);
            else if (!unit.isPresent())
                addUnit(address, number);
            else
                unit.setValue(SimUnit::Type, number);
            m_events.update();
            return QString();
        }
        changes.append({SimUnit::Field(field), number});
    }
    if (!unit.isPresent())
        return tr("no unit at %1").arg(address);
    bool rules = false;
    for (const auto &change : changes) {
        unit.setValue(change.first, change.second);
        rules = rules || change.first == SimUnit::Smoke || change.first == SimUnit::TUlo ||
                change.first == SimUnit::FireThreshold || change.first == SimUnit::Button;
    }
    if (rules)
        m_store.applyDetectorRules(address);
    m_events.update();
    return QString();
}

QString SimController::setControllerValue(const QString &name, double value)
{
    int field = fieldByName(name);
    int number = qRound(value);
    if (name.compare(QLatin1String("supply24V"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("supply13V"), Qt::CaseInsensitive) == 0) {
        field = name.contains(QLatin1String("24")) ? Supply24 : Supply13;
        number = qRound(value / 0.112);
    }
    if (field < 0)
        return tr("unknown controller value \"%1\"").arg(name);
    if (number < 0 || number > maxValue(field))
        return tr("%1 must lie in 0..%2").arg(name).arg(maxValue(field));
    m_store.fields[field] = number;
    if (field == OperatingTime)
        m_store.operatingMs = qint64(number) * 1000;
    m_events.update();
    return QString();
}

QString SimController::setUnitState(int address, const QString &state, int param)
{
    if (address < 1 || address > maxAddress)
        return tr("unit address %1 is outside 1..%2").arg(address).arg(maxAddress);
    SimUnit &unit = m_store.units[address];
    if (!unit.isPresent())
        return tr("no unit at %1").arg(address);
    const int type = unit.type();
    const QString name = state.toLower();
    const auto set = [&unit](SimUnit::Field field, int value) { unit.setValue(field, value); };
    if (name == QLatin1String("normal")) {
        const SimUnit fresh = SimUnit::create(type);
        for (const auto field : {SimUnit::Fire, SimUnit::PreAlarm, SimUnit::Link, SimUnit::Fault,
                                 SimUnit::Opened, SimUnit::Double, SimUnit::Smoke, SimUnit::TUlo,
                                 SimUnit::Button, SimUnit::Cover, SimUnit::StartButton})
            set(field, fresh.value(field));
        if (address <= 250) {
            m_store.config.setValue(101, address, 1);
            m_store.config.setValue(102, address, type);
        }
        m_store.applyDetectorRules(address);
    } else if (name == QLatin1String("lost")) {
        set(SimUnit::Link, param > 0 && param <= 4 ? param : 4);
    } else if (name == QLatin1String("online")) {
        set(SimUnit::Link, 0);
    } else if (name == QLatin1String("fault")) {
        set(SimUnit::Fault, param > 0 && param <= 6 ? param : 1);
    } else if (name == QLatin1String("fire")) {
        if (SimUnit::isSmokeType(type))
            set(SimUnit::Smoke, qMin(255, qMax(unit.value(SimUnit::FireThreshold), 1) + 10));
        else if (SimUnit::isHeatType(type) && m_store.config.thresholdTemperature(address) != SimConfiguration::noThreshold)
            set(SimUnit::TUlo, SimUnit::thermistorRaw(m_store.config.thresholdTemperature(address) + 10));
        else if (SimUnit::isCallPointType(type))
            set(SimUnit::Button, 1);
        else
            set(SimUnit::Fire, 1);
        m_store.applyDetectorRules(address);
        if (!unit.value(SimUnit::Fire)) // a heat detector without a threshold, say
            set(SimUnit::Fire, 1);
    } else if (name == QLatin1String("prealarm")) {
        if (SimUnit::isHeatType(type) && m_store.config.thresholdTemperature(address) != SimConfiguration::noThreshold) {
            set(SimUnit::TUlo, SimUnit::thermistorRaw(m_store.config.thresholdTemperature(address) - 2));
            m_store.applyDetectorRules(address);
        } else {
            set(SimUnit::PreAlarm, 1);
        }
    } else if (name == QLatin1String("opened") || name == QLatin1String("closed")) {
        set(SimUnit::Opened, name == QLatin1String("opened"));
    } else if (name == QLatin1String("blocked") || name == QLatin1String("unblocked")) {
        m_store.config.setValue(101, address, name == QLatin1String("unblocked"));
    } else if (name == QLatin1String("double")) {
        set(SimUnit::Double, 1);
    } else if (name == QLatin1String("wrongtype")) {
        m_store.config.setValue(102, address, param > 0 && param != type ? param : type % 24 + 1);
    } else {
        return tr("unknown state \"%1\": normal, lost, online, fault, fire, prealarm, opened, closed, "
                  "blocked, unblocked, double, wrongtype")
            .arg(state);
    }
    m_events.update();
    return QString();
}

void SimController::addUnit(int address, int type)
{
    if (address < 1 || address > maxAddress)
        return;
    m_store.units[address] = SimUnit::create(type);
    m_store.applyDetectorRules(address);
    m_events.update();
}

void SimController::removeUnit(int address)
{
    if (address < 1 || address > maxAddress)
        return;
    m_store.units[address] = SimUnit();
    m_events.update();
}

QString SimController::startRamp(int address, const QString &name, double target, double seconds,
                                 SimRamp::Shape shape, double step)
{
    return m_clock.startRamp(address, name, target, seconds, shape, step);
}
